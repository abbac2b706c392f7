#include "views/TMohr.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "charts/ChartAxes.h"
#include "foundation/StrFormat.h"
#include "platform/DC.h"
#include "platform/Ui.h"

namespace {

namespace TA = plat::TextAlign;

constexpr int kMohrKind = 10;
constexpr int kPointRadius = 4;

// What the picture draws besides its texts: the axis lines (boxes of their pixels), the
// diameter, the circle (its pixels' centre and radius; none when it shrinks to a point) and the
// points' markers.
struct MohrInk {
    std::vector<plat::Rect> lines;
    plat::Point from, to;
    bool circle = false;
    double cx = 0.0, cy = 0.0, r = 0.0;
    std::vector<plat::Point> markers;
};

// Whether the circle's ring passes through the box's pixels: the nearest of them within half a
// pixel outside the ring, the farthest within half a pixel inside it.
bool RingMeets(const MohrInk& ink, const plat::Rect& b)
{
    if (!ink.circle)
        return false;
    const double nx = std::clamp(ink.cx, static_cast<double>(b.left), static_cast<double>(b.right - 1));
    const double ny = std::clamp(ink.cy, static_cast<double>(b.top), static_cast<double>(b.bottom - 1));
    const double fx = std::max(std::fabs(ink.cx - b.left), std::fabs(ink.cx - (b.right - 1)));
    const double fy = std::max(std::fabs(ink.cy - b.top), std::fabs(ink.cy - (b.bottom - 1)));
    return std::hypot(nx - ink.cx, ny - ink.cy) <= ink.r + 0.5 && std::hypot(fx, fy) >= ink.r - 0.5;
}

// Whether the letters (box) of a text meet the picture's lines, circle or markers; the marker
// at own, the point the text names, may touch the corner it stands at (and so may the markers
// of the points that coincide with it, which the text names too).
bool InkMeets(const MohrInk& ink, const plat::Rect& letters, const plat::Point* own)
{
    for (const plat::Rect& l : ink.lines)
        if (BoxesMeet(letters, l))
            return true;
    if (StretchMeetsBox(ink.from, ink.to, letters) || RingMeets(ink, letters))
        return true;
    for (const plat::Point c : ink.markers) {
        const plat::Rect marker{c.x - kPointRadius, c.y - kPointRadius, c.x + kPointRadius, c.y + kPointRadius};
        const bool named = own && std::abs(c.x - own->x) <= 1 && std::abs(c.y - own->y) <= 1;
        if (!named && BoxesMeet(letters, marker))
            return true;
    }
    return false;
}

} // namespace

