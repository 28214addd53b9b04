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

// The printed forms name Windows typefaces; these free faces stand in for them everywhere Qt draws.
void substituteFonts() {
    static const bool done = [] {
        QFont::insertSubstitution("MS 明朝", "IPAMincho");
        QFont::insertSubstitution("HG白洲行草書体", "AoyagiKouzanFontT");
        return true;
    }();
    (void)done;
}

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
    : target_(target), destination_(std::move(destination)), ui_(ui) {
    substituteFonts();
}

QtPrintSurface::~QtPrintSurface() {
    if (painter_.isActive())
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
    if (painter_.isActive())
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
    painter_.begin(printer_.get());
    setFont(fonts::mincho, 11);
}

double QtPrintSurface::toDevice(double mm) const {
    return mm * printer_->resolution() / 25.4;
}

void QtPrintSurface::setFont(std::string_view family, double points) {
    font_ = QFont(qt(family));
    font_.setPointSizeF(points);
    if (painter_.isActive())
        painter_.setFont(font_);
}

void QtPrintSurface::drawText(double xMm, double yMm, std::string_view utf8) {
    if (!painter_.isActive())
        return;
    // The position is the text's top-left corner.
    const QRectF box(toDevice(xMm), toDevice(yMm), toDevice(400), toDevice(50));
    painter_.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine, qt(utf8));
}

double QtPrintSurface::textWidth(std::string_view utf8) {
    if (!printer_)
        return 0;
    const QFontMetricsF metrics(font_, printer_.get());
    return metrics.horizontalAdvance(qt(utf8)) * 25.4 / printer_->resolution();
}

void QtPrintSurface::drawImage(FormImage image, double xMm, double yMm, double widthMm, double heightMm) {
    if (!painter_.isActive())
        return;
    const QImage form(image == FormImage::page1 ? ":/forms/page1.png" : ":/forms/page2.png");
    if (form.isNull())
        return;
    painter_.drawImage(QRectF(toDevice(xMm), toDevice(yMm), toDevice(widthMm), toDevice(heightMm)), form);
}

void QtPrintSurface::endJob() {
    if (!painter_.isActive())
        return;
    painter_.end();
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
