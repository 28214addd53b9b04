#pragma once
// What a PDF holds, as poppler's tools report it: the words of its first page with their positions, and the
// fonts embedded in it.

#include <string>
#include <vector>

namespace kakutei::testing {

struct Word {
    double xMm, yMm;   // the top-left corner, in millimetres from the page's top-left corner
    double x2Mm, y2Mm; // the bottom-right corner
    std::string text;
};

std::vector<Word> pdfWords(const std::string& pdf);

// The names of the fonts embedded in `pdf`, without the subset tag ("ABCDEF+").
std::vector<std::string> embeddedFonts(const std::string& pdf);

} // namespace kakutei::testing