MohrPicture PlanMohr(const MohrFrame& f, const std::vector<double>& record, const PlanMeasure& measure)
{
    MohrPicture out;
    DiagramPlan& plan = out.plan;
    // Range and scales in single precision.
    const float xLo = static_cast<float>(std::max(f.xMin, f.xLower));
    const float xHi = static_cast<float>(std::min(f.xMax, f.xUpper));
    const float yMin = static_cast<float>(f.yMin);
    const float yMax = static_cast<float>(f.yMax);
    const int m = static_cast<int>(0.05 * f.W);
    const int bottom = m + measure("(MM_M", f.textFont).cy;
    out.bottomMargin = bottom;

    float xScale = 0.0f;
    float xOrigin = 0.0f;
    const float span = static_cast<float>(f.W - 2 * m);
    if (xHi == xLo) {
        xOrigin = span * 0.5f + static_cast<float>(m);
    } else {
        xScale = span / (xHi - xLo);
        xOrigin = static_cast<float>(m) - span * xLo / (xHi - xLo);
    }
    const float B = static_cast<float>(f.H - bottom);
    float yScale = 0.0f;
    float yOrigin = B;
    if (yMax != yMin) {
        yScale = (B - static_cast<float>(f.top)) / (yMax - yMin);
        yOrigin = yMin * (B - static_cast<float>(f.top)) / (yMax - yMin) + B;
    }
    const float s = std::min(xScale, yScale);
    out.scale = s;
    out.xOrigin = xOrigin;
    out.yOrigin = yOrigin;
    const auto at = [&](double x, double y) {
        return plat::Point{static_cast<int>(static_cast<float>(x) * s + xOrigin),
                           static_cast<int>(yOrigin - static_cast<float>(y) * s)};
    };

    const double P1 = record[0], P2 = record[2], Sx = record[4], Sy = record[6], T = record[7];
    const double R = record[9];

    const double a = std::max(std::fabs(P1), std::fabs(P2));
    out.decimals = a <= 100.0 ? 2 : (a <= 1000.0 ? 1 : 0);
    const std::string format = StrPrintf("%%5.%df", out.decimals);
    const std::string centre =
        StrPrintf(StrPrintf("Center: %%5.%df  Radius: %%5.%df ", out.decimals, out.decimals).c_str(),
                  (P1 + P2) / 2.0, (P1 - P2) / 2.0);
    plan.Text(centre, {f.W / 2, f.H}, f.textFont, TA::Center, TA::Bottom);

    // The circle, then the diameter from the x face to the y face.
    if (f.blackAndWhite)
        plan.Pen(f.lineWidth, plat::Colors::Black);
    else
        plan.Pen(1, plat::Color::PaletteIndex(16));
    const plat::Rect circle = RectOf(at(P1, -R), at(P2, R));
    plan.Arc(circle);
    const plat::Point xFace = at(Sx, -T);
    const plat::Point yFace = at(Sy, T);
    plan.Line(xFace, yFace);


    plan.Pen(1, plat::Colors::Black);
    const int column = static_cast<int>(xOrigin);
    const int row = static_cast<int>(yOrigin);
    plan.Line({column, f.top}, {column, f.H - bottom});
    plan.Line({m, row}, {f.W - m, row});
    plan.Text(f.title, {f.W / 2, 0}, f.titleFont, TA::Center, TA::Top);

    const plat::Point points[] = {xFace, yFace, at(P1, 0.0), at(P2, 0.0)};
    MohrInk ink;
    ink.lines = {plat::Rect{column, f.top, column + 1, f.H - bottom + 1}, plat::Rect{m, row, f.W - m + 1, row + 1}};
    ink.from = xFace;
    ink.to = yFace;
    ink.circle = circle.Width() >= 2 && circle.Height() >= 2;
    ink.cx = (circle.left + circle.right - 1) / 2.0;
    ink.cy = (circle.top + circle.bottom - 1) / 2.0;
    ink.r = (circle.Width() - 1) / 2.0;
    ink.markers.assign(std::begin(points), std::end(points));

    // Every number and name is drawn at the first of its places whose letters meet no axis
    // line, neither the diameter nor the circle, no marker (but that of the point it names) and
    // come no nearer than a pixel to a text placed before it, within the plot; with no such
    // place it is left out. Sideways the letters keep a blank pixel from the lines and the
    // ring: a glyph's stroke may fill its cell to the edge ("X", "2"), and a page, its text a
    // little wider than measured, would set it on the line.
    std::vector<plat::Rect> taken;
    const auto clear = [&](const AxisLabel& l, plat::Size size, const plat::Point* own) {
        const plat::Rect b = AxisLabelBox(l, size);
        if (b.left < 0 || b.right > f.W || b.top < f.top || b.bottom > f.H - bottom)
            return false;
        for (const plat::Rect& t : taken)
            if (b.left - 1 < t.right && t.left < b.right + 1 && b.top - 1 < t.bottom && t.top < b.bottom + 1)
                return false;
        plat::Rect letters = NumberLettersBox(l, size);
        letters.left -= 1;
        letters.right += 1;
        return !InkMeets(ink, letters, own);
    };
    const auto place = [&](const std::string& text, const AxisLabel& l, plat::Size size) {
        plan.Text(text, l.at, f.textFont, l.hAlign, l.vAlign);
        taken.push_back(AxisLabelBox(l, size));
    };

    // Axis-end numbers: above the x axis unless the negative y range leaves no room for them.
    // Where their place is not clear, across the axis, then step by step along the axis towards
    // the middle, at most half of it.
    const auto number = [&](const std::string& text, plat::Point p, unsigned h, unsigned v, plat::Point across,
                            plat::Point inward, int reach) {
        const plat::Size size = measure(text, f.textFont);
        const unsigned oh = across.x != 0 ? (h == TA::Left ? TA::Right : TA::Left) : h;
        const unsigned ov = across.y != 0 ? (v == TA::Top ? TA::Bottom : TA::Top) : v;
        for (int k = 0; k <= reach; ++k)
            for (const AxisLabel& l : {AxisLabel{"", {p.x + k * inward.x, p.y + k * inward.y}, h, v},
                                       AxisLabel{"", {p.x + across.x + k * inward.x, p.y + k * inward.y}, oh, ov}})
                if (clear(l, size, nullptr)) {
                    place(text, l, size);
                    return;
                }
    };
    const int xReach = (f.W - 2 * m) / 2;
    const int yReach = (f.H - bottom - f.top) / 2;
    const auto xEnd = [&](float value, int x, unsigned hAlign, int inward) {
        if (value == 0.0f)
            return;
        const std::string text = StrPrintf(format.c_str(), static_cast<double>(value));
        const int h = measure(text, f.textFont).cy;
        const unsigned v = yMin * s <= static_cast<float>(h) ? TA::Bottom : TA::Top;
        number(text, {x, row}, hAlign, v, {0, 1}, {inward, 0}, xReach);
    };
    xEnd(xLo, m, TA::Left, 1);
    xEnd(xHi, f.W - m, TA::Right, -1);
    const bool leftOfAxis = std::fabs(xHi) <= std::fabs(xLo);
    const int d = leftOfAxis ? -2 : 2;
    const unsigned ha = leftOfAxis ? TA::Right : TA::Left;
    if (yMax != 0.0f)
        number(StrPrintf(format.c_str(), static_cast<double>(yMax)), {column + d, static_cast<int>(yOrigin - yMax * s)},
               ha, TA::Top, {-2 * d, 0}, {0, 1}, yReach);
    if (yMin != 0.0f)
        number(StrPrintf(format.c_str(), static_cast<double>(yMin)), {column + d, static_cast<int>(yOrigin - yMin * s)},
               ha, TA::Bottom, {-2 * d, 0}, {0, -1}, yReach);

    // The points' names beside their points, at the corner given first; else at the first
    // other corner that is clear, and else moved sideways off its point, the least that clears.
    const auto name = [&](const char* text, plat::Point p, unsigned h, unsigned v) {
        const plat::Size size = measure(text, f.textFont);
        const unsigned oh = h == TA::Left ? TA::Right : TA::Left, ov = v == TA::Top ? TA::Bottom : TA::Top;
        const std::pair<unsigned, unsigned> corners[] = {{h, v}, {oh, v}, {h, ov}, {oh, ov}};
        for (int dx = 0; dx <= 3 * size.cx; ++dx)
            for (const auto& [ch, cv] : corners) {
                const AxisLabel l{"", {ch == TA::Right ? p.x - dx : p.x + dx, p.y}, ch, cv};
                if (clear(l, size, &p)) {
                    place(text, l, size);
                    return;
                }
            }
    };
    // Points that coincide (their markers all but cover each other: the crack's circle of
    // radius 0, or a face on a principal point) share one name, "1,2,X,Y", given at the place
    // of the first of them named; side by side their names would read as one ("1X2").
    struct Named {
        const char* text;
        plat::Point at;
        unsigned h, v;
        int rank; // order within a shared name: 1, 2, X, Y
    };
    const Named named[] = {{"1", points[2], TA::Left, TA::Top, 0},
                           {"X", xFace, TA::Left, TA::Top, 2},
                           {"2", points[3], TA::Right, TA::Top, 1},
                           {"Y", yFace, TA::Right, TA::Top, 3}};
    const auto coincide = [](plat::Point one, plat::Point other) {
        return std::abs(one.x - other.x) <= 1 && std::abs(one.y - other.y) <= 1;
    };
    bool done[4] = {false, false, false, false};
    for (int i = 0; i < 4; ++i) {
        if (done[i])
            continue;
        std::string ranked[4];
        for (int j = i; j < 4; ++j)
            if (!done[j] && coincide(named[i].at, named[j].at)) {
                ranked[named[j].rank] = named[j].text;
                done[j] = true;
            }
        std::string text;
        for (const std::string& r : ranked)
            if (!r.empty())
                text += (text.empty() ? "" : ",") + r;
        name(text.c_str(), named[i].at, named[i].h, named[i].v);
    }

    plan.Pen(1, plat::Colors::Black);
    plan.Brush(plat::Colors::LtRed);
    for (const plat::Point p : points)
        plan.Pie(plat::Rect{p.x - kPointRadius, p.y - kPointRadius, p.x + kPointRadius, p.y + kPointRadius});
    return out;
}

