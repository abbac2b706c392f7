// TBeam: reinforcement summaries (steel centroid, transverse ratios, shear depth and width,
// layer ratios, the Hsu check), the width enclosed by stirrups, the default strain points and
// the drawing positions of bars and stirrup legs.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/ReinfPatterns.h"
#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/MaterialTypes.h"

namespace {

// Depths over which the largest transverse ratio is searched.
constexpr int kRatioDepths = 100;
// A layer this close to mid-height counts half to each face (m).
constexpr double kMidTolerance = 1e-5;
// Steel type indices whose covering stirrups set the indicator of GetTransverseRatioAt.
constexpr int kFlaggedStirrupType1 = 4;
constexpr int kFlaggedStirrupType2 = 6;
// Default strain points: tension at the bottom, crushing at the top.
constexpr double kDefaultTensionStrain = 0.002;
constexpr double kDefaultCrushingStrain = -0.003;
} // namespace

// ---- Steel of a face --------------------------------------------------------------------

int TBeam::GetSteelCentroid(double& z, double& A, double& fy, int face) const
{
    z = A = fy = 0.0;
    const double mid = (m_own.top + m_own.bottom) / 2.0;
    double area = 0.0;
    double moment = 0.0;
    double strength = 0.0;
    for (int i = 0; i < GetLongLayerCount(0); ++i) {
        const LongLayerRec& layer = *GetLongLayer(i, 0);
        double share = 0.0;
        if (std::fabs(layer.z - mid) < kMidTolerance)
            share = 0.5;
        else if (face != 0 ? layer.z < mid : layer.z > mid)
            share = 1.0;
        const double a = layer.A * share;
        area += a;
        moment += a * layer.z;
        strength += a * SteelYield(layer.type);
    }
    A = area;
    if (area > 0.0) {
        z = moment / area;
        fy = strength / area;
    }
    return 1;
}

// ---- Transverse reinforcement -------------------------------------------------------------

int TBeam::GetTransverseRatioAt(double z, double& rho, double& rhoFy) const
{
    rho = rhoFy = 0.0;
    const double b = GetWidthAt(z);
    if (!(b > 0.0 && m_own.bottom <= z && z <= m_own.top))
        return 0;
    int indicator = 0;
    for (int i = 0; i < TStructure::GetTransLayerCount(2); ++i) {
        const TransLayerRec& layer = *GetTransLayer(i, 2);
        if (!(layer.distbot <= z && z <= layer.disttop))
            continue;
        // A stirrup set without a spacing along the member gives no ratio.
        if (layer.space > 0.0) {
            const double r = layer.A / b / layer.space;
            rho += r;
            rhoFy += r * SteelYield(layer.type);
        }
        if (layer.type == kFlaggedStirrupType1 || layer.type == kFlaggedStirrupType2)
            indicator = 1;
    }
    return indicator;
}

int TBeam::GetMaxTransverseRatio(double& rhoMax, double& rhoFyMax) const
{
    rhoMax = rhoFyMax = 0.0;
    if (m_own.shapeCode == kBeamCircleShape)
        return GetTransverseRatioAt((m_own.top + m_own.bottom) / 2.0, rhoMax, rhoFyMax);
    int indicator = 0;
    for (int i = 0; i < kRatioDepths; ++i) {
        const double z = m_own.bottom + m_own.height * i / (kRatioDepths - 1);
        double rho = 0.0;
        double rhoFy = 0.0;
        indicator |= GetTransverseRatioAt(z, rho, rhoFy);
        rhoMax = std::max(rhoMax, rho);
        rhoFyMax = std::max(rhoFyMax, rhoFy);
    }
    return indicator;
}

