// A control's property by the name a scenario uses ("Text", "Caption", "List(3)"),
// as text: numbers in decimal, truth values as true/false.
#pragma once

#include <optional>
#include <string>

#include "platform/toolkit/control.h"

namespace sim::runner {

std::optional<std::string> ControlProperty(platform::toolkit::Control& control, const std::string& property);

}  // namespace sim::runner
