// What the views read of a member analysis: stages, states, station loads and capacities, the
// curves along the member, the diagram walk and the interpolated elevation state.

#include "member/TFullMemberResponse.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/layers/LayerStateAccess.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "member/fire/TStructureSlots.h"
#include "model/TBeam.h"
#include "model/materials/SteelLaws.h"

namespace {

// A cursor this far on is taken as a runaway reader.
constexpr int kCursorLimit = 32750;
// Stage indices from this one walk the diagram states.
constexpr int kDiagramStageBase = 9000;
// Load factors are bracketed just below the asked one (stage load factors carry round-off).
constexpr double kBelowOne = 0.9999999999;

} // namespace

// ---- Views -------------------------------------------------------------------------------------

const SectionState* TFullMemberResponse::GetLatestState() const
{
    const TFullSectionalResponse* a = GetStationAnalysis(m_shownStation);
    return a != nullptr ? a->GetLatestState() : nullptr;
}

const SectionState* TFullMemberResponse::GetPeakState() const
{
    const TFullSectionalResponse* a = GetStationAnalysis(m_shownStation);
    return a != nullptr ? a->GetPeakState() : nullptr;
}

int TFullMemberResponse::FindStationStage(int index, int& local) const
{
    int first = 0;
    for (int j = 0; j < std::min(GetStationCount(), kMaxStations); ++j) {
        const TFullSectionalResponse* a = m_analyses[static_cast<std::size_t>(j)].get();
        if (a == nullptr)
            return -1;
        const int count = a->GetLastStageIndex();
        if (index < first + count) {
            local = index - first;
            return j;
        }
        first += count;
    }
    return -1;
}

const SectionState* TFullMemberResponse::GetStage(int index) const
{
    if (index >= kDiagramStageBase) {
        const SectionState* state = nullptr;
        int flag = 0;
        GetDiagramState(index - kDiagramStageBase, state, flag);
        return state;
    }
    if (index < 0)
        return nullptr;
    int local = 0;
    const int j = FindStationStage(index, local);
    if (j < 0)
        return nullptr;
    if (m_stageSelection != 0)
        m_selectedStation = j;
    const TFullSectionalResponse& a = *m_analyses[static_cast<std::size_t>(j)];
    const SectionState* state = a.GetStage(local);
    if ((state == nullptr || state->Valid == 0) && local + 1 <= a.GetLastStageIndex())
        state = a.GetStage(local + 1);
    return state;
}

int TFullMemberResponse::GetNextStageIndex(int index) const
{
    // Nothing chosen yet: the point after the marked one.
    if (index < 0)
        return kCurvePointStageBase + std::min(m_markedPoint + 1, kLoadDeflectionSteps);
    if (index < kCurvePointStageBase)
        return index + 1;
    return std::min(index + 1, kCurvePointStageBase + kLoadDeflectionSteps);
}

int TFullMemberResponse::GetPreviousStageIndex(int index) const
{
    // Nothing chosen yet: the point before the marked one.
    if (index < 0)
        return kCurvePointStageBase + std::max(m_markedPoint - 1, 0);
    if (index < kCurvePointStageBase)
        return index < 1 ? index : index - 1;
    return index > kCurvePointStageBase ? index - 1 : 0;
}

int TFullMemberResponse::GetLastStageIndex() const
{
    int sum = 0;
    for (int i = 0; i < GetStationCount(); ++i)
        if (const TFullSectionalResponse* a = m_analyses[static_cast<std::size_t>(i)].get())
            sum += a->GetLastStageIndex();
    return GetStationCount() > 0 ? GetStationCount() + sum : 0;
}

int TFullMemberResponse::SelectLoadStage(int index)
{
    int changed = 0;
    const int k = index - kCurvePointStageBase;
    if (index >= kCurvePointStageBase && k <= kLoadDeflectionSteps && k != m_markedPoint) {
        m_markedPoint = k;
        changed = 1;
    }
    m_stageSelection = 1;
    const SectionState* state = GetStage(index);
    m_stageSelection = 0;
    if (state != nullptr) {
        changed = changed != 0 || state != m_shown ? 1 : 0;
        m_shown = state;
        m_shownStation = m_selectedStation;
    }
    return changed;
}

