#pragma once
// The view manager: it divides the main window's client area into the control panel on the
// left and the result panels on the right, keeps the layout mode, the graph id of every panel
// and the mode object of the current structure, and is the only code that talks to the mode
// object. The main window creates one with itself as owner and forwards its size, paint and
// control-panel events to it.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/TBase_Logic.h"
#include "app/views/PanelLayout.h"
#include "charts/BoxGeometry.h"
#include "platform/Types.h"

namespace plat {
class DC;
class Window;
} // namespace plat
namespace plat {
class Button;
class ComboBox;
class GlyphButton;
struct LogFont;
} // namespace plat
class TBoxItem;
class TGraphicBox;
class TShellServices;
class TTextBox;
class TStructure;
class TSectionalAnalysis;
class TViewm_2k;
struct SectionState;

// Makes the mode object of a beam section over the view manager that will own it. The result
// views install theirs at start-up; without one the view manager keeps a stand-in that draws
// nothing. Returns the previous factory.
using BeamLogicFactory =
    std::function<std::unique_ptr<TBase_Logic>(TStructure*, TSectionalAnalysis*, TViewm_2k&)>;
BeamLogicFactory SetBeamLogicFactory(BeamLogicFactory factory);
// The same for a membrane element; without one the view manager keeps a stand-in.
using MembraneLogicFactory = BeamLogicFactory;
MembraneLogicFactory SetMembraneLogicFactory(MembraneLogicFactory factory);

// The mode type (GetModeType) of the mode object that shows a structure of the kind: 1 beam
// sections, 2 membrane elements, 4 bare structures; 0 for a kind without a view.
int ModeTypeOfKind(int kind);

class TViewm_Base {
public:
    TViewm_Base(plat::Window* owner, TShellServices* services);
    virtual ~TViewm_Base();
    TViewm_Base(const TViewm_Base&) = delete;
    TViewm_Base& operator=(const TViewm_Base&) = delete;

    // The virtual operations, in their order.
    virtual void PaintSplash(plat::DC& dc) = 0;
    virtual void ShowMaterials() = 0;
    virtual void EvSize(plat::Size size);
    // Keeps the mode object when its type is the one asked for (re-binding it), else creates
    // the one for the structure's kind. Returns 1.
    virtual int CreateLogic(int type, TStructure* structure, TSectionalAnalysis* analysis) = 0;
    virtual void CreateChart(Tchart* chart, int graphId, int hideTitle, int resetRange) = 0;

    // The rectangle of a panel in the owner's client area now (the pasted chart's cut short of
    // the "Add to Graph" button).
    PanelRect GetPanelRect(int panelId) const;

    // The control panel: background, layout title, frame lines, etched frames and the mode
    // object's texts.
    void PaintPanel(plat::DC& dc);
    // Clears the combo and adds the graph titles the flags select (none without a mode object).
    void FillChoiceList(plat::ComboBox& combo, int flags);
    // The graph id of a chosen title: -1 when nothing matches, 0 without a mode object.
    int ChartIdFromTitle(const std::string& text);
    // Selects the entry equal to the text and shows the combo.
    void SelectComboText(plat::ComboBox& combo, const std::string& text);

    int GetLayoutMode() const { return m_layoutMode; }
    TShellServices* GetServices() const { return m_services; }
    // Stores the mode; leaving the start picture or the summary page repaints the whole owner.
    void SetLayoutMode(int mode);
    TBase_Logic* GetLogic() const { return m_logic.get(); }
    const PanelMenuTable& GetPanelMenu() const { return m_panelMenu; }
    // Byte k of the current mode's panel-menu record.
    bool PanelMenuHas(int byte) const;
    int GetChartId(int i) const { return i >= 0 && i < kPanelCharts ? m_chartIds[static_cast<std::size_t>(i)] : 0; }
    int GetDefaultGraphId() const { return m_defaultGraphId; }
    void SetTraceLevel(int level) { m_traceLevel = level; }
    // The status text the main window shows; the printed information panel takes it as its
    // heading. Kept to its first 49 characters.
    void SetStatusText(const std::string& text);
    const std::string& GetStatusText() const { return m_statusText; }
    // The program title, subtitle and version that the start picture shows.
    void SetProgramTexts(const std::string& title, const std::string& subtitle, const std::string& version);
    const std::string& GetIdentificationText(int i) const { return m_texts.at(static_cast<std::size_t>(i)); }

    static constexpr int kPanelCharts = 9;
    static constexpr int kTextBoxes = 5;
    static constexpr int kPanelButtons = 12;
    // Stage codes from this one on are depth picks and the like, no load stage.
    static constexpr int kProbeCode = 20000;
    // Control id of panel button 0; button i has the id after it by i.
    static constexpr int kFirstPanelButtonId = 1150;

protected:
    plat::Window* m_owner;
    TShellServices* m_services;
    std::unique_ptr<TBase_Logic> m_logic;
    PanelMenuTable m_panelMenu{};
    int m_layoutMode = LayoutMode::Start;
    std::array<int, kPanelCharts> m_chartIds{};
    int m_traceLevel = 0;
    std::array<std::string, 8> m_texts;
    std::string m_statusText = "status";
    double m_controlPanelFraction = kControlPanelFraction;
    bool m_sampleChartShown = true;
    int m_pastedGraphId = 0;
    int m_selectPoint = 0;
    int m_objectOptionsIndex = 0;
    int m_pasteListFlags = 23;
    int m_baseListFlags = 1;
    int m_defaultGraphId = 0;
};

