// The Define and Loads commands over recording dialogs, element switching, the fire road with
// a stand-in thermal analysis, and summary-page hits.

#include <map>

#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "app/summary/CrossSection.h"
#include "foundation/ReportText.h"
#include "member/TMemberDefinition.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/QuickDefineFlag.h"
#include "model/StructureRecords.h"
#include "model/TBeam.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "platform/Dialog.h"
#include "tests/app/ShellFixture.h"

namespace {

// Records each dialog with its arguments as one line and answers from a table; a dialog
// answering OK may change the structure through its action.
class RecordingDialogs final : public TInputDialogs {
public:
    std::vector<std::string> calls;
    int answer = DialogResult::Ok;
    bool changes = false;  // the dialog marks the structures changed
    std::function<void()> action;

    int Record(T_2kWindow& parent, const std::string& call) {
        calls.push_back(call);
        if (answer == DialogResult::Ok) {
            if (action)
                action();
            if (changes)
                parent.MarkStructuresChanged();
        }
        return answer;
    }
    static std::string N(int v) { return std::to_string(v); }

    int QuickDefine(T_2kWindow& p, TStructure&) override { return Record(p, "quick"); }
    int General(T_2kWindow& p, TStructure&, int f) override { return Record(p, "general " + N(f)); }
    int MaterialsSheet(T_2kWindow& p, TStructure&, int c, int s, int ps, int flag) override {
        return Record(p, "materials " + N(c) + " " + N(s) + " " + N(ps) + " " + N(flag));
    }
    int ConcreteSectionSheet(T_2kWindow& p, TStructure&, int row) override { return Record(p, "concrete " + N(row)); }
    int TransverseSheet(T_2kWindow& p, TStructure&, int row, int kind) override {
        return Record(p, "transverse " + N(row) + " " + N(kind));
    }
    int LongitudinalSheet(T_2kWindow& p, TStructure&, int page, int a, int b, int c) override {
        return Record(p, "longitudinal " + N(page) + " " + N(a) + " " + N(b) + " " + N(c));
    }
    int TendonSheet(T_2kWindow& p, TStructure&, int row) override { return Record(p, "tendons " + N(row)); }
    int Loads(T_2kWindow& p, TStructure&) override { return Record(p, "loads"); }
    int TimeEffects(T_2kWindow& p, TStructure&) override { return Record(p, "time"); }
    int Shrink(T_2kWindow& p, TStructure&, int mode) override { return Record(p, "shrink " + N(mode)); }
    int DefineData(T_2kWindow& p, TStructure&) override { return Record(p, "data"); }
    int Fire(T_2kWindow& p, TStructure&) override { return Record(p, "fire"); }
    int MemberProperties(T_2kWindow& p, TMemberDefinition&) override { return Record(p, "member properties"); }
    int MemberDefinition(T_2kWindow& p, TMemberDefinition&) override { return Record(p, "member"); }
    int Preferences(T_2kWindow& p) override { return Record(p, "preferences"); }
    void RelaxationDemo(T_2kWindow& p) override { Record(p, "relaxation"); }
};

// An analysis that records the result parameters it is given.
class ParameterAnalysis : public FakeAnalysis {
public:
    using FakeAnalysis::FakeAnalysis;
    int SetResultParameter(int id, double a, double, int) override {
        parameters.emplace_back(id, a);
        return 1;
    }
    std::vector<std::pair<int, double>> parameters;
};

// Longitudinal layers of direction 0 in place of the structure's own, at the depths and patterns given.
void SetLayers(TStructure& s, std::vector<std::pair<double, int>> layers) {
    s.SetLongLayerCount(0, 0);
    for (const auto& [z, pattern] : layers) {
        LongLayerRec layer;
        layer.z = z;
        layer.pattern = pattern;
        layer.num = 1;
        layer.Ai = layer.A = 2e-4;
        layer.db = 0.016;
        s.AddLongLayer(layer, 0);
    }
}

std::unique_ptr<TBeam> LayeredBeam(std::vector<std::pair<double, int>> layers) {
    auto beam = std::make_unique<TBeam>();
    SetLayers(*beam, std::move(layers));
    return beam;
}

class DefinitionTest : public StartedShellTest {
protected:
    DefinitionTest() : m_previous(SetInputDialogs(&dialogs)) {}
    ~DefinitionTest() override {
        SetInputDialogs(m_previous);
        SetThermalRunner({});
    }
    // Beams in the slots given, the first of them current.
    void Beams(std::initializer_list<int> slots) {
        Window().DeleteAllStructures();
        for (const int slot : slots)
            g_Structures[static_cast<std::size_t>(slot)] = std::make_unique<TBeam>();
        g_CurrentStructure = g_CurrentAnalysis = *slots.begin();
    }

