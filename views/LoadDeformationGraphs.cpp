// Load-deformation and interaction graphs 1000-1013: one point per load stage or diagram
// state, a force resultant against a deformation measure.

#include <algorithm>
#include <cmath>

#include "analysis/TQuarvish2000Analysis.h"
#include "analysis/TSectionalAnalysis.h"
#include "analysis/codes/CodeCapacityCurves.h"
#include "foundation/Sentinel.h"
#include "model/TBeam.h"
#include "views/BeamViewRules.h"
#include "views/GraphTables.h"
#include "views/TQ2k_Logic.h"

namespace {

constexpr int kForceAxial = 0, kForceMoment = 1, kForceShear = 2, kForceEnergy = 999;
constexpr const char* kForceNames[] = {"Axial Force", "Moment", "Shear"};
constexpr int kForceKinds[] = {1, 2, 1};

// The largest value of a node quantity over the nodes of the state's layer mesh, from start.
template <typename Quantity> double MeshMaximum(const SectionState& s, double start, Quantity q)
{
    double m = start;
    const int n = s.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec* L = s.LayerDef(i);
        for (std::uint32_t id : {L->NodeTop, L->NodeMid, L->NodeBottom})
            if (const LayerNodeStateRec* node = s.NodeState(static_cast<int>(id)))
                m = std::max(m, q(*node));
    }
    return m;
}

} // namespace

int TQ2k_Logic::ForceOfGraph(int id) const
{
    double d[3] = {0.0, 0.0, 0.0};
    if (m_analysis)
        m_analysis->GetIncrementLoads(d, 3);
    switch (id) {
    case 1001: case 1002: case 1009: return kForceMoment;
    case 1003: case 1004: case 1005: case 1007: case 1008: return kForceShear;
    case 1006: return kForceAxial;
    case 1013: return kForceEnergy;
    case 1000:
        if (!m_analysis || d[0] != 0.0)
            return kForceAxial;
        return std::fabs(d[2]) > std::fabs(d[1]) ? kForceShear : kForceMoment;
    default:
        if (!m_analysis || d[1] != 0.0)
            return kForceMoment;
        return std::fabs(d[0]) > std::fabs(d[2]) ? kForceAxial : kForceShear;
    }
}

double TQ2k_Logic::ForceOfState(const SectionState& s, int force) const
{
    switch (force) {
    case kForceAxial: return m_display.Show(s.Result(StateResult::AxialForce), 1);
    case kForceShear: return m_display.Show(s.Result(StateResult::Shear), 1);
    default: return m_display.Show(s.Result(StateResult::Moment), 2);
    }
}

void TQ2k_Logic::StagePoint(const SectionState* s, double& x, double& y, int id) const
{
    x = y = kUndefined;
    if (!s || s->Valid == 0 || !m_structure || m_structure->GetHeight() <= 0.0)
        return;
    const DisplayContext& u = m_display;
    const int force = ForceOfGraph(id);
    const double f = ForceOfState(*s, force);
    const double N = u.Show(s->Result(StateResult::AxialForce), 1);
    const double M = u.Show(s->Result(StateResult::Moment), 2);
    const double V = u.Show(s->Result(StateResult::Shear), 1);
    switch (id) {
    case 1000: x = u.Show(s->Result(StateResult::ReferenceStrain), 3), y = f; return;
    case 1001: x = u.Show(s->Result(StateResult::Curvature), 5), y = f; return;
    case 1002: {
        const TBeam* beam = dynamic_cast<const TBeam*>(m_structure);
        double largest = -1e20;
        const double e0 = s->Result(StateResult::ReferenceStrain);
        const double phi = s->Result(StateResult::Curvature);
        for (int i = 0; i < m_structure->GetLongLayerCount(0); ++i) {
            const LongLayerRec* bar = m_structure->GetLongLayer(i, 0);
            if (!bar)
                continue;
            const double jump = beam ? beam->GetStrainDiscontinuity(bar->z, 0) : 0.0;
            largest = std::max(largest, e0 + phi * bar->z + jump + bar->dep);
        }
        if (largest > -1e20)
            x = u.Show(largest, 3), y = f;
        return;
    }
    case 1003:
    case 1009: {
        const double w =
            MeshMaximum(*s, 0.0, [](const LayerNodeStateRec& n) { return n.CrackWidth; });
        x = u.Show(w, 6), y = f;
        return;
    }
    case 1004: {
        std::array<double, 6> v{};
        if (m_analysis)
            m_analysis->GetStateResults(s, v, 2);
        x = u.Show(v[2], 3), y = f;
        return;
    }
    case 1005: {
        const double e =
            MeshMaximum(*s, 0.0, [](const LayerNodeStateRec& n) { return n.StrainZ; });
        x = u.Show(std::min(e, 0.05), 3), y = f;
        return;
    }
    case 1006: x = M, y = N; return;
    case 1007: case 1010: case 1011: case 1012: x = M, y = V; return;
    case 1008: x = N, y = V; return;
    case 1013: {
        const auto* q = dynamic_cast<const TQuarvish2000Analysis*>(m_analysis);
        x = u.Show(s->Result(StateResult::Curvature), 5);
        y = u.Show(q ? q->SumStateOverReinforcement(s, 2) : 0.0, 29);
        return;
    }
    default:
        return;
    }
}

