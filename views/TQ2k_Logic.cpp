// The beam mode object: binding, graph vocabulary, choices, titles, chart descriptions, the
// panel-chart dispatcher and the one-layer membrane view.

#include "views/TQ2k_Logic.h"

#include <cmath>

#include "analysis/TSectionalAnalysis.h"
#include "app/summary/InfoManager.h"
#include "app/views/ModeStandIns.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "member/TFullMemberResponse.h"
#include "member/fire/FireLaws.h"
#include "member/fire/ThermalAnalysis.h"
#include "membrane/TP2kQ2kHelper.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "charts/TBoxItem.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "views/BeamViewRules.h"
#include "views/ContractChart.h"
#include "views/GraphTables.h"

namespace {

constexpr const char* kNoSuchGraph = "no such graph type!!!";

// The nested view until the membrane mode installs its own: it draws nothing.
class EmptyLayerView final : public LayerViewLogic {
public:
    int FillChart(ViewChart*, int, int, int) override { return 0; }
    std::string GetGraphTitle(int, int) override { return kNoSuchGraph; }
};

LayerViewFactory& Factory()
{
    static LayerViewFactory factory;
    return factory;
}

std::unique_ptr<LayerViewLogic> MakeLayerView(const TShell* shell, TP2kQ2kHelper* states)
{
    if (Factory())
        if (auto view = Factory()(shell, states))
            return view;
    return std::make_unique<EmptyLayerView>();
}

// While it lives, the layer states take the load stage chosen on the host's first control
// chart (the stage the window shows) as the one to show.
class StageShownByHost {
public:
    explicit StageShownByHost(BeamViewHost* host)
        : m_previous(SetControlChartChoiceSource(
              host ? ControlChartChoiceSource([host] { return host->GetControlChartChoice(0); })
                   : ControlChartChoiceSource()))
    {
    }
    ~StageShownByHost() { SetControlChartChoiceSource(std::move(m_previous)); }
    StageShownByHost(const StageShownByHost&) = delete;
    StageShownByHost& operator=(const StageShownByHost&) = delete;

private:
    ControlChartChoiceSource m_previous;
};

} // namespace

LayerViewFactory SetLayerViewFactory(LayerViewFactory factory)
{
    LayerViewFactory previous = std::move(Factory());
    Factory() = std::move(factory);
    return previous;
}

TQ2k_Logic::TQ2k_Logic(TStructure* structure, TSectionalAnalysis* analysis)
    : m_structure(structure), m_analysis(analysis), m_display(DisplayContext::FromSettings())
{
}

TQ2k_Logic::~TQ2k_Logic()
{
    ReleaseLayerView();
}

void TQ2k_Logic::AdoptHost(std::unique_ptr<BeamViewHost> host)
{
    m_ownedHost = std::move(host);
    m_host = m_ownedHost.get();
}

void TQ2k_Logic::RefreshDisplay()
{
    if (m_followSettings)
        m_display = DisplayContext::FromSettings();
}

// The nested view reads the layer states, which read the shell: release in that order.
void TQ2k_Logic::ReleaseLayerView()
{
    m_layerView.reset();
    m_layerStates.reset();
    m_probeShell.reset();
}

void TQ2k_Logic::Bind(TStructure* structure, TSectionalAnalysis* analysis)
{
    if (structure == m_structure && analysis == m_analysis)
        return;
    // The layer view reads the states of the analysis it was opened on: it goes with it, and
    // while its set is shown it is opened again at the same depth on the new pair. Only a
    // sectional response has layer states to show: bound to another analysis (a member's
    // pushover, an interaction diagram) the set is left, and its depth chart with it.
    ReleaseLayerView();
    m_structure = structure;
    m_analysis = analysis;
    if (analysis && analysis->GetAnalysisKind() != AnalysisKind::LoadStage)
        m_layerViewShown = false;
    if (m_layerViewShown)
        OpenLayerView(m_probeDepth);
}

void TQ2k_Logic::InitPanelMenu(PanelMenuTable& table)
{
    table = kBeamPanelMenu;
}

// ---- Choices and titles -------------------------------------------------------------------

int TQ2k_Logic::GetChoiceCount(int category)
{
    switch (category) {
    case 1: return kLoadDeformationCount;
    case 4: return kProfileCount;
    case 5: return static_cast<int>(g_NineGraphSets.size());
    case 6: return static_cast<int>(g_MemberSets.size());
    case 7: return 3;
    default: return 0;
    }
}

