// The solve and result commands of the main window, and its idle-time stepping.

#include "analysis/T1DAnalysis.h"
#include "analysis/TInteractionDiagrams.h"
#include "analysis/TPointAnalysis.h"
#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/IdleScheduler.h"
#include "app/ShellServices.h"
#include "app/SolveCommands.h"
#include "app/TQuarvishWindow.h"
#include "app/views/TViewm.h"
#include "foundation/RunMessages.h"
#include "foundation/Sentinel.h"
#include "foundation/Units.h"
#include "member/MemberRunCheck.h"
#include "member/TFullMemberResponse.h"
#include "member/TMemberDefinition.h"
#include "membrane/TP2k1DAnalysis.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "platform/Ui.h"

namespace {

// The main window as the stepping sees it.
class WindowIdleHost final : public TIdleHost {
public:
    explicit WindowIdleHost(TQuarvishWindow& w) : m_window(w) {}
    int GetLayoutMode() const override { return m_window.GetViewManager().GetLayoutMode(); }
    void ShowResults(const SectionState* state, int stage, double x, double y) override {
        m_window.ShowResults(state, stage, x, y);
    }
    void FillControlCharts() override { m_window.GetViewManager().FillControlCharts(); }
    void InvalidateCorner() override { m_window.InvalidateRect(plat::Rect{0, 0, 10, 10}, true); }
    void ViewIdle() override { m_window.GetViewManager().OnIdle(); }
    int GetIdleDebugLevel() const override { return m_window.GetDebugLevel(); }

private:
    TQuarvishWindow& m_window;
};

const TBeam* AsBeam(const TStructure& s) {
    return s.GetKind() == kKindBeam ? static_cast<const TBeam*>(&s) : nullptr;
}

// The analysis of a beam, or null for any other structure.
template <typename Analysis, typename... Args>
std::unique_ptr<TSectionalAnalysis> ForBeam(const TStructure& s, Args... args) {
    const TBeam* beam = AsBeam(s);
    return beam ? std::make_unique<Analysis>(beam, args...) : nullptr;
}

// Whether no analysis can be built from the structure: it has no outline or no height, or its
// concrete leaves a depth uncovered (TStructure::DescribeMissingConcrete).
bool CannotBeAnalysed(const TStructure& s) {
    return s.GetRegionCount() < 1 || !(s.GetHeight() > 0.0) || !s.DescribeMissingConcrete().empty();
}

} // namespace

bool TQuarvishWindow::IdleAction(long idleCount) {
    const bool base = T_2kWindow::IdleAction(idleCount);
    WindowIdleHost host(*this);
    return StepRunningAnalyses(idleCount, base, host);
}

void TQuarvishWindow::CmStopAnalysis() {
    TSectionalAnalysis* current = GetCurrentAnalysis();
    const bool running = current && current->IsRunning();
    StopAnalysis();
    if (running) {
        WindowIdleHost host(*this);
        ShowEndOfRun(*current, host);
    }
}

void TQuarvishWindow::Solve(const AnalysisBuilder& build, bool member) {
    if (!member && m_viewManager->GetLayoutMode() == LayoutMode::Pushover)
        ShowNineGraphLayout();
    ReplaceAnalysis(build);
}

void TQuarvishWindow::ReplaceAnalysis(const AnalysisBuilder& build) {
    TViewm_2k& view = *m_viewManager;
    view.ClearControlMarkers();
    view.DetachAllStructures();
    DeleteAnalysis(g_CurrentAnalysis);
    TStructure* structure = GetCurrentStructure();
    TSectionalAnalysis* analysis = nullptr;
    if (IsValidSlot(g_CurrentAnalysis) && structure) {
        auto& slot = g_Analyses[static_cast<std::size_t>(g_CurrentAnalysis)];
        // The run's messages begin with its set-up.
        RunMessages& messages = SlotRunMessages(g_CurrentAnalysis);
        messages.Reset();
        {
            const RunMessages::Scope scope(messages);
            slot = build(*structure);
        }
        analysis = slot.get();
        if (analysis) {
            messages.Claim(analysis);
            StopRepeatingRun(*analysis, messages);
        }
    }
    view.CreateLogic(1, structure, analysis);
    // Stage stepping starts afresh: an index of the analysis replaced means nothing here.
    m_shownStage = -1;
    // Every panel is described again for the new analysis and keeps nothing of the old one: an
    // analysis that failed leaves "No Data" everywhere, not the previous run's last stage.
    if (view.GetLayoutMode() != LayoutMode::Summary)
        view.RebuildPanels();
    ShowResults(analysis ? analysis->GetPeakState() : nullptr, -1, kUndefined, kUndefined);
    view.FillControlCharts();
    if (view.GetLayoutMode() == LayoutMode::Summary)
        ShowNineGraphLayout();
    ShowAnalysisErrors(analysis);
    // A beam's analysis says why its section cannot be analysed; a structure this command
    // builds no analysis for (a membrane element asked for a diagram of a beam section) says it
    // here, when it cannot be analysed at all.
    if (analysis == nullptr && structure != nullptr) {
        const std::string why = structure->DescribeMissingConcrete();
        if (!why.empty())
            plat::MessageBox(why, g_MainWindowTitle, MsgStyle::Ok | MsgStyle::IconExclamation);
    }
}

void TQuarvishWindow::CmSectionalResponse() {
    Solve([](TStructure& s) -> std::unique_ptr<TSectionalAnalysis> {
        if (s.GetKind() == kKindShell)
            return std::make_unique<TP2kFullResponse>(static_cast<const TShell*>(&s));
        return ForBeam<TFullSectionalResponse>(s, 1);
    });
}

