#include "dialogs/MemberDiagrams.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "platform/DC.h"

namespace {

int Trunc(double v) { return ClampToInt(v); }
std::size_t Z(int i) { return static_cast<std::size_t>(i); }
int Count(const TMemberDefinition& d, int k) { return std::clamp(d.pointCount[Z(k)], 0, kMaxDiagramPoints); }
const MomentPoint& Pt(const TMemberDefinition& d, int k, int i) { return d.diagrams[Z(k)][Z(i)]; }

plat::Color Face() { return plat::GetSysColor(plat::SysColor::Face3D); }

// Clears the inside of a diagram box below its caption.
void ClearBox(plat::DC& dc, const DiagramBox& b)
{
    dc.FillRect({b.x + 2, Trunc(b.y + 0.1 * b.h), b.x + b.w - 2, b.y + b.h - 3}, Face());
}

// The zero line and the marks of direct supports (a fixed end opposite hides the other mark).
void ZeroLineAndSupports(plat::DC& dc, const TMemberDefinition& d, const DiagramScales& s, const DiagramBox& b)
{
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
    dc.MoveTo({s.x0, s.y0});
    dc.LineTo(Trunc(d.length * s.scaleX + s.x0), s.y0);
    const int yTop = std::max(Trunc(s.y0 - 0.15 * b.h), b.y + 10);
    const int yBot = std::min(Trunc(s.y0 + 0.15 * b.h), b.y + b.h - 4);
    const auto mark = [&](double x) {
        const int px = Trunc(s.x0 + x * s.scaleX);
        dc.MoveTo({px, yTop});
        dc.LineTo(px, yBot);
    };
    if (d.leftDirect != 0 && d.rightSupport != SupportType::FixedEnd)
        mark(d.leftPlateLocation);
    if (d.rightDirect != 0 && d.leftSupport != SupportType::FixedEnd)
        mark(d.rightPlateLocation);
}

void Label(plat::DC& dc, unsigned align, int x, int y, const std::string& text)
{
    dc.SetTextAlign(align);
    dc.TextOut(x, y, text);
}

// The texts of a diagram box stand at the box's right end, where the zero line, the right
// support's mark and the diagram's last stretch run: they are written last, on the box's face
// colour, so that every one stays whole and legible and the lines pass behind them.
struct BoxLabel {
    unsigned align;
    int x;
    int y;
    std::string text;
};

void WriteLabels(plat::DC& dc, plat::Color colour, const std::vector<BoxLabel>& labels)
{
    dc.SetTextColor(colour);
    dc.SetBkColor(Face());
    dc.SetBkMode(plat::BkMode::Opaque);
    for (const BoxLabel& l : labels)
        Label(dc, l.align, l.x, l.y, l.text);
}

std::string Value(double v) { return StrPrintf("%5.2f", UnsignedZero(v, 2)); }

} // namespace

void DrawQuickDiagram(plat::DC& dc, const QuickFields& typed, const DiagramBox& box)
{
    const QuickSchematic g = QuickDiagramGeometry(typed, box.x, box.y, box.w, box.h);
    const int x1 = g.left + 1, w = g.width - 2;
    dc.FillRect({g.left, g.top, g.left + g.width, g.top + g.height}, Face());
    dc.SetBkMode(plat::BkMode::Transparent);
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
    dc.MoveTo({x1, g.axisY});
    dc.LineTo(x1 + w, g.axisY);
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::LtBlue});
    dc.MoveTo({g.line.front().first, g.line.front().second});
    for (std::size_t i = 1; i < g.line.size(); ++i)
        dc.LineTo(g.line[i].first, g.line[i].second);
    plat::LogFont font;
    font.face = "Arial";
    font.height = -10;
    const plat::LogFont old = dc.SelectFont(font);
    const int dy = Trunc(0.3 * box.h);
    dc.SetTextAlign(plat::TextAlign::Left | plat::TextAlign::Top);
    dc.TextOut(x1 + w - 7, box.y + dy / 2, "C");
    dc.TextOut(x1 + w - 3, box.y + dy / 2 + 4, "L");
    dc.SelectFont(old);
}

