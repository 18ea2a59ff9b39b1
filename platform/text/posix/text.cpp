// Case folding and case mapping through ICU.
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include "platform/text/case_folding.h"
#include "platform/text/text.h"

namespace platform::text {

namespace {

icu::UnicodeString Wide(std::string_view s) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(s.data(), int32_t(s.size())));
}

std::string Narrow(const icu::UnicodeString& u) {
    std::string out;
    u.toUTF8String(out);
    return out;
}

}  // namespace

bool EqualFolded(std::string_view a, std::string_view b) {
    return Wide(a).caseCompare(Wide(b), U_FOLD_CASE_DEFAULT) == 0;
}

std::string Folded(std::string_view s) { return Narrow(Wide(s).foldCase(U_FOLD_CASE_DEFAULT)); }

std::string UCase(std::string_view s) { return Narrow(Wide(s).toUpper(icu::Locale::getRoot())); }
std::string LCase(std::string_view s) { return Narrow(Wide(s).toLower(icu::Locale::getRoot())); }

}  // namespace platform::text
