#include "charts/DrawingSheet.h"

#include <algorithm>
#include <cmath>

#include "charts/RichText.h"
#include "charts/Tchart.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"

namespace {

namespace TA = plat::TextAlign;
using plat::Point;
using plat::Size;

plat::LogFont ArialFont(int height, int weight, int escapement = 0)
{
    plat::LogFont f;
    f.face = "Arial";
    f.height = height;
    f.weight = weight;
    f.escapement = escapement;
    return f;
}

std::string Bounded(std::string text)
{
    if (text.size() > kSheetTextLimit)
        text.resize(kSheetTextLimit);
    return text;
}

// A filled dot of radius r centred on (cx, cy), as the dimension ends are drawn.
void Dot(plat::DC& dc, int cx, int cy, int r)
{
    dc.Ellipse(plat::Rect{cx - r, cy - r, cx + r + 1, cy + r + 1});
}

void Line(plat::DC& dc, int x0, int y0, int x1, int y1)
{
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
}

void SelectBlack(plat::DC& dc)
{
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
    dc.SelectBrush(plat::Brush{false, plat::Colors::Black});
}

// The rectangle of a right/bottom-aligned text.
plat::Rect NoteRect(plat::DC& dc, const std::string& text, int right, int bottom)
{
    const Size s = dc.GetTextExtent(LabelToUtf8(text));
    return plat::Rect{right - s.cx, bottom - s.cy, right, bottom};
}

} // namespace

int SheetSizingWidth(int w, int h)
{
    return h > 0 ? std::min(w, static_cast<int>(kSheetSizingAspect * h)) : w;
}

plat::LogFont NoteFont(plat::DC& dc, int w, int h, int m, int n, const std::vector<std::string>& notes)
{
    const int height = ReadableHeight(SheetSizingWidth(w, h) / 60);
    plat::LogFont font = ArialFont(-height, 400);
    const plat::LogFont previous = dc.SelectFont(font);
    int widest = 0;
    for (const std::string& note : notes)
        widest = std::max(widest, dc.GetTextExtent(LabelToUtf8(note)).cx);
    dc.SelectFont(previous);
    // From the charts' right edge, and a margin, to the notes' right end.
    const int room = w - 2 * m - static_cast<int>((0.015 + 0.2 * n) * w) - m;
    if (widest > room && room > 0)
        font.height = -ReadableHeight(static_cast<int>(static_cast<long long>(height) * room / widest));
    return font;
}

std::string UnitNote(int unitSystem)
{
    switch (unitSystem) {
    case kUnitSI: return "All dimensions in millimetres";
    case kUnitUS: return "All dimensions in inches";
    case kUnitOldMetric: return "All dimensions in centimetres";
    default: return std::string();
    }
}

std::string DimensionText(const std::string& label, double value, int unitSystem)
{
    if (!label.empty())
        return Bounded(label);
    const std::string format = setup_units("%-5.~f", 0, 1, 1, unitSystem);
    // setup_units leaves one "%-5.<d>f" conversion; print it with its digit.
    const std::size_t dot = format.find('.');
    const int digits = dot != std::string::npos && dot + 1 < format.size() &&
                               format[dot + 1] >= '0' && format[dot + 1] <= '9'
                           ? format[dot + 1] - '0'
                           : 0;
    std::string text = StrPrintf("%-5.*f", digits, value);
    const std::size_t last = text.find_last_not_of(' ');
    text.resize(last == std::string::npos ? 0 : last + 1);
    return Bounded(text);
}

TitleBlockLayout LayoutTitleBlock(int w, int m, int n, int tw, int th, int mh,
                                  std::size_t titleLength)
{
    TitleBlockLayout l;
    l.lineHeight = th;
    if ((tw == 0 || th == 0) && mh > th)
        l.lineHeight = mh;
    l.titleChars = titleLength;
    const int lh = l.lineHeight;
    const int limit = static_cast<int>((0.985 - 0.2 * n) * w - m);
    // A title as wide as the column would touch the borders on both sides (the right one is
    // the element catalogue's): it keeps half a line of room on each side.
    const int pad = std::max(5, lh);
    if (tw + pad + 4 * lh < limit) {
        l.textColumn = tw + pad > 0.25 * w ? tw + pad : static_cast<int>(0.25 * w);
    } else {
        l.textColumn = limit - 4 * lh - 10;
        if (tw > 0) {
            const double share = std::max(0.0, 0.9 * l.textColumn / tw);
            l.titleChars = std::min(titleLength, static_cast<std::size_t>(share * titleLength));
        }
    }
    return l;
}

