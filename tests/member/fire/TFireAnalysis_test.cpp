// The fire model: fire curves, the clock, point classes, the read-out and the temperature
// field against exact conduction and symmetry.

#include "member/fire/TFireAnalysis.h"

#include <array>
#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include "foundation/Units.h"
#include "member/fire/FireLaws.h"
#include "support/TestSupport.h"

namespace {

constexpr int kN = TFireAnalysis_2Ds::kGridSize;
using Profile = std::array<int, kN>;

// A model of the depth with the edge columns and row-bounded flags given.
std::unique_ptr<TFireAnalysis_2Ds>
Model(double depth, int mask, int curve, double constant, const Profile& edges, const Profile& bounded)
{
    auto model = std::make_unique<TFireAnalysis_2Ds>(depth, mask, curve, constant);
    model->SetWidthProfile(edges, bounded);
    return model;
}

Profile Filled(int value)
{
    Profile p{};
    p.fill(value);
    return p;
}

void RunToEnd(TFireAnalysis_2Ds& model, double end)
{
    model.Start(end);
    while (model.IsRunning())
        model.Step();
}

// Temperature at grid point (row, column).
double At(const TFireAnalysis_2Ds& model, int row, int column)
{
    const double h = model.GetGridSpacing();
    return model.GetTemperature(row * h, column * h);
}

TEST(FireCurves, StandardFireFollowsItsFormulaAndTheTablesInterpolate)
{
    // T = 20 + 345 log10(8 t + 1), t in minutes.
    TFireAnalysis_2Ds iso(0.5, 7, kISO834Fire, 0.0);
    iso.Start(7200.0);
    const double minutes[][2] = {{5, 576.4}, {30, 841.8}, {60, 945.3}, {120, 1049.0}};
    for (const auto& [t, T] : minutes)
        EXPECT_NEAR(iso.FireTemperatureAt(t * 60.0), T, 0.1) << t << " min";
    EXPECT_NEAR(iso.FireTemperatureAt(0.0), 20.0, 1e-12);
    EXPECT_NEAR(iso.GetMaxFireTemperature(), 1049.0, 0.1) << "the range of a 2 h exposure";

    TFireAnalysis_2Ds npd(0.5, 7, kNPDFire, 0.0);
    npd.Start(3600.0);
    EXPECT_NEAR(npd.FireTemperatureAt(187.5), 850.0, 1e-9);
    EXPECT_NEAR(npd.FireTemperatureAt(1200.0), 1050.0, 1e-9);
    EXPECT_NEAR(npd.GetMaxFireTemperature(), 1200.0, 1e-9);

    TFireAnalysis_2Ds constant(0.5, 7, kConstantFire, 750.0);
    constant.Start(3600.0);
    EXPECT_NEAR(constant.FireTemperatureAt(0.0), 750.0, 1e-9);
    EXPECT_NEAR(constant.FireTemperatureAt(99999.0), 750.0, 1e-9);
    EXPECT_NEAR(constant.GetMaxFireTemperature(), 750.0, 1e-9);
}

TEST(FireClock, StepCountsAndTheShortenedLastStep)
{
    struct Row {
        double end;       // requested
        double reached;   // end time run to
        int steps;        // steps taken
        double firstStep; // length of the first step
        double lastStep;  // and of the last
    };
    const Row rows[] = {{30.0, 60.0, 10, 6.0, 6.0},
                        {-5.0, 60.0, 10, 6.0, 6.0},
                        {300.0, 300.0, 10, 30.0, 30.0},
                        {3630.0, 3630.0, 61, 60.0, 30.0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.end);
        // The clock does not depend on the field: a section with no exposed face.
        TFireAnalysis_2Ds model(0.5, 0, kConstantFire, FireStartTemperature);
        model.Start(row.end);
        EXPECT_DOUBLE_EQ(model.GetTimeStep(), row.firstStep);
        int steps = 0;
        double last = 0.0;
        while (model.IsRunning()) {
            const double before = model.GetCurrentTime();
            const int done = model.Step();
            last = model.GetCurrentTime() - before;
            ++steps;
            EXPECT_EQ(done, model.IsRunning() ? 0 : 1);
        }
        EXPECT_EQ(steps, row.steps);
        EXPECT_EQ(model.GetCurrentTime(), row.reached) << "lands exactly on the end";
        EXPECT_EQ(model.Step(), 1) << "a finished model only answers";
        EXPECT_NEAR(last, row.lastStep, 1e-9);
    }
}

TEST(FirePoints, ClassesOfASteppedSection)
{
    // A T: web rows 0..59 of half-width 20, flange rows 60..100 of half-width 60.
    Profile edges{};
    for (int i = 0; i < kN; ++i)
        edges[i] = i < 60 ? 20 : 60;
    struct Row {
        int row;
        int column;
        int sides;   // class with the sides exposed (mask 2)
        int none;    // class with no face exposed (mask 0)
        int allFace; // class with every face exposed (mask 7)
    };
    const Row rows[] = {
        {30, 10, kFireInterior, kFireInterior, kFireInterior},
        {30, 20, kFireExposed, kFireSideFace, kFireExposed},
        {30, 21, kFireOutside, kFireOutside, kFireOutside},
        {60, 19, kFireInterior, kFireInterior, kFireInterior},
        {60, 20, kFireExposed, kFireSideFace, kFireExposed}, // underside of the flange
        {60, 40, kFireExposed, kFireSideFace, kFireExposed},
        {59, 40, kFireOutside, kFireOutside, kFireOutside},
        {0, 10, kFireBottomFace, kFireBottomFace, kFireExposed},
        {0, 20, kFireExposed, kFireCorner, kFireExposed},
        {100, 59, kFireTopFace, kFireTopFace, kFireExposed},
        {100, 60, kFireExposed, kFireCorner, kFireExposed},
        {100, 61, kFireOutside, kFireOutside, kFireOutside},
    };
    const auto sides = Model(0.6, kExposeSides, kISO834Fire, 0.0, edges, Filled(1));
    const auto none = Model(0.6, 0, kISO834Fire, 0.0, edges, Filled(1));
    const auto all = Model(0.6, 7, kISO834Fire, 0.0, edges, Filled(1));
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.row << "," << row.column);
        EXPECT_EQ(sides->ClassifyPoint(row.row, row.column), row.sides);
        EXPECT_EQ(none->ClassifyPoint(row.row, row.column), row.none);
        EXPECT_EQ(all->ClassifyPoint(row.row, row.column), row.allFace);
    }
    // A row wider than the grid is cut at column 100: an adiabatic edge whatever the mask.
    const auto cut = Model(0.6, 7, kISO834Fire, 0.0, Filled(100), Filled(0));
    EXPECT_EQ(cut->ClassifyPoint(50, 100), kFireSideFace);
    EXPECT_EQ(cut->ClassifyPoint(0, 100), kFireExposed) << "as the bottom face";
    const auto cutTop = Model(0.6, kExposeBottom, kISO834Fire, 0.0, Filled(100), Filled(0));
    EXPECT_EQ(cutTop->ClassifyPoint(100, 100), kFireTopFace);
}

