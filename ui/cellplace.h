#pragma once

// The cells of a board are numbered down the columns, columns from left to
// right: cell k of an order-n board stands in row k mod n + 1 and column
// k div n + 1.
struct CellPlace
{
    int row;
    int column;
};

// 0 <= index < n * n
inline CellPlace cellPlace(int index, int n)
{
    return {index % n + 1, index / n + 1};
}

// 1 <= row, column <= n
inline int cellIndex(int row, int column, int n)
{
    return (column - 1) * n + (row - 1);
}
