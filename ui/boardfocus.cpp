// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "boardfocus.h"

#include "buttonarray.h"
#include "lesson.h"

#include <QKeyEvent>
#include <QPushButton>

BoardFocus::BoardFocus(ButtonArray *cells, QWidget *cover, QObject *parent)
    : QObject(parent)
    , m_cells(cells)
    , m_cover(cover)
{
    QPushButton *first = m_cells->element(0);
    first->setFocusPolicy(Qt::ClickFocus);
    first->installEventFilter(this);
    m_cover->installEventFilter(this);
}

void BoardFocus::addCell(int index)
{
    QPushButton *cell = m_cells->element(index);
    QWidget::setTabOrder(m_cells->element(index - 1), cell);
    cell->installEventFilter(this);
}

QPushButton *BoardFocus::returnPoint(QPushButton *cell) const
{
    return canTakeFocus(cell) || !m_tabStop ? cell : m_tabStop.data();
}

bool BoardFocus::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        // A cell revealed or removed, or the report box shown over the board.
        updateTabStop();
        return false;
    case QEvent::FocusIn:
        if (watched != m_cover)
            setTabStop(static_cast<QPushButton *>(watched));
        return false;
    case QEvent::KeyPress:
        break;
    default:
        return false;
    }

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

// A cell under the report box cannot be seen, so it cannot take the focus
// any more than a hidden one.
bool BoardFocus::canTakeFocus(const QPushButton *cell) const
{
    return !cell->isHidden() && (m_cover->isHidden() || !m_cover->geometry().contains(cell->geometry().center()));
}

void BoardFocus::move(int index, int rowStep, int columnStep)
{
    CellPlace place = cellPlace(index, m_order);
    for (;;) {
        place.row += rowStep;
        place.column += columnStep;
        if (place.row < 1 || place.row > m_order || place.column < 1 || place.column > m_order)
            return;
        QPushButton *next = m_cells->element(cellIndex(place, m_order));
        if (canTakeFocus(next)) {
            // Moved by a key, so the style draws the focus, as after Tab.
            next->window()->setAttribute(Qt::WA_KeyboardFocusChange);
            next->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void BoardFocus::updateTabStop()
{
    if (m_tabStop && canTakeFocus(m_tabStop))
        return;
    for (int row = 1; row <= m_order; ++row) {
        for (int column = 1; column <= m_order; ++column) {
            const int index = cellIndex({row, column}, m_order);
            if (m_cells->exists(index) && canTakeFocus(m_cells->element(index)))
                return setTabStop(m_cells->element(index));
        }
    }
    setTabStop(nullptr);
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
