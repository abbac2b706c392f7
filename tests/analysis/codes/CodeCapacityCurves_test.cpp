// Design-code capacity curves fed to a recording chart, against hand values of the simple
// beam (moments in kNm to x, shears in kN to y, SI display units).

#include "analysis/codes/CodeCapacityCurves.h"

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "analysis/codes/CodeStrength.h"
#include "analysis/codes/CodeTestBeam.h"
#include "support/RecordingChart.h"
#include "support/TestSupport.h"

namespace {

using namespace codetest;
using Pair = RecordingChart::Pair;

constexpr int kLine = 3;
// Display values are kN and kNm; table points are exact, CSA points iterated.
constexpr double kExact = 1e-6;
constexpr double kIterated = 0.003;

struct CodeCurveTest : ::testing::Test {
    RecordingReporter reporter;
    TBeam beam;
    RecordingChart chart;

    void Aashto(const BeamSpec& spec, int variant, double stateM = kUndefined, double stateV = 0)
    {
        MakeBeam(beam, spec);
        BuildCodeCapacityCurve(chart, &beam, 1010 + variant, kLine, variant, stateM, stateV);
    }
};

// Curve points of the e_x = 0.5 and 0.75 columns (AASHTO-94, no stirrups, s_xe = 380 mm), and
// the hand strength of the section there, as in the strength tests (kN, kNm).
Pair HandColumn(double beta, double theta, double ex)
{
    const double V = beta / std::sqrt(145.0) * RootFc() * kWidth * kDv;
    const double me = kDv * (ex * kEs * 0.002 / 1000.0 - 0.5 * V * Cot(theta));
    return {me / 1000.0, V / 1000.0};
}

bool HasPoint(const std::vector<Pair>& run, const Pair& p, double tolerance)
{
    return std::any_of(run.begin(), run.end(), [&](const Pair& q) {
        return std::fabs(q.first - p.first) <= tolerance * std::fabs(p.first) + 1e-9 &&
               std::fabs(q.second - p.second) <= tolerance * std::fabs(p.second) + 1e-9;
    });
}

TEST_F(CodeCurveTest, AashtoCurveMarksTheFailureAndStateThenRunsFromShearToMoment)
{
    const Pair p4 = HandColumn(2.59, 40.0, 0.5);
    const Pair p5 = HandColumn(2.23, 43.0, 0.75);
    // The load line through the e_x = 0.75 point.
    Aashto(Path(p5.first / p5.second), kAashto94, -50e3, 60e3);

    ASSERT_GE(chart.pairs.size(), 4u);
    EXPECT_EQ(chart.pairs[0], Pair(kChartSeparator, kChartMarkers));
    EXPECT_NEAR(chart.pairs[1].first, p5.first, p5.first * kExact) << "failure point";
    EXPECT_NEAR(chart.pairs[1].second, p5.second, p5.second * kExact);
    EXPECT_NEAR(chart.pairs[2].first, 50.0, kExact) << "state point, sign turned for display";
    EXPECT_NEAR(chart.pairs[2].second, 60.0, kExact);
    EXPECT_EQ(chart.pairs[3], Pair(kChartSeparator, kLine));

    const std::vector<Pair> curve = chart.Run(2);
    ASSERT_FALSE(curve.empty());
    EXPECT_EQ(curve.front().first, 0.0) << "starts at pure shear";
    EXPECT_TRUE(HasPoint(curve, p4, kExact));
    EXPECT_TRUE(HasPoint(curve, p5, kExact));
    // Without stirrups the curve closes at the yield moment of the bars, T d_v, at no shear.
    EXPECT_NEAR(curve.back().first, 0.002 * kFy * kDv / 1000.0, kExact);
    EXPECT_EQ(curve.back().second, 0.0);
    for (std::size_t i = 1; i < curve.size(); ++i) {
        EXPECT_GE(curve[i].first, curve[i - 1].first) << "moment grows along the curve";
        EXPECT_LE(curve[i].second, curve[i - 1].second) << "shear falls along the curve";
    }
}

TEST_F(CodeCurveTest, SectionWithoutStrengthIsMarkedAtTheOriginAndNoSectionDrawsNothing)
{
    // A constant shear beyond anything the section carries: no load factor.
    BeamSpec spec = Path(1.0);
    spec.constants[2] = 2e6;
    Aashto(spec, kAashto94);
    ASSERT_GE(chart.pairs.size(), 3u);
    EXPECT_EQ(chart.pairs[1], Pair(0.0, 0.0));
    EXPECT_TRUE(IsChartSeparator(chart.pairs[2].first)) << "no state point without a state";
    EXPECT_FALSE(chart.Run(2).empty()) << "the curve is drawn all the same";

    RecordingChart none;
    BuildCodeCapacityCurve(none, nullptr, 1010, kLine, kAashto94, kUndefined, 0.0);
    BuildCodeShearCurve(none, nullptr, 1012, kLine, kCsa2014, kUndefined, 0.0);
    EXPECT_TRUE(none.pairs.empty());
}

TEST_F(CodeCurveTest, HoggingSectionDrawsTheMirrorImageOfTheSaggingOne)
{
    auto curve = [&](bool barsOnTop, int variant) {
        BeamSpec spec = Path(barsOnTop ? -1.0 : 1.0, 0.6e6);
        spec.barsOnTop = barsOnTop;
        // A constant shear lowers the AASHTO-2000 cap below the curve, which then turns a
        // corner at the d_v section.
        spec.constants[2] = 50e3;
        chart.pairs.clear();
        MakeBeam(beam, spec);
        if (variant == kCsa2014)
            BuildCodeShearCurve(chart, &beam, 1012, kLine, variant, kUndefined, 0.0);
        else
            BuildCodeCapacityCurve(chart, &beam, 1010 + variant, kLine, variant, kUndefined, 0.0);
        return chart;
    };
    for (const int variant : {kAashto94, kAashto2000, kCsa2014}) {
        SCOPED_TRACE(variant);
        const RecordingChart saggingChart = curve(false, variant);
        const std::vector<Pair>& sagging = saggingChart.pairs;
        const std::vector<Pair> hogging = curve(true, variant).pairs;
        ASSERT_EQ(sagging.size(), hogging.size());
        for (std::size_t i = 0; i < sagging.size(); ++i) {
            if (IsChartSeparator(sagging[i].first)) {
                EXPECT_EQ(sagging[i], hogging[i]);
                continue;
            }
            EXPECT_NEAR(sagging[i].first,
                        -hogging[i].first,
                        1e-9 + 1e-9 * std::fabs(sagging[i].first));
            EXPECT_NEAR(sagging[i].second, hogging[i].second, 1e-9 + 1e-9 * sagging[i].second);
        }
        if (variant == kAashto2000) {
            const std::vector<Pair> run = saggingChart.Run(2);
            EXPECT_TRUE(std::any_of(run.begin(), run.end(), [](const Pair& p) {
                return p.second > 0.0 && std::fabs(p.first / p.second - kDv) < kExact;
            })) << "the corner at M = V d_v";
        }
    }
}

TEST_F(CodeCurveTest, Aashto2000CurveIsCappedAtTheShearOfTheDvSection)
{
    MakeBeam(beam, Path(kDv, 0.6e6)); // the load line of the d_v section itself
    const double vDv = CodeShearStrength(beam, kAashto2000) / 1000.0;
    BuildCodeCapacityCurve(chart, &beam, 1011, kLine, kAashto2000, kUndefined, 0.0);
    const std::vector<Pair> curve = chart.Run(2);
    ASSERT_FALSE(curve.empty());
    for (const Pair& p : curve)
        EXPECT_LE(p.second, vDv * (1.0 + kExact));
    EXPECT_NEAR(curve.front().second, vDv, vDv * kExact) << "pure shear at the cap";

    // AASHTO-94 has no cap: its curve rises above that shear.
    chart.pairs.clear();
    BuildCodeCapacityCurve(chart, &beam, 1010, kLine, kAashto94, kUndefined, 0.0);
    const std::vector<Pair> uncapped = chart.Run(2);
    EXPECT_GT(std::max_element(uncapped.begin(),
                               uncapped.end(),
                               [](auto& a, auto& b) { return a.second < b.second; })
                  ->second,
              CodeShearStrength(beam, kAashto94) / 1000.0 * 1.01);
}

TEST_F(CodeCurveTest, CsaCurveRunsFromPureMomentOverTheRatioFanToPureShear)
{
    // The load path of the section: axial compression with the shear, at the 10th ratio of
    // the fan, so that the curve passes through its failure point with the axial load held.
    const double ratio = 50.0 * kHeight / std::pow(1.15, 10);
    BeamSpec spec = Path(ratio);
    spec.loads[0] = -0.5;
    MakeBeam(beam, spec);
    BuildCodeShearCurve(chart, &beam, 1012, kLine, kCsa2014, kUndefined, 0.0);
    const std::vector<Pair> markers = chart.Run(1);
    const std::vector<Pair> curve = chart.Run(2);
    ASSERT_EQ(markers.size(), 1u);
    ASSERT_EQ(curve.size(), 52u);

    const Pair& failure = markers[0];
    EXPECT_NEAR(curve[10].first, failure.first, failure.first * kIterated);
    EXPECT_NEAR(curve[10].second, failure.second, failure.second * kIterated);
    for (int k = 1; k <= 50; ++k) {
        const double r = 50.0 * kHeight / std::pow(1.15, k);
        EXPECT_NEAR(curve[k].first / curve[k].second, r, r * 1e-9) << k;
    }
    EXPECT_LT(curve.front().second, 1e-3) << "pure moment: no shear";
    EXPECT_EQ(curve.back().first, 0.0) << "pure shear: no moment";
}

} // namespace
