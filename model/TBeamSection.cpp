// TBeam: extents, the analysis datum, section properties, widths at a depth, library-shape
// recognition and the volume-to-surface ratio.

#include <algorithm>
#include <cmath>

#include "foundation/Units.h"
#include "model/ElementText.h"
#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/MaterialTypes.h"
#include "model/shapes/SectionShape.h"
#include "model/shapes/ShapeLibrary.h"

namespace {

// Region search tolerance of the width queries (about 1/30000 m).
constexpr double kWidthTolerance = 3.3333333333333335e-5;
// Within this of a region boundary the narrower of the two adjoining widths counts (m).
constexpr double kBoundaryTolerance = 0.0001;
// Width of a depth outside the section (GetWidthAt) and of an unmatched side query (m).
constexpr double kWidthOutside = 1e-6;
constexpr double kWidthUnmatched = 0.0001;
// Narrowest region width the datum shift leaves (m).
constexpr double kMinRegionWidth = 0.0001;
// Shape recognition: equal widths and stacked regions within kShapeTolerance, circle
// widths within kCircleTolerance (m).
constexpr double kShapeTolerance = 4e-5;
constexpr double kCircleTolerance = 0.0005;
// A step of the coarsest outline grid, 0.01 in (m). An outline row rounded to its grid stands up
// to half a step from where its sizes put it.
constexpr double kCoarsestGridStep = 0.000254;
// How far a depth of an outline drawn from a circle may stand from the circle's own (m): a step
// of the coarsest outline grid (half a step for the row, half for the top that gives the
// circle's centre and diameter).
constexpr double kCircleDepthRounding = kCoarsestGridStep;
// What a difference of sizes within the grid may carry beyond it from the datum shift (m).
constexpr double kGridSlack = 1e-9;

double LinearWidth(const ConcreteRegionRec& r, double z)
{
    const double h = r.top - r.bottom;
    if (h == 0.0)
        return (r.topWidth + r.bottomWidth) / 2.0;
    return r.bottomWidth + (r.topWidth - r.bottomWidth) * (z - r.bottom) / h;
}

bool HasConstantWidth(const ConcreteRegionRec& r)
{
    return std::fabs(r.topWidth - r.bottomWidth) < kShapeTolerance;
}

void ShiftTable(TDepthTable& table, double datum)
{
    for (int i = 0; i < table.GetCount(); ++i)
        table.SetDepth(i, table.GetDepth(i) - datum);
    // Subtracting one datum keeps the order; an empty table is left unflagged.
    if (table.GetCount() > 0)
        table.SetSorted(true);
}

// Whether the parameters `outline` filled from an outline of shape kind `kind` are those of
// `sizes` but for the rounding of the outline's rows to their grid.
bool OutlineOfSizes(int kind,
                    const std::array<double, kBeamShapeParamCount>& outline,
                    const std::array<double, kBeamShapeParamCount>& sizes)
{
    // The sizes the outline gives against those it was built from: every size the outline takes
    // from one row (a width, a height above the bottom) within half a grid step, the top
    // flange's thickness, the difference of two rows, within a step.
    for (std::size_t k = 0; k < outline.size(); ++k) {
        const bool twoRows = k == 3 && (kind == kBeamTShape || kind == kBeamIShape);
        const double allowance = (twoRows ? 1.0 : 0.5) * kCoarsestGridStep + kGridSlack;
        if (!(std::fabs(sizes[k] - outline[k]) <= allowance))
            return false;
    }
    return true;
}

} // namespace

// ---- Extents and datum -----------------------------------------------------------------

int TBeam::UpdateExtents()
{
    const int n = GetRegionCount();
    if (n == 0) {
        m_own.top = m_own.bottom = 0.0;
    } else {
        double top = -kUndefined;
        double bottom = kUndefined;
        for (int i = 0; i < n; ++i) {
            const ConcreteRegionRec* r = GetRegion(i);
            top = std::max(top, r->top);
            bottom = std::min(bottom, r->bottom);
        }
        m_own.top = top;
        m_own.bottom = bottom;
    }
    m_own.height = m_own.top - m_own.bottom;
    return 1;
}

// The height of the moment axis in the present depths: the given height above the last
// region's bottom, or the gross centroid.
double TBeam::DatumHeight() const
{
    return m_own.momentAxis < kCentroidalAxis
               ? GetRegion(GetRegionCount() - 1)->bottom + m_own.momentAxis
               : m_own.bottom + m_own.gross.centroid;
}

