// The chart data contract: storing, bounds, automatic scaling with its nice steps, formats and
// the readout, checked against the worked values of the chart's design.

#include <cmath>
#include <limits>
#include <utility>

#include <gtest/gtest.h>

#include "charts/ChartData.h"

namespace {

constexpr double kBigValue = 3.1415626e31;

ChartData Fed(std::initializer_list<std::pair<double, double>> points, int xp = 3, int yp = 3)
{
    ChartData d(xp, yp, 0);
    for (const auto& [x, y] : points)
        d.AddPoint(x, y);
    d.AutoScale();
    return d;
}

TEST(ChartData, NiceStepRoundsUpToOneSignificantDigit)
{
    // v / 7 = 0.4286 -> 0.5, 1.714 -> 2, 2.142 -> 3, 0.7 -> 0.7 (not 0.8)
    EXPECT_NEAR(NiceStep(3.0), 0.5, 1e-12);
    EXPECT_NEAR(NiceStep(12.0), 2.0, 1e-12);
    EXPECT_NEAR(NiceStep(15.0), 3.0, 1e-12);
    EXPECT_NEAR(NiceStep(4.9), 0.7, 1e-12);
    EXPECT_NEAR(NiceStep(7000.0), 1000.0, 1e-9);
}

TEST(ChartData, AutoScaleExamples)
{
    struct Case {
        const char* name;
        std::initializer_list<std::pair<double, double>> points;
        int yPrecision;
        double yMin, yMax, xStep, yStep;
    };
    // y 0.5..3.2: y from 0 (zero included) to 3.2, step nice(3.2) = 0.5.
    // x -3..12: step min(max(nice 3, nice 12), nice 15) = min(max(0.5, 2), 3) = 2.
    const Case cases[] = {
        {"y 0.5 to 3.2", {{1, 0.5}, {2, 3.2}}, 3, 0.0, 3.2, 0.3, 0.5},
        {"x -3 to 12", {{-3, 1}, {12, 2}}, 3, 0.0, 2.0, 2.0, 0.3},
        // y 0.001..0.004 at 2 decimals: 0 to 0.01, the least visible step.
        {"small y, 2 decimals", {{1, 0.001}, {2, 0.004}}, 2, 0.0, 0.01, 0.3, 0.01},
        // all negative: the maximum becomes 0.
        {"negative y", {{1, -4}, {2, -1}}, 3, -4.0, 0.0, 0.3, 0.6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChartData d = Fed(c.points, 3, c.yPrecision);
        EXPECT_NEAR(d.AxisRange().yMin, c.yMin, 1e-12);
        EXPECT_NEAR(d.AxisRange().yMax, c.yMax, 1e-12);
        EXPECT_NEAR(d.XStep(), c.xStep, 1e-9);
        EXPECT_NEAR(d.YStep(), c.yStep, 1e-9);
        EXPECT_TRUE(d.IsShown());
    }
}

TEST(ChartData, XLimitsClipTheShownRangeAndItsStep)
{
    ChartData d(3, 3, 0);
    d.SetXLimits(0, 10);
    d.AddPoint(-5, 1);
    d.AddPoint(20, 2);
    d.AutoScale();
    EXPECT_EQ(d.XStart(), 0.0);
    EXPECT_EQ(d.XEnd(), 10.0);
    EXPECT_NEAR(d.XStep(), 2.0, 1e-12); // min(max(0, nice 10), nice 10)
}

TEST(ChartData, StoresInvalidValuesAsMinusOneWithoutWideningBounds)
{
    ChartData d(3, 3, 0);
    d.ClearData();
    d.AddPoint(std::nan(""), 1.0);
    d.AddPoint(std::numeric_limits<double>::infinity(), 2.0);
    d.AddPoint(1e39, 2.0);
    d.AddPoint(kBigValue, kBigValue);
    ASSERT_EQ(d.Data().size(), 8u);
    EXPECT_EQ(d.Data()[0], -1.0);
    EXPECT_EQ(d.Data()[1], 1.0);
    EXPECT_EQ(d.Data()[2], -1.0);
    EXPECT_EQ(d.Data()[4], -1.0);
    EXPECT_EQ(d.Data()[6], kBigValue);
    EXPECT_EQ(d.Data()[7], kBigValue);
    EXPECT_EQ(d.DataBounds().xMin, 1e35);
    EXPECT_EQ(d.DataBounds().yMax, -1e35);
    EXPECT_EQ(d.PointCounter(), 4);
}

TEST(ChartData, SeparatorsOnlyGiveTheLeastVisibleRange)
{
    ChartData d(2, 1, 0);
    d.ClearData();
    d.AddPoint(kBigValue, kBigValue);
    d.AutoScale();
    EXPECT_FALSE(d.IsDataEmpty());
    EXPECT_DOUBLE_EQ(d.AxisRange().xMin, -0.01);
    EXPECT_DOUBLE_EQ(d.AxisRange().xMax, 0.01);
    EXPECT_DOUBLE_EQ(d.AxisRange().yMin, -0.1);
    EXPECT_DOUBLE_EQ(d.AxisRange().yMax, 0.1);
}

TEST(ChartData, TheFirstPointAfterAutoScaleStartsANewSet)
{
    ChartData d(3, 3, 0);
    d.AddPoint(1, 1);
    d.AddPoint(2, 2);
    d.AddPoint(3, 3);
    d.AutoScale();
    d.AddPoint(4, 4);
    EXPECT_EQ(d.PairCount(), 1);
    EXPECT_EQ(d.PointCounter(), 1);
    EXPECT_FALSE(d.IsShown());
}

TEST(ChartData, EmptyChartKeepsItsStepsAndMaxRangeKeepsTheLargerRange)
{
    ChartData empty(3, 3, 0);
    empty.SetXTickStep(0.25);
    empty.AutoScale();
    EXPECT_EQ(empty.XStep(), 0.25);
    EXPECT_TRUE(empty.IsShown());

    ChartData d(3, 3, 0);
    d.SetMaxRange(1);
    d.AddPoint(-10, -5);
    d.AddPoint(10, 5);
    d.AutoScale();
    d.AddPoint(1, 1);
    d.AutoScale();
    EXPECT_EQ(d.AxisRange().xMin, -10);
    EXPECT_EQ(d.AxisRange().yMax, 5);
    EXPECT_EQ(d.ToggleMaxRange(), 0);
}

TEST(ChartData, NoTickStepsStayOff)
{
    ChartData d(3, 3, 0);
    d.SetXTickStep(kBigValue);
    d.SetYTickStep(kBigValue);
    d.AddPoint(0, 0);
    d.AddPoint(5, 5);
    d.AutoScale();
    EXPECT_EQ(d.XStep(), kBigValue);
    EXPECT_EQ(d.YStep(), kBigValue);
    // A finer step than the format shows becomes its last decimal.
    ChartData e(2, 0, 0);
    e.SetXTickStep(0.001);
    e.SetYTickStep(0.5);
    EXPECT_EQ(e.XStep(), 0.01);
    EXPECT_EQ(e.YStep(), 1.0);
}

TEST(ChartData, FormatsFromPrecisions)
{
    EXPECT_EQ(MakeAxisFormat(3).format, "%5.3f");
    EXPECT_FALSE(MakeAxisFormat(3).exponent);
    EXPECT_EQ(MakeAxisFormat(-2).format, "%5.2e");
    EXPECT_TRUE(MakeAxisFormat(-2).exponent);
    EXPECT_EQ(MakeAxisFormat(-2).Digit(), 2);
    // Precisions past 9 decimals are held at 9, so the digit stays the fourth character.
    EXPECT_EQ(MakeAxisFormat(15).format, "%5.9f");
    EXPECT_EQ(MakeAxisFormat(-15).format, "%5.9e");
    EXPECT_EQ(WithDecimals(MakeAxisFormat(-1), 2).format, "%5.2e");
}

TEST(ChartData, AxisLabelTexts)
{
    const AxisFormat fixed = MakeAxisFormat(1);
    const AxisFormat exp2 = MakeAxisFormat(-2);
    EXPECT_EQ(FormatAxisLabelText(fixed, 2.5), "2.5");
    EXPECT_EQ(FormatAxisLabelText(fixed, -12.25), "-12.2");
    EXPECT_EQ(FormatAxisLabelText(exp2, 0.00015), "1.50x10^-^4");
    EXPECT_EQ(FormatAxisLabelText(exp2, 2.5e12), "2.50x10^1^2");
    EXPECT_EQ(FormatAxisLabelText(exp2, 3000), "3.00x10^3");
    EXPECT_EQ(FormatAxisLabelText(exp2, 4e-15), "4.00x10^-^1^5");
    EXPECT_EQ(FormatAxisLabelText(exp2, 0.0), "0.0");
    EXPECT_EQ(FormatAxisLabelText(exp2, -0.5), "-5.00e-01");
}

TEST(ChartData, TitlesAndNotesAreBounded)
{
    ChartData d(3, 3, 0);
    d.SetTitle(std::string(2000, 'a'));
    EXPECT_EQ(d.Title().size(), 1023u);
    d.SetNote("short");
    d.SetNote(std::string(1024, 'n'));
    EXPECT_EQ(d.Note(), "short");
    d.SetNumericRangeLabels(0);
    d.SetTitles("T", "X", "Y", 1, -2);
    EXPECT_EQ(d.NumericRangeLabels(), 1);
    EXPECT_EQ(d.YFormat().format, "%5.2e");
}

TEST(ChartData, ReadoutOfTheSelectedPoint)
{
    ChartData d(3, 3, 0);
    for (int i = 1; i <= 10; ++i)
        d.AddPoint(i, 10.0 * i);
    d.SetLineStart(-1);
    EXPECT_EQ(d.LineStart(), 11);
    d.SetLineStart(2);
    d.SelectPoint(1); // pair 3
    EXPECT_EQ(d.Note(), "(3.000 , 30.000)");
    d.SelectPoint(9); // pair 11: past the data
    EXPECT_EQ(d.Note(), "Invalid!");
    d.SetReadoutPoint(1.5, 2.25);
    EXPECT_EQ(d.Note(), "(1.500 , 2.250)");
    EXPECT_EQ(d.SelectedPoint(), kNoSelectedPoint);
    d.SelectPoint(-1);
    EXPECT_EQ(d.Note(), "");
}

TEST(ChartData, HarmonicMeanOfY)
{
    // y = 2 everywhere on 0..4: the harmonic mean is 2. Two lines, y = 1 and y = 4 over equal
    // lengths: 2 / (1 + 0.25) = 1.6.
    ChartData d(3, 3, 0);
    d.AddPoint(0, 2);
    d.AddPoint(4, 2);
    EXPECT_NEAR(d.GetHarmonicMeanY(), 2.0, 1e-12);
    ChartData e(3, 3, 0);
    e.AddPoint(0, 1);
    e.AddPoint(1, 1);
    e.AddPoint(kBigValue, kBigValue);
    e.AddPoint(0, 4);
    e.AddPoint(1, 4);
    EXPECT_NEAR(e.GetHarmonicMeanY(), 1.6, 1e-12);
    EXPECT_EQ(ChartData(3, 3, 0).GetHarmonicMeanY(), kBigValue);
    // Every separator pair ends a line, a line-type pair too: (0, 1)-(1, 2) and (5, 4)-(6, 4),
    // each 1 long, integrate 1/y to 0.75 and 0.25, so the mean is 2 / 1 = 2 (joined across the
    // separator the step from 1 to 5 would count).
    const ChartData f = Fed({{0.0, 1.0}, {1.0, 2.0}, {kBigValue, 2.0}, {5.0, 4.0}, {6.0, 4.0}});
    EXPECT_NEAR(f.GetHarmonicMeanY(), 2.0, 1e-12);
}

} // namespace
