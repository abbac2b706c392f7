// TStructure: the depth profiles built from the reinforcement: the bond terms of the
// longitudinal layers, the crack spacings of each direction, the tension-stiffening factors,
// the concrete area between two depths and the strain discontinuity lookup.
//
// Crack spacing (m) at a depth follows the bar spacing s and the distance d to the nearest
// layer: sqrt(4 d^2 + s^2) plus the layer's bond term k = dm 0.1 Ac / Sw, where dm is the
// weighted mean bar diameter around the layer, Ac the concrete area of the band of 7.5 dm to
// each side and Sw the weighted bar area. It is never below the concrete's maximum aggregate
// size (taken within 2 to 25 mm) and never above five times the height.

#include <algorithm>
#include <cmath>
#include <vector>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/TStructure.h"

namespace {

constexpr double kMinAggregate = 0.002;
constexpr double kMaxAggregate = 0.025;

// Area of one region's part of [lo, hi] by the four trapezoid cases: wholly inside, spanning
// the range, cut by hi, cut by lo. W(y, side) is the section width at y.
template <typename Width>
double RegionAreaInRange(const ConcreteRegionRec& r, double lo, double hi, bool checked, Width W)
{
    const auto part = [checked](double w1, double w2, double length) {
        if (!checked)
            return (w1 + w2) / 2.0 * length;
        if (!(length > 0.0))
            return 0.0;
        return std::max((w1 + w2) / 2.0 * length, 0.0);
    };
    if (r.top <= hi && r.bottom >= lo)
        return part(r.topWidth, r.bottomWidth, r.top - r.bottom);
    if (r.top > hi && r.bottom < lo)
        return part(W(hi, 1), W(lo, 0), hi - lo);
    if (r.top > hi && lo <= r.bottom && r.bottom <= hi)
        return part(W(hi, 1), r.bottomWidth, hi - r.bottom);
    if (r.top <= hi && r.top >= lo && r.bottom < lo)
        return part(W(lo, 0), r.topWidth, r.top - lo);
    return 0.0;
}

} // namespace

double TStructure::ConcreteAreaBetween(double y1, double y2) const
{
    const double lo = std::min(y1, y2);
    const double hi = std::max(y1, y2);
    const auto width = [this](double y, int side) { return GetWidthAtSide(y, side); };
    double area = 0.0;
    for (const auto& r : m_regions)
        area += RegionAreaInRange(r, lo, hi, false, width);
    return area;
}

double TStructure::AggregateAt(double y) const
{
    // Sampled at many depths: a depth without concrete is reported once by whoever reads or
    // solves the structure, not here at each sample.
    const ConcreteTypeRec* type = FindConcreteTypeAt(y);
    const double size = type != nullptr ? type->aggregate : kMinAggregate;
    return std::clamp(size, kMinAggregate, kMaxAggregate);
}

int TStructure::BuildDepthProfiles()
{
    if (CheckFrozen())
        return 0;
    if (GetHeight() == 0.0)
        return 1;
    const int directions = std::min(GetLongDirectionCount(), 2);
    for (int d = 0; d < directions; ++d) {
        ComputeLayerBondTerms(d);
        BuildLongCrackSpacingProfile(d, GetCrackSpacing(d));
    }
    for (int d = 2; d >= std::max(TopTransDirection(), 0); --d)
        BuildTransCrackSpacingProfile(d, GetCrackSpacing(d));
    return 1;
}

