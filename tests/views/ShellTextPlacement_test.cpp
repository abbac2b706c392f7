// Where the texts of the real main window land: every text whole inside the picture that
// "Copy Screen Picture" makes and off the frame drawn round it, and the legend boxes of the
// member pushover clear of the charts' axis numbers.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "app/CommandIds.h"
#include "app/PictureExtent.h"
#include "app/TApxPrintout.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "model/materials/MaterialTypes.h"
#include "platform/Frame.h"
#include "platform/Services.h"
#include "support/RecordingDC.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "tests/membrane/MembraneFixtures.h"
#include "views/BeamModeInstall.h"
#include "views/membrane/MembraneModeInstall.h"

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
    // The frame holds the page (the information panel's last row stays on it); the control
    // panel's edge line goes on down to the frame.
    EXPECT_GE(frame.bottom, client.Height());
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

// The titles of the nine charts and of the two control charts.
std::vector<std::string> ChartTitles(const TViewm_2k& view)
{
    std::vector<std::string> titles;
    for (int i = 0; i < 9; ++i)
        if (const Tchart* c = view.GetChart(i))
            titles.push_back(c->Data().Title());
    for (int i = 0; i < 2; ++i)
        if (const Tchart* c = view.GetControlChart(i))
            titles.push_back(c->Data().Title());
    return titles;
}

// A line segment as it lands on the device, with the window origin it was drawn with (a box
// printed at its place on the page draws with the origin moved there).
struct Segment {
    plat::Point a, b;
    plat::Point origin;
};

// The rectangle a clip of rectangles leaves (the bounds of each region, intersected); a very
// large one for no clip.
plat::Rect ClipRect(const plat::Clip& clip)
{
    plat::Rect r{-1000000, -1000000, 1000000, 1000000};
    for (const plat::Region& region : clip.regions) {
        if (region.polygon.empty())
            continue;
        plat::Rect bounds{region.polygon[0].x, region.polygon[0].y, region.polygon[0].x, region.polygon[0].y};
        for (const plat::Point& p : region.polygon)
            bounds = plat::Rect{std::min(bounds.left, p.x), std::min(bounds.top, p.y), std::max(bounds.right, p.x),
                                std::max(bounds.bottom, p.y)};
        r = plat::Rect{std::max(r.left, bounds.left), std::max(r.top, bounds.top), std::min(r.right, bounds.right),
                       std::min(r.bottom, bounds.bottom)};
    }
    return r;
}

// The horizontal and vertical line segments drawn, each cut to its clip (a box printed at its
// place draws nothing outside itself); what a clip leaves nothing of is left out.
std::vector<Segment> Segments(const RecordingDC& dc)
{
    std::vector<Segment> segments;
    for (const DrawCall& c : dc.Calls()) {
        if (c.op != "Line" && c.op != "Polyline")
            continue;
        const plat::Rect clip = ClipRect(c.state.clip);
        for (std::size_t i = 1; i < c.points.size(); ++i) {
            plat::Point a = c.state.mapping.ToDevice(c.points[i - 1]), b = c.state.mapping.ToDevice(c.points[i]);
            if (a.y == b.y) {
                if (a.y < clip.top || a.y >= clip.bottom)
                    continue;
                a.x = std::clamp(a.x, clip.left, clip.right - 1), b.x = std::clamp(b.x, clip.left, clip.right - 1);
            } else if (a.x == b.x) {
                if (a.x < clip.left || a.x >= clip.right)
                    continue;
                a.y = std::clamp(a.y, clip.top, clip.bottom - 1), b.y = std::clamp(b.y, clip.top, clip.bottom - 1);
            } else {
                continue;
            }
            segments.push_back({a, b, c.state.mapping.windowOrg});
        }
    }
    return segments;
}

