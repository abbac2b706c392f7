// Pixel conventions of the device context.

#include <gtest/gtest.h>

#include "platform/DC.h"
#include "tests/platform/PlatformFixture.h"

using namespace plat;

namespace {
bool IsWhite(const Image& img, int x, int y) { return img.Pixel(x, y) == Colors::White; }

// Pixels of the image that differ from white, as a count.
int InkCount(const Image& img) {
    int n = 0;
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            n += IsWhite(img, x, y) ? 0 : 1;
    return n;
}
} // namespace

class DCTest : public GuiTest {};

TEST_F(DCTest, LinesStopBeforeTheirEndPointAndMoveThePosition) {
    struct Row {
        const char* name;
        Point from, to;
        int expectedPixels;
    };
    const Row rows[] = {
        {"horizontal", {2, 5}, {9, 5}, 7},
        {"vertical", {4, 1}, {4, 8}, 7},
        {"diagonal", {1, 1}, {8, 8}, 7},
        {"backwards", {9, 3}, {2, 3}, 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Image img(12, 12);
        {
            DC dc(img);
            dc.MoveTo(row.from);
            dc.LineTo(row.to);
            EXPECT_EQ(dc.GetCurrentPosition(), row.to);
        }
        EXPECT_EQ(InkCount(img), row.expectedPixels);
        EXPECT_FALSE(IsWhite(img, row.from.x, row.from.y));
        EXPECT_TRUE(IsWhite(img, row.to.x, row.to.y));
    }
}

TEST_F(DCTest, RectangleCoversLeftToRightMinusOneAndFillsWithTheBrush) {
    Image img(20, 20);
    {
        DC dc(img);  // fresh context: black pen, white brush
        dc.SelectBrush(Brush{false, Colors::LtRed});
        dc.Rectangle(Rect{2, 3, 10, 8});
    }
    EXPECT_EQ(img.Pixel(2, 3), Colors::Black);
    EXPECT_EQ(img.Pixel(9, 7), Colors::Black);  // right - 1, bottom - 1 is the frame
    EXPECT_TRUE(IsWhite(img, 10, 5));
    EXPECT_TRUE(IsWhite(img, 5, 8));
    EXPECT_EQ(img.Pixel(5, 5), Colors::LtRed);
    EXPECT_EQ(InkCount(img), 8 * 5);

    Image filled(20, 20);
    {
        DC dc(filled);
        dc.FillRect(Rect{1, 1, 4, 3}, Colors::LtBlue);
        dc.SelectPen(Pen{PenStyle::Null});
        dc.SelectBrush(Brush{false, Colors::LtGreen});
        dc.Ellipse(Rect{10, 10, 16, 16});
    }
    EXPECT_EQ(filled.Pixel(3, 2), Colors::LtBlue);
    EXPECT_TRUE(IsWhite(filled, 4, 2));
    EXPECT_EQ(filled.Pixel(13, 13), Colors::LtGreen);
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(IsWhite(filled, 16, i));  // nothing at or past the right edge
        EXPECT_TRUE(IsWhite(filled, i, 16));
    }
}

TEST_F(DCTest, TextIsPlacedByItsAlignmentAndMeasuredByTheSameFont) {
    Image img(200, 60);
    Size extent;
    TextMetrics tm;
    {
        DC dc(img);
        dc.SelectFont(LogFont{-16});
        dc.SetBkMode(BkMode::Transparent);
        extent = dc.GetTextExtent("Wall");
        tm = dc.GetTextMetrics();
        dc.SetTextAlign(TextAlign::Right | TextAlign::Bottom);
        dc.TextOut(100, 40, "Wall");
    }
    EXPECT_EQ(extent.cy, tm.ascent + tm.descent);
    EXPECT_GT(extent.cx, 10);
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            if (!IsWhite(img, x, y)) {
                EXPECT_LT(x, 100);
                EXPECT_GE(x, 100 - extent.cx);
                EXPECT_LT(y, 40);
                EXPECT_GE(y, 40 - extent.cy);
            }
    EXPECT_GT(InkCount(img), 0);

    // A cell height (positive) gives ascent + descent of at most that many pixels.
    Image other(10, 10);
    DC dc(other);
    dc.SelectFont(LogFont{20});
    const TextMetrics cell = dc.GetTextMetrics();
    EXPECT_LE(cell.height, 20);
    EXPECT_GE(cell.height, 17);
}

