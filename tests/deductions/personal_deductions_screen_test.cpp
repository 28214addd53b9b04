#include "core/path_text.h"
#include "deductions/personal_deductions_screen.h"

#include "core/amount_text.h"
#include "core/taxpayer_record.h"

#include "screen_fixture.h"

namespace kakutei {
namespace {

namespace pd = personal_deductions;
using testing::DataScreenFixture;

struct PersonalFixture : DataScreenFixture {
    PersonalDeductionsScreen screen{store, ui, host};
    PersonalFixture() {
        openForSeven(screen);
        registerAs("該当なし");
    }
    void registerAs(const std::string& condition) {
        TaxpayerRecord record;
        record.personCode = 7;
        record.name = "本人";
        record.condition = condition;
        store.ensureBaseFolders();
        taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7)));
    }
    void incomeRecord(const std::string& total) {
        std::vector<std::string> lines(19, "0");
        lines.push_back(total);
        writeScreenFile(1, lines);
    }
    std::string field(int n) { return storedLines(3).at(n - 1); }
    std::size_t selectedSelf() const {
        std::size_t on = 99;
        for (std::size_t i = 0; i < screen.selfOptions.size(); ++i)
            if (screen.selfOptions[i].on)
                on = on == 99 ? i : 100; // 100: more than one
        return on;
    }
    std::string lastWrite(const std::string& target) const {
        for (auto it = host.writes.rbegin(); it != host.writes.rend(); ++it)
            if (it->first == target)
                return it->second;
        return "(none)";
    }
};

TEST_F(PersonalFixture, SpouseSalaryIncome) {
    const std::pair<const char*, const char*> cases[] = {
        {"650,000", ""},
        {"651,000", "1,000"},
        {"1,619,999", "969,000"},
        {"1,623,999", "972,000"},
        {"1,800,000", "1,080,000"},
        {"3,600,000", "2,340,000"},
        {"6,600,000", "4,740,000"},
        {"10,000,000", "7,800,000"},
        {"6,600,005", "4,740,004"}, // 4,740,004.5: half to even
    };
    for (const auto& [revenue, income] : cases) {
        screen.clearSpouse();
        screen.spouseSalaryRevenue.text = revenue;
        screen.calculateSpouse();
        EXPECT_EQ(screen.spouseSalaryIncome.text, income) << revenue;
        EXPECT_EQ(screen.spouseTotalIncome.text, income) << revenue;
        EXPECT_EQ(lastWrite("line42"), income);
    }
}

TEST_F(PersonalFixture, SpecialSpouseDeductionBands) {
    // Up to 380,000 the spouse deduction alone applies: the stacked part was abolished for Heisei 16.
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"49,999", ""},
        {"50,000", ""},
        {"349,999", ""},
        {"379,999", ""},
        {"380,000", ""},
        {"380,001", "380,000"},
        {"399,999", "380,000"},
        {"400,000", "360,000"},
        {"749,999", "60,000"},
        {"750,000", "30,000"},
        {"759,999", "30,000"},
        {"760,000", ""},
        {"5,000,000", ""},
        {"-100,000", ""},
    };
    for (const auto& [other, deduction] : cases) {
        screen.clearSpouse();
        screen.spouseOtherIncome.text = other;
        screen.calculateSpouse();
        EXPECT_EQ(screen.specialSpouseDeduction.text, deduction) << other;
        EXPECT_EQ(lastWrite("line22"), deduction) << other;
        EXPECT_EQ(lastWrite("line21"), "");
    }
}

