// Inside the platform library: stepping through UTF-8 one code point at a time, the
// way ICU's U8_NEXT steps (a malformed sequence counts as one character, made of its
// longest well-formed beginning), and writing one code point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::text::utf8 {

// The code point starting at byte `at` (U+FFFD for a malformed sequence); `at` moves
// past it. Requires at < s.size().
uint32_t Next(std::string_view s, size_t& at);

// Byte offset of the code point with the 0-based index n (the end when past it).
size_t Offset(std::string_view s, long n);

// The UTF-8 form of one code point (U+FFFD for a surrogate or a value past U+10FFFF).
std::string Encode(uint32_t code);

}  // namespace platform::text::utf8
