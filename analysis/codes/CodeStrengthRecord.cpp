// The working record of the design-code strength: loads, materials, the flexural steel and
// concrete of the tension side, the shear depth, web width and crack spacing of the section.

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/codes/CodeMath.h"
#include "analysis/codes/CodeStrength.h"
#include "analysis/codes/CodeTables.h"
#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"

CodeLoadPath g_CodeLoadPath;

namespace {

// A layer this close to mid-height counts half to each side (m).
constexpr double kMidTolerance = 1e-5;
// A layer with at least this prestrain is a tendon.
constexpr double kTendonPrestrain = 1e-6;
// Widths below this are taken as missing when the web width is sought (m).
constexpr double kLeastWidth = 0.0002;
// Largest crack spacing inside the AASHTO-2000 tables (m).
constexpr double kMaxTableSpacing = 2.0;
constexpr double kLastTableSpacing = 1.9999;
// Crack spacing with at least minimum stirrups (m).
constexpr double kMinimumStirrupSpacing = 0.3;

// Share of a layer's area on the tension side (tensionSide) or the compression side.
double SideWeight(const LongLayerRec& layer, double mid, bool tensionSide)
{
    if (std::fabs(layer.z - mid) < kMidTolerance)
        return layer.A / 2.0;
    const bool below = layer.z < mid;
    const bool tensionBelow = g_CodeLoadPath.momentSign > 0.0;
    return (below == tensionBelow) == tensionSide ? layer.A : 0.0;
}

// Locked-in stress of a layer: its steel law at the prestrain less the thermal and
// time-dependent strains, from an unyielded state.
double LockedInStress(const LongLayerRec& layer, const SteelTypeRec& steel)
{
    return SteelStress(steel, layer.dep - layer.thermStrain - layer.timeStrain, 0.0);
}

// Area of the part of a region on the tension side of mid-height.
double TensionSideArea(const ConcreteRegionRec& r, double mid)
{
    const bool below = g_CodeLoadPath.momentSign > 0.0;
    const double lo = below ? r.bottom : std::max(r.bottom, mid);
    const double hi = below ? std::min(r.top, mid) : r.top;
    if (!(hi > lo))
        return 0.0;
    const double height = r.top - r.bottom;
    auto width = [&](double z) {
        return height > 0.0 ? r.bottomWidth + (r.topWidth - r.bottomWidth) * (z - r.bottom) / height
                            : (r.topWidth + r.bottomWidth) / 2.0;
    };
    return (width(hi) + width(lo)) * (hi - lo) / 2.0;
}

// The steel type of a layer; null (after the model's message) for a missing layer or type.
const SteelTypeRec* LayerSteel(const TBeam& beam, const LongLayerRec* layer)
{
    return layer != nullptr ? beam.GetSteelType(layer->type) : nullptr;
}

} // namespace

void SumFlexuralReinforcement(const TBeam& beam, CodeStrengthRecord& rec, double& centroid)
{
    const double mid = (beam.GetTop() + beam.GetBottom()) / 2.0;
    double sumFy = 0.0;
    double sumFpy = 0.0;
    double sumFpo = 0.0;
    double sumZ = 0.0;
    rec.As = rec.Aps = rec.sumEA = rec.ApsFpoComp = 0.0;
    centroid = 0.0;
    const int n = beam.GetLongLayerCount(0);
    for (int i = 0; i < n; ++i) {
        const LongLayerRec* layer = beam.GetLongLayer(i, 0);
        const SteelTypeRec* steel = LayerSteel(beam, layer);
        if (steel == nullptr)
            continue;
        const bool tendon = std::fabs(layer->dep) >= kTendonPrestrain;
        const double w = SideWeight(*layer, mid, true);
        rec.sumEA += steel->Es * w;
        sumZ += layer->z * w;
        if (tendon) {
            rec.Aps += w;
            sumFpy += steel->fy * w;
            sumFpo += LockedInStress(*layer, *steel) * w;
        } else {
            rec.As += w;
            sumFy += steel->fy * w;
        }
    }
    for (int i = 0; i < n; ++i) {
        const LongLayerRec* layer = beam.GetLongLayer(i, 0);
        const SteelTypeRec* steel = LayerSteel(beam, layer);
        if (steel != nullptr && std::fabs(layer->dep) >= kTendonPrestrain)
            rec.ApsFpoComp += LockedInStress(*layer, *steel) * SideWeight(*layer, mid, false);
    }
    rec.fy = rec.As > 0.0 ? sumFy / rec.As : sumFy;
    rec.fpy = rec.Aps > 0.0 ? sumFpy / rec.Aps : sumFpy;
    rec.fpo = rec.Aps > 0.0 ? sumFpo / rec.Aps : sumFpo;
    if (rec.As + rec.Aps > 0.0)
        centroid = sumZ / (rec.As + rec.Aps);
}

double ComputeTensionSideStiffness(const TBeam& beam, CodeStrengthRecord& rec)
{
    const double mid = (beam.GetTop() + beam.GetBottom()) / 2.0;
    double act = 0.0;
    double ecAct = 0.0;
    for (int i = 0; i < beam.GetRegionCount(); ++i) {
        const ConcreteRegionRec* region = beam.GetRegion(i);
        if (region == nullptr)
            continue;
        const double area = TensionSideArea(*region, mid);
        const ConcreteTypeRec* type = beam.GetConcreteType(region->concreteType);
        act += area;
        ecAct += area * (type ? type->Ec : 0.0);
    }
    rec.Acc = beam.GetGrossArea() - act;
    rec.sumEAc = rec.sumEA + ecAct;
    rec.Fe = rec.sumEAc != 0.0 ? rec.sumEA / rec.sumEAc : 0.0;
    if (std::fabs(rec.Fe) < 1e-6)
        rec.Fe = 1e-6;
    return rec.Fe;
}

