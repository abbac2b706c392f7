#include "app/summary/CrossSection.h"

#include <algorithm>
#include <cmath>

#include "analysis/state/SectionState.h"
#include "app/summary/InfoManager.h"
#include "app/summary/SummaryLayout.h"
#include "charts/DrawingSheet.h"
#include "charts/RichText.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/Units.h"
#include "model/ModelHelpers.h"
#include "model/ReinfPatterns.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"

namespace {
constexpr double kHalfPi = 1.5707963267945;
constexpr double kDegree = 57.2957;

const plat::Pen kBlackPen{};

// ---- Stirrup pieces ---------------------------------------------------------------------

// Concentric arcs of radii R - t and R about (cx, cy) from angle a1 to a2 (degrees, positive
// upward), drawn counter-clockwise from the smaller angle.
void DrawBend(plat::DC& dc, int cx, int cy, int R, int t, double a1, double a2)
{
    const double lo = std::min(a1, a2) / kDegree;
    const double hi = std::max(a1, a2) / kDegree;
    for (const int r : {R - t, R}) {
        if (r <= 0)
            continue;
        const plat::Point start{PixelTrunc(cx + r * std::cos(lo) + 0.5),
                                PixelTrunc(cy - r * std::sin(lo) + 0.5)};
        const plat::Point end{PixelTrunc(cx + r * std::cos(hi) + 0.5),
                              PixelTrunc(cy - r * std::sin(hi) + 0.5)};
        dc.Arc({cx - r, cy - r, cx + r, cy + r}, start, end);
    }
}

// A hook: the bend and a straight tail of length L pixels leaving the bend's end angle a2 in
// the sense in which the bend was walked from a1.
void DrawHook(plat::DC& dc, int cx, int cy, int R, int t, double a1, double a2, double L)
{
    DrawBend(dc, cx, cy, R, t, a1, a2);
    const double a = a2 / kDegree;
    const double sense = a2 > a1 ? 1.0 : -1.0; // counter-clockwise walk when increasing
    const double tx = -std::sin(a) * sense;
    const double ty = -std::cos(a) * sense; // screen y grows downward
    for (const int r : {R - t, R}) {
        const double px = cx + r * std::cos(a);
        const double py = cy - r * std::sin(a);
        dc.MoveTo(PixelTrunc(px + 0.5), PixelTrunc(py + 0.5));
        dc.LineTo(PixelTrunc(px + tx * L + 0.5), PixelTrunc(py + ty * L + 0.5));
    }
}

void VerticalRun(plat::DC& dc, int x, int thickness, int yTop, int yBottom)
{
    dc.MoveTo(x, yTop);
    dc.LineTo(x, yBottom);
    dc.MoveTo(x + thickness, yTop);
    dc.LineTo(x + thickness, yBottom);
}

void HorizontalRun(plat::DC& dc, int x1, int x2, int y, int thickness)
{
    dc.MoveTo(x1, y);
    dc.LineTo(x2, y);
    dc.MoveTo(x1, y + thickness);
    dc.LineTo(x2, y + thickness);
}

void HeadedLeg(plat::DC& dc, int x, int t, int yTop, int yBottom)
{
    VerticalRun(dc, x, t, yTop, yBottom);
    const int xm = x + t / 2;
    for (const int ye : {yTop, yBottom}) {
        dc.SelectBrush(plat::Brush{true});
        dc.Rectangle({xm - 3 * t, ye - t / 2, xm + 3 * t + 1, ye - t / 2 + std::max(t, 1) + 1});
    }
}

// Average stirrup stress and limit over the three nodes of a mesh layer.
int LayerStressCode(const SectionState& state, const LayerDefRec& def)
{
    double stress = 0.0;
    double limit = 0.0;
    int n = 0;
    for (const std::uint32_t id : {def.NodeTop, def.NodeMid, def.NodeBottom}) {
        const LayerNodeStateRec* node = state.NodeState(static_cast<int>(id));
        if (node == nullptr)
            continue;
        stress += node->StirrupStress;
        limit += node->StirrupYieldStress;
        ++n;
    }
    if (n == 0)
        return -1;
    return StressStyleCode(stress / n, limit / n);
}

// The mesh layers lying within the stirrup's extent, from the top down, where the stress
// colour changes (the first of them always), with the new colour's code.
struct StressChange {
    const LayerDefRec* def;
    int code;
};
std::vector<StressChange> StressChanges(const SectionState& state, const TransLayerRec& layer)
{
    std::vector<StressChange> changes;
    for (int j = 0; j < state.UsableLayerCount(); ++j) {
        const LayerDefRec& def = *state.LayerDef(j);
        if (def.Bottom < layer.distbot || def.Top > layer.disttop)
            continue;
        const int code = LayerStressCode(state, def);
        if (changes.empty() || code != changes.back().code)
            changes.push_back({&def, code});
    }
    return changes;
}

// A vertical leg from yTop to yBottom; with a state it is cut where the stress colour of the
// mesh layers within the stirrup's extent changes, each piece drawn in its colour.
void StateLeg(plat::DC& dc,
              const SectionState* state,
              const TransLayerRec& layer,
              int x,
              int thickness,
              int yTop,
              int yBottom,
              double y0,
              double s)
{
    if (state == nullptr || state->Valid == 0) {
        VerticalRun(dc, x, thickness, yTop, yBottom);
        return;
    }
    struct Piece {
        int code;
        int top;
        int bottom;
    };
    std::vector<Piece> pieces;
    for (const StressChange& change : StressChanges(*state, layer)) {
        if (pieces.empty()) {
            pieces.push_back({change.code, yTop, yBottom});
            continue;
        }
        pieces.back().bottom = std::clamp(PixelTrunc(y0 - change.def->Top * s), yTop, yBottom);
        pieces.push_back({change.code, pieces.back().bottom, yBottom});
    }
    if (pieces.empty())
        pieces.push_back({-1, yTop, yBottom});
    const int d = thickness < 2 ? 1 : -1;
    for (const Piece& piece : pieces) {
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, StressStyleColor(piece.code)});
        VerticalRun(dc, x, thickness, piece.top, piece.bottom);
        if (piece.code != -1) {
            dc.MoveTo(x - d, piece.top);
            dc.LineTo(x - d, piece.bottom);
            dc.MoveTo(x + thickness + d, piece.top);
            dc.LineTo(x + thickness + d, piece.bottom);
        }
    }
    dc.SelectPen(kBlackPen);
}

