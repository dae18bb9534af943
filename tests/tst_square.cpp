// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lesson.h"
#include "magicsquare.h"
#include "reports.h"

#include <QCoreApplication>
#include <QTest>

#include <set>
#include <vector>

class TestSquare : public QObject
{
    Q_OBJECT

private slots:
    void everyOrder_data();
    void everyOrder();
    void smallSquaresCellByCell_data();
    void smallSquaresCellByCell();
    void smallerSquareLeavesLargerAround();
    void cellReport_data();
    void cellReport();
    void largestReport();
    void printedSquare_data();
    void printedSquare();
    void unusedRowAndColumnStayZero();
};

void TestSquare::everyOrder_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("magic");
    QTest::addColumn<int>("topLeft");
    QTest::addColumn<int>("centre");
    QTest::addColumn<int>("bottomRight");

    QTest::newRow("3") << 3 << 15 << 8 << 5 << 2;
    QTest::newRow("5") << 5 << 65 << 17 << 13 << 9;
    QTest::newRow("7") << 7 << 175 << 30 << 25 << 20;
    QTest::newRow("9") << 9 << 369 << 47 << 41 << 35;
    QTest::newRow("11") << 11 << 671 << 68 << 61 << 54;
    QTest::newRow("13") << 13 << 1105 << 93 << 85 << 77;
    QTest::newRow("15") << 15 << 1695 << 122 << 113 << 104;
    QTest::newRow("17") << 17 << 2465 << 155 << 145 << 135;
    QTest::newRow("19") << 19 << 3439 << 192 << 181 << 170;
    QTest::newRow("21") << 21 << 4641 << 233 << 221 << 209;
}

void TestSquare::everyOrder()
{
    QFETCH(int, n);
    QFETCH(int, magic);
    QFETCH(int, topLeft);
    QFETCH(int, centre);
    QFETCH(int, bottomRight);

    MagicSquare square;
    square.build(n);
    const int m = (n + 1) / 2;

    std::set<int> seen;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            seen.insert(square.at(i, j));
    QCOMPARE(int(seen.size()), n * n);
    QCOMPARE(*seen.begin(), 1);
    QCOMPARE(*seen.rbegin(), n * n);

    int diagonal = 0;
    int antiDiagonal = 0;
    for (int i = 1; i <= n; ++i) {
        int row = 0;
        int column = 0;
        for (int j = 1; j <= n; ++j) {
            row += square.at(i, j);
            column += square.at(j, i);
        }
        QCOMPARE(row, magic);
        QCOMPARE(column, magic);
        diagonal += square.at(i, i);
        antiDiagonal += square.at(i, n + 1 - i);
    }
    QCOMPARE(diagonal, magic);
    QCOMPARE(antiDiagonal, magic);

    QCOMPARE(int(square.at(1, m)), 1);
    QCOMPARE(int(square.at(n, m)), n * n);
    QCOMPARE(int(square.at(m, m)), centre);
    QCOMPARE(int(square.at(1, 1)), topLeft);
    QCOMPARE(int(square.at(n, n)), bottomRight);

    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            QCOMPARE(square.at(i, j) + square.at(n + 1 - i, n + 1 - j), n * n + 1);

    // The construction walk: up and right with wrap-around, straight down
    // after every multiple of n.
    std::vector<std::pair<int, int>> where(n * n + 1);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            where[square.at(i, j)] = {i, j};
    for (int v = 1; v < n * n; ++v) {
        const auto [row, column] = where[v];
        const auto expected = v % n == 0 ? std::make_pair(row + 1, column)
                                         : std::make_pair(row == 1 ? n : row - 1, column == n ? 1 : column + 1);
        QVERIFY2(where[v + 1] == expected, qPrintable(QStringLiteral("after %1").arg(v)));
    }

    // The printout in both orientations: every row ends with the magic sum,
    // the last line holds n magic column sums, and its numbers are the square's.
    for (const bool transposed : {false, true}) {
        const Orientation orientation = transposed ? Orientation::Left : Orientation::Top;
        const QStringList lines = QString::fromStdString(squareText(square, n, orientation)).split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), n + 2);
        QCOMPARE(lines.constLast(), QString());
        for (int i = 1; i <= n; ++i) {
            const QStringList sides = lines[i - 1].split(QStringLiteral(" = "));
            QCOMPARE(sides.size(), 2);
            QCOMPARE(sides[1].trimmed().toInt(), magic);
            const QStringList numbers = sides[0].split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QCOMPARE(numbers.size(), n);
            for (int j = 1; j <= n; ++j)
                QCOMPARE(numbers[j - 1].toInt(), int(transposed ? square.at(j, i) : square.at(i, j)));
        }
        const QStringList sums = lines[n].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QCOMPARE(sums, QStringList(n, QString::number(magic)));
    }

    // The board: cells numbered down the columns, each number shown by
    // exactly one cell, the left board the top one mirrored on its diagonal.
    for (int k = 0; k < n * n; ++k) {
        const CellPlace place = cellPlace(k, n);
        QCOMPARE(cellIndex(place, n), k);
        QVERIFY(place.row >= 1 && place.row <= n && place.column >= 1 && place.column <= n);
    }
    for (int v = 1; v <= n * n; ++v) {
        const CellPlace top = cellPlace(cellShowing(square, n, Orientation::Top, v), n);
        const CellPlace left = cellPlace(cellShowing(square, n, Orientation::Left, v), n);
        QCOMPARE(int(square.at(top.row, top.column)), v);
        QCOMPARE(int(shownValue(square, Orientation::Left, left)), v);
        QVERIFY(left.row == top.column && left.column == top.row);
    }
    for (const Orientation orientation : {Orientation::Top, Orientation::Left}) {
        QCOMPARE(cellShowing(square, n, orientation, 0), -1);
        QCOMPARE(cellShowing(square, n, orientation, n * n + 1), -1);
    }
}

