#include "core/path_text.h"
#include "income/income_screen.h"

#include "core/amount_text.h"
#include "core/record.h"

#include "screen_fixture.h"

namespace kakutei {
namespace {

namespace is = income_screen;
using testing::DataScreenFixture;

struct IncomeFixture : DataScreenFixture {
    IncomeScreen screen{store, ui, host};
    IncomeFixture() { openForSeven(screen); }
    // Record field n (1-based) as the file holds it.
    std::string storedField(int n) { return storedLines(1).at(n - 1); }
    Field& revenue(int row) { return screen.revenue[row]; }
    Field& income(int line) { return screen.income[line - 1]; }
};

TEST_F(IncomeFixture, CalculationStoresTwentyAmountsAndFillers) {
    revenue(0).text = "5,000,000";
    income(1).text = "1,200,000";
    income(3).text = "-200,000"; // a loss reduces the total
    revenue(7).text = "999,999"; // ク enters no computation
    income(7).text = "12345";    // income 7 is always the computed pension income
    screen.calculate();
    const auto lines = storedLines(1);
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], "5000000");
    EXPECT_EQ(lines[7], "999999");
    EXPECT_EQ(lines[11], "1200000");
    EXPECT_EQ(lines[13], "-200000");
    EXPECT_EQ(lines[17], "0");
    EXPECT_EQ(lines[19], "1000000");
    EXPECT_EQ(lines[20], "\"予備1\"");
    EXPECT_EQ(lines[31], "\"予備12\"");
    EXPECT_EQ(screen.total.text, "1,000,000");
    EXPECT_EQ(income(7).text, "");
    EXPECT_EQ(income(3).text, "-200,000");
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(host.writes.back(),
              (std::pair<std::string, std::string>{"deductionsTotalIncome", "1,000,000"}));
}

struct PensionCase {
    const char* revenue;
    const char* marker;
    const char* stored; // field 18 as written
    const char* shown;
};

TEST_F(IncomeFixture, PublicPensionIncomeBothTables) {
    const PensionCase cases[] = {
        {"699,999", "", "0", ""},
        {"700,000", "", "0", ""},
        {"1,299,999", "", "599999", "599,999"},
        {"1,300,000", "", "600000", "600,000"},
        {"1,500,001", "", "750000.7", "750,001"},
        {"4,099,999", "", "2699999.2", "2,699,999"},
        {"4,100,000", "", "2700000", "2,700,000"},
        {"7,700,000", "", "5760000", "5,760,000"},
        {"1,399,999", "老年者", "0", ""},
        {"2,599,999", "老年者", "1199999", "1,199,999"},
        {"2,600,000", "老年者", "1200000", "1,200,000"},
        {"4,600,000", "老年者", "2700000", "2,700,000"},
        {"8,200,000", "老年者", "5760000", "5,760,000"},
        {"2,000,000", "老年者 ", "1125000", "1,125,000"}, // anything but exactly 老年者: ordinary table
        {"2,000,000", "寡婦", "1125000", "1,125,000"},
        {"1,000,000,000,000", "", "949998445000", "949,998,445,000"},
    };
    for (const PensionCase& c : cases) {
        screen.clear();
        screen.text98.text = c.marker;
        revenue(is::kPensionRow).text = c.revenue;
        screen.calculate();
        EXPECT_EQ(storedField(18), c.stored) << c.revenue << " " << c.marker;
        EXPECT_EQ(storedField(20), c.stored) << c.revenue;
        EXPECT_EQ(income(7).text, c.shown) << c.revenue;
        EXPECT_EQ(screen.total.text, c.shown) << c.revenue;
    }
}

TEST_F(IncomeFixture, SalaryIncomeThroughTheAutomaticButton) {
    const std::pair<const char*, const char*> cases[] = {
        {"650,999", ""},
        {"651,000", "1,000"},
        {"1,618,999", "968,999"},
        {"1,619,999", "969,000"},
        {"1,621,999", "970,000"},
        {"1,623,999", "972,000"},
        {"1,627,999", "974,000"},
        {"1,628,000", "976,800"},
        {"1,799,999", "1,077,600"},
        {"3,600,000", "2,340,000"},
        {"6,599,999", "4,736,800"},
        {"6,600,000", "4,740,000"},
        {"6,600,001", "4,740,001"},
        {"10,000,000", "7,800,000"},
        {"1,000,000,000,000", "949,998,300,000"},
    };
    for (const auto& [salary, shown] : cases) {
        screen.clear();
        revenue(is::kSalaryRow).text = salary;
        screen.calculateSalary();
        EXPECT_EQ(income(6).text, shown) << salary;
        // Stored as shown: 4,740,000.9 becomes 4,740,001.
        EXPECT_EQ(storedField(17), std::string(shown).empty() ? "0" : formatRecordNumber(readAmount(shown)))
            << salary;
    }
}