void DrawHoop(plat::DC& dc,
              const TransLayerRec& layer,
              double x0,
              double y0,
              double s,
              int stateMode,
              const SectionState* state)
{
    const double R = (layer.disttop - layer.distbot) / 2;
    const double zc = (layer.disttop + layer.distbot) / 2;
    const int t = std::max(1, PixelTrunc(layer.db * s / 2));
    if (stateMode == 0 || state == nullptr || state->Valid == 0) {
        const double cx = x0;
        const double cy = y0 - zc * s;
        dc.SelectBrush(plat::Brush{true});
        for (const double r : {R * s + t, R * s - t})
            dc.Ellipse(
                {PixelTrunc(cx - r), PixelTrunc(cy - r), PixelTrunc(cx + r), PixelTrunc(cy + r)});
        return;
    }
    double previous = kHalfPi;
    int previousCode = -1;
    bool first = true;
    for (const StressChange& change : StressChanges(*state, layer)) {
        const LayerNodeStateRec* top = state->NodeState(static_cast<int>(change.def->NodeTop));
        const double depth = top != nullptr ? top->Depth : change.def->Top;
        const double angle = std::asin(std::clamp((depth - zc) / (R + 0.0001), -1.0, 1.0));
        DrawMirroredHoopArcs(dc, x0, y0, s, zc, R, t, previous, angle);
        const int stretchCode = first ? change.code : previousCode;
        if (stretchCode != 1)
            DrawMirroredHoopArcs(dc, x0, y0, s, zc, R, t - 1, previous, angle);
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, StressStyleColor(change.code)});
        previous = angle;
        previousCode = change.code;
        first = false;
    }
    DrawMirroredHoopArcs(dc, x0, y0, s, zc, R, t, previous, -kHalfPi);
    if (previousCode != 1)
        DrawMirroredHoopArcs(dc, x0, y0, s, zc, R, t - 1, previous, -kHalfPi);
    dc.SelectPen(kBlackPen);
}

