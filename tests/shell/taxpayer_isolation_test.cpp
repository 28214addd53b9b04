// One taxpayer's figures never reach another's files: the buttons that calculate or propose from another
// screen work on the current taxpayer's stored data, even when a screen still shows the previous one.
#include "core/path_text.h"
#include "core/taxpayer_record.h"
#include "deductions/deductions_screen.h"
#include "deductions/personal_deductions_screen.h"
#include "income/actual_amount_screen.h"
#include "income/income_screen.h"
#include "shell/app.h"
#include "shell/main_menu.h"
#include "tax/dividend_credit_screen.h"
#include "tax/housing_loan_screen.h"
#include "tax/tax_computation_screen.h"

#include "screen_fixture.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

namespace kakutei {
namespace {

using testing::writeRecordFields;

// Taxpayer 1 has figures on every screen; taxpayer 2 has none yet.
void writeTaxpayerOnesRecords(const DataStore& store) {
    writeRecordFields(store, 1, 1, 0, 20, {{1, "1234567"}, {20, "1234567"}});
    writeRecordFields(store, 1, 2, 13, 25, {{4, "\"一の予備\""}, {17, "700000"}, {20, "700000"}});
    writeRecordFields(store, 1, 3, 47, 17, {{2, "\"一の配偶者\""}});
    writeRecordFields(
        store, 1, 4, 40, 25,
        {{19, "\"配　当\""}, {31, "\"一の予備\""}, {41, "5000000"}, {53, "50000"}, {56, "300000"}});
    writeRecordFields(store, 1, 5, 0, 41, {{15, "5000000"}});
}

struct IsolationFixture : testing::DataScreenFixture {
    App app{store, ui};

    IsolationFixture() {
        registerTaxpayer(1, "一");
        registerTaxpayer(2, "二");
        writeTaxpayerOnesRecords(store);
        app.start();
    }
    void registerTaxpayer(PersonCode code, const std::string& name) {
        TaxpayerRecord record;
        record.personCode = code;
        record.name = name;
        ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(code))));
    }
    MainMenu& menu() { return app.mainMenu(); }
    void callUp(PersonCode code) {
        menu().text3.text = std::to_string(code);
        menu().callUp();
    }
    // Every screen opened on taxpayer 1, then taxpayer 2 called up: the screens still show 1's figures.
    void showOneThenCallUpTwo() {
        callUp(1);
        menu().deductions1();
        menu().deductions2();
        menu().taxCredits();
        menu().taxComputation();
        callUp(2);
    }
    // Only taxpayers 1 and 2 are listed: "表　　示" then makes 2 current without calling anyone up.
    void listOnlyOneAndTwo() { std::filesystem::remove(fsPath(store.path(names::taxpayerFile(7)))); }
    TaxComputationScreen& tax() { return *app.screenAs<TaxComputationScreen>(ScreenId::taxComputation); }
    IncomeScreen& income() { return *app.screenAs<IncomeScreen>(ScreenId::income); }
    HousingLoanScreen& housing() { return *app.screenAs<HousingLoanScreen>(ScreenId::housingLoan); }
    std::string file(const std::string& name) const { return "所得税/H16所得税/" + name; }
    std::vector<std::string> linesOf(PersonCode code, int k) const {
        return testing::recordLines(root, file(std::to_string(code * 10 + k) + ".txt"));
    }
};

// Lines of taxpayer 1's records that must never turn up in taxpayer 2's: record k, field n (1-based).
struct Figure {
    int k;
    int n;
    const char* taxpayerOnes; // as stored in 1's file
};
constexpr Figure kOnesFigures[] = {
    {1, 1, "1234567"},        {2, 4, "\"一の予備\""},  {2, 17, "700000"},
    {3, 2, "\"一の配偶者\""}, {4, 31, "\"一の予備\""}, {4, 41, "5000000"},
};

