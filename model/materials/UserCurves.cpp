#include "model/materials/UserCurves.h"

#include <cmath>
#include <cstddef>

namespace {

constexpr double kFarStrain = 1e12;
constexpr double kClosingGap = 2e-6;
// The gap of a near closing pair from its neighbour, with room for the rounding of the sum.
constexpr double kNearClosingGap = 3e-6;
constexpr double kMergeStrain = 9.9e-7;
constexpr double kMergeStress = 1000.0;
constexpr double kSeparation = 1e-6;
// Strain within which a given pair counts as lying at the origin.
constexpr double kOriginTolerance = 1e-6;
// Rounding of a strain moved to 1e-6 from its neighbour and compared again.
constexpr double kSeparationRounding = 1e-12;

int Count(const TDepthTable& t)
{
    return t.GetCount();
}

// The pair (0, 0) every cleaned curve holds.
bool IsOrigin(const TDepthTable& t, int i)
{
    return t.GetDepth(i) == 0.0 && t.GetValue(i) == 0.0;
}

} // namespace

int FinishUserCurve(TDepthTable& table)
{
    // Only the closing pairs an earlier finish added go: a pair given far out is the user's.
    if (Count(table) > 0 && table.GetDepth(0) == -kFarStrain && table.GetValue(0) == 0.0)
        table.RemoveAt(0);
    const int last = Count(table) - 1;
    if (last >= 0 && table.GetDepth(last) == kFarStrain && table.GetValue(last) == 0.0)
        table.RemoveAt(last);
    table.Sort(1);
    table.Add(-kFarStrain, 0.0);
    // An empty curve has no range to close; it keeps only the far pairs.
    if (Count(table) > 1) {
        const double largest = table.GetDepth(0);
        const double least = table.GetDepth(Count(table) - 2);
        table.Add(least - kClosingGap, 0.0);
        table.Add(largest + kClosingGap, 0.0);
    }
    table.Add(kFarStrain, 0.0);
    table.Sort(1);
    return 1;
}

FarPairIndices FarClosingPairs(const TDepthTable& table)
{
    FarPairIndices far;
    for (int i = 0; i < Count(table); ++i) {
        if (table.GetValue(i) != 0.0)
            continue;
        if (table.GetDepth(i) == kFarStrain && far.plus < 0)
            far.plus = i;
        else if (table.GetDepth(i) == -kFarStrain)
            far.minus = i;
    }
    // The pair beside a far one, of zero stress and within the gap (and its rounding) of the
    // next given pair, is the near closing pair finishing added there.
    const auto near = [&](int i, int inner) {
        if (i < 0 || inner < 0 || i >= Count(table) || inner >= Count(table) ||
            table.GetValue(i) != 0.0)
            return -1;
        return std::fabs(table.GetDepth(i) - table.GetDepth(inner)) <= kNearClosingGap ? i : -1;
    };
    if (far.plus >= 0)
        far.nearPlus = near(far.plus + 1, far.plus + 2);
    if (far.minus >= 0)
        far.nearMinus = near(far.minus - 1, far.minus - 2);
    if (far.nearPlus >= 0 && far.nearPlus == far.nearMinus)
        far.nearMinus = -1;
    return far;
}

bool CurveCarriesStress(const TDepthTable& table)
{
    for (int i = 0; i < Count(table); ++i)
        if (table.GetValue(i) != 0.0)
            return true;
    return false;
}

int FinishGivenCurve(TDepthTable& table)
{
    const int origin = table.IndexOfDepth(0.0);
    if (origin < 0 || std::fabs(table.GetDepth(origin)) > kOriginTolerance || table.GetValue(origin) != 0.0)
        table.Add(0.0, 0.0);
    return FinishUserCurve(table);
}

int MakeDefaultConcreteCurve(TDepthTable& table, double f)
{
    for (int i = 0; i <= 100; ++i)
        table.Add(-0.004 * i / 100.0, -4.0 * f * i * (100 - i) / 10000.0);
    return FinishUserCurve(table);
}

