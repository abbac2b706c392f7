// Picking, markers and the fine range of the control chart, without a window.

#include <gtest/gtest.h>

#include "charts/ControlChartGeometry.h"
#include "charts/TextBoxRules.h"
#include "foundation/Sentinel.h"
#include "platform/Types.h"

namespace {
// Pairs and tags kept alive for the view over them.
struct Points {
    Points(std::vector<double> x, std::vector<double> y, std::vector<int> t) : tags(std::move(t)) {
        for (std::size_t i = 0; i < x.size(); ++i)
            xy.insert(xy.end(), {x[i], y[i]});
    }
    operator TaggedData() const { return TaggedData(xy, tags); }
    std::vector<double> xy;
    std::vector<int> tags;
};
Points Data(std::vector<double> x, std::vector<double> y, std::vector<int> tag) {
    return Points(std::move(x), std::move(y), std::move(tag));
}
const Points kEmpty({}, {}, {});
} // namespace

TEST(ControlChartPick, NearestAsOnTheScreen) {
    // A y scale ten times the x scale: (0, 1) is 10 away from the origin on the screen, (3, 0) 3.
    const Points d = Data({0, 3, 10}, {1, 0, 0}, {0, 1, 2});
    EXPECT_EQ(PickNearest(d, 0, 0, 10.0, 7).index, 1);
    EXPECT_EQ(PickNearest(d, 0, 0, 1.0, 7).index, 0);
    EXPECT_EQ(PickNearest(kEmpty, 0, 0, 1.0, 0).index, -1);  // empty chart: no pick
}

TEST(ControlChartPick, UnpickablePointsAndTies) {
    // A tag of -1 loses to any taggable point, however close.
    const Points d = Data({0, 5}, {0, 0}, {-1, 4});
    EXPECT_EQ(PickNearest(d, 0, 0, 1.0, 0).index, 1);
    // Only unpickable points: the first is picked (1e20 is below the start distance).
    const Points none = Data({0, 1}, {0, 0}, {-1, -1});
    EXPECT_EQ(PickNearest(none, 1, 0, 1.0, 0).index, 0);
    // Two points at one place: a click keeps the earlier; the marker takes the later unless
    // the selected tag was among the running nearest ones.
    const Points twin = Data({2, 2}, {2, 2}, {3, 8});
    EXPECT_EQ(PickNearest(twin, 2, 2, 1.0, 0).index, 0);
    EXPECT_EQ(NearestForMarker(twin, 2, 2, 0).index, 1);
    const Pick kept = NearestForMarker(twin, 2, 2, 3);
    EXPECT_EQ(kept.index, 1);
    EXPECT_TRUE(kept.keep);
    EXPECT_FALSE(NearestForMarker(twin, 2, 2, 0).keep);  // tag 0 never keeps
    EXPECT_EQ(NearestForMarker(kEmpty, 0, 0, 5).index, -1);
}

// Reading before the first point or past the last one answers "no point" and writes nothing.
TEST(ControlChartRange, PointBeforeTheSelectedOneIsRangeChecked) {
    const Points d = Data({0, 1, 2}, {5, 6, 7}, {0, 1, 2});
    double x = -9, y = -9;
    ASSERT_TRUE(PointBeforeSelected(d, 2, 1, x, y));
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 6);
    x = y = -9;
    for (auto [tag, k] : {std::pair{2, 3}, std::pair{2, -1}, std::pair{20000, 0}, std::pair{-2147483647 - 1, 1}}) {
        EXPECT_FALSE(PointBeforeSelected(d, tag, k, x, y)) << tag << ' ' << k;
        EXPECT_EQ(x, -9);
    }
}

TEST(ControlChartMarkers, TransformAndDashesByHand) {
    // 200 x 100 client, title band 12: margin 10, plot 180 wide and 78 high.
    const MarkerTransform t = ComputeMarkerTransform(200, 100, 12, -1.0, 2.0, 0.0, 3.0);
    EXPECT_DOUBLE_EQ(t.xScale, 60.0);
    EXPECT_DOUBLE_EQ(t.xOffset, 70.0);  // x = -1 at the margin
    EXPECT_DOUBLE_EQ(t.yScale, 26.0);
    EXPECT_DOUBLE_EQ(t.yOffset, 90.0);  // y = 0 at the bottom margin
    const MarkerTransform flat = ComputeMarkerTransform(200, 100, 12, 1.0, 1.0, 2.0, 2.0);
    EXPECT_DOUBLE_EQ(flat.xOffset, 100.0);
    EXPECT_DOUBLE_EQ(flat.yOffset, 90.0);
    // 23 steps of 10 over 230 pixels: dashes of 13 from every second step.
    const auto dashes = CrossHairDashes(5, 230);
    ASSERT_EQ(dashes.size(), 12u);
    EXPECT_EQ(dashes.front(), (std::pair{5, 18}));
    EXPECT_EQ(dashes.back(), (std::pair{225, 238}));
}

TEST(TextBoxRules, TextIsCutAndEndsInALineEnd) {
    EXPECT_EQ(TextBoxText(""), "");
    EXPECT_EQ(TextBoxText("abc"), "abc\r\n");
    EXPECT_EQ(TextBoxText("abc\n"), "abc\n");
    const std::string kept = TextBoxText(std::string(1500, 'x'));
    EXPECT_EQ(kept, std::string(998, 'x') + "\r\n");
    // min(4 (h / 9) / 3, w / 9): 100 x 90 gives min(13, 11); 900 x 30 gives min(4, 100).
    EXPECT_EQ(TextBoxFontHeight(100, 90), 11);
    EXPECT_EQ(TextBoxFontHeight(900, 30), 4);
    // Percentages below 10 (an empty answer reads as 0) count as 10 %; text that is no
    // number is refused and leaves the factor as it was.
    double f = 1.0;
    EXPECT_EQ(ReadPercentFactor("0", f), "");
    EXPECT_DOUBLE_EQ(ScaleAllFactor(f, 200, 100), 0.1);
    f = 1.0;
    EXPECT_EQ(ReadPercentFactor("", f), "");
    EXPECT_DOUBLE_EQ(ScaledTextScale(1.3, f), 0.13);
    f = 2.0;
    for (const char* typed : {"letters", "0,5", "50%", "nan", "1e400"})
        EXPECT_EQ(ReadPercentFactor(typed, f),
                  "The percentage scale factor must be a number (values below 10 are taken as 10).")
            << typed;
    EXPECT_EQ(f, 2.0);
    EXPECT_DOUBLE_EQ(ScaleAllFactor(1e6, 200, 100), plat::kMaxWindowExtent / 200.0);
}