// The run-all buttons, and each screen's own 計算実行 pressed in a window that was showing taxpayer 1 when
// taxpayer 2 was called up.
TEST_F(IsolationFixture, CalculationsAfterACallUpStoreTheCurrentTaxpayersOwnData) {
    struct Button {
        const char* caption;
        std::function<void()> press;
        std::vector<int> runs; // the screen records the button calculates
    };
    const Button buttons[] = {
        {"所得金額の実行", [&] { menu().runIncome(); }, {1}},
        {"所得控除(1)の実行", [&] { menu().runDeductions1(); }, {2}},
        {"所得控除(2)の実行", [&] { menu().runDeductions2(); }, {3}},
        {"税額控除の実行", [&] { menu().runTaxCredits(); }, {4}},
        {"各データの実行",
         [&] { app.screenAs<TaxComputationScreen>(ScreenId::taxComputation)->runAll(); },
         {1, 2, 3, 4}},
        {"所得控除(1) 計算実行", [&] { app.screen(ScreenId::deductions1)->calculate(); }, {2}},
        {"所得控除(2) 計算実行", [&] { app.screen(ScreenId::personalDeductions)->calculate(); }, {3}},
        {"内訳 計算実行", [&] { app.screen(ScreenId::incomeBreakdown)->calculate(); }, {4}},
        {"税額の計算 計算実行", [&] { app.screen(ScreenId::taxComputation)->calculate(); }, {5}},
    };
    for (const Button& button : buttons) {
        std::filesystem::remove_all(fsPath(root.path() + "/" + file("")));
        std::filesystem::create_directory(fsPath(root.path() + "/" + file("")));
        writeTaxpayerOnesRecords(store);
        showOneThenCallUpTwo();
        button.press();
        for (int k : button.runs)
            ASSERT_TRUE(
                std::filesystem::exists(fsPath(root.path() + "/" + file("2" + std::to_string(k) + ".txt"))))
                << button.caption << " k=" << k;
        for (const Figure& figure : kOnesFigures) {
            if (std::find(button.runs.begin(), button.runs.end(), figure.k) == button.runs.end())
                continue;
            EXPECT_NE(linesOf(2, figure.k).at(static_cast<std::size_t>(figure.n - 1)), figure.taxpayerOnes)
                << button.caption << ": record " << figure.k << " field " << figure.n;
        }
        if (std::find(button.runs.begin(), button.runs.end(), 5) != button.runs.end()) {
            EXPECT_EQ(linesOf(2, 5).at(14), "0") << button.caption; // taxable income: 2 has none
        }
        // Taxpayer 1's own files are as they were.
        EXPECT_EQ(linesOf(1, 2).at(16), "700000") << button.caption;
    }
}

TEST_F(IsolationFixture, HousingLoanRegisterStartsFromAnEmptyRecordForANewTaxpayer) {
    testing::writeRecordFields(store, 1, 6, {{1, "14"}, {2, "3"}, {3, "1"}, {4, "30000000"}, {5, "250000"}});
    app.openHousingLoan("1", "H16");
    auto* housing = app.screenAs<HousingLoanScreen>(ScreenId::housingLoan);
    ASSERT_EQ(housing->balance.text, "30,000,000");
    app.openHousingLoan("2", "H16");
    housing->save(); // "登録実行"
    const std::string stored = root.readBytes(file("26住宅.txt"));
    EXPECT_EQ(stored.substr(0, 24), testing::crlfLines({"0", "0", "0", "0", "0", "0", "0", "0"}));
}

TEST_F(IsolationFixture, DividendProposalIsTheCurrentTaxpayers) {
    callUp(1);
    menu().taxComputation();
    auto* tax = app.screenAs<TaxComputationScreen>(ScreenId::taxComputation);
    tax->dividendCredit();
    ASSERT_NE(app.dividendCredit(), nullptr);
    EXPECT_EQ(app.dividendCredit()->dividends.text, "300,000");

    callUp(2);
    tax->dividendCredit();
    EXPECT_EQ(app.dividendCredit()->taxableIncome.text, "");
    EXPECT_EQ(app.dividendCredit()->dividends.text, "");

    writeRecordFields(store, 2, 4, 40, 25, {{22, "\"配　当\""}, {59, "80000"}});
    tax->dividendCredit();
    EXPECT_EQ(app.dividendCredit()->dividends.text, "80,000");
}

