// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "magicsquare.h"

#include "fatal.h"
#include "narrow.h"

#include <cmath>
#include <string>

void MagicSquare::set(int row, int column, std::int16_t value)
{
    checkIndices(row, column);
    m_cells[row][column] = value;
}

void MagicSquare::build(double order)
{
    const int n = roundToInt16(order);
    const int half = static_cast<int>(std::floor(n / 2.0));
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            set(i, j, toInt16(n * ((i + j - 1 + half) % n) + ((i + 2 * j - 2) % n) + 1));
    }
}

void MagicSquare::indexOutOfRange(int row, int column)
{
    fatalError("индекс на квадрата извън границите: (" + std::to_string(row) + ", " + std::to_string(column)
               + "), допустими 0.." + std::to_string(MaxIndex));
}
