// The summary page of a post-fire beam (View > Cross Section after Loads > Create Fire Damaged
// Beam on the section quick-defined with the defaults), on screen and on the previewed page:
// the beam is a rectangle in bands, and it is dimensioned as a whole, its height over all the
// bands and its width below the last one, both outside the section.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "app/summary/SummaryLayout.h"
#include "app/views/TViewm.h"
#include "dialogs/QuickDefine.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "platform/Printing.h"
#include "support/RecordingDC.h"
#include "tests/app/ShellFixture.h"
#include "tests/member/fire/FireTestSupport.h"
#include "tests/views/PrintedPage.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"

namespace {

// The fire dialog answered with OK as it stands; every other dialog cancelled.
class FireOk final : public TCancelInputDialogs {
public:
    int Fire(T_2kWindow&, TStructure&) override { return DialogResult::Ok; }
};

struct PostFireSummary : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    FireOk dialogs;
    TInputDialogs* previousDialogs = SetInputDialogs(&dialogs);
    const StateDiagramsGuard diagrams;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    firetest::FireStateGuard fire;

    ~PostFireSummary() override
    {
        plat::Printer::UseTestPdfPrinter("");
        SetInputDialogs(previousDialogs);
        SetBeamLogicFactory(std::move(previous));
    }
};

// The lines of the section's dimensions on a page of W x H (the summary page's own layout,
// its origin at the page's): the height's vertical line runs from the section's top to its
// bottom, a tick beyond each, left of its widest part; the width's line lies below the
// section's bottom and reaches over its whole width, a tick beyond each side. No line as long
// as the width crosses the section.
void ExpectWholeSectionDimensioned(const std::vector<DrawCall>& lines, const TStructure& beam, int W, int H)
{
    const SectionFit fit = FitSectionToRect(&beam, static_cast<int>(0.85 * W), H, W / 100);
    const auto Y = [&](double z) { return static_cast<int>(fit.y0 - z * fit.s); };
    const int top = Y(beam.GetTop()), bottom = Y(beam.GetBottom());
    const int left = static_cast<int>(fit.x0 - fit.widest * fit.s / 2);
    const int right = static_cast<int>(fit.x0 + fit.widest * fit.s / 2);
    const int t = H / 10 / 10;
    ASSERT_GT(bottom - top, 100);
    bool height = false, width = false;
    for (const DrawCall& c : lines) {
        const plat::Point a = c.points[0], b = c.points[1];
        if (a.x == b.x && a.x < left && std::min(a.y, b.y) == top - t && std::max(a.y, b.y) == bottom + t)
            height = true;
        if (a.y == b.y && a.y > bottom && std::min(a.x, b.x) == left - t && std::max(a.x, b.x) == right + t)
            width = true;
        EXPECT_FALSE(a.y == b.y && a.y > top && a.y < bottom && std::min(a.x, b.x) <= left - t &&
                     std::max(a.x, b.x) >= right + t)
            << "a line across the section at y " << a.y;
    }
    EXPECT_TRUE(height) << "the height from y " << top - t << " to " << bottom + t << " left of x " << left;
    EXPECT_TRUE(width) << "the width from x " << left - t << " to " << right + t << " below y " << bottom;
}

} // namespace

TEST_F(PostFireSummary, ABandedPostFireBeamIsDimensionedAsAWholeOnScreenAndOnThePage)
{
    ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(kUnitSI)};
    ShowFrameAt(1280, 1024);
    ASSERT_EQ(BuildQuickDefineSection(*g_Structures[0]), 1);
    Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
    Frame().Dispatch(CmId::FireDamagedBeam);
    const TStructure* beam = Window().GetCurrentStructure();
    ASSERT_NE(beam, nullptr);
    ASSERT_NE(beam, g_Structures[0].get());  // the post-fire beam
    ASSERT_GE(beam->GetRegionCount(), 10);
    ASSERT_EQ(beam->GetSectionKindCode(), 0);
    Frame().Dispatch(CmId::CrossSection);
    ASSERT_EQ(Window().GetViewManager().GetLayoutMode(), LayoutMode::Summary);

    {
        SCOPED_TRACE("screen");
        RecordingDC screen;
        Window().Paint(screen, true, Window().GetClientRect());
        const plat::Rect client = Window().GetClientRect();
        const std::vector<std::string> texts = screen.Texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), "600"), texts.end());
        EXPECT_NE(std::find(texts.begin(), texts.end(), "250"), texts.end());
        ExpectWholeSectionDimensioned(screen.CallsOf("Line"), *beam, client.Width(), client.Height());
    }
    {
        SCOPED_TRACE("page");
        plat::Printer::UseTestPdfPrinter(dir.File("page.pdf"));
        RecordingDC paper;
        PrintLetterPageFromPreview(*app, paper);
        ASSERT_FALSE(paper.Calls().empty());
        const plat::Size extent = paper.Calls().front().state.mapping.windowExt;
        std::vector<DrawCall> lines;
        for (const DrawCall& c : paper.CallsOf("Line"))
            if (c.state.mapping.windowOrg == plat::Point{0, 0})
                lines.push_back(c);
        ExpectWholeSectionDimensioned(lines, *beam, extent.cx, extent.cy);
    }
}
