// The printing window says where a page went under its buttons, and a page that went nowhere in a message
// box; its pages go to the default printer, a printer the user picks, or PDF files.
#include "core/store_error.h"
#include "print/print_offsets.h"
#include "print/printing_screen.h"
#include "ui/printing_window.h"
#include "ui/qt_print_surface.h"

#include "file_dialog_answers.h"
#include "file_tree.h"
#include "message_box_answerer.h"
#include "pdf_words.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>

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

// Printers that take every job and note which printer each went to.
class OfficePrinters : public Printers {
public:
    QString byDefault = qt("事務所");
    QStringList names = {qt("事務所"), qt("経理")};
    QStringList used; // the printer of each job, in order
    int listed = 0;   // how often the machine was asked which printers it has
    QString choose() override { return byDefault; }
    QStringList available() override {
        ++listed;
        return names;
    }
    std::unique_ptr<PrinterJob> start(const QString& printer, const QString&, QString&) override {
        used << printer;
        return std::make_unique<Sheet>();
    }

private:
    class Sheet : public PrinterJob {
    public:
        QPaintDevice* device() override { return &image_; }
        double dotsPerInch() const override { return 25.4; }
        QString finish() override { return {}; }

    private:
        QImage image_{210, 297, QImage::Format_RGB32};
    };
};

struct PrintingWindowFixture : testing::WindowFixture {
    void SetUp() override {
        app.openPrinting(7);
        windows.refreshVisible();
    }
    PrintingWindow& printingWindow() { return dynamic_cast<PrintingWindow&>(window(ScreenId::printing)); }
    void click(std::string_view caption) {
        QTest::mouseClick(captioned<QPushButton>(ScreenId::printing, caption), Qt::LeftButton);
    }
    // Registers the sample taxpayer as 7 and opens the printing screen on that return.
    TaxpayerRecord openSample() {
        TaxpayerRecord record = testing::sampleRecord();
        record.personCode = 7;
        EXPECT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7))));
        app.openPrinting(7);
        windows.refreshVisible();
        return record;
    }
};

using testing::answerFolderDialog;
using testing::answerSaveDialog;

