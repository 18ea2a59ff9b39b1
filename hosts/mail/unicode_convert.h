// Inside the mail library: the conversions its text forms rest on, from the library
// each platform has (ICU here, the system's converters on Windows). What is not valid
// becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace mail::convert {

std::u16string Utf16Of(std::string_view utf8);
std::string Utf8Of(std::u16string_view utf16);
bool IsValidUtf8(std::string_view text);

}  // namespace mail::convert
