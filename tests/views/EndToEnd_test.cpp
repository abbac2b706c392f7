// Real analyses through the beam mode: a moment-only response of a rectangular beam and a
// moment-axial diagram of a column.

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "analysis/TInteractionDiagrams.h"
#include "tests/analysis/PointSections.h"
#include "tests/support/TestSupport.h"
#include "tests/views/ViewTestSupport.h"

namespace {

using PS = PointSections;

TEST(BeamModeEndToEnd, MomentCurvatureOfAMomentOnlyResponse)
{
    RecordingReporter reporter;
    auto beam = PS::Beam(); // 300 x 600 mm, 3 bars 25 mm near the bottom
    PS::SetLoads(*beam, 0, 0, 0, 0, -1000.0, 0);
    TFullSectionalResponse analysis(beam.get());
    RunToFinish(analysis, 5000);
    ASSERT_EQ(analysis.IsRunning(), 0);

    TQ2k_Logic logic(beam.get(), &analysis);
    logic.SetDisplayContext(DisplayContext{});
    RecordingViewChart chart;
    ASSERT_EQ(logic.FillChart(&chart, 1001, 0, 0), 1);

    // A point per valid stage (their units and signs are checked by hand with scripted stages).
    const std::vector<RecordedPoint> d = chart.Data();
    ASSERT_GT(d.size(), 10u);
    // The gross section cracks at f_t b h^2 / 6; the curve starts below it and rises past it
    // to the peak moment of the analysis.
    const ConcreteTypeRec& c = *beam->GetConcreteType(0);
    const double crackingKNm = c.ft * PS::kB * PS::kH * PS::kH / 6.0 / 1000.0;
    EXPECT_LT(d.front().y, crackingKNm);
    const auto top = std::max_element(d.begin(), d.end(),
                                      [](const RecordedPoint& a, const RecordedPoint& b) {
                                          return a.y < b.y;
                                      });
    EXPECT_GT(top->y, 2.0 * crackingKNm);
    EXPECT_NEAR(top->y, -0.001 * analysis.GetPeakState()->Result(StateResult::Moment), 1e-9);
    EXPECT_GT(top->x, 0.0);

    // The control chart follows the run in the same pair.
    RecordingViewChart control;
    EXPECT_EQ(logic.FillControlChart(&control, 1, 5), 1);
    EXPECT_EQ(control.subMode, 21);
    EXPECT_EQ(control.Data().size(), d.size());
}

TEST(BeamModeEndToEnd, MomentAxialDiagramPlotsClosed)
{
    RecordingReporter reporter;
    auto column = PS::Column();
    TMNInter diagram(column.get());
    RunToFinish(diagram, 20000);
    ASSERT_EQ(diagram.IsRunning(), 0);
    TQ2k_Logic logic(column.get(), &diagram);
    logic.SetDisplayContext(DisplayContext{});
    RecordingViewChart chart;
    ASSERT_EQ(logic.FillChart(&chart, 1006, 0, 0), 1);
    EXPECT_EQ(chart.title, "M-N Interaction");
    EXPECT_EQ(chart.yTitle, "Axial Force (kN)");
    // The diagram path: the points after the last stored line.
    std::size_t start = 0;
    for (std::size_t i = 0; i < chart.points.size(); ++i)
        if (IsChartSeparator(chart.points[i].x) && chart.points[i].y >= 1e30)
            start = i + 1;
    std::vector<RecordedPoint> path;
    for (std::size_t i = start; i < chart.points.size(); ++i)
        if (!IsChartSeparator(chart.points[i].x))
            path.push_back(chart.points[i]);
    ASSERT_GT(path.size(), 10u);
    double extent = 0.0;
    for (const RecordedPoint& p : path)
        extent = std::max({extent, std::fabs(p.x), std::fabs(p.y)});
    EXPECT_NEAR(path.front().x, path.back().x, 0.02 * extent);
    EXPECT_NEAR(path.front().y, path.back().y, 0.02 * extent);
    // Compression below, tension above, moments of both signs.
    const auto [lo, hi] = std::minmax_element(path.begin(), path.end(),
                                              [](const RecordedPoint& a, const RecordedPoint& b) {
                                                  return a.y < b.y;
                                              });
    EXPECT_LT(lo->y, 0.0);
    EXPECT_GT(hi->y, 0.0);
}

} // namespace
