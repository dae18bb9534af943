#pragma once

#include <QString>

struct xcb_connection_t;

// Qt aborts with a plugin dump when it cannot reach the X display. Before the
// window is opened, find out whether it can be by connecting to it. Where Qt
// is told which windowing system to use (QT_QPA_PLATFORM), or may choose
// Wayland, the choice is left to Qt.
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
    xcb_connection_t *m_connection = nullptr;
    QString m_problem;
};
