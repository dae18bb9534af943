// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

// The grid of one odd-order magic square, addressed (row, column) from 1.
// Row 0 and column 0 exist but are never used; a construction writes only
// the n x n block, so a smaller square leaves a larger one's values around it.
class MagicSquare
{
public:
    static constexpr int MaxIndex = 22;

    // 0 <= row, column <= MaxIndex; anything else is a fatal error.
    std::int16_t at(int row, int column) const
    {
        checkIndices(row, column);
        return m_cells[row][column];
    }
    // The whole grid, [row][column], for reading a block of it at once.
    using Grid = std::array<std::array<std::int16_t, MaxIndex + 1>, MaxIndex + 1>;
    const Grid &grid() const { return m_cells; }
    // 0 <= row, column <= MaxIndex; anything else is a fatal error.
    void set(int row, int column, std::int16_t value);

    // Fills rows and columns 1..n with the square whose 1 is in the middle of
    // the first row; n is `order` taken as a whole number. An order above 22
    // runs off the grid, which is fatal.
    void build(double order);

private:
    // Inline, as every drawing of the board reads each cell.
    static void checkIndices(int row, int column)
    {
        if (row < 0 || row > MaxIndex || column < 0 || column > MaxIndex)
            indexOutOfRange(row, column);
    }
    [[noreturn]] static void indexOutOfRange(int row, int column);

    Grid m_cells{};
};
