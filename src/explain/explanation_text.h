#pragma once
// A return's explanation as plain text, for a terminal or a file: the work sheet without the page.

#include "explain/explanation.h"

#include <string>

namespace kakutei {

inline constexpr std::string_view kWorkSheetTitle = "計算明細書";
inline constexpr std::string_view kWorkSheetYear = "平成16年分";

// "個人コード 7　山田太郎", or the code alone while no name is registered.
std::string workSheetClient(const Explanation& explanation);
// A stored figure as the work sheet shows it: grouped digits, and 0 as "0" (a blank would read as missing).
std::string workSheetFigure(double figure);
// "07_山田太郎_計算明細書.pdf": the code first, so that a folder of many clients' sheets sorts by code.
std::string workSheetFileName(const Explanation& explanation);

// The title, the client, each section with its lines (label, figure, where the figure came from in brackets,
// and the steps indented beneath), then the notes.
std::string explanationText(const Explanation& explanation);

} // namespace kakutei
