// Page 1 (第一表) of the return, retained-copy edition, as the A4 copies draw it under their entries.
#include "print/form_sheet.h"
#include "print/page_geometry.h"

namespace kakutei {

using namespace page1;

namespace {

// The box of a digit printed as a number at (x, y): the digit itself stands one blank (about 1.9 mm) in.
void digitBox(FormSheet& c, double x, double y) {
    c.box(x + 0.4, y - 0.6, 5, 5);
}

// A caption whose first character a "○" printed at (x, y) in `markPoints` circles: that character centred
// under the mark, the rest clear of it.
void circledCaption(FormSheet& c, double x, double y, double markPoints, std::string first, std::string rest,
                    double points) {
    const double mmPerPoint = 25.4 / 72;
    const double centre = markPoints * mmPerPoint / 2;
    const double em = points * mmPerPoint;
    c.text(x + centre - em / 2, y + centre - em / 2, std::move(first), points, true);
    if (!rest.empty())
        c.text(x + centre + em / 2 + 0.6, y + centre - em / 2, std::move(rest), points, true);
}

// A row of boxes for single characters printed at x0, x0 + step, ….
void characterBoxes(FormSheet& c, double x0, double y, int count, double step = 5) {
    for (int i = 0; i < count; ++i)
        c.box(x0 - 0.5 + step * i, y - 0.8, step, 5.2);
}

void amountRows(FormSheet& c) {
    for (int row = 1; row <= 61; ++row) {
        for (int k = 1; k <= 9; ++k) {
            const auto [x, y] = copyCell(row, k);
            digitBox(c, x, y);
            if (k > lastCell(row)) // the preprinted zeros of the shortened rows
                c.text(x + 1.9, y, "0", 11);
        }
        // Thicker strokes mark the thousands and the millions.
        for (int k : {4, 7}) {
            const auto [x, y] = copyCell(row, k);
            c.line(x + 0.4, y - 0.6, x + 0.4, y + 4.4, 0.45);
        }
        const bool left = row <= 34;
        const auto [firstX, y] = copyCell(row, 1);
        const RowCaption& caption = kRowCaptions[static_cast<std::size_t>(row - 1)];
        const double numberX = left ? 13 : 110.5;
        c.centred(numberX, y - 0.6, 5, 5, std::string(caption.number), 7, true);
        c.text(numberX + 5.5, y + 0.3, std::string(caption.caption), caption.caption.size() > 30 ? 5.2 : 7);
        c.line(numberX, y + 4.4, firstX + 0.4, y + 4.4, 0.1);
    }
    // The sections, down the left edge of each column.
    struct Section {
        int firstRow, lastRow;
        const char* title;
        double x;
    };
    const Section sections[] = {
        {1, 11, "収入金額等", 7},    {12, 20, "所得金額", 7}, {21, 34, "所得から差し引かれる金額", 7},
        {35, 49, "税金の計算", 106}, {50, 57, "その他", 106}, {58, 59, "延納の届出", 106},
        {60, 61, "修正申告", 106},
    };
    for (const Section& s : sections) {
        const double top = copyCell(s.firstRow, 1).second - 0.6;
        const double bottom = copyCell(s.lastRow, 1).second + 4.4;
        c.box(s.x, top, 4.5, bottom - top, 0.3);
        c.vertical(s.x, top, 4.5, bottom - top, s.title, bottom - top < 14 ? 4.5 : 7);
    }
}

void particulars(FormSheet& c) {
    // Title, year and the filing mark (entries at the form positions plus the copy shift 3, 8).
    c.text(60, 16, "平成", 12, true);
    characterBoxes(c, 74, 18, 2);
    c.text(85, 16, "年分の", 12, true);
    c.text(101, 14, "所得税の", 16, true);
    c.box(124, 16, 16, 8, 0.3);
    c.text(141, 14, "申告書Ｂ", 16, true);
    c.text(172, 11, "第一表", 12, true);
    c.text(172, 18, "（控用）", 10, true);
    c.text(10, 6, "平成16年分の所得税の確定申告書Ｂ", 8, true);
    // Tax office (entry at 21, 13).
    c.box(12, 11, 42, 8);
    c.text(40, 13, "税務署長", 9, true);
    // Postal code (entries 37, 42, 47 and 54 … 69 at Y 25) and reading (112 + 5i at Y 25).
    c.text(31, 25, "〒", 10);
    characterBoxes(c, 37, 25, 3);
    c.line(51.8, 27.5, 53.2, 27.5, 0.3);
    characterBoxes(c, 54, 25, 4);
    c.text(102, 25, "フリガナ", 6, true);
    characterBoxes(c, 112, 25, 14);
    // Address block (entries at 35 on Y 34, 43, 52).
    c.box(12, 31.5, 90, 27, 0.3);
    c.line(33, 31.5, 33, 58.5);
    c.line(33, 40.5, 102, 40.5, 0.1);
    c.line(12, 49.5, 102, 49.5);
    c.centred(12, 31.5, 21, 18, "住　所\n又は\n事業所等", 8, true);
    c.centred(12, 49.5, 21, 9, "平成17年\n1月1日の住所", 6.5, true);
    // Name, occupation, trade name, household, telephone (entries at 115 / 138 / 162 / 184, Y 34 … 52).
    c.box(102, 31.5, 100, 27, 0.3);
    c.line(102, 40.5, 202, 40.5);
    c.line(102, 49.5, 202, 49.5);
    c.text(103, 32, "氏名", 6, true);
    c.text(103, 41, "職業", 6, true);
    c.line(136.5, 40.5, 136.5, 49.5, 0.1);
    c.text(137, 40.6, "屋号・雅号", 5, true);
    c.line(160.5, 40.5, 160.5, 58.5, 0.1);
    c.text(161, 40.6, "世帯主の氏名", 5, true);
    c.line(182.5, 40.5, 182.5, 49.5, 0.1);
    c.text(183, 40.6, "世帯主との続柄", 5, true);
    c.text(161, 49.6, "電話番号", 5, true);
    // Sex: the marks are printed in 10 pt at 103 and 108 on Y 45.
    circledCaption(c, 103, 45, 10, "男", "", 9);
    circledCaption(c, 108, 45, 10, "女", "", 9);
    // Birth date: era code at 110, year digits at 117 / 122, month 130 / 135, day 142 / 147, Y 52.
    c.text(103, 49.6, "生年月日", 4.5, true);
    c.box(109.5, 51.2, 5, 5.2);
    for (double x : {117.0, 122.0, 130.0, 135.0, 142.0, 147.0})
        digitBox(c, x, 52);
    c.text(128, 52.8, ".", 9);
    c.text(140.6, 52.8, ".", 9);
    // The era legend, left of the era box, where the code printed in the box leaves it readable.
    c.text(103.8, 52.4, "1明 2大", 4, true);
    c.text(103.8, 54.2, "3昭 4平", 4, true);
    // Kind of return (the ○ at 76, 59) and the taxpayer number (130 + 5i, Y 59).
    c.box(58, 58.5, 56, 6.3);
    c.text(60, 59, "種類", 7, true);
    circledCaption(c, 76, 59, 11, "青", "色", 9);
    c.text(86, 59.3, "分離・国出・損失・修正", 7, true);
    c.text(115, 59.2, "整理番号", 6, true);
    characterBoxes(c, 130, 59, 8);
    // The bank block (entries at the form positions plus 1, 0).
    c.box(107, 231, 95, 30, 0.3);
    c.text(108, 231.5, "還付される税金の受取場所", 6.5, true);
    c.line(107, 242, 202, 242, 0.1);
    c.text(108, 236, "銀行等", 7, true);
    c.text(148, 236, "本店・支店", 6, true);
    c.text(108, 246, "預金の種類", 7, true);
    circledCaption(c, 160, 246, 11, "普", "通", 8);
    circledCaption(c, 167, 246, 11, "当", "座", 8);
    c.text(108, 253, "口座番号", 7, true);
    characterBoxes(c, 125, 253, 14);
}

} // namespace

FormSheet page1Sheet() {
    FormSheet c(kPage1ImageWidthMm, kImageHeightMm);
    particulars(c);
    amountRows(c);
    return c;
}

} // namespace kakutei