const TStructure* TFullMemberResponse::GetStructure() const
{
    const TFullSectionalResponse* a = GetStationAnalysis(m_shownStation);
    return a != nullptr ? a->GetStructure() : nullptr;
}

double TFullMemberResponse::MarkedLoadFactor() const { return m_markedPoint * MaxLoadFactor / kLoadDeflectionSteps; }

int TFullMemberResponse::GetStateResults(const SectionState* state, std::array<double, 6>& values, int mode) const
{
    if (mode != 1)
        return TQuarvish2000Analysis::GetStateResults(state, values, mode);
    if (state != nullptr)
        ShowMessage("Member results are asked for the member as a whole, not for a state.", "Error in Analysis",
                    MsgStyle::IconExclamation);
    const TDepthTable& curve = m_curves[MemberCurve::LoadDeflection];
    const TDepthTable& strain = m_curves[MemberCurve::AxialStrain];
    const int k = m_markedPoint;
    values[0] = k < curve.GetCount() ? curve.GetValue(k) : 0.0;
    values[1] = k < curve.GetCount() ? curve.GetDepth(k) : 0.0;
    values[2] = k < strain.GetCount() ? strain.GetDepth(k) : 0.0;
    values[3] = k < strain.GetCount() ? strain.GetValue(k) : 0.0;
    values[4] = MarkedLoadFactor();
    values[5] = 0.0;
    if (const TFullSectionalResponse* a = GetStationAnalysis(0)) {
        double c[3] = {};
        double dv[3] = {};
        a->GetConstantLoads(c, 3);
        a->GetIncrementLoads(dv, 3);
        values[5] = c[kAxial] + values[4] * dv[kAxial];
    }
    return 1;
}

double TFullMemberResponse::Probe_analysis(int probeId, double depth) const
{
    switch (probeId) {
    case 0:
        return 1.0;
    case 1:
        return 0.0;
    case 10:
        return m_shearCritical;
    case 12: {
        const TDepthTable& curve = m_curves[MemberCurve::LoadDeflection];
        return m_markedPoint < curve.GetCount() ? curve.GetDepth(m_markedPoint) : 1e31;
    }
    case 13:
        return m_definition.displacementLocation;
    case 14:
        return m_definition.rightAnchorage == AnchorageType::YieldPenetrate ? 1.0 : 0.0;
    case 15:
        for (const auto& a : m_analyses)
            if (a && a->GetStructure()->GetTransLayerCount(2) > 0)
                return 1.0;
        return 0.0;
    default:
        return TQuarvish2000Analysis::Probe_analysis(probeId, depth);
    }
}

int TFullMemberResponse::GetStationLoad(int s, int kind, double& x, double& value) const
{
    x = value = 0.0;
    if (s == 0)
        return 1;
    const TFullSectionalResponse* a = s <= GetStationCount() ? GetStationAnalysis(s - 1) : nullptr;
    if (a == nullptr)
        return 0;
    x = m_stations.GetStation(s - 1);
    const double lambda = MarkedLoadFactor();
    double c[3] = {};
    double d[3] = {};
    a->GetConstantLoads(c, 3);
    a->GetIncrementLoads(d, 3);
    switch (kind) {
    case 0:
        value = -(c[kMoment] + lambda * d[kMoment]);
        break;
    case 1: {
        double N = 0.0;
        double dead = 0.0;
        double live = 0.0;
        double V = 0.0;
        m_stations.GetMemberLoadsAt(x, DeadDiagram, m_stations.RawShear(DeadDiagram),
                                    m_stations.RawShearCount(DeadDiagram), N, dead, V);
        m_stations.GetMemberLoadsAt(x, LiveDiagram, m_stations.RawShear(LiveDiagram),
                                    m_stations.RawShearCount(LiveDiagram), N, live, V);
        value = dead + lambda * live;
        break;
    }
    case 2:
        value = c[kAxial] + lambda * d[kAxial];
        break;
    case 3:
        value = lambda;
        break;
    case 4:
        value = c[kShear] + lambda * d[kShear];
        break;
    default:
        break;
    }
    return 1;
}

