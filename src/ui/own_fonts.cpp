#include "ui/own_fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QVariant>

namespace kakutei {
namespace {

// The brush face stays out of the system's font folders, where it would become every other program's
// Japanese face; the program loads it for itself instead.
QString ownFontFolder() {
    const QDir installed(QCoreApplication::applicationDirPath() + "/../share/kakutei/fonts");
    if (installed.exists())
        return installed.absolutePath();
    return QStringLiteral(KAKUTEI_BUILD_FONTS);
}

QStringList loadOwnFonts() {
    QStringList families;
    const QDir folder(ownFontFolder());
    for (const QString& file : folder.entryList({"*.ttf", "*.otf"}, QDir::Files, QDir::Name))
        families +=
            QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(folder.filePath(file)));
    return families;
}

} // namespace

QStringList ownFontFamilies() {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return {};
    // Kept on the application object: a new one (the print command makes its own) starts with no fonts of
    // ours.
    const char* const key = "kakuteiOwnFonts";
    QVariant loaded = application->property(key);
    if (!loaded.isValid()) {
        loaded = loadOwnFonts();
        application->setProperty(key, loaded);
    }
    return loaded.toStringList();
}

void usePrintingFaces() {
    ownFontFamilies();
    QFont::insertSubstitution("MS 明朝", "IPAMincho");
    QFont::insertSubstitution("HG白洲行草書体", "AoyagiKouzanFontT");
}

} // namespace kakutei
