#include "hosts/mail/unicode.h"

#include <algorithm>

#include "hosts/mail/unicode_convert.h"

namespace mail {

std::string Utf8ToUtf16Le(std::string_view utf8) {
    const std::u16string units = convert::Utf16Of(utf8);
    std::string bytes(units.size() * 2, '\0');
    for (size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = char(units[i] & 0xFF);
        bytes[2 * i + 1] = char(units[i] >> 8);
    }
    return bytes;
}

std::string Utf16LeToUtf8(std::string_view utf16) {
    std::u16string units(utf16.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(static_cast<unsigned char>(utf16[2 * i]) |
                            (static_cast<unsigned char>(utf16[2 * i + 1]) << 8));
    return convert::Utf8Of(units);
}

std::string ValidUtf8(std::string_view text) {
    if (convert::IsValidUtf8(text)) return std::string(text);
    return convert::Utf8Of(convert::Utf16Of(text));
}

std::string MessageText(std::string_view text) {
    std::string valid = ValidUtf8(text);
    valid.erase(std::remove(valid.begin(), valid.end(), '\0'), valid.end());
    return valid;
}

}  // namespace mail
