// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"
#include "fatalerrordialog.h"
#include "mainform.h"
#include "magicsquare.h"
#include "qttranslation.h"
#include "squaretext.h"
#ifdef ZORBELIN_X11_CHECK
#include "displaycheck.h"
#endif

#include <QApplication>
#include <QScreen>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

enum ExitStatus { Success = 0, BadUsage = 2, CannotOpenWindow = 2 };

// A program of the Windows GUI subsystem starts without standard streams; to
// answer in the console it was started from, it borrows that console for the
// streams that do not already go somewhere (a file, a pipe).
void useParentConsole()
{
#ifdef Q_OS_WIN
    const bool outputNowhere = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_UNKNOWN;
    const bool errorsNowhere = GetFileType(GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_UNKNOWN;
    if ((!outputNowhere && !errorsNowhere) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (outputNowhere)
        std::freopen("CONOUT$", "w", stdout);
    if (errorsNowhere)
        std::freopen("CONOUT$", "w", stderr);
    // The texts are UTF-8; the console gets its own code page back at the end.
    static const UINT consoleCodePage = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
    std::atexit([] { SetConsoleOutputCP(consoleCodePage); });
#endif
}

void say(std::FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
}

QStringList argumentList(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
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
    std::fputs(squareText(square, command.order, command.left).c_str(), stdout);
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
    say(stderr, QStringLiteral("zorbelin: --scale %1 не се побира на екрана; прозорецът се отваря с --scale %2\n")
                    .arg(scale)
                    .arg(fits));
    app.reset();
    qputenv("QT_SCALE_FACTOR", QByteArray::number(fits));
    return std::make_unique<QApplication>(argc, argv);
}

int openWindow(int &argc, char *argv[], double scale)
{
#ifdef ZORBELIN_X11_CHECK
    auto display = std::make_unique<DisplayCheck>();
    if (const QString problem = display->problem(); !problem.isEmpty()) {
        say(stderr, QStringLiteral("zorbelin: прозорецът не може да се отвори: %1\n").arg(problem));
        return CannotOpenWindow;
    }
#endif
    const std::unique_ptr<QApplication> app = startApplication(argc, argv, scale);
#ifdef ZORBELIN_X11_CHECK
    display.reset();
#endif
    QApplication::setStyle(QStringLiteral("Fusion"));
    QTranslator qtTexts;
    if (loadQtTranslation(qtTexts))
        QCoreApplication::installTranslator(&qtTexts);
    // Ties the window to its menu entry and icon on the desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.zorbelin.Zorbelin"));
    installFatalErrorDialog();

    MainForm form;
    form.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    const CommandLine command = parseCommandLine(argumentList(argc, argv));
    if (command.action != CommandLine::Action::OpenWindow)
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
        say(stderr, QStringLiteral("zorbelin: %1\n").arg(command.error));
        return BadUsage;
    case CommandLine::Action::OpenWindow:
        break;
    }
    return openWindow(argc, argv, command.scale);
}
