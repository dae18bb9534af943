// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "mainform.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

// The in-process benchmarks run headless, in the style the program uses.
class BenchApplication : public QApplication
{
public:
    BenchApplication(int &argc, char **argv)
        : QApplication(offscreen(argc), argv)
    {
        setStyle(QStringLiteral("Fusion"));
    }

private:
    // The platform is chosen when the application is constructed.
    static int &offscreen(int &argc)
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }
};

// Drives a window from code the way its controls would: a size chosen in
// the list, a button clicked, a step of the reveal.
class Drive
{
public:
    explicit Drive(MainForm &form)
        : m_form(form)
        , m_list(form.findChild<QListWidget *>(QStringLiteral("List1")))
        , m_clear(form.findChild<QPushButton *>(QStringLiteral("Command2")))
        , m_timer(form.findChild<QTimer *>(QStringLiteral("Timer1")))
    {
    }

    void choose(int n) const { m_list->setCurrentRow((n - 3) / 2); }
    void clear() const { m_clear->click(); }
    void chooseTop() const { m_form.findChild<QAbstractButton *>(QStringLiteral("Option1_0"))->click(); }
    void tick() const { QMetaObject::invokeMethod(&m_form, "Timer1_Timer"); }
    void revealAll(int n) const
    {
        for (int t = 0; t <= n * n; ++t)
            tick();
    }
    QPushButton *cell(int k) const { return m_form.findChild<QPushButton *>(QStringLiteral("Command1_%1").arg(k)); }
    QTimer *timer() const { return m_timer; }

private:
    MainForm &m_form;
    QListWidget *m_list;
    QPushButton *m_clear;
    QTimer *m_timer;
};
