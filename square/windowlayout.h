// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cmath>

// The window's design, written once for every view: where each control
// stands, its colours, fonts and texts. Plain C++, so the desktop window
// reads it and the page's build turns it into HTML and CSS.

// Geometry is kept in twips (1/1440 inch): 15 twips make one pixel at 96 dpi.
// Edges are rounded, not sizes, so rectangles that meet in twips meet in
// pixels too, without gaps or overlaps.
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

struct Rgb
{
    int red;
    int green;
    int blue;
};

// Measured from the top-left corner of the container's client area: the
// window's, or the frame's for the option buttons.
namespace Layout {
constexpr TwipsRect ClientArea{0, 0, 9060, 7215};
constexpr TwipsRect List1{120, 840, 735, 2340};
constexpr TwipsRect Command1{1080, 360, 365, 325};
constexpr TwipsRect Command2{0, 4560, 975, 375};
constexpr TwipsRect Text1_0{120, 5520, 8775, 1575};
constexpr TwipsRect Label1_0{1080, 0, 6615, 300};
constexpr TwipsRect Label1_1{120, 480, 735, 375};
constexpr TwipsRect Text1_1{7560, 4800, 8175, 1575};
constexpr TwipsRect Frame1{0, 3480, 975, 975};
constexpr TwipsRect Option1_0{60, 300, 855, 300};
constexpr TwipsRect Option1_1{60, 600, 855, 300};
constexpr TwipsRect Image1{3120, 1080, 3300, 3435};

// The place of cell `index` of an order-n board: the template's size, one
// step of it per row and column from the template's place.
TwipsRect cell(int index, int n);
} // namespace Layout

namespace Colours {
constexpr Rgb Window{0xC0, 0xC0, 0xFF};
constexpr Rgb Button{0x80, 0x80, 0xFF};
constexpr Rgb Label{0xFF, 0xC0, 0x80};
// A disabled caption stays readable on the button colour (about 3:1), and
// still looks unlike the black of an enabled one.
constexpr Rgb DisabledCaption{0x40, 0x40, 0x70};
} // namespace Colours

// Every control's text is in Times New Roman, at these sizes in points.
namespace Fonts {
constexpr const char *Family = "Times New Roman";
constexpr double Window = 12;
constexpr double Cell = 8.25;
} // namespace Fonts

// What the window says. UTF-8.
namespace Texts {
constexpr const char *Title = "https://zorbelin.example Зорбелин нечетен брой";
constexpr const char *Label1_0 = "Зорбелин";
constexpr const char *Label1_1 = "Брой";
constexpr const char *Frame1 = "Начало";
constexpr const char *Option1_0 = "Горе";
constexpr const char *Option1_1 = "Ляво";
constexpr const char *Command2 = "Чисти";
constexpr const char *List1Name = "Брой";
constexpr const char *List1Description = "Дължина на страната на магическия квадрат";
constexpr const char *Command2Description = "Изчиства дъската";
constexpr const char *Text1_0Name = "Обяснение и справка";
constexpr const char *Text1_1Name = "Допълнително поле";
constexpr const char *Option1_0Description = "Числото 1 започва в средата на първия ред";
constexpr const char *Option1_1Description = "Числото 1 започва в средата на първата колона";
constexpr const char *Image1Name = "Магическият квадрат 4 × 4 от гравюрата „Меланхолия I“ на Албрехт Дюрер, 1514 г.";
constexpr const char *Image1Description = "Редове: 16, 3, 2, 13; 5, 10, 11, 8; 9, 6, 7, 12; 4, 15, 14, 1";
// A cell's accessible description is CellRow + row + CellColumn + column.
constexpr const char *CellRow = "Ред ";
constexpr const char *CellColumn = ", Колона ";
} // namespace Texts
