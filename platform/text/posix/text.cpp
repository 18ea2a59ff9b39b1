// Text helpers over UTF-8, counted in code points, with ICU's case folding.
#include "platform/text/text.h"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/errors/errors.h"

namespace platform::text {

namespace {

bool IsAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

}  // namespace

// ICU's U8_NEXT steps over an ill-formed sequence as one code point (its maximal
// subpart, as Unicode recommends) and gives it a negative value.
size_t ByteOffset(std::string_view s, long n) {
    int32_t i = 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(s.data());
    int32_t length = int32_t(s.size());
    for (long k = 0; k < n && i < length; ++k) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        (void)c;
    }
    return size_t(i);
}

std::u32string Characters(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    int32_t i = 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(s.data());
    int32_t length = int32_t(s.size());
    while (i < length) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        out += c < 0 ? U'\uFFFD' : char32_t(c);
    }
    return out;
}

namespace {

icu::UnicodeString Wide(std::string_view s) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(s.data(), int32_t(s.size())));
}

std::string Narrow(const icu::UnicodeString& u) {
    std::string out;
    u.toUTF8String(out);
    return out;
}

// Whether hay, from byte offset `at`, begins with needle (needleLen code points).
// Returns the byte length of the matched part of hay, or npos.
size_t MatchAt(std::string_view hay, size_t at, std::string_view needle, long needleLen, Compare cmp) {
    if (cmp == Compare::Binary) {
        if (hay.substr(at, needle.size()) == needle) return needle.size();
        return std::string_view::npos;
    }
    std::string_view rest = hay.substr(at);
    size_t bytes = ByteOffset(rest, needleLen);
    if (Equal(rest.substr(0, bytes), needle, Compare::Text)) return bytes;
    return std::string_view::npos;
}

}  // namespace

long Len(std::string_view s) {
    if (IsAscii(s)) return long(s.size());
    long n = 0;
    int32_t i = 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(s.data());
    int32_t length = int32_t(s.size());
    while (i < length) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        (void)c;
        ++n;
    }
    return n;
}

std::string Left(std::string_view s, long n) {
    if (n <= 0) return {};
    return std::string(s.substr(0, ByteOffset(s, n)));
}

std::string Right(std::string_view s, long n) {
    if (n <= 0) return {};
    long length = Len(s);
    if (n >= length) return std::string(s);
    return std::string(s.substr(ByteOffset(s, length - n)));
}

std::string Mid(std::string_view s, long start, long length) {
    if (start < 1) start = 1;
    size_t from = ByteOffset(s, start - 1);
    std::string_view rest = s.substr(from);
    if (length < 0) return std::string(rest);
    return std::string(rest.substr(0, ByteOffset(rest, length)));
}

long InStr(long start, std::string_view hay, std::string_view needle, Compare cmp) {
    if (start < 1) start = 1;
    long hayLen = Len(hay);
    if (start > hayLen + (needle.empty() ? 1 : 0)) return 0;
    if (needle.empty()) return start;
    long needleLen = Len(needle);
    size_t at = ByteOffset(hay, start - 1);
    const auto* bytes = reinterpret_cast<const uint8_t*>(hay.data());
    int32_t length = int32_t(hay.size());
    for (long pos = start; pos + needleLen - 1 <= hayLen; ++pos) {
        if (MatchAt(hay, at, needle, needleLen, cmp) != std::string_view::npos) return pos;
        int32_t i = int32_t(at);
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        (void)c;
        at = size_t(i);
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
    const auto* bytes = reinterpret_cast<const uint8_t*>(s.data());
    int32_t length = int32_t(s.size());
    while (at < s.size()) {
        size_t matched = MatchAt(s, at, find, findLen, cmp);
        if (matched != std::string_view::npos && matched > 0) {
            out.append(with);
            at += matched;
            continue;
        }
        int32_t i = int32_t(at);
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        (void)c;
        out.append(s.substr(at, size_t(i) - at));
        at = size_t(i);
    }
    return out;
}

bool Equal(std::string_view a, std::string_view b, Compare cmp) {
    if (cmp == Compare::Binary) return a == b;
    if (IsAscii(a) && IsAscii(b)) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
        return true;
    }
    return Wide(a).caseCompare(Wide(b), U_FOLD_CASE_DEFAULT) == 0;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (IsAscii(s) && IsAscii(prefix)) {
        if (prefix.size() > s.size()) return false;
        for (size_t i = 0; i < prefix.size(); ++i)
            if (AsciiLower(s[i]) != AsciiLower(prefix[i])) return false;
        return true;
    }
    return Equal(Left(s, Len(prefix)), prefix, Compare::Text);
}

