// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lessonrun.h"

#include "narrow.h"

#include <algorithm>

bool LessonRun::chooseSize(int index)
{
    // Clearing the selection from code reports no entry; that builds nothing.
    if (index == -1)
        return false;
    m_selection = toUInt8(index);
    setSquareOrder(sizeEntry(m_selection));
    ShowBoard();
    BoardCleared = false;
    m_clearEnabled = true;
    m_textVisible = false;
    m_boardBuilt = true;
    for (LessonListener *listener : m_listeners)
        listener->boardBuilt(order());
    return true;
}

RevealStep LessonRun::tick()
{
    // Every tick locks "Чисти" (and, through the counter, the frame); only the last unlocks them.
    m_clearEnabled = false;
    // No entry is selected only after a clear in the first interval: no entry
    // reads as order 0, and this tick ends the reveal.
    setSquareOrder(m_selection == -1 ? 0.0 : sizeEntry(m_selection));
    const int n = order();
    RevealStep step;
    step.cell = cellShowing(Square, n, m_orientation, RevealCounter);
    step.number = RevealCounter;
    RevealCounter = toInt16(RevealCounter + 1);
    if (RevealCounter > n * n) {
        m_timerRunning = false;
        m_clearEnabled = true;
        step.ended = true;
    }
    for (LessonListener *listener : m_listeners)
        listener->ticked(step.cell, step.number, step.ended);
    return step;
}

bool LessonRun::clear()
{
    return ClearBoard();
}

bool LessonRun::ClearBoard()
{
    if (BoardCleared)
        return false;
    // The timer goes on: a clear in the first interval leaves its next tick to end the reveal.
    m_textVisible = true;
    m_selection = -1;
    m_clearEnabled = false;
    setText(std::string());
    BoardCleared = true;
    for (LessonListener *listener : m_listeners)
        listener->boardRemoved();
    return true;
}

bool LessonRun::chooseOrientation(Orientation orientation)
{
    m_orientation = orientation;
    m_selection = -1;
    const bool removed = ClearBoard();
    // With no board on, this still empties the box, the explanation too.
    setText(std::string());
    return removed;
}

const std::string &LessonRun::reportCell(int index)
{
    m_textVisible = true;
    setText(cellReport(Square, order(), m_orientation, index));
    return m_text;
}

void LessonRun::addListener(LessonListener *listener)
{
    m_listeners.push_back(listener);
}

int LessonRun::order() const
{
    return roundToInt16(SquareOrder);
}

LessonView LessonRun::view() const
{
    LessonView view;
    // The list is locked while a board is on, the frame from the first tick to the last.
    view.listEnabled = BoardCleared;
    view.selection = m_selection;
    view.orientation = m_orientation;
    view.frameEnabled = !(m_timerRunning && RevealCounter > 0);
    view.clearEnabled = m_clearEnabled;
    view.imageVisible = !m_boardBuilt;
    view.textVisible = m_textVisible;
    view.explanationShown = m_explanationShown;
    view.text = m_text;
    view.timerRunning = m_timerRunning;
    // The template, the cell in row 1, column 1, gets its first caption with
    // the first board, which also hides the picture.
    if (BoardCleared) {
        view.cells.front().caption = m_boardBuilt ? Square.at(1, 1) : 0;
        return view;
    }
    const int n = order();
    view.order = n;
    view.cells.assign(std::size_t(n) * n, CellView{});
    // Down the columns, as the cells are numbered. The board was built, so
    // its n rows and columns lie inside the grid.
    const MagicSquare::Grid &grid = Square.grid();
    const bool top = m_orientation == Orientation::Top;
    const int counter = RevealCounter;
    CellView *cell = view.cells.data();
    for (int column = 1; column <= n; ++column) {
        for (int row = 1; row <= n; ++row, ++cell) {
            const std::int16_t captioned = grid[row][column];
            const std::int16_t shown = top ? captioned : grid[column][row];
            const bool visible = shown >= 1 && shown < counter;
            // The cells were captioned for the top board; the left one writes each as it shows it.
            *cell = {visible, visible ? shown : captioned};
        }
    }
    return view;
}

// SquareOrder holds the order as a number; the board uses it as a whole one.
void LessonRun::setSquareOrder(double order)
{
    SquareOrder = order;
}

void LessonRun::BuildSquare()
{
    Square.build(SquareOrder);
}

void LessonRun::ShowBoard()
{
    BuildSquare();
    RevealCounter = 0;
    m_timerRunning = true;
}

void LessonRun::setText(const std::string &text)
{
    const bool changed = m_explanationShown || text != m_text;
    m_explanationShown = false;
    m_text = text;
    if (changed) {
        for (LessonListener *listener : m_listeners)
            listener->textChanged(m_text);
    }
}