plat::Rect EmblemBox(int left, int top, int s, int bitmapWidth, int bitmapHeight)
{
    if (bitmapWidth <= 0 || bitmapHeight <= 0)
        return {};
    const double scale =
        std::min(0.95 * s / bitmapWidth, 0.95 * s / bitmapHeight);
    const int sw = static_cast<int>(bitmapWidth * scale);
    const int sh = static_cast<int>(bitmapHeight * scale);
    const int l = left + (s - sw) / 2;
    const int t = top + (s - sh) / 2;
    return {l, t, l + sw, t + sh};
}

int DrawTitleBlock(plat::DC& dc, int x, int y, int w, int h, const TitleBlockTexts& texts,
                   int reservedColumns, int largeEmblem, int smallEmblem, int unitSystem, int m,
                   int& field, Point point, int drawFlag)
{
    const bool draw = drawFlag != 0;
    if (draw) {
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
        dc.MoveTo(x + m, y + m);
        dc.LineTo(x + w - m, y + m);
        dc.LineTo(x + w - m, y + h - m);
        dc.LineTo(x + m, y + h - m);
        dc.LineTo(x + m, y + m);
    } else if (point.x > x + w - m || point.x < x + m || point.y < y + m || point.y > y + h - m) {
        return kSheetHitOutside;
    }

    const int sw = SheetSizingWidth(w, h);
    const plat::LogFont titleFont = ArialFont(-(sw / 50), 700);
    std::string title = Bounded(texts.title);
    title.resize(std::min(title.size(), title.find_first_of("\r\n")));
    const Size ts = MeasureRichText(dc, title, titleFont);
    const std::string pair = Bounded(texts.leftLabel + "       " + texts.rightLabel);
    const Size ps = MeasureRichText(dc, pair, titleFont);
    const int mh = MeasureRichText(dc, "M", titleFont).cy;
    const int tw = std::max(ts.cx, ps.cx);
    const TitleBlockLayout l =
        LayoutTitleBlock(w, m, reservedColumns, tw, std::max(ts.cy, ps.cy), mh, title.size());
    title.resize(l.titleChars);
    const int lh = l.lineHeight;
    const int cw = l.textColumn;
    const int right = x + w - m;
    const int bottom = y + h - m;
    const int blockTop = bottom - 4 * lh;

    if (!draw) {
        if (point.x > right - cw && point.y > blockTop) {
            if (point.y < bottom - 2 * lh)
                field = 0;
            else
                field = point.x <= right - cw / 2 ? 1 : 2;
            return kSheetHitTitleBlock;
        }
        if (point.x > right - 4 * lh - cw && point.y > blockTop)
            return kSheetHitEmblem;
    } else {
        Line(dc, right, blockTop, right - 4 * lh - cw, blockTop);
        dc.LineTo(right - 4 * lh - cw, bottom);
        Line(dc, right, bottom - 2 * lh, right - cw, bottom - 2 * lh);
        Line(dc, right - cw, blockTop, right - cw, bottom);
        const plat::LogFont labelFont = ArialFont(-(sw / 60), 400);
        DrawRichText(dc, right - cw / 2, static_cast<int>(bottom - 2 * lh - 1.5 * lh), title,
                     titleFont, TA::Center, TA::Top);
        const int labelY = static_cast<int>(bottom - 1.5 * lh);
        DrawRichText(dc, x + w - cw, labelY, Bounded(texts.leftLabel), labelFont, TA::Left,
                     TA::Top);
        DrawRichText(dc, x + w - 2 * m, labelY, Bounded(texts.rightLabel), labelFont, TA::Right,
                     TA::Top);
        const plat::Image emblem = plat::Image::FromResource(4 * lh < 80 ? smallEmblem : largeEmblem);
        if (!emblem.IsNull())
            dc.DrawImage(EmblemBox(right - 4 * lh - cw, blockTop, 4 * lh, emblem.Width(),
                                   emblem.Height()),
                         emblem);
    }

    const std::string unitNote = UnitNote(unitSystem);
    const int noteRight = x + w - 2 * m;
    const std::vector<std::string> notes = {Bounded(texts.note1), unitNote, Bounded(texts.note3),
                                            Bounded(texts.note2)};
    const plat::LogFont noteFont = NoteFont(dc, w, h, m, reservedColumns, notes);
    const int noteRoom = w - 2 * m - static_cast<int>((0.015 + 0.2 * reservedColumns) * w) - m;
    dc.SelectFont(noteFont);
    dc.SetTextAlign(TA::Right | TA::Bottom);
    const int noteBase = y + h - 4 * lh;
    // The notes' lines, bottom up in rows 2 m apart from 2 m over the block: each note in one
    // row, or where even the least text is too wide for the room beside the charts, in as many
    // as its broken lines take.
    struct NoteLine {
        int note;
        std::string text;
        int bottom;
    };
    std::vector<NoteLine> lines;
    int row = 1;
    for (int k = 0; k < 4; ++k) {
        const std::string& note = notes[static_cast<std::size_t>(k)];
        std::vector<std::string> broken{note};
        if (noteRoom > 0 && dc.GetTextExtent(LabelToUtf8(note)).cx > noteRoom)
            broken = WrapSheetText(dc, note, noteFont, noteRoom, false);
        for (auto it = broken.rbegin(); it != broken.rend(); ++it)
            lines.push_back({k, *it, noteBase - 2 * row++ * m});
    }
    if (draw) {
        for (const NoteLine& line : lines)
            dc.TextOut(noteRight, line.bottom, LabelToUtf8(line.text));
        return y + h - 5 * lh - 6 * m - 2;
    }
    const auto hit = [&](int note) {
        for (const NoteLine& line : lines)
            if (line.note == note && NoteRect(dc, line.text, noteRight, line.bottom).Contains(point))
                return true;
        return false;
    };
    if (hit(1))
        return kSheetHitUnitNote;
    if (hit(2))
        return kSheetHitNote3;
    if (hit(3)) {
        field = 5;
        return kSheetHitNote2;
    }
    return kSheetHitNone;
}

