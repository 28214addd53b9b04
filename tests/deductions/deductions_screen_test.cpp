#include "core/path_text.h"
#include "deductions/deductions_screen.h"

#include "core/amount_text.h"

#include "screen_fixture.h"

namespace kakutei {
namespace {

using testing::DataScreenFixture;

struct DeductionsFixture : DataScreenFixture {
    DeductionsScreen screen{store, ui};
    DeductionsFixture() { openForSeven(screen); }
    // Record field n (1-based) as the file holds it.
    std::string field(int n) { return storedLines(2).at(n - 1); }
    void incomeRecord(const std::string& total, std::string_view year = kYearCode) {
        std::vector<std::string> lines(19, "0");
        lines.push_back(total);
        writeScreenFile(1, lines, year);
    }
};

TEST_F(DeductionsFixture, LifeInsuranceBrackets) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"25,000", "", "25,000"},
        {"25,001", "", "25,000"},
        {"50,000", "", "37,500"},
        {"50,001", "", "37,500"},
        {"100,000", "", "50,000"},
        {"100,001", "", "50,000"},
        {"200,000", "200,000", "100,000"},
        {"", "30,000", "27,500"},
        // A premium typed with a minus (a refund) gives no deduction, never a negative one.
        {"-1", "", ""},
        {"-50,000", "30,000", "27,500"},
    };
    for (const auto& [general, pension, expected] : cases) {
        screen.lifeGeneral.text = general;
        screen.lifePension.text = pension;
        screen.calculate();
        EXPECT_EQ(screen.lifeResult.text, expected) << general << " " << pension;
        EXPECT_EQ(field(36), std::to_string(readIntegerAmount(expected))) << general;
    }
}

TEST_F(DeductionsFixture, NonLifeBracketsAndCap) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"10,000", "", "10,000"}, {"10,001", "", "10,000"},
        {"19,999", "", "14,999"}, {"20,000", "", "15,000"},
        {"", "2,000", "2,000"},   {"", "3,999", "2,999"},
        {"", "4,000", "3,000"},   {"20,000", "4,000", "15,000"},
        {"-1", "", ""},           {"-20,000", "3,000", "2,500"},
        {"", "-4,000", ""},
    };
    for (const auto& [longTerm, shortTerm, expected] : cases) {
        screen.nonLifeLong.text = longTerm;
        screen.nonLifeShort.text = shortTerm;
        screen.calculate();
        EXPECT_EQ(screen.nonLifeResult.text, expected) << longTerm << " " << shortTerm;
    }
}

TEST_F(DeductionsFixture, MedicalCasualtyAndDonation) {
    struct Case {
        const char* income;
        const char* medicalPaid;
        const char* medicalReimbursed;
        const char* loss;
        const char* disaster;
        const char* specified;
        const char* medical;
        const char* casualty;
        const char* donation;
    } cases[] = {
        {"1,000,000", "150,000", "", "", "", "", "100,000", "", ""},         // threshold 50,000
        {"3,000,000", "150,000", "", "", "", "", "50,000", "", ""},          // threshold 100,000
        {"1,000,000", "60,000", "20,000", "", "", "", "", "", ""},           // 40,000 net, below 50,000
        {"", "40,000", "", "", "", "", "40,000", "", ""},                    // no income: threshold 0
        {"3,000,000", "", "", "1,000,000", "", "", "", "700,000", ""},       // A = 700,000
        {"3,000,000", "", "", "100,000", "60,000", "", "", "10,000", ""},    // B = 10,000
        {"3,000,000", "", "", "100,000", "50,000", "", "", "", ""},          // B = 0
        {"100,000", "", "", "", "", "50,000", "", "", "15,000"},             // cap 25,000
        {"", "", "", "", "", "50,000", "", "", ""},                          // no income: cap 0
        {"100,000,000", "", "", "", "", "30,000,000", "", "", "24,990,000"}, // 25 % in 64 bits
        // The medical deduction is capped at 2,000,000: one below, at, one above.
        {"3,000,000", "2,099,999", "", "", "", "", "1,999,999", "", ""},
        {"3,000,000", "2,100,000", "", "", "", "", "2,000,000", "", ""},
        {"3,000,000", "2,100,001", "", "", "", "", "2,000,000", "", ""},
        {"3,000,000", "50,000,000", "", "", "", "", "2,000,000", "", ""},
        // A loss year: the thresholds are those of an income of 0, never below it.
        {"-1,000,000", "", "", "", "", "", "", "", ""},               // nothing spent, nothing deducted
        {"-1,000,000", "30,000", "", "", "", "", "30,000", "", ""},   // threshold 0, not −50,000
        {"-5,000,000", "", "", "100,000", "", "", "", "100,000", ""}, // A = 100,000 − 0
        {"-5,000,000", "", "", "", "", "", "", "", ""},               // no loss: no 500,000 out of nothing
        // An income beyond 32 bits keeps its threshold and its donation cap.
        {"3,000,000,000", "150,000", "", "", "", "", "50,000", "", ""},
        {"2,147,483,647", "", "", "", "", "600,000,000", "", "", "536,860,911"},
    };
    for (const Case& c : cases) {
        screen.clear();
        screen.totalIncome.text = c.income;
        screen.medicalPaid.text = c.medicalPaid;
        screen.medicalReimbursed.text = c.medicalReimbursed;
        screen.lossAmount.text = c.loss;
        screen.disasterExpenses.text = c.disaster;
        screen.specifiedDonation.text = c.specified;
        screen.donations.text = "999,999"; // recorded, never deducted
        screen.calculate();
        EXPECT_EQ(screen.medicalResult.text, c.medical) << c.income << " " << c.medicalPaid;
        EXPECT_EQ(screen.casualtyResult.text, c.casualty) << c.loss;
        EXPECT_EQ(screen.donationResult.text, c.donation) << c.specified;
        EXPECT_EQ(field(29), "999999");
    }
}

