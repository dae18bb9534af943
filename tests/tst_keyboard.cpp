// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formdriver.h"

#include <QAccessible>

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void chooseSize_data();
    void chooseSize();
    void focusFollowsTheReveal();
    void focusMovesOnceOverTheFirstTick_data();
    void focusMovesOnceOverTheFirstTick();
    void switchOrientation();
    void clearFromTheKeyboard_data();
    void clearFromTheKeyboard();
    void arrowsMoveAmongRevealedCells_data();
    void arrowsMoveAmongRevealedCells();
    void reportWithSpaceOrEnter_data();
    void reportWithSpaceOrEnter();
    void backFromTheReport_data();
    void backFromTheReport();
    void boardIsOneTabStop_data();
    void boardIsOneTabStop();
    void focusIsVisible_data();
    void focusIsVisible();
};

void TestKeyboard::chooseSize_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("chosen");

    // The cursor rests on the first entry when the list takes the focus.
    QTest::newRow("Space on the first") << QList<int>{Qt::Key_Space} << "3";
    QTest::newRow("Down, Enter") << QList<int>{Qt::Key_Down, Qt::Key_Return} << "5";
    QTest::newRow("End, Up, keypad Enter") << QList<int>{Qt::Key_End, Qt::Key_Up, Qt::Key_Enter} << "19";
    QTest::newRow("typed 13, Enter") << QList<int>{Qt::Key_1, Qt::Key_3, Qt::Key_Return} << "13";
    QTest::newRow("typed 15, Space") << QList<int>{Qt::Key_1, Qt::Key_5, Qt::Key_Space} << "15";
    QTest::newRow("moving alone chooses nothing") << QList<int>{Qt::Key_Down, Qt::Key_End, Qt::Key_Up} << "";
}

void TestKeyboard::chooseSize()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, chosen);

    FormDriver window;
    QCOMPARE(QApplication::focusWidget(), window.list());
    for (int key : keys)
        window.key(Qt::Key(key));
    const QList<QListWidgetItem *> selected = window.list()->selectedItems();
    QCOMPARE(selected.isEmpty() ? QString() : selected.front()->text(), chosen);
    QCOMPARE(window.cellCount(), chosen.isEmpty() ? 1 : chosen.toInt() * chosen.toInt());
    QCOMPARE(window.list()->isEnabled(), chosen.isEmpty());
}

// Choosing a size locks the list, and the first tick locks "Чисти" and the
// frame; the first number shown takes the keyboard focus, unless a cell has it.
void TestKeyboard::focusFollowsTheReveal()
{
    FormDriver window;
    window.key(Qt::Key_Space);
    window.ticks(2);
    QCOMPARE(QApplication::focusWidget(), window.cell(3));
    window.key(Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), window.cell(3));
    window.ticks(2);
    QCOMPARE(QApplication::focusWidget(), window.cell(3));
    window.ticks(2);
    window.key(Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), window.cell(4));
    window.ticks(4);
    QCOMPARE(QApplication::focusWidget(), window.cell(4));
}

// Choosing from the keyboard leaves the focus on "Чисти", from where Tab
// reaches the chosen orientation; the first tick locks them without passing
// the focus through them, and it next lands on the first number: one move,
// to where the lesson is.
void TestKeyboard::focusMovesOnceOverTheFirstTick_data()
{
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("tabs");
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("first");

    QTest::newRow("on Чисти") << false << 0 << "Command2" << 3;
    QTest::newRow("on Горе") << false << 1 << "Option1_0" << 3;
    QTest::newRow("on Ляво") << true << 1 << "Option1_1" << 1;
}

void TestKeyboard::focusMovesOnceOverTheFirstTick()
{
    QFETCH(bool, left);
    QFETCH(int, tabs);
    QFETCH(QString, focused);
    QFETCH(int, first);

    FormDriver window;
    if (left)
        window.click(window.option(1));
    window.keysInList({Qt::Key_Space});
    for (int i = 0; i < tabs; ++i)
        window.key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
    QList<QWidget *> landed;
    const QObject watching;
    connect(qApp, &QApplication::focusChanged, &watching, [&landed](QWidget *, QWidget *now) {
        if (now)
            landed << now;
    });
    window.ticks(2);
    QCOMPARE(landed, QList<QWidget *>{window.cell(first)});
}

void TestKeyboard::switchOrientation()
{
    FormDriver window;
    window.key(Qt::Key_Tab);
    window.key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.option(0));
    window.key(Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), window.option(1));
    QVERIFY(window.option(1)->isChecked());
    QCOMPARE(window.text(), QString());

    window.keysInList({Qt::Key_Space});
    window.ticks(10);
    QCOMPARE(window.cell(3)->text(), QStringLiteral("3"));
    window.option(1)->setFocus(Qt::TabFocusReason);
    window.key(Qt::Key_Space);
    QVERIFY(window.form().lesson().boardCleared());
    QCOMPARE(window.cellCount(), 1);
}

// A clear from the keyboard, by "Чисти" or by the other orientation, leaves
// the focus in the size list, where the next step is.
void TestKeyboard::clearFromTheKeyboard_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("focusChanges");

    QTest::newRow("Space on Чисти") << "Command2" << int(Qt::Key_Space) << 1;
    // Qt hands the focus to the button it checks, then it goes on to the list.
    QTest::newRow("Down from Горе to Ляво") << "Option1_0" << int(Qt::Key_Down) << 2;
}

void TestKeyboard::clearFromTheKeyboard()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(int, focusChanges);

    FormDriver window;
    window.keysInList({Qt::Key_End, Qt::Key_Return});
    window.ticks(442);
    window.child(control)->setFocus(Qt::TabFocusReason);
    int changes = 0;
    const QObject watching;
    connect(qApp, &QApplication::focusChanged, &watching, [&changes] { ++changes; });
    window.key(Qt::Key(key));
    QVERIFY(window.form().lesson().boardCleared());
    QVERIFY(window.list()->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget(), window.list());
    QCOMPARE(changes, focusChanges);
}

