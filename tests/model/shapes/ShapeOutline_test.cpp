#include <cmath>

#include <gtest/gtest.h>

#include "foundation/TDepthTable.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/shapes/ShapeFormula.h"
#include "model/shapes/ShapeTestSupport.h"

namespace {

constexpr double kTol = 1e-9;
// Zero widths are widened to this (m).
constexpr double kZeroWidth = 0.0001;

// --- formulas --------------------------------------------------------------------------------

struct FormulaTest : ::testing::Test {
    FormulaTest()
    {
        shape.paramCount = 4;
        shape.paramNames = {"a", "b", "c", "h", "", ""};
    }
    FormulaResult Evaluate(const std::string& text)
    {
        std::string code;
        shape.CompileFormula(text, code);
        std::size_t cursor = 0;
        const FormulaResult result = EvaluateShapeFormula(code, cursor, {2, 3, 5, 7, 0, 0});
        EXPECT_EQ(cursor, code.size());
        return result;
    }
    RecordingReporter reporter;
    TShape shape{0};
};

TEST_F(FormulaTest, ArithmeticFollowsTheUsualRules)
{
    const std::pair<const char*, double> cases[] = {
        {"a-b*c-h", -20},
        {"h/a/b", 7.0 / 6},
        {"h/(a+b)/c", 0.28},
        {"-a+h", 5},
        {".5*h", 3.5},
        {"h/0", 0},
        {"5/0.0004", 5000},
        {"((((((((a))))))))", 2},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        const FormulaResult result = Evaluate(text);
        ASSERT_EQ(result.status, FormulaStatus::Ok);
        EXPECT_NEAR(result.value, expected, kTol);
    }
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(FormulaTest, BrokenFormulasAreRefused)
{
    for (const char* text : {"a+", "(a", "a)", "a(b)", "1.2.3", "x", "5/-2"})
        EXPECT_EQ(Evaluate(text).status, FormulaStatus::Malformed) << text;
    for (const char* text : {"(((((((((a)))))))))", "a-(a-(a-(a-(a-b))))"})
        EXPECT_EQ(Evaluate(text).status, FormulaStatus::TooDeep) << text;
    // Refused before the stack is misused: no "Error in the new equation" box.
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(FormulaTest, MarkerRowsGiveTheMarkerValue)
{
    std::size_t cursor = 0;
    const std::string code = "$\n%\n";
    EXPECT_EQ(EvaluateShapeFormula(code, cursor, {}).marker, ShapeMarker::Down);
    EXPECT_EQ(EvaluateShapeFormula(code, cursor, {}).marker, ShapeMarker::Up);
    EXPECT_EQ(cursor, code.size());
    EXPECT_EQ(EvaluateShapeFormula(code, cursor, {}).status, FormulaStatus::Malformed);
}

// --- outlines of the default shapes ----------------------------------------------------------

struct DefaultShapesTest : ShapeLibraryTest {
    void SetUp() override
    {
        ShapeLibraryTest::SetUp();
        ASSERT_EQ(LoadShapeLibrary(0), 1);
    }
    TShape& Shape(const char* name) { return *ShapeTable[FindShapeIndex(name)]; }
};

TEST_F(DefaultShapesTest, CircleIsAPolygonInscribedInIt)
{
    TShape& circle = Shape("CIRCLE");
    const double d = 0.4;
    const double r = d / 2;
    ASSERT_EQ(circle.EvaluateOutline({d, 1, 1, 1, 1, 1}), 1);
    ASSERT_EQ(circle.pointCount, 1 + 6 + 6);
    EXPECT_NEAR(circle.points[0].depth, d, kTol);
    EXPECT_NEAR(circle.points[6].width, d, kTol);
    EXPECT_NEAR(circle.points[12].depth, 0.0, kTol);
    for (int i = 0; i < circle.pointCount; ++i) {
        SCOPED_TRACE(i);
        const double halfWidth = circle.points[i].width / 2;
        const double fromCentre = circle.points[i].depth - r;
        const bool pole = i == 0 || i == 12;
        EXPECT_NEAR(std::hypot(halfWidth, fromCentre), r, pole ? kZeroWidth : kTol);
        EXPECT_NEAR(std::acos(-fromCentre / r), (12 - i) * M_PI / 12, pole ? 1e-3 : kTol);
    }
    // 24-gon of radius r: (n/2) r^2 sin(2 pi / n).
    EXPECT_NEAR(ShoelaceArea(circle), 12 * r * r * std::sin(M_PI / 12), 1e-5);
    EXPECT_NEAR(GetShapeHeight(circle), d, kTol);
}

TEST_F(DefaultShapesTest, IBeamAreaMatchesHandValueAndTheTeeFillsBothTables)
{
    TShape& ibeam = Shape("IBEAM");
    ASSERT_EQ(ibeam.EvaluateOutline({0.8, 1.0, 0.2, 0.15, 0.2, 0.5}), 1);
    ASSERT_EQ(ibeam.pointCount, 6);
    EXPECT_NEAR(ShoelaceArea(ibeam), 0.8 * 0.15 + 0.2 * 0.65 + 0.5 * 0.2, kTol);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_FALSE(HasReportText());

    // The tee's outline fills a width table and a table of a constant value at its depths.
    TDepthTable widths("widths");
    TDepthTable values("values");
    widths.Add(9, 9); // replaced
    ASSERT_EQ(EvaluateShapeOutline(Shape("TBEAM"), widths, values, {1.0, 0.6, 0.3, 0.1, 1, 1}, 7),
              1);
    EXPECT_EQ(widths.Pairs(),
              (std::vector<DepthPair>{{0.6, 1.0}, {0.5, 1.0}, {0.5, 0.3}, {0, 0.3}}));
    EXPECT_EQ(values.Pairs(), (std::vector<DepthPair>{{0.6, 7}, {0.5, 7}, {0.5, 7}, {0, 7}}));
}

TEST_F(DefaultShapesTest, FlangeThickerThanBeamIsCorrectedAndReported)
{
    TShape& tee = Shape("TBEAM");
    // Rows give depths 0.5, -0.1, -0.1, 0: the two points below 0 are raised in turn.
    EXPECT_EQ(tee.EvaluateOutline({1.0, 0.5, 0.3, 0.6, 1, 1}), 0);
    EXPECT_NEAR(tee.points[2].depth, 0.01, kTol);
    EXPECT_NEAR(tee.points[1].depth, 0.02, kTol);
    EXPECT_NE(Report().find("TBEAM: Out of sequence depths at depth 0.000 m\r\nThis means"),
              std::string::npos)
        << Report();
}

TEST_F(ShapeLibraryTest, NegativeWidthIsMadePositiveAndReported)
{
    ASSERT_EQ(LoadShapes("TYPE NEG\n\tN\nPARAMS b h\n\tW\n\tH\nSECTION\nh -b\n0 b\nENDTYPE\n"), 1);
    TShape& shape = *ShapeTable[0];
    EXPECT_EQ(shape.EvaluateOutline({0.3, 0.5, 1, 1, 1, 1}), 0);
    EXPECT_NEAR(shape.points[0].width, 0.3, kTol);
    EXPECT_NE(Report().find("NEG: Negative width found at elevation 0.500 m\r\nMade positive"),
              std::string::npos);

    // The elevation is shown in the length unit of the active system: 0.5 m = 1.640 ft.
    ValueGuard<int> us(g_UnitSystem, kUnitUS);
    ClearReportText();
    shape.EvaluateOutline({0.3, 0.5, 1, 1, 1, 1});
    EXPECT_NE(Report().find("elevation 1.640 ft\r\n"), std::string::npos);
}

// A row whose height only reaches the arc markers' magnitude through its parameters is an
// outline row all the same: markers are told by their code.
TEST_F(ShapeLibraryTest, RowsReachingTheMarkerMagnitudeAreOutlineRows)
{
    ASSERT_EQ(LoadShapes("TYPE TALL\n\tT\nPARAMS b h\n\tW\n\tH\nSECTION\n"
                         "h*10000000000000000000000 b\n0 b\nENDTYPE\n"),
              1);
    TShape& shape = *ShapeTable[0];
    // h = 1 m = 1000 mm: the first row stands at 1e25 mm = 1e22 m.
    ASSERT_EQ(shape.EvaluateOutline({0.3, 1.0, 1, 1, 1, 1}), 1) << Report();
    ASSERT_EQ(shape.pointCount, 2);
    EXPECT_DOUBLE_EQ(shape.points[0].depth, 1e22);
    EXPECT_DOUBLE_EQ(shape.points[1].width, 0.3);
    EXPECT_DOUBLE_EQ(GetShapeHeight(shape), 1e22);
}

// --- beams -----------------------------------------------------------------------------------

TEST_F(DefaultShapesTest, ShapeByNameAndRegionsFromTheOutlineAboveTheBeamBottom)
{
    TBeam beam(TBeam::Empty{});
    beam.AddRegion(0.25, -0.25, 1.0, 1.0, 0, 1);
    ASSERT_DOUBLE_EQ(beam.GetBottom(), -0.25);
    EXPECT_EQ(SelectShapeByName(beam, "TBEAM"), 1);
    EXPECT_EQ(beam.GetSectionKindCode(), 2);
    EXPECT_EQ(SelectShapeByName(beam, "tbeam"), 0);
    EXPECT_EQ(beam.GetShapeName(), "TBEAM");

    beam.SetShapeType(-1);
    ASSERT_EQ(BuildRegionsFromOutline(Shape("TBEAM"), beam, {1.0, 0.6, 0.3, 0.1, 1, 1}, 3), 1);
    EXPECT_EQ(beam.GetSectionKindCode(), 2);
    ASSERT_EQ(beam.GetRegionCount(), 2); // the step at the flange gives no region
    EXPECT_NEAR(beam.GetRegion(0)->top, 0.35, kTol);
    EXPECT_NEAR(beam.GetRegion(0)->bottom, 0.25, kTol);
    EXPECT_NEAR(beam.GetRegion(0)->topWidth, 1.0, kTol);
    EXPECT_NEAR(beam.GetRegion(1)->bottom, -0.25, kTol);
    EXPECT_NEAR(beam.GetRegion(1)->bottomWidth, 0.3, kTol);
    EXPECT_EQ(beam.GetRegion(1)->concreteType, 3);

    EXPECT_EQ(BuildRegionsFromOutline(Shape("TBEAM"), beam, {1.0, 0.5, 0.3, 0.6, 1, 1}, 0), 0);
    EXPECT_EQ(beam.GetSectionKindCode(), kUserShapeCode);
    EXPECT_EQ(beam.GetShapeName(), "USER");
}

} // namespace
