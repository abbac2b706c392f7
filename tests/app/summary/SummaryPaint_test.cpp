// The summary page drawn into a recording context, and the page's hit test.

#include <gtest/gtest.h>

#include "charts/RichText.h"

#include <algorithm>
#include <cmath>

#include "analysis/state/SectionState.h"
#include "app/summary/CrossSection.h"
#include "app/summary/DepthProfile.h"
#include "app/summary/SummaryFixture.h"
#include "app/summary/SummaryLayout.h"
#include "foundation/TDepthTable.h"
#include "model/TShell.h"
#include "support/RecordingDC.h"

namespace {

// Marked-up labels may be drawn in pieces (subscripts, Greek letters): their pieces follow one
// another, so a label is found in the texts run together.
bool HasLabel(const RecordingDC& dc, const std::string& label)
{
    std::string all;
    for (const std::string& t : dc.Texts())
        all += t;
    return all.find(label) != std::string::npos;
}

bool HasTextStarting(const RecordingDC& dc, const std::string& start)
{
    for (const std::string& t : dc.Texts())
        if (t.rfind(start, 0) == 0)
            return true;
    return false;
}

// A line drawn between the two points, either way round.
bool HasLine(const RecordingDC& drawing, plat::Point a, plat::Point b)
{
    for (const DrawCall& c : drawing.CallsOf("Line"))
        if ((c.points[0] == a && c.points[1] == b) || (c.points[0] == b && c.points[1] == a))
            return true;
    return false;
}

class SummaryPage : public SummaryTest {};

TEST_F(SummaryPage, TBeamPageShowsItsPanels)
{
    TStructure* tee = Put(0, SummarySections::TBeamSection());
    Put(1, SummarySections::Rectangle("Other"));
    PaintCrossSection(dc, tee, 0, 0, 1000, 800, 0);
    for (const char* text : {"Geometric Properties",
                             "Full Member Properties",
                             "Crack Spacing",
                             "Loading (N,M,V + dN,dM,dV)",
                             "Gross Conc.",
                             "Element Catalog",
                             "Number of Elements: 2",
                             "T-beam",
                             "Other",
                             "Types",
                             "Concrete"})
        EXPECT_TRUE(HasText(dc, text)) << text;
    for (const char* label : {"2 x dist + 0.1 db /\u03c1",
                              "Area (mm2) x 103",
                              "Inertia (mm4) x 106",
                              "yt (mm)",
                              "Sb (mm3) x 103"})
        EXPECT_TRUE(HasLabel(dc, label)) << label;
    // Gross area 0.25 m^2 = 250 x 10^3 mm^2, y_t = 230 mm, y_b = 370 mm; the flange and web
    // widths and the height, in mm; the legend's strengths, 60 and 35 MPa.
    for (const char* number : {"250.0", "230", "370", "1000", "300", "600", " 60.0", " 35.0"})
        EXPECT_TRUE(HasText(dc, number)) << number;
    EXPECT_TRUE(HasTextStarting(dc, "Trans (n="));
    // Regions filled in the greys of their concrete types (10 (24 - t)): the flange 230, the web
    // 240.
    int greys = 0;
    for (const DrawCall& c : dc.CallsOf("FillRect"))
        greys += c.color == plat::Color{230, 230, 230} || c.color == plat::Color{240, 240, 240};
    EXPECT_GE(greys, 2);
    // Ten bars in the page's own section, more in the catalogue's outlines.
    EXPECT_GE(dc.CallsOf("Ellipse").size(), 10u);
    EXPECT_FALSE(dc.CallsOf("Arc").empty()); // stirrup bends
}

TEST_F(SummaryPage, NothingForNoStructureAndOnlyTheSheetWithoutHeight)
{
    PaintCrossSection(dc, nullptr, 0, 0, 1000, 800, 0);
    EXPECT_TRUE(dc.Calls().empty());
    TBeam empty;
    empty.ClearAll();
    PaintCrossSection(dc, &empty, 0, 0, 1000, 800, 0);
    EXPECT_TRUE(HasText(dc, "Element Catalog"));
    EXPECT_FALSE(HasText(dc, "Geometric Properties"));
}

TEST_F(SummaryPage, PropertiesPanelTexts)
{
    auto beam = SummarySections::Rectangle();
    const double constant[3] = {-100e3, 50e3, 0.0};
    const double increment[3] = {0.0, 1e3, 12.3456e3};
    beam->SetConstantLoads(constant, 3);
    beam->SetIncrementLoads(increment, 3);
    beam->SetCrackSpacing(0.1, 2);
    g_MemberDefinition.length = 4.0;
    g_MemberDefinition.leftSupport = SupportType::FixedVerticalRoller;
    g_MemberDefinition.rightSupport = SupportType::Pin;
    g_MemberDefinition.leftPlateLocation = 0.2;
    g_MemberDefinition.rightPlateLocation = 3.8;
    g_MemberDefinition.leftAnchorage = AnchorageType::Perfect;
    g_MemberDefinition.rightAnchorage = AnchorageType::StraightBar;
    g_MemberDefinition.zoneCount = 1;
    g_MemberDefinition.pointCount = {2, 0};
    DrawPropertiesPanel(dc, *beam, 0, 0, 850, 800, 10, 0);
    EXPECT_TRUE(HasText(dc, "Length: 4000.0 mm ")); // anchorages differ: no text
    // theta = 0, Delta-y not equal to 0 for the fixed vertical roller.
    EXPECT_TRUE(HasLabel(dc, "(\u03b8=0,\u0394y\u22600) @ 200.0 mm  Pin @ 3800.0 mm"));
    // One zone and no dead-load points: the live-load line takes line 3.
    EXPECT_TRUE(HasText(dc, "2 Definitions for live load moment diagram"));
    EXPECT_TRUE(HasLabel(dc, "sx = Automatic"));
    EXPECT_TRUE(HasLabel(dc, "sy = 100.0 (mm)"));
    // kN, kNm (shown with the sign turned), kN: three significant digits.
    EXPECT_TRUE(HasLabel(dc, "-100.0 , -50.0 , 0.0  +  0.0 , -1.0 , 12.35"));

    g_MemberDefinition.leftSupport = SupportType::FixedEnd;
    g_MemberDefinition.rightAnchorage = AnchorageType::Perfect;
    g_MemberDefinition.zoneCount = 3;
    g_MemberDefinition.pointCount = {2, 4};
    g_MemberDefinition.deadLoadConstant = 0;
    RecordingDC again;
    DrawPropertiesPanel(again, *beam, 0, 0, 850, 800, 10, 0);
    EXPECT_TRUE(HasText(again, "Length: 4000.0 mm with perfect anchorage"));
    EXPECT_TRUE(HasLabel(again, "Fixed End @ 200.0 mm"));
    EXPECT_TRUE(HasText(again, "3 material types defined along length"));
    EXPECT_TRUE(HasText(again, "4 Definitions for dead load moments (not constant)"));
}

TEST_F(SummaryPage, RegionFillsAndTheirHitIndices)
{
    auto tee = SummarySections::TBeamSection();
    // s = 1000, centre line at 500.5, depth 0 at y = 300.5: flange from y 70 to 170, web 170
    // to 670.
    int index = -1;
    FillSectionRegions(dc, *tee, 1, 0, 500.5, 300.5, 1000, nullptr, index, {0, 0});
    const auto fills = dc.CallsOf("FillRect");
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].rect, (plat::Rect{0, 70, 1000, 170}));
    EXPECT_EQ(fills[0].color, (plat::Color{230, 230, 230}));
    EXPECT_EQ(fills[1].rect, (plat::Rect{350, 170, 650, 670}));
    // Outline points: flange top 0, flange bottom 1, the step to the web 2, web bottom 3.
    const struct {
        plat::Point p;
        int index;
    } hits[] = {{{100, 90}, 0},
                {{100, 160}, 1},
                {{500, 200}, 2},
                {{500, 650}, 3},
                {{100, 400}, -1}};
    for (const auto& h : hits) {
        RecordingDC hitDc;
        int found = -1;
        FillSectionRegions(hitDc, *tee, 1, 0, 500.5, 300.5, 1000, nullptr, found, h.p);
        EXPECT_EQ(found, h.index) << h.p.x << "," << h.p.y;
        EXPECT_TRUE(hitDc.Calls().empty());
    }
}

