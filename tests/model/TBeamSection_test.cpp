// The beam's geometry against hand calculations: section properties, recognised shapes, the
// analysis datum, widths, shear depth and width, the volume-to-surface ratio, strain tables,
// and sections without height.

#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/MaterialTypes.h"
#include "model/shapes/SectionShape.h"

#include "model/StructureFixtures.h"
#include "model/shapes/ShapeTestSupport.h"

namespace {

constexpr double kTol = 1e-12;
// Geometry tolerance for values that pass through a datum shift (m, m^2, m^4).
constexpr double kGeomTol = 1e-9;

// A user outline of stacked regions (top, bottom, top width, bottom width), concrete type 0.
std::unique_ptr<TBeam> UserBeam(const std::vector<std::array<double, 4>>& regions)
{
    auto beam = std::make_unique<TBeam>();
    beam->SetShapeType(kUserShapeCode);
    for (const auto& r : regions)
        beam->AddRegion(r[0], r[1], r[2], r[3], 0, 1);
    return beam;
}

// The 0.3 x 0.5 rectangle and the T (flange 0.6 x 0.1 over a 0.2 x 0.4 web) most tests use.
std::unique_ptr<TBeam> Rect()
{
    return UserBeam({{{0.5, 0.0, 0.3, 0.3}}});
}
std::unique_ptr<TBeam> Tee()
{
    return UserBeam({{{0.5, 0.4, 0.6, 0.6}}, {{0.4, 0.0, 0.2, 0.2}}});
}

using fixtures::LayerOfArea;

// Stirrups (pattern 3) of 11.3 mm bars, area of all legs A, spaced s.
TransLayerRec Stirrups(double distbot, double disttop, double A, double s)
{
    return fixtures::Stirrup(distbot, disttop, 0.0113, s, A, 3);
}

// Shape recognition looks names up in the default shape library.
struct BeamShapeTest : ShapeLibraryTest {
    void SetUp() override
    {
        ShapeLibraryTest::SetUp();
        ASSERT_EQ(LoadShapeLibrary(0), 1);
    }
};

// Area, centroid and inertia by the parallel-axis theorem; the centroidal axis becomes the
// datum and the section moduli are I over the distances to the faces. A trapezoid 0.4 m high,
// 0.2 m wide at the top and 0.6 m at the bottom: A = 0.16 m^2, the centroid
// h (b + 2a) / (3 (a + b)) = 1/6 m above the bottom and
// I = h^3 (a^2 + 4ab + b^2) / (36 (a + b)) = 0.064 x 0.88 / 28.8 m^4; no shape is recognised.
TEST_F(BeamShapeTest, RectangleTAndTrapezoidByHand)
{
    // T: flange 0.6 x 0.1 (centre 0.45) over a web 0.2 x 0.4 (centre 0.2).
    const double yT = (0.06 * 0.45 + 0.08 * 0.2) / 0.14;
    const double iT = 0.6 * 0.001 / 12.0 + 0.06 * (0.45 - yT) * (0.45 - yT) + 0.2 * 0.064 / 12.0 +
                      0.08 * (0.2 - yT) * (0.2 - yT);
    const struct {
        const char* name;
        int code;
        std::unique_ptr<TBeam> beam;
        double h, area, ybar, inertia;
        std::vector<double> params;
    } rows[] = {{"RECT", 0, Rect(), 0.5, 0.15, 0.25, 0.3 * 0.125 / 12.0, {0.3, 0.5}},
                {"TBEAM", 2, Tee(), 0.5, 0.14, yT, iT, {0.6, 0.5, 0.2, 0.1}},
                {"USER",
                 kUserShapeCode,
                 UserBeam({{{0.4, 0.0, 0.2, 0.6}}}),
                 0.4,
                 0.16,
                 1.0 / 6.0,
                 0.064 * 0.88 / 28.8,
                 {}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TBeam& beam = *row.beam;
        ASSERT_EQ(beam.Validate(), 1);
        const SectionProperties gross = beam.GetGrossProperties();
        EXPECT_NEAR(gross.area, row.area, kTol);
        EXPECT_NEAR(gross.centroid, row.ybar, kTol);
        EXPECT_NEAR(gross.inertia, row.inertia, kTol);
        EXPECT_NEAR(beam.GetBottom(), -row.ybar, kTol);
        double I = 0, A = 0, above = 0, y = 0, sTop = 0, sBottom = 0;
        beam.GetFaceSteelData(0, I, A, above, y, sTop, sBottom);
        EXPECT_NEAR(sTop, row.inertia / (row.h - row.ybar), kTol);
        EXPECT_NEAR(sBottom, row.inertia / row.ybar, kTol);

        EXPECT_EQ(beam.GetSectionKindCode(), row.code);
        EXPECT_EQ(beam.GetShapeName(), row.name);
        for (std::size_t k = 0; k < row.params.size(); ++k)
            EXPECT_NEAR(beam.GetShapeParameter(static_cast<int>(k) + 1), row.params[k], kTol)
                << "parameter " << k + 1;
    }
    // A gap between the regions: no recognised shape.
    auto gap = UserBeam({{{0.5, 0.4, 0.6, 0.6}}, {{0.39, 0.0, 0.2, 0.2}}});
    gap->Validate();
    EXPECT_EQ(gap->GetShapeName(), "USER");
}

struct BeamSectionTest : ::testing::Test {
    RecordingReporter reporter;
};

TEST_F(BeamSectionTest, TransformedSectionByHand)
{
    const double b = 0.3;
    const double h = 0.5;
    const double z = 0.05;
    auto beam = Rect();
    beam->AddLongLayer(LayerOfArea(z, 3, 500e-6), 0);
    ASSERT_EQ(beam->Validate(), 1);
    const double n = beam->GetSteelType(0)->Es / beam->GetConcreteType(0)->Ec;
    const double added = 1500e-6 * (n - 1.0);
    const double area = b * h + added;
    const double ybar = (b * h * h / 2.0 + added * z) / area;
    const double inertia = b * h * h * h / 12.0 + b * h * (h / 2.0 - ybar) * (h / 2.0 - ybar) +
                           added * (z - ybar) * (z - ybar);
    const SectionProperties t = beam->GetTransformedProperties();
    EXPECT_NEAR(t.area, area, kTol);
    EXPECT_NEAR(t.centroid, ybar, kGeomTol);
    EXPECT_NEAR(t.inertia, inertia, kGeomTol * 1e-3);
}

TEST_F(BeamSectionTest, ValidationMovesEveryDepthToTheMomentAxis)
{
    const double h = 0.5;
    struct Row {
        const char* name;
        double axis;  // requested moment-axis height above the bottom
        double datum; // expected datum height above the bottom
    };
    // An axis of exactly 1e30 is centroidal too, not a datum 1e30 m away.
    const Row rows[] = {{"centroidal", kUndefined, h / 2.0},
                        {"centroidal at exactly 1e30", kCentroidalAxis, h / 2.0},
                        {"given height", 0.1, 0.1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto beam = Rect();
        beam->AddLongLayer(LayerOfArea(0.05, 2, 300e-6), 0);
        beam->AddTransLayer(Stirrups(0.03, 0.47, 2e-4, 0.2), 2);
        beam->SetMomentAxis(row.axis);
        ASSERT_EQ(beam->Validate(), 1);

        const double d = row.datum;
        EXPECT_NEAR(beam->GetBottom(), -d, kGeomTol);
        EXPECT_NEAR(beam->GetTransLayer(0, 2)->distbot, 0.03 - d, kGeomTol);

        beam->Validate(); // validating again moves nothing
        EXPECT_NEAR(beam->GetLongLayer(0, 0)->z, 0.05 - d, kGeomTol);
    }

    // A given axis within 0.1 mm of the centroid becomes the centroidal axis.
    auto beam = Rect();
    beam->SetMomentAxis(h / 2.0 + 0.00005);
    beam->Validate();
    EXPECT_DOUBLE_EQ(beam->GetMomentAxis(), kUndefined);
}

// Hand calculation on the un-validated T (depths measured from its bottom): bars 50 mm up,
// face 1 (tension at the bottom): d = 0.5 - 0.05 = 0.45, the search runs to 0.05 + 0.9 d =
// 0.455 and d_v = max(0.9 d, 0.72 h) = 0.405. The web (0.2) is the least width and its whole
// height qualifies, so b_v sits at the web's mid-height.
TEST_F(BeamSectionTest, ShearDepthAndWidthByHand)
{
    auto beam = Tee();
    beam->AddLongLayer(LayerOfArea(0.05, 3, 500e-6), 0);
    const ConcreteTypeRec& concrete = *beam->GetConcreteType(0);
    const double ag = EffectiveAggregateSize(concrete.fc, concrete.aggregate);

    ShearDepthAndWidth s = beam->GetShearDepthAndWidth(1);
    EXPECT_NEAR(s.d, 0.45, kTol);
    EXPECT_NEAR(s.bv, 0.2, kTol);
    EXPECT_NEAR(s.zBv, 0.2, kTol);
    EXPECT_DOUBLE_EQ(s.rhoV, 0.0);
    EXPECT_NEAR(s.sxe, 35.0 * 0.405 / (16.0 + 1000.0 * ag), kTol);

    // Stirrups of 2 x 100 mm^2 every 200 mm: rho_v = A/(b s), above the minimum
    // 0.06 sqrt(35) MPa, so s_xe is limited to 300 mm.
    beam->AddTransLayer(Stirrups(0.03, 0.47, 2e-4, 0.2), 2);
    s = beam->GetShearDepthAndWidth(1);
    EXPECT_NEAR(s.rhoV, 2e-4 / (0.2 * 0.2), kTol);
    EXPECT_DOUBLE_EQ(s.sxe, 0.3);
    double rho = 0.0;
    double rhoFy = 0.0;
    beam->GetMaxTransverseRatio(rho, rhoFy);
    EXPECT_NEAR(rho, 2e-4 / (0.2 * 0.2), kTol) << "largest in the web";

    // Face 0 measures from the bottom to the steel above mid-height.
    beam->AddLongLayer(LayerOfArea(0.46, 2, 200e-6), 0);
    EXPECT_NEAR(beam->GetShearDepthAndWidth(0).d, 0.46, kTol);
}

TEST_F(BeamSectionTest, SteelCentroidOfEachFace)
{
    auto beam = UserBeam({{{0.6, 0.0, 0.3, 0.3}}});
    beam->AddLongLayer(LayerOfArea(0.05, 2, 500e-6), 0);
    beam->AddLongLayer(LayerOfArea(0.30, 2, 100e-6), 0); // at mid-height: half to each face
    beam->AddLongLayer(LayerOfArea(0.55, 2, 200e-6), 0);
    double z = 0, A = 0, fy = 0;
    beam->GetSteelCentroid(z, A, fy, 1);
    EXPECT_NEAR(A, 1100e-6, kTol);
    EXPECT_NEAR(z, (1000e-6 * 0.05 + 100e-6 * 0.30) / A, kTol);
    EXPECT_NEAR(fy, beam->GetSteelType(0)->fy, 1e-6);
    beam->GetSteelCentroid(z, A, fy, 0);
    EXPECT_NEAR(A, 500e-6, kTol);
    EXPECT_NEAR(z, (400e-6 * 0.55 + 100e-6 * 0.30) / A, kTol);
}

// Area over perimeter. Rectangle: 2 (b + h); T: top 0.6, flange sides 2 x 0.1, soffits 0.4,
// web sides 2 x 0.4, bottom 0.2; trapezoid 0.2 over 0.4, 0.3 high: sloped sides at length.
TEST_F(BeamSectionTest, VolumeToSurfaceRatioByHand)
{
    const double side = std::sqrt(0.1 * 0.1 + 0.3 * 0.3);
    const std::pair<std::unique_ptr<TBeam>, double> rows[] = {
        {Rect(), 0.15 / 1.6},
        {Tee(), 0.14 / 2.2},
        {UserBeam({{{0.3, 0.0, 0.2, 0.4}}}), 0.09 / (0.2 + 2.0 * side + 0.4)}};
    for (const auto& [beam, ratio] : rows) {
        SCOPED_TRACE(ratio);
        beam->Validate();
        EXPECT_NEAR(ComputeVolumeSurfaceRatio(*beam), ratio, kTol);
    }
}

// A section without height, with bars and stirrups lacking a spacing: every derived number
// stays finite.
TEST_F(BeamSectionTest, ZeroHeightSectionGivesFiniteNumbers)
{
    auto beam = UserBeam({{{0.2, 0.2, 0.3, 0.3}}});
    beam->AddLongLayer(LayerOfArea(0.2, 2, 300e-6), 0);
    beam->AddTransLayer(Stirrups(0.2, 0.2, 2e-4, 0.0), 2);
    ASSERT_EQ(beam->Validate(), 1);
    EXPECT_DOUBLE_EQ(beam->GetHeight(), 0.0);
    double rho = 0.0;
    double rhoFy = 0.0;
    beam->GetMaxTransverseRatio(rho, rhoFy);
    std::vector<double> values = {rho,
                                  rhoFy,
                                  ComputeVolumeSurfaceRatio(*beam),
                                  beam->GetEffectiveWidthAt(0.0, 0.01, 0.0),
                                  beam->GetLongLayer(0, 0)->ratio,
                                  beam->GetTransLayer(0, 2)->ratio};
    for (int k : {0, 1}) {
        double v[6] = {};
        beam->GetFaceSteelData(k, v[0], v[1], v[2], v[3], v[4], v[5]);
        EXPECT_EQ(v[4] + v[5], 0.0) << "no section modulus without height";
        const ShearDepthAndWidth sh = beam->GetShearDepthAndWidth(k);
        values.insert(values.end(), {v[0], v[1], v[2], v[3], sh.bv, sh.d, sh.rhoV, sh.sxe});
    }
    for (const DepthPair& p : beam->GetCriticalRhoTable().Pairs())
        values.insert(values.end(), {p.z, p.v});
    for (double v : values)
        EXPECT_TRUE(std::isfinite(v)) << v;
}

// Default strain points: the lowest layer yielding, crushing at the top. Strain profiles:
// only zeros 0, one value throughout 1, varying 2, with the top value.
TEST_F(BeamSectionTest, DefaultStrainPointsAndStrainProfileKinds)
{
    auto beam = Rect();
    beam->AddLongLayer(LayerOfArea(0.45, 2, 200e-6), 0);
    beam->AddLongLayer(LayerOfArea(0.05, 2, 200e-6), 0);
    std::array<double, 4> points{}; // e1, z1, e2, z2
    beam->GetDefaultStrainPoints(points[0], points[1], points[2], points[3]);
    const SteelTypeRec& steel = *beam->GetSteelType(0);
    EXPECT_EQ(points, (std::array<double, 4>{steel.fy / steel.Es, 0.05, -0.003, 0.5}));

    const std::pair<std::vector<double>, int> rows[] = {{{0.0, 0.0, 0.0}, 0},
                                                        {{2e-4, 2e-4}, 1},
                                                        {{2e-4, 3e-4}, 2}};
    for (const auto& [values, kind] : rows) {
        TDepthTable table;
        for (std::size_t i = 0; i < values.size(); ++i)
            table.Add(0.5 - 0.1 * static_cast<double>(i), values[i]);
        beam->SetStrainDiscontinuity(table);
        beam->SetShrinkThermCurve(table);
        for (int source : {0, 1}) {
            double value = -1.0;
            EXPECT_EQ(beam->ClassifyStrainProfile(source, value, 0), kind) << source;
            EXPECT_DOUBLE_EQ(value, kind == 0 ? 0.0 : 2e-4) << kind;
        }
    }
}

TEST_F(BeamSectionTest, StrainDiscontinuityIsTrimmedToTheSection)
{
    auto beam = Rect();
    TDepthTable steps;
    steps.Add(0.7, 0.001);
    steps.Add(0.3, 0.002);
    steps.Add(0.25, 0.002);
    steps.Add(0.29995, 0.004); // closer than 0.1 mm to the point above: merged away
    steps.Add(-0.2, 0.001);
    beam->SetStrainDiscontinuity(steps);
    beam->Validate();
    // Centroidal datum: the section spans -0.25 .. 0.25, zero at both faces.
    const std::vector<DepthPair> expected = {{0.25, 0.0},
                                             {0.05, 0.002},
                                             {0.0, 0.002},
                                             {-0.25, 0.0}};
    const TDepthTable& t = beam->GetStrainDiscontinuityTable();
    ASSERT_EQ(t.GetCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(t.GetDepth(i), expected[i].z, kGeomTol) << i;
        EXPECT_DOUBLE_EQ(t.GetValue(i), expected[i].v) << i;
    }
    EXPECT_NEAR(beam->GetStrainDiscontinuity(0.025, 0), 0.002, kTol);
    EXPECT_DOUBLE_EQ(beam->GetStrainDiscontinuity(0.3, 0), 0.0) << "outside the section";

    // The nearest breakpoint of the two tables above or below.
    EXPECT_NEAR(beam->GetStrainStepAt(0.2, 1), 0.05, kGeomTol);
    EXPECT_NEAR(beam->GetStrainStepAt(0.02, 0), 0.05, kGeomTol);
}

TEST_F(BeamSectionTest, LongTermStrainsAreImposed)
{
    auto beam = Rect();
    beam->AddLongLayer(LayerOfArea(0.05, 2, 300e-6), 0);
    beam->AddLongLayer(LayerOfArea(0.45, 2, 300e-6), 0);
    beam->Validate();
    const double shrinkBefore = beam->GetPositionVariable(kShrinkTherm).GetValue(0);
    const std::vector<double> strains = {-0.0004, 0.0001, 0.5}; // one more than layers
    beam->SetFrozen(1);
    EXPECT_EQ(beam->SetLongTermStrains(-0.0003, 0.0002, 0.004, strains, 0), 1);
    const TDepthTable& creep = beam->GetPositionVariable(kCreepX);
    ASSERT_EQ(creep.GetCount(), 2);
    EXPECT_NEAR(creep.GetDepth(0), 0.25, kGeomTol);
    EXPECT_NEAR(creep.GetValue(0), 0.0002 + 0.004 * 0.25, kTol);
    EXPECT_NEAR(creep.GetValue(1), 0.0002 - 0.004 * 0.25, kTol);
    EXPECT_DOUBLE_EQ(beam->GetPositionVariable(kShrinkTherm).GetValue(0), shrinkBefore - 0.0003);
    EXPECT_DOUBLE_EQ(beam->GetLongLayer(0, 0)->timeStrain, -0.0004);
    EXPECT_DOUBLE_EQ(beam->GetLongLayer(1, 0)->timeStrain, 0.0001);
    EXPECT_TRUE(reporter.messages.empty()) << "no guard: the analysis copy is frozen";

    beam->SetLongTermStrains(0.0, 0.0, 0.0, strains, 2);
    EXPECT_TRUE(reporter.Saw("Error Direction Long Term"));
}

// Layer ratios: the steel of each half over 0.8 of the gross area; the critical ratio at each
// depth is the larger of the interpolated longitudinal ratio and the stirrup ratio.
TEST_F(BeamSectionTest, LayerRatiosAndCriticalRatio)
{
    auto beam = Rect();
    beam->AddLongLayer(LayerOfArea(0.05, 4, 500e-6), 0);
    beam->AddLongLayer(LayerOfArea(0.45, 2, 200e-6), 0);
    beam->AddTransLayer(Stirrups(0.05, 0.45, 2e-4, 0.1), 2);
    beam->Validate();
    const double effective = 0.8 * 0.15;
    const double rhoBottom = 2000e-6 / effective;
    const double rhoTop = 400e-6 / effective;
    const double rhoStirrups = 2e-4 / 0.3 / 0.1;
    EXPECT_NEAR(beam->GetLongLayer(0, 0)->ratio, rhoBottom, kTol);
    EXPECT_NEAR(beam->GetLongLayer(1, 0)->ratio, rhoTop, kTol);
    EXPECT_NEAR(beam->GetTransLayer(0, 2)->ratio, rhoStirrups, kTol);

    const TDepthTable& critical = beam->GetCriticalRhoTable();
    ASSERT_EQ(critical.GetCount(), 100);
    EXPECT_NEAR(critical.GetDepth(0), 0.25, kGeomTol) << "largest depth first";
    EXPECT_NEAR(critical.GetValue(0), rhoTop, kTol);
    EXPECT_NEAR(critical.GetValue(99), rhoBottom, kTol);
    // Mid-height lies between two of the 100 depths; the stirrups govern there.
    EXPECT_NEAR(critical.InterpolateAtDepth(0.0),
                std::max(rhoStirrups, (rhoTop + rhoBottom) / 2),
                1e-9);
}

TEST_F(BeamSectionTest, StirrupsEncloseTheBarsWidth)
{
    auto beam = Rect();
    beam->AddLongLayer(LayerOfArea(0.05, 3, 500e-6), 0);
    TransLayerRec stirrups = Stirrups(0.03, 0.47, 2e-4, 0.2);
    stirrups.db = 0.01;
    beam->AddTransLayer(stirrups, 2);
    beam->Validate();
    // Out to out of the legs: the width less two covers of 25 mm (stirrup 30 mm up, 10 mm bar).
    EXPECT_NEAR(beam->GetEffectiveWidthAt(0.0, 0.01, 0.0), 0.3 - 2 * 0.025 - 2 * 0.01, kGeomTol);
    EXPECT_DOUBLE_EQ(beam->GetEffectiveWidthAt(0.24, 0.01, 0.0), -1.0) << "above the stirrups";
}

} // namespace
