// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>

class ButtonArray;
class LessonRun;
struct LessonView;
class QPushButton;

// The keyboard on the board, moving Qt's focus where the lesson's rules say.
// The board is one stop in the tab order; the arrow keys move among the
// cells that can take the focus, and Enter asks for a cell's report as Space
// and a click do.
class BoardFocus : public QObject
{
    Q_OBJECT

public:
    // Watches element 0 of `cells`; `lesson` says what the board shows.
    BoardFocus(ButtonArray *cells, const LessonRun &lesson, QObject *parent = nullptr);

    // Element `index` of the cells, just created: it joins the tab order
    // after element index - 1.
    void addCell(int index);
    // The tab stop for the board as the window has just drawn it.
    void showLesson(const LessonView &view);
    // Where the focus goes to come back to `cell`: the cell itself, or, when
    // it is out of sight under the report box, the board's tab stop.
    QPushButton *returnPoint(QPushButton *cell) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void move(int index, int rowStep, int columnStep);
    void setTabStop(QPushButton *cell);

    ButtonArray *m_cells;
    const LessonRun &m_lesson;
    QPointer<QPushButton> m_tabStop;
};
