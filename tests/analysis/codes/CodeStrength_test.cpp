// Design-code strengths of a simple beam against hand calculations of the general method
// along the same load path.

#include "analysis/codes/CodeStrength.h"

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "analysis/codes/CodeTables.h"
#include "analysis/codes/CodeTestBeam.h"
#include "model/materials/MaterialTypes.h"
#include "support/TestSupport.h"

namespace {

using namespace codetest;

// The e_x iteration stops within 1e-6 of its fixed point; table look-ups are exact.
constexpr double kIterationTolerance = 0.003;
constexpr double kExactTolerance = 1e-6;

struct CodeStrengthTest : ::testing::Test {
    RecordingReporter reporter;
    TBeam beam;

    CodeStrengthRecord Record(const BeamSpec& spec, int variant)
    {
        MakeBeam(beam, spec);
        CodeStrengthRecord rec;
        BuildCodeStrengthRecord(beam, variant, rec);
        return rec;
    }
};

// ---- Hand calculations --------------------------------------------------------------------

// A point of the AASHTO curve at one table column: V = V_c (no stirrups) and the smaller of
// the moment that strains mid-depth to e_x and the one that yields the bars. M is positive.
struct HandPoint {
    double V;
    double M;
};

HandPoint AashtoColumn(double barArea, double beta, double theta, double ex, double thetaMax)
{
    const double V = beta / std::sqrt(145.0) * RootFc() * kWidth * kDv;
    const double me = kDv * (ex * kEs * barArea / 1000.0 - 0.5 * V * Cot(theta));
    const double mt = kDv * (barArea * kFy - V * Cot(thetaMax));
    return {V, std::min(me, mt)};
}

// The CSA general method solved by bisection on e_x for a load path M = r V from zero, no
// resistance factors: V(e_x) = V_c + V_s, e_x = (max(M, V d_v)/d_v + V) / (2 E_s A_s).
struct CsaHand {
    double V;
    double ex;
};

CsaHand CsaByBisection(double r, double rhoFy, double sxe, double barArea)
{
    auto shear = [&](double e) {
        const double beta = 0.4 / (1.0 + 1500.0 * e) * 1300.0 / (1000.0 + 1000.0 * sxe);
        return beta * RootFc() * kWidth * kDv + rhoFy * kWidth * kDv * Cot(29.0 + 7000.0 * e);
    };
    auto residual = [&](double e) {
        const double v = shear(e);
        return e - (std::max(r * v, v * kDv) / kDv + v) / (2.0 * kEs * barArea);
    };
    double lo = 0.0;
    double hi = 0.008;
    for (int i = 0; i < 100; ++i) {
        const double mid = (lo + hi) / 2.0;
        (residual(mid) < 0.0 ? lo : hi) = mid;
    }
    return {shear(lo), lo};
}

// ---- The record ---------------------------------------------------------------------------

TEST_F(CodeStrengthTest, RecordOfTheBeamHoldsItsHandParametersOnEitherFace)
{
    for (const bool mirrored : {false, true}) {
        SCOPED_TRACE(mirrored ? "bars on top, hogging" : "bars at the bottom, sagging");
        BeamSpec spec;
        spec.barsOnTop = mirrored;
        spec.loads[1] = mirrored ? 1.0 : -1.0;
        spec.loads[2] = -1.0; // a negative shear increment counts by its size
        const CodeStrengthRecord rec = Record(spec, kAashto94);
        EXPECT_DOUBLE_EQ(g_CodeLoadPath.momentSign, mirrored ? -1.0 : 1.0);
        EXPECT_DOUBLE_EQ(rec.Vi, 1.0);
        EXPECT_NEAR(rec.fc, kFc, 1.0);
        EXPECT_NEAR(rec.dv, kDv, kExactTolerance);
        EXPECT_NEAR(rec.bv, kWidth, kExactTolerance);
        EXPECT_NEAR(rec.sxe, kDv, kExactTolerance) << "widest bar gap beyond d_v: s_x = d_v";
        EXPECT_DOUBLE_EQ(rec.As, 0.002);
        EXPECT_DOUBLE_EQ(rec.sumEA, kEs * 0.002);
        EXPECT_DOUBLE_EQ(rec.Tcap, kFy * 0.002);
        EXPECT_NEAR(rec.Acc, kWidth * kHeight / 2.0, 1e-9);
        EXPECT_EQ(rec.belowMinimum, 1);
        EXPECT_EQ(g_CodeTables.rowKind, kRowsCrackSpacing) << "no stirrups: spacing tables";
    }

    // A purely axial load path gets a unit moment increment, which sets its side.
    BeamSpec axial;
    axial.loads[0] = -1000.0;
    const CodeStrengthRecord rec = Record(axial, kCsa2014);
    EXPECT_DOUBLE_EQ(rec.Mi, 1.0);
    EXPECT_DOUBLE_EQ(g_CodeLoadPath.axialRatio, 0.0);
    EXPECT_DOUBLE_EQ(g_CodeLoadPath.momentSign, -1.0);

    // Tendons carry their locked-in stress and the shear of their drape.
    BeamSpec tendon = Path(1.0);
    tendon.prestrain = 0.001; // elastic: f_po = E_s x 0.001 = 200 MPa
    tendon.drape = 0.1;
    const CodeStrengthRecord prestressed = Record(tendon, kCsa2014);
    EXPECT_DOUBLE_EQ(prestressed.As, 0.0);
    EXPECT_DOUBLE_EQ(prestressed.Aps, 0.002);
    EXPECT_NEAR(prestressed.fpo, kEs * 0.001, 1.0);
    EXPECT_DOUBLE_EQ(prestressed.fpy, kFy);
    EXPECT_DOUBLE_EQ(prestressed.Tcap, kFy * 0.002);
    EXPECT_NEAR(prestressed.Vp, kEs * 0.001 * 0.002 * 0.1 / std::sqrt(1.01), 1e-3);
    EXPECT_DOUBLE_EQ(prestressed.ApsFpoComp, 0.0) << "no tendon on the compression side";
}

// ---- AASHTO -------------------------------------------------------------------------------

TEST_F(CodeStrengthTest, AashtoStrengthIsWhereTheLoadLineMeetsTheTableCurve)
{
    // AASHTO-94 without stirrups, row s_xe = 0.38 m: columns e_x = 0.5 and 0.75 (per mille).
    const HandPoint p4 = AashtoColumn(0.002, 2.59, 40.0, 0.5, 50.0);
    const HandPoint p5 = AashtoColumn(0.002, 2.23, 43.0, 0.75, 50.0);
    ASSERT_GT(p5.M / p5.V, kDv) << "the e_x = 0.75 point lies beyond the d_v section";

    // A load line through the e_x = 0.75 column point fails there.
    MakeBeam(beam, Path(p5.M / p5.V));
    EXPECT_NEAR(CodeShearStrength(beam, kAashto94), p5.V, p5.V * kExactTolerance);

    // A short shear span is governed by the section d_v from the support: the curve segment
    // between the two column points at M = V d_v.
    MakeBeam(beam, Path(0.1));
    const double t = (p4.M - kDv * p4.V) / ((p4.M - p5.M) - kDv * (p4.V - p5.V));
    const double vAtDv = p4.V + t * (p5.V - p4.V);
    ASSERT_GT(t, 0.0);
    ASSERT_LT(t, 1.0);
    EXPECT_NEAR(CodeShearStrength(beam, kAashto94), vAtDv, vAtDv * kExactTolerance);
}

TEST_F(CodeStrengthTest, AashtoStirrupsBelowTheMinimumInterpolateBetweenNoneAndTheMinimum)
{
    auto strength = [&](double stirrupFy, int variant) {
        MakeBeam(beam, Path(1.0, stirrupFy));
        return CodeShearStrength(beam, variant);
    };
    for (const int variant : {kAashto94, kAashto2000}) {
        SCOPED_TRACE(variant);
        const double none = strength(0.0, variant);
        const double minimum = strength(AashtoMinimum(), variant);
        ASSERT_GT(minimum, none * 1.1) << "minimum stirrups must add strength";
        EXPECT_NEAR(strength(0.5 * AashtoMinimum(), variant),
                    0.5 * (none + minimum),
                    minimum * kExactTolerance);
    }
}

// Heavy stirrups put every column of the curve on the crushing cap 0.25 f'c b_v d_v, to
// which the tendon's drape adds its V_p: the strength is that sum along any load line.
TEST_F(CodeStrengthTest, AashtoCrushingCapCarriesThePrestressShear)
{
    BeamSpec spec = Path(0.2, 20e6);
    spec.barArea = 0.004;
    spec.prestrain = 0.001; // f_po = 200 MPa
    spec.drape = 0.2;
    MakeBeam(beam, spec);
    const double vp = kEs * 0.001 * 0.004 * 0.2 / std::sqrt(1.04);
    const double cap = 0.25 * kFc * kWidth * kDv + vp;
    for (const int variant : {kAashto94, kAashto2000})
        EXPECT_NEAR(CodeShearStrength(beam, variant), cap, cap * kExactTolerance) << variant;
}

// ---- CSA ----------------------------------------------------------------------------------

TEST_F(CodeStrengthTest, CsaShearStrengthMatchesTheGeneralMethodSolvedByHand)
{
    struct Row {
        const char* name;
        double stirrupFy;
        double ratio;
        double sxe;
    };
    const Row rows[] = {
        {"no stirrups: s_xe = d_v", 0.0, 1.0, kDv},
        {"stirrups above the minimum: s_xe = 300 mm", 0.5e6, 0.6, 0.3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CodeStrengthRecord rec = Record(Path(row.ratio, row.stirrupFy), kCsa2014);
        const double lambda = SolveCsaGeneralMethod(rec);
        const CsaHand hand = CsaByBisection(row.ratio, row.stirrupFy, row.sxe, 0.002);
        EXPECT_NEAR(lambda, hand.V, hand.V * kIterationTolerance);
        EXPECT_NEAR(rec.ex, hand.ex, hand.ex * kIterationTolerance);
        EXPECT_NEAR(rec.Vf, lambda, 1e-9);
        EXPECT_NEAR(rec.Mf, -row.ratio * lambda, 1e-6);
        EXPECT_NEAR(rec.Vc + rec.Vs, rec.Vf, 1e-6) << "the shares add up to the strength";
        EXPECT_EQ(rec.compressionLimit, 0);
    }
}

// The flexural limits: the bars at yield, or the compression side at 0.85 f'c, each with its
// resistance factor. Light bars under moment and shear (M = V x 1 m) yield before the concrete
// fails in shear: A_s f_y = M / d_v + V cot(theta_y), theta_y = 29 + 7000 e_y / 2 degrees at the
// yield strain e_y = f_y / E_s, which is reported.
TEST_F(CodeStrengthTest, CsaFlexuralLimitsCarryTheResistanceFactors)
{
    ValueGuard<ResistanceFactors> factors(g_ResistanceFactors, ResistanceFactors{0.65, 0.85, 0.9});
    struct Row {
        const char* name;
        double barArea;
        double shear;
        double moment; // hand M_r
        int compression;
    };
    const double cotYield = Cot(29.0 + 3500.0 * kFy / kEs);
    const Row rows[] = {
        {"bars yield: phi_s A_s f_y d_v", 0.002, 0.0, 0.85 * 0.002 * kFy * kDv, 0},
        {"heavy bars: compression side at 0.85 phi_c f'c A_cc",
         0.02,
         0.0,
         0.85 * 0.65 * kFc * (kWidth * kHeight / 2.0) * kDv,
         1},
        {"light bars under shear", 0.0005, 1.0, 0.85 * 0.0005 * kFy / (1.0 / kDv + cotYield), 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BeamSpec spec = Path(1.0);
        spec.barArea = row.barArea;
        spec.loads[2] = row.shear;
        CodeStrengthRecord rec = Record(spec, kCsa2014);
        SolveCsaGeneralMethod(rec);
        EXPECT_NEAR(rec.Mf, -row.moment, row.moment * 1e-5);
        EXPECT_EQ(rec.compressionLimit, row.compression);
        EXPECT_NEAR(rec.ex, kFy / kEs, 1e-6) << "a flexural limit reports the yield strain";
    }
}

} // namespace
