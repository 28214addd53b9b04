#pragma once
// Where the printing screen's pages go: the system's default printer (the one-click path, as it is at the
// moment of printing), another printer picked from those the machine has when the list is opened, or PDF
// files in a folder the user picks, one file a page.

#include "registry/output_gate.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;

namespace kakutei {

class PrintingScreen;
class PrintSurface;
class QtPrintSurface;

class PrintDestinationRow : public QWidget {
public:
    // The PDFs pass `gate`; a folder it refuses is said so when it is picked.
    PrintDestinationRow(std::function<PrintingScreen&()> screen, OutputGate gate, QWidget* parent);
    ~PrintDestinationRow() override;

    // The printer surface whose printer this row chooses; it becomes the screen's surface.
    void usePrinter(QtPrintSurface* printer);
    // Runs a print button; when its pages went into PDF files, an information box says where.
    void print(const std::function<void()>& pressButton);
    // The folder last picked for PDF files; empty until one is.
    const QString& pdfFolder() const { return pdfFolder_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void listPrinters();
    void choosePrinter(int index);
    void switchPdf(bool on);
    void showWhere();

    std::function<PrintingScreen&()> screen_;
    OutputGate gate_;
    QtPrintSurface* printer_ = nullptr;
    PrintSurface* beforePdf_ = nullptr; // the screen's surface while the pages go to PDF
    std::unique_ptr<QtPrintSurface> pdf_;
    QString pdfFolder_;
    QComboBox* printers_ = nullptr;
    QPushButton* pdfButton_ = nullptr;
    QLabel* where_ = nullptr;
};

} // namespace kakutei
