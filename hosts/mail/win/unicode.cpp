#include <windows.h>

#include "hosts/mail/unicode_convert.h"

namespace mail::convert {

// The system's converters replace what is not valid with U+FFFD.
std::u16string Utf16Of(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::u16string out(size_t(units), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), reinterpret_cast<wchar_t*>(out.data()), units);
    return out;
}

std::string Utf8Of(std::u16string_view utf16) {
    if (utf16.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(utf16.data());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, int(utf16.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, int(utf16.size()), out.data(), bytes, nullptr, nullptr);
    return out;
}

bool IsValidUtf8(std::string_view text) {
    return text.empty() ||
           MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), nullptr, 0) != 0;
}

}  // namespace mail::convert
