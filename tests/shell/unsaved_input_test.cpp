// Figures the user typed and "計算実行" has not stored are never dropped without a question: ending the
// program, "初期画面", calling a client up and opening a screen anew ask first, and each answer keeps its
// word.
#include "core/path_text.h"
#include "core/taxpayer_record.h"
#include "deductions/deductions_screen.h"
#include "deductions/personal_deductions_screen.h"
#include "income/actual_amount_screen.h"
#include "income/income_breakdown_screen.h"
#include "income/income_screen.h"
#include "shell/app.h"
#include "shell/main_menu.h"
#include "shell/unsaved_input_question.h"
#include "tax/dividend_credit_screen.h"
#include "tax/housing_loan_screen.h"
#include "tax/tax_computation_screen.h"

#include "sample_taxpayer.h"
#include "screen_fixture.h"

#include <filesystem>
#include <functional>

namespace kakutei {
namespace {

// Taxpayers 7 and 9 registered, 7 called up, no figures stored yet.
struct UnsavedInputFixture {
    testing::TempRoot root;
    DataStore store{root.path()};
    testing::FakeUserInterface ui;
    App app{store, ui};

    UnsavedInputFixture() {
        store.ensureFolders(kYearCode);
        testing::registerTaxpayer(store, 7, "七");
        testing::registerTaxpayer(store, 9, "九");
        app.start();
        callUp(7);
        ui.calls.clear();
    }
    MainMenu& menu() { return app.mainMenu(); }
    void callUp(PersonCode code) {
        menu().text3.text = std::to_string(code);
        menu().callUp();
    }
    IncomeScreen& income() { return *app.screenAs<IncomeScreen>(ScreenId::income); }
    DeductionsScreen& deductions() { return *app.screenAs<DeductionsScreen>(ScreenId::deductions1); }
    TaxComputationScreen& tax() { return *app.screenAs<TaxComputationScreen>(ScreenId::taxComputation); }
    // As the window does when the user types into a box.
    static void type(DataScreen& screen, Field& field, const std::string& text) {
        screen.typed().typing(field);
        field.text = text;
    }
    // Taxpayer 7's stored income record, its first amount `first`.
    void storeIncome(const std::string& first) const {
        testing::writeRecordFields(store, 7, 1, 0, 20, {{1, first}});
    }
    // Taxpayer 7's screen file k.
    static std::string file(int k) { return "所得税/H16所得税/7" + std::to_string(k) + ".txt"; }
    bool stored(int k = 1) const { return std::filesystem::exists(fsPath(root.path() + "/" + file(k))); }
    std::string firstStoredAmount() const { return testing::recordLines(root, file(1)).at(0); }
    bool quitted() const { return !ui.callsOf("quit").empty(); }
};

struct Trigger {
    const char* name;
    std::function<void(UnsavedInputFixture&)> press;
    std::function<bool(UnsavedInputFixture&)> done; // whether the action went ahead
};

const Trigger kTriggers[] = {
    {"終了", [](UnsavedInputFixture& f) { f.menu().quit(); },
     [](UnsavedInputFixture& f) { return f.quitted(); }},
    {"END",
     [](UnsavedInputFixture& f) { f.app.screenAs<IncomeBreakdownScreen>(ScreenId::incomeBreakdown)->end(); },
     [](UnsavedInputFixture& f) { return f.quitted(); }},
    {"初期画面",
     [](UnsavedInputFixture& f) {
         f.menu().text3.text = "marker";
         f.menu().initialScreen();
     },
     [](UnsavedInputFixture& f) { return f.menu().text3.text.empty(); }},
    {"個人呼出 of another client", [](UnsavedInputFixture& f) { f.callUp(9); },
     [](UnsavedInputFixture& f) { return f.menu().currentPersonCode() == 9; }},
    {"a click on another client in the list", [](UnsavedInputFixture& f) { f.menu().clickList(1); },
     [](UnsavedInputFixture& f) { return f.menu().currentPersonCode() == 9; }},
    {"所得金額 (the screen opened anew)",
     [](UnsavedInputFixture& f) {
         f.menu().display(); // makes 9, the last listed, the current taxpayer without calling anyone up
         f.menu().income();
     },
     [](UnsavedInputFixture& f) { return f.income().text60.text == "9"; }},
};

TEST(UnsavedInput, EveryTriggerAsksAndEachAnswerKeepsItsWord) {
    for (const Trigger& trigger : kTriggers) {
        for (const Choice choice : {Choice::store, Choice::discard, Choice::back}) {
            SCOPED_TRACE(std::string(trigger.name) + " / answer " + std::to_string(static_cast<int>(choice)));
            UnsavedInputFixture f;
            f.type(f.income(), f.income().revenue[0], "1,200,000");
            f.ui.choices = {choice};

            trigger.press(f);

            ASSERT_EQ(f.ui.callsOf("choose").size(), 1u);
            EXPECT_EQ(f.ui.callsOf("choose").at(0).title, "保存していない入力があります");
            EXPECT_EQ(trigger.done(f), choice != Choice::back);
            EXPECT_EQ(f.stored(), choice == Choice::store);
            if (choice == Choice::store) {
                EXPECT_EQ(f.firstStoredAmount(), "1200000");
            }
            if (choice == Choice::back) {
                EXPECT_EQ(f.income().revenue[0].text, "1,200,000");
                EXPECT_TRUE(f.income().holdsUnsavedInput());
            }
        }
    }
}

// A figure another window handed over at the user's word waits on its screen like a typed one: the
// call-up of another client asks before it drops it, and 保存する stores it as that screen's own.
TEST(UnsavedInput, AFigureAnotherWindowHandedOverIsAskedAboutBeforeACallUp) {
    struct HandedOver {
        const char* name;
        std::function<void(UnsavedInputFixture&)> handOver;
        const char* holder; // the caption of the screen it waits on
        int k;              // the holder's record
        std::size_t field;  // 1-based
        const char* stored;
    } cases[] = {
        {"給与等の実額計算 → 所得 6",
         [](UnsavedInputFixture& f) {
             f.income().revenue[income_screen::kSalaryRow].text = "5,000,000";
             f.income().actualAmount();
             f.app.actualAmount().expenses.text = "1,200,000";
             f.app.actualAmount().calculate();
             f.app.actualAmount().confirm();
         },
         "収入金額等・所得金額", 1, 17, "3800000"},
        {"配当控除 → 28",
         [](UnsavedInputFixture& f) {
             f.menu().taxComputation();
             f.tax().dividendCredit();
             f.app.dividendCredit()->taxableIncome.text = "5,000,000";
             f.app.dividendCredit()->dividends.text = "100,000";
             f.app.dividendCredit()->calculate();
             f.app.dividendCredit()->confirm();
         },
         "税額の計算", 5, 17, "10000"},
        {"住宅取得控除 → 30",
         [](UnsavedInputFixture& f) {
             f.menu().taxComputation();
             f.tax().housingLoanCredit();
             auto& housing = *f.app.screenAs<HousingLoanScreen>(ScreenId::housingLoan);
             housing.balance.text = "12,345,678";
             housing.calculatePeriod(1);
         },
         "税額の計算", 5, 19, "123400"},
        {"配偶者特別控除の計算実行 → 42",
         [](UnsavedInputFixture& f) {
             f.menu().taxComputation();
             f.menu().deductions2();
             auto& personal = *f.app.screenAs<PersonalDeductionsScreen>(ScreenId::personalDeductions);
             personal.spouseSalaryRevenue.text = "1,000,000";
             personal.calculateSpouse();
         },
         "税額の計算", 5, 30, "350000"},
    };
    for (const HandedOver& c : cases) {
        SCOPED_TRACE(c.name);
        UnsavedInputFixture f;
        c.handOver(f);
        ASSERT_TRUE(f.ui.callsOf("warn").empty()) << f.ui.callsOf("warn").at(0).body;
        f.ui.calls.clear();
        f.ui.choices = {Choice::store};

        f.callUp(9);

        const auto asked = f.ui.callsOf("choose");
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].title, "保存していない入力があります");
        EXPECT_NE(asked[0].body.find("「" + std::string(c.holder) + "」（個人コード 7）"), std::string::npos);
        EXPECT_EQ(f.menu().currentPersonCode(), 9);
        EXPECT_EQ(testing::recordLines(f.root, UnsavedInputFixture::file(c.k)).at(c.field - 1), c.stored);
    }
}