TEST_F(SummaryPage, BarsColouredByStressAndFailedBarsLeftOut)
{
    auto beam = SummarySections::Empty();
    beam->AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
    for (int i = 0; i < 4; ++i)
        beam->AddLongLayer(SummarySections::Bars(0.05 + 0.1 * i, 1, 0.02), 0);
    beam->Validate();
    SectionState state;
    state.Valid = 1;
    const double fy = beam->GetSteelType(0)->fy;
    // Yielding, beyond compression yield, elastic, failed.
    state.LongBarValues[BarArray::List0Stress] = {fy, -1.5 * fy, 0.5 * fy, 2e31};
    state.LongBarValues[BarArray::List1Stress] = {0.0, 0.0, -0.2 * fy, 0.0};
    DrawLongitudinalBars(dc, *beam, 500, 300, 1000, 1, &state, 0);
    const auto bars = dc.CallsOf("Ellipse");
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].state.brush.color, (plat::Color{128, 0, 0}));
    EXPECT_EQ(bars[1].state.brush.color, plat::Colors::LtGreen);
    EXPECT_EQ(bars[2].state.brush.color, plat::Colors::White);
    // 20 mm at 1000 px/m: 20 px wide.
    EXPECT_EQ(bars[2].rect.Width(), 20);
}

