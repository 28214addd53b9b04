#pragma once
// PrintSurface on QPainter: the default printer, or PDF files. Each job is one printer job or one PDF file.

#include "core/user_interface.h"
#include "print/print_surface.h"

#include <QFont>
#include <QPainter>
#include <QString>

#include <memory>

class QPrinter;

namespace kakutei {

class QtPrintSurface : public PrintSurface {
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
    void setFont(std::string_view family, double points) override;
    void drawText(double xMm, double yMm, std::string_view utf8) override;
    double textWidth(std::string_view utf8) override;
    void drawImage(FormImage image, double xMm, double yMm, double widthMm, double heightMm) override;
    void endJob() override;

    // The files written so far (PDF targets).
    const QStringList& writtenFiles() const { return written_; }

private:
    enum class Target { printer, pdfFile, pdfFolder };
    QtPrintSurface(Target target, QString destination, UserInterface* ui);
    double toDevice(double mm) const;
    QString nextPdfPath(std::string_view jobName) const;

    Target target_;
    QString destination_;
    UserInterface* ui_;
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QFont font_;
    QString currentFile_;
    QStringList written_;
};

// Where the printing screen's PDFs go on a machine without a printer: Documents/kakutei.
QString defaultPdfFolder();

} // namespace kakutei