void ComputeShearDepthAndWidth(const TBeam& beam, CodeStrengthRecord& rec, double centroid)
{
    const double s = g_CodeLoadPath.momentSign;
    const double top = beam.GetTop();
    const double bottom = beam.GetBottom();
    const double h = beam.GetHeight();
    const double d = s > 0.0 ? top - centroid : centroid - bottom;
    rec.dv = std::max(0.9 * d, 0.72 * h);
    const double zv = s > 0.0 ? centroid + rec.dv : centroid - rec.dv;

    // The least width between the tension steel and the far end of d_v.
    const double face = std::min(beam.GetWidthAt(s > 0.0 ? top : bottom), 1e6);
    rec.bv = std::min(face, beam.GetWidthAt(centroid));
    if (rec.bv < kLeastWidth)
        rec.bv = beam.GetWidthAt((top + bottom) / 2.0);
    const double lo = std::min(centroid, zv);
    const double hi = std::max(centroid, zv);
    for (int i = 0; i < beam.GetRegionCount(); ++i) {
        const ConcreteRegionRec* r = beam.GetRegion(i);
        if (r == nullptr)
            continue;
        if (lo < r->top && r->top < hi && r->topWidth <= rec.bv)
            rec.bv = r->topWidth;
        if (lo < r->bottom && r->bottom < hi && r->bottomWidth <= rec.bv)
            rec.bv = r->bottomWidth;
    }
    if (beam.GetSectionKindCode() == kBeamCircleShape) {
        double rho = 0.0;
        rec.bv = h;
        beam.GetTransverseRatioAt(0.0, rho, rec.rhoVFy);
    }

    // Crack spacing: d_v, or the widest vertical gap between the bars (the faces included)
    // when that is smaller.
    std::vector<double> z;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i)
        if (const LongLayerRec* layer = beam.GetLongLayer(i, 0))
            z.push_back(layer->z);
    rec.sxe = rec.dv;
    if (!z.empty()) {
        std::sort(z.begin(), z.end());
        double gap = std::max(z.front() - bottom, top - z.back());
        for (std::size_t i = 1; i < z.size(); ++i)
            gap = std::max(gap, z[i] - z[i - 1]);
        if (gap > 0.0 && gap < rec.dv)
            rec.sxe = gap;
    }
}

int BuildCodeStrengthRecord(const TBeam& beam, int variant, CodeStrengthRecord& rec)
{
    rec = CodeStrengthRecord{};
    double inc[3] = {};
    double con[3] = {};
    beam.GetIncrementLoads(inc, 3);
    beam.GetConstantLoads(con, 3);
    rec.Ni = inc[0], rec.Mi = inc[1], rec.Vi = std::fabs(inc[2]);
    rec.Nc = con[0], rec.Mc = con[1], rec.Vc0 = con[2];
    // A purely axial load path gets a unit moment increment first, so that it has a side.
    if (rec.Vi == 0.0 && rec.Mi == 0.0 && std::fabs(rec.Ni) > 0.0)
        rec.Mi = 1.0;
    g_CodeLoadPath.momentSign = rec.Mi <= 0.0 ? 1.0 : -1.0;

    const ConcreteTypeRec* concrete = beam.GetConcreteType(beam.GetMainConcreteType());
    rec.fc = concrete ? -concrete->fc : 0.0;
    double rho = 0.0;
    beam.GetMaxTransverseRatio(rho, rec.rhoVFy);

    double centroid = 0.0;
    SumFlexuralReinforcement(beam, rec, centroid);
    rec.Tcap = rec.fy * rec.As + rec.fpy * rec.Aps;
    ComputeTensionSideStiffness(beam, rec);
    ComputeShearDepthAndWidth(beam, rec, centroid);

    if (variant == kAashto2000 || variant == kCsa2014) {
        const double ag =
            concrete ? EffectiveAggregateSize(concrete->fc, concrete->aggregate) : 0.0;
        rec.sxe *= 35.0 / (16.0 + 1000.0 * ag);
        if (variant == kAashto2000 && rec.sxe > kMaxTableSpacing)
            rec.sxe = kLastTableSpacing;
    }
    const double minimum = 0.06 * RootMPa(rec.fc);
    rec.belowMinimum = 1;
    if (rec.rhoVFy > minimum) {
        rec.sxe = std::min(rec.sxe, kMinimumStirrupSpacing);
        rec.belowMinimum = 0;
    }
    rec.sideCover = rec.rhoVFy > 11.0 * minimum && (beam.GetWidthAt(beam.GetTop()) <= rec.bv ||
                                                    beam.GetWidthAt(beam.GetBottom()) <= rec.bv)
                        ? 1
                        : 0;

    rec.Nf = rec.Nc;
    if (std::fabs(rec.Vi) > 0.001)
        g_CodeLoadPath.axialRatio = rec.Ni / rec.Vi;
    else
        g_CodeLoadPath.axialRatio = rec.Ni > 1000.0 ? 1e6 : rec.Ni < -1000.0 ? -1e6 : 0.0;

    // Vertical component of the prestressing forces of draped tendons.
    rec.Vp = 0.0;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        const LongLayerRec* layer = beam.GetLongLayer(i, 0);
        const SteelTypeRec* steel = LayerSteel(beam, layer);
        if (steel != nullptr)
            rec.Vp += LockedInStress(*layer, *steel) * layer->A * std::sin(std::atan(layer->drape));
    }
    rec.compressionLimit = 0;
    if (variant == kAashto94 || variant == kAashto2000)
        LoadCodeTables(rec, variant);
    return 1;
}
