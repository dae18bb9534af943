// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"

#include <QCommandLineParser>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

const QString SizesAccepted = QStringLiteral("3, 5, 7, 9, 11, 13, 15, 17, 19, 21");
const QString OptionsAccepted = QStringLiteral("--scale F, --print N, --left, --help, --version");

// Qt's own help and version options would describe themselves in English.
struct Options
{
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Показва тази помощ и излиза.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Показва версията на програмата и излиза.")};
    QCommandLineOption scale{QStringLiteral("scale"),
                             QStringLiteral("Отваря прозореца F пъти по-голям, F от 1 до 4 (например 1.5), "
                                            "за проектор в класната стая."),
                             QStringLiteral("F")};
    QCommandLineOption print{QStringLiteral("print"),
                             QStringLiteral("Отпечатва магическия квадрат със страна N (3, 5, … 21) със сумите на "
                                            "редовете и колоните, без да отваря прозорец."),
                             QStringLiteral("N")};
    QCommandLineOption left{QStringLiteral("left"),
                            QStringLiteral("С --print: квадратът с начало „Ляво“ (транспонираният).")};
};

void describe(QCommandLineParser &parser, const Options &options)
{
    parser.setApplicationDescription(
        QStringLiteral("Зорбелин показва как се построява магически квадрат с нечетна дължина на страната."));
    parser.addOptions({options.help, options.version, options.scale, options.print, options.left});
}

CommandLine failure(const QString &line)
{
    CommandLine command;
    command.action = CommandLine::Action::Error;
    command.error = line;
    return command;
}

// A whole number written in decimal digits, nothing else.
bool readOrder(const QString &text, int &order)
{
    bool ok = false;
    order = text.toInt(&ok, 10);
    return ok && !text.startsWith(QLatin1Char('+'));
}

// A Bulgarian keyboard writes 1,5 where an English one writes 1.5; both mean
// the same scale.
bool readScale(QString text, double &scale)
{
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    scale = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(scale);
}

// An option as the user wrote it, one dash or two, without its value.
QString typed(const QStringList &arguments, const QString &name)
{
    for (const QString &argument : arguments.mid(1)) {
        const QString option = argument.section(QLatin1Char('='), 0, 0);
        if (option == QLatin1Char('-') + name || option == QLatin1String("--") + name)
            return option;
    }
    return QLatin1String("--") + name;
}

// Which known option the parser refused, read from the arguments as the
// parser reads them: one that takes a value and has none, or one that takes
// none and was given one ("--left=1").
CommandLine misusedOption(const QStringList &arguments, const Options &options)
{
    const auto names = [](const QCommandLineOption &option) { return option.names(); };
    const QStringList valued = names(options.scale) + names(options.print);
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--"))
            break;
        if (!argument.startsWith(QLatin1Char('-')))
            continue;
        const QString option = argument.section(QLatin1Char('='), 0, 0);
        const QString name = option.mid(option.startsWith(QLatin1String("--")) ? 2 : 1);
        const bool hasValue = argument.contains(QLatin1Char('='));
        if (!valued.contains(name)) {
            if (hasValue)
                return failure(QStringLiteral("%1: не приема стойност").arg(option));
            continue;
        }
        if (hasValue)
            continue;
        if (i + 1 == arguments.size()) {
            if (options.scale.names().contains(name))
                return failure(QStringLiteral("%1: липсва стойност; очаква се число от 1 до 4").arg(option));
            return failure(
                QStringLiteral("%1: липсва стойност; очаква се един от размерите %2").arg(option, SizesAccepted));
        }
        ++i;
    }
    return failure(QStringLiteral("неразбираеми аргументи; опциите са %1").arg(OptionsAccepted));
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // "-platform" is one unknown option, not the letters p, l, a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const Options options;
    describe(parser, options);

    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty()) {
            return failure(QStringLiteral("непозната опция „%1“; опциите са %2")
                               .arg(typed(arguments, parser.unknownOptionNames().constFirst()), OptionsAccepted));
        }
        return misusedOption(arguments, options);
    }

    CommandLine command;
    if (parser.isSet(options.help)) {
        command.action = CommandLine::Action::Help;
        return command;
    }
    if (parser.isSet(options.version)) {
        command.action = CommandLine::Action::Version;
        return command;
    }

    if (parser.isSet(options.print)) {
        const QString value = parser.value(options.print);
        if (!readOrder(value, command.order) || command.order < 3 || command.order > 21 || command.order % 2 == 0) {
            return failure(QStringLiteral("--print: „%1“ не е от предлаганите размери; очаква се един от %2")
                               .arg(value, SizesAccepted));
        }
        command.action = CommandLine::Action::Print;
        command.left = parser.isSet(options.left);
    }
    if (parser.isSet(options.scale)) {
        const QString value = parser.value(options.scale);
        if (!readScale(value, command.scale) || command.scale < MinimumScale || command.scale > MaximumScale)
            return failure(QStringLiteral("--scale: „%1“ не е число от 1 до 4 (например 1.5)").arg(value));
    }
    if (command.action == CommandLine::Action::Print && parser.isSet(options.scale))
        return failure(QStringLiteral("--scale: не се съчетава с --print, който не отваря прозорец"));
    if (command.action != CommandLine::Action::Print && parser.isSet(options.left))
        return failure(QStringLiteral("--left: само заедно с --print N"));
    if (!parser.positionalArguments().isEmpty()) {
        return failure(QStringLiteral("неочакван аргумент „%1“; опциите са %2")
                           .arg(parser.positionalArguments().constFirst(), OptionsAccepted));
    }
    return command;
}

QString commandLineHelp()
{
    QCommandLineParser parser;
    const Options options;
    describe(parser, options);
    return parser.helpText();
}

QString versionLine()
{
    return QStringLiteral("zorbelin " ZORBELIN_VERSION);
}

double scaleThatFits(double wanted, QSize window, QSize available)
{
    // In screen pixels: the frame a window manager puts around the window
    // does not grow with the scale.
    const double width = available.width() * wanted - WindowFrame.width();
    const double height = available.height() * wanted - WindowFrame.height();
    if (window.width() * wanted <= width && window.height() * wanted <= height)
        return wanted;
    const double fits = std::min(width / window.width(), height / window.height());
    // Two decimals, rounded down, so the window surely fits.
    return std::max(MinimumScale, std::floor(fits * 100) / 100);
}
