#include "model/materials/SteelLaws.h"

#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include "model/materials/UserCurves.h"
#include "support/TestSupport.h"

namespace {

constexpr double kMPa = 1e6;
constexpr double kStressTol = 1.0; // Pa
constexpr double kStep = 1e-8;     // strain step of the central differences
constexpr double kRelTol = 1e-5;
constexpr double kAbsTol = 1e3; // Pa per unit strain

SteelTypeRec MakeBar()
{
    SteelTypeRec rec;
    InitSteelTypeRec(rec);
    CheckSteelType(rec, true);
    return rec;
}

SteelTypeRec MakeStrand()
{
    SteelTypeRec rec;
    InitSteelTypeRec(rec);
    rec.kind = SteelKind::Prestressing;
    rec.fy = 1.86e9;
    CheckSteelType(rec, true);
    return rec;
}

SteelTypeRec MakeCurveSteel(std::initializer_list<std::pair<double, double>> pairs)
{
    SteelTypeRec rec;
    InitSteelTypeRec(rec);
    rec.kind = SteelKind::UserCurve;
    rec.userCurve.reset(std::make_unique<TDepthTable>("segmental rebar"));
    for (const auto& [z, v] : pairs)
        rec.userCurve->Add(z, v);
    FinishUserCurve(*rec.userCurve);
    CheckSteelType(rec, false);
    return rec;
}

bool Ruptured(double s)
{
    return s >= kRupturedStress;
}

TEST(SteelCheck, RepairsNamesExponentAndKeepsStrandStrengthUnderFactors)
{
    RecordingReporter reporter;
    SteelTypeRec bar = MakeBar();
    bar.name = "";
    CheckSteelType(bar, false);
    EXPECT_EQ(bar.name, "Steel 1");

    ValueGuard<ResistanceFactors> factors(g_ResistanceFactors, {0.65, 0.85, 0.9});
    SteelTypeRec strand = MakeStrand();
    strand.name = "fifteen chars!!";
    for (int i = 0; i < 5; ++i)
        CheckSteelType(strand, false);
    EXPECT_EQ(strand.name, "PSteel");
    EXPECT_EQ(strand.fu, 1.86e9);
    EXPECT_NEAR(strand.fy, 0.9 * 1.86e9, kStressTol);
    strand.C = 0.0; // no exponent: repaired before the law is used
    CheckSteelType(strand, false);
    EXPECT_EQ(strand.C, 0.1);
    EXPECT_TRUE(std::isfinite(strand.fu));
    EXPECT_TRUE(reporter.messages.empty());

    SteelTypeRec unknown;
    unknown.kind = 7;
    CheckSteelType(unknown, false);
    EXPECT_EQ(unknown.kind, 7);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text,
              "Warning: Unidentified type of Reinforcement! Save File and reload");
    EXPECT_EQ(reporter.messages[0].caption, "Materials Error");
}

// A soft strand (E_p 100 MPa, f_pu 90 MPa, e_pu 0.5): its strain at peak is the larger of the
// one given and the yield strain of its own strength (0.9 f_pu / E_p, f_pu no more than its law
// gives at e_pu), never that of the yield the record held before (a standard strand's 1674 MPa,
// 16.74 here, as a record a document fills starts with); checking it again changes nothing.
TEST(SteelCheck, StrandStrainAtPeakFollowsItsOwnYieldAtEveryCheck)
{
    SteelTypeRec strand = MakeStrand();
    ASSERT_NEAR(strand.fy, 0.9 * 1.86e9, kStressTol);
    strand.Es = 100 * kMPa;
    strand.fu = 90 * kMPa;
    strand.eu = 0.5;
    CheckSteelType(strand, false);
    const double fu = strand.fu;
    EXPECT_LE(fu, 90 * kMPa);
    EXPECT_NEAR(strand.fy, 0.9 * fu, kStressTol);
    EXPECT_NEAR(strand.eu, std::max(0.5, 0.9 * fu / (100 * kMPa)), 1e-12);
    const double eu = strand.eu;
    for (int i = 0; i < 3; ++i)
        CheckSteelType(strand, false);
    EXPECT_EQ(strand.eu, eu);
    EXPECT_EQ(strand.fu, fu);

    // A strand of no strength has no yield to raise its strain at peak.
    strand.fu = 0.0;
    for (int i = 0; i < 3; ++i)
        CheckSteelType(strand, false);
    EXPECT_EQ(strand.fy, 0.0);
    EXPECT_EQ(strand.eu, eu);
}

