// The window after the document or the current element changes, with the beam and membrane
// modes, the program's document engine and its own dialogs: whatever showed the structures of
// the old document lets go of them (a resize and a repaint after opening another document draw
// the new one), element switching shows the element chosen in the mode of its kind, and an edit
// puts the table in order with the analyses and member zones following their sections.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/summary/InfoManager.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "platform/Controls.h"
#include "dialogs/Catalog.h"
#include "dialogs/QuickDefineDialogs.h"
#include "dialogs/SectionInputDialogs.h"
#include "foundation/Sentinel.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "member/TFullMemberResponse.h"
#include "member/TMemberDefinition.h"
#include "views/membrane/MembraneModeInstall.h"
#include "views/membrane/TP2k_Logic.h"
#include "model/TShell.h"
#include "model/materials/MaterialTypes.h"
#include "support/RecordingDC.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/views/BothModesShell.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"
#include "views/GraphTables.h"
#include "views/StateDiagram.h"
#include "views/TQ2k_Logic.h"

namespace {

int Count(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<int>(std::count_if(texts.begin(), texts.end(),
                                          [&](const std::string& t) { return t.find(text) != std::string::npos; }));
}

struct DocumentChange : BothModesShellTest {
    TSectionInputDialogs sectionDialogs{GetInputDialogs()};
    TQuickDefineDialogs catalogDialogs{sectionDialogs};
    TInputDialogs* previousDialogs = SetInputDialogs(&catalogDialogs);

