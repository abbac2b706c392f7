// The summary page of a section printed from the real main window, on a recording context
// that stands in for a landscape letter page at 300 dots per inch (3300 x 2550): the page is
// laid out for the paper as the window would be at the page's size in screen pixels, W x H.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/CommandIds.h"
#include "app/views/TViewm.h"
#include "platform/Printing.h"
#include "support/RecordingDC.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "tests/views/PrintedPage.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"

namespace {

struct PrintedSummary : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    const StateDiagramsGuard diagrams; // the material charts
    RecordingDC paper;

    ~PrintedSummary() override { SetBeamLogicFactory(std::move(previous)); }

    // Shows the summary page of the test beam in a 1280 x 1024 frame and prints it while the
    // preview stands (the window paints for the printer only then).
    void Print()
    {
        Frame().ShowFrame(1);
        Frame().SetFrameRect(plat::Rect{0, 0, 1280, 1024});
        g_Structures[0] = TestSection::MakeBeam();
        Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
        Frame().Dispatch(CmId::CrossSection);
        ASSERT_EQ(Window().GetViewManager().GetLayoutMode(), LayoutMode::Summary);
        plat::Printer::UseTestPdfPrinter(dir.File("page.pdf"));
        PrintLetterPageFromPreview(*app, paper);
        plat::Printer::UseTestPdfPrinter("");
    }
    // The lines drawn at the page's own origin, as (x1, y1, x2, y2).
    std::vector<std::vector<int>> PageLines() const
    {
        std::vector<std::vector<int>> out;
        for (const DrawCall& c : paper.CallsOf("Line"))
            if (c.state.mapping.windowOrg == plat::Point{0, 0})
                out.push_back({c.points[0].x, c.points[0].y, c.points[1].x, c.points[1].y});
        return out;
    }
};

bool Has(const std::vector<std::vector<int>>& lines, std::vector<int> line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The sheet's frame runs m = W / 100 inside the left 85 % of the page (wp = trunc(0.85 W)),
// the element catalogue's column from there to m short of the right edge; on paper the
// frame's corners land 33 dots (a hundredth of the width) inside the paper's edges. No frame is
// drawn round the whole page (the result pages have one).
TEST_F(PrintedSummary, SheetAndCatalogueFramesLandOnThePage)
{
    Print();
    const std::vector<DrawCall> lines = paper.CallsOf("Line");
    ASSERT_FALSE(lines.empty());
    const plat::Mapping& map = lines.front().state.mapping;
    EXPECT_EQ(map.viewportExt, (plat::Size{3300, 2550}));
    const int W = map.windowExt.cx, H = map.windowExt.cy;
    EXPECT_NEAR(W * 2550.0 / 3300.0, H, 1.0); // the page's shape
    ASSERT_GT(W, 500);
    const int m = W / 100, wp = static_cast<int>(0.85 * W);

    const std::vector<std::vector<int>> at = PageLines();
    for (const std::vector<int>& l : {std::vector<int>{m, m, wp - m, m},
                                      {wp - m, m, wp - m, H - m},
                                      {wp - m, H - m, m, H - m},
                                      {m, H - m, m, m}})
        EXPECT_TRUE(Has(at, l)) << "sheet " << l[0] << " " << l[1] << " " << l[2] << " " << l[3];
    for (const std::vector<int>& l : {std::vector<int>{wp - m, m, W - m, m},
                                      {W - m, m, W - m, H - m},
                                      {W - m, H - m, wp - m, H - m}})
        EXPECT_TRUE(Has(at, l)) << "catalogue " << l[0] << " " << l[1] << " " << l[2] << " " << l[3];
    const plat::Point corner = map.ToDevice({wp - m, H - m});
    EXPECT_NEAR(corner.x, (0.85 - 0.01) * 3300, 5.0);
    EXPECT_NEAR(corner.y, 2550 - 33, 5.0); // m is a hundredth of the width: 33 dots
    const plat::Point far = map.ToDevice({W - m, H - m});
    EXPECT_NEAR(far.x, 3300 - 33, 5.0);

    for (const DrawCall& r : paper.CallsOf("Rectangle"))
        EXPECT_NE(r.rect, (plat::Rect{0, 0, W, H}));
}

// The material charts are printed in panels 14 and 15 of the page: at x = (0.015 + 0.2 k)
// 0.85 W, y = 0.75 H, 0.17 W wide and 0.245 H - W / 100 high (truncated), each clipped to its
// own rectangle, and both inside the sheet's frame below its properties tables.
TEST_F(PrintedSummary, MaterialChartsArePrintedInTheirPanelsInsideTheFrame)
{
    Print();
    const plat::Mapping& map = paper.Calls().front().state.mapping;
    const int W = map.windowExt.cx, H = map.windowExt.cy;
    const int m = W / 100, wp = static_cast<int>(0.85 * W);
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(k);
        const int x = static_cast<int>((0.015 + 0.2 * k) * 0.85 * W);
        const int y = static_cast<int>(0.75 * H);
        const int w = static_cast<int>(0.17 * W), h = static_cast<int>(0.245 * H - W / 100);
        int drawn = 0;
        for (const DrawCall& c : paper.Calls()) {
            if (c.state.mapping.windowOrg != plat::Point{-x, -y})
                continue;
            ++drawn;
            ASSERT_EQ(c.state.clip.regions.size(), 1u);
            int x0 = 1 << 20, y0 = 1 << 20, x1 = -x0, y1 = -y0;
            for (plat::Point p : c.state.clip.regions[0].polygon) {
                x0 = std::min(x0, p.x), y0 = std::min(y0, p.y);
                x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
            }
            // The clip is kept in dots.
            const plat::Point a = c.state.mapping.ToDevice({0, 0});
            const plat::Point b = c.state.mapping.ToDevice({w, h});
            EXPECT_NEAR(x0, a.x, 1);
            EXPECT_NEAR(y0, a.y, 1);
            EXPECT_NEAR(x1, b.x, 1);
            EXPECT_NEAR(y1, b.y, 1);
        }
        EXPECT_GT(drawn, 5) << "the chart's curves and axes";
        EXPECT_GE(x, m);
        EXPECT_LE(x + w, wp - m);
        EXPECT_LE(y + h, H - m);
    }
}

} // namespace
