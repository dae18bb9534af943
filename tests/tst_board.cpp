// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formdriver.h"
#include "reports.h"

#include <QElapsedTimer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextLayout>

#include <cmath>
#include <map>
#include <set>

namespace {

// Cell k of a board of order n, in pixels: the layout puts the first cell at
// (1080, 360) twips with a size of 365 x 325 twips, 15 twips to the pixel.
QRect expectedCell(int k, int n)
{
    const int column = k / n;
    const int row = k % n;
    const auto px = [](double twips) { return int(std::lround(twips / 15)); };
    const int left = px(1080 + column * 365);
    const int top = px(360 + row * 325);
    return QRect(left, top, px(1080 + (column + 1) * 365) - left, px(360 + (row + 1) * 325) - top);
}

QStringList captionsByRow(const FormDriver &window, int n)
{
    QStringList rows;
    for (int row = 0; row < n; ++row) {
        QStringList numbers;
        for (int column = 0; column < n; ++column)
            numbers << window.cell(column * n + row)->text();
        rows << numbers.join(QLatin1Char(' '));
    }
    return rows;
}

// Relative luminance and contrast ratio as the accessibility guidelines
// define them: 21 for black on white, 1 for a colour on itself.
double luminance(QColor colour)
{
    const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What a button looks like inside its bevel: the colour most of the face has,
// and the caption's colour, the one that stands out most from the face.
struct Face
{
    QColor fill;
    QColor caption;
};

Face measureFace(const QImage &image)
{
    std::map<QRgb, int> counts;
    const QRect inside = image.rect().adjusted(2, 2, -2, -2);
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) & 0xFFFFFF];
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](const auto &a, const auto &b) { return a.second < b.second; });
    Face face{QColor(most->first), QColor(most->first)};
    for (const auto &[rgb, count] : counts) {
        if (contrast(QColor(rgb), face.fill) > contrast(face.caption, face.fill))
            face.caption = QColor(rgb);
    }
    return face;
}

} // namespace

class TestBoard : public QObject
{
    Q_OBJECT

private slots:
    void boardIsBuiltHidden_data();
    void boardIsBuiltHidden();
    void cellsAreCopiesOfTheTemplate();
    void clearRemovesEveryCell();

    void realTimerKeepsTheBeat();

    void report_data();
    void report();
    void firstTickAfterClearAndNewChoice();
    void largestBoardReport();
    void textBoxCoversTheBoardItOverlaps();
    void buttonFaces_data();
    void buttonFaces();
};

void TestBoard::boardIsBuiltHidden_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("byKeyboard");

    QTest::newRow("3 by mouse") << "3" << false;
    QTest::newRow("21 by mouse") << "21" << false;
    QTest::newRow("21 by keyboard") << "21" << true;
}

void TestBoard::boardIsBuiltHidden()
{
    QFETCH(QString, size);
    QFETCH(bool, byKeyboard);
    const int n = size.toInt();

    FormDriver window;
    if (byKeyboard)
        window.keysInList({Qt::Key_2, Qt::Key_Return});
    else
        window.selectByMouse(size);

    QCOMPARE(window.cellCount(), n * n);
    QVERIFY(window.visibleCells().isEmpty());
    QCOMPARE(window.form().lesson().revealCounter(), std::int16_t(0));
    QCOMPARE(window.form().lesson().squareOrder(), double(n));
    QVERIFY(window.timer()->isActive());

    std::set<int> numbers;
    for (int k = 0; k < n * n; ++k) {
        QPushButton *cell = window.cell(k);
        QCOMPARE(cell->geometry(), expectedCell(k, n));
        numbers.insert(cell->text().toInt());
        QCOMPARE(cell->text(), QString::number(window.form().lesson().square().at(k % n + 1, k / n + 1)));
    }
    QCOMPARE(int(numbers.size()), n * n);
    QCOMPARE(*numbers.rbegin(), n * n);

    // Neighbours touch exactly, across and down.
    for (int k = 0; k + n < n * n; ++k)
        QCOMPARE(window.cell(k + n)->x(), window.cell(k)->geometry().right() + 1);
    for (int k = 0; k < n * n; ++k) {
        if (k % n != n - 1)
            QCOMPARE(window.cell(k + 1)->y(), window.cell(k)->geometry().bottom() + 1);
    }

    if (n == 3) {
        QCOMPARE(captionsByRow(window, 3), (QStringList{"8 1 6", "3 5 7", "4 9 2"}));
    } else {
        QCOMPARE(window.cell(0)->text(), QStringLiteral("233"));
        QCOMPARE(window.cell(440)->text(), QStringLiteral("209"));
        QCOMPARE(window.cell(440)->geometry(), QRect(559, 457, 24, 22));
        QVERIFY(window.form().rect().contains(window.cell(440)->geometry()));
    }
}