    ~DocumentChange() override { SetInputDialogs(previousDialogs); }

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
        return WriteStructures(file, std::move(structures));
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
        if (!a)
            return nullptr;
        // Run to its end, then shown as the idle stepping shows a run that has finished.
        RunToFinish(*a, 5000);
        View().FillControlCharts();
        Window().ShowResults(a->GetCurrentState(), -1, kUndefined, kUndefined);
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
    // A document of one beam, "Girder", opened.
    void OpenGirder() {
        app->OpenFile(Write("beam.qvh", [] {
            std::vector<std::unique_ptr<TStructure>> s;
            s.push_back(Beam("Girder"));
            return s;
        }()));
    }
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

// ---- Element switching ---------------------------------------------------------------------

TEST_F(DocumentChange, NextElementIsOfferedRightAfterOpeningADocumentOfSeveral) {
    app->OpenFile(Write("two.qvh", [] {
        std::vector<std::unique_ptr<TStructure>> s;
        s.push_back(Beam("Lintel"));
        s.push_back(Beam("Spandrel"));
        return s;
    }()));
    Frame().UpdateToolBar();
    EXPECT_TRUE(Frame().IsToolButtonEnabled(CmId::NextElement));
    EXPECT_TRUE(Frame().IsMenuItemEnabled(CmId::NextElement));
    EXPECT_FALSE(Frame().IsToolButtonEnabled(CmId::PreviousElement));
}

// What each panel chart shows: its graph, title and data.
struct Shown {
    int id = 0;
    std::string title;
    std::vector<double> data;
    bool operator==(const Shown&) const = default;
};

std::vector<Shown> Panels(TViewm_2k& view) {
    std::vector<Shown> panels;
    for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
        if (const Tchart* c = view.GetChart(i))
            panels.push_back({view.GetChartId(i), c->Data().Title(), c->Data().Data()});
    return panels;
}

bool AllEmpty(const std::vector<Shown>& panels) {
    return std::all_of(panels.begin(), panels.end(), [](const Shown& p) { return p.data.empty(); });
}

TEST_F(DocumentChange, SwitchingBetweenTwoBeamsShowsEachOnTheSummaryPageAndInTheGraphs) {
    app->OpenFile(Write("two.qvh", [] {
        std::vector<std::unique_ptr<TStructure>> s;
        s.push_back(Beam("Lintel"));
        s.push_back(Beam("Spandrel"));
        return s;
    }()));
    ExpectSummaryOf("Lintel", "Spandrel");
    Frame().Dispatch(CmId::NextElement);
    EXPECT_EQ(g_CurrentStructure, 1);
    ExpectSummaryOf("Spandrel", "Lintel");
    EXPECT_NE(Frame().GetCaption().find("Spandrel"), std::string::npos);

    // The nine graphs of the lintel's response, then of the spandrel, which has none.
    Frame().Dispatch(CmId::PreviousElement);
    Solve();
    Frame().Dispatch(CmId::NineGraphs);
    const std::vector<Shown> lintel = Panels(View());
    ASSERT_FALSE(AllEmpty(lintel));
    ASSERT_NE(Frame().GetGadgetText(GadgetId::Status2), "");
    Frame().Dispatch(CmId::NextElement);
    EXPECT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
    EXPECT_TRUE(AllEmpty(Panels(View())));
    EXPECT_TRUE(View().GetControlChart(0)->Data().IsDataEmpty());
    // Neither the lintel's cracked section nor its loads stay on the page.
    for (int i = 0; i < TViewm_2k::kPanelCharts; ++i) {
        if (const auto* diagram = dynamic_cast<const TStateDiagram*>(View().GetChart(i))) {
            EXPECT_EQ(diagram->GetStateCopy(), nullptr) << View().GetChartId(i);
        }
    }
    EXPECT_EQ(Frame().GetGadgetText(GadgetId::Status2), "");
    Frame().Dispatch(CmId::PreviousElement);
    EXPECT_EQ(Panels(View()), lintel);
    EXPECT_FALSE(View().GetControlChart(0)->Data().IsDataEmpty());
}

TEST_F(DocumentChange, SwitchingBetweenTwoMembraneElementsShowsEachOnesCurves) {
    app->OpenFile(Write("panels.qvh", [] {
        std::vector<std::unique_ptr<TStructure>> s;
        s.push_back(Panel("Panel A"));
        s.push_back(Panel("Panel B", 0.02));
        return s;
    }()));
    ExpectSummaryOf("Panel A", "Panel B");
    Solve();
    Frame().Dispatch(CmId::NineGraphs);
    const std::vector<Shown> a = Panels(View());
    ASSERT_FALSE(AllEmpty(a));
    Tcontrolchart* control = View().GetControlChart(0);
    ASSERT_NE(control, nullptr);
    Window().UpdateWindow();
    control->UpdateWindow();
    Frame().Dispatch(CmId::NextElement);
    EXPECT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
    EXPECT_TRUE(AllEmpty(Panels(View())));
    // The window is painted again: the control panel with the element's name, and the
    // control chart, which has no curve of this element to show.
    EXPECT_FALSE(Window().GetUpdateRect().IsEmpty());
    ASSERT_EQ(View().GetControlChart(0), control);
    EXPECT_TRUE(control->Data().IsDataEmpty());
    EXPECT_FALSE(control->GetUpdateRect().IsEmpty());
    EXPECT_TRUE(Count(Painted(), "Panel B") >= 1);  // the control panel names the element
    Solve();
    const std::vector<Shown> b = Panels(View());
    ASSERT_FALSE(AllEmpty(b));
    EXPECT_NE(b, a);  // twice the x reinforcement: another response
    Frame().Dispatch(CmId::PreviousElement);
    EXPECT_EQ(Panels(View()), a);
    Frame().Dispatch(CmId::NextElement);
    EXPECT_EQ(Panels(View()), b);
}

// A membrane element chosen in the catalogue of a document that also holds a beam is shown in
// the membrane mode's layouts, as it would be opened on its own; the beam afterwards in the
// beam's.
TEST_F(DocumentChange, AnElementOfAnotherKindIsShownInTheLayoutsOfItsOwnMode) {
    app->OpenFile(Write("mixed.qvh", [] {
        std::vector<std::unique_ptr<TStructure>> s;
        s.push_back(Beam("Girder"));
        s.push_back(Panel("Panel A"));
        s.push_back(Panel("Panel B", 0.02));
        return s;
    }()));
    ExpectSummaryOf("Girder", "Panel A");
    ui.Dialog("Catalog of Elements", [](plat::DialogDriver& d) {
        d.SelectTreeItem(CatalogId::Tree, "Panel A");
        d.Click(1);
    });
    Frame().Dispatch(CmId::Catalog);
    ASSERT_TRUE(ui.Done());
    EXPECT_EQ(g_CurrentStructure, 1);
    EXPECT_NE(dynamic_cast<TP2k_Logic*>(View().GetLogic()), nullptr);
    ExpectSummaryOf("Panel A", "Girder");
    EXPECT_GE(Count(Painted(), "Element Properties"), 1);  // the membrane element's page

    Solve();
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
    ASSERT_NE(View().GetLayoutCombo(), nullptr);
    EXPECT_GE(View().GetLayoutCombo()->FindStringExact("General Stress and Strain"), 0);
    EXPECT_EQ(View().GetChartId(0), MembraneGroupGraphIds[0][0]);
    ASSERT_NE(View().GetControlChart(0), nullptr);
    EXPECT_EQ(View().GetControlChart(0)->Data().Title(), "Control: Shear - |g_x_y");

    // Back to the beam from the nine graphs: its own sets and control chart.
    Frame().Dispatch(CmId::PreviousElement);
    EXPECT_EQ(g_CurrentStructure, 0);
    EXPECT_NE(dynamic_cast<TQ2k_Logic*>(View().GetLogic()), nullptr);
    EXPECT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
    EXPECT_LT(View().GetLayoutCombo()->FindStringExact("General Stress and Strain"), 0);
    EXPECT_NE(View().GetChartId(0), MembraneGroupGraphIds[0][0]);
    EXPECT_NE(View().GetControlChart(0)->Data().Title(), "Control: Shear - |g_x_y");
    // And to the membrane element again, by the next-element command.
    Frame().Dispatch(CmId::NextElement);
    EXPECT_NE(dynamic_cast<TP2k_Logic*>(View().GetLogic()), nullptr);
    EXPECT_EQ(View().GetChartId(0), MembraneGroupGraphIds[0][0]);
}

// The catalogue closed with OK and nothing changed still replaces every structure by its copy
// and deletes every analysis: no panel, control chart or state diagram keeps the deleted
// response, the mode object is bound to the copy, and the window shows the chosen element as
// after any catalogue change.
TEST_F(DocumentChange, TheCataloguesOkWithoutAChangeLeavesNoDeletedResultsOnScreen) {
    OpenGirder();
    ASSERT_NE(Solve(), nullptr);
    Frame().Dispatch(CmId::NineGraphs);
    ASSERT_FALSE(AllEmpty(Panels(View())));
    ASSERT_FALSE(View().GetControlChart(0)->Data().IsDataEmpty());
    const TStructure* before = StructureAt(0);

    ui.Dialog("Catalog of Elements", [](plat::DialogDriver& d) { d.Click(1); });
    Frame().Dispatch(CmId::Catalog);
    ASSERT_TRUE(ui.Done());
    ASSERT_NE(StructureAt(0), before);  // the copy took the slot
    EXPECT_EQ(Window().GetCurrentAnalysis(), nullptr);
    auto* logic = dynamic_cast<TQ2k_Logic*>(View().GetLogic());
    ASSERT_NE(logic, nullptr);
    EXPECT_EQ(logic->GetBoundStructure(), StructureAt(0));
    EXPECT_EQ(logic->GetBoundAnalysis(), nullptr);
    EXPECT_EQ(View().GetLayoutMode(), LayoutMode::Summary);
    EXPECT_GE(Count(Painted(), "Girder"), 2);
    // The summary page's material charts show the copy's materials; nothing else shows data.
    const auto nothingOfTheDeletedResponse = [this, before](const char* where) {
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i) {
            if (Tchart* c = View().GetChart(i)) {
                const int id = View().GetChartId(i);
                const bool materials = id >= BeamGraphId::ConcreteChart && id <= BeamGraphId::PSteelChart;
                EXPECT_TRUE(materials || c->Data().IsDataEmpty()) << where << ": " << c->Data().Title();
                EXPECT_NE(c->GetStructure(), before) << where << ": " << c->Data().Title();
            }
            if (const auto* diagram = dynamic_cast<const TStateDiagram*>(View().GetChart(i))) {
                EXPECT_EQ(diagram->GetStateCopy(), nullptr) << where << ": panel " << i;
            }
        }
        for (int k = 0; k < 2; ++k)
            if (const Tcontrolchart* c = View().GetControlChart(k)) {
                EXPECT_TRUE(c->Data().IsDataEmpty()) << where << ": control chart " << k;
            }
    };
    nothingOfTheDeletedResponse("summary");
    // The nine graphs again, a resize and a step of the load stage: still nothing of it.
    Frame().Dispatch(CmId::NineGraphs);
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
    Window().MoveWindow(plat::Rect{0, 0, 900, 700});
    Frame().Dispatch(CmId::NextLoadStage);
    nothingOfTheDeletedResponse("nine graphs");
    EXPECT_TRUE(AllEmpty(Panels(View())));
    // Solved again, the copy's own response shows.
    ASSERT_NE(Solve(), nullptr);
    Frame().Dispatch(CmId::NineGraphs);
    EXPECT_FALSE(AllEmpty(Panels(View())));
    EXPECT_EQ(logic->GetBoundAnalysis(), Window().GetCurrentAnalysis());
}

// Leaving the preferences page by Apply does what leaving it by OK does, and what it stored
// stays after Cancel: a unit system alone shows the views in its units at once; a factor taken
// marks the section modified, and its results, which no longer hold, go when the sheet closes.
TEST_F(DocumentChange, PreferencesApplyThenCancelApplyThenOkAndOkAlone) {
    ValueGuard<ResistanceFactors> factors{g_ResistanceFactors, ResistanceFactors{1.0, 1.0, 1.0}};
    ValueGuard<int> fileOverride{g_FileOverride, g_FileOverride};
    OpenGirder();
    ASSERT_NE(Solve(), nullptr);
    Frame().Dispatch(CmId::NineGraphs);
    const std::string siTitle = View().GetControlChart(0)->Data().YTitle();
    ASSERT_EQ(Window().IsModified(), 0);

    // US Customary and CSA, Apply, then Cancel.
    ui.Dialog("Quarvish Preferences", [](plat::DialogDriver& d) {
        d.Click(5029);
        d.Click(5046);
        d.Apply();
        d.Click(2);
    });
    Frame().Dispatch(CmId::Preferences);
    ASSERT_TRUE(ui.Done());
    EXPECT_EQ(g_UnitSystem, kUnitUS);
    EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{0.65, 0.85, 0.9}));
    EXPECT_EQ(Window().IsModified(), 1);
    EXPECT_EQ(Window().GetCurrentAnalysis(), nullptr);
    EXPECT_EQ(View().GetLayoutMode(), LayoutMode::Summary);
    EXPECT_EQ(Frame().GetMessageText(), "FACTORED");
    EXPECT_EQ(Window().StructuresChanged(), 0);

    // SI Metric alone, Apply, then OK: the control chart shows SI while the sheet is still
    // open; nothing is marked and the results stay.
    TSectionalAnalysis* factored = Solve();
    ASSERT_NE(factored, nullptr);
    Frame().Dispatch(CmId::NineGraphs);
    ASSERT_NE(View().GetControlChart(0)->Data().YTitle(), siTitle);
    Window().ClearModified();
    std::string titleAfterApply;
    ui.Dialog("Quarvish Preferences", [&](plat::DialogDriver& d) {
        d.Click(5028);
        d.Apply();
        titleAfterApply = View().GetControlChart(0)->Data().YTitle();
        d.Click(1);
    });
    Frame().Dispatch(CmId::Preferences);
    ASSERT_TRUE(ui.Done());
    EXPECT_EQ(titleAfterApply, siTitle);
    EXPECT_EQ(g_UnitSystem, kUnitSI);
    EXPECT_EQ(Window().IsModified(), 0);
    EXPECT_EQ(Window().GetCurrentAnalysis(), factored);
    EXPECT_EQ(View().GetControlChart(0)->Data().YTitle(), siTitle);

    // "None" and OK alone: the factors are taken, the section is marked and its results go.
    ui.Dialog("Quarvish Preferences", [](plat::DialogDriver& d) {
        d.Click(5023);
        d.Click(1);
    });
    Frame().Dispatch(CmId::Preferences);
    ASSERT_TRUE(ui.Done());
    EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{1.0, 1.0, 1.0}));
    EXPECT_EQ(Window().IsModified(), 1);
    EXPECT_EQ(Window().GetCurrentAnalysis(), nullptr);
    EXPECT_EQ(Frame().GetMessageText(), "Cross Section");
}