// Offset of a single leg beside the centre bars: db/2 plus the largest db/2 of the layers of
// the direction with an odd bar count.
double SingleLegOffset(const TStructure& structure, double db, int direction)
{
    double largest = 0.0;
    for (int i = 0; i < structure.GetLongLayerCount(direction); ++i) {
        const LongLayerRec* layer = structure.GetLongLayer(i, direction);
        if (layer->num % 2 == 1)
            largest = std::max(largest, layer->db / 2);
    }
    return db / 2 + largest;
}

void DrawStirrupLayer(plat::DC& dc,
                      const TStructure& structure,
                      const TransLayerRec& layer,
                      double x0,
                      double y0,
                      double s,
                      const SectionState* state,
                      int direction)
{
    if (layer.A == 0.0)
        return;
    const double zt = std::min(structure.GetTop(), layer.disttop);
    const double zb = std::max(structure.GetBottom(), layer.distbot);
    double W = std::min(structure.GetWidthAt(zb), structure.GetWidthAt(zt));
    if (W < 0.0001)
        W = 1.0;
    for (int i = 0; i < structure.GetRegionCount(); ++i) {
        const ConcreteRegionRec* r = structure.GetRegion(i);
        const auto within = [&](double z) { return z <= layer.disttop && z >= layer.distbot; };
        if (within(r->top) || within(r->bottom))
            W = std::min({W, r->topWidth, r->bottomWidth});
    }
    int face = 0;
    const double cover = structure.GetMinCover(face);
    const StirrupGeometry g = ComputeStirrupGeometry(W, cover, layer.db, s);
    const int thick = std::max(1, g.outer - g.inner);
    const int R = std::max(g.bendRadius, 1);
    const int t = std::max(g.band, 1);
    const double tail = HookTailLength(layer.db) * s;
    const int yTop = PixelTrunc(y0 - (zt - g.inset) * s);
    const int yBottom = PixelTrunc(y0 - (zb + g.inset) * s);
    const int xc = PixelTrunc(x0);
    const int left = xc - g.outer;
    const int right = xc + g.outer;

    if (layer.legs == 1) {
        const int x = PixelTrunc(x0 + SingleLegOffset(structure, layer.db, direction) * s);
        if (layer.pattern == 5) {
            HeadedLeg(dc, x, t, yTop, yBottom);
            return;
        }
        StateLeg(dc, state, layer, x, t, yTop + R, yBottom - R, y0, s);
        DrawHook(dc, x + R, yTop + R, R, t, 180, 45, tail);
        DrawHook(dc, x + R, yBottom - R, R, t, -180, -45, tail);
        return;
    }
    if (layer.pattern == 7) {
        const int y = PixelTrunc(y0 - zt * s);
        HorizontalRun(dc, left + R, right - R, y, t);
        DrawHook(dc, left + R, y + R, R, t, 90, 225, tail);
        DrawHook(dc, right - R, y + R, R, t, 90, -45, tail);
        return;
    }
    if (g.outer + g.inner < 1.05 * g.bend * s) {
        if (layer.disttop - layer.distbot > 1.1 * g.bend) {
            StateLeg(dc, state, layer, left, thick, yTop + R, yBottom - R, y0, s);
            StateLeg(dc, state, layer, right - thick, thick, yTop + R, yBottom - R, y0, s);
            DrawHook(dc, left + R, yTop + R, R, t, 180, 45, tail);
            DrawHook(dc, left + R, yBottom - R, R, t, -180, -45, tail);
            DrawHook(dc, right - R, yTop + R, R, t, 0, 135, tail);
            DrawHook(dc, right - R, yBottom - R, R, t, 0, -135, tail);
        } else {
            HeadedLeg(dc, left, t, yTop, yBottom);
            HeadedLeg(dc, right - t, t, yTop, yBottom);
        }
        return;
    }
    // A frame: legs, bottom corners and run, and the top shape of its pattern.
    StateLeg(dc, state, layer, left, thick, yTop + R, yBottom - R, y0, s);
    StateLeg(dc, state, layer, right - thick, thick, yTop + R, yBottom - R, y0, s);
    DrawBend(dc, left + R, yBottom - R, R, t, -180, -90);
    DrawBend(dc, right - R, yBottom - R, R, t, 0, -90);
    HorizontalRun(dc, left + R, right - R, yBottom - t, t);
    if (layer.pattern == 2) {
        DrawHook(dc, left + R, yTop + R, R, t, 180, 45, tail);
        DrawHook(dc, right - R, yTop + R, R, t, 0, 135, tail);
    } else if (layer.pattern == 3) {
        DrawBend(dc, left + R, yTop + R, R, t, 90, 180);
        DrawBend(dc, right - R, yTop + R, R, t, 0, 90);
        const int lap = std::max(PixelTrunc(layer.db * s), 1);
        HorizontalRun(dc, left + R, right - R, yTop, t);
        HorizontalRun(dc, left + R, right - R, yTop + t + lap, t);
    }
}

} // namespace

