// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

struct xcb_connection_t;

// Qt aborts with a plugin dump when it cannot reach the X display or load the
// windowing system it is told to use. Before the window is opened, find out
// whether it can be: on X11 by connecting to the display; where Qt is told
// which windowing system to use (QT_QPA_PLATFORM), by looking for its
// plugin; without an X display, by looking for the Wayland display's socket
// and Qt's Wayland plugin. What is there, Qt then chooses among.
class DisplayCheck
{
public:
    DisplayCheck();
    // Keep the check alive until Qt has connected: an X server whose last
    // client leaves resets itself, and a connection made meanwhile fails.
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck &) = delete;
    DisplayCheck &operator=(const DisplayCheck &) = delete;

    // Empty if the window can be opened, else one line saying what is wrong.
    QString problem() const { return m_problem; }

private:
    // Empty if Qt can open a window on `platform` ("xcb", "wayland").
    QString problemWith(const QString &platform);

    xcb_connection_t *m_connection = nullptr;
    QString m_problem;
};
