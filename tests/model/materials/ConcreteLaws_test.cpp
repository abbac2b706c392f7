#include "model/materials/ConcreteLaws.h"

#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include "model/materials/UserCurves.h"
#include "support/TestSupport.h"

namespace {

constexpr double kMPa = 1e6;
constexpr double kStressTol = 1.0;   // Pa
constexpr double kRatioTol = 1e-7;   // on dimensionless factors
constexpr double kStrainTol = 1e-10; // on strains

ConcreteTypeRec MakeConcrete(int base, int softening, int tension, double ec = 0.0)
{
    ConcreteTypeRec rec;
    InitConcreteTypeRec(rec);
    CheckConcreteType(rec, true);
    rec.baseCurve = static_cast<int16_t>(base);
    rec.softening = static_cast<int16_t>(softening);
    rec.tensionStiffening = static_cast<int16_t>(tension);
    if (base == BaseCurveCode::UserDefined) {
        rec.userCurve.reset(std::make_unique<TDepthTable>("Segmental Concrete"));
        MakeDefaultConcreteCurve(*rec.userCurve, 35 * kMPa);
    }
    if (ec != 0.0) {
        rec.ec = ec;
        rec.ecAuto = 0;
    }
    PrepareConcreteType(rec);
    return rec;
}

double Stress(const ConcreteTypeRec& rec, const PrincipalStrains& e, double* fp = nullptr)
{
    double peak = 0.0;
    const double s = ConcreteStress(rec, e, 1, peak, rec.ft, 500.0);
    if (fp)
        *fp = peak;
    return s;
}

TEST(ConcreteAutoProperties, DefaultConcreteByHand)
{
    ConcreteTypeRec rec = MakeConcrete(2, 18, 7);
    EXPECT_NEAR(rec.ft, 1.89 * kMPa, kStressTol); // min(1.4 x 1.35, 0.15 x 35)
    EXPECT_NEAR(rec.n, 0.8 + 35.0 / 17.0, kRatioTol);
    EXPECT_NEAR(rec.k, 0.67 + 35.0 / 62.0, kRatioTol);
    const double Ec = (3320.0 * std::sqrt(35.0) + 6900.0) * kMPa;
    EXPECT_NEAR(AutoPeakStrain(rec), -35 * kMPa / Ec * rec.n / (rec.n - 1.0), kStrainTol);
    EXPECT_NEAR(rec.Kc, 0.1825 * std::sqrt(35.0), kRatioTol);
    EXPECT_NEAR(rec.ecr, rec.ft / (rec.Ec + 1.0), kStrainTol);
}

TEST(ConcreteAutoProperties, TensileStrengthAndAggregateTables)
{
    ConcreteTypeRec rec;
    rec.fc = -80 * kMPa;
    EXPECT_NEAR(AutoTensileStrength(rec), 2.52 * kMPa, kStressTol);
    rec.fc = -10 * kMPa;
    EXPECT_NEAR(AutoTensileStrength(rec), 1.5 * kMPa, kStressTol); // 0.15 F governs
    rec.fc = -35 * kMPa;
    rec.tensionStiffening = TensionStiffeningCode::Tamai1987;
    rec.softening = SofteningCode::Hsu1993;
    EXPECT_NEAR(AutoTensileStrength(rec), 0.31 * std::sqrt(35.0) * kMPa, kStressTol);

    const struct {
        double fcMPa, aggregate, expected;
    } rows[] = {{65, 0.019, 0.0095}, {75, 0.019, 0.0}, {30, 0.04, 0.025}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fcMPa);
        EXPECT_NEAR(EffectiveAggregateSize(-row.fcMPa * kMPa, row.aggregate), row.expected, 1e-12);
    }
}

