#include "formdriver.h"

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void chooseSizeWithArrowKey();
    void switchOrientation();
    void clearWithSpace();
    void arrowsMoveAmongRevealedCells_data();
    void arrowsMoveAmongRevealedCells();
    void reportWithSpaceOrEnter_data();
    void reportWithSpaceOrEnter();
    void boardSitsInTheTabOrderWhereTheTemplateIs();
    void focusIsVisible_data();
    void focusIsVisible();
};

void TestKeyboard::chooseSizeWithArrowKey()
{
    FormDriver window;
    QCOMPARE(QApplication::focusWidget(), window.list());
    // The cursor rests on the first entry, unselected; Down selects the next.
    window.key(Qt::Key_Down);
    QCOMPARE(window.list()->selectedItems().value(0)->text(), QStringLiteral("5"));
    QCOMPARE(window.cellCount(), 25);
    QVERIFY(!window.list()->isEnabled());
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
    QVERIFY(window.form().boardCleared());
    QCOMPARE(window.cellCount(), 1);
}

void TestKeyboard::clearWithSpace()
{
    FormDriver window;
    window.keysInList({Qt::Key_End});
    window.ticks(442);
    window.clearButton()->setFocus(Qt::TabFocusReason);
    window.key(Qt::Key_Space);
    QVERIFY(window.form().boardCleared());
    QVERIFY(window.list()->isEnabled());
}

void TestKeyboard::arrowsMoveAmongRevealedCells_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");

    // A 3 x 3 board with 1..5 revealed: cells 3 (1), 8 (2), 1 (3), 2 (4) and
    // 4 (5); 8, 9, 6 and 7 are still hidden in cells 0, 5, 6 and 7.
    QTest::newRow("down to a revealed neighbour") << 3 << int(Qt::Key_Down) << 4;
    QTest::newRow("left") << 4 << int(Qt::Key_Left) << 1;
    QTest::newRow("down again") << 1 << int(Qt::Key_Down) << 2;
    QTest::newRow("right skips a hidden cell") << 2 << int(Qt::Key_Right) << 8;
    QTest::newRow("up finds only hidden cells and stays") << 8 << int(Qt::Key_Up) << 8;
    QTest::newRow("left finds only a hidden cell and stays") << 3 << int(Qt::Key_Left) << 3;
    QTest::newRow("up at the edge stays") << 3 << int(Qt::Key_Up) << 3;
    QTest::newRow("up skips nothing hidden") << 2 << int(Qt::Key_Up) << 1;
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
             QStringLiteral("Ред: 2, Колона: 2\r\n\r\nРед: 3 + 5 + 7 = 15\r\nКолона: 1 + 5 + 9 = 15\r\n"));
}

void TestKeyboard::boardSitsInTheTabOrderWhereTheTemplateIs()
{
    FormDriver window;
    window.selectByMouse(QStringLiteral("3"));
    window.ticks(10);
    window.cell(0)->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int i = 0; i < 9; ++i) {
        window.key(Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited,
             (QStringList{"Command1_1", "Command1_2", "Command1_3", "Command1_4", "Command1_5", "Command1_6",
                          "Command1_7", "Command1_8", "Command2"}));
    window.key(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), window.cell(8));
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