void DrawMemberSketch(plat::DC& dc, const TMemberDefinition& d, int selectedZone, const DiagramBox& box)
{
    const SketchGeometry g = GetSketchGeometry(d, box.x, box.y, box.w, box.h);
    const auto xs = [&](double p) { return Trunc(g.x0 + p * g.s); };
    dc.FillRect({g.x0 - 1, g.y0 - 1, g.x0 + g.w + 2, g.y0 + g.h + 6}, Face());
    const int n = std::clamp(d.zoneCount, 0, kMaxMemberZones);
    for (int i = 0; i < n; ++i) {
        const MemberZone& z = d.zones[Z(i)];
        const double end = i + 1 < n ? d.zones[Z(i + 1)].startX : d.length;
        const plat::Color c = z.structureIndex == 0 ? plat::Colors::LtGray : plat::Color::PaletteIndex(z.structureIndex);
        dc.FillRect({xs(z.startX), g.y0, xs(end), g.y0 + g.h}, c);
    }
    dc.SelectPen(plat::Pen{});
    dc.MoveTo({g.x0, g.y0});
    dc.LineTo(g.x0 + g.w, g.y0);
    dc.LineTo(g.x0 + g.w, g.y0 + g.h);
    dc.LineTo(g.x0, g.y0 + g.h);
    dc.LineTo(g.x0, g.y0);
    for (int i = 0; i < n; ++i) {
        const bool selected = i == selectedZone;
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, selected ? 3 : 1,
                               selected ? plat::Color{255, 0, 0} : plat::Colors::Black});
        const int x = xs(d.zones[Z(i)].startX);
        dc.MoveTo({x, g.y0});
        dc.LineTo(x, g.y0 + g.h);
    }
    dc.SelectPen(plat::Pen{});
    const auto support = [&](double a, double xc, int type, int direct) {
        const int left = std::max(Trunc((xc - a / 2) * g.s + g.x0 + 0.5), g.x0);
        const int right = std::min(Trunc((xc + a / 2) * g.s + g.x0 + 0.5), g.x0 + g.w);
        const plat::Rect plate{left, g.y0 + g.h, right, g.y0 + g.h + 4};
        if (direct != 0 && type == SupportType::FixedVerticalRoller) {
            if (xc < 0.0 || xc > d.length)
                return;
            const int dx = xc < d.length / 2 ? 2 : -2;
            for (int x : {Trunc(xc * g.s + g.x0), Trunc(xc * g.s + g.x0 + dx)}) {
                dc.MoveTo({x, g.y0 - 1});
                dc.LineTo(x, g.y0 + g.h + 1);
            }
        } else if (direct != 0) {
            dc.FillRect(plate, plat::Colors::Black);
        } else {
            dc.Rectangle(plate);
        }
    };
    if (d.rightSupport != SupportType::FixedEnd)
        support(d.leftPlateSize, d.leftPlateLocation, d.leftSupport, d.leftDirect);
    if (d.leftSupport != SupportType::FixedEnd)
        support(d.rightPlateSize, d.rightPlateLocation, d.rightSupport, d.rightDirect);
}