TEST(UnsavedInput, TheQuestionNamesTheScreenAndTheClientAndShowsTheScreen) {
    UnsavedInputFixture f;
    f.type(f.income(), f.income().revenue[0], "1");
    f.menu().quit();
    const auto asked = f.ui.callsOf("choose");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].body,
              "「収入金額等・所得金額」（個人コード 7）に、「計算実行」で保存していない入力があります。"
              "保存しますか？\n\n"
              "保存する：「計算実行」で保存してから続けます。\n"
              "保存しない：入力を捨て、保存してある内容に戻してから続けます。\n"
              "戻る：何もせずに入力に戻ります。");
    const auto shown = f.ui.callsOf("show");
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().screen, ScreenId::income);
}

TEST(UnsavedInput, NothingIsAskedWhenNothingTypedIsPending) {
    const std::pair<const char*, std::function<void(UnsavedInputFixture&)>> cases[] = {
        {"loaded, nothing typed",
         [](UnsavedInputFixture& f) {
             f.storeIncome("5");
             f.menu().income();
         }},
        {"typed, then stored by 計算実行",
         [](UnsavedInputFixture& f) {
             f.type(f.income(), f.income().revenue[0], "1,000");
             f.income().calculate();
         }},
        {"typed, then typed back",
         [](UnsavedInputFixture& f) {
             f.type(f.income(), f.income().revenue[0], "1,000");
             f.type(f.income(), f.income().revenue[0], "");
         }},
        {"loaded, then クリア",
         [](UnsavedInputFixture& f) {
             f.storeIncome("5");
             f.menu().income();
             f.income().clear();
         }},
        {"typed, then DATA",
         [](UnsavedInputFixture& f) {
             f.type(f.income(), f.income().revenue[0], "1,000");
             f.income().data();
         }},
        {"figures a load wrote into another screen, not typed",
         [](UnsavedInputFixture& f) {
             f.storeIncome("5");
             f.menu().deductions1();
             f.menu().taxComputation();
             f.menu().taxCredits();
             f.menu().income(); // writes 所得金額 of 所得控除(1); the breakdown wrote line 37
         }},
    };
    for (const auto& [name, prepare] : cases) {
        SCOPED_TRACE(name);
        UnsavedInputFixture f;
        prepare(f);
        f.ui.calls.clear();
        f.menu().quit();
        EXPECT_EQ(f.ui.dialogue(), (std::vector<std::string>{"beep", "quit"}));
    }
}

