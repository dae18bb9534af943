// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup.h"

#include "application.h"
#include "console.h"
#include "displaycheck.h"
#include "lesson.h"
#include "mainform.h"
#include "qttranslation.h"

#include <QApplication>
#include <QScreen>
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace {

void say(std::FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
}

int printHelp(int argc, char *argv[])
{
    // Qt's own words in the usage text come from its Bulgarian translation.
    QCoreApplication app(argc, argv);
    QTranslator qtTexts;
    if (loadQtTranslation(qtTexts))
        QCoreApplication::installTranslator(&qtTexts);
    say(stdout, commandLineHelp());
    return Success;
}

int printSquare(const CommandLine &command)
{
    MagicSquare square;
    square.build(command.order);
    const Orientation orientation = command.left ? Orientation::Left : Orientation::Top;
    std::fputs(squareText(square, command.order, orientation).c_str(), stdout);
    return Success;
}

// QT_SCALE_FACTOR is read when the application starts, so a scale that does
// not fit the screen takes a second start.
std::unique_ptr<QApplication> startApplication(int &argc, char *argv[], double scale)
{
    if (scale > 0)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    auto app = std::make_unique<QApplication>(argc, argv);
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (scale <= 0 || !screen)
        return app;
    const double fits = scaleThatFits(scale, MainForm::clientSize(), screen->availableGeometry().size());
    if (fits == scale)
        return app;
    say(stderr,
        QStringLiteral("zorbelin: --scale %1 не се побира на екрана; прозорецът се отваря с --scale %2\n")
            .arg(scale)
            .arg(fits));
    app.reset();
    qputenv("QT_SCALE_FACTOR", QByteArray::number(fits));
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int answer(const CommandLine &command, int argc, char *argv[])
{
    useParentConsole();
    switch (command.action) {
    case CommandLine::Action::Help:
        return printHelp(argc, argv);
    case CommandLine::Action::Version:
        say(stdout, versionLine() + QLatin1Char('\n'));
        return Success;
    case CommandLine::Action::Print:
        return printSquare(command);
    case CommandLine::Action::Error:
    case CommandLine::Action::OpenWindow:
        break;
    }
    say(stderr, QStringLiteral("zorbelin: %1\n").arg(command.error));
    return BadUsage;
}

int openWindow(int &argc, char *argv[], double scale)
{
    auto display = std::make_unique<DisplayCheck>();
    if (const QString problem = display->problem(); !problem.isEmpty()) {
        say(stderr, QStringLiteral("zorbelin: прозорецът не може да се отвори: %1\n").arg(problem));
        return CannotOpenWindow;
    }
    const std::unique_ptr<QApplication> app = startApplication(argc, argv, scale);
    display.reset();
    setUpApplication();

    MainForm form;
    form.show();
    return QApplication::exec();
}
