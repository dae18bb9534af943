// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// What the program was asked to do, read from its arguments before anything
// needs a display.
struct CommandLine
{
    enum class Action { OpenWindow, Print, Help, Version, Error };

    Action action = Action::OpenWindow;
    double scale = 0; // OpenWindow: 1..4, or 0 when --scale was not given
    int order = 0; // Print: one of the offered sizes 3, 5, ... 21
    bool left = false; // Print: the transposed square
    QString error; // Error: one line for stderr, without the program's name
};

inline constexpr double MinimumScale = 1.0;
inline constexpr double MaximumScale = 4.0;
// Room for a title bar and borders around the window, in screen pixels.
inline constexpr QSize WindowFrame(16, 48);

// `arguments` as main() gets them, the program's name first.
CommandLine parseCommandLine(const QStringList &arguments);

// The usage text of --help. Needs a QCoreApplication, whose translator gives
// Qt's own words in Bulgarian.
QString commandLineHelp();

// "zorbelin 1.2.3"
QString versionLine();

// The largest scale up to `wanted` at which a window of `window` logical
// pixels, with its frame, fits into `available`, given in logical pixels at
// scale `wanted`; never below 1.
double scaleThatFits(double wanted, QSize window, QSize available);
