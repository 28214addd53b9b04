#include "registry/registration_screen.h"
#include "shell/tax_accountant_panel.h"

#include "message_box_answerer.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace kakutei {
namespace {

using testing::MessageBoxAnswerer;
using testing::sjis;
namespace reg = registration;

struct OneLineBoxes : testing::WindowFixture {
    // Ctrl+V over the whole box, as a user replaces a box's text with what they copied.
    static void paste(QLineEdit* box, const char* utf8) {
        QGuiApplication::clipboard()->setText(QString::fromUtf8(utf8));
        box->setFocus();
        box->selectAll();
        QTest::keySequence(box, QKeySequence::Paste);
    }
    QLineEdit* registrationBox(const char* name) { return child<QLineEdit>(ScreenId::registration, name); }
};

// What a copied block brings along: the ends of its lines, a spreadsheet's tabs, stray control codes.
TEST_F(OneLineBoxes, APastedTextBecomesOneLineInTheBoxAndInTheModel) {
    press(&MainMenu::registration);
    QLineEdit* address = registrationBox("Text2");
    ASSERT_NE(address, nullptr);
    struct Case {
        const char* pasted;
        const char* kept;
    } cases[] = {
        // A space, not nothing: "5-8-1" and "302" must not run together into another house number.
        {"東京都港区芝5-8-1\r\n302号", "東京都港区芝5-8-1 302号"},
        {"東京都港区芝5-8-1\n\n302号\n", "東京都港区芝5-8-1 302号"},
        {"\r\n東京都\t港区\t", "東京都 港区"},
        {"東京都 \n港区", "東京都 港区"},
        {"東京都\n　港区", "東京都　港区"},
        {"芝\x07ビル\x7f\x1b", "芝ビル"},
        {"一行目\u2028二行目", "一行目 二行目"},
        {"一行だけ", "一行だけ"},
    };
    for (const Case& c : cases) {
        paste(address, c.pasted);
        EXPECT_EQ(utf8(address->text()), c.kept) << c.pasted;
        EXPECT_EQ(app.registration().text2.text, c.kept) << c.pasted;
    }
    // The cursor stays behind what was pasted, so typing goes on after it.
    paste(address, "港区\n芝");
    QTest::keyClicks(address, "1");
    EXPECT_EQ(app.registration().text2.text, "港区 芝1");
}

// The same holds for every kind of box: text boxes, amount boxes, the choice boxes' edits and the tax
// accountant's boxes on the main menu.
TEST_F(OneLineBoxes, EveryKindOfBoxKeepsToOneLine) {
    press(&MainMenu::taxCredits);
    auto* kind = window(ScreenId::incomeBreakdown).findChild<QComboBox*>("kind1");
    ASSERT_NE(kind, nullptr);
    struct Case {
        QLineEdit* box;
        const char* pasted;
        const char* kept;
    } cases[] = {
        {child<QLineEdit>(ScreenId::income, "revenue1"), "1,234,567\r\n", "1,234,567"},
        {kind->lineEdit(), "給与\t賞与", "給与 賞与"},
        {child<QLineEdit>(ScreenId::mainMenu, "Text12"), "大阪市北区1-2\n梅田ビル", "大阪市北区1-2 梅田ビル"},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.box, nullptr) << c.kept;
        paste(c.box, c.pasted);
        EXPECT_EQ(utf8(c.box->text()), c.kept);
    }
    EXPECT_EQ(app.mainMenu().taxAccountant.text12.text, "大阪市北区1-2 梅田ビル");
}

// A pasted two-line address used to be stored as two lines: a record of 39 lines that could not be called up.
TEST_F(OneLineBoxes, APastedTwoLineAddressIsRegisteredAsOneLineAndCalledUpAgain) {
    press(&MainMenu::registration);
    QTest::keyClicks(registrationBox("Text1"), "15");
    paste(registrationBox("Text5"), "試験太郎");
    paste(registrationBox("Text2"), "東京都港区芝5-8-1\r\n芝ビル302号\r\n");
    QTest::keyClicks(registrationBox("Text6"), "35");
    MessageBoxAnswerer answerer({QMessageBox::Ok}); // a refusal must fail the test, not hang it
    QTest::mouseClick(captioned<QPushButton>(ScreenId::registration, reg::kRegister), Qt::LeftButton);
    EXPECT_EQ(answerer.titles, QStringList{});

    const std::string stored = root.readBytes("所得税/個人名/15.txt");
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = stored.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(stored.substr(start, end - start));
    EXPECT_EQ(lines.size(), 38u);
    EXPECT_EQ(lines.at(4), sjis("\"東京都港区芝5-8-1 芝ビル302号\""));
    EXPECT_EQ(lines.at(7), "35");

    QTest::keyClicks(registrationBox("Text1"), "15");
    QTest::mouseClick(captioned<QPushButton>(ScreenId::registration, reg::kCallUp), Qt::LeftButton);
    EXPECT_EQ(utf8(registrationBox("Text5")->text()), "試験太郎");
    EXPECT_EQ(utf8(registrationBox("Text2")->text()), "東京都港区芝5-8-1 芝ビル302号");
    EXPECT_EQ(utf8(registrationBox("Text6")->text()), "35");
}

} // namespace
} // namespace kakutei
