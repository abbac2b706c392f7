#include "analysis/SectionState.h"

#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "AnalysisBaseFakes.h"
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
        state->TransLayerFlags = {0, 1};
        state->TransProfile->Add(0.0, 7e-4);
        state->DepthTableA->Add(0.1, 1e-4);
        state->DepthTableB->Add(0.2, 2e-4);
        state->Profile = std::make_unique<TDepthTable>("shear stress");
        state->Profile->Add(0.3, 1.5e6);
        state->PointLists[1] = {{0.002, 0.1}, {0.003, -0.1}};
        state->Summary[4] = 4.0, state->Extra[4] = 9e7, state->Limits[2] = 0.5;
        state->LongBarValues[BarArray::List0Stress] = {1e8, kUndefined, 2e30};
        state->LongBarExtra[0] = {1.0, 2.0, 3.0};
        state->AvgShearStrain = 0.001;
        return state;
    }

    std::unique_ptr<TStructure> structure;
    FakeAnalysis analysis;
};

// Sized from the structure (3 bars in list 0, list 1 empty but with one slot, 2 stirrup
// layers) and the mesh capacity; the transverse profile runs from top to bottom at zero.
TEST_F(SectionStates, ANewStateIsSizedFromTheStructureAndTheMeshCapacity)
{
    SectionStateHolder state;
    ASSERT_EQ(analysis.CreateSectionState(state, nullptr), 1);
    EXPECT_EQ(state->LayerDefs.size(), kMaxLayers);
    EXPECT_EQ(state->NodeStates.size(), kMaxNodes);
    EXPECT_EQ(state->LongBarValues[BarArray::List0Second].size(), 3u);
    EXPECT_EQ(state->LongBarValues[BarArray::List1Stress].size(), 1u);
    EXPECT_EQ(state->DirectionValues[0].size(), 3u);
    EXPECT_EQ(state->TransLayerFlags, std::vector<int>(2, 0));
    EXPECT_EQ(state->TransProfile->Pairs(),
              (std::vector<DepthPair>{{TestSection::kTop, 0.0}, {TestSection::kBottom, 0.0}}));
}

TEST_F(SectionStates, ANewStateTakesOverTheFullSizeArraysOfItsSource)
{
    SectionStateHolder previous = Solved(4);
    const LayerNodeStateRec* nodeBlock = previous->NodeStates.data();
    SectionStateHolder next;
    ASSERT_EQ(analysis.CreateSectionState(next, previous.get()), 1);

    // The new state solves on in the very same arrays, while the source keeps exact copies
    // of its 4 layers and 9 nodes.
    EXPECT_EQ(next->NodeStates.data(), nodeBlock);
    EXPECT_EQ(next->FullSizeArrays, 1);
    EXPECT_EQ(previous->FullSizeArrays, 0);
    ASSERT_EQ(previous->LayerDefs.size(), 4u);
    ASSERT_EQ(previous->NodeStates.size(), 9u);
    EXPECT_EQ(previous->NodeStates[8].StrainX, 8.0);
    EXPECT_EQ(previous->LayerDefs[3].Top, -3.0);

    // What carries over by value, and what starts afresh.
    EXPECT_EQ(next->Results, previous->Results);
    EXPECT_EQ(next->DirectionValues[0], previous->DirectionValues[0]);
    EXPECT_EQ(next->TransLayerFlags, previous->TransLayerFlags);
    EXPECT_EQ(next->TransProfile->Pairs(), previous->TransProfile->Pairs());
    EXPECT_EQ(next->DepthTableA->Pairs(), previous->DepthTableA->Pairs());
    EXPECT_NE(next->TransProfile.get(), previous->TransProfile.get());
    EXPECT_EQ(next->Valid, 0);
    EXPECT_FALSE(next->Profile);
    EXPECT_EQ(next->LongBarExtra[0], std::vector<double>(3, 0.0));

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
    EXPECT_EQ(without.CreateSectionState(empty, nullptr), 0);
    EXPECT_FALSE(empty);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "No beam object in analysise!");
}

TEST_F(SectionStates, ACopyIsDeepAndOutlivesItsSource)
{
    SectionStateHolder source = Solved(3);
    SectionStateHolder copy;
    ASSERT_EQ(analysis.CopySectionState(source, copy), 1);
    EXPECT_EQ(copy->FullSizeArrays, 1);
    EXPECT_EQ(copy->NodeStates.size(), kMaxNodes);
    EXPECT_DOUBLE_EQ(copy->AvgShearStrain, 0.001);
    EXPECT_EQ(copy->Summary, source->Summary);
    EXPECT_EQ(copy->Extra, source->Extra);
    EXPECT_EQ(copy->Limits, source->Limits);
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
    SectionStateHolder none;
    EXPECT_EQ(FreeSectionState(none), 0);
    EXPECT_TRUE(log.detached.empty());

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

TEST_F(SectionStates, AccessorsTreatIndicesOutsideTheArraysAsAbsent)
{
    SectionStateHolder full = Solved(2);
    SectionStateHolder next;
    analysis.CreateSectionState(next, full.get()); // leaves `full` with exact arrays

    for (const SectionState* s : {full.get(), next.get()}) {
        const int nodes = static_cast<int>(s->NodeStates.size());
        for (int id : {-1, INT_MIN, nodes, INT_MAX}) {
            SCOPED_TRACE(id);
            EXPECT_EQ(s->NodeState(id), nullptr);
        }
        EXPECT_NE(s->NodeState(nodes - 1), nullptr);
    }
    EXPECT_NE(full->LayerDef(1), nullptr);
    for (int i : {-1, 2, INT_MIN}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(full->LayerDef(i), nullptr);
    }
    // A layer count that claims more layers than are held reads no further than the array.
    full->LayerCount = 50;
    EXPECT_EQ(full->UsableLayerCount(), 2);
    EXPECT_EQ(full->LayerDef(2), nullptr);
    full->LayerCount = -3;
    EXPECT_EQ(full->UsableLayerCount(), 0);

    EXPECT_EQ(full->BarValue(BarArray::List0Stress, 0), 1e8);
    for (auto [array, i] : {std::pair{BarArray::List0Stress, -1},
                            std::pair{BarArray::List0Stress, 3},
                            std::pair{-1, 0},
                            std::pair{4, 0}}) {
        SCOPED_TRACE(array * 100 + i);
        EXPECT_TRUE(IsUndefined(full->BarValue(array, i)));
    }
    EXPECT_EQ(full->Result(StateResult::Moment), 12.5e3);
    EXPECT_EQ(full->Result(-1), 0.0);
    EXPECT_EQ(full->Result(StateResult::Count), 0.0);
}

} // namespace
