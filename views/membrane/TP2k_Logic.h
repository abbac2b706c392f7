#pragma once
// TP2k_Logic: the mode object of a membrane element (a reinforced concrete panel under
// in-plane stresses). Bound to an element and its analysis (neither owned), it names the
// membrane graphs 200-228 and the four nine-graph groups, describes and fills the charts from
// the analysis's load stages, fills the control chart "Control: Shear - |g_x_y", writes the
// element texts, and owns the 18 sensitivity runs of the graphs 219-227.
//
// Every value is read in SI (strains m/m, stresses Pa, lengths m, angles rad) from the
// element state (node 0 of a stage) and handed to the charts in display units of the
// display context.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/TBase_Logic.h"
#include "views/DisplayContext.h"

class TShell;
class ViewChart;
class TP2kFullResponse;
struct LayerNodeStateRec;
struct SectionState;

// One graph of the membrane table: its name (menus, default chart title) and the quantity of
// its x axis. The y axis of every graph 200-228 is a stress.
struct MembraneGraphRec {
    const char* title;
    const char* axisLabel;
};
// x unit kind, y unit kind, x precision, y precision, and two flags no operation reads.
using MembraneGraphUnitRec = std::array<int, 6>;

inline constexpr int kMembraneFirstGraph = 200;
inline constexpr int kMembraneLastGraph = 228;
inline constexpr int kMembraneGraphCount = 29;
inline constexpr int kMembraneGroupCount = 4;

extern const std::array<MembraneGraphRec, kMembraneGraphCount> MembraneGraphTable;
extern const std::array<MembraneGraphUnitRec, kMembraneGraphCount> MembraneGraphUnits;
extern const std::array<const char*, kMembraneGroupCount> MembraneGraphGroups;
extern const std::array<std::array<int, 9>, kMembraneGroupCount> MembraneGroupGraphIds;
extern const PanelMenuTable MembranePanelMenu;

// The table record of a graph id; null outside 200-228.
const MembraneGraphRec* FindMembraneGraph(int graphId);
const MembraneGraphUnitRec* FindMembraneGraphUnits(int graphId);

// The cap of the second curve of the two-curve charts (Pa), shared by the whole mode: set
// before the second curve is drawn and passed to its stage points. A capped graph chosen on its
// own does not read it (TP2k_Logic::OwnCurveCap).
extern double g_CurveCap;

class TP2k_Logic : public TBase_Logic {
public:
    static constexpr int kSensitivityRuns = 18;

    TP2k_Logic(TStructure* structure, TSectionalAnalysis* analysis);
    ~TP2k_Logic() override;

    void SetDisplayContext(const DisplayContext& display) { m_display = display; }
    const DisplayContext& Display() const { return m_display; }
    // While set, the display context is taken from the program's settings before each use.
    void FollowSettings(bool follow) { m_followSettings = follow; }
    // Redraws the running analysis's status text (the view manager's; none by default).
    void SetStatusHook(std::function<void()> hook) { m_statusHook = std::move(hook); }

    // ---- The mode's operations, in the order of the base ----------------------------------
    int PaintPanelText(plat::DC& dc, int layoutMode, int width, int height) override;
    void InitPanelMenu(PanelMenuTable& table) override;
    void GetInfoText(std::string& text) override;
    void GetLegendText(std::string& text, int& position) override;
    void PaintSection(plat::DC& dc, int x, int y, int width, int height, int passThrough) override;
    int GetMaterialCounts(int& reinforcing, int& prestressing) override;
    void GetControlPoint(double& x, double& y, int controlId) override;
    int IsChoiceAvailable(int category, int id) override;
    int FilterGraphId(int, int, int value) override { return value; }
    void FillChart(Tchart* chart, int graphId, int a, int b) override;
    void FillControlChart(Tcontrolchart* chart, int which, int a) override;
    std::string GetGraphTitle(int graphId, int flag) override;
    int GetDefaultGraphId() override { return 200; }
    // Stores the pair. When either changes the sensitivity runs are released: they belong to
    // the element they were made from, and are made anew on the next sensitivity chart.
    void Bind(TStructure* structure, TSectionalAnalysis* analysis) override;
    int GetModeType() override { return 2; }
    int PaintInfoPanel(plat::DC& dc, int layoutMode, int width, int height,
                       std::string& title) override;
    void UpdateStatus() override;
    std::string GetChoiceTitle(int category, int index, int flag) override;
    int AttachStructure(TBoxItem* box) override;
    int GetChoiceId(int category, int group, int position, int flag) override;
    int GetChoiceCount(int category) override;
    void GetChartDescription(int graphId, ChartDescription& d, int chartKind) override;
    int GetFirstGraphId() override { return 0; }
    int GetFirstControlId() override { return 3000; }
    int GetDefaultControlId() override { return 206; }
    int ReleaseCharts() override;
    int GetModeCode() const { return 97; }

    // ---- Charts over the views' chart interface -------------------------------------------
    // 0 for a null chart; 1 otherwise.
    int FillChart(ViewChart* chart, int graphId, int a, int level);
    // level 0: a panel's chart; 1: the second curve in the same chart. 0 without analysis,
    // element, chart or current state.
    int FillMembraneChart(ViewChart* chart, int graphId, int level);
    int FillControlChart(ViewChart* chart, int which, int a);
    // x and y of one stage for a graph, in display units; both 3.1415626e31 for a missing or
    // invalid stage.
    void GetGraphPoint(const SectionState* stage, double& x, double& y, int graphId,
                       double cap) const;
    // Control chart values of a stage: strain-factor x g_xy and stress-factor x v_xy.
    void GetControlValues(double& x, double& y, int flag, const SectionState* stage) const;

    // ---- Sensitivity runs -----------------------------------------------------------------
    int RunSensitivityAnalyses();
    // f_x of graph 227 (sign 1 plus, 0 minus), Pa.
    double GetVariedAxialStress(int sign) const;
    int AddSensitivityCurves(ViewChart* chart, int graphId);
    int MakeSensitivityTitle(int graphId, std::string& title) const;
    const TP2kFullResponse* GetSensitivityRun(int i) const;

    // ---- Texts ----------------------------------------------------------------------------
    // Lines of the reinforcement patterns, layers and transverse layers (growable).
    std::string DescribePatterns(int direction) const;
    std::string DescribeLongLayers(int direction) const;
    std::string DescribeTransLayers() const;

    TShell* GetShell() const;
    TSectionalAnalysis* GetBoundAnalysis() const { return m_analysis; }
    TStructure* GetBoundStructure() const { return m_structure; }

private:
    void RefreshDisplay();
    void FillStateChart(ViewChart* chart, int graphId, const SectionState& s);
    // The cap a capped graph (215, 216, 228) takes when chosen on its own: the one its
    // two-curve chart (207, 213, 212) gives it from the same element and stages, twice the
    // largest y of that chart's points (213: the smallest), at least 1 MPa (213: at most
    // -1 MPa). Pa.
    double OwnCurveCap(int graphId);

    TSectionalAnalysis* m_analysis = nullptr;
    TStructure* m_structure = nullptr;
    std::array<std::unique_ptr<TP2kFullResponse>, kSensitivityRuns> m_sensitivity;
    DisplayContext m_display;
    bool m_followSettings = false;
    std::function<void()> m_statusHook;
};

// Makes the varied copy of graph id (219-227, sign 1 plus, 0 minus): the copy is rebuilt from
// the element in every varied part first, so it differs from the element in the one input.
void ApplySensitivityVariation(const TShell& element, TShell& copy, int graphId, int sign);
