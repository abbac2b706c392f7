// The "Define" and "Loads" menus, element switching, the commands without a menu entry and
// clicks on the summary page: each opens its dialog on the current structure (or on the
// member definition) and brings the views up to date afterwards.

#include <cmath>
#include <functional>
#include <utility>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandEnablers.h"
#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/InputDialogs.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "app/ThermalProgress.h"
#include "app/summary/CrossSection.h"
#include "app/views/TViewm.h"
#include "charts/Tdataview.h"
#include "files/xml/DocumentGivesBack.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "member/TMemberDefinition.h"
#include "member/fire/TStructureSlots.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/QuickDefineFlag.h"
#include "model/StructureRecords.h"
#include "model/TStructure.h"
#include "platform/Services.h"
#include "platform/Ui.h"

namespace {

constexpr const char* kWebPage = "https://www.quarvish.org/";
// The control choice of the fire graphs.
constexpr int kFireGraphs = 3005;
// Locations closer than this are the same output location (m).
constexpr double kLocationTolerance = 0.0001;

// The program's structure table: the fire analysis stores its post-fire beam in a free slot.
class ProgramSlots final : public TStructureSlots {
public:
    int GetSlotCount() const override { return kMaxStructures; }
    TStructure* GetStructure(int slot) const override { return StructureAt(slot); }
    int GetCurrentStructure() const override { return g_CurrentStructure; }
    int StoreStructure(int slot, std::unique_ptr<TStructure> structure) override {
        if (!IsValidSlot(slot) || StructureAt(slot))
            return 0;
        g_Structures[static_cast<std::size_t>(slot)] = std::move(structure);
        return 1;
    }
};

ThermalRunner& Runner() {
    static ThermalRunner runner;
    return runner;
}

int RunThermalAnalysis(TStructure* structure, TStructureSlots& slots, const ThermalProgress& progress) {
    if (Runner())
        return Runner()(structure, slots);
    return ThermalAnalysis(structure, slots, progress);
}

// One warning however many layers of direction 0 lie outside the concrete.
void WarnAboutSteelOutsideConcrete(const TStructure& s) {
    const double top = s.GetTop(), bottom = s.GetBottom();
    for (int i = 0; i < s.GetLongLayerCount(0); ++i) {
        const LongLayerRec* layer = s.GetLongLayer(i, 0);
        if (layer && (layer->z > top || layer->z < bottom)) {
            plat::MessageBox("Longitudinal steel defined outside of concrete cross section.  Shear analyses will be "
                             "incorrect.",
                             "Quarvish", MsgStyle::Ok | MsgStyle::IconExclamation);
            return;
        }
    }
}

} // namespace

TStructureSlots& ProgramStructureSlots() {
    static ProgramSlots slots;
    return slots;
}

ThermalRunner SetThermalRunner(ThermalRunner runner) { return std::exchange(Runner(), std::move(runner)); }

int LongitudinalOpeningPage(const TStructure& s, int layerRow, int circularRow, int distributedRow) {
    if (layerRow >= 0)
        return 0;
    if (circularRow >= 0)
        return 1;
    if (distributedRow >= 0)
        return 2;
    int plain = 0, circular = 0, distributed = 0;
    for (int i = 0; i < s.GetLongLayerCount(0); ++i) {
        const LongLayerRec* layer = s.GetLongLayer(i, 0);
        if (!layer)
            continue;
        if (layer->pattern == kCircularPattern)
            ++circular;
        else if (layer->pattern == kDistributedPattern)
            ++distributed;
        else
            ++plain;
    }
    if (circular > plain && circular > distributed)
        return 1;
    if (distributed > plain && distributed > circular)
        return 2;
    return 0;
}

