// Section profiles 0-30: one quantity of the current state against the depth of the section.

#include <algorithm>
#include <cmath>

#include "analysis/TSectionalAnalysis.h"
#include "app/GlobalTables.h"
#include "foundation/Sentinel.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/TStructure.h"
#include "views/BeamViewRules.h"
#include "views/GraphTables.h"
#include "views/TQ2k_Logic.h"

namespace {

// The negated crack-shear limit, drawn below the shear on a crack.
constexpr int kNegatedLimit = -9;
constexpr int kFireStrain = 30;

// The outline of a bar layer's value over its bar diameter, from the zero axis.
void AddBarRectangle(ViewChart* chart, double x, double lower, double upper)
{
    chart->AddPoint(0.0, lower);
    chart->AddPoint(x, lower);
    chart->AddPoint(x, upper);
    chart->AddPoint(0.0, upper);
}

} // namespace

double TQ2k_Logic::NodeValue(const SectionState& s, int node, int id) const
{
    const LayerNodeStateRec* n = s.NodeState(node);
    if (!n)
        return 0.0;
    switch (id) {
    case 0: return n->CrackAngle;
    case 2: return n->CrackSpacingTheta;
    case 3: return n->CrackWidth;
    case 4: case 16: return n->ConcShearStress;
    case 5: return n->CrackSpacingX;
    case 6: return n->ConcStressX;
    case 7: return n->StrainX;
    case 8: return n->ConcStress2Max;
    case 9: return n->CrackShearLimit;
    case 10: return n->Strain2;
    case 11: return n->ConcStress2;
    case 12: return n->Strain1;
    case 13: return n->ConcStress1;
    case 14: return n->CrackShearStress;
    case 15: return n->ShearStrain;
    case 18: return n->StirrupStress;
    case 19: return n->StirrupStressAtCrack;
    case 20: return n->CrackSpacingZ;
    case 21: return n->StrainZ;
    case 22: return n->TensionLimit;
    case 28: return StirrupStrainAt(&s, node);
    case 29: return n->Stress1AtCrack;
    case kNegatedLimit: return -n->CrackShearLimit;
    default: return 0.0;
    }
}

// Top, middle and bottom node of every layer from the top down, then the bottom node of the
// last layer.
void TQ2k_Logic::ProfileNodeWalk(ViewChart* chart, const SectionState& s, int id, double)
{
    const int kind = (id == kNegatedLimit) ? 10 : g_ProfileRecords[id].valueKind;
    const int n = s.UsableLayerCount();
    for (int k = 0; k <= 2 * n; ++k) {
        const LayerDefRec* layer = s.LayerDef(k < 2 * n ? k / 2 : n - 1);
        if (!layer)
            break;
        int node = 0;
        double depth = 0.0;
        if (k == 2 * n)
            node = static_cast<int>(layer->NodeBottom), depth = layer->Bottom;
        else if (k % 2 == 0)
            node = static_cast<int>(layer->NodeTop), depth = layer->Top;
        else
            node = static_cast<int>(layer->NodeMid), depth = layer->Mid;
        chart->AddPoint(m_display.Show(NodeValue(s, node, id), kind), m_display.Show(depth, 6));
    }
}

void TQ2k_Logic::ProfilePerBar(ViewChart* chart, const SectionState& s, int id)
{
    const int kind = g_ProfileRecords[id].valueKind;
    chart->AddPoint(0.0, m_display.Show(m_structure->GetTop(), 6));
    for (int i = 0; i < m_structure->GetLongLayerCount(0); ++i) {
        const LongLayerRec* bar = m_structure->GetLongLayer(i, 0);
        if (!bar)
            continue;
        double v = 0.0;
        switch (id) {
        case 17: v = s.BarValue(BarArray::List0Stress, i); break;
        case 26: v = s.BarValue(BarArray::List0Second, i); break;
        case 23: v = i < static_cast<int>(s.LongBarExtra[0].size()) ? s.LongBarExtra[0][i] : 0.0; break;
        default: v = i < static_cast<int>(s.LongBarExtra[1].size()) ? s.LongBarExtra[1][i] : 0.0; break;
        }
        if (std::fabs(v) > 1e30)
            v = 0.0;
        AddBarRectangle(chart, m_display.Show(v, kind), m_display.Show(bar->z - bar->db / 2, 6),
                        m_display.Show(bar->z + bar->db / 2, 6));
    }
    chart->AddPoint(0.0, m_display.Show(m_structure->GetBottom(), 6));
}