// Every depth that a document keeps as a height above the bottom (regions, bars, stirrups, the
// shrinkage and strain-discontinuity profiles) becomes that height as a document in the active
// unit system gives it back; the depths no document keeps are measured from the bottom as they
// stand. The section then lies as one read from its document, before its first move.
void TBeam::BackToDocumentHeights()
{
    UpdateExtents();
    const double bottom = m_own.bottom;
    const auto kept = [bottom](double z) {
        return AsDocumentKeepsIt(z - bottom, ukSectionLength, &g_UnitSystem);
    };
    for (int i = 0; i < GetRegionCount(); ++i) {
        ConcreteRegionRec* r = GetRegion(i);
        r->top = kept(r->top);
        r->bottom = kept(r->bottom);
    }
    for (auto& layer : LongLayers(0))
        layer.z = kept(layer.z);
    for (auto& layer : TransLayers(2)) {
        layer.disttop = kept(layer.disttop);
        layer.distbot = kept(layer.distbot);
    }
    const auto keep = [&kept](TDepthTable& table) {
        for (int i = 0; i < table.GetCount(); ++i)
            table.SetDepth(i, kept(table.GetDepth(i)));
        if (table.GetCount() > 0)
            table.SetSorted(true);
    };
    keep(GetPositionVariable(kShrinkTherm));
    keep(m_strainDiscontinuity);
    ShiftTable(GetPositionVariable(kCreepX), bottom);
    ShiftTable(GetPositionVariable(kCreepY), bottom);
    ShiftTable(m_criticalRho, bottom);
    UpdateExtents();
    ComputeSectionProperties();
}

namespace {

constexpr double kDatumNoise = 1e-9; // m

} // namespace

int TBeam::ShiftToDatum()
{
    const int n = GetRegionCount();
    for (int i = 0; i < n; ++i) {
        ConcreteRegionRec* r = GetRegion(i);
        r->topWidth = std::max(r->topWidth, kMinRegionWidth);
        r->bottomWidth = std::max(r->bottomWidth, kMinRegionWidth);
    }
    // The properties are measured from the bottom, which regions added without an extents
    // update may not have moved yet.
    UpdateExtents();
    ComputeSectionProperties();
    if (n == 0)
        return UpdateExtents();

    double datum = DatumHeight();
    // Moving the moved depths again would leave the roundings of both moves in them: the
    // section would no longer be the one its document opens as. A datum within a nanometre of
    // the axis is the rounding of the centroid of a section already there (as in the copies an
    // analysis validates): that section stays as it is.
    if (m_own.atDatum && std::fabs(datum) > kDatumNoise) {
        BackToDocumentHeights();
        datum = DatumHeight();
    }
    m_own.atDatum = true;
    if (m_own.momentAxis != kUndefined &&
        std::fabs(m_own.momentAxis - m_own.gross.centroid) < kModifiedTolerance)
        m_own.momentAxis = kUndefined;

    for (int i = 0; i < n; ++i) {
        ConcreteRegionRec* r = GetRegion(i);
        r->top -= datum;
        r->bottom -= datum;
    }
    for (auto& layer : LongLayers(0))
        layer.z -= datum;
    for (auto& layer : TransLayers(2)) {
        layer.disttop -= datum;
        layer.distbot -= datum;
    }
    ShiftTable(GetPositionVariable(kShrinkTherm), datum);
    ShiftTable(GetPositionVariable(kCreepX), datum);
    ShiftTable(GetPositionVariable(kCreepY), datum);
    ShiftTable(m_strainDiscontinuity, datum);
    ShiftTable(m_criticalRho, datum);
    return UpdateExtents();
}

// ---- Section properties -----------------------------------------------------------------

double TBeam::MainConcreteModulus() const
{
    if (m_own.mainConcreteType < 0 || m_own.mainConcreteType >= GetConcreteTypeCount())
        return 0.0;
    return GetConcreteType(m_own.mainConcreteType)->Ec;
}

double TBeam::SteelModulus(int type) const
{
    if (type < 0 || type >= GetSteelTypeCount())
        return 0.0;
    return GetSteelType(type)->Es;
}

double TBeam::SteelYield(int type) const
{
    if (type < 0 || type >= GetSteelTypeCount())
        return 0.0;
    return GetSteelType(type)->fy;
}