void TQuarvishWindow::AddDefinitionCommands() {
    // The enablers, one small table each, searched before the solve commands' own: a command
    // answered elsewhere still follows them.
    for (const int id : EnabledCommandIds())
        AddResponseTable({{id, {}, [id](plat::CommandEnabler& ce) {
                               ce.Enable(IsCommandAvailable(id, CurrentEnablerContext()));
                           }}});
    AddResponseTable({
        {CmId::QuickDefine, [this] { CmQuickDefine(); }, {}},
        {CmId::EditGeneral, [this] { CmEditGeneral(0); }, {}},
        {CmId::MaterialProperties, [this] { CmMaterialProperties(); }, {}},
        {CmId::ConcreteSection, [this] { CmConcreteSection(0); }, {}},
        {CmId::TransverseReinforcement, [this] { CmTransverseReinforcement(0); }, {}},
        {CmId::LongitudinalReinforcement, [this] { CmLongitudinalReinforcement(-1, -1, -1); }, {}},
        {CmId::Tendons, [this] { CmTendons(0); }, {}},
        {CmId::SectionalLoads, [this] { CmSectionalLoads(); }, {}},
        {CmId::TimeDependentEffects, [this] { CmTimeDependentEffects(); }, {}},
        {CmId::ThermalShrinkageStrains, [this] { CmShrink(0); }, {}},
        {CmId::StrainDiscontinuity, [this] { CmShrink(1); }, {}},
        {CmId::FireDamagedBeam, [this] { CmFire(false); }, {}},
        {CmId::Fire, [this] { CmFire(true); }, {}},
        {CmId::FullMemberProperties, [this] { CmFullMemberProperties(); }, {}},
        {CmId::MemberDefinitionPage, [this] { CmMemberDefinition(); }, {}},
        {CmId::NextElement, [this] { CmNextElement(); }, {}},
        {CmId::PreviousElement, [this] { CmPreviousElement(); }, {}},
        {CmId::PageAction403, [this] { CmDefineData(); }, {}},
        {CmId::PageAction404, [this] { CmClearValueLists(); }, {}},
        {CmId::ClampingStress, [this] { CmClampingStress(); }, {}},
        {CmId::Preferences, [this] { CmPreferences(); }, {}},
    });
}

// ---- Views ------------------------------------------------------------------------------

void TQuarvishWindow::BindViews(int slot, bool withAnalysis) {
    if (!m_viewManager)
        return;
    m_viewManager->CreateLogic(1, StructureAt(slot), withAnalysis ? AnalysisAt(slot) : nullptr);
    if (withAnalysis)
        m_viewManager->FillControlCharts();
}

void TQuarvishWindow::DetachViews() {
    if (m_viewManager)
        m_viewManager->CreateLogic(0, nullptr, nullptr);
}

int TQuarvishWindow::CurrentLayoutMode() const {
    return m_viewManager ? m_viewManager->GetLayoutMode() : LayoutMode::Start;
}

void TQuarvishWindow::ShowFireGraphs() {
    m_fireGraphsShown = kFireGraphs;
    if (m_viewManager)
        m_viewManager->SetNineGraphs(kFireGraphs);
}

// ---- The common road of a dialog --------------------------------------------------------

void TQuarvishWindow::RunStructureDialog(const std::function<int(TStructure&)>& dialog) {
    TStructure* s = GetCurrentStructure();
    if (!s)
        return;
    (void)dialog(*s);
    if (m_structuresChanged)
        RefreshStructureViews(0);
}

void TQuarvishWindow::CmQuickDefine() {
    if (!GetQuickDefineNew()) {
        const int answer = plat::MessageBox("Do you wish to create a new section?", g_AppTitle, MsgStyle::YesNo);
        if (answer == MsgAnswer::Yes) {
            CmFileNew();
            if (TStructure* s = GetCurrentStructure())
                s->StampDate();
        }
    }
    TStructure* s = GetCurrentStructure();
    if (!s)
        return;
    ClearReportText();
    if (GetInputDialogs().QuickDefine(*this, *s) != DialogResult::Ok) {
        ClearReportText();
        return;
    }
    ShowReportTextDialog(this);
    SetMemberDefinitionFromSection(ProgramStructureSlots(), g_MemberDefinition, *s);
    RefreshStructureViews(0);
}

void TQuarvishWindow::CmEditGeneral(int firstField) {
    RunStructureDialog([&](TStructure& s) { return GetInputDialogs().General(*this, s, firstField); });
}

void TQuarvishWindow::CmMaterialProperties() {
    RunStructureDialog([&](TStructure& s) {
        return GetInputDialogs().MaterialsSheet(*this, s, s.GetMainConcreteType(), s.FirstUsedSteelType(),
                                                s.FirstUsedPrestressingType(), 1);
    });
}

