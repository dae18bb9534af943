// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>
#include <QTest>

// The cell reports of reports.txt, built into the test as :/reports.txt.
struct ReportRow
{
    int n;
    bool left;
    int cell;
    QString text;
};

inline QList<ReportRow> reportRows()
{
    QFile file(QStringLiteral(":/reports.txt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the test has no reports.txt");
    QList<ReportRow> rows;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (!line.startsWith(QLatin1Char('#')) && fields.size() == 4) {
            rows.append({fields[0].toInt(), fields[1] == QLatin1String("left"), fields[2].toInt(),
                         QString(fields[3]).replace(QLatin1String("\\r\\n"), QLatin1String("\r\n"))});
        }
    }
    return rows;
}

// The report of one cell; a row missing from reports.txt stops the test.
inline QString reportOf(int n, bool left, int cell)
{
    for (const ReportRow &row : reportRows()) {
        if (row.n == n && row.left == left && row.cell == cell)
            return row.text;
    }
    qFatal("reports.txt has no report for cell %d of %d", cell, n);
}

// Every report as a table row: n, left, cell, expected.
inline void addReportRows()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("expected");
    for (const ReportRow &row : reportRows())
        QTest::addRow("%d, %s, cell %d", row.n, row.left ? "left" : "top", row.cell)
            << row.n << row.left << row.cell << row.text;
}
