#include "model/catalogues/TDivisionRows.h"

#include <climits>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

using Divisions = std::vector<TDivision>;

// A rectangle as the importer of triangle sections builds it: two triangles per region.
int AddRectangle(TDivisionRows& raster, int left, int right, int bottom, int top, std::uint16_t tag)
{
    int conflict = 0;
    EXPECT_EQ(raster.AddTriangle({left, top}, {right, top}, {left, bottom}, tag, conflict), 1);
    EXPECT_EQ(raster.AddTriangle({right, top}, {right, bottom}, {left, bottom}, tag, conflict), 1);
    return conflict;
}

long long SumOfWidths(const TDivisionRows& raster)
{
    long long sum = 0;
    for (int r = 0; r < raster.GetRows(); ++r)
        sum += raster.GetWidth(r);
    return sum;
}

Divisions AllDivisions(TDivisionRows& raster)
{
    raster.SortLocations();
    Divisions out;
    while (raster.HasMore() && out.size() < 100)
        out.push_back(raster.NextDivision());
    return out;
}

TEST(TDivisionRowsTest, RasterSizeAndNoneValueFollowN)
{
    const struct {
        int n, rows, none;
    } rows[] = {{0, 10, 65535}, {31494, 62998, 65535}, {31495, 63000, 4000000}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.n);
        TDivisionRows raster;
        ASSERT_EQ(raster.Init(row.n), 1);
        EXPECT_EQ(raster.GetRows(), row.rows);
        EXPECT_EQ(raster.GetNoneValue(), row.none);
    }
    for (int n : {-1, 10000001}) {
        TDivisionRows raster;
        EXPECT_EQ(raster.Init(n), 0) << n;
        EXPECT_FALSE(raster.HasRaster()) << n;
    }
}

TEST(TDivisionRowsTest, RowIntersectionOfEdges)
{
    const struct {
        int x1, y1, x2, y2, r;
        std::optional<int> column;
    } rows[] = {
        {0, 5, 10, 5, 5, std::nullopt},   // horizontal edge
        {0, 0, 10, 10, 11, std::nullopt}, // row beyond the edge
        {0, 0, 5, 10, 5, 3},              // 2.5 + 0.5 rounds half up
        {-10, 0, 10, 4, 1, -4},           // -5 + 0.5 truncates toward zero
        {INT_MIN, 0, INT_MAX, 2, 1, 0},   // extreme columns
    };
    for (const auto& row : rows)
        EXPECT_EQ(TDivisionRows::RowIntersection(row.x1, row.y1, row.x2, row.y2, row.r), row.column)
            << row.x1 << " " << row.r;
}

TEST(TDivisionRowsTest, TrianglesAddTheirWidthsRowByRow)
{
    TDivisionRows raster;
    ASSERT_EQ(raster.Init(10), 1);
    int conflict = 0;
    EXPECT_EQ(raster.AddTriangle({0, 0}, {10, 0}, {0, 10}, 3, conflict), 1);
    EXPECT_EQ(conflict, 0);
    for (int r = 0; r < raster.GetRows(); ++r) {
        EXPECT_EQ(raster.GetWidth(r), r < 10 ? 10 - r : 0) << r;
        EXPECT_EQ(raster.GetTag(r), r < 10 ? 3 : kNoDivisionTag) << r;
    }
    // The other half of the 10 x 10 square completes a rectangle: one division.
    raster.AddTriangle({10, 0}, {10, 10}, {0, 10}, 3, conflict);
    EXPECT_EQ(SumOfWidths(raster), 100);
    EXPECT_EQ(AllDivisions(raster), (Divisions{{10, 10, 0, 10, 3}}));
}