int DrawDimension(plat::DC& dc, int x1, int y1, int x2, int y2, int gap, const std::string& label,
                  double value, int side, int size, int unitSystem)
{
    if (value < 0.0002)
        return 0;
    const std::string text = LabelToUtf8(DimensionText(label, value, unitSystem));
    const plat::Pen oldPen = dc.GetPen();
    const plat::LogFont oldFont = dc.GetFont();
    SelectBlack(dc);
    // A third of the size, no smaller than the least text.
    dc.SelectFont(ArialFont(std::max(size / 3, kLeastTextCellHeight), 400));
    const Size ext = dc.GetTextExtent(text);
    const int tw = ext.cx;
    const int th = ext.cy;
    const int t = size / 10;
    const int g = gap / 2;
    const int r = t / 3;

    if (side == 0 || side == 1) {
        const int sign = side == 0 ? -1 : 1;
        Line(dc, x1, y1 + sign * t, x1, static_cast<int>(y1 + sign * (0.5 * gap + 1.5 * t)));
        Line(dc, x2, y2 + sign * t, x2, static_cast<int>(y2 + sign * (0.5 * gap + 1.5 * t)));
        const int row = y1 + sign * g;
        Line(dc, x1 - t, row, x2 + t, row);
        if (tw >= 0.9 * (x2 - x1)) {
            dc.SetTextAlign(TA::Right | TA::Bottom);
            dc.TextOut(x1 - 2 * t, row + th / 2, text);
        } else {
            dc.SetTextAlign(TA::Center | TA::Bottom);
            dc.TextOut((x1 + x2) / 2, row, text);
        }
        Dot(dc, x1, row, r);
        Dot(dc, x2, y2 + sign * g, r);
    } else if (side >= 2 && side <= 4) {
        Line(dc, x1 - t, y1, x2 + t, y1);
        dc.SetTextAlign(TA::Right | TA::Bottom);
        dc.TextOut(x1 - 2 * t, y2 + th / 2, text);
        Dot(dc, x1, y1, r);
        Dot(dc, x2, y1, r);
        // From the centre line to the text's far (left) end.
        return (x1 + x2) / 2 - (x1 - 2 * t - tw);
    }
    dc.SelectPen(oldPen);
    dc.SelectFont(oldFont);
    return 0;
}

