#pragma once
// The running program on a fresh root, with every window made, for window tests.

#include "shell/app.h"
#include "shell/main_menu.h"
#include "ui/qt_text.h"
#include "ui/qt_user_interface.h"
#include "ui/window_set.h"

#include "sample_taxpayer.h"
#include "temp_root.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace kakutei::testing {

struct WindowFixture : ::testing::Test {
    TempRoot root;
    DataStore store{root.path()};
    TempRoot outputs; // for PDFs: never inside the data folder
    QtUserInterface ui;
    App app{store, ui};
    WindowSet windows{app, ui};

    WindowFixture() {
        app.start();
        windows.createMainWindow();
    }
    // Presses a main menu button and lets the windows catch up, as a click would.
    void press(void (MainMenu::*button)()) {
        (app.mainMenu().*button)();
        windows.refreshVisible();
    }
    // Registers the sample taxpayer as 7 and calls 7 up, which opens the income screen.
    void callUpSeven() {
        TaxpayerRecord record = sampleRecord();
        record.personCode = 7;
        ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7))));
        app.mainMenu().text3.text = "7";
        press(&MainMenu::callUp);
    }
    QWidget& window(ScreenId id) { return *windows.window(id); }
    template <typename T> T* child(ScreenId id, const char* name) { return window(id).findChild<T*>(name); }
    // The n-th widget of type T on the screen whose caption is `caption`.
    template <typename T> T* captioned(ScreenId id, std::string_view caption, int n = 0) {
        for (auto* widget : window(id).findChildren<T*>())
            if (widget->text() == qt(caption) && n-- == 0)
                return widget;
        return nullptr;
    }
};

} // namespace kakutei::testing
