// The reach of a painting's texts, from which the copied screen picture and the printed frame
// are sized: text boxes on the device, turned and shifted as drawn, and the page grown to hold
// those that run past its edges.

#include <gtest/gtest.h>

#include "app/PictureExtent.h"
#include "platform/Application.h"
#include "support/RecordingDC.h"

namespace {

struct PictureExtent : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    RecordingDC dc;
    plat::DeviceCaps caps{339, 271, 1280, 1024, 96, 96};
    // The last text drawn on the recording context.
    const DrawCall& Last() const { return dc.Calls().back(); }
    plat::Size Extent(const std::string& text)
    {
        plat::LogFont font;
        font.height = 20;
        dc.SelectFont(font);
        return dc.GetTextExtent(text);
    }
};

TEST_F(PictureExtent, AnUprightTextCoversItsCellFromTheReferencePoint)
{
    const plat::Size size = Extent("Factored Values");
    dc.SetTextAlign(plat::TextAlign::Top | plat::TextAlign::Left);
    dc.TextOut(10, 20, "Factored Values");
    EXPECT_EQ(TextRunDeviceBox(Last().state, Last().run), (plat::Rect{10, 20, 10 + size.cx, 20 + size.cy}));

    // Right and bottom alignment put the same cell to the left of and above the point.
    dc.SetTextAlign(plat::TextAlign::Bottom | plat::TextAlign::Right);
    dc.TextOut(300, 200, "Factored Values");
    EXPECT_EQ(TextRunDeviceBox(Last().state, Last().run), (plat::Rect{300 - size.cx, 200 - size.cy, 300, 200}));
}

TEST_F(PictureExtent, ATextWrittenUpwardsStandsOnItsReferencePoint)
{
    const plat::Size size = Extent("Axis");
    plat::LogFont upward = dc.GetFont();
    upward.escapement = 900;
    dc.SelectFont(upward);
    dc.SetTextAlign(plat::TextAlign::Top | plat::TextAlign::Left);
    dc.TextOut(10, 100, "Axis");
    // Its cell lies right of the point (top of the letters to the left), its length upward.
    EXPECT_EQ(TextRunDeviceBox(Last().state, Last().run), (plat::Rect{10, 100 - size.cx, 10 + size.cy, 100}));
}

TEST_F(PictureExtent, AMovedWindowOriginShiftsTheBox)
{
    const plat::Size size = Extent("9.7");
    dc.SetTextAlign(plat::TextAlign::Top | plat::TextAlign::Left);
    dc.SetWindowOrg(plat::Point{-50, -30}); // a box printed at (50, 30) of its page
    dc.TextOut(0, 0, "9.7");
    EXPECT_EQ(TextRunDeviceBox(Last().state, Last().run), (plat::Rect{50, 30, 50 + size.cx, 30 + size.cy}));
}

TEST_F(PictureExtent, OnlyTextsReachingIntoTheAreaCount)
{
    const plat::Size size = Extent("Shear");
    const plat::Rect area{0, 0, 400, 300};
    const plat::Rect reach = MeasureTextExtent(caps, area, [&](plat::DC& d) {
        d.SelectFont(dc.GetFont());
        d.SetTextAlign(plat::TextAlign::Top | plat::TextAlign::Left);
        d.MoveTo(0, 0);
        d.LineTo(2000, 2000);         // lines do not count
        d.TextOut(100, 295, "Shear");  // hangs over the bottom edge
        d.TextOut(20, 10, "Shear");
        d.TextOut(900, 900, "Shear");  // wholly outside: left out
        d.SaveDC();
        d.IntersectClipRect(plat::Rect{0, 0, 50, 50});
        d.TextOut(200, 250, "Shear");  // clipped away: not drawn
        d.RestoreDC();
    });
    EXPECT_EQ(reach, (plat::Rect{20, 10, 100 + size.cx, 295 + size.cy}));
    EXPECT_TRUE(MeasureTextExtent(caps, area, [](plat::DC&) {}).IsEmpty());
}

TEST_F(PictureExtent, ThePageGrowsOnlyWhereATextRunsPastIt)
{
    const plat::Rect page{0, 0, 1280, 944};
    EXPECT_EQ(GrowToHoldTexts(page, plat::Rect{10, 935, 170, 957}), (plat::Rect{0, 0, 1280, 957 + kPictureTextMargin}));
    EXPECT_EQ(GrowToHoldTexts(page, plat::Rect{1200, 5, 1290, 30}), (plat::Rect{0, 0, 1290 + kPictureTextMargin, 944}));
    EXPECT_EQ(GrowToHoldTexts(page, plat::Rect{10, 10, 1280, 944}), page); // touching the edges
    EXPECT_EQ(GrowToHoldTexts(page, plat::Rect{}), page);
}

} // namespace
