#include "analysis/TQuarvish2000Analysis.h"

#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/AnalysisBaseFakes.h"
#include "analysis/PointSections.h"
#include "analysis/SameStages.h"
#include "analysis/layers/LayerDriver.h"
#include "support/TestSupport.h"

namespace {

constexpr double kForceTol = 1e-6; // N, N m
constexpr double kFactorTol = 1e-12;

// Too finely divided for the mesh (alternating widths, so no two regions share a layer): the
// message and the error-list entry; without a structure nothing is prepared.
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
    EXPECT_EQ(OnlyError(refused).first, kMeshRefusedText);

    FakeBeamAnalysis none(nullptr, 1);
    EXPECT_EQ(none.GetPrepareResult(), 0);
    EXPECT_TRUE(none.GetNodeWork(0).empty());
    EXPECT_EQ(none.Prepare(), 0);
    EXPECT_EQ(none.Finish(), 1);
}

// Any constant or incremental shear load, however small, or the flag makes shear count.
TEST(BeamAnalysis, ShearCountsWhenAShearLoadOrTheFlagIsSet)
{
    for (auto [v0, dv, flag, expect] : {std::array{0.0, 0.0, 0.0, 0.0},
                                        std::array{0.0, 1e-9, 0.0, 1.0},
                                        std::array{0.0, 0.0, 1.0, 1.0}}) {
        auto user = TestSection::MakeBeam();
        TestSection::SetLoads(*user, 0.0, 0.0, v0, 0.0, 1.0, dv);
        FakeBeamAnalysis analysis(user.get(), 0);
        analysis.SetShearFlag(static_cast<int>(flag));
        EXPECT_EQ(analysis.HasShear(), expect) << v0 << " " << dv << " " << flag;
    }
}

// F0 = (N -100 kN, M 10 kN m, V 5 kN), dF = (dN, dM, dV); the state N = -90 kN,
// M = 60 kN m, V = 25 kN at the load factor 0.7.
std::unique_ptr<FakeBeamAnalysis> LoadPathAnalysis(double dn, double dm, double dv)
{
    auto user = TestSection::MakeBeam();
    TestSection::SetLoads(*user, -1e5, 1e4, 5e3, dn, dm, dv);
    return std::make_unique<FakeBeamAnalysis>(user.get(), 0);
}

SectionState LoadPathState()
{
    SectionState s;
    s.Results[StateResult::AxialForce] = -9e4, s.Results[StateResult::Moment] = 6e4;
    s.Results[StateResult::Shear] = 2.5e4, s.Results[StateResult::LoadFactor] = 0.7;
    return s;
}