TEST(UnsavedInput, EachScreenIsAskedAboutInTurnAndGoingBackStopsAtOnce) {
    UnsavedInputFixture f;
    f.menu().deductions1();
    f.type(f.income(), f.income().revenue[0], "1,000");
    f.type(f.deductions(), f.deductions().medicalPaid, "300,000");
    f.ui.choices = {Choice::store, Choice::back};
    f.menu().quit();

    const auto asked = f.ui.callsOf("choose");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_NE(asked[0].body.find("収入金額等・所得金額"), std::string::npos);
    EXPECT_NE(asked[1].body.find("医療費控除 / 社会保険料等"), std::string::npos);
    EXPECT_FALSE(f.quitted());
    EXPECT_TRUE(f.stored());
    EXPECT_FALSE(f.stored(2));
    EXPECT_EQ(f.deductions().medicalPaid.text, "300,000");

    // Asked again, only the screen still holding typed figures comes up.
    f.ui.calls.clear();
    f.ui.choices = {Choice::discard};
    f.menu().quit();
    ASSERT_EQ(f.ui.callsOf("choose").size(), 1u);
    EXPECT_EQ(f.deductions().medicalPaid.text, "");
    EXPECT_FALSE(f.stored(2));
    EXPECT_TRUE(f.quitted());
}

TEST(UnsavedInput, AStoreThatFailsKeepsTheProgramAndTheTypedFigures) {
    const std::pair<const char*, std::function<void(UnsavedInputFixture&)>> failures[] = {
        {"the year folder is gone",
         [](UnsavedInputFixture& f) {
             std::filesystem::remove_all(fsPath(f.root.path() + "/所得税/H16所得税"));
         }},
        {"the code cannot name a file", [](UnsavedInputFixture& f) { f.income().text60.text = "七"; }},
    };
    for (const auto& [name, breakIt] : failures) {
        SCOPED_TRACE(name);
        UnsavedInputFixture f;
        f.type(f.income(), f.income().revenue[0], "1,000");
        breakIt(f);
        f.ui.choices = {Choice::store};
        f.menu().quit();
        EXPECT_EQ(f.ui.dialogue(), (std::vector<std::string>{"choose", "warn"}));
        EXPECT_FALSE(f.quitted());
        EXPECT_EQ(f.income().revenue[0].text, "1,000");
    }
}

TEST(UnsavedInput, DiscardedFiguresAreNotStoredByALaterRunAllButton) {
    UnsavedInputFixture f;
    f.storeIncome("5");
    f.menu().income();
    f.type(f.income(), f.income().revenue[0], "9,999");
    f.ui.choices = {Choice::discard};
    f.menu().initialScreen();
    f.menu().runIncome();
    EXPECT_EQ(f.firstStoredAmount(), "5");
}

} // namespace
} // namespace kakutei