int TStructure::ComputeLayerBondTerms(int direction)
{
    if (CheckFrozen())
        return 0;
    if (direction < 0 || direction > 1)
        return 0;
    const auto& layers = LongLayers(direction);
    const double bottom = GetBottom();
    const double top = GetTop();
    const bool membrane = IsMembrane();
    const auto width = [this](double y, int side) { return GetWidthAtSide(y, side); };
    for (int i = 0; i < static_cast<int>(layers.size()); ++i) {
        const LongLayerRec& layer = layers[static_cast<std::size_t>(i)];
        if (layer.z < bottom || layer.z > top) {
            SetLongLayerState(i, 0.0001, direction);
            continue;
        }
        if (layer.A <= 0.0)
            continue;
        double sw = 0.0;
        double sd = 0.0;
        for (const auto& other : layers) {
            const double dz = std::fabs(other.z - layer.z);
            // Distance in bar diameters, full weight at the layer, none beyond 15 diameters.
            const double reach =
                other.db > 0.0 ? std::min(dz / other.db, 15.0) : (dz == 0.0 ? 0.0 : 15.0);
            double w = (15.0 - reach) / 15.0 * other.A;
            if (membrane)
                w = other.space > 0.0 && other.space < 100.0 ? w / other.space : 0.0;
            sw += w;
            sd += other.db * w;
        }
        if (!(sw > 0.0)) {
            ShowMessage(StrPrintf("No bar weight around layer %d; bond term set to 0.3", i),
                        kProgramCaption,
                        MsgStyle::Ok | MsgStyle::IconExclamation);
            SetLongLayerState(i, 0.3, direction);
            continue;
        }
        const double dm = sd / sw;
        const double lo = std::max(bottom, layer.z - 7.5 * dm);
        const double hi = std::min(top, layer.z + 7.5 * dm);
        double ac = 0.0;
        for (const auto& r : m_regions)
            ac += RegionAreaInRange(r, lo, hi, true, width);
        SetLongLayerState(i, dm * 0.1 * ac / sw, direction);
    }
    return 1;
}

// The nearest layers to a depth and the bars grouped with a layer, found through the layers
// ordered by elevation rather than by a scan of every layer at every depth: a profile has six
// depths per layer, so a scan made a section of thousands of layers take minutes to validate.
// The choices are the scan's own: the least distance as computed, the first layer in list
// order among equal distances. Layers at a NaN elevation are never the nearest.
struct TStructure::LayerOrder {
    explicit LayerOrder(const std::vector<LongLayerRec>& list) : layers(list), groups(list.size(), -1.0)
    {
        for (int i = 0; i < static_cast<int>(list.size()); ++i) {
            const LongLayerRec& layer = list[static_cast<std::size_t>(i)];
            if (!std::isnan(layer.z))
                byZ.push_back(i);
            if (layer.db > widestBar)
                widestBar = layer.db;
        }
        // By elevation, then by list position.
        std::sort(byZ.begin(), byZ.end(), [this](int a, int b) { return Z(a) < Z(b) || (Z(a) == Z(b) && a < b); });
        // Runs of one elevation, each starting at its first layer in list order.
        runBegin.assign(byZ.size(), 0);
        runEnd.assign(byZ.size(), 0);
        for (std::size_t k = 1; k < byZ.size(); ++k)
            runBegin[k] = Z(byZ[k - 1]) == Z(byZ[k]) ? runBegin[k - 1] : k;
        for (std::size_t k = byZ.size(); k-- > 0;)
            runEnd[k] = k + 1 < byZ.size() && Z(byZ[k + 1]) == Z(byZ[k]) ? runEnd[k + 1] : k + 1;
    }

    double Z(int i) const { return layers[static_cast<std::size_t>(i)].z; }

    // The layer with y <= z < top at the least z - y; -1 when none.
    int Above(double y, double top, double& distance) const
    {
        if (std::isnan(y))
            return -1;
        std::size_t k = static_cast<std::size_t>(
            std::lower_bound(byZ.begin(), byZ.end(), y, [this](int i, double v) { return Z(i) < v; }) - byZ.begin());
        if (k == byZ.size() || !(Z(byZ[k]) < top))
            return -1;
        distance = Z(byZ[k]) - y;
        int best = byZ[k];
        // Distinct elevations can round to the same distance: the first in list order wins.
        for (k = runEnd[k]; k < byZ.size() && Z(byZ[k]) < top && Z(byZ[k]) - y == distance; k = runEnd[k])
            best = std::min(best, byZ[k]);
        return best;
    }

    // The layer with bottom < z <= y at the least y - z; -1 when none.
    int Below(double y, double bottom, double& distance) const
    {
        if (std::isnan(y))
            return -1;
        std::size_t k = static_cast<std::size_t>(
            std::upper_bound(byZ.begin(), byZ.end(), y, [this](double v, int i) { return v < Z(i); }) - byZ.begin());
        if (k == 0 || !(Z(byZ[k - 1]) > bottom))
            return -1;
        std::size_t first = runBegin[k - 1];
        distance = y - Z(byZ[first]);
        int best = byZ[first];
        while (first > 0 && Z(byZ[first - 1]) > bottom && y - Z(byZ[first - 1]) == distance) {
            first = runBegin[first - 1];
            best = std::min(best, byZ[first]);
        }
        return best;
    }

