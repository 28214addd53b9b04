#include "shell/main_menu.h"

#include "core/taxpayer_record.h"
#include "deductions/deductions_screen.h"
#include "income/actual_amount_screen.h"
#include "income/income_screen.h"
#include "registry/registration_screen.h"
#include "registry/year_end_import_screen.h"
#include "shell/app.h"
#include "shell/internet_addresses.h"

#include "fake_user_interface.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kakutei {
namespace {

using testing::FakeUserInterface;
using testing::TempRoot;

// Stands in for a data screen: records the buttons pressed on it.
class RecordingScreen : public DataScreen {
public:
    RecordingScreen(DataStore& store, UserInterface& ui, ScreenId id, std::vector<std::string>& log)
        : DataScreen(store, ui), id_(id), log_(log) {}
    ScreenId id() const override { return id_; }
    void clear() override { log_.push_back(std::string(formName(id_)) + " clear " + text60.text); }
    void data() override { log_.push_back(std::string(formName(id_)) + " data " + workingYearCode()); }
    void calculate() override { log_.push_back(std::string(formName(id_)) + " calculate " + text60.text); }

private:
    ScreenId id_;
    std::vector<std::string>& log_;
};

struct MainMenuFixture : ::testing::Test {
    TempRoot root;
    DataStore store{root.path()};
    FakeUserInterface ui;
    App app{store, ui};
    std::vector<std::string> pressed;

    void installScreens() {
        for (ScreenId id : {ScreenId::income, ScreenId::deductions1, ScreenId::personalDeductions,
                            ScreenId::incomeBreakdown, ScreenId::taxComputation})
            app.install(std::make_unique<RecordingScreen>(store, ui, id, pressed));
    }
    void registerTaxpayer(PersonCode code, const std::string& name,
                          const std::string& condition = "該当なし") {
        TaxpayerRecord record;
        record.personCode = code;
        record.name = name;
        record.condition = condition;
        ASSERT_FALSE(store.ensureBaseFolders());
        ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(code))));
    }
    MainMenu& menu() { return app.mainMenu(); }
    bool shown(ScreenId id) const {
        for (const auto& call : ui.calls)
            if (call.kind == "show" && call.screen == id)
                return true;
        return false;
    }
};

TEST_F(MainMenuFixture, StartUpMakesTheTreeAndSetsTheYear) {
    installScreens();
    app.start();
    EXPECT_TRUE(std::filesystem::is_directory(root.path() + "/所得税/個人名"));
    EXPECT_TRUE(std::filesystem::is_directory(root.path() + "/所得税/H16所得税"));
    EXPECT_EQ(menu().windowCaption(), "平成 16 年分の所得税申告書");
    EXPECT_EQ(menu().label1(), "平成 16 年分");
    EXPECT_EQ(app.screen(ScreenId::income)->text100.text, "H16");
    EXPECT_EQ(app.screen(ScreenId::taxComputation)->text100.text, "H16");
    EXPECT_TRUE(menu().list1.empty());
    EXPECT_EQ(menu().currentPersonCode(), 0);
    EXPECT_TRUE(menu().runAllVisible());
    EXPECT_TRUE(ui.dialogue().empty());
}

TEST_F(MainMenuFixture, ListsCodesOneToThousandWithPaddingAndKeepsTheLastCurrent) {
    registerTaxpayer(1000, "千");
    registerTaxpayer(3, "三");
    registerTaxpayer(42, "四十二");
    registerTaxpayer(100, "百");
    registerTaxpayer(2000, "二千"); // registered, listed nowhere
    registerTaxpayer(0, "零");
    app.start();
    EXPECT_EQ(menu().list1, (std::vector<std::string>{"03 : 三", "042 : 四十二", "100 : 百", "1000 : 千"}));
    EXPECT_EQ(menu().currentPersonCode(), 1000);
    EXPECT_EQ(menu().currentName(), "千");
    EXPECT_EQ(menu().text2.text, "");
}

// A damaged registration is a client whose file needs mending, not a client who is gone.
TEST_F(MainMenuFixture, ListsDamagedRegistrationsWithAMark) {
    registerTaxpayer(5, "五");
    root.writeBytes("所得税/個人名/6.txt", "");                      // empty
    root.writeBytes("所得税/個人名/7.txt", "7\r\n");                 // truncated after the code
    root.writeBytes("所得税/個人名/8.txt", "\"x\"\r\n\"y\"");        // text where the code stands
    root.writeBytes("所得税/個人名/9.txt", "9\n\"\x82\xA0\x80\"\n"); // LF only, one bad byte
    app.start();
    EXPECT_EQ(menu().list1,
              (std::vector<std::string>{"05 : 五", "06 : ※登録を読めません", "07 : ※登録を読めません",
                                        "08 : ※登録を読めません", "09 : ※登録を読めません"}));
    EXPECT_EQ(menu().currentPersonCode(), 5);
}

