#include "ui/printing_window.h"

#include "core/store_error.h"
#include "core/stored_return.h"
#include "explain/explanation.h"
#include "explain/explanation_text.h"
#include "print/printing_screen.h"
#include "registry/output_gate.h"
#include "shell/app.h"
#include "ui/preview_surface.h"
#include "ui/print_destination_row.h"
#include "ui/qt_print_surface.h"
#include "ui/qt_text.h"
#include "ui/work_sheet_pdf.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kakutei {

namespace pr = printing;

PrintingWindow::PrintingWindow(App& app, WindowRegistry& registry)
    : ScreenWindow(ScreenId::printing, registry), app_(app) {
    setWindowTitle(qt(pr::kCaption));
    auto* notice = makeLabel(pr::kNotice);
    notice->setStyleSheet("color: #a00000; font-weight: bold;");
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buildPages());
    left->addWidget(buildOfficeForms());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(buildAdjustment());
    right->addWidget(buildPresets());
    right->addStretch();
    columns->addLayout(left);
    columns->addLayout(right);
    columns->addWidget(buildPreview());
    auto* copies = new QHBoxLayout;
    for (const auto& [caption, action] :
         {std::pair<std::string_view, PrintButton>{pr::kCopy1, &PrintingScreen::copyPage1},
          {pr::kCopy2, &PrintingScreen::copyPage2}}) {
        auto* button = printButton(caption, action);
        button->setMinimumHeight(34);
        copies->addWidget(button);
    }
    auto* workSheet = makeButton(kWorkSheetTitle, [this] { saveWorkSheet(); });
    workSheet->setMinimumHeight(34);
    copies->addWidget(workSheet);
    // Where the last page went, or why it went nowhere; a PDF's path can be copied from here.
    jobNote_ = makeLabel("");
    jobNote_->setObjectName("jobNote");
    jobNote_->setWordWrap(true);
    jobNote_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    destination_ = new PrintDestinationRow([this]() -> PrintingScreen& { return screen(); },
                                           OutputGate(app_.store()), this);
    auto* layout = new QVBoxLayout(page());
    layout->addWidget(notice);
    layout->addLayout(columns);
    layout->addLayout(copies);
    layout->addWidget(destination_);
    layout->addWidget(jobNote_);
    orderFocus();
    refresh();
}

PrintingScreen& PrintingWindow::screen() {
    return *app_.screenAs<PrintingScreen>(ScreenId::printing);
}

void PrintingWindow::usePrinter(QtPrintSurface* printer) {
    destination_->usePrinter(printer);
}

QPushButton* PrintingWindow::printButton(std::string_view caption, PrintButton action) {
    return makeButton(caption,
                      [this, action] { destination_->print([this, action] { (screen().*action)(); }); });
}

QPushButton* PrintingWindow::yellow(QPushButton* button) {
    button->setStyleSheet("background-color: #ffff66;");
    return button;
}

QWidget* PrintingWindow::buildPages() {
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    grid->addWidget(printButton(pr::kPage1, &PrintingScreen::printPage1), 0, 0);
    grid->addWidget(yellow(printButton(pr::kPage1Twice, &PrintingScreen::printPage1Twice)), 0, 1);
    status_ = makeLabel("");
    status_->setObjectName("status");
    status_->setStyleSheet("color: red; font-weight: bold;");
    grid->addWidget(status_, 0, 2);
    grid->addWidget(printButton(pr::kPage1Resident, &PrintingScreen::printPage1Resident), 1, 0);
    grid->addWidget(printButton(pr::kPage2, &PrintingScreen::printPage2), 2, 0);
    grid->addWidget(yellow(printButton(pr::kPage2ThreeTimes, &PrintingScreen::printPage2ThreeTimes)), 2, 1);
    for (auto* button : box->findChildren<QPushButton*>())
        button->setMinimumHeight(32);
    return box;
}

QWidget* PrintingWindow::buildOfficeForms() {
    auto* box = new QGroupBox(qt(pr::kOfficeFrame), this);
    auto* grid = new QGridLayout(box);
    const auto square = [this](PrintButton action) {
        auto* button = yellow(printButton("", action));
        button->setFixedSize(28, 28);
        return button;
    };
    grid->addWidget(printButton(pr::kPage1Office, &PrintingScreen::printPage1OfficeForm), 0, 0);
    grid->addWidget(square(&PrintingScreen::printPage1OfficeFormTwice), 0, 1);
    grid->addWidget(printButton(pr::kPage1ResidentOffice, &PrintingScreen::printPage1ResidentOfficeForm), 1,
                    0);
    grid->addWidget(printButton(pr::kPage2Office, &PrintingScreen::printPage2OfficeForm), 2, 0);
    grid->addWidget(square(&PrintingScreen::printPage2OfficeFormThreeTimes), 2, 1);
    grid->setColumnStretch(2, 1);
    return box;
}