// The shear depth d_v = max(0.9 d, 0.72 h) is measured from the face's steel; b_v is the least
// width between that steel and 0.9 d beyond it. The crack spacing s_xe = 35 d_v / (16 + a_g)
// (a_g in mm) is limited to 300 mm when the stirrups reach the minimum
// rho fy >= 0.06 sqrt(f'c) (MPa, f'c at most 64 MPa under the root).
int TBeam::GetShearDepthAndWidth(
    double& bv, double& d, double& rhoV, double& fyV, double& sxe, double& zBv, int face) const
{
    double zs = 0.0;
    double as = 0.0;
    double fys = 0.0;
    GetSteelCentroid(zs, as, fys, face);
    double zLim = 0.0;
    if (face != 0) {
        d = m_own.top - zs;
        zLim = zs + 0.9 * d;
    } else {
        d = zs - m_own.bottom;
        zLim = zs - 0.9 * d;
    }
    const double dv = std::max(0.9 * d, 0.72 * m_own.height);

    bv = 1e6;
    zBv = 0.0;
    for (double z : {zs, zLim}) {
        const double w = GetWidthAt(z);
        if (w < bv) {
            bv = w;
            zBv = z;
        }
    }
    const double zHi = std::max(zs, zLim);
    const double zLo = std::min(zs, zLim);
    for (int i = 0; i < GetRegionCount(); ++i) {
        const ConcreteRegionRec& r = *GetRegion(i);
        if (r.top < zHi && r.topWidth < bv) {
            bv = r.topWidth;
            zBv = r.top;
        }
        if (r.bottom > zLo && r.bottomWidth < bv) {
            bv = r.bottomWidth;
            zBv = r.bottom;
        }
        if (std::fabs(r.topWidth - bv) <= kModifiedTolerance &&
            std::fabs(r.bottomWidth - bv) <= kModifiedTolerance)
            zBv = (r.top + r.bottom) / 2.0;
    }

    double rhoFy = 0.0;
    if (m_own.shapeCode == kBeamCircleShape) {
        bv = m_own.height;
        zBv = 0.0;
    }
    GetTransverseRatioAt(zBv, rhoV, rhoFy);
    fyV = rhoV > 0.0 ? rhoFy / rhoV : 0.0;

    double fc = 0.0;
    double aggregate = 0.0;
    if (m_own.mainConcreteType >= 0 && m_own.mainConcreteType < GetConcreteTypeCount()) {
        const ConcreteTypeRec& main = *GetConcreteType(m_own.mainConcreteType);
        fc = main.fc;
        aggregate = EffectiveAggregateSize(main.fc, main.aggregate);
    }
    sxe = 35.0 * dv / (16.0 + 1000.0 * aggregate);
    const double minimumStirrups = 0.06 * std::min(std::sqrt(std::fabs(fc) * 1e-6), 8.0) * 1e6;
    if (rhoFy >= minimumStirrups)
        sxe = std::min(sxe, 0.3);
    return 1;
}

ShearDepthAndWidth TBeam::GetShearDepthAndWidth(int face) const
{
    ShearDepthAndWidth s;
    GetShearDepthAndWidth(s.bv, s.d, s.rhoV, s.fyV, s.sxe, s.zBv, face);
    return s;
}

// ---- Layer ratios and the Hsu check --------------------------------------------------------

int TBeam::SetLayerRatios()
{
    auto& longLayers = LongLayers(0);
    double aTop = 0.0;
    double aBottom = 0.0;
    for (const auto& layer : longLayers) {
        if (layer.z > 0.0) {
            aTop += layer.A;
        } else if (layer.z < 0.0) {
            aBottom += layer.A;
        } else {
            aTop += layer.A / 2.0;
            aBottom += layer.A / 2.0;
        }
    }
    const double effectiveArea = 0.8 * m_own.gross.area;
    const double rhoTop = effectiveArea > 0.0 ? aTop / effectiveArea : 0.01;
    const double rhoBottom = effectiveArea > 0.0 ? aBottom / effectiveArea : 0.01;
    for (auto& layer : longLayers) {
        if (layer.z > 0.0)
            layer.ratio = rhoTop;
        else if (layer.z < 0.0)
            layer.ratio = rhoBottom;
        else
            layer.ratio = (rhoTop + rhoBottom) / 2.0;
    }

    auto& transLayers = TransLayers(2);
    for (auto& layer : transLayers) {
        double value = 0.0;
        double rhoFy = 0.0;
        if (m_own.shapeCode == kBeamCircleShape) {
            double rho = 0.0;
            const int flag =
                GetTransverseRatioAt((layer.disttop + layer.distbot) / 2.0, rho, rhoFy);
            value = std::max(rho, static_cast<double>(flag));
        } else {
            for (int k = 0; k <= 10; ++k) {
                double rho = 0.0;
                GetTransverseRatioAt(layer.distbot + (layer.disttop - layer.distbot) * k / 10.0,
                                     rho,
                                     rhoFy);
                value = std::max(value, rho);
            }
        }
        // The indicator's 1 is not a ratio.
        layer.ratio = value == 1.0 ? 0.001 : value;
    }
    return 1;
}

