// The full proportional-loading response of membrane elements: panel behaviour that can be
// checked by hand, the stop rules, and the stage list that the views read.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "analysis/RunToFinish.h"
#include "membrane/MembraneState.h"
#include "membrane/TP2k1DAnalysis.h"
#include "model/TShell.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/support/TestSupport.h"

namespace {

using membrane_fixtures::MakePanel;
using membrane_fixtures::PanelSpec;

constexpr double kPi = 3.14159265358979;
constexpr int kWellInside = 250; // stages: every run ends well before the list is full

struct PanelRun {
    std::unique_ptr<TShell> panel;
    std::unique_ptr<TP2kFullResponse> analysis;
    const SectionState& Peak() const { return *analysis->GetPeakState(); }
    const LayerNodeStateRec& PeakNode() const { return *ElementNode(Peak()); }
    double PeakShear() const { return Peak().Results[MembraneResult::TauXY]; }
    double PeakLoadFactor() const { return Peak().Results[MembraneResult::LoadFactor]; }
    // The last solved stage.
    const SectionState& Last() const
    {
        int i = analysis->GetStageCount() - 1;
        while (i > 0 && analysis->GetStage(i) == nullptr)
            --i;
        return *analysis->GetStage(i);
    }
};

PanelRun Solve(const PanelSpec& spec)
{
    PanelRun run;
    run.panel = MakePanel(spec);
    run.analysis = std::make_unique<TP2kFullResponse>(run.panel.get());
    return run;
}

bool Cracked(const TP2k1DAnalysis& a, const SectionState& s)
{
    const LayerNodeStateRec& n = *ElementNode(s);
    return n.Strain1 - n.FreeStrain1 > a.ElementConcrete()->ecr;
}

struct FullResponse : ::testing::Test {
    RecordingReporter reporter;
};

// A panel reinforced equally both ways under pure shear (rho 1 %, fy 400 MPa, f'c 30 MPa):
// principal tension v at 45 degrees, so it cracks when v reaches f't; its steel yields long
// before the concrete crushes, so the peak lies near sqrt(rho_x fy_x rho_y fy_y) = 4 MPa, raised
// only by the tension the cracked concrete still carries. Negative shear mirrors the response.
TEST_F(FullResponse, PureShearPanelCracksAt45DegreesAndPeaksNearThePlasticLimit)
{
    const PanelRun run = Solve(PanelSpec{});
    TP2kFullResponse& a = *run.analysis;
    ASSERT_EQ(a.GetErrorCount(), 0);
    EXPECT_EQ(a.IsRunning(), 0);
    const double ft = a.ElementConcrete()->ft;

    double lastUncracked = 0.0;
    const SectionState* firstCracked = nullptr;
    for (int i = 0; i < a.GetStageCount(); ++i) {
        const SectionState* s = a.GetStage(i);
        if (s == nullptr)
            continue;
        if (!Cracked(a, *s))
            lastUncracked = std::max(lastUncracked, s->Results[MembraneResult::TauXY]);
        else if (firstCracked == nullptr)
            firstCracked = s;
    }
    ASSERT_NE(firstCracked, nullptr);
    EXPECT_NEAR(ElementNode(*firstCracked)->CrackAngle, kPi / 4.0, 1e-6);
    EXPECT_GT(lastUncracked, 0.95 * ft);
    EXPECT_LE(lastUncracked, 1.001 * ft);

    const double plastic = std::sqrt(0.01 * 400e6 * 0.01 * 400e6);
    EXPECT_GE(run.PeakShear(), plastic);
    EXPECT_LE(run.PeakShear(), 1.15 * plastic);
    EXPECT_GE(run.PeakNode().SteelStressX, 0.99 * 400e6);
    EXPECT_GE(run.PeakNode().StirrupStress, 0.99 * 400e6);
    EXPECT_GT(run.PeakNode().Strain2, a.ElementConcrete()->ec); // not crushed at the peak
    // Symmetry of equal reinforcement: e_x = e_y and the axes stay at 45 degrees.
    EXPECT_NEAR(run.PeakNode().StrainX, run.PeakNode().StrainZ, 1e-6);
    EXPECT_NEAR(run.PeakNode().CrackAngle, kPi / 4.0, 1e-6);

    // The stored results are those of the (cracked) peak stage.
    EXPECT_DOUBLE_EQ(a.Probe_analysis(2, 0.0), run.PeakNode().Strain1);
    EXPECT_DOUBLE_EQ(a.Probe_analysis(3, 0.0), run.PeakNode().CrackAngle);
    EXPECT_DOUBLE_EQ(a.Probe_analysis(11, 0.0), a.GetPeakIndex());

    const PanelRun negative = Solve({.increment = {0.0, 0.0, -1e6}});
    EXPECT_NEAR(negative.PeakLoadFactor(), run.PeakLoadFactor(), 0.01 * run.PeakLoadFactor());
    EXPECT_LT(negative.PeakNode().ShearStrain, 0.0);

    // The run ends by crushing, e_2 beyond 3 e'c.
    EXPECT_LT(a.GetStageCount(), kWellInside);
    EXPECT_LT(ElementNode(run.Last())->Strain2, 3.0 * a.ElementConcrete()->ec);

    // Views walk the stages by the analysis operations; none of them may reach an unsolved
    // stage, and the response is complete after construction.
    const int last = a.GetLastStageIndex();
    EXPECT_EQ(last, a.GetStageCount()); // the last stored stage is valid
    EXPECT_EQ(a.GetStage(last), nullptr);
    for (int i = -1; i <= TP2k1DAnalysis::kStageSlots; ++i) {
        const SectionState* s = a.GetStage(i);
        if (s != nullptr) {
            EXPECT_EQ(s->Valid, 1) << i;
        }
    }
    EXPECT_EQ(a.GetCurrentState(), a.GetPeakState());
    EXPECT_EQ(a.SelectLoadStage(3), 1);
    EXPECT_EQ(a.GetCurrentState(), a.GetStage(3));
    EXPECT_EQ(a.SelectLoadStage(3), 0);
    EXPECT_EQ(a.SelectLoadStage(last), 0); // empty slot: the current state stays
    EXPECT_EQ(a.GetCurrentState(), a.GetStage(3));
    EXPECT_DOUBLE_EQ(a.Probe_analysis(11, 0.0), 3.0);
    EXPECT_EQ(a.GetNextStageIndex(last + 5), a.GetStageCount() - 1);
    EXPECT_EQ(RunToFinish(a, 10), 0); // the idle loop has nothing to do
}

// Every run ends by one of its own rules, well before the list is full (the pure-shear panel
// by crushing, above).
TEST_F(FullResponse, EveryStopRuleEndsTheRunByItself)
{
    {
        SCOPED_TRACE("excessive strain: e_x beyond 0.3");
        const PanelRun run = Solve({.increment = {1e6, 0.0, 0.0}});
        EXPECT_LT(run.analysis->GetStageCount(), kWellInside);
        EXPECT_GT(ElementNode(run.Last())->StrainX, TP2k1DAnalysis::kExcessiveStrain);
        // Uniaxial tension is carried by the bars up to their strength rho fu.
        EXPECT_NEAR(run.PeakShear(), 0.0, 1.0);
        EXPECT_NEAR(run.Peak().Results[MembraneResult::SigmaX], 0.01 * 600e6, 0.03 * 6e6);
    }
    {
        SCOPED_TRACE("unreinforced direction: e_y beyond 0.1");
        const PanelRun run = Solve({.rhoY = 0.0});
        EXPECT_LT(run.analysis->GetStageCount(), kWellInside);
        EXPECT_GT(ElementNode(run.Last())->StrainZ, TP2k1DAnalysis::kUnreinforcedStrain);
        EXPECT_LT(ElementNode(run.Last())->StrainZ, TP2k1DAnalysis::kExcessiveStrain);
    }
}

TEST_F(FullResponse, UnsolvableInitialLoadsEndWithTheStoredErrorAndNoStages)
{
    // 200 MPa: far beyond f'c.
    const PanelRun run = Solve({.constant = {-200000.0, -200000.0, 0.0}});
    const TP2kFullResponse& a = *run.analysis;
    EXPECT_EQ(OnlyError(a), StoredError(TP2k1DAnalysis::kInitialStageError, 0));
    EXPECT_EQ(a.GetStage(0), nullptr);
    EXPECT_EQ(a.GetCurrentState(), nullptr);
    EXPECT_EQ(a.IsRunning(), 0);
}

// An element given no increment loads (validation gives a load-free element a unit shear
// increment, so they are emptied after it, as the loads dialog leaves them) has no load to
// increase: its response is stage 0 alone, the element under its constant f_x of -3 MPa
// (stored -3000) to the state solve's tolerance (a residual of sqrt(1e-5 x 9e12 + 1e6), some
// 10 kPa), at load factor 0.
TEST_F(FullResponse, AnElementGivenNoIncrementIsItsConstantLoadsAlone)
{
    auto panel = MakePanel({.increment = {0.0, 0.0, 1e6}, .constant = {-3000.0, 0.0, 0.0}});
    const double none[8] = {};
    panel->SetIncrementLoads(none, 8);
    const TP2kFullResponse a(panel.get());
    EXPECT_EQ(a.GetErrorCount(), 0);
    EXPECT_EQ(a.IsRunning(), 0);
    ASSERT_NE(a.GetStage(0), nullptr);
    EXPECT_EQ(a.GetStage(1), nullptr);
    EXPECT_EQ(a.GetStageCount(), 1);
    EXPECT_EQ(a.GetLastStageIndex(), 1);
    EXPECT_EQ(a.GetPeakState(), a.GetStage(0));
    EXPECT_EQ(a.GetCurrentState(), a.GetStage(0));
    const SectionState& s = *a.GetStage(0);
    EXPECT_NEAR(s.Results[MembraneResult::SigmaX], -3e6, 1e4);
    EXPECT_NEAR(s.Results[MembraneResult::SigmaY], 0.0, 1e4);
    EXPECT_NEAR(s.Results[MembraneResult::TauXY], 0.0, 1e4);
    EXPECT_EQ(s.Results[MembraneResult::LoadFactor], 0.0);
    EXPECT_LT(ElementNode(s)->StrainX, 0.0);
}

// Fails the solves from a given call on, for a number of calls, as a real element might.
class FailingSolves : public TP2k1DAnalysis {
public:
    FailingSolves(const TShell* element, int from, int count)
        : TP2k1DAnalysis(element), m_from(from), m_count(count)
    {
    }
    int calls = 0;

protected:
    int Solve(SectionState& stage, int mode) override
    {
        ++calls;
        if (calls >= m_from && calls < m_from + m_count) {
            stage.Valid = 0;
            return 0;
        }
        return TP2k1DAnalysis::Solve(stage, mode);
    }

private:
    int m_from;
    int m_count;
};

// A failed attempt is freed before its slot is tried again, and it never reaches a view. More
// than ten failures in a row end the run at the last solved stage.
TEST_F(FullResponse, RetriedStageReplacesTheFailedAttemptUntilElevenFailInARow)
{
    auto panel = MakePanel(PanelSpec{});
    int freedUnsolved = 0;
    ScopedRedrawPanelChartHook hook([&](const SectionState* s) {
        if (s != nullptr && s->Valid == 0)
            ++freedUnsolved;
    });
    FailingSolves analysis(panel.get(), 20, 3);
    ASSERT_EQ(analysis.SolveFullResponse(), 1);
    EXPECT_EQ(freedUnsolved, 3);
    const double reference = Solve(PanelSpec{}).PeakShear();
    EXPECT_NEAR(analysis.GetPeakState()->Results[MembraneResult::TauXY],
                reference,
                0.02 * reference);
    for (int i = 0; i < TP2k1DAnalysis::kStageSlots; ++i) {
        const SectionState* s = analysis.GetStage(i);
        if (s != nullptr) {
            EXPECT_EQ(s->Valid, 1) << i;
        }
    }

    FailingSolves ending(panel.get(), 20, 1000);
    ASSERT_EQ(ending.SolveFullResponse(), 1);
    EXPECT_EQ(ending.calls, 19 + TP2k1DAnalysis::kMaxFailures + 1);
    EXPECT_EQ(ending.GetStageCount(), 19);
    EXPECT_NE(ending.GetStage(18), nullptr);
    EXPECT_EQ(ending.IsRunning(), 0);
}

} // namespace
