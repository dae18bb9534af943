#include "fatalerrordialog.h"

#include "fatal.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

namespace {

void reportAndExit(const std::string &message)
{
    std::fprintf(stderr, "zorbelin: fatal error: %s\n", message.c_str());
    std::fflush(stderr);

    // The box runs its own event loop, in which a timer tick could fail
    // again; that second failure ends the program at once.
    static bool reporting = false;
    if (!reporting && qobject_cast<QApplication *>(QCoreApplication::instance())) {
        reporting = true;
        QMessageBox::critical(nullptr, QStringLiteral("Зорбелин"),
                              QStringLiteral("Грешка по време на работа:\n%1\n\nПрограмата ще бъде затворена.")
                                  .arg(QString::fromStdString(message)));
    }
    std::exit(EXIT_FAILURE);
}

} // namespace

void installFatalErrorDialog()
{
    setFatalErrorHandler(reportAndExit);
}
