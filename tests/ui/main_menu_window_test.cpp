#include "ui/main_menu_window.h"

#include "core/taxpayer_record.h"
#include "shell/app.h"
#include "shell/main_menu.h"
#include "ui/qt_text.h"
#include "ui/qt_user_interface.h"

#include "temp_root.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace kakutei {
namespace {

using testing::TempRoot;

struct WindowFixture : ::testing::Test {
    TempRoot root;
    DataStore store{root.path()};
    QtUserInterface ui;
    App app{store, ui};
    WindowRegistry windows;
    std::unique_ptr<MainMenuWindow> window;

    void open() {
        app.start();
        window = std::make_unique<MainMenuWindow>(app, windows);
        ui.registerWindow(ScreenId::mainMenu, window.get());
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    template <typename T> T* child(const char* name) { return window->findChild<T*>(name); }
    QPushButton* button(std::string_view caption) {
        for (auto* b : window->findChildren<QPushButton*>())
            if (b->text() == qt(caption))
                return b;
        return nullptr;
    }
    void registerTaxpayer(PersonCode code, const char* name) {
        TaxpayerRecord record;
        record.personCode = code;
        record.name = name;
        ASSERT_FALSE(store.ensureBaseFolders());
        ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(code))));
    }
};

TEST_F(WindowFixture, ShowsEveryCaption) {
    open();
    EXPECT_EQ(window->objectName(), "Form1");
    EXPECT_EQ(window->windowTitle(), "平成 16 年分の所得税申告書");
    for (std::string_view caption : {main_menu::kCallUp,
                                     main_menu::kClear,
                                     main_menu::kDisplay,
                                     main_menu::kRegistration,
                                     main_menu::kIncome,
                                     main_menu::kDeductions1,
                                     main_menu::kDeductions2,
                                     main_menu::kTaxCredits,
                                     main_menu::kTaxComputation,
                                     main_menu::kPrint,
                                     main_menu::kData,
                                     main_menu::kQuit,
                                     main_menu::kInitialScreen,
                                     main_menu::kCloseScreens,
                                     main_menu::kHideRunAll,
                                     main_menu::kRunIncome,
                                     main_menu::kRunDeductions1,
                                     main_menu::kRunDeductions2,
                                     main_menu::kRunTaxCredits,
                                     main_menu::kSendMail,
                                     main_menu::kSupportCentre,
                                     tax_accountant::kNameButton,
                                     tax_accountant::kAddressButton,
                                     tax_accountant::kTelephoneButton,
                                     tax_accountant::kHideButton,
                                     tax_accountant::kSaveButton,
                                     tax_accountant::kLoadButton,
                                     tax_accountant::kImportButton})
        EXPECT_NE(button(caption), nullptr) << caption;
    for (const char* name : {"Text3", "Text2", "Text5", "Text12", "Text4"})
        EXPECT_NE(child<QLineEdit>(name), nullptr) << name;
    EXPECT_TRUE(child<QLineEdit>("Text2")->isReadOnly());
}

TEST_F(WindowFixture, TypingGoesIntoTheModelAndEnterMovesOn) {
    open();
    auto* name = child<QLineEdit>("Text5");
    name->setFocus();
    QTest::keyClicks(name, "abc");
    EXPECT_EQ(app.mainMenu().taxAccountant.text5.text, "abc");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(window->focusWidget(), child<QLineEdit>("Text12"));
    QTest::keyClick(child<QLineEdit>("Text12"), Qt::Key_Enter);
    EXPECT_EQ(window->focusWidget(), child<QLineEdit>("Text4"));
}

TEST_F(WindowFixture, CallUpShowsTheNameAndTheListClicks) {
    registerTaxpayer(3, "山田太郎");
    registerTaxpayer(42, "髙橋花子");
    open();
    auto* list = child<QListWidget>("List1");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "03 : 山田太郎");
    QTest::keyClicks(child<QLineEdit>("Text3"), "3");
    QTest::mouseClick(button(main_menu::kCallUp), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), "山田太郎");
    list->itemClicked(list->item(1));
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), "髙橋花子");
    EXPECT_EQ(child<QLineEdit>("Text3")->text(), "42");
    QTest::mouseClick(button(main_menu::kClear), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>("Text3")->text(), "");
}

TEST_F(WindowFixture, RunAllButtonsHideBehindTheirBar) {
    open();
    EXPECT_TRUE(button(main_menu::kRunIncome)->isVisible());
    QTest::mouseClick(button(main_menu::kHideRunAll), Qt::LeftButton);
    EXPECT_FALSE(button(main_menu::kRunIncome)->isVisible());
    EXPECT_TRUE(button(main_menu::kHideRunAll)->isVisible());
    QTest::mouseClick(button(main_menu::kInitialScreen), Qt::LeftButton);
    EXPECT_TRUE(button(main_menu::kRunIncome)->isVisible());
}

TEST_F(WindowFixture, UnstorableAccountantNameShowsAWarningBox) {
    open();
    // Japanese arrives through the input method as a committed string.
    QInputMethodEvent typed;
    typed.setCommitString(QString::fromUtf8("𠮷田"));
    QApplication::sendEvent(child<QLineEdit>("Text5"), &typed);
    ASSERT_EQ(app.mainMenu().taxAccountant.text5.text, "𠮷田");
    QString title;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(button(tax_accountant::kSaveButton), Qt::LeftButton);
    EXPECT_EQ(title, "保存できない文字があります");
    EXPECT_TRUE(text.contains(QString::fromUtf8("𠮷"))) << text.toStdString();
    EXPECT_FALSE(std::filesystem::exists(root.path() + "/所得税/税理士名.txt"));
}

} // namespace
} // namespace kakutei