TEST_F(SummaryPage, HoopsAsCirclesAndMirroredArcs)
{
    auto beam = SummarySections::Empty();
    beam->AddRegion(0.6, 0.0, 0.6, 0.6, 0, 1);
    beam->AddTransLayer(SummarySections::Stirrup(0.05, 0.55, 0.01, kCircularHoop), 2);
    beam->Validate();
    DrawStirrups(dc, *beam, 500, 300, 1000, 0, nullptr, 0);
    const auto circles = dc.CallsOf("Ellipse");
    ASSERT_EQ(circles.size(), 2u);
    // Radius 250 px, half thickness 5 px, about (500, 300).
    EXPECT_EQ(circles[0].rect, (plat::Rect{245, 45, 755, 555}));
    EXPECT_EQ(circles[1].rect, (plat::Rect{255, 55, 745, 545}));

    RecordingDC arcs;
    DrawMirroredHoopArcs(arcs, 500, 300, 1000, 0.0, 0.25, 5, 1.5707963267945, -1.5707963267945);
    EXPECT_EQ(arcs.CallsOf("Arc").size(), 4u); // both radii, both sides
    RecordingDC none;
    DrawMirroredHoopArcs(none, 500, 300, 1000, 0.0, 0.25, 5, 1.5707963267945, 1.5707963267945);
    EXPECT_TRUE(none.Calls().empty());
}

TEST_F(SummaryPage, HitTestTable)
{
    // Slots: 0 the T-beam, 1 empty, 2 a shell, 3 and 4 rectangles. Page 1000 x 800: margin 10,
    // picture 850, boxes to x = 280.5, catalogue rows of 105 px from y = 80.
    TStructure* tee = Put(0, SummarySections::TBeamSection());
    Put(2, std::make_unique<TShell>(0));
    Put(3, SummarySections::Rectangle("B"));
    Put(4, SummarySections::Rectangle("C"));
    const SectionFit fit = FitSectionToRect(tee, 850, 800, 10);
    const int flangeY = static_cast<int>(fit.y0 - (tee->GetTop() - 0.05) * fit.s);
    const int webTopY = static_cast<int>(fit.y0 - (tee->GetTop() - 0.11) * fit.s);
    const int x0 = static_cast<int>(fit.x0);
    const struct {
        int x, y;
        int code;
        int index;
    } cases[] = {
        {100, 100, 5, -1},     // Geometric Properties
        {5, 100, 5, -1},       // the margin beside it
        {281, 241, 8, -1},     // the box's corner square
        {100, 300, 21, -1},    // Full Member Properties
        {5, 300, 9, -1},       // the margin beside it: outside the sheet frame
        {100, 500, 3, 3},      // crack band, left part
        {170, 500, 3, 3},      // crack band, right part, spacings automatic
        {100, 560, 4, -1},     // loading band
        {x0, webTopY, 10, 2},  // the web, near its top (the step is point 2)
        {300, flangeY, 17, 1}, // the legend strip beside the flange: concrete type 1
        {900, 50, 19, -1},     // catalogue header
        {900, 342, 20, 4},     // third row (y = 0.1 H + 2.5 n) lists slot 4
        {900, 700, 20, -1},    // below the rows
    };
    plat::ScreenDC screen;
    for (const auto& c : cases) {
        int index = -7;
        EXPECT_EQ(HitTestSummaryPage(screen, tee, c.x, c.y, index, 0, 0, 1000, 800, 0), c.code)
            << c.x << "," << c.y;
        EXPECT_EQ(index, c.index) << c.x << "," << c.y;
    }
    // A click exactly on the line y = 0.54 H (page 1000 high) is neither box nor band.
    int onLine = -1;
    EXPECT_EQ(HitTestSummaryPage(screen, tee, 100, 540, onLine, 0, 0, 1000, 1000, 0), 0);
    // With the x spacing set, the right part of the crack band answers 4.
    tee->SetCrackSpacing(0.15, 0);
    int index = -1;
    EXPECT_EQ(HitTestSummaryPage(screen, tee, 170, 500, index, 0, 0, 1000, 800, 0), 3);
    EXPECT_EQ(index, 4);
}

TEST_F(SummaryPage, StrainNoteHit)
{
    auto beam = SummarySections::Rectangle();
    TStructure* rect = Put(0, std::move(beam));
    auto* asBeam = static_cast<TBeam*>(rect);
    // Long-term analysis without imposed strains: the note is the long-term line, index 1.
    asBeam->SetTimeData(1, 3650.0, 50e3, 0.0);
    plat::ScreenDC screen;
    const std::string note = FormatStrainNote(*rect, 0);
    ASSERT_EQ(note.rfind("Long Term Analysis:   Age=    10 years, M=", 0), 0u) << note;
    const int y = 10 + 2 + 3;
    const int x = 850 - 10 - 2 - 5;
    int index = -1;
    EXPECT_EQ(HitTestSummaryPage(screen, rect, x, y, index, 0, 0, 1000, 800, 0), 6);
    EXPECT_EQ(index, 1);
}