int TQ2k_Logic::FillInteractionCurves(ViewChart* chart, int mode, int lineType)
{
    const SectionState* first = nullptr;
    int flag = 0;
    if (!m_analysis || !m_analysis->GetDiagramState(0, first, flag) || !first)
        return 0;
    int id = mode;
    if (mode == 2) {
        id = 1007;
        chart->AddSeparator(kUndefined);
    } else {
        const double fx = m_display.Factor(mode == 1008 ? 1 : 2);
        const double fy = m_display.Factor(1);
        for (int curve = 21; curve <= 24; ++curve) {
            if (!m_analysis->BeginCurve(curve))
                continue;
            chart->AddSeparator(kUndefined);
            chart->AddSeparator(curve + 79);
            double x = 0.0, y = 0.0;
            while (m_analysis->GetCurvePoint(curve, x, y))
                if (x < kUndefined)
                    chart->AddPoint(x * fx, y * fy);
        }
        chart->AddSeparator(kUndefined);
        chart->SetLineStart(-1);
    }
    int previous = -1;
    const SectionState* s = nullptr;
    for (int i = 0; m_analysis->GetDiagramState(i, s, flag); ++i) {
        if (!s || s->Valid == 0)
            continue;
        const int running = flag ? 1 : 0;
        if (running != previous)
            chart->AddSeparator(running ? lineType : lineType + 1);
        previous = running;
        double x = 0.0, y = 0.0;
        StagePoint(s, x, y, id);
        if (x < kUndefined)
            chart->AddPoint(x, y);
    }
    return 1;
}

