#include "analysis/TQuarvish2000Analysis.h"

#include <functional>

#include <gtest/gtest.h>

#include "AnalysisBaseFakes.h"
#include "support/TestSupport.h"

namespace {

constexpr double kForceTol = 1e-6; // N, N m
constexpr double kFactorTol = 1e-12;

// ---- Construction ------------------------------------------------------------------------

TEST(BeamAnalysis, WorksOnItsOwnFrozenCopyOfTheBeam)
{
    RecordingReporter reporter;
    auto user = TestSection::MakeBeam();

    FakeBeamAnalysis analysis(user.get(), /*validate=*/1);
    EXPECT_EQ(analysis.GetPrepareResult(), 1);
    ASSERT_NE(analysis.GetStructure(), nullptr);
    EXPECT_NE(analysis.GetStructure(), user.get());
    EXPECT_EQ(analysis.GetStructure(), analysis.GetBeam());
    EXPECT_EQ(analysis.GetStructure()->IsFrozen(), 1);
    EXPECT_EQ(user->IsFrozen(), 0); // the user goes on editing the original

    // Work arrays sized once: 3 bars, 2 stirrup layers, 360 nodes.
    EXPECT_EQ(analysis.GetFailedBarFlags(0), std::vector<int>(3, 0));
    EXPECT_TRUE(analysis.GetFailedBarFlags(1).empty());
    EXPECT_EQ(analysis.GetFailedBarFlags(2), std::vector<int>(2, 0));
    for (int k = 0; k < TQuarvish2000Analysis::kNodeWorkArrays; ++k)
        EXPECT_EQ(analysis.GetNodeWork(k).size(), 360u);
    EXPECT_TRUE(analysis.GetNodeWork(4).empty());
    EXPECT_EQ(analysis.GetBarStiffness().size(), 3u);
    EXPECT_EQ(analysis.GetAttemptCount(), 0);

    // The two reset tables run from the top to the bottom at zero.
    const std::vector<DepthPair> zeroOverDepth{{TestSection::kTop, 0.0},
                                               {TestSection::kBottom, 0.0}};
    EXPECT_EQ(analysis.GetClampingStressTable().Pairs(), zeroOverDepth);
    EXPECT_EQ(analysis.GetClampingStressTable().GetName(), "transverse clamping stress");
    EXPECT_EQ(analysis.GetNonlinearDistributionTable().Pairs(), zeroOverDepth);
    EXPECT_EQ(analysis.GetNonlinearDistributionTable().GetName(), "long. nonlinear distribution");

    EXPECT_EQ(analysis.Finish(), 1);
    EXPECT_EQ(analysis.GetStructure()->IsFrozen(), 0);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(BeamAnalysis, PrepareBuildsTheMeshAndTheElasticShearShape)
{
    constexpr double kShapeTol = 0.02;
    FakeBeamAnalysis analysis(TestSection::MakeBeam().get(), 1);
    EXPECT_GE(analysis.GetLayerCount(), 7); // 7 region layers, more where bars split them
    EXPECT_EQ(analysis.GetLayers().size(), 120u);
    // A rectangle's shear strain follows 1.5 (1 - (2 z / H)^2), mean 1, zero at both faces.
    const TDepthTable& shape = analysis.GetShearStrainDistribution();
    EXPECT_NEAR(shape.InterpolateAtDepth(0.0), 1.5, kShapeTol);
    EXPECT_NEAR(shape.InterpolateAtDepth(0.15), 1.5 * 0.75, kShapeTol);
    EXPECT_NEAR(shape.InterpolateAtDepth(TestSection::kTop), 0.0, kShapeTol);
}

TEST(BeamAnalysis, ASectionTooFinelyDividedForTheMeshIsRefused)
{
    RecordingReporter reporter;
    auto beam = TestSection::MakeBeam();
    beam->DeleteRegions();
    for (int i = 0; i < 130; ++i) // alternating widths: no two regions share a layer
        beam->AddRegion(0.3 - 0.005 * i,
                        0.295 - 0.005 * i,
                        i % 2 ? 0.3 : 0.2,
                        i % 2 ? 0.3 : 0.2,
                        0,
                        1);
    FakeBeamAnalysis analysis(beam.get(), 1);
    EXPECT_EQ(analysis.GetPrepareResult(), 0);
    EXPECT_EQ(analysis.GetLayerCount(), 0);
    EXPECT_TRUE(reporter.Saw("Error in number of layers"));
}

TEST(BeamAnalysis, WithoutValidationAsksNothingButCopiesTheLoads)
{
    RecordingReporter reporter;
    auto user = TestSection::MakeBeam(/*tensionOff=*/true);
    TestSection::SetLoads(*user, -1e5, 0.0, 2e4, 0.0, 1.0, 0.0);

    FakeBeamAnalysis analysis(user.get(), /*validate=*/0);
    EXPECT_EQ(analysis.GetPrepareResult(), 0);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(analysis.GetStructure()->IsFrozen(), 1);
    double loads[3] = {};
    analysis.GetConstantLoads(loads, 3);
    EXPECT_EQ(loads[0], -1e5);
    EXPECT_EQ(loads[2], 2e4);
    // The profiles and tables are built all the same.
    EXPECT_EQ(analysis.GetClampingStressTable().GetCount(), 2);
}

TEST(BeamAnalysis, WithoutAStructureHoldsNoWorkArrays)
{
    FakeBeamAnalysis analysis(nullptr, 1);
    EXPECT_EQ(analysis.GetStructure(), nullptr);
    EXPECT_EQ(analysis.GetPrepareResult(), 0);
    EXPECT_EQ(analysis.GetSectionConstant(), 0.0);
    EXPECT_TRUE(analysis.GetNodeWork(0).empty());
    EXPECT_TRUE(analysis.GetBarStiffness().empty());
    EXPECT_TRUE(analysis.GetFailedBarFlags(0).empty());
    EXPECT_EQ(analysis.Prepare(), 0);
    EXPECT_EQ(analysis.Finish(), 1);
}

TEST(BeamAnalysis, ShearCountsWhenAShearLoadOrTheFlagIsSet)
{
    struct Case {
        double v0, dv;
        int flag, expect;
    };
    for (const Case& c : {Case{0.0, 0.0, 0, 0},
                          Case{-1.0, 0.0, 0, 1},
                          Case{0.0, 1e-9, 0, 1},
                          Case{0.0, 0.0, 1, 1}}) {
        SCOPED_TRACE(testing::Message() << c.v0 << " " << c.dv << " " << c.flag);
        auto user = TestSection::MakeBeam();
        TestSection::SetLoads(*user, 0.0, 0.0, c.v0, 0.0, 1.0, c.dv);
        FakeBeamAnalysis analysis(user.get(), 0);
        analysis.SetShearFlag(c.flag);
        EXPECT_EQ(analysis.HasShear(), c.expect);
    }
}

TEST(BeamAnalysis, StateResultsComeFromAValidState)
{
    FakeBeamAnalysis analysis(TestSection::MakeBeam().get(), 0);
    analysis.Current = std::make_unique<SectionState>();
    SectionState& s = *analysis.Current;
    s.Results[StateResult::ReferenceStrain] = -2e-4;
    s.Results[StateResult::Curvature] = 3e-3;
    s.Results[StateResult::AxialForce] = -1e5;
    s.Results[StateResult::Moment] = 4e4;
    s.Results[StateResult::Shear] = 2e4;
    s.AvgShearStrain = 1.5e-3;

    std::array<double, 6> values;
    values.fill(9.0);
    EXPECT_EQ(analysis.GetStateResults(nullptr, values, 2), 0); // not yet valid: untouched
    EXPECT_EQ(values[0], 9.0);

    s.Valid = 1;
    EXPECT_EQ(analysis.GetStateResults(nullptr, values, 2), 1);
    EXPECT_EQ(values, (std::array<double, 6>{-2e-4, 3e-3, 1.5e-3, -1e5, 4e4, 2e4}));

    EXPECT_EQ(analysis.GetStateResults(&s, values, 1), 0);
    EXPECT_EQ(values, (std::array<double, 6>{}));

    analysis.Current.reset();
    values.fill(9.0);
    EXPECT_EQ(analysis.GetStateResults(nullptr, values, 2), 0);
    EXPECT_EQ(values[5], 9.0);
}

// ---- Load path ---------------------------------------------------------------------------

// F0 = (N -100 kN, M 10 kN m, V 5 kN), dF = (dN, 50 kN m, 20 kN).
class LoadPath : public ::testing::Test {
protected:
    std::unique_ptr<FakeBeamAnalysis> Make(double dn, double dm, double dv)
    {
        auto user = TestSection::MakeBeam();
        TestSection::SetLoads(*user, -1e5, 1e4, 5e3, dn, dm, dv);
        return std::make_unique<FakeBeamAnalysis>(user.get(), 0);
    }
    static SectionState StateWith(double n, double m, double v)
    {
        SectionState s;
        s.Results[StateResult::AxialForce] = n;
        s.Results[StateResult::Moment] = m;
        s.Results[StateResult::Shear] = v;
        s.Results[StateResult::LoadFactor] = 0.7;
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
    // The state: N = -90 kN, M = 60 kN m, V = 25 kN.
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
        SectionState s = StateWith(-9e4, 6e4, 2.5e4);
        const double residual = analysis->LoadPathResidual(s, c.component, c.mode, c.shearControl);
        EXPECT_NEAR(s.Results[StateResult::LoadFactor], c.lambda, kFactorTol);
        EXPECT_NEAR(residual, c.residual, kForceTol);
        for (int entry : {StateResult::AppliedAxial, StateResult::AppliedMoment}) {
            const double expect = entry == c.stored ? c.required : 0.0;
            EXPECT_NEAR(s.Results[static_cast<std::size_t>(entry)], expect, kForceTol);
        }
    }
}

TEST_F(LoadPath, ATinyShearIncrementKeepsTheLoadFactorAndIsReportedOnce)
{
    RecordingReporter reporter;
    auto analysis = Make(0.0, 5e4, 0.0005);
    for (int i = 0; i < 3; ++i) {
        SectionState s = StateWith(-9e4, 6e4, 2.5e4);
        const double residual = analysis->LoadPathResidual(s, 1, 2, 1);
        EXPECT_EQ(s.Results[StateResult::LoadFactor], 0.7);
        // Required N with the kept factor: -100 kN + 0.7 x 0.
        EXPECT_NEAR(residual, -1e5 - -9e4, kForceTol);
    }
    EXPECT_EQ(reporter.messages.size(), 1u);
}

TEST_F(LoadPath, AComponentOutsideNMVChangesNothing)
{
    RecordingReporter reporter;
    auto analysis = Make(0.0, 5e4, 2e4);
    for (int component : {-1, 3}) {
        SectionState s = StateWith(-9e4, 6e4, 2.5e4);
        EXPECT_EQ(analysis->LoadPathResidual(s, component, 2, 0), 0.0);
        EXPECT_EQ(s.Results[StateResult::LoadFactor], 0.7);
    }
    EXPECT_EQ(reporter.messages.size(), 2u);
}

// ---- Failure classification --------------------------------------------------------------

// A four-layer state (nodes 0 at the top to 8 at the bottom) with no failure: stirrups at
// every node, cracks below their slip limit, compression below the peak, shear stress
// everywhere. Limits: stirrups 0.05 (their rupture strain), compression -0.0125 (5 e'c).
class FailureModes : public ::testing::Test {
protected:
    static constexpr int kLayers = 4;
    static constexpr int kNodes = 2 * kLayers + 1;

    static SectionState Sound()
    {
        SectionState s;
        s.LayerCount = kLayers;
        s.LayerDefs.resize(kLayers);
        s.NodeStates.resize(kNodes);
        for (std::uint32_t i = 0; i < kLayers; ++i)
            s.LayerDefs[i] = LayerDefRec{2 * i, 2 * i + 1, 2 * i + 2, 0, 0, 0.3 - 0.15 * i};
        for (LayerNodeStateRec& node : s.NodeStates) {
            node.StirrupRatio = 0.002;
            node.CrackShearLimit = 2e6;
            node.CrackShearStress = 0.5e6;
            node.StrainZ = 0.001;
            node.Strain2 = -0.001;
            node.ConcStress2 = -15e6;
            node.ConcStress2Max = -30e6;
            node.ConcShearStress = 1.5e6;
        }
        s.Results[StateResult::Shear] = 1e5;
        return s;
    }
    static void PastPeak(SectionState& s, std::initializer_list<int> nodes)
    {
        for (int k : nodes)
            s.NodeStates[static_cast<std::size_t>(k)].Strain2 = -0.003;
    }
    static void AtStrength(SectionState& s, std::initializer_list<int> nodes)
    {
        for (int k : nodes)
            s.NodeStates[static_cast<std::size_t>(k)].ConcStress2 = -30e6;
    }
    static void Slipping(LayerNodeStateRec& node)
    {
        node.StirrupRatio = 0.0;
        node.CrackShearStress = 2e6 - 0.5;
    }

    FakeBeamAnalysis analysis{TestSection::MakeBeam().get(), 0};
};

TEST_F(FailureModes, ClassifiesHandBuiltStates)
{
    struct Case {
        const char* name;
        std::function<void(SectionState&)> change;
        int expect;
    };
    const Case cases[] = {
        {"sound section", [](SectionState&) {}, FailureMode::None},
        // Nodes: the unreinforced crack and the stirrup limit.
        {"unreinforced crack at its slip limit",
         [](SectionState& s) { Slipping(s.NodeStates[3]); },
         FailureMode::CrackSlip},
        {"unreinforced crack below its slip limit",
         [](SectionState& s) {
             Slipping(s.NodeStates[3]);
             s.NodeStates[3].CrackShearStress = 1.9e6;
         },
         FailureMode::None},
        {"crack without a slip limit",
         [](SectionState& s) {
             Slipping(s.NodeStates[3]);
             s.NodeStates[3].CrackShearLimit = 0.0;
             s.NodeStates[3].CrackShearStress = 0.0;
         },
         FailureMode::None},
        {"reinforced crack at its slip limit",
         [](SectionState& s) { s.NodeStates[3].CrackShearStress = 2e6; },
         FailureMode::None},
        {"stirrups strained past rupture",
         [](SectionState& s) { s.NodeStates[5].StrainZ = 0.051; },
         FailureMode::StirrupRupture},
        {"stirrups strained past 0.01 but short of rupture",
         [](SectionState& s) { s.NodeStates[5].StrainZ = 0.03; },
         FailureMode::None},
        {"nodes are tested from the top down",
         [](SectionState& s) {
             s.NodeStates[0].StrainZ = 0.06;
             Slipping(s.NodeStates[5]);
         },
         FailureMode::StirrupRupture},
        // Crushing layers that carry shear.
        {"web layer past its peak strain",
         [](SectionState& s) { PastPeak(s, {5}); },
         FailureMode::WebCrushing},
        {"node past its peak without shear stress",
         [](SectionState& s) {
             PastPeak(s, {5});
             s.NodeStates[5].ConcShearStress = 0.0;
         },
         FailureMode::None},
        {"web layer within 1.5 % of its softened strength",
         [](SectionState& s) { s.NodeStates[5].ConcStress2 = -29.7e6; },
         FailureMode::WebCrushing},
        {"web layer 2 % short of its softened strength",
         [](SectionState& s) { s.NodeStates[5].ConcStress2 = -29.4e6; },
         FailureMode::None},
        {"plastic offset keeps a node short of its peak",
         [](SectionState& s) {
             PastPeak(s, {5});
             s.NodeStates[5].FreeStrain2 = -0.001;
         },
         FailureMode::None},
        {"crushing that runs down from the top face",
         [](SectionState& s) {
             PastPeak(s, {0, 1, 2, 3});
         },
         FailureMode::None},
        {"top-face crushing and a separate crushing layer below",
         [](SectionState& s) {
             PastPeak(s, {0, 1, 2, 3, 7});
         },
         FailureMode::WebCrushing},
        {"whole depth at its strength under positive shear",
         [](SectionState& s) {
             AtStrength(s, {0, 1, 2, 3, 4, 5, 6, 7, 8});
         },
         FailureMode::WebCrushing},
        {"whole depth at its strength under negative shear",
         [](SectionState& s) {
             AtStrength(s, {0, 1, 2, 3, 4, 5, 6, 7, 8});
             s.Results[StateResult::Shear] = -1e5;
         },
         FailureMode::None},
        {"bottom-face crushing and a separate crushing layer above",
         [](SectionState& s) {
             PastPeak(s, {8, 7, 1});
         },
         FailureMode::WebCrushing},
        {"crushing up from the bottom face over the whole depth",
         [](SectionState& s) {
             AtStrength(s, {1, 2, 3, 4, 5, 6, 7, 8});
         },
         FailureMode::None},
        // Extreme fibres.
        {"top fibre beyond the compression limit",
         [](SectionState& s) {
             s.NodeStates[0].Strain2 = -0.013;
             s.NodeStates[0].ConcShearStress = 0.0;
         },
         FailureMode::FibreCrushing},
        {"top fibre between -0.01 and the compression limit",
         [](SectionState& s) {
             s.NodeStates[0].Strain2 = -0.012;
             s.NodeStates[0].ConcShearStress = 0.0;
         },
         FailureMode::None},
        {"bottom fibre beyond the compression limit",
         [](SectionState& s) {
             s.NodeStates[8].Strain2 = -0.013;
             s.NodeStates[8].ConcShearStress = 0.0;
         },
         FailureMode::FibreCrushing},
        // The whole depth past its peak.
        {"every node past its peak, no shear stress",
         [](SectionState& s) {
             PastPeak(s, {0, 1, 2, 3, 4, 5, 6, 7, 8});
             for (auto& node : s.NodeStates)
                 node.ConcShearStress = 0.0;
         },
         FailureMode::WebCrushing},
        {"every node but one past its peak, no shear stress",
         [](SectionState& s) {
             PastPeak(s, {0, 1, 2, 3, 5, 6, 7, 8});
             for (auto& node : s.NodeStates)
                 node.ConcShearStress = 0.0;
         },
         FailureMode::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SectionState s = Sound();
        c.change(s);
        EXPECT_EQ(analysis.ClassifyFailureMode(s), c.expect);
    }
}

TEST_F(FailureModes, AStateWithoutLayersHasNoFailure)
{
    SectionState s = Sound();
    s.LayerCount = 0;
    EXPECT_EQ(analysis.ClassifyFailureMode(s), FailureMode::None);
}

TEST_F(FailureModes, NodeIdsOutsideTheStateAreSkippedAndReportedOnce)
{
    RecordingReporter reporter;
    SectionState s = Sound();
    s.LayerDefs[1].NodeMid = 4000;
    s.LayerDefs[2].NodeMid = 0xFFFFFFFFu;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(analysis.ClassifyFailureMode(s), FailureMode::None);
    EXPECT_EQ(reporter.messages.size(), 2u);
}

// ---- Plastic offsets ---------------------------------------------------------------------

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