double TFullMemberResponse::DefinitionLoad(int i, int kind) const
{
    const double x = m_stations.GetStation(i);
    const double lambda = MarkedLoadFactor();
    if (kind == 4)
        return lambda;
    std::array<double, 3> dead{};
    std::array<double, 3> live{};
    m_stations.GetMemberLoadsAt(x, DeadDiagram, m_stations.AdjustedShear(DeadDiagram),
                                m_stations.AdjustedShearCount(DeadDiagram), dead[0], dead[1], dead[2]);
    m_stations.GetMemberLoadsAt(x, LiveDiagram, m_stations.AdjustedShear(LiveDiagram),
                                m_stations.AdjustedShearCount(LiveDiagram), live[0], live[1], live[2]);
    if (m_definition.deadLoadConstant == 0) {
        for (std::size_t j = 0; j < 3; ++j) {
            live[j] += dead[j];
            dead[j] = 0.0;
        }
    }
    const std::size_t j = kind == 1 ? 1 : 2;
    return dead[j] + lambda * live[j];
}

int TFullMemberResponse::BeginCurve(int curveId)
{
    m_cursor = 0;
    switch (curveId) {
    case 0:
        return m_curves[MemberCurve::LoadDeflection].GetCount();
    case 1:
        return 1;
    case 18:
    case 19:
    case 20:
        return GetStationCount() + 2;
    case 2:
        return m_curves[MemberCurve::Curvature].GetCount();
    case 3:
        return m_curves[MemberCurve::ShearStrain].GetCount();
    case 4:
    case 5:
    case 6:
        return m_curves[MemberCurve::Deflection].GetCount();
    case 7:
    case 8:
    case 9:
        return m_curves[MemberCurve::AxialDisplacement].GetCount();
    case 10:
        return m_curves[MemberCurve::Slope].GetCount();
    case 11:
    case 12:
    case 13:
        return m_curves[MemberCurve::AxialStrain].GetCount();
    default:
        if (const int count = StationCurveCount(curveId); count >= 0)
            return count;
        return TQuarvish2000Analysis::BeginCurve(curveId);
    }
}

int TFullMemberResponse::GetCurvePoint(int curveId, double& x, double& y)
{
    if (m_cursor >= kCursorLimit) {
        ShowMessage("Too many curve points were asked for.", "Error in Analysis", MsgStyle::IconExclamation);
        x = y = -1.0;
        return 0;
    }
    const auto point = [this, &x, &y](int table, double sign) {
        const TDepthTable& t = m_curves[static_cast<std::size_t>(table)];
        if (m_cursor >= t.GetCount())
            return 0;
        x = t.GetDepth(m_cursor);
        y = sign * t.GetValue(m_cursor);
        ++m_cursor;
        return 1;
    };
    switch (curveId) {
    case 0: {
        const int r = point(MemberCurve::LoadDeflection, 1.0);
        if (r != 0) {
            const double deflection = x;
            x = -deflection;
        }
        return r;
    }
    case 1: {
        // The caller passes the kind in x.
        if (m_cursor >= GetStationCount())
            return 0;
        const int kind = static_cast<int>(x);
        x = m_stations.GetStation(m_cursor);
        y = DefinitionLoad(m_cursor, kind);
        ++m_cursor;
        return 1;
    }
    case 18:
    case 19:
    case 20: {
        static constexpr std::array<int, 3> kKinds{0, 1, 4};
        const int s = ++m_cursor;
        return GetStationLoad(s, kKinds[static_cast<std::size_t>(curveId - 18)], x, y);
    }
    case 2:
        return point(MemberCurve::Curvature, -1.0);
    case 3:
        return point(MemberCurve::ShearStrain, 1.0);
    case 4:
    case 5:
    case 6:
        return point(MemberCurve::Deflection + (curveId - 4), 1.0);
    case 7:
    case 8:
    case 9:
        return point(MemberCurve::AxialDisplacement + (curveId - 7), 1.0);
    case 10:
        return point(MemberCurve::Slope, -1.0);
    case 11:
        return point(MemberCurve::AxialStrain, 1.0);
    case 12:
    case 13: {
        const int i = m_cursor;
        if (point(MemberCurve::AxialStrain, 1.0) == 0)
            return 0;
        const TDepthTable& phi = m_curves[MemberCurve::Curvature];
        const double curvature = i < phi.GetCount() ? phi.GetValue(i) : 0.0;
        const TStructure* s = GetStructureAtPosition(m_slots, m_definition, x);
        const double face = s == nullptr ? 0.0 : (curveId == 12 ? s->GetTop() : s->GetBottom());
        y -= curvature * face;
        return 1;
    }
    default:
        if (StationCurveCount(curveId) >= 0)
            return StationCurvePoint(curveId, x, y);
        return TQuarvish2000Analysis::GetCurvePoint(curveId, x, y);
    }
}

