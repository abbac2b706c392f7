#include "views/membrane/ElementSketch.h"

#include <algorithm>
#include <cmath>

#include "charts/DrawingSheet.h"
#include "foundation/TDepthTable.h"
#include "foundation/Units.h"
#include "model/StructureRecords.h"
#include "model/TStructure.h"
#include "platform/DC.h"
#include "views/MaterialPicture.h"

namespace {

constexpr int kLength = 6;
const plat::Color kFaceShade{232, 232, 232};
const plat::Color kLightGray{192, 192, 192};
const plat::Color kGray{128, 128, 128};
const plat::Color kLegColour{32, 32, 32};
// At most this many bar offsets per layer and grid-offset reductions.
constexpr int kMaxSteps = 100;

plat::Point P(const SketchGeometry& g, double u, double v, double z)
{
    const SketchPoint p = ProjectSketchPoint(g, u, v, z);
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

void BlackPen(plat::DC& dc)
{
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
}

void Segment(plat::DC& dc, plat::Point a, plat::Point b)
{
    dc.MoveTo(a.x, a.y);
    dc.LineTo(b.x, b.y);
}

struct Context {
    plat::DC& dc;
    const TStructure& element;
    const SketchGeometry& g;
    double t;
};

void DrawBarLayer(Context& c, const LongLayerRec& layer, int d)
{
    const SketchGeometry& g = c.g;
    const double zc = c.t / 2.0 + layer.z;
    const double w = std::max(3.0, g.s * layer.db);
    const double r = w / 2.0;
    const double half = g.D / 2.0 - 0.0001;
    if (half <= 0.0)
        return;
    for (int k = 0; k < kMaxSteps; ++k) {
        const double o = k * layer.space;
        if (!(o < half))
            break;
        for (double signedOffset : {-o, o}) {
            // x bars run along u with their ends on the face u = 0; y bars along v, ends on v = 0.
            const double u0 = d == 0 ? 0.0 : g.D / 2.0 + signedOffset;
            const double v0 = d == 0 ? g.D / 2.0 - signedOffset : 0.0;
            const SketchPoint end = ProjectSketchPoint(g, u0, v0, zc);
            if (zc >= c.t / 2.0) {
                double L = (zc / c.t - 0.1) * g.D - (d == 0 ? v0 : u0);
                if (zc > c.t)
                    L = g.D;
                if (L > 0.0) {
                    c.dc.SelectPen(plat::Pen{plat::PenStyle::Solid, static_cast<int>(w),
                                             d == 0 ? kLightGray : kGray});
                    Segment(c.dc, {static_cast<int>(end.x), static_cast<int>(end.y)},
                            d == 0 ? P(g, u0 + L, v0, zc) : P(g, u0, v0 + L, zc));
                    BlackPen(c.dc);
                }
            }
            c.dc.Ellipse(plat::Rect{static_cast<int>(end.x - r + 0.5), static_cast<int>(end.y - r + 0.5),
                                    static_cast<int>(end.x + r + 0.5), static_cast<int>(end.y + r + 0.5)});
        }
    }
}

// The grid points (v, u) of a transverse layer; empty when its tributary area is too small.
std::vector<std::pair<double, double>> StirrupGrid(const Context& c, const TransLayerRec& leg)
{
    std::vector<std::pair<double, double>> points;
    if (!(leg.space > 1e-10))
        return points;
    double ov = 0.0, ou = 0.0;
    GetStirrupGridOffsets(c.element, c.g.D, ov, ou);
    const double q = std::sqrt(leg.space);
    for (int i = 0; i < kMaxSteps && ov > q; ++i)
        ov -= q;
    for (int i = 0; i < kMaxSteps && ou > q; ++i)
        ou -= q;
    const int n = static_cast<int>(c.g.D / q) + 1;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const double v = ov + i * q, u = ou + j * q;
            if (v < c.g.D && u < c.g.D)
                points.emplace_back(v, u);
        }
    return points;
}

void DrawStirrupEnds(Context& c, const TransLayerRec& leg, double p)
{
    const SketchGeometry& g = c.g;
    const double zc = c.t / 2.0 + p;
    int size = static_cast<int>(2.5 * g.s * leg.db);
    if (size < 7)
        size = 6;
    const double cs = std::cos(g.phi), sn = std::sin(g.phi);
    for (const auto& [v, u] : StirrupGrid(c, leg)) {
        if (!(zc > c.t || (zc > c.t / 2.0 && 0.9 * g.D * zc - c.t * (u + v) > 0.0)))
            continue;
        const SketchPoint m = ProjectSketchPoint(g, u, v, zc);
        const auto I = [](double a) { return static_cast<int>(a + 0.5); };
        c.dc.SelectBrush(plat::Brush{false, plat::Colors::Black});
        c.dc.Polygon({{I(m.x - size * cs), I(m.y)},
                      {I(m.x), I(m.y - size * sn)},
                      {I(m.x + size * cs), I(m.y)},
                      {I(m.x), I(m.y + size * sn)}});
    }
}

void DrawStirrupLegs(Context& c, const TransLayerRec& leg, double p1, double p2)
{
    const SketchGeometry& g = c.g;
    c.dc.SelectPen(plat::Pen{plat::PenStyle::Solid,
                             static_cast<int>(std::max(3.0, g.s * leg.db)), kLegColour});
    const double z1 = c.t / 2.0 + p1, z2 = c.t / 2.0 + p2;
    for (const auto& [v, u] : StirrupGrid(c, leg)) {
        const double h = std::clamp(c.t * (u + v) / (0.9 * g.D), c.t / 2.0, c.t);
        const double a = std::max(z1, h), b = std::max(z2, h);
        if (std::fabs(b - a) * g.s > 1.0) {
            const SketchPoint pa = ProjectSketchPoint(g, u, v, a);
            const SketchPoint pb = ProjectSketchPoint(g, u, v, b);
            Segment(c.dc, {static_cast<int>(pa.x + 0.5), static_cast<int>(pa.y + 0.5)},
                    {static_cast<int>(pb.x + 0.5), static_cast<int>(pb.y + 0.5)});
        }
    }
    BlackPen(c.dc);
}

void DrawElementReinforcement(Context& c)
{
    const TStructure& e = c.element;
    TDepthTable table("temp space");
    for (int i = 0; i < e.GetLongLayerCount(0); ++i)
        table.Add(e.GetLongLayer(i, 0)->z, 100 + i);
    for (int j = 0; j < e.GetLongLayerCount(1); ++j)
        table.Add(e.GetLongLayer(j, 1)->z, 200 + j);
    const int legs = e.GetTransLayerCount(2);
    for (int k = 0; k < legs; ++k) {
        table.Add(e.GetTransLayer(k, 2)->distbot, 300 + k);
        table.Add(e.GetTransLayer(k, 2)->disttop, 400 + k);
    }
    table.Sort(1);
    std::vector<int> active(static_cast<std::size_t>(std::max(legs, 0)), 0);
    double previous = 0.0;
    for (int n = table.GetCount() - 1; n >= 0; --n) {
        const double p = table.GetDepth(n);
        const int q = static_cast<int>(table.GetValue(n));
        for (int k = 0; k < legs; ++k)
            if (active[static_cast<std::size_t>(k)])
                DrawStirrupLegs(c, *e.GetTransLayer(k, 2), previous, p);
        if (q < 200) {
            DrawBarLayer(c, *e.GetLongLayer(q - 100, 0), 0);
        } else if (q < 300) {
            DrawBarLayer(c, *e.GetLongLayer(q - 200, 1), 1);
        } else if (q < 400) {
            const TransLayerRec& leg = *e.GetTransLayer(q - 300, 2);
            DrawStirrupEnds(c, leg, leg.distbot);
            active[static_cast<std::size_t>(q - 300)] = 1;
        } else {
            const TransLayerRec& leg = *e.GetTransLayer(q - 400, 2);
            DrawStirrupEnds(c, leg, leg.disttop);
            active[static_cast<std::size_t>(q - 400)] = 0;
        }
        previous = p;
    }
}

} // namespace

