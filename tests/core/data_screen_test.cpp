#include "core/data_screen.h"
#include "core/path_text.h"
#include "core/store_error.h"

#include "fake_user_interface.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kakutei {
namespace {

using testing::FakeUserInterface;
using testing::sjis;
using testing::TempRoot;

// The smallest screen there is: one text and one amount, saved as screen file 1.
class OneFieldScreen : public DataScreen {
public:
    using DataScreen::DataScreen;
    ScreenId id() const override { return ScreenId::income; }
    Field name;
    void clear() override { name.text.clear(); }
    void data() override {}
    void calculate() override {
        RecordWriter writer;
        writer.text(name.text, "名前");
        writer.fillers();
        saved = saveRecord(writer, 1);
    }
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
        screen.text100.text = "H16";
        screen.nenGO();
    }
};

TEST_F(ScreenFixture, YearButtonCopiesTheHiddenYearField) {
    screen.text100.text = "H14";
    EXPECT_EQ(screen.workingYearCode(), "H16");
    screen.nenGO();
    EXPECT_EQ(screen.workingYearCode(), "H14");
}

TEST_F(ScreenFixture, SavesToTheTaxpayersScreenFile) {
    screen.text60.text = "7";
    screen.name.text = "髙";
    screen.calculate();
    EXPECT_TRUE(screen.saved);
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(root.readBytes("所得税/H16所得税/71.txt").substr(0, 6), sjis("\"髙\"\r\n"));
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
    root.writeBytes("所得税/H16所得税/71.txt", "old");
    for (const Case& c : cases) {
        ui.calls.clear();
        screen.text60.text = c.code;
        screen.name.text = c.name;
        screen.calculate();
        EXPECT_FALSE(screen.saved) << c.code << c.name;
        ASSERT_EQ(ui.calls.size(), 1u);
        EXPECT_EQ(ui.calls[0].kind, "warn");
        EXPECT_EQ(ui.calls[0].title, c.title);
        EXPECT_FALSE(ui.calls[0].body.empty());
    }
    EXPECT_EQ(root.readBytes("所得税/H16所得税/71.txt"), "old");
}

TEST_F(ScreenFixture, MissingYearFolderReportsTheSystemError) {
    std::filesystem::remove_all(fsPath(root.path() + "/所得税/H16所得税"));
    screen.text60.text = "7";
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

} // namespace
} // namespace kakutei
