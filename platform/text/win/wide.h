// Inside the platform library on Windows: the system's own text is UTF-16 (wchar_t),
// the system's code keeps UTF-8. Every call into Windows converts here, at the edge.
#pragma once

#include <string>
#include <string_view>

namespace platform::text::win {

// Malformed UTF-8 and lone surrogates each become U+FFFD.
std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace platform::text::win