// Windows left open on taxpayer 1 close when 2 is called up, so none of their buttons can hand 1's figures to
// 2's screens: the actual-amount and dividend-credit screens drop what they held, the housing loan and
// printing windows are opened anew for 2 from their menus.
TEST_F(IsolationFixture, ACallUpClosesTheWindowsLeftOnThePreviousTaxpayer) {
    callUp(1);
    income().revenue[income_screen::kSalaryRow].text = "5,000,000";
    income().actualAmount();
    app.actualAmount().expenses.text = "2,000,000";
    app.actualAmount().calculate();
    menu().taxComputation();
    tax().dividendCredit();
    tax().housingLoanCredit();
    housing().balance.text = "30,000,000";
    menu().print();
    ui.calls.clear();

    callUp(2);

    std::vector<ScreenId> hidden;
    for (const auto& call : ui.callsOf("hide"))
        hidden.push_back(call.screen);
    EXPECT_THAT(hidden, ::testing::IsSupersetOf({ScreenId::actualAmount, ScreenId::dividendCredit,
                                                 ScreenId::housingLoan, ScreenId::printing}));
    EXPECT_EQ(app.dividendCredit(), nullptr);
    EXPECT_EQ(app.actualAmount().text60.text, "");
    for (const Field* field :
         {&app.actualAmount().revenue, &app.actualAmount().expenses, &app.actualAmount().income})
        EXPECT_EQ(field->text, "");
    EXPECT_EQ(housing().balance.text, "");
    // The screens reloaded for 2 carry none of 1's figures.
    EXPECT_EQ(income().income[income_screen::kSalaryLine].text, "");
    EXPECT_EQ(tax().line(28).text, "");
    EXPECT_EQ(tax().line(30).text, "");

    // The same client called up again keeps his windows.
    ui.calls.clear();
    tax().dividendCredit();
    callUp(2);
    EXPECT_NE(app.dividendCredit(), nullptr);
}

// A transfer whose two screens hold different taxpayers. A user gets there by "表　　示", which makes the
// last listed taxpayer (2) current without a call-up, so that the menu opens the next screen on 2 while
// the others stay on 1; the sub-screens of the tax computation screen are opened for another code than
// the one it holds through App's own openers.
struct Transfer {
    const char* name;
    ScreenId from;
    ScreenId to;
    // Whose figures `prepare` leaves on each: "個人コード 1（一）".
    const char* fromHolds;
    const char* toHolds;
    std::function<void(IsolationFixture&)> prepare;
    std::function<void(IsolationFixture&)> press;
    // The fields of `to` the transfer would write.
    std::function<std::vector<std::string>(IsolationFixture&)> target;
};

std::vector<std::string> taxLines(IsolationFixture& f, std::initializer_list<int> numbers) {
    std::vector<std::string> texts;
    for (int number : numbers)
        texts.push_back(f.tax().line(number).text);
    return texts;
}

constexpr const char* kOne = "個人コード 1（一）";
constexpr const char* kTwo = "個人コード 2（二）";

