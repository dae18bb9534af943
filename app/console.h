// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Before printing: where the program starts without standard streams (a
// Windows window program), it answers in the console it was started from.
// Elsewhere the streams are already there and this does nothing.
void useParentConsole();
