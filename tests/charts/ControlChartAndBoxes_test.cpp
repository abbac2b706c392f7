// The control chart's data, picking and markers on a real window, and the text and graphic
// boxes.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "charts/BoxGeometry.h"
#include "charts/TMixinChartOwner.h"
#include "charts/TTextBox.h"
#include "charts/Tcontrolchart.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "support/RecordingDC.h"
#include "support/ScriptedUi.h"
#include "tests/app/DrawnTexts.h"
#include "tests/charts/ChartsFixture.h"

namespace {

class StagePage final : public plat::Window, public TMixinChartOwner {
public:
    void SelectLoadStage(double x, double y, int stage) override { picks.push_back({x, y, stage}); }
    void OnPageClick(unsigned, int, int, int, int) override {}
    void DrawStructurePicture(plat::DC&, int mode, int w, int h, int fill, double scale) override {
        pictures.push_back({mode, w, h, fill, scale});
    }
    struct PickCall {
        double x, y;
        int stage;
    };
    struct Picture {
        int mode, w, h, fill;
        double scale;
    };
    std::vector<PickCall> picks;
    std::vector<Picture> pictures;
};

class ControlChartTest : public ChartsGuiTest {
protected:
    void SetUp() override {
        page.Create();
        page.MoveWindow({0, 0, 400, 300});
        chart.CreateInParent();
    }
    // Stage k at (k, k^2) for k = 0..4, shown.
    void Feed() {
        for (int k = 0; k < 5; ++k)
            chart.AddTaggedPoint(k, k * k, k);
        chart.AutoScale();
        chart.Invalidate();
        chart.UpdateWindow();
    }
    StagePage page;
    Tcontrolchart chart{&page, "Control : M-Phi", 10, 10, 300, 200, 1, 3};
};

} // namespace

TEST_F(ControlChartTest, KindPopupAndTheFineRangeItemsOfSubMode21) {
    EXPECT_EQ(chart.Kind(), 3);
    ASSERT_EQ(chart.PopupItems().size(), 4u);
    EXPECT_EQ(chart.PopupItems()[1].text, "Copy Chart Data ");
    chart.SetSubMode(21);
    ASSERT_EQ(chart.PopupItems().size(), 8u);
    EXPECT_EQ(chart.PopupItems()[5].text, "Lower Fine Range");
    chart.SetSubMode(1);
    EXPECT_EQ(chart.PopupItems().size(), 4u);
}

TEST_F(ControlChartTest, AFeedAfterAShowStartsANewDataSetAndForgetsTheMarkers) {
    Feed();
    chart.DrawMarker(2, 4, 0);
    EXPECT_EQ(chart.GetMarker(0).x, 2);
    chart.AddTaggedPoint(7, 1e39, 9);  // a new set; y beyond a float
    EXPECT_EQ(chart.Tags(), std::vector<int>{9});
    EXPECT_GT(chart.GetMarker(0).x, 1e30);
    EXPECT_EQ(chart.Data().Data()[1], kUndefined);
}

TEST_F(ControlChartTest, AClickPicksTheNearestStageAndTellsTheOwner) {
    chart.EvLButtonDown(0, {100, 100});  // empty chart: nothing
    EXPECT_TRUE(page.picks.empty());
    EXPECT_FALSE(chart.HasCapture());
    Feed();
    // Stage 3 at its own pixel.
    const ChartTransform& t = chart.Transform();
    ASSERT_GT(t.xScale, 0.0);  // painted
    const int px = static_cast<int>(t.xOffset + 3 * t.xScale), py = static_cast<int>(t.yOffset - 9 * t.yScale);
    chart.EvLButtonDown(0, {px, py});
    ASSERT_EQ(page.picks.size(), 1u);
    EXPECT_EQ(page.picks[0].stage, 3);
    EXPECT_EQ(page.picks[0].y, 9);
    // The selected tag 0 was among the running nearest points (stage 0 comes first), so the
    // chart keeps it; the window sets the stage it shows.
    EXPECT_EQ(chart.SelectedTag(), 0);
    EXPECT_TRUE(chart.HasCapture());
    chart.EvLButtonUp(0, {px, py});
    EXPECT_FALSE(chart.HasCapture());
    chart.SetSelectedTag(3);
    double x = 0, y = 0;
    ASSERT_TRUE(chart.GetPointBeforeSelected(x, y, 1));
    EXPECT_EQ(x, 2);
    EXPECT_FALSE(chart.GetPointBeforeSelected(x, y, 4));  // before the first point: none
}

