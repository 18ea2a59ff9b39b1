// Text as the system's algorithms see it.
//
// Strings are UTF-8. A "character" is a Unicode code point: positions and lengths
// count code points, 1-based where the system's rules say "position", and no cut ever
// splits one. "Without regard to case" folds every script (É equals é), not just ASCII.
// Bytes that are not UTF-8 count too: each stray byte, and each sequence cut short,
// is one character, read as U+FFFD.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform::text {

enum class Compare { Binary, Text };  // Binary: exact; Text: without regard to case

// Number of characters.
long Len(std::string_view s);

// The first n characters (all when n >= Len; none when n <= 0).
std::string Left(std::string_view s, long n);
// The last n characters.
std::string Right(std::string_view s, long n);
// From 1-based position start, at most length characters (the rest when length < 0).
std::string Mid(std::string_view s, long start, long length = -1);
// The byte offset where the character with 0-based index n begins: 0 for n <= 0, the
// size of s for n >= Len(s).
size_t ByteOffset(std::string_view s, long n);
// The characters of s, in order.
std::u32string Characters(std::string_view s);

// 1-based position of the first needle at or after position start, 0 when absent.
// An empty needle is found at start (when start <= Len(hay) + 1).
long InStr(long start, std::string_view hay, std::string_view needle, Compare cmp = Compare::Binary);
inline long InStr(std::string_view hay, std::string_view needle, Compare cmp = Compare::Binary) {
    return InStr(1, hay, needle, cmp);
}
// 1-based position of the last needle, 0 when absent.
long InStrRev(std::string_view hay, std::string_view needle, Compare cmp = Compare::Binary);

// Every needle replaced, scanning from the left; the replacement text is not rescanned.
std::string Replace(std::string_view s, std::string_view find, std::string_view with,
                    Compare cmp = Compare::Binary);

bool Equal(std::string_view a, std::string_view b, Compare cmp);
inline bool EqualNoCase(std::string_view a, std::string_view b) { return Equal(a, b, Compare::Text); }
// True when s begins with prefix, compared without regard to case.
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
// The text folded for comparing without regard to case, character by character: two
// texts are equal without regard to case exactly when their folded forms are equal,
// so a text that begins with another (StartsWithNoCase) has a folded form that
// begins with the other's.
std::string FoldCase(std::string_view s);

// Blanks (U+0020 only) removed at either end, at the start, at the end.
std::string Trim(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);

std::string LCase(std::string_view s);

// The text of one character code (a code point); Chr(13) + Chr(10) is a line break.
std::string Chr(uint32_t code);
// The code of the first character, 0 for an empty string.
uint32_t AscW(std::string_view s);
inline constexpr const char* vbCrLf = "\r\n";

// Numbers as text, the way the host's language runtime reads and writes them.
// IsNumeric: the text (blanks around it and a leading sign allowed) is a number.
bool IsNumeric(std::string_view s);
// The value of numeric text (IsNumeric must hold).
double NumericValue(std::string_view s);
// The leading number of a text (blanks skipped, digits with one decimal point), 0
// when it has none: Val("11.0.0.0") is 11, Val("10.5a") is 10.5.
double Val(std::string_view s);
// A Boolean from text: "True"/"False" in any capitals, or a number (0 false). Throws
// the type-mismatch failure (13) for text that does not convert.
bool CBool(std::string_view s);
// A 32-bit integer from numeric text, rounded half to even; 13 or 6 (overflow) on failure.
int32_t CLng(std::string_view s);

// UTF-16, as Windows and COM strings hold text. Malformed UTF-8 or lone surrogates
// each become U+FFFD.
std::u16string ToUtf16(std::string_view utf8);
std::string FromUtf16(std::u16string_view utf16);

}  // namespace platform::text