int TFullMemberResponse::GetTwoStrainPoints(double& e1, double& y1, double& e2, double& y2) const
{
    e1 = y1 = e2 = y2 = 0.0;
    return 0;
}

int TFullMemberResponse::SelectLatestState()
{
    const TFullSectionalResponse* a = GetStationAnalysis(m_currentStation);
    const SectionState* state = a != nullptr ? a->GetLatestState() : nullptr;
    if (state == nullptr)
        return 0;
    m_shown = state;
    m_shownStation = m_currentStation;
    return 1;
}

// ---- Diagram walk and the elevation's state -----------------------------------------------------

int TFullMemberResponse::GetDiagramState(int index, const SectionState*& state, int& flag) const
{
    state = nullptr;
    flag = 0;
    const int n = GetStationCount();
    const TFullSectionalResponse* first = GetStationAnalysis(0);
    const TFullSectionalResponse* last = GetStationAnalysis(n - 1);
    if (index < 0 || first == nullptr || last == nullptr)
        return 0;
    const auto stageOf = [&](const TFullSectionalResponse& a, int stage, int station) {
        state = a.GetStage(stage);
        flag = stage == a.GetLastStageIndex() && a.IsRunning() != 0 ? 0 : 1;
        if (m_stageSelection != 0)
            m_selectedStation = station;
        return 1;
    };
    const int n0 = first->GetLastStageIndex() + 1;
    if (index < n0)
        return stageOf(*first, index, 0);
    if (index < n - 2 + n0) {
        const TFullSectionalResponse* a = GetStationAnalysis(index - n0 + 1);
        if (a == nullptr)
            return 0;
        state = a->GetPeakState();
        flag = a->IsRunning() == 0 ? 1 : 0;
        return 1;
    }
    const int nLast = last->GetLastStageIndex() + 1;
    if (index < n - 2 + n0 + nLast)
        return stageOf(*last, nLast - 1 - (index - (n - 2 + n0)), n - 1);
    return 0;
}

