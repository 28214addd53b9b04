#pragma once
// The printing screen (Form11, "印　　刷"): loads one return's PrintData, keeps the print offsets and the
// page-variant markers, and prints page 1 and page 2 on the forms or as A4 copies.

#include "core/data_screen.h"
#include "core/option_button.h"
#include "print/digit_grid.h"
#include "print/page_layouts.h"
#include "print/print_data.h"
#include "print/print_offsets.h"
#include "print/print_surface.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace kakutei {

namespace printing {
inline constexpr std::string_view kFormName = "Form11";
inline constexpr std::string_view kCaption = "印　　刷";
inline constexpr std::string_view kPage1 = "第一表の印刷";
inline constexpr std::string_view kPage1Twice = "第一表の２枚印刷";
inline constexpr std::string_view kPage1Resident = "第一表の印刷 (住民税)";
inline constexpr std::string_view kPage2 = "第二表の印刷";
inline constexpr std::string_view kPage2ThreeTimes = "第二表の３枚印刷";
inline constexpr std::string_view kOfficeFrame = "税務署送付の納税者番号入りの申告書";
inline constexpr std::string_view kPage1Office = "第一表（税務署送付用紙）";
inline constexpr std::string_view kPage1ResidentOffice = "第一表(住民税) （税務署送付用紙）";
inline constexpr std::string_view kPage2Office = "第二表（税務署送付用紙）";
inline constexpr std::string_view kAdjustFrame = "印刷調整";
inline constexpr std::string_view kRight = "右側へ";
inline constexpr std::string_view kDown = "下方へ";
inline constexpr std::string_view kMove = "ｍｍ移動する";
inline constexpr std::string_view kClearOffsets = "ク　　リ　　ア";
inline constexpr std::string_view kStore = "印刷ピッチの記憶";
inline constexpr std::string_view kLoad = "印刷ピッチの呼出";
inline constexpr std::string_view kPresetFrame = "Canon LBP-220Pro";
inline constexpr std::array<std::string_view, 3> kPresets = {"提出用", "控　用", "クリア"};
inline constexpr std::string_view kCopy1 = "A４コピー用紙に控え全印刷 （第一表）";
inline constexpr std::string_view kCopy2 = "A４コピー用紙に控え全印刷 （第二表）";
inline constexpr std::string_view kNotice =
    "必ず、テストプリントを行った後に税務署配布の用紙に印刷して下さい";
inline constexpr std::string_view kOrdinaryPaper = "法人税"; // any PaperMarker but the office form's
inline constexpr std::string_view kNoPrinterTitle = "印刷できません";
inline constexpr std::string_view kContinueQuestion = "印刷を続けますか";
inline constexpr std::string_view kOffsetsUnreadableTitle = "印刷要領を読めません";
} // namespace printing

class PrintingScreen : public DataScreen {
public:
    using DataScreen::DataScreen;
    ScreenId id() const override { return ScreenId::printing; }

    // Where the pages go; without one the print buttons say so and print nothing.
    void setSurface(PrintSurface* surface) { surface_ = surface; }
    PrintSurface* surface() const { return surface_; }
    // A batch over many clients asks about their checks once, before it starts; while this is set the
    // print buttons do not ask again for each client.
    void setChecksAnsweredForBatch(bool answered) { batchConfirmed_ = answered; }

    Field rightBox; // after "右側へ"
    Field downBox;  // after "下方へ"
    Field status;   // the red label beside the page-1 buttons
    Field jobNote;  // where the last job went, or (red) why it went nowhere
    std::array<OptionButton, 3> presets{{{std::string(printing::kPresets[0])},
                                         {std::string(printing::kPresets[1])},
                                         {std::string(printing::kPresets[2])}}};

    void printPage1();                   // "第一表の印刷"
    void printPage1Twice();              // "第一表の２枚印刷"
    void printPage1Resident();           // "第一表の印刷 (住民税)"
    void printPage2();                   // "第二表の印刷"
    void printPage2ThreeTimes();         // "第二表の３枚印刷"
    void printPage1OfficeForm();         // "第一表（税務署送付用紙）"
    void printPage1OfficeFormTwice();    // the square button beside it
    void printPage1ResidentOfficeForm(); // "第一表(住民税) （税務署送付用紙）"
    void printPage2OfficeForm();         // "第二表（税務署送付用紙）"
    // Page 1 on the tax office's paper in the resident-tax variant, in one press (the print command's
    // --office-form --resident-tax); on the screen it takes two buttons.
    void printPage1OfficeFormResident();
    void printPage2OfficeFormThreeTimes(); // the square button beside it
    void copyPage1();                      // "A４コピー用紙に控え全印刷 （第一表）"
    void copyPage2();                      // "A４コピー用紙に控え全印刷 （第二表）"
    void moveRight();                      // "ｍｍ移動する" beside "右側へ"
    void moveDown();                       // "ｍｍ移動する" beside "下方へ"
    void clearOffsets();                   // "ク　　リ　　ア"
    void storeOffsets();                   // "印刷ピッチの記憶"
    void loadOffsets();                    // "印刷ピッチの呼出"
    void choosePreset(std::size_t preset); // "提出用", "控　用", "クリア"
    void data() override;                  // "DATA": loads PrintData
    void clear() override {}               // the hidden protocol buttons do nothing here
    void calculate() override {}

    const PrintData& printData() const { return data_; }
    const PrintOffsets& offsets() const { return offsets_; }
    // Every job printed since the screen was made, oldest first.
    const std::vector<JobReport>& jobs() const { return jobs_; }
    const DigitGrid& grid() const { return grid_; }
    const std::string& paperMarker() const { return paperMarker_; }
    const std::string& pageMarker() const { return pageMarker_; }
    // The options a page would print with now.
    PageOptions pageOptions(bool copy) const;
    // The offsets the next page on a form prints with: those stored, else those in memory, as every print
    // button loads them first. An A4 copy's zeros in memory do not change them.
    PrintOffsets nextOffsets() const;
    // The preview beside the buttons: `page`'s form image with the entries where they will land on the form.
    // The image is the A4 copy's, so each entry stands at its copy position (which is where the image has
    // the form's box for it) moved by nextOffsets().
    void drawPreview(PrintSurface& surface, FormImage page) const;

private:
    void page1OnForm();
    void page2OnForm();
    // A print surface, and a yes to the checks before printing when the client's return has warnings.
    bool ready();
    bool confirmChecks();
    void finishJob();
    // Presses `button` `times` times, stopping at the first job that fails: one message is enough.
    void repeat(int times, void (PrintingScreen::*button)());
    PrintOffsets offsetsFromBoxes() const;
    std::string damagedText() const;

    PrintSurface* surface_ = nullptr;
    PrintData data_;
    PrintOffsets offsets_;
    DigitGrid grid_;
    std::string paperMarker_;
    std::string pageMarker_;
    std::vector<JobReport> jobs_;
    std::vector<UnreadableRecord> damaged_; // files of the loaded return that cannot be read
    bool offsetsWarned_ = false;
    std::size_t failures_ = 0;
    bool confirmed_ = false; // the checks were answered for the press under way
    bool batchConfirmed_ = false;
};

} // namespace kakutei
