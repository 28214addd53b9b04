#pragma once
// The printing screen's window (Form11, "印　　刷").

#include "ui/screen_window.h"

#include <QString>

class QLabel;
class QRadioButton;

namespace kakutei {

class App;
class PrintDestinationRow;
class PrintingScreen;
class QtPrintSurface;

class PrintingWindow : public ScreenWindow {
public:
    PrintingWindow(App& app, WindowRegistry& registry);
    void refresh() override;
    // The printer surface for the print buttons: the system's printers, a chosen one among them, or PDF
    // files where the user asks for them.
    void usePrinter(QtPrintSurface* printer);

private:
    using PrintButton = void (PrintingScreen::*)();
    // A print button, which tells where the PDFs went when its pages went into PDF files.
    QPushButton* printButton(std::string_view caption, PrintButton action);
    PrintingScreen& screen();
    QWidget* buildPages();
    QWidget* buildOfficeForms();
    QWidget* buildAdjustment();
    QWidget* buildPresets();
    QWidget* buildPreview();
    void renderPreview();
    // "計算明細書": the client's work sheet as a PDF wherever the user saves it.
    void saveWorkSheet();
    QPushButton* yellow(QPushButton* button);
    App& app_;
    QLabel* status_ = nullptr;
    QLabel* jobNote_ = nullptr;
    QLabel* preview_ = nullptr;
    QRadioButton* previewPage1_ = nullptr;
    PrintDestinationRow* destination_ = nullptr;
    QString workSheetFolder_; // where the last work sheet was saved
};

} // namespace kakutei
