#include "platform/clock/local_date.h"

#include <ctime>

namespace platform::clock {

Date LocalDate() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace platform::clock
