// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lessonrun.h"

#include "narrow.h"

#include <algorithm>

bool LessonRun::List1_Click(int index)
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
    m_imageVisible = false;
    m_listEnabled = false;
    for (LessonListener *listener : m_listeners)
        listener->boardBuilt(order());
    return true;
}

RevealStep LessonRun::Timer1_Timer()
{
    // Every tick locks "Чисти" and the frame; only the last unlocks them.
    m_clearEnabled = false;
    m_frameEnabled = false;
    // No entry is selected only after a clear in the first interval: no entry
    // reads as order 0, and this tick ends the reveal.
    setSquareOrder(m_selection == -1 ? 0.0 : sizeEntry(m_selection));
    const int n = order();
    RevealStep step;
    step.cell = cellShowing(Square, n, m_orientation, RevealCounter);
    step.number = RevealCounter;
    // The cells were captioned for the top board; the left one writes each as it shows it.
    step.writesCaption = step.cell >= 0 && m_orientation == Orientation::Left;
    RevealCounter = toInt16(RevealCounter + 1);
    if (RevealCounter > n * n) {
        m_timerRunning = false;
        m_clearEnabled = true;
        m_frameEnabled = true;
        step.ended = true;
    }
    for (LessonListener *listener : m_listeners)
        listener->ticked(step.cell, step.number, step.ended);
    return step;
}

bool LessonRun::ClearBoard()
{
    if (BoardCleared)
        return false;
    // The timer goes on: a clear in the first interval leaves its next tick to end the reveal.
    m_textVisible = true;
    m_listEnabled = true;
    m_selection = -1;
    m_clearEnabled = false;
    setText(std::string());
    BoardCleared = true;
    for (LessonListener *listener : m_listeners)
        listener->boardRemoved();
    return true;
}

bool LessonRun::Option1_Click(Orientation orientation)
{
    m_orientation = orientation;
    m_selection = -1;
    const bool removed = ClearBoard();
    // With no board on, this still empties the box, the explanation too.
    setText(std::string());
    return removed;
}

const std::string &LessonRun::Command1_Click(int index)
{
    m_textVisible = true;
    setText(cellReport(Square, order(), m_orientation, index));
    return m_text;
}

void LessonRun::addListener(LessonListener *listener)
{
    m_listeners.push_back(listener);
}

// SquareOrder holds the order as a number; the board uses it as a whole one,
// worked out once rather than for each of its cells.
void LessonRun::setSquareOrder(double order)
{
    SquareOrder = order;
    m_order = roundToInt16(order);
}

int LessonRun::cellCount() const
{
    return BoardCleared ? 1 : order() * order();
}

bool LessonRun::cellVisible(int cell) const
{
    if (BoardCleared)
        return false;
    const int shown = shownValue(Square, m_orientation, cellPlace(cell, order()));
    return shown >= 1 && shown < RevealCounter;
}

std::string LessonRun::cellCaption(int cell) const
{
    // The template gets its first caption with the first board, which also hides the picture.
    if (m_imageVisible)
        return std::string();
    const Orientation written = cellVisible(cell) ? m_orientation : Orientation::Top;
    return std::to_string(shownValue(Square, written, cellPlace(cell, std::max(m_order, 1))));
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