QWidget* PrintingWindow::buildAdjustment() {
    auto* box = new QGroupBox(qt(pr::kAdjustFrame), this);
    auto* grid = new QGridLayout(box);
    const std::tuple<std::string_view, const char*, Field PrintingScreen::*, void (PrintingScreen::*)()>
        rows[] = {
            {pr::kRight, "rightBox", &PrintingScreen::rightBox, &PrintingScreen::moveRight},
            {pr::kDown, "downBox", &PrintingScreen::downBox, &PrintingScreen::moveDown},
        };
    int r = 0;
    for (const auto& [caption, name, field, move] : rows) {
        grid->addWidget(makeLabel(caption), r, 0);
        auto* edit = makeTextBox(
            name, [this, field = field]() -> Field& { return screen().*field; }, 3);
        edit->setAlignment(Qt::AlignRight);
        grid->addWidget(edit, r, 1);
        grid->addWidget(makeButton(pr::kMove, [this, move = move] { (screen().*move)(); }), r, 2);
        ++r;
    }
    grid->addWidget(makeButton(pr::kClearOffsets, [this] { screen().clearOffsets(); }), r++, 0, 1, 3);
    grid->addWidget(makeButton(pr::kStore, [this] { screen().storeOffsets(); }), r, 0, 1, 2);
    grid->addWidget(makeButton(pr::kLoad, [this] { screen().loadOffsets(); }), r, 2);
    return box;
}

QWidget* PrintingWindow::buildPresets() {
    auto* box = new QGroupBox(qt(pr::kPresetFrame), this);
    auto* row = new QHBoxLayout(box);
    for (std::size_t i = 0; i < pr::kPresets.size(); ++i)
        row->addWidget(makeOption([this, i]() -> OptionButton& { return screen().presets[i]; },
                                  [this, i] { screen().choosePreset(i); }));
    return box;
}

QWidget* PrintingWindow::buildPreview() {
    auto* box = new QGroupBox(qt("プレビュー"), this);
    auto* layout = new QVBoxLayout(box);
    auto* choice = new QHBoxLayout;
    previewPage1_ = new QRadioButton(qt("第一表"), box);
    auto* page2 = new QRadioButton(qt("第二表"), box);
    previewPage1_->setChecked(true);
    for (QRadioButton* page : {previewPage1_, page2}) {
        page->setFocusPolicy(Qt::ClickFocus);
        connect(page, &QRadioButton::toggled, this, [this] { renderPreview(); });
        choice->addWidget(page);
    }
    choice->addStretch();
    layout->addLayout(choice);
    preview_ = new QLabel(box);
    preview_->setObjectName("preview");
    preview_->setFrameShape(QFrame::Box);
    layout->addWidget(preview_);
    auto* note = makeLabel("保存した印刷調整（印刷ピッチの記憶）で表示します。");
    note->setStyleSheet("color: #555555; font-size: 9pt;");
    layout->addWidget(note);
    return box;
}

void PrintingWindow::renderPreview() {
    constexpr double kPixelsPerMm = 1.6;
    // Drawn at the screen's own pixels: at 150 % or 200 % a preview drawn at 100 % and stretched is blurred
    // exactly where the small digits must be read.
    const double ratio = devicePixelRatioF();
    PreviewSurface surface(kPixelsPerMm * ratio);
    surface.beginJob("preview");
    screen().drawPreview(surface, previewPage1_->isChecked() ? FormImage::page1 : FormImage::page2);
    surface.endJob();
    QPixmap pixmap = QPixmap::fromImage(surface.image());
    pixmap.setDevicePixelRatio(ratio);
    preview_->setPixmap(pixmap);
}

void PrintingWindow::saveWorkSheet() {
    const PersonCode code = screen().printData().personCode;
    const StoredReturn stored = readStoredReturn(app_.store(), code, kYearCode);
    if (!stored.taxpayer.registered()) {
        QMessageBox::warning(this, qt("計算明細書を作れません"),
                             qt("個人コード " + std::to_string(code) + " は登録されていません。"));
        return;
    }
    const Explanation explanation = explainReturn(stored);
    QString folder = workSheetFolder_.isEmpty() ? destination_->pdfFolder() : workSheetFolder_;
    if (folder.isEmpty())
        folder = defaultPdfFolder();
    const QString file = QFileDialog::getSaveFileName(
        this, qt("計算明細書の保存先"), folder + "/" + qt(workSheetFileName(explanation)), qt("PDF (*.pdf)"));
    if (file.isEmpty())
        return;
    workSheetFolder_ = QFileInfo(file).path();
    if (const auto error = writeWorkSheetPdf(OutputGate(app_.store()), explanation, utf8(file)))
        QMessageBox::warning(this, qt("計算明細書を保存できません"), file + "\n" + qt(describeError(error)));
    else
        QMessageBox::information(this, qt("計算明細書を保存しました"), file);
}

void PrintingWindow::refresh() {
    refreshBindings();
    status_->setText(qt(screen().status.text));
    const Field& note = screen().jobNote;
    jobNote_->setText(qt(note.text));
    jobNote_->setStyleSheet(note.colour == colours::red ? "color: red;" : "");
    renderPreview();
}

} // namespace kakutei
