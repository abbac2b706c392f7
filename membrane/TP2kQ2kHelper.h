#pragma once
// TP2kQ2kHelper: one layer of a beam-section analysis seen as a membrane element. For a chosen
// depth it collects, from every valid load stage of the beam analysis, the node state at that
// depth and holds them as its own stage list, so that the membrane graphs, the state box and
// the node pane can show the layer's response stage by stage.
//
// It reads the beam analysis only through the analysis operations (GetLastStageIndex,
// GetStage and the states' nodes), so a beam analysis still running is sampled at its current
// stages each time the list is rebuilt. The beam analysis is not owned and must outlive it.
//
// The copied states carry f_sx and f_sxcr as kNotAvailable: the beam nodes hold no smeared x
// steel.

#include <array>
#include <functional>

#include "foundation/TDepthTable.h"
#include "membrane/TP2k1DAnalysis.h"

// The current choice of the view's control chart, which names the beam analysis's stage to show;
// the view layer installs it (without one the choice is 0). Returns the previous source.
using ControlChartChoiceSource = std::function<int()>;
ControlChartChoiceSource SetControlChartChoiceSource(ControlChartChoiceSource source);

class TP2kQ2kHelper : public TP2k1DAnalysis {
public:
    // The result curve of the depth table: x the entry's value, y its depth.
    static constexpr int kDepthCurve = 26;
    // Two node depths closer than this are the same layer.
    static constexpr double kDepthMatch = 5e-5;
    // Depth of a table entry that does not exist; it matches no node.
    static constexpr double kNoDepth = 1e31;

    // Builds the table of common depths of the beam analysis and loads the states at depth.
    TP2kQ2kHelper(const TShell* element, const TSectionalAnalysis* beamAnalysis, double depth);

    // Rebuilds the stage list for the depth of table entry index (kNoDepth outside the table).
    int SelectLoadStage(int index) override;
    // Curve kDepthCurve: 1 and the cursor reset; other ids as the base.
    int BeginCurve(int curveId) override;
    // Curve kDepthCurve: entry cursor's (value, depth), kNoDepth for both outside the table;
    // 1 while the cursor is inside, then the cursor advances. Other ids as the base.
    int GetCurvePoint(int curveId, double& x, double& y) override;

    // Rebuilds the stage list from the beam analysis's states at the depth; the state of the
    // beam stage the control chart names becomes current.
    void LoadStatesAt(double depth);
    // Keeps the list with the beam analysis: when its stages changed since the list was read (a
    // run that went on, more detail, an unloading), the depth table and the list are read again
    // at the depth; otherwise the state of the beam stage the control chart names becomes
    // current, when the list holds it. True when the list was read again.
    bool FollowBeamAnalysis(double depth);
    // The beam analysis's stage that list state k was taken from; -1 outside the list.
    int BeamStageOf(int k) const;
    const TDepthTable& GetDepthTable() const { return m_depths; }

private:
    void BuildDepthTable();
    // The state of the beam stage the control chart names becomes current, when the list holds it.
    void SelectChosenStage();

    TDepthTable m_depths{"control chart information"};
    const TSectionalAnalysis* m_beam = nullptr;
    // Per list state, the beam stage it came from (stages without the depth leave no state).
    std::array<int, kStageSlots> m_beamStage{};
    int m_cursor = 0;
    // The beam analysis's stage count (GetLastStageIndex) when the list was read.
    int m_readStages = -1;
};
