// One layer of a beam analysis followed through its stages as a membrane element.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "membrane/MembraneState.h"
#include "membrane/TP2kQ2kHelper.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/support/TestSupport.h"

namespace {

using membrane_fixtures::MakePanel;
using membrane_fixtures::PanelSpec;

// A beam analysis whose stages the test lays down: each a mesh of nodes at given depths.
class StagedBeamAnalysis : public FakeAnalysis {
public:
    StagedBeamAnalysis() : FakeAnalysis(nullptr) {}

    // A valid stage of load factor lambda whose nodes lie at the depths (2L + 1 of them).
    void AddStage(double lambda, const std::vector<double>& depths, int valid = 1)
    {
        auto state = std::make_unique<SectionState>();
        state->Valid = valid;
        state->LayerCount = static_cast<int>(depths.size() - 1) / 2;
        state->Results[StateResult::LoadFactor] = lambda;
        state->Results[StateResult::Moment] = 1000.0 * lambda;
        for (double z : depths) {
            LayerNodeStateRec node;
            node.Depth = z;
            node.StrainX = z * lambda; // tells the nodes apart
            node.ConcShearStress = lambda;
            state->NodeStates.push_back(node);
        }
        stages.push_back(std::move(state));
    }
    const SectionState* GetStage(int i) const override
    {
        if (i < 0 || i >= static_cast<int>(stages.size()) ||
            stages[static_cast<std::size_t>(i)]->Valid == 0)
            return nullptr;
        return stages[static_cast<std::size_t>(i)].get();
    }
    int GetLastStageIndex() const override { return static_cast<int>(stages.size()); }

    std::vector<SectionStateHolder> stages;
};

struct BeamLayer : ::testing::Test {
    RecordingReporter reporter;
    std::unique_ptr<TShell> panel = MakePanel(PanelSpec{});
    StagedBeamAnalysis beam;
    int choice = 0;
    ControlChartChoiceSource previous = SetControlChartChoiceSource([this] { return choice; });
    ~BeamLayer() override { SetControlChartChoiceSource(std::move(previous)); }
    static std::vector<std::pair<double, double>> Curve(TP2kQ2kHelper& helper)
    {
        std::vector<std::pair<double, double>> points;
        EXPECT_EQ(helper.BeginCurve(TP2kQ2kHelper::kDepthCurve), 1);
        double x = 0.0, y = 0.0;
        while (helper.GetCurvePoint(TP2kQ2kHelper::kDepthCurve, x, y) == 1)
            points.emplace_back(x, y);
        EXPECT_EQ(x, TP2kQ2kHelper::kNoDepth);
        EXPECT_EQ(y, TP2kQ2kHelper::kNoDepth);
        return points;
    }
};

// Three valid stages whose mesh was split after the first (plus one unsolved stage): the depth
// table keeps the depths common to the most stages, largest first; the stages follow the layer
// at the chosen depth with its steel stresses not available; selecting a table entry reloads
// at its depth.
TEST_F(BeamLayer, StagesFollowTheLayerAtADepthOfTheTable)
{
    beam.AddStage(0.5, {0.3, 0.15, 0.0});
    beam.AddStage(1.0, {0.3, 0.225, 0.15, 0.075, 0.0});
    beam.AddStage(9.0, {0.3, 0.225, 0.15, 0.075, 0.0}, 0);
    beam.AddStage(1.5, {0.3, 0.225, 0.15, 0.075, 0.0});
    choice = 1;
    TP2kQ2kHelper helper(panel.get(), &beam, 0.15);
    const std::vector<std::pair<double, double>> expected = {{0.0, 0.3}, {0.0, 0.15}, {0.0, 0.0}};
    EXPECT_EQ(Curve(helper), expected);
    EXPECT_EQ(helper.GetDepthTable().GetName(), "control chart information");
    ASSERT_EQ(helper.GetLastStageIndex(), 3);
    const double lambdas[] = {0.5, 1.0, 1.5};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const SectionState* stage = helper.GetStage(k);
        ASSERT_NE(stage, nullptr);
        const LayerNodeStateRec& node = *ElementNode(*stage);
        EXPECT_DOUBLE_EQ(node.Depth, 0.15);
        EXPECT_DOUBLE_EQ(node.StrainX, 0.15 * lambdas[k]);
        EXPECT_EQ(node.SteelStressX, kNotAvailable);
        EXPECT_EQ(node.SteelStressXAtCrack, kNotAvailable);
        EXPECT_DOUBLE_EQ(stage->Results[StateResult::LoadFactor], lambdas[k]);
        EXPECT_DOUBLE_EQ(stage->Results[StateResult::Moment], 1000.0 * lambdas[k]);
    }
    EXPECT_EQ(helper.GetStage(3), nullptr);
    EXPECT_EQ(helper.GetPeakState(), helper.GetStage(2));
    EXPECT_EQ(helper.GetCurrentState(), helper.GetStage(1)); // the control chart's choice
    EXPECT_EQ(helper.IsRunning(), 0);

    EXPECT_EQ(helper.SelectLoadStage(2), 1); // depth 0.0
    ASSERT_NE(helper.GetStage(0), nullptr);
    EXPECT_DOUBLE_EQ(ElementNode(*helper.GetStage(0))->Depth, 0.0);
    for (int outside : {-1, 3}) {
        SCOPED_TRACE(outside);
        helper.SelectLoadStage(outside); // no entry: a depth that matches no node
        EXPECT_EQ(helper.GetStage(0), nullptr);
        EXPECT_EQ(helper.GetCurrentState(), nullptr);
        EXPECT_EQ(helper.GetLastStageIndex(), 0);
    }
}

