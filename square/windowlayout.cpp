// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowlayout.h"

#include "lesson.h"
#include "narrow.h"

// A row's offset is a 16-bit whole number of twips, a column's is not
// rounded; the sums are single precision.
TwipsRect Layout::cell(int index, int n)
{
    const CellPlace place = cellPlace(index, n);
    const double x = (place.column - 1) * Command1.width;
    const std::int16_t y = roundToInt16((place.row - 1) * Command1.height);
    const float top = float(y) + float(Command1.top);
    const float left = float(Command1.left + x);
    return {left, top, Command1.width, Command1.height};
}
