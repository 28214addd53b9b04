// A CSV cell is shown by a spreadsheet as the text or the number it holds: never run as a formula, never
// split by a comma or a line break inside it.
#include "office/csv_text.h"

#include <gtest/gtest.h>

namespace kakutei {
namespace {

TEST(CsvText, ACellThatAFormulaCouldStartWithIsText) {
    const struct {
        const char* text;
        const char* cell;
    } cases[] = {
        {"山田太郎", "山田太郎"},
        {"", ""},
        {"=1+1", "'=1+1"},
        {"=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
        {"+81 3 1234 5678", "'+81 3 1234 5678"},
        {"@SUM(A1:A9)", "'@SUM(A1:A9)"},
        {"\t=1+1", "'\t=1+1"},
        {"\r=1+1", "\"'\r=1+1\""},
        {"-1+1", "'-1+1"},
        {"-", "'-"},
        {"-A1", "'-A1"},
        {"-12000", "-12000"}, // a plain number stays a number
        {"-0.5", "-0.5"},
        {"-1.", "'-1."},
        {"12000", "12000"},
        {"山田=太郎", "山田=太郎"}, // only the first character starts a formula
        {"髙橋, 花子", "\"髙橋, 花子\""},
        {"二\n行", "\"二\n行\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(csvField(c.text), c.cell) << c.text;
}

} // namespace
} // namespace kakutei
