// Text between the forms the message files hold it in: UTF-8 in the model, UTF-16
// (little-endian) in Outlook's message files. Bytes that are not valid UTF-8 (or
// UTF-16) become U+FFFD rather than failing, so any text can be written.
#pragma once

#include <string>
#include <string_view>

namespace mail {

std::string Utf8ToUtf16Le(std::string_view utf8);
std::string Utf16LeToUtf8(std::string_view utf16);
// The text with every invalid sequence replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);
// Text as messages carry it: valid UTF-8 without NUL characters (no mail program
// shows them, and Outlook's strings end at the first).
std::string MessageText(std::string_view text);

}  // namespace mail
