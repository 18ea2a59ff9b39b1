// Inside the platform library: each platform's comparison without regard to case,
// for text that is not all ASCII (every script folds: É equals é).
#pragma once

#include <string>
#include <string_view>

namespace platform::text {

bool EqualFolded(std::string_view a, std::string_view b);

// The text with every character folded as EqualFolded folds it.
std::string Folded(std::string_view s);

}  // namespace platform::text
