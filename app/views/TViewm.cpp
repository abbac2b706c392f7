#include "app/views/TViewm.h"

#include "app/GlobalTables.h"
#include "app/ShellServices.h"
#include "app/views/ModeStandIns.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/TStructure.h"
#include "platform/Ui.h"
#include "platform/Window.h"

// ---- TViewm_Base ----------------------------------------------------------------------------

TViewm_Base::TViewm_Base(plat::Window* owner, TShellServices* services) : m_owner(owner), m_services(services) {
    m_texts[0] = "program";
    m_texts[1] = "subtitle";
    m_texts[2] = "using the Modified Compression Field Theory";
    m_texts[3] = "version";
}

TViewm_Base::~TViewm_Base() = default;

PanelRect TViewm_Base::GetPanelRect(int panelId) const {
    PanelRect rect;
    if (m_owner && m_owner->IsCreated()) {
        const plat::Rect client = m_owner->GetClientRect();
        ::GetPanelRect(panelId, client.Width(), client.Height(), m_controlPanelFraction, rect);
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
    // Panel charts, control charts, controls and boxes follow their panels here once they exist.
    if (m_owner && m_owner->IsCreated())
        m_owner->Invalidate();
}

// ---- TViewm_2k ------------------------------------------------------------------------------

TViewm_2k::TViewm_2k(plat::Window* owner, TShellServices* services) : TViewm_Base(owner, services) {}

TViewm_2k::~TViewm_2k() = default;

void TViewm_2k::SetupDefaults() {
    m_pastedGraphId = 7;
    m_selectPoint = 1;
    m_pasteListFlags = 16407;
    m_baseListFlags = 16388;
}

void TViewm_2k::PaintSplash(plat::DC&) {}

void TViewm_2k::ShowMaterials() {
    ClearPanels(LayoutMode::Summary);
    SetLayoutMode(LayoutMode::Summary);
}

void TViewm_2k::EvSize(plat::Size size) { TViewm_Base::EvSize(size); }

int TViewm_2k::CreateLogic(int type, TStructure* structure, TSectionalAnalysis* analysis) {
    if (m_logic && m_logic->GetModeType() != type)
        m_logic.reset();
    if (m_logic) {
        m_logic->Bind(structure, analysis);
        return 1;
    }
    if (!structure)
        return 1;
    switch (structure->GetKind()) {
    case kKindBeam:
        m_logic = std::make_unique<TQ2k_Logic>(structure, analysis);
        break;
    case kKindShell:
        m_logic = std::make_unique<TP2k_Logic>(structure, analysis);
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

void TViewm_2k::CreateChart(Tchart* chart, int, int, int) {
    // Without a chart there is nothing to describe or fill.
    (void)chart;
}

void TViewm_2k::ClearPanels(int) {}

void TViewm_2k::ShowSplash() {
    ClearPanels(LayoutMode::Start);
    SetLayoutMode(LayoutMode::Start);
    if (m_owner && m_owner->IsCreated())
        m_owner->Invalidate();
}

void TViewm_2k::ApplyLayout(LayoutKind kind, int choice) {
    const LayoutPlan plan = PlanLayout(kind, choice, m_logic.get());
    if (m_layoutMode != plan.mode) {
        SetLayoutMode(plan.mode);
        ClearPanels(plan.mode);
        FillControlCharts();
    }
    if (m_logic && kind == LayoutKind::Nine)
        m_logic->OnControlChoice(nullptr, ChoiceCategory::NineGraphs, plan.setIndex);
    if (m_logic && kind == LayoutKind::Four)
        m_logic->OnGraphSelected(plan.setIndex);
    for (std::size_t i = 0; i < plan.graphIds.size() && i < m_chartIds.size(); ++i) {
        m_chartIds[i] = plan.graphIds[i];
        CreateChart(nullptr, plan.graphIds[i], 0, 1);
    }
    UpdateControlMarker(0, -1);
    UpdateControlMarker(1, -1);
    if (m_logic && kind != LayoutKind::Pushover)
        m_logic->UpdateStatus();
}

void TViewm_2k::SetLoadDeformation(int choice) { ApplyLayout(LayoutKind::LoadDeformation, choice); }
void TViewm_2k::SetSingleGraph(int choice) { ApplyLayout(LayoutKind::Single, choice); }
void TViewm_2k::SetNineGraphs(int choice) { ApplyLayout(LayoutKind::Nine, choice); }
void TViewm_2k::SetPushover(int choice) { ApplyLayout(LayoutKind::Pushover, choice); }
void TViewm_2k::SetFourGraphs(int choice) { ApplyLayout(LayoutKind::Four, choice); }
void TViewm_2k::SetSixGraphs(int choice) { ApplyLayout(LayoutKind::Six, choice); }
void TViewm_2k::SetMemberDetails(int choice) { ApplyLayout(LayoutKind::MemberDetails, choice); }

void TViewm_2k::RefreshAllPanels(int stage) {
    if (!m_logic)
        return;
    if (m_layoutMode == LayoutMode::Pushover)
        FillControlCharts();
    UpdateControlMarker(0, stage);
    UpdateControlMarker(1, stage);
    if (m_owner && m_owner->IsCreated()) {
        const plat::Rect client = m_owner->GetClientRect();
        plat::ClientDC dc(*m_owner);
        m_logic->PaintPanelText(dc, m_layoutMode, client.Width(), client.Height());
    }
}

void TViewm_2k::RebuildPanels() {
    if (m_layoutMode == LayoutMode::Summary) {
        ShowMaterials();
        return;
    }
    FillControlCharts();
    for (int id : m_chartIds)
        CreateChart(nullptr, id, 0, 0);
}

void TViewm_2k::FillControlCharts() {
    if (!m_logic)
        return;
    m_logic->FillControlChart(nullptr, 1, m_layoutMode);
    m_logic->FillControlChart(nullptr, 2, m_layoutMode);
}

void TViewm_2k::UpdateControlMarker(int, int) {}
void TViewm_2k::ClearControlMarkers() {}
void TViewm_2k::DetachAllStructures() {}
void TViewm_2k::DetachStructure(const TStructure*) {}

void TViewm_2k::ShowReport() {
    if (m_layoutMode != LayoutMode::Summary || !m_logic)
        return;
    ClearReportText();
    m_logic->MakeReportText(0);
    if (HasReportText())
        ShowAndClearReportText();
    ClearReportText();
}

int TViewm_2k::GetControlChartChoice(int) const { return 0; }
int TViewm_2k::GetControlChartValue(int, double&, double&, int) const { return 0; }
int TViewm_2k::GetControlMarkers(double&, int&, double&, int&) const { return 1; }
bool TViewm_2k::HasControlMarkers() const { return false; }

bool TViewm_2k::HasSelection() const { return false; }
bool TViewm_2k::CanInsertBox() const { return false; }
bool TViewm_2k::CanShowObjectOptions() const { return m_layoutMode == LayoutMode::Summary; }
