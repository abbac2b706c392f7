// The window after the document or the current element changes, with the beam and membrane
// modes, the program's document engine and its own dialogs: whatever showed the structures of
// the old document lets go of them (a resize and a repaint after opening another document draw
// the new one), element switching shows the element chosen in the mode of its kind, and an edit
// puts the table in order with the analyses and member zones following their sections.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/summary/InfoManager.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "dialogs/QuickDefineDialogs.h"
#include "dialogs/SectionInputDialogs.h"
#include "foundation/Units.h"
#include "member/TMemberDefinition.h"
#include "membrane/view/MembraneModeInstall.h"
#include "membrane/view/TP2k_Logic.h"
#include "model/TShell.h"
#include "support/RecordingDC.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"
#include "views/TQ2k_Logic.h"

namespace {

int Count(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<int>(std::count_if(texts.begin(), texts.end(),
                                          [&](const std::string& t) { return t.find(text) != std::string::npos; }));
}

struct DocumentChange : StartedShellTest {
    BeamLogicFactory previousBeam = InstallBeamMode();
    TDocumentEngine* previousEngine = SetDocumentEngine(nullptr);
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, TMemberDefinition{}};
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    StateDiagramsGuard diagrams;
    TSectionInputDialogs sectionDialogs{GetInputDialogs()};
    TQuickDefineDialogs catalogDialogs{sectionDialogs};
    TInputDialogs* previousDialogs = SetInputDialogs(&catalogDialogs);

    DocumentChange() { InstallMembraneMode(); }
    void SetUp() override {
        StartedShellTest::SetUp();
        Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
    }
    ~DocumentChange() override {
        SetInputDialogs(previousDialogs);
        SetDocumentEngine(previousEngine);
        SetBeamLogicFactory(std::move(previousBeam));
        SetMembraneLogicFactory({});
    }

    TViewm_2k& View() { return Window().GetViewManager(); }

    // A beam with stirrups under moment and shear, and a membrane element in pure shear.
    static std::unique_ptr<TStructure> Beam(const std::string& name) {
        std::unique_ptr<TStructure> beam = TestSection::MakeBeam();
        beam->SetName(name);
        TestSection::SetLoads(*beam, 0, 0, 0, 0, -100e3, 60e3);
        return beam;
    }
    static std::unique_ptr<TStructure> Panel(const std::string& name, double rhoX = 0.01) {
        membrane_fixtures::PanelSpec spec;
        spec.rhoX = rhoX;
        std::unique_ptr<TStructure> panel = membrane_fixtures::MakePanel(spec);
        panel->SetName(name);
        return panel;
    }

    // Writes the structures as one document, leaving the open one as it was.
    std::string Write(const std::string& file, std::vector<std::unique_ptr<TStructure>> structures) {
        std::array<std::unique_ptr<TStructure>, kMaxStructures> open;
        open.swap(g_Structures);
        for (std::size_t i = 0; i < structures.size(); ++i)
            g_Structures[i] = std::move(structures[i]);
        const std::string path = dir.File(file);
        EXPECT_TRUE(Window().WriteDocument(path));
        open.swap(g_Structures);
        return path;
    }

    // The texts of the window's own paint (the summary page, or the control panel).
    std::vector<std::string> Painted() {
        RecordingDC dc;
        Window().Paint(dc, true, Window().GetClientRect());
        return dc.Texts();
    }
    TSectionalAnalysis* Solve() {
        Frame().Dispatch(CmId::SectionalResponse);
        TSectionalAnalysis* a = Window().GetCurrentAnalysis();
        EXPECT_NE(a, nullptr);
        if (a)
            RunToFinish(*a, 5000);
        return a;
    }
    // The name the summary page shows: it stands in the title block and in the catalogue
    // column, every other element's name only in the column.
    void ExpectSummaryOf(const std::string& shown, const std::string& other) {
        ASSERT_EQ(View().GetLayoutMode(), LayoutMode::Summary);
        const std::vector<std::string> page = Painted();
        EXPECT_GE(Count(page, shown), 2) << shown;
        EXPECT_LE(Count(page, other), 1) << other;
    }
    const Tchart* Chart(int i) { return View().GetChart(i); }
};

// ---- Letting go -------------------------------------------------------------------------