TMohr::TMohr(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int xPrecision,
             int yPrecision, int drawMode)
    : Tchart(parent, title, x, y, w, h, xPrecision, yPrecision, drawMode)
{
    m_kind = kMohrKind;
    RefreshFontHeights();
    TruncatePopup(0);
    AppendPopupItem(0, CM_COPYCHARTPICTURE, "Copy Picture");
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, CM_COPYCHARTDATA, "Select Font");
    AppendPopupItem(0, CM_POPUP3002, "Edit Title");
    AppendPopupItem(0, CM_AUTOMAXRANGE, "Auto/Max Range");
}

MohrFrame TMohr::Frame()
{
    RefreshFontHeights();
    MohrFrame f;
    f.W = Width();
    f.H = Height();
    f.top = m_margins.top;
    const ChartBounds& r = m_data.AxisRange();
    f.xMin = r.xMin, f.xMax = r.xMax, f.yMin = r.yMin, f.yMax = r.yMax;
    f.xLower = m_data.XLower();
    f.xUpper = m_data.XUpper();
    f.lineWidth = m_lineWidth;
    f.blackAndWhite = m_blackAndWhite != 0;
    f.title = m_data.Title();
    f.titleFont = TitleFont();
    f.textFont = TextFont();
    return f;
}

void TMohr::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    if (!BeginPaint(dc))
        return;
    const MohrPicture picture = PlanMohr(Frame(), ReadDiagramRecord(m_data.Data(), 5), MeasureOn(dc));
    // The axis numbers follow the magnitude of the principal values.
    m_data.SetXFormat(MakeAxisFormat(picture.decimals));
    m_data.SetYFormat(MakeAxisFormat(picture.decimals));
    picture.plan.Replay(dc, m_blackAndWhite != 0);
    if (IsSelected() && !m_blackAndWhite)
        DrawSelectionOn(dc);
}

void TMohr::AutoScale()
{
    m_data.AutoScale();
    if (!m_data.GetMaxRange() && m_data.IsAutoEnd(ChartEnd::YMin) && m_data.IsAutoEnd(ChartEnd::YMax)) {
        ChartBounds& range = m_data.MutableAxisRange();
        const double reach = std::max(std::fabs(range.yMin), std::fabs(range.yMax));
        range.yMin = -reach;
        range.yMax = reach;
    }
    Redraw();
}

void TMohr::Redraw()
{
    if (IsCreated())
        Invalidate(true);
}

void TMohr::CmPopup3000() { Redraw(); }

void TMohr::CmPopup3002()
{
    std::string title = m_data.Title();
    if (plat::InputDialog("Edit Title", "Enter title of this chart", title))
        SetTitle(title);
    Layout();
    Redraw();
}

void TMohr::CmPopup3003()
{
    SelectAxesFont();
    Redraw();
}
