// Panel rectangles by hand from their formulas, and what each layout setter puts where.

#include <gtest/gtest.h>

#include <tuple>

#include "app/TBase_Logic.h"
#include "app/views/PanelLayout.h"
#include "tests/app/MinimalLogic.h"

namespace {

struct RectCase {
    int id;
    PanelRect rect;
};

void ExpectRects(int W, int H, const std::vector<RectCase>& cases) {
    for (const RectCase& c : cases) {
        PanelRect r;
        EXPECT_TRUE(GetPanelRect(c.id, W, H, kControlPanelFraction, r)) << c.id;
        EXPECT_EQ(r, c.rect) << "panel " << c.id << ": " << r.x << ' ' << r.y << ' ' << r.width << ' ' << r.height;
    }
}

} // namespace

TEST(PanelRects, ByHandAtTwoScreenSizes) {
    // 1280 x 1024, F = 320, a column of the grids (1 - 0.25) 1280 / 3 = 320 wide.
    ExpectRects(1280, 1024,
                {{0, {332, 10, 934, 1003}},   // 12.8 + 320, 10.24, 0.73 W, 1003.52
                 {5, {652, 348, 294, 327}},   // column 1, row 1: 652.8, 10.24 + 337.92
                 {10, {96, 404, 128, 213}},   // W/10 and W/6 in integers
                 {12, {11, 307, 295, 345}},   // 12.8 - 1, 0.3 H, 0.23 W + 1, 358.4 - 12.8
                 {15, {233, 768, 217, 238}},  // 0.215 x 1088, 0.17 W, 250.88 - 12
                 {25, {812, 686, 454, 327}},  // 332.8 + 480, 0.67 H
                 {33, {128, 102, 256, 256}},
                 {40, {25, 250, 204, 61}},    // 0.35 x 0.7 H
                 {52, {332, 5, 614, 665}},
                 {53, {972, 5, 294, 327}},
                 {58, {332, 10, 934, 337}},
                 {59, {332, 348, 294, 327}},  // row (59 - 56) div 3 = 1
                 {64, {972, 686, 294, 327}}});
    // 1366 x 768: F = trunc(341.5) = 341, a column 341.5 wide.
    ExpectRects(1366, 768,
                {{0, {354, 7, 997, 752}},    // 13.66 + 341, 0.73 W = 997.18
                 {5, {696, 261, 314, 245}},  // 696.16, 7.68 + 253.44
                 {10, {102, 303, 136, 227}},
                 {12, {12, 230, 315, 255}},  // 268.8 - 13.66
                 {15, {249, 576, 232, 175}}, // 0.18275 W, 188.16 - 13
                 {53, {1037, 3, 314, 245}},
                 {64, {1037, 514, 314, 245}}});
}

// On a printed page the control charts move up (1280 x 1024: chart 1 at y 665 lands at
// 2 x 665 / 3 = 443, chart 2 at y 307 at 307 / 3 = 102); other panels stay where they are.
// Chart 2, 345 high, would reach 447, past chart 1's top: it ends 13 pixels above it, the gap
// between them on screen (665 - 307 - 345), 443 - 13 - 102 = 328 high.
TEST(PanelRects, PrintedControlChartsMoveUp) {
    PanelRect screen, printed;
    for (const auto& [id, y, height] : {std::tuple{11, 443, 345}, std::tuple{12, 102, 328}, std::tuple{5, 348, 327}}) {
        ASSERT_TRUE(GetPanelRect(id, 1280, 1024, kControlPanelFraction, screen));
        ASSERT_TRUE(GetPrintedPanelRect(id, 1280, 1024, kControlPanelFraction, printed));
        EXPECT_EQ(printed, (PanelRect{screen.x, y, screen.width, height})) << id;
    }
    EXPECT_FALSE(GetPrintedPanelRect(27, 1280, 1024, kControlPanelFraction, printed));
}