TEST_F(DocumentChange, ResizeAndPaintAfterOpeningAnotherDocumentFromTheSummaryPage) {
    const std::string first = Write("first.qvh", [] {
        std::vector<std::unique_ptr<TStructure>> s;
        s.push_back(Beam("Girder"));
        return s;
    }());
    const std::string second = Write("second.qvh", [] {
        std::vector<std::unique_ptr<TStructure>> s;
        s.push_back(Beam("Lintel"));
        return s;
    }());
    app->OpenFile(first);
    ExpectSummaryOf("Girder", "Lintel");
    ASSERT_GT(g_InfoManager->Count(), 0);  // the callouts of the girder's bars
    app->OpenFile(second);
    Window().MoveWindow(plat::Rect{0, 0, 900, 700});
    ExpectSummaryOf("Lintel", "Girder");
    Window().MoveWindow(plat::Rect{0, 0, 1100, 800});
    EXPECT_GT(g_InfoManager->Count(), 0);
}

// The membrane mode's sensitivity runs, then the next element and a resize, in a document
// opened over a beam's summary page.
TEST_F(DocumentChange, NextElementFromTheSensitivityPlotsThenAResize) {
    const std::string beam = Write("beam.qvh", [] {
        std::vector<std::unique_ptr<TStructure>> s;
        s.push_back(Beam("Girder"));
        return s;
    }());
    const std::string panels = Write("panels.qvh", [] {
        std::vector<std::unique_ptr<TStructure>> s;
        s.push_back(Panel("Panel A"));
        s.push_back(Panel("Panel B", 0.02));
        return s;
    }());
    app->OpenFile(beam);
    ExpectSummaryOf("Girder", "Panel");
    app->OpenFile(panels);
    Solve();
    View().SetNineGraphs(3003);
    auto* logic = dynamic_cast<TP2k_Logic*>(View().GetLogic());
    ASSERT_NE(logic, nullptr);
    ASSERT_NE(logic->GetSensitivityRun(0), nullptr);
    Frame().Dispatch(CmId::NextElement);
    Window().MoveWindow(plat::Rect{0, 0, 900, 700});
    (void)Painted();
    EXPECT_EQ(g_CurrentStructure, 1);
    EXPECT_EQ(g_InfoManager->Count(), 0);  // a membrane element has no callouts
}

// Deleting analyses and structures: every holder lets go first, and the mode object is bound
// again to what is current.
TEST_F(DocumentChange, HoldersLetGoOfWhatIsDeletedAndAreBoundAgain) {
    app->OpenFile(Write("beams.qvh", [] {
        std::vector<std::unique_ptr<TStructure>> s;
        s.push_back(Beam("Girder"));
        return s;
    }()));
    TSectionalAnalysis* first = Solve();
    Frame().Dispatch(CmId::MohrsCircles);
    auto* logic = dynamic_cast<TQ2k_Logic*>(View().GetLogic());
    ASSERT_NE(logic, nullptr);
    ASSERT_NE(logic->GetLayerStates(), nullptr);  // the "Mohr's Circles" set's layer view

    Window().DeleteAnalysis(g_CurrentAnalysis);
    EXPECT_EQ(logic->GetBoundStructure(), StructureAt(0));
    EXPECT_EQ(logic->GetBoundAnalysis(), nullptr);
    EXPECT_EQ(logic->GetLayerStates(), nullptr);
    for (int i = 0; i < TViewm_2k::kPanelCharts; ++i) {
        if (Tchart* c = View().GetChart(i)) {
            EXPECT_EQ(c->GetStructure(), nullptr) << i;
        }
    }

    TSectionalAnalysis* second = Solve();
    EXPECT_NE(second, nullptr);
    (void)first;
    EXPECT_EQ(logic->GetBoundAnalysis(), second);
    EXPECT_NE(logic->GetLayerStates(), nullptr);  // opened again on the new analysis

    Frame().Dispatch(CmId::CrossSection);
    ASSERT_GT(g_InfoManager->Count(), 0);
    Window().DeleteAllStructures();
    EXPECT_EQ(logic->GetBoundStructure(), nullptr);
    EXPECT_EQ(logic->GetLayerStates(), nullptr);
    EXPECT_EQ(g_InfoManager->Count(), 0);
    Window().MoveWindow(plat::Rect{0, 0, 900, 700});
    (void)Painted();
}

} // namespace
