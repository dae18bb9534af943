// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>

class ButtonArray;
class QPushButton;
class QWidget;

// The keyboard on the board. The board is one stop in the tab order: one
// cell takes the focus by Tab, the one focused last or else the first a
// person can see in reading order; the others take it only by a click or an
// arrow key. The arrow keys move among the revealed cells that are not under
// `cover`, and Enter asks for a cell's report as Space and a click do.
class BoardFocus : public QObject
{
    Q_OBJECT

public:
    // Watches `cover` and element 0 of `cells`.
    BoardFocus(ButtonArray *cells, QWidget *cover, QObject *parent = nullptr);

    // The order of the board whose cells are added next.
    void setOrder(int n) { m_order = n; }
    // Element `index` of the cells, just created: it joins the tab order
    // after element index - 1.
    void addCell(int index);
    // Where the focus goes to come back to `cell`: the cell itself, or, when
    // it is out of sight under the cover, the board's tab stop.
    QPushButton *returnPoint(QPushButton *cell) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool canTakeFocus(const QPushButton *cell) const;
    void move(int index, int rowStep, int columnStep);
    void updateTabStop();
    void setTabStop(QPushButton *cell);

    ButtonArray *m_cells;
    QWidget *m_cover;
    int m_order = 1;
    QPointer<QPushButton> m_tabStop;
};
