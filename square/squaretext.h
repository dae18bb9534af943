#pragma once

#include "magicsquare.h"

#include <string>

// The n x n block of `square` as plain text for a worksheet: one row a line,
// the numbers right-aligned in columns, each row followed by " = " and its
// sum, then a line of the column sums. `transposed` writes Square(j, i) in
// row i, column j. 1 <= n <= MagicSquare::MaxIndex.
std::string squareText(const MagicSquare &square, int n, bool transposed);