TEST(ConcreteCheck, RepairsNameAndStrength)
{
    ConcreteTypeRec rec;
    InitConcreteTypeRec(rec);
    rec.name = "nineteen characters";  // as long as the name field holds: kept
    rec.fc = std::nan("");
    CheckConcreteType(rec, false);
    EXPECT_EQ(rec.name, "nineteen characters");
    rec.name = "a name of twenty chr";
    CheckConcreteType(rec, false);
    EXPECT_EQ(rec.name, "Concrete 1");
    EXPECT_EQ(rec.fc, -35 * kMPa);
    rec.fc = -50000.0;
    CheckConcreteType(rec, false);
    EXPECT_EQ(rec.fc, -100000.0);
    PrepareConcreteType(rec);
    EXPECT_EQ(rec.fc, -5 * kMPa); // the preparation raises weak concrete to 5 MPa
}

TEST(ConcretePrepare, StuartOliverModelIsUnsupportedAndReplaced)
{
    RecordingReporter reporter;
    ConcreteTypeRec rec = MakeConcrete(2, 5, 7);
    EXPECT_EQ(rec.Kc, 1.0); // code 5 keeps Kc at 1
    rec.tensionStiffening = TensionStiffeningCode::StuartOliver;
    rec.tsFactor = 1.5;
    EXPECT_EQ(PrepareConcreteType(rec), 7);
    EXPECT_EQ(rec.tsFactor, 1.0);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Stuart Oliver Model Unsupported");
    EXPECT_EQ(reporter.messages[0].caption, "Load Error");
}

TEST(ConcretePrepare, UserCurveGivesPeakAndWithoutCurveFallsBackToPopovics)
{
    ConcreteTypeRec rec = MakeConcrete(4, 0, 7);
    EXPECT_NEAR(rec.fc, -35 * kMPa, kStressTol);
    EXPECT_NEAR(rec.ec, -0.002, kStrainTol);
    // The parabola at -0.001 carries 0.75 f'c.
    EXPECT_NEAR(Stress(rec, {-0.001, 0, 0}), -26.25 * kMPa, kStressTol);

    ConcreteTypeRec bare = MakeConcrete(2, 0, 7);
    bare.baseCurve = BaseCurveCode::UserDefined;
    PrepareConcreteType(bare);
    EXPECT_EQ(bare.baseCurve, BaseCurveCode::Popovics);
}

TEST(ConcreteStress, BaseCurvesBeforeAndBeyondPeak)
{
    const double fc = -35 * kMPa;
    const double n = 0.8 + 35.0 / 17.0;
    const double k = 0.67 + 35.0 / 62.0;
    const struct {
        int base;
        double x, S; // stress / f'c at e = x e'c
    } rows[] = {
        {0, 0.5, 0.5},
        {0, 1.5, 0.0},
        {1, 1.0, 1.0}, // every base curve peaks at e'c
        {1, 2.5, 0.0}, // 2x - x^2 would turn into tension
        {2, 0.5, n * 0.5 / (n - 1.0 + std::pow(0.5, n))},
        {2, 1.5, n * 1.5 / (n - 1.0 + std::pow(1.5, n * k))},
        {3, 1.5, 1.0},
        {4, 1.5, 0.75},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "base " << row.base << " x " << row.x);
        const ConcreteTypeRec rec = MakeConcrete(row.base, 0, 7, -0.002);
        EXPECT_NEAR(Stress(rec, {row.x * -0.002, 0, 0}), row.S * fc, kStressTol);
    }
}

TEST(ConcreteStress, SofteningFactorAtLateralStrainByCode)
{
    // e'c = -0.002, e[d] = -0.001, e1 = 0.002: r = 1, q = 2, eta = 0.5, F = 35 but for the
    // default law (code 18) at 80 MPa, where a = max(170, 3 F) = 240 governs: 1 / 1.28
    // (with 170 it would be 1 / 1.14).
    ValueGuard<std::array<HsuDataEntry, 3>> hsu(HsuDataTable, HsuDataTable);
    HsuDataTable[0].eta = 0.5;
    const struct {
        int code;
        double F, beta;
    } rows[] = {{0, 35, 1.0},
                {1, 35, 0.719424460},
                {9, 35, 0.670820393},
                {14, 35, 0.558156306},
                {18, 35, 0.877192982},
                {18, 80, 1.0 / 1.28}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "code " << row.code << " F " << row.F);
        ConcreteTypeRec rec = MakeConcrete(2, row.code, 7, -0.002);
        rec.fc = -row.F * kMPa;
        PrepareConcreteType(rec);
        double fp = 0.0;
        Stress(rec, {-0.001, 0.002, -0.0001}, &fp);
        EXPECT_NEAR(fp / rec.fc, row.beta, 1e-6);
    }
}