std::string FoldCase(std::string_view s) {
    if (IsAscii(s)) {
        std::string out(s);
        for (char& c : out) c = AsciiLower(c);
        return out;
    }
    return Narrow(Wide(s).foldCase(U_FOLD_CASE_DEFAULT));
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

std::string LCase(std::string_view s) { return Narrow(Wide(s).toLower(icu::Locale::getRoot())); }

std::string Chr(uint32_t code) {
    std::string out;
    icu::UnicodeString(UChar32(code)).toUTF8String(out);
    return out;
}

uint32_t AscW(std::string_view s) {
    if (s.empty()) return 0;
    int32_t i = 0;
    UChar32 c;
    U8_NEXT(reinterpret_cast<const uint8_t*>(s.data()), i, int32_t(s.size()), c);
    return c < 0 ? 0xFFFD : uint32_t(c);
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Parses numeric text as the host's runtime does: blanks around it, a sign, digits
// with one decimal point and an exponent, or &H / &O literals.
bool ParseNumber(std::string_view s, double& value) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    s = s.substr(b, e - b);
    if (s.empty()) return false;
    if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        long long v = 0;
        for (char c : s.substr(2)) {
            int d = (c >= '0' && c <= '9') ? c - '0'
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                             : 99;
            if (d >= base) return false;
            v = v * base + d;
            if (v > 0xFFFFFFFFLL) return false;
        }
        value = double(v);
        return true;
    }
    size_t i = 0;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-') {
        negative = s[i] == '-';
        ++i;
        while (i < s.size() && IsBlank(s[i])) ++i;
    }
    std::string digits;
    bool any = false, point = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            digits += c;
            any = true;
        } else if (c == '.' && !point) {
            digits += c;
            point = true;
        } else {
            break;
        }
    }
    if (!any) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::string exponent = "e";
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) exponent += s[i++];
        bool expDigits = false;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
            exponent += s[i];
            expDigits = true;
        }
        if (!expDigits) return false;
        digits += exponent;
    }
    if (i != s.size()) return false;
    value = std::strtod(digits.c_str(), nullptr);
    if (negative) value = -value;
    return std::isfinite(value);
}

}  // namespace

bool IsNumeric(std::string_view s) {
    double ignored;
    return ParseNumber(s, ignored);
}

double NumericValue(std::string_view s) {
    double value = 0;
    if (!ParseNumber(s, value)) Raise(13, "Type mismatch");
    return value;
}

double Val(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    std::string number;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) number += s[i++];
    bool point = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            number += s[i];
        } else if (s[i] == '.' && !point) {
            point = true;
            number += s[i];
        } else {
            break;
        }
    }
    return number.empty() ? 0 : std::strtod(number.c_str(), nullptr);
}

bool CBool(std::string_view s) {
    std::string t = Trim(s);
    if (EqualNoCase(t, "True")) return true;
    if (EqualNoCase(t, "False")) return false;
    double value = 0;
    if (!ParseNumber(t, value)) Raise(13, "Type mismatch");
    return value != 0;
}

int32_t CLng(std::string_view s) {
    double value = NumericValue(s);
    double rounded = std::nearbyint(value);  // the default rounding mode: half to even
    if (rounded < double(std::numeric_limits<int32_t>::min()) || rounded > double(std::numeric_limits<int32_t>::max()))
        Raise(6, "Overflow");
    return int32_t(rounded);
}

}  // namespace platform::text
