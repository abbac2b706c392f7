#include "member/MemberStations.h"

#include <algorithm>
#include <cmath>

#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "foundation/TDepthTable.h"
#include "foundation/TypedNumber.h"
#include "member/fire/TStructureSlots.h"
#include "model/TStructure.h"

namespace {

// A shear step counts when it is larger; a moment jump likewise.
constexpr double kShearJump = 100.0;  // N
constexpr double kMomentJump = 1000.0; // N m
// Each side of a jump gets a station this far from it.
constexpr double kJumpOffset = 0.0001;
// Subdivision interval as a fraction of the section height (at least 0.1 m).
constexpr double kSpacingPerHeight = 0.4;
constexpr double kLeastHeight = 0.1;

bool Near(double a, double b) { return std::fabs(a - b) < kSamePosition; }

// Ascending, equal positions keep their order.
void SortPositions(double* first, int n) { std::stable_sort(first, first + n); }

} // namespace

bool TMemberStations::IsNewPosition(double x, const double* list, int n)
{
    for (int i = 0; i < n; ++i)
        if (Near(x, list[i]))
            return false;
    return true;
}

void TMemberStations::ReportOverflow()
{
    if (m_overflowReported)
        return;
    m_overflowReported = true;
    ShowMessage("The member has more stations, jumps or shear steps than the analysis holds; "
                "the surplus was left out.",
                "Error in Member Definition", MsgStyle::IconExclamation);
}

double TMemberStations::EffectiveDepth(double x) const
{
    const TStructure* s = GetStructureAtPosition(m_slots, m_d, x);
    if (s == nullptr)
        return 0.0;
    double dPos = 0.0; // steel below mid-height, from the top
    double dNeg = 0.0; // steel above mid-height, from the bottom
    double aBot = 0.0;
    double aTop = 0.0;
    s->GetSteelCentroid(dPos, dNeg, aBot, aTop, 0);
    if (dPos == 0.0 && dNeg == 0.0)
        dPos = s->GetHeight() / 2.0;
    return aBot + aTop > 0.0 ? (dPos * aBot + dNeg * aTop) / (aBot + aTop) : std::max(dPos, dNeg);
}

void TMemberStations::SpreadDirectShearSteps(const ShearDiagram& in, int n, ShearDiagram& out, int& outCount)
{
    n = std::clamp(n, 0, kMaxShearPoints);
    out = in;
    outCount = n;
    double vmax = 0.0;
    for (int i = 0; i < n; ++i)
        vmax = std::max(vmax, std::fabs(in[static_cast<std::size_t>(i)].v));
    if (vmax == 0.0)
        vmax = 1.0;
    const auto at = [&in](int i) -> const ShearPoint& { return in[static_cast<std::size_t>(i)]; };
    const auto put = [&out](int i, double x, double v) { out[static_cast<std::size_t>(i)] = {x, v}; };
    int k = 0;
    for (int i = 0; i + 1 < n; ++i) {
        const double x = at(i).x;
        if (x != at(i + 1).x)
            continue;
        const int direct = Near(x, m_d.leftPlateLocation)    ? m_d.leftDirect
                           : Near(x, m_d.rightPlateLocation) ? m_d.rightDirect
                                                             : m_d.topDirect;
        const double vl = at(i).v;
        const double vr = at(i + 1).v;
        if (direct == 0 || std::fabs(vl - vr) < 0.01 * vmax)
            continue;
        const double depth = EffectiveDepth(x);
        double sl = 0.0;
        for (int j = i; j > 0 && at(j).x != at(j - 1).x; --j)
            sl += at(j).x - at(j - 1).x;
        double sr = 0.0;
        for (int j = i + 1; j + 1 < n && at(j + 1).x != at(j).x; ++j)
            sr += at(j + 1).x - at(j).x;
        const double dl = std::min(depth, sl / 2.0);
        const double dr = std::min(depth, sr / 2.0);
        const double xl = std::max(x - dl, 0.0);
        const double xr = std::min(x + dr, m_d.length);
        const double vAtL = i > 0 ? LinearInterpolate(at(i - 1).x, at(i - 1).v, x, vl, xl) : vl;
        const double vAtR = i + 2 < n ? LinearInterpolate(x, vr, at(i + 2).x, at(i + 2).v, xr) : vr;
        const bool leftNegligible = std::fabs(vl) < 0.01 * std::fabs(vr);
        const bool rightNegligible = std::fabs(vr) < 0.01 * std::fabs(vl);
        if (std::fabs(vl) > 0.0 && rightNegligible) {
            put(i + k, xl, vAtL);
        } else if (std::fabs(vr) > 0.0 && leftNegligible) {
            put(i + k + 1, xr, vAtR);
        } else {
            if (outCount >= kMaxShearPoints) {
                ReportOverflow();
                continue;
            }
            double vm = 0.0;
            if (vAtL >= 0.0 && vAtR >= 0.0)
                vm = std::min(vAtL, vAtR);
            else if (vAtL <= 0.0 && vAtR <= 0.0)
                vm = std::max(vAtL, vAtR);
            put(i + k, xl, vAtL);
            ++k;
            std::copy_backward(out.begin() + (i + k), out.begin() + outCount, out.begin() + outCount + 1);
            ++outCount;
            put(i + k, x, vm);
            put(i + k + 1, xr, vAtR);
        }
    }
}

