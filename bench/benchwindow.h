// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "mainform.h"

#include <QEvent>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <memory>

// A shown window taken by the shortest ways in: an entry selected as the list
// selects it, the buttons' own clicks, and the reveal's public step with the
// real timer's events held back, unless the timer runs.
class BenchWindow
{
public:
    enum class Timer { Held, Running };

    explicit BenchWindow(Timer timer = Timer::Held)
        : m_form(std::make_unique<MainForm>())
    {
        if (timer == Timer::Held)
            this->timer()->installEventFilter(&m_holdTimer);
        m_form->show();
    }

    MainForm &form() const { return *m_form; }
    const LessonRun &lesson() const { return m_form->lesson(); }
    QTimer *timer() const { return child<QTimer>("Timer1"); }
    QPushButton *cell(int k) const { return child<QPushButton>("Command1_" + std::to_string(k)); }

    void choose(int n) const { child<QListWidget>("List1")->setCurrentRow((n - 3) / 2); }
    void clear() const { child<QPushButton>("Command2")->click(); }
    void chooseTop() const { child<QRadioButton>("Option1_0")->click(); }
    void tick() const { m_form->Timer1_Timer(); }
    // Until the reveal stops.
    void revealAll() const
    {
        while (lesson().timerRunning())
            tick();
    }

private:
    class HoldTimer : public QObject
    {
    protected:
        bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Timer; }
    };

    template<typename T> T *child(const std::string &name) const
    {
        return m_form->findChild<T *>(QString::fromStdString(name));
    }

    std::unique_ptr<MainForm> m_form;
    mutable HoldTimer m_holdTimer;
};
