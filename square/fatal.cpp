// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fatal.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void printAndExit(const std::string &message)
{
    std::fprintf(stderr, "zorbelin: фатална грешка: %s\n", message.c_str());
    std::exit(EXIT_FAILURE);
}

FatalErrorHandler currentHandler = printAndExit;

} // namespace

void setFatalErrorHandler(FatalErrorHandler handler)
{
    currentHandler = handler ? handler : printAndExit;
}

void fatalError(const std::string &message)
{
    currentHandler(message);
    // A handler must not return; make sure the program still ends if it does.
    printAndExit(message);
}