    // Bars of layer i and of every layer within one bar diameter of it (at least 1).
    double GroupCount(int i) const
    {
        double& count = groups[static_cast<std::size_t>(i)];
        if (count >= 0.0)
            return count;
        const LongLayerRec& li = layers[static_cast<std::size_t>(i)];
        long long bars = li.num;
        const double reach = li.db > widestBar ? li.db : widestBar;  // a NaN diameter reaches as the widest
        const auto within = [&](int j) {
            const LongLayerRec& lj = layers[static_cast<std::size_t>(j)];
            const double dz = std::fabs(lj.z - li.z);
            if (!(dz < reach))
                return false;
            if (j != i && (dz < li.db || dz < lj.db))
                bars += lj.num;
            return true;
        };
        if (!std::isnan(li.z)) {
            const auto at = std::lower_bound(byZ.begin(), byZ.end(), li.z, [this](int j, double v) { return Z(j) < v; });
            const std::size_t k = static_cast<std::size_t>(at - byZ.begin());
            for (std::size_t m = k; m < byZ.size() && within(byZ[m]); ++m) {
            }
            for (std::size_t m = k; m > 0 && within(byZ[m - 1]); --m) {
            }
        }
        count = static_cast<double>(std::max(bars, 1LL));
        return count;
    }

    const std::vector<LongLayerRec>& layers;
    std::vector<int> byZ;
    std::vector<std::size_t> runBegin, runEnd;
    double widestBar = 0.0;
    mutable std::vector<double> groups;
};

double TStructure::LongCrackSpacingAt(double y, int direction) const
{
    if (direction < 0 || direction > 1)
        return 0.0;
    return LongCrackSpacingAt(y, LayerOrder(m_longLayers[static_cast<std::size_t>(direction)]));
}

double TStructure::LongCrackSpacingAt(double y, const LayerOrder& order) const
{
    const double bottom = GetBottom();
    const double top = GetTop();
    y = std::clamp(y, std::min(bottom, top), std::max(bottom, top));
    if (m_concreteTypes.empty())
        return 0.0;
    const double h5 = 5.0 * GetHeight();
    const auto& layers = order.layers;

    double da = 0.0;
    double dbDist = 0.0;
    const int above = order.Above(y, top, da);
    const int below = order.Below(y, bottom, dbDist);
    // The spacing of the later of the two in list order.
    const int last = std::max(above, below);
    const double lastSpace = last >= 0 ? layers[static_cast<std::size_t>(last)].space : 0.0;
    double spacing = h5;
    if (above >= 0 || below >= 0) {
        const bool membrane = IsMembrane();
        const auto candidate = [&](int i, double dist, int side) {
            if (i < 0)
                return kUndefined;
            const LongLayerRec& layer = layers[static_cast<std::size_t>(i)];
            const double w = GetWidthAtSide(layer.z, side);
            if (!(w > 0.0))
                return kUndefined;
            const double s = membrane ? lastSpace : w / order.GroupCount(i);
            return std::sqrt(4.0 * dist * dist + s * s) + layer.bondTerm;
        };
        spacing = std::min({candidate(above, da, 1), candidate(below, dbDist, 0), h5});
    }
    return std::max(spacing, AggregateAt(y));
}