void TMemberStations::AppendNew(double x)
{
    if (!IsNewPosition(x, m_x.data(), m_count))
        return;
    if (m_count >= kMaxStations) {
        ReportOverflow();
        return;
    }
    m_x[static_cast<std::size_t>(m_count++)] = x;
}

void TMemberStations::SortStations() { SortPositions(m_x.data(), m_count); }

void TMemberStations::BuildJumpList()
{
    m_jumpCount = 0;
    const auto addJump = [this](double x) {
        if (!IsNewPosition(x, m_jumps.data(), m_jumpCount))
            return;
        if (m_jumpCount >= kMaxStations) {
            ReportOverflow();
            return;
        }
        m_jumps[static_cast<std::size_t>(m_jumpCount++)] = x;
    };
    const auto shearJumps = [&](const ShearDiagram& v, int n) {
        for (int j = 1; j < n; ++j) {
            const ShearPoint& a = v[static_cast<std::size_t>(j - 1)];
            const ShearPoint& b = v[static_cast<std::size_t>(j)];
            if (Near(a.x, b.x) && std::fabs(b.v - a.v) > kShearJump)
                addJump(a.x);
        }
        SortPositions(m_jumps.data(), m_jumpCount);
    };
    shearJumps(m_adjusted[DeadDiagram], m_adjustedCount[DeadDiagram]);
    shearJumps(m_raw[DeadDiagram], m_rawCount[DeadDiagram]);
    shearJumps(m_adjusted[LiveDiagram], m_adjustedCount[LiveDiagram]);
    shearJumps(m_raw[LiveDiagram], m_rawCount[LiveDiagram]);
    for (int k : {LiveDiagram, DeadDiagram}) {
        const auto& diagram = m_d.diagrams[static_cast<std::size_t>(k)];
        const int n = std::clamp(m_d.pointCount[static_cast<std::size_t>(k)], 0, kMaxDiagramPoints);
        for (int j = 1; j < n; ++j) {
            const MomentPoint& a = diagram[static_cast<std::size_t>(j - 1)];
            const MomentPoint& b = diagram[static_cast<std::size_t>(j)];
            if (Near(a.x, b.x) && std::fabs(b.moment - a.moment) > kMomentJump)
                addJump(a.x);
        }
        SortPositions(m_jumps.data(), m_jumpCount);
    }
    for (int z = 1; z < std::clamp(m_d.zoneCount, 0, kMaxMemberZones); ++z)
        addJump(m_d.zones[static_cast<std::size_t>(z)].startX);
    SortPositions(m_jumps.data(), m_jumpCount);
}