std::string TQ2k_Logic::GetChoiceTitle(int category, int index, int)
{
    switch (category) {
    case 5:
        if (index >= 0 && index < static_cast<int>(g_NineGraphSetNames.size()))
            return g_NineGraphSetNames[index];
        break;
    case 1:
        if (index >= 0 && index < kLoadDeformationCount)
            return g_LoadDeformationRecords[index].title;
        break;
    case 4:
        if (index >= 0 && index < kProfileCount)
            return g_ProfileRecords[index].title;
        break;
    case 6:
        if (index >= 0 && index < static_cast<int>(g_MemberSetNames.size()))
            return g_MemberSetNames[index];
        break;
    default:
        break;
    }
    return "no title";
}

int TQ2k_Logic::GetChoiceId(int category, int set, int position, int)
{
    if (category == 5 && set >= 0 && set < 6 && position >= 0 && position < 9)
        return g_NineGraphSets[set][position];
    if (category == 6 && set >= 0 && set < 4 && position >= 0 && position < 5) {
        int id = g_MemberSets[set][position];
        // Where the member analysis has no capacity of its own, the stirrup chart compares
        // capacity with demand.
        if (m_analysis && m_analysis->Probe_analysis(15, 0.0) == 0.0 && set == 3 && position == 1)
            id = 4029;
        return id;
    }
    if (category == 10)
        return 0;
    ShowMessage(Printf("No graph for choice %d, set %d, position %d", category, set, position),
                "Error Trap", MsgStyle::IconExclamation);
    return 0;
}

std::string TQ2k_Logic::GetGraphTitle(int graphId, int extra)
{
    if (graphId >= 0 && graphId < kProfileCount)
        return g_ProfileRecords[graphId].title;
    if (graphId >= BeamGraphId::LayerViewFirst && graphId <= BeamGraphId::LayerViewLast)
        return m_layerView ? m_layerView->GetGraphTitle(graphId, extra) : kNoSuchGraph;
    if (graphId >= 1000 && graphId < 1000 + kLoadDeformationCount)
        return g_LoadDeformationRecords[graphId - 1000].title;
    return kNoSuchGraph;
}

int TQ2k_Logic::GetGraphKind(int graphId, int)
{
    if (graphId >= 0 && graphId < kProfileCount)
        return g_ProfileRecords[graphId].graphKind;
    return 0;
}

int TQ2k_Logic::GetFirstControlId()
{
    return m_analysis && m_analysis->HasShear() ? 3000 : 3003;
}

int TQ2k_Logic::IsChoiceAvailable(int category, int id)
{
    const int kind = m_analysis ? m_analysis->GetAnalysisKind() : -1;
    const int shear = m_analysis ? m_analysis->HasShear() : 0;
    switch (category) {
    case 1: {
        if (id == 1006 || id == 1007 || id == 1008)
            return kind == id - 1005 ? 1 : 0;
        const int k = id - 1000;
        if (k == 3 || k == 4 || k == 5)
            return shear ? 1 : 0;
        if (k == 10 || k == 13)
            return 0;
        return 1;
    }
    case 5:
        if (id == 5)
            return HasThermalModel() ? 1 : 0;
        if (id == 4)
            return kind == AnalysisKind::LoadStage ? 1 : 0;
        return 1;
    case 4:
        return id >= 0 && id < kProfileCount ? g_ProfileRecords[id].available : 0;
    case 4700:
        return kind >= 1 && kind <= 3 ? 1 : 0;
    case ChoiceCategory::FourGraphs:
    case ChoiceCategory::MemberDetails:
        return 0;  // the beam mode has no sets of these layouts
    default:
        return 1;
    }
}

int TQ2k_Logic::GetStageValues(double& x, double& y, int stage, int graphId)
{
    RefreshDisplay();
    if (graphId == 4011) {
        x = y = 0.0;
        std::array<double, 6> v{};
        if (m_analysis && m_analysis->GetStateResults(nullptr, v, 1)) {
            x = m_display.Show(v[1], 6);
            y = m_display.Show(v[4], 0);
        }
        return 1;
    }
    if (graphId >= 1000 && graphId <= 1999) {
        x = y = 0.0;
        if (m_analysis)
            StagePoint(m_analysis->GetStage(stage), x, y, graphId);
        return 1;
    }
    return 0;
}

void TQ2k_Logic::GetControlPoint(double& x, double& y, int controlId)
{
    RefreshDisplay();
    if (!m_analysis) {
        x = y = kUndefined;
        return;
    }
    ControlPointOfState(x, y, controlId, m_analysis->GetCurrentState());
}

