// Two programs on one data folder: the second to call a client up is told who has them open, and may only
// look (every save refused with that message) unless it takes the client over; the batches skip a client
// open elsewhere.
#include "core/file_io.h"
#include "core/taxpayer_record.h"
#include "income/income_screen.h"
#include "registry/data_management_screen.h"
#include "shell/app.h"
#include "shell/main_menu.h"
#include "shell/office_batch.h"

#include <functional>

#include "sample_taxpayer.h"
#include "screen_fixture.h"

namespace kakutei {
namespace {

struct TwoPrograms : testing::DataScreenFixture {
    // Another workstation on the same folder: its own store, user interface and marks.
    DataStore otherStore{root.path()};
    testing::FakeUserInterface otherUi;
    App here{store, ui};
    App other{otherStore, otherUi};

    TwoPrograms() {
        for (PersonCode code : {7, 8})
            testing::registerTaxpayer(store, code, "顧客" + std::to_string(code));
        testing::writeRecordFields(store, 7, 1, 0, 20, {{1, "1000000"}});
        here.start();
        other.start();
        callUp(other, 7);
        otherUi.calls.clear();
    }
    static void callUp(App& app, PersonCode code) {
        app.mainMenu().text3.text = std::to_string(code);
        app.mainMenu().callUp();
    }
    // Types a first amount on the income screen and presses 計算実行.
    static void typeAndStore(App& app, const std::string& amount) {
        auto* income = app.screenAs<IncomeScreen>(ScreenId::income);
        income->typed().typing(income->revenue[0]);
        income->revenue[0].text = amount;
        income->calculate();
    }
    std::string firstStoredAmount() const {
        return testing::recordLines(root, "所得税/H16所得税/71.txt").at(0);
    }
};

TEST_F(TwoPrograms, LookingOnlyRefusesEverySaveAndSaysWhoHasTheClient) {
    ui.answers = {false}; // キャンセル: look only
    callUp(here, 7);
    const auto asked = ui.callsOf("ask");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].title, "ほかの所で開いています");
    EXPECT_NE(asked[0].body.find("個人コード 7（顧客7） は、" + thisProgram().user), std::string::npos)
        << asked[0].body;
    EXPECT_NE(asked[0].body.find("開いています。"), std::string::npos) << asked[0].body;
    EXPECT_TRUE(here.clients().lookingOnly(7));
    EXPECT_EQ(here.screenAs<IncomeScreen>(ScreenId::income)->revenue[0].text, "1,000,000"); // it can look

    typeAndStore(here, "2,000,000");
    EXPECT_EQ(firstStoredAmount(), "1000000");
    const auto warned = ui.callsOf("warn");
    ASSERT_EQ(warned.size(), 1u);
    EXPECT_EQ(warned[0].title, "ほかの所で開いています");
    EXPECT_NE(warned[0].body.find("保存はしませんでした"), std::string::npos) << warned[0].body;

    // The holder goes on storing as before.
    typeAndStore(other, "3,000,000");
    EXPECT_EQ(firstStoredAmount(), "3000000");
}

TEST_F(TwoPrograms, TakingOverMovesTheRightToStore) {
    ui.answers = {true}; // OK: take over
    callUp(here, 7);
    EXPECT_FALSE(here.clients().lookingOnly(7));
    typeAndStore(here, "2,000,000");
    EXPECT_EQ(firstStoredAmount(), "2000000");

    typeAndStore(other, "3,000,000"); // the former holder may not store any more
    EXPECT_EQ(firstStoredAmount(), "2000000");
    ASSERT_EQ(otherUi.callsOf("warn").size(), 1u);
    EXPECT_EQ(otherUi.callsOf("warn")[0].title, "ほかの所で開いています");

    // Calling another client up lets 7 go: the other program may have it again without a question. Its
    // screen still shows 7 as it was before the take-over, and storing that would undo this program's work:
    // it says so until the figures are read again.
    callUp(here, 8);
    otherUi.calls.clear();
    callUp(other, 7);
    EXPECT_TRUE(otherUi.callsOf("ask").empty());
    typeAndStore(other, "4,000,000");
    EXPECT_EQ(firstStoredAmount(), "2000000");
    ASSERT_EQ(otherUi.callsOf("warn").size(), 1u);
    EXPECT_EQ(otherUi.callsOf("warn")[0].title, "ほかで変わったデータです");
    other.screen(ScreenId::income)->data();
    EXPECT_EQ(other.screenAs<IncomeScreen>(ScreenId::income)->revenue[0].text, "2,000,000");
    typeAndStore(other, "4,000,000");
    EXPECT_EQ(firstStoredAmount(), "4000000");
}