// Each region is a rectangle of its top width b_t plus a triangle of base (b_b - b_t) at its
// bottom (negative when the region widens upward). The transformed pass weights a region by
// Ec of its concrete over Ec of the main concrete and adds each x layer as a (Es/Ec - 1).
// Without a usable main modulus the transformed pass equals the gross one.
SectionProperties TBeam::ComputeProperties(bool transformed) const
{
    const double ecMain = MainConcreteModulus();
    const bool weighted = transformed && ecMain > 0.0;
    const double zb = m_own.bottom;
    const int n = GetRegionCount();
    const int typeCount = GetConcreteTypeCount();
    const auto weightOf = [&](const ConcreteRegionRec& r) {
        if (!weighted || r.concreteType < 0 || r.concreteType >= typeCount)
            return 1.0;
        return GetConcreteType(r.concreteType)->Ec / ecMain;
    };
    const auto steelRatio = [&](const LongLayerRec& layer) {
        const double es = SteelModulus(layer.type);
        return es > 0.0 ? es / ecMain - 1.0 : 0.0;
    };
    const int layerCount = weighted ? GetLongLayerCount(0) : 0;

    double area = 0.0;
    double firstMoment = 0.0;
    for (int i = 0; i < n; ++i) {
        const ConcreteRegionRec& r = *GetRegion(i);
        const double w = weightOf(r);
        const double h = r.top - r.bottom;
        const double bt = r.topWidth;
        const double dbw = r.bottomWidth - r.topWidth;
        area += w * (r.topWidth + r.bottomWidth) * h / 2.0;
        firstMoment += w * (bt * h * ((r.bottom + r.top) / 2.0 - zb) +
                            dbw * (h / 2.0) * ((2.0 * r.bottom + r.top) / 3.0 - zb));
    }
    for (int i = 0; i < layerCount; ++i) {
        const LongLayerRec& layer = *GetLongLayer(i, 0);
        const double added = layer.A * steelRatio(layer);
        area += added;
        firstMoment += added * (layer.z - zb);
    }

    SectionProperties p;
    p.area = area;
    p.centroid = area > 0.0 ? firstMoment / area : 0.0;
    const double zc = zb + p.centroid;
    double inertia = 0.0;
    for (int i = 0; i < n; ++i) {
        const ConcreteRegionRec& r = *GetRegion(i);
        const double w = weightOf(r);
        const double h = r.top - r.bottom;
        const double h3 = h * h * h;
        const double bt = r.topWidth;
        const double dbw = r.bottomWidth - r.topWidth;
        const double armRect = (r.bottom + r.top) / 2.0 - zc;
        const double armTri = (2.0 * r.bottom + r.top) / 3.0 - zc;
        inertia += w * (bt * h3 / 12.0 + dbw * h3 / 36.0 + bt * h * armRect * armRect +
                        dbw * (h / 2.0) * armTri * armTri);
    }
    for (int i = 0; i < layerCount; ++i) {
        const LongLayerRec& layer = *GetLongLayer(i, 0);
        const double arm = layer.z - zc;
        inertia += layer.A * steelRatio(layer) * arm * arm;
    }
    p.inertia = inertia;
    return p;
}

int TBeam::ComputeSectionProperties()
{
    for (int t = 0; t < GetConcreteTypeCount(); ++t)
        PrepareConcreteType(*GetConcreteType(t));
    m_own.gross = ComputeProperties(false);
    m_own.transformed = ComputeProperties(true);
    return 1;
}

int TBeam::GetFaceSteelData(int transformed,
                            double& I,
                            double& A,
                            double& heightAboveCentroid,
                            double& y,
                            double& sTop,
                            double& sBottom) const
{
    const SectionProperties& p = transformed == 0 ? m_own.gross : m_own.transformed;
    I = p.inertia;
    A = p.area;
    y = p.centroid;
    heightAboveCentroid = m_own.height - y;
    sTop = heightAboveCentroid > 0.0 ? I / heightAboveCentroid : 0.0;
    sBottom = y > 0.0 ? I / y : 0.0;
    return 1;
}

// ---- Widths ------------------------------------------------------------------------------

