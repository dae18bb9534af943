// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"
#include "startup.h"

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = parseCommandLine(arguments);
    if (command.action != CommandLine::Action::OpenWindow)
        return answer(command, argc, argv);
    return openWindow(argc, argv, command.scale);
}
