#include "platform/ado/odbc/statement_text.h"

namespace platform::ado::odbc {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Past the comment that starts at i, or i itself when none starts there.
size_t SkipComment(std::string_view text, size_t i) {
    if (text.compare(i, 2, "--") == 0) {
        const size_t end = text.find('\n', i);
        return end == std::string_view::npos ? text.size() : end + 1;
    }
    if (text.compare(i, 2, "/*") == 0) {
        const size_t end = text.find("*/", i + 2);
        return end == std::string_view::npos ? text.size() : end + 2;
    }
    return i;
}

// Past the quoted text that starts at i (a doubled closing quote stands for itself).
size_t SkipQuoted(std::string_view text, size_t i) {
    const char open = text[i];
    const char close = open == '[' ? ']' : open;
    for (size_t j = i + 1; j < text.size(); ++j) {
        if (text[j] != close) continue;
        if (close != ']' && j + 1 < text.size() && text[j + 1] == close) {
            ++j;
            continue;
        }
        return j + 1;
    }
    return text.size();
}

}  // namespace

CommandStatement ReadCommand(std::string_view command) {
    size_t end = 0;  // just past the statement's last word; 0 while it has none
    size_t i = 0;
    while (i < command.size() && command[i] != ';') {
        const char c = command[i];
        if (const size_t past = SkipComment(command, i); past != i) {
            i = past;
        } else if (c == '\'' || c == '"' || c == '[' || c == '`') {
            i = end = SkipQuoted(command, i);
        } else {
            ++i;
            if (!IsBlank(c)) end = i;
        }
    }
    if (end == 0) return {};
    // After the semicolon: blanks, comments and more semicolons only.
    while (i < command.size()) {
        if (const size_t past = SkipComment(command, i); past != i)
            i = past;
        else if (IsBlank(command[i]) || command[i] == ';')
            ++i;
        else
            return {CommandStatement::Shape::More, {}};
    }
    return {CommandStatement::Shape::One, command.substr(0, end)};
}

}  // namespace platform::ado::odbc
