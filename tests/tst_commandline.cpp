// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"

#include <QTest>

Q_DECLARE_METATYPE(CommandLine::Action)

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void arguments_data();
    void arguments();
    void scaleThatFits_data();
    void scaleThatFits();
};

// Each argument list and what it asks for; a bad one gives a line that names
// the option and what it accepts.
void TestCommandLine::arguments_data()
{
    using Action = CommandLine::Action;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("order");
    QTest::addColumn<bool>("left");
    QTest::addColumn<QStringList>("errorMentions");

    const QStringList none;
    const QStringList sizes{QStringLiteral("--print"), QStringLiteral("3, 5, 7, 9, 11, 13, 15, 17, 19, 21")};
    const QStringList scales{QStringLiteral("--scale"), QStringLiteral("от 1 до 4")};
    const QStringList options{QStringLiteral("--scale F, --print N, --left, --help, --version")};

    QTest::newRow("nothing") << QStringList{} << Action::OpenWindow << 0.0 << 0 << false << none;
    QTest::newRow("-h") << QStringList{"-h"} << Action::Help << 0.0 << 0 << false << none;
    QTest::newRow("--help wins") << QStringList{"--print", "4", "--help"} << Action::Help << 0.0 << 0 << false << none;
    QTest::newRow("-v") << QStringList{"-v"} << Action::Version << 0.0 << 0 << false << none;
    QTest::newRow("--version") << QStringList{"--version"} << Action::Version << 0.0 << 0 << false << none;
    QTest::newRow("scale 2") << QStringList{"--scale", "2"} << Action::OpenWindow << 2.0 << 0 << false << none;
    QTest::newRow("scale=1.5") << QStringList{"--scale=1.5"} << Action::OpenWindow << 1.5 << 0 << false << none;
    QTest::newRow("scale 1,5") << QStringList{"--scale", "1,5"} << Action::OpenWindow << 1.5 << 0 << false << none;
    QTest::newRow("scale 1") << QStringList{"--scale", "1"} << Action::OpenWindow << 1.0 << 0 << false << none;
    QTest::newRow("scale 4") << QStringList{"--scale", "4"} << Action::OpenWindow << 4.0 << 0 << false << none;
    QTest::newRow("print 5") << QStringList{"--print", "5"} << Action::Print << 0.0 << 5 << false << none;
    QTest::newRow("print 21 left") << QStringList{"--print", "21", "--left"} << Action::Print << 0.0 << 21 << true
                                   << none;
    QTest::newRow("left print 3") << QStringList{"--left", "--print=3"} << Action::Print << 0.0 << 3 << true << none;

    QTest::newRow("print 4") << QStringList{"--print", "4"} << Action::Error << 0.0 << 0 << false << sizes;
    QTest::newRow("print 1") << QStringList{"--print", "1"} << Action::Error << 0.0 << 0 << false << sizes;
    QTest::newRow("print 23") << QStringList{"--print", "23"} << Action::Error << 0.0 << 0 << false << sizes;
    QTest::newRow("print -5") << QStringList{"--print", "-5"} << Action::Error << 0.0 << 0 << false << sizes;
    QTest::newRow("print 5.5") << QStringList{"--print", "5.5"} << Action::Error << 0.0 << 0 << false << sizes;
    QTest::newRow("print x") << QStringList{"--print", "x"} << Action::Error << 0.0 << 0 << false << sizes;
    QTest::newRow("print missing") << QStringList{"--print"} << Action::Error << 0.0 << 0 << false << sizes;
    QTest::newRow("scale 0") << QStringList{"--scale", "0"} << Action::Error << 0.0 << 0 << false << scales;
    QTest::newRow("scale 0.99") << QStringList{"--scale", "0.99"} << Action::Error << 0.0 << 0 << false << scales;
    QTest::newRow("scale 4.01") << QStringList{"--scale", "4.01"} << Action::Error << 0.0 << 0 << false << scales;
    QTest::newRow("scale abc") << QStringList{"--scale", "abc"} << Action::Error << 0.0 << 0 << false << scales;
    QTest::newRow("scale nan") << QStringList{"--scale", "nan"} << Action::Error << 0.0 << 0 << false << scales;
    QTest::newRow("scale missing") << QStringList{"--scale"} << Action::Error << 0.0 << 0 << false << scales;
    QTest::newRow("-scale missing, as typed")
        << QStringList{"--left", "-scale"} << Action::Error << 0.0 << 0 << false << QStringList{"-scale:", "от 1 до 4"};
    QTest::newRow("print missing after a value") << QStringList{"--scale", "2", "-print"} << Action::Error << 0.0 << 0
                                                 << false << QStringList{"-print:", "липсва", "21"};
    QTest::newRow("unknown") << QStringList{"--no-such-option"} << Action::Error << 0.0 << 0 << false
                             << QStringList{"--no-such-option", options[0]};
    QTest::newRow("unknown short") << QStringList{"-x"} << Action::Error << 0.0 << 0 << false
                                   << QStringList{"„-x“", options[0]};
    QTest::newRow("Qt's own option") << QStringList{"-platform", "offscreen"} << Action::Error << 0.0 << 0 << false
                                     << QStringList{"„-platform“", options[0]};
    QTest::newRow("a value for --left") << QStringList{"--left=3"} << Action::Error << 0.0 << 0 << false
                                        << QStringList{"--left", "не приема стойност"};
    QTest::newRow("a value for --version") << QStringList{"--version=2"} << Action::Error << 0.0 << 0 << false
                                           << QStringList{"--version", "не приема стойност"};
    QTest::newRow("scale without its value") << QStringList{"--scale", "--print", "5"} << Action::Error << 0.0 << 0
                                             << false << QStringList{"--scale", "„--print“"};
    QTest::newRow("stray argument") << QStringList{"5"} << Action::Error << 0.0 << 0 << false
                                    << QStringList{"„5“", options[0]};
    QTest::newRow("left alone") << QStringList{"--left"} << Action::Error << 0.0 << 0 << false
                                << QStringList{"--left", "--print"};
    QTest::newRow("print and scale") << QStringList{"--print", "5", "--scale", "2"} << Action::Error << 0.0 << 0
                                     << false << QStringList{"--scale", "--print"};
}

