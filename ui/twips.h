// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>

#include <cmath>

// Geometry is kept in twips (1/1440 inch) and turned into logical pixels only
// here: 15 twips make one pixel at 96 dpi, and Qt's high-DPI scaling does the
// rest. Edges are rounded, not sizes, so rectangles that meet in twips meet
// in pixels too, without gaps or overlaps.
struct TwipsRect
{
    double left;
    double top;
    double width;
    double height;
};

constexpr double TwipsPerPixel = 15.0;

inline int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

inline QRect toPixels(const TwipsRect &r)
{
    const int left = twipsToPixels(r.left);
    const int top = twipsToPixels(r.top);
    return QRect(left, top, twipsToPixels(r.left + r.width) - left, twipsToPixels(r.top + r.height) - top);
}
