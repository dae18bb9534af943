// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "displaycheck.h"

#include <QCoreApplication>
#include <QDir>
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

// Qt tries the platforms of QT_QPA_PLATFORM in turn ("wayland;xcb"), each
// maybe with options ("offscreen:configfile=..."); empty when one is there.
QString missingPlatform()
{
    const QString wanted = qEnvironmentVariable("QT_QPA_PLATFORM");
    QString first;
    for (const QString &entry : wanted.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0);
        if (platformInstalled(name))
            return {};
        if (first.isEmpty())
            first = name;
    }
    if (first.startsWith(QLatin1String("wayland"))) {
        return QStringLiteral("QT_QPA_PLATFORM=%1 иска Wayland, а модулът на Qt за Wayland не е инсталиран; "
                              "инсталирайте пакета qt6-wayland или махнете QT_QPA_PLATFORM")
            .arg(wanted);
    }
    return QStringLiteral("QT_QPA_PLATFORM=%1 иска платформа „%2“, каквато Qt няма; "
                          "задайте QT_QPA_PLATFORM=xcb или я махнете")
        .arg(wanted, first);
}

} // namespace

DisplayCheck::DisplayCheck()
{
    if (isSet("QT_QPA_PLATFORM")) {
        m_problem = missingPlatform();
        return;
    }
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
