#include "membrane/TP2kQ2kHelper.h"

#include <algorithm>
#include <cmath>

#include "membrane/MembraneState.h"
#include "model/TShell.h"

namespace {

ControlChartChoiceSource& ChoiceSource()
{
    static ControlChartChoiceSource source;
    return source;
}

int CurrentControlChartChoice()
{
    const ControlChartChoiceSource& source = ChoiceSource();
    return source ? source() : 0;
}

// The nodes 0 .. 2L of a state that it holds.
int HeldNodeCount(const SectionState& state)
{
    const int nodes = 2 * std::max(state.LayerCount, 0) + 1;
    return std::min(nodes, static_cast<int>(state.NodeStates.size()));
}

} // namespace

ControlChartChoiceSource SetControlChartChoiceSource(ControlChartChoiceSource source)
{
    ControlChartChoiceSource previous = std::move(ChoiceSource());
    ChoiceSource() = std::move(source);
    return previous;
}

TP2kQ2kHelper::TP2kQ2kHelper(const TShell* element,
                             const TSectionalAnalysis* beamAnalysis,
                             double depth)
    : TP2k1DAnalysis(element), m_beam(beamAnalysis)
{
    if (m_beam == nullptr)
        return;
    BuildDepthTable();
    LoadStatesAt(depth);
}

void TP2kQ2kHelper::BuildDepthTable()
{
    const int n = m_beam->GetLastStageIndex();
    m_depths.Clear();
    if (const TStructure* element = GetStructure()) {
        m_depths.Add(element->GetTop(), 0.0);
        m_depths.Add(element->GetBottom(), 0.0);
    }
    // Count in how many stages each node depth occurs.
    double most = 0.0;
    for (int i = 0; i < n; ++i) {
        const SectionState* state = m_beam->GetStage(i);
        if (state == nullptr)
            continue;
        for (int j = 0; j < HeldNodeCount(*state); ++j) {
            const double z = state->NodeStates[static_cast<std::size_t>(j)].Depth;
            double count = 0.0;
            const int at = m_depths.FindDepth(z, count);
            if (at < 0) {
                m_depths.Add(z, 1.0);
                count = 1.0;
            } else {
                count += 1.0;
                m_depths.SetValue(at, count);
            }
            most = std::max(most, count);
        }
    }
    // Only the depths present in the most stages stay.
    for (int i = m_depths.GetCount() - 1; i >= 0; --i) {
        if (m_depths.GetValue(i) >= most)
            m_depths.SetValue(i, 0.0);
        else
            m_depths.RemoveAt(i);
    }
    m_depths.Sort(1);
}

void TP2kQ2kHelper::LoadStatesAt(double depth)
{
    const int n = m_beam != nullptr ? m_beam->GetLastStageIndex() : 0;
    ClearStages();
    int k = 0;
    for (int i = 0; i < n && k < kStageSlots; ++i) {
        const SectionState* state = m_beam->GetStage(i);
        if (state == nullptr || state->Valid == 0)
            continue;
        const int nodes = HeldNodeCount(*state);
        for (int j = 0; j < nodes; ++j) {
            const LayerNodeStateRec& source = state->NodeStates[static_cast<std::size_t>(j)];
            if (!(std::fabs(source.Depth - depth) < kDepthMatch))
                continue;
            SectionStateHolder& holder = m_stages[static_cast<std::size_t>(k)];
            if (CreateSectionState(holder, nullptr) == 0 || ElementNode(*holder) == nullptr) {
                FreeSectionState(holder);
                break;
            }
            LayerNodeStateRec& node = *ElementNode(*holder);
            node = source;
            node.SteelStressX = kNotAvailable;
            node.SteelStressXAtCrack = kNotAvailable;
            holder->Valid = 1;
            holder->Results = state->Results;
            m_beamStage[static_cast<std::size_t>(k)] = i;
            ++k;
            break;
        }
    }
    Finish();
    m_readStages = n;
    SelectChosenStage();
}

void TP2kQ2kHelper::SelectChosenStage()
{
    const int chosen = CurrentControlChartChoice();
    for (int j = 0; j < kStageSlots; ++j) {
        const SectionState* state = GetStage(j);
        if (state == nullptr)
            break;
        if (m_beamStage[static_cast<std::size_t>(j)] == chosen) {
            m_current = state;
            break;
        }
    }
}

bool TP2kQ2kHelper::FollowBeamAnalysis(double depth)
{
    if (m_beam == nullptr)
        return false;
    if (m_beam->GetLastStageIndex() == m_readStages) {
        SelectChosenStage();
        return false;
    }
    BuildDepthTable();
    LoadStatesAt(depth);
    return true;
}

int TP2kQ2kHelper::BeamStageOf(int k) const
{
    return GetStage(k) != nullptr ? m_beamStage[static_cast<std::size_t>(k)] : -1;
}

int TP2kQ2kHelper::SelectLoadStage(int index)
{
    const bool inTable = index >= 0 && index < m_depths.GetCount();
    LoadStatesAt(inTable ? m_depths.GetDepth(index) : kNoDepth);
    return 1;
}

int TP2kQ2kHelper::BeginCurve(int curveId)
{
    if (curveId != kDepthCurve)
        return TP2k1DAnalysis::BeginCurve(curveId);
    m_cursor = 0;
    return 1;
}

int TP2kQ2kHelper::GetCurvePoint(int curveId, double& x, double& y)
{
    if (curveId != kDepthCurve)
        return TP2k1DAnalysis::GetCurvePoint(curveId, x, y);
    const int count = m_depths.GetCount();
    if (m_cursor < 0 || m_cursor >= count) {
        x = kNoDepth;
        y = kNoDepth;
        return 0;
    }
    x = m_depths.GetValue(m_cursor);
    y = m_depths.GetDepth(m_cursor);
    ++m_cursor;
    return 1;
}
