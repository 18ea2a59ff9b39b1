#include "hosts/mail/unicode.h"

#include <glib.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace mail {

namespace {

constexpr UChar32 kReplacement = 0xFFFD;

std::u16string FromUtf8(std::string_view utf8) {
    std::u16string out(utf8.size() + 1, u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), int32_t(out.size()), &length, utf8.data(),
                         int32_t(utf8.size()), kReplacement, nullptr, &status);
    out.resize(U_SUCCESS(status) ? size_t(length) : 0);
    return out;
}

std::string ToUtf8(const char16_t* text, size_t units) {
    std::string out(units * 3 + 1, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), int32_t(out.size()), &length, reinterpret_cast<const UChar*>(text),
                       int32_t(units), kReplacement, nullptr, &status);
    out.resize(U_SUCCESS(status) ? size_t(length) : 0);
    return out;
}

}  // namespace

std::string Utf8ToUtf16Le(std::string_view utf8) {
    std::u16string units = FromUtf8(utf8);
    std::string bytes(units.size() * 2, '\0');
    for (size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = char(units[i] & 0xFF);
        bytes[2 * i + 1] = char(units[i] >> 8);
    }
    return bytes;
}

std::string Utf16LeToUtf8(std::string_view utf16) {
    std::vector<char16_t> units(utf16.size() / 2);
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(static_cast<unsigned char>(utf16[2 * i]) |
                            (static_cast<unsigned char>(utf16[2 * i + 1]) << 8));
    return ToUtf8(units.data(), units.size());
}

std::string ValidUtf8(std::string_view text) {
    if (g_utf8_validate_len(text.data(), text.size(), nullptr)) return std::string(text);
    std::u16string units = FromUtf8(text);
    return ToUtf8(units.data(), units.size());
}

std::string MessageText(std::string_view text) {
    std::string valid = ValidUtf8(text);
    valid.erase(std::remove(valid.begin(), valid.end(), '\0'), valid.end());
    return valid;
}

}  // namespace mail