int TBeam::CheckHsuConcrete(int d)
{
    g_HsuEmbeddedSteel = 0;
    const ConcreteTypeRec* main = nullptr;
    if (m_own.mainConcreteType >= 0 && m_own.mainConcreteType < GetConcreteTypeCount())
        main = GetConcreteType(m_own.mainConcreteType);
    const bool hsu = main != nullptr && IsHsuFamily(*main);
    // The entry's steel key is not the beam's to set: it keeps the one it has.
    const int32_t fyKey = d >= 0 && d < static_cast<int>(HsuDataTable.size())
                              ? HsuDataTable[static_cast<std::size_t>(d)].fyKey
                              : 0;
    if (!hsu)
        return SetHsuData(1.0, 45.0, 0.01, 0.0, 0.0, fyKey, d);

    if (GetConcreteTypeCount() > 1)
        ShowMessage("Stand Back!  Hsu concrete gets into trouble with more than one concrete type!",
                    kProgramCaption,
                    MsgStyle::Ok | MsgStyle::IconExclamation);
    double ratio = 0.0;
    if (d == 0) {
        const double mid = (m_own.top + m_own.bottom) / 2.0;
        double below = 0.0;
        for (const auto& layer : LongLayers(0)) {
            if (layer.z < mid)
                below += layer.A;
        }
        if (m_own.gross.area > 0.0)
            ratio = 2.0 * below / m_own.gross.area;
    } else if (d == 2) {
        const auto& layers = TransLayers(2);
        if (layers.empty()) {
            ratio = 0.0001;
        } else {
            double narrowest = 1e30;
            for (int i = 0; i < GetRegionCount(); ++i) {
                const ConcreteRegionRec& r = *GetRegion(i);
                narrowest = std::min({narrowest, r.topWidth, r.bottomWidth});
            }
            const TransLayerRec& first = layers.front();
            if (GetRegionCount() > 0 && narrowest > 0.0 && first.space > 0.0)
                ratio = first.A / narrowest / first.space;
        }
    } else {
        ReportBadDirection("CheckHsuConcrete", d);
        ratio = 0.01;
    }
    ratio = std::max(ratio, 0.0001);
    if (main->softening == SofteningCode::ZhuHsuLee2001)
        ratio = std::max(ratio, 0.005);
    return SetHsuData(0.001, 45.0, ratio, main->ft, main->softening, fyKey, d);
}

// ---- Stirrup-enclosed width ----------------------------------------------------------------

double TBeam::NarrowestRegionWidthIn(double low, double high, double start) const
{
    double b = start;
    for (int i = 0; i < GetRegionCount(); ++i) {
        const ConcreteRegionRec& r = *GetRegion(i);
        if (low <= r.top && r.top <= high)
            b = std::min(b, r.topWidth);
        if (low <= r.bottom && r.bottom <= high)
            b = std::min(b, r.bottomWidth);
    }
    return b;
}

// Clear distance from the face to a leg: the cover, or a third of what is left beside two
// bars when the width cannot hold two covers and two bars.
double TBeam::ClearDistanceForLegs(double b, double db) const
{
    int face = 0;
    const double cover = GetMinCover(face);
    return b < 2.0 * cover + 2.0 * db ? (b - 2.0 * db) / 3.0 : cover;
}

double TBeam::GetEffectiveWidthAt(double depth, double a, double) const
{
    double result = -1.0;
    const int count = TStructure::GetTransLayerCount(2);
    int first = 0;
    int last = count - 1;
    double cover = a;
    if (!(a > 0.0)) {
        // a <= 0 selects the single layer -a, with no cover.
        const double index = -a;
        if (!(index >= 0.0 && index < static_cast<double>(count)))
            return result;
        first = last = static_cast<int>(index);
        cover = 0.0;
    }
    for (int i = first; i <= last; ++i) {
        const TransLayerRec& layer = *GetTransLayer(i, 2);
        if (!(layer.distbot <= depth && depth <= layer.disttop))
            continue;
        double half = -1.0;
        if (layer.pattern == kCircularHoop) {
            const double r = (layer.disttop - layer.distbot) / 2.0 - layer.db / 2.0 - cover;
            const double mid = (layer.disttop + layer.distbot) / 2.0;
            if (r > 0.0) {
                const double t = (depth - mid) / r;
                if (std::fabs(t) <= 1.0)
                    half = r * std::cos(std::asin(t)) + cover;
            }
        } else {
            double b =
                std::min(GetWidthAt(std::max(layer.distbot, m_own.bottom)), GetWidthAt(depth));
            if (b < 0.0001)
                b = 1.0;
            b = NarrowestRegionWidthIn(layer.distbot, layer.disttop, b);
            if (layer.A == 0.0)
                continue;
            half = b / 2.0 - ClearDistanceForLegs(b, layer.db) - layer.db;
        }
        result = std::max(result, 2.0 * half);
    }
    return result;
}

