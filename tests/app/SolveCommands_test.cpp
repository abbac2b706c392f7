// The solve road, the result commands, the strain prompts and the load-deformation choice.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/SolveCommands.h"
#include "app/views/ModeStandIns.h"
#include "app/views/TViewm.h"
#include "foundation/Diagnostics.h"
#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "member/MemberRunCheck.h"
#include "member/TMemberDefinition.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"

namespace {

// An analysis that writes what happens to it into a log.
class LoggedAnalysis final : public FakeAnalysis {
public:
    LoggedAnalysis(TStructure* s, std::vector<std::string>* log, const std::string& name)
        : FakeAnalysis(s), m_log(log), m_name(name) {}
    ~LoggedAnalysis() override { m_log->push_back(m_name + " deleted"); }
    int GetStateResults(const SectionState*, std::array<double, 6>&, int) const override {
        m_log->push_back(m_name + " shown");
        return 0;
    }
    int CanContinue() const override { return 1; }
    int MoreDetail(int first, int last) override {
        m_log->push_back(m_name + " more " + std::to_string(first) + " " + std::to_string(last));
        return 1;
    }
    using FakeAnalysis::SetRunning;

private:
    std::vector<std::string>* m_log;
    std::string m_name;
};

} // namespace

// The old analysis goes before the new one is built; the new one is bound to the views and
// shown, and only then are the errors of its construction shown, one box each, in order.
TEST_F(StartedShellTest, TheSolveRoadDeletesTheOldAnalysisFirstAndShowsErrorsAfterThePanels) {
    Frame().Dispatch(CmId::CrossSection);  // the summary page: the solve switches to nine graphs
    ASSERT_EQ(Window().GetViewManager().GetLayoutMode(), LayoutMode::Summary);
    std::vector<std::string> log;
    TStructure* structure = Window().GetCurrentStructure();
    g_Analyses[0] = std::make_unique<LoggedAnalysis>(structure, &log, "old");
    LoggedAnalysis* built = nullptr;
    ui.Message("first error", MsgAnswer::Ok).Message("second error", MsgAnswer::Ok);
    Window().Solve([&](TStructure& s) {
        log.push_back(g_Analyses[0] ? "slot taken" : "slot empty");
        auto a = std::make_unique<LoggedAnalysis>(&s, &log, "new");
        a->AddError("first error", "Solve", MsgStyle::IconStop);
        a->AddError("second error", "Solve", MsgStyle::IconStop);
        built = a.get();
        return a;
    });
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], "old deleted");
    EXPECT_EQ(log[1], "slot empty");
    EXPECT_EQ(log[2], "new shown");
    EXPECT_EQ(g_Analyses[0].get(), built);
    ASSERT_EQ(ui.requests.size(), 2u);
    EXPECT_EQ(ui.requests[0].text, "first error");
    EXPECT_EQ(ui.requests[1].text, "second error");
    auto* logic = dynamic_cast<TStandInLogic*>(Window().GetViewManager().GetLogic());
    ASSERT_NE(logic, nullptr);
    EXPECT_EQ(logic->GetBoundAnalysis(), built);
    EXPECT_EQ(Window().GetViewManager().GetLayoutMode(), LayoutMode::NineGraphs);
    g_Analyses[0].reset();  // before the log goes
}

TEST_F(StartedShellTest, ACancelledStrainPromptLeavesTheAnalysisAlone) {
    // A section with an outline: one without is not asked for strains.
    Window().GetCurrentStructure()->AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
    std::vector<std::string> log;
    g_Analyses[0] = std::make_unique<LoggedAnalysis>(Window().GetCurrentStructure(), &log, "old");
    ui.Input("Enter strain and dist. from bottom for 2 sections", std::nullopt);
    Frame().Dispatch(CmId::TwoStrain);
    EXPECT_TRUE(log.empty());
    ASSERT_EQ(ui.requests.size(), 1u);
    EXPECT_EQ(ui.requests[0].caption, "2 Strain Parameters");
    g_Analyses[0].reset();
}

TEST_F(StartedShellTest, MoreDetailWaitsForTheRunToEndAndPassesNoRangeWithoutMarkers) {
    std::vector<std::string> log;
    auto a = std::make_unique<LoggedAnalysis>(Window().GetCurrentStructure(), &log, "run");
    LoggedAnalysis* run = a.get();
    g_Analyses[0] = std::move(a);
    run->SetRunning(1);
    Frame().Dispatch(CmId::MoreDetail);
    EXPECT_TRUE(log.empty());
    run->SetRunning(0);
    Frame().Dispatch(CmId::MoreDetail);
    EXPECT_EQ(log, std::vector<std::string>{"run more -1 -1"});
    g_Analyses[0].reset();
}

