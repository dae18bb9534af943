// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "magicsquare.h"

#include <string>

// The rules of the lesson that the window and the printout share: where a
// cell stands, which number it shows, what its report says, and the beat of
// the reveal. Plain C++, so each rule is written and tested once.

// One number appears every RevealIntervalMs milliseconds.
inline constexpr int RevealIntervalMs = 300;

// Where the number 1 starts: the middle of the first row, or of the first
// column; the left board shows the square transposed.
enum class Orientation { Top, Left };

// The cells of a board are numbered down the columns, columns from left to
// right: cell k of an order-n board stands in row k mod n + 1 and column
// k div n + 1.
struct CellPlace
{
    int row;
    int column;
};

// 0 <= index < n * n
CellPlace cellPlace(int index, int n);
// 1 <= row, column <= n
int cellIndex(CellPlace place, int n);

// The number the board shows in `place`. 1 <= row, column <= MagicSquare::MaxIndex.
std::int16_t shownValue(const MagicSquare &square, Orientation orientation, CellPlace place);

// The cell of an order-n board that shows `value`, or -1 when none does
// (the value 0, or one above n * n). 0 <= n <= MagicSquare::MaxIndex.
int cellShowing(const MagicSquare &square, int n, Orientation orientation, int value);

// The report of cell `index`: its row and column, then its row and column
// written out as additions with their sums, lines ended by CR LF. The left
// board lists the column first. 0 <= index < n * n; a sum outside 16 bits is
// a fatal error.
std::string cellReport(const MagicSquare &square, int n, Orientation orientation, int index);

// The n x n board as plain text for a worksheet: one row a line, the numbers
// right-aligned in columns, each row followed by " = " and its sum, then a
// line of the column sums, lines ended by LF. 1 <= n <= MagicSquare::MaxIndex.
std::string squareText(const MagicSquare &square, int n, Orientation orientation);