int TQ2k_Logic::AttachAnalysis(ViewChart* chart)
{
    if (chart)
        chart->AttachStructure(m_structure);
    return 1;
}

void TQ2k_Logic::UpdateStatus()
{
    if (m_host)
        m_host->ShowAnalysisStatus();
}

int TQ2k_Logic::UpdateInfoManager(TStructure*, int)
{
    ::UpdateInfoManager(m_structure);
    return 1;
}

int TQ2k_Logic::AttachStructure(TBoxItem* box)
{
    if (box)
        box->AttachStructure(m_structure);
    return 1;
}

void TQ2k_Logic::FillChart(Tchart* chart, int graphId, int probe, int extra)
{
    RefreshDisplay();
    if (!chart)
        return;
    ContractChart view(*chart);
    FillChart(&view, graphId, probe, extra);
}

void TQ2k_Logic::FillControlChart(Tcontrolchart* chart, int which, int layoutMode)
{
    RefreshDisplay();
    if (!chart)
        return;
    ContractChart view(*chart, chart);
    FillControlChart(&view, which, layoutMode);
}

int TQ2k_Logic::OnControlChoice(Tcontrolchart* chart, int category, int index)
{
    if (!chart)
        return OnControlChoice(static_cast<ViewChart*>(nullptr), category, index);
    ContractChart view(*chart, chart);
    return OnControlChoice(&view, category, index);
}

// ---- Chart descriptions -------------------------------------------------------------------

void TQ2k_Logic::GetChartDescription(int id, ChartDescription& d, int chartKind)
{
    RefreshDisplay();
    const DisplayContext& u = m_display;
    if (id >= 0 && id < kProfileCount) {
        const ProfileRecord& r = g_ProfileRecords[id];
        d.title = r.title;
        d.xLabel = r.valueKind == 0 ? std::string(r.label)
                                    : Printf("%s (%s)", r.label, StrainAwareLabel(u, r.valueKind));
        d.yLabel = Printf("%s (%s)", "Beam Depth", u.Label(r.depthKind));
        d.axisLabels = 1;
        d.xPrecision = r.valuePrecision;
        d.yPrecision = r.depthPrecision;
        d.lowerX = -kUndefined;
        d.upperX = kUndefined;
        return;
    }
    if (id >= BeamGraphId::LayerViewFirst && id <= BeamGraphId::LayerViewLast) {
        // The one-layer graphs are described as the membrane mode describes them; before the
        // view is open a view over no layer answers the same (the texts need no layer).
        if (m_layerView)
            m_layerView->GetChartDescription(id, d, chartKind);
        else
            MakeLayerView(nullptr, nullptr)->GetChartDescription(id, d, chartKind);
        d.axisLabels = 1;
        d.lowerX = -kUndefined;
        d.upperX = kUndefined;
        return;
    }
    if (id >= 1000 && id < 1000 + kLoadDeformationCount) {
        const LoadDeformationRecord& r = g_LoadDeformationRecords[id - 1000];
        d.title = r.title;
        d.xLabel = (chartKind == 1 && r.xKind == 3 && u.unitSystem == 1)
                       ? Printf(r.xLabel, "x 10^-^3")
                       : FormatUnitLabel(r.xLabel, u, r.xKind);
        d.yLabel = FormatUnitLabel(r.yLabel, u, r.yKind) + u.FactoredSuffix();
        d.axisLabels = 1;
        d.xPrecision = r.xPrecision;
        d.yPrecision = r.yPrecision;
        if (r.halfRange >= 0) {
            d.upperX = std::fabs(u.Factor(r.xKind) * r.halfRange) / 1000.0;
            d.lowerX = -d.upperX;
        } else {
            d.lowerX = -kUndefined;
            d.upperX = kUndefined;
        }
        return;
    }
    if (id >= BeamGraphId::FireFirst && id <= BeamGraphId::FireLast) {
        d.title = g_FireTitles[id - BeamGraphId::FireFirst];
        d.xLabel.clear();
        d.axisLabels = 0;
        if (id <= 2111) {
            d.yLabel = u.unitSystem == 1 ? "Temperature (Degrees F)" : "Temperature (Degrees C)";
            d.lowerX = d.upperX = FireTemperatureForDisplay(GetFireSurfaceTemperature(), u);
            d.xPrecision = d.yPrecision = 0;
        } else if (id <= 2113) {
            d.yLabel = "Strength Factor";
            d.lowerX = d.upperX = 1.0;
            d.xPrecision = d.yPrecision = 1;
        } else {
            d.yLabel = "Peak Strain Factor";
            d.lowerX = d.upperX = ConcretePeakStrainFactor(GetFireSurfaceTemperature());
            d.xPrecision = d.yPrecision = 1;
        }
        return;
    }
    if (id >= BeamGraphId::MemberRecordFirst && id <= BeamGraphId::MemberRecordLast) {
        const MemberGraphRecord& r = g_MemberGraphRecords[id - BeamGraphId::MemberRecordFirst];
        d.title = r.title;
        d.xLabel = FormatUnitLabel(r.xLabel, u, r.xKind);
        d.yLabel = (r.yKind == 0 ? std::string(r.yLabel) : FormatUnitLabel(r.yLabel, u, r.yKind)) +
                   u.FactoredSuffix();
        d.axisLabels = 1;
        d.xPrecision = r.xPrecision;
        d.yPrecision = r.yPrecision;
        d.lowerX = -kUndefined;
        d.upperX = kUndefined;
        return;
    }
    if (id >= 4700 && id <= 4702) {
        static const char* const kSurfaces[] = {"Average |e_x strain", "Curvature |f",
                                                "Shear Strain |g_x_y"};
        d.title = Printf("Interaction Diagram - %s", kSurfaces[id - 4700]);
        d.xLabel = d.yLabel = "manually done";
        d.axisLabels = 0;
        d.xPrecision = d.yPrecision = 1;
        d.lowerX = -kUndefined;
        d.upperX = kUndefined;
        return;
    }
    d.axisLabels = 1;
    d.lowerX = -kUndefined;
    d.upperX = kUndefined;
}

