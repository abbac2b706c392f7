// The same drawing calls on every device: a recorder sees them in order with the state they
// were drawn in, an image gets the pixels; text in the Symbol face is drawn and measured as
// the Unicode characters it stands for.

#include <gtest/gtest.h>

#include "platform/DC.h"
#include "support/RecordingDC.h"
#include "tests/platform/PlatformFixture.h"

using namespace plat;

class DevicesTest : public GuiTest {};

namespace {
// A small figure with a state change before every part.
void Figure(DC& dc) {
    dc.SelectPen(Pen{PenStyle::Solid, 1, Colors::LtRed});
    dc.MoveTo(2, 2);
    dc.LineTo(20, 2);
    dc.SelectBrush(Brush{false, Colors::LtBlue});
    dc.Rectangle(Rect{4, 6, 14, 12});
    dc.SetTextColor(Colors::LtGreen);
    dc.SetBkMode(BkMode::Transparent);
    dc.SelectFont(LogFont{-12});
    dc.TextOut(3, 14, "ab");
    dc.Polyline({{1, 30}, {10, 25}, {20, 30}});
}
} // namespace

TEST_F(DevicesTest, RecorderLogsEveryCallWithTheStateItWasDrawnIn) {
    RecordingDC rec;
    Figure(rec);
    const auto& calls = rec.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].op, "Line");
    EXPECT_EQ(calls[0].points, (std::vector<Point>{{2, 2}, {20, 2}}));
    EXPECT_EQ(calls[0].state.pen.color, Colors::LtRed);
    EXPECT_EQ(calls[1].op, "Rectangle");
    EXPECT_EQ(calls[1].rect, (Rect{4, 6, 14, 12}));
    EXPECT_EQ(calls[1].state.brush.color, Colors::LtBlue);
    EXPECT_EQ(calls[1].state.bkMode, BkMode::Opaque);
    EXPECT_EQ(calls[2].op, "Text");
    EXPECT_EQ(calls[2].text, "ab");
    EXPECT_EQ(calls[2].points.front(), (Point{3, 14}));
    EXPECT_EQ(calls[2].state.textColor, Colors::LtGreen);
    EXPECT_EQ(calls[2].state.bkMode, BkMode::Transparent);
    EXPECT_EQ(calls[2].state.font.height, -12);
    EXPECT_EQ(calls[2].run.width, rec.GetTextExtent("ab").cx);
    EXPECT_EQ(calls[3].op, "Polyline");
    EXPECT_EQ(calls[3].points.size(), 3u);
    EXPECT_EQ(rec.GetCurrentPosition(), (Point{20, 2}));  // the polyline leaves it alone

    // The same figure on an image (the pixel conventions of lines and rectangles are the DC
    // tests'): a polyline's last point is drawn.
    Image img(40, 40);
    {
        DC dc(img);
        Figure(dc);
    }
    EXPECT_EQ(img.Pixel(20, 30), Colors::LtRed);  // a polyline's last point is drawn
    EXPECT_EQ(img.Pixel(1, 30), Colors::LtRed);
}

TEST_F(DevicesTest, SymbolCodePointsBecomeTheirUnicodeCharacters) {
    const struct {
        const char* symbol;
        const char* unicode;
    } rows[] = {
        {"a", "\u03B1"},    {"b", "\u03B2"},    {"e", "\u03B5"},    {"f", "\u03C6"},
        {"s", "\u03C3"},    {"t", "\u03C4"},    {"D", "\u0394"},    {"S", "\u03A3"},
        {"W", "\u03A9"},    {"\xB9", "\u2260"}, {"\xB0", "\u00B0"}, {"\xB1", "\u00B1"},
        {"\xA3", "\u2264"}, {"\xB3", "\u2265"}, {"\xB4", "\u00D7"}, {"\xA5", "\u221E"},
        {"1", "1"},         {"+", "+"},         {"et", "\u03B5\u03C4"},
        {"\xC2\xB0", "\u00B0"},  // the same code point written as UTF-8
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.symbol);
        EXPECT_EQ(SymbolToUnicode(row.symbol), row.unicode);
    }
}