TEST_F(PersonalFixture, TheTenMillionLimit) {
    struct Case {
        const char* income;
        const char* deduction;
        bool elderly;
        const char* selfKind;
    } cases[] = {
        {"10,000,000", "360,000", true, "老年者"},
        {"10,000,001", "", false, "該当なし"},
        // Beyond 32 bits still counts as above the limit. 該当なし is already selected, so its rule does not
        // run again and SelfKind stays empty.
        {"3,000,000,000", "", false, ""},
    };
    registerAs("老年者");
    for (const auto& [income, deduction, elderly, selfKind] : cases) {
        incomeRecord(std::to_string(static_cast<long long>(readAmount(income))));
        screen.elderlyJudgement();
        EXPECT_EQ(screen.totalIncome.text, income);
        EXPECT_EQ(screen.selfOptions[pd::elderly].on, elderly) << income;
        EXPECT_EQ(screen.selfOptions[pd::none].on, !elderly) << income;
        EXPECT_EQ(screen.selfKind(), selfKind);
        screen.spouseOtherIncome.text = "400,000";
        screen.calculateSpouse();
        EXPECT_EQ(screen.specialSpouseDeduction.text, deduction) << income;
        // "DATA" runs the judgement and then the registered condition's call-up: the limit holds there too.
        screen.clear();
        screen.data();
        EXPECT_EQ(screen.selfOptions[pd::elderly].on, elderly) << income << " after DATA";
        EXPECT_EQ(screen.selfDeduction(), elderly ? 500'000 : 0) << income << " after DATA";
    }
}

TEST_F(PersonalFixture, OptionRules) {
    screen.selectSelf(pd::widow);
    screen.selectCause(0); // 死別
    EXPECT_EQ(screen.selfKind(), "寡婦");
    EXPECT_EQ(screen.widowCause(), "死別");
    screen.selectSelf(pd::specialWidow);
    EXPECT_EQ(screen.widowCause(), "死別"); // the cause stays with the widow options
    EXPECT_TRUE(screen.causeOptions[0].on);
    screen.selectSelf(pd::elderly);
    EXPECT_EQ(screen.selfKind(), "老年者");
    EXPECT_EQ(screen.widowCause(), "");
    EXPECT_FALSE(screen.causeOptions[0].on);
    screen.selectSelf(pd::disabled);
    EXPECT_EQ(screen.selfKind(), "");
    EXPECT_EQ(screen.studentDisabilityKind(), "障害者");
    EXPECT_EQ(selectedSelf(), pd::disabled);
    screen.selectCause(3);
    EXPECT_EQ(screen.widowCause(), "未帰還");
    EXPECT_EQ(screen.studentDisabilityKind(), "障害者");
    screen.selectSelf(pd::none);
    EXPECT_EQ(screen.selfKind(), "該当なし");
    EXPECT_EQ(screen.widowCause() + screen.studentDisabilityKind(), "");
}

TEST_F(PersonalFixture, CalculationStoresTheSelfDeductionAmounts) {
    struct Case {
        pd::SelfOption option;
        int cause; // -1: none
        const char* kind;
        const char* causeText;
        const char* student;
        const char* field57;
        const char* field58;
    } cases[] = {
        {pd::elderly, -1, "老年者", "", "", "500000", "0"},
        {pd::widow, 0, "寡婦", "死別", "", "270000", "0"},
        {pd::specialWidow, 1, "特別寡婦", "離婚", "", "350000", "0"},
        {pd::student, -1, "", "", "勤労学生", "0", "270000"},
        {pd::disabled, -1, "", "", "障害者", "0", "270000"},
        {pd::speciallyDisabled, -1, "", "", "特別障害者", "0", "400000"},
        {pd::none, -1, "該当なし", "", "", "0", "0"},
    };
    for (const Case& c : cases) {
        screen.selectSelf(c.option);
        if (c.cause >= 0)
            screen.selectCause(static_cast<std::size_t>(c.cause));
        screen.calculate();
        EXPECT_EQ(field(32), std::string("\"") + c.kind + "\"") << c.kind;
        EXPECT_EQ(field(33), std::string("\"") + c.causeText + "\"");
        EXPECT_EQ(field(34), std::string("\"") + c.student + "\"");
        EXPECT_EQ(field(57), c.field57) << c.kind << c.student;
        EXPECT_EQ(field(58), c.field58) << c.kind << c.student;
        // The stored choice survives DATA.
        EXPECT_TRUE(screen.selfOptions[c.option].on) << c.kind << c.student;
    }
}

TEST_F(PersonalFixture, SelfConditionCallUp) {
    const std::tuple<const char*, pd::SelfOption, std::int32_t, std::int32_t> cases[] = {
        {"障害者", pd::disabled, 0, 270'000},  {"特別障害者", pd::speciallyDisabled, 0, 400'000},
        {"勤労学生", pd::student, 0, 270'000}, {"寡婦", pd::widow, 270'000, 0},
        {"寡夫", pd::widow, 270'000, 0},       {"老年者", pd::elderly, 500'000, 0},
    };
    for (const auto& [condition, option, elderlyOrWidow, studentOrDisability] : cases) {
        registerAs(condition);
        screen.selectSelf(pd::none);
        screen.selfConditionCallUp();
        EXPECT_EQ(selectedSelf(), option) << condition;
        EXPECT_EQ(screen.selfDeduction(), elderlyOrWidow) << condition;
        EXPECT_EQ(screen.studentDisabilityDeduction(), studentOrDisability) << condition;
    }
    registerAs("その他");
    screen.selectSelf(pd::student);
    screen.selfConditionCallUp();
    EXPECT_EQ(selectedSelf(), pd::student);
}

TEST_F(PersonalFixture, DependentsAndFamilyEmployees) {
    screen.dependents[0].amount.text = "38";
    screen.dependents[1].amount.text = "45";
    screen.employees[0].salary.text = "1,200,000";
    screen.employees[2].salary.text = "600,000";
    screen.calculate();
    EXPECT_EQ(field(48), "38");
    EXPECT_EQ(field(52), "83");
    EXPECT_EQ(field(56), "1800000");
    EXPECT_EQ(screen.dependentsTotal.text, "83");
    EXPECT_EQ(screen.employeesTotal.text, "1,800,000");
}

TEST_F(PersonalFixture, SpecialDisabilityToggle) {
    screen.disabledNames.text = "山田花子";
    screen.toggleSpecialDisability();
    EXPECT_EQ(screen.counter.text, "1");
    EXPECT_EQ(screen.bracketOpen.text, "( ");
    EXPECT_EQ(screen.bracketClose.text, ")");
    screen.toggleSpecialDisability();
    EXPECT_EQ(screen.counter.text, "2");
    EXPECT_EQ(screen.bracketOpen.text + screen.bracketClose.text, "");
    screen.toggleSpecialDisability();
    screen.calculate();
    EXPECT_EQ(field(44), "\"( \"");
    EXPECT_EQ(field(45), "\")\"");
    EXPECT_EQ(screen.counter.text, "3"); // クリア leaves the counter
    EXPECT_EQ(screen.bracketOpen.text, "( ");
}

TEST_F(PersonalFixture, AFamilySurvivesCalculationDataAndARestart) {
    incomeRecord("6000000");
    screen.disabledNames.text = "山田一郎";
    screen.selectSelf(pd::widow);
    screen.selectCause(2);
    screen.schoolName.text = "";
    screen.spouseName.text = "山田花子";
    screen.spouseEra.text = "昭和";
    screen.spouseBirth.text = "35.04.01";
    screen.spouseDeductionChecked = true;
    screen.spouseSalaryRevenue.text = "1,000,000";
    screen.calculateSpouse();
    screen.fillSpouseDeduction();
    const std::tuple<const char*, const char*, const char*, const char*, const char*> family[] = {
        {"山田次郎", "長男", "平成", "02.05.05", "38"}, {"山田桃子", "長女", "平成", "05.03.03", "63"}};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& [name, relation, era, birth, amount] = family[i];
        screen.dependents[i] = {{name}, {relation}, {era}, {birth}, {amount}};
    }
    screen.employees[0] = {{"山田三郎"}, {"昭和"}, {"55.01.01"}, {"弟"}, {"12"}, {"店員"}, {"1,800,000"}};
    screen.specialProvisions.text = "法第57条";
    screen.calculate();
    const auto firstSave = storedLines(3);
    ASSERT_EQ(firstSave.size(), 76u);

    PersonalDeductionsScreen restarted(store, ui, host);
    restarted.text60.text = "7";
    restarted.text100.text = "H16";
    restarted.clear();
    restarted.data();
    EXPECT_EQ(restarted.spouseName.text, "山田花子");
    EXPECT_EQ(restarted.spouseEra.text, "昭和");
    EXPECT_EQ(restarted.spouseSalaryIncome.text, "350,000");
    EXPECT_EQ(restarted.spouseDeduction.text, "380,000");
    EXPECT_EQ(restarted.specialSpouseDeduction.text, ""); // 350,000 is within 380,000: none from Heisei 16
    EXPECT_TRUE(restarted.spouseDeductionChecked);
    EXPECT_FALSE(restarted.specialSpouseDeductionChecked);
    EXPECT_EQ(restarted.dependents[1].name.text, "山田桃子");
    EXPECT_EQ(restarted.dependents[1].era.text, "平成");
    EXPECT_EQ(restarted.dependents[2].era.text, "年号");
    EXPECT_EQ(restarted.dependentsTotal.text, "101");
    EXPECT_EQ(restarted.employees[0].work.text, "店員");
    EXPECT_EQ(restarted.employeesTotal.text, "1,800,000");
    EXPECT_EQ(restarted.totalIncome.text, "6,000,000");
    EXPECT_TRUE(restarted.selfOptions[pd::widow].on);
    EXPECT_TRUE(restarted.causeOptions[2].on);
    restarted.calculate();
    EXPECT_EQ(storedLines(3), firstSave);
}

