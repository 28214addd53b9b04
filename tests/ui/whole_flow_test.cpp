// One return from registration to the printed pages, typed through the windows with the keyboard.
#include "print/printing_screen.h"
#include "ui/qt_print_surface.h"

#include "message_box_answerer.h"
#include "window_fixture.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>

namespace kakutei {
namespace {

std::string pdfText(const QString& pdf) {
    std::string text;
    FILE* pipe = ::popen(("pdftotext '" + pdf.toStdString() + "' -").c_str(), "r");
    char buffer[4096];
    for (std::size_t got; pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, got);
    if (pipe)
        ::pclose(pipe);
    return text;
}

struct WholeFlow : testing::WindowFixture {
    // Types into the named box of a screen and presses Enter, as a user moving through the form.
    void enter(ScreenId id, const char* box, const char* text) {
        auto* edit = child<QLineEdit>(id, box);
        ASSERT_NE(edit, nullptr) << box;
        edit->setFocus();
        const QString typed = QString::fromUtf8(text);
        bool ascii = true;
        for (QChar c : typed)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii) {
            QTest::keyClicks(edit, typed);
        } else { // Japanese comes through the input method as a committed string
            QInputMethodEvent commit;
            commit.setCommitString(typed);
            QApplication::sendEvent(edit, &commit);
        }
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void click(ScreenId id, std::string_view caption, int n = 0) {
        auto* button = captioned<QPushButton>(id, caption, n);
        ASSERT_NE(button, nullptr) << caption;
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

TEST_F(WholeFlow, RegisterEnterComputeAndPrint) {
    // Registration.
    press(&MainMenu::registration);
    enter(ScreenId::registration, "Text1", "21");
    enter(ScreenId::registration, "Text17", "ﾐﾎﾝ ﾀﾛｳ");
    enter(ScreenId::registration, "Text5", "見本太郎");
    enter(ScreenId::registration, "Text2", "東京都港区芝5-8-1");
    // A birth date, a tax office and an account for the refund: printing then asks nothing first.
    enter(ScreenId::registration, "Text6", "35");
    enter(ScreenId::registration, "Text7", "4");
    enter(ScreenId::registration, "Text14", "1");
    enter(ScreenId::registration, "Text15", "芝");
    enter(ScreenId::registration, "Text19", "髙﨑銀行");
    enter(ScreenId::registration, "Text4", "1234567");
    click(ScreenId::registration, "登録実行");
    ASSERT_TRUE(std::filesystem::exists(root.path() + "/所得税/個人名/21.txt"));

    // Call-up from the menu opens the income screen.
    app.mainMenu().text3.text = "21";
    press(&MainMenu::callUp);
    enter(ScreenId::income, "revenue6", "5000000");
    click(ScreenId::income, "自動計算");
    EXPECT_EQ(child<QLineEdit>(ScreenId::income, "income6")->text(), "3,460,000");

    // Deductions (1): social insurance and life insurance.
    press(&MainMenu::deductions1);
    enter(ScreenId::deductions1, "socialPremium1", "700000");
    enter(ScreenId::deductions1, "lifeGeneral", "100000");
    click(ScreenId::deductions1, "計算実行");
    EXPECT_EQ(child<QLineEdit>(ScreenId::deductions1, "lifeResult")->text(), "50,000");

    // Personal deductions and withholding.
    press(&MainMenu::deductions2);
    click(ScreenId::personalDeductions, "計算実行");
    press(&MainMenu::taxCredits);
    enter(ScreenId::incomeBreakdown, "tax1", "200000");
    click(ScreenId::incomeBreakdown, "計算実行");

    // The tax: refund 13,600 (worked out in tests/app/recalc_test.cpp).
    press(&MainMenu::taxComputation);
    EXPECT_EQ(child<QLineEdit>(ScreenId::taxComputation, "line41")->text(), "13,600");
    for (int k = 1; k <= 5; ++k)
        EXPECT_TRUE(
            std::filesystem::exists(root.path() + "/所得税/H16所得税/21" + std::to_string(k) + ".txt"))
            << k;

    // Both pages to PDF.
    // The folder is the user's choice and must exist: a missing one is a failure the user is told of.
    std::filesystem::create_directory(outputs.path() + "/pdf");
    const QString folder = QString::fromStdString(outputs.path() + "/pdf");
    auto surface = QtPrintSurface::toPdfFolder(OutputGate(store), folder);
    press(&MainMenu::print);
    app.screenAs<PrintingScreen>(ScreenId::printing)->setSurface(surface.get());
    {
        // Each page written to a PDF is said in an information box.
        testing::MessageBoxAnswerer answerer({QMessageBox::Ok, QMessageBox::Ok});
        click(ScreenId::printing, "第一表の印刷");
        click(ScreenId::printing, "第二表の印刷");
    }
    ASSERT_EQ(surface->writtenFiles().size(), 2);
    const std::string page1 = pdfText(surface->writtenFiles()[0]);
    const std::string page2 = pdfText(surface->writtenFiles()[1]);
    EXPECT_NE(page1.find("見本太郎"), std::string::npos) << page1;
    EXPECT_NE(page1.find("確"), std::string::npos);
    EXPECT_NE(page2.find("見本太郎"), std::string::npos) << page2;
    EXPECT_NE(page2.find("200,000"), std::string::npos) << page2;
}

} // namespace
} // namespace kakutei
