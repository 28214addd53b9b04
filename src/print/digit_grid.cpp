#include "print/digit_grid.h"

#include "core/amount_text.h"
#include "print/print_data.h"

#include <cstdlib>

namespace kakutei {

void DigitGrid::decompose(const PrintData& data) {
    for (int row = 1; row <= 20; ++row)
        decomposeRow(row, data.income[static_cast<std::size_t>(row - 1)]);
    for (int row = 21; row <= kDigitRows; ++row)
        decomposeRow(row, data.tax[static_cast<std::size_t>(row - 21)]);
}

void DigitGrid::decomposeRow(int row, double a) {
    auto& cells = cells_[static_cast<std::size_t>(row - 1)];
    cells = {};
    const auto t = toInt32(a);
    // Far beyond the nine boxes of the form: the row stays empty rather than keep old digits.
    if (!t)
        return;
    const auto whole = [](double value) { return toInt32(value).value_or(0); };
    cells[0] = std::abs(*t / 100'000'000);
    std::int32_t p = 100'000'000; // 10^(10 − k) for k = 2
    for (int k = 2; k <= 8; ++k) {
        const std::int32_t q = p / 10;
        const double r = a - static_cast<double>(*t / p) * p;
        cells[static_cast<std::size_t>(k - 1)] = std::abs(whole(r) / q);
        p = q;
    }
    cells[8] = whole(std::abs(a - static_cast<double>(*t / 10) * 10));
}

bool DigitGrid::printed(int row, int k) const {
    for (int i = 1; i <= k; ++i)
        if (cell(row, i) != 0)
            return true;
    return false;
}

} // namespace kakutei
