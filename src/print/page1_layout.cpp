#include "print/page_layouts.h"

#include "core/utf8.h"
#include "print/page_geometry.h"

#include <cmath>
#include <cstdlib>
#include <functional>

namespace kakutei {
namespace {

using namespace page1;

struct Placement {
    const PageOptions& options;
    // Where an entry lands: on the form with the offsets, on the copy with its group's shift.
    std::pair<double, double> at(double x, double y, int copyRight, int copyDown) const {
        if (options.copy)
            return {x + copyRight, y + copyDown};
        return {x + options.offsets.right, y + options.offsets.down};
    }
};

void drawDigits(PrintSurface& surface, const DigitGrid& grid, const PageOptions& options) {
    const int lastRow = options.pageMarker == kResidentTaxMarker ? 57 : 61;
    for (int row = 1; row <= lastRow; ++row) {
        const bool left = row <= 34;
        for (int k = 1; k <= lastCell(row); ++k) {
            if (!grid.printed(row, k))
                continue;
            double x, y;
            if (options.copy) {
                const auto [copyX, copyY] = copyCell(row, k);
                x = copyX;
                y = copyY;
            } else {
                x = (left ? kLeftColumnX : kRightColumnX) + options.offsets.right + (k - 4) * kDigitPitch;
                y = kRowTop[static_cast<std::size_t>(left ? row - 1 : row - 35)] + options.offsets.down;
            }
            surface.drawText(x, y, printedNumber(grid.cell(row, k)));
        }
    }
}

// Each character of `text` alone, the i-th at x0 + step × i, at most `count` of them.
void drawSpaced(PrintSurface& surface, std::string_view text, double x0, double step, double y,
                std::size_t count) {
    const std::u32string characters = toCodePoints(text);
    for (std::size_t i = 0; i < characters.size() && i < count; ++i)
        surface.drawText(x0 + step * static_cast<double>(i), y, fromCodePoints(characters.substr(i, 1)));
}

std::string characterAt(std::string_view text, std::size_t position) {
    const std::u32string characters = toCodePoints(text);
    return position < characters.size() ? fromCodePoints(characters.substr(position, 1)) : std::string();
}

void drawText(PrintSurface& surface, std::pair<double, double> at, std::string_view text) {
    if (!text.empty())
        surface.drawText(at.first, at.second, text);
}

void drawParticulars(PrintSurface& surface, const PrintData& data, const PageOptions& options) {
    const Placement place{options};
    const TaxpayerRecord& t = data.taxpayer;
    const bool ordinaryPaper = options.paperMarker != kOfficeFormMarker;
    const bool withBank = options.pageMarker != kResidentTaxMarker;
    if (ordinaryPaper) {
        drawText(surface, place.at(71, 10, 3, 8), characterAt(data.yearCode, 1));
        drawText(surface, place.at(76, 10, 3, 8), characterAt(data.yearCode, 2));
        drawText(surface, place.at(122, 9, 3, 8), "確  定");
    }
    drawText(surface, place.at(17, 6, 4, 7), t.taxOffice);
    drawText(surface, place.at(31, 27, 4, 7), t.address1);
    drawText(surface, place.at(31, 36, 4, 7), t.address2);
    drawText(surface, place.at(31, 45, 4, 7), t.addressJanuary);
    drawText(surface, place.at(113, 27, 2, 7), t.name);
    drawText(surface, place.at(113, 36, 2, 7), t.occupation);
    drawText(surface, place.at(136, 36, 2, 7), firstCharacters(t.tradeName, 5));
    drawText(surface, place.at(160, 36, 2, 7), t.householdHead);
    drawText(surface, place.at(182, 36, 2, 7), t.relationship);
    drawText(surface, place.at(160, 45, 2, 7), t.telephone);
    const auto postal1 = place.at(33, 18, 4, 7);
    drawSpaced(surface, t.postalCode1, postal1.first, 5, postal1.second, 3);
    const auto postal2 = place.at(50, 18, 4, 7);
    drawSpaced(surface, t.postalCode2, postal2.first, 5, postal2.second, 4);
    const auto reading = place.at(111, 18, 1, 7);
    drawSpaced(surface, t.reading, reading.first, 5, reading.second, 14);
    // The form's era codes: 1 明治, 2 大正, 3 昭和, 4 平成.
    const char* eraCode = t.birthEra == "明治"   ? "1"
                          : t.birthEra == "大正" ? "2"
                          : t.birthEra == "昭和" ? "3"
                          : t.birthEra == "平成" ? "4"
                                                 : nullptr;
    if (eraCode)
        drawText(surface, place.at(108, 45, 2, 7), eraCode);
    if (t.returnKind == "青色")
        drawText(surface, place.at(73, 52, 3, 7), "○");
    if (t.sex == "男" || t.sex == "女") {
        surface.setFont(fonts::mincho, 10);
        drawText(surface, place.at(t.sex == "男" ? 100 : 105, 38, 3, 7), "○");
        surface.setFont(fonts::mincho, 11);
    }
    const std::pair<std::int16_t, int> dateParts[] = {
        {t.birthYear, 115}, {t.birthMonth, 128}, {t.birthDay, 140}};
    for (const auto& [value, x] : dateParts) {
        const int tens = std::abs(value / 10);
        const int units = std::abs(value - (value / 10) * 10);
        if (tens != 0)
            drawText(surface, place.at(x, 45, 2, 7), printedNumber(tens));
        drawText(surface, place.at(x + 5, 45, 2, 7), printedNumber(units));
    }
    if (withBank) {
        drawText(surface, place.at(115, 236, 1, 0), t.bankName);
        drawText(surface, place.at(159, 236, 1, 0), t.bankBranch);
        if (t.accountType == "普通預金")
            drawText(surface, place.at(159, 246, 1, 0), "○");
        if (t.accountType == "当座預金")
            drawText(surface, place.at(166, 246, 1, 0), "○");
        const auto account = place.at(124, 253, 1, 0);
        drawSpaced(surface, t.accountNumber, account.first, 5, account.second, 14);
    }
    if (ordinaryPaper) {
        const auto number = place.at(129, 52, 1, 7);
        drawSpaced(surface, t.taxpayerNumber, number.first, 5, number.second, 8);
    }
}

} // namespace

std::string printedNumber(long long value) {
    return " " + std::to_string(value) + " ";
}

void drawPage1(PrintSurface& surface, const PrintData& data, const DigitGrid& grid,
               const PageOptions& options) {
    surface.setFont(fonts::mincho, 11);
    drawDigits(surface, grid, options);
    surface.setFont(fonts::mincho, 11);
    drawParticulars(surface, data, options);
}

} // namespace kakutei
