// The capped membrane graphs chosen on their own (215 v_ci,max, 216 f_2max, 228 f_1max) on the
// PV19 panel solved in pure shear (its unequal x and y steel turns the cracks, so the crack
// carries shear): each plots the element's own limits, capped as its two-curve chart (207, 213,
// 212) caps them from the same stages, whatever cap the last two-curve chart left behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "membrane/MembraneState.h"
#include "membrane/TP2k1DAnalysis.h"
#include "model/TShell.h"
#include "tests/membrane/Pv19Panel.h"
#include "tests/views/ViewTestSupport.h"
#include "views/membrane/TP2k_Logic.h"

namespace {

constexpr double kMPa = 1e6;

// The y values of the chart's last polyline (the points after its last separator).
std::vector<double> LastCurve(const RecordingViewChart& chart)
{
    std::vector<double> ys;
    for (const RecordedPoint& p : chart.points) {
        if (IsChartSeparator(p.x))
            ys.clear();
        else
            ys.push_back(p.y);
    }
    return ys;
}

// Restores the shared cap when a test ends.
struct CapGuard {
    double saved = g_CurveCap;
    ~CapGuard() { g_CurveCap = saved; }
};

struct CappedGraphs : ::testing::Test {
    CapGuard guard;
    std::unique_ptr<TShell> shell = MakePv19();
    TP2kFullResponse analysis{shell.get()};
    TP2k_Logic logic{shell.get(), &analysis};
    // The element states of the stages, in the order the charts plot them.
    std::vector<const LayerNodeStateRec*> nodes;

    void SetUp() override
    {
        ASSERT_EQ(analysis.GetErrorCount(), 0);
        for (int i = 0;; ++i) {
            const SectionState* s = analysis.GetStage(i);
            if (!s)
                break;
            if (s->Valid && ElementNode(*s))
                nodes.push_back(ElementNode(*s));
        }
        ASSERT_GT(nodes.size(), 5u);
    }

    std::vector<double> Alone(int id)
    {
        RecordingViewChart chart;
        EXPECT_EQ(logic.FillChart(&chart, id, 0, 0), 1);
        return LastCurve(chart);
    }
    // The second curve of a two-curve chart, which also leaves its cap behind.
    std::vector<double> SecondCurve(int twoCurveId)
    {
        RecordingViewChart chart;
        logic.FillChart(&chart, twoCurveId, 0, 0);
        return LastCurve(chart);
    }
};

} // namespace

TEST_F(CappedGraphs, EachAloneTakesTheCapOfItsOwnData)
{
    // The caps by hand from the stored element states (the panel has no measured data):
    // twice the largest shear on the crack and principal tension, twice the most compressive
    // principal stress, held beyond 1 MPa.
    double vci = 0.0, f1 = 0.0, f2 = 0.0;
    for (const LayerNodeStateRec* n : nodes) {
        vci = std::max(vci, std::fabs(n->CrackShearStress));
        f1 = std::max(f1, n->ConcStress1);
        f2 = std::min(f2, n->ConcStress2);
    }
    const double capVci = std::max(2.0 * vci, kMPa), capF1 = std::max(2.0 * f1, kMPa);
    const double capF2 = std::min(2.0 * f2, -kMPa);

    struct Graph {
        int id;
        int owner;
        double (*limit)(const LayerNodeStateRec&);
        double cap;
    };
    const Graph graphs[] = {
        {215, 207, [](const LayerNodeStateRec& n) { return std::fabs(n.CrackShearLimit); }, capVci},
        {228, 212, [](const LayerNodeStateRec& n) { return n.TensionLimit; }, capF1},
        {216, 213, [](const LayerNodeStateRec& n) { return n.ConcStress2Max; }, capF2},
    };
    for (const Graph& g : graphs) {
        SCOPED_TRACE(g.id);
        // At program start no two-curve chart has set the shared cap.
        g_CurveCap = 0.0;
        const std::vector<double> before = Alone(g.id);
        ASSERT_EQ(before.size(), nodes.size());
        // The element's own limits, held within the cap. Two stages where the limit shows as
        // it is: the last stage (cracked, the limits finite) and the first stage whose limit
        // lies inside the cap (and is not the 0 of an uncracked stage).
        const auto inside = [&](double v) { return g.cap > 0.0 ? v < g.cap : v > g.cap; };
        std::size_t first = nodes.size();
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const double limit = g.limit(*nodes[i]);
            const double expected = g.cap > 0.0 ? std::min(limit, g.cap) : std::max(limit, g.cap);
            EXPECT_NEAR(before[i], expected / kMPa, 1e-9) << "stage " << i;
            // Never of the wrong sign: a shear or tension limit is not negative, a
            // compression limit not positive.
            EXPECT_TRUE(g.cap > 0.0 ? before[i] >= 0.0 : before[i] <= 0.0) << "stage " << i;
            if (first == nodes.size() && limit != 0.0 && inside(limit))
                first = i;
        }
        const std::size_t last = nodes.size() - 1;
        ASSERT_LT(first, last);
        ASSERT_TRUE(inside(g.limit(*nodes[last])));
        for (std::size_t i : {first, last})
            EXPECT_NEAR(before[i], g.limit(*nodes[i]) / kMPa, 1e-9) << "stage " << i;

        // The same curve as the second curve of its own two-curve chart ...
        EXPECT_EQ(SecondCurve(g.owner), before);
        // ... and the same after each two-curve chart has left its own cap behind.
        for (int other : {207, 212, 213}) {
            SecondCurve(other);
            EXPECT_EQ(Alone(g.id), before) << "after " << other;
        }
    }
}

// The measured points of the two-curve chart count in the cap as its own points do: with a
// measured shear on the crack of 3 MPa the v_ci,max curve is capped at 6 MPa, above every
// limit of the element, so it shows the limits whole; each graph alone still draws the second
// curve of its own two-curve chart.
TEST_F(CappedGraphs, MeasuredPointsOfTheTwoCurveChartCountInTheCap)
{
    const double e1[] = {0.001, 0.004}, vci[] = {2.0e6, 3.0e6}, f1[] = {1.0e6, 5.0e6};
    const double e2[] = {-0.0005, -0.002}, f2[] = {-5.0e6, -12.0e6};
    shell->SetValueList(2, e1, 2);
    shell->SetValueList(7, vci, 2);
    shell->SetValueList(12, f1, 2);
    shell->SetValueList(3, e2, 2);
    shell->SetValueList(13, f2, 2);
    g_CurveCap = -23.36e6; // as a compression chart may leave it
    const std::vector<double> shear = Alone(215);
    ASSERT_EQ(shear.size(), nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i)
        EXPECT_NEAR(shear[i], std::fabs(nodes[i]->CrackShearLimit) / kMPa, 1e-9) << "stage " << i;
    const std::vector<double> tension = Alone(228), compression = Alone(216);
    EXPECT_EQ(SecondCurve(207), shear);
    EXPECT_EQ(SecondCurve(212), tension);
    EXPECT_EQ(SecondCurve(213), compression);
    // f_2max capped at twice the measured -12 MPa, the most compressive point of chart 213.
    for (std::size_t i = 0; i < nodes.size(); ++i)
        EXPECT_NEAR(compression[i], std::max(nodes[i]->ConcStress2Max, -24.0e6) / kMPa, 1e-9)
            << "stage " << i;
}
