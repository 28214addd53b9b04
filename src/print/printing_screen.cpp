#include "print/printing_screen.h"

#include "checks/return_checks.h"
#include "core/person_code.h"
#include "core/store_error.h"
#include "print/form_sheet.h"

#include <cstdio>

namespace kakutei {

namespace pr = printing;

namespace {
// "07 試験太郎 第一表": the code, the name and the page, so that a print queue or a folder of a hundred
// clients' PDFs (where the spaces become underscores) can be read at a glance.
std::string jobName(std::string_view page, const PrintData& data) {
    char code[16];
    std::snprintf(code, sizeof code, "%02d", static_cast<int>(data.personCode));
    std::string name = code;
    if (!data.taxpayer.name.empty())
        name += " " + data.taxpayer.name;
    return name + " " + std::string(page);
}

// Moves every text by the print offsets on its way to `target`, except those in the brush face: the form
// prints the tax accountant's two lines, the only ones in that face, where they stand whatever the offsets.
class OffsetSurface : public PrintSurface {
public:
    OffsetSurface(PrintSurface& target, PrintOffsets offsets) : target_(target), offsets_(offsets) {}
    void beginJob(std::string_view name) override { target_.beginJob(name); }
    void setFont(std::string_view family, double points) override {
        unmoved_ = family == fonts::brush;
        target_.setFont(family, points);
    }
    void drawText(double xMm, double yMm, std::string_view utf8) override {
        if (unmoved_)
            target_.drawText(xMm, yMm, utf8);
        else
            target_.drawText(xMm + offsets_.right, yMm + offsets_.down, utf8);
    }
    double textWidth(std::string_view utf8) override { return target_.textWidth(utf8); }
    void drawImage(FormImage image, double xMm, double yMm, double widthMm, double heightMm) override {
        target_.drawImage(image, xMm, yMm, widthMm, heightMm);
    }
    void endJob() override { target_.endJob(); }

private:
    PrintSurface& target_;
    PrintOffsets offsets_;
    bool unmoved_ = false;
};
} // namespace

bool PrintingScreen::ready() {
    if (!surface_) {
        ++failures_;
        ui().warn(pr::kNoPrinterTitle, "印刷先がありません。");
        return false;
    }
    if (!damaged_.empty()) {
        ++failures_;
        ui().warn(pr::kNoPrinterTitle, damagedText() + "直すまで、この人の申告書は印刷しません。");
        return false;
    }
    if (confirmed_ || batchConfirmed_ || confirmChecks())
        return true;
    ++failures_; // so that a button printing several copies stops with its first
    return false;
}

bool PrintingScreen::confirmChecks() {
    if (data_.yearCode.empty()) // no client loaded: nothing of anyone's return to check
        return true;
    const ReturnChecks checks = checkReturn(store(), data_.personCode, data_.yearCode);
    // An unreadable file alone asks nothing: the pages print what could be read, as they always have.
    if (checks.warnings.empty())
        return true;
    return ui().ask(kReturnChecksTitle, checksText(checks) + std::string(pr::kContinueQuestion));
}

void PrintingScreen::finishJob() {
    surface_->endJob();
    JobReport report = surface_->lastJob();
    jobNote = {report.message, report.failed ? colours::red : colours::black};
    if (report.failed) {
        ++failures_;
        ui().warn(pr::kNoPrinterTitle, report.message);
    }
    jobs_.push_back(std::move(report));
}

void PrintingScreen::repeat(int times, void (PrintingScreen::*button)()) {
    const std::size_t failures = failures_;
    for (int i = 0; i < times && failures_ == failures; ++i) {
        (this->*button)();
        confirmed_ = true; // one question for the whole press
    }
    confirmed_ = false;
}

PrintOffsets PrintingScreen::offsetsFromBoxes() const {
    return {readCode(rightBox.text).code.value_or(0), readCode(downBox.text).code.value_or(0)};
}

PageOptions PrintingScreen::pageOptions(bool copy) const {
    return {copy, copy ? PrintOffsets{} : offsets_, paperMarker_, pageMarker_};
}

PrintOffsets PrintingScreen::nextOffsets() const {
    return loadPrintOffsets(store()).value_or(offsets_);
}

void PrintingScreen::drawPreview(PrintSurface& surface, FormImage page) const {
    const PageOptions options{true, {}, paperMarker_, pageMarker_};
    OffsetSurface moved(surface, nextOffsets());
    if (page == FormImage::page1) {
        surface.drawImage(FormImage::page1, 0, 0, kPage1ImageWidthMm, kImageHeightMm);
        DigitGrid grid;
        grid.decompose(data_);
        drawPage1(moved, data_, grid, options);
    } else {
        surface.drawImage(FormImage::page2, 0, 0, kPage2ImageWidthMm, kImageHeightMm);
        drawPage2(moved, data_, options);
    }
}

std::string PrintingScreen::damagedText() const {
    std::string text;
    for (const UnreadableRecord& record : damaged_)
        text += unreadableLine(record) + "\n";
    return text;
}

void PrintingScreen::loadOffsets() {
    nenGO();
    const StoredOffsets stored = readPrintOffsets(store());
    if (stored.check.state == StoredState::readable)
        offsets_ = stored.offsets;
    else if (stored.check.state == StoredState::unreadable && !offsetsWarned_) {
        // Said once: every print button loads the offsets again.
        offsetsWarned_ = true;
        ui().warn(pr::kOffsetsUnreadableTitle,
                  unreadableText(store().path(names::printSettingsFile), stored.check) +
                      "\n印刷位置の調整は画面の数字で印刷します。このファイルに保存することはしません。");
    }
    rightBox.text = std::to_string(offsets_.right);
    downBox.text = std::to_string(offsets_.down);
}

void PrintingScreen::storeOffsets() {
    offsets_ = offsetsFromBoxes();
    // Other failures are not reported, as before: the offsets in memory still apply to this run. A damaged
    // file is kept, and that is said.
    if (storePrintOffsets(store(), offsets_) == StoreErrc::damagedFile)
        ui().warn(
            pr::kOffsetsUnreadableTitle,
            "「" + store().path(names::printSettingsFile) +
                "」を読めないため、印刷位置の調整を保存しませんでした。画面の数字はこのまま印刷に使います。");
}

void PrintingScreen::moveRight() {
    rightBox.text = "0";
    storeOffsets();
}

void PrintingScreen::moveDown() {
    downBox.text = "0";
    storeOffsets();
}

void PrintingScreen::clearOffsets() {
    rightBox.text = "0";
    downBox.text = "0";
}

void PrintingScreen::choosePreset(std::size_t preset) {
    static constexpr std::pair<const char*, const char*> kValues[] = {{"-1", "0"}, {"-1", "-2"}, {"0", "0"}};
    for (std::size_t i = 0; i < presets.size(); ++i)
        presets[i].on = i == preset;
    rightBox.text = kValues[preset].first;
    downBox.text = kValues[preset].second;
    status = {std::string(pr::kPresets[preset]), colours::red};
    if (preset == 2)
        storeOffsets();
}

void PrintingScreen::data() {
    nenGO();
    const auto code = personCode();
    if (!code)
        return;
    const PrintLoad load = loadPrintData(store(), *code, workingYearCode(), data_);
    damaged_ = load.unreadable;
    if (!damaged_.empty())
        ui().warn(kUnreadableTitle, damagedText() + "直すまで、この人の申告書は印刷しません。");
    else if (load.registered)
        ui().beep();
}

void PrintingScreen::page1OnForm() {
    if (!ready())
        return;
    offsets_ = offsetsFromBoxes();
    (void)storePrintOffsets(store(), offsets_);
    grid_.decompose(data_);
    surface_->beginJob(jobName("第一表", data_));
    drawPage1(*surface_, data_, grid_, pageOptions(false));
    finishJob();
}

void PrintingScreen::page2OnForm() {
    if (!ready())
        return;
    loadOffsets();
    surface_->beginJob(jobName("第二表", data_));
    drawPage2(*surface_, data_, pageOptions(false));
    finishJob();
}

void PrintingScreen::printPage1() {
    loadOffsets();
    paperMarker_ = pr::kOrdinaryPaper;
    page1OnForm();
}

void PrintingScreen::printPage1Twice() {
    repeat(2, &PrintingScreen::printPage1);
}

void PrintingScreen::printPage1Resident() {
    loadOffsets();
    pageMarker_ = kResidentTaxMarker;
    page1OnForm();
}

void PrintingScreen::printPage2() {
    page2OnForm();
}

void PrintingScreen::printPage2ThreeTimes() {
    repeat(3, &PrintingScreen::printPage2);
}

void PrintingScreen::printPage1OfficeForm() {
    loadOffsets();
    paperMarker_ = kOfficeFormMarker;
    page1OnForm();
}

void PrintingScreen::printPage1OfficeFormTwice() {
    repeat(2, &PrintingScreen::printPage1OfficeForm);
}

void PrintingScreen::printPage1ResidentOfficeForm() {
    loadOffsets();
    printPage1Resident();
}

void PrintingScreen::printPage1OfficeFormResident() {
    paperMarker_ = kOfficeFormMarker;
    printPage1ResidentOfficeForm();
}

void PrintingScreen::printPage2OfficeForm() {
    loadOffsets();
    paperMarker_ = kOfficeFormMarker;
    page2OnForm();
}

void PrintingScreen::printPage2OfficeFormThreeTimes() {
    repeat(3, &PrintingScreen::printPage2OfficeForm);
}

void PrintingScreen::copyPage1() {
    if (!ready())
        return;
    surface_->beginJob(jobName("第一表（控え）", data_));
    surface_->drawImage(FormImage::page1, 0, 0, kPage1ImageWidthMm, kImageHeightMm);
    paperMarker_ = pr::kOrdinaryPaper;
    offsets_ = {};
    nenGO();
    grid_.decompose(data_);
    drawPage1(*surface_, data_, grid_, pageOptions(true));
    finishJob();
}

void PrintingScreen::copyPage2() {
    if (!ready())
        return;
    surface_->beginJob(jobName("第二表（控え）", data_));
    surface_->drawImage(FormImage::page2, 0, 0, kPage2ImageWidthMm, kImageHeightMm);
    offsets_ = {};
    nenGO();
    drawPage2(*surface_, data_, pageOptions(true));
    finishJob();
}

} // namespace kakutei
