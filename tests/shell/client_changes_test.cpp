// A client's files changed by a restore or a delete made here: the windows bound to that client show what is
// stored now, and none of them stores what it showed before over it.
#include "core/file_io.h"
#include "income/income_screen.h"
#include "registry/data_management_screen.h"
#include "shell/app.h"
#include "shell/main_menu.h"

#include "screen_fixture.h"

namespace kakutei {
namespace {

struct ClientChanges : testing::DataScreenFixture {
    App app{store, ui};
    testing::TempRoot drive;

    ClientChanges() {
        testing::writeRecordFields(store, 7, 1, 0, 20, {{1, "1000000"}, {20, "1000000"}});
        app.start();
        app.mainMenu().text3.text = "7";
        app.mainMenu().callUp(); // opens the income screen on 7
        data().text100.text = "H16";
        data().drive3.text = drive.path();
        data().text1.text = "7";
    }
    IncomeScreen& income() { return *app.screenAs<IncomeScreen>(ScreenId::income); }
    DataManagementScreen& data() { return *app.screenAs<DataManagementScreen>(ScreenId::dataManagement); }
    std::string firstStored() const { return testing::recordLines(root, "所得税/H16所得税/71.txt").at(0); }
    void typeAndCalculate(const std::string& amount) {
        income().typed().typing(income().revenue[0]);
        income().revenue[0].text = amount;
        income().calculate();
    }
};

// のみをリストア while the income window is open: the window shows the restored figures at once, and its
// 計算実行 stores them, never the figures it showed before the restore.
TEST_F(ClientChanges, RestoringOneClientReloadsItsOpenWindows) {
    data().backupOne();
    typeAndCalculate("2,000,000");
    ASSERT_EQ(firstStored(), "2000000");
    ui.answers = {true};
    data().restoreOne();
    EXPECT_EQ(firstStored(), "1000000");
    EXPECT_EQ(income().revenue[0].text, "1,000,000");
    income().calculate();
    EXPECT_EQ(firstStored(), "1000000");
}

// A client deleted here: his windows empty, and nothing they hold is stored under the code that no longer
// has a registration (the next taxpayer registered as 7 would inherit it).
TEST_F(ClientChanges, AWindowOfADeletedClientStoresNothing) {
    ui.answers = {true};
    data().deleteTaxpayer();
    ASSERT_FALSE(fileExists(root.path() + "/所得税/個人名/7.txt"));
    EXPECT_EQ(income().revenue[0].text, "");
    ui.calls.clear();
    typeAndCalculate("3,000,000");
    EXPECT_FALSE(fileExists(root.path() + "/所得税/H16所得税/71.txt"));
    ASSERT_EQ(ui.callsOf("warn").size(), 1u);
    EXPECT_NE(ui.callsOf("warn")[0].body.find("個人コード 7 は登録されていません"), std::string::npos)
        << ui.callsOf("warn")[0].body;
}

} // namespace
} // namespace kakutei