class TViewm_2k : public TViewm_Base {
public:
    TViewm_2k(plat::Window* owner, TShellServices* services);
    ~TViewm_2k() override;

    void PaintSplash(plat::DC& dc) override;
    void ShowMaterials() override;
    void EvSize(plat::Size size) override;
    // The screen paint (printing 0): the summary page in mode 3, else the control panel and in
    // mode 0 the start picture. Printing or a picture copy (printing non-zero): the page, then
    // every panel chart, box and (when the layout has them) control chart at its place, the
    // mode object's information panel and, on result pages, a frame around the page.
    void Paint(plat::DC& dc, int printing, int flag);
    int CreateLogic(int type, TStructure* structure, TSectionalAnalysis* analysis) override;
    // Describes the chart for the graph id and has the mode object fill it.
    void CreateChart(Tchart* chart, int graphId, int hideTitle, int resetRange) override;

    // The values the main window's set-up gives.
    void SetupDefaults();

    // Layout setters; -1 asks for the default choice.
    void SetLoadDeformation(int choice);
    void SetSingleGraph(int choice);
    void SetNineGraphs(int choice);
    void SetPushover(int choice);
    void SetFourGraphs(int choice);
    void SetSixGraphs(int choice);
    void SetMemberDetails(int choice);
    // The start picture: mode 0, no panels.
    void ShowSplash();
    // Destroys what the new mode does not keep (mode 2: everything, as the window goes).
    void ClearPanels(int newMode);

    // Laying the page out for the printer changes the boxes' sizes and with them the heights
    // they draw with. Each box's fonts follow from its size, so its screen size gives them
    // back; what they depend on is kept all the same before and put back, with the boxes laid
    // out again, once the window has its screen size back.
    void SaveScreenFonts();
    void RestoreScreenFonts();

    void RefreshAllPanels(int stage);
    void RebuildPanels();
    void FillControlCharts();
    void ClearControlMarkers();
    // Every box (panel charts, control charts, text boxes, the graphic box) lets go of the
    // structure and the state it was handed.
    void DetachAllStructures();
    void DetachStructure(const TStructure* structure);
    // The structures or analyses are about to be deleted or replaced: every box and the mode
    // object (with what it made from them) let go of them.
    void LetGoOfTables();
    // Binds the mode object again to the structure and analysis, when it is the mode of the
    // structure's kind; otherwise it stays let go (the caller creates the right one).
    void BindLogic(TStructure* structure, TSectionalAnalysis* analysis);
    // The mode's report in the "View Data" dialog (summary page only).
    void ShowReport();
    // The idle call after more than five idle passes without an analysis; nothing to do.
    void OnIdle() {}

    // ---- The chart factory --------------------------------------------------------------
    // Makes the slot hold a chart for the code at the panel, reusing the one there when its
    // kind fits.
    void CreatePanelChart(std::unique_ptr<Tchart>& slot, plat::Window* parent, int code, int panel);
    void CreateControlCharts();
    void UpdateControlMarker(Tcontrolchart* chart, int choice);
    void AddLegendBox(int graphId, int panelIndex);
    // Each panel chart puts its legends back at their places clear of its texts.
    void KeepLegendsClear();
    void InsertTextBox();
    void InsertGraphicBox();
    // "Add to Graph" and "Insert &Chart": the graph of the paste combo inside chart 0.
    void AddToGraph();
    void ToggleAutoRange(int flag);
    void RepositionChildBoxes();
    // Control chart which (0 or 1) on a printed page or a picture copy of the given size.
    void PrintControlChart(plat::DC& dc, int which, plat::Size size);
    // The mode object's buttons of a set (six-graph and member-details layouts): as many as it
    // names, each captioned, with its glyph and its pressed state; those beyond are destroyed.
    void CreatePanelButtons(int choice);
    plat::GlyphButton* GetPanelButton(int i) const;

    // ---- Selection and the box commands -------------------------------------------------
    void SetActiveChart(TBoxItem* box, int active);
    void ClearActiveChart();
    void DeleteSelectedBox();
    void ShowObjectOptions();

    int GetControlChartChoice(int which) const;
    int GetControlChartValue(int which, double& x, double& y, int k) const;
    int GetControlMarkers(double& x1, int& tag1, double& x2, int& tag2);
    bool HasControlMarkers();

