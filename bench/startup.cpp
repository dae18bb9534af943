// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts, shows one window and ends the process as soon as its first frame
// is painted: `startup form` for the program's window with Qt's Bulgarian
// texts loaded, as the program starts, `startup untranslated` for the same
// window without them, `startup bare` for an
// empty QWidget of the same size, the floor of what Qt itself costs, and
// `startup text` for that widget with one label in the window's font, the
// floor for any window that shows text (it has to load the font database).
#include "application.h"
#include "mainform.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QTranslator>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// The frame is done once the paint event that starts it has been handled;
// the process then ends without tearing anything down, as start-up is what
// is measured.
class ExitAfterFirstFrame : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, [] { std::_Exit(0); });
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    const char *kind = argc > 1 ? argv[1] : "form";
    QApplication app(argc, argv);
    setUpApplication();
    if (std::strcmp(kind, "form") != 0)
        QCoreApplication::removeTranslator(app.findChild<QTranslator *>());

    std::unique_ptr<QWidget> window;
    if (std::strcmp(kind, "form") == 0 || std::strcmp(kind, "untranslated") == 0) {
        window = std::make_unique<MainForm>();
    } else {
        window = std::make_unique<QWidget>();
        window->setFixedSize(604, 481);
        if (std::strcmp(kind, "text") == 0) {
            auto *label = new QLabel(QStringLiteral("Зорбелин"), window.get());
            label->setFont(QFont(QStringLiteral("Times New Roman"), 12));
        }
    }
    ExitAfterFirstFrame filter;
    window->installEventFilter(&filter);
    window->show();
    return app.exec();
}