// Another control pair (new titles) on a chart whose curve was not shown yet: the new curve's
// points carry their own tags, and a pick on one answers its tag, not an old stage.
TEST_F(ControlChartTest, NewTitlesTakeTheOldTagsAlong) {
    for (int k = 0; k < 5; ++k)
        chart.AddTaggedPoint(k, k * k, k);
    chart.SetTitles("Control : Select Depth", "No Value", "Depth (mm)", 1, 1);
    for (int k = 0; k < 3; ++k)
        chart.AddTaggedPoint(0.0, 100.0 * k, 20000 + k);
    chart.AutoScale();
    chart.Invalidate();
    chart.UpdateWindow();
    EXPECT_EQ(chart.Tags(), (std::vector<int>{20000, 20001, 20002}));
    const ChartTransform& t = chart.Transform();
    chart.EvLButtonDown(0, {static_cast<int>(t.xOffset), static_cast<int>(t.yOffset - 200 * t.yScale)});
    ASSERT_EQ(page.picks.size(), 1u);
    EXPECT_EQ(page.picks[0].stage, 20002);
}

// A fine-range marker drawn again at its own place is erased (not-XOR); "Lower Fine Range" twice
// thus leaves marker 1 set but not drawn, as the chart has always done.
TEST_F(ControlChartTest, MarkersDrawnTwiceRestoreThePixels) {
    Feed();
    chart.SetSubMode(21);
    const plat::Image before = chart.BackingImage();
    auto changed = [&] {
        int n = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                n += chart.BackingImage().Pixel(x, y) == before.Pixel(x, y) ? 0 : 1;
        return n;
    };
    chart.DrawMarker(2, 4, 0);
    const int oneCross = changed();
    EXPECT_GT(oneCross, 0);
    chart.CmLowerFineRange();  // on top of marker 0: the two crosses cancel
    chart.CmLowerFineRange();  // same place: marker 1 erased
    EXPECT_EQ(changed(), oneCross);
    EXPECT_LT(chart.GetMarker(1).x, 1e30);  // still set
    chart.DrawMarker(kUndefined, kUndefined, 0);  // marker 0 erased and not drawn again
    EXPECT_EQ(changed(), 0);
}

TEST_F(ControlChartTest, TheFineRangeReadsInXOrderAndTagsInMarkerOrder) {
    Feed();
    chart.SetSubMode(21);
    chart.DrawMarker(4, 16, 0);
    chart.CmLowerFineRange();
    chart.DrawMarker(1, 1, 0);
    chart.CmUpperFineRange();
    ASSERT_TRUE(chart.HasMarkers());
    double xLow = 0, xHigh = 0;
    int tagLow = 0, tagHigh = 0;
    chart.GetMarkedRange(xLow, tagLow, xHigh, tagHigh);
    EXPECT_EQ(xLow, 1);
    EXPECT_EQ(xHigh, 4);
    EXPECT_EQ(tagLow, 4);
    EXPECT_EQ(tagHigh, 1);
    chart.CmClearFineRange();
    EXPECT_FALSE(chart.HasMarkers());
    chart.CmLowerFineRange();
    chart.CmUpperFineRange();
    chart.SetSubMode(1);  // leaving sub-mode 21 forgets the range
    EXPECT_FALSE(chart.HasMarkers());
}

TEST_F(ControlChartTest, SubMode500DrawsTheStructureUnderTheCurve) {
    chart.SetSubMode(500);
    Feed();
    ASSERT_FALSE(page.pictures.empty());
    EXPECT_EQ(page.pictures.back().mode, 0);
    EXPECT_EQ(page.pictures.back().w, 300);
    EXPECT_EQ(page.pictures.back().fill, 1);
}