TEST(StrainPrompt, ShownInDisplayUnitsAboveTheBottom) {
    const StrainPoints p{-0.0035, 0.3, 0.002, -0.25};
    // SI: thousandths and millimetres without decimals; US: inches with one.
    EXPECT_EQ(FormatStrainPrompt(p, true, -0.3, kUnitSI), "-3.50,   600,  2.00,    50");
    EXPECT_EQ(FormatStrainPrompt(p, false, -0.3, kUnitSI), "-3.50,   600");
    EXPECT_EQ(FormatStrainPrompt(p, true, -0.3, kUnitUS), "-3.50,  23.6,  2.00,   2.0");
}

TEST(StrainPrompt, ReadBackUpToTheFirstMissingNumber) {
    StrainPoints p{-0.0035, 0.3, 0.002, -0.25};
    ParseStrainAnswer("1.5, 100", p, -0.3, kUnitSI);
    EXPECT_DOUBLE_EQ(p.strain1, 0.0015);
    EXPECT_DOUBLE_EQ(p.depth1, -0.2);
    EXPECT_DOUBLE_EQ(p.strain2, 0.002);  // kept
    EXPECT_DOUBLE_EQ(p.depth2, -0.25);
    // A word is no distance: the answer is refused and every point stays.
    EXPECT_EQ(ParseStrainAnswer("-2,abc 3.0 ,10", p, -0.3, kUnitUS), "Dist. from bottom must be a number: \"abc\" is not.");
    EXPECT_EQ(ParseStrainAnswer("-2,0 3.0mm/m ,10", p, -0.3, kUnitUS), "Strain must be a number: \"3.0mm/m\" is not.");
    EXPECT_DOUBLE_EQ(p.strain1, 0.0015);
    EXPECT_DOUBLE_EQ(p.depth2, -0.25);
    EXPECT_EQ(ParseStrainAnswer("-2,0 3.0 ,10", p, -0.3, kUnitUS), "");
    EXPECT_DOUBLE_EQ(p.strain1, -0.002);
    EXPECT_DOUBLE_EQ(p.depth1, -0.3);
    EXPECT_DOUBLE_EQ(p.strain2, 0.003);
    EXPECT_NEAR(p.depth2, 10 * 0.0254 - 0.3, 1e-6);
    const StrainPoints before = p;
    ParseStrainAnswer("  ", p, -0.3, kUnitSI);
    EXPECT_EQ(p.strain1, before.strain1);
    EXPECT_EQ(p.depth2, before.depth2);
}

namespace {

class ChoiceAnalysis final : public FakeAnalysis {
public:
    ChoiceAnalysis(TStructure* s, int kind, bool peak, double dn, double dm, double dv)
        : FakeAnalysis(s), m_kind(kind), m_peak(peak) {
        IncrementLoads[0] = dn, IncrementLoads[1] = dm, IncrementLoads[2] = dv;
    }
    int GetAnalysisKind() const override { return m_kind; }
    const SectionState* GetPeakState() const override { return m_peak ? &m_state : nullptr; }

private:
    int m_kind;
    bool m_peak;
    SectionState m_state;
};

} // namespace

TEST(LoadDeformationChoice, ByKindThenByTheLargestIncrement) {
    TBeam beam;
    struct Case {
        int kind;
        bool peak;
        double dn, dm, dv;
        int id;
    };
    const Case cases[] = {
        {0, false, 0, 100, 0, 1011}, {1, true, 0, 0, 0, 1006},     {2, true, 0, 0, 0, 1007},
        {3, true, 0, 0, 0, 1008},    {5, true, 0, 0, 0, 1001},     {0, true, 750, 100, 0, 1012},
        {4, true, 751, 100, 0, 1000}, {0, true, -751, 100, 0, 1000}, {0, true, 0, 100, 50, 1001},
        {0, true, 0, -50, 100, 1004}, {0, true, 0, 100, 100, 1012}, {0, true, 0, 0, 0, 1012},
    };
    EXPECT_EQ(ChooseLoadDeformationGraph(nullptr), 1012);
    for (const Case& c : cases) {
        ChoiceAnalysis a(&beam, c.kind, c.peak, c.dn, c.dm, c.dv);
        EXPECT_EQ(ChooseLoadDeformationGraph(&a), c.id) << c.kind << ' ' << c.dn << ' ' << c.dm << ' ' << c.dv;
    }
}