// An edit that renames the current section so that the table's order by name changes: each
// analysis moves with its section and the member zone still names its section.
TEST_F(DocumentChange, ARenameReordersTheTableWithAnalysesAndMemberZonesFollowing) {
    app->OpenFile(Write("three.qvh", [] {
        std::vector<std::unique_ptr<TStructure>> s;
        s.push_back(Beam("Alpha"));
        s.push_back(Beam("Beta"));
        s.push_back(Beam("Gamma"));
        return s;
    }()));
    g_MemberDefinition.zoneCount = 1;
    g_MemberDefinition.zones[0].structureIndex = 2;  // Gamma
    Frame().Dispatch(CmId::NextElement);
    TSectionalAnalysis* beta = Solve();
    const TStructure* betaSection = StructureAt(1);
    // A member response over Gamma, solved while Gamma stood in slot 2.
    g_Analyses[2] = std::make_unique<TFullMemberResponse>(g_MemberDefinition, ProgramStructureSlots());
    Frame().Dispatch(CmId::PreviousElement);
    ui.Dialog("General  Definitions", [](plat::DialogDriver& d) {
        d.Type(5032, "Zeta");
        d.Click(1);
    });
    Frame().Dispatch(CmId::EditGeneral);
    ASSERT_TRUE(ui.Done());
    ASSERT_NE(StructureAt(2), nullptr);
    EXPECT_EQ(StructureAt(0)->GetName(), "Beta");
    EXPECT_EQ(StructureAt(1)->GetName(), "Gamma");
    EXPECT_EQ(StructureAt(2)->GetName(), "Zeta");
    EXPECT_EQ(StructureAt(0), betaSection);
    EXPECT_EQ(AnalysisAt(0), beta);
    EXPECT_EQ(AnalysisAt(1), nullptr);  // the member response: its zone's slot now holds Zeta
    EXPECT_EQ(AnalysisAt(2), nullptr);
    EXPECT_EQ(g_CurrentStructure, 2);
    EXPECT_EQ(g_CurrentAnalysis, 2);
    EXPECT_EQ(g_MemberDefinition.zones[0].structureIndex, 1);  // still Gamma
    ExpectSummaryOf("Zeta", "Beta");
    EXPECT_NE(Frame().GetCaption().find("Zeta"), std::string::npos);
    // Beta's results come back with it.
    Frame().Dispatch(CmId::PreviousElement);
    Frame().Dispatch(CmId::PreviousElement);
    EXPECT_EQ(Window().GetCurrentAnalysis(), beta);
}

