#pragma once
// Drawing steps the summary page's panels share: a pixel of a page coordinate, the page's font,
// a line and a plain text.

#include <algorithm>
#include <string>

#include "charts/DrawingSheet.h"
#include "platform/DC.h"

namespace summary_panels {

inline int Trunc(double v)
{
    if (!(v > -2e9))
        return v != v ? 0 : -2000000000;
    return v > 2e9 ? 2000000000 : static_cast<int>(v);
}

// "Arial" of normal weight with a character height of min(trunc(H/k) 4/3, width/k), no smaller
// than the least text the program writes.
inline plat::LogFont PageFont(int h, int width, int k, bool underline = false)
{
    plat::LogFont font{-ReadableHeight(std::min((h / k) * 4 / 3, width / k)), 400};
    font.underline = underline;
    return font;
}

inline void Line(plat::DC& dc, int xa, int ya, int xb, int yb)
{
    dc.MoveTo(xa, ya);
    dc.LineTo(xb, yb);
}

inline void Text(plat::DC& dc, int x, int y, const std::string& text, unsigned align)
{
    dc.SetTextAlign(align);
    dc.TextOut(x, y, text);
}

inline constexpr unsigned kLeftTop = plat::TextAlign::Left | plat::TextAlign::Top;

} // namespace summary_panels