TEST_F(StartedShellTest, DebugLinesAreDrawnOnlyAtANonZeroDebugLevel) {
    Window().MoveWindow(plat::Rect{0, 0, 200, 100});
    const plat::Color before = Window().BackingImage().Pixel(50, 20);
    Window().DrawDebugLine(10, 20, 190, 20);
    EXPECT_EQ(Window().BackingImage().Pixel(50, 20), before);
    ui.Input("Enter Debug Mode", std::string("1"));
    Frame().Dispatch(CmId::DebugMode);
    DrawDebugLine(10, 20, 190, 20);  // what the analysis code calls
    EXPECT_NE(Window().BackingImage().Pixel(50, 20), before);
    SetDebugLevel(0);
}

// "&Sectional Response" on the new section of the start (no regions, height 0): no analysis
// runs and a box says why.
TEST_F(StartedShellTest, SolvingTheEmptyStartUpSectionSaysWhyNothingRuns) {
    const TStructure* structure = Window().GetCurrentStructure();
    ASSERT_NE(structure, nullptr);
    ASSERT_EQ(structure->GetRegionCount(), 0);
    ui.Message("no concrete regions", MsgAnswer::Ok);
    Frame().Dispatch(CmId::SectionalResponse);
    ASSERT_NE(Window().GetCurrentAnalysis(), nullptr);
    EXPECT_EQ(Window().GetCurrentAnalysis()->IsRunning(), 0);
    ASSERT_EQ(ui.requests.size(), 1u);
    EXPECT_NE(ui.requests[0].text.find("Define | Concrete Section"), std::string::npos);
    EXPECT_EQ(ui.requests[0].style & MsgStyle::IconMask, MsgStyle::IconExclamation);
}

// A section one of whose regions names a concrete type it does not have (the web of a T-beam
// naming a second type of a section of one): every solve road (the response, the three
// diagrams, One Load, the strain solves, which do not ask for strains first) says so once,
// naming the region by its elevations, and runs nothing; so does Member Response, whose zone is
// that section.
TEST_F(StartedShellTest, SolvingARegionOfAMissingConcreteTypeSaysSoOnceAndRunsNothing) {
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    TStructure& s = *Window().GetCurrentStructure();
    ASSERT_EQ(s.GetConcreteTypeCount(), 1);
    s.AddRegion(0.6, 0.5, 1.0, 1.0, 0, 0);
    s.AddRegion(0.5, 0.0, 0.3, 0.3, 1, 1);
    const std::string why = "Section \"" + s.GetName() +
                            "\": The concrete region between elevations 0 and 500 mm names a concrete type that "
                            "the section does not have, so it cannot be analysed.";
    for (const int command : {CmId::SectionalResponse, CmId::MNInteraction}) {
        SCOPED_TRACE(command);
        ui.requests.clear();
        ui.Message(why, MsgAnswer::Ok);
        Frame().Dispatch(command);
        const TSectionalAnalysis* a = Window().GetCurrentAnalysis();
        ASSERT_NE(a, nullptr);
        for (long pass = 0; pass < 200 && a->IsRunning(); ++pass)
            Window().IdleAction(pass);
        EXPECT_EQ(a->IsRunning(), 0);
        ASSERT_EQ(ui.requests.size(), 1u);
        EXPECT_EQ(ui.requests[0].text, why);
    }
    for (const int command : {CmId::MVInteraction, CmId::NVInteraction, CmId::OneLoad, CmId::OneStrain,
                              CmId::TwoStrain})
        ExpectOneBoxOnSolve(command, why);
    TMemberDefinition member = g_MemberDefinition;
    member.zoneCount = 1;
    member.zones[0].structureIndex = g_CurrentStructure;
    member.axialLoad[LiveDiagram] = -1000.0;
    ValueGuard<TMemberDefinition> live{g_MemberDefinition, member};
    ExpectOneBoxOnSolve(CmId::MemberResponse, why);
    ASSERT_FALSE(ui.requests.empty());
    EXPECT_EQ(ui.requests[0].caption, kMemberRunCaption);
    EXPECT_EQ(s.GetRegion(1)->concreteType, 1);  // the section is left as it is
}