SketchPoint ProjectSketchPoint(const SketchGeometry& g, double u, double v, double z)
{
    return {g.X0 + g.s * std::cos(g.phi) * (u - v), g.Y0 - g.s * std::sin(g.phi) * (u + v) - g.s * z};
}

SketchGeometry GetSketchPlacement(const TStructure& element, int W, int H, int m)
{
    SketchGeometry g;
    const double t = element.GetHeight();
    if (!(t > 0.0))
        return g;
    g.D = 5.1 * t;
    g.phi = kSketchViewAngle;
    const int wm = W - 2 * m, hm = H - 2 * m;
    g.s = std::min((wm / 2.0 - H / 4.0) / (2.0 * g.D * std::cos(g.phi)),
                   (0.75 * hm - 0.3 * H) / (2.0 * g.D * std::sin(g.phi) + t));
    g.X0 = 0.65 * W + m;
    g.Y0 = 0.5 * H;
    return g;
}

SketchGeometry GetThumbnailPlacement(const TStructure& element, int x, int y, int w, int h)
{
    SketchGeometry g;
    const double t = element.GetHeight();
    if (!(t > 0.0))
        return g;
    g.D = 5.1 * t;
    g.phi = kSketchViewAngle;
    const double Hm = 2.0 * g.D * std::sin(g.phi) + t;
    g.s = std::min(0.95 * w / (2.0 * g.D * std::cos(g.phi)), 0.95 * h / Hm);
    g.X0 = x + 0.5 * w;
    g.Y0 = y + g.s * Hm / 2.0 + h / 2;
    return g;
}

