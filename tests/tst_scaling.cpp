// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formdriver.h"

#include <QStyleOptionButton>

// Run once for each scale factor (QT_SCALE_FACTOR) by CTest.
class TestScaling : public QObject
{
    Q_OBJECT

private slots:
    void windowKeepsItsProportions();
    void pictureIsDrawnForTheScreen();
    void largestNumberFitsACell();
    void pictureFollowsTheScreen();

private:
    static qreal factor() { return qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble(); }
};

void TestScaling::windowKeepsItsProportions()
{
    FormDriver window;
    QCOMPARE(window.form().devicePixelRatioF(), factor());
    // Painted at the screen's own resolution, not scaled up afterwards.
    const QPixmap shot = window.form().grab();
    QCOMPARE(shot.devicePixelRatio(), factor());
    QCOMPARE(shot.size(), (QSizeF(604, 481) * factor()).toSize());
    QCOMPARE(window.form().size(), QSize(604, 481));
}

void TestScaling::pictureIsDrawnForTheScreen()
{
    FormDriver window;
    const QPixmap picture = window.child<QLabel>(QStringLiteral("Image1"))->pixmap();
    QCOMPARE(picture.devicePixelRatio(), factor());
    QCOMPARE(picture.size(), (QSizeF(220, 229) * factor()).toSize());
    if (factor() == 2) {
        // Exactly the drawing made at twice the size, not an enlargement.
        const QImage drawn(QStringLiteral(":/melencolia@2x.jpg"));
        QCOMPARE(picture.toImage().convertToFormat(QImage::Format_RGB32), drawn.convertToFormat(QImage::Format_RGB32));
    }
}

void TestScaling::largestNumberFitsACell()
{
    FormDriver window;
    window.selectByMouse(QStringLiteral("21"));
    window.ticks(442);
    QPushButton *cell = nullptr;
    for (QPushButton *candidate : window.cells()) {
        if (candidate->text() == QLatin1String("441"))
            cell = candidate;
    }
    QVERIFY(cell);
    QStyleOptionButton option;
    option.initFrom(cell);
    const QRect contents = cell->style()->subElementRect(QStyle::SE_PushButtonContents, &option, cell);
    const QRect text = cell->fontMetrics().boundingRect(contents, Qt::AlignCenter, cell->text());
    QVERIFY2(contents.contains(text),
             qPrintable(QStringLiteral("text %1 in %2").arg(text.width()).arg(contents.width())));
}

// Run with two screens of different density (twoscreens.json): moved from one
// to the other, the window draws its picture for the new one.
void TestScaling::pictureFollowsTheScreen()
{
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").contains(QLatin1String("configfile=")))
        QSKIP("one screen only");
    // The screens as twoscreens.json names them; the order Qt lists them in
    // differs between versions. Without two densities nothing below could fail.
    const auto screen = [](const QString &name) {
        const QList<QScreen *> screens = QGuiApplication::screens();
        const auto found =
            std::find_if(screens.begin(), screens.end(), [&name](const QScreen *s) { return s->name() == name; });
        return found == screens.end() ? nullptr : *found;
    };
    QScreen *const ordinary = screen(QStringLiteral("Ordinary"));
    QScreen *const dense = screen(QStringLiteral("Dense"));
    QVERIFY(ordinary && dense);
    QCOMPARE(ordinary->devicePixelRatio(), 1.0);
    QCOMPARE(dense->devicePixelRatio(), 2.0);
    FormDriver window;
    const auto picture = [&window] { return window.child<QLabel>(QStringLiteral("Image1"))->pixmap(); };
    for (QScreen *target : {dense, ordinary, dense}) {
        window.form().windowHandle()->setScreen(target);
        QTRY_COMPARE(picture().devicePixelRatio(), target->devicePixelRatio());
        QCOMPARE(picture().size(), (QSizeF(220, 229) * target->devicePixelRatio()).toSize());
    }
}

QTEST_MAIN(TestScaling)
#include "tst_scaling.moc"
