#include "ui/qt_print_surface.h"

#include "core/file_io.h"
#include "core/store_error.h"
#include "ui/qt_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kakutei {
namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

QString describe(std::error_code error) {
    return qt(describeError(error));
}

QString safeFileName(const QString& name) {
    QString file = name;
    file.replace(' ', '_');
    for (QChar bad : {'/', '\\', ':', '*', '?', '"', '<', '>', '|'})
        file.replace(bad, '_');
    return file;
}

class SystemPrinterJob : public PrinterJob {
public:
    SystemPrinterJob(const QString& printer, const QString& jobName) : printer_(QPrinter::HighResolution) {
        printer_.setPrinterName(printer);
        printer_.setDocName(jobName);
        // Positions are measured from the corner of the area the printer can reach, so the page margins are
        // the printer's own minimum (Qt's default margins would move every entry 3.5 mm in); where it reaches
        // the whole sheet, the sheet's corner. Paper and tray stay the printer's own settings.
        const QPageLayout layout = printer_.pageLayout();
        const QMarginsF minimum = layout.minimumMargins();
        printer_.setFullPage(minimum.isNull());
        printer_.setPageMargins(minimum, layout.units());
    }
    QPaintDevice* device() override { return &printer_; }
    double dotsPerInch() const override { return printer_.resolution(); }
    QString finish() override {
        if (printer_.printerState() == QPrinter::Error || printer_.printerState() == QPrinter::Aborted)
            return qt("印刷の仕組み（CUPS）がジョブを受け取りませんでした。");
        return {};
    }

private:
    QPrinter printer_;
};

class SystemPrinters : public Printers {
public:
    QString choose() override {
        const QString chosen = QPrinterInfo::defaultPrinterName();
        if (!chosen.isEmpty())
            return chosen;
        const QStringList all = available();
        return all.isEmpty() ? QString() : all.front();
    }
    QStringList available() override { return QPrinterInfo::availablePrinterNames(); }
    std::unique_ptr<PrinterJob> start(const QString& printer, const QString& jobName,
                                      QString& whyNot) override {
        const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
        if (info.isNull()) {
            whyNot = qt("プリンタが見つかりません（外されたか、名前が変わりました）。");
            return nullptr;
        }
        if (info.state() == QPrinter::Error) {
            whyNot = qt("プリンタが停止しているか、エラーの状態です。");
            return nullptr;
        }
        return std::make_unique<SystemPrinterJob>(printer, jobName);
    }
};

} // namespace

// A PDF that no one else can read even for a moment and that is never left torn: the bytes go to a temporary
// file beside the target, made 0600 and given the output gate's permissions before its first byte, and take
// the target's name only once they are all on the disk.
class PrivatePdfFile : public QIODevice {
public:
    ~PrivatePdfFile() override { discard(); }

