// The user outline edited point by point: rows in two unit systems, width steps asked for
// through the continuity question, rounded parts from their hand-computed points, and the
// refusals with their messages.

#include <gtest/gtest.h>

#include <cmath>

#include "dialogs/OutlineEditor.h"
#include "foundation/TDepthTable.h"
#include "foundation/Units.h"
#include "model/shapes/SectionOutline.h"
#include "model/shapes/SectionShape.h"
#include "support/TestSupport.h"

namespace {

constexpr double kTol = 1e-12;

struct OutlineEditorTest : ::testing::Test {
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<SectionDefinition> definition{g_SectionDefinition, SectionDefinition{}};
    RecordingReporter reporter;
    TDepthTable outline{"outline"};
    TDepthTable types{"types"};
    std::vector<std::pair<int, double>> asked;  // (row, width) of each continuity question
    int answer = 1;
    TOutlineEditor editor{outline, types, 150, [this](int row, double w) {
                              asked.emplace_back(row, w);
                              return answer;
                          }};

    // A 500 mm high rectangle 300 mm wide, typed in.
    void Rectangle()
    {
        editor.Add("500", "300");
        editor.Add("0", "300");
    }
};

TEST_F(OutlineEditorTest, RowsAreShownByUnitSystemAndWholeMillimetres)
{
    Rectangle();
    editor.Add("250.5", "200");
    EXPECT_EQ(editor.Rows(), (std::vector<std::string>{"   500         300", " 250.5       200.0", "     0         300"}));
    std::string e, w;
    editor.RowFields(1, e, w);
    EXPECT_EQ(e, "250.5");
    EXPECT_EQ(w, "200.0");
    EXPECT_EQ(g_SectionDefinition.ShapeCode, kUserShapeCode);

    g_UnitSystem = kUnitOldMetric;
    EXPECT_EQ(editor.Rows()[0], "  50.0        30.0");
    EXPECT_EQ(editor.Rows()[1], " 25.05       20.00");
    g_UnitSystem = kUnitUS;
    EXPECT_EQ(editor.Rows()[0], " 19.69       11.81");
    // A typed negative width is stored as its size.
    editor.Add("5", "-4");
    EXPECT_NEAR(outline.GetValue(editor.GetSelectedRow()), RoundSectionLength(4 / 39.37008, 4), kTol);
}

TEST_F(OutlineEditorTest, ASecondPointAtAnElevationAsksForContinuityAndAThirdIsRefused)
{
    Rectangle();
    answer = 0;  // the new width continues downward: the existing point moves up
    editor.Add("500", "1000");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, 0);
    EXPECT_NEAR(asked[0].second, 1.0, kTol);
    ASSERT_EQ(outline.GetCount(), 3);
    EXPECT_NEAR(outline.GetDepth(0), 0.5 + kWidthStepGap, kTol);
    EXPECT_NEAR(outline.GetValue(0), 0.3, kTol);
    EXPECT_NEAR(outline.GetValue(1), 1.0, kTol);
    EXPECT_EQ(editor.GetSelectedRow(), 1);

    editor.Add("500", "700");
    EXPECT_EQ(reporter.Count("This elevation already has 2 definitions.  Either modify or delete an existing one."), 1);
    EXPECT_EQ(reporter.messages.back().caption, "Add Error");
    EXPECT_EQ(outline.GetCount(), 3);

    answer = 1;  // upward: the new point goes above
    editor.Add("0", "100");
    ASSERT_EQ(outline.GetCount(), 4);
    EXPECT_NEAR(outline.GetDepth(2), kWidthStepGap, kTol);
    EXPECT_NEAR(outline.GetValue(2), 0.1, kTol);
    EXPECT_NEAR(outline.GetDepth(3), 0.0, kTol);
    EXPECT_NEAR(outline.GetValue(3), 0.3, kTol);
}

