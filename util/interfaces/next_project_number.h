// The next-number suggestion: from the highest project number in the table, the
// number that follows it, or "" when none can be suggested. Both libraries offer it
// (the controller when a project is added, clsUtil's project-number prompt), so it
// lives here, beside the interfaces they share.
//
// The last character must be a digit d: 0 to 8 becomes d + 1. A 9 carries into the
// last two characters (their value v, 1 to 98, becomes v + 1), and a 99 into the
// last three (w, 1 to 998, becomes w + 1): P-17 gives P-18, P-19 gives P-20, 2199
// gives 2200. The carry reaches three digits at most (1999 gives ""), and text that
// cannot carry gives "" (A9) or the number itself (A99, -9).
#pragma once

#include <cmath>
#include <string>

#include "platform/text/text.h"

inline std::string SuggestNextProjectNumber(const std::string& highest) {
    namespace text = platform::text;
    // The number without its last k characters, trimmed; "" when nothing is left.
    auto before = [&](long k) {
        long length = text::Len(highest);
        return length <= k ? std::string() : text::Trim(text::Left(highest, length - k));
    };
    auto value = [](const std::string& s) { return long(std::nearbyint(text::NumericValue(s))); };

    const std::string last = text::Right(highest, 1);
    if (!text::IsNumeric(last)) return {};
    long digit = value(last);
    if (digit >= 0 && digit <= 8) return before(1) + std::to_string(digit + 1);

    const std::string lastTwo = text::Right(highest, 2);
    if (!text::IsNumeric(lastTwo)) return {};
    long v = value(lastTwo);
    if (v >= 1 && v <= 98) return before(2) + std::to_string(v + 1);
    if (v != 99) return highest;

    const std::string lastThree = text::Right(highest, 3);
    if (!text::IsNumeric(lastThree)) return highest;
    long w = value(lastThree);
    if (w >= 1 && w <= 998) return before(3) + std::to_string(w + 1);
    return {};
}
