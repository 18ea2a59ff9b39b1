#include "platform/clock/clock.h"

#include <cstdio>
#include <ctime>

namespace platform::clock {

namespace {
std::optional<Date>& Fixed() {
    static std::optional<Date> fixed;
    return fixed;
}
}  // namespace

Date Today() {
    if (Fixed()) return *Fixed();
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string FormatYYYYMMDD(const Date& date) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", date.year % 10000, date.month % 100, date.day % 100);
    return buffer;
}

void FixToday(std::optional<Date> date) { Fixed() = date; }

}  // namespace platform::clock
