#include "platform/ado/connection_properties.h"

#include <algorithm>

namespace platform::ado {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool SameKey(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return Lower(x) == Lower(y);
           });
}

}  // namespace

ConnectionProperties ConnectionProperties::Parse(std::string_view text) {
    ConnectionProperties result;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        // The key runs to the first single "="; "==" is an "=" inside the key.
        std::string key;
        bool sawEquals = false;
        while (i < n && text[i] != ';') {
            if (text[i] == '=') {
                if (i + 1 < n && text[i + 1] == '=') {
                    key += '=';
                    i += 2;
                    continue;
                }
                sawEquals = true;
                ++i;
                break;
            }
            key += text[i++];
        }
        std::string value;
        if (sawEquals) {
            while (i < n && IsBlank(text[i])) ++i;
            if (i < n && (text[i] == '"' || text[i] == '\'')) {
                const char quote = text[i++];
                while (i < n) {
                    if (text[i] == quote) {
                        if (i + 1 < n && text[i + 1] == quote) {
                            value += quote;
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    value += text[i++];
                }
                // Anything after the closing quote up to the ";" is dropped.
                while (i < n && text[i] != ';') ++i;
            } else {
                size_t start = i;
                while (i < n && text[i] != ';') ++i;
                value = std::string(Trim(text.substr(start, i - start)));
            }
        }
        if (i < n && text[i] == ';') ++i;
        std::string_view trimmedKey = Trim(key);
        if (trimmedKey.empty()) continue;
        auto existing = std::find_if(result.pairs_.begin(), result.pairs_.end(),
                                     [&](const auto& pair) { return SameKey(pair.first, trimmedKey); });
        if (existing != result.pairs_.end())
            existing->second = std::move(value);
        else
            result.pairs_.emplace_back(std::string(trimmedKey), std::move(value));
    }
    return result;
}

std::optional<std::string> ConnectionProperties::Find(std::string_view key) const {
    for (const auto& [k, v] : pairs_)
        if (SameKey(k, key)) return v;
    return std::nullopt;
}

}  // namespace platform::ado
