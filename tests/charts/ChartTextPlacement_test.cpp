// Where the texts of a chart land: the note whole between the chart's edges, the axis numbers
// of a chart of one point apart from each other, and the boxes the chart gives for its axis
// numbers, which the legends and the stage markers keep clear of.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ChartsFixture.h"
#include "charts/Tchart.h"
#include "support/RecordingDC.h"

namespace {

// The box an unturned text run covers, measured as drawn.
plat::Rect BoxOf(const DrawCall& c)
{
    const plat::Point at = c.state.mapping.ToDevice(c.run.at);
    const int left = at.x + c.run.x0;
    const int baseline = at.y + c.run.baseline;
    return plat::Rect{left, baseline - c.run.ascent, left + c.run.width, baseline + c.run.descent};
}

// The texts drawn from the first one that starts with start on the same row, as one box
// (a marked-up label is drawn in pieces).
plat::Rect LabelBox(const RecordingDC& dc, const std::string& start)
{
    const std::vector<DrawCall> texts = dc.CallsOf("Text");
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].text.rfind(start, 0) != 0)
            continue;
        plat::Rect box = BoxOf(texts[i]);
        for (std::size_t j = i + 1; j < texts.size() && texts[j].run.at.y == texts[i].run.at.y; ++j) {
            const plat::Rect next = BoxOf(texts[j]);
            box.left = std::min(box.left, next.left);
            box.right = std::max(box.right, next.right);
            box.top = std::min(box.top, next.top);
            box.bottom = std::max(box.bottom, next.bottom);
        }
        return box;
    }
    return {};
}

class ChartTexts : public ChartsGuiTest {};

// The stiffness note of a member chart is centred at the chart's foot: with a percentage of
// three digits it is as wide as the chart and more, and it is drawn whole between the chart's
// edges, smaller; a note that fits keeps the text font.
TEST_F(ChartTexts, TheNoteStaysWholeBetweenTheChartsEdges)
{
    // Member charts of the pushover page at several window sizes, with the fonts the chart
    // factory gives member charts (a 13th of the smaller side for the text).
    for (const int W : {300, 366, 454}) {
        const int H = 2 * W / 3;
        Tbigchart chart(nullptr, "Approx. Flexural Stiffness EI=M/|f", 0, 0, W, H, 1, 1, 0);
        chart.SetTitles("Approx. Flexural Stiffness EI=M/|f", "Length along member (mm)",
                        "Flexural Stiffness (MN.m^2)", 1, 1);
        chart.SetFontHeights(H / 11, H / 13);
        chart.ClearData();
        chart.AddPoint(0, 150);
        chart.AddPoint(2700, 60);
        chart.AutoScale();
        chart.SetNote("Average Flexural Stiffness = 118 % of uncracked value");
        chart.SetTextShown(1);
        RecordingDC dc;
        chart.Paint(dc, true, {0, 0, W, H});
        const plat::Rect note = LabelBox(dc, "Average Flexural Stiffness");
        ASSERT_FALSE(note.IsEmpty()) << W;
        EXPECT_GE(note.left, 0) << W;
        EXPECT_LE(note.right, W) << W;
        EXPECT_LE(note.bottom, H) << W;
        EXPECT_NEAR((note.left + note.right) / 2.0, W / 2.0, 1.0) << W; // still centred

        chart.SetNote("Avg = 18 %");
        RecordingDC short_;
        chart.Paint(short_, true, {0, 0, W, H});
        for (const DrawCall& c : short_.CallsOf("Text")) {
            if (c.text.rfind("Avg", 0) == 0) {
                EXPECT_EQ(c.state.font, chart.TextFont());
            }
        }
    }
}

// The compact chart's note (shown under its plot) likewise.
TEST_F(ChartTexts, TheIconChartsNoteStaysWholeToo)
{
    Ticonchart chart(nullptr, "", 0, 0, 160, 120, 1, 1);
    chart.SetFontHeights(16, 14);
    chart.AddPoint(0, 0);
    chart.AddPoint(10, 5);
    chart.AutoScale();
    chart.EnableToggleText(1);
    chart.SetNote("Average Shear Stiffness = 118% of uncracked value");
    chart.SetTextShown(1);
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 160, 120});
    const plat::Rect note = LabelBox(dc, "Average Shear");
    ASSERT_FALSE(note.IsEmpty());
    EXPECT_GE(note.left, 0);
    EXPECT_LE(note.right, 160);
    // The plot stands above the note as drawn.
    EXPECT_LE(chart.Transform().yOffset, note.top);
}

} // namespace
