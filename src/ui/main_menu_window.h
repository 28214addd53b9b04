#pragma once
// The main menu's window (Form1).

#include "ui/screen_window.h"

class QLabel;
class QListWidget;
class QWidget;

namespace kakutei {

class App;
class MainMenu;
class RosterWindow;
class YearComparisonWindow;

class MainMenuWindow : public ScreenWindow {
public:
    MainMenuWindow(App& app, WindowRegistry& registry);
    void refresh() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    MainMenu& menu();
    QWidget* buildTopRow();
    QWidget* buildMenuRow();
    QWidget* buildTaxAccountantPanel();
    QWidget* buildRunAllPanel();
    QWidget* buildInternetFrame();
    void showRoster();         // "顧客一覧"
    void showYearComparison(); // "前年比較", for the current client

    App& app_;
    WindowRegistry& registry_;
    RosterWindow* roster_ = nullptr;                 // made when first asked for
    YearComparisonWindow* yearComparison_ = nullptr; // likewise
    QLabel* label1_ = nullptr;
    QListWidget* list1_ = nullptr;
    QWidget* runAllButtons_ = nullptr;
};

} // namespace kakutei
