// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "commandline.h"

// The exit statuses of the program besides 0; a fatal error exits with 1.
enum ExitStatus { Success = 0, BadUsage = 2, CannotOpenWindow = 2 };

// Answers a command that opens no window (help, version, a printed square,
// a bad argument) on the console, and returns the exit status.
int answer(const CommandLine &command, int argc, char *argv[]);

// Opens the window, at `scale` when it is above 0, and runs it to the end.
int openWindow(int &argc, char *argv[], double scale);
