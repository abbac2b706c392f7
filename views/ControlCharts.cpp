// The two control charts of the beam mode: which pair of quantities each shows, the point of
// a state in that pair, the stage points and diagram paths of the analysis, and the stirrup
// helpers of the section profiles.

#include <cmath>

#include "analysis/TSectionalAnalysis.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "member/TFullMemberResponse.h"
#include "membrane/TP2kQ2kHelper.h"
#include "model/TStructure.h"
#include "views/GraphTables.h"
#include "views/TQ2k_Logic.h"

namespace {

constexpr int kTransverseDirection = 2;

void SetPairTitles(ViewChart* chart, const DisplayContext& u, int id)
{
    const ControlPairRecord* r = FindControlPair(id);
    if (!chart || !r || !r->title)
        return;
    chart->SetTitles(r->title, FormatUnitLabel(r->xLabel, u, r->xKind),
                     FormatUnitLabel(r->yLabel, u, r->yKind), 1, 1);
}

} // namespace

int TQ2k_Logic::ChooseControlPair(ViewChart* chart, int which, int m)
{
    if (!m_analysis) {
        if (chart)
            chart->SetSubMode(21);
        return 21;
    }
    double loads[3] = {0.0, 0.0, 0.0};
    m_analysis->GetIncrementLoads(loads, 3);
    const double dN = loads[0], dM = loads[1], dV = loads[2];
    const double H = m_structure ? m_structure->GetHeight() : 0.0;
    double r = 1.0;
    if (H > 0.0001)
        r = dM / H / 3.0;
    const bool axialLed = std::fabs(dN) > std::fabs(10.0 * dM);
    const int k = m_analysis->GetAnalysisKind();
    const double p0 = m_analysis->Probe_analysis(0, 0.0);
    const bool running = m_analysis->IsRunning() != 0;
    int id = 21;
    if (which == 1) {
        if (k == 5 && m != 6)
            id = 503;
        else if (p0 == 1.0 && (!running || m == 6) && m != 1)
            id = 27;
        else if (k == 2 && m == 1)
            id = 24;
        else if (p0 == 1.0 && m != 6 && (running || m == 1))
            id = 24;
        else if (k == 1)
            id = m == 1 ? 22 : 21;
        else if (k == 2 || k == 3)
            id = m == 1 ? (k == 2 ? 24 : 23) : 25;
        else if (axialLed)
            id = 20;
        else if (std::fabs(dV) > std::fabs(10.0 * r))
            id = 26;
        else
            id = 21;
    } else if (which == 2) {
        if (k == 5) {
            const int q = static_cast<int>(m_analysis->Probe_analysis(10, 0.0));
            id = (q == 1 || m != 6) ? 501 : 503;
        } else if (k == 1) {
            id = 22;
        } else if (k == 3) {
            id = 23;
        } else if (k == 2) {
            id = 24;
        } else if (std::fabs(dV) > 0.1) {
            id = 25;
        } else if (std::fabs(dN) > 0.1) {
            id = 20;
        } else {
            id = -2;
        }
    } else {
        if (chart)
            chart->SetSubMode(21);
        return 21;
    }
    if (m_layerStates && m_probeShell && which == 2)
        id = 500;
    SetPairTitles(chart, m_display, id);
    if (chart)
        chart->SetSubMode(id);
    return id;
}

