// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fatalerrordialog.h"

#include "fatal.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

namespace {

// While the message box is up, the window's timers must not run: a reveal
// tick could fail again and end the program before the message is read.
// Timers of widgets other than the box are held back.
class HoldWindowTimers : public QObject
{
public:
    explicit HoldWindowTimers(const QObject *box)
        : m_box(box)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Timer)
            return false;
        bool inWindow = false;
        for (const QObject *o = watched; o; o = o->parent()) {
            if (o == m_box)
                return false;
            inWindow = inWindow || o->isWidgetType();
        }
        return inWindow;
    }

private:
    const QObject *m_box;
};

void reportAndExit(const std::string &message)
{
    std::fprintf(stderr, "zorbelin: фатална грешка: %s\n", message.c_str());
    std::fflush(stderr);

    // A failure while the box is up ends the program at once.
    static bool reporting = false;
    if (!reporting && qobject_cast<QApplication *>(QCoreApplication::instance())) {
        reporting = true;
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Зорбелин"),
                        QStringLiteral("Грешка по време на работа:\n%1\n\nПрограмата ще бъде затворена.")
                            .arg(QString::fromStdString(message)));
        HoldWindowTimers hold(&box);
        QCoreApplication::instance()->installEventFilter(&hold);
        box.exec();
    }
    std::exit(EXIT_FAILURE);
}

} // namespace

void installFatalErrorDialog()
{
    setFatalErrorHandler(reportAndExit);
}
