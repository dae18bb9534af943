// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lessonrun.h"
#include "states.h"

#include <QTest>

namespace {

// The run's state in one line, as states.h writes it.
QString state(const LessonRun &run)
{
    const LessonView view = run.view();
    int visible = 0;
    for (const CellView &cell : view.cells)
        visible += cell.visible;
    QString text = QStringLiteral("report");
    if (!view.textVisible)
        text = QStringLiteral("hidden");
    else if (view.explanationShown)
        text = QStringLiteral("explanation");
    else if (view.text.empty())
        text = QStringLiteral("empty");
    const auto onOff = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
    const int entry = view.selection;
    return QStringLiteral("%1 %2 list:%3/%4 clear:%5 frame:%6 cells:%7/%8 text:%9 image:%10")
        .arg(run.boardCleared() ? QStringLiteral("cleared") : QStringLiteral("board"))
        .arg(view.timerRunning ? QStringLiteral("running") : QStringLiteral("stopped"))
        .arg(onOff(view.listEnabled))
        .arg(entry == -1 ? QStringLiteral("none") : QString::number(LessonRun::sizeEntry(entry)))
        .arg(onOff(view.clearEnabled))
        .arg(onOff(view.frameEnabled))
        .arg(view.cells.size())
        .arg(visible)
        .arg(text)
        .arg(view.imageVisible ? QStringLiteral("shown") : QStringLiteral("hidden"));
}

// One event, or a number of ticks ("ticks 9").
void act(LessonRun &run, const QString &action)
{
    const QString verb = action.section(QLatin1Char(' '), 0, 0);
    const int number = action.section(QLatin1Char(' '), 1).toInt();
    if (verb == QLatin1String("select"))
        run.chooseSize((number - 3) / 2);
    for (int i = 0; verb.startsWith(QLatin1String("tick")) && i < (verb == QLatin1String("ticks") ? number : 1); ++i)
        run.tick();
    if (verb == QLatin1String("clear"))
        run.clear();
    if (verb == QLatin1String("top") || verb == QLatin1String("left"))
        run.chooseOrientation(verb == QLatin1String("left") ? Orientation::Left : Orientation::Top);
    if (verb == QLatin1String("cell"))
        run.reportCell(number);
}

} // namespace

using namespace States;

class TestLessonRun : public QObject
{
    Q_OBJECT

private slots:
    void transition_data();
    void transition();
    void reveal_data();
    void reveal();
    void boardKeys_data();
    void boardKeys();
};

void TestLessonRun::transition_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");

    QTest::newRow("start") << "" << NoBoardAtStart;
    QTest::newRow("no board: select") << "select 3" << FirstInterval;
    for (const char *option : {"left", "top"}) {
        QTest::addRow("no board: %s empties the text", option)
            << option << "cleared stopped list:on/none clear:off frame:on cells:1/0 text:empty image:shown";
        QTest::addRow("first interval: %s", option)
            << QStringLiteral("select 3, %1").arg(option) << ClearedWhileRunning;
        QTest::addRow("complete: %s", option)
            << QStringLiteral("select 3, ticks 10, %1").arg(option) << NoBoardAfterClear;
    }
    QTest::newRow("no board, Чисти left enabled: it changes nothing")
        << "select 3, clear, tick, clear"
        << "cleared stopped list:on/none clear:on frame:on cells:1/0 text:empty image:hidden";
    QTest::newRow("first interval: tick 1")
        << "select 3, tick"
        << "board running list:off/3 clear:off frame:off cells:9/0 text:hidden image:hidden";
    QTest::newRow("first interval: Чисти") << "select 3, clear" << ClearedWhileRunning;
    QTest::newRow("revealing: a tick") << "select 3, ticks 3" << RevealingTwo;
    QTest::newRow("revealing: a visible cell")
        << "select 3, ticks 3, cell 8"
        << "board running list:off/3 clear:off frame:off cells:9/2 text:report image:hidden";
    QTest::newRow("revealing: the last tick") << "select 3, ticks 10" << BoardComplete;
    QTest::newRow("complete, after a report: Чисти") << "select 3, ticks 10, cell 4, clear" << NoBoardAfterClear;
    QTest::newRow("no board after a clear: a second board") << "select 3, ticks 10, clear, select 3" << FirstInterval;
    QTest::newRow("cleared while running: the next tick")
        << "select 3, clear, tick"
        << "cleared stopped list:on/none clear:on frame:on cells:1/0 text:empty image:hidden";
    QTest::newRow("cleared while running: select")
        << "select 3, clear, select 5"
        << "board running list:off/5 clear:on frame:on cells:25/0 text:hidden image:hidden";
    QTest::newRow("cleared while running: Ляво") << "select 3, clear, left" << ClearedWhileRunning;
}

void TestLessonRun::transition()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);

    LessonRun run;
    for (const QString &action : steps.split(QStringLiteral(", ")))
        act(run, action);
    QCOMPARE(state(run), expected);
}