void GetStirrupGridOffsets(const TStructure& e, double D, double& ov, double& ou)
{
    const double t = e.GetHeight();
    ov = ou = t / 4.0;
    if (e.GetLongLayerCount(0) != 2 || e.GetLongLayerCount(1) != 2)
        return;
    const auto offset = [&](const LongLayerRec& l) {
        return l.space > 1e-5 ? D / 2.0 - std::trunc((D / 2.0) / l.space) * l.space + l.db : t / 4.0;
    };
    ov = offset(*e.GetLongLayer(0, 0));
    ou = offset(*e.GetLongLayer(0, 1));
}

void DrawElementSketch(plat::DC& dc, const TStructure& element, const SketchGeometry& g, int hRef,
                       int detail)
{
    const double t = element.GetHeight();
    if (!(t > 0.0) || !(g.s > 0.0))
        return;
    const double D = g.D;
    // 1. The visible part of the front-right face (v = 0).
    plat::Region face;
    for (const auto& [u, z] : std::vector<std::pair<double, double>>{
             {D, t}, {0.9 * D, t}, {0.4 * D, t / 2}, {0.0, t / 2}, {0.0, 0.0}, {D, 0.0}})
        face.polygon.push_back(P(g, u, 0.0, z));
    dc.FillRegion(face, kFaceShade);
    // 2. The silhouette with the current pen.
    const std::vector<plat::Point> outline = {P(g, D, 0, t), P(g, D, D, t), P(g, 0, D, t), P(g, 0, D, 0),
                                              P(g, 0, 0, 0), P(g, D, 0, 0), P(g, D, 0, t)};
    for (std::size_t i = 1; i < outline.size(); ++i)
        Segment(dc, outline[i - 1], outline[i]);
    // 3. The thickness on the left.
    if (detail) {
        const plat::Point top = P(g, 0, D, t), bottom = P(g, 0, D, 0);
        DrawVerticalDimension(dc, top.x, top.y, bottom.x, bottom.y, 0, hRef / 10, "",
                              t * UnitFactor(kLength, g_UnitSystem), g_UnitSystem,
                              static_cast<int>(0.1 * hRef));
    }
    // 4. The cut.
    BlackPen(dc);
    Segment(dc, P(g, 0, 0, 0), P(g, 0, 0, t / 2));
    Segment(dc, P(g, D, 0, t), P(g, 0.9 * D, 0, t));
    Segment(dc, P(g, 0.9 * D, 0, t), P(g, 0, 0.9 * D, t));
    Segment(dc, P(g, 0, 0.9 * D, t), P(g, 0, D, t));
    Segment(dc, P(g, 0.9 * D, 0, t), P(g, 0.4 * D, 0, t / 2));
    Segment(dc, P(g, 0.4 * D, 0, t / 2), P(g, 0, 0, t / 2));
    Segment(dc, P(g, 0, 0, t / 2), P(g, 0, 0.4 * D, t / 2));
    Segment(dc, P(g, 0, 0.4 * D, t / 2), P(g, 0, 0.9 * D, t));
    Segment(dc, P(g, 0.4 * D, 0, t / 2), P(g, 0, 0.4 * D, t / 2));
    // 5. Bars and stirrups, lowest first.
    Context c{dc, element, g, t};
    DrawElementReinforcement(c);
    // 6. The axis marks.
    if (detail) {
        const double cs = std::cos(g.phi), sn = std::sin(g.phi);
        const double Ax = g.X0 + 1.3 * g.s * D * cs, Ay = g.Y0 - g.s * D * sn;
        const double a = 0.2 * g.s * D * cs, b = 0.2 * g.s * D * sn;
        const auto I = [](double q) { return static_cast<int>(q); };
        Segment(dc, {I(Ax), I(Ay)}, {I(Ax - a), I(Ay + b)});
        Segment(dc, {I(Ax), I(Ay)}, {I(Ax - a), I(Ay - b)});
        plat::LogFont f;
        f.face = "Arial";
        f.height = -std::max(hRef / 55, kLeastTextCharHeight);
        f.weight = 400;
        dc.SelectFont(f);
        dc.SetTextAlign(plat::TextAlign::Bottom);
        dc.TextOut(I(Ax - b), I(Ay + a), "X");
        dc.SetTextAlign(plat::TextAlign::Top | plat::TextAlign::Left);
        dc.TextOut(I(Ax - b), I(Ay - a), "Y");
    }
}

void DrawMainElementSketch(plat::DC& dc, const TStructure& element, int x, int y, int W, int H, int m)
{
    SketchGeometry g = GetSketchPlacement(element, W, H, m);
    g.X0 += x;
    g.Y0 += y;
    DrawElementSketch(dc, element, g, H, 1);
}

void DrawElementThumbnail(plat::DC& dc, const TStructure& element, int x, int y, int w, int h)
{
    DrawElementSketch(dc, element, GetThumbnailPlacement(element, x, y, w, h), 2 * h, 0);
}