TEST_F(DeductionsFixture, RecordLayoutAndTotals) {
    screen.lossCause.text = "台風";
    screen.lossDate.text = "16.10.20";
    screen.lossAssets.text = "家屋";
    screen.socialKinds[0].text = "国民年金";
    screen.socialPremiums[0].text = "160,080";
    screen.socialPremiums[2].text = "20,000";
    screen.mutualKinds[1].text = "小規模企業共済";
    screen.mutualPremiums[1].text = "84,000";
    screen.donationPlace.text = "東京都";
    screen.donationName.text = "日本赤十字社";
    screen.lifePension.text = "１２，０００";
    screen.calculate();
    const auto lines = storedLines(2);
    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(lines[0], "\"台風\"");
    EXPECT_EQ(lines[3], "\"\""); // reserved
    EXPECT_EQ(lines[4], "\"国民年金\"");
    EXPECT_EQ(lines[8], "\"小規模企業共済\"");
    EXPECT_EQ(lines[11], "\"日本赤十字社\"");
    EXPECT_EQ(lines[12], "\"１２，０００\""); // the pension total exactly as typed
    EXPECT_EQ(lines[19], "180080");
    EXPECT_EQ(lines[23], "84000");
    EXPECT_EQ(lines[25], "12000");
    EXPECT_EQ(lines[38], "\"予備1\"");
    EXPECT_EQ(lines[49], "\"予備12\"");
    EXPECT_EQ(screen.socialTotal.text, "180,080");
    EXPECT_EQ(screen.socialResult.text, "180,080");
    EXPECT_EQ(screen.mutualResult.text, "84,000");
    EXPECT_EQ(screen.lifePension.text, "12,000");
}

TEST_F(DeductionsFixture, ReservedTextIsWrittenBackAsLoaded) {
    std::vector<std::string> lines{"\"a\"", "\"b\"", "\"c\"", "\"他のプログラムの値\""};
    for (int i = 0; i < 9; ++i)
        lines.push_back("\"\"");
    for (int i = 0; i < 25; ++i)
        lines.push_back("0");
    writeScreenFile(2, lines);
    screen.data();
    screen.calculate();
    EXPECT_EQ(field(4), "\"他のプログラムの値\"");
}

