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

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    const Options options;
    describe(parser, options);

    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty()) {
            const QString name = parser.unknownOptionNames().constFirst();
            return failure(QStringLiteral("непозната опция „%1%2“; опциите са %3")
                               .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name,
                                    OptionsAccepted));
        }
        // The only other failure is an option that takes a value given last, without one.
        const QString last = arguments.constLast();
        if (last.endsWith(QLatin1String("scale")))
            return failure(QStringLiteral("--scale: липсва стойност; очаква се число от 1 до 4"));
        return failure(QStringLiteral("--print: липсва стойност; очаква се един от размерите %1").arg(SizesAccepted));
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
    if (!parser.positionalArguments().isEmpty()) {
        return failure(QStringLiteral("неочакван аргумент „%1“; опциите са %2")
                           .arg(parser.positionalArguments().constFirst(), OptionsAccepted));
    }

    if (parser.isSet(options.print)) {
        if (parser.isSet(options.scale))
            return failure(QStringLiteral("--scale: не се съчетава с --print, който не отваря прозорец"));
        const QString value = parser.value(options.print);
        int order = 0;
        if (!readOrder(value, order) || order < 3 || order > 21 || order % 2 == 0) {
            return failure(QStringLiteral("--print: „%1“ не е от предлаганите размери; очаква се един от %2")
                               .arg(value, SizesAccepted));
        }
        command.action = CommandLine::Action::Print;
        command.order = order;
        command.left = parser.isSet(options.left);
        return command;
    }
    if (parser.isSet(options.left))
        return failure(QStringLiteral("--left: само заедно с --print N"));

    if (parser.isSet(options.scale)) {
        const QString value = parser.value(options.scale);
        double scale = 0;
        if (!readScale(value, scale) || scale < MinimumScale || scale > MaximumScale)
            return failure(QStringLiteral("--scale: „%1“ не е число от 1 до 4 (например 1.5)").arg(value));
        command.scale = scale;
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
    if (window.width() <= available.width() && window.height() <= available.height())
        return wanted;
    const double fits = wanted * std::min(double(available.width()) / window.width(),
                                          double(available.height()) / window.height());
    // Two decimals, rounded down, so the window surely fits.
    return std::max(MinimumScale, std::floor(fits * 100) / 100);
}
