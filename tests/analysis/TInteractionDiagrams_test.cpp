// Interaction diagrams of the 400 x 400 mm column (bars at both faces, so symmetric about
// mid-depth) and the 300 x 600 mm beam, checked against the hand strengths of the section:
// the squash load, the tensile strength of the bars alone, and the moment capacity that the
// full sectional response reaches without shear.

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "analysis/PointSections.h"
#include "analysis/RunToFinish.h"
#include "analysis/TInteractionDiagrams.h"
#include "foundation/Sentinel.h"
#include "support/TestSupport.h"

namespace {

using PS = PointSections;

constexpr int kMaxSteps = 20000;
constexpr const char* kFrozenText = "Attempt to write to frozen beam!";

std::vector<std::array<double, 3>> CapacityCurve(const T2DAnalysis& d)
{
    std::vector<std::array<double, 3>> out;
    std::array<double, 3> p{};
    for (int i = 0; d.GetPoint(0, i, p); ++i)
        out.push_back(p);
    return out;
}

// One M-N diagram of the column, run once for the cases that read it.
class ColumnMN : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        reporter = new RecordingReporter;
        column = PS::Column().release();
        diagram = new TMNInter(column);
        steps = RunToFinish(*diagram, kMaxSteps);
    }
    static void TearDownTestSuite()
    {
        delete diagram;
        delete column;
        delete reporter;
    }
    static RecordingReporter* reporter;
    static TBeam* column;
    static TMNInter* diagram;
    static int steps;
};
RecordingReporter* ColumnMN::reporter = nullptr;
TBeam* ColumnMN::column = nullptr;
TMNInter* ColumnMN::diagram = nullptr;
int ColumnMN::steps = 0;

} // namespace

// The outline closes on itself and mirrors about M = 0; the paths were written on the
// diagram's own copy without a refused write, and the user's section stays as it was.
TEST_F(ColumnMN, OutlineIsClosedAndSymmetric)
{
    ASSERT_EQ(diagram->IsRunning(), 0) << steps << " steps";
    EXPECT_EQ(reporter->Count(kFrozenText), 0);
    EXPECT_EQ(column->IsFrozen(), 0);
    const std::vector<std::array<double, 3>> curve = CapacityCurve(*diagram);
    ASSERT_EQ(curve.size(), 37u);
    EXPECT_EQ(curve.front(), curve.back());
    EXPECT_EQ(diagram->GetSubCount(), 36);

    double mMax = 0.0, nMin = 0.0, nMax = 0.0;
    for (const std::array<double, 3>& p : curve) {
        mMax = std::max(mMax, std::fabs(p[0]));
        nMin = std::min(nMin, p[2]);
        nMax = std::max(nMax, p[2]);
    }
    ASSERT_GT(mMax, 0.0);
    // Ray i and ray 18 - i (mod 36) leave the centre in mirrored directions.
    for (int i = 0; i < 36; ++i) {
        const int j = ((18 - i) % 36 + 36) % 36;
        EXPECT_NEAR(curve[i][0], -curve[j][0], 0.02 * mMax) << "rays " << i << ", " << j;
        EXPECT_NEAR(curve[i][2], curve[j][2], 0.02 * (nMax - nMin)) << "rays " << i << ", " << j;
    }
    // Ray 9 points straight at the tension end.
    double dN = 0.0, dM = 0.0;
    diagram->RayDirection(9, dN, dM);
    EXPECT_NEAR(dM, 0.0, 1e-9 * std::fabs(dN));
    EXPECT_GT(dN, 0.0);
}

// Pure tension is carried by the bars alone: between As fy and As fu. Pure compression lies
// near the squash load f'c (Ag - As) + As fy.
TEST_F(ColumnMN, AxialEndsMatchTheHandStrengths)
{
    const std::vector<std::array<double, 3>> curve = CapacityCurve(*diagram);
    ASSERT_FALSE(curve.empty());
    const SteelTypeRec& steel = *column->GetSteelType(0);
    const ConcreteTypeRec& concrete = *column->GetConcreteType(0);
    const double As = 2.0 * PS::kBarArea;
    const double Ag = 0.4 * 0.4;
    double nMin = 0.0, nMax = 0.0;
    for (const std::array<double, 3>& p : curve) {
        nMin = std::min(nMin, p[2]);
        nMax = std::max(nMax, p[2]);
    }
    EXPECT_GE(nMax, 0.99 * As * steel.fy);
    EXPECT_LE(nMax, 1.01 * As * steel.fu);
    const double squash = std::fabs(concrete.fc) * (Ag - As) + As * steel.fy;
    EXPECT_NEAR(-nMin, squash, 0.08 * squash);
}

// The curve interface: 37 points per curve, three curves of kinds 0, 6 and 5, and no reading
// past the last point.
TEST_F(ColumnMN, CurvesReadThroughTheCursor)
{
    double x = 0.0, y = 0.0;
    EXPECT_EQ(diagram->GetCurvePoint(21, x, y), 0) << "no curve begun";
    EXPECT_EQ(x, -1.0);
    EXPECT_EQ(diagram->BeginCurve(25), 3);
    std::vector<double> kinds;
    while (diagram->GetCurvePoint(25, x, y) != 0)
        kinds.push_back(x);
    EXPECT_EQ(kinds, (std::vector<double>{0.0, 6.0, 5.0}));
    ASSERT_EQ(diagram->BeginCurve(21), 37);
    int read = 0;
    while (diagram->GetCurvePoint(21, x, y) != 0)
        ++read;
    EXPECT_EQ(read, 37);
    EXPECT_EQ(diagram->GetCurvePoint(21, x, y), 0);
    EXPECT_EQ(diagram->BeginCurve(24), 0);
    EXPECT_EQ(diagram->GetCurvePoint(24, x, y), 0);
    EXPECT_EQ(x, kUndefined);
}

namespace {

std::unique_ptr<TBeam> MomentShearBeam()
{
    auto beam = PS::Beam(false, true);
    PS::SetLoads(*beam, 0, 0, 0, 0, -1000.0, 0);
    return beam;
}

} // namespace

// The M-V diagram's point without shear is the moment capacity of the full response; the
// line count is that of the lines made, so every point lies on the curve.
TEST(MVInteraction, ZeroShearPointIsThePeakMoment)
{
    RecordingReporter reporter;
    auto beam = MomentShearBeam();
    TFullSectionalResponse response(beam.get());
    RunToFinish(response, kMaxSteps);
    ASSERT_NE(response.GetPeakState(), nullptr);
    const double peak = std::fabs(response.GetPeakState()->Results[StateResult::Moment]);

    TMVInter diagram(beam.get());
    EXPECT_EQ(diagram.GetCurveKind(2), 4) << "stirrups";
    RunToFinish(diagram, kMaxSteps);
    ASSERT_EQ(diagram.IsRunning(), 0);
    EXPECT_EQ(reporter.Count(kFrozenText), 0);
    EXPECT_LE(diagram.GetSubCount(), T2DAnalysis::kMaxSubAnalyses);
    EXPECT_EQ(diagram.GetPointCount(), diagram.GetSubCount());
    const std::vector<std::array<double, 3>> curve = CapacityCurve(diagram);
    ASSERT_GT(curve.size(), 4u);
    // The bottom bars resist the sagging moment, which is negative.
    double mSagging = 0.0;
    for (const std::array<double, 3>& p : curve)
        mSagging = std::min(mSagging, p[0]);
    EXPECT_NEAR(-mSagging, peak, 0.04 * peak);
}