    RecordingDialogs dialogs;

private:
    TInputDialogs* m_previous;
};

TEST_F(DefinitionTest, DialogsOpenOnTheCurrentStructureAndTheViewsFollowAChange) {
    ui.Message("create a new section", MsgAnswer::No);  // answered below for Quick Define
    SetQuickDefineNew(0);
    const std::map<int, std::string> commands = {
        {CmId::EditGeneral, "general 0"},
        {CmId::TransverseReinforcement, "transverse 0 2"},
        {CmId::Tendons, "tendons 0"},
        {CmId::TimeDependentEffects, "time"},
        {CmId::ThermalShrinkageStrains, "shrink 0"},
        {CmId::StrainDiscontinuity, "shrink 1"},
        {CmId::PageAction403, "data"},
        {CmId::ClampingStress, "relaxation"},
        {CmId::QuickDefine, "quick"},
        {CmId::SectionalLoads, "loads"},
    };
    for (const auto& [id, call] : commands) {
        dialogs.calls.clear();
        EXPECT_TRUE(Window().EvCommand(id, 0, 0)) << id;
        EXPECT_EQ(dialogs.calls, std::vector<std::string>{call}) << id;
    }
    EXPECT_TRUE(ui.Done());

    // Unchanged: the analysis stays; changed: the views are rebuilt, which drops it.
    g_Analyses[0] = std::make_unique<FakeAnalysis>(g_Structures[0].get());
    Window().CmEditGeneral(4);
    EXPECT_EQ(dialogs.calls.back(), "general 4");
    EXPECT_NE(g_Analyses[0], nullptr);
    dialogs.changes = true;
    Window().CmTimeDependentEffects();
    EXPECT_EQ(g_Analyses[0], nullptr);
    EXPECT_EQ(Window().StructuresChanged(), 0);
}

TEST(LongitudinalSheet, OpensAtThePageOfTheRowOrOfTheCommonestPattern) {
    const auto mostlyCircular = LayeredBeam(
        {{0.1, kCircularPattern}, {0.2, kCircularPattern}, {0.3, kCircularPattern}, {0.4, kDistributedPattern}});
    const auto even = LayeredBeam(
        {{0.1, kCircularPattern}, {0.2, kCircularPattern}, {0.3, kDistributedPattern}, {0.4, kDistributedPattern}});
    const auto distributed = LayeredBeam({{0.1, kDistributedPattern}, {0.2, kDistributedPattern}, {0.3, kPlainLayer}});
    EXPECT_EQ(LongitudinalOpeningPage(*mostlyCircular, -1, -1, -1), 1);
    EXPECT_EQ(LongitudinalOpeningPage(*even, -1, -1, -1), 0);
    EXPECT_EQ(LongitudinalOpeningPage(*distributed, -1, -1, -1), 2);
    EXPECT_EQ(LongitudinalOpeningPage(*mostlyCircular, 3, 1, 1), 0);
    EXPECT_EQ(LongitudinalOpeningPage(*even, -1, 2, 1), 1);
    EXPECT_EQ(LongitudinalOpeningPage(*even, -1, -1, 0), 2);
}

TEST_F(DefinitionTest, SteelOutsideTheConcreteIsReportedOncePerCommand) {
    // The default section with one layer below it, one inside and one above it.
    TStructure& s = *g_Structures[0];
    s.AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
    const double top = s.GetTop(), bottom = s.GetBottom();
    ASSERT_GT(top, bottom);
    SetLayers(s, {{bottom - 0.05, kPlainLayer}, {(top + bottom) / 2, kPlainLayer}, {top + 0.05, kPlainLayer}});
    ui.Message("Longitudinal steel defined outside of concrete cross section.  Shear analyses will be incorrect.",
               MsgAnswer::Ok);
    Window().CmConcreteSection(2);
    EXPECT_EQ(dialogs.calls, std::vector<std::string>{"concrete 2"});
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(ui.Count("Longitudinal steel"), 1);
    // Cancelled: no check.
    dialogs.answer = DialogResult::Cancel;
    Window().CmConcreteSection(0);
    EXPECT_EQ(ui.Count("Longitudinal steel"), 1);
}

TEST_F(DefinitionTest, ElementsSwitchWithinTheFilledSlotsAndStopAtBothEnds) {
    struct Step {
        int id;
        int expected;
    };
    Beams({0, 1});
    for (const Step& s : {Step{CmId::PreviousElement, 0}, Step{CmId::NextElement, 1}, Step{CmId::NextElement, 1},
                          Step{CmId::PreviousElement, 0}}) {
        Frame().Dispatch(s.id);
        EXPECT_EQ(g_CurrentStructure, s.expected);
        EXPECT_EQ(g_CurrentAnalysis, s.expected);
    }
    Beams({299, 298});
    Frame().Dispatch(CmId::NextElement);
    EXPECT_EQ(g_CurrentStructure, 299);
    Frame().Dispatch(CmId::PreviousElement);
    EXPECT_EQ(g_CurrentStructure, 298);
}

// The member settings take the slot of their component and leave it empty: "&Next Element" and
// "&Previous Element" (Ctrl+PgDn, Ctrl+PgUp) step over it, in the menu, on the tool bar and as
// commands, and are offered as long as any element lies that way.
TEST_F(DefinitionTest, NextAndPreviousElementStepOverAnEmptySlot) {
    app->OpenFile(WriteDocument("one.qvh", {"<q3g_beam BeamA/>", "<q3g_beam BeamB/>", "<Q2010_Analysis/>",
                                            "<p3g_shell PV19/>", "<p3g_shell PV20/>"}));
    ASSERT_NE(StructureAt(1), nullptr);
    ASSERT_EQ(StructureAt(2), nullptr);
    ASSERT_NE(StructureAt(3), nullptr);
    ASSERT_NE(StructureAt(4), nullptr);
    ASSERT_EQ(g_CurrentStructure, 0);
    struct Step {
        int id;
        int slot;
        const char* name;
        bool next, previous;  // offered afterwards
    };
    const Step steps[] = {
        {CmId::NextElement, 1, "BeamB", true, true},    {CmId::NextElement, 3, "PV19", true, true},
        {CmId::NextElement, 4, "PV20", false, true},    {CmId::NextElement, 4, "PV20", false, true},
        {CmId::PreviousElement, 3, "PV19", true, true}, {CmId::PreviousElement, 1, "BeamB", true, true},
        {CmId::PreviousElement, 0, "BeamA", true, false}, {CmId::PreviousElement, 0, "BeamA", true, false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        Frame().Dispatch(s.id);
        EXPECT_EQ(g_CurrentStructure, s.slot);
        EXPECT_EQ(g_CurrentAnalysis, s.slot);
        EXPECT_NE(Frame().GetCaption().find(s.name), std::string::npos) << Frame().GetCaption();
        Frame().UpdateToolBar();
        EXPECT_EQ(Frame().IsCommandEnabled(CmId::NextElement), s.next);
        EXPECT_EQ(Frame().IsMenuItemEnabled(CmId::NextElement), s.next);
        EXPECT_EQ(Frame().IsToolButtonEnabled(CmId::NextElement), s.next);
        EXPECT_EQ(Frame().IsCommandEnabled(CmId::PreviousElement), s.previous);
        EXPECT_EQ(Frame().IsMenuItemEnabled(CmId::PreviousElement), s.previous);
        EXPECT_EQ(Frame().IsToolButtonEnabled(CmId::PreviousElement), s.previous);
    }
    // Empty slots at both ends of the table: the filled ones are found across them.
    Beams({150, 7, 298});
    Frame().Dispatch(CmId::PreviousElement);
    EXPECT_EQ(g_CurrentStructure, 7);
    EXPECT_FALSE(Frame().IsCommandEnabled(CmId::PreviousElement));
    Frame().Dispatch(CmId::PreviousElement);
    EXPECT_EQ(g_CurrentStructure, 7);
    Frame().Dispatch(CmId::NextElement);
    Frame().Dispatch(CmId::NextElement);
    EXPECT_EQ(g_CurrentStructure, 298);
    EXPECT_FALSE(Frame().IsCommandEnabled(CmId::NextElement));
    Frame().Dispatch(CmId::NextElement);
    EXPECT_EQ(g_CurrentStructure, 298);
}

TEST_F(DefinitionTest, TheFireRoadMakesThePostFireBeamCurrent) {
    std::vector<TStructure*> analysed;
    SetThermalRunner([&](TStructure* s, TStructureSlots& slots) {
        analysed.push_back(s);
        auto beam = std::make_unique<TBeam>();
        beam->SetName("after fire");
        EXPECT_EQ(slots.StoreStructure(5, std::move(beam)), 1);
        return 5;
    });
    dialogs.answer = DialogResult::Cancel;
    Frame().Dispatch(CmId::FireDamagedBeam);
    EXPECT_TRUE(analysed.empty());

    dialogs.answer = DialogResult::Ok;
    TStructure* original = g_Structures[0].get();
    Frame().Dispatch(CmId::Fire);
    ASSERT_EQ(analysed, std::vector<TStructure*>{original});
    EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"fire", "fire"}));
    EXPECT_EQ(g_CurrentStructure, 5);
    EXPECT_EQ(g_CurrentAnalysis, 5);
    EXPECT_EQ(StructureAt(5)->GetName(), "after fire");
    EXPECT_EQ(Window().FireGraphsShown(), 3005);
    // The window's title names the beam now current, not the one the fire was run on.
    const std::string caption = Frame().GetCaption();
    EXPECT_EQ(caption.substr(caption.rfind("  -  ") + 5), "after fire");

    // With a fire model, "F&ire" only shows its graphs; a changed section and a new document
    // both drop the model.
    g_ThermalModel = std::make_unique<TFireAnalysis_2Ds>(0.5, 1, 0, 20.0);
    dialogs.calls.clear();
    Frame().Dispatch(CmId::Fire);
    EXPECT_TRUE(dialogs.calls.empty());
    dialogs.changes = true;
    Frame().Dispatch(CmId::TimeDependentEffects);
    EXPECT_EQ(HasThermalModel(), 0);
    g_ThermalModel = std::make_unique<TFireAnalysis_2Ds>(0.5, 1, 0, 20.0);
    EXPECT_EQ(Window().ClearStructures(), 1);
    EXPECT_EQ(Window().ClearStructures(), 0);
}

