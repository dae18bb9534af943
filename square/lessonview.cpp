// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lessonview.h"

#include "windowlayout.h"

namespace {

bool contains(const TwipsRect &r, double x, double y)
{
    return x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height;
}

} // namespace

bool cellCanTakeFocus(const LessonView &view, int cell)
{
    if (!view.cells[cell].visible)
        return false;
    if (!view.textVisible)
        return true;
    const TwipsRect place = Layout::cell(cell, view.order);
    return !contains(Layout::Text1_0, place.left + place.width / 2, place.top + place.height / 2);
}

int cellInDirection(const LessonView &view, int cell, int rowStep, int columnStep)
{
    const int n = view.order;
    CellPlace place = cellPlace(cell, n);
    for (;;) {
        place.row += rowStep;
        place.column += columnStep;
        if (place.row < 1 || place.row > n || place.column < 1 || place.column > n)
            return -1;
        const int next = cellIndex(place, n);
        if (cellCanTakeFocus(view, next))
            return next;
    }
}

int boardTabStop(const LessonView &view, int lastFocused)
{
    const int n = view.order;
    if (lastFocused >= 0 && lastFocused < n * n && cellCanTakeFocus(view, lastFocused))
        return lastFocused;
    for (int row = 1; row <= n; ++row) {
        for (int column = 1; column <= n; ++column) {
            const int index = cellIndex({row, column}, n);
            if (cellCanTakeFocus(view, index))
                return index;
        }
    }
    return -1;
}
