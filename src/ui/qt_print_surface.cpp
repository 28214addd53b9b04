#include "ui/qt_print_surface.h"

#include "ui/qt_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace kakutei {
namespace {

QString safeFileName(std::string_view name) {
    QString file = qt(name);
    file.replace(' ', '_');
    for (QChar bad : {'/', '\\', ':', '*', '?', '"', '<', '>', '|'})
        file.replace(bad, '_');
    return file;
}

} // namespace

QString defaultPdfFolder() {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return documents + "/kakutei";
}

QtPrintSurface::QtPrintSurface(Target target, QString destination, UserInterface* ui)
    : target_(target), destination_(std::move(destination)), ui_(ui) {}

QtPrintSurface::~QtPrintSurface() {
    if (drawing())
        endJob();
}

std::unique_ptr<QtPrintSurface> QtPrintSurface::toPrinter(UserInterface& ui, const QString& fallbackFolder) {
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        return std::unique_ptr<QtPrintSurface>(new QtPrintSurface(Target::pdfFolder, fallbackFolder, &ui));
    return std::unique_ptr<QtPrintSurface>(new QtPrintSurface(Target::printer, {}, &ui));
}

std::unique_ptr<QtPrintSurface> QtPrintSurface::toPdfFile(const QString& file) {
    return std::unique_ptr<QtPrintSurface>(new QtPrintSurface(Target::pdfFile, file, nullptr));
}

std::unique_ptr<QtPrintSurface> QtPrintSurface::toPdfFolder(const QString& folder) {
    return std::unique_ptr<QtPrintSurface>(new QtPrintSurface(Target::pdfFolder, folder, nullptr));
}

QString QtPrintSurface::nextPdfPath(std::string_view jobName) const {
    const QString base = destination_ + "/" + safeFileName(jobName);
    QString path = base + ".pdf";
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = base + "_" + QString::number(n) + ".pdf";
    return path;
}

void QtPrintSurface::beginJob(std::string_view name) {
    if (drawing())
        endJob();
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setDocName(qt(name));
    if (target_ == Target::printer) {
        // Positions are measured from the printable area's corner; the printer's own settings apply.
        printer_->setFullPage(false);
    } else {
        if (target_ == Target::pdfFolder) {
            QDir().mkpath(destination_);
            QFile::setPermissions(destination_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            currentFile_ = nextPdfPath(name);
        } else {
            currentFile_ = destination_;
        }
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(currentFile_);
        printer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        printer_->setFullPage(true);
    }
    beginOn(printer_.get(), printer_->resolution());
}

void QtPrintSurface::endJob() {
    if (!drawing())
        return;
    finish();
    if (target_ != Target::printer) {
        // A return is personal data: only its owner may read the file.
        QFile::setPermissions(currentFile_, QFile::ReadOwner | QFile::WriteOwner);
        written_ << currentFile_;
        if (ui_)
            ui_->warn("PDF に保存しました",
                      utf8("プリンタが見つからないため、PDF ファイルに保存しました:\n" + currentFile_));
    }
    printer_.reset();
}

} // namespace kakutei
