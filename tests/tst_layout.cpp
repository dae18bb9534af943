// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"
#include "mainform.h"
#include "textbox.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <memory>

namespace {

// The explanatory text the window opens with, line by line.
const char16_t *const ExplanationLines[] = {
    u"Магически квадрат с дължина на страната N е квадратна матрица запълнена с различни естествени числа от интервала "
    u"[1..N*N].",
    u"Сумата от числата в произволен ред е равна на сумата от числата в произволна колона, както и на сумата от "
    u"числата на двата основни диагонала.",
    u"Сумата от числата в произволен ред/колона е винаги константа и се определя по формулата n*(n*n+1)/2. Пример за "
    u"магически квадрат:",
    u"Следва описание на алгоритъм за съставяне на магически квадрат 5х5, съдържащ 25 последователни естествени числа.",
    u"Описание на алгоритъм, основаващ се на първо избрано място - средата на 1-вия ред.",
    u"",
    u" 1. Избираме 1-ви ред, средната колона 3 и записваме 1.",
    u" 2. Избираме предходен ред, дясна колона. Това е извън очертанията на квадрата и за целта избираме последен ред "
    u"(V),  дясна колона (IV). Записваме 2.",
    u" 3. Избираме предходен ред (IV), дясна колона (V) и записваме 3.",
    u" 4. Избираме предходен ред, дясна колона. Това е извън очертанията на квадрата и за целта избираме ред (III),  "
    u"лява колона (I). Записваме 4.",
    u" 5. Избираме предходен ред (II), дясна колона (II) и записваме 5.",
    u" 6. Избираме предходен ред (I), дясна колона (III), но там вече е записано число.  Избираме ред под текущия "
    u"(III), същата колона (II). Записваме 6.",
    u" 7. Избираме предходен ред (II), дясна колона (III) и записваме 7.",
    u" 8. Избираме предходен ред (I), дясна колона (II) и записваме 8.",
    u" 9. Избираме предходен ред, дясна колона. Това е извън очертанията на квадрата и за целта избираме последен ред "
    u"(V),  дясна колона (V). Записваме 9.",
    u"10. Избираме предходен ред, дясна колона. Това е извън очертанията на квадрата и за целта избираме ред (IV),   "
    u"лява колона (I). Записваме 10.",
    u"11. Избираме предходен ред, дясна колона. Там вече съществува записано число (6). Сменяме посоката. Избираме "
    u"следващ последен ред (V), същата колона  (I). Записваме 11.",
    u"12. Избираме предходен ред (IV), дясна колона (II) и записваме 12.",
    u"13. Избираме предходен ред (III), дясна колона (III) и записваме 13.",
    u"14. Избираме предходен ред (II), дясна колона (IV) и записваме 14.",
    u"15. Избираме предходен ред (I), дясна колона (V) и записваме 15.",
    u"16.Избираме предходен ред, дясна колона. Това е извън очертанията на квадрата и за целта избираме следващ ред "
    u"(II),  същата колона (V). Записваме 16.",
    u"17. Избираме предходен ред, дясна колона. Това е извън очертанията на квадрата и за целта избираме ред (I), лява "
    u"колона (I). Записваме 17.",
    u"18. Избираме предходен ред, дясна колона. Това е извън очертанията на квадрата и за целта избираме последен ред "
    u"(V),  колона (II). Записваме 18.",
    u"19. Избираме предходен ред (IV), дясна колона (III) и записваме 19.",
    u"20. Избираме предходен ред (III), дясна колона (IV) и записваме 20.",
    u"21. Избираме предходен ред, дясна колона. Там вече съществува записано число (16). Сменяме посоката. Избираме "
    u"следващ ред (IV), същата колона  (IV). Записваме 21.",
    u"22. Избираме предходен ред (III), дясна колона (V) и записваме 22.",
    u"23. Избираме предходен ред, дясна колона. Това е извън очертанията на квадрата и за целта избираме ред (II), "
    u"лява колона (I). Записваме 23.",
    u"24. Избираме предходен ред (I), дясна колона (II) и записваме 24.",
    u"25. Последното число 25. Избираме предходен ред, дясна колона. Това е извън очертанията на квадрата и за целта "
    u"избираме последен ред (V),  дясна колона (III). Записваме 25.",
    u"С това е записано и последното число 25. ",
    u"Аналогичен алгоритъм може да се опише, ако началното число е в средата на лявата колона. Матрицата ще бъде "
    u"транспонирана - завъртяна под ъгъл 90 градуса.",
    u"",
    u"Да се реализира проект, представящ вътрешнопредметни връзки в Информатика:",
    u"Тема на проекта: Зорбелин.",
    u"Проектът да генерира \"магически квадрат\" при посочването на ред от списъчно поле - нечетни числа за дължина на "
    u"страната. Позицията на всяка следваща цифра от квадрата да се появява след определен интервал от време.",
    u"При посочването на елемент от създадения магически квадрат да се изчислява сумата от всички елементи по ред и "
    u"колона, към които принадлежи посоченият елемент.",
    u"Автоматично да се генерират/изтриват нужните/ненужните обекти.",
    u"",
    u"",
    u"В полумагическия квадрат отпада изискването за равни суми по двата диагонала.",
    u"Един магически квадрат се нарича асоциативен или симетричен, ако сумата на произволни две числа, симетрични "
    u"спрямо основния диагонал е равна на сумата n*n+1.",
    u"Доказано е, че не съществуват магически квадрат с размери 2х2.",
    u"Най-старият известен магически квадрат е с размери 3х3. Изображението (върху черупка от костенурка) датира от "
    u"2200 г.пр.н.е. в древен Китай.",
    u" Пример:",
    u" 8   1   6;",
    u" 3   5   7;",
    u" 4   9   2;",
    u"Интересна особеност за магическите квадрати с дължина на страната нечетен брой числа е и:",
    u"средното число може да бъде изчислено по формулата (n*n+1)/2;",
    u"средното число от първия ред/колона е 1.",
    u"Квадратът 4х4 в гравюрата „Меланхолия I“ на Албрехт Дюрер от 1514 г. се смята за най-ранното известно "
    u"изображение на магически квадрат в европейското изкуство.",
};

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void window();
    void geometry_data();
    void geometry();
    void colours_data();
    void colours();
    void fonts_data();
    void fonts();
    void captions_data();
    void captions();
    void initialState_data();
    void initialState();
    void tabOrder();
    void tabbingSkipsWhatCannotTakeFocus();
    void sizeList();
    void timerStoppedBeforeItTicks();
    void explanatoryText();
    void explanationCannotBeEdited();
    void picture();
    void contextMenusInBulgarian_data();
    void contextMenusInBulgarian();

private:
    template<typename T = QWidget> T *child(const char *name) const
    {
        auto *widget = form->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }

    std::unique_ptr<MainForm> form;
};

// As at the program's start: Qt's own texts in Bulgarian.
void TestLayout::initTestCase()
{
    QVERIFY(setUpApplication());
}

void TestLayout::init()
{
    form = std::make_unique<MainForm>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

void TestLayout::cleanup()
{
    form.reset();
}

void TestLayout::window()
{
    QCOMPARE(form->windowTitle(), QStringLiteral("https://zorbelin.example Зорбелин нечетен брой"));
    QCOMPARE(form->size(), QSize(604, 481));
    QCOMPARE(form->minimumSize(), QSize(604, 481));
    QCOMPARE(form->maximumSize(), QSize(604, 481));
    const Qt::WindowFlags flags = form->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form->windowState(), Qt::WindowNoState);

    const QRect screen = form->screen()->availableGeometry();
    QVERIFY(qAbs(form->geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(form->geometry().center().y() - screen.center().y()) <= 1);

    QVERIFY(child<QRadioButton>("Option1_0")->isChecked());
    QVERIFY(!child<QRadioButton>("Option1_1")->isChecked());
    QCOMPARE(form->findChildren<QPushButton *>(QRegularExpression(QStringLiteral("^Command1_"))).size(), 1);

    const QIcon icon = form->windowIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
}

void TestLayout::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");

    // Edges are the twips of the layout divided by 15 and rounded.
    QTest::newRow("List1") << "List1" << QRect(8, 56, 49, 156);
    QTest::newRow("Command1(0)") << "Command1_0" << QRect(72, 24, 24, 22);
    QTest::newRow("Command2") << "Command2" << QRect(0, 304, 65, 25);
    QTest::newRow("Text1(0)") << "Text1_0" << QRect(8, 368, 585, 105);
    QTest::newRow("Label1(0)") << "Label1_0" << QRect(72, 0, 441, 20);
    QTest::newRow("Label1(1)") << "Label1_1" << QRect(8, 32, 49, 25);
    QTest::newRow("Text1(1)") << "Text1_1" << QRect(504, 320, 545, 105);
    QTest::newRow("Frame1") << "Frame1" << QRect(0, 232, 65, 65);
    QTest::newRow("Option1(0) in Frame1") << "Option1_0" << QRect(4, 20, 57, 20);
    QTest::newRow("Option1(1) in Frame1") << "Option1_1" << QRect(4, 40, 57, 20);
    QTest::newRow("Image1") << "Image1" << QRect(208, 72, 220, 229);
}

void TestLayout::geometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);

    QWidget *widget = child(qPrintable(name));
    QCOMPARE(widget->geometry(), pixels);
    const QWidget *container = name.startsWith(QLatin1String("Option1")) ? child("Frame1") : form.get();
    QCOMPARE(widget->parentWidget(), container);
}