int DrawVerticalDimension(plat::DC& dc, int x1, int y1, int x2, int y2, int offset, int gap,
                          const std::string& label, double value, int unitSystem, int size)
{
    const std::string text = LabelToUtf8(DimensionText(label, value, unitSystem));
    SelectBlack(dc);
    dc.SelectFont(ArialFont(std::max(size / 3, kLeastTextCellHeight), 400, 900));
    dc.SetTextAlign(TA::Left | TA::Top);
    const Size ext = dc.GetTextExtent(text);
    const int tw = ext.cx;
    const int th = ext.cy;
    const int t = size / 10;
    const double xl = x1 - offset - 0.5 * gap;
    const int extEnd = static_cast<int>(xl - 1.5 * t);
    Line(dc, x1 - t, y1, extEnd, y1);
    Line(dc, x2 - t, y2, extEnd, y2);
    Line(dc, static_cast<int>(xl), y1 - t, static_cast<int>(xl), y2 + t);
    int textLeft;
    if (tw < y2 - y1) {
        textLeft = static_cast<int>(xl - th);
        dc.TextOut(textLeft, (y1 + y2) / 2 + tw / 2, text);
    } else {
        textLeft = static_cast<int>(xl - (th / 2));
        dc.TextOut(textLeft, y1 - 2 * t, text);
    }
    const int r = t / 3;
    const int dotLeft = static_cast<int>(x1 - offset - r - 0.5 * gap);
    const int dotRight = static_cast<int>(x1 - offset + r + 1 - 0.5 * gap);
    dc.Ellipse(plat::Rect{dotLeft, y1 - r, dotRight, y1 + r + 1});
    dc.Ellipse(plat::Rect{dotLeft, y2 - r, dotRight, y2 + r + 1});
    return std::min({extEnd, textLeft, dotLeft});
}

ArrowCorners ArrowHeadCorners(int x, int y, int length, int width, double angleDegrees)
{
    const double a = angleDegrees / 57.296985;
    const double sa = std::sin(a);
    const double ca = std::cos(a);
    const double bx = x - length * ca;
    const double by = y - length * sa;
    const auto round = [](double v) { return static_cast<int>(v + 0.5); };
    return {{round(bx - 0.5 * width * sa), round(by + 0.5 * width * ca)},
            {round(bx + 0.5 * width * sa), round(by - 0.5 * width * ca)}};
}

void DrawArrowHead(plat::DC& dc, int x, int y, int length, int width, double angleDegrees,
                   bool filled, plat::Color colour)
{
    const ArrowCorners c = ArrowHeadCorners(x, y, length, width, angleDegrees);
    if (!filled) {
        dc.MoveTo(x, y);
        dc.LineTo(c.p1);
        dc.LineTo(c.p2);
        dc.LineTo(x, y);
        return;
    }
    const plat::Pen oldPen = dc.SelectPen(plat::Pen{plat::PenStyle::Null, 1, colour});
    const plat::Brush oldBrush = dc.SelectBrush(plat::Brush{false, colour});
    dc.Polygon({{x, y}, c.p1, c.p2, {x, y}}, plat::FillMode::Alternate);
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
}

bool DrawEtchedFrame(plat::DC& dc, int x, int y, int w, int h)
{
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::GetSysColor(plat::SysColor::Highlight3D)});
    dc.MoveTo(x + w - 1, y);
    dc.LineTo(x - 1, y);
    dc.LineTo(x - 1, y + h);
    dc.LineTo(x + w - 1, y + h);
    dc.LineTo(x + w - 1, y);
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::GetSysColor(plat::SysColor::Shadow3D)});
    dc.MoveTo(x + w, y + 1);
    dc.LineTo(x, y + 1);
    dc.LineTo(x, y + h + 1);
    dc.LineTo(x + w, y + h + 1);
    dc.LineTo(x + w, y + 1);
    return true;
}