    std::error_code create(const QString& folder, const Permissions& permissions) {
        temporary_ = QFile::encodeName(folder + "/.kakutei-XXXXXX").toStdString();
        fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC); // mkostemp creates 0600
        if (fd_ < 0) {
            temporary_.clear();
            return lastError();
        }
        // Before the first byte; a file system without groups or modes keeps its own.
        if (permissions.group >= 0)
            (void)::fchown(fd_, static_cast<uid_t>(-1), static_cast<gid_t>(permissions.group));
        (void)::fchmod(fd_, permissions.mode & 0777);
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        return {};
    }
    void close() override {
        flushBuffer();
        QIODevice::close();
    }
    // Puts every byte on the disk; the first error since the file was made, if any.
    std::error_code complete() {
        if (isOpen())
            close();
        if (!error_ && ::fsync(fd_) != 0)
            error_ = lastError();
        if (::close(fd_) != 0 && !error_)
            error_ = lastError();
        fd_ = -1;
        return error_;
    }
    // Gives the completed file the name `path`, replacing a file there; or, unless `replace`, failing with
    // EEXIST when the name is taken.
    std::error_code publish(const QString& path, bool replace) {
        const std::string target = QFile::encodeName(path).toStdString();
        if (!replace && ::link(temporary_.c_str(), target.c_str()) == 0) {
            ::unlink(temporary_.c_str());
        } else if (!replace && errno != EPERM && errno != ENOTSUP) {
            return lastError();
        } else if (::rename(temporary_.c_str(), target.c_str()) != 0) {
            // A file system without hard links (a Windows share) ends here too: the name was free a moment
            // ago.
            return lastError();
        }
        temporary_.clear();
        const int folder =
            ::open(QFile::encodeName(QFileInfo(path).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
        return {};
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (error_)
            return -1;
        buffer_.append(data, static_cast<std::size_t>(size));
        if (buffer_.size() >= kChunk)
            flushBuffer();
        return error_ ? -1 : size;
    }

private:
    static constexpr std::size_t kChunk = 1 << 16;

    void flushBuffer() {
        std::string_view rest = buffer_;
        while (!rest.empty() && !error_ && fd_ >= 0) {
            const ssize_t written = ::write(fd_, rest.data(), rest.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written < 0)
                error_ = lastError();
            else
                rest.remove_prefix(static_cast<std::size_t>(written));
        }
        buffer_.clear();
    }
    void discard() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        if (!temporary_.empty())
            ::unlink(temporary_.c_str());
        temporary_.clear();
    }

    int fd_ = -1;
    std::string temporary_;
    std::string buffer_;
    std::error_code error_;
};

QString defaultPdfFolder() {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return documents + "/kakutei";
}

std::unique_ptr<Printers> systemPrinters() {
    return std::make_unique<SystemPrinters>();
}

QtPrintSurface::QtPrintSurface(Target target, OutputGate gate, QString destination,
                               std::unique_ptr<Printers> printers)
    : target_(target), gate_(std::move(gate)), destination_(std::move(destination)),
      printers_(std::move(printers)) {}

QtPrintSurface::~QtPrintSurface() {
    if (inJob_)
        endJob();
}

std::unique_ptr<QtPrintSurface> QtPrintSurface::toPrinter(std::unique_ptr<Printers> printers,
                                                          const OutputGate& gate,
                                                          const QString& fallbackFolder) {
    return std::unique_ptr<QtPrintSurface>(
        new QtPrintSurface(Target::printer, gate, fallbackFolder, std::move(printers)));
}

std::unique_ptr<QtPrintSurface> QtPrintSurface::toPrinter(UserInterface&, const OutputGate& gate,
                                                          const QString& fallbackFolder) {
    return toPrinter(systemPrinters(), gate, fallbackFolder);
}

std::unique_ptr<QtPrintSurface> QtPrintSurface::toPdfFile(const OutputGate& gate, const QString& file) {
    return std::unique_ptr<QtPrintSurface>(new QtPrintSurface(Target::pdfFile, gate, file, nullptr));
}

std::unique_ptr<QtPrintSurface> QtPrintSurface::toPdfFolder(const OutputGate& gate, const QString& folder) {
    return std::unique_ptr<QtPrintSurface>(new QtPrintSurface(Target::pdfFolder, gate, folder, nullptr));
}

QString QtPrintSurface::nextPdfPath(const QString& folder) const {
    const QString base = folder + "/" + safeFileName(jobName_);
    QString path = base + ".pdf";
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = base + "_" + QString::number(n) + ".pdf";
    return path;
}

void QtPrintSurface::fail(const QString& what, const QString& why) {
    writer_.reset();
    pdf_.reset(); // and with it whatever part of the PDF was written
    printerJob_.reset();
    last_ = {true, utf8(what + "\n" + why), {}};
}

void QtPrintSurface::failOnPrinter(const QString& why) {
    fail(jobName_ + qt(" をプリンタ「") + printerName_ + qt("」で印刷できませんでした。"), why);
}