namespace {
bool Inked(const Image& img, int x, int y) { return img.Pixel(x, y) != Colors::White; }
// Whether any pixel within one pixel of (x, y) carries ink.
bool InkNear(const Image& img, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (Inked(img, x + dx, y + dy))
                return true;
    return false;
}
} // namespace

TEST_F(DevicesTest, ArcsPiesAndChordsRunCounterClockwiseFromStartToEnd) {
    // A circle of radius 10 about (10, 10); from the ray east to the ray north is the upper
    // right quarter.
    const Rect box{0, 0, 21, 21};
    Image arc(24, 24), pie(24, 24), chord(24, 24);
    {
        DC dc(arc);
        dc.Arc(box, {20, 10}, {10, 0});
    }
    {
        DC dc(pie);
        dc.SelectBrush(Brush{false, Colors::LtBlue});
        dc.Pie(box, {20, 10}, {10, 0});
    }
    {
        DC dc(chord);
        dc.SelectBrush(Brush{false, Colors::LtBlue});
        dc.Chord(box, {20, 10}, {10, 0});
    }
    // 45 degrees on the arc: (10 + 7.07, 10 - 7.07); the opposite point stays blank.
    EXPECT_TRUE(InkNear(arc, 17, 3));
    EXPECT_FALSE(InkNear(arc, 3, 17));
    EXPECT_FALSE(InkNear(arc, 3, 3));
    EXPECT_FALSE(Inked(arc, 15, 6));  // an arc is not filled
    EXPECT_EQ(pie.Pixel(14, 6), Colors::LtBlue);
    EXPECT_FALSE(Inked(pie, 6, 14));
    EXPECT_FALSE(Inked(pie, 6, 6));
    // The chord cuts along x - y = 10: (17, 4) lies beyond it, (13, 5) before it.
    EXPECT_EQ(chord.Pixel(17, 4), Colors::LtBlue);
    EXPECT_FALSE(Inked(chord, 13, 5));

    // The recorder keeps the box and both rays.
    RecordingDC rec;
    rec.Pie(box, {20, 10}, {10, 0});
    ASSERT_EQ(rec.Calls().size(), 1u);
    EXPECT_EQ(rec.Calls()[0].op, "Pie");
    EXPECT_EQ(rec.Calls()[0].points, (std::vector<Point>{{20, 10}, {10, 0}}));
}

TEST_F(DevicesTest, MappingModesScaleAndShiftLogicalUnits) {
    Image img(60, 110);
    DC dc(img);
    dc.SetMapMode(MapMode::Anisotropic);
    dc.SetWindowExt(Size{100, 100});
    dc.SetViewportExt(Size{50, 200});
    EXPECT_EQ(dc.LPtoDP(Point{100, 50}), (Point{50, 100}));
    EXPECT_EQ(dc.DPtoLP(Point{50, 100}), (Point{100, 50}));
    dc.FillRect(Rect{10, 10, 20, 20}, Colors::LtRed);  // device (5, 20) to (10, 40)
    EXPECT_EQ(img.Pixel(5, 20), Colors::LtRed);
    EXPECT_EQ(img.Pixel(9, 39), Colors::LtRed);
    EXPECT_FALSE(Inked(img, 10, 30));
    EXPECT_FALSE(Inked(img, 7, 40));
    EXPECT_FALSE(Inked(img, 4, 25));

    // Isotropic: the smaller scale on both axes.
    dc.SetMapMode(MapMode::Isotropic);
    EXPECT_EQ(dc.LPtoDP(Point{100, 100}), (Point{50, 50}));

    // The text mode with a window origin: logical (0, 0) lands on device (5, 7).
    dc.SetMapMode(MapMode::Text);
    dc.SetWindowOrg(Point{-5, -7});
    EXPECT_EQ(dc.LPtoDP(Point{0, 0}), (Point{5, 7}));
    dc.SetPixel(Point{0, 0}, Colors::LtGreen);
    EXPECT_EQ(img.Pixel(5, 7), Colors::LtGreen);
    EXPECT_EQ(dc.GetPixel(Point{0, 0}), Colors::LtGreen);
}