int TQ2k_Logic::ControlPointOfState(double& x, double& y, int c, const SectionState* s)
{
    if (!s || s->Valid == 0) {
        x = y = kUndefined;
        return 0;
    }
    const DisplayContext& u = m_display;
    const double N = s->Result(StateResult::AxialForce);
    const double M = s->Result(StateResult::Moment);
    const double V = s->Result(StateResult::Shear);
    const double e = s->Result(StateResult::ReferenceStrain);
    const double phi = s->Result(StateResult::Curvature);
    const double location = s->Summary[0];
    switch (c) {
    case 20: x = u.Show(e, 3), y = u.Show(N, 1); return 1;
    case 21: x = u.Show(phi, 5), y = u.Show(M, 2); return 1;
    case 22: x = u.Show(M, 2), y = u.Show(N, 1); return 1;
    case 23: x = u.Show(N, 1), y = u.Show(V, 1); return 1;
    case 24: x = u.Show(M, 2), y = u.Show(V, 1); return 1;
    case 25: {
        std::array<double, 6> v{};
        if (m_analysis)
            m_analysis->GetStateResults(s, v, 2);
        x = u.Show(v[2], 3), y = u.Show(V, 1);
        return 1;
    }
    case 26: x = u.Show(e, 3), y = u.Show(V, 1); return 1;
    case 27: {
        std::array<double, 6> v{};
        if (m_analysis)
            m_analysis->GetStateResults(nullptr, v, 1);
        x = u.Show(-v[1], 6), y = u.Show(v[4], 0);
        return 1;
    }
    case -2: x = u.Show(e, 3), y = u.Show(M, 2); return 1;
    case -1: x = u.Show(e, 3), y = u.Show(V, 1); return 1;
    case 501: x = u.Show(location, 6), y = u.Show(V, 1); return 1;
    case 502: x = u.Show(location, 6), y = u.Show(-V, 1); return 1;
    case 503: x = u.Show(location, 6), y = u.Show(-M, 2); return 1;
    case 504: x = u.Show(location, 6), y = u.Show(s->Result(StateResult::LoadFactor), 0); return 1;
    case 500: {
        x = y = 0.0;
        if (!m_layerStates)
            return 0;
        m_layerStates->BeginCurve(TP2kQ2kHelper::kDepthCurve);
        double first = 0.0, depth = 0.0;
        for (int count = 0; m_layerStates->GetCurvePoint(TP2kQ2kHelper::kDepthCurve, first, depth);
             ++count) {
            if (count == m_selectedStage) {
                x = first;
                y = u.Show(depth, 6);
                break;
            }
        }
        return 1;
    }
    default:
        ShowMessage(Printf("Unknown control id %d", c), "Error Trap", MsgStyle::IconExclamation);
        x = y = 0.0;
        return 1;
    }
}

void TQ2k_Logic::FillControlCurve(ViewChart* chart, int controlId, bool markers)
{
    if (!chart || !m_analysis)
        return;
    const int passes = controlId == 501 ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int id = pass == 0 ? controlId : 502;
        const int first =
            (!markers && (id == 22 || id == 23 || id == 24)) ? ProbeTag::DiagramState : 0;
        bool started = false;
        for (int k = 0; k < m_analysis->GetLastStageIndex(); ++k) {
            const int stage = first + k;
            if (!started && pass == 0) {
                chart->AddTaggedPoint(kUndefined, markers ? kChartMarkers : 0.0, 1);
                started = true;
            }
            double x = 0.0, y = 0.0;
            ControlPointOfState(x, y, id, m_analysis->GetStage(stage));
            if (x != kUndefined)
                chart->AddTaggedPoint(x, y, stage);
            if (!markers) {
                const SectionState* next = m_analysis->GetStage(stage + 1);
                if (next && next->Result(StateResult::LoadFactor) == 0.0)
                    chart->AddTaggedPoint(kUndefined, kUndefined, 0);
            }
        }
    }
}

void TQ2k_Logic::DiagramPath(ViewChart* chart, int controlId)
{
    const int passes = controlId == 501 ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int id = pass == 0 ? controlId : 502;
        int previous = -1;
        const SectionState* s = nullptr;
        int flag = 0;
        for (int i = 0; m_analysis->GetDiagramState(i, s, flag); ++i) {
            if (!s || s->Valid == 0)
                continue;
            const int running = flag ? 1 : 0;
            if (running != previous)
                chart->AddTaggedPoint(kUndefined, running ? 0.0 : 8.0, 0);
            previous = running;
            double x = 0.0, y = 0.0;
            ControlPointOfState(x, y, id, s);
            if (x < kUndefined)
                chart->AddTaggedPoint(x, y, ProbeTag::DiagramState + i);
        }
    }
}