int MakeDefaultSteelCurve(TDepthTable& table, double fy)
{
    table.Add(0.0, 0.0);
    table.Add(fy / 2e11, fy);
    table.Add(0.1, fy);
    return FinishUserCurve(table);
}

namespace {

// Strains beyond this are the far closing pairs of a finished curve.
constexpr double kFarCurveStrain = 10000.0;
// The near closing pairs lie 2e-6 outside the outermost given pairs, at zero stress.
constexpr double kClosingPairGap = 3e-6;

// The pairs that finishing added: those beyond the far strain, and the outermost pair at
// either end of the rest when it has zero stress and lies within the gap of its inner
// neighbour.
std::vector<bool> ClosingPairs(const TDepthTable& curve)
{
    const int n = curve.GetCount();
    std::vector<bool> closing(static_cast<std::size_t>(n), false);
    std::vector<int> inner;
    for (int i = 0; i < n; ++i) {
        if (std::fabs(curve.GetDepth(i)) > kFarCurveStrain)
            closing[static_cast<std::size_t>(i)] = true;
        else
            inner.push_back(i);
    }
    const auto markEnd = [&](std::size_t end, std::size_t neighbour) {
        const int i = inner[end];
        const int j = inner[neighbour];
        if (curve.GetValue(i) == 0.0 && std::fabs(curve.GetDepth(i) - curve.GetDepth(j)) <= kClosingPairGap)
            closing[static_cast<std::size_t>(i)] = true;
    };
    if (inner.size() >= 2) {
        markEnd(0, 1);
        markEnd(inner.size() - 1, inner.size() - 2);
    }
    return closing;
}

// Whether the lowest pair within the far strains is a near closing pair.
bool ClosedBelow(const TDepthTable& curve)
{
    const std::vector<bool> closing = ClosingPairs(curve);
    for (int i = curve.GetCount() - 1; i >= 0; --i)
        if (std::fabs(curve.GetDepth(i)) <= kFarCurveStrain)
            return closing[static_cast<std::size_t>(i)];
    return false;
}

// The near closing pairs placed again 2e-6 outside the outermost given pairs, as finishing the
// given pairs places them: a given pair the cleaning moved takes its closing pair along, so that
// the curve a document keeps (its given pairs, finished and cleaned) is this curve. With
// closedBelow, the lowest pair is known to close the curve (the pair it closed was turned to
// positive strain, far from it).
void PlaceClosingPairs(TDepthTable& table, bool closedBelow)
{
    const std::vector<bool> closing = ClosingPairs(table);
    std::vector<int> inner;
    for (int i = 0; i < Count(table); ++i)
        if (std::fabs(table.GetDepth(i)) <= kFarCurveStrain)
            inner.push_back(i);
    if (inner.size() < 3)
        return;
    const int first = inner.front(), second = inner[1];
    if (closing[static_cast<std::size_t>(first)])
        table.SetDepth(first, table.GetDepth(second) + kClosingGap);
    const int last = inner.back(), beside = inner[inner.size() - 2];
    if (closedBelow || closing[static_cast<std::size_t>(last)])
        table.SetDepth(last, table.GetDepth(beside) - kClosingGap);
}

} // namespace