int SelectStressStyle(plat::DC& dc, double stress, double limit, int mode)
{
    const int code = StressStyleCode(stress, limit);
    if (mode == 0) {
        if (code == 0)
            return 0;
        if (code != -1)
            dc.SelectBrush(plat::Brush{false, StressStyleColor(code)});
        return -1;
    }
    if (mode == 1 && code != 0)
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, StressStyleColor(code)});
    return code;
}

void FillSectionRegions(plat::DC& dc,
                        const TStructure& structure,
                        int fillMode,
                        int stateMode,
                        double x0,
                        double y0,
                        double s,
                        const SectionState* state,
                        int& index,
                        plat::Point hit)
{
    if (fillMode == 0)
        return;
    auto Y = [&](double z) { return PixelTrunc(y0 - z * s); };
    auto Xoff = [&](double halfWidth) { return PixelTrunc(x0 + halfWidth * s); };
    auto fill = [&](plat::Point p0, plat::Point p1, plat::Point p2, plat::Point p3, plat::Color c) {
        if (p0.x == p1.x)
            dc.FillRect({p0.x, p0.y, p2.x, p2.y}, c);
        else
            dc.FillRegion(plat::Region{{p0, p1, p2, p3}, plat::FillMode::Alternate}, c);
    };
    if (stateMode == 0) {
        const bool hitMode = !(hit.x == 0 && hit.y == 0);
        int n = 0;
        for (int i = 0; i < structure.GetRegionCount(); ++i) {
            const ConcreteRegionRec& r = *structure.GetRegion(i);
            const plat::Point p0{Xoff(-r.topWidth / 2), Y(r.top)};
            const plat::Point p1{Xoff(-r.bottomWidth / 2), Y(r.bottom)};
            const plat::Point p2{Xoff(r.bottomWidth / 2), Y(r.bottom)};
            const plat::Point p3{Xoff(r.topWidth / 2), Y(r.top)};
            if (i > 0 && std::fabs(r.topWidth - structure.GetRegion(i - 1)->bottomWidth) > 1e-5)
                ++n;
            if (p0.y != p1.y) {
                if (hitMode) {
                    if (plat::PolygonContains({p0, p1, p2, p3}, hit)) {
                        index = std::abs(hit.y - p0.y) > std::abs(hit.y - p1.y) ? n + 1 : n;
                        return;
                    }
                } else {
                    const int g = ConcreteTypeGrey(r.concreteType);
                    fill(p0, p1, p2, p3, plat::Color{g, g, g});
                }
            }
            ++n;
        }
        return;
    }
    if (state == nullptr || state->Valid == 0 || state->LayerCount < 1)
        return;
    auto status = [&](const LayerNodeStateRec& node) {
        const double tension = node.Strain1 - node.FreeStrain1;
        const double compression = node.Strain2 - node.FreeStrain2;
        const bool cracked = tension > structure.GetConcreteStrainRatio(node.ConcreteType,
                                                                        node.LocalTensileStrength);
        const ConcreteTypeRec* type = structure.GetConcreteType(node.ConcreteType);
        const bool crushed = type != nullptr && compression < 3 * type->ec;
        return std::pair{cracked, crushed};
    };
    for (int j = 0; j < state->UsableLayerCount(); ++j) {
        const LayerDefRec& def = *state->LayerDef(j);
        const int ids[3] = {static_cast<int>(def.NodeTop),
                            static_cast<int>(def.NodeMid),
                            static_cast<int>(def.NodeBottom)};
        for (int half = 0; half < 2; ++half) {
            const LayerNodeStateRec* a = state->NodeState(ids[half]);
            const LayerNodeStateRec* b = state->NodeState(ids[half + 1]);
            if (a == nullptr || b == nullptr)
                return;
            const auto [crackedA, crushedA] = status(*a);
            const auto [crackedB, crushedB] = status(*b);
            const plat::Color colour = crackedA && crackedB   ? plat::Colors::LtGray
                                       : crushedA && crushedB ? plat::Colors::White
                                                              : plat::Colors::Gray;
            const double wa = structure.GetWidthAtSide(a->Depth, 1) / 2;
            const double wb = structure.GetWidthAtSide(b->Depth, 0) / 2;
            const plat::Point p0{Xoff(-wa), Y(a->Depth)};
            const plat::Point p1{Xoff(-wb), Y(b->Depth)};
            const plat::Point p2{Xoff(wb), Y(b->Depth)};
            const plat::Point p3{Xoff(wa), Y(a->Depth)};
            if (p0.y != p1.y)
                fill(p0, p1, p2, p3, colour);
        }
    }
}

