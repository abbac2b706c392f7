// Where a label goes to keep clear of the lines of a picture and of the labels placed before
// it, every way it may move (hand coordinates).

#include <gtest/gtest.h>

#include <vector>

#include "views/LabelClearance.h"

namespace {

namespace LT = LabelToward;

// A 200 x 100 area; a label 40 x 10.
const plat::Rect kArea{0, 0, 200, 100};
constexpr plat::Size kLabel{40, 10};

// A flat line at row 50 from x 0 to 120 runs through a label whose home is (100, 45): right and
// down it goes two pixels below the line (row 52) or right of its end (122); left and up it
// goes two pixels above it (its bottom pixel at 48, its top at 39); left and down, below.
TEST(LabelClearance, EveryWayAroundAFlatLine)
{
    LabelClearance c({{{0, 50}, {120, 50}}}, kArea);
    EXPECT_EQ(c.Place({100, 45}, kLabel, kArea), (plat::Point{100, 52}));
    EXPECT_TRUE(c.Found());
    EXPECT_EQ(c.Place({100, 45}, kLabel, kArea, LT::LeftUp), (plat::Point{100, 39}));
    EXPECT_TRUE(c.Found());
    EXPECT_EQ(c.Place({100, 45}, kLabel, kArea, LT::LeftDown), (plat::Point{100, 52}));
    // Up either way: the nearer of the two, home's column.
    EXPECT_EQ(c.Place({100, 45}, kLabel, kArea, LT::LeftUp | LT::RightUp), (plat::Point{100, 39}));
    // Clear at home: home, whatever the way.
    EXPECT_EQ(c.Place({100, 20}, kLabel, kArea, LT::LeftUp), (plat::Point{100, 20}));
    EXPECT_TRUE(c.Found());
}

// A vertical line at x 100 from row 0 to 100 through a label at (80, 40): right it goes two
// pixels right of it (102); left, its right pixel two left of it (x 98 - 40 + 1 = 59, the label
// covering 59..98).
TEST(LabelClearance, LeftOfAVerticalLine)
{
    LabelClearance c({{{100, 0}, {100, 99}}}, kArea);
    EXPECT_EQ(c.Place({80, 40}, kLabel, kArea), (plat::Point{102, 40}));
    EXPECT_EQ(c.Place({80, 40}, kLabel, kArea, LT::LeftUp), (plat::Point{59, 40}));
    EXPECT_TRUE(c.Found());
}

// Labels placed are kept clear of every way, and forgotten on a restart; a label with no clear
// place the ways it may go is not found and stays home.
TEST(LabelClearance, LabelsAddedAndForgotten)
{
    LabelClearance c({}, kArea);
    c.Add(plat::Rect{150, 80, 200, 100});
    // Bottom right, moving left and up: above the label (20 pixels), nearer than beside it (50).
    EXPECT_EQ(c.Place({160, 90}, kLabel, kArea, LT::LeftUp), (plat::Point{160, 70}));
    EXPECT_EQ(c.Place({160, 90}, kLabel, plat::Rect{0, 80, 200, 100}, LT::LeftUp), (plat::Point{110, 90}));
    c.Restart();
    EXPECT_EQ(c.Place({160, 90}, kLabel, kArea, LT::LeftUp), (plat::Point{160, 90}));
    // A line along the whole bottom row below a label at the foot of the area, which may not go up.
    LabelClearance floor({{{0, 99}, {199, 99}}}, kArea);
    EXPECT_EQ(floor.Place({160, 90}, kLabel, kArea, LT::LeftDown), (plat::Point{160, 90}));
    EXPECT_FALSE(floor.Found());
}

} // namespace
