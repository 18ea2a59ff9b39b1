// Numbers in text, read the way the host's language runtime reads them.
#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/errors/errors.h"
#include "platform/text/text.h"

namespace platform::text {

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
