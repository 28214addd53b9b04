// formgen OUTDIR: draws the two form images (page1.png, page2.png) the A4 copies print over.
#include "forms.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: formgen OUTDIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool ok = formgen::drawPage1Form().save(folder + "/page1.png") &&
                    formgen::drawPage2Form().save(folder + "/page2.png");
    return ok ? 0 : 1;
}