TEST_F(SummaryPage, LegendOnlyWithTwoTypesAndNumbersWhenCrowded)
{
    auto rect = SummarySections::Rectangle();
    EXPECT_EQ(DrawConcreteTypesLegend(dc, *rect, 850, 800, 530, 300, 500, 800, {0, 0}, 1), -1);
    EXPECT_TRUE(dc.Calls().empty());
    EXPECT_EQ(DrawConcreteTypesLegend(dc, *rect, 850, 800, 530, 300, 500, 85, {300, 300}, 0), -1);

    auto tee = SummarySections::TBeamSection();
    RecordingDC crowded;
    // A limit just past the strip leaves no room for "60.0": the type number instead.
    DrawConcreteTypesLegend(crowded, *tee, 850, 800, 530, 300, 500, 300, {0, 0}, 1);
    EXPECT_TRUE(HasText(crowded, "2"));
    EXPECT_TRUE(HasText(crowded, "1"));
}

TEST_F(SummaryPage, DimensionsByShapeCode)
{
    auto count = [](int shape, const TBeam& beam) {
        RecordingDC drawn;
        TBeam copy(beam);
        copy.SetShapeType(shape);
        DrawSectionDimensions(drawn, copy, 500, 300, 500, 1.0, 800);
        return drawn.Texts();
    };
    auto tee = SummarySections::TBeamSection();
    // 0: the first region's bottom width and the height.
    EXPECT_EQ(count(0, *tee), (std::vector<std::string>{"1000", "600"}));
    // 1: the height alone.
    EXPECT_EQ(count(1, *tee), (std::vector<std::string>{"600"}));
    // 2: the web's bottom width, the flange width, the height.
    EXPECT_EQ(count(2, *tee), (std::vector<std::string>{"300", "1000", "600"}));
    // The general rule: last bottom width, first top width, the height (no inner web).
    EXPECT_EQ(count(40, *tee), (std::vector<std::string>{"300", "1000", "600"}));
}

// Where the dimensions of a T-beam land, by hand: depth 0 at y = 300.5, 500 px/m, centre line
// x = 500.5 (half pixels, so that truncation cannot tip over); the T's top at depth 0.23 (y 185) and its bottom at -0.37 (y 485). Text height 800:
// gap 80, tick t = 8. The web is the last region, so it is no inner web (the widest region
// stands for it) and no web dimension of its own is drawn: below the section the web's 300 mm
// (x 425..575) on the row 485 + 40, above it the flange's 1000 mm (x 250..750) on the row
// 185 - 40, and the height's extension lines at the flange top and the web bottom, out to
// x = 250 - 40 - 12. A symmetric I-section's web (the middle region, an inner web) gets its
// own dimension at its mid-depth.
TEST_F(SummaryPage, TBeamDimensionsLandAtTheWebAndTheFlange)
{
    auto tee = SummarySections::TBeamSection();
    const WebRegion web = FindWebRegion(*tee);
    EXPECT_EQ(web.index, 0);
    EXPECT_FALSE(web.inner);
    for (int shape : {kBeamTShape, 40}) {
        SCOPED_TRACE(shape);
        TBeam copy(*tee);
        copy.SetShapeType(shape);
        RecordingDC drawn;
        DrawSectionDimensions(drawn, copy, 500.5, 300.5, 500, 1.0, 800);
        EXPECT_EQ(drawn.Texts(), (std::vector<std::string>{"300", "1000", "600"}));
        EXPECT_TRUE(HasLine(drawn, {417, 525}, {583, 525}));  // web width
        EXPECT_TRUE(HasLine(drawn, {242, 145}, {758, 145}));  // flange width
        EXPECT_TRUE(HasLine(drawn, {242, 185}, {198, 185}));  // height, at the flange top
        EXPECT_TRUE(HasLine(drawn, {417, 485}, {198, 485}));  // height, at the web bottom
    }

    // An upside-down T: the web is the first region, so again the widest stands for it.
    auto flipped = SummarySections::Empty();
    flipped->AddRegion(0.6, 0.1, 0.3, 0.3, 0, 1);
    flipped->AddRegion(0.1, 0.0, 1.0, 1.0, 0, 1);
    flipped->Validate();
    EXPECT_EQ(FindWebRegion(*flipped).index, 1);
    EXPECT_FALSE(FindWebRegion(*flipped).inner);

    // A symmetric I: flanges 600 x 100, web 200 x 400; depths 0.3 .. -0.3, the web's middle
    // at depth 0 (y 300), x 450..550.
    auto eye = SummarySections::Empty();
    eye->AddRegion(0.6, 0.5, 0.6, 0.6, 0, 1);
    eye->AddRegion(0.5, 0.1, 0.2, 0.2, 0, 1);
    eye->AddRegion(0.1, 0.0, 0.6, 0.6, 0, 1);
    eye->Validate();
    EXPECT_EQ(FindWebRegion(*eye).index, 1);
    EXPECT_TRUE(FindWebRegion(*eye).inner);
    eye->SetShapeType(40);
    RecordingDC drawn;
    DrawSectionDimensions(drawn, *eye, 500.5, 300.5, 500, 0.6, 800);
    EXPECT_EQ(drawn.Texts(), (std::vector<std::string>{"600", "600", "200", "600"}));
    EXPECT_TRUE(HasLine(drawn, {442, 300}, {558, 300}));  // the web, at its mid-depth
    EXPECT_TRUE(HasLine(drawn, {342, 490}, {658, 490}));  // bottom flange: y 450, 40 below
    EXPECT_TRUE(HasLine(drawn, {342, 110}, {658, 110}));  // top flange: y 150, 40 above
}