// The marker of the shown stage on a control chart lies on the chart's curve.
bool MarkerOnCurve(const Tcontrolchart& chart) {
    const Tcontrolchart::Marker& m = chart.GetMarker(0);
    const std::vector<double>& d = chart.Data().Data();
    for (std::size_t i = 0; i + 1 < d.size(); i += 2)
        if (std::fabs(d[i] - m.x) <= 1e-9 * (1.0 + std::fabs(m.x)) &&
            std::fabs(d[i + 1] - m.y) <= 1e-9 * (1.0 + std::fabs(m.y)))
            return true;
    return false;
}

TEST_F(DocumentChange, AUnitChangeRebuildsTheControlChartsWithTheStageMarkerOnTheCurve) {
    app->OpenFile(Write("beam.qvh", [] {
        std::vector<std::unique_ptr<TStructure>> s;
        s.push_back(Beam("Girder"));
        return s;
    }()));
    TSectionalAnalysis* a = Solve();
    Frame().Dispatch(CmId::NineGraphs);
    const int stage = a->GetLastStageIndex() / 2;
    Window().SelectLoadStage(0.0, 0.0, stage);
    const Tcontrolchart* chart = View().GetControlChart(0);
    ASSERT_NE(chart, nullptr);
    ASSERT_TRUE(MarkerOnCurve(*chart));
    const std::vector<double> si = chart->Data().Data();
    const std::string xTitle = chart->Data().XTitle(), yTitle = chart->Data().YTitle();

    ui.Dialog("Quarvish Preferences", [](plat::DialogDriver& d) {
        d.Click(5029);  // "US Customary"
        d.Click(1);
    });
    Frame().Dispatch(CmId::Preferences);
    ASSERT_TRUE(ui.Done());
    ASSERT_EQ(g_UnitSystem, kUnitUS);
    chart = View().GetControlChart(0);
    const std::vector<double>& us = chart->Data().Data();
    ASSERT_EQ(us.size(), si.size());
    // Moments in kip-ft: 1 kNm = 0.7376 kip-ft.
    double siPeak = 0.0, usPeak = 0.0;
    for (std::size_t i = 1; i < si.size(); i += 2) {
        siPeak = std::max(siPeak, std::fabs(si[i]));
        usPeak = std::max(usPeak, std::fabs(us[i]));
    }
    EXPECT_NEAR(usPeak / siPeak, ToDisplayUnits(1.0, ukMoment, kUnitUS) / ToDisplayUnits(1.0, ukMoment, kUnitSI),
                1e-6);
    EXPECT_NE(chart->Data().YTitle(), yTitle);
    EXPECT_TRUE(MarkerOnCurve(*chart));
}

} // namespace


