// One INI file held as its lines, exactly as they were read, so that a change to one
// key rewrites that line alone and every other byte (comments, blank lines, order,
// each line's own line end, a byte-order mark) comes back unchanged.
//
// Names compare without regard to case; blanks around names and values do not count;
// the first matching section and, inside it, the first matching key win. Lines before
// the first section belong to no section and never match.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::profile {

class IniDocument {
public:
    // Splits the text at line ends (CRLF, LF or a lone CR); a UTF-8 byte-order mark at the start
    // is kept aside and does not belong to the first line.
    explicit IniDocument(std::string_view content);

    // The value of the key: trimmed, without one pair of matching quotes around it;
    // "" for a key line without "="; nullopt when the section or the key is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Changes the key's line in place to "Key=value" (the key keeps its own spelling),
    // or adds the key after the last key of the section, or adds the section with the
    // key at the end of the document. The value is stored as given.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // Removes the key's line; false when there was nothing to remove.
    bool Remove(std::string_view section, std::string_view key);

    // The whole document as file content.
    std::string Text() const;

private:
    struct Line {
        std::string text;  // without its line end
        std::string end;   // "\r\n", "\n", "\r", or "" for a last line without one
    };

    // Index of the first section header with this name, or npos.
    size_t FindSection(std::string_view section) const;
    // Index of the first key line of that name in the section starting at the header
    // index, or npos.
    size_t FindKey(size_t header, std::string_view key) const;
    // Inserts a line ending CRLF before index (index == size appends).
    void InsertLine(size_t index, std::string text);

    std::string bom_;
    std::vector<Line> lines_;
};

}  // namespace platform::profile