// The report of a cell exactly: lines ended by CR LF, the row's line first
// on the top board, the column's on the left one.
void TestSquare::cellReport_data()
{
    addReportRows();
}

void TestSquare::cellReport()
{
    QFETCH(int, n);
    QFETCH(bool, left);
    QFETCH(int, cell);
    QFETCH(QString, expected);

    MagicSquare square;
    square.build(n);
    QCOMPARE(QString::fromStdString(::cellReport(square, n, left ? Orientation::Left : Orientation::Top, cell)),
             expected);
}

// The largest board's last cell: 21 terms a line, sums past 4,000.
void TestSquare::largestReport()
{
    MagicSquare square;
    square.build(21);
    const QStringList lines =
        QString::fromStdString(::cellReport(square, 21, Orientation::Top, 440)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], QStringLiteral("Ред: 21, Колона: 21"));
    QVERIFY(lines[2].startsWith(QStringLiteral("Ред: 211 + 234 + ")));
    QVERIFY(lines[2].endsWith(QLatin1String(" + 209 = 4641")));
    QVERIFY(lines[3].startsWith(QStringLiteral("Колона: 231 + 232 + ")));
    QVERIFY(lines[3].endsWith(QLatin1String(" + 209 = 4641")));
    QCOMPARE(lines[2].count(QLatin1String(" + ")), 20);
    QCOMPARE(lines[4], QString());
}

void TestSquare::smallSquaresCellByCell_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<int>>("rows");

    QTest::newRow("3") << 3 << QList<int>{8, 1, 6, 3, 5, 7, 4, 9, 2};
    QTest::newRow("5") << 5 << QList<int>{17, 24, 1,  8,  15, 23, 5, 7,  14, 16, 4, 6, 13,
                                          20, 22, 10, 12, 19, 21, 3, 11, 18, 25, 2, 9};
}

void TestSquare::smallSquaresCellByCell()
{
    QFETCH(int, n);
    QFETCH(QList<int>, rows);

    MagicSquare square;
    square.build(n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            QCOMPARE(int(square.at(i, j)), rows[(i - 1) * n + (j - 1)]);
}

// The worksheet text exactly, columns as wide as the widest sum.
void TestSquare::printedSquare_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("transposed");
    QTest::addColumn<QString>("text");

    QTest::newRow("3 top") << 3 << false << QStringLiteral(" 8  1  6 = 15\n 3  5  7 = 15\n 4  9  2 = 15\n15 15 15\n");
    QTest::newRow("3 left") << 3 << true << QStringLiteral(" 8  3  4 = 15\n 1  5  9 = 15\n 6  7  2 = 15\n15 15 15\n");
    QTest::newRow("5 top") << 5 << false
                           << QStringLiteral("17 24  1  8 15 = 65\n23  5  7 14 16 = 65\n 4  6 13 20 22 = 65\n"
                                             "10 12 19 21  3 = 65\n11 18 25  2  9 = 65\n65 65 65 65 65\n");
    QTest::newRow("5 left") << 5 << true
                            << QStringLiteral("17 23  4 10 11 = 65\n24  5  6 12 18 = 65\n 1  7 13 19 25 = 65\n"
                                              " 8 14 20 21  2 = 65\n15 16 22  3  9 = 65\n65 65 65 65 65\n");
}

void TestSquare::printedSquare()
{
    QFETCH(int, n);
    QFETCH(bool, transposed);
    QFETCH(QString, text);

    MagicSquare square;
    square.build(n);
    QCOMPARE(QString::fromStdString(squareText(square, n, transposed ? Orientation::Left : Orientation::Top)), text);
}

void TestSquare::smallerSquareLeavesLargerAround()
{
    MagicSquare seven;
    seven.build(7);
    MagicSquare five;
    five.build(5);

    MagicSquare square;
    square.build(7);
    square.build(5);
    for (int i = 1; i <= 7; ++i) {
        for (int j = 1; j <= 7; ++j) {
            const MagicSquare &expected = (i <= 5 && j <= 5) ? five : seven;
            QCOMPARE(square.at(i, j), expected.at(i, j));
        }
    }
}

void TestSquare::unusedRowAndColumnStayZero()
{
    MagicSquare square;
    square.build(21);
    square.build(3);
    for (int k = 0; k <= MagicSquare::MaxIndex; ++k) {
        QCOMPARE(int(square.at(0, k)), 0);
        QCOMPARE(int(square.at(k, 0)), 0);
        QCOMPARE(int(square.at(22, k)), 0);
        QCOMPARE(int(square.at(k, 22)), 0);
    }
    QCOMPARE(int(square.at(21, 21)), 209);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    TestSquare test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_square.moc"
