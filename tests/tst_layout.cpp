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

// Times New Roman at the designed sizes, and on this machine a font with the
// same metrics and Cyrillic stands in for it (fonts-liberation2).
void TestLayout::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("points");

    QTest::newRow("window") << "" << 12.0;
    QTest::newRow("Command1(0)") << "Command1_0" << 8.25;
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
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Serif"));
    QVERIFY(QFontMetrics(font).inFontUcs4(U'Ж'));
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
    QVERIFY(form->lesson().boardCleared());
    QCOMPARE(form->lesson().revealCounter(), std::int16_t(0));
}

// The text as shipped: 53 lines, each ended by CR LF, read as UTF-8 (a wrong
// decoding shows as replacement characters or Latin letters for Cyrillic).
void TestLayout::explanatoryText()
{
    const QString text = child<TextBox>("Text1_0")->text();
    QVERIFY(text.endsWith(QLatin1String("\r\n")));
    QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[^\r]\n|\r[^\n]"))));
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 53);
    QVERIFY(lines.first().startsWith(QStringLiteral("Магически квадрат с дължина на страната N")));
    QCOMPARE(lines[48], QStringLiteral(" 4   9   2;"));
    QVERIFY(lines.last().endsWith(QStringLiteral("в европейското изкуство.")));
    QVERIFY(!text.contains(QChar::ReplacementCharacter) && !text.startsWith(QChar::ByteOrderMark));
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