void DrawSectionOutline(plat::DC& dc,
                        const TStructure& structure,
                        double x0,
                        double y0,
                        double s,
                        int fillMode,
                        int stateMode,
                        const SectionState* state)
{
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, stateMode == 0 ? 2 : 1, plat::Colors::Black});
    if (fillMode != 0 || stateMode != 0) {
        int unused = -1;
        FillSectionRegions(dc, structure, fillMode, stateMode, x0, y0, s, state, unused, {0, 0});
    }
    auto X = [&](double halfWidth) { return PixelTrunc(x0 + halfWidth * s); };
    auto Y = [&](double z) { return PixelTrunc(y0 - z * s); };
    auto line = [&](int xa, int ya, int xb, int yb) {
        dc.MoveTo(xa, ya);
        dc.LineTo(xb, yb);
    };
    double previousBottom = 0.0;
    const int n = structure.GetRegionCount();
    for (int i = 0; i < n; ++i) {
        const ConcreteRegionRec& r = *structure.GetRegion(i);
        const int yt = Y(r.top);
        // A region standing apart below the one above it (a gap between them) meets nothing at
        // its top: the region above closes its own bottom, and this one's top edge is its own
        // width only.
        if (i > 0) {
            const ConcreteRegionRec& above = *structure.GetRegion(i - 1);
            if (above.bottom - r.top > 1e-6) {
                line(X(-above.bottomWidth / 2), Y(above.bottom), X(above.bottomWidth / 2), Y(above.bottom));
                previousBottom = 0.0;
            }
        }
        line(X(-r.topWidth / 2), yt, X(-previousBottom / 2), yt);
        line(X(previousBottom / 2), yt, X(r.topWidth / 2), yt);
        line(X(r.topWidth / 2), yt, X(r.bottomWidth / 2), Y(r.bottom));
        line(X(-r.topWidth / 2), yt, X(-r.bottomWidth / 2), Y(r.bottom));
        previousBottom = r.bottomWidth;
    }
    if (n > 0) {
        const ConcreteRegionRec& last = *structure.GetRegion(n - 1);
        line(X(-last.bottomWidth / 2), Y(last.bottom), X(last.bottomWidth / 2), Y(last.bottom));
    }
    dc.SelectPen(kBlackPen);
    DrawStirrups(dc, structure, x0, y0, s, stateMode, state, 0);
    DrawLongitudinalBars(dc, structure, x0, y0, s, stateMode, state, 0);
}