void TQuarvishWindow::CmConcreteSection(int row) {
    TStructure* s = GetCurrentStructure();
    if (!s)
        return;
    ClearReportText();
    if (GetInputDialogs().ConcreteSectionSheet(*this, *s, row) != DialogResult::Ok) {
        ClearReportText();
        return;
    }
    ShowReportTextDialog(this);
    RefreshStructureViews(0);
    if (const TStructure* now = GetCurrentStructure())
        WarnAboutSteelOutsideConcrete(*now);
}

void TQuarvishWindow::CmTransverseReinforcement(int row) {
    RunStructureDialog([&](TStructure& s) { return GetInputDialogs().TransverseSheet(*this, s, row, 2); });
}

void TQuarvishWindow::CmLongitudinalReinforcement(int layerRow, int circularRow, int distributedRow) {
    RunStructureDialog([&](TStructure& s) {
        const int page = LongitudinalOpeningPage(s, layerRow, circularRow, distributedRow);
        return GetInputDialogs().LongitudinalSheet(*this, s, page, layerRow, circularRow, distributedRow);
    });
}

void TQuarvishWindow::CmTendons(int row) {
    RunStructureDialog([&](TStructure& s) { return GetInputDialogs().TendonSheet(*this, s, row); });
}

void TQuarvishWindow::CmSectionalLoads() {
    TStructure* s = GetCurrentStructure();
    if (!s)
        return;
    if (GetInputDialogs().Loads(*this, *s) == DialogResult::Ok)
        KeepAsDocumentGivesBack(*s, g_UnitSystem);
    const int layout = CurrentLayoutMode();
    if (layout == LayoutMode::Summary)
        CmCrossSection();
    else if (layout == LayoutMode::LoadDeformation && !GetCurrentAnalysis())
        CmLoadDeformationPlot();
}

void TQuarvishWindow::CmTimeDependentEffects() {
    RunStructureDialog([&](TStructure& s) { return GetInputDialogs().TimeEffects(*this, s); });
}

void TQuarvishWindow::CmShrink(int mode) {
    RunStructureDialog([&](TStructure& s) { return GetInputDialogs().Shrink(*this, s, mode); });
}

void TQuarvishWindow::CmDefineData() {
    RunStructureDialog([&](TStructure& s) { return GetInputDialogs().DefineData(*this, s); });
}

void TQuarvishWindow::CmPreferences() {
    const int units = g_UnitSystem;
    (void)GetInputDialogs().Preferences(*this);
    // The documents are now written in the other unit system: the sections hold what those
    // give back.
    if (g_UnitSystem != units)
        KeepSectionsAsDocumentsGiveThem();
    if (m_structuresChanged)
        RefreshStructureViews(0);
}

// ---- Fire -------------------------------------------------------------------------------

void TQuarvishWindow::CmFire(bool fireView) {
    if (fireView && HasThermalModel()) {
        ShowFireGraphs();
        return;
    }
    TStructure* s = GetCurrentStructure();
    if (!s || GetInputDialogs().Fire(*this, *s) != DialogResult::Ok)
        return;
    FireRoad();
}

void TQuarvishWindow::FireRoad() {
    // The analysis runs inside the command: its progress box is drawn on this window as it
    // goes, and goes with the repaint that follows.
    ThermalProgressFeed feed(*this);
    const int slot = RunThermalAnalysis(GetCurrentStructure(), ProgramStructureSlots(), std::ref(feed));
    Invalidate();
    if (!StructureAt(slot))
        return;
    g_CurrentAnalysis = slot;
    g_CurrentStructure = slot;
    BindViews(slot, true);
    if (m_structuresChanged)
        RefreshStructureViews(1);
    else if (m_app)
        m_app->UpdateCaption(StructureAt(slot)->GetName());  // the title names the post-fire beam
    ShowFireGraphs();
}

// ---- Member definition ------------------------------------------------------------------

void TQuarvishWindow::CmFullMemberProperties() {
    const double before = g_MemberDefinition.displacementLocation;
    (void)GetInputDialogs().MemberProperties(*this, g_MemberDefinition);
    const double after = g_MemberDefinition.displacementLocation;
    if (TSectionalAnalysis* a = GetCurrentAnalysis(); a && std::fabs(after - before) > kLocationTolerance)
        a->SetResultParameter(0, after, 0.0, 0);
    if (m_structuresChanged) {
        RefreshStructureViews(0);
        MarkDocumentModified();
    } else {
        RefreshStructureViews(1);
    }
}

