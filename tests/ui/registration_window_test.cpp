#include "ui/registration_window.h"

#include "core/taxpayer_record.h"
#include "registry/registration_screen.h"
#include "registry/year_end_import_screen.h"
#include "shell/app.h"
#include "shell/main_menu.h"
#include "ui/qt_text.h"
#include "ui/qt_user_interface.h"
#include "ui/year_end_import_window.h"

#include "message_box_answerer.h"
#include "temp_root.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kakutei {
namespace {

using testing::MessageBoxAnswerer;
using testing::TempRoot;
namespace reg = registration;

struct RegistrationWindowFixture : ::testing::Test {
    TempRoot root;
    DataStore store{root.path()};
    QtUserInterface ui;
    App app{store, ui};
    WindowRegistry windows;
    RegistrationWindow window{app, windows};
    YearEndImportWindow importWindow{app, windows};

    void SetUp() override {
        ui.registerWindow(ScreenId::registration, &window);
        ui.registerWindow(ScreenId::yearEndImport, &importWindow);
        app.start();
        app.mainMenu().registration(); // shows the window with its defaults
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.refresh();
    }
    QLineEdit* box(const char* name) { return window.findChild<QLineEdit*>(name); }
    template <typename T> T* captioned(QWidget& parent, std::string_view caption) {
        for (auto* widget : parent.findChildren<T*>())
            if (widget->text() == qt(caption))
                return widget;
        return nullptr;
    }
    QPushButton* button(std::string_view caption) { return captioned<QPushButton>(window, caption); }
    QRadioButton* option(std::string_view caption) { return captioned<QRadioButton>(window, caption); }
    QColor background() const { return window.palette().color(QPalette::Window); }
    void type(const char* name, const char* text) {
        box(name)->setFocus();
        QTest::keyClicks(box(name), text);
    }
};

TEST_F(RegistrationWindowFixture, ShowsEveryControl) {
    EXPECT_EQ(window.objectName(), "Form2");
    EXPECT_EQ(window.windowTitle(), "個人の登録");
    EXPECT_TRUE(window.isVisible());
    for (const char* name : {"Text1",  "Text2",  "Text3",  "Text4",  "Text5",  "Text6",  "Text7",  "Text8",
                             "Text9",  "Text10", "Text11", "Text12", "Text13", "Text14", "Text15", "Text16",
                             "Text17", "Text18", "Text19", "Text20", "Text21", "Text22", "Text24"})
        EXPECT_NE(box(name), nullptr) << name;
    for (std::string_view caption :
         {reg::kRegister, reg::kCallUp, reg::kClear, reg::kClearCode, reg::kData, reg::kSameAddress,
          reg::kSelf, reg::kWife, reg::kCompanyOfficer, reg::kBirth, reg::kTaxOffice, reg::kYearEndImport})
        EXPECT_NE(button(caption), nullptr) << caption;
    for (auto captions :
         {std::vector<std::string_view>(reg::kEras.begin(), reg::kEras.end()),
          std::vector<std::string_view>(reg::kConditionCaptions.begin(), reg::kConditionCaptions.end()),
          std::vector<std::string_view>{"男", "女", "青色申告", "白色申告", "普通", "当座"}})
        for (std::string_view caption : captions)
            EXPECT_NE(option(caption), nullptr) << caption;
    EXPECT_NE(captioned<QLabel>(window, reg::kNotice), nullptr);
    EXPECT_TRUE(option("昭和")->isChecked());
    EXPECT_TRUE(option("男")->isChecked());
    EXPECT_TRUE(option("該当なし")->isChecked());
    EXPECT_EQ(box("Text22")->text(), "該当なし");
}

TEST_F(RegistrationWindowFixture, KindOfReturnColoursTheScreen) {
    EXPECT_EQ(background(), QColor(0, 192, 192));
    QTest::mouseClick(option("白色申告"), Qt::LeftButton);
    EXPECT_EQ(background(), QApplication::palette().color(QPalette::Button));
    EXPECT_FALSE(option("青色申告")->isChecked());
    QTest::mouseClick(option("青色申告"), Qt::LeftButton);
    EXPECT_EQ(background(), QColor(0, 192, 192));
    QTest::mouseClick(option("青色申告"), Qt::LeftButton); // a second click keeps it on
    EXPECT_TRUE(option("青色申告")->isChecked());
}

TEST_F(RegistrationWindowFixture, EnterMovesFromBoxToBoxPastTheHelperButtons) {
    type("Text1", "15");
    QTest::keyClick(box("Text1"), Qt::Key_Return);
    EXPECT_EQ(window.focusWidget(), box("Text17"));
    box("Text3")->setFocus();
    QTest::keyClick(box("Text3"), Qt::Key_Return);
    EXPECT_NE(window.focusWidget(), button(reg::kSameAddress));
}

TEST_F(RegistrationWindowFixture, RegisterTwiceAsksAndCancelKeeps) {
    type("Text1", "15");
    type("Text5", "Yamada");
    QTest::mouseClick(option("寡　婦"), Qt::LeftButton);
    EXPECT_EQ(box("Text22")->text(), "寡婦");
    QTest::mouseClick(button(reg::kRegister), Qt::LeftButton);
    EXPECT_EQ(box("Text1")->text(), ""); // cleared after writing
    EXPECT_EQ(readTaxpayerRecord(store, 15).record.condition, "寡婦");

    type("Text1", "15");
    type("Text5", "Other");
    MessageBoxAnswerer answerer({QMessageBox::Ok, QMessageBox::Cancel});
    QTest::mouseClick(button(reg::kRegister), Qt::LeftButton);
    EXPECT_EQ(answerer.titles, (QStringList{"同じコード名があります", "書き換えますか"}));
    EXPECT_EQ(readTaxpayerRecord(store, 15).record.name, "Yamada");

    type("Text1", "15");
    QTest::mouseClick(button(reg::kCallUp), Qt::LeftButton);
    EXPECT_EQ(box("Text5")->text(), "Yamada");
    EXPECT_TRUE(option("寡　婦")->isChecked());
    EXPECT_FALSE(option("該当なし")->isChecked());
}

TEST_F(RegistrationWindowFixture, ImportWindowFillsTheRegistrationAndCloses) {
    root.writeBytes("年末調整/個人名/307.txt",
                    "307\r\n\"kana\"\r\n\"name\"\r\n\"addr\"\r\n\"x\"\r\n1\r\n2\r\n3\r\n\"\"\r\n"
                    "\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
    QTest::mouseClick(button(reg::kYearEndImport), Qt::LeftButton);
    ASSERT_TRUE(importWindow.isVisible());
    EXPECT_EQ(importWindow.windowTitle(), "年末調整データより呼出");
    auto* company = importWindow.findChild<QLineEdit*>("Text1");
    auto* personal = importWindow.findChild<QLineEdit*>("Text2");
    QTest::keyClicks(company, "3");
    QTest::keyClick(company, Qt::Key_Return);
    QTest::keyClicks(personal, "7");
    QTest::mouseClick(captioned<QPushButton>(importWindow, year_end_import::kRun), Qt::LeftButton);
    EXPECT_FALSE(importWindow.isVisible());
    EXPECT_EQ(box("Text5")->text(), "name");
    EXPECT_EQ(box("Text6")->text(), "1");

    QTest::mouseClick(button(reg::kYearEndImport), Qt::LeftButton); // made anew: empty boxes
    EXPECT_EQ(importWindow.findChild<QLineEdit*>("Text1")->text(), "");
    MessageBoxAnswerer answerer({QMessageBox::Ok});
    QTest::mouseClick(captioned<QPushButton>(importWindow, year_end_import::kRun), Qt::LeftButton);
    EXPECT_EQ(answerer.titles, QStringList{"個人コードを記入して下さい"});
    EXPECT_TRUE(importWindow.isVisible());
}

} // namespace
} // namespace kakutei