TEST_F(IncomeFixture, TransferAndOccasionalIncome) {
    struct Case {
        const char* shortTerm;
        const char* longTerm;
        const char* occasional;
        const char* line8;
    } cases[] = {
        // Transfer: 500,000 shared, short-term first. Occasional: its own 500,000. Line 8 = (short − X1) +
        // Int((long − X2 + occasional − X3) / 2).
        {"100,000", "150,000", "1,000,000", "250,000"}, // 0 + (0 + 500,000) / 2
        {"600,000", "", "800,000", "250,000"},          // 100,000 + (0 + 300,000) / 2
        {"", "600,000", "1,000,000", "300,000"},        // 0 + (100,000 + 500,000) / 2
        {"300,000", "1,000,000", "", "400,000"},        // 0 + (800,000) / 2
        {"", "", "1,000,000", "250,000"},               // 500,000 / 2
        {"700,000", "300,001", "", "350,000"},          // 200,000 + Int(300,001 / 2)
        {"200,000", "", "", ""},
        // At the limits: one below, at, one above.
        {"499,999", "", "", ""},
        {"500,001", "", "", "1"},
        {"", "", "500,001", ""}, // Int(1 / 2)
        {"", "", "500,002", "1"},
        {"", "500,003", "", "1"},
        // A transfer loss is taken from the other transfer's gain before the 500,000, an occasional loss
        // counts as 0, and what is left of a transfer loss comes off the occasional gain before its half.
        {"-100,000", "600,000", "", ""},                 // (600,000 − 100,000 − 500,000) / 2
        {"-100,000", "1,000,000", "", "200,000"},        // (900,000 − 500,000) / 2
        {"-200,000", "1,000,000", "", "150,000"},        // (800,000 − 500,000) / 2
        {"1,000,000", "-200,000", "", "300,000"},        // 800,000 − 500,000
        {"", "1,000,000", "-100,000", "250,000"},        // (500,000 + 0) / 2
        {"-1,000,000", "1,000,000", "", ""},             // nothing left of either
        {"-1,000,001", "1,000,000", "", ""},             // a loss: 0
        {"-100,000", "", "1,000,000", "200,000"},        // (500,000 − 100,000) / 2
        {"-600,000", "", "1,000,000", ""},               // (500,000 − 600,000): a loss, 0
        {"1,200,000", "-100,000", "600,000", "650,000"}, // 600,000 + (0 + 100,000) / 2
        // Huge amounts: no overflow, the deductions are taken as usual. (10^14 − 500,000) + (10^14 − 500,000)
        // / 2
        {"100,000,000,000,000", "", "100,000,000,000,000", "149,999,999,250,000"},
    };
    for (const Case& c : cases) {
        screen.clear();
        revenue(is::kShortTermRow).text = c.shortTerm;
        revenue(is::kLongTermRow).text = c.longTerm;
        revenue(is::kOccasionalRow).text = c.occasional;
        screen.calculateTransfer();
        EXPECT_EQ(income(8).text, c.line8) << c.shortTerm << "/" << c.longTerm << "/" << c.occasional;
        EXPECT_EQ(screen.total.text, c.line8);
    }
}

TEST_F(IncomeFixture, TransferButtonWithNoRevenueKeepsTheTypedIncome) {
    income(8).text = "123,456";
    screen.calculateTransfer();
    EXPECT_EQ(income(8).text, "123,456");
    EXPECT_EQ(storedField(19), "123456");
}

TEST_F(IncomeFixture, UnreadableAmountsReadAsZeroWithoutAMessage) {
    revenue(0).text = "abc";
    income(1).text = "1.2.3";
    income(2).text = "１，０００";
    screen.calculate();
    EXPECT_EQ(storedField(1), "0");
    EXPECT_EQ(storedField(12), "0");
    EXPECT_EQ(storedField(13), "1000");
    EXPECT_TRUE(ui.calls.empty());
}

TEST_F(IncomeFixture, PreviousYearShowsRedAndDataBlack) {
    writeScreenFile(1, std::vector<std::string>(20, "1000"), kPreviousYearCode);
    screen.previousYearData();
    EXPECT_EQ(revenue(0).text, "1,000");
    EXPECT_EQ(revenue(0).colour, colours::red);
    EXPECT_EQ(screen.total.colour, colours::red);
    EXPECT_FALSE(stored(1)); // nothing written
    screen.calculate();      // stores the red values as this year's
    EXPECT_EQ(storedField(1), "1000");
    EXPECT_EQ(revenue(0).colour, colours::black);
    screen.data();
    EXPECT_EQ(revenue(0).colour, colours::black);
}

TEST_F(IncomeFixture, PreviousYearWithoutItsFolderLeavesTheScreenEmpty) {
    revenue(0).text = "5";
    screen.previousYearData();
    EXPECT_EQ(revenue(0).text, "");
    EXPECT_TRUE(ui.calls.empty());
}