    // A notification of a control of the control panel (layout and paste combos, range and add
    // buttons); true when it was one.
    bool OnControlNotify(int id, int code);
    plat::ComboBox* GetLayoutCombo() const { return m_layoutCombo.get(); }
    plat::ComboBox* GetPasteCombo() const { return m_pasteCombo.get(); }
    plat::Button* GetRangeButton() const { return m_rangeButton.get(); }
    plat::Button* GetAddButton() const { return m_addButton.get(); }
    // Whether the load-deformation layout shows its sample chart (false where it is hidden).
    bool IsSampleChartShown() const { return m_charts[1] && m_sampleChartShown; }

    // Enablers of the box commands.
    bool HasSelection() const { return m_selected != nullptr; }
    bool CanInsertBox() const;
    bool CanShowObjectOptions() const;

    // What the beam mode object asks: text box n's text (n < 0: the first one there is), and
    // whether a chart inside another one shows the item.
    void SetTextBoxText(int n, const std::string& text);
    bool HasChart(const TStructure* item) const;
    // The same for a state a result diagram was handed.
    bool HasChart(const SectionState* state) const;
    // A state is about to be freed: every panel chart that was handed it forgets it and is
    // redrawn (it keeps drawing its own copy). Installed as the panel-chart redraw hook.
    void ForgetShownState(const SectionState* state);

    // Installs a mode object of the caller's (tests and benchmarks); it is then kept by type as
    // any other.
    void InstallLogic(std::unique_ptr<TBase_Logic> logic);

    Tchart* GetChart(int i) const;
    Tcontrolchart* GetControlChart(int which) const;
    TTextBox* GetTextBox(int i) const;
    TGraphicBox* GetGraphicBox() const { return m_graphicBox.get(); }
    TBoxItem* GetSelected() const { return m_selected; }

private:
    void ApplyLayout(LayoutKind kind, int choice);
    // The mode type of the mode object (0 without one).
    int LogicModeType() const;
    // Has the owner paint the whole control panel again (a layout of another mode was entered).
    void RepaintControlPanel();
    // The choice-list flags of the layout combo in the current layout mode (0: no list).
    int ChoiceListFlags() const;
    // Refills the layout combo (and in the load-deformation layout the paste combo) and selects
    // the graph shown.
    void RefillChoiceLists(int graphId);
    // A title chosen in combo 1101 switches the layout to its graph; one chosen in combo 1102
    // becomes the graph to paste.
    void OnChoiceSelected(int id);
    void DestroyBoxes();
    // Destroys the panel charts placed inside parent (every child chart for null).
    void DestroyChildCharts(const plat::Window* parent);
    // The pasted chart's fonts, colours and limits.
    void SetUpPastedChart();
    // "Sample Output" follows the graph chosen to paste: chart 1 shows it.
    void OnPasteChoice(int graphId);
    // A new colour map: the mode's magnification and the mesh the mode hands it.
    std::unique_ptr<Tchart> MakeColourMap(plat::Window* parent, const std::string& title, const PanelRect& r);
    // The panel buttons' font for the owner's width now.
    void MakeButtonFont();
    void MovePanelButtons();
    plat::Size OwnerSize() const;
    // Creates the box's window in its parent and shows it (the page is on screen already).
    static void ShowInParent(TBoxItem& box);
    // Creates a control at a panel (or shows the one there is) when the record asks for it.
    void MakeButton(std::unique_ptr<plat::Button>& button, int id, const char* caption, int panel, int byte);
    void MakeCombo(std::unique_ptr<plat::ComboBox>& combo, int id, int panel, int byte);
    template <typename Control, typename Make>
    void MakeControl(std::unique_ptr<Control>& control, int byte, Make make);
    void MoveControls();
    // Shows the sample chart and the "Add to Graph" button of the load-deformation layout where
    // its panel has room for them, hides them where it leaves them out.
    void ShowLoadDeformationPieces();

    std::unique_ptr<plat::ComboBox> m_layoutCombo;
    std::unique_ptr<plat::ComboBox> m_pasteCombo;
    std::unique_ptr<plat::Button> m_rangeButton;
    std::unique_ptr<plat::Button> m_addButton;
    std::array<std::unique_ptr<plat::GlyphButton>, kPanelButtons> m_panelButtons;
    std::unique_ptr<plat::LogFont> m_buttonFont;

    std::array<std::unique_ptr<Tcontrolchart>, 2> m_controlCharts;
    std::array<std::unique_ptr<Tchart>, kPanelCharts> m_charts;
    std::array<std::unique_ptr<TTextBox>, kTextBoxes> m_textBoxes;
    std::unique_ptr<TGraphicBox> m_graphicBox;
    TBoxItem* m_selected = nullptr;
    struct SavedFonts {
        const TBoxItem* box;
        BoxFontState fonts;
    };
    std::vector<SavedFonts> m_screenFonts;
    // The mode type of the mode object the panels were made for.
    int m_panelsModeType = 0;
    // Every box there is: panel charts, control charts, text boxes and the graphic box.
    std::vector<TBoxItem*> AllBoxes() const;
};
