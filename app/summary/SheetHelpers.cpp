// Plain forms of the drawing-sheet helpers for the summary page: a sheet frame with a simple
// title block, dimension lines with end ticks, and labels whose markup is written out in
// one font (Greek letters as such, sub- and superscripts on the line).

#include "app/summary/SheetHelpers.h"

#include <algorithm>

#include "foundation/StrFormat.h"
#include "foundation/Units.h"

namespace {
std::string PlainLabel(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n' || c == '\r')
            break;
        if ((c == '_' || c == '^') && i + 1 < text.size())
            continue;
        if (c == '|' && i + 1 < text.size()) {
            out += plat::SymbolToUnicode(std::string(1, text[++i]));
            continue;
        }
        if (static_cast<unsigned char>(c) >= 0x80)
            out += plat::SymbolToUnicode(std::string(1, c));
        else
            out += c;
    }
    return out;
}

std::string DimensionValue(double value, int unitSystem)
{
    const std::string format = setup_units("%-5.~f", 0, 1, 1, unitSystem);
    std::string text = StrPrintf(format.c_str(), value);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

plat::LogFont DimensionFont(int size) { return plat::LogFont{-std::max(size, 6), 400}; }
} // namespace

plat::Size SheetMeasureRichText(plat::DC& dc, std::string_view text, const plat::LogFont& font)
{
    const plat::LogFont old = dc.SelectFont(font);
    const plat::Size extent = dc.GetTextExtent(PlainLabel(text));
    dc.SelectFont(old);
    return extent;
}

plat::Size SheetRichText(plat::DC& dc, int x, int y, std::string_view text,
                         const plat::LogFont& font, unsigned hAlign, unsigned vAlign)
{
    dc.SelectFont(font);
    dc.SetTextAlign((hAlign & plat::TextAlign::HorizontalMask) |
                    ((vAlign & plat::TextAlign::Bottom) != 0 ? plat::TextAlign::Bottom
                                                             : plat::TextAlign::Top));
    const std::string plain = PlainLabel(text);
    dc.TextOut(x, y, plain);
    return dc.GetTextExtent(plain);
}

int SheetTitleBlock(plat::DC& dc, int x, int y, int w, int h, const SheetTexts& texts,
                    int /*reservedColumns*/, int /*largeEmblem*/, int /*smallEmblem*/,
                    int unitSystem, int margin, int& /*field*/, plat::Point point, int drawFlag)
{
    const plat::Rect frame{x + margin, y + margin, x + w - margin, y + h - margin};
    if (drawFlag == 0)
        return frame.Contains(point) ? 0 : 9;
    const int lh = std::max(8, std::min(h / 40, w / 60));
    const plat::LogFont font{-lh, 400};
    dc.SelectPen(plat::Pen{});
    dc.SelectBrush(plat::Brush{true});
    dc.Rectangle(frame);
    const int blockTop = frame.bottom - 5 * (lh + 4);
    const int blockLeft = frame.right - std::max(w * 2 / 5, 10);
    dc.Rectangle({blockLeft, blockTop, frame.right, frame.bottom});
    const std::string unitNote = unitSystem == kUnitSI   ? "All dimensions in mm"
                                 : unitSystem == kUnitUS ? "All dimensions in inches"
                                                         : "All dimensions in cm";
    const std::string lines[] = {texts.title, texts.leftLabel + "   " + texts.rightLabel,
                                 unitNote, texts.note1, texts.note2};
    int ty = blockTop + 2;
    for (const std::string& line : lines) {
        SheetRichText(dc, blockLeft + 4, ty, line, font, plat::TextAlign::Left, plat::TextAlign::Top);
        ty += lh + 4;
    }
    if (!texts.note3.empty())
        SheetRichText(dc, frame.left + margin, frame.bottom - lh - 4, texts.note3, font,
                      plat::TextAlign::Left, plat::TextAlign::Top);
    return blockTop - margin;
}

int SheetDimension(plat::DC& dc, int x1, int y1, int x2, int y2, int gap, double value, int side,
                   int size, int unitSystem)
{
    if (value < 0.0002)
        return 0;
    const plat::LogFont font = DimensionFont(size / 3);
    const std::string text = DimensionValue(value, unitSystem);
    const plat::Size extent = SheetMeasureRichText(dc, text, font);
    const int t = size / 10;
    dc.SelectPen(plat::Pen{});
    auto line = [&](int xa, int ya, int xb, int yb) {
        dc.MoveTo(xa, ya);
        dc.LineTo(xb, yb);
    };
    auto ticks = [&](int row) {
        for (const int xe : {x1, x2})
            line(xe - t / 2 - 2, row + t / 2 + 2, xe + t / 2 + 3, row - t / 2 - 3);
    };
    if (side == 0 || side == 1) {
        const int sign = side == 0 ? -1 : 1;
        const int row = y1 + sign * (gap / 2);
        line(x1, y1 + sign * t, x1, row + sign * t);
        line(x2, y2 + sign * t, x2, row + sign * t);
        line(x1 - t, row, x2 + t, row);
        ticks(row);
        if (extent.cx >= 0.9 * (x2 - x1))
            SheetRichText(dc, x1 - 2 * t, row + extent.cy / 2, text, font, plat::TextAlign::Right,
                          plat::TextAlign::Bottom);
        else
            SheetRichText(dc, (x1 + x2) / 2, row, text, font, plat::TextAlign::Center,
                          plat::TextAlign::Bottom);
        return 0;
    }
    line(x1 - t, y1, x2 + t, y1);
    ticks(y1);
    SheetRichText(dc, x1 - 2 * t, y2 + extent.cy / 2, text, font, plat::TextAlign::Right,
                  plat::TextAlign::Bottom);
    return (x1 + x2) / 2 - (x1 - 2 * t - extent.cx);
}

int SheetVerticalDimension(plat::DC& dc, int x1, int y1, int x2, int y2, int offset, int gap,
                           double value, int unitSystem, int size)
{
    const plat::LogFont font = DimensionFont(size / 3);
    const std::string text = DimensionValue(value, unitSystem);
    const plat::Size extent = SheetMeasureRichText(dc, text, font);
    const int t = size / 10;
    const int xl = x1 - offset - gap / 2;
    const int extEnd = xl - (3 * t) / 2;
    dc.SelectPen(plat::Pen{});
    auto line = [&](int xa, int ya, int xb, int yb) {
        dc.MoveTo(xa, ya);
        dc.LineTo(xb, yb);
    };
    line(x1 - t, y1, extEnd, y1);
    line(x2 - t, y2, extEnd, y2);
    line(xl, y1 - t, xl, y2 + t);
    for (const int ye : {y1, y2})
        line(xl - t / 2 - 2, ye + t / 2 + 2, xl + t / 2 + 3, ye - t / 2 - 3);
    const int tx = xl - 4;
    SheetRichText(dc, tx, (y1 + y2) / 2 - extent.cy / 2, text, font, plat::TextAlign::Right,
                  plat::TextAlign::Top);
    return std::min(extEnd, tx - extent.cx);
}

void SheetEtchedFrame(plat::DC& dc, int x, int y, int w, int h)
{
    dc.SelectBrush(plat::Brush{true});
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::GetSysColor(plat::SysColor::Shadow3D)});
    dc.Rectangle({x, y, x + w - 1, y + h - 1});
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::GetSysColor(plat::SysColor::Highlight3D)});
    dc.Rectangle({x + 1, y + 1, x + w, y + h});
}