// A curve that climbs to the top of its range at once and runs along it for a while, through
// the top's number beside the axis column (x from 0): the number stays at the top of the axis,
// beside the column (not moved along the top row past the plateau, where it would read as an x
// value), the curve's strokes give way round it, and the cross-hair passes round it where it is.
TEST_F(ControlChartTest, TheRangeNumbersStandClearOfTheCurve) {
    const double ys[] = {0, 40, 40, 40, 0, 0, 0};
    for (int k = 0; k < 7; ++k)
        chart.AddTaggedPoint(k * 0.5, ys[k], k);
    chart.AutoScale();
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 300, 200});
    const std::vector<DrawCall> texts = dc.CallsOf("Text");
    const DrawCall* top = nullptr;
    for (const DrawCall& c : texts)
        if (c.text == "40.000")
            top = &c;
    ASSERT_NE(top, nullptr) << ::testing::PrintToString(dc.Texts());
    const plat::TextRun& r = top->run;
    const int left = r.at.x + r.x0, baseline = r.at.y + r.baseline;
    const plat::Rect box{left, baseline - r.ascent, left + r.width, baseline + r.descent};
    // The curve's points where its clip shows them: none among the number's letters (its cell
    // less the leading above the digits and the descent below).
    const int h = box.bottom - box.top;
    const plat::Rect letters{box.left, box.top + h / 6, box.right, box.bottom - h / 6};
    const std::vector<plat::Point> shown = ShownCurvePoints(dc.Calls());
    const int strokes = static_cast<int>(shown.size());
    for (const plat::Point& p : shown)
        EXPECT_FALSE(letters.Contains(p)) << "the curve at " << p.x << "," << p.y << " through the number at "
                                          << box.left << "," << box.top << ".." << box.right << "," << box.bottom;
    EXPECT_GT(strokes, 0);
    EXPECT_EQ(r.at.y, chart.Margins().top); // at the top's row
    EXPECT_LE(box.left, chart.Margins().left + 4); // beside the axis column at x = 0
    // The boxes the cross-hair passes round hold the number where it is drawn.
    bool listed = false;
    for (const plat::Rect& b : chart.TextBoxes())
        listed = listed || (b.left == box.left && b.top <= box.top && b.bottom >= box.bottom - 1);
    EXPECT_TRUE(listed);
}

// A chart as the page maps it (the page's 1123 x 794 logical pixels on a 300 per inch device,
// 3508 x 2480 pixels) whose curve zigzags from 0 to -297.7 across the whole plot every 10 mm of
// a 2600 mm member, so that no place of a range number is clear of the data: each number stands
// whole inside the chart, clear of the others, and no stroke of the curve lands on it (the clip
// of every stroke that passes its box leaves the box out).
TEST_F(ControlChartTest, OnAPageTheRangeNumbersStandWholeWhereTheDataFillTheChart) {
    constexpr int W = 290, H = 280;
    Tcontrolchart member{&page, "Control : Dist. - Moment", 0, 0, W, H, 1, 1};
    member.CreateInParent();
    for (int k = 0; k <= 260; ++k)
        member.AddTaggedPoint(0.1 + k * 10.0, k % 2 ? -297.7 : 0.0, k);
    member.AutoScale();
    RecordingDC dc;
    dc.Recorder().caps = plat::DeviceCaps{297, 210, 3508, 2480, 300, 300};
    dc.SetMapMode(plat::MapMode::Anisotropic);
    dc.SetWindowExt({1123, 794});
    dc.SetViewportExt({3508, 2480});
    member.Paint(dc, true, {0, 0, W, H});
    std::vector<plat::Rect> numbers;
    std::vector<std::string> names;
    for (const DrawCall& c : dc.CallsOf("Text")) {
        if (c.text.find("Control") != std::string::npos)
            continue;
        const plat::TextRun& r = c.run;
        const int left = r.at.x + r.x0, baseline = r.at.y + r.baseline;
        numbers.push_back({left, baseline - r.ascent, left + r.width, baseline + r.descent});
        names.push_back(c.text);
    }
    // The x end and the y minimum (the range starts at 0 and tops out at 0).
    ASSERT_EQ(numbers.size(), 2u) << ::testing::PrintToString(dc.Texts());
    const plat::Mapping& map = dc.State().mapping;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const plat::Rect& b = numbers[i];
        EXPECT_TRUE(b.left >= 0 && b.top >= 0 && b.right <= W && b.bottom <= H)
            << names[i] << " at " << b.left << "," << b.top << ".." << b.right << "," << b.bottom;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_TRUE(b.right <= numbers[j].left || numbers[j].right <= b.left || b.bottom <= numbers[j].top ||
                        numbers[j].bottom <= b.top)
                << names[i] << " on " << names[j];
        // The number's inner pixels, on the device.
        const plat::Point inner[] = {{b.left + 1, b.top + 1}, {b.right - 2, b.top + 1}, {(b.left + b.right) / 2, (b.top + b.bottom) / 2},
                                     {b.left + 1, b.bottom - 2}, {b.right - 2, b.bottom - 2}};
        int passing = 0;
        for (const DrawCall& c : dc.Calls()) {
            if (c.op != "Polyline" && c.op != "Line" && c.op != "Rectangle")
                continue;
            bool passes = false;
            for (std::size_t k = 0; k + 1 < c.points.size(); ++k) {
                const plat::Point a = c.points[k], e = c.points[k + 1];
                // Within the box less its edge pixels: the axis runs along the number's top
                // row, above its digits.
                passes = passes || (std::max(a.x, e.x) > b.left && std::min(a.x, e.x) < b.right - 1 &&
                                    std::max(a.y, e.y) > b.top && std::min(a.y, e.y) < b.bottom - 1);
            }
            if (!passes)
                continue;
            ++passing;
            for (const plat::Point p : inner) {
                bool shown = true;
                for (const plat::Region& region : c.state.clip.regions)
                    shown = shown && region.Contains(map.ToDevice(p));
                EXPECT_FALSE(shown) << c.op << " (" << c.points[0].x << "," << c.points[0].y << ")-(" << c.points.back().x << "," << c.points.back().y << ") lands on " << names[i] << " at " << p.x << "," << p.y;
            }
        }
        EXPECT_GT(passing, 0) << names[i] << ": the curve passes every place";
    }
}