void TMemberStations::SplitAtJumps()
{
    for (int j = 0; j < m_jumpCount; ++j) {
        const double jump = m_jumps[static_cast<std::size_t>(j)];
        for (int i = 0; i < m_count; ++i) {
            double& xs = m_x[static_cast<std::size_t>(i)];
            if (!Near(xs, jump))
                continue;
            if (m_count >= kMaxStations) {
                ReportOverflow();
                break;
            }
            double added = xs + kJumpOffset;
            xs -= kJumpOffset;
            if (added > m_d.length) {
                added = m_d.length;
                xs -= kJumpOffset / 2.0;
            }
            if (xs < 0.0) {
                xs = 0.0;
                added += kJumpOffset / 2.0;
            }
            m_x[static_cast<std::size_t>(m_count++)] = added;
            SortStations();
            break;
        }
    }
}

void TMemberStations::Subdivide()
{
    const int before = m_count;
    for (int i = 0; i + 1 < before; ++i) {
        const double a = m_x[static_cast<std::size_t>(i)];
        const double g = m_x[static_cast<std::size_t>(i + 1)] - a;
        const TStructure* s = GetStructureAtPosition(m_slots, m_d, a);
        const double h = std::max(s != nullptr ? s->GetHeight() : 0.0, kLeastHeight);
        int m = ClampToInt(g / (kSpacingPerHeight * h) + 0.5);
        m = std::min(m, std::max(kMaxSubdividedStations - m_count, 0));
        for (int j = 1; j <= m; ++j)
            m_x[static_cast<std::size_t>(m_count++)] = a + j * g / (m + 1);
    }
}

void TMemberStations::RemoveNearDuplicates()
{
    for (int i = 0; i + 1 < m_count; ++i) {
        while (i + 1 < m_count && m_x[static_cast<std::size_t>(i + 1)] - m_x[static_cast<std::size_t>(i)] < kSamePosition) {
            m_x[static_cast<std::size_t>(i + 1)] = kUndefined;
            SortStations();
            --m_count;
        }
    }
}

void TMemberStations::PlaceMemberStations()
{
    m_overflowReported = false;
    for (int k : {LiveDiagram, DeadDiagram}) {
        const auto ks = static_cast<std::size_t>(k);
        SampleShearDiagram(m_d, k, m_raw[ks], m_rawCount[ks]);
        SpreadDirectShearSteps(m_raw[ks], m_rawCount[ks], m_adjusted[ks], m_adjustedCount[ks]);
    }

    std::array<double, kMaxBreakPoints> breaks{};
    int nb = 0;
    int platesUsable = 1;
    ListMemberBreakPoints(m_d, breaks, nb, platesUsable);
    m_count = std::min(nb, kMaxStations);
    std::copy(breaks.begin(), breaks.begin() + m_count, m_x.begin());

    const auto appendShear = [this](const ShearDiagram& v, int n) {
        for (int j = 0; j < n; ++j)
            AppendNew(v[static_cast<std::size_t>(j)].x);
    };
    appendShear(m_adjusted[DeadDiagram], m_adjustedCount[DeadDiagram]);
    appendShear(m_adjusted[LiveDiagram], m_adjustedCount[LiveDiagram]);
    appendShear(m_raw[DeadDiagram], m_rawCount[DeadDiagram]);
    appendShear(m_raw[LiveDiagram], m_rawCount[LiveDiagram]);
    SortStations();
    for (int k : {LiveDiagram, DeadDiagram})
        for (int j = 0; j < std::clamp(m_d.pointCount[static_cast<std::size_t>(k)], 0, kMaxDiagramPoints); ++j)
            AppendNew(m_d.diagrams[static_cast<std::size_t>(k)][static_cast<std::size_t>(j)].x);
    SortStations();

    BuildJumpList();
    SplitAtJumps();
    Subdivide();
    SortStations();
    if (m_count > 0) {
        m_x[0] = std::max(m_x[0], 0.0);
        m_x[static_cast<std::size_t>(m_count - 1)] = std::min(m_x[static_cast<std::size_t>(m_count - 1)], m_d.length);
    }
    RemoveNearDuplicates();
}