void DrawMomentDiagram(plat::DC& dc, const TMemberDefinition& d, int k, int j, const DiagramBox& box)
{
    ClearBox(dc, box);
    const DiagramScales s = GetDiagramScales(d, k, box, 0);
    const int n = Count(d, k);
    const double fm = UnitFactor(ukMoment);
    const int xText = Trunc(box.x + 0.99 * box.w);
    const double selectedMoment = j >= 0 && j < n ? Pt(d, k, j).moment : 0.0;
    const std::vector<BoxLabel> labels{
        {plat::TextAlign::Right | plat::TextAlign::Top, xText, Trunc(box.y + 0.1 * box.h),
         "Moment: " + Value(selectedMoment * fm)},
        {plat::TextAlign::Right | plat::TextAlign::Bottom, xText, Trunc(s.y0 - s.scaleM * s.minM), Value(s.minM * fm)},
        {plat::TextAlign::Right | plat::TextAlign::Top, xText, Trunc(s.y0 - s.scaleM * s.maxM), Value(s.maxM * fm)}};
    ZeroLineAndSupports(dc, d, s, box);

    const auto px = [&](int i) { return Trunc(s.x0 + Pt(d, k, i).x * s.scaleX); };
    const auto py = [&](double m) { return Trunc(s.y0 - m * s.scaleM + 0.5); };
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Color{255, 0, 0}});
    dc.MoveTo({px(0), s.y0});
    if (n > 0 && std::fabs(Pt(d, k, 0).moment) > 0.0)
        dc.LineTo(px(0), Trunc(s.y0 - Pt(d, k, 0).moment * s.scaleM));
    for (int i = 0; i < n; ++i) {
        // Two flagged points at one position: the stretch starts right of the jump. The next
        // point is compared only while one exists.
        if (i + 1 < n && std::fabs(Pt(d, k, i).x - Pt(d, k, i + 1).x) < kSamePosition && Pt(d, k, i).parabolic &&
            Pt(d, k, i + 1).parabolic)
            ++i;
        double a2 = 0, a1 = 0, a0 = 0;
        if (FitParabolicSegment(k, i, a2, a1, a0, d)) {
            const double xa = Pt(d, k, i).x, xb = Pt(d, k, i + 2).x;
            for (int step = 0; step <= 15; ++step) {
                const double x = xa + (xb - xa) * step / 15.0;
                dc.LineTo(Trunc(s.x0 + x * s.scaleX), py(a2 * x * x + a1 * x + a0));
            }
            ++i;
        } else {
            dc.LineTo(px(i), py(Pt(d, k, i).moment));
        }
    }
    if (n > 0)
        dc.LineTo(px(n - 1), s.y0);
    if (j >= 0 && j < n && n > 1) {
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 3, plat::Color{255, 0, 0}});
        dc.MoveTo({px(j), s.y0});
        dc.LineTo(px(j), py(Pt(d, k, j).moment));
    }
    WriteLabels(dc, plat::Color{255, 0, 0}, labels);
}

void DrawShearDiagram(plat::DC& dc, const TMemberDefinition& d, int k, int j, const DiagramBox& box)
{
    ShearDiagram v{};
    int count = 0;
    SampleShearDiagram(d, k, v, count);
    count = std::clamp(count, 0, kMaxShearPoints);
    const int n = Count(d, k);
    std::string title = "Shear:";
    if (j >= 0 && j < n)
        FormatShearAt(v.data(), count, Pt(d, k, j).x, title);
    ClearBox(dc, box);
    const DiagramScales s = GetDiagramScales(d, k, box, 1);
    const double ff = UnitFactor(ukForce);
    const int xText = Trunc(box.x + 0.99 * box.w);
    const std::vector<BoxLabel> labels{
        {plat::TextAlign::Right | plat::TextAlign::Top, xText, Trunc(box.y + 0.1 * box.h), title},
        {plat::TextAlign::Right | plat::TextAlign::Top, xText, Trunc(s.y0 - s.scaleV * s.maxV), Value(s.maxV * ff)},
        {plat::TextAlign::Right | plat::TextAlign::Bottom, xText, Trunc(s.y0 - s.scaleV * s.minV), Value(s.minV * ff)}};
    ZeroLineAndSupports(dc, d, s, box);
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Color{0, 0, 255}});
    dc.MoveTo({Trunc(s.x0 + Pt(d, k, 0).x * s.scaleX), s.y0});
    for (int i = 0; i < count; ++i)
        dc.LineTo(Trunc(s.x0 + v[Z(i)].x * s.scaleX), Trunc(s.y0 - v[Z(i)].v * s.scaleV));
    if (j >= 0 && j < n && n > 1) {
        const double x = Pt(d, k, j).x;
        const int px = Trunc(s.x0 + x * s.scaleX);
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 3, plat::Color{0, 0, 255}});
        dc.MoveTo({px, s.y0});
        dc.LineTo(px, Trunc(s.y0 - InterpolatePolyline(v.data(), count, x) * s.scaleV));
    }
    WriteLabels(dc, plat::Color{0, 0, 255}, labels);
}