TEST_F(BeamLayer, NodesWithin5e5OfTheDepthMatch)
{
    beam.AddStage(1.0, {0.3, 0.15, 0.0});
    EXPECT_NE(TP2kQ2kHelper(panel.get(), &beam, 0.15 + 4e-5).GetStage(0), nullptr);
    EXPECT_EQ(TP2kQ2kHelper(panel.get(), &beam, 0.15 + 6e-5).GetStage(0), nullptr);
}

// More matching beam stages than the list holds: the copy stops at the capacity, and a control
// chart choice outside the list leaves the peak stage current.
TEST_F(BeamLayer, CopyStopsAtTheStageCapacityAndTheChoiceIsRangeChecked)
{
    for (int i = 0; i < 400; ++i)
        beam.AddStage(0.01 * i, {0.3, 0.15, 0.0});
    for (int outside : {-1, 400, 100000}) {
        SCOPED_TRACE(outside);
        choice = outside;
        TP2kQ2kHelper helper(panel.get(), &beam, 0.0);
        EXPECT_EQ(helper.GetLastStageIndex(), TP2k1DAnalysis::kStageSlots);
        EXPECT_NE(helper.GetStage(TP2k1DAnalysis::kStageSlots - 1), nullptr);
        EXPECT_EQ(helper.GetCurrentState(), helper.GetPeakState());
        EXPECT_EQ(helper.GetPeakIndex(), TP2k1DAnalysis::kStageSlots - 1);
    }
}

// The control chart names a stage of the beam analysis: when stages without the depth leave gaps
// in the list, the state taken from that beam stage becomes current, not the list's state of the
// same number.
TEST_F(BeamLayer, TheChoiceNamesABeamStage)
{
    beam.AddStage(0.5, {0.3, 0.15, 0.0});
    beam.AddStage(1.0, {0.3, 0.225, 0.15, 0.075, 0.0});
    beam.AddStage(9.0, {0.3, 0.225, 0.15, 0.075, 0.0}, 0);
    beam.AddStage(1.5, {0.3, 0.225, 0.15, 0.075, 0.0});
    TP2kQ2kHelper helper(panel.get(), &beam, 0.0);
    choice = 1;
    helper.LoadStatesAt(0.225); // only beam stages 1 and 3 hold this depth
    ASSERT_EQ(helper.GetLastStageIndex(), 2);
    EXPECT_EQ(helper.BeamStageOf(0), 1);
    EXPECT_EQ(helper.BeamStageOf(1), 3);
    EXPECT_EQ(helper.BeamStageOf(2), -1);
    ASSERT_NE(helper.GetCurrentState(), nullptr);
    EXPECT_DOUBLE_EQ(helper.GetCurrentState()->Results[StateResult::LoadFactor], 1.0);
    EXPECT_EQ(helper.Probe_analysis(11, 0.0), 0.0);
    choice = 3;
    helper.LoadStatesAt(0.225);
    EXPECT_DOUBLE_EQ(helper.GetCurrentState()->Results[StateResult::LoadFactor], 1.5);
    EXPECT_EQ(helper.Probe_analysis(11, 0.0), 1.0);
    choice = 0; // a stage without the depth: the peak stays current
    helper.LoadStatesAt(0.225);
    EXPECT_EQ(helper.GetCurrentState(), helper.GetPeakState());
}

// A beam analysis that went on after the list was read (a run that was still going): following
// it reads its stages and its depth table again; with no new stage only the control chart's
// choice is followed, and a choice the list does not hold leaves the state shown as it was.
TEST_F(BeamLayer, FollowingTheBeamAnalysisReadsItsNewStagesAndTheChoice)
{
    beam.AddStage(0.0, {0.3, 0.15, 0.0});
    TP2kQ2kHelper helper(panel.get(), &beam, 0.3);
    ASSERT_EQ(helper.GetLastStageIndex(), 1);
    EXPECT_EQ(Curve(helper).size(), 3u);
    // Two more stages on a finer mesh: 0.15 is no longer among the depths of most stages.
    beam.AddStage(1.0, {0.3, 0.2, 0.1, 0.05, 0.0});
    beam.AddStage(2.0, {0.3, 0.2, 0.1, 0.05, 0.0});
    choice = 2;
    EXPECT_TRUE(helper.FollowBeamAnalysis(0.3));
    ASSERT_EQ(helper.GetLastStageIndex(), 3);
    const std::vector<std::pair<double, double>> common = {{0.0, 0.3}, {0.0, 0.0}};
    EXPECT_EQ(Curve(helper), common);
    ASSERT_NE(helper.GetCurrentState(), nullptr);
    EXPECT_EQ(helper.GetCurrentState(), helper.GetStage(2));
    EXPECT_DOUBLE_EQ(ElementNode(*helper.GetCurrentState())->StrainX, 0.3 * 2.0);

    const SectionState* first = helper.GetStage(1);
    choice = 1;
    EXPECT_FALSE(helper.FollowBeamAnalysis(0.3));
    EXPECT_EQ(helper.GetStage(1), first);  // not read again
    EXPECT_EQ(helper.GetCurrentState(), first);
    choice = 7;
    EXPECT_FALSE(helper.FollowBeamAnalysis(0.3));
    EXPECT_EQ(helper.GetCurrentState(), first);
}

TEST_F(BeamLayer, WithoutBeamAnalysisThereAreNoStagesAndAnEmptyTable)
{
    TP2kQ2kHelper helper(panel.get(), nullptr, 0.0);
    EXPECT_TRUE(Curve(helper).empty());
    EXPECT_EQ(helper.GetCurrentState(), nullptr);
    EXPECT_EQ(helper.SelectLoadStage(0), 1);
    EXPECT_EQ(helper.GetStage(0), nullptr);
}

} // namespace
