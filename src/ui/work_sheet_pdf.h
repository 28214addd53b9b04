#pragma once
// The work sheet "計算明細書" as a PDF: every line of a client's return with where its figure came from and
// how it was reached, on numbered A4 pages. No Qt type shows here, so the command line can ask for it.

#include <string>
#include <system_error>

namespace kakutei {

struct Explanation;
class OutputGate;

// Writes the sheet to `file` through `gate`, replacing a file there whole or leaving it as it was. Needs a
// running Qt application, for the fonts.
std::error_code writeWorkSheetPdf(const OutputGate& gate, const Explanation& explanation,
                                  const std::string& file);

} // namespace kakutei