void TestKeyboard::arrowsMoveAmongRevealedCells_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");

    // A 3 x 3 board with 1..5 revealed: cells 3 (1), 8 (2), 1 (3), 2 (4) and
    // 4 (5); 8, 9, 6 and 7 are still hidden in cells 0, 5, 6 and 7.
    // Where each key goes is the lesson's table; here the window follows it.
    QTest::newRow("down to a revealed neighbour") << 3 << int(Qt::Key_Down) << 4;
    QTest::newRow("right skips a hidden cell") << 2 << int(Qt::Key_Right) << 8;
    QTest::newRow("up finds only hidden cells and stays") << 8 << int(Qt::Key_Up) << 8;
}

void TestKeyboard::arrowsMoveAmongRevealedCells()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);

    FormDriver window;
    window.selectByMouse(QStringLiteral("3"));
    window.ticks(6);
    QCOMPARE(window.visibleCells(), (QList<int>{1, 2, 3, 4, 8}));
    window.cell(from)->setFocus(Qt::TabFocusReason);
    window.key(Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), window.cell(to));
    QVERIFY(window.textBox()->isHidden());
}

void TestKeyboard::reportWithSpaceOrEnter_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

void TestKeyboard::reportWithSpaceOrEnter()
{
    QFETCH(int, key);
    FormDriver window;
    window.selectByMouse(QStringLiteral("3"));
    window.ticks(10);
    window.cell(4)->setFocus(Qt::TabFocusReason);
    window.key(Qt::Key(key));
    QCOMPARE(window.text(),
             QString::fromStdString(cellReport(window.form().lesson().square(), 3, Orientation::Top, 4)));
    // Without a screen reader the report only shows; the focus stays.
    QVERIFY(!QAccessible::isActive());
    // A deferred focus move would be among the events now waiting.
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), window.cell(4));
}

// With a screen reader the report box takes the focus; Escape and Shift+Tab
// go back to where the report came from, an arrow key back and on.
void TestKeyboard::backFromTheReport_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("back");

    QTest::newRow("Escape") << int(Qt::Key_Escape) << 15;
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << 15;
    QTest::newRow("Right, on to the next column") << int(Qt::Key_Right) << 15 + 21;
    QTest::newRow("Up, on to the row above") << int(Qt::Key_Up) << 14;
}

void TestKeyboard::backFromTheReport()
{
    QFETCH(int, key);
    QFETCH(int, back);

    FormDriver window;
    window.selectByMouse(QStringLiteral("21"));
    window.ticks(442);
    window.cell(15)->setFocus(Qt::TabFocusReason);
    window.key(Qt::Key_Space);
    window.textBox()->presentToScreenReader(window.text(), window.cell(15));
    QCOMPARE(QApplication::focusWidget(), window.textBox());
    QCOMPARE(window.textBox()->accessibleDescription(), window.textBox()->toPlainText());
    window.key(Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), window.cell(back));
}

// The board is one stop in the tab order, where the template cell is: Tab
// and Shift+Tab come back to the cell focused last, or, when the report
// covers it, to the first cell in sight in reading order.
void TestKeyboard::boardIsOneTabStop_data()
{
    QTest::addColumn<int>("focused");
    QTest::addColumn<bool>("report");
    QTest::addColumn<int>("tabStop");

    QTest::newRow("the cell focused last") << 220 << false << 220;
    QTest::newRow("the bottom right cell, under its report") << 440 << true << 0;
}

void TestKeyboard::boardIsOneTabStop()
{
    QFETCH(int, focused);
    QFETCH(bool, report);
    QFETCH(int, tabStop);

    FormDriver window;
    window.selectByMouse(QStringLiteral("21"));
    window.ticks(442);
    window.cell(focused)->setFocus(Qt::TabFocusReason);
    if (report)
        window.key(Qt::Key_Space);
    QCOMPARE(window.textBox()->isVisible(), report);
    window.key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.clearButton());
    window.key(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), window.cell(tabStop));
    window.key(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), window.option(0));
    window.key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.cell(tabStop));
    // One cell and "Чисти" are the only buttons Tab stops at.
    const QList<QPushButton *> buttons = window.form().findChildren<QPushButton *>();
    QCOMPARE(std::count_if(buttons.begin(), buttons.end(),
                           [](const QPushButton *b) { return b->focusPolicy() & Qt::TabFocus; }),
             2);
}

// A control that the keyboard has moved the focus to looks different from
// the same control without it, whether Tab or an arrow key moved it there.
void TestKeyboard::focusIsVisible_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");

    QTest::newRow("a cell, by arrow") << "Command1_3" << int(Qt::Key_Down) << "Command1_4";
    QTest::newRow("Чисти, by Tab") << "Command1_8" << int(Qt::Key_Tab) << "Command2";
    QTest::newRow("the text box, by Tab") << "Command2" << int(Qt::Key_Tab) << "Text1_0";
    QTest::newRow("Горе, by Tab") << "Text1_0" << int(Qt::Key_Tab) << "Option1_0";
}

void TestKeyboard::focusIsVisible()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);

    FormDriver window;
    window.selectByMouse(QStringLiteral("3"));
    window.ticks(10);
    window.click(window.cell(4));
    QWidget *target = window.child(to);
    const QImage without = target->grab().toImage();
    window.child(from)->setFocus(Qt::MouseFocusReason);
    window.key(Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), target);
    QVERIFY(target->grab().toImage() != without);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
