// The checks before printing, asked at every print button of the printing screen.
#include "print/printing_screen.h"

#include "core/store_error.h"
#include "core/taxpayer_record.h"

#include "../print/recording_surface.h"
#include "sample_taxpayer.h"
#include "screen_fixture.h"

namespace kakutei {
namespace {

struct PrintQuestion : testing::DataScreenFixture {
    PrintingScreen screen{store, ui};
    testing::RecordingSurface surface;

    // Taxpayer 7, registered whole but for `taxOffice`, opened as the main menu opens the screen.
    void open(std::string taxOffice) {
        TaxpayerRecord record = testing::sampleRecord();
        record.personCode = 7;
        record.taxOffice = std::move(taxOffice);
        ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7))));
        screen.setSurface(&surface);
        screen.text60.text = "7";
        screen.text100.text = "H16";
        screen.nenGO();
        screen.data();
        screen.loadOffsets();
        ui.calls.clear();
    }
};

struct Button {
    const char* caption;
    void (PrintingScreen::*press)();
    std::size_t jobs;
};
const Button kButtons[] = {
    {"第一表の印刷", &PrintingScreen::printPage1, 1},
    {"第一表の２枚印刷", &PrintingScreen::printPage1Twice, 2},
    {"第一表の印刷 (住民税)", &PrintingScreen::printPage1Resident, 1},
    {"第二表の印刷", &PrintingScreen::printPage2, 1},
    {"第二表の３枚印刷", &PrintingScreen::printPage2ThreeTimes, 3},
    {"第一表（税務署送付用紙）の２枚", &PrintingScreen::printPage1OfficeFormTwice, 2},
    {"第一表(住民税) （税務署送付用紙）", &PrintingScreen::printPage1ResidentOfficeForm, 1},
    {"第二表（税務署送付用紙）の３枚", &PrintingScreen::printPage2OfficeFormThreeTimes, 3},
    {"A４コピー用紙に控え全印刷 （第一表）", &PrintingScreen::copyPage1, 1},
    {"A４コピー用紙に控え全印刷 （第二表）", &PrintingScreen::copyPage2, 1},
};

TEST_F(PrintQuestion, EveryPrintButtonAsksOnceAndCancelPrintsNothing) {
    open("");
    for (const bool answer : {false, true}) {
        for (const Button& button : kButtons) {
            SCOPED_TRACE(std::string(button.caption) + (answer ? " OK" : " キャンセル"));
            ui.calls.clear();
            ui.answers = {answer};
            const std::size_t before = surface.jobs.size();
            (screen.*button.press)();
            const auto asked = ui.callsOf("ask");
            ASSERT_EQ(asked.size(), 1u);
            EXPECT_EQ(asked.at(0).title, "申告前チェック");
            EXPECT_EQ(asked.at(0).body, "個人の登録 — 税務署名: 税務署名がありません。\n印刷を続けますか");
            EXPECT_EQ(surface.jobs.size() - before, answer ? button.jobs : 0u);
            EXPECT_TRUE(ui.callsOf("warn").empty());
        }
    }
}

TEST_F(PrintQuestion, ACleanReturnPrintsWithoutAQuestion) {
    open("芝");
    screen.printPage2ThreeTimes();
    EXPECT_TRUE(ui.callsOf("ask").empty());
    EXPECT_EQ(surface.jobs.size(), 3u);
}

TEST_F(PrintQuestion, TheQuestionNamesTheFilesThatCouldNotBeChecked) {
    open("");
    root.writeBytes("所得税/H16所得税/75.txt", "\"not a number\"\r\n");
    ui.answers = {false};
    screen.copyPage1();
    const auto asked = ui.callsOf("ask");
    ASSERT_EQ(asked.size(), 1u);
    const std::string path = store.path(*names::screenFile(7, 5, kYearCode));
    EXPECT_EQ(asked.at(0).body, "個人の登録 — 税務署名: 税務署名がありません。\n「" + path +
                                    "」を読めません。1 番目の値（雑損控除（10））: " +
                                    describeError(StoreErrc::typeMismatch) + "\n印刷を続けますか");
    EXPECT_TRUE(surface.jobs.empty());
}

} // namespace
} // namespace kakutei