void TQ2k_Logic::ProfileImposedStrain(ViewChart* chart, const SectionState& s)
{
    const double top = m_structure->GetTop(), bottom = m_structure->GetBottom();
    const double h = m_structure->GetHeight();
    chart->AddPoint(0.0, m_display.Show(bottom, 6));
    for (int j = 0; j <= 100; ++j) {
        const double y = bottom + h * j / 100.0;
        chart->AddPoint(m_display.Show(m_structure->GetInitialStrainAt(y, 0), 3), m_display.Show(y, 6));
    }
    chart->AddPoint(0.0, m_display.Show(top, 6));
    chart->AddSeparator(kUndefined);
    chart->AddSeparator(4.0);
    chart->AddPoint(0.0, m_display.Show(top, 6));
    for (int i = 0; i < m_structure->GetLongLayerCount(0); ++i) {
        const LongLayerRec* bar = m_structure->GetLongLayer(i, 0);
        if (!bar || std::fabs(s.BarValue(BarArray::List0Stress, i)) >= 1e20)
            continue;
        AddBarRectangle(chart, m_display.Show(bar->thermStrain, 3),
                        m_display.Show(bar->z - bar->db / 2, 6),
                        m_display.Show(bar->z + bar->db / 2, 6));
    }
    chart->AddPoint(0.0, m_display.Show(bottom, 6));
}

// Transverse bond (1 average, 25 local), per half layer and smoothed over a band of the height.
void TQ2k_Logic::ProfileBond(ViewChart* chart, const SectionState& s, int id)
{
    TDepthTable bond("transverse bond");
    const double sectionBottom = m_structure->GetBottom();
    const auto carries = [&](int node) {
        const LayerNodeStateRec* n = s.NodeState(node);
        return n && n->StirrupRatio > 0.0;
    };
    const auto stress = [&](int node) {
        const LayerNodeStateRec* n = s.NodeState(node);
        return n ? n->StirrupStress : 0.0;
    };
    const auto crackTerm = [&](int node, double k) {
        const LayerNodeStateRec* n = s.NodeState(node);
        if (!n || !carries(node) || n->CrackSpacingX <= 0.0)
            return 0.0;
        return std::fabs(n->StirrupStressAtCrack - n->StirrupStress) * k / n->CrackSpacingX;
    };
    const int n = s.UsableLayerCount();
    double lastBottomValue = 0.0, lastBottomDepth = sectionBottom;
    for (int i = 0; i < n; ++i) {
        const LayerDefRec* L = s.LayerDef(i);
        if (!L)
            break;
        const int top = static_cast<int>(L->NodeTop), mid = static_cast<int>(L->NodeMid),
                  bot = static_cast<int>(L->NodeBottom);
        const double k = StirrupBondFactorAt(L->Bottom, &s.TransLayerFlags);
        double a = 0.0, b = 0.0;
        if (id == 1) {
            if (carries(top) && carries(mid) && L->Top > L->Mid)
                a = std::fabs(stress(top) - stress(mid)) * k / (L->Top - L->Mid);
            if (carries(mid) && carries(bot) && L->Mid > L->Bottom)
                b = std::fabs(stress(mid) - stress(bot)) * k / (L->Mid - L->Bottom);
            lastBottomValue = b;
        } else {
            a = crackTerm(top, k);
            b = crackTerm(mid, k);
            lastBottomValue = crackTerm(bot, k);
        }
        bond.Add(L->Top, a);
        bond.Add(L->Mid, b);
        lastBottomDepth = L->Bottom;
        if (std::fabs(L->Bottom - sectionBottom) < 1e-6)
            break;
    }
    bond.Add(lastBottomDepth, lastBottomValue);
    bond.Sort(0);

    const double top = m_structure->GetTop(), height = m_structure->GetHeight();
    const int kind = g_ProfileRecords[id].valueKind;
    for (int j = 0; j <= 40; ++j) {
        const double y = top - height * j / 40.0;
        double w = StirrupBandAt(y, &s.TransLayerFlags, height / 20.0);
        w = std::min(w, height * 0.125);
        const double upper = std::min(y + w / 2, top);
        const double lower = std::max(y - w / 2, sectionBottom);
        const double v = upper > lower ? bond.Integrate(lower, upper) / (upper - lower) : 0.0;
        chart->AddPoint(m_display.Show(v, kind), m_display.Show(y, 6));
    }
    if (m_display.debugLevel != 0)
        chart->AddSeparator(1.0);
}