TEST(SteelCheck, UserCurveDerivesItsProperties)
{
    const SteelTypeRec rec = MakeCurveSteel({{0, 0}, {0.002, 400 * kMPa}, {0.05, 400 * kMPa}});
    EXPECT_NEAR(rec.Es, 2e11, 1.0);
    EXPECT_NEAR(rec.fy, 400 * kMPa, kStressTol); // the offset line crosses at 0.004
    EXPECT_NEAR(rec.fu, 400 * kMPa, kStressTol);
    EXPECT_EQ(rec.eu, 0.05);
    EXPECT_NEAR(rec.esh, 0.002, 1e-12); // 1.001 fy is never reached: fy / Es
    EXPECT_EQ(rec.er, 0.05);
    // Compression mirrors tension; beyond the last point the steel ruptures.
    EXPECT_NEAR(SteelStress(rec, -0.001, 0.0), -200 * kMPa, kStressTol);
    EXPECT_TRUE(Ruptured(SteelStress(rec, 0.06, 0.0)));

    SteelTypeRec bare; // without a curve: the default curve of the default yield
    bare.kind = SteelKind::UserCurve;
    CheckSteelType(bare, false);
    ASSERT_TRUE(bare.userCurve);
    EXPECT_NEAR(bare.fy, MaterialDefaults.fy, kStressTol);
}

// A curve that ends before the 0.2 % offset line reaches it has no proof stress: the line
// meets only the closing drop to zero (the rupture), and the bar keeps its strength fu.
TEST(SteelCheck, CurveEndingBeforeTheOffsetLineTakesItsStrength)
{
    // Elastic to 400 MPa at 2 mm/m, then rupture: the line Es (e - 0.002) is at 0 there and
    // would reach 400 MPa only at 4 mm/m.
    const SteelTypeRec brittle = MakeCurveSteel({{0, 0}, {0.002, 400 * kMPa}});
    EXPECT_NEAR(brittle.Es, 2e11, 1.0);
    EXPECT_NEAR(brittle.fu, 400 * kMPa, kStressTol);
    EXPECT_NEAR(brittle.fy, 400 * kMPa, kStressTol);
    // Glass-fibre bar, 700 MPa at 15.5 mm/m: E = 45.2 GPa, and the line is at
    // 45.2 GPa x 13.5 mm/m = 610 MPa where the bar ruptures.
    const SteelTypeRec frp = MakeCurveSteel({{0, 0}, {0.0155, 700 * kMPa}});
    EXPECT_NEAR(frp.Es, 700 * kMPa / 0.0155, 1e3);
    EXPECT_NEAR(frp.fy, 700 * kMPa, kStressTol);
    EXPECT_NEAR(frp.er, 0.0155, 1e-12);
    // Factored analysis caps the stress at fy before the factor: half the bar's strength
    // times phi_s, not the stress of the drop.
    const ResistanceFactors factored{0.65, 0.85, 0.9};
    EXPECT_NEAR(SteelStress(brittle, 0.001, 0.0, factored), 0.85 * 200 * kMPa, kStressTol);
    EXPECT_NEAR(SteelStress(frp, 0.015, 0.0, factored), 0.85 * 700 * kMPa * 0.015 / 0.0155,
                kStressTol);
}

// Unloading from a plastic offset e0 follows the line Es (e - e0) within the yield plateau.
TEST(SteelStress, ReinforcingBarByHand)
{
    const SteelTypeRec bar = MakeBar();
    const double K = (400 * kMPa - 600 * kMPa) / ((0.007 - 0.1) * (0.007 - 0.1));
    const struct {
        double e, e0, stress;
    } rows[] = {
        {0.0019, 0.0, 380 * kMPa},
        {-0.005, 0.0, -400 * kMPa},                    // yield plateau
        {-0.05, 0.0, -(600 * kMPa + K * 0.05 * 0.05)}, // strain hardening
        {0.1, 0.0, 600 * kMPa},
        {101.0, 0.0, 0.0},
        {0.004, 0.003, 200 * kMPa},   // on the line Es (e - e0)
        {0.0005, 0.003, -400 * kMPa}, // held at -fy
        {-0.002, -0.003, 200 * kMPa}, // compression offset, line above the plateau
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.e << " " << row.e0);
        EXPECT_NEAR(SteelStress(bar, row.e, row.e0), row.stress, kStressTol);
    }
    EXPECT_TRUE(Ruptured(SteelStress(bar, 0.15, 0.0))); // beyond er 0.1465
    EXPECT_TRUE(Ruptured(SteelStress(bar, -0.15, 0.0)));
}