TEST(LoadPath, ResidualOfTheDependentComponent)
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
        // V controls: lambda = (25 - 5) / 20 = 1; component 1 makes N dependent.
        {"shear controls", -5e4, 5e4, 2e4, 1, 2, 1, 1.0, StateResult::AppliedAxial, -1.5e5, -6e4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto analysis = LoadPathAnalysis(c.dn, c.dm, c.dv);
        SectionState s = LoadPathState();
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
TEST(LoadPath, TinyShearIncrementOrUnknownComponentKeepTheLoadFactor)
{
    RecordingReporter reporter;
    auto analysis = LoadPathAnalysis(0.0, 5e4, 0.0005);
    for (int i = 0; i < 3; ++i) {
        SectionState s = LoadPathState();
        const double residual = analysis->LoadPathResidual(s, 1, 2, 1);
        EXPECT_EQ(s.Results[StateResult::LoadFactor], 0.7);
        EXPECT_NEAR(residual, -1e5 - -9e4, kForceTol); // required N: -100 kN + 0.7 x 0
    }
    EXPECT_EQ(reporter.messages.size(), 1u);
    for (int component : {-1, 3}) {
        SectionState s = LoadPathState();
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

TEST(FailureModes, ClassifiesHandBuiltStatesAndSkipsNodeIdsOutsideThem)
{
    using N = LayerNodeStateRec;
    struct Edit {
        int node;
        double N::*field;
        double value;
    };
    struct Case {
        const char* name;
        std::vector<Edit> edits;
        int expect;
    };
    const Case cases[] = {
        {"sound section", {}, FailureMode::None},
        {"unreinforced crack at its slip limit",
         {{3, &N::StirrupRatio, 0.0}, {3, &N::CrackShearStress, 2e6 - 0.5}},
         FailureMode::CrackSlip},
        {"stirrups past rupture", {{5, &N::StrainZ, 0.051}}, FailureMode::StirrupRupture},
        {"web layer past its peak strain", {{5, &N::Strain2, -0.003}}, FailureMode::WebCrushing},
        {"top fibre beyond -0.0125",
         {{0, &N::Strain2, -0.013}, {0, &N::ConcShearStress, 0}},
         FailureMode::FibreCrushing},
    };
    FakeBeamAnalysis analysis(TestSection::MakeBeam().get(), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SectionState s = SoundFourLayerState();
        for (const Edit& edit : c.edits)
            s.NodeStates[static_cast<std::size_t>(edit.node)].*edit.field = edit.value;
        EXPECT_EQ(analysis.ClassifyFailureMode(s), c.expect);
    }

    // Node ids outside the state are skipped, each reported once.
    RecordingReporter reporter;
    SectionState s = SoundFourLayerState();
    s.LayerDefs[1].NodeMid = 4000;
    s.LayerDefs[2].NodeMid = 0xFFFFFFFFu;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(analysis.ClassifyFailureMode(s), FailureMode::None);
    EXPECT_EQ(reporter.messages.size(), 2u);
}

// A finishing pass asked for the state that the last layer solution left at the same profile
// adds only what that solution lacks: after a trial pass the finishing part, after a
// finishing pass nothing. The state ends as a full finishing pass leaves it, bit for bit.
// A changed profile or failed flags solve again.
TEST(LayerSolution, FinishingPassBuildsOnTheSolutionJustMade)
{
    const std::unique_ptr<TBeam> beam = PointSections::Beam(false, true);
    FakeBeamAnalysis analysis(beam.get(), 1);
    auto same = [](const SectionState& a, const SectionState& b) {
        const auto nodes = static_cast<std::size_t>(2 * a.LayerCount + 1);
        bool crack = a.LayerCount == b.LayerCount;
        for (std::size_t i = 0; crack && i < nodes; ++i)
            crack = a.NodeStates[i].CrackAngle == b.NodeStates[i].CrackAngle &&
                    a.NodeStates[i].SteelStressXAtCrack == b.NodeStates[i].SteelStressXAtCrack;
        return crack && stagetest::SameBits(a.Results.data(), b.Results.data(), a.Results.size());
    };
    SectionStateHolder full, reused;
    SolveAtProfile(analysis, full, 1e-4, -4e-3, 3e-4, LayerSolveMode::Trial);
    analysis.SolveLayerStates(*full, LayerSolveMode::FinalBeam);

    SolveAtProfile(analysis, reused, 1e-4, -4e-3, 3e-4, LayerSolveMode::Trial);
    const auto solutions = analysis.GetSolveCounts().layerSolutions;
    EXPECT_EQ(analysis.FinishLayerStates(*reused), 1);
    EXPECT_EQ(analysis.FinishLayerStates(*reused), 0);
    EXPECT_EQ(analysis.GetSolveCounts().layerSolutions, solutions);
    EXPECT_TRUE(same(*full, *reused));

    reused->Results[StateResult::Curvature] = -3e-3;
    EXPECT_EQ(analysis.FinishLayerStates(*reused), 1);
    EXPECT_EQ(analysis.GetSolveCounts().layerSolutions, solutions + 1);
    analysis.MarkFailedBars(reused.get());
    EXPECT_EQ(analysis.FinishLayerStates(*reused), 1);
    EXPECT_EQ(analysis.GetSolveCounts().layerSolutions, solutions + 2);
}

} // namespace

namespace {

// The first field in which two solved states differ ("" when none): results, shear zone,
// layers, every field of every node (doubles compared as bits), the bar values (stresses and
// strains, those at cracks included), the bond stresses, the stirrup flags and the envelopes.
std::string StateFieldDifference(const SectionState& a, const SectionState& b)
{
    using stagetest::SameBits;
    using N = LayerNodeStateRec;
    if (a.LayerCount != b.LayerCount)
        return "layer count";
    if (!SameBits(a.Results.data(), b.Results.data(), a.Results.size()))
        return "results";
    if (!SameBits(a.Summary.data(), b.Summary.data(), a.Summary.size()))
        return "summary";
    if (!SameBits(&a.Top, &b.Top, 1) || !SameBits(&a.Bottom, &b.Bottom, 1))
        return "shear zone";
    if (a.LayerDefs != b.LayerDefs)
        return "layers";
    static const std::pair<const char*, double N::*> kFields[] = {
        {"StrainX", &N::StrainX},
        {"StrainZ", &N::StrainZ},
        {"ShearStrain", &N::ShearStrain},
        {"Strain1", &N::Strain1},
        {"Strain2", &N::Strain2},
        {"CrackAngle", &N::CrackAngle},
        {"ConcStressX", &N::ConcStressX},
        {"ConcStressZ", &N::ConcStressZ},
        {"ConcShearStress", &N::ConcShearStress},
        {"ConcStress1", &N::ConcStress1},
        {"ConcStress2", &N::ConcStress2},
        {"ConcStress2Max", &N::ConcStress2Max},
        {"ShearStrainShape", &N::ShearStrainShape},
        {"StirrupStress", &N::StirrupStress},
        {"StirrupStressAtCrack", &N::StirrupStressAtCrack},
        {"StirrupYieldStress", &N::StirrupYieldStress},
        {"StirrupRatio", &N::StirrupRatio},
        {"CriticalRatio", &N::CriticalRatio},
        {"Stress1AtCrack", &N::Stress1AtCrack},
        {"SpareValue", &N::SpareValue},
        {"CrackWidth", &N::CrackWidth},
        {"CrackSpacingTheta", &N::CrackSpacingTheta},
        {"CrackSpacingX", &N::CrackSpacingX},
        {"CrackSpacingZ", &N::CrackSpacingZ},
        {"CrackShearStress", &N::CrackShearStress},
        {"CrackShearLimit", &N::CrackShearLimit},
        {"Depth", &N::Depth},
        {"FreeStrainX", &N::FreeStrainX},
        {"FreeStrainZ", &N::FreeStrainZ},
        {"FreeStrain1", &N::FreeStrain1},
        {"FreeStrain2", &N::FreeStrain2},
        {"TensionLimit", &N::TensionLimit},
        {"ReserveX", &N::ReserveX},
        {"ReserveZ", &N::ReserveZ},
        {"TensionStiffFactor", &N::TensionStiffFactor},
        {"LocalTensileStrength", &N::LocalTensileStrength},
        {"SteelStressX", &N::SteelStressX},
        {"SteelStressXAtCrack", &N::SteelStressXAtCrack},
    };
    const auto nodes = static_cast<std::size_t>(2 * a.LayerCount + 1);
    if (a.NodeStates.size() < nodes || b.NodeStates.size() < nodes)
        return "node count";
    for (std::size_t i = 0; i < nodes; ++i) {
        const N& x = a.NodeStates[i];
        const N& y = b.NodeStates[i];
        for (const auto& [name, field] : kFields)
            if (!SameBits(&(x.*field), &(y.*field), 1))
                return "node " + std::to_string(i) + " " + name;
        if (x.CrackCheckCode != y.CrackCheckCode || x.ConcreteType != y.ConcreteType ||
            x.AxesSwapped != y.AxesSwapped)
            return "node " + std::to_string(i) + " codes";
    }
    for (std::size_t k = 0; k < a.LongBarValues.size(); ++k)
        if (a.LongBarValues[k].size() != b.LongBarValues[k].size() ||
            !SameBits(a.LongBarValues[k].data(), b.LongBarValues[k].data(), a.LongBarValues[k].size()))
            return "bar values " + std::to_string(k);
    for (std::size_t k = 0; k < a.LongBarExtra.size(); ++k)
        if (a.LongBarExtra[k].size() != b.LongBarExtra[k].size() ||
            !SameBits(a.LongBarExtra[k].data(), b.LongBarExtra[k].data(), a.LongBarExtra[k].size()))
            return k == 0 ? "bond stresses" : "bar extra 1";
    if (a.TransLayerFlags != b.TransLayerFlags)
        return "stirrup flags";
    if (a.PointLists != b.PointLists)
        return "envelopes";
    return {};
}

// A finishing pass at the profile just solved as a trial gives, field by field, the state of
// a finishing pass solved in full by an analysis of its own (crack stresses, crack angles and
// bond stresses included). Once any one of the three profile values has changed, however
// little, the trial is never reused: the pass solves afresh and again equals a full solve at
// the new profile.
TEST(LayerSolution, ReusedTrialEqualsAFreshSolveFieldByField)
{
    const std::unique_ptr<TBeam> beam = PointSections::Beam(true, true);
    const std::array<double, 3> profile{1e-4, -4e-3, 3e-4};
    auto fresh = [&](const std::array<double, 3>& p) {
        FakeBeamAnalysis own(beam.get(), 1);
        SectionStateHolder holder;
        SolveAtProfile(own, holder, p[0], p[1], p[2], LayerSolveMode::Trial);
        own.SolveLayerStates(*holder, LayerSolveMode::FinalBeam);
        return holder;
    };
    const SectionStateHolder expected = fresh(profile);
    // Cracked, with crack stresses and bond to compare.
    double angles = 0.0;
    for (int i = 0; i < 2 * expected->LayerCount + 1; ++i)
        angles += std::fabs(expected->NodeStates[static_cast<std::size_t>(i)].CrackWidth);
    ASSERT_GT(angles, 0.0);
    double bond = 0.0;
    for (double b : expected->LongBarExtra[0])
        bond += std::fabs(b);
    ASSERT_GT(bond, 0.0);

    FakeBeamAnalysis analysis(beam.get(), 1);
    SectionStateHolder reused;
    SolveAtProfile(analysis, reused, profile[0], profile[1], profile[2], LayerSolveMode::Trial);
    const auto solutions = analysis.GetSolveCounts().layerSolutions;
    EXPECT_EQ(analysis.FinishLayerStates(*reused), 1);
    EXPECT_EQ(analysis.GetSolveCounts().layerSolutions, solutions); // reused
    EXPECT_EQ(StateFieldDifference(*reused, *expected), "");

    for (std::size_t c = 0; c < 3; ++c) {
        SCOPED_TRACE(c);
        std::array<double, 3> changed = profile;
        changed[c] *= 1.01;
        SectionStateHolder state;
        SolveAtProfile(analysis, state, profile[0], profile[1], profile[2], LayerSolveMode::Trial);
        state->Results[StateResult::ReferenceStrain + c] = changed[c];
        const auto before = analysis.GetSolveCounts().layerSolutions;
        EXPECT_EQ(analysis.FinishLayerStates(*state), 1);
        EXPECT_EQ(analysis.GetSolveCounts().layerSolutions, before + 1); // solved afresh
        EXPECT_EQ(StateFieldDifference(*state, *fresh(changed)), "");
    }
}

} // namespace
