#include "platform/profile/posix/ini_line.h"

namespace platform::profile {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

IniLine ClassifyLine(std::string_view text) {
    IniLine line;
    std::string_view content = TrimBlanks(text);
    if (content.empty() || content.front() == ';') return line;

    if (content.front() == '[') {
        size_t close = content.rfind(']');
        if (close != std::string_view::npos) {
            line.kind = IniLine::Kind::Section;
            line.name = TrimBlanks(content.substr(1, close - 1));
            return line;
        }
        // A "[" without its "]" is no header: the line reads as a key, as on Windows.
    }

    line.kind = IniLine::Kind::Key;
    size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        line.name = content;
        return line;
    }
    line.name = TrimBlanks(content.substr(0, equals));
    line.value = TrimBlanks(content.substr(equals + 1));
    return line;
}

}  // namespace platform::profile
