// What every data screen's save goes through: the record's schema, the client gate and the state of the file
// now, not only what the screen remembers of it.
#include "core/data_screen.h"
#include "core/path_text.h"
#include "core/store_error.h"

#include "fake_user_interface.h"
#include "sample_taxpayer.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace kakutei {
namespace {

using testing::FakeUserInterface;
using testing::sjis;
using testing::TempRoot;

// The smallest screen there is: the first text of the deductions record (screen file 2), the rest empty,
// and the income record as the source of its figures.
class OneFieldScreen : public DataScreen {
public:
    using DataScreen::DataScreen;
    ScreenId id() const override { return ScreenId::deductions1; }
    Field name;
    void clear() override { name.text.clear(); }
    void data() override {
        nenGO();
        const StoredRecord stored = readOwnRecord(2);
        if (stored.readable())
            name.text = stored.values.texts.at(0);
    }
    void calculate() override {
        RecordWriter writer(screenRecordSchema(2));
        writer.text(name.text);
        for (int i = 2; i <= 13; ++i)
            writer.text("");
        for (int i = 14; i <= 38; ++i)
            writer.integer(0);
        saved = saveRecord(writer, 2);
    }
    std::vector<int> sourceRecords() const override { return {1}; }
    std::optional<std::string> path(int k) const { return screenFilePath(k); }
    bool saved = false;
};

struct ScreenFixture : ::testing::Test {
    TempRoot root;
    DataStore store{root.path()};
    FakeUserInterface ui;
    OneFieldScreen screen{store, ui};
    void SetUp() override {
        ASSERT_FALSE(store.ensureFolders(kYearCode));
        testing::registerTaxpayer(store, 7, "七");
        screen.text100.text = "H16";
        open("7");
    }
    void open(const std::string& code) {
        screen.text60.text = code;
        screen.clear();
        screen.data();
    }
    std::string stored() const { return root.readBytes("所得税/H16所得税/72.txt"); }
    bool refusedWith(std::string_view title) const {
        const auto warnings = ui.callsOf("warn");
        return !warnings.empty() && warnings.back().title == title;
    }
};

TEST_F(ScreenFixture, YearButtonCopiesTheHiddenYearField) {
    screen.text100.text = "H14";
    EXPECT_EQ(screen.workingYearCode(), "H16");
    screen.nenGO();
    EXPECT_EQ(screen.workingYearCode(), "H14");
}

TEST_F(ScreenFixture, SavesToTheTaxpayersScreenFile) {
    screen.name.text = "髙";
    screen.calculate();
    EXPECT_TRUE(screen.saved);
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(stored().substr(0, 6), sjis("\"髙\"\r\n"));
    // What it stored it may store over again.
    screen.name.text = "﨑";
    screen.calculate();
    EXPECT_TRUE(screen.saved);
    EXPECT_EQ(stored().substr(0, 6), sjis("\"﨑\"\r\n"));
}

TEST_F(ScreenFixture, ASaveThatFailsTellsTheUserAndKeepsTheFile) {
    struct Case {
        const char* code;
        const char* name;
        const char* title;
    } cases[] = {
        {"3277", "a",
         "まず、個人登録を行って下さい。個人登録がないと実行できません。"}, // file number overflow
        {"abc", "a", "まず、個人登録を行って下さい。個人登録がないと実行できません。"},
        {"7", "a\"b", "保存できない文字があります"},
        {"7", "😀", "保存できない文字があります"},
    };
    screen.name.text = "old";
    screen.calculate();
    const std::string before = stored();
    for (const Case& c : cases) {
        open(c.code);
        ui.calls.clear();
        screen.name.text = c.name;
        screen.calculate();
        EXPECT_FALSE(screen.saved) << c.code << c.name;
        ASSERT_EQ(ui.calls.size(), 1u);
        EXPECT_EQ(ui.calls[0].kind, "warn");
        EXPECT_EQ(ui.calls[0].title, c.title);
        EXPECT_FALSE(ui.calls[0].body.empty());
        EXPECT_EQ(screen.failedSave().has_value(), true);
    }
    EXPECT_EQ(stored(), before);
}

TEST_F(ScreenFixture, MissingYearFolderReportsTheSystemError) {
    std::filesystem::remove_all(fsPath(root.path() + "/所得税/H16所得税"));
    screen.calculate();
    ASSERT_EQ(ui.callsOf("warn").size(), 1u);
    EXPECT_EQ(ui.calls[0].body, describeError(std::make_error_code(std::errc::no_such_file_or_directory)));
}

TEST_F(ScreenFixture, PreviousYearNamesUseTheWorkingYear) {
    screen.text60.text = "１２";
    screen.text100.text = "H14";
    screen.nenGO();
    EXPECT_EQ(screen.path(2), root.path() + "/所得税/H14所得税/122.txt");
}

// The gate every save passes: nothing is stored under a code whose registration is missing or damaged (the
// next taxpayer registered under it would inherit it), nor figures the screen holds of another taxpayer.
TEST_F(ScreenFixture, NoSaveForAnotherTaxpayerOrACodeWithoutARegistration) {
    testing::registerTaxpayer(store, 8, "八");
    root.writeBytes("所得税/個人名/9.txt", testing::sampleBytes().substr(0, 60));
    OneFieldScreen neverLoaded{store, ui};
    neverLoaded.text100.text = "H16";
    neverLoaded.nenGO();
    struct Case {
        const char* what;
        std::function<OneFieldScreen&(ScreenFixture&)> arrange;
        const char* title;
        const char* file;
    } cases[] = {
        {"not registered",
         [](ScreenFixture& f) -> OneFieldScreen& {
             f.open("4");
             return f.screen;
         },
         "まず、個人登録を行って下さい。個人登録がないと実行できません。", "42.txt"},
        {"a damaged registration",
         [](ScreenFixture& f) -> OneFieldScreen& {
             f.open("9");
             return f.screen;
         },
         "まず、個人登録を行って下さい。個人登録がないと実行できません。", "92.txt"},
        {"another taxpayer's figures",
         [](ScreenFixture& f) -> OneFieldScreen& {
             f.open("7");
             f.screen.text60.text = "8";
             return f.screen;
         },
         "別の人の数字です", "82.txt"},
        {"nobody's figures yet",
         [&neverLoaded](ScreenFixture&) -> OneFieldScreen& {
             neverLoaded.text60.text = "8";
             return neverLoaded;
         },
         "別の人の数字です", "82.txt"},
    };
    for (const Case& c : cases) {
        OneFieldScreen& saving = c.arrange(*this);
        ui.calls.clear();
        saving.name.text = "x";
        saving.calculate();
        EXPECT_FALSE(saving.saved) << c.what;
        ASSERT_TRUE(refusedWith(c.title)) << c.what;
        EXPECT_NE(ui.callsOf("warn").back().body.find("何も保存していません"), std::string::npos) << c.what;
        EXPECT_FALSE(std::filesystem::exists(fsPath(root.path() + "/所得税/H16所得税/" + c.file))) << c.what;
    }
}

// A restore, another program or a recalculation may store the file after the screen read it: the screen's
// older figures never go over it, and the state of the file is looked at now, not as the last load found it.
TEST_F(ScreenFixture, AFileThatChangedSinceTheScreenReadItIsNotStoredOver) {
    screen.name.text = "mine";
    screen.calculate();
    ASSERT_TRUE(screen.saved);
    const struct {
        const char* what;
        std::function<void(ScreenFixture&)> change;
    } changes[] = {
        {"replaced",
         [](ScreenFixture& f) {
             OneFieldScreen other(f.store, f.ui);
             other.text100.text = "H16";
             f.ui.calls.clear();
             other.text60.text = "7";
             other.data();
             other.name.text = "theirs";
             other.calculate();
         }},
        {"removed",
         [](ScreenFixture& f) {
             std::filesystem::remove(fsPath(f.root.path() + "/所得税/H16所得税/72.txt"));
         }},
        {"damaged", [](ScreenFixture& f) { f.root.writeBytes("所得税/H16所得税/72.txt", "\"cut"); }},
    };
    for (const auto& c : changes) {
        open("7");
        c.change(*this);
        const bool there = std::filesystem::exists(fsPath(root.path() + "/所得税/H16所得税/72.txt"));
        const std::string before = there ? stored() : std::string();
        ui.calls.clear();
        screen.name.text = "stale";
        screen.calculate();
        EXPECT_FALSE(screen.saved) << c.what;
        EXPECT_FALSE(ui.callsOf("warn").empty()) << c.what;
        if (there)
            EXPECT_EQ(stored(), before) << c.what;
        else
            EXPECT_FALSE(std::filesystem::exists(fsPath(root.path() + "/所得税/H16所得税/72.txt"))) << c.what;
        // Reading it again (DATA) lets the user store what they type next.
        std::filesystem::remove(fsPath(root.path() + "/所得税/H16所得税/72.txt"));
        open("7");
        screen.name.text = "again";
        screen.calculate();
        EXPECT_TRUE(screen.saved) << c.what;
    }
}

TEST_F(ScreenFixture, NothingIsStoredWhileARecordItsFiguresComeFromCannotBeRead) {
    root.writeBytes("所得税/H16所得税/71.txt", "1\r\n");
    open("7");
    ui.calls.clear();
    screen.name.text = "x";
    screen.calculate();
    EXPECT_FALSE(screen.saved);
    ASSERT_TRUE(refusedWith(kUnreadableNotSavedTitle));
    EXPECT_NE(ui.callsOf("warn").back().body.find("71.txt"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(fsPath(root.path() + "/所得税/H16所得税/72.txt")));
}

} // namespace
} // namespace kakutei
