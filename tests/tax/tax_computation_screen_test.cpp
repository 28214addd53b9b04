#include "core/path_text.h"
#include "tax/tax_computation_screen.h"

#include "core/amount_text.h"
#include "tax/tax_rules.h"

#include "screen_fixture.h"

#include <map>

namespace kakutei {
namespace {

using testing::DataScreenFixture;

struct TaxFixture : DataScreenFixture {
    TaxComputationScreen screen{store, ui, host};
    TaxFixture() {
        openForSeven(screen);
        writeScreenFile(1, std::vector<std::string>(20, "0")); // DATA after the calculation needs it
    }
    void type(int line, const std::string& text) { screen.line(line).text = text; }
    std::string shown(int line) const { return screen.line(line).text; }
    // Record field n (1-based) as the file holds it.
    std::string field(int n) { return storedLines(5).at(n - 1); }
};

TEST_F(TaxFixture, TaxableIncomeAndTheFourBrackets) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"5,000,000", "1,234,567", "3,765,000", "423,000"},
        {"3,299,000", "", "3,299,000", "329,900"},
        {"3,300,000", "", "3,300,000", "330,000"},
        {"8,999,000", "", "8,999,000", "1,469,800"},
        {"9,000,000", "", "9,000,000", "1,470,000"},
        {"17,999,000", "", "17,999,000", "4,169,700"},
        {"18,000,000", "", "18,000,000", "4,170,000"},
        {"30,000,000", "", "30,000,000", "8,610,000"},
        {"3,299,999", "", "3,299,000", "329,900"}, // down to whole thousands
        {"1,000,000", "1,000,000", "", ""},        // deductions reaching the income
        {"1,000,000", "2,000,000", "", ""},
    };
    for (const auto& [income, deductions, taxable, tax] : cases) {
        screen.clear();
        type(9, income);
        type(10, deductions);
        screen.calculate();
        // The calculation reloads from the files; line 9 comes from the income record (here 0).
        EXPECT_EQ(shown(26), taxable) << income << " - " << deductions;
        EXPECT_EQ(shown(27), tax) << income;
        EXPECT_EQ(shown(25), deductions);
    }
}

TEST_F(TaxFixture, FixedRateReduction) {
    // Taxable income and a credit at line 29 set line 35.
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"9,000,000", "470,000", "1,000,000", "200,000"},
        {"9,000,000", "219,996", "1,250,004", "250,000"},
        {"12,000,000", "370,000", "2,000,000", "250,000"},
    };
    for (const auto& [income, credit, line35, reduction] : cases) {
        screen.clear();
        type(9, income);
        type(29, credit);
        screen.calculate();
        EXPECT_EQ(shown(35), line35);
        EXPECT_EQ(shown(36), reduction) << line35;
    }
}

// Disaster relief and foreign tax (line 33) above the tax cannot take line 35 below 0, and so cannot make
// a refund larger than the tax withheld. Income 1,000,000 → tax 100,000.
TEST_F(TaxFixture, LineThirtyFiveNeverBelowZero) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        // line 33, line 35, line 36, line 41 with 30,000 withheld
        {"99,999", "1", "", "29,999"},   {"100,000", "", "", "30,000"},      {"100,001", "", "", "30,000"},
        {"5,000,000", "", "", "30,000"}, {"50,000", "50,000", "10,000", ""},
    };
    for (const auto& [relief, line35, reduction, refund] : cases) {
        screen.clear();
        type(9, "1,000,000");
        type(33, relief);
        type(37, "30,000");
        screen.calculate();
        EXPECT_EQ(shown(35), line35) << relief;
        EXPECT_EQ(shown(36), reduction) << relief;
        EXPECT_EQ(shown(41), refund) << relief;
        EXPECT_EQ(field(23), std::string(line35).empty() ? "0" : std::to_string(readIntegerAmount(line35)));
    }
}

struct DueCase {
    const char* income;      // line 9
    const char* credit;      // line 29
    const char* withholding; // line 37
    const char* prepayment;  // line 39
    const char* line38;
    const char* line40;
    const char* line41;
};

TEST_F(TaxFixture, AmountDueAndRefund) {
    const DueCase cases[] = {
        // line 35 = 500,000, reduction 100,000: 276,544 → 276,500; less 100,000 prepaid.
        {"5,000,000", "170,000", "123,456", "100,000", "276,500", "176,500", ""},
        // 276,500 less 50,050 = 226,450 → 226,400.
        {"5,000,000", "170,000", "123,456", "50,050", "276,500", "226,400", ""},
        // Withholding above the tax: −220,050, not rounded, refunded whole.
        {"1,000,000", "", "300,050", "", "-220,050", "", "220,050"},
        // Nothing either way.
        {"1,000,000", "", "80,000", "", "", "", ""},
    };
    for (const DueCase& c : cases) {
        screen.clear();
        type(9, c.income);
        type(29, c.credit);
        type(37, c.withholding);
        type(39, c.prepayment);
        type(50, "1");
        type(51, "1");
        screen.calculate();
        EXPECT_EQ(shown(38), c.line38) << c.income << " " << c.withholding;
        EXPECT_EQ(shown(40), c.line40) << c.income << " " << c.withholding;
        EXPECT_EQ(shown(41), c.line41) << c.income << " " << c.withholding;
        if (std::string(c.line40).empty()) { // a refund or nothing: no deferral
            EXPECT_EQ(shown(50) + shown(51), "");
        }
    }
}

