// A text stream over a file: read whole when opened for reading, written through a
// sink otherwise. Each platform's OpenTextFile opens the file and hands it over.
#pragma once

#include <memory>
#include <string>

#include "platform/files/files.h"

namespace platform::files {

// Where a text stream opened for writing or appending puts its bytes: the file, as
// each platform's OpenTextFile opened it. Failures raise the file layer's numbers.
class TextSink {
public:
    // Closes the file if it is still open, without raising.
    virtual ~TextSink();
    virtual void Put(std::string_view bytes) = 0;
    // What was put reaches the file, which is closed.
    virtual void Close() = 0;
};

class FileTextStream final : public TextStream {
public:
    // Reading: the file's content as it was when opened.
    explicit FileTextStream(std::string content);
    // Writing or appending through the sink, which the text stream now owns.
    explicit FileTextStream(std::unique_ptr<TextSink> sink);
    ~FileTextStream() override;
    FileTextStream(const FileTextStream&) = delete;
    FileTextStream& operator=(const FileTextStream&) = delete;

    std::string ReadLine() override;
    void WriteLine(std::string_view text = {}) override;
    void Write(std::string_view text) override;
    bool AtEndOfStream() override;
    void Close() override;

private:
    enum class Direction { Reading, Writing };
    // Open, and opened the right way: 52 once closed, 54 when opened the other way.
    void Require(Direction direction) const;
    void Put(std::string_view text);

    Direction direction_;
    bool open_ = true;
    std::string content_;        // reading: the file as it was when opened
    size_t position_ = 0;        // reading: where the next line starts
    std::unique_ptr<TextSink> sink_;  // writing and appending
};

}  // namespace platform::files
