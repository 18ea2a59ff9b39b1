// A text stream over a file: read whole when opened for reading, written through a C
// stream otherwise. Each platform's OpenTextFile opens the file and hands it over.
#pragma once

#include <cstdio>
#include <string>

#include "platform/files/files.h"

namespace platform::files {

class FileTextStream final : public TextStream {
public:
    // Reading: the file's content as it was when opened.
    explicit FileTextStream(std::string content);
    // Writing or appending to an open C stream, which the text stream now owns.
    explicit FileTextStream(std::FILE* file);
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
    // Closes the C stream; false when what was written did not all reach the file.
    bool CloseFile();

    Direction direction_;
    bool open_ = true;
    std::string content_;        // reading: the file as it was when opened
    size_t position_ = 0;        // reading: where the next line starts
    std::FILE* file_ = nullptr;  // writing and appending
};

}  // namespace platform::files
