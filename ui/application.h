// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Sets up the running QApplication as the window needs it: the Fusion style
// its look is drawn on, Qt's own texts in Bulgarian, the desktop entry it
// belongs to, and a message box for a fatal error. The program, the benchmarks
// and the tests of the layout and of fatal errors start this way; the other
// tests need none of it. False when Qt's Bulgarian texts were not
// found; Qt's English ones are shown then.
bool setUpApplication();
