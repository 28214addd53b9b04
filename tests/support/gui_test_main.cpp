// GoogleTest main for window tests: a QApplication on the offscreen platform, so no display is needed,
// also when ctest lists the tests.
#include <QApplication>
#include <gtest/gtest.h>

// Fontconfig and Qt's platform plugins keep a little memory for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libQt6Gui\nleak:libQt6Core\nleak:libQt6Widgets\nleak:libxkbcommon\n"
           "leak:libdbus\nleak:libglib\n";
}

int main(int argc, char** argv) {
    // A desktop of 1920 × 1080 at 100 %, unless a test program asks for another screen by name
    // (KAKUTEI_TEST_SCREEN=scaled200 and the like, from tests/support/screens).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        const QByteArray screen =
            qEnvironmentVariableIsEmpty("KAKUTEI_TEST_SCREEN") ? "desktop" : qgetenv("KAKUTEI_TEST_SCREEN");
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KAKUTEI_TEST_SCREENS "/" + screen + ".json");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
