// The encodings a settings file comes in. Windows' profile functions read and write
// UTF-16 files that start with their byte-order mark in UTF-16, and every other file
// as 8-bit text; a file keeps its encoding when a key in it changes.
#pragma once

#include <string>
#include <string_view>

namespace platform::profile {

enum class IniEncoding {
    Bytes,         // 8-bit text (UTF-8 here, with or without its mark)
    Utf16Little,   // UTF-16, least significant byte first (the mark FF FE)
    Utf16Big,      // UTF-16, most significant byte first (the mark FE FF)
};

struct DecodedIni {
    IniEncoding encoding = IniEncoding::Bytes;
    std::string text;  // UTF-8, without a UTF-16 mark
};

// The file's content as text; a trailing odd byte of a UTF-16 file is dropped.
DecodedIni DecodeIni(std::string_view content);
// The text as file content in the encoding (a UTF-16 file with its mark).
std::string EncodeIni(std::string_view text, IniEncoding encoding);

}  // namespace platform::profile
