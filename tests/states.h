// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The lesson's states as tst_states (the window) and tst_lessonrun (the run)
// write them: the flag, the timer, the list (enabled, selection), "Чисти",
// the frame, the cells (existing/visible), the text box and the picture.
namespace States {
inline const QString NoBoardAtStart =
    QStringLiteral("cleared stopped list:on/none clear:off frame:on cells:1/0 text:explanation image:shown");
inline const QString NoBoardAfterClear =
    QStringLiteral("cleared stopped list:on/none clear:off frame:on cells:1/0 text:empty image:hidden");
inline const QString FirstInterval =
    QStringLiteral("board running list:off/3 clear:on frame:on cells:9/0 text:hidden image:hidden");
inline const QString ClearedWhileRunning =
    QStringLiteral("cleared running list:on/none clear:off frame:on cells:1/0 text:empty image:hidden");
inline const QString RevealingTwo =
    QStringLiteral("board running list:off/3 clear:off frame:off cells:9/2 text:hidden image:hidden");
inline const QString BoardComplete =
    QStringLiteral("board stopped list:off/3 clear:on frame:on cells:9/9 text:hidden image:hidden");
} // namespace States