TEST_F(DevicesTest, ClipRectanglesAndRegionsWithSaveAndRestore) {
    Image img(30, 30);
    DC dc(img);
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(Rect{10, 10, 20, 20});
    dc.IntersectClipRect(Rect{15, 0, 30, 30});
    EXPECT_EQ(dc.GetClipBox(), (Rect{15, 10, 20, 20}));
    dc.FillRect(Rect{0, 0, 30, 30}, Colors::LtRed);
    dc.MoveTo(0, 12);
    dc.LineTo(30, 12);  // clipped line: only the part inside
    EXPECT_EQ(img.Pixel(15, 10), Colors::LtRed);
    EXPECT_EQ(img.Pixel(19, 19), Colors::LtRed);
    EXPECT_FALSE(Inked(img, 14, 15));
    EXPECT_FALSE(Inked(img, 20, 15));
    EXPECT_FALSE(Inked(img, 15, 20));
    EXPECT_FALSE(Inked(img, 5, 12));

    // A triangular region: left of the diagonal x = y only.
    ASSERT_TRUE(dc.RestoreDC(saved));
    const Region triangle{{{0, 0}, {0, 30}, {30, 30}}, FillMode::Alternate};
    dc.SelectClipRegion(&triangle);
    dc.FillRect(Rect{0, 0, 30, 30}, Colors::LtBlue);
    EXPECT_EQ(img.Pixel(2, 25), Colors::LtBlue);
    EXPECT_EQ(img.Pixel(25, 2), Colors::White);
    dc.SelectClipRegion(nullptr);
    dc.FillRect(Rect{0, 0, 30, 30}, Colors::LtGreen);
    EXPECT_EQ(img.Pixel(25, 2), Colors::LtGreen);
    EXPECT_FALSE(dc.RestoreDC(5));
}

TEST_F(DevicesTest, PaletteIndexColoursResolveAgainstTheSelectedPalette) {
    const struct {
        int index;
        Color expected;
    } rows[] = {{0, Colors::Black}, {1, Color(128, 0, 0)}, {7, Colors::LtGray}, {9, Colors::LtRed},
                {12, Colors::LtBlue}, {15, Colors::White}, {16, Color(255, 128, 0)}, {19, Color(255, 160, 192)},
                {400, Colors::Black}};  // past the end: the first entry
    Image img(30, 2);
    DC dc(img);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].index);
        dc.FillRect(Rect{static_cast<int>(i), 0, static_cast<int>(i) + 1, 1}, Color::PaletteIndex(rows[i].index));
        EXPECT_EQ(img.Pixel(static_cast<int>(i), 0), rows[i].expected);
    }
    // A pen chosen by index follows the palette selected later.
    dc.SelectPen(Pen{PenStyle::Solid, 1, Color::PaletteIndex(1)});
    dc.SelectPalette(Palette{Colors::White, Color(10, 20, 30)});
    dc.MoveTo(0, 1);
    dc.LineTo(2, 1);
    EXPECT_EQ(img.Pixel(0, 1), Color(10, 20, 30));
    EXPECT_EQ(dc.GetPen().color, Color::PaletteIndex(1));
}