TEST_F(PersonalFixture, ClearButtons) {
    screen.spouseName.text = "x";
    screen.dependents[0].era.text = "昭和";
    screen.spouseDeductionChecked = true;
    screen.selectSelf(pd::student);
    screen.spouseSalaryRevenue.text = "1";
    screen.totalIncome.text = "5";
    screen.counter.text = "2";
    screen.clear();
    EXPECT_EQ(screen.spouseName.text, "");
    EXPECT_EQ(screen.dependents[0].era.text, "年号");
    EXPECT_FALSE(screen.spouseDeductionChecked);
    EXPECT_EQ(selectedSelf(), pd::none);
    EXPECT_EQ(screen.studentDisabilityKind(), "");
    EXPECT_EQ(screen.spouseSalaryRevenue.text, "");
    EXPECT_EQ(screen.totalIncome.text, "5");
    EXPECT_EQ(screen.counter.text, "2");
}

TEST_F(PersonalFixture, PreviousYearInRed) {
    std::vector<std::string> lines(47, "\"\"");
    lines[1] = "\"前年の配偶者\"";
    for (int i = 0; i < 17; ++i)
        lines.push_back("0");
    writeScreenFile(3, lines, kPreviousYearCode);
    screen.previousYearData();
    EXPECT_EQ(screen.spouseName.text, "前年の配偶者");
    EXPECT_EQ(screen.spouseName.colour, colours::red);
    EXPECT_FALSE(stored(3));
}

TEST_F(PersonalFixture, SaveFailureMessage) {
    std::filesystem::remove_all(fsPath(root.path() + "/所得税/H16所得税"));
    screen.calculate();
    ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"}));
    EXPECT_EQ(ui.calls[0].title, "まず、個人登録を行って下さい。個人登録がないと実行できません。");
}

} // namespace
} // namespace kakutei