// ---- The panel-chart dispatcher -----------------------------------------------------------

int TQ2k_Logic::FillChart(ViewChart* chart, int id, int probe, int extra)
{
    if (!chart)
        return 0;
    if (id >= 0 && id < BeamGraphId::ProfileRangeEnd)
        return FillProfile(chart, id, extra);
    if (BeamGraphId::IsLayerViewId(id))
        return FillLayerView(chart, id, probe, extra);
    if (id < 0) {
        ShowMessage(Printf("Graph id %d out of range", id), "Index Guard",
                    MsgStyle::IconExclamation);
        return 1;
    }
    if (id < 2000)
        return FillLoadDeformation(chart, id, extra);
    if (id >= BeamGraphId::FireFirst && id <= BeamGraphId::FireLast)
        return FillFireChart(chart, id);
    if (id >= BeamGraphId::ConcreteChart && id <= BeamGraphId::PSteelChart) {
        if (m_structure)
            chart->AttachStructure(m_structure);
        return 1;
    }
    if (id < 3000)
        return FillAnalysisCurve(chart, id, probe);
    if (id <= BeamGraphId::MemberLast)
        return FillMemberGraph(chart, id, extra);
    if (id >= BeamGraphId::SurfaceFirst && id <= BeamGraphId::SurfaceLast)
        return FillInteractionSurface(chart, id);
    ShowMessage(Printf("Graph id %d out of range", id), "Index Guard", MsgStyle::IconExclamation);
    return 1;
}

int TQ2k_Logic::FillAnalysisCurve(ViewChart* chart, int id, int probe)
{
    if (!m_analysis)
        return 0;
    if (id >= BeamGraphId::CrackDiagram && id <= BeamGraphId::InternalForces) {
        chart->AttachStructure(m_analysis->GetStructure());
        chart->AttachState(m_analysis->GetCurrentState());
    } else if (m_probeShell && m_layerView) {
        chart->AttachStructure(m_probeShell.get());
        m_layerView->FillChart(chart, id, probe, 0);
    }
    chart->AutoScale();
    return 1;
}

// ---- The one-layer view -------------------------------------------------------------------

void TQ2k_Logic::OpenLayerView(double depth)
{
    ReleaseLayerView();
    m_probeDepth = depth;
    const TBeam* beam = dynamic_cast<const TBeam*>(m_structure);
    if (m_analysis && beam) {
        m_probeShell = std::make_unique<TShell>(*beam, depth);
        const StageShownByHost shown(m_host);
        m_layerStates = std::make_unique<TP2kQ2kHelper>(m_probeShell.get(), m_analysis, depth);
        m_layerView = MakeLayerView(m_probeShell.get(), m_layerStates.get());
    }
}

