// Whole-office batches: each client in turn as a user would do it, the damaged ones skipped untouched, a
// cancel honoured between two clients, and a summary that says who was not done and why.
#include "core/path_text.h"
#include "core/taxpayer_record.h"
#include "income/income_screen.h"
#include "print/printing_screen.h"
#include "shell/app.h"
#include "shell/main_menu.h"
#include "shell/office_batch.h"

#include "../print/recording_surface.h"
#include "sample_taxpayer.h"
#include "screen_fixture.h"

#include <filesystem>

namespace kakutei {
namespace {

using testing::writeRecordFields;

struct OfficeFixture : testing::DataScreenFixture {
    App app{store, ui};

    OfficeFixture() {
        for (PersonCode code : {7, 8, 9}) {
            TaxpayerRecord record;
            record.personCode = code;
            record.name = "顧客" + std::to_string(code);
            if (code != 8) // 8 has neither a tax office nor a birth date: two warnings before printing
                testing::registerWhole(record);
            EXPECT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(code))));
            // An income of 5,000,000 typed on the income screen (line 1, its total line 9).
            writeRecordFields(store, code, 1, 0, 20, {{1, "5000000"}, {12, "5000000"}, {20, "5000000"}});
        }
        app.start();
    }
    bool taxStored(PersonCode code) const {
        return std::filesystem::exists(fsPath(store.path(*names::screenFile(code, 5, kYearCode))));
    }
};

class CancelAt : public BatchProgress {
public:
    explicit CancelAt(std::size_t index) : cancelAt_(index) {}
    bool next(std::size_t index, std::size_t total, std::string_view who) override {
        seen.push_back(std::to_string(index) + "/" + std::to_string(total) + " " + std::string(who));
        return index != cancelAt_;
    }
    std::vector<std::string> seen;

private:
    std::size_t cancelAt_;
};

TEST_F(OfficeFixture, RecalculatesEachClientAndSkipsOneWhoseRecordCannotBeRead) {
    const std::string damaged = "所得税/H16所得税/83.txt"; // 8's personal deductions, cut short
    root.writeBytes(damaged, "\"x\"\r\n");
    const BatchSummary summary = runOfficeBatch(app, OfficeJob::recalculate, {7, 8, 9});
    ASSERT_EQ(summary.outcomes.size(), 3u);
    EXPECT_EQ(summary.outcomes[0].result, BatchResult::done);
    EXPECT_EQ(summary.outcomes[1].result, BatchResult::skipped);
    EXPECT_NE(summary.outcomes[1].reason.find(damaged), std::string::npos) << summary.outcomes[1].reason;
    EXPECT_EQ(summary.outcomes[2].result, BatchResult::done);
    EXPECT_TRUE(taxStored(7));
    EXPECT_FALSE(taxStored(8));
    EXPECT_TRUE(taxStored(9));
    EXPECT_EQ(root.readBytes(damaged), "\"x\"\r\n");
    const std::string text = summary.text();
    EXPECT_TRUE(text.starts_with("完了 2 人、対象外 1 人、失敗 0 人。\n個人コード 8（顧客8）: 「")) << text;
}

TEST_F(OfficeFixture, ACancelStopsBetweenTwoClientsAndSaysWhoWasNotReached) {
    CancelAt progress(1);
    const BatchSummary summary = runOfficeBatch(app, OfficeJob::recalculate, {7, 8, 9}, &progress);
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.notReached, 2u);
    ASSERT_EQ(summary.outcomes.size(), 1u);
    EXPECT_EQ(progress.seen,
              (std::vector<std::string>{"0/3 個人コード 7（顧客7）", "1/3 個人コード 8（顧客8）"}));
    EXPECT_TRUE(taxStored(7));
    EXPECT_FALSE(taxStored(8));
    EXPECT_FALSE(taxStored(9));
    EXPECT_EQ(summary.text(), "完了 1 人、対象外 0 人、失敗 0 人（中止したため 2 人は手を付けていません）。");
}

