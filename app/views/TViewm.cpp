#include "app/views/TViewm.h"

#include <algorithm>
#include <vector>

#include "analysis/state/SectionState.h"
#include "app/GlobalTables.h"
#include "app/PictureExtent.h"
#include "app/ShellServices.h"
#include "app/summary/ChoiceLists.h"
#include "app/summary/ControlPanel.h"
#include "app/summary/SummaryLayout.h"
#include "app/views/ModeStandIns.h"
#include "app/views/StandInCharts.h"
#include "charts/OwnerDrawn.h"
#include "charts/TTextBox.h"
#include "charts/Tdataview.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "foundation/Sentinel.h"
#include "foundation/Units.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/TStructure.h"
#include "platform/Controls.h"
#include "platform/Ui.h"
#include "platform/Window.h"

// ---- TViewm_Base ----------------------------------------------------------------------------

TViewm_Base::TViewm_Base(plat::Window* owner, TShellServices* services) : m_owner(owner), m_services(services) {
    m_texts[0] = "program";
    m_texts[1] = "subtitle";
    m_texts[2] = "using the Modified Compression Field Theory";
    m_texts[3] = "version";
    for (std::size_t i = 0; i < kStartPictureCredits.size(); ++i)
        m_texts[4 + i] = kStartPictureCredits[i];
}

TViewm_Base::~TViewm_Base() = default;

PanelRect TViewm_Base::GetPanelRect(int panelId) const {
    PanelRect rect;
    if (m_owner && m_owner->IsCreated()) {
        const plat::Rect client = m_owner->GetClientRect();
        const int W = client.Width(), H = client.Height();
        ::GetLayoutPanelRect(panelId, m_layoutMode, W, H, m_controlPanelFraction, rect);
    }
    return rect;
}

void TViewm_Base::SetLayoutMode(int mode) {
    const bool repaint = m_layoutMode == LayoutMode::Start || m_layoutMode == LayoutMode::Summary;
    m_layoutMode = mode;
    if (repaint && m_owner && m_owner->IsCreated())
        m_owner->Invalidate();
}

bool TViewm_Base::PanelMenuHas(int byte) const {
    if (m_layoutMode < 0 || m_layoutMode >= static_cast<int>(m_panelMenu.size()) || byte < 0 || byte > 8)
        return false;
    return m_panelMenu[static_cast<std::size_t>(m_layoutMode)][static_cast<std::size_t>(byte)] != 0;
}

void TViewm_Base::PaintPanel(plat::DC& dc) {
    if (!m_owner || !m_owner->IsCreated())
        return;
    const plat::Rect client = m_owner->GetClientRect();
    const int W = client.Width();
    const int H = client.Height();
    PaintControlPanel(dc, m_layoutMode, W, H, m_controlPanelFraction, PanelMenuHas(4), PanelMenuHas(5),
                      m_traceLevel, [&](plat::DC& d) {
                          if (m_logic)
                              m_logic->PaintPanelText(d, m_layoutMode, W, H);
                      });
}

void TViewm_Base::FillChoiceList(plat::ComboBox& combo, int flags) {
    combo.ClearList();
    for (const std::string& title : ChoiceTitles(m_logic.get(), flags, m_defaultGraphId))
        combo.AddString(title);
}

int TViewm_Base::ChartIdFromTitle(const std::string& text) {
    return ::ChartIdFromTitle(m_logic.get(), text, m_defaultGraphId);
}

void TViewm_Base::SelectComboText(plat::ComboBox& combo, const std::string& text) {
    combo.SetSelIndex(combo.FindStringExact(text));
    combo.Show(true);
}

void TViewm_Base::SetProgramTexts(const std::string& title, const std::string& subtitle, const std::string& version) {
    m_texts[0] = title;
    m_texts[1] = subtitle;
    m_texts[3] = version;
}

void TViewm_Base::EvSize(plat::Size size) {
    if (m_traceLevel == 3)
        plat::MessageBox(StrPrintf("Evsize: %d %d", size.cx, size.cy), g_AppTitle, MsgStyle::Ok);
    if (size.cx == 0 && size.cy == 0)
        return;
    // A manager without panels has only its owner to repaint.
    if (m_owner && m_owner->IsCreated())
        m_owner->Invalidate();
}

// ---- TViewm_2k ------------------------------------------------------------------------------

namespace {

// The live view managers: a state about to be freed is forgotten by every chart of each. The
// list is never destroyed: the analysis table, a static of another file, frees its states at
// exit, after this file's statics may already be gone.
std::vector<TViewm_2k*>& LiveViewManagers() {
    static auto* live = new std::vector<TViewm_2k*>;
    return *live;
}

} // namespace

TViewm_2k::TViewm_2k(plat::Window* owner, TShellServices* services) : TViewm_Base(owner, services) {
    LiveViewManagers().push_back(this);
    SetRedrawPanelChartHook([](const SectionState* state) {
        for (TViewm_2k* view : LiveViewManagers())
            view->ForgetShownState(state);
    });
}

