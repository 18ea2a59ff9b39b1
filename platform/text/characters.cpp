// Text helpers over UTF-8, counted in code points. Comparing without regard to case
// is each platform's own (case_folding.h).
#include "platform/text/case_folding.h"
#include "platform/text/text.h"
#include "platform/text/utf8.h"

namespace platform::text {

namespace {

bool IsAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool EqualAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// Whether hay, from byte offset `at`, begins with needle (needleLen code points).
// Returns the byte length of the matched part of hay, or npos.
size_t MatchAt(std::string_view hay, size_t at, std::string_view needle, long needleLen, Compare cmp) {
    if (cmp == Compare::Binary) {
        if (hay.substr(at, needle.size()) == needle) return needle.size();
        return std::string_view::npos;
    }
    std::string_view rest = hay.substr(at);
    size_t bytes = utf8::Offset(rest, needleLen);
    if (Equal(rest.substr(0, bytes), needle, Compare::Text)) return bytes;
    return std::string_view::npos;
}

}  // namespace

size_t ByteOffset(std::string_view s, long n) { return n <= 0 ? 0 : utf8::Offset(s, n); }

std::u32string Characters(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (size_t at = 0; at < s.size();) out += char32_t(utf8::Next(s, at));
    return out;
}

long Len(std::string_view s) {
    if (IsAscii(s)) return long(s.size());
    long n = 0;
    for (size_t at = 0; at < s.size(); ++n) utf8::Next(s, at);
    return n;
}

std::string Left(std::string_view s, long n) {
    if (n <= 0) return {};
    return std::string(s.substr(0, utf8::Offset(s, n)));
}

std::string Right(std::string_view s, long n) {
    if (n <= 0) return {};
    long length = Len(s);
    if (n >= length) return std::string(s);
    return std::string(s.substr(utf8::Offset(s, length - n)));
}

std::string Mid(std::string_view s, long start, long length) {
    if (start < 1) start = 1;
    size_t from = utf8::Offset(s, start - 1);
    std::string_view rest = s.substr(from);
    if (length < 0) return std::string(rest);
    return std::string(rest.substr(0, utf8::Offset(rest, length)));
}

long InStr(long start, std::string_view hay, std::string_view needle, Compare cmp) {
    if (start < 1) start = 1;
    long hayLen = Len(hay);
    if (start > hayLen + (needle.empty() ? 1 : 0)) return 0;
    if (needle.empty()) return start;
    long needleLen = Len(needle);
    size_t at = utf8::Offset(hay, start - 1);
    for (long pos = start; pos + needleLen - 1 <= hayLen; ++pos) {
        if (MatchAt(hay, at, needle, needleLen, cmp) != std::string_view::npos) return pos;
        utf8::Next(hay, at);
    }
    return 0;
}

long InStrRev(std::string_view hay, std::string_view needle, Compare cmp) {
    long found = 0;
    for (long pos = InStr(1, hay, needle, cmp); pos != 0; pos = InStr(pos + 1, hay, needle, cmp)) {
        found = pos;
        if (needle.empty()) break;
    }
    return found;
}

std::string Replace(std::string_view s, std::string_view find, std::string_view with, Compare cmp) {
    if (find.empty()) return std::string(s);
    std::string out;
    long findLen = Len(find);
    size_t at = 0;
    while (at < s.size()) {
        size_t matched = MatchAt(s, at, find, findLen, cmp);
        if (matched != std::string_view::npos && matched > 0) {
            out.append(with);
            at += matched;
            continue;
        }
        size_t next = at;
        utf8::Next(s, next);
        out.append(s.substr(at, next - at));
        at = next;
    }
    return out;
}

bool Equal(std::string_view a, std::string_view b, Compare cmp) {
    if (cmp == Compare::Binary) return a == b;
    if (IsAscii(a) && IsAscii(b)) return EqualAsciiNoCase(a, b);
    return EqualFolded(a, b);
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (IsAscii(s) && IsAscii(prefix))
        return prefix.size() <= s.size() && EqualAsciiNoCase(s.substr(0, prefix.size()), prefix);
    return Equal(Left(s, Len(prefix)), prefix, Compare::Text);
}

std::string FoldCase(std::string_view s) {
    if (!IsAscii(s)) return Folded(s);
    std::string out(s);
    for (char& c : out) c = AsciiLower(c);
    return out;
}

std::string LTrim(std::string_view s) {
    size_t from = s.find_first_not_of(' ');
    return from == std::string_view::npos ? std::string() : std::string(s.substr(from));
}

std::string RTrim(std::string_view s) {
    size_t to = s.find_last_not_of(' ');
    return to == std::string_view::npos ? std::string() : std::string(s.substr(0, to + 1));
}

std::string Trim(std::string_view s) { return LTrim(RTrim(s)); }

std::string Chr(uint32_t code) { return utf8::Encode(code); }

uint32_t AscW(std::string_view s) {
    if (s.empty()) return 0;
    size_t at = 0;
    return utf8::Next(s, at);
}

}  // namespace platform::text
