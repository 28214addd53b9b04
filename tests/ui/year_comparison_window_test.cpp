// The "前年比較" window: opened from the main menu for the client called up, it shows both years side by
// side with the changed lines marked and tinted, and Esc closes it; without a client it asks for one.
#include "ui/year_comparison_window.h"

#include "message_box_answerer.h"
#include "screen_fixture.h"
#include "window_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace kakutei {
namespace {

struct YearComparisonWindowFixture : testing::WindowFixture {
    YearComparisonWindowFixture() {
        testing::registerTaxpayer(store, 7, "山田太郎");
        testing::registerTaxpayer(store, 42, "髙橋花子");
        // Line 9 is income field 20; lines 10 to 53 are the tax computation's fields 1 to 41.
        testing::writeRecordFields(store, 7, 1, 0, 20, {{20, "5000000"}});
        testing::writeRecordFields(store, 7, 5, 0, 41, {{3, "600000"}, {28, "250000"}});
        testing::writeRecordFields(store, 7, 1, 0, 20, {{20, "4000000"}}, kPreviousYearCode);
        testing::writeRecordFields(store, 7, 5, 0, 41, {{3, "560000"}}, kPreviousYearCode);
        testing::writeRecordFields(store, 42, 1, 0, 20, {{20, "3000000"}});
        ui.show(ScreenId::mainMenu);
    }
    YearComparisonWindow* openFor(const char* code) {
        app.mainMenu().text3.text = code;
        press(&MainMenu::callUp);
        captioned<QPushButton>(ScreenId::mainMenu, year_comparison::kCaption)->click();
        return comparisonWindow();
    }
    // The class has no meta-object of its own, so findChild<YearComparisonWindow*> would take any widget.
    YearComparisonWindow* comparisonWindow() {
        return dynamic_cast<YearComparisonWindow*>(
            window(ScreenId::mainMenu).findChild<QWidget*>("YearComparisonWindow"));
    }
    static QStringList rowTexts(QTableWidget* table, int row) {
        QStringList texts;
        for (int column = 0; column < table->columnCount(); ++column)
            texts << table->item(row, column)->text();
        return texts;
    }
};

TEST_F(YearComparisonWindowFixture, ShowsTheCalledUpClientsYearsSideBySideWithChangesMarked) {
    YearComparisonWindow* comparison = openFor("7");
    ASSERT_NE(comparison, nullptr);
    ASSERT_TRUE(comparison->isVisible());
    EXPECT_EQ(comparison->windowTitle(), "前年比較");
    EXPECT_EQ(comparison->findChild<QLabel*>("ComparisonClient")->text(), "個人コード 7　山田太郎");
    EXPECT_FALSE(comparison->findChild<QLabel*>("ComparisonNotes")->isVisible());

    auto* table = comparison->findChild<QTableWidget*>("ComparisonRows");
    ASSERT_EQ(table->rowCount(), 42);
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), "今年");
    EXPECT_EQ(table->horizontalHeaderItem(3)->text(), "前年");
    EXPECT_EQ(rowTexts(table, 0),
              (QStringList{"9", "所得金額", "5,000,000", "4,000,000", "+1,000,000", "＊"}));
    EXPECT_EQ(rowTexts(table, 3), (QStringList{"12", "社会保険料控除", "600,000", "560,000", "+40,000", ""}));
    EXPECT_EQ(rowTexts(table, 28), (QStringList{"40", "納める税金", "250,000", "0", "+250,000", "＊"}));
    EXPECT_EQ(table->item(0, 2)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    // The changed rows are tinted across, the others left plain.
    for (int column = 0; column < table->columnCount(); ++column) {
        EXPECT_NE(table->item(0, column)->background().style(), Qt::NoBrush) << column;
        EXPECT_EQ(table->item(3, column)->background().style(), Qt::NoBrush) << column;
    }

    QTest::keyClick(table, Qt::Key_Escape);
    EXPECT_FALSE(comparison->isVisible());

    // Another client called up: the window follows, and says what it has not found.
    EXPECT_EQ(openFor("42"), comparison);
    EXPECT_TRUE(comparison->isVisible());
    EXPECT_EQ(comparison->findChild<QLabel*>("ComparisonClient")->text(), "個人コード 42　髙橋花子");
    EXPECT_TRUE(comparison->findChild<QLabel*>("ComparisonNotes")->isVisible());
    EXPECT_TRUE(
        comparison->findChild<QLabel*>("ComparisonNotes")->text().contains("前年のデータがありません。"));
    EXPECT_EQ(rowTexts(table, 0), (QStringList{"9", "所得金額", "3,000,000", "", "", ""}));
    for (auto* button : comparison->findChildren<QPushButton*>())
        if (button->text() == "閉じる")
            button->click();
    EXPECT_FALSE(comparison->isVisible());
}

TEST_F(YearComparisonWindowFixture, WithoutAClientCalledUpItAsksForOne) {
    ASSERT_EQ(app.mainMenu().currentPersonCode(), 0); // nobody was registered when the program started
    testing::MessageBoxAnswerer answerer({QMessageBox::Ok});
    captioned<QPushButton>(ScreenId::mainMenu, year_comparison::kCaption)->click();
    EXPECT_EQ(answerer.titles, QStringList{"前年比較"});
    ASSERT_EQ(answerer.texts.size(), 1);
    EXPECT_TRUE(answerer.texts.front().startsWith("個人を呼び出して下さい。"))
        << utf8(answerer.texts.front());
    EXPECT_EQ(comparisonWindow(), nullptr);
}

} // namespace
} // namespace kakutei
