// The main window shows the start picture and, for a section, its summary page with the
// materials page's charts.

#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/summary/SummaryFixture.h"
#include "app/views/TViewm.h"
#include "charts/Tchart.h"
#include "support/RecordingDC.h"
#include "tests/app/ShellFixture.h"

namespace {

TEST_F(StartedShellTest, StartPictureThenTheSummaryPageOfTheSection)
{
    Window().MoveWindow(plat::Rect{0, 0, 1280, 1024});
    TViewm_2k& view = Window().GetViewManager();
    {
        RecordingDC dc;
        view.Paint(dc, 0, 0);
        EXPECT_TRUE(HasText(dc, "using the Modified Compression Field Theory"));
        EXPECT_EQ(dc.CallsOf("DrawImage").size(), 1u); // the program's picture
    }
    g_Structures[0] = SummarySections::TBeamSection("Tee");
    view.CreateLogic(1, g_Structures[0].get(), nullptr);
    Frame().Dispatch(CmId::CrossSection);
    EXPECT_EQ(view.GetLayoutMode(), LayoutMode::Summary);
    // Concrete and reinforcing steel: two material charts.
    ASSERT_NE(view.GetChart(0), nullptr);
    ASSERT_NE(view.GetChart(1), nullptr);
    EXPECT_EQ(view.GetChart(2), nullptr);
    EXPECT_EQ(view.GetChartId(0), 2120);
    EXPECT_EQ(view.GetChartId(1), 2121);
    RecordingDC page;
    view.Paint(page, 0, 0);
    EXPECT_TRUE(HasText(page, "Geometric Properties"));
    EXPECT_TRUE(HasText(page, "Element Catalog"));
    EXPECT_TRUE(HasText(page, "Tee"));
    EXPECT_FALSE(HasText(page, "using the Modified Compression Field Theory"));
}

} // namespace
