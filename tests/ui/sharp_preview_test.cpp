// The printing window's preview is drawn at the screen's own pixels, so that it is as sharp at 200 % as at
// 100 %, and keeps its size on the screen (KAKUTEI_TEST_SCREEN names the screen).
#include "window_fixture.h"

#include <QLabel>
#include <QPixmap>

namespace kakutei {
namespace {

struct SharpPreview : testing::WindowFixture {};

TEST_F(SharpPreview, IsDrawnAtTheScreensPixelRatio) {
    callUpSeven();
    press(&MainMenu::print);
    QWidget& printing = window(ScreenId::printing);
    ASSERT_TRUE(printing.isVisible());
    const QPixmap pixmap = child<QLabel>(ScreenId::printing, "preview")->pixmap();
    ASSERT_FALSE(pixmap.isNull());
    const double ratio = printing.devicePixelRatioF();
    EXPECT_EQ(pixmap.devicePixelRatio(), ratio);
    // A4 at 1.6 pixels a millimetre on the screen, whatever the screen's pixels.
    EXPECT_NEAR(pixmap.deviceIndependentSize().width(), 336, 1);
    EXPECT_NEAR(pixmap.deviceIndependentSize().height(), 475, 1);
    EXPECT_NEAR(pixmap.width(), 336 * ratio, 1);
}

} // namespace
} // namespace kakutei