// A portrait page of 767 x 1096 (A4 as the window takes it for the printer): chart 1 at
// trunc(712.4) = 712 lands at 474, chart 2 at trunc(328.8) = 328 at 109; chart 2, trunc(383.6 -
// 7.67) = 375 high, would end at 484, well inside chart 1's title; it ends the screen's gap,
// 712 - 328 - 375 = 9, above chart 1: 474 - 9 - 109 = 356 high.
TEST(PanelRects, PrintedControlChartsStayApartOnATallPage) {
    PanelRect upper, lower;
    ASSERT_TRUE(GetPrintedPanelRect(12, 767, 1096, kControlPanelFraction, upper));
    ASSERT_TRUE(GetPrintedPanelRect(11, 767, 1096, kControlPanelFraction, lower));
    EXPECT_EQ(upper, (PanelRect{6, 109, 177, 356}));
    EXPECT_EQ(lower, (PanelRect{6, 474, 177, 375}));
    EXPECT_EQ(lower.y - (upper.y + upper.height), 9);
}

TEST(PanelRects, AnIdWithoutAPanelLeavesTheRectangle) {
    for (int id : {-1, 27, 32, 51, 65}) {
        PanelRect r{1, 2, 3, 4};
        EXPECT_FALSE(GetPanelRect(id, 1280, 1024, kControlPanelFraction, r)) << id;
        EXPECT_EQ(r, (PanelRect{1, 2, 3, 4})) << id;
    }
}

namespace {

// Graph id of panel i of set s in category c: c x 1000 + s x 10 + i.
class SetLogic final : public MinimalLogic {
public:
    int GetChoiceId(int category, int set, int panel, int) override { return category * 1000 + set * 10 + panel; }
    int GetFirstControlId() override { return 3003; }
    int GetDefaultControlId() override { return 6; }
};

} // namespace

TEST(LayoutPlans, EachSetterPlacesItsChartsAndAsksForItsSet) {
    SetLogic logic;
    struct Case {
        LayoutKind kind;
        int choice;
        int mode, set, firstPanel, charts, firstId;
        bool legends;
    };
    const Case cases[] = {
        {LayoutKind::Nine, -1, 5, 3, 1, 9, 5030, false},     // the mode object's 3003
        {LayoutKind::Nine, 3004, 5, 4, 1, 9, 5040, false},   // "Mohr's Circles"
        {LayoutKind::Pushover, 4003, 6, 3, 21, 5, 6030, true},
        {LayoutKind::Pushover, -1, 6, 0, 21, 5, 6000, true},
        {LayoutKind::Four, 6002, 7, 2, 34, 4, 7020, true},
        {LayoutKind::Four, -1, 7, 0, 34, 4, 7000, true},     // the base's 6000
        {LayoutKind::Six, -1, 10, 0, 52, 6, 10000, true},
        {LayoutKind::MemberDetails, 4801, 11, 1, 58, 7, 11010, true},
        {LayoutKind::Single, -1, 4, 0, 0, 1, 6, false},      // the graph id itself
        {LayoutKind::LoadDeformation, 1004, 1, 0, 0, 1, 1004, true},
    };
    for (const Case& c : cases) {
        const LayoutPlan plan = PlanLayout(c.kind, c.choice, &logic);
        EXPECT_EQ(plan.mode, c.mode) << c.mode;
        EXPECT_EQ(plan.setIndex, c.set) << c.mode;
        EXPECT_EQ(plan.legends, c.legends) << c.mode;
        ASSERT_EQ(static_cast<int>(plan.panels.size()), c.charts) << c.mode;
        for (int i = 0; i < c.charts; ++i) {
            EXPECT_EQ(plan.panels[static_cast<std::size_t>(i)], c.firstPanel + i) << c.mode;
            EXPECT_EQ(plan.graphIds[static_cast<std::size_t>(i)], c.firstId + (c.charts > 1 ? i : 0)) << c.mode;
        }
    }
}

TEST(LayoutPlans, WithoutAModeObjectTheGraphsAreZero) {
    EXPECT_EQ(PlanLayout(LayoutKind::Single, -1, nullptr).graphIds, std::vector<int>{0});
    const LayoutPlan nine = PlanLayout(LayoutKind::Nine, -1, nullptr);
    EXPECT_EQ(nine.choice, 3000);
    EXPECT_EQ(nine.graphIds, std::vector<int>(9, 0));
    EXPECT_EQ(PlanLayout(LayoutKind::Four, -1, nullptr).choice, 0);
}
