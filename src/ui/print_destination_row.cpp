#include "ui/print_destination_row.h"

#include "core/store_error.h"
#include "print/printing_screen.h"
#include "ui/qt_print_surface.h"
#include "ui/qt_text.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace kakutei {
namespace {

constexpr const char* kDefaultPrinter = "既定のプリンタ";

// Printers come and go (a laptop in and out of the office): the list is made again each time it opens.
class FreshList : public QComboBox {
public:
    FreshList(std::function<void()> refill, QWidget* parent)
        : QComboBox(parent), refill_(std::move(refill)) {}
    void showPopup() override {
        refill_();
        QComboBox::showPopup();
    }

private:
    std::function<void()> refill_;
};

} // namespace

PrintDestinationRow::PrintDestinationRow(std::function<PrintingScreen&()> screen, OutputGate gate,
                                         QWidget* parent)
    : QWidget(parent), screen_(std::move(screen)), gate_(std::move(gate)) {
    printers_ = new FreshList([this] { listPrinters(); }, this);
    printers_->setObjectName("printerChoice");
    printers_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    printers_->addItem(qt(kDefaultPrinter), QString());
    connect(printers_, &QComboBox::activated, this, [this](int index) { choosePrinter(index); });
    pdfButton_ = new QPushButton(qt("PDF に保存"), this);
    pdfButton_->setObjectName("savePdf");
    pdfButton_->setCheckable(true);
    connect(pdfButton_, &QPushButton::clicked, this, [this](bool on) { switchPdf(on); });
    where_ = new QLabel(this);
    where_->setObjectName("destination");
    where_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(qt("印刷先:"), this));
    row->addWidget(printers_);
    row->addWidget(pdfButton_);
    row->addWidget(where_, 1);
}

PrintDestinationRow::~PrintDestinationRow() = default;

void PrintDestinationRow::usePrinter(QtPrintSurface* printer) {
    printer_ = printer;
    if (!pdfButton_->isChecked())
        screen_().setSurface(printer);
}

void PrintDestinationRow::showEvent(QShowEvent* event) {
    listPrinters();
    QWidget::showEvent(event);
}

void PrintDestinationRow::listPrinters() {
    Printers* machine = printer_ ? printer_->printers() : nullptr;
    const QString chosen = printer_ ? printer_->chosenPrinter() : QString();
    const QString byDefault = machine ? machine->choose() : QString();
    printers_->clear();
    printers_->addItem(byDefault.isEmpty() ? qt(kDefaultPrinter)
                                           : qt(kDefaultPrinter) + qt("（") + byDefault + qt("）"),
                       QString());
    if (machine)
        for (const QString& name : machine->available())
            printers_->addItem(name, name);
    // A chosen printer that has gone stays in the list: printing on it says that it has gone.
    if (!chosen.isEmpty() && printers_->findData(chosen) < 0)
        printers_->addItem(chosen, chosen);
    printers_->setCurrentIndex(std::max(0, printers_->findData(chosen)));
}

void PrintDestinationRow::choosePrinter(int index) {
    if (printer_)
        printer_->choosePrinter(printers_->itemData(index).toString());
    if (pdfButton_->isChecked())
        switchPdf(false);
}

void PrintDestinationRow::switchPdf(bool on) {
    if (on) {
        const QString folder =
            QFileDialog::getExistingDirectory(this, qt("PDF を保存するフォルダを選んで下さい"),
                                              pdfFolder_.isEmpty() ? defaultPdfFolder() : pdfFolder_);
        if (folder.isEmpty()) {
            pdfButton_->setChecked(false);
            return;
        }
        if (const std::error_code refused = gate_.refusal(utf8(folder))) {
            QMessageBox::warning(window(), qt("PDF に保存"), folder + "\n" + qt(describeError(refused)));
            pdfButton_->setChecked(false);
            return;
        }
        pdfFolder_ = folder;
        pdf_ = QtPrintSurface::toPdfFolder(gate_, folder);
        if (!beforePdf_)
            beforePdf_ = screen_().surface();
        screen_().setSurface(pdf_.get());
    } else if (pdf_) {
        screen_().setSurface(printer_ ? printer_ : beforePdf_);
        beforePdf_ = nullptr;
        pdf_.reset();
    }
    pdfButton_->setChecked(on);
    showWhere();
}

void PrintDestinationRow::showWhere() {
    where_->setText(pdf_ ? qt("印刷のボタンで 1 ページずつ PDF に保存します: ") + pdfFolder_ : QString());
}

void PrintDestinationRow::print(const std::function<void()>& pressButton) {
    const std::size_t before = screen_().jobs().size();
    pressButton();
    QStringList saved;
    const auto& jobs = screen_().jobs();
    for (std::size_t i = before; i < jobs.size(); ++i)
        if (!jobs[i].failed && !jobs[i].file.empty())
            saved << qt(jobs[i].message);
    if (!saved.isEmpty())
        QMessageBox::information(window(), qt("PDF に保存しました"), saved.join('\n'), QMessageBox::Ok);
}

} // namespace kakutei
