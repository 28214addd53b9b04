#include "print/printing_screen.h"
#include "ui/painter_surface.h"
#include "ui/qt_print_surface.h"

#include "screen_fixture.h"
#include "window_fixture.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace kakutei {
namespace {

TEST(FormImages, AreA4At300DpiInOneBit) {
    for (FormImage image : {FormImage::page1, FormImage::page2}) {
        const QImage form = monochromeForm(image);
        ASSERT_FALSE(form.isNull());
        EXPECT_EQ(form.width(), 2481);
        EXPECT_EQ(form.height(), 3507);
        EXPECT_EQ(form.depth(), 1);
        EXPECT_EQ(form.color(0), qRgb(0, 0, 0));
    }
}

TEST(FormImages, ACopyPdfKeepsTheImageSmall) {
    testing::TempRoot root;
    const QString pdf = QString::fromStdString(root.path() + "/copy.pdf");
    auto surface = QtPrintSurface::toPdfFile(pdf);
    surface->beginJob("copy");
    surface->drawImage(FormImage::page1, 0, 0, 209, 296);
    surface->drawText(100, 66, " 9 ");
    surface->endJob();
    const qint64 size = QFileInfo(pdf).size();
    EXPECT_GT(size, 10'000);
    EXPECT_LT(size, 1'000'000);
}

struct PreviewFixture : testing::WindowFixture {};

TEST_F(PreviewFixture, ThePrintingScreenShowsAPreviewThatFollowsTheOffsets) {
    app.mainMenu().text3.text = "7";
    press(&MainMenu::callUp);
    press(&MainMenu::print);
    QWidget& form = window(ScreenId::printing);
    ASSERT_TRUE(form.isVisible());
    auto* preview = form.findChild<QLabel*>("preview");
    ASSERT_NE(preview, nullptr);
    const QImage before = preview->pixmap().toImage();
    EXPECT_FALSE(before.isNull());
    auto* right = form.findChild<QLineEdit*>("rightBox");
    right->setFocus();
    right->selectAll();
    QTest::keyClicks(right, "10");
    QTest::mouseClick(captioned<QPushButton>(ScreenId::printing, "印刷ピッチの記憶"), Qt::LeftButton);
    EXPECT_EQ(app.screenAs<PrintingScreen>(ScreenId::printing)->offsets().right, 10);
    EXPECT_NE(preview->pixmap().toImage(), before);
}

} // namespace
} // namespace kakutei
