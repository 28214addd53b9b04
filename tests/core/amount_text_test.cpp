#include "core/amount_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kakutei {
namespace {

struct ReadCase {
    const char* text;
    double asDouble;
    std::int32_t asInteger;
};

const ReadCase kReadCases[] = {
    {"", 0, 0},
    {"0", 0, 0},
    {"1234", 1234, 1234},
    {"1,234", 1234, 1234},
    {"-1,234", -1234, -1234},
    {"1,234,567", 1234567, 1234567},
    {"１，２３４", 1234, 1234}, // typed through the input method
    {"－１２", -12, -12},       // full-width minus
    {"１２", 12, 12},
    {" 12 ", 12, 12},
    {"　12　", 12, 12}, // ideographic spaces
    {"2.5", 2.5, 2},    // half to even on an integer screen
    {"3.5", 3.5, 4},
    {"-2.5", -2.5, -2},
    {"750000.7", 750000.7, 750001},
    {"1.", 1, 1},
    {".5", 0.5, 0},
    {"1.2.3", 0, 0},
    {"abc", 0, 0},
    {"12abc", 0, 0},
    {"1 2", 0, 0},
    {",123", 0, 0},
    {"1,234.5,6", 0, 0},
    {"-", 0, 0},
    {"1e3", 0, 0},
    {"9999999999", 9999999999.0, 0}, // ten digits: beyond 32 bits
    {"2147483647", 2147483647.0, 2147483647},
    {"-2147483648", -2147483648.0, -2147483648},
    {"2147483648", 2147483648.0, 0},
};

class AmountReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(AmountReading, ReadsAsBothNumericTypes) {
    const ReadCase& c = GetParam();
    EXPECT_DOUBLE_EQ(readAmount(c.text), c.asDouble) << c.text;
    EXPECT_EQ(readIntegerAmount(c.text), c.asInteger) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Texts, AmountReading, ::testing::ValuesIn(kReadCases));

TEST(AmountReading, NumbersBeyondDoubleReadAsZero) {
    EXPECT_EQ(readAmount(std::string(400, '9')), 0);
}

struct FormatCase {
    double value;
    const char* shown;
};

class AmountFormatting : public ::testing::TestWithParam<FormatCase> {};

TEST_P(AmountFormatting, ShowsHashCommaPattern) {
    EXPECT_EQ(formatAmount(GetParam().value), GetParam().shown) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, AmountFormatting,
    ::testing::Values(FormatCase{0, ""}, FormatCase{0.4, ""}, FormatCase{-0.4, ""}, FormatCase{0.5, "1"},
                      FormatCase{-0.5, "-1"}, FormatCase{2.5, "3"}, FormatCase{1234, "1,234"},
                      FormatCase{-1234, "-1,234"}, FormatCase{999, "999"}, FormatCase{1000, "1,000"},
                      FormatCase{750000.7, "750,001"}, FormatCase{1234567890123.0, "1,234,567,890,123"},
                      FormatCase{1e12, "1,000,000,000,000"},
                      FormatCase{-1e20, "-100,000,000,000,000,000,000"}, FormatCase{NAN, ""}));

TEST(AmountFormatting, IntegersIncludingExtremes) {
    EXPECT_EQ(formatAmount(std::int32_t{0}), "");
    EXPECT_EQ(formatAmount(std::int32_t{-5}), "-5");
    EXPECT_EQ(formatAmount(std::int32_t{2147483647}), "2,147,483,647");
    EXPECT_EQ(formatAmount(std::int32_t{-2147483647 - 1}), "-2,147,483,648");
}

TEST(AmountFormatting, EveryShownTextReadsBackToTheSameNumber) {
    for (double value : {1.0, 12.0, 123.0, 1234.0, 12345678.0, -987654.0}) {
        EXPECT_EQ(readAmount(formatAmount(value)), value);
        EXPECT_EQ(readIntegerAmount(formatAmount(value)), static_cast<std::int32_t>(value));
    }
}

TEST(PersonCodeConversion, SixteenBitRange) {
    EXPECT_EQ(toInt16(32767), 32767);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_EQ(toInt16(32768), std::nullopt);
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(32767.5), std::nullopt); // rounds to 32768
}

} // namespace
} // namespace kakutei