int TQ2k_Logic::FillLoadDeformation(ViewChart* chart, int id, int lineType)
{
    if (id < 1000 || id >= 1000 + kLoadDeformationCount) {
        chart->AutoScale();
        return 0;
    }
    const DisplayContext& u = m_display;
    const SectionState* peak = m_analysis ? m_analysis->GetPeakState() : nullptr;
    const double peakM = peak ? peak->Result(StateResult::Moment) : kUndefined;
    const double peakV = peak ? peak->Result(StateResult::Shear) : kUndefined;
    if (id >= 1010 && id <= 1012) {
        const TBeam* beam = dynamic_cast<const TBeam*>(m_structure);
        if (id == 1012)
            BuildCodeShearCurve(*chart, beam, id, lineType, 2, peakM, peakV);
        else
            BuildCodeCapacityCurve(*chart, beam, id, lineType, id - 1010, peakM, peakV);
        FillInteractionCurves(chart, 2, lineType + 1);
        chart->AutoScale();
        std::string legend;
        int code = id;
        GetLegendText(legend, code);
        if (!legend.empty() && m_host)
            m_host->SetTextBoxText(-1, legend);
        return 1;
    }
    if (!m_analysis) {
        chart->AutoScale();
        return 1;
    }
    const LoadDeformationRecord& r = g_LoadDeformationRecords[id - 1000];
    const int force = ForceOfGraph(id);
    const char* forceName = force == kForceEnergy ? "" : kForceNames[force];
    const std::string title = Printf(g_LoadDeformationTitleFormats[id - 1000], forceName);
    const std::string xLabel = Printf(r.xLabel, StrainAwareLabel(u, r.xKind));
    std::string yLabel = force == kForceEnergy
                             ? Printf("Energy (%s)", u.Label(29))
                             : Printf("%s (%s)", forceName, u.Label(kForceKinds[force]));
    yLabel += u.FactoredSuffix();
    chart->SetTitles(title, xLabel, yLabel, r.xPrecision, r.yPrecision);

    if (id == 1001 && m_structure && m_structure->RewindValueList(1) &&
        m_structure->RewindValueList(0)) {
        chart->AddSeparator(kChartMarkers);
        while (m_structure->HasMoreValues(1) && m_structure->HasMoreValues(0)) {
            const double phi = m_structure->NextValue(1);
            const double moment = m_structure->NextValue(0);
            chart->AddPoint(u.Show(phi, 5), u.Show(moment, 2));
        }
        chart->AddSeparator(kUndefined);
    }
    const int last = m_analysis->GetLastStageIndex();
    if (id == 1013 && m_analysis->GetStage(0)) {
        chart->AddSeparator(lineType);
        double E = 0.0;
        for (int i = 1; i < last; ++i) {
            const SectionState* a = m_analysis->GetStage(i - 1);
            const SectionState* b = m_analysis->GetStage(i);
            if (!a || !b || b->Valid == 0 || a->Valid == 0)
                continue;
            std::array<double, 6> va{}, vb{};
            m_analysis->GetStateResults(a, va, 2);
            m_analysis->GetStateResults(b, vb, 2);
            E += 0.5 * (vb[3] + va[3]) * (vb[0] - va[0]) + 0.5 * (vb[5] + va[5]) * (vb[2] - va[2]) +
                 0.5 * (vb[4] + va[4]) * (vb[1] - va[1]);
            chart->AddPoint(u.Show(vb[1], 5), u.Show(E, 29));
        }
        chart->AddSeparator(kUndefined);
        ++lineType;
    }
    if (id >= 1006 && id <= 1008) {
        FillInteractionCurves(chart, id, lineType);
        chart->AutoScale();
        return 1;
    }
    if (m_analysis->GetStage(0)) {
        bool marked = false;
        for (int i = 0; i < last; ++i) {
            const SectionState* s = m_analysis->GetStage(i);
            if (!s || s->Valid == 0 || !m_host || !m_host->HasChart(s))
                continue;
            double x = 0.0, y = 0.0;
            StagePoint(s, x, y, id);
            if (x >= kUndefined)
                continue;
            if (!marked)
                chart->AddSeparator(kChartMarkers);
            marked = true;
            chart->AddPoint(x, y);
        }
        chart->AddSeparator(lineType);
        const auto* q = dynamic_cast<const TQuarvish2000Analysis*>(m_analysis);
        double energy = 0.0;
        for (int i = 0; i < last; ++i) {
            const SectionState* s = m_analysis->GetStage(i);
            if (!s || s->Valid == 0) {
                chart->AddSeparator(kUndefined);
                continue;
            }
            double x = 0.0, y = 0.0;
            StagePoint(s, x, y, id);
            if (id == 1013) {
                if (i == 0)
                    energy = q ? q->SumStateOverReinforcement(s, 2) : 0.0;
                else if (q)
                    energy += q->ComputeEnergyIncrement(m_analysis->GetStage(i - 1), s, 2);
                y = u.Show(energy, 29);
            }
            if (x < kUndefined)
                chart->AddPoint(x, y);
        }
    }
    chart->AutoScale();
    return 1;
}
