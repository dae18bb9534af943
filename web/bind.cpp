// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's way into the lesson: one run, its five verbs, its picture as a
// flat array of whole numbers in the module's memory, and the board's
// keyboard rules over that picture. The page keeps no lesson state itself.

#include "fatal.h"
#include "lesson.h"
#include "lessonrun.h"
#include "lessonview.h"
#include "windowlayout.h"

#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

LessonRun run;
// The picture last handed out; the keyboard rules answer for what the page shows.
LessonView shown;
std::vector<std::int32_t> picture;
std::string printout;
std::int32_t box[4];

// The page shows a message in its own words, then the module stops.
EM_JS(void, showFatalError, (const char *message), {
    if (Module.onFatalError)
        Module.onFatalError(UTF8ToString(message));
});

[[noreturn]] void stopWithMessage(const std::string &message)
{
    showFatalError(message.c_str());
    std::abort();
}

// The fields at the picture's start, in their order, written once: the page
// learns it from zorbelinPictureFields().
#define PICTURE_FIELDS(F)                                                                                              \
    F(ListEnabled)                                                                                                     \
    F(Selection)                                                                                                       \
    F(OrientationField)                                                                                                \
    F(FrameEnabled)                                                                                                    \
    F(ClearEnabled)                                                                                                    \
    F(ImageVisible)                                                                                                    \
    F(TextVisible)                                                                                                     \
    F(ExplanationShown)                                                                                                \
    F(TimerRunning)                                                                                                    \
    F(Order)                                                                                                           \
    F(CellCount)                                                                                                       \
    F(TextPointer)                                                                                                     \
    F(TextBytes)                                                                                                       \
    F(FirstCell)

#define AS_ENUMERATOR(name) name,
enum Field : std::int32_t { PICTURE_FIELDS(AS_ENUMERATOR) };
#define AS_WORD(name) #name " "
constexpr const char FieldNames[] = PICTURE_FIELDS(AS_WORD);

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void zorbelinStart()
{
    setFatalErrorHandler(stopWithMessage);
}

EMSCRIPTEN_KEEPALIVE int zorbelinRevealInterval()
{
    return RevealIntervalMs;
}

EMSCRIPTEN_KEEPALIVE int zorbelinSizeCount()
{
    return LessonRun::SizeCount;
}

EMSCRIPTEN_KEEPALIVE int zorbelinSizeEntry(int index)
{
    return LessonRun::sizeEntry(index);
}

EMSCRIPTEN_KEEPALIVE int zorbelinChooseSize(int index)
{
    return run.chooseSize(index);
}

// Returns the cell the tick revealed, -1 for none.
EMSCRIPTEN_KEEPALIVE int zorbelinTick()
{
    return run.tick().cell;
}

EMSCRIPTEN_KEEPALIVE int zorbelinClear()
{
    return run.clear();
}

// 0 for the top, 1 for the left.
EMSCRIPTEN_KEEPALIVE int zorbelinChooseOrientation(int orientation)
{
    return run.chooseOrientation(orientation == 1 ? Orientation::Left : Orientation::Top);
}

EMSCRIPTEN_KEEPALIVE void zorbelinReportCell(int index)
{
    run.reportCell(index);
}

// The names of the picture's fields in their order, separated by blanks.
EMSCRIPTEN_KEEPALIVE const char *zorbelinPictureFields()
{
    return FieldNames;
}

// The picture: the fields above, then two numbers a cell (visible, caption).
EMSCRIPTEN_KEEPALIVE const std::int32_t *zorbelinView()
{
    shown = run.view();
    picture.assign(FirstCell + 2 * shown.cells.size(), 0);
    picture[ListEnabled] = shown.listEnabled;
    picture[Selection] = shown.selection;
    picture[OrientationField] = shown.orientation == Orientation::Left;
    picture[FrameEnabled] = shown.frameEnabled;
    picture[ClearEnabled] = shown.clearEnabled;
    picture[ImageVisible] = shown.imageVisible;
    picture[TextVisible] = shown.textVisible;
    picture[ExplanationShown] = shown.explanationShown;
    picture[TimerRunning] = shown.timerRunning;
    picture[Order] = shown.order;
    picture[CellCount] = std::int32_t(shown.cells.size());
    picture[TextPointer] = std::int32_t(reinterpret_cast<std::uintptr_t>(shown.text.c_str()));
    picture[TextBytes] = std::int32_t(shown.text.size());
    for (std::size_t k = 0; k < shown.cells.size(); ++k) {
        picture[FirstCell + 2 * k] = shown.cells[k].visible;
        picture[FirstCell + 2 * k + 1] = shown.cells[k].caption;
    }
    return picture.data();
}

EMSCRIPTEN_KEEPALIVE int zorbelinCellCanTakeFocus(int cell)
{
    return cellCanTakeFocus(shown, cell);
}

EMSCRIPTEN_KEEPALIVE int zorbelinCellInDirection(int cell, int rowStep, int columnStep)
{
    return cellInDirection(shown, cell, rowStep, columnStep);
}

EMSCRIPTEN_KEEPALIVE int zorbelinBoardTabStop(int lastFocused)
{
    return boardTabStop(shown, lastFocused);
}

// Cell `index` of an order-n board in pixels: left, top, width, height.
EMSCRIPTEN_KEEPALIVE const std::int32_t *zorbelinCellBox(int index, int n)
{
    const TwipsRect r = Layout::cell(index, n);
    box[0] = twipsToPixels(r.left);
    box[1] = twipsToPixels(r.top);
    box[2] = twipsToPixels(r.left + r.width) - box[0];
    box[3] = twipsToPixels(r.top + r.height) - box[1];
    return box;
}

// The board on the window as a worksheet, for printing; empty with no board.
EMSCRIPTEN_KEEPALIVE const char *zorbelinSquareText()
{
    printout = run.boardCleared() ? std::string() : squareText(run.square(), run.order(), run.orientation());
    return printout.c_str();
}

} // extern "C"
