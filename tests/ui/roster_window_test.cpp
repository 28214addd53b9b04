// The roster window: opened from the main menu, it lists every client, narrows as the user types, sorts by
// a header click, calls a client up on Enter, and runs a batch for the selected clients with a summary.
#include "core/store_error.h"
#include "core/taxpayer_record.h"
#include "ui/roster_window.h"

#include "print/printing_screen.h"

#include "../print/recording_surface.h"
#include "file_dialog_answers.h"
#include "message_box_answerer.h"
#include "screen_fixture.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace kakutei {
namespace {

struct RosterWindowFixture : testing::WindowFixture {
    RosterWindowFixture() {
        for (auto [code, name, reading] :
             {std::tuple<PersonCode, const char*, const char*>{7, "山田太郎", "ヤマダタロウ"},
              {42, "髙橋花子", "タカハシハナコ"},
              {100, "佐藤一郎", "サトウイチロウ"}}) {
            TaxpayerRecord record;
            record.personCode = code;
            record.name = name;
            record.reading = reading;
            EXPECT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(code))));
            testing::writeRecordFields(store, code, 1, 0, 20, {{1, "5000000"}, {20, "5000000"}});
        }
        ui.show(ScreenId::mainMenu);
        captioned<QPushButton>(ScreenId::mainMenu, roster::kCaption)->click();
        rosterWindow =
            dynamic_cast<RosterWindow*>(window(ScreenId::mainMenu).findChild<QWidget*>("RosterWindow"));
    }
    QTableWidget* rows() { return rosterWindow->findChild<QTableWidget*>("RosterRows"); }
    QStringList column(int c) {
        QStringList texts;
        for (int r = 0; r < rows()->rowCount(); ++r)
            texts << rows()->item(r, c)->text();
        return texts;
    }
    RosterWindow* rosterWindow = nullptr;
};

TEST_F(RosterWindowFixture, ListsSearchesSortsAndCallsUpOnEnter) {
    ASSERT_NE(rosterWindow, nullptr);
    ASSERT_TRUE(rosterWindow->isVisible());
    EXPECT_EQ(column(0), (QStringList{"7", "42", "100"}));
    EXPECT_EQ(column(1), (QStringList{"山田太郎", "髙橋花子", "佐藤一郎"}));
    EXPECT_EQ(rosterWindow->focusWidget(), rosterWindow->findChild<QLineEdit*>("RosterSearch"));

    rosterWindow->findChild<QLineEdit*>("RosterSearch")->setText("たかはし"); // as an input method commits it
    EXPECT_EQ(column(0), (QStringList{"42"}));
    rosterWindow->findChild<QLineEdit*>("RosterSearch")->clear();

    // フリガナ, then again for the other way round.
    rows()->horizontalHeader()->sectionClicked(2);
    EXPECT_EQ(column(0), (QStringList{"100", "42", "7"}));
    rows()->horizontalHeader()->sectionClicked(2);
    EXPECT_EQ(column(0), (QStringList{"7", "42", "100"}));

    rows()->setCurrentCell(1, 0);
    QTest::keyClick(rows(), Qt::Key_Return);
    EXPECT_EQ(app.mainMenu().text3.text, "42");
    EXPECT_EQ(app.mainMenu().text2.text, "髙橋花子");
}

// A client whose registration cannot be read stays in the roster, marked and counted, never dropped.
TEST_F(RosterWindowFixture, ADamagedRegistrationIsListedMarkedAndCounted) {
    root.writeBytes("所得税/個人名/42.txt", root.readBytes("所得税/個人名/42.txt").substr(0, 30));
    rosterWindow->reload();
    EXPECT_EQ(column(0), (QStringList{"7", "42", "100"}));
    EXPECT_EQ(column(1)[1], "※登録を読めません");
    EXPECT_EQ(rows()->item(1, 0)->foreground().color(), QColor(Qt::red));
    EXPECT_TRUE(rosterWindow->findChild<QLabel*>("RosterCount")->text().startsWith("全 3 人中 3 人"))
        << utf8(rosterWindow->findChild<QLabel*>("RosterCount")->text());
}

