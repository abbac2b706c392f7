// Interaction diagrams of the 400 x 400 mm column (bars at both faces, so symmetric about
// mid-depth) and the 300 x 600 mm beam, checked against the hand strengths of the section:
// the squash load, the tensile strength of the bars alone, and the moment capacity that the
// full sectional response reaches without shear.

#include <algorithm>
#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include "analysis/PointSections.h"
#include "analysis/RunToFinish.h"
#include "analysis/SameStages.h"
#include "analysis/TInteractionDiagrams.h"
#include "analysis/TPointAnalysis.h"
#include "foundation/Sentinel.h"
#include "foundation/Units.h"
#include "foundation/WorkerPool.h"
#include "support/TestSupport.h"

namespace {

using PS = PointSections;

constexpr int kMaxSteps = 20000;

std::vector<std::array<double, 3>> CapacityCurve(const T2DAnalysis& d)
{
    std::vector<std::array<double, 3>> out;
    std::array<double, 3> p{};
    for (int i = 0; d.GetPoint(0, i, p); ++i)
        out.push_back(p);
    return out;
}

// The beam under a moment increment, which a test may replace.
struct MVInteraction : ::testing::Test {
    RecordingReporter reporter;
    std::unique_ptr<TBeam> beam = PS::MomentBeam();
};
using MNInteraction = MVInteraction;

} // namespace

