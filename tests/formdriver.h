// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "mainform.h"
#include "textbox.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

// A fresh window for a test, driven the way a person drives it: clicks and
// keys go to the window and reach whatever control is there, visible and
// enabled. The driver takes the reveal's steps itself, and the real timer's
// events are held back, unless it lets the timer run. It follows the lesson
// and keeps the cells revealed, in order.
class FormDriver : private LessonListener
{
public:
    enum class Timer { Held, Running };

    explicit FormDriver(Timer timer = Timer::Held)
        : m_form(std::make_unique<MainForm>())
    {
        m_timer = child<QTimer>(QStringLiteral("Timer1"));
        if (timer == Timer::Held)
            m_timer->installEventFilter(&m_holdTimer);
        m_form->addLessonListener(this);
        m_form->show();
        m_form->activateWindow();
        if (!QTest::qWaitForWindowActive(m_form.get()))
            qFatal("the window did not become active");
    }

    MainForm &form() const { return *m_form; }

    // A child the window must have; a renamed one stops the run at once.
    template<typename T = QWidget> T *child(const QString &name) const
    {
        T *found = m_form->findChild<T *>(name);
        if (!found)
            qFatal("the window has no %s", qPrintable(name));
        return found;
    }

    QListWidget *list() const { return child<QListWidget>(QStringLiteral("List1")); }
    QPushButton *clearButton() const { return child<QPushButton>(QStringLiteral("Command2")); }
    QRadioButton *option(int i) const { return child<QRadioButton>(QStringLiteral("Option1_%1").arg(i)); }
    TextBox *textBox() const { return child<TextBox>(QStringLiteral("Text1_0")); }
    QTimer *timer() const { return m_timer; }
    // Cell k, or null when the board has no such cell.
    QPushButton *cell(int k) const { return m_form->findChild<QPushButton *>(QStringLiteral("Command1_%1").arg(k)); }

    QList<QPushButton *> cells() const
    {
        return m_form->findChildren<QPushButton *>(QRegularExpression(QStringLiteral("^Command1_\\d+$")));
    }

    int cellCount() const { return int(cells().size()); }

    QList<int> visibleCells() const
    {
        QList<int> shown;
        for (const QPushButton *cell : cells()) {
            if (cell->isVisible())
                shown << cell->objectName().mid(9).toInt();
        }
        std::sort(shown.begin(), shown.end());
        return shown;
    }

    // A left click at the middle of `widget`, delivered through the window.
    void click(const QWidget *widget) const { clickAt(widget->mapTo(m_form.get(), widget->rect().center())); }

    void clickAt(QPoint windowPos) const
    {
        QTest::mouseClick(m_form->windowHandle(), Qt::LeftButton, Qt::NoModifier, windowPos);
    }

    void key(Qt::Key key) const { QTest::keyClick(m_form->windowHandle(), key); }

    void selectByMouse(const QString &size) const
    {
        QListWidget *sizes = list();
        QListWidgetItem *item = sizes->findItems(size, Qt::MatchExactly).value(0);
        sizes->scrollToItem(item);
        clickAt(sizes->viewport()->mapTo(m_form.get(), sizes->visualItemRect(item).center()));
    }

    // Keys pressed in the size list, which has the focus as after a Tab.
    void keysInList(const QList<Qt::Key> &keys) const
    {
        list()->setFocus(Qt::TabFocusReason);
        for (Qt::Key k : keys)
            key(k);
    }

    void letTimerRun() const { m_timer->removeEventFilter(&m_holdTimer); }

    // One step of the reveal, as the timer would take it; it only ticks while
    // it runs.
    void tick() const
    {
        if (!m_timer->isActive())
            qFatal("a reveal step while the timer is stopped");
        m_form->Timer1_Timer();
    }
    void ticks(int count) const
    {
        for (int i = 0; i < count; ++i)
            tick();
    }
    // A board of order n is revealed after n * n + 1 ticks.
    void revealAll(int n) const { ticks(n * n + 1); }

    QString text() const { return textBox()->text(); }

    // The cells the ticks revealed since the last board was built, in order.
    const QList<int> &revealed() const { return m_revealed; }

private:
    class HoldTimer : public QObject
    {
    protected:
        bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Timer; }
    };

    void boardBuilt(int) override { m_revealed.clear(); }
    void ticked(int cell, int, bool) override
    {
        if (cell >= 0)
            m_revealed << cell;
    }

    QList<int> m_revealed;
    std::unique_ptr<MainForm> m_form;
    QTimer *m_timer = nullptr;
    mutable HoldTimer m_holdTimer;
};
