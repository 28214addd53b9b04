#pragma once
// PrintSurface on QPainter: the default printer, or PDF files. Each job is one printer job or one PDF file,
// and says how it ended: the printer that took it, the PDF it wrote, or what kept it from either.

#include "core/user_interface.h"
#include "registry/output_gate.h"
#include "ui/painter_surface.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <system_error>

class QPaintDevice;
class QPdfWriter;

namespace kakutei {

// One job on a printer, from its start until it is handed to the print system.
class PrinterJob {
public:
    virtual ~PrinterJob() = default;
    virtual QPaintDevice* device() = 0;
    virtual double dotsPerInch() const = 0;
    // Once the painting has ended: why the print system did not take the job, or empty when it did.
    virtual QString finish() = 0;
};

// The machine's printers. The real ones are reached through Qt (CUPS); tests put their own in their place,
// since a build machine has none.
class Printers {
public:
    virtual ~Printers() = default;
    // Where a job goes now: the default printer, else the first there is; empty when there is none.
    virtual QString choose() = 0;
    // Every printer there is now, for a person who has more than one.
    virtual QStringList available() {
        const QString only = choose();
        return only.isEmpty() ? QStringList() : QStringList{only};
    }
    // A job on `printer`, or null with the reason, one Japanese sentence, in `whyNot`.
    virtual std::unique_ptr<PrinterJob> start(const QString& printer, const QString& jobName,
                                              QString& whyNot) = 0;
};

std::unique_ptr<Printers> systemPrinters();

class PrivatePdfFile;

class QtPrintSurface : public PainterSurface {
public:
    // Every PDF passes `gate`: none in the data folder, each as private as the data.

    // To the printer that `printers` choose for each job; while there is none, to PDF files in
    // `fallbackFolder`, and the job's report says where.
    static std::unique_ptr<QtPrintSurface> toPrinter(std::unique_ptr<Printers> printers,
                                                     const OutputGate& gate, const QString& fallbackFolder);
    // The same on the machine's printers, for the window program (whose printing screen tells the user how
    // each job ended).
    static std::unique_ptr<QtPrintSurface> toPrinter(UserInterface& ui, const OutputGate& gate,
                                                     const QString& fallbackFolder);
    // Every job into this one file.
    static std::unique_ptr<QtPrintSurface> toPdfFile(const OutputGate& gate, const QString& file);
    // Each job into a file of its own in this folder (made when missing), named after the job.
    static std::unique_ptr<QtPrintSurface> toPdfFolder(const OutputGate& gate, const QString& folder);
    ~QtPrintSurface() override;

    void beginJob(std::string_view name) override;
    void endJob() override;
    JobReport lastJob() const override { return last_; }

    // Where the printer jobs go: `name`, or with an empty name the one Printers::choose() names at the moment
    // of printing. A printer that has gone by then fails the job with the reason.
    void choosePrinter(const QString& name) { chosenPrinter_ = name; }
    const QString& chosenPrinter() const { return chosenPrinter_; }
    // The machine's printers this surface prints on; null for a PDF surface.
    Printers* printers() const { return printers_.get(); }

    // The PDF files written whole so far.
    const QStringList& writtenFiles() const { return written_; }

private:
    enum class Target { printer, pdfFile, pdfFolder };
    QtPrintSurface(Target target, OutputGate gate, QString destination, std::unique_ptr<Printers> printers);
    QString nextPdfPath(const QString& folder) const;
    void beginPrinter();
    // A PDF named after the job in `folder` (made when missing); with no folder, the one file this surface
    // writes, whose folder must be there.
    void beginPdf(const QString& folder);
    void endPrinter();
    void endPdf();
    // Ends the job as failed, with nothing left of it: `what` did not happen, because of `why`.
    void fail(const QString& what, const QString& why);
    void failOnPrinter(const QString& why);
    void failOnPdf(std::error_code error);

    Target target_;
    OutputGate gate_;
    QString destination_;
    std::unique_ptr<Printers> printers_;
    QString chosenPrinter_;
    bool inJob_ = false;
    QString jobName_;
    bool fellBack_ = false; // a printer job written to PDF, since there was no printer
    QString printerName_;   // the printer of the job
    std::unique_ptr<PrinterJob> printerJob_;
    QString pdfPath_; // the PDF of the job
    std::unique_ptr<PrivatePdfFile> pdf_;
    std::unique_ptr<QPdfWriter> writer_;
    JobReport last_;
    QStringList written_;
};

// Where the printing screen's PDFs go on a machine without a printer: Documents/kakutei.
QString defaultPdfFolder();

} // namespace kakutei
