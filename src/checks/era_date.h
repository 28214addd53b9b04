#pragma once
// Birth dates as the forms take them: an era (明治, 大正, 昭和, 平成) and a year, month and day within it.

#include <optional>
#include <string>
#include <string_view>

namespace kakutei {

struct CalendarDate {
    int year = 0; // Gregorian
    int month = 0;
    int day = 0;
    auto operator<=>(const CalendarDate&) const = default;
};

// The day `eraYear`.`month`.`day` of `era`, or nothing when that era has no such day (昭和1年1月1日 does not
// exist: 昭和 began on 25 December 1926).
std::optional<CalendarDate> eraDate(std::string_view era, int eraYear, int month, int day);

// A date typed into a text box beside an era box, as the screens suggest ("13.01.31"), or with other
// separators, full-width digits, the era written in front ("昭和13.1.31", "S13.1.31") or six digits
// ("130131"). The era box wins when it holds an era.
std::optional<CalendarDate> typedEraDate(std::string_view eraBox, std::string_view typed);

// The age at the end of 31 December of `year`. A person grows a year older on the day before the birthday,
// so someone born on 1 January is already a year older at the end of the 31 December before.
int ageAtYearEnd(CalendarDate birth, int year);

// "昭和13年1月31日" for a date as it was given.
std::string eraDateText(std::string_view era, int eraYear, int month, int day);

} // namespace kakutei