// Each tick of a whole reveal: the cell it shows, the caption it writes, the
// locks, and the end; the board as it reads when done, row by row.
void TestLessonRun::reveal_data()
{
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<int>>("cells");
    QTest::addColumn<QString>("finished");

    QTest::newRow("3, top") << QStringList{"select 3"} << 3 << QList<int>{3, 8, 1, 2, 4, 6, 7, 0, 5}
                            << "8 1 6 / 3 5 7 / 4 9 2 /";
    QTest::newRow("3, left") << QStringList{"left", "select 3"} << 3 << QList<int>{1, 8, 3, 6, 4, 2, 5, 0, 7}
                             << "8 3 4 / 1 5 9 / 6 7 2 /";
    QTest::newRow("3, left after a top board") << QStringList{"select 3", "ticks 10", "left", "select 3"} << 3
                                               << QList<int>{1, 8, 3, 6, 4, 2, 5, 0, 7} << "8 3 4 / 1 5 9 / 6 7 2 /";
    QTest::newRow("5 after a clear in the first interval")
        << QStringList{"select 3", "clear", "select 5"} << 5 << QList<int>{10, 19, 23, 2, 6} << "";
    QTest::newRow("21") << QStringList{"select 21"} << 21 << QList<int>{210} << "";
}

void TestLessonRun::reveal()
{
    QFETCH(QStringList, path);
    QFETCH(int, n);
    QFETCH(QList<int>, cells);
    QFETCH(QString, finished);

    LessonRun run;
    for (const QString &action : path)
        act(run, action);
    QCOMPARE(run.revealCounter(), std::int16_t(0));
    for (int tick = 1; tick <= n * n + 1; ++tick) {
        const RevealStep step = run.tick();
        const LessonView view = run.view();
        QCOMPARE(step.cell, tick == 1 ? -1 : cells.value(tick - 2, step.cell));
        QCOMPARE(step.number, tick - 1);
        if (step.cell >= 0)
            QCOMPARE(view.cells[step.cell].caption, std::int16_t(tick - 1));
        QCOMPARE(step.ended, tick == n * n + 1);
        QCOMPARE(view.clearEnabled, step.ended);
        QCOMPARE(view.frameEnabled, step.ended);
        QCOMPARE(view.timerRunning, !step.ended);
    }
    QCOMPARE(run.revealCounter(), std::int16_t(n * n + 1));
    QString board;
    for (int k = 0; k < n * n && n == 3; ++k)
        board += QString::number(run.view().cells[k % 3 * 3 + k / 3].caption) + (k % 3 == 2 ? " / " : " ");
    QCOMPARE(board.trimmed(), finished);
}

// Where the keyboard goes on the board: an arrow key from a cell ("down 3"),
// or the tab stop when a cell was focused last ("tab 220"; -1 for none).
void TestLessonRun::boardKeys_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("to");

    // A 3 x 3 board with 1..5 revealed: cells 3 (1), 8 (2), 1 (3), 2 (4) and
    // 4 (5); 8, 9, 6 and 7 are still hidden in cells 0, 5, 6 and 7.
    const QString five = QStringLiteral("select 3, ticks 6");
    QTest::newRow("down to a revealed neighbour") << five << "down 3" << 4;
    QTest::newRow("left") << five << "left 4" << 1;
    QTest::newRow("right skips a hidden cell") << five << "right 2" << 8;
    QTest::newRow("up finds only hidden cells") << five << "up 8" << -1;
    QTest::newRow("up at the edge") << five << "up 3" << -1;
    QTest::newRow("up skips nothing hidden") << five << "up 2" << 1;
    // The transposed board 8 3 4 / 1 5 9 / 6 7 2: 1 in cell 1, 5 in cell 4, 6 in cell 2.
    QTest::newRow("left board: down finds a hidden 6") << "left, select 3, ticks 3"
                                                       << "down 1" << -1;
    QTest::newRow("left board: right finds a hidden 5 and 9") << "left, select 3, ticks 4"
                                                              << "right 1" << -1;
    QTest::newRow("left board: down to the 6") << "left, select 3, ticks 7"
                                               << "down 1" << 2;
    QTest::newRow("left board: right to the 5") << "left, select 3, ticks 7"
                                                << "right 1" << 4;
    // The report box covers rows 17 and below of a large board.
    const QString reported = QStringLiteral("select 21, ticks 442, cell 14");
    QTest::newRow("down into the report box") << reported << "down 15" << -1;
    QTest::newRow("up out of row 16") << reported << "up 15" << 14;
    QTest::newRow("tab: the cell focused last") << "select 21, ticks 442"
                                                << "tab 220" << 220;
    QTest::newRow("tab: the last cell, no report") << "select 21, ticks 442"
                                                   << "tab 440" << 440;
    QTest::newRow("tab: the last cell under the report") << reported << "tab 440" << 0;
    QTest::newRow("tab: a cell above the report") << reported << "tab 15" << 15;
    QTest::newRow("tab: the first revealed in reading order") << five << "tab -1" << 3;
    QTest::newRow("tab: nothing revealed") << "select 3, tick"
                                           << "tab -1" << -1;
}

void TestLessonRun::boardKeys()
{
    QFETCH(QString, steps);
    QFETCH(QString, key);
    QFETCH(int, to);

    LessonRun run;
    for (const QString &action : steps.split(QStringLiteral(", ")))
        act(run, action);
    const LessonView view = run.view();
    const QString direction = key.section(QLatin1Char(' '), 0, 0);
    const int from = key.section(QLatin1Char(' '), 1).toInt();
    if (direction == QLatin1String("tab")) {
        QCOMPARE(boardTabStop(view, from), to);
        return;
    }
    const int rowStep = direction == QLatin1String("down") ? 1 : direction == QLatin1String("up") ? -1 : 0;
    const int columnStep = direction == QLatin1String("right") ? 1 : direction == QLatin1String("left") ? -1 : 0;
    QCOMPARE(cellInDirection(view, from, rowStep, columnStep), to);
}

QTEST_GUILESS_MAIN(TestLessonRun)
#include "tst_lessonrun.moc"
