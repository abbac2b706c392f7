#pragma once
// TBase_Logic: the interface of the mode objects. A mode object stands between the view
// manager and one kind of structure with its current analysis: it names the graphs and the
// panel sets of every layout, fills the charts through the chart data contract, paints the
// panel texts and writes the mode's report. Only the view manager calls it; it owns the one
// mode object there is and destroys it through this interface.
//
// The base answers every operation that is not pure with the fallback the view manager
// expects of a mode object that has nothing to say.

#include <array>
#include <cstdint>
#include <string>

namespace plat {
class DC;
}
class TBoxItem;
class Tchart;
struct MapIntMesh;
struct MapFloatMesh;
class Tcontrolchart;
class TSectionalAnalysis;
class TStructure;

// One record per layout mode 0..11; byte k is 1 when the layout has what PanelMenuByte k names.
using PanelMenuRecord = std::array<std::uint8_t, 9>;
using PanelMenuTable = std::array<PanelMenuRecord, 12>;

namespace PanelMenuByte {
inline constexpr int LayoutCombo = 0;  // combo box 1101
inline constexpr int PasteCombo = 1;   // combo box 1102
inline constexpr int RangeButton = 2;  // push button 1000
inline constexpr int AddButton = 3;    // push button 1001
inline constexpr int ControlChart1 = 4;
inline constexpr int ControlChart2 = 5;
inline constexpr int PrintChartAlone = 6;
inline constexpr int PanelButtons = 7;
inline constexpr int PrintControlCharts = 8;
} // namespace PanelMenuByte

// Lists of choices a mode object offers, by category number.
namespace ChoiceCategory {
inline constexpr int LoadDeformation = 1;  // ids 1000 + i
inline constexpr int DefaultSeries = 4;    // default graph id + i
inline constexpr int NineGraphs = 5;       // ids 3000 + i
inline constexpr int Pushover = 6;         // ids 4000 + i
inline constexpr int FourGraphs = 7;       // ids 6000 + i
inline constexpr int SixGraphs = 10;       // ids 4600 + i shown, 5000 + i found by title
inline constexpr int MemberDetails = 11;   // ids 4800 + i
inline constexpr int Diagrams3D = 4700;    // availability of 4700 + i, i = 0, 1, 2
} // namespace ChoiceCategory

// First ids of the id series.
namespace GraphIdBase {
inline constexpr int LoadDeformation = 1000;
inline constexpr int NineGraphs = 3000;
inline constexpr int Pushover = 4000;
inline constexpr int SixGraphs = 4600;
inline constexpr int SixGraphsByTitle = 5000;
inline constexpr int MemberDetails = 4800;
inline constexpr int FourGraphs = 6000;
} // namespace GraphIdBase

// What the chart factory gives a plain chart before the mode object fills it.
struct ChartDescription {
    std::string title;
    std::string xLabel;
    std::string yLabel;
    int axisLabels = 1;  // 0 switches the chart's axis labels off
    int xPrecision = 2;
    int yPrecision = 2;
    double lowerX = 0.0;
    double upperX = 0.0;
};

class TBase_Logic {
public:
    TBase_Logic() = default;
    virtual ~TBase_Logic();
    TBase_Logic(const TBase_Logic&) = delete;
    TBase_Logic& operator=(const TBase_Logic&) = delete;

    // The virtual operations, in their order.
    // Writes the mode's report into the report text (left empty when there is nothing).
    virtual int MakeReportText(int flag);
    virtual int PaintPanelText(plat::DC& dc, int layoutMode, int width, int height);
    virtual void InitPanelMenu(PanelMenuTable& table) = 0;
    // The text of a new text box (at most kInfoTextSize - 1 characters; text arrives empty).
    virtual void GetInfoText(std::string& text) = 0;
    // In: position holds the graph id; out: the legend (empty for none) and a position code.
    virtual void GetLegendText(std::string& text, int& position) = 0;
    virtual void PaintSection(plat::DC& dc, int x, int y, int width, int height, int passThrough) = 0;
    virtual double GetScaleValue();
    virtual int GetMaterialCounts(int& reinforcingKinds, int& prestressingKinds);
    // The running analysis's current point on a control chart of the given sub-mode.
    virtual void GetControlPoint(double& x, double& y, int which) = 0;
    virtual int GetStageValues(double& x, double& y, int stage, int graphId);
    virtual int IsChoiceAvailable(int category, int idOrIndex);
    // A data point for a plain chart to select, -1 to clear, 20000 or more for none.
    virtual int FilterGraphId(int layoutMode, int graphId, int stage);
    virtual void FillChart(Tchart* chart, int graphId, int stage, int flag) = 0;
    virtual void FillControlChart(Tcontrolchart* chart, int which, int layoutMode) = 0;
    virtual std::string GetGraphTitle(int graphId, int flag) = 0;
    virtual int GetGraphKind(int graphId, int flag);
    virtual void OnGraphSelected(int setIndex);
    virtual int GetDefaultGraphId();
    // Hands a colour map just made the two mesh arrays it shows (null: none); the base has
    // none. The arrays stay the mode object's and must outlive the chart or be unlinked.
    virtual void OnChartCreated(const MapIntMesh*& mesh, const MapFloatMesh*& coords, int flag);
    virtual void GetOption(int graphId, int& hideTitles);
    virtual void Bind(TStructure* structure, TSectionalAnalysis* analysis) = 0;
    // 1 beam mode, 2 membrane mode, 4 placeholder; the base 0.
    virtual int GetModeType();
    virtual void GetPanelButtonInfo(int choice, int& count);
    virtual void GetPanelButtonName(int choice, int index, std::string& name, int& bitmapId, int& pressed);
    virtual int PaintInfoPanel(plat::DC& dc, int layoutMode, int width, int height, std::string& status);
    virtual void UpdateStatus();
    virtual std::string GetChoiceTitle(int category, int index, int flag);
    // Hands the bound structure to a box; the base detaches the box.
    virtual int AttachStructure(TBoxItem* box);
    virtual int GetChoiceId(int category, int setIndex, int panelIndex, int flag);
    virtual int GetChoiceCount(int category);
    virtual void GetChartDescription(int graphId, ChartDescription& description, int chartKind);
    virtual int GetFirstGraphId();
    virtual int GetFirstControlId();
    virtual int GetFirstChoiceId();
    virtual int GetDefaultControlId();
    virtual double Probe(int a, int b, int c);
    virtual int SetData(int a, int b, int c, int d, int e);
    virtual int UpdateInfoManager(TStructure* structure, int flag);
    virtual int OnControlChoice(Tcontrolchart* chart, int category, int index);
    virtual int ReleaseCharts();

    // Room of the info text and the legend text buffers, terminator included.
    static constexpr std::size_t kInfoTextSize = 1000;
    static constexpr std::size_t kLegendTextSize = 2048;
    // Axis labels and panel-button name of the base (they never reach a user).
    static constexpr const char* kPlaceholderXLabel = "x";
    static constexpr const char* kPlaceholderYLabel = "y";
    static constexpr const char* kPlaceholderButtonName = "button";
};