TEST(FireReadOut, BilinearInsideAndMarkedOutside)
{
    // Constant 1000 degrees on the bottom: after Start row 0 is at 1000, the rest at 20.
    auto model = Model(0.5, kExposeBottom, kConstantFire, 1000.0, Filled(50), Filled(1));
    EXPECT_EQ(model->GetTemperature(0.1, 0.1), 0.0) << "before Start";
    model->Start(600.0);
    const double h = model->GetGridSpacing();
    EXPECT_DOUBLE_EQ(h, 0.005);
    EXPECT_NEAR(model->GetTemperature(h / 2.0, 0.03), 510.0, 1e-9);
    EXPECT_NEAR(model->GetTemperature(0.25 * h, 0.2 * h), 755.0, 1e-9);
    EXPECT_EQ(model->GetTemperature(-h, 0.0), TFireAnalysis_Base::kOutsideGrid);
    EXPECT_EQ(model->GetTemperature(0.0, 101.0 * h), TFireAnalysis_Base::kOutsideGrid);
    EXPECT_NE(model->GetTemperature(-0.5 * h, 0.0), TFireAnalysis_Base::kOutsideGrid)
        << "truncation toward zero reads row 0";
    EXPECT_NEAR(model->GetTemperature(0.5 + 0.5 * h, 0.0), 20.0, 1e-9) << "the spare row";

    // The chart series: a header, then 51 x 51 points, outside points marked.
    ValueGuard<int> units(g_UnitSystem, kUnitUS);
    model->ResetPlotIterator();
    double x = 0.0;
    double value = 0.0;
    ASSERT_EQ(model->GetNextPlotPoint(2110, x, value), 1);
    EXPECT_DOUBLE_EQ(x, 0.5);
    EXPECT_DOUBLE_EQ(value, 51.0);
    int points = 0;
    int outside = 0;
    double bottomCentre = 0.0;
    while (model->GetNextPlotPoint(2110, x, value)) {
        ++points;
        outside += value == TFireAnalysis_2Ds::kPlotOutside ? 1 : 0;
        if (points == 2601)
            bottomCentre = value; // last point: row 0, column 0
    }
    EXPECT_EQ(points, 2601);
    EXPECT_EQ(outside, 25 * 51) << "columns 52..100 lie outside a half-width of 50";
    EXPECT_NEAR(bottomCentre, 1800.0, 1e-9) << "1000 degrees times 1.8 in US units";
    EXPECT_EQ(model->GetNextPlotPoint(2110, x, value), 0);
}

