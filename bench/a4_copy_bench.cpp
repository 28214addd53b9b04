// The two A4 copies of a return into PDF, against writing the two form images alone into PDF, and the size
// of each copy's PDF.
#include "bench_support.h"

#include "core/taxpayer_record.h"
#include "print/printing_screen.h"
#include "shell/app.h"
#include "ui/qt_print_surface.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace kakutei::bench {
namespace {

struct Copies {
    ScratchRoot root;
    DataStore store{root.path()};
    SilentUserInterface ui;
    App app{store, ui};
    ScratchRoot outputs; // the PDFs: never inside the data folder
    QString folder = QString::fromStdString(outputs.path() + "/pdf");
    Copies() {
        store.ensureFolders(kYearCode);
        TaxpayerRecord record;
        record.personCode = 7;
        record.name = "山田太郎";
        record.address1 = "東京都港区芝5-8-1";
        taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7)));
        app.start();
        QDir().mkpath(folder);
    }
};

Copies& copies() {
    static Copies instance;
    return instance;
}

void bothCopies(benchmark::State& state) {
    auto surface = QtPrintSurface::toPdfFolder(OutputGate(copies().store), copies().folder);
    auto* screen = copies().app.screenAs<PrintingScreen>(ScreenId::printing);
    screen->setSurface(surface.get());
    copies().app.openPrinting(7);
    for (auto _ : state) {
        screen->copyPage1();
        screen->copyPage2();
    }
    const QStringList files = surface->writtenFiles();
    if (files.size() >= 2)
        std::printf("size of the page-1 copy: %lld bytes, page-2 copy: %lld bytes\n",
                    static_cast<long long>(QFileInfo(files[0]).size()),
                    static_cast<long long>(QFileInfo(files[1]).size()));
    for (const QString& file : files)
        QFile::remove(file);
}

void imagesOnly(benchmark::State& state) {
    auto surface = QtPrintSurface::toPdfFolder(OutputGate(copies().store), copies().folder);
    for (auto _ : state) {
        for (FormImage image : {FormImage::page1, FormImage::page2}) {
            surface->beginJob("image");
            surface->drawImage(image, 0, 0, 210, 296);
            surface->endJob();
        }
    }
    for (const QString& file : surface->writtenFiles())
        QFile::remove(file);
}

BENCHMARK(imagesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(bothCopies)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace kakutei::bench

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return kakutei::bench::runAgainstBaseline(argc, argv, "imagesOnly");
}