plat::LogFont SheetFont(int charHeight, bool underline)
{
    plat::LogFont f = ArialFont(-charHeight, 400);
    f.underline = underline;
    return f;
}

int ReadableHeight(int charHeight)
{
    return std::max(charHeight, kLeastTextCharHeight);
}

int SheetCell(plat::DC& dc, int charHeight, bool underline)
{
    const plat::LogFont old = dc.SelectFont(SheetFont(charHeight, underline));
    const int cell = dc.GetTextExtent("Ag").cy;
    dc.SelectFont(old);
    return cell;
}

int FitSheetHeight(plat::DC& dc, int charHeight, int room, bool underline)
{
    int h = ReadableHeight(charHeight);
    while (h > kLeastTextCharHeight && SheetCell(dc, h, underline) > room)
        --h;
    return h;
}

bool FitSheetPair(plat::DC& dc, int band, int& first, bool firstUnderlined, int& second)
{
    first = ReadableHeight(first), second = ReadableHeight(second);
    while (SheetCell(dc, first, firstUnderlined) + SheetCell(dc, second) + 1 > band) {
        if (first >= second && first > kLeastTextCharHeight)
            --first;
        else if (second > kLeastTextCharHeight)
            --second;
        else
            return false;
    }
    return true;
}

void DrawCatalogHeading(plat::DC& dc, int left, int right, int cx, int top, int separator, int m,
                        int heading, bool underlined, int count, const std::string& countText)
{
    const bool counted = FitSheetPair(dc, separator - top - 3, heading, underlined, count);
    const int headingCell = SheetCell(dc, heading, underlined), countCell = SheetCell(dc, count);
    int headingBottom = top + 2 * m, countBottom = separator - m;
    if (headingBottom - headingCell <= top || countBottom - countCell <= headingBottom || countBottom >= separator)
        headingBottom = top + 2 + headingCell, countBottom = separator - 1;
    dc.SelectFont(SheetFont(count));
    const bool countFits = counted && dc.GetTextExtent(countText).cx <= right - left - 2;
    if (!countFits)
        headingBottom = std::min(separator - 1, top + 2 + headingCell);
    dc.SelectFont(SheetFont(heading, underlined));
    dc.SetTextAlign(TA::Center | TA::Bottom);
    dc.TextOut(cx, headingBottom, "Element Catalog");
    if (countFits) {
        dc.SelectFont(SheetFont(count));
        dc.TextOut(cx, countBottom, countText);
    }
}

std::vector<std::string> WrapSheetText(plat::DC& dc, const std::string& text, const plat::LogFont& font, int room,
                                       bool marked)
{
    const auto width = [&](const std::string& t) {
        if (marked)
            return MeasureRichText(dc, t, font).cx;
        const plat::LogFont old = dc.SelectFont(font);
        const int cx = dc.GetTextExtent(LabelToUtf8(t)).cx;
        dc.SelectFont(old);
        return cx;
    };
    std::vector<std::string> lines;
    std::string line;
    std::size_t from = 0;
    while (from < text.size()) {
        // The next word with the blanks before it; a blank that a markup character takes is
        // part of its word.
        std::size_t end = from;
        while (end < text.size() && text[end] == ' ')
            ++end;
        while (end < text.size() && (text[end] != ' ' || (end > 0 && (text[end - 1] == '^' ||
                                     text[end - 1] == '_' || text[end - 1] == '|'))))
            ++end;
        const std::string word = text.substr(from, end - from);
        if (!line.empty() && width(line + word) > room) {
            lines.push_back(line);
            line = word.substr(std::min(word.find_first_not_of(' '), word.size()));
        } else {
            line += word;
        }
        from = end;
    }
    if (!line.empty() || lines.empty())
        lines.push_back(line);
    return lines;
}
