// The summary page's dimensions of a section: where the lines and labels land, by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "app/summary/CrossSection.h"
#include "app/summary/SummaryFixture.h"
#include "app/summary/SummaryLayout.h"
#include "files/legacy/BeamFileLoad.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/shapes/SectionShape.h"
#include "support/RecordingDC.h"
#include "tests/files/LegacyFileBuilders.h"

namespace {

bool HasLine(const RecordingDC& drawing, plat::Point a, plat::Point b)
{
    for (const DrawCall& c : drawing.CallsOf("Line"))
        if ((c.points[0] == a && c.points[1] == b) || (c.points[0] == b && c.points[1] == a))
            return true;
    return false;
}

int CountText(const RecordingDC& drawing, const std::string& text)
{
    const auto texts = drawing.Texts();
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

// The box an unturned text run covers on the device.
plat::Rect BoxOf(const DrawCall& c)
{
    const plat::Point at = c.state.mapping.ToDevice(c.run.at);
    const int left = at.x + c.run.x0;
    const int baseline = at.y + c.run.baseline;
    return plat::Rect{left, baseline - c.run.ascent, left + c.run.width, baseline + c.run.descent};
}

class SectionDimensions : public SummaryTest {};

// A 300 x 200 mm rectangle in twenty stacked regions of 10 mm, of the user's own shape, with
// the region boundaries where an import's 0.1 mm raster leaves them (one region 10.1 mm high,
// another 9.9 mm): which of twenty equal regions would stand for a web hangs on those tenths,
// and a width dimension drawn across the section's middle only repeats the width. It is
// dimensioned as a whole: 500 px/m about x = 500.5, y = 300.5, depths 0.1 .. -0.1 (rows 250
// .. 350), sides at x 425 and 575; text height 800 (gap 80, tick 8): "300" on the row 350 + 40
// from 417 to 583, "200" on the line x = 425 - 40 from 242 to 358, and no line across the
// section's rows.
TEST_F(SectionDimensions, RegionsOfOneWidthAreDimensionedAsAWhole)
{
    const std::array<double, 21> edges{0.1,     0.09,    0.08,  0.07,  0.06,    0.05,    0.04,
                                       0.03,    0.02,    0.0099, -0.0001, -0.0101, -0.02, -0.03,
                                       -0.04,   -0.0501, -0.0601, -0.07, -0.08,   -0.09,   -0.1};
    auto stacked = SummarySections::Empty();
    for (std::size_t i = 0; i + 1 < edges.size(); ++i)
        stacked->AddRegion(edges[i], edges[i + 1], 0.3, 0.3, 0, 1);
    stacked->SetShapeType(kUserShapeCode);
    ASSERT_EQ(stacked->GetRegionCount(), 20);
    ASSERT_TRUE(FindWebRegion(*stacked).inner);  // a middle region would stand for a web
    EXPECT_TRUE(HasOneWidth(*stacked));

    RecordingDC drawn;
    DrawSectionDimensions(drawn, *stacked, 500.5, 300.5, 500, 0.3, 800);
    EXPECT_EQ(drawn.Texts(), (std::vector<std::string>{"300", "200"}));
    EXPECT_TRUE(HasLine(drawn, {417, 390}, {583, 390}));  // the width, below the section
    EXPECT_TRUE(HasLine(drawn, {385, 242}, {385, 358}));  // the height, over all of it
    EXPECT_TRUE(HasLine(drawn, {417, 250}, {373, 250}));  // at the top
    EXPECT_TRUE(HasLine(drawn, {417, 350}, {373, 350}));  // at the bottom
    for (const DrawCall& c : drawn.CallsOf("Line"))
        EXPECT_FALSE(c.points[0].y == c.points[1].y && c.points[0].y > 250 && c.points[0].y < 350)
            << c.points[0].x << "," << c.points[0].y << " - " << c.points[1].x;

    // A step of a millimetre is a width of its own: the section is no longer of one width.
    auto stepped = SummarySections::Empty();
    stepped->AddRegion(0.1, 0.0, 0.3, 0.3, 0, 1);
    stepped->AddRegion(0.0, -0.1, 0.301, 0.301, 0, 1);
    EXPECT_FALSE(HasOneWidth(*stepped));
    EXPECT_FALSE(HasOneWidth(*SummarySections::Empty()));
}

// An I of the user's own shape whose web (250 mm) is nearly as wide as its flanges (300 x 100
// mm): the web's width label, right-aligned two ticks left of the web's side, reaches past the
// flanges' side, and the height's line moves left to stand clear of it. 500 px/m about x =
// 500.5, y = 300.5; depths 0.3 .. -0.3 (rows 150 .. 450); the web from x 438 to 563 at its
// mid-depth (row 300); text height 800 (gap 80, tick 8). The label "250" ends at x 438 - 16 =
// 422; the height's line, drawn from 150 - 8 to 450 + 8, stands two ticks (16) left of the
// label's left end, as far as the label stands from its own line's end.
TEST_F(SectionDimensions, AWebWidthLabelStandsClearOfTheHeightLine)
{
    auto eye = SummarySections::Empty();
    eye->AddRegion(0.6, 0.5, 0.3, 0.3, 0, 1);
    eye->AddRegion(0.5, 0.1, 0.25, 0.25, 0, 1);
    eye->AddRegion(0.1, 0.0, 0.3, 0.3, 0, 1);
    eye->Validate();
    eye->SetShapeType(40);
    ASSERT_TRUE(FindWebRegion(*eye).inner);
    RecordingDC drawn;
    DrawSectionDimensions(drawn, *eye, 500.5, 300.5, 500, 0.3, 800);
    EXPECT_EQ(drawn.Texts(), (std::vector<std::string>{"300", "300", "250", "600"}));
    EXPECT_TRUE(HasLine(drawn, {430, 300}, {571, 300}));  // the web's line, at its mid-depth

    const DrawCall* label = nullptr;
    const std::vector<DrawCall> texts = drawn.CallsOf("Text");
    for (const DrawCall& c : texts)
        if (c.text == "250")
            label = &c;
    ASSERT_NE(label, nullptr);
    // The run's box is relative to the point the label was drawn at.
    const int left = label->points[0].x + label->run.x0;
    EXPECT_EQ(left + label->run.width, 422);
    ASSERT_LT(left, 425);  // past the flanges' side: the case in question

    int heightLine = -1;
    for (const DrawCall& c : drawn.CallsOf("Line"))
        if (c.points[0].x == c.points[1].x && std::min(c.points[0].y, c.points[1].y) == 142 &&
            std::max(c.points[0].y, c.points[1].y) == 458)
            heightLine = c.points[0].x;
    ASSERT_NE(heightLine, -1);
    EXPECT_EQ(heightLine, left - 16);
    // The height's extension lines reach past its line, not into the label.
    EXPECT_TRUE(HasLine(drawn, {417, 150}, {left - 16 - 12, 150}));
    EXPECT_TRUE(HasLine(drawn, {417, 450}, {left - 16 - 12, 450}));
}

// A metric predecessor sheet of a plain 300 x 200 mm section in twenty stacked regions of 10 mm,
// read by the program's own reader and drawn on the summary page: the width is dimensioned
// once, below the section, and the height once (before, the page drew "300" above, below and
// across the middle, where its label touched the height's line).
TEST_F(SectionDimensions, AnImportedStackOfRegionsIsDimensionedAsAWhole)
{
    RecordingReporter reporter;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    SheetWriter w;
    w.Text(3, 2, "Stacked").Text(3, 3, "Metric").Number(3, 4, 1);
    w.Number(1, 7, 35).Number(2, 7, 2).Number(3, 7, 2).Number(4, 7, 1);
    w.Number(3, 8, 0).Number(3, 9, 0);
    w.Number(3, 11, 100).Text(3, 12, "N");
    w.Number(3, 13, 20);
    for (int j = 0; j < 20; ++j)
        w.Number(1, 16 + j, 10.0 * j).Number(2, 16 + j, 300).Number(3, 16 + j, 300).Number(4, 16 + j, 10).Number(5, 16 + j, 1);
    w.Text(3, 36, "N").Text(3, 37, "N");
    auto beam = std::make_unique<TBeam>();
    beam->ClearAll();
    ASSERT_TRUE(LoadBeamBytes(*beam, w.Bytes()).IsRead());
    ASSERT_EQ(beam->GetRegionCount(), 20);
    ASSERT_EQ(beam->GetSectionKindCode(), kUserShapeCode);
    TStructure* stacked = Put(0, std::move(beam));
    RecordingDC page;
    PaintCrossSection(page, stacked, 0, 0, 1280, 1024, 0);
    EXPECT_EQ(CountText(page, "300"), 1);
    EXPECT_EQ(CountText(page, "200"), 1);
}

// A trapezoid of the user's own shape, 300 mm across its top, 500 mm across its bottom and
// 200 mm deep, on the summary page at two window sizes. Its outline is drawn 3 : 5 : 2 (checked
// on the drawing); its top width is dimensioned above it, "300" centred over the top edge and
// standing on a line from the top edge's left corner to its right one, and its bottom width
// below it, "500" centred under the bottom edge on a line from corner to corner.
TEST_F(SectionDimensions, ATrapezoidOfTheUsersOwnShapeShowsItsTopAndBottomWidths)
{
    auto trapezoid = SummarySections::Empty();
    trapezoid->AddRegion(0.2, 0.0, 0.3, 0.5, 0, 1);
    trapezoid->SetShapeType(kUserShapeCode);
    trapezoid->Validate();
    TStructure* s = Put(0, std::move(trapezoid));
    for (const plat::Size size : {plat::Size{1280, 1024}, plat::Size{713, 517}}) {
        SCOPED_TRACE(size.cx);
        RecordingDC page;
        PaintCrossSection(page, s, 0, 0, size.cx, size.cy, 0);
        // The section: the widest region filled on the page (the catalogue's icon is smaller).
        std::vector<plat::Point> outline;
        for (const DrawCall& c : page.CallsOf("FillRegion"))
            if (c.points.size() == 4 && (outline.empty() || c.points[2].x - c.points[1].x > outline[2].x - outline[1].x))
                outline = c.points;
        ASSERT_EQ(outline.size(), 4u);
        // Top left, bottom left, bottom right, top right.
        const int top = outline[0].y, bottom = outline[1].y;
        ASSERT_EQ(outline[3].y, top);
        ASSERT_EQ(outline[2].y, bottom);
        const double topWidth = outline[3].x - outline[0].x, bottomWidth = outline[2].x - outline[1].x;
        ASSERT_NEAR(topWidth / bottomWidth, 0.6, 0.01);
        ASSERT_NEAR((bottom - top) / bottomWidth, 0.4, 0.01);

        // Each width: its label, centred on its edge, beyond the section, on its line.
        const struct {
            const char* text;
            int left, right, edge;
            bool above;
        } widths[] = {{"300", outline[0].x, outline[3].x, top, true},
                      {"500", outline[1].x, outline[2].x, bottom, false}};
        for (const auto& w : widths) {
            SCOPED_TRACE(w.text);
            std::vector<plat::Rect> boxes;
            for (const DrawCall& c : page.CallsOf("Text"))
                if (c.text == w.text)
                    boxes.push_back(BoxOf(c));
            ASSERT_EQ(boxes.size(), 1u);
            const plat::Rect box = boxes[0];
            EXPECT_NEAR((box.left + box.right) / 2.0, (w.left + w.right) / 2.0, 1.0);
            if (w.above)
                EXPECT_LT(box.bottom, w.edge);
            else
                EXPECT_GT(box.top, w.edge);
            // Its line runs at the label's foot from corner to corner (and a little past).
            bool line = false;
            for (const DrawCall& c : page.CallsOf("Line"))
                line = line || (c.points[0].y == box.bottom && c.points[1].y == box.bottom &&
                                std::min(c.points[0].x, c.points[1].x) <= w.left &&
                                std::max(c.points[0].x, c.points[1].x) >= w.right &&
                                std::max(c.points[0].x, c.points[1].x) <= w.right + (w.right - w.left) / 4);
            EXPECT_TRUE(line) << "no line on the row " << box.bottom;
        }
    }
}

} // namespace
