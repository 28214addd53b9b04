#pragma once
// What the print and explain commands ask of ui/: the surfaces they print on and the work sheet's PDF, with
// Qt made ready for them. No Qt type shows here, so the command line in app/ stays free of Qt.

#include "print/print_surface.h"

#include <memory>
#include <string>
#include <system_error>

namespace kakutei {

struct Explanation;
class OutputGate;

// Every PDF passes `gate`, which refuses the data folder and makes the file as private as the data.
class PrintOutput {
public:
    virtual ~PrintOutput() = default;
    // The default printer; while the machine has none, PDF files in Documents/kakutei.
    virtual std::unique_ptr<PrintSurface> printer(const OutputGate& gate) = 0;
    // Every job into this one file.
    virtual std::unique_ptr<PrintSurface> pdfFile(const OutputGate& gate, const std::string& file) = 0;
    // Each job into a file of its own in this folder, named after the job.
    virtual std::unique_ptr<PrintSurface> pdfFolder(const OutputGate& gate, const std::string& folder) = 0;
    // The work sheet "計算明細書" of one return, as a PDF file.
    virtual std::error_code workSheet(const OutputGate& gate, const Explanation& explanation,
                                      const std::string& file) = 0;
};

class Printers;
// Qt's. Fonts and PDF need a Qt application but no display: where none runs, one is made for as long as the
// output lives.
std::unique_ptr<PrintOutput> qtPrintOutput();
// The same with `printers` in place of the machine's (tests: no build machine has a printer).
std::unique_ptr<PrintOutput> qtPrintOutput(std::unique_ptr<Printers> printers);

} // namespace kakutei
