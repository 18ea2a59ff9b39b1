// UTF-8 to UTF-16 and back, through ICU.
#include <unicode/unistr.h>

#include "platform/text/text.h"

namespace platform::text {

std::u16string ToUtf16(std::string_view utf8) {
    icu::UnicodeString wide = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), int32_t(utf8.size())));
    return std::u16string(wide.getBuffer(), size_t(wide.length()));
}

std::string FromUtf16(std::u16string_view utf16) {
    icu::UnicodeString wide(utf16.data(), int32_t(utf16.size()));
    std::string out;
    wide.toUTF8String(out);
    return out;
}

}  // namespace platform::text
