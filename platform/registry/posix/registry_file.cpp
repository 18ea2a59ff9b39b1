#include <algorithm>
#include <cstdio>
#include <optional>
#include <unordered_map>

#include "platform/registry/posix/registry_store.h"
#include "platform/text/text.h"

namespace platform::registry::detail {

namespace {

std::string Quote(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20 || c == 0x7f) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", unsigned(c));
            out += escaped;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a quoted text at the position, which moves past it; nullopt when there is none.
std::optional<std::string> Unquote(std::string_view line, size_t& position) {
    if (position >= line.size() || line[position] != '"') return std::nullopt;
    std::string out;
    for (size_t i = position + 1; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"') {
            position = i + 1;
            return out;
        }
        if (c != '\\' || i + 1 == line.size()) {
            out += c;
            continue;
        }
        char next = line[++i];
        if (next == 'x' && i + 2 < line.size() && HexDigit(line[i + 1]) >= 0 && HexDigit(line[i + 2]) >= 0) {
            out += char(HexDigit(line[i + 1]) * 16 + HexDigit(line[i + 2]));
            i += 2;
        } else if (next == 'n') {
            out += '\n';
        } else if (next == 'r') {
            out += '\r';
        } else if (next == 't') {
            out += '\t';
        } else {
            out += next;
        }
    }
    return std::nullopt;
}

std::optional<uint32_t> ParseDword(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    uint32_t value = 0;
    for (char c : digits) {
        int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + uint32_t(digit);
    }
    return value;
}

std::optional<NamedValue> ParseValueLine(std::string_view line) {
    NamedValue entry;
    size_t position = 0;
    if (line.starts_with("@")) {
        position = 1;
    } else {
        auto name = Unquote(line, position);
        if (!name) return std::nullopt;
        entry.name = *name;
    }
    if (position >= line.size() || line[position] != '=') return std::nullopt;
    ++position;
    std::string_view data = line.substr(position);
    if (data.starts_with("hex:") || data.starts_with("hex(")) {
        // Binary, expandable and multi-string values are kept as written, unread.
        entry.value.kind = Value::Kind::Other;
        entry.value.text = data;
        return entry;
    }
    if (data.starts_with("dword:")) {
        auto dword = ParseDword(data.substr(6));
        if (!dword) return std::nullopt;
        entry.value.kind = Value::Kind::Dword;
        entry.value.dword = *dword;
        return entry;
    }
    auto text = Unquote(line, position);
    if (!text || position != line.size()) return std::nullopt;
    entry.value.text = *text;
    return entry;
}

std::vector<std::string> SplitKeyPath(std::string_view path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// Orders key paths level by level, without regard to case, so a key comes right
// before the keys below it.
bool PathBefore(const StoredKey& a, const StoredKey& b) {
    size_t common = std::min(a.path.size(), b.path.size());
    for (size_t i = 0; i < common; ++i) {
        if (SameName(a.path[i], b.path[i])) continue;
        std::string la = text::LCase(a.path[i]), lb = text::LCase(b.path[i]);
        return la != lb ? la < lb : a.path[i] < b.path[i];
    }
    return a.path.size() < b.path.size();
}

// A key path as one text that two paths share exactly when SamePath holds for them:
// each name folded as the comparison without regard to case folds it ("\\" never
// occurs inside a name).
std::string FoldedPath(const std::vector<std::string>& path) {
    std::string folded;
    for (const auto& name : path) {
        folded += text::FoldCase(name);
        folded += '\\';
    }
    return folded;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) { return text::EqualNoCase(a, b); }

bool SamePath(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) {
               return SameName(x, y);
           });
}

bool IsBelow(const std::vector<std::string>& path, const std::vector<std::string>& ancestor) {
    return path.size() > ancestor.size() &&
           std::equal(ancestor.begin(), ancestor.end(), path.begin(),
                      [](const auto& x, const auto& y) { return SameName(x, y); });
}

std::string FormatStore(std::vector<StoredKey> keys) {
    std::stable_sort(keys.begin(), keys.end(), PathBefore);
    std::string out = "REGEDIT4\n";
    for (const auto& key : keys) {
        out += "\n[";
        for (size_t i = 0; i < key.path.size(); ++i) out += (i ? "\\" : "") + key.path[i];
        out += "]\n";
        for (const auto& entry : key.values) {
            out += entry.name.empty() ? "@" : Quote(entry.name);
            if (entry.value.kind == Value::Kind::Dword) {
                char dword[16];
                std::snprintf(dword, sizeof dword, "%08x", unsigned(entry.value.dword));
                out += std::string("=dword:") + dword + "\n";
            } else if (entry.value.kind == Value::Kind::Other) {
                out += "=" + entry.value.text + "\n";
            } else {
                out += '=';
                out += Quote(entry.value.text);
                out += '\n';
            }
        }
    }
    return out;
}

Store ParseStore(std::string_view text) {
    Store store;
    std::unordered_map<std::string, size_t> keyIndex;  // folded path -> place in store.keys
    StoredKey* current = nullptr;
    size_t start = 0, number = 0;
    auto nextLine = [&] {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        while (line.ends_with('\r')) line.remove_suffix(1);
        return line;
    };
    auto unread = [&](std::string_view line) {
        if (store.unreadLine == 0) store.unreadLine = number, store.unreadText = line;
    };
    while (start < text.size()) {
        std::string_view line = nextLine();
        if (line.empty() || line.starts_with(';')) continue;
        if (line == "REGEDIT4" || line.starts_with("Windows Registry Editor Version ")) continue;
        if (line.starts_with('[')) {
            size_t close = line.rfind(']');
            current = nullptr;
            auto path = close == std::string_view::npos ? std::vector<std::string>{}
                                                        : SplitKeyPath(line.substr(1, close - 1));
            if (path.empty()) {
                unread(line);
                continue;
            }
            // A key named twice gathers the values of both places.
            const auto [place, added] = keyIndex.try_emplace(FoldedPath(path), store.keys.size());
            if (added) store.keys.push_back(StoredKey{std::move(path), {}});
            current = &store.keys[place->second];
            continue;
        }
        auto entry = current ? ParseValueLine(line) : std::nullopt;
        if (!entry) {
            unread(line);
            continue;
        }
        // A value kept unread runs on over the lines its "\" continues it to.
        if (entry->value.kind == Value::Kind::Other) {
            while (entry->value.text.ends_with('\\') && start < text.size()) {
                entry->value.text += '\n';
                entry->value.text += nextLine();
            }
            // Continued past the end of the file: a value cut off.
            if (entry->value.text.ends_with('\\')) {
                unread(line);
                continue;
            }
        }
        auto same = std::find_if(current->values.begin(), current->values.end(),
                                 [&](const NamedValue& v) { return SameName(v.name, entry->name); });
        if (same != current->values.end())
            same->value = entry->value;
        else
            current->values.push_back(std::move(*entry));
    }
    return store;
}

}  // namespace platform::registry::detail