// A compressive lateral strain counts as none: the softening sees e1 floored at 0.
TEST(ConcreteStress, CompressiveLateralStrainDoesNotSoften)
{
    for (int code : {1, 18}) {
        SCOPED_TRACE(code);
        const ConcreteTypeRec rec = MakeConcrete(2, code, 7, -0.002);
        double fpSqueezed = 0.0;
        double fpFree = 0.0;
        EXPECT_EQ(Stress(rec, {-0.0015, -0.001, -0.002}, &fpSqueezed),
                  Stress(rec, {-0.0015, 0.0, -0.002}, &fpFree));
        EXPECT_EQ(fpSqueezed, fpFree);
        EXPECT_TRUE(std::isfinite(
            ConcreteTangentModulus(rec, {-0.0015, -0.001, -0.002}, 1, 1, 1, rec.ft, 500)));
    }
}

TEST(ConcreteStress, StrainSofteningCodesHoldThePeakAndScaleBeyond)
{
    // Code 4 at q = 2: beta = 1 / (1 + 0.46 Kc).
    const ConcreteTypeRec rec = MakeConcrete(2, 4, 7, -0.002);
    const double beta = 1.0 / (1.0 + 0.23 * rec.Kc * 2.0);
    // Between beta e'c and e'c the stress stays at beta f'c (e1 = 2 |e[d]| keeps q = 2).
    const double ed = -0.5 * (beta + 1.0) * 0.002;
    EXPECT_NEAR(Stress(rec, {ed, 2 * -ed, 0}), beta * rec.fc, kStressTol);
    // Beyond e'c: beta times the unsoftened curve, with the record's n.
    const double x = 1.5;
    const double m = rec.n * (0.67 + 35.0 / 62.0);
    const double S = rec.n * x / (rec.n - 1.0 + std::pow(x, m));
    EXPECT_NEAR(Stress(rec, {-0.003, 0.006, 0}), beta * S * rec.fc, kStressTol);
}

TEST(ConcreteStress, CrackingAndTensionStiffening)
{
    const double e = 0.002; // c e = 1 with c = 500
    for (int code : {0, 3, 4, 6, 7}) {
        SCOPED_TRACE(code);
        ConcreteTypeRec rec = MakeConcrete(2, 18, code);
        rec.tsFactor = 0.8;
        const double ft = rec.ft;
        const double ecr = rec.ecr;
        EXPECT_NEAR(Stress(rec, {0.9 * ecr, 0, 0}), rec.Ec * 0.9 * ecr, kStressTol);
        const double expected[] = {0.0,
                                   ft / 2.0,
                                   ft / 2.0,
                                   ft * std::pow(2.0 * ecr / e, 0.4),
                                   ft * std::pow(ecr / e, 0.4),
                                   0.0,
                                   ft,
                                   ft / 2.0};
        EXPECT_NEAR(Stress(rec, {e, 0, 0}), 0.8 * expected[code], kStressTol);
        if (code == TensionStiffeningCode::Izumo) {
            EXPECT_NEAR(Stress(rec, {1.5 * ecr, 0, 0}), 0.8 * ft, kStressTol);
        }
    }
    // A local tensile strength above f't moves the cracking strain to f / Ec.
    const ConcreteTypeRec rec = MakeConcrete(2, 18, 7);
    double fp = 0.0;
    const double f = 2.0 * rec.ft;
    EXPECT_NEAR(ConcreteStress(rec, {1.9 * rec.ecr, 0, 0}, 1, fp, f, 500),
                1.9 * rec.ecr * rec.Ec,
                kStressTol);
}

