// The fonts of a box follow from its size now: scaled in one step from the size they were made
// for, whatever sizes the box went through; a chart fits its titles afresh at every layout, so
// laying it out again, or after a round of sizes, gives the same fonts.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ChartsFixture.h"
#include "charts/RichText.h"
#include "charts/Tchart.h"
#include "support/RecordingDC.h"

namespace {

class BoxFonts : public ChartsGuiTest {
protected:
    void SetUp() override
    {
        page.Create();
        page.MoveWindow({0, 0, 1280, 1024});
    }
    static int TitleWidth(const Tchart& chart)
    {
        plat::Image scratch(1, 1);
        plat::DC dc(scratch);
        return MeasureRichText(dc, chart.Data().Title(), chart.TitleFont()).cx;
    }
    plat::Window page;
};

TEST_F(BoxFonts, FollowTheSizeNotTheSizesOnTheWay)
{
    TBoxItem box(&page, "plain", 0, 0, 400, 300);
    box.SetFontHeights(-20, -16);
    // One step from the size they were made for: both smaller, the smaller ratio.
    box.Reposition(0, 0, 200, 150, 0);
    EXPECT_EQ(box.TitleHeight(), -10.0);
    EXPECT_EQ(box.TextHeight(), -8.0);
    // 400 x 100 from 400 x 300: both ratios at most 1 (1 and 1/3), the smaller; the way through
    // 200 x 150 (from where one grows and one shrinks) does not count.
    box.Reposition(0, 0, 400, 100, 0);
    EXPECT_DOUBLE_EQ(box.TitleHeight(), -20.0 / 3);
    EXPECT_EQ(box.TitleFont().height, -6);
    EXPECT_EQ(box.TextFont().height, -5);
    // Small and odd sizes, and back: the fonts made at 400 x 300.
    box.Reposition(0, 0, 37, 167, 0);
    box.Reposition(0, 0, 386, 86, 0);
    box.Reposition(0, 0, 400, 300, 0);
    EXPECT_EQ(box.TitleHeight(), -20.0);
    EXPECT_EQ(box.TextHeight(), -16.0);
    EXPECT_EQ(box.TitleFont().height, -20);
    // 800 x 200 from 400 x 300: one grows, one shrinks, unchanged.
    box.Reposition(0, 0, 800, 200, 0);
    EXPECT_EQ(box.TitleFont().height, -20);
    // A size refused (no width) leaves the box and its fonts as they are.
    box.Reposition(0, 0, 0, 0, 0);
    EXPECT_EQ(box.Place(), (BoxPlace{0, 0, 800, 200}));
    EXPECT_EQ(box.TitleFont().height, -20);
    EXPECT_EQ(box.TextFont().height, -16);
}

TEST_F(BoxFonts, AFontChosenLaterFollowsFromTheSizeItWasChosenAt)
{
    TBoxItem box(&page, "plain", 0, 0, 400, 300);
    box.SetFontHeights(-20, -16);
    box.Reposition(0, 0, 200, 150, 0);
    plat::LogFont chosen = box.TitleFont();
    chosen.height = -30;
    box.SetTitleFont(chosen);
    // Twice the size the title was chosen at; the text font's own size.
    box.Reposition(0, 0, 400, 300, 0);
    EXPECT_EQ(box.TitleHeight(), -60.0);
    EXPECT_EQ(box.TextHeight(), -16.0);
    box.SetStoredTextHeight(-12);
    box.Reposition(0, 0, 200, 150, 0);
    EXPECT_EQ(box.TitleHeight(), -30.0);
    EXPECT_EQ(box.TextHeight(), -6.0);
}

// The control-panel chart of a nine-graph panel, 294 x 301 (a 1280 x 1024 window): its title
// font (the box rule: min(4 (301 / 11) / 3, 294 / 11) = 26 pixels of cell height) is too wide
// for "Principal Compressive Stress" and is fitted once for the size.
TEST_F(BoxFonts, AChartsTitleIsFittedOnceForItsSize)
{
    Ticonchart chart(&page, "", 332, 660, 294, 301, 1, 3);
    chart.CreateInParent();
    EXPECT_EQ(chart.SizedFontHeights(), (FontHeights{26, 22}));
    chart.SetTitles("Principal Compressive Stress", "", "", 1, 1);
    const double fitted = chart.TitleHeight();
    EXPECT_LT(fitted, 26.0);
    EXPECT_GT(fitted, 13.0);
    EXPECT_LE(TitleWidth(chart), 294);
    // The text font is not the title's business.
    EXPECT_EQ(chart.TextHeight(), 22.0);

    // Laid out again (a second solve describes the chart again): the same font.
    chart.SetTitles("Principal Compressive Stress", "", "", 1, 1);
    chart.Layout();
    EXPECT_EQ(chart.TitleHeight(), fitted);
    // After a round of sizes: the same font.
    chart.Reposition(3, 170, 27, 171, 1);
    chart.Reposition(308, 90, 284, 88, 1);
    chart.Reposition(332, 660, 294, 301, 1);
    EXPECT_EQ(chart.TitleHeight(), fitted);
    EXPECT_EQ(chart.TextHeight(), 22.0);
    // A title that fits keeps the height the size asks for.
    chart.SetTitles("Shear", "", "", 1, 1);
    EXPECT_EQ(chart.TitleHeight(), 26.0);
}

// The full chart fits its axis titles in its text font: the x title to the width, the y title
// to the height between the margins, never below the least readable height.
TEST_F(BoxFonts, AFullChartsAxisTitlesAreFittedOnceForItsSize)
{
    Tbigchart chart(&page, "", 0, 0, 600, 400, 1, 1, 0);
    // min(-20 * 600 / 800, (-20 * 400 / 800) * 4 / 3) = -15; title min(-24, -21.33) = -24.
    EXPECT_EQ(chart.SizedFontHeights(), (FontHeights{-24, -15}));
    const std::string x =
        "Average Longitudinal Strain over the Whole Depth of the Section, at the Cracks and "
        "between them (mm/m)";
    plat::Image scratch(1, 1);
    plat::DC dc(scratch);
    ASSERT_GT(MeasureRichText(dc, x, chart.TextFont()).cx, 600);
    chart.SetTitles("M", x, "Depth", 1, 1);
    const double fitted = chart.TextHeight();
    EXPECT_LE(fitted, -kLeastTextCharHeight);
    EXPECT_GT(fitted, -15);
    EXPECT_LE(MeasureRichText(dc, x, chart.TextFont()).cx, 600);
    chart.Layout();
    chart.Reposition(0, 0, 40, 300, 0);
    chart.Reposition(0, 0, 600, 400, 0);
    EXPECT_EQ(chart.TextHeight(), fitted);
}

// A chart too low for its margins has no room for its y title: its text keeps the height its
// size asks for (a character height stays one), rather than being scaled by a negative room,
// and where that is lower than a readable text, the least readable height. A chart of 300 x 200
// asks for -7.5: its numbers and titles are written at -10, and the x title, wider than the
// chart even so, is left out.
TEST_F(BoxFonts, AChartWithNoRoomForItsYTitleKeepsItsTextFont)
{
    Tbigchart chart(&page, "", 0, 0, 300, 20, 1, 1, 0);
    chart.SetTitles("Title", "x", "A y title", 1, 1);
    EXPECT_EQ(chart.TextHeight(), AtLeastReadable(chart.SizedFontHeights().text));
    EXPECT_LT(chart.TextFont().height, 0);

    Tbigchart small(&page, "", 0, 0, 300, 200, 1, 1, 0);
    EXPECT_EQ(small.SizedFontHeights().text, -7.5);
    const std::string x =
        "Average Longitudinal Strain over the Whole Depth of the Section, at the Cracks and "
        "between them (mm/m)";
    small.SetTitles("M", x, "Depth", 1, 1);
    small.AddPoint(0, 0);
    small.AddPoint(10, 5);
    small.AutoScale();
    EXPECT_EQ(small.TextHeight(), -kLeastTextCharHeight);
    RecordingDC dc;
    small.Paint(dc, true, {0, 0, 300, 200});
    const std::vector<std::string> texts = dc.Texts();
    EXPECT_EQ(std::find(texts.begin(), texts.end(), x), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Depth"), texts.end());
}

} // namespace
