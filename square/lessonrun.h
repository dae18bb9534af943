// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lesson.h"
#include "lessonview.h"
#include "magicsquare.h"

#include <cstdint>
#include <string>
#include <vector>

// Told of each step of a lesson's run, for whoever follows it from outside
// the window: a log, a test, a benchmark. Called inside the step, after the
// run's state has changed and before the window shows it.
class LessonListener
{
public:
    virtual ~LessonListener() = default;

    // A board of order n was built: n * n cells, all hidden.
    virtual void boardBuilt(int /*n*/) { }
    // A tick ran; it revealed `cell` showing `number`, or nothing when cell
    // is -1. `ended` when it stopped the reveal.
    virtual void ticked(int /*cell*/, int /*number*/, bool /*ended*/) { }
    // The board on the window was removed.
    virtual void boardRemoved() { }
    // The text box's text changed (a report, or emptied).
    virtual void textChanged(const std::string & /*text*/) { }
};

// What a reveal tick did: the cell it revealed (-1 for none), the number that
// cell shows, and whether it was the reveal's last tick.
struct RevealStep
{
    int cell = -1;
    int number = 0;
    bool ended = false;
};

// The run of one lesson, from the window's opening to its closing: the size
// list's selection, the orientation, the board and its reveal, the report,
// and what each control offers in the five interaction states. Plain C++:
// a view forwards its events here and draws view() after each.
class LessonRun
{
public:
    // The list's entries are the odd orders 3, 5, ... 21.
    static constexpr int SizeCount = 10;
    // 0 <= index < SizeCount
    static int sizeEntry(int index) { return 3 + 2 * index; }

    // The events, as the lesson sees them.

    // An entry of the size list chosen, -1 when the list lost its selection
    // (which does nothing). Returns whether a board was built. The list must
    // be enabled; -1 <= index < SizeCount, and one above 255 is fatal.
    bool chooseSize(int index);
    // One step of the reveal; the timer must be running.
    RevealStep tick();
    // Removes the board, if one is on; returns whether it did.
    bool clear();
    // An orientation chosen (the frame must be enabled): the board goes and
    // the text box empties. Returns whether a board was removed.
    bool chooseOrientation(Orientation orientation);
    // A revealed cell clicked: its report goes into the text box.
    // 0 <= index < order() * order()
    const std::string &reportCell(int index);

    // The listener must outlive the run.
    void addListener(LessonListener *listener);

    // What every control shows now.
    LessonView view() const;

    // The state.
    const MagicSquare &square() const { return Square; }
    double squareOrder() const { return SquareOrder; }
    // SquareOrder as the whole number the board uses.
    int order() const;
    std::int16_t revealCounter() const { return RevealCounter; }
    bool boardCleared() const { return BoardCleared; }
    // The selected entry of the size list, -1 for none.
    int selection() const { return m_selection; }
    Orientation orientation() const { return m_orientation; }
    bool timerRunning() const { return m_timerRunning; }

private:
    void setSquareOrder(double order);
    void BuildSquare();
    void ShowBoard();
    bool ClearBoard();
    void setText(const std::string &text);

    MagicSquare Square;
    double SquareOrder = 0.0;
    std::int16_t RevealCounter = 0;
    bool BoardCleared = true;
    int m_selection = -1;
    Orientation m_orientation = Orientation::Top;
    bool m_timerRunning = false;
    // "Чисти" is enabled by a new board and by a reveal's end, even one whose
    // board was cleared in its first interval; locked by a tick and a clear.
    bool m_clearEnabled = false;
    // Whether any board was built: the picture goes with the first.
    bool m_boardBuilt = false;
    bool m_textVisible = true;
    bool m_explanationShown = true;
    std::string m_text;
    std::vector<LessonListener *> m_listeners;
};
