#include "platform/clock/local_date.h"

#include <windows.h>

namespace platform::clock {

Date LocalDate() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return Date{local.wYear, local.wMonth, local.wDay};
}

}  // namespace platform::clock