TEST_F(OutlineEditorTest, RoundedPartsFollowTheQuarterCircleAndRoundByTheirHeight)
{
    // Between (500 mm, 300 mm) and (480 mm, 500 mm): h = 20 mm, rounded to 0.1 mm.
    editor.Add("500", "300");
    editor.Add("480", "500");
    editor.Add("490", " up ");
    ASSERT_EQ(outline.GetCount(), 7);
    // UP, k = 3 (45 deg): z = 500 - 20 (1 - cos 45) = 494.14, w = 300 + 200 sin 45 = 441.42.
    EXPECT_NEAR(outline.GetDepth(3), 0.4941, kTol);
    EXPECT_NEAR(outline.GetValue(3), 0.4414, kTol);
    // k = 1 (15 deg): z = 500 - 20 (1 - 0.9659258) = 499.32, w = 300 + 200 x 0.2588190 = 351.76.
    EXPECT_NEAR(outline.GetDepth(1), 0.4993, kTol);
    EXPECT_NEAR(outline.GetValue(1), 0.3518, kTol);
    EXPECT_EQ(editor.GetSelectedRow(), 0);  // the point above

    outline.Clear();
    types.Clear();
    // DOWN between (500, 300) and (470, 500): h = 30 mm, rounded to 1 mm.
    editor.Add("500", "300");
    editor.Add("470", "500");
    editor.Add("480", "Down");
    ASSERT_EQ(outline.GetCount(), 7);
    // DOWN, k = 3: z = 500 - 30 cos 45 = 478.79 -> 479, w = 300 + 200 (1 - sin 45) = 358.58 -> 359.
    EXPECT_NEAR(outline.GetDepth(3), 0.479, kTol);
    EXPECT_NEAR(outline.GetValue(3), 0.359, kTol);
    // k = 5 (75 deg): z = 500 - 30 x 0.2588190 = 492.24 -> 492, w = 300 + 200 x 0.0340742 = 306.8 -> 307.
    EXPECT_NEAR(outline.GetDepth(1), 0.492, kTol);
    EXPECT_NEAR(outline.GetValue(1), 0.307, kTol);
    EXPECT_EQ(editor.GetSelectedRow(), 6);  // the point below
}

TEST_F(OutlineEditorTest, RoundedPartsNeedNeighboursAndRoom)
{
    editor.Add("500", "300");
    editor.Add("600", "UP");
    EXPECT_TRUE(reporter.Saw("Could not find a cross section above this point. Circle not added"));
    editor.Add("400", "DOWN");
    EXPECT_TRUE(reporter.Saw("Could not find a cross section below this point. Circle not added"));
    editor.Add("0", "300");
    editor.Add("500.04", "UP");  // on an existing point (within 0.044 mm)
    EXPECT_TRUE(reporter.Saw("Elevation selected is on top of an existing definition. Circle not added"));
    for (const auto& m : reporter.messages)
        EXPECT_EQ(m.caption, "Circle Error");
    EXPECT_EQ(outline.GetCount(), 2);

    editor.Modify("250", "UP");
    EXPECT_TRUE(reporter.Saw("Circular sections may only be added with the add button. You pressed the Modify Button."));
    EXPECT_EQ(outline.GetCount(), 2);
}

TEST_F(OutlineEditorTest, TheRegionCapacityLimitsStraightPointsAndRoundedParts)
{
    TOutlineEditor small(outline, types, 6, [](int, double) { return 1; });
    small.Add("500", "300");
    small.Add("0", "300");
    small.Add("100", "UP");  // 2 + 6 >= 6
    EXPECT_TRUE(reporter.Saw("This would increase number of sections above maximum of 5.  New sections not added"));
    small.Add("200", "300");
    small.Add("300", "300");
    small.Add("400", "300");  // 4 + 2 >= 6
    EXPECT_TRUE(reporter.Saw("This would increase number of sections above maximum of 6.  New sections not added"));
    EXPECT_EQ(reporter.messages.back().caption, "Add Error");
    EXPECT_EQ(outline.GetCount(), 4);
}

TEST_F(OutlineEditorTest, ModifyMovesTheSelectedRowAndDeleteRemovesIt)
{
    Rectangle();
    editor.Add("250", "300");
    editor.SelectRow(1);
    editor.Modify("200", "250");
    EXPECT_NEAR(outline.GetDepth(1), 0.2, kTol);
    EXPECT_NEAR(outline.GetValue(1), 0.25, kTol);
    EXPECT_TRUE(asked.empty());

    answer = 0;  // moved onto the bottom point: the bottom point goes up by the step gap
    editor.Modify("0", "100");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, 2);
    EXPECT_NEAR(outline.GetDepth(1), kWidthStepGap, kTol);
    EXPECT_NEAR(outline.GetValue(1), 0.3, kTol);
    EXPECT_NEAR(outline.GetValue(2), 0.1, kTol);

    editor.SelectRow(2);
    editor.Delete();
    EXPECT_EQ(outline.GetCount(), 2);
    EXPECT_EQ(types.GetCount(), 2);
    EXPECT_EQ(editor.GetSelectedRow(), 1);  // past the end: the last row
}

} // namespace

TEST_F(OutlineEditorTest, ElevationsAndWidthsThatAreNoNumberOrPastAHundredMetresAreRefused)
{
    Rectangle();
    const std::vector<std::string> rows = editor.Rows();
    for (const char* text : {"nan", "inf", "-inf", "1e300", "100001"}) {
        editor.Add(text, "300");
        editor.Add("250", text);
        editor.SelectRow(0);
        editor.Modify(text, "300");
    }
    EXPECT_EQ(reporter.Count("Elevation must be a number from -100000 to 100000 mm."), 10);
    EXPECT_EQ(reporter.Count("Width must be a number from -100000 to 100000 mm."), 5);
    EXPECT_EQ(editor.Rows(), rows);
}
