// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "windowlayout.h"

#include <QRect>

// Twips turn into logical pixels only here; Qt's high-DPI scaling does the rest.
inline QRect toPixels(const TwipsRect &r)
{
    const int left = twipsToPixels(r.left);
    const int top = twipsToPixels(r.top);
    return QRect(left, top, twipsToPixels(r.left + r.width) - left, twipsToPixels(r.top + r.height) - top);
}
