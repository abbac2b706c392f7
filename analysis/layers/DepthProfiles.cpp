#include "analysis/layers/DepthProfiles.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "foundation/Reporter.h"
#include "model/TStructure.h"

namespace {

// Steps of the width profile per section height.
constexpr double kWidthStepsPerHeight = 21.0;
// A region inside the section has at most 21 steps; this bounds the count for odd data.
constexpr double kMaxStepsPerRegion = 1000.0;

// Steps of the distribution shorter than this (m) are the zero-length steps at region
// boundaries; the faces count as reached within it.
constexpr double kSameDepth = 0.0001;
// Smallest width (m) a step is evaluated with.
constexpr double kMinWidth = 0.0001;
// A width-profile point this close above a step (m), with a width differing by more than
// this (m), marks a width jump.
constexpr double kJumpDepth = 0.0005;
constexpr double kJumpWidth = 0.0005;
// Largest first moment (m^3) left at the bottom that counts as closed.
constexpr double kClosingTolerance = 0.00001;
// Smallest mean accepted for the scaling.
constexpr double kMinMean = 0.000001;

// First moment of a trapezoidal strip from zb up to za about the level `about`, its width
// varying linearly from wa at za to wb at zb: a rectangle of width wa plus a triangle of
// width (wb - wa) at zb narrowing to 0 at za.
double StripMoment(double za, double wa, double zb, double wb, double about)
{
    return (za - zb) / 2.0 *
           ((za + zb - 2.0 * about) * wa + (za + 2.0 * zb - 3.0 * about) * (wb - wa) / 3.0);
}

// Centroid depth of the width profile; 0 when it has no area. Strips lying wholly at or
// above the top, or at or below the bottom, count as empty.
double Centroid(const std::vector<DepthPair>& w, double top, double bottom)
{
    double area = 0.0;
    double moment = 0.0;
    for (std::size_t i = 0; i + 1 < w.size(); ++i) {
        const double za = w[i].z;
        const double zb = w[i + 1].z;
        double wa = w[i].v;
        double wb = w[i + 1].v;
        const bool above = za >= top && zb >= top;
        const bool below = za <= bottom + kSameDepth && zb <= bottom + kSameDepth;
        if (above || below)
            wa = wb = 0.0;
        area += (wa + wb) * (za - zb) / 2.0;
        moment += StripMoment(za, wa, zb, wb, bottom);
    }
    return area > 0.0 ? bottom + moment / area : 0.0;
}

// Value of the distribution at a depth just above a width jump: the last pair at that depth,
// else the last pair appended.
double ValueAbove(const TDepthTable& distribution, double z)
{
    const std::vector<DepthPair>& pairs = distribution.Pairs();
    for (std::size_t i = pairs.size(); i-- > 0;)
        if (std::fabs(pairs[i].z - z) < 1e-6)
            return pairs[i].v;
    return pairs.back().v;
}

int ResetToZero(const TStructure& structure, TDepthTable& profile)
{
    profile.Clear();
    profile.Add(structure.GetTop(), 0.0);
    profile.Add(structure.GetBottom(), 0.0);
    profile.SetSorted(true);
    return 1;
}

} // namespace

void BuildWidthProfile(const TStructure& structure, TDepthTable& widths)
{
    widths.Clear();
    const double step = structure.GetHeight() / kWidthStepsPerHeight;
    const int regions = structure.GetRegionCount();
    for (int r = 0; r < regions; ++r) {
        const ConcreteRegionRec* region = structure.GetRegion(r);
        if (region == nullptr)
            continue;
        widths.Add(region->top, region->topWidth);
        double steps = step > 0.0 ? std::trunc((region->top - region->bottom) / step) : 0.0;
        if (!(steps <= kMaxStepsPerRegion))
            steps = steps > 0.0 ? kMaxStepsPerRegion : 0.0;
        for (int j = 1; j <= static_cast<int>(steps); ++j) {
            const double z = region->top - j * step;
            widths.Add(z, structure.GetWidthAtSide(z, 0));
        }
        widths.Add(region->bottom, region->bottomWidth);
    }
    widths.SetSorted(true);
}

void BuildShearStrainDistribution(const TStructure& structure, TDepthTable& distribution)
{
    const double top = structure.GetTop();
    const double height = structure.GetHeight();
    const double bottom = top - height;

    distribution.Clear();
    TDepthTable widthTable;
    BuildWidthProfile(structure, widthTable);
    const std::vector<DepthPair>& w = widthTable.Pairs();
    const double zc = Centroid(w, top, bottom);

    distribution.Add(top, 0.0);
    double q = 0.0; // first moment about the centroid of the section above the current depth
    for (std::size_t i = 0; i + 1 < w.size(); ++i) {
        const double za = w[i].z;
        const double zb = w[i + 1].z;
        if (std::fabs(za - zb) <= kSameDepth)
            continue;
        double wa = std::fabs(w[i].v) < kMinWidth ? kMinWidth : w[i].v;
        double wb = std::fabs(w[i + 1].v) < kMinWidth ? kMinWidth : w[i + 1].v;
        if ((za >= top && zb >= top) || za <= bottom + kSameDepth)
            wa = wb = 0.0;
        // Across a width jump q is continuous, so gamma = q / b changes by the width ratio.
        if (i > 0 && distribution.GetCount() >= 2 && wa > 0.0) {
            const DepthPair& before = w[i - 1];
            if (std::fabs(before.z - za) <= kJumpDepth && std::fabs(before.v - wa) > kJumpWidth)
                distribution.Add(za, ValueAbove(distribution, before.z) * before.v / wa);
        }
        q += StripMoment(za, wa, zb, wb, zc);
        distribution.Add(zb, wb > 0.0 ? q / wb : 0.0);
    }

    if (std::fabs(q) > kClosingTolerance) {
        ShowMessage(kShearNotClosingText, kProgramCaption);
        q = 0.0;
    }
    distribution.Add(structure.GetBottom(), q);
    distribution.SetSorted(true);

    double mean = height > 0.0 ? distribution.Integrate(top, bottom) / height : 0.0;
    if (!(mean >= kMinMean)) {
        ShowMessage(kShearMeanText, kProgramCaption);
        mean = kMinMean;
    }
    distribution.ScaleValues(1.0 / mean);
}

void BuildShearStrainDistribution(const TStructure& structure, DepthProfiles& profiles)
{
    BuildShearStrainDistribution(structure, profiles.ShearStrainDistribution);
}

int ResetClampingStressProfile(const TStructure& structure, TDepthTable& profile)
{
    return ResetToZero(structure, profile);
}

int ResetClampingStressProfile(const TStructure& structure, DepthProfiles& profiles)
{
    return ResetToZero(structure, profiles.ClampingStress);
}

int ResetNonlinearStrainProfile(const TStructure& structure, TDepthTable& profile)
{
    return ResetToZero(structure, profile);
}

int ResetNonlinearStrainProfile(const TStructure& structure, DepthProfiles& profiles)
{
    return ResetToZero(structure, profiles.NonlinearDistribution);
}
