// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lesson.h"

#include "narrow.h"

#include <algorithm>
#include <vector>

namespace {

// One line of a report: the terms joined by " + ", then their sum.
std::string sumLine(const std::string &label, const MagicSquare &square, Orientation orientation, CellPlace first,
                    CellPlace step, int n)
{
    std::string line = label;
    std::int16_t sum = 0;
    for (int k = 0; k < n; ++k) {
        const CellPlace place{first.row + k * step.row, first.column + k * step.column};
        const std::int16_t term = shownValue(square, orientation, place);
        line += (k > 0 ? " + " : "") + std::to_string(term);
        sum = toInt16(sum + term);
    }
    return line + " = " + std::to_string(sum) + "\r\n";
}

std::string rightAligned(long long value, size_t width)
{
    std::string text = std::to_string(value);
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

} // namespace

CellPlace cellPlace(int index, int n)
{
    return {index % n + 1, index / n + 1};
}

int cellIndex(CellPlace place, int n)
{
    return (place.column - 1) * n + (place.row - 1);
}

std::int16_t shownValue(const MagicSquare &square, Orientation orientation, CellPlace place)
{
    return orientation == Orientation::Top ? square.at(place.row, place.column) : square.at(place.column, place.row);
}

int cellShowing(const MagicSquare &square, int n, Orientation orientation, int value)
{
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            if (shownValue(square, orientation, {i, j}) == value)
                return cellIndex({i, j}, n);
        }
    }
    return -1;
}

std::string cellReport(const MagicSquare &square, int n, Orientation orientation, int index)
{
    const CellPlace cell = cellPlace(index, n);
    const std::string row = sumLine("Ред: ", square, orientation, {cell.row, 1}, {0, 1}, n);
    const std::string column = sumLine("Колона: ", square, orientation, {1, cell.column}, {1, 0}, n);
    return "Ред: " + std::to_string(cell.row) + ", Колона: " + std::to_string(cell.column) + "\r\n\r\n"
        + (orientation == Orientation::Left ? column + row : row + column);
}

std::string squareText(const MagicSquare &square, int n, Orientation orientation)
{
    std::vector<long long> rowSums(n, 0);
    std::vector<long long> columnSums(n, 0);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            const int value = shownValue(square, orientation, {i, j});
            rowSums[i - 1] += value;
            columnSums[j - 1] += value;
        }
    }
    // Every column is as wide as the widest sum, so the sums line up under the numbers.
    const long long widest = std::max(*std::max_element(rowSums.begin(), rowSums.end()),
                                      *std::max_element(columnSums.begin(), columnSums.end()));
    const size_t width = std::to_string(widest).size();

    std::string text;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            text += (j > 1 ? " " : "") + rightAligned(shownValue(square, orientation, {i, j}), width);
        text += " = " + rightAligned(rowSums[i - 1], width) + '\n';
    }
    for (int j = 0; j < n; ++j)
        text += (j > 0 ? " " : "") + rightAligned(columnSums[j], width);
    return text + '\n';
}
