// The printing window says where a page went under its buttons, and a page that went nowhere in a message
// box.
#include "print/printing_screen.h"
#include "ui/qt_print_surface.h"

#include "message_box_answerer.h"
#include "window_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace kakutei {
namespace {

// One printer, stopped; or none at all.
class StoppedOrNoPrinter : public Printers {
public:
    explicit StoppedOrNoPrinter(QString name) : name_(std::move(name)) {}
    QString choose() override { return name_; }
    std::unique_ptr<PrinterJob> start(const QString&, const QString&, QString& whyNot) override {
        whyNot = qt("プリンタが停止しているか、エラーの状態です。");
        return nullptr;
    }

private:
    QString name_;
};

struct PrintingWindowFixture : testing::WindowFixture {
    void SetUp() override {
        app.openPrinting(7);
        windows.refreshVisible();
    }
};

TEST_F(PrintingWindowFixture, ThePageSaysWhereItWentOrWhyItWentNowhere) {
    const std::string fallback = root.path() + "/Documents/kakutei";
    const struct {
        QString printer;
        QStringList boxes;
        std::string note;
        QString style;
    } cases[] = {
        {{},
         {},
         "プリンタが見つからないため、07 第一表 を PDF に保存しました: " + fallback + "/07_第一表.pdf",
         ""},
        {"事務所",
         {"印刷できません"},
         "07 第一表 "
         "をプリンタ「事務所」で印刷できませんでした。\nプリンタが停止しているか、エラーの状態です。",
         "color: red;"},
    };
    for (const auto& c : cases) {
        auto surface =
            QtPrintSurface::toPrinter(std::make_unique<StoppedOrNoPrinter>(c.printer), qt(fallback));
        app.screenAs<PrintingScreen>(ScreenId::printing)->setSurface(surface.get());
        testing::MessageBoxAnswerer answerer({QMessageBox::Ok});
        QTest::mouseClick(captioned<QPushButton>(ScreenId::printing, printing::kPage1), Qt::LeftButton);
        EXPECT_EQ(answerer.titles, c.boxes);
        auto* note = child<QLabel>(ScreenId::printing, "jobNote");
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(utf8(note->text()), c.note);
        EXPECT_EQ(note->styleSheet(), c.style);
        app.screenAs<PrintingScreen>(ScreenId::printing)->setSurface(nullptr);
    }
}

} // namespace
} // namespace kakutei
