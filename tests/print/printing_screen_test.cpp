#include "print/printing_screen.h"

#include "core/cp932.h"
#include "core/taxpayer_record.h"

#include "recording_surface.h"
#include "sample_taxpayer.h"
#include "screen_fixture.h"

namespace kakutei {
namespace {

using testing::RecordingSurface;

struct PrintingFixture : testing::DataScreenFixture {
    PrintingScreen screen{store, ui};
    RecordingSurface surface;
    PrintingFixture() {
        screen.setSurface(&surface);
        screen.text60.text = "7";
        screen.text100.text = "H16";
        TaxpayerRecord record;
        record.personCode = 7;
        record.name = "山田太郎";
        record.bankName = "髙﨑銀行";
        testing::registerWhole(record); // so that printing asks nothing first
        taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7)));
        testing::writeRecordFields(store, 7, 1, 0, 20, {{20, "4500000"}});
        testing::writeRecordFields(store, 7, 4, 40, 25, {{1, "\"種  類\""}, {4, "\"給　与\""}});
        testing::writeRecordFields(store, 7, 5, 0, 41, {{13, "380000"}});
        // As the main menu opens the screen.
        screen.nenGO();
        screen.data();
        screen.loadOffsets();
    }
    std::string settings() const { return decodeCp932(root.readBytes("所得税/印刷要領.txt")); }
};

