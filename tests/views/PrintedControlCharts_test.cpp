// The control charts of a section quick-defined with the defaults and solved to its end, as
// the window paints them and as they are printed from the print preview onto a recording
// page of a landscape letter sheet at 300 dots per inch (3300 x 2550, the window mapped onto
// it at 3.125 dots a pixel). The page draws what the window draws: the curve whole where it
// runs along the plot's top (the peak moment) or its left end, and one marker, each dash of
// its lines one stroke as wide as the window's two pixel columns (two strokes of the scaled
// pen land a dot apart wherever the mapping rounds them so, and the marker shows doubled).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "charts/Tcontrolchart.h"
#include "dialogs/QuickDefine.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "platform/Printing.h"
#include "support/RecordingDC.h"
#include "tests/app/ShellFixture.h"
#include "tests/views/PrintedPage.h"
#include "views/BeamModeInstall.h"

namespace {

struct PrintedControlCharts : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    PrintedControlCharts() { plat::Printer::UseTestPdfPrinter(dir.File("page.pdf")); }
    ~PrintedControlCharts() override
    {
        plat::Printer::UseTestPdfPrinter("");
        SetBeamLogicFactory(std::move(previous));
    }
};

// One closed interval of device pixels.
struct Span {
    double from, to;
};

// The device rectangle of a call's clip (its regions are rectangles here).
plat::Rect ClipRect(const DrawCall& c)
{
    plat::Rect r{-1 << 29, -1 << 29, 1 << 29, 1 << 29};
    for (const plat::Region& region : c.state.clip.regions) {
        int l = 1 << 29, t = 1 << 29, rt = -1 << 29, b = -1 << 29;
        for (const plat::Point& p : region.polygon)
            l = std::min(l, p.x), t = std::min(t, p.y), rt = std::max(rt, p.x), b = std::max(b, p.y);
        r = {std::max(r.left, l), std::max(r.top, t), std::min(r.right, rt), std::min(r.bottom, b)};
    }
    return r;
}

// What a stroke at device coordinate v covers across its line: the pixel v on the screen
// (a one-pixel pen lights the pixels it passes), a band of the scaled pen's width about v on
// the page.
Span Across(const DrawCall& c, double v, double scale)
{
    if (scale == 1.0)
        return {v, v + 1};
    const double w = std::max(1L, std::lround(std::max(1, c.state.pen.width) * scale));
    return {v - w / 2, v + w / 2};
}

// The points of the curve whose stroke leaves the plot area it is clipped to, there cut
// away: "x,y" of each, empty when the whole curve is drawn.
std::string CutPoints(const std::vector<DrawCall>& calls, plat::Point org)
{
    std::string cut;
    for (const DrawCall& c : calls) {
        if (c.op != "Polyline" || c.state.mapping.windowOrg != org || c.state.clip.regions.size() < 1)
            continue;
        const plat::Rect clip = ClipRect(c);
        const double sx = c.state.mapping.ScaleX(), sy = c.state.mapping.ScaleY();
        for (const plat::Point& p : c.points) {
            const plat::Point d = c.state.mapping.ToDevice(p);
            const Span x = Across(c, d.x, sx), y = Across(c, d.y, sy);
            if (x.from < clip.left || x.to > clip.right || y.from < clip.top || y.to > clip.bottom)
                cut += StrPrintf("%d,%d ", p.x, p.y);
        }
    }
    return cut;
}