TEST(SteelStress, StrandAtGivenStrains)
{
    const SteelTypeRec strand = MakeStrand();
    const struct {
        double e, stress;
    } rows[] = {{0.007, 1.381308e9}, {0.02, 1.752512e9}, {0.043, 1.86e9}, {-0.003, -5.999982e8}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.e);
        EXPECT_NEAR(SteelStress(strand, row.e, 0.0), row.stress, 1e-6 * std::fabs(row.stress));
    }
    EXPECT_TRUE(Ruptured(SteelStress(strand, -0.007, 0.0)));
    EXPECT_TRUE(Ruptured(SteelStress(strand, 0.05, 0.0)));
}

TEST(SteelStress, ResistanceFactorsScaleAndCapAtYield)
{
    ValueGuard<ResistanceFactors> factors(g_ResistanceFactors, {1.0, 0.85, 0.9});
    const SteelTypeRec bar = MakeBar();
    EXPECT_NEAR(SteelStress(bar, 0.001, 0.0), 0.85 * 200 * kMPa, kStressTol);
    EXPECT_NEAR(SteelStress(bar, 0.05, 0.0), 340 * kMPa, kStressTol); // 542 MPa capped at fy
    // The cap leaves the tangent alone: 0.85 x 2 (600 - 400) MPa x 0.05 / 0.093^2.
    EXPECT_NEAR(SteelTangentModulus(bar, 0.05, 0.0), 0.85 * 400 * kMPa * 0.05 / 0.008649, kAbsTol);
    // Rupture keeps the exact marker that callers compare against, whatever the factor.
    EXPECT_EQ(SteelStress(bar, 0.15, 0.0), kUndefined);

    const SteelTypeRec strand = MakeStrand();
    EXPECT_NEAR(SteelStress(strand, 0.007, 0.0), 0.9 * 1.381308e9, 1e-6 * 1.4e9);
    EXPECT_EQ(GetSteelMaterialFactor(strand), 0.9);
    SteelTypeRec edge = bar;
    edge.fy = 750 * kMPa;
    EXPECT_EQ(GetSteelMaterialFactor(edge), 0.85);
    edge.fy = 750 * kMPa + 1.0;
    EXPECT_EQ(GetSteelMaterialFactor(edge), 0.9);
}

TEST(SteelStress, StressAtCrack)
{
    const SteelTypeRec bar = MakeBar();
    // r 0.01, name T: m = 0.875 -> 1; limit 0.001 + 0.002 + (0.007 - 0.002) = 0.008.
    EXPECT_NEAR(SteelCrackStrainLimit(bar, 0.01, 0.001, 0.002, "T10"), 0.008, 1e-15);
    // r 0.005, name M: m = 2.8.
    EXPECT_NEAR(SteelCrackStrainLimit(bar, 0.005, 0.001, 0.002, "M10"), 0.0116, 1e-15);
    const double K = -200 * kMPa / (0.093 * 0.093);
    // No ratio known (0 or less): m = 2 whatever the name, limit 0.001 + 0.004 + 0.005.
    for (double r : {0.0, -1.0}) {
        SCOPED_TRACE(r);
        EXPECT_NEAR(SteelCrackStrainLimit(bar, r, 0.001, 0.002, "T10"), 0.010, 1e-15);
        EXPECT_NEAR(SteelStressAtCrack(bar, r, 0.001, 0.002, 0.0, "T10"),
                    600 * kMPa + K * 0.09 * 0.09,
                    kStressTol);
    }
    const struct {
        double a, b, stress;
    } rows[] = {
        {0.001, 0.002, 600 * kMPa + K * 0.092 * 0.092}, // hardened at 0.008
        {0.113, 0.002, 600 * kMPa + K * 0.02 * 0.02},   // 0.12 beyond eu, before er
        {0.193, 0.002, kUndefined},                     // 0.2 beyond er
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.a);
        EXPECT_NEAR(SteelStressAtCrack(bar, 0.01, row.a, row.b, 0.0, "T10"),
                    row.stress,
                    row.stress == kUndefined ? 1e20 : kStressTol);
    }
}

