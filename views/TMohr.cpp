#include "views/TMohr.h"

#include <algorithm>
#include <cmath>

#include "charts/ChartAxes.h"
#include "foundation/StrFormat.h"
#include "platform/DC.h"
#include "platform/Ui.h"

namespace {

namespace TA = plat::TextAlign;

constexpr int kMohrKind = 10;
constexpr int kPointRadius = 4;

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
    plan.Arc(RectOf(at(P1, -R), at(P2, R)));
    const plat::Point xFace = at(Sx, -T);
    const plat::Point yFace = at(Sy, T);
    plan.Line(xFace, yFace);


    plan.Pen(1, plat::Colors::Black);
    const int column = static_cast<int>(xOrigin);
    const int row = static_cast<int>(yOrigin);
    plan.Line({column, f.top}, {column, f.H - bottom});
    plan.Line({m, row}, {f.W - m, row});
    plan.Text(f.title, {f.W / 2, 0}, f.titleFont, TA::Center, TA::Top);

    // Axis-end numbers: above the x axis unless the negative y range leaves no room for them.
    std::vector<plat::Rect> taken;
    const auto number = [&](const std::string& text, plat::Point p, unsigned h, unsigned v) {
        plan.Text(text, p, f.textFont, h, v);
        taken.push_back(AxisLabelBox(AxisLabel{"", p, h, v}, measure(text, f.textFont)));
    };
    const auto xEnd = [&](float value, int x, unsigned hAlign) {
        if (value == 0.0f)
            return;
        const std::string text = StrPrintf(format.c_str(), static_cast<double>(value));
        const int h = measure(text, f.textFont).cy;
        const unsigned v = yMin * s <= static_cast<float>(h) ? TA::Bottom : TA::Top;
        number(text, {x, row}, hAlign, v);
    };
    xEnd(xLo, m, TA::Left);
    xEnd(xHi, f.W - m, TA::Right);
    const bool leftOfAxis = std::fabs(xHi) <= std::fabs(xLo);
    const int d = leftOfAxis ? -2 : 2;
    const unsigned ha = leftOfAxis ? TA::Right : TA::Left;
    if (yMax != 0.0f)
        number(StrPrintf(format.c_str(), static_cast<double>(yMax)), {column + d, static_cast<int>(yOrigin - yMax * s)},
               ha, TA::Top);
    if (yMin != 0.0f)
        number(StrPrintf(format.c_str(), static_cast<double>(yMin)), {column + d, static_cast<int>(yOrigin - yMin * s)},
               ha, TA::Bottom);

    // The points' names beside their points, at the corner given first; where that would run
    // into an axis number or a name placed before (or touch one), at the first other corner
    // clear of them, and else moved sideways off its point, the least that clears them.
    const auto name = [&](const char* text, plat::Point p, unsigned h, unsigned v) {
        const plat::Size size = measure(text, f.textFont);
        const unsigned oh = h == TA::Left ? TA::Right : TA::Left, ov = v == TA::Top ? TA::Bottom : TA::Top;
        const std::pair<unsigned, unsigned> corners[] = {{h, v}, {oh, v}, {h, ov}, {oh, ov}};
        AxisLabel chosen{"", p, h, v};
        bool found = false;
        for (int dx = 0; dx <= 3 * size.cx && !found; ++dx)
            for (const auto& [ch, cv] : corners) {
                const AxisLabel l{"", {ch == TA::Right ? p.x - dx : p.x + dx, p.y}, ch, cv};
                const plat::Rect b = AxisLabelBox(l, size);
                bool clear = b.left >= 0 && b.right <= f.W && b.top >= f.top && b.bottom <= f.H - bottom;
                for (const plat::Rect& t : taken)
                    clear = clear && !(b.left - 1 < t.right && t.left < b.right + 1 && b.top - 1 < t.bottom &&
                                       t.top < b.bottom + 1);
                if (clear) {
                    chosen = l;
                    found = true;
                    break;
                }
            }
        plan.Text(text, chosen.at, f.textFont, chosen.hAlign, chosen.vAlign);
        taken.push_back(AxisLabelBox(chosen, size));
    };
    name("1", at(P1, 0.0), TA::Left, TA::Top);
    name("X", xFace, TA::Left, TA::Top);
    name("2", at(P2, 0.0), TA::Right, TA::Top);
    name("Y", yFace, TA::Right, TA::Top);

    plan.Pen(1, plat::Colors::Black);
    plan.Brush(plat::Colors::LtRed);
    for (const plat::Point p : {xFace, yFace, at(P1, 0.0), at(P2, 0.0)})
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