void TestCommandLine::arguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Action, action);
    QFETCH(double, scale);
    QFETCH(int, order);
    QFETCH(bool, left);
    QFETCH(QStringList, errorMentions);

    const CommandLine command = parseCommandLine(QStringList{QStringLiteral("zorbelin")} + arguments);
    QCOMPARE(command.action, action);
    QCOMPARE(command.scale, scale);
    QCOMPARE(command.order, order);
    QCOMPARE(command.left, left);
    QCOMPARE(command.error.isEmpty(), errorMentions.isEmpty());
    QVERIFY(!command.error.contains(QLatin1Char('\n')));
    for (const QString &mention : errorMentions)
        QVERIFY2(command.error.contains(mention), qPrintable(command.error));
}

void TestCommandLine::scaleThatFits_data()
{
    QTest::addColumn<double>("wanted");
    QTest::addColumn<QSize>("available");
    QTest::addColumn<double>("scale");

    // The available area is in logical pixels at the wanted scale; a title
    // bar and borders need 16 x 48 screen pixels besides the window.
    QTest::newRow("2 on 1920 x 1080") << 2.0 << QSize(960, 540) << 2.0;
    QTest::newRow("2 on 1920 x 1080 under a panel") << 2.0 << QSize(960, 510) << 2.0;
    QTest::newRow("2 on 1024 x 768") << 2.0 << QSize(512, 384) << 1.49;
    QTest::newRow("4 on 1920 x 1080, height decides") << 4.0 << QSize(480, 270) << 2.14;
    QTest::newRow("1.5, only the frame does not fit") << 1.5 << QSize(620, 500) << 1.45;
    QTest::newRow("never below 1") << 1.5 << QSize(400, 280) << 1.0;
}

void TestCommandLine::scaleThatFits()
{
    QFETCH(double, wanted);
    QFETCH(QSize, available);
    QFETCH(double, scale);

    QCOMPARE(::scaleThatFits(wanted, QSize(604, 481), available), scale);
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
