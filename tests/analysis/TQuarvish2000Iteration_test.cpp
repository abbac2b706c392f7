// The curvature iteration and its services: the section stiffness and set-up tables worked by
// hand, the corrections of the profile, node values between the nodes of a layer, the shear
// zone's concrete area, the shear-convergence loop and the debug traces.

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/AnalysisBaseFakes.h"
#include "analysis/PointSections.h"
#include "analysis/TPointAnalysis.h"
#include "analysis/layers/LayerDriver.h"
#include "analysis/layers/LayerStateAccess.h"
#include "foundation/Diagnostics.h"
#include "support/TestSupport.h"

namespace {

using PS = PointSections;

// The beam of the iteration's tests, which a test may replace.
struct CurvatureIteration : ::testing::Test {
    RecordingReporter reporter;
    std::unique_ptr<TBeam> beam = PS::Beam();
};

// Cracking stress over the depth: f't in the middle, rising towards a face in flexural
// tension when f't is automatic; a given f't holds over the whole depth.
TEST_F(CurvatureIteration, TensileStrengthTable)
{
    beam = PS::MomentBeam();
    const double ft = beam->GetConcreteType(0)->ft;
    ASSERT_EQ(beam->GetConcreteType(0)->ftAuto, 1);
    FakeBeamAnalysis automatic(beam.get(), 1);
    const TDepthTable& table = automatic.GetWorkingTable();
    EXPECT_EQ(table.GetCount(), 102);
    EXPECT_NEAR(table.InterpolateAtDepth(0.0), ft, 1e-6 * ft);
    EXPECT_GT(table.InterpolateAtDepth(-0.3), ft);
    EXPECT_GT(table.InterpolateAtDepth(-0.3), table.InterpolateAtDepth(-0.2));

    // A tensile strength other than the automatic one is taken as given.
    beam->GetConcreteType(0)->ft = 2.5e6;
    beam->GetConcreteType(0)->ftAuto = 0;
    FakeBeamAnalysis given(beam.get(), 1);
    ASSERT_EQ(given.GetBeam()->GetConcreteType(0)->ftAuto, 0);
    for (double y : {0.3, 0.0, -0.3})
        EXPECT_DOUBLE_EQ(given.GetWorkingTable().InterpolateAtDepth(y), 2.5e6);
}

// A state of one layer from 0.1 down to -0.1, node values 1 (top), 2 (middle) and 5.
TEST_F(CurvatureIteration, LayerValuesBetweenTheNodes)
{
    SectionState s;
    s.LayerCount = 1;
    LayerDefRec layer;
    layer.NodeTop = 0, layer.NodeMid = 1, layer.NodeBottom = 2;
    layer.Top = 0.1, layer.Mid = 0.0, layer.Bottom = -0.1, layer.Thickness = 0.2;
    s.LayerDefs = {layer};
    s.NodeStates.resize(3);
    s.NodeStates[0].StrainX = 1.0, s.NodeStates[1].StrainX = 2.0, s.NodeStates[2].StrainX = 5.0;
    const int code = LayerQuantity::StrainX;
    EXPECT_DOUBLE_EQ(InterpolateLayerValue(&s, code, 0.0), 2.0);
    EXPECT_DOUBLE_EQ(InterpolateLayerValue(&s, code, 0.1 + 5e-5), 1.0) << "snapped to the top";
    EXPECT_DOUBLE_EQ(InterpolateLayerValue(&s, code, -0.1), 5.0);
    EXPECT_EQ(InterpolateLayerValue(&s, code, 0.1 + 2e-4), 0.0);
    // The parabola through (0.1, 1), (0, 2), (-0.1, 5): 2 - 20 y + 100 y^2.
    EXPECT_NEAR(InterpolateLayerValue(&s, code, 0.05), 2.0 - 1.0 + 0.25, 1e-12);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(InterpolateLayerValue(nullptr, code, 0.0), -1.0);
    EXPECT_EQ(reporter.messages.size(), 1u);
}

// A region 0.3 wide from -0.25 to 0.25 and one wholly above it.
TEST_F(CurvatureIteration, ConcreteAreaOfTheShearZone)
{
    beam = TestSection::MakeBeam();
    beam->DeleteRegions();
    beam->AddRegion(0.35, 0.25, 0.3, 0.3, 0, 1);
    beam->AddRegion(0.25, -0.25, 0.3, 0.3, 0, 1);
    FakeBeamAnalysis a(beam.get(), 0);
    SectionState s;
    s.Top = 0.25, s.Bottom = -0.25;
    EXPECT_NEAR(a.ConcreteAreaInRange(s), 0.15, 1e-12);
    s.Top = 0.0;
    EXPECT_NEAR(a.ConcreteAreaInRange(s), 0.075, 1e-12);
    s.Top = s.Bottom = 1.0;
    EXPECT_EQ(a.ConcreteAreaInRange(s), 1e-6);
}

// Section constant of a rectangle: the shear-strain shape is 1.5 (1 - u^2), whose mean is 1
// and mean square 1.2, so (G A)^2 / (1.2 G A) / A = G / 1.2 = Ec / 2.4. Then the corrections
// of the profile.
TEST_F(CurvatureIteration, SectionConstantOfARectangleByHandAndProfileCorrections)
{
    FakeBeamAnalysis a(beam.get(), 1);
    const double expected = beam->GetConcreteType(0)->Ec / 2.4;
    EXPECT_NEAR(a.GetSectionConstant(), expected, 0.01 * expected);
    std::array<double, 3> x{};
    // Mode 0 holding variable 1, with only that one active: x1 = r1 / (1e9 K11), result 1.
    const std::array<double, 9> single{0.5, 0, 0, 0, 2.0, 0, 0, 0, 0.5};
    EXPECT_EQ(a.SolveProfileCorrection(single, x, {1.0, 4.0, 1.0}, 0, 1), 1);
    EXPECT_DOUBLE_EQ(x[1], 4.0 / 2e9);
    EXPECT_EQ(x[0], 0.0);
    // Any other mode solves the full system even so.
    EXPECT_EQ(a.SolveProfileCorrection(single, x, {1.0, 4.0, 1.0}, 1, 999), 0);
    EXPECT_DOUBLE_EQ(x[0], 2.0);
    EXPECT_DOUBLE_EQ(x[1], 2.0);
    // Two active variables (gamma has no stiffness): the 2 x 2 system of e0 and phi.
    const std::array<double, 9> two{4e9, 1e8, 0, 1e8, 2e8, 0, 0, 0, 0.5};
    EXPECT_EQ(a.SolveProfileCorrection(two, x, {4e9, 1e8, 3.0}, 1, 999), 0);
    EXPECT_NEAR(x[0], 1.0, 1e-12);
    EXPECT_NEAR(x[1], 0.0, 1e-12);
    EXPECT_EQ(x[2], 0.0);
}

// Under moment control the loop moves e0 until N is back on the load path (N = 0 here).
TEST_F(CurvatureIteration, ShearConvergenceLoopFindsTheAxialStrain)
{
    beam = PS::MomentBeam();
    FakeBeamAnalysis a(beam.get(), 1);
    SectionStateHolder s;
    a.CreateSectionState(s, nullptr);
    s->Results[StateResult::Curvature] = -2e-3;
    ASSERT_NE(a.ShearConvergenceLoop(*s, 1, 1, 0, 1), 0);
    const double M = s->Results[StateResult::Moment];
    EXPECT_NEAR(s->Results[StateResult::AxialForce], 0.0, std::fabs(M) * 0.001 + 1.0);
    EXPECT_NEAR(s->Results[StateResult::LoadFactor], M / -1e3, 1e-9);
    EXPECT_DOUBLE_EQ(s->Results[StateResult::Curvature], -2e-3);
    EXPECT_TRUE(reporter.dataTexts.empty());

    // At debug level 3 the passes are listed in the "View Data" text, one line each.
    SetDebugLevel(3);
    s->Results[StateResult::ReferenceStrain] = 0.0;
    a.ShearConvergenceLoop(*s, 1, 1, 0, 1);
    SetDebugLevel(0);
    ASSERT_EQ(reporter.dataTexts.size(), 1u);
    const std::string& text = reporter.dataTexts[0];
    EXPECT_EQ(text.rfind("results of No shea rconvergence : 1 controls\r\n", 0), 0u);
    EXPECT_GE(std::count(text.begin(), text.end(), '\n'), 2);
}

// With shear: V reaches the applied shear; the average shear strain has the sign of V.
TEST_F(CurvatureIteration, SolveAtLoadsWithShear)
{
    beam = PS::Beam(true, true);
    PS::SetLoads(*beam, 0.0, -100e3, 100e3, 0.0, 0.0, 0.0);
    T1LoadAnalysis a(beam.get(), 0, 0, 0, 0);
    const SectionState* s = a.GetPeakState();
    ASSERT_NE(s, nullptr);
    EXPECT_NEAR(s->Results[StateResult::Shear], 100e3, 100.0);
    EXPECT_NEAR(s->Results[StateResult::Moment], -100e3, 100.0);
    EXPECT_GT(s->Results[StateResult::ShearStrain], 0.0);
    EXPECT_GT(a.GetAverageShearStrain(s, 1), 0.0);
    // The shear-strain shape is iterated until the shear stresses it gives agree with it.
    int mode = 0;
    EXPECT_LT(a.ShearDistributionError(*s, mode), 0.01);
}

// The section stiffness keeps the offset tables' values at the node depths from call to call:
// asked again, after the nodes have moved and after the tables have changed, it is bit for
// bit that of an analysis asking for the first time.
TEST_F(CurvatureIteration, SectionStiffnessWithKeptTableValuesIsTheFreshOne)
{
    beam = PS::Beam(true, true);
    FakeBeamAnalysis kept(beam.get(), 1);
    SectionStateHolder keptHolder;
    SectionState& s = SolveAtProfile(kept, keptHolder, 1e-4, -4e-3, 3e-4, LayerSolveMode::Trial);
    kept.UpdatePlasticOffsets(s);
    ASSERT_TRUE(s.DepthTableA && s.DepthTableA->GetCount() > 2);
    ASSERT_TRUE(s.TransProfile && s.TransProfile->GetCount() > 2);
    const std::array<double, 9> first = kept.ComputeSectionStiffness(s);
    EXPECT_NE(first[0], 1.0);

    const auto expectFresh = [&](double e0, double phi, double gamma, bool offsetsAgain) {
        SolveAtProfile(kept, keptHolder, e0, phi, gamma, LayerSolveMode::Trial);
        if (offsetsAgain)
            kept.UpdatePlasticOffsets(s);
        // The answers of a table depend on where its interpolation cache stands: the fresh
        // analysis is asked with the tables, pairs and caches, as they were.
        const TDepthTable trans = *s.TransProfile;
        const TDepthTable offsetsA = *s.DepthTableA;
        const TDepthTable offsetsB = *s.DepthTableB;
        const std::array<double, 9> K = kept.ComputeSectionStiffness(s);
        const int caches[3] = {s.TransProfile->GetCacheIndex(),
                               s.DepthTableA->GetCacheIndex(),
                               s.DepthTableB->GetCacheIndex()};
        *s.TransProfile = trans;
        *s.DepthTableA = offsetsA;
        *s.DepthTableB = offsetsB;
        FakeBeamAnalysis fresh(beam.get(), 1);
        const std::array<double, 9> F = fresh.ComputeSectionStiffness(s);
        EXPECT_EQ(s.TransProfile->GetCacheIndex(), caches[0]);
        EXPECT_EQ(s.DepthTableA->GetCacheIndex(), caches[1]);
        EXPECT_EQ(s.DepthTableB->GetCacheIndex(), caches[2]);
        for (std::size_t i = 0; i < K.size(); ++i)
            EXPECT_EQ(std::bit_cast<std::uint64_t>(K[i]), std::bit_cast<std::uint64_t>(F[i]))
                << "term " << i << " at " << e0 << ", " << phi << ", " << gamma;
    };
    expectFresh(1e-4, -4e-3, 3e-4, false); // the same nodes again
    expectFresh(2e-4, -3e-3, 2e-4, false); // nodes moved, tables kept
    expectFresh(2e-4, -3e-3, 2e-4, true);  // new tables
    expectFresh(-1e-4, -1e-3, 1e-4, false);
}

// Traces are drawn through the hook only while the debug level is not 0.
TEST_F(CurvatureIteration, DebugTracesOnlyAtADebugLevel)
{
    PS::SetLoads(*beam, 0.0, -200e3, 0.0, 0.0, 0.0, 0.0);
    std::vector<std::array<int, 4>> lines;
    const DebugLineHook previous = SetDebugLineHook([&lines](int a, int b, int c, int d) {
        lines.push_back({a, b, c, d});
    });
    for (int level : {0, 1}) {
        SCOPED_TRACE(level);
        SetDebugLevel(level);
        lines.clear();
        T1LoadAnalysis a(beam.get(), 0, 0, 0, 0);
        ASSERT_NE(a.GetPeakState(), nullptr);
        if (level == 0) {
            EXPECT_TRUE(lines.empty());
        } else {
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines[0][2] - lines[0][0], 24);
        }
    }
    SetDebugLevel(0);
    SetDebugLineHook(previous);
}

} // namespace