int TQ2k_Logic::FillControlChart(ViewChart* chart, int which, int layoutMode)
{
    if (!chart)
        return 0;
    const int id = ChooseControlPair(chart, which, layoutMode);
    chart->AttachStructure(nullptr);
    chart->SetDrawMode(1);
    const SectionState* current = m_analysis ? m_analysis->GetCurrentState() : nullptr;
    if (!current || current->Valid == 0) {
        chart->ClearData();
        chart->AutoScale();
        return 0;
    }
    const int k = m_analysis->GetAnalysisKind();
    if ((which == 2 && k >= 1 && k <= 3) || (which == 2 && k == 5) || (k == 5 && layoutMode != 6)) {
        chart->SetDrawMode(2);
        FillControlCurve(chart, id, true);
        DiagramPath(chart, id);
        if (m_analysis->Probe_analysis(0, 0.0) == 1.0 && m_analysis->BeginCurve(1)) {
            chart->AddTaggedPoint(kUndefined, kUndefined, 0);
            chart->AddTaggedPoint(kUndefined, 1.0, 0);
            const bool shear = which == 2 && (id == 501 || id == 502);
            const double fx = m_display.Factor(6);
            double x = shear ? 2.0 : 1.0, y = 0.0;
            while (m_analysis->GetCurvePoint(1, x, y)) {
                chart->AddTaggedPoint(x * fx, shear ? y * m_display.Factor(1) : -y * m_display.Factor(2),
                                      -1);
                x = shear ? 2.0 : 1.0;
            }
        }
    } else if (id == 27) {
        if (m_analysis->BeginCurve(0)) {
            chart->AddTaggedPoint(kUndefined, 0.0, 1);
            double x = 0.0, y = 0.0;
            for (int i = 0; m_analysis->GetCurvePoint(0, x, y); ++i)
                chart->AddTaggedPoint(x * m_display.Factor(6), y, ProbeTag::StrainProfile + i);
        }
    } else if (id == 23 || id == 24) {
        DiagramPath(chart, id);
        chart->SetDrawMode(2);
    } else if (id == 500) {
        if (!m_layerStates)
            return 0;
        m_layerStates->BeginCurve(TP2kQ2kHelper::kDepthCurve);
        double x = 0.0, y = 0.0;
        for (int i = 0; m_layerStates->GetCurvePoint(TP2kQ2kHelper::kDepthCurve, x, y); ++i)
            chart->AddTaggedPoint(x, y * m_display.Factor(6), ProbeTag::DepthCurve + i);
    } else {
        FillControlCurve(chart, id, false);
    }
    chart->AutoScale();
    return 1;
}

// The stirrup layers that act at a depth: within their depth range, with a spacing, and not
// failed in the state's flags (when given). Calls f(layer, hoop term) for each; the hoop term
// of a circular hoop is 1 - (depth - middle)^2 / ((top - bottom)^2 / 4 + 0.0001), else 1.
template <typename F>
void ForStirrupsAt(const TStructure& s, double depth, const std::vector<int>* failed, F f)
{
    const int count = s.GetTransLayerCount(kTransverseDirection);
    for (int i = 0; i < count; ++i) {
        const TransLayerRec* t = s.GetTransLayer(i, kTransverseDirection);
        if (!t || depth > t->disttop || depth < t->distbot || t->space <= 0.0)
            continue;
        if (failed && i < static_cast<int>(failed->size()) && (*failed)[i] != 0)
            continue;
        double term = 1.0;
        if (t->pattern == kCircularHoop) {
            const double middle = 0.5 * (t->disttop + t->distbot);
            const double h = t->disttop - t->distbot;
            term = 1.0 - (depth - middle) * (depth - middle) / (h * h * 0.25 + 0.0001);
        }
        f(*t, term);
    }
}

double TQ2k_Logic::StirrupStrainAt(const SectionState* state, int node) const
{
    if (!state || !m_structure)
        return 0.0;
    const LayerNodeStateRec* n = state->NodeState(node);
    if (!n)
        return 0.0;
    double sumA = 0.0, sum = 0.0;
    ForStirrupsAt(*m_structure, n->Depth, &state->TransLayerFlags,
                  [&](const TransLayerRec& t, double term) {
                      double value = n->StrainZ - t.thermStrain + t.dep;
                      if (t.pattern == kCircularHoop)
                          value *= term > 0.0 ? term : 0.0;
                      sumA += t.A;
                      sum += t.A * value;
                  });
    return std::fabs(sumA) > 1e-7 ? sum / sumA : 0.0;
}

double TQ2k_Logic::StirrupBondFactorAt(double depth, const std::vector<int>* failed) const
{
    if (!m_structure)
        return 0.0;
    double sumA = 0.0, sumP = 0.0;
    ForStirrupsAt(*m_structure, depth, failed, [&](const TransLayerRec& t, double term) {
        const double q = term > 0.0 ? std::sqrt(term) : 1.0;
        // The legs of a set: its area over the area of one bar (the record's own leg count
        // serves the tension-stiffening factor and is not the number of bars).
        const double legs = t.Ai > 0.0 ? t.A / t.Ai : 0.0;
        sumA += legs * t.Ai * q;
        sumP += legs * t.db * 3.141592653589 * q;
    });
    return sumP > 0.0 ? sumA / sumP : 0.0;
}

// The smoothing band of the transverse bond profiles at a depth: five bar diameters weighted
// by area over the acting stirrups; fallback when they have no area.
double TQ2k_Logic::StirrupBandAt(double depth, const std::vector<int>* failed, double fallback) const
{
    double sumA = 0.0, sumAd = 0.0;
    if (m_structure)
        ForStirrupsAt(*m_structure, depth, failed, [&](const TransLayerRec& t, double) {
            sumA += t.A;
            sumAd += t.A * t.db;
        });
    return sumA < 1e-6 ? fallback : 5.0 * sumAd / sumA;
}