int TStructure::BuildLongCrackSpacingProfile(int direction, double spacing)
{
    if (direction < 0 || direction > 1)
        return 0;
    const double top = GetTop();
    const double bottom = GetBottom();
    TDepthTable profile(PositionVariableName(direction));
    if (spacing > 0.0) {
        profile.Add(top, spacing);
        profile.Add(bottom, spacing);
        return SetCrackSpacingCurve(profile, direction);
    }
    std::vector<double> breaks;
    for (const auto& layer : LongLayers(direction))
        breaks.push_back(layer.z);
    if (!m_regions.empty())
        breaks.push_back(m_regions.front().top);
    for (const auto& r : m_regions)
        breaks.push_back(r.bottom);
    std::sort(breaks.begin(), breaks.end(), std::greater<>());

    static constexpr double kFractions[] = {0.0, 0.1, 0.25, 0.5, 0.75, 0.9};
    const LayerOrder order(LongLayers(direction));
    profile.Add(kUndefined, 0.0);
    for (std::size_t k = 0; k + 1 < breaks.size(); ++k) {
        for (double f : kFractions) {
            const double y = (1.0 - f) * breaks[k] + f * breaks[k + 1];
            profile.Add(y, LongCrackSpacingAt(y, order));
        }
    }
    profile.Add(bottom, LongCrackSpacingAt(bottom, order));
    profile.Add(-kUndefined, 0.0);
    profile.Sort(1);
    return SetCrackSpacingCurve(profile, direction);
}

double TStructure::TransCrackSpacingAt(double y, int side, int direction) const
{
    const double a = AggregateAt(y);
    const double h5 = 5.0 * GetHeight();
    const double w = GetWidthAtSide(y, side);
    // No width, no concrete below the depth or no layers: five heights, without the
    // aggregate floor that a spacing from the layers gets.
    if (direction < 0 || direction > 2)
        return h5;
    const auto& layers = m_transLayers[static_cast<std::size_t>(direction)];
    if (!(w > 0.0) || y <= GetBottom() || layers.empty())
        return h5;
    const double n = static_cast<double>(layers.size());
    const bool membrane = IsMembrane();
    double sr = 0.0;
    double sdb = 0.0;
    double ss = 0.0;
    for (const auto& layer : layers) {
        if (!(layer.distbot <= y && y <= layer.disttop && layer.space > 0.0))
            continue;
        double r = layer.A / layer.space / w;
        if (layer.pattern == kCircularHoop) {
            const double half = (layer.disttop - layer.distbot) / 2.0 + 0.0001;
            const double u =
                std::clamp((y - (layer.disttop + layer.distbot) / 2.0) / half, -1.0, 1.0);
            r *= std::cos(std::asin(u));
        }
        sr += r;
        sdb += layer.db / n;
        ss += (membrane ? std::sqrt(layer.space) : layer.space) / n;
    }
    double s = h5;
    if (sr > 0.0) {
        const double x = membrane ? ss : w - 0.1;
        s = std::sqrt(x * x + ss * ss) + 0.1 * sdb / sr;
    }
    return std::max(a, s);
}

int TStructure::BuildTransCrackSpacingProfile(int direction, double spacing)
{
    if (direction < 0 || direction > 2)
        return 0;
    TDepthTable profile(PositionVariableName(direction));
    if (spacing > 0.0) {
        profile.Add(GetTop(), spacing);
        profile.Add(GetBottom(), spacing);
        return SetCrackSpacingCurve(profile, direction);
    }
    const auto f = [this, direction](double y, int side) {
        return TransCrackSpacingAt(y, side, direction);
    };
    const auto& layers = TransLayers(direction);
    const std::size_t regionCount = m_regions.size();
    for (std::size_t k = 0; k < regionCount; ++k) {
        const ConcreteRegionRec& r = m_regions[k];
        if (k == 0) {
            profile.Add(r.top, f(r.top, 1));
        } else {
            const ConcreteRegionRec& upper = m_regions[k - 1];
            if (r.topWidth != upper.bottomWidth) {
                const double y = upper.bottomWidth <= r.topWidth ? r.top - 0.0001 : r.top;
                profile.Add(y, f(y, 1));
            }
        }
        for (const auto& layer : layers) {
            if (layer.disttop > r.bottom && layer.disttop < r.top) {
                for (double y : {std::min(layer.disttop + layer.db, r.top),
                                 std::min(layer.disttop - layer.db, r.top)})
                    profile.Add(y, f(y, 0));
            }
            if (layer.distbot > r.bottom && layer.distbot < r.top) {
                for (double y : {std::max(layer.distbot + layer.db, r.bottom),
                                 std::max(layer.distbot - layer.db, r.bottom)})
                    profile.Add(y, f(y, 0));
            }
        }
        double y = r.bottom;
        if (k + 1 < regionCount && m_regions[k + 1].topWidth < r.bottomWidth - 0.01)
            y = r.bottom + 0.0001;
        profile.Add(y, f(y, 0));
    }
    profile.Sort(1);
    return SetCrackSpacingCurve(profile, direction);
}