void TQuarvishWindow::CmMemberDefinition() {
    (void)GetInputDialogs().MemberDefinition(*this, g_MemberDefinition);
    if (!m_structuresChanged)
        return;
    RefreshStructureViews(0);
    MarkDocumentModified();
}

// ---- Elements and small commands --------------------------------------------------------

void TQuarvishWindow::SwitchElement(int slot) {
    if (IsValidSlot(slot) && StructureAt(slot))
        g_CurrentStructure = slot;
    g_CurrentAnalysis = g_CurrentStructure;
    BindViews(g_CurrentStructure, true);
    RefreshStructureViews(1);
}

// The elements need not fill the table without gaps (the member settings of a document keep
// the slot of their component empty): the next and previous element are the nearest filled
// slots that way, and with none the current one stays.
void TQuarvishWindow::CmNextElement() {
    const int next = FilledSlotAfter(g_CurrentStructure);
    SwitchElement(next >= 0 ? next : g_CurrentStructure);
}

void TQuarvishWindow::CmPreviousElement() {
    const int previous = FilledSlotBefore(g_CurrentStructure);
    SwitchElement(previous >= 0 ? previous : g_CurrentStructure);
}

void TQuarvishWindow::CmClearValueLists() {
    if (TStructure* s = GetCurrentStructure())
        s->ClearValueLists();
    CmCrossSection();
}

void TQuarvishWindow::CmClampingStress() { GetInputDialogs().RelaxationDemo(*this); }

void TQuarvishWindow::OpenWebPage() { (void)plat::Help::ShowWebPage(kWebPage); }

// ---- Summary page -----------------------------------------------------------------------

void TQuarvishWindow::OnPageClick(unsigned, int x, int y, int code, int index) {
    if (CurrentLayoutMode() != LayoutMode::Summary)
        return;
    if (x == 0 && y == 0) {
        // A direct request for the materials sheet at a type.
        if (code < 7 || code > 9)
            return;
        RunStructureDialog([&](TStructure& s) {
            return GetInputDialogs().MaterialsSheet(*this, s, code == 7 ? index : -1, code == 8 ? index : -1,
                                                    code == 9 ? index : -1, 0);
        });
        return;
    }
    int item = -1;
    const plat::Rect r = GetClientRect();
    int hit = PageHit::Nothing;
    {
        // The context that measures the page holds the window's picture while it lives: it
        // ends before the action, whose dialog the window repaints behind and after.
        plat::ClientDC measure(*this);
        hit = HitTestSummaryPage(measure, GetCurrentStructure(), x, y, item, 0, 0, r.Width(), r.Height(), 0);
    }
    PageHitAction(hit, item);
}

void TQuarvishWindow::PageHitAction(int hit, int index) {
    switch (hit) {
    case 1:
    case 3:
    case 16: CmEditGeneral(index); break;
    case 2: CmPreferences(); break;
    case 4: CmSectionalLoads(); break;
    case 5: CmConcreteSection(0); break;
    case 6: CmShrink(index == 0 ? 0 : 1); break;
    case 7:
    case 8:
        if (m_app)
            m_app->CmHelpAbout();
        break;
    case 10: CmConcreteSection(index); break;
    case 11: CmTransverseReinforcement(index); break;
    case 12: CmLongitudinalReinforcement(index, -1, -1); break;
    case 13: CmLongitudinalReinforcement(-1, index, -1); break;
    case 14: CmLongitudinalReinforcement(-1, -1, index); break;
    case 15: CmTendons(index); break;
    case 17:
        RunStructureDialog([&](TStructure& s) { return GetInputDialogs().MaterialsSheet(*this, s, index, -1, -1, 0); });
        break;
    case 18: CmDefineData(); break;
    case 19: CmCatalog(); break;
    case 20:
        if (index != g_CurrentStructure && StructureAt(index)) {
            g_CurrentStructure = index;
            g_CurrentAnalysis = index;
            BindViews(index, false);
            RefreshStructureViews(1);
        }
        break;
    case 21: CmFullMemberProperties(); break;
    case 0:  // nothing hit: a click on the page clears the chart selection
        if (m_viewManager)
            m_viewManager->ClearActiveChart();
        break;
    default: break;  // 9: nothing
    }
}
