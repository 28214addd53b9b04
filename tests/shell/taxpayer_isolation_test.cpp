// One taxpayer's figures never reach another's files: the buttons that calculate or propose from another
// screen work on the current taxpayer's stored data, even when a screen still shows the previous one.
#include "core/path_text.h"
#include "core/taxpayer_record.h"
#include "shell/app.h"
#include "shell/main_menu.h"
#include "tax/dividend_credit_screen.h"
#include "tax/housing_loan_screen.h"
#include "tax/tax_computation_screen.h"

#include "screen_fixture.h"

#include <algorithm>
#include <functional>

namespace kakutei {
namespace {

using testing::writeRecordFields;

// Taxpayer 1 has figures on every screen; taxpayer 2 has none yet.
void writeTaxpayerOnesRecords(const DataStore& store) {
    writeRecordFields(store, 1, 1, 0, 20, {{1, "1234567"}, {20, "1234567"}});
    writeRecordFields(store, 1, 2, 13, 25, {{4, "\"一の予備\""}, {17, "700000"}, {20, "700000"}});
    writeRecordFields(store, 1, 3, 47, 17, {{2, "\"一の配偶者\""}});
    writeRecordFields(store, 1, 4, 40, 25,
                      {{19, "\"配　当\""}, {31, "\"一の予備\""}, {41, "5000000"}, {56, "300000"}});
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

} // namespace
} // namespace kakutei
