#include "ui/window_program.h"

#include "ui/program_windows.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdlib>

namespace kakutei {
void setUpJapanese(QApplication& application) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::Japanese), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    // The printed forms name Windows typefaces; these free faces stand in for them.
    QFont::insertSubstitution("MS 明朝", "IPAMincho");
    QFont::insertSubstitution("HG白洲行草書体", "AoyagiKouzanFontT");
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

    ProgramWindows program(root);
    return application.exec();
}

} // namespace kakutei
