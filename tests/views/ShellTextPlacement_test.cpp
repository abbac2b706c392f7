// Where the texts of the real main window land: every text whole inside the picture that
// "Copy Screen Picture" makes and off the frame drawn round it, and the legend boxes of the
// member pushover clear of the charts' axis numbers.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "model/materials/MaterialTypes.h"
#include "platform/Frame.h"
#include "platform/Services.h"
#include "support/RecordingDC.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "views/BeamModeInstall.h"

namespace {

// The box an unturned text run covers on the device, measured as drawn (a box printed at its
// place on the page draws with the window origin moved).
plat::Rect BoxOf(const DrawCall& c)
{
    const plat::Point at = c.state.mapping.ToDevice(c.run.at);
    const int left = at.x + c.run.x0;
    const int baseline = at.y + c.run.baseline;
    return plat::Rect{left, baseline - c.run.ascent, left + c.run.width, baseline + c.run.descent};
}

bool Inside(const plat::Rect& inner, const plat::Rect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// True when the horizontal or vertical segment from a to b passes through the box.
bool Crosses(plat::Point a, plat::Point b, const plat::Rect& box)
{
    if (a.y == b.y)
        return a.y >= box.top && a.y < box.bottom && std::max(a.x, b.x) >= box.left && std::min(a.x, b.x) < box.right;
    if (a.x == b.x)
        return a.x >= box.left && a.x < box.right && std::max(a.y, b.y) >= box.top && std::min(a.y, b.y) < box.bottom;
    return false;
}

struct SolvedFactoredBeam : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ValueGuard<ResistanceFactors> factors{g_ResistanceFactors, ResistanceFactors{}};
    ~SolvedFactoredBeam() override { SetBeamLogicFactory(std::move(previous)); }
    TViewm_2k& View() { return Window().GetViewManager(); }
    TSectionalAnalysis* Solve()
    {
        // Design resistance factors: the pages show "Factored Values" and the "(FACTORED) " tag.
        g_ResistanceFactors = ResistanceFactors{0.65, 0.85, 0.9};
        Frame().ShowFrame(1);
        Frame().SetFrameRect(plat::Rect{0, 0, 1280, 1024});
        g_Structures[0] = TestSection::MakeBeam();
        View().CreateLogic(1, g_Structures[0].get(), nullptr);
        TestSection::SetLoads(*g_Structures[0], 0, 0, 0, 0, -100e3, 60e3);
        Frame().Dispatch(CmId::CrossSection);
        Frame().Dispatch(CmId::SectionalResponse);
        TSectionalAnalysis* a = g_Analyses[0].get();
        EXPECT_NE(a, nullptr);
        if (a)
            RunToFinish(*a, 5000);
        for (int pass = 0; pass < 3; ++pass)
            app->IdleAction(pass);
        return a;
    }
};

// "Copy Screen Picture" of the nine graphs: the information panel's last line ("Factored
// Values", top-aligned at 0.99 of the height) and every other text lie whole inside the
// picture, and inside the frame drawn round the page, which no text crosses.
TEST_F(SolvedFactoredBeam, TheCopiedPictureHoldsEveryTextWhole)
{
    ASSERT_NE(Solve(), nullptr);
    Frame().Dispatch(CmId::NineGraphs);
    ASSERT_EQ(Frame().GetMessageText(), "(FACTORED) Current Loads");
    Window().EvCommand(CmId::CopyPicture, 0, 0);
    const plat::Image png = plat::Clipboard::GetPicturePng();
    const plat::Rect client = Window().GetClientRect();
    EXPECT_EQ(png.Width(), client.Width());
    EXPECT_GE(png.Height(), client.Height());
    const plat::Rect picture{0, 0, png.Width(), png.Height()};

    // The information panel and the frame as the picture copy paints them.
    RecordingDC dc;
    View().Paint(dc, 1, 0);
    const std::vector<DrawCall> texts = dc.CallsOf("Text");
    bool factored = false;
    for (const DrawCall& t : texts) {
        factored = factored || t.text == "Factored Values";
        if (t.state.font.escapement != 0)
            continue; // the charts' upright axis titles, well inside their boxes
        EXPECT_TRUE(Inside(BoxOf(t), picture))
            << t.text << " ends at " << BoxOf(t).bottom << " in a picture " << picture.bottom << " high";
    }
    EXPECT_TRUE(factored);
    const std::vector<DrawCall> frames = dc.CallsOf("Rectangle");
    ASSERT_FALSE(frames.empty());
    const plat::Rect frame = frames.back().rect;
    EXPECT_TRUE(Inside(frame, picture));
    const plat::Point corners[] = {{frame.left, frame.top}, {frame.right - 1, frame.top},
                                   {frame.right - 1, frame.bottom - 1}, {frame.left, frame.bottom - 1}};
    // The frame grew below the page; the control panel's edge line goes on down to it.
    EXPECT_GT(frame.bottom, client.Height());
    const int edge = static_cast<int>(0.25 * client.Width() - 1);
    int reach = 0;
    for (const DrawCall& l : dc.CallsOf("Line"))
        if (l.points[0].x == edge && l.points[1].x == edge)
            reach = std::max({reach, l.points[0].y, l.points[1].y});
    EXPECT_EQ(reach, frame.bottom);
    for (const DrawCall& t : texts) {
        if (t.state.font.escapement != 0)
            continue;
        EXPECT_TRUE(Inside(BoxOf(t), frame)) << t.text;
        for (int k = 0; k < 4; ++k)
            EXPECT_FALSE(Crosses(corners[k], corners[(k + 1) % 4], BoxOf(t))) << t.text << " on side " << k;
    }

    // On paper (a device no larger than the page) the frame stays on the page.
    RecordingDC paper;
    paper.Recorder().caps.horzRes = client.Width();
    paper.Recorder().caps.vertRes = client.Height();
    View().Paint(paper, 1, 0);
    ASSERT_FALSE(paper.CallsOf("Rectangle").empty());
    EXPECT_EQ(paper.CallsOf("Rectangle").back().rect, client);
}

} // namespace
