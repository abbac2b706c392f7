// The 3-D window through real GL (run under a virtual X server with Mesa by the GLWindowXvfb
// test; skipped wherever no GL context can be made, as on the offscreen platform): a lit
// quadrilateral facing the eye is drawn, and a left drag turns it.

#include <gtest/gtest.h>

#include "ChartsFixture.h"
#include "charts/TFauxGLWindow.h"
#include "platform/Application.h"
#include "platform/Window.h"

namespace {

// A red square over the whole data rectangle 0..2 x 0..2, counter-clockwise seen from the eye
// (face normal (0, 0, 1), towards it).
void DrawSquare(TFauxGLWindow& gl)
{
    gl.BeginFrame();
    gl.SetColour(255, 0, 0, 1);
    gl.DrawQuad(0, 0, 0, 2, 0, 0, 2, 2, 0, 0, 2, 0);
    gl.EndFrame();
}

// Pixels that are plainly red (the lit square), not the white background.
int RedPixels(const plat::Image& image)
{
    int n = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const plat::Color c = image.Pixel(x, y);
            n += c.r > 120 && c.g < 100 && c.b < 100;
        }
    return n;
}

class GLLive : public ChartsGuiTest {};

TEST_F(GLLive, DrawsALitQuadAndADragTurnsIt)
{
    plat::Window parent;
    parent.Create();
    parent.MoveWindow({0, 0, 240, 200});
    parent.Show(true);
    TFauxGLWindow gl(&parent, "", 20, 20, 200, 160, 0.0f, 0.0f, 2.0f, 2.0f);
    gl.Create(&parent);
    if (!gl.IsLive())
        GTEST_SKIP() << "no GL context can be made here";
    plat::Application::SettleEvents();

    DrawSquare(gl);
    const plat::Image before = gl.GrabLive();
    ASSERT_FALSE(before.IsNull());
    ASSERT_GE(before.Width(), 200);
    // The window is wider than high, so the data's height fills it: the square (with the
    // 1.25 frame margin) is 160 / 1.25 = 128 pixels across, about 16,000 red pixels, lit
    // red at the centre and white outside it.
    const int redBefore = RedPixels(before);
    EXPECT_GT(redBefore, 12000);
    EXPECT_LT(redBefore, 20000);
    const plat::Color centre = before.Pixel(before.Width() / 2, before.Height() / 2);
    EXPECT_GT(centre.r, 150);
    EXPECT_LT(centre.g, 100);
    const plat::Color corner = before.Pixel(2, 2);
    EXPECT_EQ(corner.r, 255);
    EXPECT_EQ(corner.g, 255);
    EXPECT_EQ(corner.b, 255);

    // A left drag 250 pixels to the right turns the view 50 degrees about the vertical axis:
    // the square, seen at a slant, covers about cos 50 = 0.64 of its former area.
    gl.EvLButtonDown(0, {100, 80});
    gl.EvMouseMove(0, {350, 80});
    gl.EvLButtonUp(0, {350, 80});
    EXPECT_DOUBLE_EQ(gl.Angles().y, 50.0);
    DrawSquare(gl);
    const plat::Image after = gl.GrabLive();
    ASSERT_FALSE(after.IsNull());
    const int redAfter = RedPixels(after);
    EXPECT_GT(redAfter, redBefore * 45 / 100);
    EXPECT_LT(redAfter, redBefore * 85 / 100);
    int changed = 0;
    for (int y = 0; y < after.Height() && y < before.Height(); ++y)
        for (int x = 0; x < after.Width() && x < before.Width(); ++x)
        {
            const plat::Color a = after.Pixel(x, y), b = before.Pixel(x, y);
            changed += a.r != b.r || a.g != b.g || a.b != b.b;
        }
    EXPECT_GT(changed, 2000);
}

} // namespace