int TFullMemberResponse::InterpolateMemberState(double x, double lambda, MemberStateRecord& record, double scale) const
{
    record.x = x;
    const int n = GetStationCount();
    int i = -1;
    for (int j = 0; j + 1 < n && i < 0; ++j)
        if (m_stations.GetStation(j) - kSamePosition <= x && x <= m_stations.GetStation(j + 1) + kSamePosition)
            i = j;
    if (i < 0) {
        record.x = -1.0;
        ShowMessage("The position lies outside the member's stations.", "Error in Analysis", MsgStyle::IconExclamation);
        return 0;
    }
    const std::array<const TFullSectionalResponse*, 2> a{GetStationAnalysis(i), GetStationAnalysis(i + 1)};
    if (a[0] == nullptr || a[1] == nullptr) {
        record.depths = {};
        record.moment = record.shear = 0.0;
        record.corners = {};
        return 0;
    }
    const double lam = kBelowOne * lambda;
    std::array<int, 2> lo{};
    std::array<int, 2> hi{};
    double top = kUndefined;
    double bottom = -kUndefined;
    for (std::size_t s = 0; s < 2; ++s) {
        BracketingStages(*a[s], lam, lo[s], hi[s]);
        const std::vector<LayerDefRec>& layers = a[s]->GetLayers();
        const int count = std::min(a[s]->GetLayerCount(), static_cast<int>(layers.size()));
        if (count > 0) {
            top = std::min(top, layers.front().Top);
            bottom = std::max(bottom, layers[static_cast<std::size_t>(count - 1)].Bottom);
        }
    }
    if (top == kUndefined)
        top = bottom = 0.0;
    record.h = top - bottom;
    record.reserved = 0.0;
    const double x0 = m_stations.GetStation(i);
    const double x1 = m_stations.GetStation(i + 1);
    const double span = x1 - x0;
    const std::array<double, 2> w{span > 0.0 ? (x1 - x) / span : 1.0, span > 0.0 ? (x - x0) / span : 0.0};
    record.moment = record.shear = 0.0;
    std::array<double, 2> t{};
    for (std::size_t s = 0; s < 2; ++s) {
        double c[3] = {};
        double d[3] = {};
        a[s]->GetConstantLoads(c, 3);
        a[s]->GetIncrementLoads(d, 3);
        const SectionState* upper = a[s]->GetStage(hi[s]);
        record.moment += w[s] * (c[kMoment] + lam * d[kMoment]);
        record.shear += w[s] * (c[kShear] + lam * d[kShear] - (upper != nullptr ? upper->Result(StateResult::Shear) : 0.0));
        const double f0 = a[s]->LoadFactorOf(lo[s]);
        const double f1 = a[s]->LoadFactorOf(hi[s]);
        t[s] = (lam - f0) / (f1 - f0 + 1e-10);
    }
    constexpr std::array<int, 3> kCodes{LayerQuantity::CrackAngle, LayerQuantity::CrackWidth, LayerQuantity::CrackSpacingX};
    for (int k = 0; k <= 20; ++k) {
        const double y = bottom + k * record.h / 20.0;
        std::array<std::array<double, 2>, 3> v{};
        for (std::size_t s = 0; s < 2; ++s) {
            // A station not yet stepped has no stage to read: it shows no crack.
            const SectionState* s0 = a[s]->GetStage(lo[s]);
            const SectionState* s1 = a[s]->GetStage(hi[s]);
            if (s0 == nullptr)
                s0 = s1;
            if (s1 == nullptr)
                s1 = s0;
            for (std::size_t q = 0; q < kCodes.size(); ++q) {
                const double v0 = s0 != nullptr ? InterpolateLayerValue(s0, kCodes[q], y) : 0.0;
                const double v1 = s1 != nullptr ? InterpolateLayerValue(s1, kCodes[q], y) : 0.0;
                v[q][s] = v0 + t[s] * (v1 - v0);
            }
        }
        auto& out = record.depths[static_cast<std::size_t>(k)];
        for (std::size_t q = 0; q < kCodes.size(); ++q)
            out[q] = static_cast<float>(w[0] * v[q][0] + w[1] * v[q][1]);
        if (v[1][0] < 1e-6 && v[1][1] < 1e-6)
            out[1] = -1.0f;
    }
    const auto at = [this, x](int curve) {
        const TDepthTable& table = m_curves[static_cast<std::size_t>(curve)];
        return table.IsEmpty() ? 0.0 : table.InterpolateAtDepth(x);
    };
    record.corners = {x + scale * at(MemberCurve::AxialDisplacementBottom), scale * at(MemberCurve::DeflectionBottom),
                      x + scale * at(MemberCurve::AxialDisplacementTop),
                      record.h + scale * at(MemberCurve::DeflectionTop)};
    return 1;
}