// The strokes of the marker's vertical line in a chart drawn at origin org, grouped by dash:
// for each, the device columns it covers.
std::vector<std::vector<Span>> VerticalDashes(const std::vector<DrawCall>& calls, plat::Point org)
{
    std::vector<std::pair<int, Span>> pieces;  // (dash top, columns)
    for (const DrawCall& c : calls) {
        if (c.state.mapping.windowOrg != org)
            continue;
        const double s = c.state.mapping.ScaleX();
        if (c.op == "Line" && c.points[0].x == c.points[1].x && c.state.pen.color == plat::Color(0, 128, 0)) {
            const plat::Point a = c.state.mapping.ToDevice(c.points[0]);
            pieces.push_back({std::min(c.points[0].y, c.points[1].y), Across(c, a.x, s)});
        }
        if (c.op == "FillRect" && c.color == plat::Color(0, 128, 0) && c.rect.Width() == 2 && c.rect.Height() > 2) {
            const plat::Point a = c.state.mapping.ToDevice({c.rect.left, c.rect.top});
            const plat::Point b = c.state.mapping.ToDevice({c.rect.right, c.rect.bottom});
            pieces.push_back({c.rect.top, Span{static_cast<double>(a.x), static_cast<double>(b.x)}});
        }
    }
    std::sort(pieces.begin(), pieces.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.from < b.second.from;
    });
    std::vector<std::vector<Span>> dashes;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i == 0 || pieces[i].first != pieces[i - 1].first)
            dashes.emplace_back();
        dashes.back().push_back(pieces[i].second);
    }
    return dashes;
}

} // namespace

TEST_F(PrintedControlCharts, ThePageDrawsTheWindowsCurvesWholeAndOneMarker)
{
    ShowFrameAt(1280, 1024);
    ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(kUnitSI)};
    auto beam = std::make_unique<TBeam>();
    ASSERT_EQ(BuildQuickDefineSection(*beam), 1);
    g_Structures[0] = std::move(beam);
    Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
    Frame().Dispatch(CmId::CrossSection);
    Frame().Dispatch(CmId::SectionalResponse);
    for (long pass = 0; pass < 100000 && g_Analyses[0] && g_Analyses[0]->IsRunning(); ++pass)
        Window().IdleAction(pass);
    Window().IdleAction(0);
    TViewm_2k& view = Window().GetViewManager();

    // The window: the curve reaches the plot's top row at its peak and is drawn whole there;
    // the marker (at the peak stage) is two pixel columns side by side.
    std::vector<std::string> titles;
    for (int which = 0; which < 2; ++which) {
        Tcontrolchart* chart = view.GetControlChart(which);
        ASSERT_NE(chart, nullptr);
        titles.push_back(chart->Data().Title());
        SCOPED_TRACE(titles.back());
        RecordingDC screen;
        chart->Paint(screen, true, chart->GetClientRect());
        const std::vector<DrawCall> curves = screen.CallsOf("Polyline");
        ASSERT_EQ(curves.size(), 1u);
        int peak = 1 << 29;
        for (const plat::Point& p : curves[0].points)
            peak = std::min(peak, p.y);
        EXPECT_EQ(peak, ClipRect(curves[0]).top);
        EXPECT_EQ(CutPoints(screen.Calls(), {0, 0}), "");
        const auto dashes = VerticalDashes(screen.Calls(), {0, 0});
        ASSERT_GE(dashes.size(), 8u);
        for (const auto& dash : dashes) {
            ASSERT_EQ(dash.size(), 2u);
            EXPECT_EQ(dash[0].to, dash[1].from);  // side by side: one line two pixels wide
        }
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Control : Moment - |f", "Control : Moment - |e_x"}));

    RecordingDC paper;
    PrintLetterPageFromPreview(*app, paper);

    // Each control chart on the page, found by its title.
    int charts = 0;
    for (const DrawCall& title : paper.CallsOf("Text")) {
        if (title.text.rfind("Control : Moment - ", 0) != 0)
            continue;
        ++charts;
        const plat::Point org = title.state.mapping.windowOrg;
        SCOPED_TRACE(title.text);
        ASSERT_GT(title.state.mapping.ScaleX(), 3.0);
        EXPECT_EQ(CutPoints(paper.Calls(), org), "");
        const auto dashes = VerticalDashes(paper.Calls(), org);
        ASSERT_GE(dashes.size(), 8u);
        for (const auto& dash : dashes) {
            ASSERT_EQ(dash.size(), 1u) << "a dash drawn as " << dash.size() << " strokes, "
                                       << dash[1].from - dash[0].to << " dots apart";
            EXPECT_NEAR(dash[0].to - dash[0].from, 2 * title.state.mapping.ScaleX(), 1.0);
        }
    }
    EXPECT_EQ(charts, 2);
}