TEST_F(DevicesTest, ImagesStretchWithoutSmoothingAndFocusFramesUndoThemselves) {
    Image src(2, 2);
    {
        DC dc(src);
        dc.SetPixel(Point{0, 0}, Colors::LtRed);
        dc.SetPixel(Point{1, 1}, Colors::LtBlue);
    }
    Image img(12, 12, Colors::LtGray);
    {
        DC dc(img);
        dc.DrawImage(Rect{2, 2, 10, 10}, src);  // each source pixel becomes a 4 x 4 block
    }
    EXPECT_EQ(img.Pixel(2, 2), Colors::LtRed);
    EXPECT_EQ(img.Pixel(5, 5), Colors::LtRed);
    EXPECT_EQ(img.Pixel(6, 5), Colors::White);
    EXPECT_EQ(img.Pixel(9, 9), Colors::LtBlue);
    EXPECT_EQ(img.Pixel(10, 10), Colors::LtGray);

    const Image before = img;
    DC dc(img);
    dc.DrawFocusRect(Rect{1, 1, 11, 11});
    EXPECT_NE(img.Pixel(1, 1), before.Pixel(1, 1));
    EXPECT_EQ(img.Pixel(2, 1), before.Pixel(2, 1));  // dotted: every other pixel
    dc.DrawFocusRect(Rect{1, 1, 11, 11});
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(img.Pixel(x, y), before.Pixel(x, y)) << x << "," << y;
}

TEST_F(DevicesTest, NotXorRubberBandRestoresEveryPixelAtDoubleDensity) {
    for (const int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        Image img(40, 30, Colors::White, scale);
        {
            DC dc(img);
            for (int i = 0; i < 40; i += 3)
                dc.FillRect(Rect{i, 0, i + 2, 30}, Color(i * 6, 200 - i * 4, 90));
            dc.SelectFont(LogFont{-11});
            dc.TextOut(2, 2, "x = 1");
        }
        const Image before = img;
        auto band = [](DC& dc) {
            dc.SetROP2(Rop::NotXorPen);
            dc.SelectBrush(Brush{true});
            dc.Rectangle(Rect{3, 4, 33, 25});
            dc.Polyline({{0, 29}, {10, 5}, {25, 20}, {39, 0}});
            dc.MoveTo(5, 5);
            dc.LineTo(35, 28);
            dc.SelectPen(Pen{PenStyle::Dot, 1, Colors::LtRed});  // drawn by the painter
            dc.Ellipse(Rect{8, 6, 30, 26});
        };
        {
            DC dc(img);
            band(dc);
        }
        // A one-pixel line covers a whole logical pixel: scale x scale device pixels.
        for (int d = 0; d < scale * scale; ++d)
            EXPECT_NE(img.DevicePixel(3 * scale + d % scale, 4 * scale + d / scale),
                      before.DevicePixel(3 * scale + d % scale, 4 * scale + d / scale));
        {
            DC dc(img);
            band(dc);
        }
        for (int y = 0; y < 30 * scale; ++y)
            for (int x = 0; x < 40 * scale; ++x)
                ASSERT_EQ(img.DevicePixel(x, y), before.DevicePixel(x, y)) << x << "," << y;
    }
}

TEST_F(DevicesTest, SystemColoursComeFromThePinnedStyle) {
    const struct {
        SysColor which;
        Color expected;
    } rows[] = {
        {SysColor::Window, Colors::White},          {SysColor::WindowText, Colors::Black},
        {SysColor::Face3D, Color(239, 239, 239)},   {SysColor::Highlight, Color(48, 140, 198)},
        {SysColor::HighlightText, Colors::White},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.which));
        EXPECT_EQ(GetSysColor(row.which), row.expected);
    }
    // Shadows are darker than the face, highlights lighter.
    const Color face = GetSysColor(SysColor::Face3D);
    EXPECT_LT(GetSysColor(SysColor::Shadow3D).r, face.r);
    EXPECT_GE(GetSysColor(SysColor::Highlight3D).r, face.r);
}