TEST_F(MainMenuFixture, CallUpOpensTheIncomeScreenOnTheTaxpayer) {
    installScreens();
    registerTaxpayer(7, "七", "老年者");
    app.start();
    pressed.clear();
    menu().text3.text = "７"; // typed through the input method
    menu().callUp();
    EXPECT_EQ(menu().currentPersonCode(), 7);
    EXPECT_EQ(menu().text2.text, "七");
    for (ScreenId id : {ScreenId::deductions1, ScreenId::personalDeductions, ScreenId::incomeBreakdown,
                        ScreenId::taxComputation})
        EXPECT_EQ(app.screen(id)->text60.text, "7") << formName(id);
    EXPECT_EQ(pressed, (std::vector<std::string>{"Form3 clear 7", "Form3 data H16"}));
    EXPECT_TRUE(shown(ScreenId::income));
    EXPECT_FALSE(menu().runAllVisible());
    EXPECT_EQ(ui.callsOf("beep").size(), 0u);
}

// A code that cannot be read changes nothing; one without a readable registration is said, and the client
// called up before stays current, so that no screen opens a return under a code nobody is registered with.
TEST_F(MainMenuFixture, CallUpFailures) {
    struct Case {
        const char* typed;
        const char* said; // part of the message; nothing when nothing is said
    } cases[] = {
        {"", nullptr},
        {"abc", nullptr},
        {"32768", nullptr},
        {"7", "登録されていません"},
        {"0", "登録されていません"},
        {"-3", "登録されていません"},
        {"3277", "登録されていません"},
        {"2.5", "登録されていません"},
        {"6", "登録が壊れています"},
    };
    installScreens();
    registerTaxpayer(1, "一");
    root.writeBytes("所得税/個人名/6.txt", "6\r\n");
    for (const Case& c : cases) {
        app.start();
        menu().text2.text = "前の名前";
        ui.calls.clear();
        menu().text3.text = c.typed;
        menu().callUp();
        pressed.clear();
        menu().income();
        EXPECT_EQ(menu().currentPersonCode(), 1) << c.typed;
        EXPECT_EQ(pressed, (std::vector<std::string>{"Form3 clear 1", "Form3 data H16"})) << c.typed;
        EXPECT_EQ(menu().text2.text, "前の名前") << c.typed;
        if (c.said) {
            ASSERT_EQ(ui.callsOf("warn").size(), 1u) << c.typed;
            EXPECT_EQ(ui.callsOf("warn")[0].title, "個人呼出");
            EXPECT_NE(ui.callsOf("warn")[0].body.find(c.said), std::string::npos)
                << ui.callsOf("warn")[0].body;
        } else {
            EXPECT_TRUE(ui.callsOf("warn").empty()) << c.typed;
        }
    }
}

TEST_F(MainMenuFixture, CallUpHandsTheCodeToTheRegistrationScreen) {
    registerTaxpayer(9, "九");
    app.start();
    for (const char* typed : {"9", "12"}) { // registered or not, the code goes over
        menu().text3.text = typed;
        menu().callUp();
        EXPECT_EQ(app.registration().text25.text, typed);
    }
    app.registration().data();
    EXPECT_EQ(app.registration().text5.text, ""); // 12 has no record
    menu().text3.text = "9";
    menu().callUp();
    app.registration().data();
    EXPECT_EQ(app.registration().text5.text, "九");
}

TEST_F(MainMenuFixture, RegistrationOpensClearWithItsDefaults) {
    app.start();
    RegistrationScreen& registration = app.registration();
    registration.text5.text = "前の入力";
    registration.switchWhiteReturn();
    registration.switchSex(1);
    menu().registration();
    EXPECT_EQ(registration.text5.text, "");
    EXPECT_EQ(registration.workingYearCode(), "H16");
    EXPECT_TRUE(registration.eraOptions[registration::kShowa].on);
    EXPECT_TRUE(registration.blueReturnOption.on);
    EXPECT_TRUE(registration.sexOptions[registration::kMale].on);
    EXPECT_EQ(registration.text22.text, "該当なし");
    EXPECT_TRUE(shown(ScreenId::registration));
}

TEST_F(MainMenuFixture, YearEndImportIsMadeAnewAfterEachSuccess) {
    app.start();
    EXPECT_EQ(app.yearEndImport(), nullptr);
    app.registration().openYearEndImport();
    ASSERT_NE(app.yearEndImport(), nullptr);
    EXPECT_TRUE(shown(ScreenId::yearEndImport));
    app.yearEndImport()->text1.text = "0";
    app.yearEndImport()->text2.text = "1";
    app.discardScreen(ScreenId::yearEndImport);
    EXPECT_EQ(app.yearEndImport(), nullptr);
    app.registration().openYearEndImport();
    EXPECT_EQ(app.yearEndImport()->text1.text, "");
}