namespace {

class BoxTest : public ChartsGuiTest {
protected:
    void SetUp() override {
        page.Create();
        page.MoveWindow({0, 0, 400, 300});
    }
    StagePage page;
    ScriptedUi ui;
};

} // namespace

TEST_F(BoxTest, ATextBoxTakesTheSizeOfItsTextWhateverThePageAsks) {
    TTextBox box(&page, "Text Box", 40, 40, 90, 90);
    box.CreateInParent();
    EXPECT_EQ(box.TitleFont().height, 10);  // min(4 (90 / 9) / 3, 90 / 9)
    box.SetText("|e_x = 1.5\nsecond line");
    const BoxPlace sized = box.Place();
    EXPECT_EQ(sized.x, 40);
    EXPECT_GT(sized.w, 0);
    box.Reposition(40, 40, 300, 250, 1);  // a drag of the resize handle
    EXPECT_EQ(box.Place(), sized);
    EXPECT_EQ(box.TitleFont().height, 10);
}

// A selected text box draws its eight handles (10 x 10 at the corners and the middles of the
// sides) and a grey frame 2 pixels wide on the lines 5 pixels in from its edges. Its letters
// stand inside the frame and off every handle: the box keeps a margin of 11 pixels around its
// text, the last letters of its longest line ("400 MPa") included.
TEST_F(BoxTest, ASelectedTextBoxKeepsItsLettersInsideItsFrameAndOffItsHandles) {
    TTextBox box(&page, "Text Box", 40, 40, 90, 90);
    box.CreateInParent();
    box.SetText("New Cross Section\nf_c' =  35.0 MPa\nf_y (Bars) =   400 MPa");
    box.DrawSelection();
    ASSERT_TRUE(box.IsSelected());
    const int W = box.Place().w, H = box.Place().h;
    RecordingDC dc;
    box.Paint(dc, true, {0, 0, W, H});
    const std::vector<DrawCall> texts = dc.CallsOf("Text");
    ASSERT_FALSE(texts.empty());
    int right = 0;
    bool mpa = false;
    for (const DrawCall& t : texts) {
        SCOPED_TRACE(t.text);
        const plat::TextRun& r = t.run;
        const plat::Rect ink{r.at.x + r.x0, r.at.y + r.baseline - r.ascent, r.at.x + r.x0 + r.width,
                             r.at.y + r.baseline + r.descent};
        // Inside the frame's inner edge (6 pixels in).
        EXPECT_GE(ink.left, 7);
        EXPECT_GE(ink.top, 7);
        EXPECT_LE(ink.right, W - 7);
        EXPECT_LE(ink.bottom, H - 7);
        for (int code = 0; code < 8; ++code) {
            const plat::Rect h = HandleRect(code, W, H);
            EXPECT_FALSE(ink.left < h.right && h.left < ink.right && ink.top < h.bottom && h.top < ink.bottom)
                << "handle " << code;
        }
        right = std::max(right, ink.right);
        mpa = mpa || t.text.find("400 MPa") != std::string::npos;
    }
    EXPECT_TRUE(mpa);
    // The margin is the same on both sides: the longest line ends 11 pixels from the right edge.
    EXPECT_EQ(W - right, TTextBox::kTextMargin);
}