// On a printed or previewed page of the nine graphs no line crosses a chart's title: on paper
// the two control charts stand closer together than on screen, and on a page taller than wide
// the upper one's foot would run through the lower one's title. Pages of A4 as the window
// takes them for the printer (767 x 1096 at the screen's resolution) and larger, in both
// orientations.
TEST_F(SolvedFactoredBeam, NoLineCrossesATitleOnAPrintedPage)
{
    ASSERT_NE(Solve(), nullptr);
    Frame().Dispatch(CmId::NineGraphs);
    const std::vector<std::string> titles = ChartTitles(View());
    ASSERT_EQ(titles.size(), 11u);
    // The window paints pages while a preview is open.
    Frame().Dispatch(CmId::FilePrintPreview);
    ASSERT_NE(app->GetPreview(), nullptr);
    for (const plat::Size page : {plat::Size{1096, 767}, plat::Size{1414, 1000}, plat::Size{767, 1096},
                                  plat::Size{1000, 1414}}) {
        SCOPED_TRACE(testing::Message() << page.cx << " x " << page.cy);
        RecordingDC dc;
        TApxPrintout printout(app->GetPrinter(), "page", Window(), true);
        printout.SetPrintParams(&dc, page);
        plat::Rect rect{0, 0, page.cx, page.cy};
        printout.PrintPage(1, rect, 0);
        // A title is drawn in pieces where it is marked up ("Control : Moment - " and φ): its first
        // piece, the name, is what a line would strike through.
        std::vector<DrawCall> drawn;
        for (const DrawCall& t : dc.CallsOf("Text"))
            for (const std::string& title : titles)
                if (t.text.size() >= 5 && title.rfind(t.text, 0) == 0)
                    drawn.push_back(t);
        EXPECT_GE(drawn.size(), titles.size());
        // A chart lays its own frame, axes and curves out round its title: the lines of every
        // other box, and of the information panel, stay off it.
        for (const Segment& s : Segments(dc)) {
            for (const DrawCall& t : drawn) {
                if (s.origin == t.state.mapping.windowOrg)
                    continue;
                EXPECT_FALSE(Crosses(s.a, s.b, BoxOf(t)))
                    << t.text << " at rows " << BoxOf(t).top << ".." << BoxOf(t).bottom << " crossed from (" << s.a.x
                    << ", " << s.a.y << ") to (" << s.b.x << ", " << s.b.y << ")";
            }
        }
    }
    app->GetPreview()->Dispatch(PreviewId::Done);
    app->IdleAction(0);
}

// The frame round a page whose texts run past the page's right edge: on a device that reaches
// no further than the texts, its right line stands at the device's clip box, as its bottom
// line does below a page; where the device reaches past the texts (a picture made to hold
// them), kPictureTextMargin right of the furthest text. `paint` paints the page as printing
// does; the text that runs furthest starts with `longest`.
void ExpectRightLineAtTheClipBox(const std::function<void(plat::DC&)>& paint, const plat::Rect& page,
                                 const std::string& longest)
{
    // Where the texts reach on a device as large as the picture could be.
    RecordingDC large;
    large.Recorder().caps.horzRes = 4 * page.Width();
    large.Recorder().caps.vertRes = 2 * page.Height();
    paint(large);
    int reach = 0;
    for (const DrawCall& t : large.CallsOf("Text"))
        if (t.state.font.escapement == 0)
            reach = std::max(reach, BoxOf(t).right);
    bool seen = false;
    for (const DrawCall& t : large.CallsOf("Text"))
        seen = seen || (t.text.find(longest) == 0 && BoxOf(t).right == reach);
    ASSERT_TRUE(seen) << longest;
    ASSERT_GT(reach, page.right + 40) << "the texts do not run past the page";
    ASSERT_FALSE(large.CallsOf("Rectangle").empty());
    EXPECT_EQ(large.CallsOf("Rectangle").back().rect, (plat::Rect{0, 0, reach + kPictureTextMargin, page.bottom}));

    // Paper as wide as the page, and paper 20 pixels wider: the frame's right line is the last
    // column of the paper, its bottom line the page's.
    for (const int wider : {0, 20}) {
        SCOPED_TRACE(wider);
        RecordingDC paper;
        paper.Recorder().caps.horzRes = page.Width() + wider;
        paper.Recorder().caps.vertRes = page.Height();
        ASSERT_EQ(paper.GetClipBox().right, page.right + wider);
        paint(paper);
        ASSERT_FALSE(paper.CallsOf("Rectangle").empty());
        const DrawCall frame = paper.CallsOf("Rectangle").back();
        EXPECT_EQ(frame.rect, (plat::Rect{0, 0, paper.GetClipBox().right, page.bottom}));
        EXPECT_TRUE(frame.state.brush.hollow);
    }
}

