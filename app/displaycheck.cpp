#include "displaycheck.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

bool isSet(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value;
}

} // namespace

DisplayCheck::DisplayCheck()
{
    if (isSet("QT_QPA_PLATFORM"))
        return;
    if (!isSet("DISPLAY")) {
        if (!isSet("WAYLAND_DISPLAY"))
            m_problem = QStringLiteral("няма графичен дисплей (променливата DISPLAY не е зададена)");
        return;
    }
    // Connecting is the only sure test: a display may listen on an abstract
    // socket or on TCP, or refuse the connection.
    m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection))
        m_problem = QStringLiteral("дисплеят „%1“ е недостъпен").arg(QString::fromLocal8Bit(std::getenv("DISPLAY")));
}

DisplayCheck::~DisplayCheck()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}