// One M-N diagram of the column. The outline closes on itself and mirrors about M = 0; the
// paths were written on the diagram's own copy without a refused write, and the user's section
// stays as it was.
TEST(ColumnMN, OutlineIsClosedAndSymmetricAndReadsAsCurvesAndTriangles)
{
    RecordingReporter reporter;
    const std::unique_ptr<TBeam> column = PS::Column();
    const auto diagram = std::make_unique<TMNInter>(column.get());
    const int steps = RunToFinish(*diagram, kMaxSteps);
    ASSERT_EQ(diagram->IsRunning(), 0) << steps << " steps";
    EXPECT_EQ(reporter.Count(kFrozenText), 0);
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

    // The curve interface: 37 points per curve, three curves of kinds 0, 6 and 5, and no
    // reading past the last point.
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

    // The triangle mesh over the rays: the count-only call sizes the arrays, the outline
    // closes (ray 35 pairs with ray 0), and every vertex is a state's (M, N) in display units.
    int count = 0, found = 0;
    std::vector<double> xs, ys, value;
    std::vector<int> index;
    diagram->FindDiagramPoint(1, count, found, xs, ys, index, value, 1);
    ASSERT_GT(count, 36 * 6);
    EXPECT_EQ(count % 3, 0);
    EXPECT_TRUE(xs.empty());
    const int sized = count;
    diagram->FindDiagramPoint(0, count, found, xs, ys, index, value, 1);
    EXPECT_EQ(count, sized);
    ASSERT_EQ(xs.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(index.back(), count - 1);
    const double fm = UnitFactor(ukMoment), fn = UnitFactor(ukForce);
    const SectionState* first = diagram->GetSubAnalysis(0)->GetStage(0);
    EXPECT_DOUBLE_EQ(xs[0], first->Results[StateResult::Moment] * fm);
    EXPECT_DOUBLE_EQ(ys[0], first->Results[StateResult::AxialForce] * fn);
}

// The M-V diagram's point without shear is the moment capacity of the full response; every
// point of the curve comes from a line that was made. Without stirrups the third curve is
// that of kind 2, with them of kind 4. The shear lines step together on the worker threads:
// one worker and four give bit-identical lines and points.
TEST_F(MVInteraction, ZeroShearPointIsThePeakMomentWhateverTheWorkers)
{
    TFullSectionalResponse response(beam.get());
    RunToFinish(response, kMaxSteps);
    ASSERT_NE(response.GetPeakState(), nullptr);
    const double peak = std::fabs(response.GetPeakState()->Results[StateResult::Moment]);

    auto run = [&](int workers) {
        const ScopedWorkerCount count(workers);
        auto diagram = std::make_unique<TMVInter>(beam.get());
        EXPECT_EQ(diagram->GetCurveKind(2), 2);
        RunToFinish(*diagram, kMaxSteps);
        return diagram;
    };
    const std::unique_ptr<TMVInter> serial = run(1);
    const std::unique_ptr<TMVInter> parallel = run(4);
    const TMVInter& diagram = *serial;
    ASSERT_EQ(diagram.IsRunning(), 0);
    EXPECT_EQ(reporter.Count(kFrozenText), 0);
    EXPECT_EQ(diagram.GetPointCount(), diagram.GetSubCount());
    const std::vector<std::array<double, 3>> curve = CapacityCurve(diagram);
    ASSERT_GT(curve.size(), 4u);
    // The bottom bars resist the sagging moment, which is negative; the line from the peak
    // of that base response ends the curve.
    double mSagging = 0.0;
    for (const std::array<double, 3>& p : curve) {
        mSagging = std::min(mSagging, p[0]);
        EXPECT_GE(p[1], -1000.0) << "shear raised in the positive sense";
    }
    EXPECT_NEAR(-mSagging, peak, 0.04 * peak);
    EXPECT_NEAR(curve.back()[0], -peak, 0.04 * peak);
    EXPECT_LT(std::fabs(curve.back()[1]), 0.02 * peak);

    auto stirrups = PS::Beam(false, true);
    EXPECT_EQ(TMVInter(stirrups.get()).GetCurveKind(2), 4);
    auto column = PS::Column();
    const TNVInter nv(column.get());
    EXPECT_EQ(nv.GetCurveKind(1), 1);
    EXPECT_EQ(nv.GetCurveKind(2), 2);

    ASSERT_EQ(parallel->GetSubCount(), serial->GetSubCount());
    ASSERT_GT(serial->GetSubCount(), 10);
    for (int i = 0; i < serial->GetSubCount(); ++i)
        EXPECT_EQ(stagetest::StageDifference(*serial->GetSubAnalysis(i), *parallel->GetSubAnalysis(i)), "")
            << "line " << i;
    std::array<double, 3> a{}, b{};
    for (int k = 0; k < serial->GetCurveCount(); ++k)
        for (int p = 0; serial->GetPoint(k, p, a); ++p) {
            ASSERT_TRUE(parallel->GetPoint(k, p, b));
            EXPECT_TRUE(stagetest::SameBits(a.data(), b.data(), 3)) << k << " " << p;
        }
}

// The N-V diagram of the column runs from the squash load (no shear) through the shear
// capacity under moderate compression to the tension of the bars alone.
TEST(NVInteraction, EndsAreTheAxialStrengths)
{
    RecordingReporter reporter;
    auto column = PS::Column();
    TNVInter diagram(column.get());
    EXPECT_EQ(diagram.GetCurveKind(2), 2) << "no stirrups";
    RunToFinish(diagram, kMaxSteps);
    ASSERT_EQ(diagram.IsRunning(), 0);
    const std::vector<std::array<double, 3>> curve = CapacityCurve(diagram);
    ASSERT_GT(curve.size(), 4u);
    const SteelTypeRec& steel = *column->GetSteelType(0);
    const ConcreteTypeRec& concrete = *column->GetConcreteType(0);
    const double As = 2.0 * PS::kBarArea;
    const double squash = std::fabs(concrete.fc) * (0.4 * 0.4 - As) + As * steel.fy;
    EXPECT_NEAR(-curve.front()[2], squash, 0.08 * squash);
    EXPECT_GE(curve.back()[2], 0.99 * As * steel.fy);
    EXPECT_LE(curve.back()[2], 1.01 * As * steel.fu);
    double vMax = 0.0;
    for (const std::array<double, 3>& p : curve) {
        vMax = std::max(vMax, p[1]);
        EXPECT_NEAR(p[0], 0.0, 1000.0) << "the moment stays at its constant value";
    }
    EXPECT_GT(vMax, 0.0);
    EXPECT_LT(std::fabs(curve.front()[1]), 0.05 * vMax);
}

namespace {

// A base response whose stage table is filled with copies of its initial state.
class FilledBase : public TInterBaseResponse {
public:
    FilledBase(const TBeam* beam, int stages) : TInterBaseResponse(beam)
    {
        for (int i = 1; i < stages; ++i) {
            SectionStateHolder& slot = Stages[static_cast<std::size_t>(i)];
            if (!slot)
                ++StageCount;
            CopySectionState(Stages[0], slot);
            slot->Valid = 1;
            slot->Results[StateResult::LoadFactor] = i;
            slot->Results[StateResult::Moment] = 1000.0 * i + 500.0;
        }
        PeakStage = stages - 1;
    }
};

// An M-V diagram whose base responses hold more stages than there are line slots.
class CrowdedMV : public TMNV_baseInter {
public:
    explicit CrowdedMV(const TBeam* beam) : TMNV_baseInter(beam, 1) {}
    int GetAnalysisKind() const override { return AnalysisKind::MVDiagram; }
    void MakeLines(int stagesPerBase)
    {
        for (std::size_t k = 0; k < 2; ++k)
            SubAnalyses[k] = std::make_unique<FilledBase>(GetBeam(), stagesPerBase);
        CreateLines();
    }
    void StoreAll()
    {
        for (int i = 0; i < SubCount; ++i)
            StorePoint(i, SubCount);
    }
    // Replaces path 0 by a filled base response and stores its point alone.
    void StoreFilledPath(int stages)
    {
        SubAnalyses[0] = std::make_unique<FilledBase>(GetBeam(), stages);
        StorePoint(0, 1);
    }
};

// A member event of kind 1 once M passes 5 kN m.
int MomentEvent(const TSectionalAnalysis&, const SectionState& state, int kind, double& ratio)
{
    ratio = kind == 1 ? state.Results[StateResult::Moment] / 5000.0 : kUndefined;
    return kind == 1 && ratio > 1.0 ? 1 : 0;
}

} // namespace

// Base responses with 2 x 70 stages would start 139 lines: 100 are made, and the count, the
// stage sequence, the point store and the triangle mesh stay within them.
TEST_F(MVInteraction, LineCountIsThatOfTheLinesMade)
{
    CrowdedMV few(beam.get());
    few.MakeLines(5);
    EXPECT_EQ(few.GetSubCount(), 9) << "stages 4 to 0 of the first, 1 to 4 of the second";
    CrowdedMV diagram(beam.get());
    diagram.MakeLines(70);
    ASSERT_EQ(diagram.GetSubCount(), T2DAnalysis::kMaxSubAnalyses);
    EXPECT_EQ(diagram.GetPhase(), 0);
    diagram.Finish();
    diagram.StoreAll();
    EXPECT_EQ(diagram.GetPointCount(), T2DAnalysis::kMaxSubAnalyses);
    std::array<double, 3> p{};
    EXPECT_TRUE(diagram.GetPoint(0, T2DAnalysis::kMaxSubAnalyses - 1, p));
    EXPECT_FALSE(diagram.GetPoint(0, T2DAnalysis::kMaxSubAnalyses, p));

    // Each line holds its stage 0: one stage and a separator per line.
    EXPECT_EQ(diagram.GetLastStageIndex(), 2 * T2DAnalysis::kMaxSubAnalyses);
    int present = 0;
    for (int i = 0; i < diagram.GetLastStageIndex(); ++i)
        present += diagram.GetStage(i) != nullptr ? 1 : 0;
    EXPECT_EQ(present, T2DAnalysis::kMaxSubAnalyses);
    int count = 0, found = 0;
    std::vector<double> x, y, value;
    std::vector<int> index;
    diagram.FindDiagramPoint(1, count, found, x, y, index, value, 0);
    EXPECT_GE(count, 0);
    EXPECT_TRUE(x.empty());
    EXPECT_EQ(reporter.Count(kFrozenText), 0);
}

// The point store interpolates an event's curve between the stages that bracket it (M of
// 4.5 and 5.5 kN m at ratios 0.9 and 1.1 give 5 kN m); the capacity curve takes the peak, and a
// kind that no evaluation knows follows the capacity.
TEST_F(MVInteraction, PointStoreFindsTheEventBetweenStages)
{
    CrowdedMV diagram(beam.get());
    SetDiagramEventRatios(&MomentEvent);
    diagram.StoreFilledPath(10);
    SetDiagramEventRatios(nullptr);
    std::array<double, 3> capacity{}, event{}, unknown{};
    ASSERT_TRUE(diagram.GetPoint(0, 0, capacity));
    ASSERT_TRUE(diagram.GetPoint(1, 0, event));
    ASSERT_TRUE(diagram.GetPoint(2, 0, unknown));
    EXPECT_DOUBLE_EQ(capacity[0], 9500.0);
    EXPECT_NEAR(event[0], 5000.0, 1e-6);
    EXPECT_DOUBLE_EQ(unknown[0], 9500.0);
}

// A section with time data: the diagram imposes the long-term state once on its own copy, and
// the paths built over that copy carry the same state and the loads written for them.
TEST_F(MNInteraction, PathsShareTheLongTermStateImposedOnce)
{
    beam = PS::Beam();
    beam->SetTimeData(1, 28.0, -100e3, 0.0);
    PS::SetLoads(*beam, 0.0, -100e3, 0.0, 0.0, 0.0, 0.0);
    const double shrinkage = -9.17741e-5;

    const TMNInter diagram(beam.get());
    const TBeam& own = *diagram.GetBeam();
    ASSERT_NE(diagram.GetSubAnalysis(0), nullptr);
    const TBeam& path = *diagram.GetSubAnalysis(0)->GetBeam();
    for (const TBeam* b : {&own, &path}) {
        const TDepthTable& table = b->GetPositionVariable(kShrinkTherm);
        ASSERT_GT(table.GetCount(), 0);
        for (int i = 0; i < table.GetCount(); ++i)
            EXPECT_NEAR(table.GetValue(i), shrinkage, 1e-10);
    }
    EXPECT_NE(own.GetLongLayer(0, 0)->timeStrain, 0.0);
    EXPECT_DOUBLE_EQ(path.GetLongLayer(0, 0)->timeStrain, own.GetLongLayer(0, 0)->timeStrain);
    EXPECT_EQ(beam->GetPositionVariable(kShrinkTherm).GetValue(0), 0.0) << "the user's beam";

    double Nc = 0.0, Mc = 0.0, dN = 0.0, dM = 0.0;
    diagram.RayCentre(Nc, Mc);
    diagram.RayDirection(0, dN, dM);
    double constant[3] = {}, increment[3] = {};
    path.GetConstantLoads(constant, 3);
    path.GetIncrementLoads(increment, 3);
    EXPECT_DOUBLE_EQ(constant[0], Nc);
    EXPECT_DOUBLE_EQ(constant[1], Mc);
    EXPECT_DOUBLE_EQ(increment[0], dN);
    EXPECT_DOUBLE_EQ(increment[1], dM);
    EXPECT_LT(dM, 0.0) << "ray 0 points at the negative-moment anchor";
    EXPECT_EQ(reporter.Count(kFrozenText), 0);
}

namespace {

// The 300 x 600 mm beam with 1500 mm^2 at 60 mm above the bottom (and, when asked, at 60 mm
// below the top), two-leg stirrups of 200 mm^2 a leg at 200 mm from 50 mm above the bottom to
// 50 mm below the top, and loads of 1 kN shear per -1.5 kN m moment.
std::unique_ptr<TBeam> StirrupBeam(bool topBars)
{
    auto beam = PS::Empty();
    beam->AddRegion(PS::kH, 0.0, PS::kB, PS::kB, 0, 1);
    PS::AddBars(*beam, 0.06, PS::kBarArea);
    if (topBars)
        PS::AddBars(*beam, 0.54, PS::kBarArea);
    TransLayerRec s;
    s.A = 4e-4, s.Ai = 2e-4, s.db = 0.016, s.space = 0.2;
    s.distbot = 0.05, s.disttop = 0.55, s.bartitle = "15M", s.name = "Stirrups";
    beam->AddTransLayer(s, 2);
    PS::SetLoads(*beam, 0, 0, 0, 0, -1500.0, 1000.0);
    beam->Validate();
    return beam;
}

// (M, N) of the plane section through two face strains of the diagram's own copy.
std::array<double, 2> FaceStrainForces(const TBeam& beam, double eTop, double eBottom)
{
    const T2StrainAnalysis state(&beam, eTop, beam.GetTop(), eBottom, beam.GetBottom());
    std::array<double, 6> v{};
    state.GetStateResults(state.GetPeakState(), v, 2);
    return {v[4], v[3]};
}

} // namespace

// A shear line whose next stage was predicted far beyond every material (its last step had
// left the shear deformation where it was) solved to a state carrying no force, and that
// state was taken as a stage. Every stored stage of every line is a real section state: its
// plane-section strains are those a material reaches.
TEST_F(MVInteraction, EveryStageOfTheLinesIsASolvedState)
{
    beam = StirrupBeam(false);
    TMVInter diagram(beam.get());
    RunToFinish(diagram, kMaxSteps);
    ASSERT_EQ(diagram.IsRunning(), 0);
    EXPECT_EQ(reporter.Count("Plastic offset strain"), 0);
    const double top = diagram.GetBeam()->GetTop(), bottom = diagram.GetBeam()->GetBottom();
    int stages = 0;
    for (int i = 0; i < diagram.GetSubCount(); ++i) {
        const T1DAnalysis& line = *diagram.GetSubAnalysis(i);
        for (int j = 0; j < T1DAnalysis::kStageSlots; ++j) {
            const SectionState* s = line.StageSlot(j);
            if (s == nullptr || s->Valid == 0)
                continue;
            ++stages;
            const double e0 = s->Results[StateResult::ReferenceStrain];
            const double phi = s->Results[StateResult::Curvature];
            for (double e :
                 {e0 + phi * top, e0 + phi * bottom, s->Results[StateResult::ShearStrain]})
                EXPECT_LE(std::fabs(e), 1.0) << "line " << i << " stage " << j;
        }
    }
    EXPECT_GT(stages, diagram.GetSubCount());
}

namespace {

// No point of a closed M-N outline lies more than 2 % of its extent (M and N each scaled by
// its range) inside the chord of its two neighbours.
void ExpectConvex(const std::vector<std::array<double, 3>>& curve)
{
    ASSERT_EQ(curve.size(), 37u);
    const int n = 36;
    double mMin = 0.0, mMax = 0.0, nMin = 0.0, nMax = 0.0;
    for (const std::array<double, 3>& p : curve) {
        mMin = std::min(mMin, p[0]), mMax = std::max(mMax, p[0]);
        nMin = std::min(nMin, p[2]), nMax = std::max(nMax, p[2]);
    }
    ASSERT_GT(mMax - mMin, 0.0);
    ASSERT_GT(nMax - nMin, 0.0);
    auto at = [&](int i) {
        const std::array<double, 3>& p = curve[static_cast<std::size_t>((i + n) % n)];
        return std::array<double, 2>{p[0] / (mMax - mMin), p[2] / (nMax - nMin)};
    };
    double twiceArea = 0.0;
    for (int i = 0; i < n; ++i)
        twiceArea += at(i)[0] * at(i + 1)[1] - at(i + 1)[0] * at(i)[1];
    const double inward = twiceArea > 0.0 ? 1.0 : -1.0; // the interior's side of each chord
    for (int i = 0; i < n; ++i) {
        const std::array<double, 2> a = at(i - 1), b = at(i + 1), p = at(i);
        const double dx = b[0] - a[0], dy = b[1] - a[1];
        const double inside =
            inward * (dx * (p[1] - a[1]) - dy * (p[0] - a[0])) / std::hypot(dx, dy);
        EXPECT_LT(inside, 0.02) << "ray " << i << " at " << curve[static_cast<std::size_t>(i)][0]
                                << " N m, " << curve[static_cast<std::size_t>(i)][2] << " N";
    }
}

} // namespace

// The M-N diagram of a section with equal bar layers at both faces is convex. Rays 8 and 10 of
// the beam with stirrups met a short range of axial strain where the
// response jumps (the top face passing into compression once the bottom bars yield); the
// stages closed in on it in ever shorter steps until eight failures ended each ray at about
// 107 kN m, 889 kN, 4 % inside the chord. Past the range the bottom bars harden to about
// 120 kN m, 1330 kN, where the chord of the rays on either side lies. The beam with bars at
// 50 mm from both faces and no stirrups had the same two rays stop so.
TEST_F(MNInteraction, SymmetricSectionGivesAConvexOutline)
{
    for (bool stirrups : {true, false}) {
        SCOPED_TRACE(stirrups ? "bars at 60 mm, stirrups" : "bars at 50 mm");
        beam = stirrups ? StirrupBeam(true) : PS::Beam(true);
        TMNInter diagram(beam.get());
        RunToFinish(diagram, kMaxSteps);
        ASSERT_EQ(diagram.IsRunning(), 0);
        ExpectConvex(CapacityCurve(diagram));
    }
}

// The anchors of the column by hand. Tension end: both faces at the bars' yield strain, so
// the bars carry A_s f_y and the concrete at most f't A_g; a section without bars has both faces
// at the cracking strain, f't A_g. Compression end: both faces at e'c, the concrete at f'c and
// the bars at E_s e'c (at most f_y). Moment anchors: the largest |M| of the four face-strain
// trials, with the sign of their side.
TEST_F(MNInteraction, AnchorsFollowTheFaceStrains)
{
    auto column = PS::Column();
    const TMNInter mn(column.get());
    const TBeam& own = *mn.GetBeam();
    const ConcreteTypeRec& c = *own.GetConcreteType(0);
    const SteelTypeRec& s = *own.GetSteelType(0);
    const double Ag = 0.4 * 0.4, As = 2.0 * PS::kBarArea;
    const std::array<double, 2> tension = mn.GetAnchor(TMNInter::TensionEnd);
    EXPECT_NEAR(tension[0], 0.0, 1.0);
    EXPECT_GE(tension[1], As * s.fy);
    EXPECT_LE(tension[1], As * s.fy + c.ft * Ag);
    const double squash = c.fc * (Ag - As) + As * std::max(s.Es * c.ec, -s.fy);
    const std::array<double, 2> compression = mn.GetAnchor(TMNInter::CompressionEnd);
    EXPECT_NEAR(compression[0], 0.0, 1.0);
    EXPECT_NEAR(compression[1], squash, 0.005 * std::fabs(squash));

    for (const bool top : {true, false}) {
        SCOPED_TRACE(top ? "top in compression" : "bottom in compression");
        const double ey = s.fy / s.Es;
        double best[2] = {0.0, 0.0};
        for (const auto& [a, b] : {std::pair{1.5 * c.ec, ey},
                                   std::pair{1.5 * c.ec, c.ecr},
                                   std::pair{c.ec, c.ecr},
                                   std::pair{c.ec, ey}}) {
            const std::array<double, 2> r =
                top ? FaceStrainForces(own, a, b) : FaceStrainForces(own, b, a);
            if (std::fabs(r[0]) > std::fabs(best[0]))
                best[0] = r[0], best[1] = r[1];
        }
        const std::array<double, 2> anchor =
            mn.GetAnchor(top ? TMNInter::NegativeMoment : TMNInter::PositiveMoment);
        EXPECT_DOUBLE_EQ(anchor[0], top ? -std::fabs(best[0]) : std::fabs(best[0]));
        EXPECT_DOUBLE_EQ(anchor[1], best[1]);
    }

    auto plain = PS::Empty();
    plain->AddRegion(0.4, 0.0, 0.4, 0.4, 0, 1);
    plain->Validate();
    const TMNInter bare(plain.get());
    const double ft = bare.GetBeam()->GetConcreteType(0)->ft;
    EXPECT_NEAR(bare.GetAnchor(TMNInter::TensionEnd)[1], ft * Ag, 1e-6 * ft * Ag);
}

// The rays of the beam with bottom bars, whose moment anchors differ: the centre is the mean
// N and a quarter of the summed M of the moment anchors; ray i leaves it at t = 2 pi i / 36
// towards the anchors of its quarter.
TEST_F(MNInteraction, RaysSweepTheQuartersBetweenTheAnchors)
{
    beam = PS::Beam();
    const TMNInter mn(beam.get());
    const auto [Mt, Nt] = mn.GetAnchor(TMNInter::TensionEnd);
    const auto [Mc0, Ncomp] = mn.GetAnchor(TMNInter::CompressionEnd);
    const auto [Mneg, Nneg] = mn.GetAnchor(TMNInter::NegativeMoment);
    const auto [Mpos, Npos] = mn.GetAnchor(TMNInter::PositiveMoment);
    ASSERT_GT(std::fabs(Mneg + Mpos), 0.05 * Mpos) << "an unsymmetric section";
    double Nc = 0.0, Mc = 0.0;
    mn.RayCentre(Nc, Mc);
    EXPECT_DOUBLE_EQ(Nc, (Nneg + Npos) / 2.0);
    EXPECT_DOUBLE_EQ(Mc, (Mneg + Mpos) / 4.0);
    const double pi = 3.14159265358979;
    const double fm = UnitFactor(ukMoment), fn = UnitFactor(ukForce);
    for (const int i : {0, 4, 9, 13, 18, 22, 27, 31}) {
        const double t = 2.0 * pi * i / 36.0;
        double N = 0.0, M = 0.0;
        if (i <= 9)
            N = std::fabs(Nt - Nneg) * std::sin(t) + Nneg - Nc, M = Mneg * std::cos(t);
        else if (i <= 18)
            N = std::fabs(Nt - Npos) * std::sin(pi - t) + Npos - Nc, M = Mpos * std::cos(pi - t);
        else if (i <= 27)
            N = std::fabs(Npos - Ncomp) * std::sin(pi - t) + Npos - Nc, M = Mpos * std::cos(pi - t);
        else
            N = std::fabs(Nneg - Ncomp) * std::sin(t) + Nneg - Nc, M = Mneg * std::cos(t);
        const double L = std::hypot(M * fm, N * fn);
        double dN = 0.0, dM = 0.0;
        mn.RayDirection(i, dN, dM);
        EXPECT_NEAR(dN, N / L, 1e-9) << "ray " << i;
        EXPECT_NEAR(dM, M / L, 1e-9) << "ray " << i;
    }
}

// A tendon's prestress raises the compression end by one and a half times its force: once
// through the tendon's own strain and once more by half of it. An elastic tendon of 100 mm^2
// at mid-depth with a prestrain of 0.006 against the same tendon without one.
TEST_F(MNInteraction, CompressionEndCarriesHalfTheTendonForceOnTop)
{
    auto compressionEnd = [](double prestrain) {
        auto column = PS::Column();
        SteelTypeRec strand = *column->GetSteelType(0);
        strand.fy = 1.8e9, strand.fu = 1.9e9, strand.name = "Elastic";
        CheckSteelType(strand, true);
        column->AddSteelType(strand);
        LongLayerRec tendon = *column->GetLongLayer(0, 0);
        tendon.z = 0.2, tendon.num = 1, tendon.Ai = tendon.A = 1e-4, tendon.db = 0.0113;
        tendon.dep = prestrain, tendon.type = 1, tendon.name = "Tendon";
        column->AddLongLayer(tendon, 0);
        column->Validate();
        const TMNInter mn(column.get());
        return mn.GetAnchor(TMNInter::CompressionEnd)[1];
    };
    const double force = 1e-4 * 2e11 * 0.006;
    EXPECT_NEAR(compressionEnd(0.006) - compressionEnd(0.0), 1.5 * force, 1e-3 * force);
}

namespace {

// A loop stopped by the failure test takes fewer passes than one that runs out.
constexpr std::int64_t kStoppedWithin = 20;

// A moment-shear line that records each solve of a stage: the stage, the answer, the failure
// mode of the state it left and the layer solutions it took (one for the residual, one per
// pass, one more on stage 1 for the slope; the finishing pass reuses the last). A slope may
// be planted before each solve of stage 1.
class RecordedLine : public TInterLineResponse {
public:
    struct Solve {
        int stage, result, mode;
        std::int64_t layerSolves;
    };
    RecordedLine(const TBeam* beam, const SectionStateHolder& from)
        : TInterLineResponse(beam, from, kMoment)
    {
    }
    int SolveStage(SectionState& state) override
    {
        if (PlantedSlope != 0.0 && CurrentStage == 1)
            ConvergenceSlope = PlantedSlope;
        const std::int64_t before = GetSolveCounts().layerSolutions;
        const int r = TInterLineResponse::SolveStage(state);
        Solves.push_back({CurrentStage, r, ClassifyFailureMode(state),
                          GetSolveCounts().layerSolutions - before});
        return r;
    }
    double PlantedSlope = 0.0;
    std::vector<Solve> Solves;
};

} // namespace

// Each attempt at stage 1 of a shear line measures the slope of its loop afresh: a slope
// that an earlier attempt (or anything else) left behind, here one so steep that its steps
// would not move the profile at all, is not taken. Each solve of stage 1 takes the slope's
// perturbed solution, the residual and at most a few passes, and converges.
TEST_F(MVInteraction, ShearLineMeasuresItsSlopeAfreshOnStageOne)
{
    TInterBaseResponse base(beam.get());
    ASSERT_NE(base.Holder(0), nullptr);
    RecordedLine line(beam.get(), base.Holder(0));
    line.PlantedSlope = 1e30;
    for (int step = 0; step < 200 && line.IsRunning() != 0 && line.GetCurrentStage() < 3; ++step)
        line.Step();
    EXPECT_GE(line.GetCurrentStage(), 3);
    int stageOne = 0;
    for (const RecordedLine::Solve& s : line.Solves) {
        if (s.stage != 1)
            continue;
        ++stageOne;
        EXPECT_EQ(s.result, 1);
        EXPECT_GE(s.layerSolves, 2) << "the slope measured";
        EXPECT_LE(s.layerSolves, 5);
    }
    EXPECT_GE(stageOne, 1);
}

// A shear line's solve stops at the first pass whose trial state has failed (crack slip,
// crushing, stirrup rupture) and answers failure, so that the stepping cuts its step there
// rather than take a failed state as a stage. The line from the unloaded beam runs to its
// end: every solve that took a pass and answered success left a state that has not failed,
// and some solves did meet a failed trial.
TEST_F(MVInteraction, ShearLineSolveStopsAtAFailedTrial)
{
    TInterBaseResponse base(beam.get());
    ASSERT_NE(base.Holder(0), nullptr);
    RecordedLine line(beam.get(), base.Holder(0));
    RunToFinish(line, kMaxSteps);
    ASSERT_EQ(line.IsRunning(), 0);
    int stopped = 0;
    for (const RecordedLine::Solve& s : line.Solves) {
        const std::int64_t passes = s.layerSolves - 1 - (s.stage == 1 ? 1 : 0);
        if (passes < 1)
            continue;
        if (s.result != 0)
            EXPECT_EQ(s.mode, FailureMode::None) << "stage " << s.stage;
        else if (s.mode != FailureMode::None && passes < kStoppedWithin)
            ++stopped;
    }
    EXPECT_GT(stopped, 0);
}