const Transfer kTransfers[] = {
    {"確認実行 of 給与等の実額計算", ScreenId::actualAmount, ScreenId::income, kOne, kTwo,
     [](IsolationFixture& f) {
         f.callUp(1);
         f.income().revenue[income_screen::kSalaryRow].text = "5,000,000";
         f.income().actualAmount();
         f.app.actualAmount().expenses.text = "2,000,000";
         f.app.actualAmount().calculate();
         f.menu().display();
         f.menu().income();
     },
     [](IsolationFixture& f) { f.app.actualAmount().confirm(); },
     [](IsolationFixture& f) {
         return std::vector<std::string>{f.income().income[income_screen::kSalaryLine].text};
     }},
    {"配偶者特別控除の計算実行", ScreenId::personalDeductions, ScreenId::taxComputation, kTwo, kOne,
     [](IsolationFixture& f) {
         f.callUp(1);
         f.menu().taxComputation();
         f.menu().display();
         f.menu().deductions2();
         f.app.screenAs<PersonalDeductionsScreen>(ScreenId::personalDeductions)->spouseSalaryRevenue.text =
             "1,000,000";
     },
     [](IsolationFixture& f) {
         f.app.screenAs<PersonalDeductionsScreen>(ScreenId::personalDeductions)->calculateSpouse();
     },
     [](IsolationFixture& f) {
         return taxLines(f, {21, 22, 42});
     }},
    {"確　　　認 of 配当控除", ScreenId::dividendCredit, ScreenId::taxComputation, kOne, kTwo,
     [](IsolationFixture& f) {
         f.callUp(2);
         f.menu().taxComputation();
         f.app.openDividendCredit("1", 5'000'000, 100'000);
     },
     [](IsolationFixture& f) { f.app.dividendCredit()->confirm(); },
     [](IsolationFixture& f) { return taxLines(f, {28}); }},
    {"a period button of 住宅取得控除", ScreenId::housingLoan, ScreenId::taxComputation, kOne, kTwo,
     [](IsolationFixture& f) {
         f.callUp(2);
         f.menu().taxComputation();
         f.app.openHousingLoan("1", "H16");
         f.housing().balance.text = "30,000,000";
     },
     [](IsolationFixture& f) { f.housing().calculatePeriod(1); },
     [](IsolationFixture& f) { return taxLines(f, {30}); }},
};

TEST_F(IsolationFixture, ATransferBetweenScreensOfDifferentTaxpayersIsRefusedAndSaid) {
    const std::map<ScreenId, std::string> captions = {
        {ScreenId::actualAmount, "給与等の実額計算"},
        {ScreenId::personalDeductions, "障害者・配偶者・扶養家族 / 専従者に関する事項"},
        {ScreenId::dividendCredit, "配当控除"},
        {ScreenId::housingLoan, "住宅取得控除"},
        {ScreenId::income, "収入金額等・所得金額"},
        {ScreenId::taxComputation, "税額の計算"},
    };
    listOnlyOneAndTwo();
    for (const Transfer& transfer : kTransfers) {
        SCOPED_TRACE(transfer.name);
        IsolationFixture& f = *this;
        transfer.prepare(f);
        const std::vector<std::string> before = transfer.target(f);
        ui.calls.clear();
        transfer.press(f);

        const auto warnings = ui.callsOf("warn");
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings[0].title, "別の人の数字です");
        const std::string& to = captions.at(transfer.to);
        EXPECT_EQ(warnings[0].body, "「" + captions.at(transfer.from) + "」の画面：" + transfer.fromHolds +
                                        "の数字\n「" + to + "」の画面：" + transfer.toHolds +
                                        "の数字\n別の人の画面へは数字を渡しません。「" + to +
                                        "」には何も書き込んでいません。\n"
                                        "同じ人の画面を開き直してから、もう一度実行して下さい。");
        EXPECT_EQ(transfer.target(f), before);
        EXPECT_FALSE(app.screen(transfer.to)->holdsUnsavedInput());
        // The refused press changed nothing of taxpayer 1's either.
        EXPECT_FALSE(std::filesystem::exists(fsPath(root.path() + "/" + file("16住宅.txt"))));
    }
}

// What a load or a クリア writes into another screen to keep it in step is left out, silently, where that
// screen holds another taxpayer: its 計算実行 would store the other's figure.
TEST_F(IsolationFixture, FollowUpsLeaveAScreenOfAnotherTaxpayerAlone) {
    listOnlyOneAndTwo();
    writeRecordFields(store, 2, 1, {{17, "3040000"}, {20, "3040000"}});
    writeRecordFields(store, 2, 4, {{53, "128400"}});
    struct FollowUp {
        const char* name;
        std::function<void()> openOnOne; // the screen that would be written to, on taxpayer 1
        std::function<void()> loadTwo;   // the menu opens the other screen on taxpayer 2
        std::function<std::string()> field;
        const char* ones;
    } followUps[] = {
        {"収入金額等・所得金額 → 所得控除(1) 所得金額", [&] { menu().deductions1(); },
         [&] { menu().income(); },
         [&] { return app.screenAs<DeductionsScreen>(ScreenId::deductions1)->totalIncome.text; },
         "1,234,567"},
        {"内訳 → 税額の計算 37", [&] { menu().taxComputation(); }, [&] { menu().taxCredits(); },
         [&] { return tax().line(37).text; }, "50,000"},
    };
    for (const FollowUp& followUp : followUps) {
        SCOPED_TRACE(followUp.name);
        callUp(1);
        followUp.openOnOne();
        ASSERT_EQ(followUp.field(), followUp.ones);
        menu().display(); // 2 is current now, without a call-up
        ui.calls.clear();
        followUp.loadTwo();
        EXPECT_EQ(followUp.field(), followUp.ones);
        EXPECT_TRUE(ui.callsOf("warn").empty());
    }
}

} // namespace
} // namespace kakutei