TViewm_2k::~TViewm_2k() {
    ClearPanels(LayoutMode::Closing);
    auto& live = LiveViewManagers();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void TViewm_Base::SetStatusText(const std::string& text) {
    constexpr std::size_t kStatusTextLength = 49;
    m_statusText = text.substr(0, kStatusTextLength);
}

void TViewm_2k::SetupDefaults() {
    m_pastedGraphId = 7;
    m_selectPoint = 1;
    m_pasteListFlags = 16407;
    m_baseListFlags = 16388;
}

void TViewm_2k::ShowInParent(TBoxItem& box) {
    box.CreateInParent();
    if (box.IsCreated())
        box.Show(true);
}

plat::Size TViewm_2k::OwnerSize() const {
    if (!m_owner || !m_owner->IsCreated())
        return {};
    const plat::Rect r = m_owner->GetClientRect();
    return {r.Width(), r.Height()};
}

Tchart* TViewm_2k::GetChart(int i) const {
    return i >= 0 && i < kPanelCharts ? m_charts[static_cast<std::size_t>(i)].get() : nullptr;
}
Tcontrolchart* TViewm_2k::GetControlChart(int which) const {
    return which == 0 || which == 1 ? m_controlCharts[static_cast<std::size_t>(which)].get() : nullptr;
}
TTextBox* TViewm_2k::GetTextBox(int i) const {
    return i >= 0 && i < kTextBoxes ? m_textBoxes[static_cast<std::size_t>(i)].get() : nullptr;
}

void TViewm_2k::PaintSplash(plat::DC& dc) {
    const plat::Size size = OwnerSize();
    PaintStartPicture(dc, size.cx, size.cy, m_texts);
}

void TViewm_2k::ShowMaterials() {
    m_objectOptionsIndex = 0;
    ClearPanels(LayoutMode::Summary);
    m_layoutMode = LayoutMode::Summary;
    m_panelsModeType = LogicModeType();
    int reinforcing = 0;
    int prestressing = 0;
    if (m_logic)
        m_logic->GetMaterialCounts(reinforcing, prestressing);
    const std::vector<MaterialChartPlan> plan = PlanMaterialsPage(m_logic != nullptr, reinforcing, prestressing);
    for (std::size_t i = 0; i < plan.size() && i < m_charts.size(); ++i) {
        m_chartIds[i] = plan[i].chartId;
        CreatePanelChart(m_charts[i], m_owner, plan[i].chartId, plan[i].panel);
        m_charts[i]->SetTitles(plan[i].title, "", "", 1, 1);
    }
    RefreshAllPanels(-1);
    if (m_logic)
        m_logic->UpdateInfoManager(nullptr, 0);
    if (m_owner && m_owner->IsCreated())
        m_owner->Invalidate();
}

void TViewm_2k::Paint(plat::DC& dc, int printing, int) {
    const plat::Size size = OwnerSize();
    const bool summary = m_layoutMode == LayoutMode::Summary && m_logic;
    if (printing == 0) {
        if (summary) {
            m_logic->PaintSection(dc, 0, 0, size.cx, size.cy, 0);
            return;
        }
        PaintPanel(dc);
        if (m_layoutMode == LayoutMode::Start)
            PaintSplash(dc);
        return;
    }
    if (summary)
        m_logic->PaintSection(dc, 0, 0, size.cx, size.cy, 0);
    else if (m_layoutMode == LayoutMode::Start)
        PaintSplash(dc);
    if ((m_layoutMode == LayoutMode::LoadDeformation && m_charts[0]) || PanelMenuHas(6)) {
        if (m_charts[0]) {
            m_charts[0]->SetReadoutPoint(kUndefined, kUndefined);
            const PanelRect whole = GetPanelRect(26);
            m_charts[0]->Reposition(whole.x, whole.y, whole.width, whole.height, 0);
        }
        RepositionChildBoxes();
    }
    for (std::size_t i = 0; i < m_charts.size(); ++i)
        if (!(m_layoutMode == LayoutMode::LoadDeformation && i == 1))
            PrintBox(dc, m_charts[i].get(), false, size.cy);
    PrintBox(dc, m_graphicBox.get(), false, size.cy);
    for (auto& box : m_textBoxes)
        PrintBox(dc, box.get(), false, size.cy);
    if (PanelMenuHas(8))
        for (int which = 0; which < 2; ++which)
            PrintControlChart(dc, which, size);
    // The information panel's texts are placed by fractions of the page (the last line hangs
    // below 0.99 of its height): the frame goes round them as well as round the page, so that
    // no line of it runs through a text.
    plat::Rect frame{0, 0, size.cx, size.cy};
    if (m_logic) {
        const plat::Rect texts =
            MeasureTextExtent(dc.GetDevice().Caps(), dc.LPtoDP(frame), [&](plat::DC& measuring) {
                measuring.SetMapMode(dc.GetMapMode());
                measuring.SetWindowOrg(dc.GetWindowOrg());
                measuring.SetViewportOrg(dc.GetViewportOrg());
                measuring.SetWindowExt(dc.GetWindowExt());
                measuring.SetViewportExt(dc.GetViewportExt());
                m_logic->PaintInfoPanel(measuring, m_layoutMode, size.cx, size.cy, m_statusText);
            });
        if (!texts.IsEmpty()) {
            // Only as far as the device reaches: a printed page cannot grow, and there the
            // frame stays on the paper; a picture is made large enough to hold it.
            const plat::Rect grown = GrowToHoldTexts(frame, dc.DPtoLP(texts));
            const plat::Rect device = dc.GetClipBox();
            frame.right = std::min(grown.right, std::max(frame.right, device.right));
            frame.bottom = std::min(grown.bottom, std::max(frame.bottom, device.bottom));
        }
        m_logic->PaintInfoPanel(dc, m_layoutMode, size.cx, size.cy, m_statusText);
    }
    // The result pages are framed on paper as the panel lines frame them on screen.
    if (m_layoutMode != LayoutMode::Start && m_layoutMode != LayoutMode::Summary) {
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
        dc.SelectBrush(plat::Brush{true});
        dc.Rectangle(frame);
        // The information panel's edge line (at a quarter of the width in these layouts) runs
        // on down to a frame grown below the page.
        const bool edgeLine = m_layoutMode == LayoutMode::SingleGraph || m_layoutMode == LayoutMode::NineGraphs ||
                              m_layoutMode == LayoutMode::Pushover;
        if (m_logic && edgeLine && frame.bottom > size.cy) {
            const int edge = static_cast<int>(m_controlPanelFraction * size.cx - 1);
            dc.MoveTo(edge, size.cy);
            dc.LineTo(edge, frame.bottom);
        }
    }
}

namespace {
BeamLogicFactory& BeamFactory() {
    static BeamLogicFactory factory;
    return factory;
}
} // namespace

BeamLogicFactory SetBeamLogicFactory(BeamLogicFactory factory) {
    BeamLogicFactory previous = std::move(BeamFactory());
    BeamFactory() = std::move(factory);
    return previous;
}

namespace {
MembraneLogicFactory& MembraneFactory() {
    static MembraneLogicFactory factory;
    return factory;
}
} // namespace

MembraneLogicFactory SetMembraneLogicFactory(MembraneLogicFactory factory) {
    MembraneLogicFactory previous = std::move(MembraneFactory());
    MembraneFactory() = std::move(factory);
    return previous;
}

int ModeTypeOfKind(int kind) {
    switch (kind) {
    case kKindBeam: return 1;
    case kKindShell: return 2;
    case kKindBare: return 4;
    default: return 0;
    }
}

int TViewm_2k::CreateLogic(int type, TStructure* structure, TSectionalAnalysis* analysis) {
    // A mode object is kept only for the type asked for and for a structure of its own kind:
    // a membrane element is never shown through the beam mode, nor a beam through another.
    if (m_logic && (m_logic->GetModeType() != type ||
                    (structure && m_logic->GetModeType() != ModeTypeOfKind(structure->GetKind()))))
        m_logic.reset();
    if (m_logic) {
        m_logic->Bind(structure, analysis);
        return 1;
    }
    if (!structure)
        return 1;
    switch (structure->GetKind()) {
    case kKindBeam:
        if (BeamFactory())
            m_logic = BeamFactory()(structure, analysis, *this);
        if (!m_logic)
            m_logic = std::make_unique<TBeamStandIn_Logic>(structure, analysis);
        break;
    case kKindShell:
        if (MembraneFactory())
            m_logic = MembraneFactory()(structure, analysis, *this);
        if (!m_logic)
            m_logic = std::make_unique<TP2kStandIn_Logic>(structure, analysis);
        break;
    case kKindBare:
        m_logic = std::make_unique<TSarnex_Logic>(structure, analysis);
        break;
    default:
        plat::MessageBox(StrPrintf("There is no view for a structure of kind %d.", structure->GetKind()),
                         g_AppTitle, MsgStyle::IconExclamation);
        return 1;
    }
    m_logic->InitPanelMenu(m_panelMenu);
    m_defaultGraphId = m_logic->GetDefaultGraphId();
    return 1;
}

void TViewm_2k::InstallLogic(std::unique_ptr<TBase_Logic> logic) {
    m_logic = std::move(logic);
    if (m_logic) {
        m_logic->InitPanelMenu(m_panelMenu);
        m_defaultGraphId = m_logic->GetDefaultGraphId();
    }
}

// ---- Clearing -------------------------------------------------------------------------------

void TViewm_2k::DestroyBoxes() {
    for (auto& t : m_textBoxes)
        if (t && t.get() == m_selected)
            m_selected = nullptr;
    if (m_graphicBox && m_graphicBox.get() == m_selected)
        m_selected = nullptr;
    for (auto& t : m_textBoxes)
        t.reset();
    m_graphicBox.reset();
}

void TViewm_2k::DestroyChildCharts(const plat::Window* parent) {
    for (auto& c : m_charts)
        if (c && c->IsChildPlacement() && (!parent || c->GetParent() == parent)) {
            if (c.get() == m_selected)
                m_selected = nullptr;
            c.reset();
        }
}

void TViewm_2k::ClearPanels(int newMode) {
    m_selected = nullptr;
    const bool keep = newMode >= 0 && newMode < static_cast<int>(m_panelMenu.size());
    const PanelMenuRecord record = keep ? m_panelMenu[static_cast<std::size_t>(newMode)] : PanelMenuRecord{};
    if (!record[PanelMenuByte::LayoutCombo])
        m_layoutCombo.reset();
    if (!record[PanelMenuByte::PasteCombo])
        m_pasteCombo.reset();
    if (!record[PanelMenuByte::RangeButton])
        m_rangeButton.reset();
    if (!record[PanelMenuByte::AddButton])
        m_addButton.reset();
    if (!record[PanelMenuByte::ControlChart1])
        m_controlCharts[0].reset();
    if (!record[PanelMenuByte::ControlChart2])
        m_controlCharts[1].reset();
    if (!record[PanelMenuByte::PanelButtons])
        for (auto& button : m_panelButtons)
            button.reset();
    if (newMode == LayoutMode::Closing)
        m_buttonFont.reset();
    DestroyBoxes();
    DestroyChildCharts(nullptr);
    for (auto& c : m_charts)
        c.reset();
    // A button a low load-deformation panel left out shows again in the next layout.
    if (m_addButton)
        m_addButton->Show(true);
    m_sampleChartShown = true;
}

// The control panel of another layout has another title, captions and frames, and the mode
// object writes other texts into it: all of it is painted again (erased first).
void TViewm_2k::RepaintControlPanel() {
    if (!m_owner || !m_owner->IsCreated())
        return;
    const plat::Size size = OwnerSize();
    const int right = static_cast<int>(m_controlPanelFraction * size.cx) + 1;
    m_owner->InvalidateRect(plat::Rect{0, 0, right, size.cy}, true);
}

void TViewm_2k::ShowSplash() {
    ClearPanels(LayoutMode::Start);
    SetLayoutMode(LayoutMode::Start);
    if (m_owner && m_owner->IsCreated())
        m_owner->Invalidate();
}

// ---- Layouts --------------------------------------------------------------------------------

int TViewm_2k::LogicModeType() const { return m_logic ? m_logic->GetModeType() : 0; }

void TViewm_2k::ApplyLayout(LayoutKind kind, int choice) {
    const LayoutPlan plan = PlanLayout(kind, choice, m_logic.get());
    m_panelsModeType = LogicModeType();
    if (m_layoutMode != plan.mode) {
        SetLayoutMode(plan.mode);
        ClearPanels(plan.mode);
        RepaintControlPanel();
        CreateControlCharts();
    }
    if (m_logic && kind == LayoutKind::Nine)
        m_logic->OnControlChoice(m_controlCharts[1].get(), ChoiceCategory::NineGraphs, plan.setIndex);
    if (m_logic && kind == LayoutKind::Four)
        m_logic->OnGraphSelected(plan.setIndex);
    for (std::size_t i = 0; i < plan.graphIds.size() && i < m_charts.size(); ++i) {
        m_chartIds[i] = plan.graphIds[i];
        CreatePanelChart(m_charts[i], m_owner, plan.graphIds[i], plan.panels[i]);
        if (kind == LayoutKind::Single && m_logic && m_charts[i])
            m_charts[i]->SetDrawMode(m_logic->GetGraphKind(plan.graphIds[i], 0));
        CreateChart(m_charts[i].get(), plan.graphIds[i], 0, 1);
        if (plan.legends)
            AddLegendBox(plan.graphIds[i], static_cast<int>(i));
    }
    if (kind == LayoutKind::Six || kind == LayoutKind::MemberDetails)
        CreatePanelButtons(plan.choice);
    UpdateControlMarker(m_controlCharts[0].get(), -1);
    UpdateControlMarker(m_controlCharts[1].get(), -1);
    if (m_logic && kind != LayoutKind::Pushover)
        m_logic->UpdateStatus();
    RefillChoiceLists(plan.choice);
}

void TViewm_2k::SetSingleGraph(int choice) { ApplyLayout(LayoutKind::Single, choice); }
void TViewm_2k::SetNineGraphs(int choice) { ApplyLayout(LayoutKind::Nine, choice); }
void TViewm_2k::SetPushover(int choice) { ApplyLayout(LayoutKind::Pushover, choice); }
// A mode object without four-graph or member-details sets (the beam mode) keeps the layout
// shown: its panels would have no graphs to ask for.
void TViewm_2k::SetFourGraphs(int choice) {
    if (!m_logic || m_logic->IsChoiceAvailable(ChoiceCategory::FourGraphs, choice))
        ApplyLayout(LayoutKind::Four, choice);
}
void TViewm_2k::SetSixGraphs(int choice) { ApplyLayout(LayoutKind::Six, choice); }
void TViewm_2k::SetMemberDetails(int choice) {
    if (!m_logic || m_logic->IsChoiceAvailable(ChoiceCategory::MemberDetails, choice))
        ApplyLayout(LayoutKind::MemberDetails, choice);
}

void TViewm_2k::SetUpPastedChart() {
    Tchart* pasted = m_charts[1].get();
    if (!pasted)
        return;
    const int tenth = OwnerSize().cx / 10;
    pasted->SetFontHeights(static_cast<int>(tenth / 7.8), static_cast<int>(tenth / 6.6));
    pasted->Layout();
    pasted->SetBackgroundColour(plat::GetSysColor(plat::SysColor::Face3D));
    pasted->SetXLimits(-kUndefined, kUndefined);
}

void TViewm_2k::OnPasteChoice(int graphId) {
    m_pastedGraphId = graphId;
    if (m_layoutMode != LayoutMode::LoadDeformation)
        return;
    m_chartIds[1] = graphId;
    CreatePanelChart(m_charts[1], m_owner, graphId, PanelId::PastedChart);
    SetUpPastedChart();
    CreateChart(m_charts[1].get(), graphId, 1, 1);
    ShowLoadDeformationPieces();
}

void TViewm_2k::SetLoadDeformation(int choice) {
    const LayoutPlan plan = PlanLayout(LayoutKind::LoadDeformation, choice, m_logic.get());
    m_panelsModeType = LogicModeType();
    if (m_layoutMode != plan.mode) {
        SetLayoutMode(plan.mode);
        ClearPanels(plan.mode);
        RepaintControlPanel();
        CreatePanelChart(m_charts[0], m_owner, plan.choice, PanelId::WholePage);
        if (!m_controlCharts[0]) {
            const PanelRect r = GetPanelRect(PanelId::ControlChart1);
            m_controlCharts[0] = std::make_unique<Tcontrolchart>(m_owner, "Control : M-Phi", r.x, r.y, r.width,
                                                                 r.height, 1, 3);
            if (m_owner && m_owner->IsCreated())
                ShowInParent(*m_controlCharts[0]);
        }
        MakeCombo(m_layoutCombo, 1101, PanelId::LayoutCombo, -1);
        MakeCombo(m_pasteCombo, 1102, PanelId::PasteCombo, -1);
        if (m_logic)
            m_logic->FillControlChart(m_controlCharts[0].get(), 1, LayoutMode::LoadDeformation);
        MakeButton(m_addButton, 1001, "Add to Graph", PanelId::AddButton, PanelMenuByte::AddButton);
        if (!m_charts[1]) {
            m_chartIds[1] = m_pastedGraphId;
            CreatePanelChart(m_charts[1], m_owner, m_pastedGraphId, PanelId::PastedChart);
            SetUpPastedChart();
            CreateChart(m_charts[1].get(), m_pastedGraphId, 1, 1);
        }
        ShowLoadDeformationPieces();
    }
    m_chartIds[0] = plan.choice;
    CreatePanelChart(m_charts[0], m_owner, plan.choice, PanelId::WholePage);
    CreateChart(m_charts[0].get(), plan.choice, 0, 1);
    AddLegendBox(plan.choice, 0);
    if (m_logic)
        m_logic->UpdateStatus();
    RefillChoiceLists(plan.choice);
}

int TViewm_2k::ChoiceListFlags() const {
    switch (m_layoutMode) {
    case LayoutMode::LoadDeformation: return m_baseListFlags;
    case LayoutMode::SingleGraph: return 1;
    case LayoutMode::NineGraphs: return 8;
    case LayoutMode::Pushover: return 256;
    case LayoutMode::FourGraphs: return 4096;
    default: return 0;
    }
}

namespace {
// Selects the entry whose graph id is the one shown.
void SelectShownChoice(TViewm_2k& view, plat::ComboBox& combo, int graphId) {
    for (int i = 0; i < combo.GetCount(); ++i)
        if (view.ChartIdFromTitle(combo.GetString(i)) == graphId) {
            view.SelectComboText(combo, combo.GetString(i));
            return;
        }
}
}  // namespace

void TViewm_2k::RefillChoiceLists(int graphId) {
    const int flags = ChoiceListFlags();
    if (m_layoutCombo && flags != 0) {
        FillChoiceList(*m_layoutCombo, flags);
        SelectShownChoice(*this, *m_layoutCombo, graphId);
    }
    if (m_pasteCombo && m_layoutMode == LayoutMode::LoadDeformation) {
        FillChoiceList(*m_pasteCombo, m_pasteListFlags);
        SelectShownChoice(*this, *m_pasteCombo, m_pastedGraphId);
    }
}

void TViewm_2k::OnChoiceSelected(int id) {
    plat::ComboBox* combo = id == 1101 ? m_layoutCombo.get() : m_pasteCombo.get();
    if (!combo || combo->GetSelIndex() < 0)
        return;
    const int graphId = ChartIdFromTitle(combo->GetString(combo->GetSelIndex()));
    if (graphId < 0)
        return;
    if (id == 1102) {
        OnPasteChoice(graphId);
        return;
    }
    switch (m_layoutMode) {
    case LayoutMode::LoadDeformation: SetLoadDeformation(graphId); break;
    case LayoutMode::SingleGraph: SetSingleGraph(graphId); break;
    case LayoutMode::NineGraphs: SetNineGraphs(graphId); break;
    case LayoutMode::Pushover: SetPushover(graphId); break;
    case LayoutMode::FourGraphs: SetFourGraphs(graphId); break;
    default: break;
    }
}

// ---- Refreshing -----------------------------------------------------------------------------

void TViewm_2k::RefreshAllPanels(int stage) {
    if (m_layoutMode != LayoutMode::LoadDeformation)
        ClearActiveChart();
    if (!m_logic)
        return;
    // The first control chart names the stage shown before the panels are filled: the one-layer
    // graphs show the layer at that stage.
    UpdateControlMarker(m_controlCharts[0].get(), stage);
    if (m_layoutMode == LayoutMode::Summary) {
        for (std::size_t i = 0; i < m_charts.size(); ++i)
            if (m_charts[i])
                m_logic->FillChart(m_charts[i].get(), m_chartIds[i], stage, 0);
    } else if (m_layoutMode == LayoutMode::LoadDeformation) {
        if (m_charts[0]) {
            m_logic->FillChart(m_charts[0].get(), m_chartIds[0], stage, 0);
            double x = 0.0, y = 0.0;
            if (m_logic->GetStageValues(x, y, stage, m_chartIds[0]))
                m_charts[0]->SetReadoutPoint(x, y);
        }
        if (m_charts[1])
            m_logic->FillChart(m_charts[1].get(), m_chartIds[1], stage, 0);
    } else if (m_layoutMode == LayoutMode::Pushover) {
        for (std::size_t i = 0; i < m_charts.size(); ++i) {
            if (!m_charts[i])
                continue;
            m_logic->FillChart(m_charts[i].get(), m_chartIds[i], stage, 0);
            double x = 0.0, y = 0.0;
            if (m_logic->GetStageValues(x, y, stage, m_chartIds[i]))
                m_charts[i]->SetReadoutPoint(-x, y);
            else
                m_charts[i]->SetReadoutPoint(kUndefined, kUndefined);
        }
        FillControlCharts();
    } else {
        for (std::size_t i = 0; i < m_charts.size(); ++i) {
            Tchart* chart = m_charts[i].get();
            if (!chart)
                continue;
            const int p = m_logic->FilterGraphId(m_layoutMode, m_chartIds[i], stage);
            const int kind = chart->Kind();
            if (m_selectPoint && (kind == 1 || kind == 2) && p < 20000)
                chart->SelectPoint(p);
            m_logic->FillChart(chart, m_chartIds[i], stage, 0);
            if (m_layoutMode == LayoutMode::FourGraphs)
                AddLegendBox(m_chartIds[i], static_cast<int>(i));
        }
    }
    // The numbers move with the stage's data (the x axis crosses at another row).
    KeepLegendsClear();
    // Once more on the first chart: the pushover fills both control charts anew.
    UpdateControlMarker(m_controlCharts[0].get(), stage);
    UpdateControlMarker(m_controlCharts[1].get(), stage);
    if (m_owner && m_owner->IsCreated()) {
        const plat::Size size = OwnerSize();
        plat::ClientDC dc(*m_owner);
        m_logic->PaintPanelText(dc, m_layoutMode, size.cx, size.cy);
    }
}

void TViewm_2k::RebuildPanels() {
    if (m_layoutMode == LayoutMode::Summary) {
        ShowMaterials();
        return;
    }
    // Panels made by the mode of another kind of structure ask for graphs this mode does not
    // have: the nine graphs start again at this mode's first set, any other result layout
    // gives way to the summary page.
    if (m_logic && m_layoutMode != LayoutMode::Start && m_logic->GetModeType() != m_panelsModeType) {
        if (m_layoutMode == LayoutMode::NineGraphs) {
            ClearPanels(LayoutMode::Start);
            m_layoutMode = LayoutMode::Start;
            SetNineGraphs(-1);
        } else {
            ShowMaterials();
        }
        return;
    }
    // Nothing of what the boxes were handed before stays on them (a result diagram keeps its
    // own copy of the state it was given).
    DetachAllStructures();
    FillControlCharts();
    for (std::size_t i = 0; i < m_charts.size(); ++i)
        CreateChart(m_charts[i].get(), m_chartIds[i], 0, 0);
    KeepLegendsClear();
    // The control charts are painted again even when the element has no curve to give them,
    // and the mode object's texts name the element shown.
    for (auto& chart : m_controlCharts)
        if (chart && chart->IsCreated())
            chart->Invalidate();
    RepaintControlPanel();
}

void TViewm_2k::DetachAllStructures() {
    for (TBoxItem* box : AllBoxes()) {
        box->AttachStructure(nullptr);
        box->AttachStructure(nullptr);
        box->ForgetShownState();
    }
}

void TViewm_2k::DetachStructure(const TStructure* structure) {
    for (TBoxItem* box : AllBoxes())
        if (box->GetStructure() == structure) {
            box->AttachStructure(nullptr);
            box->AttachStructure(nullptr);
        }
}

void TViewm_2k::LetGoOfTables() {
    DetachAllStructures();
    if (m_logic)
        m_logic->Bind(nullptr, nullptr);
}

void TViewm_2k::BindLogic(TStructure* structure, TSectionalAnalysis* analysis) {
    if (!m_logic)
        return;
    if (structure && m_logic->GetModeType() != ModeTypeOfKind(structure->GetKind()))
        m_logic->Bind(nullptr, nullptr);
    else
        m_logic->Bind(structure, analysis);
}

void TViewm_2k::ShowReport() {
    if (m_layoutMode != LayoutMode::Summary || !m_logic)
        return;
    ClearReportText();
    m_logic->MakeReportText(0);
    ShowReportTextDialog(m_owner);
}

void TViewm_2k::EvSize(plat::Size size) {
    if (m_traceLevel == 3)
        plat::MessageBox(StrPrintf("Evsize: %d %d", size.cx, size.cy), g_AppTitle, MsgStyle::Ok);
    if (size.cx == 0 && size.cy == 0)
        return;
    const bool grid = m_layoutMode == LayoutMode::NineGraphs || m_layoutMode == LayoutMode::FourGraphs ||
                      m_layoutMode == LayoutMode::SixGraphs || m_layoutMode == LayoutMode::MemberDetails ||
                      m_layoutMode == LayoutMode::Pushover || m_layoutMode == LayoutMode::Summary;
    const bool single = m_layoutMode == LayoutMode::LoadDeformation || m_layoutMode == LayoutMode::SingleGraph;
    for (int i = 0; i < kPanelCharts; ++i) {
        Tchart* c = GetChart(i);
        const int panel = ChartPanel(m_layoutMode, i);
        if (!c || panel < 0 || (grid && c->IsChildPlacement()) || !(grid || single))
            continue;
        const PanelRect r = GetPanelRect(panel);
        c->Reposition(r.x, r.y, r.width, r.height, 1);
    }
    for (int which = 0; which < 2; ++which)
        if (Tcontrolchart* c = GetControlChart(which)) {
            const PanelRect r = GetPanelRect(which == 0 ? PanelId::ControlChart1 : PanelId::ControlChart2);
            c->Reposition(r.x, r.y, r.width, r.height, 1);
        }
    MoveControls();
    MovePanelButtons();
    RepositionChildBoxes();
    if (m_owner && m_owner->IsCreated())
        m_owner->Invalidate();
}

// A control chart is printed at the height of its printed panel where that is shorter than the
// chart (see GetPrintedPanelRect), and given back its own height afterwards.
void TViewm_2k::PrintControlChart(plat::DC& dc, int which, plat::Size size) {
    Tcontrolchart* chart = GetControlChart(which);
    if (!chart)
        return;
    const BoxPlace place = chart->Place();
    PanelRect printed;
    const bool cut = GetPrintedPanelRect(which == 0 ? PanelId::ControlChart1 : PanelId::ControlChart2, size.cx,
                                         size.cy, m_controlPanelFraction, printed) &&
                     printed.height < place.h;
    if (cut)
        chart->Reposition(place.x, place.y, place.w, printed.height, 0);
    PrintBox(dc, chart, true, size.cy);
    if (cut)
        chart->Reposition(place.x, place.y, place.w, place.h, 0);
}

std::vector<TBoxItem*> TViewm_2k::AllBoxes() const {
    std::vector<TBoxItem*> boxes;
    for (const auto& c : m_charts)
        if (c)
            boxes.push_back(c.get());
    for (const auto& c : m_controlCharts)
        if (c)
            boxes.push_back(c.get());
    for (const auto& b : m_textBoxes)
        if (b)
            boxes.push_back(b.get());
    if (m_graphicBox)
        boxes.push_back(m_graphicBox.get());
    return boxes;
}

void TViewm_2k::SaveScreenFonts() {
    m_screenFonts.clear();
    for (const TBoxItem* box : AllBoxes())
        m_screenFonts.push_back({box, box->GetFontState()});
}

void TViewm_2k::RestoreScreenFonts() {
    for (TBoxItem* box : AllBoxes())
        for (const SavedFonts& saved : m_screenFonts)
            if (saved.box == box) {
                box->SetFontState(saved.fonts);
                box->Layout();
            }
    m_screenFonts.clear();
    KeepLegendsClear();
}

bool TViewm_2k::CanInsertBox() const {
    return m_charts[0] && (m_layoutMode == LayoutMode::SingleGraph || m_layoutMode == LayoutMode::LoadDeformation);
}

bool TViewm_2k::CanShowObjectOptions() const { return m_selected || m_layoutMode == LayoutMode::Summary; }

// ---- Controls of the control panel ----------------------------------------------------------

namespace {
plat::Rect ToRect(const PanelRect& r) { return plat::Rect{r.x, r.y, r.x + r.width, r.y + r.height}; }
// A combo box's panel holds its dropped list; the closed box is one line high.
plat::Rect ComboRect(const PanelRect& r) {
    return plat::Rect{r.x, r.y, r.x + r.width, r.y + std::min(r.height, kComboHeight)};
}
} // namespace

// Creates a control of the control panel when absent and the record's byte asks for it (any
// byte below 0: always); shows it when present.
template <typename Control, typename Make>
void TViewm_2k::MakeControl(std::unique_ptr<Control>& control, int byte, Make make) {
    if (control) {
        control->Show(true);
        return;
    }
    if ((byte >= 0 && !PanelMenuHas(byte)) || !m_owner || !m_owner->IsCreated())
        return;
    control = make();
    control->Create();
}

void TViewm_2k::MakeButton(std::unique_ptr<plat::Button>& button, int id, const char* caption, int panel, int byte) {
    MakeControl(button, byte, [&] {
        return std::make_unique<plat::Button>(*m_owner, id, plat::ControlKind::PushButton, caption,
                                              ToRect(GetPanelRect(panel)));
    });
}

void TViewm_2k::MakeCombo(std::unique_ptr<plat::ComboBox>& combo, int id, int panel, int byte) {
    MakeControl(combo, byte, [&] {
        // Graph titles carry label markup: the items are drawn through the label renderer.
        return std::make_unique<ODAComboBox>(*m_owner, id, ComboRect(GetPanelRect(panel)),
                                             plat::CtlStyle::DropDownList, 512);
    });
    // The layout list kept from another layout goes to this one's place for it (lower in the
    // load-deformation layout of a low window, below its label).
    if (combo)
        combo->MoveWindow(ComboRect(GetPanelRect(panel)));
}

void TViewm_2k::MoveControls() {
    if (m_layoutCombo)
        m_layoutCombo->MoveWindow(ComboRect(GetPanelRect(PanelId::LayoutCombo)));
    if (m_pasteCombo)
        m_pasteCombo->MoveWindow(ComboRect(GetPanelRect(PanelId::PasteCombo)));
    if (m_rangeButton)
        m_rangeButton->MoveWindow(ToRect(GetPanelRect(PanelId::RangeButton)));
    if (m_addButton)
        m_addButton->MoveWindow(ToRect(GetPanelRect(PanelId::AddButton)));
    ShowLoadDeformationPieces();
}

void TViewm_2k::ShowLoadDeformationPieces() {
    if (m_layoutMode != LayoutMode::LoadDeformation || !m_owner || !m_owner->IsCreated())
        return;
    const plat::Rect client = m_owner->GetClientRect();
    const LoadDeformationPanel panel =
        LayOutLoadDeformationPanel(client.Width(), client.Height(), m_controlPanelFraction);
    m_sampleChartShown = panel.sampleShown;
    if (m_charts[1])
        m_charts[1]->Show(panel.sampleShown);
    if (m_addButton)
        m_addButton->Show(panel.addShown);
}

// The choice lists and the conversion of a chosen title to its graph come with the control
// panel's painting; until then a choice only clears the selection.
bool TViewm_2k::OnControlNotify(int id, int code) {
    if ((id == 1101 || id == 1102) && code == plat::Notify::SelChange) {
        ClearActiveChart();
        OnChoiceSelected(id);
        return true;
    }
    if (id == 1000 && code == plat::Notify::Clicked) {
        ToggleAutoRange(-1);
        return true;
    }
    if (id == 1001 && code == plat::Notify::Clicked) {
        AddToGraph();
        return true;
    }
    return false;
}
