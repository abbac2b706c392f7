#pragma once
// TQ2k_Logic: the mode object of a beam or column section. Bound to a section and its
// analysis (neither owned), it names the graphs of the beam mode, fills the panel charts and
// the two control charts, writes legends, information texts and the section report, and opens
// the one-layer membrane view of the "Mohr's Circles" set: a membrane element cut from the
// section at a probe depth, the membrane states of the section's layers at that depth, and a
// nested membrane view over the two, all three owned here.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "views/DisplayContext.h"
#include "views/ViewChart.h"

namespace plat {
class DC;
}
class TSectionalAnalysis;
class TStructure;
class TShell;
class TP2kQ2kHelper;
struct SectionState;

// The membrane view of one layer, nested by the beam mode for the one-layer graphs.
class LayerViewLogic {
public:
    virtual ~LayerViewLogic() = default;
    virtual int FillChart(ViewChart* chart, int graphId, int extra, int flag) = 0;
    virtual std::string GetGraphTitle(int graphId, int extra) = 0;
};
// Makes the nested view over (probe shell, layer-state analysis); either may be null. The
// membrane mode installs its own; until then the view draws nothing.
using LayerViewFactory =
    std::function<std::unique_ptr<LayerViewLogic>(const TShell*, TP2kQ2kHelper*)>;
LayerViewFactory SetLayerViewFactory(LayerViewFactory factory);

// What the beam mode asks of the view manager around it.
class BeamViewHost {
public:
    virtual ~BeamViewHost() = default;
    // The picked point of control chart which (0 or 1); 0 when that chart does not exist.
    virtual int GetControlChartValue(int which, double& x, double& y, int tagBase) = 0;
    // 1 when one of the nine panel charts shows this state.
    virtual int HasChart(const SectionState* state) = 0;
    // The text of text box n, or of the first existing one for n < 0.
    virtual void SetTextBoxText(int n, const std::string& text) = 0;
};

// What a chart is given when the view manager creates it.
struct BeamChartDescription {
    std::string title;
    std::string xLabel;
    std::string yLabel;
    int numbering = 1; // 0: "top" and "bot" at the ends of the vertical axis
    int xPrecision = 2;
    int yPrecision = 2;
    double rangeMin = 0.0;
    double rangeMax = 0.0;
};

using BeamPanelMenuTable = std::array<std::array<std::uint8_t, 9>, 12>;

class TQ2k_Logic {
public:
    TQ2k_Logic(TStructure* structure, TSectionalAnalysis* analysis);
    virtual ~TQ2k_Logic();
    TQ2k_Logic(const TQ2k_Logic&) = delete;
    TQ2k_Logic& operator=(const TQ2k_Logic&) = delete;

    // ---- Settings and surroundings ------------------------------------------------------
    void SetDisplayContext(const DisplayContext& display) { m_display = display; }
    const DisplayContext& Display() const { return m_display; }
    void SetHost(BeamViewHost* host) { m_host = host; }

    // ---- The mode's operations ----------------------------------------------------------
    int MakeReportText(int extra);
    int InitPanelMenu(BeamPanelMenuTable& table);
    int GetInfoText(std::string& text);
    int GetLegendText(std::string& text, int& code);
    int GetMaterialCounts(int& reinforcing, int& prestressing);
    int GetControlPoint(double& x, double& y, int controlId);
    int GetStageValues(double& x, double& y, int stage, int graphId);
    int IsChoiceAvailable(int category, int id);
    int FilterGraphId(int x, int id, int value) { (void)x; return id < 200 ? -1 : value; }
    int FillChart(ViewChart* chart, int graphId, int probe, int extra);
    int FillControlChart(ViewChart* chart, int which, int layoutMode);
    std::string GetGraphTitle(int graphId, int extra);
    int GetGraphKind(int graphId, int extra);
    int GetDefaultGraphId() { return 0; }
    int Bind(TStructure* structure, TSectionalAnalysis* analysis);
    int GetModeType() { return 1; }
    std::string GetChoiceTitle(int category, int index, int extra);
    int AttachAnalysis(ViewChart* chart);
    int GetChoiceId(int category, int set, int position, int extra);
    int GetChoiceCount(int category);
    void GetChartDescription(int graphId, BeamChartDescription& d, int chartKind);
    int GetFirstGraphId() { return 1003; }
    int GetFirstControlId();
    int GetDefaultControlId() { return 6; }
    int OnControlChoice(ViewChart* chart, int category, int index);
    int GetModeCode() { return 23; }
    // The information texts of a layout: heading, name, author and date, and the current
    // strains and forces; nothing in the splash and input-summary layouts.
    int PaintInfoPanel(plat::DC& dc, int layoutMode, int width, int height,
                       const std::string& heading);

