// The over-relaxation demonstration behind its command (11842) in the program's window: every
// sweep is painted into the window and put on the screen while the command runs, without the
// message loop, so when the result box opens the screen has shown each sweep and the window
// holds the last one.

#include <algorithm>
#include <cstdio>

#include "app/CommandIds.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/SorDemo.h"
#include "tests/app/ShellFixture.h"

namespace {

class RelaxationDemoTest : public StartedShellTest {
protected:
    RelaxationDemoTest() : m_previous(SetInputDialogs(&dialogs)) {}
    ~RelaxationDemoTest() override { SetInputDialogs(m_previous); }

    TMemberInputDialogs dialogs{GetInputDialogs()};

private:
    TInputDialogs* m_previous;
};

TEST_F(RelaxationDemoTest, EverySweepIsOnTheScreenBeforeTheResult)
{
    Window().UpdateWindow();
    const int before = Window().GetScreenPaints();
    int shownAtResult = 0;
    plat::Color hot, cool;
    // 10 blocks of 102 pixels: row 1 starts at x = 122; column 0 (300 degrees, fixed) lies at
    // y = 100 + 5 x 102 = 610, column 5 (100 degrees) at y = 100.
    ui.Input("Enter Number of blocks", std::string("10"))
        .Input("Enter w", std::string("1.5"))
        .While([&] {
            shownAtResult = Window().GetScreenPaints() - before;
            const plat::Image& shown = Window().BackingImage();
            hot = shown.Pixel(130, 650);
            cool = shown.Pixel(130, 150);
        })
        .Message("iterations needed", MsgAnswer::Ok);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(Window().EvCommand(CmId::ClampingStress, 0, 0));
    (void)testing::internal::GetCapturedStdout();
    EXPECT_TRUE(ui.Done());
    // The report names the sweeps; each went to the screen at least once.
    int sweeps = 0;
    for (const UiRequest& r : ui.requests) {
        if (r.kind == "message") {
            ASSERT_EQ(std::sscanf(r.text.c_str(), " %d iterations", &sweeps), 1);
        }
    }
    EXPECT_GT(sweeps, 5);
    EXPECT_GE(shownAtResult, sweeps);
    const SorColour h = SorBlockColour(300.0), c = SorBlockColour(100.0);
    EXPECT_EQ(hot, (plat::Color{h.red, h.green, h.blue}));
    EXPECT_EQ(cool, (plat::Color{c.red, c.green, c.blue}));
}

// Once the result box is closed the picture goes: the area it covered is invalid, and painting
// it shows the page again (the start picture), not the grid's colours.
TEST_F(RelaxationDemoTest, ThePageIsPaintedAgainWhereThePictureLayWhenItEnds)
{
    Window().UpdateWindow();
    const plat::Color pageHot = Window().BackingImage().Pixel(130, 650);
    const plat::Color pageCool = Window().BackingImage().Pixel(130, 150);
    const SorColour h = SorBlockColour(300.0), c = SorBlockColour(100.0);
    const plat::Color hot{h.red, h.green, h.blue}, cool{c.red, c.green, c.blue};
    ASSERT_NE(pageHot, hot);
    ASSERT_NE(pageCool, cool);
    ui.Input("Enter Number of blocks", std::string("10"))
        .Input("Enter w", std::string("1.5"))
        .While([&] {
            // Under the box the picture is there, and nothing asks for it to go yet.
            EXPECT_EQ(Window().BackingImage().Pixel(130, 650), hot);
            EXPECT_TRUE(Window().GetUpdateRect().IsEmpty());
        })
        .Message("iterations needed", MsgAnswer::Ok);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(Window().EvCommand(CmId::ClampingStress, 0, 0));
    (void)testing::internal::GetCapturedStdout();
    EXPECT_TRUE(ui.Done());
    // 10 blocks of 102 pixels: x 20 to 1142 (rows 0 to 10), y 100 to 712 (columns 0 to 5), as
    // far as the window reaches.
    const plat::Rect client = Window().GetClientRect();
    const plat::Rect invalid = Window().GetUpdateRect();
    EXPECT_LE(invalid.left, 20);
    EXPECT_LE(invalid.top, 100);
    EXPECT_GE(invalid.right, std::min(1142, client.right));
    EXPECT_GE(invalid.bottom, std::min(712, client.bottom));
    Window().UpdateWindow();
    EXPECT_EQ(Window().BackingImage().Pixel(130, 650), pageHot);
    EXPECT_EQ(Window().BackingImage().Pixel(130, 150), pageCool);
}

// Answers that are no number, no whole count or out of range are refused with the
// demonstration's own message and asked for again, by the command as a user gives it; nothing
// is drawn until both are taken, and the grid relaxed is the one of the answers taken.
TEST_F(RelaxationDemoTest, TypedValuesOutOfRangeOrNoNumberAreAskedAgain)
{
    Window().UpdateWindow();
    const int before = Window().GetScreenPaints();
    int paintedBeforeTaken = -1;
    ui.Input("Enter Number of blocks", std::string("99999999999"));
    for (const char* blocks : {"abc", "0,5", "5mm", "2.5", "0", "-3", "200"})
        ui.Message("The number of blocks must be a whole number between 1 and 199", MsgAnswer::Ok)
            .Input("Enter Number of blocks", std::string(blocks));
    ui.Message("The number of blocks must be a whole number between 1 and 199", MsgAnswer::Ok)
        .Input("Enter Number of blocks", std::string("10"))
        .Input("Enter w", std::string("nan"));
    for (const char* w : {"abc", "1,5", "1.5x", "0", "2", "-1"})
        ui.Message("The over-relaxation factor must lie between 0 and 2", MsgAnswer::Ok).Input("Enter w", std::string(w));
    ui.Message("The over-relaxation factor must lie between 0 and 2", MsgAnswer::Ok)
        .While([&] { paintedBeforeTaken = Window().GetScreenPaints() - before; })
        .Input("Enter w", std::string("1.5"))
        .Message("iterations needed", MsgAnswer::Ok);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(Window().EvCommand(CmId::ClampingStress, 0, 0));
    (void)testing::internal::GetCapturedStdout();
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(paintedBeforeTaken, 0);
    // The run is the one of 10 blocks at w = 1.5.
    TSorGrid grid(10);
    const std::string expected = SorReport(RelaxSorGrid(grid, 1.5));
    EXPECT_EQ(ui.requests.back().text, expected);
}

} // namespace