int TQ2k_Logic::FillProfile(ViewChart* chart, int id, int lineType)
{
    if (id == kFireStrain) {
        chart->AddSeparator(lineType);
        // The profile of the last fire run, shown only for the beams of that run.
        const TStructure* current = StructureAt(g_CurrentStructure);
        if (ThermalModelBelongsTo(current ? g_CurrentStructure : -1, current ? current : m_structure) &&
            ResetThermalPlotIterator(kFireStrain)) {
            double x = 0.0, y = 0.0;
            while (GetNextThermalPlotPoint(kFireStrain, x, y))
                chart->AddPoint(m_display.Show(x, 3), m_display.Show(y, 6));
        }
        chart->AutoScale();
        return 1;
    }
    const SectionState* s = m_analysis ? m_analysis->GetCurrentState() : nullptr;
    if (!s) {
        chart->AutoScale();
        return 0;
    }
    if (s->Valid == 0 || id > BeamGraphId::ProfileLast || !m_structure)
        return 0;
    chart->AttachState(s);
    chart->AddSeparator(lineType);
    if (id != 7 && id != 15)
        chart->SetNote("AverageX");
    switch (id) {
    case 1:
    case 25:
        ProfileBond(chart, *s, id);
        break;
    case 17:
    case 23:
    case 24:
    case 26:
        ProfilePerBar(chart, *s, id);
        break;
    case 27:
        ProfileImposedStrain(chart, *s);
        break;
    case 7: {
        const TStructure* own = m_analysis->GetStructure() ? m_analysis->GetStructure() : m_structure;
        chart->AddPoint(0.0, m_display.Show(own->GetTop(), 6));
        ProfileNodeWalk(chart, *s, id, 1.0);
        chart->AddPoint(0.0, m_display.Show(own->GetBottom(), 6));
        chart->SetNote(Printf("|f = %5.3f %s", m_display.Show(s->Result(StateResult::Curvature), 5),
                              m_display.Label(5)));
        break;
    }
    case 15:
    case 21: {
        if (id == 15) {
            std::array<double, 6> v{};
            m_analysis->GetStateResults(s, v, 2);
            chart->SetNote(Printf("|g_x_y = %5.3f %s", m_display.Show(v[2], 3), m_display.Label(3)));
            chart->ClearData();
        }
        const int first = id == 15 ? 0 : 2;
        for (int list = first; list < first + 2; ++list) {
            if (s->PointLists[list].empty())
                continue;
            chart->AddSeparator(kUndefined);
            chart->AddSeparator(4.0);
            for (const EnvelopePoint& p : s->PointLists[list])
                chart->AddPoint(m_display.Show(p.value, 3), m_display.Show(p.depth, 6));
        }
        chart->AddSeparator(lineType);
        ProfileNodeWalk(chart, *s, id, 1.0);
        break;
    }
    case 14: {
        ProfileNodeWalk(chart, *s, id, 1.0);
        double lo = 0.0, hi = 0.0;
        bool any = false;
        for (int k = 0; k < static_cast<int>(s->NodeStates.size()); ++k) {
            const double v = s->NodeStates[k].CrackShearStress;
            lo = any ? std::min(lo, v) : v;
            hi = any ? std::max(hi, v) : v;
            any = true;
        }
        const auto positive = [&] {
            chart->AddSeparator(kUndefined);
            chart->AddSeparator(lineType + 1);
            ProfileNodeWalk(chart, *s, 9, 1.0);
        };
        const auto negative = [&] {
            chart->AddSeparator(kUndefined);
            chart->AddSeparator(lineType + 1);
            ProfileNodeWalk(chart, *s, kNegatedLimit, 1.0);
        };
        if (std::fabs(hi) > std::fabs(lo) && std::fabs(hi) > 1000.0) {
            positive();
            if (std::fabs(lo) > std::fabs(hi) / 50.0)
                negative();
        } else if (std::fabs(lo) >= std::fabs(hi) && std::fabs(lo) > 1000.0) {
            if (std::fabs(hi) > std::fabs(lo) / 50.0)
                positive();
            negative();
        }
        break;
    }
    default:
        ProfileNodeWalk(chart, *s, id, 1.0);
        if (id == 4 && s->Profile && !s->Profile->IsEmpty()) {
            chart->AddSeparator(kUndefined);
            chart->AddSeparator(2.0);
            for (int i = 0; i < s->Profile->GetCount(); ++i)
                chart->AddPoint(m_display.Show(s->Profile->GetValue(i), 10),
                                m_display.Show(PairPosition(s->Profile.get(), i), 6));
        }
        if (id == 11 || id == 13) {
            chart->AddSeparator(kUndefined);
            chart->AddSeparator(lineType + 1);
            ProfileNodeWalk(chart, *s, id == 11 ? 8 : 22, 1.0);
        }
        break;
    }
    chart->AutoScale();
    return 1;
}