void TestBoard::cellsAreCopiesOfTheTemplate()
{
    FormDriver window;
    window.selectByMouse(QStringLiteral("5"));
    const QPushButton *model = window.cell(0);
    for (int k = 1; k < 25; ++k) {
        const QPushButton *cell = window.cell(k);
        QVERIFY(qAbs(cell->width() - model->width()) <= 1 && qAbs(cell->height() - model->height()) <= 1);
        QCOMPARE(cell->font(), model->font());
        QCOMPARE(cell->palette().color(QPalette::Button), QColor(0x80, 0x80, 0xFF));
        QCOMPARE(cell->autoFillBackground(), model->autoFillBackground());
        QCOMPARE(cell->isEnabled(), model->isEnabled());
        QCOMPARE(cell->parentWidget(), &window.form());
    }
}

void TestBoard::clearRemovesEveryCell()
{
    FormDriver window;
    const int widgetsAtStart = int(window.form().findChildren<QWidget *>().size());
    window.selectByMouse(QStringLiteral("7"));
    QCOMPARE(int(window.form().findChildren<QWidget *>().size()), widgetsAtStart + 48);
    window.ticks(50);
    QCOMPARE(window.visibleCells().size(), 49);
    window.click(window.clearButton());

    QCOMPARE(window.cellCount(), 1);
    QVERIFY(window.cell(0)->isHidden());
    QCOMPARE(window.cell(0)->text(), QStringLiteral("30"));
    QCOMPARE(int(window.form().findChildren<QWidget *>().size()), widgetsAtStart);
}

void TestBoard::realTimerKeepsTheBeat()
{
    FormDriver window;
    window.letTimerRun();
    QList<qint64> tickTimes;
    QElapsedTimer clock;
    QObject::connect(window.timer(), &QTimer::timeout, &window.form(), [&] { tickTimes << clock.elapsed(); });
    QList<qint64> oneShown;
    QObject::connect(window.timer(), &QTimer::timeout, &window.form(), [&] {
        if (oneShown.isEmpty() && window.cell(3)->isVisible())
            oneShown << clock.elapsed();
    });

    clock.start();
    window.selectByMouse(QStringLiteral("3"));
    QTRY_VERIFY_WITH_TIMEOUT(!window.timer()->isActive(), 5000);
    const qint64 total = clock.elapsed();

    // Ten ticks, one beat apart, none early. A busy machine may make a tick
    // late, never early, and the timer keeps to its schedule; a missing tick
    // or a shorter interval fails here, a longer one at the end.
    const int beat = window.timer()->interval();
    QCOMPARE(beat, RevealIntervalMs);
    QCOMPARE(tickTimes.size(), 10);
    for (int t = 0; t < tickTimes.size(); ++t)
        QVERIFY2(tickTimes[t] >= beat * (t + 1) - 5, qPrintable(QString::number(tickTimes[t])));
    QVERIFY2(total < beat * 12, qPrintable(QString::number(total)));
    QVERIFY(oneShown.value(0) >= 2 * beat - 5);
    QCOMPARE(window.visibleCells().size(), 9);
}

void TestBoard::report_data()
{
    addReportRows();
}

void TestBoard::report()
{
    QFETCH(int, n);
    QFETCH(bool, left);
    QFETCH(int, cell);
    QFETCH(QString, expected);

    FormDriver window;
    window.click(window.option(left ? 1 : 0));
    window.selectByMouse(QString::number(n));
    window.revealAll(n);
    QVERIFY(window.textBox()->isHidden());

    window.click(window.cell(cell));
    QVERIFY(window.textBox()->isVisible());
    QCOMPARE(window.text(), expected);
    QCOMPARE(window.textBox()->toPlainText(), QString(expected).replace(QLatin1String("\r\n"), QLatin1String("\n")));

    // A second click replaces the whole report.
    window.click(window.cell(n * n - 1));
    const QString last = QStringLiteral("Ред: %1, Колона: %1\r\n\r\n").arg(n);
    QVERIFY2(window.text().startsWith(last), qPrintable(window.text()));
    QCOMPARE(window.text().count(QLatin1String("\r\n")), 4);
}

// A clear in the first interval leaves the timer running; the next board's
// first tick still comes one whole interval after that board is built. The
// timer's events are held, so however busy the machine, no tick comes
// between the steps; its schedule is read from the timer.
void TestBoard::firstTickAfterClearAndNewChoice()
{
    FormDriver window;
    const int beat = window.timer()->interval();
    window.selectByMouse(QStringLiteral("3"));
    QTRY_VERIFY(window.timer()->remainingTime() < beat / 2);
    window.click(window.clearButton());
    QVERIFY(window.form().lesson().boardCleared());
    QVERIFY(window.timer()->isActive());
    QElapsedTimer clock;
    clock.start();
    window.selectByMouse(QStringLiteral("5"));
    // Due a whole beat after the moment before the board was built, not
    // when the first board's tick was due.
    const qint64 due = clock.elapsed() + window.timer()->remainingTime();
    QVERIFY2(due >= beat - 1, qPrintable(QString::number(due)));
    QCOMPARE(window.cellCount(), 25);
}

