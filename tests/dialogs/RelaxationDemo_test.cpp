// The over-relaxation demonstration behind its command (11842) in the program's window: every
// sweep is painted into the window and put on the screen while the command runs, without the
// message loop, so when the result box opens the screen has shown each sweep and the window
// holds the last one.

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

// Counts past an int and factors that are no number are refused with the demonstration's own
// messages; nothing is drawn.
TEST_F(RelaxationDemoTest, TypedValuesOutOfRangeAreRefused)
{
    Window().UpdateWindow();
    const int before = Window().GetScreenPaints();
    ui.Input("Enter Number of blocks", std::string("99999999999"))
        .Input("Enter w", std::string("1.5"))
        .Message("The number of blocks must lie between 1 and", MsgAnswer::Ok)
        .Input("Enter Number of blocks", std::string("10"))
        .Input("Enter w", std::string("nan"))
        .Message("The over-relaxation factor must lie between 0 and 2", MsgAnswer::Ok);
    EXPECT_TRUE(Window().EvCommand(CmId::ClampingStress, 0, 0));
    EXPECT_TRUE(Window().EvCommand(CmId::ClampingStress, 0, 0));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Window().GetScreenPaints(), before);
}

} // namespace
