#include "platform/clock/clock.h"

#include <cstdio>

#include "platform/clock/local_date.h"

namespace platform::clock {

namespace {
std::optional<Date>& Fixed() {
    static std::optional<Date> fixed;
    return fixed;
}
}  // namespace

Date Today() {
    if (Fixed()) return *Fixed();
    return LocalDate();
}

std::string FormatYYYYMMDD(const Date& date) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", date.year % 10000, date.month % 100, date.day % 100);
    return buffer;
}

void FixToday(std::optional<Date> date) { Fixed() = date; }

}  // namespace platform::clock