TEST(ConcreteStress, OutOfRangeInputsAnswerZeroAndAnUnknownTensionCodeIsReported)
{
    RecordingReporter reporter;
    ConcreteTypeRec rec = MakeConcrete(2, 18, 7);
    double fp = 0.0;
    EXPECT_EQ(ConcreteStress(rec, {0.5, 1.2, 0}, 1, fp, rec.ft, 500), 0.0);
    EXPECT_EQ(ConcreteStress(rec, {-0.001, 0, 0}, 4, fp, rec.ft, 500), 0.0);
    EXPECT_EQ(ConcreteStress(rec, {-0.001, 0, 0}, 0, fp, rec.ft, 500), 0.0);
    EXPECT_TRUE(reporter.messages.empty());

    rec.tensionStiffening = 9;
    EXPECT_EQ(Stress(rec, {0.002, 0, 0}), 0.0);
    EXPECT_EQ(ConcreteTangentModulus(rec, {0.002, 0, 0}, 1, 0, 0, rec.ft, 500), 0.0);
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0].text, "Undefined Concrete Tension stiffening type");
    EXPECT_EQ(reporter.messages[1].text, "Error in Tension Stiffening Definition");
    EXPECT_EQ(reporter.messages[1].caption, "Materials Error");
}

TEST(ConcreteStress, ResistanceFactorScalesStressPeakAndTangent)
{
    const ConcreteTypeRec rec = MakeConcrete(2, 18, 7);
    {
        const PrincipalStrains e = {-0.0015, 0.002, 0};
        double fp1 = 0.0;
        const double s1 = Stress(rec, e, &fp1);
        const double t1 = ConcreteTangentModulus(rec, e, 1, 1, 0, rec.ft, 500);
        ValueGuard<ResistanceFactors> factors(g_ResistanceFactors, {0.65, 0.85, 0.9});
        double fp2 = 0.0;
        EXPECT_NEAR(Stress(rec, e, &fp2), 0.65 * s1, kStressTol);
        EXPECT_NEAR(fp2, 0.65 * fp1, kStressTol);
        EXPECT_NEAR(ConcreteTangentModulus(rec, e, 1, 1, 0, rec.ft, 500),
                    0.65 * t1,
                    1e-6 * std::fabs(t1));
    }
    ValueGuard<ResistanceFactors> factors(g_ResistanceFactors, {0.65, 0.85, 0.9});
    EXPECT_NEAR(TensionDecayStress(0.0001, 2 * kMPa), 2 * kMPa / 26.0 * 0.65, kStressTol);
    EXPECT_NEAR(TensionDecayStress(-0.001, 2 * kMPa), 2 * kMPa * 0.65, kStressTol);
}

// --- tangent moduli against central differences of the stresses -----------------------------

constexpr double kStep = 1e-8;   // strain step of the central differences
constexpr double kRelTol = 1e-4; // relative to the modulus
constexpr double kAbsTol = 1e4;  // Pa per unit strain, far below any modulus here
constexpr double kPeakStrain = -0.002;

ConcreteTypeRec MakeTangentConcrete(int base, int softening, int tension)
{
    ConcreteTypeRec rec = MakeConcrete(base, softening, tension, kPeakStrain);
    rec.tsFactor = 0.8;
    return rec;
}

// Central difference of the stress along e[d], the lateral strains held.
double Difference(const ConcreteTypeRec& rec, const PrincipalStrains& e)
{
    return (Stress(rec, {e[0] + kStep, e[1], e[2]}) - Stress(rec, {e[0] - kStep, e[1], e[2]})) /
           (2.0 * kStep);
}

void ExpectModulus(double tangent, double difference)
{
    EXPECT_NEAR(tangent, difference, kRelTol * std::fabs(difference) + kAbsTol);
}