// Shape code 0 of several regions (a post-fire beam's bands, a section cut into regions of its
// own) is dimensioned as a whole, where a rectangle of one region is: its widest width below
// the last region, its height from the first region's top to the last one's bottom, left of
// the widest region. Depth 0 at y = 300.5, 500 px/m, centre line x = 500.5, text height 800
// (gap 80, tick 8). A 300 x 600 mm rectangle in three bands (depths 0.3 .. -0.3, y 150..450,
// x 425..575): the width's line on the row 450 + 40 from 417 to 583, the height's line at
// x = 425 - 40 from 150 - 8 to 450 + 8 with its extension lines at 150 and 450 out to 373.
// The same rectangle in 25 bands is dimensioned the same. A symmetric I of three regions
// (600 mm flanges): 600 over x 350..650 on the row 490, the height at x = 350 - 40.
TEST_F(SummaryPage, SeveralRegionsOfShapeCodeZeroAreDimensionedAsAWhole)
{
    // No horizontal line of a dimension's length lies inside the section's rows.
    auto noLineAcross = [](const RecordingDC& drawing, int left, int right, int top, int bottom) {
        for (const DrawCall& c : drawing.CallsOf("Line"))
            if (c.points[0].y == c.points[1].y && c.points[0].y > top && c.points[0].y < bottom &&
                std::min(c.points[0].x, c.points[1].x) <= left && std::max(c.points[0].x, c.points[1].x) >= right)
                return false;
        return true;
    };
    for (int bands : {3, 25}) {
        SCOPED_TRACE(bands);
        auto banded = SummarySections::Empty();
        for (int i = 0; i < bands; ++i)
            banded->AddRegion(0.6 * (bands - i) / bands, 0.6 * (bands - i - 1) / bands, 0.3, 0.3, 0, 1);
        banded->Validate();
        ASSERT_EQ(banded->GetSectionKindCode(), 0);
        RecordingDC drawn;
        DrawSectionDimensions(drawn, *banded, 500.5, 300.5, 500, 0.3, 800);
        EXPECT_EQ(drawn.Texts(), (std::vector<std::string>{"300", "600"}));
        EXPECT_TRUE(HasLine(drawn, {417, 490}, {583, 490}));  // the width, below the section
        EXPECT_TRUE(HasLine(drawn, {385, 142}, {385, 458}));  // the height, over all of it
        EXPECT_TRUE(HasLine(drawn, {417, 150}, {373, 150}));  // at the top
        EXPECT_TRUE(HasLine(drawn, {417, 450}, {373, 450}));  // at the bottom
        EXPECT_TRUE(noLineAcross(drawn, 425, 575, 150, 450));
    }

    auto eye = SummarySections::Empty();
    eye->AddRegion(0.6, 0.5, 0.6, 0.6, 0, 1);
    eye->AddRegion(0.5, 0.1, 0.2, 0.2, 0, 1);
    eye->AddRegion(0.1, 0.0, 0.6, 0.6, 0, 1);
    eye->Validate();
    eye->SetShapeType(0);
    RecordingDC drawn;
    DrawSectionDimensions(drawn, *eye, 500.5, 300.5, 500, 0.6, 800);
    EXPECT_EQ(drawn.Texts(), (std::vector<std::string>{"600", "600"}));
    EXPECT_TRUE(HasLine(drawn, {342, 490}, {658, 490}));
    EXPECT_TRUE(HasLine(drawn, {310, 142}, {310, 458}));
    EXPECT_TRUE(HasLine(drawn, {342, 150}, {298, 150}));
    EXPECT_TRUE(HasLine(drawn, {342, 450}, {298, 450}));
    EXPECT_TRUE(noLineAcross(drawn, 350, 650, 150, 450));

    // One region keeps the rectangle's own dimensions: below it, and its height on its left.
    auto rect = SummarySections::Empty();
    rect->AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
    rect->Validate();
    RecordingDC single;
    DrawSectionDimensions(single, *rect, 500.5, 300.5, 500, 0.3, 800);
    EXPECT_TRUE(HasLine(single, {417, 490}, {583, 490}));
    EXPECT_TRUE(HasLine(single, {385, 142}, {385, 458}));
}