TEST_F(DefinitionTest, MemberPropertiesMoveTheOutputLocationOnlyBeyondATenthOfAMillimetre) {
    auto* analysis = new ParameterAnalysis(g_Structures[0].get());
    g_Analyses[0].reset(analysis);
    g_MemberDefinition.displacementLocation = 1.0;
    struct Row {
        double location;
        bool passed;
    };
    for (const Row& r : {Row{1.00005, false}, Row{1.5, true}}) {
        analysis->parameters.clear();
        dialogs.action = [&] { g_MemberDefinition.displacementLocation = r.location; };
        Frame().Dispatch(CmId::FullMemberProperties);
        if (r.passed)
            EXPECT_EQ(analysis->parameters, (std::vector<std::pair<int, double>>{{0, r.location}}));
        else
            EXPECT_TRUE(analysis->parameters.empty());
    }
    // A change to the member marks the first structure modified.
    dialogs.action = nullptr;
    dialogs.changes = true;
    g_Structures[0]->SetModified(0);
    Frame().Dispatch(CmId::MemberDefinitionPage);
    EXPECT_EQ(g_Structures[0]->IsModified(), 1);
}

TEST_F(DefinitionTest, SummaryPageHitsOpenTheMatchingDialog) {
    Beams({0, 3});
    const std::vector<std::pair<int, std::string>> hits = {
        {1, "general 7"},         {3, "general 7"},          {16, "general 7"},
        {2, "preferences"},       {4, "loads"},              {5, "concrete 0"},
        {10, "concrete 7"},       {11, "transverse 7 2"},    {12, "longitudinal 0 7 -1 -1"},
        {13, "longitudinal 1 -1 7 -1"}, {14, "longitudinal 2 -1 -1 7"}, {15, "tendons 7"},
        {17, "materials 7 -1 -1 0"},    {18, "data"},        {21, "member properties"},
        {9, ""},                  {0, ""},
    };
    for (const auto& [hit, call] : hits) {
        dialogs.calls.clear();
        Window().PageHitAction(hit, 7);
        EXPECT_EQ(dialogs.calls, call.empty() ? std::vector<std::string>{} : std::vector<std::string>{call}) << hit;
    }
    dialogs.calls.clear();
    Window().PageHitAction(6, 0);
    Window().PageHitAction(6, 2);
    EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"shrink 0", "shrink 1"}));

    // Direct requests at (0, 0) open the materials sheet at the type.
    dialogs.calls.clear();
    for (const int code : {7, 8, 9, 5})
        Window().OnPageClick(0, 0, 0, code, 2);
    EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"materials 2 -1 -1 0", "materials -1 2 -1 0",
                                                       "materials -1 -1 2 0"}));
    // Outside the summary page a click does nothing.
    Frame().Dispatch(CmId::NineGraphs);
    dialogs.calls.clear();
    Window().OnPageClick(0, 0, 0, 7, 2);
    EXPECT_TRUE(dialogs.calls.empty());
    // The edits above sorted the table (the two beams now fill slots 2 and 3): the beams are
    // put back in slots 0 and 3.
    Beams({0, 3});
    Frame().Dispatch(CmId::CrossSection);
    // The about box and an element of the catalogue page.
    ui.Dialog("About Quarvish-2010", [](plat::DialogDriver& d) { d.Click(1); });
    Window().PageHitAction(8, 0);
    Window().PageHitAction(20, 3);
    EXPECT_EQ(g_CurrentStructure, 3);
    EXPECT_EQ(g_CurrentAnalysis, 3);
    Window().PageHitAction(20, 2);  // an empty slot
    EXPECT_EQ(g_CurrentStructure, 3);
    EXPECT_TRUE(ui.Done());
}