TEST_F(MainMenuFixture, IncomeScreensAreWiredTogether) {
    registerTaxpayer(7, "七", "老年者");
    app.start();
    menu().text3.text = "7";
    menu().callUp();
    auto* income = app.screenAs<IncomeScreen>(ScreenId::income);
    ASSERT_NE(income, nullptr);
    EXPECT_EQ(income->text98.text, "老年者");
    EXPECT_TRUE(income->elderly());
    income->revenue[income_screen::kSalaryRow].text = "5,000,000";
    income->actualAmount();
    EXPECT_EQ(app.actualAmount().revenue.text, "5,000,000");
    app.actualAmount().expenses.text = "1,200,000";
    app.actualAmount().calculate();
    app.actualAmount().confirm();
    EXPECT_EQ(income->income[income_screen::kSalaryLine].text, "3,800,000");
    EXPECT_TRUE(shown(ScreenId::actualAmount));
    income->calculate(); // loading hands the total income to the deductions (1) screen
    EXPECT_EQ(app.screenAs<DeductionsScreen>(ScreenId::deductions1)->totalIncome.text, "3,800,000");
}

TEST_F(MainMenuFixture, MenuButtonsOpenOnTheLastListedTaxpayer) {
    installScreens();
    registerTaxpayer(12, "十二");
    registerTaxpayer(30, "三十");
    app.start();
    struct Case {
        void (MainMenu::*button)();
        const char* form;
    } cases[] = {{&MainMenu::income, "Form3"},
                 {&MainMenu::deductions1, "Form4"},
                 {&MainMenu::deductions2, "Form5"},
                 {&MainMenu::taxCredits, "Form6"}};
    for (const Case& c : cases) {
        pressed.clear();
        (menu().*c.button)();
        EXPECT_EQ(pressed, (std::vector<std::string>{std::string(c.form) + " clear 30",
                                                     std::string(c.form) + " data H16"}));
    }
}

TEST_F(MainMenuFixture, ListClickCallsUpTheEntrysCode) {
    installScreens();
    registerTaxpayer(3, "三");
    registerTaxpayer(42, "四十二");
    registerTaxpayer(1000, "千");
    app.start();
    menu().clickList(1);
    EXPECT_EQ(menu().text3.text, "42");
    EXPECT_EQ(menu().currentPersonCode(), 42);
    EXPECT_EQ(menu().text2.text, "四十二");
    menu().clickList(2);
    EXPECT_EQ(menu().currentPersonCode(), 1000);
    EXPECT_EQ(app.screen(ScreenId::income)->text60.text, "1000");
}

TEST_F(MainMenuFixture, ClearEmptiesTheBoxesButKeepsTheTaxpayer) {
    registerTaxpayer(8, "八");
    app.start();
    menu().text3.text = "8";
    menu().callUp();
    menu().clearCode();
    EXPECT_EQ(menu().text3.text, "");
    EXPECT_EQ(menu().text2.text, "");
    EXPECT_EQ(menu().currentPersonCode(), 8);
}

TEST_F(MainMenuFixture, RunAllPanelHidesForGoodUntilTheInitialScreen) {
    installScreens();
    app.start();
    menu().taxComputation();
    EXPECT_TRUE(menu().runAllVisible()); // the tax computation button leaves it
    menu().runIncome();
    EXPECT_TRUE(menu().runAllVisible());
    menu().hideRunAll();
    EXPECT_FALSE(menu().runAllVisible());
    menu().initialScreen();
    EXPECT_TRUE(menu().runAllVisible());
    for (auto button :
         {&MainMenu::income, &MainMenu::registration, &MainMenu::print, &MainMenu::dataManagement}) {
        menu().initialScreen();
        (menu().*button)();
        EXPECT_FALSE(menu().runAllVisible());
    }
}

TEST_F(MainMenuFixture, RunAllButtonsCalculateThenReopenTheTaxComputation) {
    installScreens();
    registerTaxpayer(4, "四");
    app.start();
    menu().text3.text = "4";
    menu().callUp();
    struct Case {
        void (MainMenu::*button)();
        const char* form;
    } cases[] = {{&MainMenu::runIncome, "Form3"},
                 {&MainMenu::runDeductions1, "Form4"},
                 {&MainMenu::runDeductions2, "Form5"},
                 {&MainMenu::runTaxCredits, "Form6"}};
    for (const Case& c : cases) {
        pressed.clear();
        (menu().*c.button)();
        // The stand-ins never load a record of their own, so each is first loaded for the current taxpayer.
        const std::string form = c.form;
        EXPECT_EQ(pressed, (std::vector<std::string>{form + " clear 4", form + " data H16",
                                                     form + " calculate 4", "Form7 clear 4", "Form7 data "}));
    }
}

