#include "ui/window_program.h"

#include "core/store_error.h"
#include "ui/own_fonts.h"
#include "ui/program_windows.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include <cstdlib>

namespace kakutei {
void setUpJapanese(QApplication& application) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::Japanese), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    usePrintingFaces();
    for (const char* family : {"IPAexGothic", "Noto Sans CJK JP", "IPAGothic"}) {
        if (QFontDatabase::hasFamily(family)) {
            QFont font(family);
            font.setPointSize(10);
            QApplication::setFont(font);
            break;
        }
    }
}

bool displayAvailable() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* value = std::getenv(variable); value && *value)
            return true;
    return false;
}

int runWindowProgram(int& argc, char** argv, const std::string& root) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("kakutei");
    QApplication::setQuitOnLastWindowClosed(false);
    setUpJapanese(application);

    // The menu opens all the same, but a person must know when nothing can be stored.
    if (const auto error = DataStore(root).ensureFolders(kYearCode))
        QMessageBox::warning(nullptr, QString::fromUtf8("データのフォルダを作れません"),
                             QString::fromUtf8(root + "\n" + describeError(error) +
                                               "\n--root で別のフォルダを指定して下さい。"));
    ProgramWindows program(root);
    return application.exec();
}

} // namespace kakutei