TEST_F(IncomeFixture, SummaryComesFromTheTaxComputationRecord) {
    screen.calculate();
    for (const Field& field : screen.summary)
        EXPECT_EQ(field.text, "") << "no tax record yet";
    std::vector<std::string> tax(41, "0");
    const std::pair<int, const char*> values[] = {
        {14, "1500000"}, {15, "3500000"}, {16, "370000"}, {17, "10000"},  {23, "360000"}, {24, "72000"},
        {25, "300000"},  {26, "-12000"},  {27, "20000"},  {32, "650000"}, {30, "99"}};
    for (auto [field, value] : values)
        tax[field - 1] = value;
    writeScreenFile(5, tax);
    screen.showDeductions();
    const char* expected[] = {"1,500,000", "3,500,000", "370,000", "10,000", "360,000", "72,000",  "300,000",
                              "-12,000",   "20,000",    "-32,000", "",       "",        "650,000", ""};
    for (std::size_t i = 0; i < screen.summary.size(); ++i)
        EXPECT_EQ(screen.summary[i].text, expected[i]) << is::kSummaryRows[i].caption;

    // Another taxpayer without a tax record never sees these figures.
    screen.text60.text = "8";
    screen.data();
    for (const Field& field : screen.summary)
        EXPECT_EQ(field.text, "");
}

TEST_F(IncomeFixture, ClearAndSalaryButtons) {
    for (Field& field : screen.revenue)
        field.text = "1";
    for (Field& field : screen.income)
        field.text = "2";
    screen.clearSalary();
    EXPECT_EQ(revenue(is::kSalaryRow).text, "");
    EXPECT_EQ(income(6).text, "");
    EXPECT_EQ(revenue(0).text, "1");
    screen.summary[0].text = "kept";
    screen.text98.text = "老年者";
    screen.clear();
    EXPECT_EQ(revenue(0).text + income(1).text + screen.total.text, "");
    EXPECT_EQ(screen.summary[0].text, "kept");
    EXPECT_EQ(screen.text98.text, "老年者");
}

TEST_F(IncomeFixture, ActualAmountHandsTheSalaryRevenueOver) {
    revenue(is::kSalaryRow).text = "5000000";
    screen.actualAmount();
    EXPECT_EQ(host.writes.front(), (std::pair<std::string, std::string>{"actualAmountRevenue", "5,000,000"}));
    EXPECT_EQ(storedField(6), "5000000");
    ASSERT_EQ(ui.callsOf("show").size(), 1u);
    EXPECT_EQ(ui.callsOf("show")[0].screen, ScreenId::actualAmount);
}

TEST_F(IncomeFixture, SaveFailuresAndSilentEnds) {
    struct Case {
        const char* code;
        bool message;
    } cases[] = {{"abc", false}, {"", false}, {"3277", false}, {"7", true}};
    std::filesystem::remove_all(fsPath(root.path() + "/所得税/H16所得税"));
    for (const Case& c : cases) {
        ui.calls.clear();
        screen.text60.text = c.code;
        revenue(0).text = "100";
        screen.calculate();
        EXPECT_EQ(ui.callsOf("warn").size(), c.message ? 1u : 0u) << c.code;
        if (c.message) {
            EXPECT_EQ(ui.calls[0].title, "まず、個人登録を行って下さい。個人登録がないと実行できません。");
            EXPECT_EQ(revenue(0).text, "100"); // not refreshed
        }
    }
    EXPECT_FALSE(std::filesystem::exists(fsPath(root.path() + "/所得税/H16所得税")));
}

// A record keeps 15 significant digits: a figure beyond 999,999,999,999,999 would not be stored as it was
// worked out, and is refused with the field named, nothing stored. Nothing overflows or crashes on the way.
TEST_F(IncomeFixture, AmountsBeyondExactArithmeticAreRefused) {
    const struct {
        const char* typed;
        const char* stored; // nothing: refused, the record as it was
    } cases[] = {
        {"999,999,999,999,999", "999999999999999"}, {"-999,999,999,999,999", "-999999999999999"},
        {"1,000,000,000,000,000", nullptr},         {"-1,000,000,000,000,000", nullptr},
        {"9,007,199,254,740,993", nullptr}, // beyond 2^53 too
        {"100,000,000,000,000,000,000", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::string before = stored(1) ? storedField(1) : "";
        ui.calls.clear();
        screen.clear();
        revenue(0).text = c.typed;
        income(2).text = "1e400";
        screen.calculate();
        const bool refused = c.stored == nullptr;
        const auto warnings = ui.callsOf("warn");
        ASSERT_EQ(warnings.size(), refused ? 1u : 0u) << (warnings.empty() ? "" : warnings[0].body);
        const std::string title = warnings.empty() ? "" : warnings[0].title;
        const std::string body = warnings.empty() ? "" : warnings[0].body;
        EXPECT_EQ(stored(1) ? storedField(1) : "", refused ? before : std::string(c.stored));
        EXPECT_EQ(title, refused ? "計算できません" : "");
        EXPECT_EQ(body.find("999,999,999,999,999 まで") != std::string::npos, refused) << body;
        EXPECT_EQ(income(2).text, refused ? "1e400" : ""); // a refused press leaves the screen as typed
    }
}

} // namespace
} // namespace kakutei
