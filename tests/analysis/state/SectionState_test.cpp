#include "analysis/state/SectionState.h"

#include <vector>

#include <gtest/gtest.h>

#include "analysis/AnalysisBaseFakes.h"
#include "support/TestSupport.h"

namespace {

constexpr std::size_t kMaxLayers = 120;
constexpr std::size_t kMaxNodes = 360;

// Records the states the view layer was asked to let go of.
struct DetachLog {
    std::vector<const SectionState*> detached;
    ScopedRedrawPanelChartHook hook{[this](const SectionState* s) { detached.push_back(s); }};
};

class SectionStates : public ::testing::Test {
protected:
    SectionStates() : structure(TestSection::Make()), analysis(structure.get()) {}

    // A solved-looking state of n layers: node k carries strain k, layer i top depth -i.
    SectionStateHolder Solved(int n)
    {
        SectionStateHolder state;
        EXPECT_EQ(analysis.CreateSectionState(state, nullptr), 1);
        state->LayerCount = n;
        for (int k = 0; k < 2 * n + 1; ++k)
            state->NodeStates[static_cast<std::size_t>(k)].StrainX = k;
        for (int i = 0; i < n; ++i)
            state->LayerDefs[static_cast<std::size_t>(i)].Top = -i;
        state->Valid = 1;
        state->Results[StateResult::Moment] = 12.5e3;
        state->DirectionValues[0] = {1e-4, 2e-4, 3e-4};
        state->TransProfile->Add(0.0, 7e-4);
        state->DepthTableB->Add(0.2, 2e-4);
        state->Profile = std::make_unique<TDepthTable>("shear stress");
        state->Profile->Add(0.3, 1.5e6);
        state->PointLists[1] = {{0.002, 0.1}, {0.003, -0.1}};
        state->LongBarValues[BarArray::List0Stress] = {1e8, kUndefined, 2e30};
        state->LongBarExtra[0] = {1.0, 2.0, 3.0};
        return state;
    }

    std::unique_ptr<TStructure> structure;
    FakeAnalysis analysis;
};

TEST_F(SectionStates, ANewStateTakesOverTheFullSizeArraysOfItsSource)
{
    SectionStateHolder previous = Solved(4);
    const LayerNodeStateRec* nodeBlock = previous->NodeStates.data();
    SectionStateHolder next;
    ASSERT_EQ(analysis.CreateSectionState(next, previous.get()), 1);

    // The new state solves on in the very same arrays, while the source keeps exact copies
    // of its 4 layers and 9 nodes.
    EXPECT_EQ(next->NodeStates.data(), nodeBlock);
    ASSERT_EQ(previous->LayerDefs.size(), 4u);
    ASSERT_EQ(previous->NodeStates.size(), 9u);
    EXPECT_EQ(previous->NodeStates[8].StrainX, 8.0);
    EXPECT_EQ(previous->LayerDefs[3].Top, -3.0);

    // What carries over by value, and what starts afresh.
    EXPECT_EQ(next->Results, previous->Results);
    EXPECT_EQ(next->TransProfile->Pairs(), previous->TransProfile->Pairs());
    EXPECT_NE(next->TransProfile.get(), previous->TransProfile.get());
    EXPECT_EQ(next->Valid, 0);

    // An exact-size source hands nothing over.
    SectionStateHolder third;
    ASSERT_EQ(analysis.CreateSectionState(third, previous.get()), 1);
    EXPECT_EQ(previous->NodeStates.size(), 9u);
    EXPECT_EQ(third->NodeStates.size(), kMaxNodes);
}

TEST_F(SectionStates, CreationRefusesAnOccupiedHolderAndAMissingStructure)
{
    RecordingReporter reporter;
    SectionStateHolder state = Solved(2);
    const SectionState* held = state.get();
    EXPECT_EQ(analysis.CreateSectionState(state, nullptr), 0);
    EXPECT_EQ(state.get(), held);

    FakeAnalysis without(nullptr);
    SectionStateHolder empty;
    EXPECT_EQ(without.CreateSectionState(empty, nullptr), 0);
    EXPECT_FALSE(empty);
    EXPECT_EQ(reporter.Count("No beam object in analysise!"), 1);
}

TEST_F(SectionStates, ACopyIsDeepAndOutlivesItsSource)
{
    SectionStateHolder source = Solved(3);
    SectionStateHolder copy;
    ASSERT_EQ(analysis.CopySectionState(source, copy), 1);
    EXPECT_EQ(copy->NodeStates.size(), kMaxNodes);
    EXPECT_EQ(copy->PointLists, source->PointLists);
    EXPECT_EQ(copy->LongBarValues, source->LongBarValues);
    EXPECT_EQ(copy->LongBarExtra, source->LongBarExtra);

    // Change the source, then free it: the copy keeps what it was given.
    source->Profile->SetValue(0, -1.0);
    source->DepthTableB->Add(-0.2, 5.0);
    source->NodeStates[6].StrainX = -99.0;
    source.reset();

    EXPECT_DOUBLE_EQ(copy->Results[StateResult::Moment], 12.5e3);
    ASSERT_TRUE(copy->Profile);
    EXPECT_DOUBLE_EQ(copy->Profile->GetValue(0), 1.5e6);
    EXPECT_EQ(copy->DepthTableB->GetCount(), 1);
    EXPECT_DOUBLE_EQ(copy->TransProfile->GetValue(2), 7e-4);
    EXPECT_DOUBLE_EQ(copy->NodeStates[6].StrainX, 6.0);
    EXPECT_EQ(copy->NodeStates[7].StrainX, 0.0); // only 2n + 1 nodes are copied
    EXPECT_DOUBLE_EQ(copy->LayerDefs[2].Top, -2.0);
}

// Copying, moving and freeing hand over ownership; every state let go of is detached from
// the charts first; a holder copied or moved onto itself keeps its state.
TEST_F(SectionStates, CopyingMovingAndFreeingDetachTheStatesLetGo)
{
    DetachLog log;

    SectionStateHolder a = Solved(2);
    SectionStateHolder b = Solved(1);
    const SectionState* aState = a.get();
    const SectionState* bState = b.get();
    ASSERT_EQ(analysis.CopySectionState(a, b), 1);
    EXPECT_EQ(b->LayerCount, 2);
    EXPECT_EQ(log.detached, std::vector<const SectionState*>{bState});
    EXPECT_EQ(analysis.CopySectionState(a, a), 1);
    EXPECT_EQ(a.get(), aState);

    const SectionState* copied = b.get();
    EXPECT_EQ(MoveSectionState(a, b), 1);
    EXPECT_FALSE(a);
    EXPECT_EQ(b.get(), aState);
    EXPECT_EQ(log.detached.back(), copied);
    EXPECT_EQ(MoveSectionState(b, b), 1);
    EXPECT_EQ(b.get(), aState);

    EXPECT_EQ(FreeSectionState(b), 1);
    EXPECT_FALSE(b);
    EXPECT_EQ(log.detached.back(), aState);
}

} // namespace
