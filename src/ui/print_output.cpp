#include "ui/print_output.h"

#include "ui/qt_print_surface.h"
#include "ui/qt_text.h"
#include "ui/work_sheet_pdf.h"

#include <QApplication>

#include <cstdio>

namespace kakutei {
namespace {

class QtPrintOutput : public PrintOutput {
public:
    explicit QtPrintOutput(std::unique_ptr<Printers> printers) : printers_(std::move(printers)) {}

    std::unique_ptr<PrintSurface> printer(const OutputGate& gate) override {
        startQt();
        return QtPrintSurface::toPrinter(printers_ ? std::move(printers_) : systemPrinters(), gate,
                                         defaultPdfFolder());
    }
    std::unique_ptr<PrintSurface> pdfFile(const OutputGate& gate, const std::string& file) override {
        startQt();
        return QtPrintSurface::toPdfFile(gate, qt(file));
    }
    std::unique_ptr<PrintSurface> pdfFolder(const OutputGate& gate, const std::string& folder) override {
        startQt();
        return QtPrintSurface::toPdfFolder(gate, qt(folder));
    }
    std::error_code workSheet(const OutputGate& gate, const Explanation& explanation,
                              const std::string& file) override {
        startQt();
        return writeWorkSheetPdf(gate, explanation, file);
    }

private:
    void startQt() {
        if (QCoreApplication::instance())
            return;
        // Qt's own notes about the session are not the user's business on a command line.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        });
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "kakutei";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QApplication>(argc, argv);
    }

    std::unique_ptr<Printers> printers_;
    std::unique_ptr<QApplication> application_;
};

} // namespace

std::unique_ptr<PrintOutput> qtPrintOutput() {
    return qtPrintOutput(systemPrinters());
}

std::unique_ptr<PrintOutput> qtPrintOutput(std::unique_ptr<Printers> printers) {
    return std::make_unique<QtPrintOutput>(std::move(printers));
}

} // namespace kakutei
