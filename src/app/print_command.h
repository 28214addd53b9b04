#pragma once
// `kakutei [--root DIR] print CODE… --page 1|2 [--office-form] [--resident-tax] [--a4-copy] [--pdf PATH]`:
// the printing screen's opening and the print button that matches the options, with no window.

#include "app/batch_commands.h"

#include <iosfwd>

namespace kakutei {

class PrintOutput;

// Prints on `output`. Each job that reached its printer or file gives one line on `out`: with --pdf the
// file's path, otherwise where the job went (the printer's name, or the PDF written for want of a printer).
// A job that did not is named on `err` with the reason, and the exit status is 1.
int runPrintCommand(const CommandLine& line, PrintOutput& output, std::ostream& out, std::ostream& err);

} // namespace kakutei