TEST_F(OfficeFixture, PrintsOneJobPerClientNamedForThatClient) {
    testing::RecordingSurface surface;
    app.screenAs<PrintingScreen>(ScreenId::printing)->setSurface(&surface);
    const BatchSummary summary = runOfficeBatch(app, OfficeJob::copyPage1, {9, 7, 100});
    ASSERT_EQ(summary.outcomes.size(), 3u);
    EXPECT_EQ(summary.outcomes[0].result, BatchResult::done);
    EXPECT_EQ(summary.outcomes[1].result, BatchResult::done);
    EXPECT_EQ(summary.outcomes[2].result, BatchResult::skipped); // 100 is not registered
    EXPECT_EQ(summary.outcomes[2].reason, "登録されていません。");
    ASSERT_EQ(surface.jobs.size(), 2u);
    EXPECT_EQ(surface.jobs[0], "09 顧客9 第一表（控え）");
    EXPECT_EQ(surface.jobs[1], "07 顧客7 第一表（控え）");
}

TEST_F(OfficeFixture, FiguresTypedAndNotStoredAreSettledBeforeTheFirstClient) {
    app.mainMenu().text3.text = "7";
    app.mainMenu().callUp();
    auto* income = app.screenAs<IncomeScreen>(ScreenId::income);
    income->typed().typing(income->revenue[0]); // as the window reports a key
    income->revenue[0].text = "9,999,999";
    const std::string before = testing::recordLines(root, "所得税/H16所得税/71.txt").at(0);

    ui.choices = {Choice::back};
    BatchSummary summary = runOfficeBatch(app, OfficeJob::recalculate, {8, 9});
    EXPECT_TRUE(summary.cancelled);
    EXPECT_TRUE(summary.outcomes.empty());
    EXPECT_FALSE(taxStored(8));
    EXPECT_EQ(income->revenue[0].text, "9,999,999"); // still there to be stored or changed

    ui.choices = {Choice::discard};
    summary = runOfficeBatch(app, OfficeJob::recalculate, {8, 9});
    EXPECT_EQ(summary.count(BatchResult::done), 2u);
    // What the user threw away was never stored under 7, nor under anyone else.
    EXPECT_EQ(testing::recordLines(root, "所得税/H16所得税/71.txt").at(0), before);
    EXPECT_EQ(ui.callsOf("choose").size(), 2u);
}

TEST_F(OfficeFixture, APrintBatchAsksOnceAboutEveryClientWithWarnings) {
    testing::RecordingSurface surface;
    app.screenAs<PrintingScreen>(ScreenId::printing)->setSurface(&surface);
    struct Case {
        bool answer;
        std::size_t jobs;
    } cases[] = {{false, 0}, {true, 3}};
    for (const Case& c : cases) {
        ui.calls.clear();
        ui.answers = {c.answer};
        const BatchSummary summary = runOfficeBatch(app, OfficeJob::printPage2, {7, 8, 9});
        // Once, not once per client.
        const std::vector<testing::UiCall> asked = ui.callsOf("ask");
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].title, "申告前チェック");
        EXPECT_NE(asked[0].body.find("1 人に警告があります。\n個人コード 8（顧客8）\n"), std::string::npos)
            << asked[0].body;
        EXPECT_EQ(asked[0].body.find("顧客7"), std::string::npos) << asked[0].body;
        EXPECT_TRUE(asked[0].body.ends_with("印刷を続けますか")) << asked[0].body;
        EXPECT_EQ(summary.cancelled, !c.answer);
        EXPECT_EQ(summary.count(BatchResult::done), c.jobs);
        EXPECT_EQ(surface.jobs.size(), c.jobs);
    }
    // The per-client question is back for the printing screen's own buttons.
    ui.calls.clear();
    app.openPrinting(8);
    app.screenAs<PrintingScreen>(ScreenId::printing)->printPage2();
    ASSERT_EQ(ui.callsOf("ask").size(), 1u);
    EXPECT_EQ(ui.callsOf("ask")[0].title, "申告前チェック");
}

} // namespace
} // namespace kakutei
