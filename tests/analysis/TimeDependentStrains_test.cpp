// Shrinkage and creep factors against the hand formulas, and the long-term state imposed once
// on each analysis's own beam copy.

#include <cmath>

#include <gtest/gtest.h>

#include "analysis/AnalysisBaseFakes.h"
#include "analysis/PointSections.h"
#include "analysis/TPointAnalysis.h"
#include "support/TestSupport.h"

namespace {

using PS = PointSections;

// The 300 x 600 mm beam loaded at 28 days: v/s = 0.18 / (2 x 0.6 + 2 x 0.3) = 0.1 m, and
//   T = (28 / (26 e^1.42 + 28)) / (28 / 73)          = 0.538487
//   ks = T (1064 - 370) / 923                        = 0.404886
//   eps_sh = -(28 / 63) ks 0.00051                   = -9.17741e-5
//   kf = 62 / (42 + 35)                              = 0.805195
//   kc = T (1.80 + 1.77 e^-2.13) / 2.587             = 0.418455
//   psi = 3.5 kc kf 0.8 21^0.6 / (10 + 21^0.6)       = 0.361546
TEST(TimeDependentStrains, FactorsAt28DaysByHand)
{
    RecordingReporter reporter;
    auto beam = PS::Beam();
    beam->SetTimeData(1, 28.0, -100e3, 0.0);
    TimeDependentStrains v;
    ASSERT_EQ(TQuarvish2000Analysis::SolveTimeDependentStrains(*beam, v), 1);
    EXPECT_NEAR(v.volumeSurface, 0.1, 1e-9);
    EXPECT_NEAR(v.ks, 0.404886, 1e-6);
    EXPECT_NEAR(v.shrinkage, -9.17741e-5, 1e-10);
    EXPECT_NEAR(v.kf, 0.805195, 1e-6);
    EXPECT_NEAR(v.kc, 0.418455, 1e-6);
    EXPECT_NEAR(v.creepCoefficient, 0.361546, 1e-6);
    // Creep and shrinkage make the sustained curvature grow.
    EXPECT_LT(v.curvature1, 0.0);
    EXPECT_LT(v.curvature2, v.curvature1);
    EXPECT_EQ(reporter.Count(kFrozenText), 0);

    // Younger than 7.1 days counts as 7.1 days: (t - 7)^0.6 = 0.1^0.6 keeps psi positive.
    beam->SetTimeData(1, 3.0, -100e3, 0.0);
    TimeDependentStrains young;
    TQuarvish2000Analysis::SolveTimeDependentStrains(*beam, young);
    EXPECT_GT(young.creepCoefficient, 0.0);
    EXPECT_LT(young.creepCoefficient, v.creepCoefficient);

    // A sustained moment the section cannot carry: no state, curvatures and strains 0, the
    // factors all the same.
    beam->SetTimeData(1, 28.0, -5e6, 0.0);
    TimeDependentStrains failed;
    TQuarvish2000Analysis::SolveTimeDependentStrains(*beam, failed);
    EXPECT_EQ(failed.curvature1, 0.0);
    EXPECT_EQ(failed.curvature2, 0.0);
    EXPECT_EQ(failed.strain2, 0.0);
    EXPECT_NEAR(failed.creepCoefficient, 0.361546, 1e-6);
}

// An analysis started by the user imposes the long-term state on its own copy (which it may
// write although frozen); an analysis built over that frozen copy does not add it again.
TEST(TimeDependentStrains, ImposedOncePerAnalysisTheUserStarts)
{
    RecordingReporter reporter;
    auto beam = PS::Beam();
    beam->SetTimeData(1, 28.0, -100e3, 0.0);
    PS::SetLoads(*beam, 0.0, -100e3, 0.0, 0.0, 0.0, 0.0);
    const double shrinkage = -9.17741e-5;

    FakeBeamAnalysis running(beam.get(), 1);
    const TBeam& copy = *running.GetBeam();
    ASSERT_EQ(copy.IsFrozen(), 1);
    const TDepthTable& table = copy.GetPositionVariable(kShrinkTherm);
    ASSERT_GT(table.GetCount(), 0);
    for (int i = 0; i < table.GetCount(); ++i)
        EXPECT_NEAR(table.GetValue(i), shrinkage, 1e-10);
    EXPECT_NE(copy.GetLongLayer(0, 0)->timeStrain, 0.0);
    EXPECT_EQ(beam->GetPositionVariable(kShrinkTherm).GetValue(0), 0.0) << "the user's beam";

    T2StrainAnalysis nested(&copy, -1e-4, 0.3, 0.0, -0.3);
    const TDepthTable& again = nested.GetBeam()->GetPositionVariable(kShrinkTherm);
    for (int i = 0; i < again.GetCount(); ++i)
        EXPECT_NEAR(again.GetValue(i), shrinkage, 1e-10);

    T1LoadAnalysis started(beam.get(), 0, 0, 0, 0);
    EXPECT_NE(started.GetPeakState(), nullptr);
    EXPECT_EQ(reporter.Count(kFrozenText), 0);
}

} // namespace
