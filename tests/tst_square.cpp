#include "magicsquare.h"

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
