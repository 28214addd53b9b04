#pragma once
// The words of a PDF's first page with their positions, as pdftotext -bbox reports them.

#include <string>
#include <vector>

namespace kakutei::testing {

struct Word {
    double xMm, yMm;   // the top-left corner, in millimetres from the page's top-left corner
    double x2Mm, y2Mm; // the bottom-right corner
    std::string text;
};

std::vector<Word> pdfWords(const std::string& pdf);

} // namespace kakutei::testing
