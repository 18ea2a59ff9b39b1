// Inside the platform library: each platform's comparison without regard to case,
// for text that is not all ASCII (every script folds: É equals é).
#pragma once

#include <string_view>

namespace platform::text {

bool EqualFolded(std::string_view a, std::string_view b);

}  // namespace platform::text
