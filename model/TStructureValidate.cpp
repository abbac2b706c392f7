// TStructure: validation and repair, the clear cover, steel centroids, the time-dependent
// reset and the position variables.

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/ReinfPatterns.h"
#include "model/TStructure.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"

namespace {

constexpr const char* kLongProblem = "Longitudinal Problem";

// Smallest bar and layer area a layer keeps (m^2).
constexpr double kMinArea = 1e-7;

// Steel with a yield stress above this counts as prestressing steel (Pa).
constexpr double kPrestressingYield = 7.5e8;

const char* DirectionText(int d)
{
    switch (d) {
    case 0:
        return "X Direction";
    case 1:
        return "Y Direction";
    default:
        return "Z Direction";
    }
}

} // namespace

// ---- Validate ---------------------------------------------------------------------------

void TStructure::RepairLongLayers()
{
    const int directions = std::min(GetLongDirectionCount(), 2);
    for (int d = 0; d < directions; ++d) {
        auto& layers = LongLayers(d);
        for (int i = 0; i < static_cast<int>(layers.size()); ++i) {
            LongLayerRec& layer = layers[static_cast<std::size_t>(i)];
            // The bar count is repaired first, so that the area below is formed from the
            // one bar that the message promises.
            if (layer.num <= 0) {
                ShowMessage(StrPrintf("Longitudinal Reinforcment layer \"%s\" has no bars defined; "
                                      "It has been reset to one bar.  Note that the delete button "
                                      "in the stirrup menu will delete the layer if desired.",
                                      layer.name.c_str()),
                            kLongProblem,
                            MsgStyle::Ok | MsgStyle::IconExclamation);
                layer.num = 1;
            }
            // A layer given only by its total area (as tendons are) keeps that area.
            if (layer.Ai <= kMinArea && layer.A > kMinArea)
                layer.Ai = layer.A / layer.num;
            // A bar of no area takes the least one before the total is formed from it, so that
            // the total stays the bars' area when the layer is checked again.
            if (layer.Ai <= kMinArea)
                layer.Ai = kMinArea;
            const double total = layer.num * layer.Ai;
            if (std::fabs(total - layer.A) > 0.01 * layer.A + 1.0) {
                ShowMessage(StrPrintf("Error in %s Longitudinal layer %s (number %d) as "
                                      "area*number is not equal to specified total area.",
                                      DirectionText(d),
                                      layer.name.c_str(),
                                      i),
                            kLongProblem,
                            MsgStyle::Ok | MsgStyle::IconExclamation);
            }
            layer.A = total;
            if (layer.A <= kMinArea)
                layer.A = kMinArea;
            // The diameter of one bar of the layer.
            if (layer.db <= 0.0001)
                layer.db = 2.0 * std::sqrt(layer.Ai / kModelPi);
        }
    }
}

void TStructure::SetTransLayerLegs()
{
    for (int d = 2; d >= std::max(TopTransDirection(), 0); --d) {
        for (auto& layer : TransLayers(d)) {
            switch (layer.pattern) {
            case 1:
            case 5:
                layer.legs = 1;
                break;
            case 0:
            case 7:
                layer.legs = 0;
                break;
            default:
                layer.legs = 2;
                break;
            }
        }
    }
}

int TStructure::Validate()
{
    if (CheckFrozen())
        return 0;
    RefreshTitle();
    for (auto& type : m_concreteTypes) {
        PrepareConcreteType(type);
        CheckConcreteType(type, 0);
    }
    for (auto& type : m_steelTypes)
        CheckSteelType(type, 0);
    FixMaterialNames();
    ShiftToDatum();
    RepairLongLayers();
    RepairPatternSlots(*this);
    SetTransLayerLegs();
    const int directions = std::min(GetLongDirectionCount(), 2);
    for (int d = 0; d < directions; ++d)
        BuildDistributedPatterns(*this, d);
    BuildCircularPatterns(*this);
    BuildDepthProfiles();
    ComputeMinCover();
    return 1;
}

// ---- Cover and centroids ----------------------------------------------------------------

int TStructure::ComputeMinCover()
{
    const double bottom = GetBottom();
    const double top = GetTop();
    double cb = 1e20;
    double ct = 1e20;
    int faceBottom = 1;
    int faceTop = 1;
    for (int d = 2; d >= std::max(TopTransDirection(), 0); --d) {
        for (const auto& layer : TransLayers(d)) {
            cb = std::min(cb, std::fabs(layer.distbot - bottom - layer.db / 2.0));
            ct = std::min(ct, std::fabs(layer.disttop - top + layer.db / 2.0));
        }
    }
    const int directions = std::min(GetLongDirectionCount(), 2);
    for (int d = 0; d < directions; ++d) {
        for (const auto& layer : LongLayers(d)) {
            const double toBottom = std::fabs(layer.z - bottom - layer.db / 2.0);
            if (toBottom < cb) {
                cb = toBottom;
                faceBottom = 2;
            }
            const double toTop = std::fabs(layer.z - top + layer.db / 2.0);
            if (toTop < ct) {
                ct = toTop;
                faceTop = 2;
            }
        }
    }
    if (cb == 1e20 && ct == 1e20) {
        m_minCover = 0.0;
        m_coverFace = 0;
    } else if (cb <= ct) {
        m_minCover = cb;
        m_coverFace = faceBottom;
    } else {
        m_minCover = ct;
        m_coverFace = faceTop;
    }
    return 1;
}

