// The inside of a text stream, shared by the stream and OpenTextFile.
#pragma once

#include <cstdio>
#include <string>

#include "platform/files/files.h"

namespace platform::files {

struct TextStream::Impl {
    enum class Direction { Reading, Writing };

    Direction direction = Direction::Reading;
    bool open = true;
    std::string content;         // reading: the file as it was when opened
    size_t position = 0;         // reading: where the next line starts
    std::FILE* file = nullptr;   // writing and appending

    ~Impl();
    // Closes the host file; false when what was written did not all reach it.
    bool CloseFile();
};

}  // namespace platform::files