// The load-deformation page names the section in the middle of its top line: a name longer
// than the page runs past its right edge.
TEST_F(SolvedFactoredBeam, APrintedFrameRoundANameLongerThanThePageEndsAtThePapersEdge)
{
    ASSERT_NE(Solve(), nullptr);
    const std::string name = "Girder " + std::string(150, 'W');
    g_Structures[0]->SetName(name);
    Frame().Dispatch(CmId::LoadDeformationPlot);
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::LoadDeformation);
    const plat::Rect client = Window().GetClientRect();
    ExpectRightLineAtTheClipBox([&](plat::DC& dc) { View().Paint(dc, 1, 0); }, client, "Girder WWW");
}

// A membrane element's page lists its institution at the left of the information panel, in
// the page's font of 1/50 of its width.
struct SolvedMembrane : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    SolvedMembrane() { InstallMembraneMode(); }
    ~SolvedMembrane() override
    {
        SetMembraneLogicFactory({});
        SetBeamLogicFactory(std::move(previous));
    }
    TViewm_2k& View() { return Window().GetViewManager(); }
};

TEST_F(SolvedMembrane, AnInstitutionTooLongForTheControlPanelIsLeftOutOfThePrintedPage)
{
    Frame().ShowFrame(1);
    Frame().SetFrameRect(plat::Rect{0, 0, 1280, 1024});
    const std::string institution = "Structures Laboratory, " + std::string(120, 'W');
    std::unique_ptr<TStructure> panel = membrane_fixtures::MakePanel(membrane_fixtures::PanelSpec{});
    panel->SetName("Panel");
    panel->SetUniversity(institution);
    g_Structures[0] = std::move(panel);
    View().CreateLogic(2, g_Structures[0].get(), nullptr);
    Frame().Dispatch(CmId::CrossSection);
    Frame().Dispatch(CmId::SectionalResponse);
    TSectionalAnalysis* a = g_Analyses[0].get();
    ASSERT_NE(a, nullptr);
    RunToFinish(*a, 5000);
    for (int pass = 0; pass < 3; ++pass)
        app->IdleAction(pass);
    Frame().Dispatch(CmId::NineGraphs);
    ASSERT_EQ(View().GetLayoutMode(), LayoutMode::NineGraphs);
    const plat::Rect client = Window().GetClientRect();
    // Too long for the control panel even in the least readable text, the institution is left
    // out; the panel's other lines stay inside it, and the frame is the page's.
    RecordingDC paper;
    paper.Recorder().caps.horzRes = client.Width();
    paper.Recorder().caps.vertRes = client.Height();
    View().Paint(paper, 1, 0);
    const int edge = static_cast<int>(0.25 * client.Width() - 1);
    bool name = false;
    for (const DrawCall& t : paper.CallsOf("Text")) {
        EXPECT_EQ(t.text.find("Structures Laboratory"), std::string::npos);
        if (t.state.mapping.windowOrg != plat::Point{0, 0} || t.state.font.escapement != 0)
            continue;
        name = name || t.text == "Panel";
        EXPECT_LE(BoxOf(t).right, edge - 10) << t.text;
    }
    EXPECT_TRUE(name);
    ASSERT_FALSE(paper.CallsOf("Rectangle").empty());
    EXPECT_EQ(paper.CallsOf("Rectangle").back().rect, client);
}

} // namespace