TEST_F(TwoPrograms, ABatchSkipsAClientOpenElsewhereAndSaysWho) {
    const BatchSummary summary = runOfficeBatch(here, OfficeJob::recalculate, {7, 8});
    ASSERT_EQ(summary.outcomes.size(), 2u);
    EXPECT_EQ(summary.outcomes[0].result, BatchResult::skipped);
    EXPECT_NE(summary.outcomes[0].reason.find("開いています。何もしていません。"), std::string::npos)
        << summary.outcomes[0].reason;
    EXPECT_EQ(summary.outcomes[1].result, BatchResult::done);
    EXPECT_TRUE(ui.callsOf("ask").empty()); // a batch asks nobody to take over
    EXPECT_EQ(firstStoredAmount(), "1000000");
}

// The lock guards every change to a client's files, not only saves: a program told it may only look cannot
// delete the client, copy another code over it or over another code from it, or restore it, and is told who
// has it open.
TEST_F(TwoPrograms, AClientOpenElsewhereIsNeitherDeletedNorCopiedNorRestored) {
    ui.answers = {false}; // look only
    callUp(here, 7);
    testing::TempRoot drive;
    auto* data = here.screenAs<DataManagementScreen>(ScreenId::dataManagement);
    data->text100.text = "H16";
    data->drive3.text = drive.path();
    data->text1.text = "7";
    data->backupOne();
    ASSERT_TRUE(fileExists(drive.path() + "/所得税/個人名/7.txt"));
    testing::writeRecordFields(store, 7, 1, 0, 20, {{1, "5000000"}});
    const std::string stored = root.readBytes("所得税/H16所得税/71.txt");
    const struct {
        const char* what;
        std::function<void()> press;
    } changes[] = {
        {"delete",
         [&] {
             data->text1.text = "7";
             data->deleteTaxpayer();
         }},
        {"copy onto it",
         [&] {
             data->text1.text = "8";
             data->text3.text = "7";
             data->copyToNewCode();
         }},
        {"copy from it",
         [&] {
             data->text1.text = "7";
             data->text3.text = "12";
             data->copyToNewCode();
         }},
        {"restore it",
         [&] {
             data->text1.text = "7";
             data->restoreOne();
         }},
    };
    for (const auto& change : changes) {
        ui.calls.clear();
        ui.answers = {true, true};
        change.press();
        const auto warned = ui.callsOf("warn");
        ASSERT_EQ(warned.size(), 1u) << change.what;
        EXPECT_NE(warned[0].body.find("個人コード 7（顧客7） は、" + thisProgram().user), std::string::npos)
            << change.what << ": " << warned[0].body;
        EXPECT_TRUE(ui.callsOf("ask").empty()) << change.what;
        EXPECT_EQ(root.readBytes("所得税/H16所得税/71.txt"), stored) << change.what;
        EXPECT_TRUE(fileExists(root.path() + "/所得税/個人名/7.txt")) << change.what;
        EXPECT_FALSE(fileExists(root.path() + "/所得税/個人名/12.txt")) << change.what;
    }
}

} // namespace
} // namespace kakutei
