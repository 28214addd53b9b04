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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
