#pragma once
// `kakutei [--root DIR] print CODE… --page 1|2 [--office-form] [--resident-tax] [--a4-copy] [--pdf PATH]`:
// the printing screen's opening and the print button that matches the options, with no window.

#include "app/batch_commands.h"

#include <iosfwd>

namespace kakutei {

int runPrintCommand(const CommandLine& line, std::ostream& out, std::ostream& err);

} // namespace kakutei
