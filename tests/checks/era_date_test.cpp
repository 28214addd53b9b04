#include "checks/era_date.h"

#include <gtest/gtest.h>

namespace kakutei {
namespace {

constexpr CalendarDate kNone{};

TEST(EraDate, DaysExistOnlyWithinTheirEra) {
    const struct {
        const char* era;
        int year, month, day;
        CalendarDate expected; // kNone: no such day
    } cases[] = {
        {"昭和", 45, 3, 2, {1970, 3, 2}},
        {"昭和", 1, 12, 25, {1926, 12, 25}}, // the era's first day
        {"昭和", 1, 12, 24, kNone},          // still 大正
        {"昭和", 1, 1, 1, kNone},            // what an empty registration stores
        {"大正", 15, 12, 24, {1926, 12, 24}},
        {"昭和", 64, 1, 7, {1989, 1, 7}},
        {"昭和", 64, 1, 8, kNone},
        {"平成", 1, 1, 8, {1989, 1, 8}},
        {"明治", 45, 7, 29, {1912, 7, 29}},
        {"明治", 45, 7, 30, kNone},
        {"平成", 4, 2, 29, {1992, 2, 29}},
        {"平成", 5, 2, 29, kNone},
        {"昭和", 30, 13, 1, kNone},
        {"昭和", 30, 4, 31, kNone},
        {"昭和", 0, 4, 1, kNone},
        {"", 30, 4, 1, kNone},
        {"年号", 30, 4, 1, kNone},
    };
    for (const auto& c : cases) {
        const auto date = eraDate(c.era, c.year, c.month, c.day);
        SCOPED_TRACE(eraDateText(c.era, c.year, c.month, c.day));
        if (c.expected == kNone)
            EXPECT_FALSE(date.has_value());
        else
            EXPECT_EQ(date.value_or(kNone), c.expected);
    }
}

TEST(EraDate, TypedDatesInTheFormsPeopleUse) {
    const struct {
        const char* eraBox;
        const char* typed;
        CalendarDate expected;
    } cases[] = {
        {"昭和", "13.01.31", {1938, 1, 31}}, // the screen's own example
        {"昭和", "13.1.31", {1938, 1, 31}},
        {"昭和", "１３．０１．３１", {1938, 1, 31}}, // through an input method
        {"昭和", "13年1月31日", {1938, 1, 31}},
        {"年号", "昭和13.1.31", {1938, 1, 31}}, // the era typed with the date
        {"", "S13/1/31", {1938, 1, 31}},
        {"平成", "元.1.8", {1989, 1, 8}},
        {"H", "150405", {2003, 4, 5}},
        {"平成", "昭和13.1.31", {1989 + 12, 1, 31}}, // the era box wins
        {"年号", "13.01.31", kNone},                 // no era anywhere
        {"昭和", "13.01", kNone},
        {"昭和", "", kNone},
        {"昭和", "13.02.30", kNone},
        {"昭和", "13.01.31.5", kNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.eraBox) + " " + c.typed);
        const auto date = typedEraDate(c.eraBox, c.typed);
        if (c.expected == kNone)
            EXPECT_FALSE(date.has_value());
        else
            EXPECT_EQ(date.value_or(kNone), c.expected);
    }
}

TEST(EraDate, AgeAtTheYearsEndCountsNewYearsDayAsTheYearBefore) {
    EXPECT_EQ(ageAtYearEnd({1935, 1, 1}, 2004), 70);
    EXPECT_EQ(ageAtYearEnd({1935, 1, 2}, 2004), 69);
    EXPECT_EQ(ageAtYearEnd({1935, 12, 31}, 2004), 69);
    EXPECT_EQ(ageAtYearEnd({1982, 1, 2}, 2004), 22);
    EXPECT_EQ(ageAtYearEnd({1982, 1, 1}, 2004), 23);
}

} // namespace
} // namespace kakutei
