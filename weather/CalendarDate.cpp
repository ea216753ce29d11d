#include "CalendarDate.h"

#include <cstdio>

namespace halosoil::weather {

namespace {

bool TakeDigits(std::string_view text, std::size_t from, std::size_t count, int& value) {
    value = 0;
    for (std::size_t k = from; k < from + count; ++k) {
        const char c = text[k];
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

std::chrono::year_month_day Civil(Date date) {
    return std::chrono::year_month_day{date};
}

}  // namespace

std::optional<Date> ParseIsoDate(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    int year = 0, month = 0, day = 0;
    if (!TakeDigits(text, 0, 4, year) || !TakeDigits(text, 5, 2, month) ||
        !TakeDigits(text, 8, 2, day))
        return std::nullopt;
    const std::chrono::year_month_day civil{std::chrono::year{year},
                                            std::chrono::month{static_cast<unsigned>(month)},
                                            std::chrono::day{static_cast<unsigned>(day)}};
    if (!civil.ok()) return std::nullopt;
    return Date{civil};
}

std::string IsoText(Date date) {
    const auto civil = Civil(date);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(civil.year()),
                  static_cast<unsigned>(civil.month()), static_cast<unsigned>(civil.day()));
    return text;
}

int DayOfYear(Date date) {
    const auto civil = Civil(date);
    const Date newYear{civil.year() / std::chrono::January / 1};
    return static_cast<int>((date - newYear).count()) + 1;
}

int MonthOf(Date date) {
    return static_cast<int>(static_cast<unsigned>(Civil(date).month()));
}

Date FirstOfMonth(Date date) {
    const auto civil = Civil(date);
    return Date{civil.year() / civil.month() / 1};
}

Date FirstOfNextMonth(Date date) {
    return MonthsLater(FirstOfMonth(date), 1);
}

Date MonthsLater(Date firstOfMonth, int months) {
    const auto civil = Civil(firstOfMonth);
    const auto later = civil.year() / civil.month() / 1 + std::chrono::months{months};
    return Date{later};
}

}  // namespace halosoil::weather