void QtPrintSurface::failOnPdf(std::error_code error) {
    fail(jobName_ + qt(" の PDF を保存できませんでした: ") + pdfPath_, describe(error));
}

void QtPrintSurface::beginJob(std::string_view name) {
    if (inJob_)
        endJob();
    inJob_ = true;
    jobName_ = qt(name);
    last_ = {};
    fellBack_ = false;
    printerName_.clear();
    pdfPath_.clear();
    if (target_ == Target::printer)
        beginPrinter();
    else if (target_ == Target::pdfFolder)
        beginPdf(destination_);
    else
        beginPdf({});
}

void QtPrintSurface::beginPrinter() {
    printerName_ = chosenPrinter_.isEmpty() ? printers_->choose() : chosenPrinter_;
    if (printerName_.isEmpty()) {
        fellBack_ = true;
        beginPdf(destination_);
        return;
    }
    QString whyNot;
    printerJob_ = printers_->start(printerName_, jobName_, whyNot);
    if (printerJob_) {
        beginOn(printerJob_->device(), printerJob_->dotsPerInch());
        if (!drawing())
            whyNot = qt("プリンタが印刷を受け付けませんでした。");
    }
    if (!drawing())
        failOnPrinter(whyNot);
}

void QtPrintSurface::beginPdf(const QString& folder) {
    pdfPath_ = folder.isEmpty() ? destination_ : nextPdfPath(folder);
    const std::string target = QFile::encodeName(pdfPath_).toStdString();
    // Judged before any folder is made for it: no folder of PDFs inside the data either.
    if (const auto refused = gate_.refusal(target)) {
        failOnPdf(refused);
        return;
    }
    if (!folder.isEmpty()) {
        if (const auto error = createFolders(QFile::encodeName(folder).toStdString())) {
            fail(jobName_ + qt(" の PDF を保存するフォルダを作れませんでした: ") + folder, describe(error));
            return;
        }
    }
    pdf_ = std::make_unique<PrivatePdfFile>();
    if (const auto error = pdf_->create(QFileInfo(pdfPath_).path(), gate_.permissionsFor(target))) {
        failOnPdf(error);
        return;
    }
    writer_ = std::make_unique<QPdfWriter>(pdf_.get());
    writer_->setTitle(jobName_);
    writer_->setCreator("kakutei");
    writer_->setResolution(1200);
    writer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    beginOn(writer_.get(), writer_->resolution());
    if (!drawing())
        failOnPdf(std::make_error_code(std::errc::io_error));
}

void QtPrintSurface::endJob() {
    if (!inJob_)
        return;
    inJob_ = false;
    finish();
    if (last_.failed)
        return;
    if (printerJob_)
        endPrinter();
    else if (pdf_)
        endPdf();
}

void QtPrintSurface::endPrinter() {
    const QString whyNot = printerJob_->finish();
    printerJob_.reset();
    if (!whyNot.isEmpty()) {
        failOnPrinter(whyNot);
        return;
    }
    last_ = {false, utf8(jobName_ + qt(" をプリンタ「") + printerName_ + qt("」に送りました。")), {}};
}

void QtPrintSurface::endPdf() {
    writer_.reset();
    std::error_code error = pdf_->complete();
    if (!error && target_ == Target::pdfFile) {
        error = pdf_->publish(pdfPath_, true);
    } else if (!error) {
        // Never over a file of the same name that appeared while this one was written.
        while ((error = pdf_->publish(pdfPath_, false)) == std::errc::file_exists)
            pdfPath_ = nextPdfPath(QFileInfo(pdfPath_).path());
    }
    if (error) {
        failOnPdf(error);
        return;
    }
    pdf_.reset();
    const QString saved = jobName_ + qt(" を PDF に保存しました: ") + pdfPath_;
    last_ = {false, utf8(fellBack_ ? qt("プリンタが見つからないため、") + saved : saved), utf8(pdfPath_)};
    written_ << pdfPath_;
}

} // namespace kakutei
