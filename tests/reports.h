// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>
#include <QTest>

// Every report of reports.txt, built into the test as :/reports.txt, as a
// table row: n, left, cell, expected.
inline void addReportRows()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("expected");
    QFile file(QStringLiteral(":/reports.txt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the test has no reports.txt");
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (!line.startsWith(QLatin1Char('#')) && f.size() == 4)
            QTest::addRow("%s, %s, cell %s", qPrintable(f[0]), qPrintable(f[1]), qPrintable(f[2]))
                << f[0].toInt() << (f[1] == QLatin1String("left")) << f[2].toInt()
                << QString(f[3]).replace(QLatin1String("\\r\\n"), QLatin1String("\r\n"));
    }
}