// An underline is a full-width line in the text's descent, at every scale factor: none of its
// ink lies right of the text or below its box (glyph-run decorations landed there, offset by
// the run's position, or off the image at scale 2).
TEST_F(DCTest, UnderlinesRunUnderTheirTextAtEveryScale) {
    for (const int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        Image img(320, 60, Colors::White, scale);
        Size extent;
        TextMetrics tm;
        {
            DC dc(img);
            LogFont font{-20};
            font.underline = true;
            dc.SelectFont(font);
            dc.SetBkMode(BkMode::Transparent);
            extent = dc.GetTextExtent("Geometric Properties");
            tm = dc.GetTextMetrics();
            dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
            dc.TextOut(20, 10, "Geometric Properties");
        }
        ASSERT_GT(extent.cx, 100);
        // Device rows and columns of the text's box: [20, 20 + cx) by [10, 10 + cy).
        const int left = 20 * scale, right = (20 + extent.cx) * scale;
        const int top = 10 * scale, bottom = (10 + extent.cy) * scale;
        const int baseline = (10 + tm.ascent) * scale;
        for (int y = 0; y < img.Height() * scale; ++y)
            for (int x = 0; x < img.Width() * scale; ++x)
                if (img.DevicePixel(x, y) != Colors::White) {
                    ASSERT_GE(x, left - scale) << x << "," << y;
                    ASSERT_LT(x, right + scale) << x << "," << y;
                    ASSERT_GE(y, top - scale) << x << "," << y;
                    ASSERT_LT(y, bottom) << x << "," << y;
                }
        // The underline: a row below the baseline inked from the text's left end to its right.
        int underlineRow = -1;
        for (int y = baseline; y < bottom && underlineRow < 0; ++y) {
            int ink = 0;
            for (int x = left; x < right; ++x)
                ink += img.DevicePixel(x, y) != Colors::White ? 1 : 0;
            if (ink == right - left)
                underlineRow = y;
        }
        EXPECT_GT(underlineRow, baseline - 1);
        EXPECT_LE(underlineRow, baseline + tm.descent * scale / 2 + scale);
    }
}

TEST_F(DCTest, OpaqueTextFillsItsBoxWithTheBackgroundColour) {
    Image img(100, 40, Colors::LtBlue);
    Size extent;
    {
        DC dc(img);  // a fresh context draws text on an opaque white background
        extent = dc.GetTextExtent("ab");
        dc.TextOut(10, 10, "ab");
    }
    for (int y = 10; y < 10 + extent.cy; ++y)
        for (int x = 10; x < 10 + extent.cx; ++x)
            ASSERT_NE(img.Pixel(x, y), Colors::LtBlue) << x << "," << y;
    EXPECT_EQ(img.Pixel(10 + extent.cx, 10), Colors::LtBlue);
    EXPECT_EQ(img.Pixel(9, 10), Colors::LtBlue);
}

TEST_F(DCTest, PolygonHitTestFollowsTheFillRule) {
    // A pentagram: its centre is outside by the alternate rule and inside by winding.
    const std::vector<Point> star{{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    EXPECT_FALSE(PolygonContains(star, {50, 45}, FillMode::Alternate));
    EXPECT_TRUE(PolygonContains(star, {50, 45}, FillMode::Winding));
    EXPECT_FALSE(PolygonContains(star, {5, 80}, FillMode::Winding));
}

// The rows a picture's drawing covers, read at its own density: a fill over rows 5..8 on one
// and two device pixels a logical pixel, a pale grey pixel (the fringe of a smoothed letter)
// alone on row 14, nothing on a blank picture, and a picture whose background is not white.
TEST_F(DCTest, RowsNotOfTheBackgroundAreReadAtEveryScale) {
    for (const int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        Image img(12, 20, Colors::White, scale);
        EXPECT_EQ(img.RowsNotOf(Colors::White), (std::pair<int, int>{0, 0}));
        {
            DC dc(img);
            dc.FillRect(Rect{3, 5, 9, 9}, Colors::Black);
        }
        EXPECT_EQ(img.RowsNotOf(Colors::White), (std::pair<int, int>{5, 9}));
        {
            DC dc(img);
            dc.FillRect(Rect{11, 14, 12, 15}, Color(250, 250, 250));
        }
        EXPECT_EQ(img.RowsNotOf(Colors::White), (std::pair<int, int>{5, 15}));
        EXPECT_EQ(img.RowsNotOf(Colors::Black), (std::pair<int, int>{0, 20}));
    }
}

// Two pictures are the same where every device pixel agrees at the same size and scale: one
// pixel of another colour, a pixel of a picture at twice the scale, or a row more tells them
// apart.
TEST_F(DCTest, PicturesOfTheSamePixelsAreTheSame) {
    const auto drawn = [](int h, int scale, Color corner) {
        Image img(12, h, Colors::White, scale);
        {
            DC dc(img);
            dc.FillRect(Rect{3, 5, 9, 9}, Colors::Black);
            dc.FillRect(Rect{11, 0, 12, 1}, corner);
        }
        return img;
    };
    const Image picture = drawn(20, 1, Colors::White);
    EXPECT_TRUE(picture.SamePixels(drawn(20, 1, Colors::White)));
    EXPECT_FALSE(picture.SamePixels(drawn(20, 1, Color(254, 255, 255))));
    EXPECT_FALSE(picture.SamePixels(drawn(21, 1, Colors::White)));
    EXPECT_FALSE(picture.SamePixels(drawn(20, 2, Colors::White)));
    EXPECT_TRUE(drawn(20, 2, Colors::White).SamePixels(drawn(20, 2, Colors::White)));
}
