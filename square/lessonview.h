// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lesson.h"

#include <cstdint>
#include <string>
#include <vector>

// One cell of the board as the window shows it.
// Plain data: a new board's cells start as zeros, hidden and without a caption.
struct CellView
{
    bool visible;
    // The number on the cell's caption, 0 for an empty caption.
    std::int16_t caption;
};

// Everything the window shows of the lesson at one moment: a plain value,
// cheap to copy, that each view (the desktop window, the page) draws in one
// step after every event. Focus, geometry and accessibility are the views'.
struct LessonView
{
    bool listEnabled = true;
    // The size list's selected entry, -1 for none.
    int selection = -1;
    Orientation orientation = Orientation::Top;
    bool frameEnabled = true;
    bool clearEnabled = false;
    bool imageVisible = true;
    bool textVisible = true;
    // The text box holds the explanation until anything else is written there.
    bool explanationShown = true;
    // The text box's text when it does not hold the explanation.
    std::string text;
    bool timerRunning = false;
    // The board's order, 0 while no board is on.
    int order = 0;
    // The board's cells in their numbering, order * order of them; with no
    // board on, the hidden template cell alone.
    std::vector<CellView> cells{CellView{}};
};

// The board's keyboard rules, over what the window shows.

// A cell under the visible report box cannot be seen, so it cannot take the
// focus any more than a hidden one. 0 <= cell < view.cells.size()
bool cellCanTakeFocus(const LessonView &view, int cell);

// The cell an arrow key moves to from `cell`: the next one in the direction
// (rowStep, columnStep) that can take the focus, or -1 when none can.
// 0 <= cell < view.order * view.order
int cellInDirection(const LessonView &view, int cell, int rowStep, int columnStep);

// The board's one tab stop: `lastFocused` while it can take the focus, else
// the first cell in reading order that can, -1 when none can.
int boardTabStop(const LessonView &view, int lastFocused);