TEST_F(BoxTest, EditingATextBoxDiscardsTheReportTextAndLeavesItNull) {
    AddLoadError("a complaint");
    TTextBox box(&page, "Text Box", 40, 40, 90, 90);
    box.SetText("old");
    // The text is edited in "View Data": "Close" hands the edits back, Cancel does not.
    ui.DataView([](std::string& text) {
        EXPECT_EQ(text, "old\r\n");
        text = "new";
        return true;
    });
    box.CmEditText();
    EXPECT_EQ(box.GetText(), "new\r\n");
    EXPECT_EQ(g_ReportText, nullptr);
    AddLoadError("another complaint");
    ui.DataView([](std::string& text) {
        text = "dropped";
        return false;
    });
    box.CmEditText();
    EXPECT_EQ(box.GetText(), "new\r\n");
    EXPECT_EQ(g_ReportText, nullptr);
}

TEST_F(BoxTest, GraphicBoxScalesAndHandsItsSettingsToThePicture) {
    TGraphicBox box(&page, "graphic", 40, 40, 200, 100);
    box.CreateInParent();
    EXPECT_EQ(box.Kind(), 5);
    ui.Input("percentage", std::string("50")).Input("percentage", std::string("1e300"));
    box.CmScaleAll();
    EXPECT_EQ(box.Place(), (BoxPlace{40, 40, 100, 50}));
    double fx, fy, fw, fh;
    box.GetRelativeRect(fx, fy, fw, fh);
    EXPECT_DOUBLE_EQ(fw, 100.0 / 400);
    box.CmScaleAll();  // bounded by the largest window
    EXPECT_LE(box.Place().w, plat::kMaxWindowExtent);
    EXPECT_GT(box.Place().w, 100);
    ui.Input("percentage", std::string("200")).Input("percentage", std::string("200"));
    box.CmScaleText();
    box.CmScaleText();
    EXPECT_DOUBLE_EQ(box.GetTextScale(), 5.2);
    box.CmToggleFill();
    box.CmToggleMode();
    page.pictures.clear();
    box.Invalidate();
    box.UpdateWindow();
    ASSERT_FALSE(page.pictures.empty());
    EXPECT_EQ(page.pictures.back().fill, 0);
    EXPECT_EQ(page.pictures.back().mode, 0);
    EXPECT_DOUBLE_EQ(page.pictures.back().scale, 5.2);
}

// A percentage that is no number, or a number followed by other text, is refused with a message
// and asked for again; cancelled, the box and its lettering keep their size.
TEST_F(BoxTest, GraphicBoxScalePromptsAskAgainForTextThatIsNoNumber) {
    TGraphicBox box(&page, "graphic", 40, 40, 200, 100);
    box.CreateInParent();
    const BoxPlace place = box.Place();
    const double scale = box.GetTextScale();
    const char* const refusal = "The percentage scale factor must be a number (values below 10 are taken as 10).";
    for (const char* typed : {"abc", "50,5", "50%", "5mm", "nan"}) {
        ui.Input("percentage", std::string(typed)).Message(refusal, MsgAnswer::Ok).Input("percentage", std::nullopt);
        box.CmScaleAll();
        ui.Input("percentage", std::string(typed)).Message(refusal, MsgAnswer::Ok).Input("percentage", std::nullopt);
        box.CmScaleText();
        EXPECT_TRUE(ui.Done()) << typed;
        EXPECT_EQ(box.Place(), place) << typed;
        EXPECT_EQ(box.GetTextScale(), scale) << typed;
    }
    // Corrected, the answer is taken; an empty one reads as 0, so 10 %.
    ui.Input("percentage", std::string("x")).Message(refusal, MsgAnswer::Ok).Input("percentage", std::string("50"));
    box.CmScaleAll();
    EXPECT_EQ(box.Place(), (BoxPlace{40, 40, 100, 50}));
    ui.Input("percentage", std::string(""));
    box.CmScaleText();
    EXPECT_DOUBLE_EQ(box.GetTextScale(), 0.1 * scale);
    EXPECT_TRUE(ui.Done());
}
