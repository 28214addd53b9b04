#include "print/form_sheet.h"
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

// Whether the image is black within a pixel of (x, y) millimetres, the image stretched over the sheet's size
// as the copy stretches it.
bool inkNear(const QImage& form, const FormSheet& sheet, double xMm, double yMm) {
    const int x = static_cast<int>(xMm * form.width() / sheet.widthMm());
    const int y = static_cast<int>(yMm * form.height() / sheet.heightMm());
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (form.valid(x + dx, y + dy) && qGray(form.pixel(x + dx, y + dy)) < 128)
                return true;
    return false;
}

// Every box's four sides stand where the copy's entries expect them once the copy has scaled the image onto
// the paper, down to the bottom right of the page.
TEST(FormImages, EveryBoxLandsWhereTheCopyPrintsIntoIt) {
    const std::pair<FormImage, FormSheet> pages[] = {{FormImage::page1, page1Sheet()},
                                                     {FormImage::page2, page2Sheet()}};
    for (const auto& [image, sheet] : pages) {
        const QImage form = monochromeForm(image);
        ASSERT_FALSE(form.isNull());
        int missing = 0;
        for (const SheetBox& box : sheet.boxes()) {
            const SheetRect& r = box.rect;
            const std::pair<double, double> sides[] = {{r.x + r.w / 2, r.y},
                                                       {r.x + r.w / 2, r.y + r.h},
                                                       {r.x, r.y + r.h / 2},
                                                       {r.x + r.w, r.y + r.h / 2}};
            for (const auto& [x, y] : sides)
                if (!inkNear(form, sheet, x, y)) {
                    ++missing;
                    ADD_FAILURE() << "no stroke at (" << x << ", " << y << ") mm of " << sheet.widthMm()
                                  << " mm";
                }
        }
        EXPECT_EQ(missing, 0);
        EXPECT_GT(sheet.boxes().size(), 10u);
    }
}

TEST(FormImages, ACopyPdfKeepsTheImageSmall) {
    testing::TempRoot root;
    const QString pdf = QString::fromStdString(root.path() + "/copy.pdf");
    const testing::TempRoot data;
    auto surface = QtPrintSurface::toPdfFile(OutputGate(data.path()), pdf);
    surface->beginJob("copy");
    surface->drawImage(FormImage::page1, 0, 0, kPage1ImageWidthMm, kImageHeightMm);
    surface->drawText(100, 66, " 9 ");
    surface->endJob();
    const qint64 size = QFileInfo(pdf).size();
    EXPECT_GT(size, 10'000);
    EXPECT_LT(size, 1'000'000);
}

struct PreviewFixture : testing::WindowFixture {};

TEST_F(PreviewFixture, ThePrintingScreenShowsAPreviewThatFollowsTheOffsets) {
    callUpSeven();
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