TEST_F(DevicesTest, BitmapsComeFromTheProgramsOwnResources) {
    const Image emblem = Image::FromResource(5199);
    ASSERT_FALSE(emblem.IsNull());
    EXPECT_EQ(emblem.Width(), 100);
    EXPECT_EQ(emblem.Height(), 99);
    EXPECT_EQ(Image::FromResource(5198).Width(), 64);
    EXPECT_TRUE(Image::FromResource(4711).IsNull());
}

// device = (logical - window origin) * viewport extent / window extent + viewport origin, with
// both origins away from zero; the text mode ignores the extents; the isotropic mode keeps the
// smaller of the two scales on both axes, each with its own sign. Converting to device pixels
// and back gives the logical point again wherever the scales are whole numbers.
TEST_F(DevicesTest, MappingModesWithShiftedOriginsByHand) {
    const Point windowOrg{10, -20};
    const Point viewportOrg{100, 50};
    struct Row {
        const char* name;
        int mode;
        Size windowExt, viewportExt;
        Point logical, device;
    };
    const Row rows[] = {
        // 60 - 10 + 100 = 150; 10 + 20 + 50 = 80.
        {"text", MapMode::Text, {200, 100}, {400, -300}, {60, 10}, {150, 80}},
        // x: 50 * 400 / 200 + 100 = 200; y: 30 * -300 / 100 + 50 = -40.
        {"anisotropic", MapMode::Anisotropic, {200, 100}, {400, -300}, {60, 10}, {200, -40}},
        // Scales 2 and 6: y shrinks to 2, keeping its minus: 30 * -2 + 50 = -10.
        {"isotropic, y shrinks", MapMode::Isotropic, {200, 100}, {400, -600}, {60, 10}, {200, -10}},
        // Scales 5 and 2: x shrinks to 2, keeping its minus: 50 * -2 + 100 = 0; 30 * 2 + 50.
        {"isotropic, x shrinks", MapMode::Isotropic, {100, 100}, {-500, 200}, {60, 10}, {0, 110}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Image img(1, 1);
        DC dc(img);
        dc.SetMapMode(row.mode);
        dc.SetWindowOrg(windowOrg);
        dc.SetViewportOrg(viewportOrg);
        dc.SetWindowExt(row.windowExt);
        dc.SetViewportExt(row.viewportExt);
        EXPECT_EQ(dc.LPtoDP(row.logical), row.device);
        EXPECT_EQ(dc.DPtoLP(row.device), row.logical);
        EXPECT_EQ(dc.LPtoDP(windowOrg), viewportOrg);  // the window origin lands on the viewport's
        EXPECT_EQ(dc.DPtoLP(viewportOrg), windowOrg);
        for (const Point p : {Point{-37, 41}, Point{0, 0}, Point{1234, -999}, Point{11, -19}})
            EXPECT_EQ(dc.DPtoLP(dc.LPtoDP(p)), p) << p.x << "," << p.y;
        // A rectangle comes back normalised, whatever the signs of the scales.
        const Rect r = dc.LPtoDP(Rect{row.logical.x, row.logical.y, row.logical.x + 10, row.logical.y + 10});
        EXPECT_LT(r.left, r.right);
        EXPECT_LT(r.top, r.bottom);
        EXPECT_TRUE(r.left == row.device.x || r.right == row.device.x);
        EXPECT_TRUE(r.top == row.device.y || r.bottom == row.device.y);
    }

    // Drawing lands where the mapping says: in the isotropic mode of scale -2 in x and 2 in y,
    // with window origin (60, 10) and viewport origin (20, 5), logical (60, 10) goes to device
    // (20, 5) and logical (55, 13) to (-5 * -2 + 20, 3 * 2 + 5) = (30, 11).
    Image img(40, 20);
    DC dc(img);
    dc.SetMapMode(MapMode::Isotropic);
    dc.SetWindowExt(Size{100, 100});
    dc.SetViewportExt(Size{-500, 200});
    dc.SetWindowOrg(Point{60, 10});
    dc.SetViewportOrg(Point{20, 5});
    dc.SetPixel(Point{60, 10}, Colors::LtRed);
    dc.SetPixel(Point{55, 13}, Colors::LtBlue);
    EXPECT_EQ(img.Pixel(20, 5), Colors::LtRed);
    EXPECT_EQ(img.Pixel(30, 11), Colors::LtBlue);
}

// RestoreDC(-n) goes back n saved states (the last one is -1) and drops those after it; a
// level past the oldest saved state fails and changes nothing.
TEST_F(DevicesTest, RestoreToNegativeLevelsCountsBackFromTheLastSave) {
    Image img(4, 4);
    DC dc(img);
    const Color colours[] = {Colors::LtRed, Colors::LtGreen, Colors::LtBlue, Colors::Black};
    for (int i = 0; i < 3; ++i) {
        dc.SelectPen(Pen{PenStyle::Solid, 1, colours[i]});
        dc.SetViewportOrg(Point{i, 0});
        EXPECT_EQ(dc.SaveDC(), i + 1);
    }
    dc.SelectPen(Pen{PenStyle::Solid, 1, colours[3]});
    // Saved: 1 red, 2 green, 3 blue. -2 is the green one; 1 red stays saved.
    ASSERT_TRUE(dc.RestoreDC(-2));
    EXPECT_EQ(dc.GetPen().color, Colors::LtGreen);
    EXPECT_EQ(dc.GetViewportOrg(), (Point{1, 0}));
    EXPECT_FALSE(dc.RestoreDC(-2));  // only one left
    EXPECT_EQ(dc.GetPen().color, Colors::LtGreen);
    ASSERT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetPen().color, Colors::LtRed);
    EXPECT_EQ(dc.GetViewportOrg(), (Point{0, 0}));
    EXPECT_FALSE(dc.RestoreDC(-1));
    // After a restore the numbering goes on from what is left.
    EXPECT_EQ(dc.SaveDC(), 1);
    dc.SelectPen(Pen{PenStyle::Solid, 1, Colors::LtBlue});
    EXPECT_EQ(dc.SaveDC(), 2);
    ASSERT_TRUE(dc.RestoreDC(1));
    EXPECT_EQ(dc.GetPen().color, Colors::LtRed);
}