void TestLayout::colours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("background");

    const QColor window(0xC0, 0xC0, 0xFF);
    const QColor button(0x80, 0x80, 0xFF);
    const QColor label(0xFF, 0xC0, 0x80);
    QTest::newRow("window") << "" << window;
    QTest::newRow("Frame1") << "Frame1" << window;
    QTest::newRow("Command1(0)") << "Command1_0" << button;
    QTest::newRow("Command2") << "Command2" << button;
    QTest::newRow("Option1(0)") << "Option1_0" << button;
    QTest::newRow("Option1(1)") << "Option1_1" << button;
    QTest::newRow("Label1(0)") << "Label1_0" << label;
    QTest::newRow("Label1(1)") << "Label1_1" << label;
}

void TestLayout::colours()
{
    QFETCH(QString, name);
    QFETCH(QColor, background);

    QWidget *widget = name.isEmpty() ? form.get() : child(qPrintable(name));
    const bool isButton = qobject_cast<QPushButton *>(widget);
    QCOMPARE(widget->palette().color(isButton ? QPalette::Button : QPalette::Window), background);
    QVERIFY(widget->autoFillBackground());

    // What is actually painted in the middle of the control, away from text
    // and bevels, for the plain fills.
    if (qobject_cast<QLabel *>(widget) || widget == form.get()) {
        const QImage image = widget->grab().toImage();
        QCOMPARE(QColor(image.pixel(2, image.height() - 2)), background);
    }
}

void TestLayout::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("points");

    QTest::newRow("window") << "" << 12.0;
    QTest::newRow("List1") << "List1" << 12.0;
    QTest::newRow("Command1(0)") << "Command1_0" << 8.25;
    QTest::newRow("Command2") << "Command2" << 12.0;
    QTest::newRow("Text1(0)") << "Text1_0" << 12.0;
    QTest::newRow("Text1(1)") << "Text1_1" << 12.0;
    QTest::newRow("Label1(0)") << "Label1_0" << 12.0;
    QTest::newRow("Label1(1)") << "Label1_1" << 12.0;
    QTest::newRow("Frame1") << "Frame1" << 12.0;
    QTest::newRow("Option1(0)") << "Option1_0" << 12.0;
    QTest::newRow("Option1(1)") << "Option1_1" << 12.0;
}

void TestLayout::fonts()
{
    QFETCH(QString, name);
    QFETCH(qreal, points);

    const QWidget *widget = name.isEmpty() ? form.get() : child(qPrintable(name));
    const QFont font = widget->font();
    QCOMPARE(font.family(), QStringLiteral("Times New Roman"));
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.weight(), QFont::Normal);
    QVERIFY(!font.italic());
    QVERIFY(!font.underline());
    QVERIFY(!font.strikeOut());
}

void TestLayout::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    QTest::newRow("Command1(0)") << "Command1_0"
                                 << "";
    QTest::newRow("Command2") << "Command2"
                              << "Чисти";
    QTest::newRow("Label1(0)") << "Label1_0"
                               << "Зорбелин";
    QTest::newRow("Label1(1)") << "Label1_1"
                               << "Брой";
    QTest::newRow("Frame1") << "Frame1"
                            << "Начало";
    QTest::newRow("Option1(0)") << "Option1_0"
                                << "Горе";
    QTest::newRow("Option1(1)") << "Option1_1"
                                << "Ляво";
    QTest::newRow("Text1(1)") << "Text1_1"
                              << "";
}

void TestLayout::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);

    const QObject *widget = child(qPrintable(name));
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        QCOMPARE(button->text(), caption);
    else if (auto *label = qobject_cast<const QLabel *>(widget)) {
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    } else if (auto *frame = qobject_cast<const QGroupBox *>(widget))
        QCOMPARE(frame->title(), caption);
    else if (auto *box = qobject_cast<const TextBox *>(widget))
        QCOMPARE(box->text(), caption);
    else
        QFAIL("a control without a caption");
}

void TestLayout::initialState_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("List1") << "List1" << true << true;
    QTest::newRow("Command1(0)") << "Command1_0" << false << true;
    QTest::newRow("Command2") << "Command2" << true << false;
    QTest::newRow("Text1(0)") << "Text1_0" << true << true;
    QTest::newRow("Label1(0)") << "Label1_0" << true << true;
    QTest::newRow("Label1(1)") << "Label1_1" << true << true;
    QTest::newRow("Text1(1)") << "Text1_1" << false << true;
    QTest::newRow("Frame1") << "Frame1" << true << true;
    QTest::newRow("Option1(0)") << "Option1_0" << true << true;
    QTest::newRow("Option1(1)") << "Option1_1" << true << true;
    QTest::newRow("Image1") << "Image1" << true << true;
}

