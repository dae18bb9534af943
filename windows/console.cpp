// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "console.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

// A program of the Windows GUI subsystem starts without standard streams; to
// answer in the console it was started from, it borrows that console for the
// streams that do not already go somewhere (a file, a pipe).
void useParentConsole()
{
    const bool outputNowhere = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_UNKNOWN;
    const bool errorsNowhere = GetFileType(GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_UNKNOWN;
    if ((!outputNowhere && !errorsNowhere) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (outputNowhere)
        std::freopen("CONOUT$", "w", stdout);
    if (errorsNowhere)
        std::freopen("CONOUT$", "w", stderr);
    // The texts are UTF-8; the console gets its own code page back at the end.
    static const UINT consoleCodePage = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
    std::atexit([] { SetConsoleOutputCP(consoleCodePage); });
}
