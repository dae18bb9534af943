// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessible>
#include <QHash>
#include <QObject>
#include <QSet>

class MainForm;

// What a screen reader finds in the page. Qt draws the window on a canvas
// and tells the browser nothing about it, so this keeps a tree of ARIA
// elements over the canvas in step with the window's accessibility tree:
// every role, name, description and state is read from Qt's accessible
// interfaces whenever Qt reports a change, and the screen reader's focus
// moves and activations go back to Qt as accessible actions. A report
// written in the report box is read out through a live region.
class AccessibleMirror : public QObject
{
public:
    explicit AccessibleMirror(MainForm *form);

    // Called by the page: the screen reader activated or focused an element.
    static void activate(QAccessible::Id id);
    static void focusFromPage(QAccessible::Id id);

private:
    // One element of the mirror, as last handed to the page.
    struct Node
    {
        QAccessible::Id parent = 0;
        int index = 0;
        const char *role = "";
        QString name;
        QString description;
        QString text;
        unsigned flags = 0;
        QRectF place;

        bool operator==(const Node &other) const;
    };

    static void noticeEvent(QAccessibleEvent *event);
    void notice(QAccessibleEvent *event);
    void schedule();
    void sync();
    void visit(QAccessibleInterface *iface, QAccessible::Id parent, int index, const QRectF &parentRect,
               QSet<QAccessible::Id> &seen);

    MainForm *m_form;
    QHash<QAccessible::Id, Node> m_nodes;
    QAccessible::Id m_focus = 0;
    QAccessible::Id m_focusShown = 0;
    QSet<QAccessible::Id> m_written;
    bool m_pending = false;
};
