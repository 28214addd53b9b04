#pragma once
// The data management screen's window (Form12, "データ"). Its model is made anew by "たった今削除"; the
// window follows whichever model is current.

#include "ui/screen_window.h"

class QComboBox;
class QListWidget;
class QProgressBar;

namespace kakutei {

class App;
class DataManagementScreen;

class DataManagementWindow : public ScreenWindow {
public:
    DataManagementWindow(App& app, WindowRegistry& registry);
    void refresh() override;

private:
    DataManagementScreen& screen();
    QComboBox* makeDriveBox(const char* name, Field DataManagementScreen::*drive);
    App& app_;
    QListWidget* list1_ = nullptr;
    QProgressBar* progress_ = nullptr;
    std::vector<std::pair<QComboBox*, Field DataManagementScreen::*>> drives_;
};

} // namespace kakutei
