#include "print/digit_grid.h"

#include <gtest/gtest.h>

#include <array>

namespace kakutei {
namespace {

TEST(DigitGrid, DecomposesAsTheFormNeeds) {
    struct Case {
        double amount;
        std::array<int, 9> cells;
    } cases[] = {
        {0, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {5, {0, 0, 0, 0, 0, 0, 0, 0, 5}},
        {1'234'567, {0, 0, 1, 2, 3, 4, 5, 6, 7}},
        {100'000'000, {1, 0, 0, 0, 0, 0, 0, 0, 0}},
        {-3'500, {0, 0, 0, 0, 0, 3, 5, 0, 0}},
        {3'500, {0, 0, 0, 0, 0, 3, 5, 0, 0}},
        {1'234.6, {0, 0, 0, 0, 0, 1, 2, 3, 5}},
        {1'299.5, {0, 0, 0, 0, 0, 1, 3, 0, 0}},
        {2.5, {0, 0, 0, 0, 0, 0, 0, 0, 2}},
        {3.5, {0, 0, 0, 0, 0, 0, 0, 0, 4}},
        {1'234'567'890, {12, 3, 4, 5, 6, 7, 8, 9, 0}},
        {999'999'999, {9, 9, 9, 9, 9, 9, 9, 9, 9}},
        {2'147'483'648.0, {0, 0, 0, 0, 0, 0, 0, 0, 0}}, // beyond 32 bits: the row is left empty
        {1e20, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    DigitGrid grid;
    for (const Case& c : cases) {
        grid.decomposeRow(1, 777'777'777); // earlier digits never survive
        grid.decomposeRow(1, c.amount);
        for (int k = 1; k <= 9; ++k)
            EXPECT_EQ(grid.cell(1, k), c.cells[static_cast<std::size_t>(k - 1)]) << c.amount << " cell " << k;
    }
}

TEST(DigitGrid, PrintedDigitRule) {
    DigitGrid grid;
    grid.decomposeRow(3, 1'020);
    for (int k = 1; k <= 5; ++k)
        EXPECT_FALSE(grid.printed(3, k));
    for (int k = 6; k <= 9; ++k)
        EXPECT_TRUE(grid.printed(3, k)) << k;
    grid.decomposeRow(4, 0);
    EXPECT_FALSE(grid.printed(4, 9));
}

} // namespace
} // namespace kakutei