// Every softening code on both sides of the peak: the lateral term T(rates 1, 0) - T(0, 0) =
// (stress / fp) d fp / d e1 follows the difference of the softened peak stress, and is 0 for
// the codes whose tangent leaves it out (1, 3, 4, 8, 11). Along e[d] the tangent is the
// difference of the stress, except for the codes whose factor moves with e[d] itself (1, 3, 4,
// 11): their tangent holds the factor. e1 = 0.0015 keeps every factor off its bounds.
TEST(ConcreteTangent, SoftenedCompressionAgainstDifferences)
{
    ValueGuard<std::array<HsuDataEntry, 3>> hsu(HsuDataTable, HsuDataTable);
    HsuDataTable[0].eta = 0.5;
    for (int code = 0; code <= 18; ++code) {
        const ConcreteTypeRec rec = MakeTangentConcrete(2, code, 7);
        const bool leftOut = code == 1 || code == 3 || code == 4 || code == 8 || code == 11;
        for (double x : {0.7, 1.3, 2.3}) {
            SCOPED_TRACE(testing::Message() << "code " << code << " x " << x);
            const PrincipalStrains e = {x * kPeakStrain, 0.0015, -0.0002};
            const double plain = ConcreteTangentModulus(rec, e, 1, 0.0, 0.0, rec.ft, 500.0);
            if (!leftOut || code == 8)
                ExpectModulus(plain, Difference(rec, e));
            double fp = 0.0, fpUp = 0.0, fpDown = 0.0;
            const double s = Stress(rec, e, &fp);
            Stress(rec, {e[0], e[1] + kStep, e[2]}, &fpUp);
            Stress(rec, {e[0], e[1] - kStep, e[2]}, &fpDown);
            const double withRate = ConcreteTangentModulus(rec, e, 1, 1.0, 0.0, rec.ft, 500.0);
            const double lateral = leftOut ? 0.0 : s / fp * (fpUp - fpDown) / (2.0 * kStep);
            ExpectModulus(withRate - plain, lateral);
        }
    }
}

// Softened peaks below 5.1 MPa, where the Popovics factor 0.8 + |fp| / 17 MPa falls below its
// bound 1.1: the tangent is the slope of the curve with the bound, on both sides of the peak.
TEST(ConcreteTangent, PopovicsAtItsBoundAgainstDifferences)
{
    const struct {
        double fcMPa, e1;
    } rows[] = {{5.0, 0.0}, {20.0, 0.02}, {35.0, 0.04}};
    for (const auto& row : rows) {
        ConcreteTypeRec rec = MakeTangentConcrete(2, 18, 7);
        rec.fc = -row.fcMPa * kMPa;
        PrepareConcreteType(rec);
        for (double x : {0.7, 1.3, 2.3}) {
            SCOPED_TRACE(testing::Message() << row.fcMPa << " MPa, e1 " << row.e1 << ", x " << x);
            const PrincipalStrains e = {x * kPeakStrain, row.e1, 0.0};
            double fp = 0.0;
            Stress(rec, e, &fp);
            ASSERT_LT(std::fabs(fp), 5.1 * kMPa);
            ExpectModulus(ConcreteTangentModulus(rec, e, 1, 0.0, 0.0, rec.ft, 500.0),
                          Difference(rec, e));
        }
    }
}

// Every tension-stiffening law before cracking, between ecr and 2 ecr (where Izumo holds
// f't), and well beyond.
TEST(ConcreteTangent, TensionStiffeningAgainstDifferences)
{
    for (int code : {0, 1, 2, 3, 4, 6, 7}) {
        const ConcreteTypeRec rec = MakeTangentConcrete(2, 18, code);
        for (double ratio : {0.5, 1.7, 3.0, 30.0}) {
            SCOPED_TRACE(testing::Message() << "code " << code << " ratio " << ratio);
            const PrincipalStrains e = {ratio * rec.ecr, 0.0, 0.0};
            ExpectModulus(ConcreteTangentModulus(rec, e, 1, 0.0, 0.0, rec.ft, 500.0),
                          Difference(rec, e));
        }
    }
}

} // namespace
