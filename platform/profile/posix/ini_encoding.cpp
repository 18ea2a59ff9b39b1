#include "platform/profile/posix/ini_encoding.h"

#include "platform/text/text.h"

namespace platform::profile {

DecodedIni DecodeIni(std::string_view content) {
    DecodedIni decoded;
    if (content.starts_with("\xFF\xFE"))
        decoded.encoding = IniEncoding::Utf16Little;
    else if (content.starts_with("\xFE\xFF"))
        decoded.encoding = IniEncoding::Utf16Big;
    if (decoded.encoding == IniEncoding::Bytes) {
        decoded.text = content;
        return decoded;
    }
    bool little = decoded.encoding == IniEncoding::Utf16Little;
    std::u16string units;
    for (size_t i = 2; i + 1 < content.size(); i += 2) {
        auto low = static_cast<unsigned char>(content[little ? i : i + 1]);
        auto high = static_cast<unsigned char>(content[little ? i + 1 : i]);
        units += static_cast<char16_t>(high << 8 | low);
    }
    decoded.text = text::FromUtf16(units);
    return decoded;
}

std::string EncodeIni(std::string_view text, IniEncoding encoding) {
    if (encoding == IniEncoding::Bytes) return std::string(text);
    bool little = encoding == IniEncoding::Utf16Little;
    std::string content = little ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t unit : text::ToUtf16(text)) {
        char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        content += little ? low : high;
        content += little ? high : low;
    }
    return content;
}

}  // namespace platform::profile
