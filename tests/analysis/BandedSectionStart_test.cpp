// The initial state of a section whose concretes differ widely: a 300 x 600 mm beam of four
// 150 mm bands, the bottom one burnt soft (Ec 0.75 GPa, f'c 10.7 MPa at 14 mm/m) and three
// sound ones (f'c 28 MPa at 2 mm/m), each band with a concrete type of its own and
// the bottom band's type first, so that it is the main type. A tendon of 1400 mm^2 350 mm
// above the bottom (440 mm with two soft bands) carries a prestrain of 6 mm/m. The solve finds the section's equilibrium,
// which a fibre sum worked here confirms, whether the first estimate of the strain takes the
// sound modulus (the soft main type holding a quarter of the area) or the soft one (the two
// lower bands soft, so that the main type holds half), which puts it far beyond the sound
// concrete's peak.

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/InitialCaseMessage.h"
#include "analysis/PointSections.h"
#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "analysis/TPointAnalysis.h"
#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "model/materials/UserCurves.h"
#include "support/TestSupport.h"

namespace {

constexpr double kWidth = 0.3;
constexpr double kBand = 0.15;
constexpr int kBands = 4;
constexpr double kTendonArea = 1.4e-3;
constexpr double kTendonHeight = 0.35; // above the bottom
constexpr double kEs = 1.95e11;
constexpr double kPrestrain = 0.006;

using Curve = std::vector<std::pair<double, double>>; // (strain, stress), strain falling

// The sound concrete: f'c (2x - x^2), x = e / -0.002, to 4 mm/m, in steps of 0.2 mm/m; its
// modulus is that of the first step, 28 MPa x 0.19 / 0.2 mm/m.
constexpr double kSoundEc = 28e6 * 0.19 / 0.0002;
constexpr double kSoftEc = 0.75e9;

Curve SoundCurve()
{
    Curve c;
    for (int i = 0; i <= 20; ++i) {
        const double e = -0.0002 * i;
        const double x = e / -0.002;
        c.emplace_back(e, -28e6 * (2.0 * x - x * x));
    }
    return c;
}

// The burnt concrete: 0.75 GPa up to 6 mm/m, on to its peak of 10.7 MPa at 14 mm/m, down to
// 2 MPa at 39.8 mm/m.
Curve SoftCurve()
{
    return {{0.0, 0.0}, {-0.006, -4.5e6}, {-0.014, -10.7e6}, {-0.0398, -2e6}};
}

// The stress of a curve at a compressive strain, by straight lines between its points.
double CurveStress(const Curve& c, double e)
{
    for (std::size_t i = 1; i < c.size(); ++i) {
        if (e >= c[i].first) {
            const double t = (e - c[i - 1].first) / (c[i].first - c[i - 1].first);
            return c[i - 1].second + t * (c[i].second - c[i - 1].second);
        }
    }
    return 0.0;
}

ConcreteTypeRec BandConcrete(const Curve& points, double ft, int band)
{
    auto curve = std::make_unique<TDepthTable>("band concrete");
    for (const auto& [e, f] : points)
        curve->Add(e, f);
    curve->Sort(1);
    FinishUserCurve(*curve);
    ConcreteTypeRec c;
    InitConcreteTypeRec(c);
    c.name = "Band " + std::to_string(band + 1);
    c.ft = ft;
    c.ftAuto = 0;
    c.ecAuto = 0;
    c.userCurve.reset(std::move(curve));
    c.baseCurve = BaseCurveCode::UserDefined;
    PrepareConcreteType(c);
    return c;
}

// The beam, validated (depth 0 at the mid-height), with the tendon's area times the factor and
// the given number of lower bands soft (all of type 0), under a moment increment of -1 kN m.
std::unique_ptr<TBeam> BandedBeam(double areaFactor = 1.0, int softBands = 1)
{
    auto beam = std::make_unique<TBeam>();
    beam->ClearAll();
    for (int k = 0; k < kBands; ++k)
        beam->AddConcreteType(k == 0 ? BandConcrete(SoftCurve(), 0.2e6, k)
                                     : BandConcrete(SoundCurve(), 2.0e6, k));
    // Listed from the top band down, band k with type k (type 0 for the soft ones).
    for (int k = kBands - 1; k >= 0; --k)
        beam->AddRegion(kBand * (k + 1), kBand * k, kWidth, kWidth, k < softBands ? 0 : k, 1);
    SteelTypeRec tendon;
    tendon.name = "Tendon";
    tendon.kind = SteelKind::Reinforcing;
    tendon.Es = kEs;
    tendon.fy = 1.7e9;
    tendon.fu = 1.86e9;
    tendon.esh = 0.02;
    tendon.eu = 0.05;
    tendon.er = 0.06;
    CheckSteelType(tendon, false);
    beam->AddSteelType(tendon);
    LongLayerRec layer;
    // With two soft bands the tendon sits 10 mm below the centroid of the sound bands.
    layer.z = softBands == 1 ? kTendonHeight : 0.44;
    layer.num = 1;
    layer.A = layer.Ai = kTendonArea * areaFactor;
    layer.db = 0.03;
    layer.dep = kPrestrain;
    layer.name = "Tendon";
    beam->AddLongLayer(layer, 0);
    PointSections::SetLoads(*beam, 0.0, 0.0, 0.0, 0.0, -1000.0, 0.0);
    beam->Validate();
    return beam;
}

// The section's axial force and moment about depth 0 at the profile e0 + phi y, summed over
// 600 fibres of 1 mm and the tendon (elastic, less the concrete its duct displaces). Every
// fibre must be in compression or below cracking.
std::pair<double, double> FibreSum(const TBeam& beam, double e0, double phi, int softBands = 1)
{
    const Curve soft = SoftCurve(), sound = SoundCurve();
    const double bottom = beam.GetBottom();
    auto concrete = [&](double y) {
        const bool burnt = y - bottom < softBands * kBand;
        const double e = e0 + phi * y;
        if (e <= 0.0)
            return CurveStress(burnt ? soft : sound, e);
        // Uncracked tension, on the curve's initial slope.
        const double Ec = burnt ? kSoftEc : kSoundEc;
        EXPECT_LT(e * Ec, burnt ? 0.2e6 : 2.0e6) << "cracked at " << y - bottom;
        return Ec * e;
    };
    constexpr int kFibres = 600;
    const double h = kBands * kBand / kFibres;
    double N = 0.0, M = 0.0;
    for (int i = 0; i < kFibres; ++i) {
        const double y = bottom + (i + 0.5) * h;
        const double F = concrete(y) * kWidth * h;
        N += F;
        M += F * y;
    }
    const LongLayerRec& tendon = *beam.GetLongLayer(0, 0);
    const double F = (kEs * (e0 + phi * tendon.z + kPrestrain) - concrete(tendon.z)) * tendon.A;
    EXPECT_LT(kEs * (e0 + phi * tendon.z + kPrestrain), 1.7e9) << "the tendon stays elastic";
    return {N + F, M + F * tendon.z};
}

struct BandedSectionStart : ::testing::Test {
    RecordingReporter reporter;
};

TEST_F(BandedSectionStart, EquilibriumIsFoundFromEitherModulusEstimate)
{
    for (const int softBands : {1, 2}) {
        SCOPED_TRACE(softBands);
        const std::unique_ptr<TBeam> beam = BandedBeam(1.0, softBands);
        ASSERT_EQ(beam->GetMainConcreteType(), 0) << "the burnt band leads the list";
        ASSERT_NEAR(beam->GetConcreteType(0)->Ec, kSoftEc, 1e-6 * kSoftEc);
        ASSERT_NEAR(beam->GetConcreteType(3)->Ec, kSoundEc, 1e-6 * kSoundEc);

        // One modulus over the gross section: 0.006 x 1400 mm^2 x 195 GPa = 1638 kN over
        // 26.6 GPa x 0.18 m^2 is 0.34 mm/m of shortening where the soft main type holds a quarter
        // of the area; over 0.75 GPa x 0.18 m^2 it is 12.1 mm/m, six times the sound peak strain,
        // where it holds half.
        TFullSectionalResponse response(beam.get(), 1);
        SectionState guess;
        response.EstimateInitialStrains(guess, 0.0);
        const double modulus = softBands == 1 ? kSoundEc : kSoftEc;
        EXPECT_NEAR(guess.Results[StateResult::ReferenceStrain],
                    -kPrestrain * kTendonArea * kEs / (modulus * 0.18),
                    1e-6);

        const SectionState* initial = response.GetStage(0);
        ASSERT_NE(initial, nullptr) << "the initial case is solved";
        ASSERT_EQ(initial->Valid, 1);
        EXPECT_EQ(response.GetErrorCount(), 0);
        const double e0 = initial->Results[StateResult::ReferenceStrain];
        const double phi = initial->Results[StateResult::Curvature];
        const double bottom = beam->GetBottom(), top = beam->GetTop();
        // The tendon below the sound bands' centroid bows the section: both faces shortened, the
        // bottom more, and both well short of the sound peak strain.
        EXPECT_LT(e0 + phi * bottom, e0 + phi * top);
        EXPECT_LT(e0 + phi * top, 0.0);
        EXPECT_GT(e0 + phi * bottom, -0.001);

        // The fibre sum at the solved profile carries no force and no moment: the prestress
        // (1638 kN) is balanced to a part in a thousand.
        const double P = kPrestrain * kTendonArea * kEs;
        const auto [N, M] = FibreSum(*beam, e0, phi, softBands);
        EXPECT_NEAR(N, 0.0, 1e-3 * P);
        EXPECT_NEAR(M, 0.0, 1e-3 * P * kBand);
        EXPECT_NEAR(initial->Results[StateResult::AxialForce], 0.0, 1e-3 * P);
        EXPECT_NEAR(initial->Results[StateResult::Moment], 0.0, 1e-3 * P * kBand);

        // The response goes on from there to a peak under the moment.
        RunToFinish(response, 4000);
        ASSERT_NE(response.GetPeakState(), nullptr);
        EXPECT_GT(response.GetPeakState()->Results[StateResult::LoadFactor], 10.0);
    }
}

// One Load finds the same state, and so does the long-term state of the time-dependent set-up
// under the same sustained loads: whichever concrete the list names first, the section gets
// its long-term strains.
TEST_F(BandedSectionStart, OneLoadAndTheLongTermStateFindItToo)
{
    const std::unique_ptr<TBeam> beam = BandedBeam();
    const T1LoadAnalysis load(beam.get(), 0.0, 0.0, 0.0, 0.0);
    ASSERT_NE(load.GetPeakState(), nullptr);
    const TFullSectionalResponse response(beam.get(), 1);
    ASSERT_NE(response.GetStage(0), nullptr);
    const TLongTermAnalysis sustained(beam.get(), 0.0, 0.0, 0.0, 0.0);
    ASSERT_NE(sustained.GetPeakState(), nullptr);
    for (int k : {StateResult::ReferenceStrain, StateResult::Curvature}) {
        const double found = load.GetPeakState()->Results[static_cast<std::size_t>(k)];
        EXPECT_NEAR(found, response.GetStage(0)->Results[static_cast<std::size_t>(k)], 1e-6);
        EXPECT_NEAR(found, sustained.GetPeakState()->Results[static_cast<std::size_t>(k)], 1e-6);
    }
}

TEST_F(BandedSectionStart, PrestressBeyondWhatTheConcreteCarriesStillEndsWithTheMessage)
{
    // Ten times the tendon: at its 1.7 GPa yield it pulls 23.8 MN, five times what the four
    // bands carry at their peaks (0.045 m^2 x 10.7 MPa + 0.135 m^2 x 28 MPa = 4.26 MN).
    const std::unique_ptr<TBeam> beam = BandedBeam(10.0);
    ExpectInitialCaseMessage(TFullSectionalResponse(beam.get(), 1));
}

} // namespace