// The set opens at depth 0, the section's centroid, where the response's layers seldom have a
// node of their own: their nodes lie either side of it, at depths that follow the section's
// layers and bars. Until the user picks a depth, the layer shown is then the one whose node lies
// nearest the centroid among the depths the response's stages share. A centroid that no region
// of concrete holds has no layer, and the graphs say so.
void TQ2k_Logic::MoveProbeOntoNearestLayer()
{
    if (!m_probeAtOpening || !m_layerStates || !m_structure || !m_structure->HasRegionAt(kOpeningDepth))
        return;
    const TDepthTable& depths = m_layerStates->GetDepthTable();
    double count = 0.0;
    if (depths.GetCount() == 0 || depths.FindDepth(m_probeDepth, count) >= 0)
        return;
    int nearest = 0;
    for (int i = 1; i < depths.GetCount(); ++i)
        if (std::fabs(depths.GetDepth(i) - kOpeningDepth) < std::fabs(depths.GetDepth(nearest) - kOpeningDepth))
            nearest = i;
    OpenLayerView(depths.GetDepth(nearest));
}

int TQ2k_Logic::OnControlChoice(ViewChart* chart, int category, int index)
{
    if (category != 5)
        return 1;
    m_layerViewShown = index == 4;
    if (m_layerViewShown) {
        m_probeAtOpening = true;
        OpenLayerView(kOpeningDepth);
        MoveProbeOntoNearestLayer();
        // The depth chart marks the depth the layer is shown at, not one picked before.
        double count = 0.0;
        const int entry = m_layerStates ? m_layerStates->GetDepthTable().FindDepth(m_probeDepth, count) : -1;
        if (entry >= 0)
            m_selectedStage = entry;
    } else
        ReleaseLayerView();
    if (chart)
        FillControlChart(chart, 2, 5);
    return 1;
}

int TQ2k_Logic::FillLayerView(ViewChart* chart, int id, int probe, int extra)
{
    if (!m_layerStates || !m_probeShell || !m_layerView)
        return 0;
    if (probe >= ProbeTag::DepthCurve) {
        // The point of the depth curve that the probe names. The view manager counts back from
        // the chart's own choice, which can still be the point picked before: a pick keeps the
        // choice when the scan for the nearest point passed it on the way.
        double x = 0.0, y = 0.0;
        if (m_host && m_host->GetControlChartValue(
                          1, x, y, ProbeTag::DepthCurve + m_host->GetControlChartChoice(1) - probe)) {
            const double factor = m_display.Factor(6);
            const double depth = factor != 0.0 ? y / factor : m_probeDepth;
            if (std::fabs(depth - m_probeDepth) > 0.0001) {
                m_probeAtOpening = false;
                OpenLayerView(depth);
            }
            if (!m_layerStates || !m_layerView)
                return 0;
        }
        m_selectedStage = probe - ProbeTag::DepthCurve;
        const StageShownByHost shown(m_host);
        m_layerStates->SelectLoadStage(m_selectedStage);
        const int n = static_cast<int>(m_layerStates->Probe_analysis(11, 0.0));
        m_layerStates->TP2k1DAnalysis::SelectLoadStage(n);
    } else if (m_host) {
        FollowShownStage();
    } else {
        // Without a window around it a probe names the stage itself (a tag of the diagram path
        // counts from 9000).
        if (probe < 0)
            return 0;
        m_layerStates->TP2k1DAnalysis::SelectLoadStage(probe >= ProbeTag::DiagramState
                                                           ? probe - ProbeTag::DiagramState
                                                           : probe);
    }
    m_layerView->FillChart(chart, id, extra, 0);
    return 1;
}

// Every refresh that picks no depth (a stage stepped to or picked, the panels made again for
// another pair or a new run, the run's own redraws) shows the layer at the load stage the
// window shows: the one chosen on the first control chart, which the view manager sets from
// the analysis before it fills the panels. Stages the analysis made since the layer was read
// (a run going on, more detail) are read first, at the same depth.
void TQ2k_Logic::FollowShownStage()
{
    const StageShownByHost shown(m_host);
    if (!m_layerStates->FollowBeamAnalysis(m_probeDepth))
        return;
    MoveProbeOntoNearestLayer();
    if (!m_layerStates)
        return;
    double count = 0.0;
    const int entry = m_layerStates->GetDepthTable().FindDepth(m_probeDepth, count);
    if (entry >= 0)
        m_selectedStage = entry;
}
