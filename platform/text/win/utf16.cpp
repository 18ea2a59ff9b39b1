// UTF-8 to UTF-16 and back, through the system's own conversions.
#include <windows.h>

#include <climits>

#include "platform/text/text.h"
#include "platform/text/win/wide.h"

namespace platform::text {

namespace win {

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    if (utf8.size() > size_t(INT_MAX)) return {};
    const int length = int(utf8.size());
    // Without MB_ERR_INVALID_CHARS a malformed sequence becomes U+FFFD.
    const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(size_t(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), count);
    return wide;
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty()) return {};
    if (wide.size() > size_t(INT_MAX)) return {};
    const int length = int(wide.size());
    const int count = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(size_t(count), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), count, nullptr, nullptr);
    return utf8;
}

}  // namespace win

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 code units");

std::u16string ToUtf16(std::string_view utf8) {
    const std::wstring wide = win::Wide(utf8);
    return std::u16string(wide.begin(), wide.end());
}

std::string FromUtf16(std::u16string_view utf16) {
    const std::wstring wide(utf16.begin(), utf16.end());
    return win::Narrow(wide);
}

}  // namespace platform::text
