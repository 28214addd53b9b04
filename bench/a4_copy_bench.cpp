// The two A4 copies of a filled return into PDF, as `print --a4-copy` makes them, against writing the two
// form images alone into PDF, and the size of each copy's PDF. Before it reports, the bench checks that each
// copy is a PDF of one A4 page: a run that drew nothing would otherwise look fast.
#include "bench_support.h"

#include "core/taxpayer_record.h"
#include "print/printing_screen.h"
#include "shell/app.h"
#include "shell/office_batch.h"
#include "ui/qt_print_surface.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

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
        registerTaxpayers(store, 7);
        for (int k = 1; k <= 4; ++k)
            writeScreenRecord(store, 7, k, 1'234'567.0 * k);
        app.start();
        recalculateReturn(app, 7); // a whole return: every box of both pages has something to print
        QDir().mkpath(folder);
    }
};

Copies& copies() {
    static Copies instance;
    return instance;
}

// Why the file is not a PDF of one A4 page, or nothing. Qt writes the page objects uncompressed.
std::string notOneA4Page(const QString& file) {
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly))
        return "cannot be read";
    const QByteArray bytes = pdf.readAll();
    if (!bytes.startsWith("%PDF"))
        return "is no PDF";
    const QRegularExpression page(R"(/Type\s*/Page[^s])");
    if (const auto pages = bytes.count("/MediaBox");
        pages != 1 || !page.match(QString::fromLatin1(bytes)).hasMatch())
        return "has " + std::to_string(pages) + " pages";
    const QRegularExpression box(R"(/MediaBox\s*\[\s*0\s+0\s+([0-9.]+)\s+([0-9.]+)\s*\])");
    const auto match = box.match(QString::fromLatin1(bytes));
    // A4 is 595.28 by 841.89 points.
    if (!match.hasMatch() || std::abs(match.captured(1).toDouble() - 595.28) > 1 ||
        std::abs(match.captured(2).toDouble() - 841.89) > 1)
        return "has a page that is not A4";
    return {};
}

void bothCopies(benchmark::State& state) {
    auto surface = QtPrintSurface::toPdfFolder(OutputGate(copies().store), copies().folder);
    auto* screen = copies().app.screenAs<PrintingScreen>(ScreenId::printing);
    screen->setSurface(surface.get());
    // As `print --yes` answers the checks before printing.
    screen->setChecksAnsweredForBatch(true);
    copies().app.openPrinting(7);
    for (auto _ : state) {
        screen->copyPage1();
        screen->copyPage2();
    }
    const QStringList files = surface->writtenFiles();
    if (files.size() != 2 * static_cast<qsizetype>(state.iterations())) {
        state.SkipWithError(("made " + std::to_string(files.size()) + " PDFs").c_str());
        return;
    }
    for (const QString& file : files.mid(files.size() - 2))
        if (const std::string why = notOneA4Page(file); !why.empty()) {
            state.SkipWithError((file.toStdString() + " " + why).c_str());
            return;
        }
    std::printf("size of the page-1 copy: %lld bytes, page-2 copy: %lld bytes\n",
                static_cast<long long>(QFileInfo(files[files.size() - 2]).size()),
                static_cast<long long>(QFileInfo(files.back()).size()));
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
