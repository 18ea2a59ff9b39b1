// A value inside a quoted SQL literal: every single quote doubled, so a name like
// O'Brien is stored as typed and no value can end the literal early.
#pragma once

#include <string>

inline std::string SqlQuoted(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out;
}
