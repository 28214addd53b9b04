#pragma once
// DigitGrid: the 61 page-1 amounts split into nine digit boxes each, cell 1 the hundred-millions digit and
// cell 9 the units.

#include <array>
#include <cstdint>

namespace kakutei {

struct PrintData;

inline constexpr int kDigitRows = 61;
inline constexpr int kDigitCells = 9;

class DigitGrid {
public:
    // Rows 1 to 20 from the IncomeRecord, 21 to 61 from the TaxComputationRecord.
    void decompose(const PrintData& data);
    // One amount into one row (1 to 61). An amount that does not fit 32 bits leaves the row empty.
    void decomposeRow(int row, double amount);

    std::int32_t cell(int row, int k) const { return cells_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(k - 1)]; }
    // Cell k is printed when one of the cells 1 to k of its row is nonzero.
    bool printed(int row, int k) const;

private:
    std::array<std::array<std::int32_t, kDigitCells>, kDigitRows> cells_{};
};

} // namespace kakutei
