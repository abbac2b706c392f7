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

#include "app/TBase_Logic.h"
#include "views/DisplayContext.h"
#include "views/ViewChart.h"

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
    // Title, axis labels and precisions of graph id; the view without one leaves them.
    virtual void GetChartDescription(int /*graphId*/, ChartDescription& /*d*/, int /*chartKind*/) {}
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
    // The tag chosen on control chart which (0 or 1): on the first, the load stage shown; 0
    // when that chart does not exist.
    virtual int GetControlChartChoice(int /*which*/) { return 0; }
    // 1 when one of the nine panel charts shows this state.
    virtual int HasChart(const SectionState* state) = 0;
    // The text of text box n, or of the first existing one for n < 0.
    virtual void SetTextBoxText(int n, const std::string& text) = 0;
    // Redraws the status text of the running analysis.
    virtual void ShowAnalysisStatus() {}
};

class TQ2k_Logic : public TBase_Logic {
public:
    TQ2k_Logic(TStructure* structure, TSectionalAnalysis* analysis);
    ~TQ2k_Logic() override;

    // ---- Settings and surroundings ------------------------------------------------------
    void SetDisplayContext(const DisplayContext& display) { m_display = display; }
    const DisplayContext& Display() const { return m_display; }
    void SetHost(BeamViewHost* host) { m_host = host; }
    // The host, owned from now on.
    void AdoptHost(std::unique_ptr<BeamViewHost> host);
    // While set, the display context is taken from the program's settings whenever the view
    // manager asks for a chart, a description, a point or the info panel.
    void FollowSettings(bool follow) { m_followSettings = follow; }

    // ---- The mode's operations, in the order of the base ----------------------------------
    int MakeReportText(int extra) override;
    void InitPanelMenu(PanelMenuTable& table) override;
    // The material lines of the bound section; empty without one.
    void GetInfoText(std::string& text) override;
    // In: the graph id; out: the legend and its placement code.
    void GetLegendText(std::string& text, int& code) override;
    // The section summary page of the bound section (nothing once the section has left the
    // structure table).
    void PaintSection(plat::DC& dc, int x, int y, int width, int height, int passThrough) override;
    int GetMaterialCounts(int& reinforcing, int& prestressing) override;
    // Without an analysis both are 3.1415626e31.
    void GetControlPoint(double& x, double& y, int controlId) override;
    int GetStageValues(double& x, double& y, int stage, int graphId) override;
    int IsChoiceAvailable(int category, int id) override;
    int FilterGraphId(int, int id, int value) override { return id < 200 ? -1 : value; }
    void FillChart(Tchart* chart, int graphId, int probe, int extra) override;
    void FillControlChart(Tcontrolchart* chart, int which, int layoutMode) override;
    std::string GetGraphTitle(int graphId, int extra) override;
    int GetGraphKind(int graphId, int extra) override;
    int GetDefaultGraphId() override { return 0; }
    void Bind(TStructure* structure, TSectionalAnalysis* analysis) override;
    int GetModeType() override { return 1; }
    int PaintInfoPanel(plat::DC& dc, int layoutMode, int width, int height,
                       std::string& heading) override;
    // The host redraws the analysis status text.
    void UpdateStatus() override;
    std::string GetChoiceTitle(int category, int index, int extra) override;
    // Hands the bound section to a box.
    int AttachStructure(TBoxItem* box) override;
    int GetChoiceId(int category, int set, int position, int extra) override;
    int GetChoiceCount(int category) override;
    void GetChartDescription(int graphId, ChartDescription& d, int chartKind) override;
    int GetFirstGraphId() override { return 1003; }
    int GetFirstControlId() override;
    int GetDefaultControlId() override { return 6; }
    // Redraws the section callouts of the information panes for the bound section (both
    // arguments are not used); returns 1.
    int UpdateInfoManager(TStructure* structure, int flag) override;
    int OnControlChoice(Tcontrolchart* chart, int category, int index) override;
    int GetModeCode() const { return 23; }

    // ---- The same over the beam views' chart interface (1 handled, 0 data missing) --------
    int FillChart(ViewChart* chart, int graphId, int probe, int extra);
    int FillControlChart(ViewChart* chart, int which, int layoutMode);
    int OnControlChoice(ViewChart* chart, int category, int index);
    int AttachAnalysis(ViewChart* chart);

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
    // The layer at the load stage the window shows, read again when the analysis went on.
    void FollowShownStage();
    void ReleaseLayerView();
    void OpenLayerView(double depth);
    // Until a depth is picked, the layer nearest the depth the set opens at, where no layer of
    // the response lies at that depth itself.
    void MoveProbeOntoNearestLayer();
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
    // The depth the set opens at, and whether the probe stands there (or at the layer nearest
    // it) rather than at a depth the user picked.
    static constexpr double kOpeningDepth = 0.0;
    bool m_probeAtOpening = true;
    // The set of the layer view is shown (the view follows the pair the object is bound to).
    bool m_layerViewShown = false;

    // The display context anew from the settings, when following them.
    void RefreshDisplay();

    DisplayContext m_display;
    bool m_followSettings = false;
    std::unique_ptr<BeamViewHost> m_ownedHost;
    BeamViewHost* m_host = nullptr;
};