void TQuarvishWindow::CmInteraction(int command) {
    Solve([command](TStructure& s) -> std::unique_ptr<TSectionalAnalysis> {
        if (command == CmId::MNInteraction)
            return ForBeam<TMNInter>(s);
        if (command == CmId::MVInteraction)
            return ForBeam<TMVInter>(s);
        return ForBeam<TNVInter>(s);
    });
}

void TQuarvishWindow::CmOneLoad() {
    Solve([](TStructure& s) { return ForBeam<T1LoadAnalysis>(s, 0.0, 0.0, 0.0, 0.0); });
}

void TQuarvishWindow::CmStrain(bool two) {
    TStructure* structure = GetCurrentStructure();
    if (!structure)
        return;
    if (m_viewManager->GetLayoutMode() == LayoutMode::Pushover)
        ShowNineGraphLayout();
    StrainPoints p;
    // A structure that cannot be analysed is not asked for strains: the solve says why.
    if (CannotBeAnalysed(*structure)) {
        ReplaceAnalysis([two](TStructure& s) -> std::unique_ptr<TSectionalAnalysis> {
            if (two)
                return ForBeam<T2StrainAnalysis>(s, 0.0, 0.0, 0.0, 0.0);
            return ForBeam<T1StrainAnalysis>(s, 0.0, 0.0, 0.0, 0.0);
        });
        return;
    }
    if (const TSectionalAnalysis* a = GetCurrentAnalysis())
        a->GetTwoStrainPoints(p.strain1, p.depth1, p.strain2, p.depth2);
    else
        structure->GetDefaultStrainPoints(p.strain1, p.depth1, p.strain2, p.depth2);
    const double bottom = structure->GetBottom();
    std::string text = FormatStrainPrompt(p, two, bottom, g_UnitSystem);
    // An answer with a value that is no number is refused and asked for again.
    if (!plat::InputUntilTaken(two ? "2 Strain Parameters" : "1 Strain Parameters",
                               two ? "Enter strain and dist. from bottom for 2 sections" : "Enter strain and dist. from bottom",
                               text, [&](const std::string& t) { return ParseStrainAnswer(t, p, bottom, g_UnitSystem); }))
        return;
    m_viewManager->DetachAllStructures();
    if (two)
        ReplaceAnalysis([p](TStructure& s) {
            return ForBeam<T2StrainAnalysis>(s, p.strain1, p.depth1, p.strain2, p.depth2);
        });
    else
        ReplaceAnalysis([p](TStructure& s) { return ForBeam<T1StrainAnalysis>(s, p.strain1, p.depth1, 0.0, 0.0); });
}

void TQuarvishWindow::CmMemberResponse() {
    TShellServices& slots = *m_services;
    if (!PrepareMemberRun(slots, g_MemberDefinition))
        return;
    // A member is shown in the beam view: asked for from another element (a membrane
    // element), it runs from its own first section, which becomes the current one.
    if (const TStructure* shown = GetCurrentStructure(); shown && shown->GetKind() != kKindBeam) {
        const int own = g_MemberDefinition.zoneCount > 0 ? g_MemberDefinition.zones[0].structureIndex : -1;
        if (const TStructure* section = StructureAt(own); section && section->GetKind() == kKindBeam)
            SwitchElement(own);
    }
    Solve([&slots](TStructure&) { return std::make_unique<TFullMemberResponse>(g_MemberDefinition, slots); }, true);
    if (GetCurrentAnalysis())
        CmFullMemberResults();
}

void TQuarvishWindow::CmMoreDetail() {
    TSectionalAnalysis* a = GetCurrentAnalysis();
    if (!a || a->IsRunning())
        return;
    double x1 = 0.0, x2 = 0.0;
    int tag1 = -1, tag2 = -1;
    if (m_viewManager->HasControlMarkers())
        m_viewManager->GetControlMarkers(x1, tag1, x2, tag2);
    if (!a->CanContinue())
        return;
    // A new run of the analysis: its messages are shown afresh.
    RunMessages& messages = SlotRunMessages(g_CurrentAnalysis);
    messages.Reset(a);
    const RunMessages::Scope scope(messages);
    a->MoreDetail(std::min(tag1, tag2), std::max(tag1, tag2));
}

void TQuarvishWindow::CmUnloadReload(int unload) {
    TSectionalAnalysis* a = GetCurrentAnalysis();
    if (!a || a->IsRunning())
        return;
    RunMessages& messages = SlotRunMessages(g_CurrentAnalysis);
    messages.Reset(a);
    const RunMessages::Scope scope(messages);
    a->UnloadReload(-1, unload);
}

void TQuarvishWindow::CmFullMemberResults() {
    TSectionalAnalysis* a = GetCurrentAnalysis();
    if (!a || !GetCurrentStructure())
        return;
    a->BuildResultCurves();
    m_viewManager->FillControlCharts();
    m_viewManager->SetPushover(4003);
    ShowAnalysisStatus(nullptr);
}

void TQuarvishWindow::CmLoadDeformationPlot() {
    const int id = ChooseLoadDeformationGraph(GetCurrentAnalysis());
    SetStatusText("Sectional Plot");
    m_viewManager->SetLoadDeformation(id);
}

void TQuarvishWindow::CmMohrsCircles() {
    m_viewManager->SetNineGraphs(3004);
    SelectLoadStage(0.0, 0.0, 20008);
}