void DrawLongitudinalBars(plat::DC& dc,
                          const TStructure& structure,
                          double x0,
                          double y0,
                          double s,
                          int stateMode,
                          const SectionState* state,
                          int direction)
{
    const int count = structure.GetLongLayerCount(direction);
    const double top = structure.GetTop();
    const double bottom = structure.GetBottom();
    for (int i = 0; i < count; ++i) {
        const LongLayerRec& layer = *structure.GetLongLayer(i, direction);
        dc.SelectBrush(
            plat::Brush{false, layer.dep == 0.0 ? plat::Colors::White : plat::Colors::Gray});
        if (stateMode != 0 && state != nullptr && state->Valid != 0) {
            const SteelTypeRec* steel = structure.GetSteelType(layer.type);
            const bool prestressing = steel != nullptr && (steel->kind == 2 || steel->fu > 7.5e8);
            const double phi = prestressing ? g_ResistanceFactors.phi_p : g_ResistanceFactors.phi_s;
            const double a = state->BarValue(BarArray::List0Stress, i);
            const double b = state->BarValue(BarArray::List1Stress, i);
            // A bar without a value in the second list (a beam's list 1 holds one) is drawn by
            // the first; "no value" is not a ruptured bar.
            const double stress = !IsUndefined(b) && std::fabs(b) > std::fabs(a) ? b : a;
            const double fy = steel != nullptr ? steel->fy : 0.0;
            if (SelectStressStyle(dc, stress, phi * fy, 0) == 0)
                continue;
        }
        const int D = BarSizePixels(layer.db, s);
        std::vector<plat::Rect> boxes;
        // A ring's layer stands on its circle; a layer whose circle has no record is drawn as
        // the plain layer the analysis takes.
        const ReinfPatternRec* pattern =
            layer.pattern == kCircularPattern ? PatternRecordOf(structure, layer, direction) : nullptr;
        if (pattern != nullptr) {
            boxes = CircularBarBoxes(layer.z,
                                     pattern->radius,
                                     pattern->centre,
                                     layer.num,
                                     D,
                                     x0,
                                     y0,
                                     s);
        } else {
            const double h2 = D / s / 2;
            const double W = std::min(structure.GetWidthAtSide(std::max(bottom, layer.z - h2), 0),
                                      structure.GetWidthAtSide(std::min(top, layer.z + h2), 1));
            const double E = structure.GetEffectiveWidthAt(layer.z, h2, 0.0);
            boxes = LayerBarBoxes(layer.z, layer.num, layer.db, layer.barX, W, E, D, x0, y0, s);
        }
        for (const plat::Rect& box : boxes)
            dc.Ellipse(box);
    }
    dc.SetBkColor(plat::Colors::White);
}

void DrawStirrups(plat::DC& dc,
                  const TStructure& structure,
                  double x0,
                  double y0,
                  double s,
                  int stateMode,
                  const SectionState* state,
                  int direction)
{
    const int count = structure.GetTransLayerCount(2);
    const SectionState* shown = stateMode != 0 ? state : nullptr;
    for (int i = 0; i < count; ++i) {
        if (state != nullptr && i < static_cast<int>(state->TransLayerFlags.size()) &&
            state->TransLayerFlags[static_cast<std::size_t>(i)] != 0)
            break;
        const TransLayerRec& layer = *structure.GetTransLayer(i, 2);
        if (layer.pattern == kCircularHoop) {
            if (layer.A != 0.0)
                DrawHoop(dc, layer, x0, y0, s, stateMode, shown);
            continue;
        }
        DrawStirrupLayer(dc, structure, layer, x0, y0, s, shown, direction);
    }
    dc.SelectPen(kBlackPen);
}

void DrawMirroredHoopArcs(plat::DC& dc,
                          double x0,
                          double y0,
                          double s,
                          double zc,
                          double R,
                          double t,
                          double a1,
                          double a2)
{
    const double cx = x0;
    const double cy = y0 - zc * s;
    const double r = R * s;
    const double lo = std::min(a1, a2);
    const double hi = std::max(a1, a2);
    for (const double rho : {r + t, r - t}) {
        if (rho <= 0.0)
            continue;
        auto at = [&](double a, double sign) {
            return plat::Point{PixelTrunc(cx + sign * rho * std::cos(a)),
                               PixelTrunc(cy - rho * std::sin(a))};
        };
        const plat::Point p1 = at(lo, 1.0);
        const plat::Point p2 = at(hi, 1.0);
        if (p1 == p2)
            continue;
        const plat::Rect box{PixelTrunc(cx - rho),
                             PixelTrunc(cy - rho),
                             PixelTrunc(cx + rho),
                             PixelTrunc(cy + rho)};
        dc.Arc(box, p1, p2);
        // The mirror runs counter-clockwise from the image of the higher angle.
        dc.Arc(box, at(hi, -1.0), at(lo, -1.0));
    }
}