int TStructure::GetLongSteelCentroids(double& d1,
                                      double& d2,
                                      double& a1,
                                      double& a2,
                                      double& f1,
                                      double& f2,
                                      int lowerHalf,
                                      int direction) const
{
    d1 = d2 = a1 = a2 = f1 = f2 = 0.0;
    if (direction < 0 || direction > 1) {
        ReportBadDirection("GetLongSteelCentroids", direction);
        return 0;
    }
    const double top = GetTop();
    const double bottom = GetBottom();
    const double mid = (top + bottom) / 2.0;
    // Sums per half (0 lower, 1 upper) and group (0 plain, 1 prestressing).
    double area[2][2] = {};
    double moment[2][2] = {};
    double strength[2][2] = {};
    for (const auto& layer : m_longLayers[static_cast<std::size_t>(direction)]) {
        const bool validType =
            layer.type >= 0 && layer.type < static_cast<int>(m_steelTypes.size());
        const double fy = validType ? m_steelTypes[static_cast<std::size_t>(layer.type)].fy : 0.0;
        const int group = fy > kPrestressingYield ? 1 : 0;
        const auto add = [&](int half, double share) {
            const double a = layer.A * share;
            area[half][group] += a;
            moment[half][group] += a * layer.z;
            strength[half][group] += a * fy;
        };
        if (std::fabs(layer.z - mid) <= 0.001) {
            add(0, 0.5);
            add(1, 0.5);
        } else {
            add(layer.z >= mid ? 1 : 0, 1.0);
        }
    }
    const int half = lowerHalf != 0 ? 0 : 1;
    double centroid[2] = {};
    double meanStrength[2] = {};
    for (int g = 0; g < 2; ++g) {
        if (area[half][g] > 0.0) {
            centroid[g] = moment[half][g] / area[half][g];
            meanStrength[g] = strength[half][g] / area[half][g];
        }
    }
    if (lowerHalf != 0) {
        d1 = top - centroid[0];
        d2 = top - centroid[1];
    } else {
        d1 = centroid[0] - bottom;
        d2 = centroid[1] - bottom;
    }
    a1 = area[half][0];
    a2 = area[half][1];
    f1 = meanStrength[0];
    f2 = meanStrength[1];
    return 1;
}

int TStructure::GetSteelCentroid(
    double& dLower, double& dUpper, double& aLower, double& aUpper, int direction) const
{
    dLower = dUpper = aLower = aUpper = 0.0;
    double d1 = 0, d2 = 0, a1 = 0, a2 = 0, f1 = 0, f2 = 0;
    if (!GetLongSteelCentroids(d1, d2, a1, a2, f1, f2, 1, direction))
        return 0;
    aLower = a1 + a2;
    if (aLower > 0.0)
        dLower = (a1 * d1 + a2 * d2) / aLower;
    GetLongSteelCentroids(d1, d2, a1, a2, f1, f2, 0, direction);
    aUpper = a1 + a2;
    if (aUpper > 0.0)
        dUpper = (a1 * d1 + a2 * d2) / aUpper;
    return 1;
}

// ---- Time-dependent strains -------------------------------------------------------------

