#include "checks/era_date.h"

#include "core/utf8.h"

#include <array>
#include <vector>

namespace kakutei {
namespace {

struct Era {
    std::string_view name;
    std::array<std::string_view, 3> shortNames; // how people abbreviate it in a box
    CalendarDate first;
    CalendarDate last;
};

constexpr CalendarDate kNoEnd{9999, 12, 31};
constexpr Era kEras[] = {
    {"明治", {"明", "M", "m"}, {1868, 1, 1}, {1912, 7, 29}},
    {"大正", {"大", "T", "t"}, {1912, 7, 30}, {1926, 12, 24}},
    {"昭和", {"昭", "S", "s"}, {1926, 12, 25}, {1989, 1, 7}},
    {"平成", {"平", "H", "h"}, {1989, 1, 8}, kNoEnd},
};

bool leapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The era `text` starts with, and the rest after it.
const Era* leadingEra(std::string_view& text) {
    for (const Era& era : kEras) {
        if (text.starts_with(era.name)) {
            text.remove_prefix(era.name.size());
            return &era;
        }
        for (std::string_view name : era.shortNames)
            if (text.starts_with(name)) {
                text.remove_prefix(name.size());
                return &era;
            }
    }
    return nullptr;
}

const Era* eraNamed(std::string_view box) {
    std::string_view rest = box;
    const Era* era = leadingEra(rest);
    return era && rest.empty() ? era : nullptr;
}

// The runs of digits in `text`; "元" (the first year of an era) counts as the number 1.
std::vector<std::string> numberRuns(std::string_view text) {
    static constexpr std::string_view kFirstYear = "元";
    std::vector<std::string> runs;
    bool inRun = false;
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i).starts_with(kFirstYear)) {
            runs.emplace_back("1");
            inRun = false;
            i += kFirstYear.size();
        } else if (text[i] >= '0' && text[i] <= '9') {
            if (!inRun)
                runs.emplace_back();
            runs.back() += text[i++];
            inRun = true;
        } else {
            inRun = false;
            ++i;
        }
    }
    return runs;
}

} // namespace

std::optional<CalendarDate> eraDate(std::string_view era, int eraYear, int month, int day) {
    const Era* found = eraNamed(trimmed(era));
    if (!found || eraYear < 1 || month < 1 || month > 12 || day < 1)
        return std::nullopt;
    const CalendarDate date{found->first.year + eraYear - 1, month, day};
    if (day > daysInMonth(date.year, month) || date < found->first || date > found->last)
        return std::nullopt;
    return date;
}

std::optional<CalendarDate> typedEraDate(std::string_view eraBox, std::string_view typed) {
    const std::string box = toHalfWidthAscii(eraBox);
    const std::string text = toHalfWidthAscii(typed);
    std::string_view rest = trimmed(text);
    const Era* inText = leadingEra(rest);
    const Era* era = eraNamed(trimmed(box));
    if (!era)
        era = inText;
    if (!era)
        return std::nullopt;
    std::vector<std::string> runs = numberRuns(rest);
    if (runs.size() == 1 && runs.front().size() == 6)
        runs = {runs[0].substr(0, 2), runs[0].substr(2, 2), runs[0].substr(4, 2)};
    if (runs.size() != 3)
        return std::nullopt;
    for (const std::string& run : runs)
        if (run.size() > 4)
            return std::nullopt;
    return eraDate(era->name, std::stoi(runs[0]), std::stoi(runs[1]), std::stoi(runs[2]));
}

int ageAtYearEnd(CalendarDate birth, int year) {
    const bool bornOnNewYearsDay = birth.month == 1 && birth.day == 1;
    return year - birth.year + (bornOnNewYearsDay ? 1 : 0);
}

std::string eraDateText(std::string_view era, int eraYear, int month, int day) {
    return std::string(era) + std::to_string(eraYear) + "年" + std::to_string(month) + "月" +
           std::to_string(day) + "日";
}

} // namespace kakutei
