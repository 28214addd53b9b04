#pragma once
// The printing screen's window (Form11, "印　　刷").

#include "ui/screen_window.h"

class QLabel;
class QRadioButton;

namespace kakutei {

class App;
class PrintingScreen;

class PrintingWindow : public ScreenWindow {
public:
    PrintingWindow(App& app, WindowRegistry& registry);
    void refresh() override;

private:
    PrintingScreen& screen();
    QWidget* buildPages();
    QWidget* buildOfficeForms();
    QWidget* buildAdjustment();
    QWidget* buildPresets();
    QWidget* buildPreview();
    void renderPreview();
    QPushButton* yellow(QPushButton* button);
    App& app_;
    QLabel* status_ = nullptr;
    QLabel* jobNote_ = nullptr;
    QLabel* preview_ = nullptr;
    QRadioButton* previewPage1_ = nullptr;
};

} // namespace kakutei
