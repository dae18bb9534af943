// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// The program in the browser. There is no command line: the page (index.html)
// opens the window, sized and scaled to fit, and sets the environment.

#include "accessiblemirror.h"
#include "application.h"
#include "lesson.h"
#include "lessonrun.h"
#include "mainform.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QTimer>

#include <emscripten.h>
#include <emscripten/bind.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

void say(const QString &line)
{
    // stdout becomes the page's console.log.
    std::puts(line.toUtf8().constData());
    std::fflush(stdout);
}

// With ?log in the page's address (ZORBELIN_LOG), one console line for each
// cell revealed, with its place, number and time, and one for each text in
// the report box, so scripts/test-web can follow the lesson from outside.
class LessonLog : public LessonListener
{
public:
    explicit LessonLog(const MainForm &form)
        : m_form(form)
    {
    }

    void ticked(int cell, int number, bool /*ended*/) override
    {
        if (cell < 0)
            return;
        const CellPlace place = cellPlace(cell, m_form.lesson().order());
        say(QStringLiteral("клетка: ред %1, колона %2, число %3, време %4 мс")
                .arg(place.row)
                .arg(place.column)
                .arg(number)
                .arg(emscripten_get_now(), 0, 'f', 1));
    }

    void textChanged(const std::string &text) override
    {
        const QString line = QString::fromStdString(text).replace(QLatin1String("\r\n"), QLatin1String(" / "));
        if (line != m_report)
            say(QStringLiteral("справка: ") + line);
        m_report = line;
    }

private:
    const MainForm &m_form;
    QString m_report;
};

// All text in Liberation Serif, Qt's own too (menus, message boxes): the
// browser build carries no other font with Cyrillic.
void useLessonFont()
{
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LiberationSerif-Regular.ttf"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Liberation Serif")});
    QApplication::setFont(font);
}

// The page calls this (Module.zorbelinRefit) after it has changed the
// window's fit: Module.qtFontDpi, Qt's scale factor, and the canvas's size.
// Before Qt has started there is nothing to do: it reads both as it starts.
void refit()
{
    if (!qApp)
        return;
    emscripten::val::module_property("qtUpdateDpi")();
    emscripten::val::module_property("qtResizeAllScreens")(emscripten::val::undefined());
    // Qt makes the window's backing image anew at the first paint after the
    // change, and it holds only what that paint draws: after a hover's or a
    // cell's alone, the rest is blank or garbled. Painting every widget once
    // the change has landed fills it all, the picture drawn for the new ratio.
    QTimer::singleShot(0, qApp, [] {
        for (QWidget *widget : QApplication::allWidgets()) {
            widget->update();
            if (auto *form = qobject_cast<MainForm *>(widget))
                form->drawPicture();
        }
    });
}

// The screen reader's copy of the window is made once the window has been
// drawn: making it costs about as much as drawing, and the class sees the
// window that much sooner.
class MirrorAfterFirstPaint : public QObject
{
public:
    explicit MirrorAfterFirstPaint(MainForm *form)
        : QObject(form)
    {
        form->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After this paint has reached the page.
            QTimer::singleShot(0, watched, [form = static_cast<MainForm *>(watched)] { new AccessibleMirror(form); });
        }
        return false;
    }
};

} // namespace

EMSCRIPTEN_BINDINGS(zorbelin)
{
    emscripten::function("zorbelinRefit", &refit);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    useLessonFont();
    setUpApplication();

    // Declared first, so it outlives the window it follows.
    std::unique_ptr<LessonLog> log;
    MainForm form;
    // The page is the window's frame: Qt draws no title bar, and show() fills
    // the canvas, which the page makes the window's size.
    form.setWindowFlag(Qt::FramelessWindowHint);
    if (qEnvironmentVariableIsSet("ZORBELIN_LOG")) {
        log = std::make_unique<LessonLog>(form);
        form.addLessonListener(log.get());
    }
    new MirrorAfterFirstPaint(&form);
    form.show();
    // Hands over to the browser's event loop and never returns, so the objects
    // above live as long as the page.
    return QApplication::exec();
}
