#include "print/page_layouts.h"

#include "core/amount_text.h"
#include "core/utf8.h"

#include <tuple>

namespace kakutei {
namespace {

// One entry position on the form and on the copy.
struct At {
    double x, y;         // on the form, before the offsets
    double copyX, copyY; // on the copy, final
};

class Page2 {
public:
    Page2(PrintSurface& surface, const PageOptions& options) : surface_(surface), options_(options) {}

    void text(At at, std::string_view value) {
        if (value.empty())
            return;
        const auto [x, y] = place(at);
        surface_.drawText(x, y, value);
    }
    // Right-aligned by the width of the plain number; printed with separators, so it ends right of R by
    // their width. Zero prints nothing.
    void amount(At right, std::int64_t value) {
        if (value == 0)
            return;
        const auto [r, y] = place(right);
        const double width = surface_.textWidth(std::to_string(value));
        surface_.drawText(r - width, y, formatAmount(value));
    }
    void mark(double x, double y, bool when) {
        if (when)
            text({x, y, x, y}, "♪");
    }
    // The accountant's lines ignore the offsets: they belong to the accountant, not to the form's boxes.
    void unshifted(At at, std::string_view value) {
        if (value.empty())
            return;
        surface_.drawText(options_.copy ? at.copyX : at.x, options_.copy ? at.copyY : at.y, value);
    }
    PrintSurface& surface() { return surface_; }

private:
    std::pair<double, double> place(At at) const {
        if (options_.copy)
            return {at.copyX, at.copyY};
        return {at.x + options_.offsets.right, at.y + options_.offsets.down};
    }
    PrintSurface& surface_;
    const PageOptions& options_;
};

std::string characterAt(std::string_view text, std::size_t position) {
    const std::u32string characters = toCodePoints(text);
    return position < characters.size() ? fromCodePoints(characters.substr(position, 1)) : std::string();
}

void drawHeader(Page2& page, const PrintData& data, const PageOptions& options) {
    page.text({25, 11, 29, 15}, characterAt(data.yearCode, 1));
    page.text({30, 11, 34, 15}, characterAt(data.yearCode, 2));
    page.surface().setFont(fonts::brush, 11);
    page.unshifted({135, 272, 137, 269}, data.taxAccountant[0]);
    page.unshifted({135, 278, 137, 275}, data.taxAccountant[2]);
    page.surface().setFont(fonts::mincho, 11);
    if (options.paperMarker == kOfficeFormMarker)
        return;
    const TaxpayerRecord& t = data.taxpayer;
    // On the copy the name sits a millimetre lower than the form's step, clear of the reading above it.
    const std::tuple<const std::string*, double, double, double> address[] = {
        {&t.address1, 11, 40, 43}, {&t.address2, 11, 44, 47}, {&t.tradeName, 10, 49, 53},
        {&t.reading, 9, 53, 57},   {&t.name, 11, 57, 61},
    };
    for (const auto& [value, points, y, copyY] : address) {
        page.surface().setFont(fonts::mincho, points);
        page.text({34, y, 34, copyY}, *value);
    }
    page.surface().setFont(fonts::mincho, 11);
}

void drawWithholding(Page2& page, const PrintData& data) {
    struct Row {
        double kindY, firstY, secondY, amountY;
    };
    constexpr Row kRows[6] = {{94, 92, 96, 94},     {103, 101, 106, 103}, {113, 111, 116, 113},
                              {123, 120, 125, 123}, {132, 130, 134, 132}, {142, 139, 144, 142}};
    for (int r = 1; r <= 6; ++r) {
        const Row& row = kRows[r - 1];
        page.text({12, row.kindY, 17, row.kindY + 1}, data.breakdownText(3 * r - 2));
        page.text({27, row.firstY, 32, row.firstY + 1}, data.breakdownText(3 * r - 1));
        page.text({27, row.secondY, 32, row.secondY + 1}, data.breakdownText(3 * r));
        page.amount({81, row.amountY, 81, row.amountY}, data.breakdown(39 + 2 * r));
        page.amount({101, row.amountY, 101, row.amountY}, data.breakdown(40 + 2 * r));
    }
    page.amount({101, 151, 101, 151}, data.breakdown(53));
}

void drawFamilyEmployees(Page2& page, const PrintData& data) {
    struct Row {
        double nameY, birthY, relationY, monthsY, workY, salaryY;
    };
    constexpr Row kRows[3] = {
        {174, 181, 179, 174, 179, 180}, {188, 193, 192, 188, 193, 192}, {200, 206, 204, 199, 205, 205}};
    for (int e = 1; e <= 3; ++e) {
        const Row& row = kRows[e - 1];
        page.text({22, row.nameY, 25, row.nameY}, data.personalText(11 + 5 * e));
        page.text({30, row.birthY, 33, row.birthY}, data.personalText(12 + 5 * e));
        page.text({52, row.relationY, 55, row.relationY}, data.personalText(13 + 5 * e));
        page.text({60, row.monthsY, 63, row.monthsY}, data.personalText(14 + 5 * e));
        page.text({60, row.workY, 63, row.workY}, data.personalText(15 + 5 * e));
        page.amount({101, row.salaryY, 102, row.salaryY}, data.personal(52 + e));
    }
    page.amount({101, 216, 102, 216}, data.personal(56));
    page.text({48, 230, 51, 230}, data.personalText(31));
}

void drawDetails(Page2& page, const PrintData& data) {
    struct Row {
        double kindY, firstY, secondY, amountY;
    };
    constexpr Row kRows[3] = {{255, 253, 257, 255}, {263, 262, 267, 265}, {273, 272, 276, 275}};
    // The form has room for three rows; a fourth row is never printed. On the copy the expenses and the net
    // stand 1 and 2 mm left of the form's step, so that a seven-digit amount with its separators stays in
    // its column and the net's inside the page's left half.
    for (int d = 1; d <= 3; ++d) {
        const Row& row = kRows[d - 1];
        page.text({11, row.kindY, 14, row.kindY}, data.breakdownText(16 + 3 * d));
        page.text({24, row.firstY, 27, row.firstY}, data.breakdownText(17 + 3 * d));
        page.text({24, row.secondY, 27, row.secondY}, data.breakdownText(18 + 3 * d));
        page.amount({62, row.amountY, 65, row.amountY}, data.breakdown(51 + 3 * d));
        page.amount({81, row.amountY, 83, row.amountY}, data.breakdown(52 + 3 * d));
        page.amount({102, row.amountY, 103, row.amountY}, data.breakdown(53 + 3 * d));
    }
}

void drawDeductions(Page2& page, const PrintData& data) {
    page.text({115, 27, 118, 27}, data.deductionText(1));
    page.text({145, 27, 148, 27}, data.deductionText(2));
    page.text({165, 27, 168, 27}, data.deductionText(3));
    page.amount({138, 35, 141, 35}, data.deduction(14));
    page.amount({170, 35, 173, 35}, data.deduction(15));
    // The copy's right-hand amounts end at 198 like the rest of that column, so their separators stay on the
    // form.
    page.amount({198, 35, 198, 35}, data.deduction(16));
    page.amount({156, 44, 159, 44}, data.deduction(31));
    page.amount({197, 44, 198, 44}, data.deduction(32));
    constexpr double kLineY[3] = {57, 65, 73};
    // The copy's premiums stand 2 mm further right than the form's step, leaving a six-character kind
    // ("国民健康保険") room before a seven-digit premium.
    for (int i = 0; i < 3; ++i) {
        page.text({114, kLineY[i], 115, kLineY[i] + 3}, data.deductionText(5 + i));
        page.amount({150, kLineY[i], 153, kLineY[i] + 3}, data.deduction(17 + i));
    }
    page.amount({150, 81, 153, 84}, data.deduction(20));
    for (int i = 0; i < 3; ++i) {
        page.text({161, kLineY[i], 162, kLineY[i] + 3}, data.deductionText(8 + i));
        page.amount({197, kLineY[i], 198, kLineY[i] + 3}, data.deduction(21 + i));
    }
    page.amount({197, 81, 198, 84}, data.deduction(24));
    page.amount({150, 89, 151, 92}, data.deduction(25));
    page.amount({150, 97, 151, 100}, data.deduction(26));
    page.amount({197, 89, 198, 92}, data.deduction(27));
    page.amount({197, 97, 198, 100}, data.deduction(28));
    // Moved down by the copy's step the donations would run into the 本人 marks below them, which keep the
    // form's place; on the copy they keep the form's height too.
    page.text({114, 107, 115, 107}, data.deductionText(11));
    page.text({114, 112, 115, 112}, data.deductionText(12));
    page.amount({197, 105, 198, 105}, data.deduction(29));
    page.amount({197, 113, 198, 113}, data.deduction(30));
}

void drawPersonal(Page2& page, const PrintData& data) {
    page.text({135, 134, 136, 137}, data.personalText(44) + data.personalText(1) + data.personalText(45));
    page.text({114, 145, 115, 145}, data.personalText(2));
    page.text({149, 145, 150, 145}, data.personalText(3));
    constexpr double kDependentY[4] = {157, 165, 173, 181};
    for (int j = 1; j <= 4; ++j)
        page.text({114, kDependentY[j - 1], 115, kDependentY[j - 1]}, data.personalText(3 * j + 1));
    for (int j = 1; j <= 4; ++j)
        page.text({142, kDependentY[j - 1], 143, kDependentY[j - 1]}, data.personalText(3 * j + 2));
    for (int j = 1; j <= 4; ++j)
        page.text({161, kDependentY[j - 1], 162, kDependentY[j - 1]}, data.personalText(3 * j + 3));
    // Dependents' deductions are kept and printed in units of 10,000 yen.
    for (int j = 1; j <= 4; ++j)
        page.amount({197, kDependentY[j - 1], 198, kDependentY[j - 1]}, data.personal(47 + j));
    page.amount({197, 187, 198, 187}, data.personal(52));

    const std::string& self = data.personalText(32);
    const std::string& cause = data.personalText(33);
    page.mark(172, 140, data.personalText(46) == "配偶者控除");
    page.mark(172, 145, data.personalText(47) == "配偶者特別控除");
    page.mark(114, 121, self == "老年者");
    page.mark(136, 117, self == "寡婦");
    page.mark(136, 117, self == "特別寡婦");
    page.mark(136, 117, self == "寡夫");
    page.mark(167, 117, data.personalText(34) == "勤労学生");
    page.mark(136, 122, cause == "死別");
    page.mark(136, 125, cause == "離婚");
    page.mark(149, 122, cause == "生死不明");
    page.mark(149, 125, cause == "未帰還");
    // Beside the working-student mark: the school's name, which no other place on the page carries.
    page.text({170, 126, 170, 126}, data.personalText(35));
}

} // namespace

void drawPage2(PrintSurface& surface, const PrintData& data, const PageOptions& options) {
    Page2 page(surface, options);
    surface.setFont(fonts::mincho, 11);
    drawHeader(page, data, options);
    drawWithholding(page, data);
    drawFamilyEmployees(page, data);
    drawDetails(page, data);
    drawDeductions(page, data);
    drawPersonal(page, data);
}

} // namespace kakutei
