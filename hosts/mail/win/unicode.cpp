#include "hosts/mail/unicode.h"

#include <windows.h>

#include <algorithm>

namespace mail {

namespace {

// The system's converters replace what is not valid with U+FFFD.
std::wstring FromUtf8(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring out(size_t(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), units);
    return out;
}

std::string ToUtf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace

std::string Utf8ToUtf16Le(std::string_view utf8) {
    const std::wstring units = FromUtf8(utf8);
    std::string bytes(units.size() * 2, '\0');
    for (size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = char(units[i] & 0xFF);
        bytes[2 * i + 1] = char(units[i] >> 8);
    }
    return bytes;
}

std::string Utf16LeToUtf8(std::string_view utf16) {
    std::wstring units(utf16.size() / 2, L'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = wchar_t(static_cast<unsigned char>(utf16[2 * i]) |
                           (static_cast<unsigned char>(utf16[2 * i + 1]) << 8));
    return ToUtf8(units);
}

std::string ValidUtf8(std::string_view text) {
    if (text.empty() ||
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), nullptr, 0) != 0)
        return std::string(text);
    return ToUtf8(FromUtf8(text));
}

std::string MessageText(std::string_view text) {
    std::string valid = ValidUtf8(text);
    valid.erase(std::remove(valid.begin(), valid.end(), '\0'), valid.end());
    return valid;
}

}  // namespace mail