int TStructure::ResetTimeDependentStrains()
{
    if (CheckFrozen())
        return 0;
    if (!(GetHeight() > 0.0))
        return 1;
    const double top = GetTop();
    const double bottom = GetBottom();
    for (int k : {kCreepX, kCreepY}) {
        TDepthTable& creep = GetPositionVariable(k);
        creep.Clear();
        creep.Add(bottom, 0.0);
        creep.Add(top, 0.0);
    }
    // Points of the shrinkage profile more than this beyond a face (m) are dropped.
    constexpr double kBeyondFace = 0.003;
    // A point within this of a face (m) is at it.
    constexpr double kAtFace = 4e-5;
    TDepthTable& shrink = GetPositionVariable(kShrinkTherm);
    for (int i = shrink.GetCount() - 1; i >= 0; --i) {
        const double z = shrink.GetDepth(i);
        if (z > top + kBeyondFace || z < bottom - kBeyondFace)
            shrink.RemoveAt(i);
    }
    shrink.Sort(1);
    // Whether a point other than point `except` lies at the face.
    const auto pointAt = [&shrink](double end, int except) {
        for (int i = 0; i < shrink.GetCount(); ++i)
            if (i != except && std::fabs(shrink.GetDepth(i) - end) < kAtFace)
                return true;
        return false;
    };
    // A profile that reaches a face already (as every checked profile reaches both) keeps the
    // points it has beyond that face: they lie outside the section, and the point at the face
    // gives the strain there. Moved to the face, the outermost of them would take that point's
    // place, and a profile checked again would not be the one saved.
    const bool reachedTop = pointAt(top, -1);
    const bool reachedBottom = pointAt(bottom, -1);
    // Of a profile that does not reach a face, every other point a little beyond it is at that
    // face, as the outermost one is put there below: left beyond it, it would be the outermost
    // one when the profile is checked again, and be moved then.
    const double lowest = reachedBottom ? -std::numeric_limits<double>::infinity() : bottom;
    const double highest = reachedTop ? std::numeric_limits<double>::infinity() : top;
    for (int i = 1; i + 1 < shrink.GetCount(); ++i)
        shrink.SetDepth(i, std::clamp(shrink.GetDepth(i), lowest, highest));
    // The highest point goes to the top when it is there already, above it or carries no
    // strain; otherwise a zero point closes the profile at the top. A point the user put a
    // little inside the face stays there: the profile between it and the zero at the face
    // keeps within their values (GetInitialStrainAt).
    const auto snapEnd = [&](int i, double end, bool beyond, bool reached) {
        const bool near = std::fabs(shrink.GetDepth(i) - end) < kAtFace;
        if (beyond && !near && reached && pointAt(end, i))
            return;
        const bool empty = std::fabs(shrink.GetValue(i)) < 1e-6 && shrink.GetCount() > 1;
        if (near || beyond || empty)
            shrink.SetDepth(i, end);
        else
            shrink.Add(end, 0.0);
    };
    if (shrink.GetCount() == 0)
        shrink.Add(top, 0.0);
    else
        snapEnd(0, top, shrink.GetDepth(0) > top, reachedTop);
    shrink.Sort(1);
    const int last = shrink.GetCount() - 1;
    snapEnd(last, bottom, shrink.GetDepth(last) < bottom, reachedBottom);
    shrink.Sort(1);
    for (auto& layers : m_longLayers) {
        for (auto& layer : layers)
            layer.timeStrain = 0.0;
    }
    return 1;
}

// ---- Position variables -----------------------------------------------------------------

TDepthTable& TStructure::GetPositionVariable(int k)
{
    assert(k >= 0 && k < kPositionVariableCount);
    return m_positionVariables[static_cast<std::size_t>(k)];
}

const TDepthTable& TStructure::GetPositionVariable(int k) const
{
    assert(k >= 0 && k < kPositionVariableCount);
    return m_positionVariables[static_cast<std::size_t>(k)];
}

int TStructure::SetCrackSpacingCurve(const TDepthTable& curve, int direction)
{
    if (CheckFrozen())
        return 0;
    if (direction < 0 || direction > 2) {
        ReportBadDirection("SetCrackSpacingCurve", direction);
        return 0;
    }
    GetPositionVariable(direction).Assign(curve);
    return 1;
}

int TStructure::SetShrinkThermCurve(const TDepthTable& curve)
{
    if (CheckFrozen())
        return 0;
    TDepthTable& shrink = GetPositionVariable(kShrinkTherm);
    if (&curve != &shrink) {
        shrink.Clear();
        for (int i = 0; i < curve.GetCount(); ++i)
            shrink.Add(curve.GetDepth(i), curve.GetValue(i));
    }
    SetModified(1);
    return 1;
}

double TStructure::GetInitialStrainAt(double depth, int kind) const
{
    if (depth < GetBottom() || depth > GetTop())
        return 0.0;
    const auto at = [&](int k) { return GetPositionVariable(k).InterpolateQuadraticWithinRows(depth); };
    switch (kind) {
    case 0:
        return at(kShrinkTherm) + at(kCreepX);
    case 1:
        return at(kShrinkTherm) + at(kCreepY);
    case 2:
    case 3:
        return at(kShrinkTherm);
    case 4:
        return at(kCreepX);
    case 5:
        return at(kCreepY);
    default:
        ReportBadIndex("GetInitialStrainAt", kind);
        return 0.0;
    }
}

double TStructure::GetTensionStiffFactorAt(double depth, int direction) const
{
    if (direction < 0 || direction > 2)
        return 500.0;
    return GetPositionVariable(kTensionStiffX + direction).InterpolateAtDepth(depth);
}