// Shape code 0 of exactly two regions (a rectangle in two bands) is dimensioned as a whole as
// well, not by its first band: a 300 x 600 mm rectangle in bands of 300 mm (depths 0.3 .. 0 ..
// -0.3, y 150..300..450, x 425..575, 500 px/m about x = 500.5, y = 300.5; text height 800: gap
// 80, tick 8): the width 40 below the bottom, y 490, from 417 to 583; the height at x = 385 from
// 142 to 458, its extension lines at the top (150) and the bottom (450). Nothing is dimensioned
// at the bands' joint (y 300).
TEST_F(SummaryPage, TwoBandsOfShapeCodeZeroAreDimensionedAsAWhole)
{
    auto banded = SummarySections::Empty();
    banded->AddRegion(0.6, 0.3, 0.3, 0.3, 0, 1);
    banded->AddRegion(0.3, 0.0, 0.3, 0.3, 0, 1);
    banded->Validate();
    ASSERT_EQ(banded->GetSectionKindCode(), 0);
    ASSERT_EQ(banded->GetRegionCount(), 2);
    RecordingDC drawn;
    DrawSectionDimensions(drawn, *banded, 500.5, 300.5, 500, 0.3, 800);
    EXPECT_EQ(drawn.Texts(), (std::vector<std::string>{"300", "600"}));
    EXPECT_TRUE(HasLine(drawn, {417, 490}, {583, 490}));  // the width, below the section
    EXPECT_TRUE(HasLine(drawn, {385, 142}, {385, 458}));  // the height, over both bands
    EXPECT_TRUE(HasLine(drawn, {417, 150}, {373, 150}));
    EXPECT_TRUE(HasLine(drawn, {417, 450}, {373, 450}));
    for (const DrawCall& c : drawn.CallsOf("Line"))
        EXPECT_FALSE(c.points[0].y == c.points[1].y && c.points[0].y > 300 && c.points[0].y < 450)
            << c.points[0].x << "," << c.points[0].y << " - " << c.points[1].x;
}

// A web standing 100 mm below its flange (a gap): the flange (1000 x 100 mm, depths 0.3 .. 0.2)
// closes its own bottom across its full width, and the web (300 mm wide, depths 0.1 .. -0.3)
// has a top edge of its own width only. 500 px/m about x = 500.5, y = 300.5: the flange from
// x 250 to 750 with its bottom on row 200, the web from x 425 to 575 with its top on row 250
// and its bottom on row 450. Nothing on the web's top row reaches past the web's sides.
TEST_F(SummaryPage, AWebApartFromItsFlangeHasATopEdgeOfItsOwnWidth)
{
    auto gapped = SummarySections::Empty();
    gapped->AddRegion(0.3, 0.2, 1.0, 1.0, 0, 1);
    gapped->AddRegion(0.1, -0.3, 0.3, 0.3, 0, 1);  // as added: the outline reads the regions alone
    RecordingDC drawn;
    DrawSectionOutline(drawn, *gapped, 500.5, 300.5, 500, 0, 0, nullptr);
    EXPECT_TRUE(HasLine(drawn, {250, 200}, {750, 200}));  // the flange's bottom
    EXPECT_TRUE(HasLine(drawn, {250, 150}, {500, 150}));  // the flange's top, in two halves
    EXPECT_TRUE(HasLine(drawn, {500, 150}, {750, 150}));
    EXPECT_TRUE(HasLine(drawn, {425, 250}, {500, 250}));  // the web's top, its own width
    EXPECT_TRUE(HasLine(drawn, {500, 250}, {575, 250}));
    EXPECT_TRUE(HasLine(drawn, {425, 450}, {575, 450}));  // the web's bottom
    for (const DrawCall& c : drawn.CallsOf("Line"))
        if (c.points[0].y == 250 && c.points[1].y == 250) {
            EXPECT_GE(std::min(c.points[0].x, c.points[1].x), 425);
            EXPECT_LE(std::max(c.points[0].x, c.points[1].x), 575);
        }

    // Touching regions (the web's top at the flange's bottom) keep the step of the flange's
    // underside: from the web's side out to the flange's on row 200.
    auto tee = SummarySections::Empty();
    tee->AddRegion(0.3, 0.2, 1.0, 1.0, 0, 1);
    tee->AddRegion(0.2, -0.3, 0.3, 0.3, 0, 1);
    RecordingDC touching;
    DrawSectionOutline(touching, *tee, 500.5, 300.5, 500, 0, 0, nullptr);
    EXPECT_TRUE(HasLine(touching, {425, 200}, {250, 200}));
    EXPECT_TRUE(HasLine(touching, {575, 200}, {750, 200}));
    EXPECT_FALSE(HasLine(touching, {250, 200}, {750, 200}));
}