int CountExperimentalPoints(const TStructure* structure, std::string& text)
{
    text.clear();
    if (structure == nullptr)
        return 0;
    int total = 0;
    for (int i = 0; i < kValueListCount; ++i) {
        if (const TdoubleArray* list = structure->GetValueList(i))
            total += list->GetCount();
    }
    if (total > 0)
        text = StrPrintf("Includes %d experimental measurements", total);
    return static_cast<int>(text.size());
}

std::string FormatAxialLoadNote(const TStructure& structure)
{
    const double p = AxialLoadPosition(structure);
    if (!(p <= 1e30))
        return std::string();
    const std::string format =
        setup_units("Axial load applied %5.~f %s from bottom", 0, 2, 1, g_UnitSystem);
    return StrPrintf(format.c_str(),
                     ToDisplayUnits(p, ukSectionLength),
                     UnitLabel(ukSectionLength));
}

std::string FormatStrainNote(const TStructure& structure, int direction)
{
    const auto* beam = dynamic_cast<const TBeam*>(&structure);
    if (beam == nullptr)
        return std::string();
    double vc = 0.0;
    double vb = 0.0;
    double vd = 0.0;
    const int kc = beam->ClassifyStrainProfile(0, vc, direction);
    const int kb = beam->ClassifyStrainProfile(2, vb, direction);
    const int kd = beam->ClassifyStrainProfile(1, vd, direction);
    const char* strain = UnitLabel(ukStrain);
    std::string text;
    if (kd != 0) {
        text = kc == 0 && kb == 0 ? "Strain Discontinuity in Concrete"
                                  : "Strain Discontinuity and shrinkage strains";
    } else if (kb == 2) {
        text = "Variable Concrete Shrinkage/Thermal Strains";
    } else if (kc == 1 && kb == 0) {
        text = StrPrintf("Concrete Shrinkage/Thermal Strain %5.2f %s",
                         ToDisplayUnits(vc, ukStrain),
                         strain);
    } else if (kc == 2 && kb == 0) {
        text = "Variable Concrete Shrinkage/Thermal Strain";
    } else if (kc == 1 && kb == 1) {
        text = std::fabs(vc - vb) < 1e-5
                   ? StrPrintf("Shrinkage/Thermal Strain %5.2f %s",
                               ToDisplayUnits(vc, ukStrain),
                               strain)
                   : std::string("Constant Shrinkage/Thermal Strains in Concrete & Steel");
    } else if (kc == 2 && kb == 1) {
        text = "Variable Concrete Shrinkage/Thermal Strains";
    } else if (kc == 0 && kb == 1) {
        text = "Thermal Strains in Reinforcement";
    }
    int longTerm = 0;
    double age = 0.0;
    double M = 0.0;
    double N = 0.0;
    beam->GetTimeData(longTerm, age, M, N);
    if (longTerm != 0) {
        if (!text.empty()) {
            text += " & Long Term Analysis";
        } else if (N != 0.0) {
            text = StrPrintf("Long Term Analysis:   Age= %5.0f %s, M= %5.1f %s, N= %5.1f %s",
                             age / 365,
                             UnitLabel(ukYears),
                             ToDisplayUnits(M, ukMoment),
                             UnitLabel(ukMoment),
                             ToDisplayUnits(N, ukForce),
                             UnitLabel(ukForce));
        } else {
            text = StrPrintf("Long Term Analysis:   Age= %5.0f %s, M= %5.1f %s",
                             age / 365,
                             UnitLabel(ukYears),
                             ToDisplayUnits(M, ukMoment),
                             UnitLabel(ukMoment));
        }
    }
    return text;
}

namespace {
double WidestRegion(const TStructure& structure)
{
    double B = 0.0;
    for (int i = 0; i < structure.GetRegionCount(); ++i)
        B = std::max({B, structure.GetRegion(i)->topWidth, structure.GetRegion(i)->bottomWidth});
    return B;
}
} // namespace