std::array<double, kTensionStiffDepths> TStructure::TensionStiffDepths() const
{
    std::array<double, kTensionStiffDepths> depths{};
    const double bottom = GetBottom();
    const double height = GetHeight();
    for (int i = 0; i < kTensionStiffDepths; ++i)
        depths[static_cast<std::size_t>(i)] = bottom + height * i / (kTensionStiffDepths - 1);
    return depths;
}

int TStructure::BuildTensionStiffCurve(int direction)
{
    if (direction < 0 || direction > 1) {
        ReportBadDirection("BuildTensionStiffCurve", direction);
        return 0;
    }
    if (CheckFrozen())
        return 0;
    const auto depths = TensionStiffDepths();
    std::array<double, kTensionStiffDepths> bond{};
    const double bottom = GetBottom();
    const double top = GetTop();
    const bool membrane = IsMembrane();
    double perimeterPerLength = 0.0;
    for (const auto& layer : LongLayers(direction)) {
        const double lo = std::max(layer.z - 7.5 * layer.db, bottom);
        const double hi = std::min(layer.z + 7.5 * layer.db, top);
        const double ac = ConcreteAreaBetween(lo, hi);
        const double perimeter = layer.db * kModelPi * layer.num;
        double p = perimeter / (ac + 1e-6);
        if (membrane) {
            const double w = GetWidthAtSide(layer.z, direction);
            p *= w / (layer.space + 0.0001);
            perimeterPerLength += w * perimeter / (layer.space + 0.0001);
        }
        // A triangle of height about 2.5 p centred on the layer, reaching one crack spacing
        // to each side.
        const double h = GetCrackSpacingAt(layer.z, direction);
        const double k = 2.5 * p / (h + 0.0001);
        for (std::size_t i = 0; i < depths.size(); ++i) {
            const double y = depths[i];
            bond[i] += std::max(0.0, std::min((layer.z + h - y) * k, (y - layer.z + h) * k));
        }
    }
    TDepthTable& factor = GetPositionVariable(kTensionStiffX + direction);
    factor.Clear();
    for (std::size_t i = 0; i < depths.size(); ++i)
        factor.Add(depths[i], 3600.0 / (bond[i] + 0.0001));
    factor.Add(1e6, ConcreteAreaBetween(bottom, top) * 3600.0 / (perimeterPerLength + 0.0001));
    return 1;
}

int TStructure::BuildTransTensionStiffCurve(int direction)
{
    if (CheckFrozen())
        return 0;
    const int variable = direction == 0   ? kTensionStiffX
                         : direction == 1 ? kTensionStiffY
                                          : kTensionStiffZ;
    TDepthTable& factor = GetPositionVariable(variable);
    factor.Clear();
    const std::vector<TransLayerRec>* layers =
        direction >= 0 && direction <= 2 ? &TransLayers(direction) : nullptr;
    if (layers == nullptr)
        ReportBadDirection("BuildTransTensionStiffCurve", direction);
    for (double y : TensionStiffDepths()) {
        double s = 0.0;
        if (layers != nullptr) {
            for (const auto& layer : *layers) {
                // A layer without a spacing (a blank record) has no bars along the member.
                if (!(layer.space > 0.0) || y < layer.distbot || y > layer.disttop)
                    continue;
                s += layer.db * kModelPi * layer.legs /
                     (GetWidthAtSide(y, 0) * layer.space + 0.0001);
            }
        }
        factor.Add(y, 3600.0 / (s + 0.0001));
    }
    return 1;
}

double
TStructure::GetStrainDiscontinuity(const TDepthTable& discontinuity, double depth, int flag) const
{
    if (flag != 0)
        ShowMessage("miscalled discont function", kProgramCaption, MsgStyle::Ok);
    if (depth < GetBottom() || depth > GetTop())
        return 0.0;
    const int count = discontinuity.GetCount();
    if (count <= 2) {
        bool allZero = true;
        for (int i = 0; i < count; ++i)
            allZero = allZero && discontinuity.GetValue(i) == 0.0;
        if (allZero)
            return 0.0;
    }
    return discontinuity.InterpolateAtDepth(depth);
}
