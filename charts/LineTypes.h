#pragma once
// The pens of chart line types: the numbers that separator pairs and inline line samples carry.
// In colour each type has its colour; in black and white every line is black and the types are
// told apart by dash style.

#include "platform/Types.h"

// The pen styles a chart line can have: solid, dash, dot, dash-dot, dash-dot-dot.
inline constexpr int kVisibleLineStyles = 5;

struct LineTypePen {
    plat::Color colour;
    int width = 1;
    int style = 0; // 0 solid .. 4 dash-dot-dot
    bool operator==(const LineTypePen&) const = default;
};

// The colour of a line type; types 0 and 99 take the caller's colour, unknown types light red.
plat::Color LineTypeColour(int lineType, plat::Color callerColour);

// The pen of a line type. In black and white, style and type 0 keep the width and draw solid;
// otherwise the pen is 1 pixel wide with the style type + style (the given style for types of
// 100 and more), taken round the five visible styles so that no line vanishes from a printout.
LineTypePen ResolveLineTypePen(int lineType, int width, bool blackAndWhite, int style,
                               plat::Color colour);
