#pragma once
// What a PDF holds, as poppler's tools report it: the words of one page with their positions, and the fonts
// embedded in it.

#include <string>
#include <vector>

namespace kakutei::testing {

struct Word {
    double xMm, yMm;   // the top-left corner, in millimetres from the page's top-left corner
    double x2Mm, y2Mm; // the bottom-right corner
    std::string text;
};

// `page` counts from 1.
std::vector<Word> pdfWords(const std::string& pdf, int page = 1);
bool hasWord(const std::vector<Word>& words, const std::string& text);
// The words at the foot of an A4 page (below 280 mm), in reading order, joined by spaces: its page number.
std::string pageFooter(const std::vector<Word>& words);
// How many pages the PDF has; 0 when it cannot be read.
int pdfPageCount(const std::string& pdf);

// The names of the fonts embedded in `pdf`, without the subset tag ("ABCDEF+").
std::vector<std::string> embeddedFonts(const std::string& pdf);

} // namespace kakutei::testing