    // ---- Control charts -----------------------------------------------------------------
    int ChooseControlPair(ViewChart* chart, int which, int layoutMode);
    int ControlPointOfState(double& x, double& y, int controlId, const SectionState* state);
    void FillControlCurve(ViewChart* chart, int controlId, bool markers);
    // Area-weighted stirrup strain at a node of the state's layer mesh.
    double StirrupStrainAt(const SectionState* state, int node) const;
    // Stirrups' area-to-perimeter ratio at a depth, failed layers left out.
    double StirrupBondFactorAt(double depth, const std::vector<int>* failedFlags) const;
    double StirrupBandAt(double depth, const std::vector<int>* failedFlags, double fallback) const;

    // ---- Graph families -----------------------------------------------------------------
    // Point of a state on load-deformation graph id, in display units; (big, big) when none.
    void StagePoint(const SectionState* state, double& x, double& y, int graphId) const;
    int FillLoadDeformation(ViewChart* chart, int graphId, int lineType);
    int FillInteractionCurves(ViewChart* chart, int mode, int lineType);
    int FillProfile(ViewChart* chart, int graphId, int lineType);
    int FillMemberGraph(ViewChart* chart, int graphId, int lineType);
    int FillFireChart(ViewChart* chart, int graphId);
    int FillInteractionSurface(ViewChart* chart, int graphId);

    // ---- The one-layer view -------------------------------------------------------------
    const TShell* GetProbeShell() const { return m_probeShell.get(); }
    const TP2kQ2kHelper* GetLayerStates() const { return m_layerStates.get(); }
    const LayerViewLogic* GetLayerView() const { return m_layerView.get(); }
    double GetProbeDepth() const { return m_probeDepth; }
    int GetSelectedStage() const { return m_selectedStage; }

    TStructure* GetBoundStructure() const { return m_structure; }
    TSectionalAnalysis* GetBoundAnalysis() const { return m_analysis; }

private:
    // The force a load-deformation graph plots upwards: 0 N, 1 M, 2 V, 999 energy.
    int ForceOfGraph(int graphId) const;
    double ForceOfState(const SectionState& s, int force) const;
    void DiagramPath(ViewChart* chart, int controlId);
    int FillAnalysisCurve(ViewChart* chart, int graphId, int probe);
    int FillLayerView(ViewChart* chart, int graphId, int probe, int extra);
    void ReleaseLayerView();
    void OpenLayerView(double depth);
    void ProfileNodeWalk(ViewChart* chart, const SectionState& s, int graphId, double sign);
    void ProfilePerBar(ViewChart* chart, const SectionState& s, int graphId);
    void ProfileImposedStrain(ViewChart* chart, const SectionState& s);
    void ProfileBond(ViewChart* chart, const SectionState& s, int graphId);
    double NodeValue(const SectionState& s, int node, int graphId) const;

    TStructure* m_structure = nullptr;
    TSectionalAnalysis* m_analysis = nullptr;
    // The one-layer view, released in reverse order of dependency: the view over the
    // layer states over the shell.
    std::unique_ptr<TShell> m_probeShell;
    std::unique_ptr<TP2kQ2kHelper> m_layerStates;
    std::unique_ptr<LayerViewLogic> m_layerView;
    int m_selectedStage = 0;
    double m_probeDepth = 0.0;

    DisplayContext m_display;
    BeamViewHost* m_host = nullptr;
};