TEST(TDivisionRowsTest, StackedRegionsGiveOneDivisionEachAndConflictsTakeTheLarger)
{
    TDivisionRows raster;
    ASSERT_EQ(raster.Init(20), 1);
    EXPECT_EQ(AddRectangle(raster, 0, 20, 0, 10, 1), 0);
    // A web narrowing from columns 5 .. 15 at row 10 to 8 .. 12 at row 30.
    int conflict = 0;
    raster.AddTriangle({5, 10}, {15, 10}, {8, 30}, 2, conflict);
    raster.AddTriangle({15, 10}, {12, 30}, {8, 30}, 2, conflict);
    EXPECT_EQ(conflict, 0);
    // At row 29 the web's edges lie at 8.15 and 11.85; each crossing is rounded by
    // truncating x + 0.5, to 8 and 12.
    EXPECT_EQ(AllDivisions(raster), (Divisions{{10, 20, 0, 20, 1}, {30, 4, 10, 10, 2}}));

    // Different tags on one row: the wider takes the row, and a narrower third does not.
    ASSERT_EQ(raster.Init(10), 1);
    EXPECT_EQ(AddRectangle(raster, 0, 4, 0, 10, 1), 0);
    EXPECT_EQ(AddRectangle(raster, 4, 20, 0, 10, 2), 1);
    EXPECT_EQ(AddRectangle(raster, 20, 22, 0, 10, 3), 1);
    EXPECT_EQ(raster.GetTag(5), 2);
    EXPECT_EQ(raster.GetWidth(5), 22);
}

TEST(TDivisionRowsTest, CloseLocationsOfEqualWidthAreMergedUpToTheLast)
{
    TDivisionRows raster;
    ASSERT_EQ(raster.Init(20), 1);
    AddRectangle(raster, 0, 20, 0, 20, 1);
    // A triangle of no area puts locations at row 2 without changing any width.
    int conflict = 0;
    raster.AddTriangle({50, 2}, {50, 2}, {50, 2}, 1, conflict);
    EXPECT_EQ(AllDivisions(raster), (Divisions{{20, 20, 0, 20, 1}}));

    // Rows 0 and 2 only, widths 4 and 0: the walk would otherwise run past the last location.
    ASSERT_EQ(raster.Init(10), 1);
    AddRectangle(raster, 0, 4, 0, 2, 1);
    EXPECT_EQ(AllDivisions(raster), (Divisions{{2, 4, 0, 4, 1}}));
    EXPECT_EQ(raster.NextDivision(), TDivision{});
}

TEST(TDivisionRowsTest, TrianglesAreClippedToTheRasterAndHugeOnesSaturate)
{
    TDivisionRows raster;
    ASSERT_EQ(raster.Init(5), 1); // rows 0 .. 19
    int conflict = 0;
    raster.AddTriangle({0, -100}, {40, -100}, {0, -50}, 1, conflict);
    raster.AddTriangle({0, INT_MAX - 1}, {40, INT_MAX}, {0, INT_MAX}, 1, conflict);
    EXPECT_EQ(SumOfWidths(raster), 0);
    EXPECT_EQ(raster.GetTag(0), kNoDivisionTag);

    // Width 40 - (r + 10) = 30 - r inside the raster; the layer ends at the raster's edges.
    raster.AddTriangle({0, -10}, {40, -10}, {0, 30}, 1, conflict);
    EXPECT_EQ(SumOfWidths(raster), 410); // 30 + 29 + ... + 11
    EXPECT_EQ(raster.GetWidth(20), 0);
    EXPECT_EQ(AllDivisions(raster), (Divisions{{20, 11, 0, 30, 1}}));

    for (int i = 0; i < 2; ++i)
        raster.AddTriangle({INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}, 1, conflict);
    for (int r = 0; r < raster.GetRows(); ++r)
        EXPECT_EQ(raster.GetWidth(r), INT_MAX) << r;
}

TEST(TDivisionRowsTest, WithoutRasterReportsIntegrityFaultAndFreeReleasesAll)
{
    RecordingReporter rec;
    TDivisionRows raster;
    int conflict = 0;
    EXPECT_EQ(raster.AddTriangle({0, 0}, {10, 0}, {0, 10}, 1, conflict), 1);
    EXPECT_EQ(raster.GetWidth(3), -1);
    EXPECT_EQ(rec.Count("division rows not allocated"), 2);

    ASSERT_EQ(raster.Init(10), 1);
    AddRectangle(raster, 0, 20, 0, 10, 1);
    raster.Free();
    EXPECT_FALSE(raster.HasRaster());
    EXPECT_EQ(raster.GetLocations().GetCount(), 0);
    EXPECT_FALSE(raster.HasMore());
}

} // namespace
