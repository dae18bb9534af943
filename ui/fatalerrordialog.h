// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Makes every fatal error end the program with a message box as well as the
// line on stderr. Needs a QApplication.
void installFatalErrorDialog();