void CleanUserCurve(TDepthTable& table, bool innerStrainsPositive)
{
    // Neighbours are taken in strain order, whatever order the pairs came in.
    table.Sort(1);
    for (int i = 0; i + 1 < Count(table);) {
        const double z0 = table.GetDepth(i), v0 = table.GetValue(i);
        const double z1 = table.GetDepth(i + 1), v1 = table.GetValue(i + 1);
        if (std::fabs(z0 - z1) < kMergeStrain && std::fabs(v0 - v1) < kMergeStress) {
            // Merged into the origin, a pair leaves it where it is: an average would move the
            // origin, and the next cleaning would add another and halve the pair again.
            if (IsOrigin(table, i + 1)) {
                table.SetDepth(i, 0.0);
                table.SetValue(i, 0.0);
            } else if (!IsOrigin(table, i)) {
                table.SetDepth(i, (z0 + z1) / 2.0);
                table.SetValue(i, (v0 + v1) / 2.0);
            }
            table.RemoveAt(i + 1);
        } else {
            ++i;
        }
    }
    // A steel's pairs lie at positive strains (its document writes the rows as magnitudes); the
    // pair that closed the curve below a pair so turned closes it below the rest.
    bool closedBelow = false;
    if (innerStrainsPositive) {
        const bool closed = ClosedBelow(table);
        for (int i = 2; i <= Count(table) - 3; ++i) {
            if (table.GetDepth(i) < 0.0) {
                table.SetDepth(i, -table.GetDepth(i));
                closedBelow = closed;
            }
        }
    }
    int origin = -1;
    for (int i = 0; i < Count(table) && origin < 0; ++i) {
        if (IsOrigin(table, i))
            origin = i;
    }
    if (origin < 0)
        table.Add(0.0, 0.0);
    table.Sort(1);
    origin = 0;
    while (!IsOrigin(table, origin))
        ++origin;
    // The origin stays at strain 0, so that the next cleaning finds it there: another pair at
    // strain 0 moves off it, to the side its stress lies on (a steel curve's to positive
    // strain, where its law reads it).
    const auto above = [&](int i) { return innerStrainsPositive || table.GetValue(i) > 0.0; };
    const auto swap = [&](int a, int b) {
        const double z = table.GetDepth(a), v = table.GetValue(a);
        table.SetDepth(a, table.GetDepth(b));
        table.SetValue(a, table.GetValue(b));
        table.SetDepth(b, z);
        table.SetValue(b, v);
    };
    while (origin > 0 && table.GetDepth(origin - 1) == 0.0 && !above(origin - 1)) {
        swap(origin - 1, origin);
        --origin;
    }
    while (origin + 1 < Count(table) && table.GetDepth(origin + 1) == 0.0 && above(origin + 1)) {
        swap(origin, origin + 1);
        ++origin;
    }
    // Strictly descending strains: a later pair within 1e-6 of its predecessor moves down to
    // 1e-6 below it, so no interval within the working range has zero width; the pairs left
    // within 1e-6 above the origin move up off it instead. A pair already that far apart is
    // not moved again (to within rounding), so a cleaned curve cleans to itself.
    for (int i = 1; i < Count(table); ++i) {
        const double limit = table.GetDepth(i - 1) - kSeparation;
        if (i != origin && table.GetDepth(i) > limit + kSeparationRounding)
            table.SetDepth(i, limit);
    }
    for (int i = origin - 1; i >= 0; --i) {
        const double limit = table.GetDepth(i + 1) + kSeparation;
        if (table.GetDepth(i) < limit - kSeparationRounding)
            table.SetDepth(i, limit);
    }
    table.Sort(1);
    PlaceClosingPairs(table, closedBelow);
    table.Sort(1);
}

namespace {

// A pair of non-zero stress given at strain 0: still there beside the origin, or moved off it
// by the cleaning, 1e-6 to the side its stress lies on.
bool GivenAtZeroStrain(const DepthPair& p)
{
    if (p.v == 0.0)
        return false;
    return p.z == 0.0 || (std::fabs(std::fabs(p.z) - kSeparation) < kSeparationRounding &&
                          (p.z > 0.0) == (p.v > 0.0));
}

} // namespace

std::vector<DepthPair> GivenCurvePairs(const TDepthTable& curve)
{
    const std::vector<bool> closing = ClosingPairs(curve);
    std::vector<DepthPair> given;
    for (int i = 0; i < curve.GetCount(); ++i)
        if (!closing[static_cast<std::size_t>(i)])
            given.push_back({curve.GetDepth(i), curve.GetValue(i)});
    for (std::size_t o = 0; o < given.size(); ++o) {
        if (given[o].z != 0.0 || given[o].v != 0.0)
            continue;
        for (const std::size_t k : {o + 1, o - 1}) {
            if (k < given.size() && GivenAtZeroStrain(given[k])) {
                given[k].z = 0.0;
                given.erase(given.begin() + static_cast<std::ptrdiff_t>(o));
                return given;
            }
        }
        break;
    }
    return given;
}
