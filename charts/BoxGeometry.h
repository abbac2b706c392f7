#pragma once
// The geometry of a box on a page that needs no window: the resize handles and their hit test,
// how a drag of a handle changes the box, and the font heights that follow the box's size.

#include <vector>

#include "platform/Types.h"

// Box kinds (the kind code): 0 plain box, 1 full chart, 2 compact chart, 3 control chart,
// 4 text box, 5 graphic box; 7, 8 and 9 are result diagrams that keep still.
inline constexpr int kBoxKindPlain = 0;
inline constexpr int kBoxKindChart = 1;
inline constexpr int kBoxKindIconChart = 2;
inline constexpr int kBoxKindText = 4;
inline constexpr int kBoxKindGraphic = 5;

// Handle codes: 0 top left, 1 top middle, 2 top right, 3 left middle, 4 right middle,
// 5 bottom left, 6 bottom right, 7 bottom middle, 8 inside (move).
inline constexpr int kHandleMove = 8;
inline constexpr int kHandleSize = 10;

// The rectangle of handle code 0..7 of a W x H box.
plat::Rect HandleRect(int code, int W, int H);
// The handle under a client point; 8 inside.
int HitTestHandle(int x, int y, int W, int H);
// The box rectangle (x, y, w, h in the rect's left, top, right = width, bottom = height
// sense is avoided: a plain struct) after dragging handle code by (dx, dy).
struct BoxPlace {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const BoxPlace&) const = default;
};
BoxPlace ApplyHandleDrag(int code, int dx, int dy, const BoxPlace& place);
// Where the rubber band's last point goes for a drag of the handle: codes 1 and 7 keep the
// start's x, 3 and 4 move in x only (the previous y stays), the others take the point.
plat::Point BandPoint(int code, plat::Point start, plat::Point point, plat::Point previous);

// The cursor shape a handle shows.
enum class HandleCursor { Arrow, SizeNWSE, SizeNESW, SizeNS, SizeWE };
HandleCursor CursorForHandle(int code);

struct FontHeights {
    double title = 0.0;
    double text = 0.0;
    bool operator==(const FontHeights&) const = default;
};
// The fonts of a plain box w x h (children use twice their size).
FontHeights BoxFontHeights(int w, int h);
// The fonts of a full chart w x h (character heights, negative).
FontHeights BigChartFontHeights(int w, int h);
// The factor fonts follow when a W0 x H0 box becomes w x h: the smaller ratio when both
// shrink, the larger when both grow, else 1.
double RescaleFactor(int W0, int H0, int w, int h);
// A font height as it was made and the box size (w x h) it was made for.
struct SizedFont {
    double height = 0.0;
    int w = 0;
    int h = 0;
    bool operator==(const SizedFont&) const = default;
};
// The height of a font made as given, on a box of w x h: scaled by RescaleFactor from the size
// it was made for, in one step, so that the sizes in between do not count; a font made at no
// size keeps its height.
double SizedHeight(const SizedFont& made, int w, int h);
// Everything a box's fonts depend on: each font as made, and the heights drawn with now.
struct BoxFontState {
    SizedFont title;
    SizedFont text;
    FontHeights drawn;
};
// The fonts at a box's first placement (its width was 0), by kind.
FontHeights FirstPlacementFonts(int kind, bool child, int w, int h, const FontHeights& current);

// Where a box of the given size goes near its place so that it covers none of the obstacles
// (texts and ticks of the chart under it) and stays inside bounds: the place itself when that
// is clear; else, of the places that put an edge of the box gap pixels beyond an edge of an
// obstacle (or against the bounds), the clear one nearest the place; the place itself when
// none is clear.
plat::Point PlaceClearOf(plat::Point place, plat::Size size, const std::vector<plat::Rect>& obstacles,
                         const plat::Rect& bounds, int gap);

// Where a legend of the given size goes in a chart of the given size by its position code:
// -1 bottom right, 0 right at a tenth of the height, 2 bottom left, 3 top left, 4 right
// above the bottom; any other code at (100, 100).
plat::Point LegendHome(int position, plat::Size chart, plat::Size box);