TEST_F(DeductionsFixture, DirectInsuranceEntryReplacesBothDeductions) {
    screen.lifeGeneral.text = "80,000";
    screen.nonLifeLong.text = "20,000";
    screen.directLife.text = "100,000";
    screen.calculate();
    EXPECT_EQ(field(36), "100000");
    EXPECT_EQ(field(37), "0");
    for (int premium = 25; premium <= 28; ++premium)
        EXPECT_EQ(field(premium), "0") << premium;
    EXPECT_EQ(screen.directLife.text, "100,000");
    EXPECT_EQ(screen.directNonLife.text, "");
    EXPECT_EQ(screen.lifeGeneral.text, "");
    screen.clear();
    screen.data();
    EXPECT_EQ(screen.directLife.text, "100,000");
    EXPECT_EQ(screen.lifeResult.text, "100,000");
}

TEST_F(DeductionsFixture, DataEmptiesDirectBoxesWhenPremiumTotalsArePresent) {
    screen.lifeGeneral.text = "30,000";
    screen.nonLifeShort.text = "1";
    screen.calculate();
    EXPECT_EQ(screen.lifeResult.text, "27,500");
    EXPECT_EQ(screen.directLife.text, "");
    EXPECT_EQ(screen.directNonLife.text, "");
}

TEST_F(DeductionsFixture, DirectEntryWithoutARecordWritesNothing) {
    screen.directLife.text = "50000";
    screen.directEntry();
    EXPECT_FALSE(stored(2));
    EXPECT_TRUE(ui.calls.empty());
}

TEST_F(DeductionsFixture, PresetAndClearButtons) {
    screen.preset("100000", "15000");
    EXPECT_EQ(screen.directLife.text, "100000");
    EXPECT_EQ(screen.directNonLife.text, "15000");
    screen.clearDirectLife();
    EXPECT_EQ(screen.directLife.text, "");
    screen.clearDirectNonLife();
    EXPECT_EQ(screen.directNonLife.text, "");
    screen.totalIncome.text = "1,000";
    screen.socialPremiums[1].text = "5";
    screen.donationResult.text = "9";
    screen.clear();
    EXPECT_EQ(screen.socialPremiums[1].text + screen.donationResult.text, "");
    EXPECT_EQ(screen.totalIncome.text, "1,000");
}

TEST_F(DeductionsFixture, DataTakesTheTotalIncomeFromTheIncomeRecord) {
    incomeRecord("3500000.5");
    screen.data();
    EXPECT_EQ(screen.totalIncome.text, "3,500,001");
    screen.text60.text = "8"; // no income record: never the previous taxpayer's income
    screen.data();
    EXPECT_EQ(screen.totalIncome.text, "");
}

TEST_F(DeductionsFixture, PreviousYearInRedWritesNothing) {
    incomeRecord("2000000", kPreviousYearCode);
    std::vector<std::string> lines(13, "\"\"");
    for (int field = 14; field <= 38; ++field)
        lines.push_back(field == 17 ? "150000" : "0");
    writeScreenFile(2, lines, kPreviousYearCode);
    screen.previousYearData();
    EXPECT_EQ(screen.socialPremiums[0].text, "150,000");
    EXPECT_EQ(screen.socialPremiums[0].colour, colours::red);
    EXPECT_EQ(screen.totalIncome.text, "2,000,000");
    EXPECT_EQ(screen.totalIncome.colour, colours::red);
    EXPECT_FALSE(stored(2));
    screen.calculate();
    EXPECT_EQ(field(17), "150000");
    EXPECT_EQ(screen.socialPremiums[0].colour, colours::black);
}

TEST_F(DeductionsFixture, ResultsBeyondThirtyTwoBitsStopWithAMessage) {
    screen.socialPremiums[0].text = "2,000,000,000";
    screen.socialPremiums[1].text = "2,000,000,000";
    screen.calculate();
    ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"}));
    EXPECT_NE(ui.calls[0].body.find("社会保険料控除"), std::string::npos);
    EXPECT_FALSE(stored(2));
    ui.calls.clear();
    screen.clear();
    screen.lifeGeneral.text = "9,999,999,999"; // beyond 32 bits: reads 0
    screen.calculate();
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(field(25), "0");
}

TEST_F(DeductionsFixture, SaveFailureMessage) {
    std::filesystem::remove_all(fsPath(root.path() + "/所得税/H16所得税"));
    screen.calculate();
    ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"}));
    EXPECT_EQ(ui.calls[0].title, "まず、個人登録を行って下さい。個人登録がないと実行できません。");
}

} // namespace
} // namespace kakutei
