#include "analysis/TQuarvish2000Analysis.h"

#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "AnalysisBaseFakes.h"
#include "support/TestSupport.h"

namespace {

constexpr double kForceTol = 1e-6; // N, N m
constexpr double kFactorTol = 1e-12;

TEST(BeamAnalysis, WorksOnItsOwnFrozenCopyOfTheBeam)
{
    RecordingReporter reporter;
    auto user = TestSection::MakeBeam();
    TestSection::SetLoads(*user, -1e5, 0.0, 2e4, 0.0, 1.0, 0.0);

    FakeBeamAnalysis analysis(user.get(), /*validate=*/1);
    EXPECT_EQ(analysis.GetPrepareResult(), 1);
    ASSERT_NE(analysis.GetStructure(), nullptr);
    EXPECT_NE(analysis.GetStructure(), user.get());
    EXPECT_EQ(analysis.GetStructure()->IsFrozen(), 1);
    EXPECT_EQ(user->IsFrozen(), 0); // the user goes on editing the original
    double loads[3] = {};
    analysis.GetConstantLoads(loads, 3);
    EXPECT_EQ(loads[0], -1e5);
    EXPECT_EQ(loads[2], 2e4);

    // Work arrays sized once: 3 bars, 2 stirrup layers, 360 nodes; none past the last.
    EXPECT_EQ(analysis.GetFailedBarFlags(0), std::vector<int>(3, 0));
    EXPECT_EQ(analysis.GetFailedBarFlags(2), std::vector<int>(2, 0));
    EXPECT_EQ(analysis.GetNodeWork(0).size(), 360u);
    EXPECT_TRUE(analysis.GetNodeWork(TQuarvish2000Analysis::kNodeWorkArrays).empty());
    const std::vector<DepthPair> zero{{TestSection::kTop, 0.0}, {TestSection::kBottom, 0.0}};
    EXPECT_EQ(analysis.GetClampingStressTable().Pairs(), zero);
    EXPECT_EQ(analysis.GetNonlinearDistributionTable().Pairs(), zero);

    // The mesh and the elastic shear shape: a rectangle's shear strain follows
    // 1.5 (1 - (2 z / H)^2), mean 1, zero at both faces.
    constexpr double kShapeTol = 0.02;
    EXPECT_GE(analysis.GetLayerCount(), 7); // 7 region layers, more where bars split them
    const TDepthTable& shape = analysis.GetShearStrainDistribution();
    EXPECT_NEAR(shape.InterpolateAtDepth(0.0), 1.5, kShapeTol);
    EXPECT_NEAR(shape.InterpolateAtDepth(0.15), 1.5 * 0.75, kShapeTol);
    EXPECT_NEAR(shape.InterpolateAtDepth(TestSection::kTop), 0.0, kShapeTol);

    EXPECT_EQ(analysis.Finish(), 1);
    EXPECT_EQ(analysis.GetStructure()->IsFrozen(), 0);
    EXPECT_TRUE(reporter.messages.empty());
}

// Refused or missing sections: too finely divided for the mesh (alternating widths, so no
// two regions share a layer), not validated (asks nothing), no structure at all.
TEST(BeamAnalysis, SectionsThatCannotBePrepared)
{
    RecordingReporter reporter;
    auto fine = TestSection::MakeBeam();
    fine->DeleteRegions();
    for (int i = 0; i < 130; ++i)
        fine->AddRegion(0.3 - 0.005 * i, 0.295 - 0.005 * i, i % 2 ? 0.3 : 0.2, 0.3, 0, 1);
    FakeBeamAnalysis refused(fine.get(), 1);
    EXPECT_EQ(refused.GetPrepareResult(), 0);
    EXPECT_EQ(refused.GetLayerCount(), 0);
    EXPECT_EQ(reporter.Count("Error in number of layers"), 1);
    std::string text, title;
    int code = 0;
    ASSERT_EQ(refused.GetErrorCount(), 1);
    refused.GetError(0, text, title, code);
    EXPECT_EQ(text, kMeshRefusedText);

    FakeBeamAnalysis unchecked(TestSection::MakeBeam(/*tensionOff=*/true).get(), 0);
    EXPECT_EQ(unchecked.GetPrepareResult(), 0);
    EXPECT_EQ(unchecked.GetStructure()->IsFrozen(), 1);
    EXPECT_EQ(reporter.messages.size(), 1u); // no tension-stiffening question

    FakeBeamAnalysis none(nullptr, 1);
    EXPECT_EQ(none.GetPrepareResult(), 0);
    EXPECT_EQ(none.GetSectionConstant(), 0.0);
    EXPECT_TRUE(none.GetNodeWork(0).empty());
    EXPECT_TRUE(none.GetFailedBarFlags(0).empty());
    EXPECT_EQ(none.Prepare(), 0);
    EXPECT_EQ(none.Finish(), 1);
}

// Any constant or incremental shear load, however small, or the flag makes shear count.
TEST(BeamAnalysis, ShearCountsWhenAShearLoadOrTheFlagIsSet)
{
    for (auto [v0, dv, flag, expect] : {std::array{0.0, 0.0, 0.0, 0.0},
                                        std::array{-1.0, 0.0, 0.0, 1.0},
                                        std::array{0.0, 1e-9, 0.0, 1.0},
                                        std::array{0.0, 0.0, 1.0, 1.0}}) {
        auto user = TestSection::MakeBeam();
        TestSection::SetLoads(*user, 0.0, 0.0, v0, 0.0, 1.0, dv);
        FakeBeamAnalysis analysis(user.get(), 0);
        analysis.SetShearFlag(static_cast<int>(flag));
        EXPECT_EQ(analysis.HasShear(), expect) << v0 << " " << dv << " " << flag;
    }
}

// Results come from the current state once it is valid (until then the values are left as
// they are); a mode other than 2 clears them.
TEST(BeamAnalysis, StateResultsComeFromAValidState)
{
    FakeBeamAnalysis analysis(TestSection::MakeBeam().get(), 0);
    std::array<double, 6> values;
    values.fill(9.0);
    EXPECT_EQ(analysis.GetStateResults(nullptr, values, 2), 0); // no state
    SectionState& s = *(analysis.Current = std::make_unique<SectionState>());
    s.Results[StateResult::ReferenceStrain] = -2e-4, s.Results[StateResult::Curvature] = 3e-3;
    s.Results[StateResult::AxialForce] = -1e5, s.Results[StateResult::Moment] = 4e4;
    s.Results[StateResult::Shear] = 2e4, s.AvgShearStrain = 1.5e-3;
    EXPECT_EQ(analysis.GetStateResults(nullptr, values, 2), 0); // not yet valid
    EXPECT_EQ(values[5], 9.0);
    s.Valid = 1;
    EXPECT_EQ(analysis.GetStateResults(nullptr, values, 2), 1);
    EXPECT_EQ(values, (std::array<double, 6>{-2e-4, 3e-3, 1.5e-3, -1e5, 4e4, 2e4}));
    EXPECT_EQ(analysis.GetStateResults(&s, values, 1), 0);
    EXPECT_EQ(values, (std::array<double, 6>{}));
}

// F0 = (N -100 kN, M 10 kN m, V 5 kN), dF = (dN, dM, dV); the state N = -90 kN,
// M = 60 kN m, V = 25 kN at the load factor 0.7.
class LoadPath : public ::testing::Test {
protected:
    std::unique_ptr<FakeBeamAnalysis> Make(double dn, double dm, double dv)
    {
        auto user = TestSection::MakeBeam();
        TestSection::SetLoads(*user, -1e5, 1e4, 5e3, dn, dm, dv);
        return std::make_unique<FakeBeamAnalysis>(user.get(), 0);
    }
    static SectionState State()
    {
        SectionState s;
        s.Results[StateResult::AxialForce] = -9e4, s.Results[StateResult::Moment] = 6e4;
        s.Results[StateResult::Shear] = 2.5e4, s.Results[StateResult::LoadFactor] = 0.7;
        return s;
    }
};

TEST_F(LoadPath, ResidualOfTheDependentComponent)
{
    struct Case {
        const char* name;
        double dn, dm, dv;
        int component, mode, shearControl;
        double lambda;   // expected load factor
        int stored;      // result entry that receives the required value, -1 none
        double required; // F0[o] + lambda dF[o]
        double residual;
    };
    const Case cases[] = {
        // M controls: lambda = (60 - 10) / 50 = 1; required N = -100 + 0 = -100 kN.
        {"moment controls", 0, 5e4, 2e4, 1, 2, 0, 1.0, StateResult::AppliedAxial, -1e5, -1e4},
        {"mode 1 answers F - T only", 0, 5e4, 2e4, 1, 1, 0, 1.0, -1, -1e5, 1e4},
        // N controls with dN = 0: lambda from M, so the required M is the state's M.
        {"no axial increment", 0, 5e4, 2e4, 0, 2, 0, 1.0, StateResult::AppliedMoment, 6e4, 0.0},
        // N controls, dN = -50 kN: lambda = (-90 + 100) / -50 = -0.2; M = 10 - 10 = 0.
        {"axial controls", -5e4, 5e4, 2e4, 0, 2, 0, -0.2, StateResult::AppliedMoment, 0.0, -6e4},
        // Neither N nor M grows: lambda 0 and the dependent component keeps its constant load.
        {"no increments", 0, 0, 2e4, 0, 2, 0, 0.0, StateResult::AppliedMoment, 1e4, -5e4},
        // V controls: lambda = (25 - 5) / 20 = 1; component 1 makes N dependent.
        {"shear controls", -5e4, 5e4, 2e4, 1, 2, 1, 1.0, StateResult::AppliedAxial, -1.5e5, -6e4},
        // V controls component 2: the dependent one is M.
        {"shear component", 0, 5e4, 2e4, 2, 2, 1, 1.0, StateResult::AppliedMoment, 6e4, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto analysis = Make(c.dn, c.dm, c.dv);
        SectionState s = State();
        const double residual = analysis->LoadPathResidual(s, c.component, c.mode, c.shearControl);
        EXPECT_NEAR(s.Results[StateResult::LoadFactor], c.lambda, kFactorTol);
        EXPECT_NEAR(residual, c.residual, kForceTol);
        for (int entry : {StateResult::AppliedAxial, StateResult::AppliedMoment}) {
            const double expect = entry == c.stored ? c.required : 0.0;
            EXPECT_NEAR(s.Results[static_cast<std::size_t>(entry)], expect, kForceTol);
        }
    }
}

// A shear increment too small to give a load factor keeps the factor and is reported once;
// a component outside N, M, V changes nothing and is reported each time.
TEST_F(LoadPath, TinyShearIncrementOrUnknownComponentKeepTheLoadFactor)
{
    RecordingReporter reporter;
    auto analysis = Make(0.0, 5e4, 0.0005);
    for (int i = 0; i < 3; ++i) {
        SectionState s = State();
        const double residual = analysis->LoadPathResidual(s, 1, 2, 1);
        EXPECT_EQ(s.Results[StateResult::LoadFactor], 0.7);
        EXPECT_NEAR(residual, -1e5 - -9e4, kForceTol); // required N: -100 kN + 0.7 x 0
    }
    EXPECT_EQ(reporter.messages.size(), 1u);
    for (int component : {-1, 3}) {
        SectionState s = State();
        EXPECT_EQ(analysis->LoadPathResidual(s, component, 2, 0), 0.0);
        EXPECT_EQ(s.Results[StateResult::LoadFactor], 0.7);
    }
    EXPECT_EQ(reporter.messages.size(), 3u);
}

// A four-layer state (nodes 0 at the top to 8 at the bottom) with no failure: stirrups at
// every node, cracks below their slip limit, compression below the peak, shear stress
// everywhere. Limits: stirrups 0.05 (their rupture strain), compression -0.0125 (5 e'c).
SectionState SoundFourLayerState()
{
    SectionState s;
    s.LayerCount = 4;
    s.LayerDefs.resize(4);
    s.NodeStates.resize(9);
    for (std::uint32_t i = 0; i < 4; ++i)
        s.LayerDefs[i] = LayerDefRec{2 * i, 2 * i + 1, 2 * i + 2, 0, 0, 0.3 - 0.15 * i};
    for (LayerNodeStateRec& node : s.NodeStates) {
        node.StirrupRatio = 0.002, node.StrainZ = 0.001;
        node.CrackShearLimit = 2e6, node.CrackShearStress = 0.5e6;
        node.Strain2 = -0.001, node.ConcStress2 = -15e6, node.ConcStress2Max = -30e6;
        node.ConcShearStress = 1.5e6;
    }
    s.Results[StateResult::Shear] = 1e5;
    return s;
}

TEST(FailureModes, ClassifiesHandBuiltStates)
{
    using N = LayerNodeStateRec;
    const auto rho = &N::StirrupRatio, vci = &N::CrackShearStress, vmax = &N::CrackShearLimit;
    const auto ez = &N::StrainZ, e2 = &N::Strain2, f2 = &N::ConcStress2, v = &N::ConcShearStress;
    const auto free2 = &N::FreeStrain2;
    const std::vector<int> all = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    struct Edit {
        std::vector<int> nodes;
        double N::*field;
        double value;
    };
    struct Case {
        const char* name;
        std::vector<Edit> edits;
        int expect;
        double shear = 1e5;
        int layers = 4;
    };
    const int none = FailureMode::None, slip = FailureMode::CrackSlip;
    const int rupture = FailureMode::StirrupRupture, web = FailureMode::WebCrushing;
    const int fibre = FailureMode::FibreCrushing;
    const Edit noStirrups{{3}, rho, 0.0};
    const Case cases[] = {
        {"sound section", {}, none},
        // Nodes: the unreinforced crack and the stirrup limit.
        {"unreinforced crack at its slip limit", {noStirrups, {{3}, vci, 2e6 - 0.5}}, slip},
        {"unreinforced crack below its slip limit", {noStirrups, {{3}, vci, 1.9e6}}, none},
        {"crack without a slip limit", {noStirrups, {{3}, vmax, 0}, {{3}, vci, 0}}, none},
        {"reinforced crack at its slip limit", {{{3}, vci, 2e6}}, none},
        {"stirrups past rupture", {{{5}, ez, 0.051}}, rupture},
        {"stirrups past 0.01, short of rupture", {{{5}, ez, 0.03}}, none},
        {"nodes from the top down", {{{0}, ez, 0.06}, {{5}, rho, 0}, {{5}, vci, 2e6}}, rupture},
        // Crushing layers that carry shear.
        {"web layer past its peak strain", {{{5}, e2, -0.003}}, web},
        {"past its peak without shear stress", {{{5}, e2, -0.003}, {{5}, v, 0}}, none},
        {"within 1.5 % of its softened strength", {{{5}, f2, -29.7e6}}, web},
        {"2 % short of its softened strength", {{{5}, f2, -29.4e6}}, none},
        {"plastic offset short of the peak", {{{5}, e2, -0.003}, {{5}, free2, -1e-3}}, none},
        {"crushing down from the top face", {{{0, 1, 2, 3}, e2, -0.003}}, none},
        {"top-face crushing, a separate layer below", {{{0, 1, 2, 3, 7}, e2, -0.003}}, web},
        {"whole depth at its strength", {{all, f2, -30e6}}, web},
        {"whole depth at its strength, negative shear", {{all, f2, -30e6}}, none, -1e5},
        {"no layers", {{all, f2, -30e6}}, none, 1e5, 0},
        // Extreme fibres, and the whole depth past its peak.
        {"top fibre beyond -0.0125", {{{0}, e2, -0.013}, {{0}, v, 0}}, fibre},
        {"top fibre beyond -0.01 only", {{{0}, e2, -0.012}, {{0}, v, 0}}, none},
        {"every node past its peak, no shear", {{all, e2, -0.003}, {all, v, 0}}, web},
        {"all but one past the peak", {{{0, 1, 2, 3, 5, 6, 7, 8}, e2, -3e-3}, {all, v, 0}}, none},
    };
    FakeBeamAnalysis analysis(TestSection::MakeBeam().get(), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SectionState s = SoundFourLayerState();
        for (const Edit& edit : c.edits)
            for (int k : edit.nodes)
                s.NodeStates[static_cast<std::size_t>(k)].*edit.field = edit.value;
        s.Results[StateResult::Shear] = c.shear;
        s.LayerCount = c.layers;
        EXPECT_EQ(analysis.ClassifyFailureMode(s), c.expect);
    }
}

TEST(FailureModes, NodeIdsOutsideTheStateAreSkippedAndReportedOnce)
{
    RecordingReporter reporter;
    FakeBeamAnalysis analysis(TestSection::MakeBeam().get(), 0);
    SectionState s = SoundFourLayerState();
    s.LayerDefs[1].NodeMid = 4000;
    s.LayerDefs[2].NodeMid = 0xFFFFFFFFu;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(analysis.ClassifyFailureMode(s), FailureMode::None);
    EXPECT_EQ(reporter.messages.size(), 2u);
}

TEST(BeamAnalysis, ClearingThePlasticOffsetsResetsBarsAndTables)
{
    FakeBeamAnalysis analysis(TestSection::MakeBeam().get(), 0);
    SectionStateHolder state;
    ASSERT_EQ(analysis.CreateSectionState(state, nullptr), 1);
    state->DirectionValues[0] = {1e-3, -2e-3, kUndefined};
    state->TransProfile->Add(0.0, 4e-4);
    state->DepthTableA->Add(0.1, 1e-4);
    state->DepthTableB->Add(0.1, 2e-4);

    analysis.ClearPlasticOffsets(state.get());
    EXPECT_EQ(state->DirectionValues[0], std::vector<double>(3, 0.0));
    EXPECT_EQ(state->TransProfile->Pairs(),
              (std::vector<DepthPair>{{TestSection::kBottom, 0.0}, {TestSection::kTop, 0.0}}));
    EXPECT_TRUE(state->DepthTableA->IsEmpty());
    EXPECT_TRUE(state->DepthTableB->IsEmpty());

    analysis.ClearPlasticOffsets(nullptr);
}

} // namespace
