#pragma once
// `kakutei [--root DIR] explain CODE [--pdf FILE]`: how each figure of a client's return came about, as text
// on stdout, or as the printable work sheet "計算明細書".

#include "app/batch_commands.h"

#include <iosfwd>

namespace kakutei {

class PrintOutput;

// Reads only: it makes no folder. A record that cannot be read is named on `err` and the exit status is 1,
// though what could be read is still explained.
int runExplainCommand(const CommandLine& line, PrintOutput& output, std::ostream& out, std::ostream& err);

} // namespace kakutei
