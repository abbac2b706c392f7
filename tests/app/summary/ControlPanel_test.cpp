// The control panel and the start picture through the recording context; message boxes of
// painting code shown once.

#include <gtest/gtest.h>

#include "app/summary/ControlPanel.h"
#include "app/summary/SummaryFixture.h"
#include "charts/TBoxItem.h"
#include "foundation/Reporter.h"
#include "support/RecordingDC.h"
#include "support/ScriptedUi.h"

namespace {

// The light left edges of the etched frames drawn (the panel's white edge line starts at y = 1).
std::vector<DrawCall> EtchedFrameEdges(const RecordingDC& dc)
{
    std::vector<DrawCall> edges;
    for (const DrawCall& c : dc.CallsOf("Line")) {
        if (c.state.pen.color == plat::GetSysColor(plat::SysColor::Highlight3D) &&
            c.points[0].x == c.points[1].x && c.points[1].y > c.points[0].y && c.points[0].y > 1)
            edges.push_back(c);
    }
    return edges;
}

class ControlPanelTest : public SummaryTest {
protected:
    void SetUp() override
    {
        SummaryTest::SetUp();
        ForgetPaintMessages();
    }
};

TEST_F(ControlPanelTest, TitlesFramesAndLines)
{
    PaintControlPanel(dc, 7, 1010, 800, 0.25, 1, 0, 0, {});
    const auto texts = dc.Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "Four Graphs");
    const auto title = dc.CallsOf("Text")[0];
    EXPECT_EQ(title.run.at, (plat::Point{126, 40})); // (0.5 f W, 0.05 H)
    EXPECT_EQ(title.state.font.weight, 700);
    EXPECT_EQ(title.state.font.height, -22); // min(1010 / 45, 800 / 25)
    // The face fill to x = f W - 1, then the frame lines.
    EXPECT_EQ(dc.CallsOf("FillRect")[0].rect, (plat::Rect{0, 0, 251, 800}));
    // One etched frame at (10, 10), 232 wide and 0.63 H - 0.02 W = 483 high: its light left
    // edge runs one pixel outside, from y = 10 to 493.
    const auto frames = EtchedFrameEdges(dc);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].points[0], (plat::Point{9, 10}));
    EXPECT_EQ(frames[0].points[1], (plat::Point{9, 493}));

    RecordingDC loadDeformation;
    int called = 0;
    PaintControlPanel(loadDeformation, 1, 1010, 800, 0.25, 0, 1, 0, [&](plat::DC&) { ++called; });
    EXPECT_EQ(called, 1);
    EXPECT_EQ(loadDeformation.Texts(),
              (std::vector<std::string>{"Load-Deformation",
                                        "Paste Data",
                                        "Type of Base Graph",
                                        "Type of Pasted Graph",
                                        "Sample Output"}));
    EXPECT_EQ(EtchedFrameEdges(loadDeformation).size(), 2u); // two frames whatever the record

    RecordingDC none;
    PaintControlPanel(none, 4, 1010, 800, 0.25, 0, 1, 0, {});
    EXPECT_TRUE(EtchedFrameEdges(none).empty());
}

TEST_F(ControlPanelTest, StartPictureTextsAndPicture)
{
    const std::array<std::string, 8> texts =
        {"Title", "Subtitle", "Method", "Version", "c1", "c2", "c3", "c4"};
    PaintStartPicture(dc, 1000, 800, texts);
    EXPECT_EQ(dc.Texts(), (std::vector<std::string>(texts.begin(), texts.end())));
    const auto images = dc.CallsOf("DrawImage");
    ASSERT_EQ(images.size(), 1u);
    // The program's picture is 300 x 400, wider for its height than the 240 x 448 box: it
    // keeps the box's width and is 240 / 0.75 = 320 high.
    EXPECT_EQ(images[0].rect, (plat::Rect{730, 168, 970, 488}));
    EXPECT_EQ(dc.CallsOf("Text")[3].run.at, (plat::Point{710, 400}));
}

TEST_F(ControlPanelTest, PaintTraceShownOnce)
{
    ScriptedUi ui;
    plat::ScopedUi scope(ui);
    ui.Message("PaintPanel", MsgAnswer::Ok);
    for (int paint = 0; paint < 3; ++paint)
        PaintControlPanel(dc, 4, 1010, 800, 0.25, 0, 0, 3, {});
    EXPECT_EQ(ui.requests.size(), 1u);
}

// A box that notes where its (0, 0) lands and how it was asked to paint.
class NotingBox : public TBoxItem {
public:
    using TBoxItem::TBoxItem;
    void Paint(plat::DC& dc, bool, const plat::Rect& rect) override
    {
        landed = dc.LPtoDP(plat::Point{0, 0});
        painted = rect;
        blackAndWhite = BlackAndWhite();
    }
    plat::Point landed{-1, -1};
    plat::Rect painted;
    int blackAndWhite = -1;
};

TEST_F(ControlPanelTest, PrintBoxPlacesTheBoxAndRestores)
{
    NotingBox box(nullptr, "Chart", 100, 600, 300, 200);
    {
        ValueGuard<int> colour(g_PrintInColour, 0);
        PrintBox(dc, &box, false, 800);
    }
    EXPECT_EQ(box.landed, (plat::Point{100, 600}));
    EXPECT_EQ(box.painted, (plat::Rect{0, 0, 300, 200}));
    EXPECT_EQ(box.blackAndWhite, 1);
    EXPECT_EQ(box.BlackAndWhite(), 0);
    EXPECT_EQ(dc.GetWindowOrg(), (plat::Point{0, 0}));
    // A control chart below the middle goes to two thirds of its y; in colour it keeps colour.
    ValueGuard<int> colour(g_PrintInColour, 1);
    PrintBox(dc, &box, true, 800);
    EXPECT_EQ(box.landed, (plat::Point{100, 400}));
    EXPECT_EQ(box.blackAndWhite, 0);
    PrintBox(dc, nullptr, false, 800);
}

// A printed box draws nothing outside its place on the page (on screen its window clips it):
// labels of absurd axis ends stayed out of the next panel.
TEST_F(ControlPanelTest, PrintBoxClipsTheBoxToItsPlace)
{
    class Spilling : public TBoxItem {
    public:
        using TBoxItem::TBoxItem;
        void Paint(plat::DC& dc, bool, const plat::Rect&) override
        {
            dc.MoveTo(-50, 100);
            dc.LineTo(500, 100);
        }
    };
    Spilling box(nullptr, "Chart", 100, 600, 300, 200);
    PrintBox(dc, &box, false, 800);
    const std::vector<DrawCall> lines = dc.CallsOf("Line");
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].state.clip.regions.size(), 1u);
    // The box's place on the page: (100, 600) to (400, 800).
    EXPECT_EQ(lines[0].state.clip.regions[0], plat::Region::FromRect({100, 600, 400, 800}));
    dc.MoveTo(0, 0);
    dc.LineTo(10, 10);
    EXPECT_TRUE(dc.CallsOf("Line").back().state.clip.IsEmpty());  // the clip goes with the box
}

} // namespace