TEST_F(SummaryPage, DepthProfileDrawnAndHit)
{
    TDepthTable profile("widths");
    profile.Add(100, 10);
    profile.Add(50, 10);
    profile.Add(50, 20);
    profile.Add(0, 20);
    TDepthTable colours("colours");
    for (double c : {0.0, 0.0, 3.0, 0.0})
        colours.Add(0, c);
    // 200 x 200: s = 1.6 (height-limited), depth 0 at y = 180, axis at x = 100.
    EXPECT_EQ(DrawDepthTableProfileDC(dc, 0, 0, 200, 200, profile, &colours, 2), 0);
    const auto bands = dc.CallsOf("FillRegion");
    ASSERT_EQ(bands.size(), 2u); // the step at 50 makes no band of its own
    EXPECT_EQ(bands[0].color, plat::Colors::LtGray);
    EXPECT_EQ(plat::ResolveColor(bands[1].color, plat::DefaultPalette()),
              (plat::Color{128, 128, 0})); // palette entry 3
    bool highlighted = false;
    for (const DrawCall& c : dc.CallsOf("Line"))
        highlighted |= c.state.pen.width == 3 && c.points[0].y == 100;
    EXPECT_TRUE(highlighted);

    EXPECT_EQ(HitTestDepthTableProfile(0, 0, 200, 200, profile, nullptr, 100, 60), 0);
    EXPECT_EQ(HitTestDepthTableProfile(0, 0, 200, 200, profile, nullptr, 100, 150), 2);
    EXPECT_EQ(HitTestDepthTableProfile(0, 0, 200, 200, profile, nullptr, 5, 150), -1);
    // A degenerate profile draws only the white rectangle; its hit answers no band.
    TDepthTable flat("flat");
    flat.Add(10, 0);
    flat.Add(0, 0);
    RecordingDC white;
    EXPECT_EQ(DrawDepthTableProfileDC(white, 0, 0, 200, 200, flat, nullptr, -1), 0);
    EXPECT_EQ(white.Calls().size(), 1u);
    EXPECT_EQ(HitTestDepthTableProfile(0, 0, 200, 200, flat, nullptr, 100, 100), -1);
    // The half view of a wide, flat profile answers 1.
    TDepthTable wide("wide");
    wide.Add(1, 100);
    wide.Add(0, 100);
    RecordingDC half;
    EXPECT_EQ(DrawDepthTableProfileDC(half, 0, 0, 400, 400, wide, nullptr, -1), 1);
    bool axis = false;
    for (const DrawCall& c : half.CallsOf("Line"))
        axis |= c.state.pen.style == plat::PenStyle::DashDot && c.points[0].x == 380;
    EXPECT_TRUE(axis);
}

TEST_F(SummaryPage, CrackStateFillByNode)
{
    auto rect = SummarySections::Rectangle();
    const double ec = rect->GetConcreteType(0)->ec;
    ASSERT_LT(ec, 0.0);
    // One mesh layer from depth 0.3 to -0.3: top half cracked at both nodes, bottom half
    // crushed at the middle node only.
    SectionState state;
    state.Valid = 1;
    state.LayerCount = 1;
    state.LayerDefs = {LayerDefRec{0, 1, 2, 0, 0, 0.3, 0.0, -0.3, 0.6}};
    state.NodeStates.resize(3);
    const double depths[3] = {0.3, 0.0, -0.3};
    for (int i = 0; i < 3; ++i)
        state.NodeStates[static_cast<std::size_t>(i)].Depth = depths[i];
    state.NodeStates[0].Strain1 = 0.01;
    state.NodeStates[1].Strain1 = 0.01;
    state.NodeStates[1].Strain2 = 4 * ec;
    state.NodeStates[2].Strain2 = 4 * ec;
    int index = -1;
    FillSectionRegions(dc, *rect, 1, 1, 500.5, 300.5, 1000, &state, index, {0, 0});
    const auto fills = dc.CallsOf("FillRect");
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].color, plat::Colors::LtGray); // both nodes cracked
    EXPECT_EQ(fills[0].rect, (plat::Rect{350, 0, 650, 300}));
    EXPECT_EQ(fills[1].color, plat::Colors::White); // both nodes crushed
    // Without a valid state nothing is filled.
    state.Valid = 0;
    RecordingDC none;
    FillSectionRegions(none, *rect, 1, 1, 500.5, 300.5, 1000, &state, index, {0, 0});
    EXPECT_TRUE(none.Calls().empty());
}