// A membrane element's status shows its applied stresses in stress units, never its shear stress
// read as a force ("V : 5806.4 kN" for 5.81 MPa).
TEST_F(DocumentChange, AMembraneElementsStatusShowsItsStresses) {
    app->OpenFile(Write("panel.qvh", [] {
        std::vector<std::unique_ptr<TStructure>> s;
        s.push_back(Panel("Panel A"));
        return s;
    }()));
    TSectionalAnalysis* a = Solve();
    ASSERT_NE(a, nullptr);
    std::array<double, 6> r{};
    ASSERT_TRUE(a->GetStateResults(a->GetCurrentState(), r, 2));
    // Pure shear: the normal stresses are no more than the solution's residue; the shear stress
    // of a panel with 1 % of steel each way lies between a few MPa and the concrete's crushing.
    const double shearMPa = r[5] / 1e6;
    EXPECT_GT(shearMPa, 1.0);
    EXPECT_LT(shearMPa, 15.0);
    for (const double normal : {r[3], r[4]})
        EXPECT_LT(std::fabs(normal / 1e6), 0.01 * shearMPa);
    EXPECT_EQ(Frame().GetGadgetText(GadgetId::Status1), StrPrintf("Stress-X : %5.2f MPa", r[3] / 1e6));
    EXPECT_EQ(Frame().GetGadgetText(GadgetId::Status2), StrPrintf("Stress-Y : %5.2f MPa", r[4] / 1e6));
    EXPECT_EQ(Frame().GetGadgetText(GadgetId::Status3), StrPrintf("Shear : %5.2f MPa", shearMPa));
}


