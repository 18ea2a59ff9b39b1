// A compound file (the container of Outlook's message files: storages holding
// streams, like folders holding files) written and read through libgsf here
// (posix/) and through the system's structured storage on Windows (win/).
//
//     CompoundFileWriter file;
//     file.Root().WriteStream("__properties_version1.0", bytes);
//     auto recipient = file.Root().AddStorage("__recip_version1.0_#00000000");
//     recipient.WriteStream(...);
//     std::string bytes = file.Finish();
//
//     CompoundFileReader read(bytes);              // throws MailError when it is none
//     read.Root().ReadStream("__substg1.0_0037001F");
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mail {

class StorageWriter {
public:
    // Streams and storages are written one after the other: each is complete when
    // the call returns.
    void WriteStream(const std::string& name, std::string_view bytes);
    // A storage inside this one; complete once the returned writer is dropped or closed.
    StorageWriter AddStorage(const std::string& name);
    void Close();
    ~StorageWriter();
    StorageWriter(StorageWriter&& other) noexcept;
    StorageWriter& operator=(StorageWriter&&) = delete;

private:
    friend class CompoundFileWriter;
    struct Native;  // the storage as the library behind it holds it
    explicit StorageWriter(std::unique_ptr<Native> native);
    std::unique_ptr<Native> native_;
};

class CompoundFileWriter {
public:
    // The root storage's class id (16 bytes as stored); room is made for a file of
    // about `expectedSize` bytes at once.
    explicit CompoundFileWriter(const unsigned char (&classId)[16], size_t expectedSize = 0);
    ~CompoundFileWriter();
    CompoundFileWriter(const CompoundFileWriter&) = delete;
    CompoundFileWriter& operator=(const CompoundFileWriter&) = delete;

    StorageWriter& Root() { return *root_; }
    // Closes the file and hands over its bytes.
    std::string Finish();

private:
    struct Native;
    std::unique_ptr<Native> native_;
    std::unique_ptr<StorageWriter> root_;
};

class StorageReader {
public:
    // The stream's bytes; nullopt when there is none of that name.
    std::optional<std::string> ReadStream(const std::string& name) const;
    std::optional<StorageReader> Storage(const std::string& name) const;
    // The names of the storages and streams directly inside.
    std::vector<std::string> Names() const;

private:
    friend class CompoundFileReader;
    struct Native;
    explicit StorageReader(std::shared_ptr<Native> native) : native_(std::move(native)) {}
    std::shared_ptr<Native> native_;
};

class CompoundFileReader {
public:
    // Reads the bytes as a compound file; they must outlive the reader. Throws
    // MailError when they are not one.
    explicit CompoundFileReader(std::string_view bytes);
    explicit CompoundFileReader(std::string&& bytes) = delete;  // they would be gone before the reading
    ~CompoundFileReader();
    CompoundFileReader(const CompoundFileReader&) = delete;
    CompoundFileReader& operator=(const CompoundFileReader&) = delete;
    const StorageReader& Root() const { return *root_; }

private:
    struct Native;
    std::unique_ptr<Native> native_;
    std::optional<StorageReader> root_;
};

}  // namespace mail
