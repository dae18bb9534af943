// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"
#include "buttonarray.h"
#include "fatal.h"
#include "magicsquare.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

// Each case runs a child process, this test itself in a misuse mode, and
// checks how it ended.
class TestFatal : public QObject
{
    Q_OBJECT

private slots:
    void misuseEndsTheProgram_data();
    void misuseEndsTheProgram();
};

void TestFatal::misuseEndsTheProgram_data()
{
    QTest::addColumn<QString>("misuse");
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<QString>("message");

    QTest::newRow("order 23, in an event handler, with the message box")
        << "order23" << true << "индекс на квадрата извън границите: (1, 23), допустими 0..22";
    QTest::newRow("order 23, no window") << "order23" << false
                                         << "индекс на квадрата извън границите: (1, 23), допустими 0..22";
    QTest::newRow("the same error again behind the box, the box stays up")
        << "ticks" << true << "индекс на квадрата извън границите: (1, 23), допустими 0..22";
    QTest::newRow("negative index") << "index" << false
                                    << "индекс на квадрата извън границите: (-1, 4), допустими 0..22";
    QTest::newRow("creating a cell that exists, with the message box")
        << "cell" << true << "Command1(1) не може да се създаде: вече съществува";
    QTest::newRow("destroying a cell that does not exist")
        << "destroy" << false << "Command1(2) не може да се унищожи: не съществува";
}

void TestFatal::misuseEndsTheProgram()
{
    QFETCH(QString, misuse);
    QFETCH(bool, dialog);
    QFETCH(QString, message);

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZORBELIN_MISUSE"), misuse);
    env.insert(QStringLiteral("ZORBELIN_DIALOG"), dialog ? QStringLiteral("1") : QStringLiteral("0"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(20000));

    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    const QString err = QString::fromUtf8(child.readAllStandardError());
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() != 0, qPrintable(out));
    QVERIFY2(err.contains(QStringLiteral("zorbelin: фатална грешка: ") + message), qPrintable(err));
    QVERIFY2(!out.contains(QLatin1String("went on")), qPrintable(out));
    // In the sanitizer build the way out must be clean too.
    QVERIFY2(!err.contains(QLatin1String("Sanitizer")) && !err.contains(QLatin1String("runtime error")),
             qPrintable(err));
    if (dialog) {
        QVERIFY2(out.contains(QStringLiteral("box: Зорбелин: ")), qPrintable(out));
        QVERIFY2(out.contains(message), qPrintable(out));
        // Its button speaks Bulgarian, as the window does.
        const QStringList buttons =
            out.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^button: ")));
        QCOMPARE(buttons.size(), 1);
        QVERIFY2(!buttons[0].contains(QLatin1String("OK"))
                     && buttons[0].contains(QRegularExpression(QStringLiteral("[А-Яа-я]"))),
                 qPrintable(buttons[0]));
    }
}

namespace {

void misuse(const QString &what)
{
    if (what == QLatin1String("order23") || what == QLatin1String("ticks")) {
        MagicSquare square;
        square.build(23);
    } else if (what == QLatin1String("index")) {
        MagicSquare square;
        square.set(-1, 4, 1);
    } else {
        auto *window = new QWidget;
        ButtonArray cells(QStringLiteral("Command1"), new QPushButton(window));
        cells.create(1);
        if (what == QLatin1String("cell"))
            cells.create(1);
        else
            cells.destroy(2);
    }
    std::puts("went on");
}

// Reports what the message box says, a while after it appeared, then closes
// it as a user would.
void readTheBox()
{
    QTimer::singleShot(50, [] {
        if (qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            QTimer::singleShot(400, [] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                std::printf("box: %s: %s\n", qPrintable(box->windowTitle()), qPrintable(box->text()));
                for (const QAbstractButton *button : box->buttons())
                    std::printf("button: %s\n", qPrintable(button->text()));
                std::fflush(stdout);
                box->accept();
            });
        } else {
            readTheBox();
        }
    });
}

} // namespace

int main(int argc, char *argv[])
{
    const QString what = qEnvironmentVariable("ZORBELIN_MISUSE");
    if (what.isEmpty()) {
        QApplication app(argc, argv);
        TestFatal test;
        return QTest::qExec(&test, argc, argv);
    }

    QApplication app(argc, argv);
    setUpApplication();
    if (qEnvironmentVariable("ZORBELIN_DIALOG") == QLatin1String("1"))
        readTheBox();
    else
        setFatalErrorHandler(nullptr);
    // The misuse happens inside an event handler, as it would in the window.
    // With "ticks" a timer of a window fails too, every 20 ms, like a reveal
    // going on behind the message box.
    QWidget window;
    QTimer reveal(&window);
    QObject::connect(&reveal, &QTimer::timeout, [what] { misuse(what); });
    if (what == QLatin1String("ticks"))
        reveal.start(20);
    QTimer::singleShot(0, [what] { misuse(what); });
    QTimer::singleShot(10000, [] {
        std::puts("went on: no error after 10 s");
        QCoreApplication::exit(0);
    });
    return app.exec();
}

#include "tst_fatal.moc"