TEST_F(RosterWindowFixture, RecalculatesTheSelectedClientsAndSaysHowItWent) {
    rows()->selectRow(0);
    rows()->selectionModel()->select(rows()->model()->index(2, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(rosterWindow->targetCodes(), (std::vector<PersonCode>{7, 100}));
    testing::MessageBoxAnswerer answerer({QMessageBox::Ok});
    rosterWindow->runBatch(OfficeJob::recalculate);
    ASSERT_EQ(answerer.titles, QStringList{qt(roster::kDoneTitle)});
    EXPECT_TRUE(answerer.texts.front().contains("完了 2 人、対象外 0 人、失敗 0 人"))
        << utf8(answerer.texts.front());
    for (PersonCode code : {7, 100})
        EXPECT_TRUE(std::filesystem::exists(store.path(*names::screenFile(code, 5, kYearCode)))) << code;
    EXPECT_FALSE(std::filesystem::exists(store.path(*names::screenFile(42, 5, kYearCode))));
    // The figures just stored show at once, and the selection survives the reload.
    EXPECT_NE(column(6)[0], "未計算");
    EXPECT_EQ(column(6)[1], "未計算");
    EXPECT_EQ(rosterWindow->targetCodes(), (std::vector<PersonCode>{7, 100}));
}

TEST_F(RosterWindowFixture, APrintBatchAsksAboutWarningsBeforeAnyProgressShows) {
    // Nobody here has a tax office or a birth date: every client has warnings.
    testing::RecordingSurface surface;
    app.screenAs<PrintingScreen>(ScreenId::printing)->setSurface(&surface);
    rows()->selectRow(0);
    // While the question is up, no progress box may come over it and take its keys, even when the user
    // takes a while to read (a progress box shows itself after four seconds).
    bool progressOverQuestion = false;
    QStringList titles, texts;
    QElapsedTimer questionUp;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QProgressDialog*>(widget) && widget->isVisible() && questionUp.isValid())
                progressOverQuestion = true;
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (box->windowTitle() == "申告前チェック") {
            if (!questionUp.isValid())
                questionUp.start();
            if (questionUp.elapsed() < 4500)
                return;
            questionUp.invalidate();
        }
        titles << box->windowTitle();
        texts << box->text();
        box->button(QMessageBox::Ok)->click();
    });
    watch.start(20);
    rosterWindow->runBatch(OfficeJob::copyPage1);
    EXPECT_FALSE(progressOverQuestion);
    EXPECT_EQ(titles, (QStringList{"申告前チェック", qt(roster::kDoneTitle)}));
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[1].contains("完了 1 人")) << utf8(texts[1]);
    EXPECT_EQ(surface.jobs, std::vector<std::string>{"07 山田太郎 第一表（控え）"});
}

TEST_F(RosterWindowFixture, APdfBatchIntoTheDataFolderIsRefusedBeforeAnyClientIsPrinted) {
    testing::RecordingSurface surface;
    app.screenAs<PrintingScreen>(ScreenId::printing)->setSurface(&surface);
    rosterWindow->findChild<QCheckBox*>()->setChecked(true);
    rows()->selectRow(0);
    testing::MessageBoxAnswerer answerer({QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok});
    testing::answerFolderDialog(qt(root.path() + "/所得税/個人名"));
    rosterWindow->runBatch(OfficeJob::copyPage1);
    QTest::qWait(50);
    EXPECT_EQ(answerer.titles, QStringList{qt(roster::kToPdf)});
    EXPECT_EQ(answerer.icons, QList<QMessageBox::Icon>{QMessageBox::Warning});
    EXPECT_TRUE(answerer.texts.value(0).contains(qt(describeError(StoreErrc::insideDataFolder))))
        << utf8(answerer.texts.value(0));
    EXPECT_EQ(surface.jobs, std::vector<std::string>());
    EXPECT_EQ(app.screenAs<PrintingScreen>(ScreenId::printing)->surface(), &surface);
    for (const auto& entry : std::filesystem::directory_iterator(root.path() + "/所得税/個人名"))
        EXPECT_EQ(entry.path().extension(), ".txt") << entry.path();
}

} // namespace
} // namespace kakutei