// Tangent against central differences of the stress, away from the kinks of each law.
void ExpectTangents(const SteelTypeRec& rec, std::initializer_list<double> strains, double e0 = 0.0)
{
    for (double e : strains) {
        SCOPED_TRACE(testing::Message() << "kind " << rec.kind << " e " << e << " e0 " << e0);
        const double up = SteelStress(rec, e + kStep, e0);
        const double down = SteelStress(rec, e - kStep, e0);
        const double difference = (up - down) / (2.0 * kStep);
        EXPECT_NEAR(SteelTangentModulus(rec, e, e0),
                    difference,
                    kRelTol * std::fabs(difference) + kAbsTol);
    }
}

TEST(SteelTangent, AllKindsAgainstDifferences)
{
    ExpectTangents(MakeBar(), {0.001, 0.004, -0.03, 0.09});
    ExpectTangents(MakeBar(), {0.004, -0.0015}, 0.003);
    ExpectTangents(MakeStrand(), {0.003, 0.01, 0.04, -0.003});
    ExpectTangents(
        MakeCurveSteel({{0, 0}, {0.002, 400 * kMPa}, {0.01, 400 * kMPa}, {0.05, 500 * kMPa}}),
        {0.001, -0.005, 0.02});
    EXPECT_EQ(SteelTangentModulus(MakeBar(), 0.15, 0.0), 0.0); // ruptured
    // Past eu the hardening slope stays positive: 2 (600 - 400) MPa x 0.02 / 0.093^2.
    for (double e : {0.12, -0.12})
        EXPECT_NEAR(SteelTangentModulus(MakeBar(), e, 0.0), 400 * kMPa * 0.02 / 0.008649, kAbsTol);
    // A strand whose fu lies below the curve at e_pu: stress held at fu, tangent of the curve.
    SteelTypeRec capped = MakeStrand();
    capped.fu = 1.7e9;
    CheckSteelType(capped, false);
    EXPECT_NEAR(SteelStress(capped, 0.02, 0.0), 1.7e9, kStressTol);
    const double curve = (SteelStress(MakeStrand(), 0.02 + kStep, 0.0) -
                          SteelStress(MakeStrand(), 0.02 - kStep, 0.0)) /
                         (2.0 * kStep);
    EXPECT_NEAR(SteelTangentModulus(capped, 0.02, 0.0), curve, kRelTol * curve);
}

TEST(SteelTangent, EmbeddedBarLaw)
{
    ValueGuard<int32_t> embedded(g_HsuEmbeddedSteel, 1);
    ValueGuard<std::array<HsuDataEntry, 3>> hsu(HsuDataTable, HsuDataTable);
    SetHsuData(1.0, 45.0, 0.01, 2 * kMPa, 0.0, 0, 0);
    const SteelTypeRec bar = MakeBar();
    // B = (2 / 400)^1.5 / 0.01, a = 1 - (2 - 1) / 1000 / 0.01 = 0.9.
    const double B = std::pow(2.0 / 400.0, 1.5) / 0.01;
    const double a = 0.9;
    const double en = 0.002 * (0.93 - 2.0 * B) * a;
    const double e = 0.004;
    const double expected =
        400 * kMPa * a * ((0.91 - 2 * B) + (0.02 + 0.25 * B) * 2e11 * e / (400 * kMPa));
    EXPECT_NEAR(SteelStress(bar, e, 0.0), expected, 1e3);
    EXPECT_NEAR(SteelStress(bar, 0.5 * en, 0.0), 2e11 * 0.5 * en, kStressTol);
    ExpectTangents(bar, {0.5 * en, -0.004, 0.05});
    // At 0.08 the law is bounded at fu = 600 MPa; the tangent stays (0.02 + 0.25B) Es a.
    EXPECT_NEAR(SteelStress(bar, 0.08, 0.0), 600 * kMPa, kStressTol);
    EXPECT_NEAR(SteelTangentModulus(bar, 0.08, 0.0), (0.02 + 0.25 * B) * 2e11 * a, kAbsTol);
}

} // namespace
