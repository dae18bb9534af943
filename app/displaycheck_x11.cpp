// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "displaycheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

bool isSet(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value;
}

// Whether a platform plugin answering to `name` ("xcb", "wayland") is installed.
bool platformInstalled(const QString &name)
{
    for (const QString &path : QCoreApplication::libraryPaths()) {
        const QDir platforms(path + QStringLiteral("/platforms"));
        for (const QString &file : platforms.entryList(QDir::Files)) {
            const QJsonArray keys = QPluginLoader(platforms.filePath(file))
                                        .metaData()
                                        .value(QStringLiteral("MetaData"))
                                        .toObject()
                                        .value(QStringLiteral("Keys"))
                                        .toArray();
            for (const QJsonValue &key : keys) {
                if (key.toString().compare(name, Qt::CaseInsensitive) == 0)
                    return true;
            }
        }
    }
    return false;
}

// Qt reaches a Wayland display through its socket; empty when it is there.
QString unreachableWayland()
{
    const QString name = qEnvironmentVariable("WAYLAND_DISPLAY");
    const QString socket =
        name.startsWith(QLatin1Char('/')) ? name : qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1Char('/') + name;
    if (name.isEmpty())
        return QStringLiteral("няма Wayland-дисплей (променливата WAYLAND_DISPLAY не е зададена)");
    if (!isSet("XDG_RUNTIME_DIR") && !name.startsWith(QLatin1Char('/')))
        return QStringLiteral("Wayland-дисплеят „%1“ е недостъпен (XDG_RUNTIME_DIR не е зададена)").arg(name);
    if (!QFileInfo::exists(socket))
        return QStringLiteral("Wayland-дисплеят „%1“ е недостъпен").arg(name);
    return {};
}

} // namespace

DisplayCheck::DisplayCheck()
{
    // Qt tries the platforms of QT_QPA_PLATFORM in turn ("wayland;xcb"),
    // each maybe with options ("offscreen:configfile=...").
    const QStringList wanted = qEnvironmentVariable("QT_QPA_PLATFORM").split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (wanted.isEmpty()) {
        if (isSet("DISPLAY"))
            m_problem = problemWith(QStringLiteral("xcb"));
        else if (isSet("WAYLAND_DISPLAY"))
            m_problem = problemWith(QStringLiteral("wayland"));
        else
            m_problem = QStringLiteral("няма графичен дисплей (променливата DISPLAY не е зададена)");
        return;
    }
    for (const QString &entry : wanted) {
        const QString problem = problemWith(entry.section(QLatin1Char(':'), 0, 0));
        if (problem.isEmpty()) {
            m_problem.clear();
            return;
        }
        if (m_problem.isEmpty())
            m_problem = problem;
    }
}

QString DisplayCheck::problemWith(const QString &platform)
{
    const bool wayland = platform.startsWith(QLatin1String("wayland"));
    if (!platformInstalled(platform)) {
        if (wayland)
            return QStringLiteral("модулът на Qt за Wayland не е инсталиран; инсталирайте пакета qt6-wayland "
                                  "или махнете QT_QPA_PLATFORM");
        return QStringLiteral("Qt няма платформа „%1“ (QT_QPA_PLATFORM); задайте QT_QPA_PLATFORM=xcb или я махнете")
            .arg(platform);
    }
    if (wayland)
        return unreachableWayland();
    if (platform != QLatin1String("xcb"))
        return {};
    if (!isSet("DISPLAY"))
        return QStringLiteral("няма графичен дисплей (променливата DISPLAY не е зададена)");
    // Connecting is the only sure test: a display may listen on an abstract
    // socket or on TCP, or refuse the connection.
    if (!m_connection)
        m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection))
        return QStringLiteral("дисплеят „%1“ е недостъпен").arg(QString::fromLocal8Bit(std::getenv("DISPLAY")));
    return {};
}

DisplayCheck::~DisplayCheck()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}