TEST_F(SummaryPage, StirrupsAndHoopsColouredByTheirStress)
{
    // Two mesh layers over the section: the upper one's stirrups yield, the lower one's do not.
    SectionState state;
    state.Valid = 1;
    state.LayerCount = 2;
    state.LayerDefs = {LayerDefRec{0, 1, 2, 0, 0, 0.3, 0.15, 0.0, 0.3},
                       LayerDefRec{2, 3, 4, 0, 0, 0.0, -0.15, -0.3, 0.3}};
    state.NodeStates.resize(5);
    for (int i = 0; i < 5; ++i) {
        LayerNodeStateRec& node = state.NodeStates[static_cast<std::size_t>(i)];
        node.Depth = 0.3 - 0.15 * i;
        node.StirrupYieldStress = 400e6;
        node.StirrupStress = i <= 1 ? 400e6 : 100e6;
    }
    state.NodeStates[2].StirrupStress = 400e6;
    auto colours = [](const RecordingDC& drawn) {
        int red = 0;
        int black = 0;
        for (const DrawCall& c : drawn.Calls()) {
            if (c.op != "Line" && c.op != "Arc")
                continue;
            red += c.state.pen.color == plat::Color{128, 0, 0};
            black += c.state.pen.color == plat::Colors::Black;
        }
        return std::pair{red, black};
    };

    auto framed = SummarySections::Empty();
    framed->AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
    framed->AddTransLayer(SummarySections::Stirrup(0.0, 0.6, 0.01, 3), 2);
    framed->Validate();
    RecordingDC legs;
    DrawStirrups(legs, *framed, 500, 300, 1000, 1, &state, 0);
    const auto [legRed, legBlack] = colours(legs);
    EXPECT_GT(legRed, 0);
    EXPECT_GT(legBlack, 0);

    auto hooped = SummarySections::Empty();
    hooped->AddRegion(0.6, 0.0, 0.6, 0.6, 0, 1);
    hooped->AddTransLayer(SummarySections::Stirrup(0.0, 0.6, 0.01, kCircularHoop), 2);
    hooped->Validate();
    RecordingDC hoop;
    DrawStirrups(hoop, *hooped, 500, 300, 1000, 1, &state, 0);
    const auto [hoopRed, hoopBlack] = colours(hoop);
    EXPECT_GT(hoopRed, 0);
    EXPECT_GT(hoopBlack, 0);
    EXPECT_TRUE(hoop.CallsOf("Ellipse").empty());
    // A failed stirrup layer stops the drawing.
    state.TransLayerFlags = {1};
    RecordingDC failed;
    DrawStirrups(failed, *hooped, 500, 300, 1000, 1, &state, 0);
    EXPECT_TRUE(failed.CallsOf("Arc").empty());
}

TEST_F(SummaryPage, StrainNotes)
{
    auto note = [](double concrete, double bars, bool longTerm) {
        auto beam = SummarySections::Rectangle();
        if (concrete != 0.0) {
            TDepthTable shrink("shrink");
            shrink.Add(beam->GetTop(), concrete);
            shrink.Add(beam->GetBottom(), concrete);
            beam->GetPositionVariable(kShrinkTherm) = shrink;
        }
        if (bars != 0.0)
            beam->SetLongLayerThermStrain(0, bars, 0);
        if (longTerm)
            beam->SetTimeData(1, 3650.0, 50e3, 20e3);
        return FormatStrainNote(*beam, 0);
    };
    // Strains in mm/m with two decimals.
    EXPECT_EQ(note(-0.0003, 0.0, false), "Concrete Shrinkage/Thermal Strain -0.30 mm/m");
    EXPECT_EQ(note(-0.0003, -0.0003, false), "Shrinkage/Thermal Strain -0.30 mm/m");
    EXPECT_EQ(note(-0.0003, -0.0005, false),
              "Constant Shrinkage/Thermal Strains in Concrete & Steel");
    EXPECT_EQ(note(0.0, -0.0005, false), "Thermal Strains in Reinforcement");
    EXPECT_EQ(note(0.0, 0.0, false), "");
    EXPECT_EQ(note(-0.0003, 0.0, true),
              "Concrete Shrinkage/Thermal Strain -0.30 mm/m & Long Term Analysis");
    // Ten years under a stored 50 kNm (shown with the moment's sign turned) and 20 kN.
    EXPECT_EQ(note(0.0, 0.0, true),
              "Long Term Analysis:   Age=    10 years, M= -50.0 kNm, N=  20.0 kN");
}

// A name wider than the catalogue column is cut to what fits between its start (x + W') and
// 2 pixels short of the column's right edge (x + W - m); a short name is drawn whole.
TEST_F(SummaryPage, CatalogueNamesStayInsideTheColumn)
{
    const std::string longName = "T-beam 1000 x 600 with a long name for the title block";
    const TStructure* current = Put(0, SummarySections::TBeamSection(longName));
    Put(1, SummarySections::Rectangle("Rect"));
    const int W = 1280, H = 1024, wp = 1088, m = 12;
    DrawElementCatalogColumn(dc, current, 0, 0, wp, W, H, m);
    std::vector<DrawCall> names;
    for (const DrawCall& c : dc.CallsOf("Text"))
        if (c.run.at.x == wp)
            names.push_back(c);
    ASSERT_EQ(names.size(), 2u);
    const plat::TextRun& cut = names[0].run;
    EXPECT_LE(cut.at.x + cut.x0 + cut.width, W - m - 2);
    EXPECT_LT(names[0].text.size(), longName.size());
    EXPECT_GT(names[0].text.size(), 10u);
    EXPECT_EQ(longName.rfind(names[0].text, 0), 0u);  // a prefix of the name
    // One character more would not have fitted.
    const std::string more = longName.substr(0, names[0].text.size() + 1);
    EXPECT_GT(MeasureRichText(dc, more, names[0].state.font).cx, W - m - 2 - wp);
    EXPECT_EQ(names[1].text, "Rect");
}

} // namespace
