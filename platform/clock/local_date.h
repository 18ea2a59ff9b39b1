// Inside the platform library: today's date in the local time zone, as each
// platform's clock gives it.
#pragma once

#include "platform/clock/clock.h"

namespace platform::clock {

Date LocalDate();

}  // namespace platform::clock
