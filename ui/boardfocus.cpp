// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "boardfocus.h"

#include "buttonarray.h"
#include "lessonrun.h"

#include <QKeyEvent>
#include <QPushButton>

BoardFocus::BoardFocus(ButtonArray *cells, const LessonRun &lesson, QObject *parent)
    : QObject(parent)
    , m_cells(cells)
    , m_lesson(lesson)
{
    QPushButton *first = m_cells->element(0);
    first->setFocusPolicy(Qt::ClickFocus);
    first->installEventFilter(this);
}

void BoardFocus::addCell(int index)
{
    QPushButton *cell = m_cells->element(index);
    QWidget::setTabOrder(m_cells->element(index - 1), cell);
    cell->installEventFilter(this);
}

void BoardFocus::showLesson(const LessonView &view)
{
    const int last = m_tabStop ? m_cells->indexOf(m_tabStop) : -1;
    const int stop = view.order == 0 ? -1 : boardTabStop(view, last);
    setTabStop(stop < 0 ? nullptr : m_cells->element(stop));
}

QPushButton *BoardFocus::returnPoint(QPushButton *cell) const
{
    const bool seen = cellCanTakeFocus(m_lesson.view(), m_cells->indexOf(cell));
    return seen || !m_tabStop ? cell : m_tabStop.data();
}

bool BoardFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        setTabStop(static_cast<QPushButton *>(watched));
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const int index = m_cells->indexOf(watched);
    if (index < 0)
        return false;
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Up:
        move(index, -1, 0);
        return true;
    case Qt::Key_Down:
        move(index, 1, 0);
        return true;
    case Qt::Key_Left:
        move(index, 0, -1);
        return true;
    case Qt::Key_Right:
        move(index, 0, 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_cells->element(index)->click();
        return true;
    default:
        return false;
    }
}

void BoardFocus::move(int index, int rowStep, int columnStep)
{
    const int next = cellInDirection(m_lesson.view(), index, rowStep, columnStep);
    if (next < 0)
        return;
    QPushButton *cell = m_cells->element(next);
    // Moved by a key, so the style draws the focus, as after Tab.
    cell->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    cell->setFocus(Qt::OtherFocusReason);
}

void BoardFocus::setTabStop(QPushButton *cell)
{
    if (cell == m_tabStop)
        return;
    if (m_tabStop)
        m_tabStop->setFocusPolicy(Qt::ClickFocus);
    m_tabStop = cell;
    if (m_tabStop)
        m_tabStop->setFocusPolicy(Qt::StrongFocus);
}
