// The walk of a chart's data into strokes: separators, line types, marker runs, the readout
// pair and the curve pieces, with an identity transform so that pixels are data values.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "charts/ChartTrace.h"

namespace {

constexpr double kBig = 3.1415626e31;

struct Recorder final : ChartTraceSink {
    std::vector<std::string> log;
    void LineType(int type) override { log.push_back("type " + std::to_string(type)); }
    void CurvePen(bool chartLine) override { log.push_back(chartLine ? "pen line" : "pen red"); }
    void MoveTo(int x, int y) override { log.push_back(Pt("move", x, y)); }
    void LineTo(int x, int y) override { log.push_back(Pt("line", x, y)); }
    void Marker(int x, int y) override { log.push_back(Pt("marker", x, y)); }
    static std::string Pt(const char* what, int x, int y)
    {
        return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y);
    }
    int Count(const std::string& prefix) const
    {
        int n = 0;
        for (const std::string& s : log)
            n += s.rfind(prefix, 0) == 0;
        return n;
    }
};

// y grows upward in data and downward in pixels: offset 100 puts y = 0 on row 100.
const ChartTransform kUnit{0.0, 100.0, 1.0, 1.0};

std::vector<double> Pairs(std::initializer_list<std::pair<double, double>> p)
{
    std::vector<double> v;
    for (const auto& [x, y] : p) {
        v.push_back(x);
        v.push_back(y);
    }
    return v;
}

TEST(ChartTrace, PolylineWithSeparatorsAndLineTypes)
{
    Recorder r;
    TraceChartData(Pairs({{0, 0}, {10, 10}, {kBig, kBig}, {kBig, 2}, {20, 5}, {30, 5}}), kUnit, 0,
                   kNoSelectedPoint, 2, r);
    const std::vector<std::string> expected = {"move 0,100", "line 10,90", "type 2",
                                               "move 20,95", "line 30,95"};
    EXPECT_EQ(r.log, expected);
}

TEST(ChartTrace, AMarkerRunDrawsSquaresAndNoLine)
{
    Recorder r;
    TraceChartData(Pairs({{kBig, -1}, {1, 1}, {2, 2}, {3, 3}}), kUnit, 0, kNoSelectedPoint, 2, r);
    EXPECT_EQ(r.Count("marker"), 3);
    EXPECT_EQ(r.Count("line"), 0);
    EXPECT_EQ(r.Count("move"), 0);

    // A line after a marker run starts afresh.
    Recorder s;
    TraceChartData(Pairs({{0, 0}, {1, 1}, {kBig, -1}, {5, 5}, {kBig, 1}, {6, 6}, {7, 7}}), kUnit, 0,
                   kNoSelectedPoint, 2, s);
    const std::vector<std::string> expected = {"move 0,100", "line 1,99", "marker 5,95", "type 1",
                                               "move 6,94", "line 7,93"};
    EXPECT_EQ(s.log, expected);
}

TEST(ChartTrace, SelectedPointIsCountedWithSeparators)
{
    // Pairs are numbered from 1 with separators; line start 2 and point 2 mean pair 4.
    Recorder r;
    const ChartMarker m = TraceChartData(
        Pairs({{0, 0}, {kBig, kBig}, {1, 10}, {2, 20}, {3, 30}}), kUnit, 0, 2, 2, r);
    ASSERT_TRUE(m.found);
    EXPECT_EQ(m.x, 2);
    EXPECT_EQ(m.y, 80);
    Recorder s;
    EXPECT_FALSE(TraceChartData(Pairs({{0, 0}, {1, 1}}), kUnit, 0, 5, 2, s).found);
}

TEST(ChartTrace, FarValuesStayWithinPixels)
{
    Recorder r;
    TraceChartData(Pairs({{0, 0}, {1e29, -1e29}}), ChartTransform{0, 0, 1e9, 1e9}, 0,
                   kNoSelectedPoint, 2, r);
    EXPECT_EQ(r.log.back(), "line 10000000,10000000");
}

TEST(ChartTrace, CurveThroughFivePointsIsTwoParabolas)
{
    // x = y^2 through (0,0), (1,1), (4,2), (9,3), (16,4): every stroke lies on the parabola.
    Recorder r;
    TraceChartData(Pairs({{0, 0}, {1, 1}, {4, 2}, {9, 3}, {16, 4}}), ChartTransform{0, 1000, 100, 100},
                   1, kNoSelectedPoint, 2, r);
    ASSERT_EQ(r.Count("line"), 14);
    EXPECT_EQ(r.log.front(), "move 0,1000");
    for (std::size_t i = 1; i < r.log.size(); ++i) {
        int x = 0;
        int y = 0;
        ASSERT_EQ(std::sscanf(r.log[i].c_str(), "line %d,%d", &x, &y), 2);
        const double yd = (1000 - y) / 100.0;
        // Half a pixel in y moves x by up to 2 y / 200 = 0.04 on this stretch.
        EXPECT_NEAR(x / 100.0, yd * yd, 0.05) << r.log[i];
    }
    EXPECT_EQ(r.log[7], "line 400,800");
    EXPECT_EQ(r.log.back(), "line 1600,600");
}

TEST(ChartTrace, CurveJoinsStraightWhereNoParabolaExists)
{
    // Equal y values, uneven y spacing and a point left over are joined straight.
    Recorder flat;
    TraceChartData(Pairs({{0, 5}, {1, 5}, {2, 5}}), kUnit, 1, kNoSelectedPoint, 2, flat);
    EXPECT_EQ(flat.log, (std::vector<std::string>{"move 0,95", "line 1,95", "line 2,95"}));

    Recorder uneven;
    TraceChartData(Pairs({{0, 0}, {1, 1}, {2, 5}}), kUnit, 1, kNoSelectedPoint, 2, uneven);
    EXPECT_EQ(uneven.log, (std::vector<std::string>{"move 0,100", "line 1,99", "line 2,95"}));

    Recorder even;
    TraceChartData(Pairs({{0, 0}, {1, 1}, {4, 2}, {9, 3}}), kUnit, 1, kNoSelectedPoint, 2, even);
    EXPECT_EQ(even.Count("line"), 8);
    EXPECT_EQ(even.log.back(), "line 9,97");
}

TEST(ChartTrace, CurveLineTypeBeforeTheFirstPointSelectsItsPen)
{
    Recorder r;
    TraceChartData(Pairs({{kBig, 3}, {0, 0}, {1, 1}, {4, 2}}), kUnit, 1, kNoSelectedPoint, 2, r);
    EXPECT_EQ(r.log.front(), "type 3");
    EXPECT_EQ(r.log[1], "move 0,100");
}

} // namespace