TEST_F(TaxFixture, DeferralAndItsCancellation) {
    // Line 9 comes back from the income record after every calculation.
    std::vector<std::string> income(19, "0");
    income.push_back("5000000");
    writeScreenFile(1, income);
    type(9, "5,000,000");
    type(29, "170,000");
    type(37, "123,456");
    type(39, "100,000");
    screen.calculate();
    ASSERT_EQ(shown(40), "176,500");
    screen.deferral();
    EXPECT_EQ(shown(51), "88,000");
    EXPECT_EQ(shown(50), "88,500");
    EXPECT_EQ(field(38), "88500");
    EXPECT_EQ(field(39), "88000");
    // The deferral follows the tax it defers: a larger prepayment leaves 16,500 to pay.
    screen.deferral();
    ASSERT_EQ(shown(51), "88,000");
    type(39, "260,000");
    screen.calculate();
    ASSERT_EQ(shown(40), "16,500");
    EXPECT_EQ(shown(51), "8,000");
    EXPECT_EQ(shown(50), "8,500");
    EXPECT_EQ(field(38), "8500");
    EXPECT_EQ(field(39), "8000");
    type(39, "276,499"); // 1 yen to pay: rounded down to 0 hundreds, half of 0 deferred
    screen.calculate();
    EXPECT_EQ(shown(40) + shown(50) + shown(51), "");
    type(39, "100,000");
    screen.calculate();
    EXPECT_EQ(shown(50) + shown(51), ""); // cancelled by the refund-or-nothing step, it stays cancelled
    screen.deferral();
    type(39, "300,000"); // a refund cancels the deferral
    screen.calculate();
    EXPECT_EQ(shown(41), "23,500");
    EXPECT_EQ(shown(50) + shown(51), "");
    EXPECT_EQ(field(39), "0");
    screen.deferral();
    screen.cancelDeferral();
    EXPECT_EQ(shown(50) + shown(51), "");
    EXPECT_EQ(field(39), "0");
}

TEST_F(TaxFixture, RecordLayout) {
    type(9, "5,000,000");
    type(44, "650,000");
    type(53, "12,345");
    screen.calculate();
    const auto lines = storedLines(5);
    ASSERT_EQ(lines.size(), 53u);
    EXPECT_EQ(lines[14], "5000000"); // field 15: no deduction typed here
    EXPECT_EQ(lines[31], "650000");  // line 44 → field 32
    EXPECT_EQ(lines[40], "12345");   // line 53 → field 41
    EXPECT_EQ(lines[41], "\"予備1\"");
    EXPECT_EQ(lines[52], "\"予備12\"");
}

// The four records gather expects, with the given fields set (record field → value).
struct Records {
    std::map<int, std::string> income, deductions, personal, breakdown;
};

void writeRecords(const DataScreenFixture& fixture, const Records& r) {
    testing::writeRecordFields(fixture.store, 7, 1, 0, 20, r.income);
    testing::writeRecordFields(fixture.store, 7, 2, 13, 25, r.deductions);
    testing::writeRecordFields(fixture.store, 7, 3, 47, 17, r.personal);
    testing::writeRecordFields(fixture.store, 7, 4, 40, 25, r.breakdown);
}

TEST_F(TaxFixture, GatheringFillsTheLoadedLinesAndKeepsTheTypedOnes) {
    writeRecords(*this, {{{20, "6000000"}},
                         {{34, "1"}, {35, "2"}, {20, "3"}, {24, "4"}, {36, "5"}, {37, "6"}, {38, "7"}},
                         {{57, "500000"},
                          {58, "270000"},
                          {63, "380000"},
                          {64, "30000"},
                          {52, "76"},
                          {62, "350000"},
                          {56, "1800000"}},
                         {{53, "123456"}}});
    type(29, "1,000");
    type(30, "2,000");
    type(31, "3,000");
    type(33, "4,000");
    type(39, "5,000");
    screen.gather();
    const std::pair<int, const char*> expected[] = {
        {9, "6,000,000"}, {10, "1"},         {11, "2"},       {12, "3"},       {13, "4"},
        {14, "5"},        {15, "6"},         {16, "7"},       {17, "500,000"}, {19, "270,000"},
        {21, "380,000"},  {22, "30,000"},    {23, "760,000"}, {24, "380,000"}, {37, "123,456"},
        {42, "350,000"},  {43, "1,800,000"}, {29, "1,000"},   {30, "2,000"},   {31, "3,000"},
        {33, "4,000"},    {39, "5,000"},
    };
    for (auto [line, text] : expected)
        EXPECT_EQ(shown(line), text) << "line " << line;
    EXPECT_EQ(shown(25), "2,320,028");
    EXPECT_EQ(field(13), "380000");
    screen.clear();
    screen.data();
    EXPECT_EQ(shown(30), "2,000");
}

