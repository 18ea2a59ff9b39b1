#include <glib.h>
#include <unicode/ustring.h>

#include "hosts/mail/unicode_convert.h"

namespace mail::convert {

namespace {
constexpr UChar32 kReplacement = 0xFFFD;
}  // namespace

std::u16string Utf16Of(std::string_view utf8) {
    std::u16string out(utf8.size() + 1, u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), int32_t(out.size()), &length, utf8.data(),
                         int32_t(utf8.size()), kReplacement, nullptr, &status);
    out.resize(U_SUCCESS(status) ? size_t(length) : 0);
    return out;
}

std::string Utf8Of(std::u16string_view utf16) {
    std::string out(utf16.size() * 3 + 1, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), int32_t(out.size()), &length, reinterpret_cast<const UChar*>(utf16.data()),
                       int32_t(utf16.size()), kReplacement, nullptr, &status);
    out.resize(U_SUCCESS(status) ? size_t(length) : 0);
    return out;
}

bool IsValidUtf8(std::string_view text) { return g_utf8_validate_len(text.data(), text.size(), nullptr); }

}  // namespace mail::convert
