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
#include "model/shapes/SectionShape.h"
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

    // The user's road in a window of w x h: quick define with the defaults, Loads > Create Fire
    // Damaged Beam (OK), View > Cross Section. beam receives the post-fire beam shown.
    void ShowPostFireSummary(int w, int h, const TStructure*& beam)
    {
        ShowFrameAt(w, h);
        ASSERT_EQ(BuildQuickDefineSection(*g_Structures[0]), 1);
        Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
        Frame().Dispatch(CmId::FireDamagedBeam);
        beam = Window().GetCurrentStructure();
        ASSERT_NE(beam, nullptr);
        ASSERT_NE(beam, g_Structures[0].get());  // the post-fire beam
        ASSERT_GE(beam->GetRegionCount(), 10);
        // Its bands are an outline of their own, as its document gives it back: no rectangle.
        ASSERT_EQ(beam->GetSectionKindCode(), kUserShapeCode);
        Frame().Dispatch(CmId::CrossSection);
        ASSERT_EQ(Window().GetViewManager().GetLayoutMode(), LayoutMode::Summary);
    }

    // The page printed from the preview onto a recorded 300 dpi letter sheet: the calls drawn
    // in the page's own coordinates, and the page's extent.
    void PrintThePage(std::vector<DrawCall>& calls, plat::Size& extent)
    {
        plat::Printer::UseTestPdfPrinter(dir.File("page.pdf"));
        RecordingDC paper;
        PrintLetterPageFromPreview(*app, paper);
        ASSERT_FALSE(paper.Calls().empty());
        extent = paper.Calls().front().state.mapping.windowExt;
        for (const DrawCall& c : paper.Calls())
            if (c.state.mapping.windowOrg == plat::Point{0, 0})
                calls.push_back(c);
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
    const TStructure* beam = nullptr;
    ASSERT_NO_FATAL_FAILURE(ShowPostFireSummary(1280, 1024, beam));

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
        std::vector<DrawCall> calls, lines;
        plat::Size extent;
        ASSERT_NO_FATAL_FAILURE(PrintThePage(calls, extent));
        for (const DrawCall& c : calls)
            if (c.op == "Line")
                lines.push_back(c);
        ExpectWholeSectionDimensioned(lines, *beam, extent.cx, extent.cy);
    }
}

namespace {

plat::Rect TextBox(const DrawCall& c)
{
    const int x = c.run.at.x + c.run.x0, baseline = c.run.at.y + c.run.baseline;
    return {x, baseline - c.run.ascent, x + c.run.width, baseline + c.run.descent};
}

bool Overlaps(const plat::Rect& a, const plat::Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Whether the segment a-b enters the box (sampled finely enough for boxes of a few pixels).
bool Crosses(plat::Point a, plat::Point b, const plat::Rect& box)
{
    for (int i = 0; i <= 200; ++i) {
        const double f = i / 200.0;
        const double x = a.x + f * (b.x - a.x), y = a.y + f * (b.y - a.y);
        if (box.left < x && x < box.right && box.top < y && y < box.bottom)
            return true;
    }
    return false;
}

// The section drawn on a page of W x H (its origin at the page's), its outline, fills and
// dimensions ("600", "250" and their lines), lies clear of the notes' texts over the title
// block.
void ExpectSectionClearOfTheNotes(const std::vector<DrawCall>& calls, const TStructure& beam, int W, int H)
{
    std::vector<DrawCall> lines, texts;
    for (const DrawCall& c : calls) {
        if (c.op == "Line")
            lines.push_back(c);
        if (c.op == "Text")
            texts.push_back(c);
    }
    ExpectWholeSectionDimensioned(lines, beam, W, H);
    const SectionFit fit = FitSectionToRect(&beam, static_cast<int>(0.85 * W), H, W / 100);
    const int left = static_cast<int>(fit.x0 - fit.widest * fit.s / 2);
    const int right = static_cast<int>(fit.x0 + fit.widest * fit.s / 2);
    std::vector<plat::Rect> notes;
    for (const DrawCall& c : texts)
        if (c.text == "All dimensions in millimetres" || c.text.rfind("Clear cover", 0) == 0)
            notes.push_back(TextBox(c));
    ASSERT_EQ(notes.size(), 2u);
    for (const plat::Rect& note : notes) {
        for (const DrawCall& c : texts) {
            if (c.text == "600" || c.text == "250") {
                EXPECT_FALSE(Overlaps(TextBox(c), note)) << "\"" << c.text << "\" down to y " << TextBox(c).bottom
                                                          << " in the notes from y " << note.top;
            }
        }
        // The section's lines (outline, bars, stirrup) and its dimensions' lines lie within
        // its width and the height dimension left of it.
        for (const DrawCall& c : lines) {
            if (std::min(c.points[0].x, c.points[1].x) >= left - fit.widest * fit.s &&
                std::max(c.points[0].x, c.points[1].x) <= right + H / 100) {
                EXPECT_FALSE(Crosses(c.points[0], c.points[1], note))
                    << "a line (" << c.points[0].x << ", " << c.points[0].y << ")-(" << c.points[1].x
                    << ", " << c.points[1].y << ") in the notes from y " << note.top;
            }
        }
        for (const DrawCall& c : calls) {
            if (c.op != "Polygon" && c.op != "FillRect" && c.op != "FillRegion" && c.op != "Rectangle")
                continue;
            plat::Rect box = c.rect;
            if (!c.points.empty()) {
                box = {c.points[0].x, c.points[0].y, c.points[0].x, c.points[0].y};
                for (const plat::Point p : c.points)
                    box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
                           std::max(box.bottom, p.y)};
            }
            if (box.left >= left - 1 && box.right <= right + 1) {
                EXPECT_FALSE(Overlaps(box, note)) << c.op << " of the section down to y " << box.bottom
                                                  << " in the notes from y " << note.top;
            }
        }
    }
}

} // namespace