TEST_F(TaxFixture, GatheringEndsSilentlyWhenARecordIsMissing) {
    writeRecords(*this, {{{20, "6000000"}}, {}, {}, {}});
    std::filesystem::remove(fsPath(root.path() + "/所得税/H16所得税/73.txt"));
    screen.gather();
    EXPECT_EQ(shown(9), "");
    EXPECT_EQ(shown(24), "");
    EXPECT_FALSE(stored(5));
    EXPECT_TRUE(ui.calls.empty());
}

TEST_F(TaxFixture, DataNeedsBothRecords) {
    type(9, "1");
    screen.data(); // no tax record yet
    EXPECT_EQ(shown(9), "");
    std::vector<std::string> tax(41, "0");
    tax[26] = "-5000";
    writeScreenFile(5, tax);
    screen.data();
    EXPECT_EQ(shown(39), "-5,000");
    EXPECT_EQ(screen.line(39).colour, colours::black);
    writeScreenFile(1, std::vector<std::string>(20, "100"), kPreviousYearCode);
    writeScreenFile(5, std::vector<std::string>(41, "200"), kPreviousYearCode);
    screen.previousYearData();
    EXPECT_EQ(shown(9), "100");
    EXPECT_EQ(shown(53), "200");
    EXPECT_EQ(screen.line(53).colour, colours::red);
}

// The proposal works on the net dividend income of the detail rows, any of the four, never below 0: a row
// of borrowing interest lowers it.
TEST_F(TaxFixture, DividendProposalFromTheNetDividendsOfEveryDetailRow) {
    const struct {
        std::map<int, std::string> breakdown;
        const char* dividends;
        double credit; // 10 % of them at a taxable income of 5,620,000
    } cases[] = {
        {{{19, "\"配　当\""},
          {22, "\"雑\""},
          {25, "\"配　当\""},
          {28, "\"配　当\""},
          {56, "100000"},
          {59, "200000"},
          {62, "30000"},
          {65, "999999"}},
         "1129999",
         112'999},
        {{{19, "\"配　当\""}, {22, "\"配　当\""}, {56, "300000"}, {59, "-50000"}}, "250000", 25'000},
        {{{19, "\"配　当\""}, {28, "\"配　当\""}, {56, "100000"}, {65, "-100000"}}, "0", 0},
        {{{19, "\"配　当\""}, {28, "\"配　当\""}, {56, "100000"}, {65, "-99999"}}, "1", 0},
        {{{19, "\"配　当\""}, {28, "\"配　当\""}, {56, "100000"}, {65, "-100001"}}, "0", 0},
        {{{28, "\"配　当\""}, {65, "-50000"}}, "0", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dividends);
        writeRecords(*this, {{{20, "6000000"}}, {}, {}, c.breakdown});
        screen.gather();
        host.writes.clear();
        screen.dividendCredit();
        ASSERT_EQ(host.writes.size(), 1u);
        EXPECT_EQ(host.writes[0], (std::pair<std::string, std::string>{
                                      "dividendCredit", "5620000/" + std::string(c.dividends)}));
        EXPECT_EQ(dividendCredit(5'620'000, std::stod(c.dividends)), c.credit);
    }
}

TEST_F(TaxFixture, SubScreensAndRunAll) {
    screen.housingLoanCredit();
    EXPECT_EQ(host.writes.back(), (std::pair<std::string, std::string>{"housingLoan", "7/H16"}));
    screen.runAll();
    EXPECT_EQ(host.calls, (decltype(host.calls){{"calculate", ScreenId::income},
                                                {"calculate", ScreenId::deductions1},
                                                {"calculate", ScreenId::personalDeductions},
                                                {"calculate", ScreenId::incomeBreakdown}}));
}

// A screen that stored nothing ends the run there: the screens after it would build on the record it left.
TEST_F(TaxFixture, RunAllStopsAtAScreenThatStoredNothing) {
    host.refusesCalculation = ScreenId::deductions1;
    screen.runAll();
    EXPECT_EQ(host.calls,
              (decltype(host.calls){{"calculate", ScreenId::income}, {"calculate", ScreenId::deductions1}}));
}

TEST_F(TaxFixture, SaveFailureAndSilentEnds) {
    screen.text60.text = "3277";
    screen.calculate();
    EXPECT_TRUE(ui.calls.empty());
    screen.text60.text = "7";
    std::filesystem::remove_all(fsPath(root.path() + "/所得税/H16所得税"));
    screen.calculate();
    ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"}));
    EXPECT_EQ(ui.calls[0].title, "まず、個人登録を行って下さい。個人登録がないと実行できません。");
}

} // namespace
} // namespace kakutei
