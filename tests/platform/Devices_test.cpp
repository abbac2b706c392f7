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

    // The same figure on an image: the pixels the calls stand for.
    Image img(40, 40);
    {
        DC dc(img);
        Figure(dc);
    }
    EXPECT_EQ(img.Pixel(2, 2), Colors::LtRed);
    EXPECT_EQ(img.Pixel(19, 2), Colors::LtRed);
    EXPECT_EQ(img.Pixel(20, 2), Colors::White);
    EXPECT_EQ(img.Pixel(4, 6), Colors::LtRed);   // the frame in the pen
    EXPECT_EQ(img.Pixel(8, 9), Colors::LtBlue);  // the inside in the brush
    EXPECT_EQ(img.Pixel(14, 9), Colors::White);
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

    // Drawn in the Symbol face, "e" is an epsilon, measured as the epsilon is drawn.
    RecordingDC rec;
    LogFont symbol{-18};
    symbol.face = "Symbol";
    rec.SelectFont(symbol);
    const Size greek = rec.GetTextExtent("e");
    rec.TextOut(5, 5, "e");
    ASSERT_EQ(rec.Texts(), std::vector<std::string>{"\u03B5"});
    EXPECT_EQ(rec.Calls()[0].run.width, greek.cx);
    rec.SelectFont(LogFont{-18});
    EXPECT_EQ(rec.GetTextExtent("\u03B5"), greek);
    EXPECT_NE(rec.GetTextExtent("e").cx, 0);
}
