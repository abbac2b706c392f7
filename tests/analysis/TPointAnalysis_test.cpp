// Point analyses on validated sections, checked against the transformed and the cracked
// section worked by hand (the concrete's initial modulus Ec, bars of modulus Es, n = Es/Ec).

#include <cmath>

#include <gtest/gtest.h>

#include "analysis/PointSections.h"
#include "analysis/TPointAnalysis.h"
#include "support/TestSupport.h"

namespace {

using PS = PointSections;

// The beam of the point analyses, which a test may replace.
struct PointAnalyses : ::testing::Test {
    RecordingReporter reporter;
    std::unique_ptr<TBeam> beam = PS::Beam();
};

double StrainAt(const SectionState& s, double y)
{
    return s.Results[StateResult::ReferenceStrain] + s.Results[StateResult::Curvature] * y;
}

// Uncracked: the plane section through two small strains gives N and M of the transformed
// section, N = Ec e0 A + (Es - Ec) As e_s and M = Ec phi I + (Es - Ec) As e_s z_s about the
// gross centroid (compression at the top gives a negative moment).
TEST_F(PointAnalyses, TwoStrainsGiveTheTransformedSectionForces)
{
    const double e0 = -5e-6, phi = -5e-5; // -20e-6 at the top, +10e-6 at the bottom
    const double Ec = beam->GetConcreteType(0)->Ec, Es = beam->GetSteelType(0)->Es;
    T2StrainAnalysis a(beam.get(), -2e-5, 0.3, 1e-5, -0.3);
    const SectionState* s = a.GetPeakState();
    ASSERT_NE(s, nullptr);
    const double A = PS::kB * PS::kH, I = PS::kB * std::pow(PS::kH, 3) / 12.0;
    const double barStrain = e0 + phi * PS::kBarDepth;
    const double extra = (Es - Ec) * PS::kBarArea * barStrain;
    const double N = Ec * e0 * A + extra;
    const double M = Ec * phi * I + extra * PS::kBarDepth;
    EXPECT_NEAR(s->Results[StateResult::AxialForce], N, 0.01 * std::fabs(N));
    EXPECT_NEAR(s->Results[StateResult::Moment], M, 0.01 * std::fabs(M));
    EXPECT_EQ(a.GetErrorCount(), 0);
    EXPECT_EQ(reporter.Count(kFrozenText), 0);

    // Two depths closer than 1 mm: a uniform strain of their mean over the whole section.
    T2StrainAnalysis uniform(beam.get(), -1e-5, 0.1, -3e-5, 0.1005);
    double e1 = 0, y1 = 0, e2 = 0, y2 = 0;
    uniform.GetTwoStrainPoints(e1, y1, e2, y2);
    EXPECT_DOUBLE_EQ(e1, -2e-5);
    EXPECT_DOUBLE_EQ(e2, -2e-5);
    EXPECT_DOUBLE_EQ(y1, beam->GetTop());
    EXPECT_DOUBLE_EQ(y2, beam->GetBottom());
    ASSERT_NE(uniform.GetStage(0), nullptr);
    EXPECT_EQ(uniform.GetStage(1), nullptr);
    EXPECT_NEAR(uniform.GetStage(0)->Results[StateResult::Curvature], 0.0, 1e-15);
}

// Below cracking the curvature is M / (Ec I_tr), I_tr of the transformed section about its
// own centroid; past cracking tension stiffening keeps it below M / (Ec I_cr); past yield the
// bars are at fy and the curvature beyond the cracked section's yield curvature.
TEST_F(PointAnalyses, OneLoadFollowsTheElasticAndTheCrackedSection)
{
    const double Ec = beam->GetConcreteType(0)->Ec, Es = beam->GetSteelType(0)->Es, n = Es / Ec;
    const double A = PS::kB * PS::kH, I = PS::kB * std::pow(PS::kH, 3) / 12.0;
    const double extraArea = (n - 1.0) * PS::kBarArea;
    const double yc = extraArea * PS::kBarDepth / (A + extraArea);
    const double Itr = I + A * yc * yc + extraArea * std::pow(PS::kBarDepth - yc, 2);
    // Cracked section: d = 0.55, rho n, neutral axis kd, I_cr and the yield point.
    const double d = 0.55, rn = PS::kBarArea / (PS::kB * d) * n;
    const double kd = (std::sqrt(2.0 * rn + rn * rn) - rn) * d;
    const double Icr = PS::kB * std::pow(kd, 3) / 3.0 + n * PS::kBarArea * std::pow(d - kd, 2);
    const double fy = beam->GetSteelType(0)->fy;
    const double yieldCurvature = fy / Es / (d - kd);
    const double My = PS::kBarArea * fy * (d - kd / 3.0); // 296 kN m

    struct Row {
        const char* name;
        double M;
    };
    for (const Row& row :
         {Row{"elastic", -20e3}, Row{"cracked", -150e3}, Row{"yielded", -1.05 * My}}) {
        SCOPED_TRACE(row.name);
        PS::SetLoads(*beam, 0.0, row.M, 0.0, 0.0, 0.0, 0.0);
        T1LoadAnalysis a(beam.get(), 0, 0, 0, 0);
        const SectionState* s = a.GetPeakState();
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(a.GetCurrentState(), s);
        const double phi = s->Results[StateResult::Curvature];
        EXPECT_NEAR(s->Results[StateResult::Moment], row.M, 0.001 * std::fabs(row.M));
        if (row.M == -20e3) {
            EXPECT_NEAR(phi, row.M / (Ec * Itr), 0.01 * std::fabs(row.M / (Ec * Itr)));
        } else if (row.M == -150e3) {
            const double cracked = row.M / (Ec * Icr);
            EXPECT_LT(std::fabs(phi), std::fabs(cracked));
            EXPECT_GT(std::fabs(phi), 0.7 * std::fabs(cracked));
        } else {
            EXPECT_GT(std::fabs(phi), yieldCurvature);
            EXPECT_NEAR(s->LongBarValues[BarArray::List0Stress][0], fy, 0.01 * fy);
        }
    }
    EXPECT_EQ(reporter.Count(kFrozenText), 0);
}

// A symmetric column under axial load: no curvature, N carried, the strain at least that of
// the elastic section (the concrete softens) and within 5 % of it at a quarter of f'c.
TEST_F(PointAnalyses, ColumnUnderPureAxialCompression)
{
    auto column = PS::Column();
    const double N = -1.5e6;
    PS::SetLoads(*column, N, 0.0, 0.0, 0.0, 0.0, 0.0);
    T1LoadAnalysis a(column.get(), 0, 0, 0, 0);
    const SectionState* s = a.GetPeakState();
    ASSERT_NE(s, nullptr);
    const double Ec = column->GetConcreteType(0)->Ec, Es = column->GetSteelType(0)->Es;
    const double elastic = N / (Ec * 0.16 + (Es - Ec) * 2.0 * PS::kBarArea);
    EXPECT_NEAR(s->Results[StateResult::AxialForce], N, 0.001 * std::fabs(N));
    EXPECT_NEAR(s->Results[StateResult::Curvature], 0.0, 1e-9);
    EXPECT_LE(s->Results[StateResult::ReferenceStrain], elastic);
    EXPECT_GT(s->Results[StateResult::ReferenceStrain], 1.05 * elastic);
}

// Loads the section cannot carry, and sections the set-up refuses, end with the kind's
// message and no state, at once.
TEST_F(PointAnalyses, FailuresEndWithTheirMessage)
{
    auto column = PS::Column();
    PS::SetLoads(*column, -1.5e8, 0.0, 0.0, 0.0, 0.0, 0.0); // twenty times the squash load
    T1LoadAnalysis crushed(column.get(), 0, 0, 0, 0);
    EXPECT_EQ(crushed.GetPeakState(), nullptr);
    EXPECT_EQ(crushed.GetCurrentState(), nullptr);
    EXPECT_EQ(OnlyError(crushed), StoredError(kLoadCaseFailedText, 48));
    EXPECT_EQ(crushed.GetStructure()->IsFrozen(), 0) << "finished";

    // No increment moment: the one-strain solve has no load factor.
    PS::SetLoads(*beam, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    T1StrainAnalysis noMoment(beam.get(), -0.001, 0.3, 0, 0);
    EXPECT_EQ(noMoment.GetPeakState(), nullptr);
    EXPECT_EQ(OnlyError(noMoment).first, kStrainFailedText);

    // No regions, or a moment axis of exactly 1e30 (centroidal, not 1e30 m away).
    auto empty = PS::Empty();
    T1LoadAnalysis nothing(empty.get(), 0, 0, 0, 0);
    EXPECT_TRUE(nothing.IsSetupRefused());
    EXPECT_EQ(nothing.GetPeakState(), nullptr);
    EXPECT_EQ(nothing.GetErrorCount(), 1);
    EXPECT_EQ(nothing.GetSectionConstant(), 0.0);
    T2StrainAnalysis nothingToo(empty.get(), -1e-4, 0.1, 0.0, -0.1);
    EXPECT_EQ(nothingToo.GetPeakState(), nullptr);

    auto axis = PS::Empty();
    axis->AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
    PS::AddBars(*axis, 0.05, PS::kBarArea);
    axis->SetMomentAxis(kCentroidalAxis);
    PS::SetLoads(*axis, 0.0, -20e3, 0.0, 0.0, 0.0, 0.0);
    T1LoadAnalysis centroidal(axis.get(), 0, 0, 0, 0);
    EXPECT_NEAR(centroidal.GetStructure()->GetTop(), 0.3, 1e-9);
    ASSERT_NE(centroidal.GetPeakState(), nullptr);
    EXPECT_EQ(reporter.Count(kFrozenText), 0);
}

// One strain at the top: the bottom strain is found so that N = 0 on a path of pure moment.
TEST_F(PointAnalyses, OneStrainFindsTheOppositeFace)
{
    beam = PS::MomentBeam();
    T1StrainAnalysis a(beam.get(), -0.001, 0.3, 0, 0);
    const SectionState* s = a.GetPeakState();
    ASSERT_NE(s, nullptr);
    double e1 = 0, y1 = 0, e2 = 0, y2 = 0;
    a.GetTwoStrainPoints(e1, y1, e2, y2);
    EXPECT_DOUBLE_EQ(y2, beam->GetBottom()) << "y1 above mid-depth: level 2 at the bottom";
    EXPECT_GT(e2, 0.0);
    const double M = s->Results[StateResult::Moment];
    EXPECT_NEAR(s->Results[StateResult::AxialForce], 0.0, std::fabs(M) * 0.001 + 1.0);
    EXPECT_NEAR(s->Results[StateResult::LoadFactor], M / -1e3, 1e-9);
    EXPECT_NEAR(StrainAt(*s, 0.3), -0.001, 1e-12);
}

// A tension strain at mid-depth or at the bottom of the beam under moment: the bottom bars
// yield, and the top face carries the compression that balances them. The solve starts from
// top strains of -0.4 and -0.3 per mille, where the bars still outweigh the concrete (N > 0),
// and its first step heads for the equilibrium nearest them: the top strain within the
// crushing strain, with N of one sign all the way from the trials to it. A first step the
// wrong way found the far equilibrium of crushed concrete (-15 per mille at the top for 2 per
// mille at mid-depth), or none (5 per mille).
TEST_F(PointAnalyses, OneStrainTakesTheEquilibriumNearestItsTrials)
{
    beam = PS::MomentBeam();
    const double ecu = -0.0035;
    for (const auto& [e1, y1] : {std::pair{0.002, 0.0}, {0.005, 0.0}, {0.005, -0.3}}) {
        SCOPED_TRACE(testing::Message() << "e1 " << e1 << " at " << y1);
        T1StrainAnalysis a(beam.get(), e1, y1, 0, 0);
        const SectionState* s = a.GetPeakState();
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(a.GetErrorCount(), 0);
        double f1 = 0, z1 = 0, e2 = 0, y2 = 0;
        a.GetTwoStrainPoints(f1, z1, e2, y2);
        EXPECT_DOUBLE_EQ(y2, beam->GetTop()) << "y1 at or below mid-depth: level 2 at the top";
        EXPECT_LT(e2, 0.0);
        EXPECT_GT(e2, ecu);
        const double M = s->Results[StateResult::Moment];
        EXPECT_NEAR(s->Results[StateResult::AxialForce], 0.0, std::fabs(M) * 0.001 + 1.0);
        // The bottom bars have yielded: the moment is at least their yield force times the
        // lever arm to the top face's compression, no deeper than a third of the height.
        EXPECT_GT(-M, PS::kBarArea * 4e8 * (0.55 - 0.2));
        // N from the trial strain to the solution, by the plane section through both points.
        const int samples = 8;
        double compressed = 0.0; // the first top strain at which N is not tension
        for (int k = 0; k < samples && compressed == 0.0; ++k) {
            const double e = -0.0003 + (e2 - -0.0003) * k / samples;
            const T2StrainAnalysis t(beam.get(), e1, y1, e, y2);
            ASSERT_NE(t.GetPeakState(), nullptr);
            if (t.GetPeakState()->Results[StateResult::AxialForce] <= 0.0)
                compressed = e;
        }
        EXPECT_EQ(compressed, 0.0) << "N changes sign before the solution " << e2;
    }
}

} // namespace
