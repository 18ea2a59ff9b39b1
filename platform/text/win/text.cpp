// Case folding and case mapping by the system's own linguistic rules, in the
// invariant locale (no user's language changes how "i" folds).
#include <windows.h>

#include <string>

#include "platform/text/case_folding.h"
#include "platform/text/text.h"
#include "platform/text/win/wide.h"

namespace platform::text {

namespace {

std::string Mapped(std::string_view s, DWORD flags) {
    const std::wstring wide = win::Wide(s);
    if (wide.empty()) return {};
    const int length = int(wide.size());
    const int count = LCMapStringEx(LOCALE_NAME_INVARIANT, flags, wide.data(), length, nullptr, 0, nullptr, nullptr, 0);
    if (count <= 0) return std::string(s);
    std::wstring mapped(size_t(count), L'\0');
    LCMapStringEx(LOCALE_NAME_INVARIANT, flags, wide.data(), length, mapped.data(), count, nullptr, nullptr, 0);
    return win::Narrow(mapped);
}

}  // namespace

bool EqualFolded(std::string_view a, std::string_view b) {
    const std::wstring wa = win::Wide(a), wb = win::Wide(b);
    return CompareStringEx(LOCALE_NAME_INVARIANT, LINGUISTIC_IGNORECASE, wa.data(), int(wa.size()), wb.data(),
                           int(wb.size()), nullptr, nullptr, 0) == CSTR_EQUAL;
}

std::string Folded(std::string_view s) { return Mapped(s, LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING); }

std::string UCase(std::string_view s) { return Mapped(s, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING); }
std::string LCase(std::string_view s) { return Mapped(s, LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING); }

}  // namespace platform::text
