// The thermal analysis's progress box: where it lands on the client area (from hand
// coordinates), how the feed draws it into the window and puts it on the screen as the bar
// grows, and "Create F&ire Damaged Beam" feeding it from a real run.

#include "app/ThermalProgress.h"

#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/TBeam.h"
#include "platform/Window.h"
#include "support/RecordingDC.h"
#include "tests/app/ShellFixture.h"

namespace {

constexpr plat::Color kBar{152, 25, 25};

struct ThermalProgressDrawing : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
};

// A client area of 1000 x 800: the box from (15, 40) to (235, 88); the title 14 pixels high
// (1000 / 70 = 14.3 is below 800 / 50 = 16) at (20, 45); the bar from x = 15 + 15 = 30 over
// 0.8 x 220 = 176 pixels when done, between y = 64 and 80.
TEST_F(ThermalProgressDrawing, TheBoxLandsWhereTheClientAreaPutsIt)
{
    const plat::Size client{1000, 800};
    EXPECT_EQ(ThermalProgressBox(client), (plat::Rect{15, 40, 235, 88}));
    RecordingDC dc;
    DrawThermalProgress(dc, client, 0.5);
    const auto fills = dc.CallsOf("FillRect");
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].rect, (plat::Rect{15, 40, 235, 88}));
    EXPECT_EQ(fills[0].color, plat::GetSysColor(plat::SysColor::Face3D));
    EXPECT_EQ(fills[1].rect, (plat::Rect{30, 64, 118, 80}));  // 30 + 176 / 2
    EXPECT_EQ(fills[1].color, kBar);
    const auto texts = dc.CallsOf("Text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Performing Thermal Analysis");
    EXPECT_EQ(texts[0].run.at, (plat::Point{20, 45}));
    EXPECT_EQ(texts[0].state.font.height, -14);
    EXPECT_EQ(texts[0].state.font.weight, 700);
    EXPECT_EQ(texts[0].state.font.face, "Arial");
    EXPECT_EQ(texts[0].state.bkMode, plat::BkMode::Opaque);
    EXPECT_EQ(texts[0].state.bkColor, plat::GetSysColor(plat::SysColor::Face3D));

    // Done, and past done: the full bar; a tall narrow area takes its height from the width.
    RecordingDC done;
    DrawThermalProgress(done, client, 1.3);
    EXPECT_EQ(done.CallsOf("FillRect").at(1).rect, (plat::Rect{30, 64, 206, 80}));
    RecordingDC narrow;
    DrawThermalProgress(narrow, plat::Size{700, 2000}, 0.0);
    EXPECT_EQ(narrow.CallsOf("Text").at(0).state.font.height, -10);
}

class ThermalProgressWindow : public ShellTest {};

// The feed draws into the window and shows it each time the bar grows by a pixel, not more.
TEST_F(ThermalProgressWindow, TheFeedShowsTheBoxAsTheBarGrows)
{
    plat::Window w;
    w.Create();
    w.MoveWindow(plat::Rect{0, 0, 1000, 800});
    w.Show(true);
    w.UpdateWindow();
    ThermalProgressFeed feed(w);
    feed(0.0);
    feed(0.5);
    feed(0.502);  // 0.8 x 220 x 0.002 is a third of a pixel
    EXPECT_EQ(feed.Shown(), 2);
    const plat::Image& shown = w.BackingImage();
    EXPECT_EQ(shown.Pixel(100, 70), kBar);
    EXPECT_EQ(shown.Pixel(130, 70), plat::GetSysColor(plat::SysColor::Face3D));
    feed(1.0);
    EXPECT_EQ(feed.Shown(), 3);
    EXPECT_EQ(w.BackingImage().Pixel(200, 70), kBar);
    EXPECT_EQ(w.BackingImage().Pixel(210, 70), plat::GetSysColor(plat::SysColor::Face3D));
}

// Answers the fire dialog with OK.
class FireOk final : public TCancelInputDialogs {
public:
    int Fire(T_2kWindow&, TStructure&) override { return DialogResult::Ok; }
};

// A real run of five minutes: ten steps of 30 s, so the window goes to the screen at least
// eleven times while the command runs (the box before the first step and after each); a
// section without height runs nothing and shows nothing.
TEST_F(ThermalProgressWindow, CreateFireDamagedBeamShowsTheProgressOfItsRun)
{
    Start();
    FireOk dialogs;
    TInputDialogs* previous = SetInputDialogs(&dialogs);
    int before = Window().GetScreenPaints();
    Frame().Dispatch(CmId::FireDamagedBeam);
    EXPECT_EQ(Window().GetScreenPaints(), before);

    auto beam = std::make_unique<TBeam>();
    beam->AddRegion(0.4, 0.0, 0.3, 0.3, 0, 1);
    beam->SetFireData(1, 0, 0, 300.0, 1000.0);
    g_Structures[0] = std::move(beam);
    g_CurrentStructure = g_CurrentAnalysis = 0;
    before = Window().GetScreenPaints();
    Frame().Dispatch(CmId::FireDamagedBeam);
    EXPECT_GE(Window().GetScreenPaints() - before, 11);
    EXPECT_EQ(g_CurrentStructure, 1);
    SetInputDialogs(previous);
    DeleteThermalModel();
}

} // namespace