TEST_F(PrintingWindowFixture, WorkSheetIsSavedWhereTheUserSaysWithAMessageEitherWay) {
    const TaxpayerRecord record = openSample();
    ASSERT_NE(captioned<QPushButton>(ScreenId::printing, "計算明細書"), nullptr);
    // The folder last used for the pages' PDFs is where the sheet is suggested first.
    const std::string folder = outputs.path() + "/pdfs";
    std::filesystem::create_directory(folder);
    answerFolderDialog(qt(folder));
    QTest::mouseClick(child<QPushButton>(ScreenId::printing, "savePdf"), Qt::LeftButton);

    const std::string sheet = folder + "/07_" + record.name + "_計算明細書.pdf";
    QString suggested;
    {
        testing::MessageBoxAnswerer answerer({QMessageBox::Ok});
        answerSaveDialog(&suggested, {});
        click("計算明細書");
        EXPECT_EQ(utf8(suggested), sheet);
        EXPECT_EQ(answerer.titles, QStringList{qt("計算明細書を保存しました")});
        EXPECT_EQ(answerer.icons, QList<QMessageBox::Icon>{QMessageBox::Information});
        EXPECT_EQ(answerer.texts, QStringList{qt(sheet)});
    }
    const std::vector<testing::Word> words = testing::pdfWords(sheet);
    for (const char* word : {"計算明細書", "7", "山田", "太郎", "1"})
        EXPECT_TRUE(testing::hasWord(words, word)) << word;

    // Where the sheet cannot go, a warning says so and why; cancelling writes nothing and says nothing.
    const std::string missing = outputs.path() + "/なし/明細.pdf";
    {
        testing::MessageBoxAnswerer answerer({QMessageBox::Ok});
        answerSaveDialog(&suggested, qt(missing));
        click("計算明細書");
        EXPECT_EQ(answerer.titles, QStringList{qt("計算明細書を保存できません")});
        EXPECT_EQ(answerer.icons, QList<QMessageBox::Icon>{QMessageBox::Warning});
        EXPECT_TRUE(answerer.texts.value(0).startsWith(qt(missing) + "\n")) << utf8(answerer.texts.value(0));
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
    std::filesystem::remove(sheet);
    {
        testing::MessageBoxAnswerer answerer({QMessageBox::Ok});
        answerSaveDialog(&suggested, {}, true);
        click("計算明細書");
        QTest::qWait(50);
        EXPECT_EQ(answerer.titles, QStringList());
    }
    EXPECT_FALSE(std::filesystem::exists(sheet));
}

TEST_F(PrintingWindowFixture, ThePageSaysWhereItWentOrWhyItWentNowhere) {
    const std::string fallback = outputs.path() + "/Documents/kakutei";
    const struct {
        QString printer;
        QStringList boxes;
        std::string note;
        QString style;
    } cases[] = {
        {{},
         {"PDF に保存しました"},
         "プリンタが見つからないため、07 第一表 を PDF に保存しました: " + fallback + "/07_第一表.pdf",
         ""},
        {"事務所",
         {"印刷できません"},
         "07 第一表 "
         "をプリンタ「事務所」で印刷できませんでした。\nプリンタが停止しているか、エラーの状態です。",
         "color: red;"},
    };
    for (const auto& c : cases) {
        auto surface = QtPrintSurface::toPrinter(std::make_unique<StoppedOrNoPrinter>(c.printer),
                                                 OutputGate(store), qt(fallback));
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

TEST_F(PrintingWindowFixture, PdfButtonSavesEachPageAsAFileAndSaysWhereWithAnInformationBox) {
    auto printers = std::make_unique<OfficePrinters>();
    OfficePrinters& office = *printers;
    auto surface =
        QtPrintSurface::toPrinter(std::move(printers), OutputGate(store), qt(outputs.path() + "/fallback"));
    printingWindow().usePrinter(surface.get());
    auto* pdfButton = child<QPushButton>(ScreenId::printing, "savePdf");
    ASSERT_NE(pdfButton, nullptr);

    answerFolderDialog({}); // changing one's mind prints on paper as before
    QTest::mouseClick(pdfButton, Qt::LeftButton);
    EXPECT_FALSE(pdfButton->isChecked());

    const std::string folder = outputs.path() + "/pdfs";
    std::filesystem::create_directory(folder);
    answerFolderDialog(qt(folder));
    QTest::mouseClick(pdfButton, Qt::LeftButton);
    EXPECT_TRUE(pdfButton->isChecked());
    EXPECT_NE(utf8(child<QLabel>(ScreenId::printing, "destination")->text()).find(folder), std::string::npos);
    {
        testing::MessageBoxAnswerer answerer({QMessageBox::Ok});
        click(printing::kPage2ThreeTimes);
        EXPECT_EQ(answerer.titles, QStringList{qt("PDF に保存しました")});
        EXPECT_EQ(answerer.icons, QList<QMessageBox::Icon>{QMessageBox::Information});
        const QStringList files = {"07_第二表.pdf", "07_第二表_2.pdf", "07_第二表_3.pdf"};
        for (const QString& file : files) {
            EXPECT_TRUE(std::filesystem::is_regular_file(folder + "/" + utf8(file))) << utf8(file);
            EXPECT_TRUE(answerer.texts.value(0).contains(qt(folder) + "/" + file))
                << utf8(answerer.texts.value(0));
        }
    }
    EXPECT_EQ(office.used, QStringList());

    // Pressed again, the pages go to the printer, and no box interrupts the one-click path.
    QTest::mouseClick(pdfButton, Qt::LeftButton);
    EXPECT_FALSE(pdfButton->isChecked());
    testing::MessageBoxAnswerer answerer({QMessageBox::Ok});
    click(printing::kPage1);
    QTest::qWait(50);
    EXPECT_EQ(answerer.titles, QStringList());
    EXPECT_EQ(office.used, QStringList{qt("事務所")});
}

TEST_F(PrintingWindowFixture, NoPageAndNoWorkSheetGoesIntoTheDataFolder) {
    openSample();
    storePrintOffsets(store, {0, 0}); // as each print stores them
    const auto before = testing::treeOf(root);
    const QString refusal = qt(describeError(StoreErrc::insideDataFolder));

    // A folder for the pages' PDFs is refused as it is picked, and the pages still go to the printer.
    {
        testing::MessageBoxAnswerer answerer({QMessageBox::Ok});
        answerFolderDialog(qt(root.path() + "/所得税"));
        QTest::mouseClick(child<QPushButton>(ScreenId::printing, "savePdf"), Qt::LeftButton);
        EXPECT_EQ(answerer.titles, QStringList{qt("PDF に保存")});
        EXPECT_EQ(answerer.icons, QList<QMessageBox::Icon>{QMessageBox::Warning});
        EXPECT_TRUE(answerer.texts.value(0).contains(refusal)) << utf8(answerer.texts.value(0));
    }
    EXPECT_FALSE(child<QPushButton>(ScreenId::printing, "savePdf")->isChecked());
    EXPECT_EQ(child<QLabel>(ScreenId::printing, "destination")->text(), QString());

    // The work sheet saved there: a warning, nothing written.
    {
        testing::MessageBoxAnswerer answerer({QMessageBox::Ok});
        QString suggested;
        answerSaveDialog(&suggested, qt(root.path() + "/所得税/個人名/明細.pdf"));
        click("計算明細書");
        EXPECT_EQ(answerer.titles, QStringList{qt("計算明細書を保存できません")});
        EXPECT_TRUE(answerer.texts.value(0).contains(refusal)) << utf8(answerer.texts.value(0));
    }

    // Wherever a surface was told to put its PDFs, even where no window asked first.
    const std::string inside = root.path() + "/所得税";
    std::unique_ptr<QtPrintSurface> surfaces[] = {
        QtPrintSurface::toPrinter(std::make_unique<StoppedOrNoPrinter>(QString()), OutputGate(store),
                                  qt(root.path() + "/Documents/kakutei")),
        QtPrintSurface::toPdfFolder(OutputGate(store), qt(inside + "/PDF")),
        QtPrintSurface::toPdfFile(OutputGate(store), qt(inside + "/個人名/7.txt")),
    };
    for (const auto& surface : surfaces) {
        app.screenAs<PrintingScreen>(ScreenId::printing)->setSurface(surface.get());
        testing::MessageBoxAnswerer answerer({QMessageBox::Ok});
        click(printing::kPage1);
        EXPECT_EQ(answerer.titles, QStringList{qt("印刷できません")});
        EXPECT_TRUE(answerer.texts.value(0).contains(refusal)) << utf8(answerer.texts.value(0));
        EXPECT_EQ(surface->writtenFiles(), QStringList());
    }
    app.screenAs<PrintingScreen>(ScreenId::printing)->setSurface(nullptr);
    EXPECT_EQ(testing::treeOf(root), before);
}

TEST_F(PrintingWindowFixture, PrinterIsTheDefaultUnlessPickedAndTheListIsMadeWhenLookedAt) {
    window(ScreenId::printing).hide();
    auto printers = std::make_unique<OfficePrinters>();
    OfficePrinters& office = *printers;
    auto surface =
        QtPrintSurface::toPrinter(std::move(printers), OutputGate(store), qt(outputs.path() + "/fallback"));
    printingWindow().usePrinter(surface.get());
    EXPECT_EQ(office.listed, 0); // nobody has looked yet
    app.openPrinting(7);
    windows.refreshVisible();
    auto* choice = child<QComboBox>(ScreenId::printing, "printerChoice");
    ASSERT_NE(choice, nullptr);
    const auto items = [choice] {
        QStringList texts;
        for (int i = 0; i < choice->count(); ++i)
            texts << choice->itemText(i);
        return texts;
    };
    EXPECT_EQ(items(), (QStringList{qt("既定のプリンタ（事務所）"), qt("事務所"), qt("経理")}));
    EXPECT_EQ(choice->currentIndex(), 0);

    office.names << qt("自宅");
    choice->showPopup();
    choice->hidePopup();
    EXPECT_EQ(items().size(), 4);

    const struct {
        int item;          // chosen in the list
        QString byDefault; // the machine's default at the moment of printing
        QString printer;   // where the page went
    } cases[] = {
        {0, qt("事務所"), qt("事務所")},
        {2, qt("事務所"), qt("経理")},
        {0, qt("経理"), qt("経理")},
    };
    for (const auto& c : cases) {
        office.byDefault = c.byDefault;
        emit choice->activated(c.item);
        click(printing::kPage1);
        EXPECT_EQ(office.used.value(office.used.size() - 1), c.printer) << c.item;
    }
}

} // namespace
} // namespace kakutei
