#include "model/materials/UserCurves.h"

#include <cmath>

namespace {

constexpr double kFarStrain = 1e12;
constexpr double kOldFarLimit = 10000.0;
constexpr double kClosingGap = 2e-6;
constexpr double kMergeStrain = 9.9e-7;
constexpr double kMergeStress = 1000.0;
constexpr double kSeparation = 1e-6;

int Count(const TDepthTable& t)
{
    return t.GetCount();
}

} // namespace

int FinishUserCurve(TDepthTable& table)
{
    if (Count(table) > 0 && table.GetDepth(0) < -kOldFarLimit)
        table.RemoveAt(0);
    if (Count(table) > 0 && table.GetDepth(Count(table) - 1) > kOldFarLimit)
        table.RemoveAt(Count(table) - 1);
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

void CleanUserCurve(TDepthTable& table, bool innerStrainsPositive)
{
    // Neighbours are taken in strain order, whatever order the pairs came in.
    table.Sort(1);
    for (int i = 0; i + 1 < Count(table);) {
        const double z0 = table.GetDepth(i), v0 = table.GetValue(i);
        const double z1 = table.GetDepth(i + 1), v1 = table.GetValue(i + 1);
        if (std::fabs(z0 - z1) < kMergeStrain && std::fabs(v0 - v1) < kMergeStress) {
            table.SetDepth(i, (z0 + z1) / 2.0);
            table.SetValue(i, (v0 + v1) / 2.0);
            table.RemoveAt(i + 1);
        } else {
            ++i;
        }
    }
    if (innerStrainsPositive) {
        for (int i = 2; i <= Count(table) - 3; ++i) {
            if (table.GetDepth(i) < 0.0)
                table.SetDepth(i, -table.GetDepth(i));
        }
    }
    bool hasOrigin = false;
    for (int i = 0; i < Count(table); ++i) {
        if (table.GetDepth(i) == 0.0 && table.GetValue(i) == 0.0)
            hasOrigin = true;
    }
    if (!hasOrigin)
        table.Add(0.0, 0.0);
    table.Sort(1);
    // Strictly descending strains: a later pair at or above its predecessor less 1e-6 moves
    // down to that mark, so no interval within the working range has zero width.
    for (int i = 1; i < Count(table); ++i) {
        const double limit = table.GetDepth(i - 1) - kSeparation;
        if (table.GetDepth(i) > limit)
            table.SetDepth(i, limit);
    }
    table.Sort(1);
}