// An arc whose two rays coincide (the same point, or two points on one ray) is the whole
// ellipse; a pie or chord with coinciding ends is the whole filled ellipse.
TEST_F(DevicesTest, ArcsWhoseEndsCoincideAreWholeEllipses) {
    // A circle of radius 10 about (10, 10).
    const Rect box{0, 0, 21, 21};
    const Point ends[][2] = {{{20, 10}, {20, 10}}, {{15, 10}, {30, 10}}, {{10, 0}, {10, -5}}};
    for (const auto& e : ends) {
        SCOPED_TRACE(e[1].x);
        Image arc(24, 24), pie(24, 24);
        {
            DC dc(arc);
            dc.Arc(box, e[0], e[1]);
        }
        {
            DC dc(pie);
            dc.SelectBrush(Brush{false, Colors::LtBlue});
            dc.Pie(box, e[0], e[1]);
        }
        // The four compass points and the four diagonals (10 +- 7.07) carry ink.
        for (const Point p : {Point{20, 10}, Point{10, 0}, Point{0, 10}, Point{10, 20}, Point{17, 3},
                              Point{3, 3}, Point{3, 17}, Point{17, 17}})
            EXPECT_TRUE(InkNear(arc, p.x, p.y)) << p.x << "," << p.y;
        EXPECT_FALSE(Inked(arc, 10, 10));
        // Every quarter of the disc is filled.
        for (const Point p : {Point{14, 6}, Point{6, 6}, Point{6, 14}, Point{14, 14}})
            EXPECT_EQ(pie.Pixel(p.x, p.y), Colors::LtBlue) << p.x << "," << p.y;
    }
}