void TestBoard::largestBoardReport()
{
    FormDriver window;
    window.selectByMouse(QStringLiteral("21"));
    window.revealAll(21);
    window.click(window.cell(440));
    QVERIFY(window.text().startsWith(QStringLiteral("Ред: 21, Колона: 21")));

    // The long lines wrap at the box's width: each is laid out on several
    // lines, none wider than the box, so every term can be read.
    TextBox *box = window.textBox();
    box->grab();
    const int width = box->viewport()->width();
    for (int b = 2; b <= 3; ++b) {
        const QTextLayout *layout = box->document()->findBlockByNumber(b).layout();
        QVERIFY2(layout->lineCount() >= 2, qPrintable(QString::number(layout->lineCount())));
        for (int l = 0; l < layout->lineCount(); ++l)
            QVERIFY(layout->lineAt(l).naturalTextWidth() <= width);
    }
    QCOMPARE(box->horizontalScrollBar()->maximum(), 0);
}

// From order 17 on the board reaches under the text box, which stays on top.
void TestBoard::textBoxCoversTheBoardItOverlaps()
{
    FormDriver window;
    window.selectByMouse(QStringLiteral("21"));
    window.ticks(442);
    window.click(window.cell(0));
    const QString report = window.text();
    const QPoint underBox = window.cell(440)->geometry().center();
    QVERIFY(window.textBox()->geometry().contains(underBox));
    QVERIFY(window.textBox()->isAncestorOf(window.form().childAt(underBox)));
    window.clickAt(underBox);
    QCOMPARE(window.text(), report);
}

// Every push button's face is the button colour in every state, as the
// screen shows it; captions stay readable, and keyboard focus shows.
void TestBoard::buttonFaces_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("state");
    QTest::addColumn<double>("minimumContrast");
    QTest::addColumn<double>("maximumContrast");

    QTest::newRow("cell") << "Command1_4"
                          << "plain" << 4.5 << 21.0;
    QTest::newRow("cell pressed") << "Command1_4"
                                  << "pressed" << 4.5 << 21.0;
    QTest::newRow("cell with focus") << "Command1_4"
                                     << "focus" << 4.5 << 21.0;
    QTest::newRow("Чисти") << "Command2"
                           << "plain" << 4.5 << 21.0;
    QTest::newRow("Чисти pressed") << "Command2"
                                   << "pressed" << 4.5 << 21.0;
    QTest::newRow("Чисти with focus") << "Command2"
                                      << "focus" << 4.5 << 21.0;
    // Readable, yet plainly weaker than an enabled caption.
    QTest::newRow("Чисти disabled") << "Command2"
                                    << "disabled" << 2.5 << 4.0;
}

void TestBoard::buttonFaces()
{
    QFETCH(QString, button);
    QFETCH(QString, state);
    QFETCH(double, minimumContrast);
    QFETCH(double, maximumContrast);

    FormDriver window;
    window.selectByMouse(QStringLiteral("3"));
    window.ticks(state == QLatin1String("disabled") ? 1 : 10);
    auto *widget = window.child<QPushButton>(button);
    const QImage plain = widget->grab().toImage();
    if (state == QLatin1String("pressed")) {
        widget->setDown(true);
    } else if (state == QLatin1String("focus")) {
        // Reached by the keyboard: from the cell above, or by Tab from the board.
        window.cell(3)->setFocus(Qt::MouseFocusReason);
        window.key(button == QLatin1String("Command2") ? Qt::Key_Tab : Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), widget);
    }
    QCOMPARE(widget->isEnabled(), state != QLatin1String("disabled"));
    const QImage image = widget->grab().toImage();

    const Face face = measureFace(image);
    const QColor designed(0x80, 0x80, 0xFF);
    QVERIFY2(std::abs(face.fill.red() - designed.red()) <= 4 && std::abs(face.fill.green() - designed.green()) <= 4
                 && std::abs(face.fill.blue() - designed.blue()) <= 4,
             qPrintable(face.fill.name()));
    const double captionContrast = contrast(face.caption, face.fill);
    qInfo("%s %s: face %s, caption %s, contrast %.2f:1", qPrintable(button), qPrintable(state),
          qPrintable(face.fill.name()), qPrintable(face.caption.name()), captionContrast);
    QVERIFY2(captionContrast >= minimumContrast && captionContrast <= maximumContrast,
             qPrintable(QString::number(captionContrast)));

    if (state == QLatin1String("focus")) {
        // The focus frame: enough pixels changed, and they stand out from the face.
        int changed = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != plain.pixel(x, y)) {
                    ++changed;
                    QVERIFY(contrast(QColor(image.pixel(x, y)), face.fill) >= 3);
                }
            }
        }
        QVERIFY2(changed >= image.width() + image.height(), qPrintable(QString::number(changed)));
    }
}

QTEST_MAIN(TestBoard)
#include "tst_board.moc"