// Exact conduction into a half-space whose face is held at Tf from t = 0:
// T = T0 + (Tf - T0) erfc(x / (2 sqrt(a t))).
double HalfSpace(double x, double t, double a)
{
    return FireStartTemperature +
           (1000.0 - FireStartTemperature) * std::erfc(x / (2.0 * std::sqrt(a * t)));
}

TEST(FireField, BottomExposedSectionMatchesOneDimensionalConduction)
{
    // 0.6 m deep and 1.6 m wide (rows cut at the grid edge), constant 1000 degrees on the
    // bottom for 30 min. Diffusivity lies between 4e-7 and ThermalDiffusivity(20), so the
    // exact solution is bounded by the two constant-diffusivity solutions.
    auto model = Model(0.6, kExposeBottom, kConstantFire, 1000.0, Filled(100), Filled(0));
    const double t = 1800.0;
    RunToEnd(*model, t);
    const double aLow = ThermalDiffusivity(1000.0);
    const double aHigh = ThermalDiffusivity(FireStartTemperature);
    for (int row : {4, 8, 12}) {
        const double x = row * model->GetGridSpacing();
        SCOPED_TRACE(x);
        const double centre = At(*model, row, 0);
        EXPECT_GT(centre, HalfSpace(x, t, aLow));
        EXPECT_LT(centre, HalfSpace(x, t, aHigh));
        for (int column : {1, 37, 99, 100})
            EXPECT_NEAR(At(*model, row, column), centre, 0.05) << "column " << column;
    }
    // The field depends on x / sqrt(t) alone, so 50 / sqrt(2) mm up after 30 min reads what
    // 50 mm does after 60 min: about 440 degrees with the step equations solved, where a loose
    // stopping rule leaves about 250 (the bounds are 364 and 544).
    EXPECT_NEAR(model->GetTemperature(0.05 / std::sqrt(2.0), 0.0), 440.0, 15.0);
}

TEST(FireField, SectionExposedOnAllFacesIsSymmetric)
{
    // A 0.6 m square under the standard fire: symmetric about mid-height and about the
    // diagonals of the square (row 50 + u, column v against row 50 + v, column u).
    auto model = Model(0.6, 7, kISO834Fire, 0.0, Filled(50), Filled(1));
    RunToEnd(*model, 1200.0);
    constexpr double kSymmetryTol = 0.1;
    for (int i = 0; i <= 50; i += 5) {
        for (int j = 0; j <= 50; j += 5) {
            SCOPED_TRACE(testing::Message() << i << "," << j);
            EXPECT_NEAR(At(*model, 50 + i, j), At(*model, 50 - i, j), kSymmetryTol);
            EXPECT_NEAR(At(*model, 50 + i, j), At(*model, 50 + j, i), kSymmetryTol);
        }
    }
    EXPECT_GT(At(*model, 1, 0), At(*model, 2, 0)) << "hotter towards the face";
}

TEST(FireField, AdiabaticFacesMirrorAtTheCentreLineAndCutEdges)
{
    // A deep, narrow section heated from its sides: near the unexposed top the field varies
    // only across the width, so the top point on the centre line follows mid-height.
    Profile narrow = Filled(5);
    auto sides = Model(0.6, kExposeSides, kConstantFire, 1000.0, narrow, Filled(1));
    RunToEnd(*sides, 1800.0);
    EXPECT_GT(At(*sides, 50, 0), 500.0);
    EXPECT_NEAR(At(*sides, 100, 0), At(*sides, 50, 0), 0.5);
    EXPECT_NEAR(At(*sides, 100, 2), At(*sides, 50, 2), 0.5);

    // An inverted T whose one-row bottom flange is wider than the grid: the flange's upper
    // surface is exposed, its bottom is not, and its cut edge is adiabatic, so the flange
    // heats alike all along, the cut edge included.
    Profile edges = Filled(25);
    Profile bounded = Filled(1);
    edges[0] = 100;
    bounded[0] = 0;
    auto flange = Model(0.6, kExposeSides, kConstantFire, 1000.0, edges, bounded);
    RunToEnd(*flange, 600.0);
    EXPECT_GT(At(*flange, 0, 90), 900.0);
    EXPECT_NEAR(At(*flange, 0, 100), At(*flange, 0, 90), 0.05);
}

TEST(FireField, UnexposedCornerKeepsItsStartingTemperature)
{
    auto model = Model(0.6, kExposeBottom, kConstantFire, 1000.0, Filled(30), Filled(1));
    RunToEnd(*model, 600.0);
    EXPECT_EQ(model->ClassifyPoint(100, 30), kFireCorner);
    EXPECT_EQ(At(*model, 100, 30), FireStartTemperature);
    EXPECT_EQ(At(*model, 0, 30), 1000.0) << "the bottom corner is on the exposed face";
}

} // namespace