TEST_F(MainMenuFixture, InitialScreenRunsStartUpAgain) {
    registerTaxpayer(5, "五");
    app.start();
    menu().text3.text = "5";
    menu().callUp();
    registerTaxpayer(6, "六");
    menu().initialScreen();
    EXPECT_EQ(menu().text3.text, "");
    EXPECT_EQ(menu().text2.text, "");
    EXPECT_EQ(menu().list1.size(), 2u);
    EXPECT_EQ(menu().currentPersonCode(), 6);
    EXPECT_TRUE(shown(ScreenId::mainMenu));
    EXPECT_TRUE(ui.callsOf("quit").empty());
}

TEST_F(MainMenuFixture, QuitBeepsAndEnds) {
    app.start();
    menu().quit();
    EXPECT_EQ(ui.dialogue(), (std::vector<std::string>{"beep", "quit"}));
}

TEST_F(MainMenuFixture, CloseScreensHidesEveryWorkScreen) {
    app.start();
    ui.calls.clear();
    menu().closeScreens();
    std::vector<ScreenId> hidden;
    for (const auto& call : ui.calls)
        hidden.push_back(call.screen);
    EXPECT_EQ(hidden.size(), 10u);
    EXPECT_EQ(std::count(hidden.begin(), hidden.end(), ScreenId::mainMenu), 0);
    EXPECT_EQ(std::count(hidden.begin(), hidden.end(), ScreenId::dividendCredit), 1);
}

TEST_F(MainMenuFixture, StartUpOnARootThatCannotBeMadeStillShowsTheMenu) {
    root.writeBytes("blocked", "a file where the root should be");
    DataStore blocked(root.path() + "/blocked");
    App blockedApp(blocked, ui);
    blockedApp.start();
    EXPECT_TRUE(blockedApp.mainMenu().list1.empty());
    EXPECT_EQ(blockedApp.mainMenu().windowCaption(), "平成 16 年分の所得税申告書");
    EXPECT_TRUE(ui.dialogue().empty());
}

TEST_F(MainMenuFixture, InternetButtonsOpenTheProjectsOwnAddresses) {
    app.start();
    menu().openHomePage();
    menu().sendMail();
    menu().openSupportCentre();
    const auto opened = ui.callsOf("open");
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_TRUE(opened[0].title.starts_with("file://"));
    EXPECT_TRUE(opened[1].title.starts_with("mailto:"));
    EXPECT_TRUE(opened[2].title.starts_with("file://"));
}

// The guide is looked for beside the running program, wherever it was installed, and a guide that is
// nowhere is said rather than opened as a dead address.
TEST_F(MainMenuFixture, TheGuideIsFoundBesideTheProgramOrNamedAsMissing) {
    app.start();
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    ASSERT_FALSE(error);
    const auto beside = program.parent_path().parent_path() / "share" / "doc" / "kakutei" / "guide.html";
    ASSERT_FALSE(userGuideCandidates().empty());
    EXPECT_EQ(userGuideCandidates().front(), beside.string());

    root.writeBytes("guide.html", "<html></html>");
    const std::string guide = root.path() + "/guide.html";
    ::setenv("KAKUTEI_GUIDE", guide.c_str(), 1);
    menu().openHomePage();
    const std::string missing = root.path() + "/no-guide.html";
    ::setenv("KAKUTEI_GUIDE", missing.c_str(), 1);
    menu().openSupportCentre();
    ::unsetenv("KAKUTEI_GUIDE");

    const auto opened = ui.callsOf("open");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].title, "file://" + guide);
    const auto warned = ui.callsOf("warn");
    ASSERT_EQ(warned.size(), 1u);
    EXPECT_EQ(warned[0].title, "使い方ガイドが見つかりません");
    EXPECT_NE(warned[0].body.find(missing), std::string::npos) << warned[0].body;
}

TEST(MailUrl, AddsThePrefixOnlyWhenMissing) {
    EXPECT_EQ(mailUrl("a@b.jp"), "mailto:a@b.jp");
    EXPECT_EQ(mailUrl("mailto:a@b.jp"), "mailto:a@b.jp");
    EXPECT_EQ(mailUrl("MailTo:a@b.jp"), "MailTo:a@b.jp");
    EXPECT_EQ(mailUrl("mail"), "mailto:mail");
}

TEST(PersonListEntry, PadsCodesBelowOneHundred) {
    EXPECT_EQ(personListEntry(5, "a"), "05 : a");
    EXPECT_EQ(personListEntry(42, "a"), "042 : a");
    EXPECT_EQ(personListEntry(99, "a"), "099 : a");
    EXPECT_EQ(personListEntry(100, "a"), "100 : a");
}

} // namespace
} // namespace kakutei
