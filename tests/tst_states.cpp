// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formdriver.h"
#include "states.h"

namespace {

// The window's state in one line: the flag, the timer, the list (enabled,
// selection), "Чисти", the frame, the cells (existing/visible), the text box
// and the picture.
QString state(const FormDriver &window)
{
    const QList<QListWidgetItem *> selected = window.list()->selectedItems();
    const TextBox *box = window.textBox();
    QString text = QStringLiteral("report");
    if (box->isHidden())
        text = QStringLiteral("hidden");
    else if (box->text().isEmpty())
        text = QStringLiteral("empty");
    else if (box->text().startsWith(QStringLiteral("Магически")))
        text = QStringLiteral("explanation");
    const auto onOff = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };

    return QStringLiteral("%1 %2 list:%3/%4 clear:%5 frame:%6 cells:%7/%8 text:%9 image:%10")
        .arg(window.form().lesson().boardCleared() ? QStringLiteral("cleared") : QStringLiteral("board"))
        .arg(window.timer()->isActive() ? QStringLiteral("running") : QStringLiteral("stopped"))
        .arg(onOff(window.list()->isEnabled()))
        .arg(selected.isEmpty() ? QStringLiteral("none") : selected.front()->text())
        .arg(onOff(window.clearButton()->isEnabled()))
        .arg(onOff(window.child(QStringLiteral("Frame1"))->isEnabled()))
        .arg(window.cellCount())
        .arg(window.visibleCells().size())
        .arg(text)
        .arg(window.child(QStringLiteral("Image1"))->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"));
}

// What a person (or the timer) does, all through real events but the tick.
void act(const FormDriver &window, const QString &action)
{
    const QStringList words = action.split(QLatin1Char(' '));
    const QString verb = words[0];
    const int number = words.value(1).toInt();
    if (verb == QLatin1String("select"))
        window.selectByMouse(words[1]);
    else if (verb == QLatin1String("type"))
        window.keysInList({Qt::Key(Qt::Key_0 + number), Qt::Key_Return});
    else if (verb == QLatin1String("tick"))
        window.tick();
    else if (verb == QLatin1String("ticks"))
        window.ticks(number);
    else if (verb == QLatin1String("clear"))
        window.click(window.clearButton());
    else if (verb == QLatin1String("top"))
        window.click(window.option(0));
    else if (verb == QLatin1String("left"))
        window.click(window.option(1));
    else if (verb == QLatin1String("cell"))
        window.click(window.cell(number));
    else if (verb == QLatin1String("label"))
        window.click(window.child(QStringLiteral("Label1_%1").arg(number)));
    else
        qFatal("unknown action %s", qPrintable(action));
}

} // namespace

using namespace States;

// The window in each state and at the events that only the window can
// ignore (a locked control, a hidden cell, a label); every rule of the states
// is tested on the lesson itself, in tst_lessonrun.
class TestStates : public QObject
{
    Q_OBJECT

private slots:
    void transition_data();
    void transition();
};

void TestStates::transition_data()
{
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("expected");

    QTest::newRow("start") << QStringList{} << "label 0" << NoBoardAtStart;
    QTest::newRow("no board: select by mouse") << QStringList{} << "select 3" << FirstInterval;
    QTest::newRow("no board: select by keyboard")
        << QStringList{} << "type 7"
        << "board running list:off/7 clear:on frame:on cells:49/0 text:hidden image:hidden";
    QTest::newRow("no board: Ляво empties the text")
        << QStringList{} << "left"
        << "cleared stopped list:on/none clear:off frame:on cells:1/0 text:empty image:shown";

    QTest::newRow("first interval: tick 1")
        << QStringList{"select 3"} << "tick"
        << "board running list:off/3 clear:off frame:off cells:9/0 text:hidden image:hidden";
    QTest::newRow("first interval: Чисти") << QStringList{"select 3"} << "clear" << ClearedWhileRunning;
    QTest::newRow("first interval: Горе, already chosen") << QStringList{"select 3"} << "top" << ClearedWhileRunning;

    const QStringList revealing{"select 3", "ticks 3"};
    QTest::newRow("revealing: the last tick") << QStringList{"select 3", "ticks 9"} << "tick" << BoardComplete;
    QTest::newRow("revealing: a visible cell")
        << revealing << "cell 8"
        << "board running list:off/3 clear:off frame:off cells:9/2 text:report image:hidden";
    QTest::newRow("revealing: a hidden cell") << revealing << "cell 4" << RevealingTwo;
    QTest::newRow("revealing: Чисти is locked") << revealing << "clear" << RevealingTwo;
    QTest::newRow("revealing: Ляво is locked") << revealing << "left" << RevealingTwo;
    QTest::newRow("revealing: the list is locked") << revealing << "select 5" << RevealingTwo;
    QTest::newRow("revealing: a label") << revealing << "label 1" << RevealingTwo;

    const QStringList complete{"select 3", "ticks 10"};
    QTest::newRow("complete: Чисти") << complete << "clear" << NoBoardAfterClear;
    QTest::newRow("complete: Горе, already chosen") << complete << "top" << NoBoardAfterClear;
    QTest::newRow("complete: the list stays locked") << complete << "select 5" << BoardComplete;

    const QStringList clearedWhileRunning{"select 3", "clear"};
    QTest::newRow("cleared while running: the next tick")
        << clearedWhileRunning << "tick"
        << "cleared stopped list:on/none clear:on frame:on cells:1/0 text:empty image:hidden";
    QTest::newRow("cleared while running: Чисти is locked") << clearedWhileRunning << "clear" << ClearedWhileRunning;
}

void TestStates::transition()
{
    QFETCH(QStringList, path);
    QFETCH(QString, event);
    QFETCH(QString, expected);

    FormDriver window;
    for (const QString &action : path)
        act(window, action);
    act(window, event);
    QCOMPARE(state(window), expected);
}

QTEST_MAIN(TestStates)
#include "tst_states.moc"