// ---- Default strain points -----------------------------------------------------------------

int TBeam::GetDefaultStrainPoints(double& strain1, double& depth1, double& strain2, double& depth2)
{
    const auto yieldStrain = [this](const LongLayerRec& layer) {
        const double es = SteelModulus(layer.type);
        return es > 0.0 ? SteelYield(layer.type) / es : kDefaultTensionStrain;
    };
    const int n = GetLongLayerCount(0);
    if (n == 1) {
        const LongLayerRec& layer = *GetLongLayer(0, 0);
        depth1 = layer.z;
        strain1 = yieldStrain(layer);
    } else if (n == 2) {
        const LongLayerRec& a = *GetLongLayer(0, 0);
        const LongLayerRec& b = *GetLongLayer(1, 0);
        depth1 = std::min(a.z, b.z);
        strain1 = yieldStrain(a);
    } else {
        strain1 = kDefaultTensionStrain;
        depth1 = m_own.bottom;
    }
    strain2 = kDefaultCrushingStrain;
    depth2 = m_own.top;
    return 1;
}

// ---- Drawing positions ---------------------------------------------------------------------

int TBeam::GetLongBarPosition(int i, int j, double& x, double& z) const
{
    if (i < 0 || i >= GetLongLayerCount(0)) {
        ReportBadIndex("GetLongBarPosition", i);
        return 0;
    }
    const LongLayerRec& layer = *GetLongLayer(i, 0);
    z = layer.z;
    // A layer whose circle has no record stands where a plain layer's bars do.
    if (const ReinfPatternRec* circle =
            layer.pattern == kCircularPattern ? PatternRecordOf(*this, layer, 0) : nullptr) {
        const ReinfPatternRec& pattern = *circle;
        const double r = pattern.radius < 0.0001 ? 0.01 : pattern.radius;
        const double t = (z - pattern.centre) / r;
        // r sin(asin t - pi/2) = -r sqrt(1 - t^2): the bar on the circle at that depth.
        x = std::fabs(t) <= 1.0 ? -r * std::sqrt(1.0 - t * t) : 0.0;
        if (j != 0)
            x = -x;
        return 1;
    }
    const int n = layer.num;
    const double db = layer.db;
    const double b = std::min(GetWidthAtSide(z - db / 2.0, 1), GetWidthAtSide(z + db / 2.0, 0));
    const double w = GetEffectiveWidthAt(z, db / 2.0, 0.0);
    if (n == 1)
        return 1;
    // The count is taken as a double: n + 1 and n - 1 must not overflow for any stored count.
    const double count = n;
    if (w != -1.0 && count * db < w && w / b > 0.3)
        x = (w - db) * j / (count - 1.0) - w / 2.0 + db / 2.0;
    else
        x = (j + 1.0) * b / (count + 1.0) - b / 2.0 + db / 2.0;
    return 1;
}

int TBeam::GetTransLegPosition(int i, double t, double& x, double& z) const
{
    if (i < 0 || i >= TStructure::GetTransLayerCount(2)) {
        ReportBadIndex("GetTransLegPosition", i);
        return 0;
    }
    const TransLayerRec& layer = *GetTransLayer(i, 2);
    if (layer.pattern == kCircularHoop) {
        const double r = (layer.disttop - layer.distbot) / 2.0;
        x = r * std::sin(std::numbers::pi * t);
        z = r * std::cos(std::numbers::pi * t) + (layer.disttop + layer.distbot) / 2.0;
        return 1;
    }
    double b = std::min(GetWidthAt(layer.disttop), GetWidthAt(layer.distbot));
    if (b < 0.0001)
        b = 1.0;
    b = NarrowestRegionWidthIn(layer.distbot, layer.disttop, b);
    if (layer.A != 0.0) {
        x = b / 2.0 - ClearDistanceForLegs(b, layer.db);
        z = layer.distbot + (layer.disttop - layer.distbot) * t;
    }
    return 1;
}
