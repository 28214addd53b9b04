#pragma once
// The two pages of the return as drawing operations: on the preprinted form (with the user's offsets) or as
// an A4 copy over the form image (at the copy positions, with the copy shift).

#include "print/digit_grid.h"
#include "print/print_data.h"
#include "print/print_offsets.h"
#include "print/print_surface.h"

#include <string>

namespace kakutei {

inline constexpr std::string_view kOfficeFormMarker = "税務署配布用紙"; // PaperMarker of the pre-numbered form
inline constexpr std::string_view kResidentTaxMarker = "住民税";      // PageMarker of the resident-tax page 1

struct PageOptions {
    bool copy = false;        // the A4 copy: copy positions, no offsets
    PrintOffsets offsets;     // on the form only
    std::string paperMarker;  // PaperMarker
    std::string pageMarker;   // PageMarker
};

// Page 1: the digit boxes of the 61 rows and the particulars. Draws between beginJob and endJob, which
// the caller sends.
void drawPage1(PrintSurface& surface, const PrintData& data, const DigitGrid& grid, const PageOptions& options);
// Page 2: withholding, family employees, details, deductions, personal items and the accountant.
void drawPage2(PrintSurface& surface, const PrintData& data, const PageOptions& options);

// A number drawn as a printer draws a signed integer: one blank before (the sign's place) and one after.
std::string printedNumber(long long value);

} // namespace kakutei
