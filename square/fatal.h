// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// The program has no error recovery: an error ends it with a clear message.
// The window installs a handler that also shows a message box; without one
// the message goes to stderr.
using FatalErrorHandler = void (*)(const std::string &message);

void setFatalErrorHandler(FatalErrorHandler handler);

[[noreturn]] void fatalError(const std::string &message);
