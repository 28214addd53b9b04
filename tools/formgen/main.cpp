// formgen OUTDIR: draws the two form images (page1.png, page2.png) the A4 copies print over.
#include "form_canvas.h"

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
    const bool ok = formgen::FormCanvas(kakutei::page1Sheet()).finish().save(folder + "/page1.png") &&
                    formgen::FormCanvas(kakutei::page2Sheet()).finish().save(folder + "/page2.png");
    return ok ? 0 : 1;
}