// ---- Elements without concrete ---------------------------------------------------------

namespace {

// The PV19 to PV22 panels (the last one example 3 renamed) as one document, with the
// concrete region element taken out of each element named.
struct WithoutConcrete : DocumentChange {
    std::string DamagedPanels(const std::vector<std::string>& damaged) {
        const std::string file = Write("pv.qvh", [] {
            std::vector<std::unique_ptr<TStructure>> s;
            for (int example = 1; example <= 3; ++example)
                s.push_back(std::make_unique<TShell>(example));
            s.push_back(std::make_unique<TShell>(3));
            s.back()->SetName("PV22");
            return s;
        }());
        std::string text = dir.Read("pv.qvh");
        const std::string end = "</sectionSOLID>";
        for (const std::string& name : damaged) {
            const std::size_t from = text.find("<sectionSOLID", text.find("\"" + name + "\""));
            const std::size_t to = text.find(end, from);
            EXPECT_NE(to, std::string::npos) << name;
            if (to != std::string::npos)
                text.erase(from, to + end.size() - from);
        }
        dir.Write("pv.qvh", text);
        return file;
    }
};

std::string MissingConcrete(const std::string& name) {
    return "Membrane element \"" + name + "\": No concrete region at depth -35.0 mm.";
}

// The peak shear stress of an analysis (Pa), 0 without a peak.
double PeakShear(const TSectionalAnalysis* a) {
    std::array<double, 6> r{};
    return a && a->GetStateResults(a->GetPeakState(), r, 2) ? r[5] : 0.0;
}

} // namespace