TEST_F(PrintingFixture, DataLoadsEveryPartAndBeeps) {
    EXPECT_EQ(screen.printData().taxpayer.name, "山田太郎");
    EXPECT_EQ(screen.printData().income[19], 4'500'000);
    EXPECT_EQ(screen.printData().tax[12], 380'000);
    EXPECT_EQ(screen.printData().breakdownText(1), ""); // the placeholder prints nothing
    EXPECT_EQ(screen.printData().breakdownText(4), "給　与");
    EXPECT_EQ(ui.dialogue(), (std::vector<std::string>{"beep"}));
    EXPECT_EQ(screen.rightBox.text, "0");
}

TEST_F(PrintingFixture, AnotherTaxpayersDataNeverSurvivesAMissingFile) {
    screen.text60.text = "8"; // registered nowhere, no files
    screen.data();
    EXPECT_EQ(screen.printData().taxpayer.name, "");
    EXPECT_EQ(screen.printData().income[19], 0);
    EXPECT_EQ(screen.printData().tax[12], 0);
}

TEST_F(PrintingFixture, OffsetsAreThoseLastStored) {
    screen.rightBox.text = "3";
    screen.printPage1(); // without storing: the stored 0 applies, and the box shows it again
    EXPECT_EQ(screen.rightBox.text, "0");
    EXPECT_EQ(surface.at(67, 180), std::vector<std::string>{" 4 "});
    screen.rightBox.text = "2.5";
    screen.downBox.text = "abc";
    screen.storeOffsets();
    EXPECT_EQ(settings(), "2\r\n0\r\n");
}

TEST_F(PrintingFixture, PresetsAndMoveButtons) {
    screen.choosePreset(0);
    EXPECT_EQ(screen.status.text, "提出用");
    EXPECT_EQ(screen.status.colour, colours::red);
    screen.storeOffsets();
    EXPECT_EQ(settings(), "-1\r\n0\r\n");
    screen.choosePreset(1);
    EXPECT_EQ(screen.status.text, "控　用");
    screen.storeOffsets();
    EXPECT_EQ(settings(), "-1\r\n-2\r\n");
    screen.choosePreset(2); // stored at once
    EXPECT_EQ(settings(), "0\r\n0\r\n");
    screen.rightBox.text = "4";
    screen.downBox.text = "5";
    screen.moveRight();
    EXPECT_EQ(settings(), "0\r\n5\r\n");
    screen.moveDown();
    EXPECT_EQ(settings(), "0\r\n0\r\n");
    screen.rightBox.text = "4";
    screen.clearOffsets();
    EXPECT_EQ(screen.rightBox.text + screen.downBox.text, "00");
    EXPECT_EQ(settings(), "0\r\n0\r\n");
}

TEST_F(PrintingFixture, MarkersLastForTheRun) {
    screen.printPage1Resident();
    screen.printPage1();
    EXPECT_EQ(screen.pageMarker(), "住民税");
    EXPECT_EQ(surface.find("髙﨑銀行"), nullptr); // both pages without the bank block
    screen.printPage2OfficeForm();
    screen.printPage2();
    EXPECT_EQ(screen.paperMarker(), "税務署配布用紙");
    EXPECT_EQ(surface.find("山田太郎") != nullptr, true); // page 1 printed the name
    int namesOnPage2 = 0;
    for (const auto& t : surface.texts)
        if (t.text == "山田太郎" && t.x == 34)
            ++namesOnPage2;
    EXPECT_EQ(namesOnPage2, 0); // no address block on either page 2
}

TEST_F(PrintingFixture, EachPageIsAJobOfItsOwn) {
    screen.printPage1Twice();
    screen.printPage2ThreeTimes();
    screen.printPage1OfficeFormTwice();
    screen.printPage2OfficeFormThreeTimes();
    EXPECT_EQ(surface.jobs.size(), 10u);
    EXPECT_EQ(surface.endedJobs, 10);
    EXPECT_EQ(surface.jobs[0], "07 山田太郎 第一表");
    EXPECT_EQ(surface.jobs[2], "07 山田太郎 第二表");
}

TEST_F(PrintingFixture, CopiesDrawTheImageAndLeaveTheOffsetsAtZero) {
    screen.rightBox.text = "5";
    screen.storeOffsets();
    screen.copyPage1();
    ASSERT_EQ(surface.images.size(), 1u);
    EXPECT_EQ(surface.images[0].image, FormImage::page1);
    EXPECT_EQ(surface.images[0].w, 209);
    EXPECT_EQ(surface.images[0].h, 296);
    EXPECT_EQ(screen.offsets().right, 0);
    EXPECT_EQ(screen.rightBox.text, "5");
    EXPECT_EQ(settings(), "5\r\n0\r\n");
    screen.copyPage2();
    EXPECT_EQ(surface.images[1].image, FormImage::page2);
    EXPECT_EQ(surface.images[1].w, 210);
}

// A return with a file that cannot be read whole is said when the screen loads it, and no button prints
// any page of it: blank or smaller boxes would pass for the return.
TEST_F(PrintingFixture, AReturnWithADamagedFilePrintsNoPage) {
    const std::string taxRecord = store.path(*names::screenFile(7, 5, "H16"));
    const std::string whole = root.readBytes("所得税/H16所得税/75.txt");
    root.writeBytes("所得税/H16所得税/75.txt", whole.substr(0, whole.size() / 2));
    ui.calls.clear();
    screen.data();
    const auto warned = ui.callsOf("warn");
    ASSERT_EQ(warned.size(), 1u);
    EXPECT_EQ(warned[0].title, "データを読めません");
    EXPECT_NE(warned[0].body.find(taxRecord), std::string::npos) << warned[0].body;
    for (void (PrintingScreen::*button)() :
         {&PrintingScreen::printPage1, &PrintingScreen::printPage2, &PrintingScreen::printPage1OfficeForm,
          &PrintingScreen::copyPage1, &PrintingScreen::copyPage2})
        (screen.*button)();
    EXPECT_TRUE(surface.jobs.empty());
    EXPECT_TRUE(surface.texts.empty());
}

TEST_F(PrintingFixture, WithoutAPrinterNothingIsPrintedAndTheUserIsTold) {
    screen.setSurface(nullptr);
    ui.calls.clear();
    screen.printPage1();
    EXPECT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"}));
}

// A surface whose every job ends as `report` says.
struct ReportingSurface : RecordingSurface {
    JobReport report;
    JobReport lastJob() const override { return report; }
};

TEST_F(PrintingFixture, AFailedJobIsToldOnceAndEndsTheCopies) {
    ReportingSurface failing;
    failing.report = {true, "第一表 7 をプリンタ「事務所」で印刷できませんでした。\n停止しています。", {}};
    screen.setSurface(&failing);
    for (void (PrintingScreen::*button)() :
         {&PrintingScreen::printPage1Twice, &PrintingScreen::printPage2ThreeTimes,
          &PrintingScreen::printPage1OfficeFormTwice, &PrintingScreen::printPage2OfficeFormThreeTimes}) {
        failing.jobs.clear();
        ui.calls.clear();
        (screen.*button)();
        EXPECT_EQ(failing.jobs.size(), 1u);
        const auto warnings = ui.callsOf("warn");
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings.at(0).title, "印刷できません");
        EXPECT_EQ(warnings.at(0).body, failing.report.message);
    }
    EXPECT_EQ(screen.jobNote.text, failing.report.message);
    EXPECT_EQ(screen.jobNote.colour, colours::red);
}

TEST_F(PrintingFixture, AJobThatWentThroughSaysWhereWithoutAMessageBox) {
    ReportingSurface printer;
    printer.report = {false, "第二表 7 をプリンタ「事務所」に送りました。", {}};
    screen.setSurface(&printer);
    ui.calls.clear();
    screen.printPage2ThreeTimes();
    EXPECT_EQ(printer.jobs.size(), 3u);
    EXPECT_TRUE(ui.callsOf("warn").empty());
    EXPECT_EQ(screen.jobNote.text, printer.report.message);
    EXPECT_EQ(screen.jobNote.colour, colours::black);
    ASSERT_EQ(screen.jobs().size(), 3u);
    EXPECT_EQ(screen.jobs().at(2).message, printer.report.message);
}

} // namespace
} // namespace kakutei