double TBeam::GetWidthAtSide(double depth, int side) const
{
    const double t = kWidthTolerance;
    const int n = GetRegionCount();
    // Side 0 matches [bottom - t, top - t): at a boundary the region above the depth; any
    // other side (bottom + t, top + t]: the region below it.
    const auto matches = [&](const ConcreteRegionRec& r) {
        return side == 0 ? (depth >= r.bottom - t && depth < r.top - t)
                         : (depth > r.bottom + t && depth <= r.top + t);
    };
    if (m_widthSideHint >= 0 && m_widthSideHint < n && matches(*GetRegion(m_widthSideHint)))
        return LinearWidth(*GetRegion(m_widthSideHint), depth);
    for (int i = 0; i < n; ++i) {
        if (matches(*GetRegion(i))) {
            m_widthSideHint = i;
            return LinearWidth(*GetRegion(i), depth);
        }
    }
    if (n == 0)
        return kWidthUnmatched;
    if (side == 0) {
        const ConcreteRegionRec& first = *GetRegion(0);
        return std::fabs(depth - first.top) <= t ? first.topWidth : kWidthUnmatched;
    }
    const ConcreteRegionRec& last = *GetRegion(n - 1);
    return std::fabs(depth - last.bottom) <= t ? last.bottomWidth : kWidthUnmatched;
}

double TBeam::GetWidthAt(double depth) const
{
    const double t = kWidthTolerance;
    const int n = GetRegionCount();
    const auto matches = [&](int i) {
        const ConcreteRegionRec& r = *GetRegion(i);
        return r.top >= depth && r.bottom - depth <= t;
    };
    int found = -1;
    if (m_widthHint >= 0 && m_widthHint < n && matches(m_widthHint)) {
        found = m_widthHint;
    } else {
        for (int i = 0; i < n && found < 0; ++i) {
            if (matches(i))
                found = i;
        }
    }
    if (found >= 0) {
        m_widthHint = found;
        const ConcreteRegionRec& r = *GetRegion(found);
        if (std::fabs(depth - r.bottom) < kBoundaryTolerance && found + 1 < n)
            return std::min(r.bottomWidth, GetRegion(found + 1)->topWidth);
        if (std::fabs(depth - r.top) < kBoundaryTolerance && found > 0)
            return std::min(r.topWidth, GetRegion(found - 1)->bottomWidth);
        return LinearWidth(r, depth);
    }
    if (n > 0) {
        if (std::fabs(depth - GetRegion(0)->top) <= t)
            return GetRegion(0)->topWidth;
        if (std::fabs(depth - GetRegion(n - 1)->bottom) <= t)
            return GetRegion(n - 1)->bottomWidth;
    }
    return kWidthOutside;
}

// ---- Library shapes ------------------------------------------------------------------------

// Every region's widths lie on the circle through the outline's top and bottom, of diameter
// D = first top - last bottom about its own mid-depth c: w(z) = 2 sqrt(D^2/4 - (z - c)^2),
// wherever the section's datum lies. An outline drawn from a circle has its rows on a grid
// (0.1 mm, 0.01 in), so that a row's depth, and the top and bottom that give c and D, may each
// stand up to half a step from the circle's own: a width passes when it lies within
// kCircleTolerance of the circle's widths over kCircleDepthRounding either side of its depth,
// which near the top and bottom, where the width changes fastest, is more than that tolerance.
// A section without regions passes.
bool TBeam::FollowsCircle() const
{
    const int n = GetRegionCount();
    if (n == 0)
        return true;
    // One trapezoid is no circle, even one whose ends meet the circle through them.
    if (n == 1)
        return false;
    const double top = GetRegion(0)->top;
    const double bottom = GetRegion(n - 1)->bottom;
    const double radius = (top - bottom) / 2.0;
    const double centre = (top + bottom) / 2.0;
    const auto chord = [radius](double u) {
        return 2.0 * std::sqrt(std::max(radius * radius - u * u, 0.0));
    };
    const auto onCircle = [&](double z, double width) {
        const double u = std::fabs(z - centre);
        // A point beyond the circle's height (more than rounding) is not on it.
        if (u > radius + kCircleDepthRounding)
            return false;
        const double widest = chord(std::max(u - kCircleDepthRounding, 0.0));
        const double narrowest = chord(std::min(u + kCircleDepthRounding, radius));
        return width <= widest + kCircleTolerance && width >= narrowest - kCircleTolerance;
    };
    for (int i = 0; i < n; ++i) {
        const ConcreteRegionRec& r = *GetRegion(i);
        if (!onCircle(r.top, r.topWidth) || !onCircle(r.bottom, r.bottomWidth))
            return false;
    }
    return true;
}