void TestLayout::initialState()
{
    QFETCH(QString, name);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);

    const QWidget *widget = child(qPrintable(name));
    QCOMPARE(widget->isVisible(), visible);
    QCOMPARE(widget->isEnabled(), enabled);
}

void TestLayout::tabOrder()
{
    const QStringList expected{QStringLiteral("List1"),    QStringLiteral("Command1_0"), QStringLiteral("Command2"),
                               QStringLiteral("Text1_0"),  QStringLiteral("Label1_0"),   QStringLiteral("Label1_1"),
                               QStringLiteral("Text1_1"),  QStringLiteral("Frame1"),     QStringLiteral("Option1_0"),
                               QStringLiteral("Option1_1")};
    // Labels and the frame never take the focus, so only the others have a
    // place in the chain; the board's cells take it by Tab once revealed.
    QStringList focusable;
    for (const QString &name : expected) {
        if (child(qPrintable(name))->focusPolicy() != Qt::NoFocus)
            focusable << name;
    }
    QCOMPARE(focusable.size(), 7);

    QStringList chain;
    QWidget *widget = child("List1");
    do {
        if (focusable.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != child("List1"));
    QCOMPARE(chain, focusable);
}

void TestLayout::tabbingSkipsWhatCannotTakeFocus()
{
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QCOMPARE(QApplication::focusWidget(), child("List1"));

    QStringList visited;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, (QStringList{QStringLiteral("Text1_0"), QStringLiteral("Option1_0"), QStringLiteral("List1")}));
}

void TestLayout::sizeList()
{
    auto *list = child<QListWidget>("List1");
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    QCOMPARE(items, (QStringList{"3", "5", "7", "9", "11", "13", "15", "17", "19", "21"}));
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    QVERIFY(list->selectedItems().isEmpty());
    QVERIFY(!list->isSortingEnabled());
}

void TestLayout::timerStoppedBeforeItTicks()
{
    auto *timer = form->findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), RevealIntervalMs);
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);
    QVERIFY(!timer->isActive());
    QVERIFY(form->boardCleared());
    QCOMPARE(form->revealCounter(), std::int16_t(0));
}

void TestLayout::explanatoryText()
{
    const QString text = child<TextBox>("Text1_0")->text();
    QVERIFY(text.endsWith(QLatin1String("\r\n")));
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), int(std::size(ExplanationLines)));
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(lines[i], QString::fromUtf16(ExplanationLines[i]));
    QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
}

void TestLayout::explanationCannotBeEdited()
{
    auto *box = child<TextBox>("Text1_0");
    const QString before = box->toPlainText();
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("abc"));
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->toPlainText(), before);

    // Lines wrap at the box's width; the scroll bar reaches every line, the
    // last one included.
    QVERIFY(box->verticalScrollBar()->isVisible());
    QVERIFY(!box->horizontalScrollBar()->isVisible());
    QScrollBar *scrollBar = box->verticalScrollBar();
    const QPoint bottom(5, box->viewport()->height() - 5);
    scrollBar->setValue(scrollBar->minimum());
    QVERIFY(box->cursorForPosition(bottom).blockNumber() < 52);
    scrollBar->setValue(scrollBar->maximum());
    QVERIFY(box->cursorForPosition(bottom).blockNumber() >= 52);
}

void TestLayout::picture()
{
    auto *image = child<QLabel>("Image1");
    const QPixmap pixmap = image->pixmap();
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), QSize(220, 229));
    QCOMPARE(image->size(), QSize(220, 229));
    QVERIFY(!image->hasScaledContents());
    QCOMPARE(image->frameShape(), QFrame::NoFrame);
}

// The menus Qt builds for a right click on the text box and on its scroll
// bar; the scroll bar's is read as it pops up.
void TestLayout::contextMenusInBulgarian_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("entries");

    QTest::newRow("text box") << "Text1_0" << 2;
    QTest::newRow("its scroll bar") << "scroll bar" << 7;
}

void TestLayout::contextMenusInBulgarian()
{
    QFETCH(QString, target);
    QFETCH(int, entries);

    auto *box = child<TextBox>("Text1_0");
    QStringList texts;
    const auto read = [&texts](const QMenu *menu) {
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                texts << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        }
    };
    if (target == QLatin1String("Text1_0")) {
        const std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
        read(menu.get());
    } else {
        QTimer::singleShot(0, [&read] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                read(menu);
                menu->close();
            }
        });
        QScrollBar *bar = box->verticalScrollBar();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), bar->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(bar, &event);
    }

    qInfo("%s: %s", qPrintable(target), qPrintable(texts.join(QStringLiteral(" | "))));
    QVERIFY(texts.size() >= entries);
    for (const QString &text : texts) {
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("^[А-Яа-яЁё ,.-]+$"))), qPrintable(text));
    }
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
