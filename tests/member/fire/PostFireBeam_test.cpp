// The post-fire materials and names, without a fire run: a section at 20 degrees keeps its
// materials.

#include "member/fire/PostFireBeam.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "FireTestSupport.h"
#include "foundation/StrFormat.h"
#include "member/fire/FireLaws.h"
#include "member/fire/TFireAnalysis.h"
#include "model/ValueLimits.h"
#include "model/materials/MaterialTypes.h"
#include "model/materials/SteelLaws.h"
#include "model/materials/UserCurves.h"
#include "support/TestSupport.h"

namespace {

using firetest::FireBeam;
using firetest::TestSlots;

TEST(PostFireBeam, SectionAtTwentyDegreesKeepsItsMaterialsWhateverTheFactors)
{
    RecordingReporter reporter;
    // No face exposed: the started model holds the whole section at 20 degrees.
    const FireData fire{0, kISO834Fire, 0, 600.0, 1000.0};
    const auto beam = FireBeam(0.3, 0.6, fire, 3, true);
    TFireAnalysis_2Ds model(beam->GetHeight(), 0, kISO834Fire, 1000.0);
    model.Start(600.0);
    // Factored laws must not leak into the material curves, which the analysis factors.
    ValueGuard<ResistanceFactors> factors(g_ResistanceFactors, {0.65, 0.85, 0.9});

    const SteelTypeRec& bars = *beam->GetSteelType(0);
    const SteelTypeRec layer = MakeFireLayerSteel(*beam, model, 0, 0);
    int index = -1;
    EXPECT_NEAR(layer.userCurve->MaxValue(index), bars.fu, 1e-6 * bars.fu);
    EXPECT_NEAR(layer.fy, bars.fy, 0.01 * bars.fy);
    const SteelTypeRec stirrup = MakeFireStirrupSteel(*beam, model, 0, 0);
    EXPECT_DOUBLE_EQ(stirrup.fy, bars.fy);
    EXPECT_DOUBLE_EQ(stirrup.Es, bars.Es);
    EXPECT_EQ(stirrup.name, "Stirrup: 1");

    // The band curve samples the source curve every 0.2 mm/m: its peak within 1 %.
    const ConcreteTypeRec& source = *beam->GetConcreteType(0);
    const ConcreteTypeRec band = MakeFireLayerConcrete(*beam, model, 4, 0.0);
    EXPECT_EQ(band.name, "Lay: 5");
    EXPECT_NEAR(band.fc, source.fc, 0.01 * std::fabs(source.fc));
    EXPECT_NEAR(band.ft, source.ft, 1e-9 * source.ft);

    for (double strain : ComputeFireStrainProfile(*beam, model))
        EXPECT_EQ(strain, 0.0);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(PostFireBeam, StirrupOfAUserCurveSteelKeepsItsStrength)
{
    RecordingReporter reporter;
    const FireData fire{0, kISO834Fire, 0, 600.0, 1000.0};
    auto beam = FireBeam(0.3, 0.6, fire, 0, true);
    // A 500 MPa elastic-plastic user curve (the default curve would be 400 MPa).
    SteelTypeRec user;
    InitSteelTypeRec(user);
    user.kind = SteelKind::UserCurve;
    user.userCurve.reset(std::make_unique<TDepthTable>("user"));
    MakeDefaultSteelCurve(*user.userCurve, 5e8);
    CheckSteelType(user, false);
    beam->AddSteelType(user);
    beam->GetTransLayer(0, 2)->type = beam->GetSteelTypeCount() - 1;
    TFireAnalysis_2Ds model(beam->GetHeight(), 0, kISO834Fire, 1000.0);
    model.Start(600.0);

    const SteelTypeRec stirrup = MakeFireStirrupSteel(*beam, model, 0, 0);
    EXPECT_EQ(stirrup.kind, SteelKind::UserCurve);
    EXPECT_NEAR(stirrup.fy, 5e8, 1e6);
    EXPECT_NEAR(SteelStress(stirrup, 0.01, 0.0), 5e8, 1e6);
}

// A fire model with a temperature of 20 + rise at the bottom and a gradient across the width.
class GivenFire final : public TFireAnalysis_Base {
public:
    GivenFire(double rise, double perMetre)
        : TFireAnalysis_Base(0.6, 0, kISO834Fire, 1000.0), m_rise(rise), m_perMetre(perMetre)
    {
    }
    double GetTemperature(double, double z) const override
    {
        return 20.0 + m_rise + m_perMetre * z;
    }
    int Step() override { return 1; }
    void InitGrid() override {}

private:
    double m_rise, m_perMetre;
};

// Across the 300 mm width the fifteen strips sit at z = 10 (s + 1/2) mm from the centre line, at
// 205 + 10 s degrees: each keeps 1.2 - 0.0021 T of f't, so the band keeps their mean, at the
// mean temperature of 275 degrees, 1.2 - 0.0021 x 275 of it.
TEST(PostFireBeam, BandTensileStrengthIsTheMeanOverTheStrips)
{
    RecordingReporter reporter;
    const FireData fire{0, kISO834Fire, 0, 600.0, 1000.0};
    const auto beam = FireBeam(0.3, 0.6, fire);
    const GivenFire model(180.0, 1000.0);
    const double ft = beam->GetConcreteType(0)->ft;
    const ConcreteTypeRec band = MakeFireLayerConcrete(*beam, model, 0, 0.0);
    EXPECT_NEAR(band.ft, (1.2 - 0.0021 * 275.0) * ft, 1e-9 * ft);
}

// A strand at a uniform 550 degrees keeps k_fy = 1.899 - 0.00257 T of its strength and
// k_E = 2.05 - 0.0029 T of its stiffness. Its curve is the strand law with E k_E, f_pu k_fy,
// A and C times k_E and B times k_E / k_fy, whose knee B' e = 1 moves to the reduced strain
// at yield k_fy / (k_E B).
TEST(PostFireBeam, StrandKeepsTheStrandLawOfItsReducedValues)
{
    RecordingReporter reporter;
    const FireData fire{0, kISO834Fire, 0, 600.0, 1000.0};
    auto beam = FireBeam(0.3, 0.6, fire);
    SteelTypeRec strand;
    InitSteelTypeRec(strand);
    strand.kind = SteelKind::Prestressing;
    CheckSteelType(strand, true);
    beam->AddSteelType(strand);
    LongLayerRec layer = fixtures::Layer(0.1, 2, 0.0127);
    layer.type = beam->GetSteelTypeCount() - 1;
    beam->AddLongLayer(layer, 0);
    beam->Validate();
    const GivenFire model(530.0, 0.0);
    const double T = 550.0, kfy = 1.899 - 0.00257 * T, kE = 2.05 - 0.0029 * T;
    const SteelTypeRec& s = *beam->GetSteelType(layer.type);
    const double A = s.A * kE, B = s.B * kE / kfy, C = s.C * kE;
    auto hand = [&](double e) {
        const double D = std::pow(1.0 + std::pow(B * e, C), 1.0 / C);
        return std::min(kfy * s.fu, kE * s.Es * e * (A + (1.0 - A) / D));
    };
    const SteelTypeRec fired = MakeFireLayerSteel(*beam, model, 0, 0);
    const double knee = std::round(1e4 / B) * 1e-4;
    for (double e : {0.002, knee, 0.02, 0.05}) {
        SCOPED_TRACE(e);
        EXPECT_NEAR(SteelStress(fired, e, 0.0), hand(e), 1e-6 * kfy * s.fu);
    }
}

// Bars without hardening (fu = fy, no strain at fu given) rupture at their yield strain: the
// check puts the rupture at fy / Es + 1.5e-6 = 2.0015 mm/m. At 450 degrees they keep
// k_fy = 1.899 - 0.00257 x 450 = 0.7425 of fy and k_E = 1.1 - 0.001 x 450 = 0.65 of E: 297 MPa,
// yielding at 2.28 mm/m and rupturing at 2.0015 / 0.65 = 3.08 mm/m, before the 0.2 % offset
// line reaches 297 MPa (at 4.28 mm/m). Cold bars keep the 400 MPa curve, which ends at yield.
// A fire on the post-fire beam starts from the reduced bars' strength.
TEST(PostFireBeam, BarsRupturingSoonAfterYieldKeepTheirReducedStrength)
{
    RecordingReporter reporter;
    const FireData fire{kExposeBottom, kISO834Fire, kMildSteel, 5400.0, 1000.0};
    auto beam = FireBeam(0.3, 0.6, fire, 3);
    SteelTypeRec bars;
    InitSteelTypeRec(bars);
    bars.fy = bars.fu = 400e6;
    bars.Es = 2e11;
    bars.esh = bars.eu = 0.0;
    CheckSteelType(bars, false);
    ASSERT_NEAR(bars.er, 0.0020015, 1e-9);
    beam->AddSteelType(bars);
    beam->GetLongLayer(0, 0)->type = beam->GetSteelTypeCount() - 1;
    const GivenFire hot(430.0, 0.0);
    const GivenFire cold(0.0, 0.0);

    const SteelTypeRec heated = MakeFireLayerSteel(*beam, hot, 0, kMildSteel);
    const double reduced = (1.899 - 0.00257 * 450.0) * 400e6;
    EXPECT_NEAR(heated.fy, reduced, 1e3);
    EXPECT_NEAR(SteelStress(heated, 0.0025, 0.0), reduced, 1e3);
    EXPECT_NEAR(MakeFireLayerSteel(*beam, cold, 0, kMildSteel).fy, 400e6, 1e3);

    TestSlots slots(4);
    const auto post = BuildPostFireBeam(*beam, hot, 25, fire, slots);
    const SteelTypeRec again = MakeFireLayerSteel(*post, cold, 0, kMildSteel);
    EXPECT_NEAR(SteelStress(again, 0.01, 0.0), reduced, 1e3);
    EXPECT_NEAR(again.fy, reduced, 1e3);
}

// A stirrup at a uniform temperature T keeps k_fy of its strength and k_E of its stiffness, its
// strains stretched by 1 / k_E (the laws' factors at T typed in by hand below). Where the
// stretch runs away (a burnt-out bar: k_E near 0, held at 0.001) its rupture strain stops at
// 0.999 of the 10 (10000 mm/m) a section holds, a strand's at 0.999 of the 2 its check keeps,
// the other strains in proportion. Whatever the temperature, the post-fire beam (bars burnt
// out too) is one a document holds.
TEST(PostFireBeam, StirrupStrainsStayWithinWhatASectionHolds)
{
    RecordingReporter reporter;
    struct Case {
        int fireType;
        int kind;
        double T;
        double kfy, kE; // the laws at T
        double heldEr;  // the bounded rupture strain, 0 where 1 / k_E stretches it
    };
    const double barHeld = 0.999 * 10.0, strandHeld = 0.999 * 2.0;
    const int bars = SteelKind::Reinforcing, strand = SteelKind::Prestressing;
    const Case cases[] = {
        {kMildSteel, bars, 600.0, 1.899 - 0.00257 * 600, 1.39 - 0.0018 * 600, 0.0},
        {kMildSteel, bars, 1190.0, 0.24 - 0.0002 * 1190, 0.27 - 0.000225 * 1190, barHeld},
        {kMildSteel, bars, 1250.0, 0.001, 0.001, barHeld},
        {kGFRP, bars, 350.0, 1.333 - 0.00333 * 350, 2.0 - 0.005 * 350, 0.0},
        {kGFRP, bars, 800.0, 0.001, 0.001, barHeld},
        {kCFRP, bars, 399.0, 1.0 - 0.0025 * 399, 2.0 - 0.005 * 399, barHeld},
        {kAFRP, bars, 450.0, 1.267 - 0.00267 * 450, 1.625 - 0.00325 * 450, 0.0},
        {kMildSteel, strand, 600.0, 1.899 - 0.00257 * 600, 1.39 - 0.0018 * 600, 0.0},
        {kMildSteel, strand, 1150.0, 0.24 - 0.0002 * 1150, 0.27 - 0.000225 * 1150, strandHeld},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(StrPrintf("fire type %d, kind %d, %g degrees", c.fireType, c.kind, c.T));
        const FireData fire{kExposeBottom, kConstantFire, c.fireType, 3600.0, c.T};
        auto beam = FireBeam(0.3, 0.6, fire, 2, true);
        if (c.kind == SteelKind::Prestressing) {
            SteelTypeRec s;
            InitSteelTypeRec(s);
            s.kind = SteelKind::Prestressing;
            CheckSteelType(s, true);
            beam->AddSteelType(s);
            beam->GetTransLayer(0, 2)->type = beam->GetSteelTypeCount() - 1;
            beam->Validate();
        }
        const SteelTypeRec& cold = *beam->GetSteelType(beam->GetTransLayer(0, 2)->type);
        const GivenFire model(c.T - 20.0, 0.0);
        const SteelTypeRec hot = MakeFireStirrupSteel(*beam, model, 0, c.fireType);
        const double stretch = c.heldEr > 0.0 ? c.heldEr / cold.er : 1.0 / c.kE;
        EXPECT_NEAR(hot.Es, c.kE * cold.Es, 1e-9 * cold.Es);
        EXPECT_NEAR(hot.eu, stretch * cold.eu, 1e-9 * stretch * cold.eu);
        EXPECT_NEAR(hot.er, stretch * cold.er, 1e-9 * stretch * cold.er);
        if (c.kind == SteelKind::Reinforcing) {
            EXPECT_NEAR(hot.fy, c.kfy * cold.fy, 1e-9 * cold.fy);
            EXPECT_NEAR(hot.fu, c.kfy * cold.fu, 1e-9 * cold.fu);
            EXPECT_NEAR(hot.esh, stretch * cold.esh, 1e-9 * stretch * cold.esh);
        }
        TestSlots slots(2);
        const auto post = BuildPostFireBeam(*beam, model, 25, fire, slots);
        EXPECT_EQ(UnheldValueText(*post), "");
    }
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(PostFireBeam, NamesAreKeptApartAndFitTheNameField)
{
    TestSlots slots(4);
    for (const char* taken : {"Z Beam - After Fire", "Z Beam - After Fire Next"}) {
        auto beam = std::make_unique<TBeam>();
        beam->SetName(taken);
        slots.Put(taken[19] == '\0' ? 0 : 1, std::move(beam));
    }
    EXPECT_EQ(PostFireBeamName("Beam", slots), "Z Beam - After Fire Next Next");
    EXPECT_EQ(PostFireBeamName("Column", slots), "Z Column - After Fire");

    // A long name is shortened so that the suffix stays whole within 99 characters.
    const std::string longName(99, 'x');
    const std::string name = PostFireBeamName(longName, slots);
    EXPECT_EQ(name.size(), kBeamNameChars);
    EXPECT_EQ(name.substr(name.size() - 13), " - After Fire");
}

// A layer holds at most kMaxBarsPerPattern bars (the pages' limit). A layer of more (as an older file may give) is
// taken at that many bar positions spread across it: its law is that of the fullest layer at
// the same temperature (within the few bars placed differently), and making it takes as long.
TEST(PostFireBeam, ALayerOfMoreBarsThanALayerHoldsTakesTheLawOfTheFullestLayer)
{
    RecordingReporter reporter;
    const FireData fire{0, kISO834Fire, 0, 600.0, 1000.0};
    auto beam = FireBeam(0.3, 0.6, fire, 2);
    const GivenFire model(400.0, 1000.0);
    std::vector<double> laws[2];
    for (const int bars : {kMaxBarsPerPattern, INT_MAX}) {
        beam->GetLongLayer(0, 0)->num = bars;
        const SteelTypeRec steel = MakeFireLayerSteel(*beam, model, 0, 0);
        ASSERT_TRUE(steel.userCurve);
        for (double e : {0.001, 0.002, 0.005, 0.02})
            laws[bars == INT_MAX].push_back(SteelStress(steel, e, 0.0));
    }
    ASSERT_EQ(laws[0].size(), laws[1].size());
    for (std::size_t k = 0; k < laws[0].size(); ++k)
        EXPECT_NEAR(laws[1][k], laws[0][k], 1e-4 * std::fabs(laws[0][k])) << k;
}

} // namespace