int TBeam::FillRecognisedParameters(int kind)
{
    const int n = GetRegionCount();
    const auto region = [this](int i) { return *GetRegion(i); };
    const auto height = [](const ConcreteRegionRec& r) { return r.top - r.bottom; };
    std::array<double, kBeamShapeParamCount> p = m_own.shapeParams;
    if (kind == kBeamRectShape && n >= 1) {
        p[0] = region(0).topWidth;
        p[1] = height(region(0));
    } else if (kind == kBeamCircleShape) {
        p[0] = n > 0 ? region(0).top - region(n - 1).bottom : m_own.height;
    } else if (kind == kBeamTShape && n >= 2) {
        p[0] = region(0).topWidth;
        p[1] = region(0).top - region(1).bottom;
        p[2] = region(1).topWidth;
        p[3] = height(region(0));
    } else if (kind == kBeamIShape && n >= 3) {
        p[0] = region(0).topWidth;
        p[1] = region(0).top - region(2).bottom;
        p[2] = region(1).topWidth;
        p[3] = height(region(0));
        p[4] = height(region(2));
        p[5] = region(2).topWidth;
    } else {
        return 0;
    }
    for (double& value : p)
        value = std::clamp(value, 0.0, kMaxShapeParam);
    m_own.shapeParams = p;
    return 1;
}

int TBeam::RecogniseShape()
{
    ShiftToDatum();
    // A library circle's diameter is that of its outline, built on the outline's grid, which is
    // the diameter its document gives back when the outline is recognised on reopening.
    if (m_own.shapeCode == kBeamCircleShape && GetRegionCount() > 0 && FollowsCircle())
        FillRecognisedParameters(kBeamCircleShape);
    if (m_own.shapeCode != kUserShapeCode)
        return 1;
    // The library shape and sizes a document names beside its outline (a user outline is named
    // "USER"); the outline is rounded to its grid, the sizes are as typed.
    const std::string named = m_own.shapeName;
    const std::array<double, kBeamShapeParamCount> namedSizes = m_own.shapeParams;
    const int n = GetRegionCount();
    const auto stacked = [this](int upper) {
        const ConcreteRegionRec& a = *GetRegion(upper);
        const ConcreteRegionRec& b = *GetRegion(upper + 1);
        return HasConstantWidth(a) && HasConstantWidth(b) &&
               std::fabs(a.bottom - b.top) < kShapeTolerance && a.concreteType == b.concreteType;
    };
    int kind = -1;
    const char* candidate = nullptr;
    if (m_own.voidRegionCount == 0) {
        if (n == 1 && HasConstantWidth(*GetRegion(0))) {
            kind = kBeamRectShape;
            candidate = "RECT";
        } else if (n == 2 && stacked(0)) {
            kind = kBeamTShape;
            candidate = "TBEAM";
        } else if (n == 3 && stacked(0) && stacked(1)) {
            kind = kBeamIShape;
            candidate = "IBEAM";
        }
    }
    if (kind >= 0) {
        SetShapeType(kind);
        SelectShapeByName(*this, candidate);
    }
    if (FollowsCircle()) {
        SetShapeType(kBeamCircleShape);
        kind = kBeamCircleShape;
    }
    if (kind >= 0)
        FillRecognisedParameters(kind);
    // A rectangle, T or I whose document names it with the sizes its outline was built from
    // keeps those sizes; an outline that is not theirs gives its own.
    if (kind >= 0 && kind != kBeamCircleShape && candidate != nullptr && named == candidate &&
        OutlineOfSizes(kind, m_own.shapeParams, namedSizes))
        m_own.shapeParams = namedSizes;
    return 1;
}

// ---- Volume-to-surface ratio ---------------------------------------------------------------

double ComputeVolumeSurfaceRatio(const TBeam& beam)
{
    const int n = beam.GetRegionCount();
    double perimeter = 0.0;
    double previousBottomWidth = 0.0;
    for (int i = 0; i < n; ++i) {
        const ConcreteRegionRec& r = *beam.GetRegion(i);
        const double halfStep = (r.topWidth - r.bottomWidth) / 2.0;
        const double h = r.top - r.bottom;
        perimeter += 2.0 * std::sqrt(halfStep * halfStep + h * h) +
                     std::fabs(r.topWidth - previousBottomWidth);
        previousBottomWidth = r.bottomWidth;
    }
    if (n > 0)
        perimeter += previousBottomWidth;
    if (!(perimeter > 0.0))
        return 0.0;
    return beam.GetGrossArea() / perimeter;
}
