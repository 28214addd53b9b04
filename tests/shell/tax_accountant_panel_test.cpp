#include "shell/tax_accountant_panel.h"

#include "shell/app.h"
#include "shell/main_menu.h"

#include "fake_user_interface.h"
#include "ordinary_user.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <unistd.h>

namespace kakutei {
namespace {

using testing::crlfLines;
using testing::FakeUserInterface;
using testing::sjis;
using testing::TempRoot;

struct PanelFixture : ::testing::Test {
    TempRoot root;
    DataStore store{root.path()};
    FakeUserInterface ui;
    TaxAccountantPanel panel{store, ui};
    void SetUp() override { ASSERT_FALSE(store.ensureFolders(kYearCode)); }
    void fill(const char* name, const char* address, const char* telephone) {
        panel.text5.text = name;
        panel.text12.text = address;
        panel.text4.text = telephone;
    }
    std::vector<std::string> boxes() const { return {panel.text5.text, panel.text12.text, panel.text4.text}; }
};

TEST_F(PanelFixture, SavesThreeLinesWithoutFillers) {
    fill("税理士　髙橋", "東京都新宿区1-2,3", "03-0000-0000");
    panel.save();
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(root.readBytes("所得税/税理士名.txt"),
              sjis(crlfLines({"\"税理士　髙橋\"", "\"東京都新宿区1-2,3\"", "\"03-0000-0000\""})));
}

TEST_F(PanelFixture, EmptyBoxesSaveThreeEmptyTexts) {
    panel.save();
    EXPECT_EQ(root.readBytes("所得税/税理士名.txt"), "\"\"\r\n\"\"\r\n\"\"\r\n");
}

TEST_F(PanelFixture, SaveAndLoadRoundTrip) {
    fill("名", "所", "電");
    panel.save();
    panel.hideEntry();
    EXPECT_EQ(boxes(), (std::vector<std::string>{"", "", ""}));
    panel.load();
    EXPECT_EQ(boxes(), (std::vector<std::string>{"名", "所", "電"}));
}

TEST_F(PanelFixture, ClearButtonsEmptyOneBoxEach) {
    fill("名", "所", "電");
    panel.clearName();
    EXPECT_EQ(boxes(), (std::vector<std::string>{"", "所", "電"}));
    panel.clearAddress();
    panel.clearTelephone();
    EXPECT_EQ(boxes(), (std::vector<std::string>{"", "", ""}));
}

TEST_F(PanelFixture, UnstorableTextIsRefusedAndTheFileKept) {
    root.writeBytes("所得税/税理士名.txt", "\"a\"\r\n\"b\"\r\n\"c\"\r\n");
    for (const char* telephone : {"☎03", "03\"1"}) {
        ui.calls.clear();
        fill("名", "所", telephone);
        panel.save();
        ASSERT_EQ(ui.callsOf("warn").size(), 1u);
        EXPECT_EQ(ui.calls[0].title, "保存できない文字があります");
        EXPECT_NE(ui.calls[0].body.find("税理士の電話番号"), std::string::npos);
    }
    EXPECT_EQ(root.readBytes("所得税/税理士名.txt"), "\"a\"\r\n\"b\"\r\n\"c\"\r\n");
}

TEST_F(PanelFixture, SaveWithoutTheDataFolderShowsTheMessage) {
    std::filesystem::remove_all(root.path() + "/所得税");
    root.writeBytes("所得税", "a file where the folder should be");
    panel.save();
    ASSERT_EQ(ui.callsOf("warn").size(), 1u);
    EXPECT_EQ(ui.calls[0].title, "まず、個人登録を実行して下さい。");
    EXPECT_EQ(ui.calls[0].body, "パスが見つかりません。");
}

TEST_F(PanelFixture, SaveIntoAReadOnlyFolderKeepsTheOldFile) {
    root.writeBytes("所得税/税理士名.txt", "\"a\"\r\n\"b\"\r\n\"c\"\r\n");
    ::chmod(root.path().c_str(), 0755);
    ::chmod((root.path() + "/所得税").c_str(), 0555);
    ::chmod((root.path() + "/所得税/税理士名.txt").c_str(), 0644);
    fill("名", "所", "電");
    // Root writes into read-only folders, so the save runs as an ordinary user.
    const int status = testing::exitStatusAsOrdinaryUser([&] {
        panel.save();
        const auto warnings = ui.callsOf("warn");
        return warnings.size() == 1 && warnings.at(0).title == "まず、個人登録を実行して下さい。" ? 0 : 1;
    });
    ::chmod((root.path() + "/所得税").c_str(), 0700);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(root.readBytes("所得税/税理士名.txt"), "\"a\"\r\n\"b\"\r\n\"c\"\r\n");
}

TEST_F(PanelFixture, LoadingAShortOrMissingFileChangesNothing) {
    fill("名", "所", "電");
    panel.load(); // missing: nothing to say
    EXPECT_TRUE(ui.calls.empty());
    root.writeBytes("所得税/税理士名.txt", "\"x\"\r\n\"y\"\r\n"); // two values only
    panel.load();
    EXPECT_EQ(boxes(), (std::vector<std::string>{"名", "所", "電"}));
    ASSERT_EQ(ui.callsOf("warn").size(), 1u);
    EXPECT_EQ(ui.calls[0].title, "税理士名を読めません");
    EXPECT_NE(ui.calls[0].body.find("3 番目の値（税理士の電話番号）"), std::string::npos) << ui.calls[0].body;
}

// Replacing a file that cannot be read loses what it held: the user is asked, and Cancel keeps it.
TEST_F(PanelFixture, SavingOverADamagedFileAsksFirst) {
    root.writeBytes("所得税/税理士名.txt", "\"x\"\r\n\"y");
    fill("名", "所", "電");
    panel.save(); // Cancel
    ASSERT_EQ(ui.callsOf("ask").size(), 1u);
    EXPECT_EQ(ui.callsOf("ask")[0].title, "読めない税理士名のファイルがあります");
    EXPECT_EQ(root.readBytes("所得税/税理士名.txt"), "\"x\"\r\n\"y");
    ui.answers = {true};
    panel.save();
    EXPECT_EQ(root.readBytes("所得税/税理士名.txt"), sjis("\"名\"\r\n\"所\"\r\n\"電\"\r\n"));
}

TEST_F(PanelFixture, ImportsFromTheYearEndProgramShowingNumbersAsText) {
    root.writeBytes("年末調整/H16税理士報酬/税理士名.txt",
                    sjis(crlfLines({"\"鈴木一郎\"", "\"大阪市北区\"", "0612345678", "\"more\"", "42"})));
    panel.importFromYearEndProgram();
    EXPECT_EQ(boxes(), (std::vector<std::string>{"鈴木一郎", "大阪市北区", "0612345678"}));
    EXPECT_FALSE(std::filesystem::exists(root.path() + "/所得税/税理士名.txt")); // import does not save
}

TEST(TaxAccountantAtStartUp, TheMenuLoadsTheSavedEntryEveryTime) {
    TempRoot root;
    DataStore store(root.path());
    FakeUserInterface ui;
    App app(store, ui);
    app.start();
    app.mainMenu().taxAccountant.text5.text = "保存した名前";
    app.mainMenu().taxAccountant.save();
    app.mainMenu().taxAccountant.hideEntry();
    app.mainMenu().initialScreen();
    EXPECT_EQ(app.mainMenu().taxAccountant.text5.text, "保存した名前");
}

} // namespace
} // namespace kakutei
