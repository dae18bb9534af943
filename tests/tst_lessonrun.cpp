// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lessonrun.h"

#include <QCoreApplication>
#include <QTest>

namespace {

// The run's state in one line: the flag, the timer, the list (enabled,
// selection), "Чисти", the frame, the cells (existing/visible), the text box
// and the picture.
QString state(const LessonRun &run)
{
    int visible = 0;
    for (int k = 0; k < run.cellCount(); ++k)
        visible += run.cellVisible(k);
    QString text = QStringLiteral("report");
    if (!run.textVisible())
        text = QStringLiteral("hidden");
    else if (run.explanationShown())
        text = QStringLiteral("explanation");
    else if (run.text().empty())
        text = QStringLiteral("empty");
    const auto onOff = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
    const int entry = run.selection();
    return QStringLiteral("%1 %2 list:%3/%4 clear:%5 frame:%6 cells:%7/%8 text:%9 image:%10")
        .arg(run.boardCleared() ? QStringLiteral("cleared") : QStringLiteral("board"))
        .arg(run.timerRunning() ? QStringLiteral("running") : QStringLiteral("stopped"))
        .arg(onOff(run.listEnabled()))
        .arg(entry == -1 ? QStringLiteral("none") : QString::number(LessonRun::sizeEntry(entry)))
        .arg(onOff(run.clearEnabled()))
        .arg(onOff(run.frameEnabled()))
        .arg(run.cellCount())
        .arg(visible)
        .arg(text)
        .arg(run.imageVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"));
}

void act(LessonRun &run, const QString &action)
{
    const QStringList words = action.split(QLatin1Char(' '));
    const int number = words.value(1).toInt();
    for (int i = 0; i < (words[0] == QLatin1String("ticks") ? number : 1); ++i) {
        if (words[0] == QLatin1String("select"))
            run.List1_Click((number - 3) / 2);
        else if (words[0].startsWith(QLatin1String("tick")))
            run.Timer1_Timer();
        else if (words[0] == QLatin1String("clear"))
            run.ClearBoard();
        else if (words[0] == QLatin1String("top") || words[0] == QLatin1String("left"))
            run.Option1_Click(words[0] == QLatin1String("left") ? Orientation::Left : Orientation::Top);
        else if (words[0] == QLatin1String("cell"))
            run.Command1_Click(number);
        else if (words[0] != QLatin1String("nothing"))
            qFatal("unknown action %s", qPrintable(action));
    }
}

const QString NoBoardAfterClear =
    QStringLiteral("cleared stopped list:on/none clear:off frame:on cells:1/0 text:empty image:hidden");
const QString FirstInterval =
    QStringLiteral("board running list:off/3 clear:on frame:on cells:9/0 text:hidden image:hidden");
const QString ClearedWhileRunning =
    QStringLiteral("cleared running list:on/none clear:off frame:on cells:1/0 text:empty image:hidden");

} // namespace

class TestLessonRun : public QObject
{
    Q_OBJECT

private slots:
    void transition_data();
    void transition();
    void reveal_data();
    void reveal();
};

void TestLessonRun::transition_data()
{
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("expected");

    QTest::newRow("start") << QStringList{} << "nothing"
                           << "cleared stopped list:on/none clear:off frame:on cells:1/0 text:explanation image:shown";
    QTest::newRow("no board: select") << QStringList{} << "select 3" << FirstInterval;
    for (const char *option : {"left", "top"}) {
        QTest::addRow("no board: %s empties the text", option)
            << QStringList{} << option
            << "cleared stopped list:on/none clear:off frame:on cells:1/0 text:empty image:shown";
        QTest::addRow("first interval: %s", option) << QStringList{"select 3"} << option << ClearedWhileRunning;
        QTest::addRow("complete: %s", option) << QStringList{"select 3", "ticks 10"} << option << NoBoardAfterClear;
    }
    QTest::newRow("no board, Чисти left enabled: it changes nothing")
        << QStringList{"select 3", "clear", "tick"} << "clear"
        << "cleared stopped list:on/none clear:on frame:on cells:1/0 text:empty image:hidden";
    QTest::newRow("first interval: tick 1")
        << QStringList{"select 3"} << "tick"
        << "board running list:off/3 clear:off frame:off cells:9/0 text:hidden image:hidden";
    QTest::newRow("first interval: Чисти") << QStringList{"select 3"} << "clear" << ClearedWhileRunning;
    QTest::newRow("revealing: a tick")
        << QStringList{"select 3", "ticks 2"} << "tick"
        << "board running list:off/3 clear:off frame:off cells:9/2 text:hidden image:hidden";
    QTest::newRow("revealing: a visible cell")
        << QStringList{"select 3", "ticks 3"} << "cell 8"
        << "board running list:off/3 clear:off frame:off cells:9/2 text:report image:hidden";
    QTest::newRow("revealing: the last tick")
        << QStringList{"select 3", "ticks 9"} << "tick"
        << "board stopped list:off/3 clear:on frame:on cells:9/9 text:hidden image:hidden";
    QTest::newRow("complete, after a report: Чисти")
        << QStringList{"select 3", "ticks 10", "cell 4"} << "clear" << NoBoardAfterClear;
    QTest::newRow("no board after a clear: a second board")
        << QStringList{"select 3", "ticks 10", "clear"} << "select 3" << FirstInterval;
    QTest::newRow("cleared while running: the next tick")
        << QStringList{"select 3", "clear"} << "tick"
        << "cleared stopped list:on/none clear:on frame:on cells:1/0 text:empty image:hidden";
    QTest::newRow("cleared while running: select")
        << QStringList{"select 3", "clear"} << "select 5"
        << "board running list:off/5 clear:on frame:on cells:25/0 text:hidden image:hidden";
    QTest::newRow("cleared while running: Ляво") << QStringList{"select 3", "clear"} << "left" << ClearedWhileRunning;
}

void TestLessonRun::transition()
{
    QFETCH(QStringList, path);
    QFETCH(QString, event);
    QFETCH(QString, expected);

    LessonRun run;
    for (const QString &action : path + QStringList{event})
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
                            << "8 1 6 / 3 5 7 / 4 9 2";
    QTest::newRow("3, left") << QStringList{"left", "select 3"} << 3 << QList<int>{1, 8, 3, 6, 4, 2, 5, 0, 7}
                             << "8 3 4 / 1 5 9 / 6 7 2";
    QTest::newRow("3, left after a top board") << QStringList{"select 3", "ticks 10", "left", "select 3"} << 3
                                               << QList<int>{1, 8, 3, 6, 4, 2, 5, 0, 7} << "8 3 4 / 1 5 9 / 6 7 2";
    QTest::newRow("5 after a clear in the first interval")
        << QStringList{"select 3", "clear", "select 5"} << 5 << QList<int>{10, 19, 23, 2, 6} << QString();
    QTest::newRow("21") << QStringList{"select 21"} << 21 << QList<int>{210} << QString();
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
    const bool left = run.orientation() == Orientation::Left;
    QCOMPARE(run.revealCounter(), std::int16_t(0));
    for (int tick = 1; tick <= n * n + 1; ++tick) {
        const RevealStep step = run.Timer1_Timer();
        if (tick == 1)
            QCOMPARE(step.cell, -1);
        else if (tick - 2 < cells.size())
            QCOMPARE(step.cell, cells[tick - 2]);
        QCOMPARE(step.number, tick - 1);
        QCOMPARE(step.writesCaption, left && tick > 1);
        if (step.cell >= 0)
            QCOMPARE(run.cellCaption(step.cell), std::to_string(tick - 1));
        QCOMPARE(step.ended, tick == n * n + 1);
        QCOMPARE(run.clearEnabled() && run.frameEnabled(), step.ended);
        QCOMPARE(run.timerRunning(), !step.ended);
    }
    QCOMPARE(run.revealCounter(), std::int16_t(n * n + 1));
    QStringList rows;
    for (int row = 0; row < n; ++row) {
        QStringList numbers;
        for (int column = 0; column < n; ++column)
            numbers << QString::fromStdString(run.cellCaption(column * n + row));
        rows << numbers.join(QLatin1Char(' '));
    }
    if (!finished.isEmpty())
        QCOMPARE(rows.join(QStringLiteral(" / ")), finished);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    TestLessonRun test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_lessonrun.moc"