// A double click on the summary page opens what the page shows there.
TEST_F(DefinitionTest, ClicksOnTheSummaryPageFindTheirItem) {
    Frame().SetFixedClientSize(plat::Size{1024, 768});
    g_Structures[0] = TestSection::MakeBeam();
    Frame().Dispatch(CmId::CrossSection);
    // The first point of a coarse grid where the page shows its loading.
    plat::Point loading{-1, -1};
    {
        plat::ClientDC dc(Window());
        for (int y = 4; y < 768 && loading.x < 0; y += 8)
            for (int x = 4; x < 1024 && loading.x < 0; x += 8) {
                int index = -1;
                if (HitTestSummaryPage(dc, g_Structures[0].get(), x, y, index, 0, 0, 1024, 768, 0) == 4)
                    loading = plat::Point{x, y};
            }
    }
    ASSERT_GE(loading.x, 0);
    Window().EvLButtonDblClk(0, loading);
    EXPECT_EQ(dialogs.calls, std::vector<std::string>{"loads"});
}

TEST_F(DefinitionTest, ClearingValueListsAndQuickDefineReports) {
    const double values[] = {1.0, 2.0, 3.0};
    g_Structures[0]->SetValueList(3, values, 3);
    Frame().Dispatch(CmId::PageAction404);
    EXPECT_EQ(g_Structures[0]->GetValueList(3), nullptr);
    EXPECT_EQ(Frame().GetMessageText(), "Cross Section");

    // A section from a file: the question first; the builder's complaints are shown once.
    SetQuickDefineNew(0);
    dialogs.action = [] { AddLoadError("Bar too large"); };
    ui.Message("Do you wish to create a new section?", MsgAnswer::No).Dialog("View Data", [](plat::DialogDriver& d) {
        EXPECT_NE(d.Text(4028).find("Bar too large"), std::string::npos);
        d.Click(1);
    });
    Frame().Dispatch(CmId::QuickDefine);
    EXPECT_TRUE(ui.Done());
    EXPECT_FALSE(HasReportText());
}

} // namespace