void DrawSectionInRect(plat::DC& dc,
                       const TStructure& structure,
                       int x,
                       int y,
                       int w,
                       int h,
                       int fillMode,
                       int fitHeight)
{
    const double H = structure.GetHeight();
    const double B = WidestRegion(structure);
    if (!(H > 0.0) || B < 0.0001)
        return;
    const double top = structure.GetTop();
    double s = w / B;
    double offset = h / 2.0 - H * s * (0.5 - top / H);
    if (h / H < s || fitHeight != 0) {
        s = h / H;
        offset = (top / H) * h;
    }
    DrawSectionOutline(dc, structure, x + w / 2.0, y + offset, std::fabs(s), fillMode, 0, nullptr);
}

void DrawSectionWithCallouts(plat::DC& dc,
                             const TStructure* structure,
                             int x,
                             int y,
                             int w,
                             int h,
                             int fillMode,
                             double fontFactor)
{
    if (structure == nullptr)
        return;
    const double H = structure->GetHeight();
    const double B = WidestRegion(*structure);
    if (!(H > 0.0) || B < 0.0001)
        return;
    const double top = structure->GetTop();
    double s = 0.5 * w / B;
    double offset = h / 2.0 - H * s * (0.5 - top / H);
    if (0.65 * h / H < s) {
        s = 0.65 * h / H;
        offset = (0.7 * top / H + 0.15) * h;
    }
    const double x0 = x + 0.4 * w;
    const double y0 = y + offset;
    DrawSectionOutline(dc, *structure, x0, y0, s, fillMode, 0, nullptr);
    DrawSectionDimensions(dc, *structure, x0, y0, s, B, PixelTrunc(h * fontFactor));
    if (g_InfoManager) {
        const double g = std::max(0.1 * s * B, 10.0);
        g_InfoManager->SetFontHeight(PixelTrunc(1.2 * h * fontFactor));
        g_InfoManager->DrawAt(dc,
                              structure,
                              0,
                              0.4 * w,
                              offset,
                              s,
                              B,
                              PixelTrunc(0.5 * s * B + 0.4 * w + g),
                              0,
                              w,
                              h);
        g_InfoManager->DrawCallouts(dc);
        UpdateInfoManager(structure);
    }
}

void PaintCrossSection(
    plat::DC& dc, const TStructure* structure, int x, int y, int w, int h, int module)
{
    if (structure == nullptr)
        return;
    const int u = w / 100;
    dc.SetBkMode(plat::BkMode::Transparent);
    int reinforcing = 0;
    int prestressing = 0;
    const int k = structure->CountSteelKinds(reinforcing, prestressing);
    const int wp = PixelTrunc(0.85 * w);
    TitleBlockTexts texts{structure->GetName(),
                          structure->GetDoneBy(),
                          structure->GetDate(),
                          {},
                          {},
                          {}};
    FormatCoverText(texts.note1, structure);
    texts.note2 = FormatAxialLoadNote(*structure);
    CountExperimentalPoints(structure, texts.note3);
    int field = 0;
    const int T =
        DrawTitleBlock(dc, x, y, wp, h, texts, k, 5199, 5198, g_UnitSystem, u, field, {0, 0}, 1);
    (void)module;
    DrawElementCatalogColumn(dc, structure, x, y, wp, w, h, u);
    const double H = structure->GetHeight();
    if (!(H > 0.0))
        return;
    const SectionFit fit = FitSectionToRect(structure, wp, h, u);
    DrawPropertiesPanel(dc, *structure, x, y, wp, h, u, 0);
    DrawSectionOutline(dc, *structure, fit.x0, fit.y0, fit.s, 2, 0, nullptr);
    const int D = DrawSectionDimensions(dc, *structure, fit.x0, fit.y0, fit.s, fit.widest, h);
    DrawConcreteTypesLegend(dc, *structure, wp, h, fit.x0, fit.y0, fit.s, D, {0, 0}, 1);
    const bool note = !FormatStrainNote(*structure, 0).empty();
    if (g_InfoManager) {
        // The callouts of this page's section, placed as the page places the section.
        g_InfoManager->Clear();
        g_InfoManager->SetSize(w, h);
        g_InfoManager->Draw(&dc, structure, 0);
        g_InfoManager->SetTextColumn(note ? 4 * u : 2 * u, T);
        g_InfoManager->DrawCallouts(dc);
    }
}