// A membrane element whose concrete region element was lost is read as it stands and reported
// in one box naming it; moving to it, through the catalogue or the next-element command, adds
// none. Asked to solve it, the window shows the same box once and nothing as solved, and the
// mode's sensitivity runs make nothing of it either. The other elements load and solve as
// before: PV19 to the strength it has alone, near the 3.95 MPa it carried in the laboratory.
TEST_F(WithoutConcrete, AnElementWithoutConcreteIsReportedOnceAndNotSolved) {
    const std::string file = DamagedPanels({"PV20"});
    ui.Message(MissingConcrete("PV20"), MsgAnswer::Ok);
    app->OpenFile(file);
    ASSERT_EQ(ui.requests.size(), 1u);
    EXPECT_EQ(ui.Count("No concrete region"), 1);
    EXPECT_EQ(ui.requests[0].style & MsgStyle::IconMask, MsgStyle::IconExclamation);
    const char* names[] = {"PV19", "PV20", "PV21", "PV22"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(StructureAt(i), nullptr) << i;
        EXPECT_EQ(StructureAt(i)->GetName(), names[i]);
        EXPECT_EQ(StructureAt(i)->GetRegionCount(), i == 1 ? 0 : 1) << names[i];
    }

    ui.Dialog("Catalog of Elements", [](plat::DialogDriver& d) {
        d.SelectTreeItem(CatalogId::Tree, "PV20");
        d.Click(1);
    });
    Frame().Dispatch(CmId::Catalog);
    EXPECT_EQ(g_CurrentStructure, 1);
    Frame().Dispatch(CmId::PreviousElement);
    Frame().Dispatch(CmId::NextElement);
    EXPECT_EQ(g_CurrentStructure, 1);
    ASSERT_TRUE(ui.Done());
    ASSERT_EQ(ui.requests.size(), 2u);  // the catalogue's own dialog

    for (int solve = 0; solve < 2; ++solve) {
        ui.Message(MissingConcrete("PV20"), MsgAnswer::Ok);
        Frame().Dispatch(CmId::SectionalResponse);
        ASSERT_TRUE(ui.Done());
        EXPECT_EQ(ui.requests.size(), 3u + solve);
        const auto* a = dynamic_cast<const TP2kFullResponse*>(Window().GetCurrentAnalysis());
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->IsRunning(), 0);
        EXPECT_EQ(a->GetStageCount(), 0);
        EXPECT_EQ(a->GetPeakState(), nullptr);
        EXPECT_EQ(a->GetStage(0), nullptr);
        EXPECT_TRUE(AllEmpty(Panels(View())));
    }
    View().SetNineGraphs(3003);  // the sensitivity plots
    auto* logic = dynamic_cast<TP2k_Logic*>(View().GetLogic());
    ASSERT_NE(logic, nullptr);
    for (int k = 0; k < 18; ++k) {
        if (const TP2kFullResponse* run = logic->GetSensitivityRun(k)) {
            EXPECT_EQ(run->GetStage(0), nullptr) << k;
        }
    }
    EXPECT_TRUE(AllEmpty(Panels(View())));
    EXPECT_EQ(ui.requests.size(), 4u);

    Frame().Dispatch(CmId::PreviousElement);
    ASSERT_EQ(g_CurrentStructure, 0);
    const TSectionalAnalysis* pv19 = Solve();
    EXPECT_EQ(ui.requests.size(), 4u);
    EXPECT_FALSE(AllEmpty(Panels(View())));
    const TShell alone(1);
    const TP2kFullResponse reference(&alone);
    EXPECT_DOUBLE_EQ(PeakShear(pv19), PeakShear(&reference));
    EXPECT_NEAR(PeakShear(pv19) / 3.95e6, 1.0, 0.03);
}

