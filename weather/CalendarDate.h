// Calendar days of a station record: ISO 8601 dates (2001-07-06) read and written, the day of
// the year FAO-56's solar terms take, and the months that group days into time steps.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace halosoil::weather {

using Date = std::chrono::sys_days;

// The date of a text "YYYY-MM-DD" (spaces around it allowed), or nothing when it is not a
// valid date of that form.
std::optional<Date> ParseIsoDate(std::string_view text);
std::string IsoText(Date date);

// 1 for 1 January, 365 or 366 for 31 December (J of FAO-56 eq. 21 to 25).
int DayOfYear(Date date);
// 1 to 12.
int MonthOf(Date date);
// The first day of the date's month, and of the month after it.
Date FirstOfMonth(Date date);
Date FirstOfNextMonth(Date date);
// The first day of the month that begins `months` calendar months after the date's own.
Date MonthsLater(Date firstOfMonth, int months);

}  // namespace halosoil::weather