// On a wide, low window the notes over the title block ("All dimensions in millimetres", the
// clear cover) are large against the page's height: the banded section, its outline and fills,
// and its "600" and "250" dimensions with their lines, keep clear of them at every size.
TEST_F(PostFireSummary, TheSectionAndItsDimensionsKeepClearOfTheNotesAtWindowSizes)
{
    ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(kUnitSI)};
    const TStructure* beam = nullptr;
    ASSERT_NO_FATAL_FAILURE(ShowPostFireSummary(2560, 768, beam));

    for (const plat::Size size : {plat::Size{2560, 768}, plat::Size{1920, 1080}, plat::Size{1366, 768},
                                  plat::Size{1024, 768}}) {
        SCOPED_TRACE(StrPrintf("%d x %d", size.cx, size.cy));
        ShowFrameAt(size.cx, size.cy);
        RecordingDC screen;
        Window().Paint(screen, true, Window().GetClientRect());
        const plat::Rect client = Window().GetClientRect();
        ExpectSectionClearOfTheNotes(screen.Calls(), *beam, client.Width(), client.Height());
        // The concrete types legend beside it labels every band; drawn small, its labels'
        // digits (0.75 of the font's height) stand one below the other without covering.
        const int wp = static_cast<int>(0.85 * client.Width());
        const int lx = static_cast<int>(0.33 * wp + 10) + 2 + std::min(5, wp / 100);
        std::vector<DrawCall> labels;
        for (const DrawCall& c : screen.CallsOf("Text"))
            if (c.run.at.x == lx && c.text.find('.') != std::string::npos)
                labels.push_back(c);
        EXPECT_GE(labels.size(), 10u);
        std::sort(labels.begin(), labels.end(),
                  [](const DrawCall& a, const DrawCall& b) { return a.run.at.y < b.run.at.y; });
        for (std::size_t i = 1; i < labels.size(); ++i) {
            EXPECT_GE(labels[i].run.at.y - labels[i - 1].run.at.y, 0.75 * -labels[i].state.font.height - 1)
                << "\"" << labels[i].text << "\" at y " << labels[i].run.at.y << " under \"" << labels[i - 1].text
                << "\" at y " << labels[i - 1].run.at.y << ", font " << -labels[i].state.font.height;
        }
    }
    SCOPED_TRACE("page");
    std::vector<DrawCall> calls;
    plat::Size extent;
    ASSERT_NO_FATAL_FAILURE(PrintThePage(calls, extent));
    ExpectSectionClearOfTheNotes(calls, *beam, extent.cx, extent.cy);
}
