// Today's date, as the system clock gives it; a host may fix it (a scenario's
// "today" step).
#pragma once

#include <optional>
#include <string>

namespace platform::clock {

struct Date {
    int year = 0, month = 0, day = 0;
};

Date Today();
// "20260305": year, month and day as digits.
std::string FormatYYYYMMDD(const Date& date);

// For hosts: from now on Today() gives this date (nullopt: the real clock again).
void FixToday(std::optional<Date> date);

}  // namespace platform::clock
