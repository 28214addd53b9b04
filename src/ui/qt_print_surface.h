#pragma once
// PrintSurface on QPainter: the default printer, or PDF files. Each job is one printer job or one PDF file.

#include "core/user_interface.h"
#include "ui/painter_surface.h"

#include <QString>
#include <QStringList>

#include <memory>

class QPrinter;

namespace kakutei {

class QtPrintSurface : public PainterSurface {
public:
    // To the default printer; where the machine has none, to PDF files in `fallbackFolder`, and the user is
    // told where.
    static std::unique_ptr<QtPrintSurface> toPrinter(UserInterface& ui, const QString& fallbackFolder);
    // Every job into this one file.
    static std::unique_ptr<QtPrintSurface> toPdfFile(const QString& file);
    // Each job into a file of its own in this folder, named after the job.
    static std::unique_ptr<QtPrintSurface> toPdfFolder(const QString& folder);
    ~QtPrintSurface() override;

    void beginJob(std::string_view name) override;
    void endJob() override;

    // The files written so far (PDF targets).
    const QStringList& writtenFiles() const { return written_; }

private:
    enum class Target { printer, pdfFile, pdfFolder };
    QtPrintSurface(Target target, QString destination, UserInterface* ui);
    QString nextPdfPath(std::string_view jobName) const;

    Target target_;
    QString destination_;
    UserInterface* ui_;
    std::unique_ptr<QPrinter> printer_;
    QString currentFile_;
    QStringList written_;
};

// Where the printing screen's PDFs go on a machine without a printer: Documents/kakutei.
QString defaultPdfFolder();

} // namespace kakutei
