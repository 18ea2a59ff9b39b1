// Counting and cutting UTF-8 text by characters (code points) for the text boxes'
// selections. Internal to the toolkit's implementation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform::toolkit::detail {

// Number of characters.
int32_t CharCount(std::string_view text);
// Byte offset of character `position` (0-based; the end for positions past it).
size_t ByteOffset(std::string_view text, int32_t position);
// The UTF-8 bytes of one character.
std::string Utf8(char32_t character);
// The characters of a text, in order (malformed bytes each count as one).
std::u32string Characters(std::string_view text);

}  // namespace platform::toolkit::detail
