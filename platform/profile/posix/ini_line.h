// What one line of an INI file says: a section header, a key (with or without a
// value), or nothing that takes part in a look-up (a blank line or a comment).
#pragma once

#include <string_view>

namespace platform::profile {

struct IniLine {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    std::string_view name;   // section or key name, blanks around it removed
    std::string_view value;  // a key's value, blanks around it removed (quotes kept)
};

// Reads one line (without its line end). "[name]" is a section header (the name runs
// to the last "]"); a line starting with ";" is a comment; any other non-blank line
// is a key, its name running to the first "=" (a line without "=" is a key with no
// value). The views point into the given text.
IniLine ClassifyLine(std::string_view text);

// Blanks (spaces, tabs, stray carriage returns) removed at either end.
std::string_view TrimBlanks(std::string_view text);

// A value enclosed in one pair of matching quotes ("..." or '...') without them.
std::string_view StripQuotes(std::string_view value);

}  // namespace platform::profile