// An element saved without its outline and its concrete (as an earlier version saved one whose
// outline it had not read): named once on opening, once on each solve, and its sensitivity plots
// and nine graphs are drawn empty without a box.
TEST_F(WithoutConcrete, AnElementWithoutOutlineOrConcreteSaysWhyOnceAndItsPlotsStayEmpty) {
    const std::string file = DamagedPanels({"PV20"});
    std::string text = dir.Read("pv.qvh");
    const std::size_t from = text.find("<concrete", text.find("\"PV20\""));
    text.erase(from, text.find("/>", from) + 2 - from);
    dir.Write("pv.qvh", text);
    ui.Message(MissingConcrete("PV20"), MsgAnswer::Ok);
    app->OpenFile(file);
    ASSERT_EQ(ui.requests.size(), 1u);
    Frame().Dispatch(CmId::NextElement);
    ASSERT_EQ(StructureAt(1)->GetConcreteTypeCount(), 0);
    ASSERT_EQ(g_CurrentStructure, 1);

    ui.Message(MissingConcrete("PV20"), MsgAnswer::Ok);
    Frame().Dispatch(CmId::SectionalResponse);
    ASSERT_TRUE(ui.Done());
    EXPECT_EQ(ui.requests.size(), 2u);
    for (const int set : {3003, 3000, 3001, 3002}) {
        SCOPED_TRACE(set);
        View().SetNineGraphs(set);
        Window().Invalidate();
        Window().UpdateWindow();
        EXPECT_TRUE(AllEmpty(Panels(View())));
    }
    EXPECT_EQ(ui.requests.size(), 2u);
}

// With every region element gone each element is named once on opening, and none is solved.
// A document cut short is still refused whole, with its one message.
TEST_F(WithoutConcrete, EveryElementWithoutConcreteIsNamedOnceAndACutDocumentIsRefused) {
    const std::vector<std::string> names{"PV19", "PV20", "PV21", "PV22"};
    const std::string file = DamagedPanels(names);
    for (const std::string& name : names)
        ui.Message(MissingConcrete(name), MsgAnswer::Ok);
    app->OpenFile(file);
    ASSERT_TRUE(ui.Done());
    EXPECT_EQ(ui.requests.size(), 4u);
    ui.Message(MissingConcrete("PV19"), MsgAnswer::Ok);
    Frame().Dispatch(CmId::SectionalResponse);
    EXPECT_EQ(ui.requests.size(), 5u);
    ASSERT_NE(Window().GetCurrentAnalysis(), nullptr);
    EXPECT_EQ(Window().GetCurrentAnalysis()->GetPeakState(), nullptr);
    EXPECT_TRUE(AllEmpty(Panels(View())));

    // Cut inside the name of PV21: PV19 and PV20 were read whole, but the document is refused
    // with its one message and none about them, and the document open before stays.
    EXPECT_EQ(OpenCutInside("pv.qvh", "\"PV21\"").caption, "End of File!");
}
