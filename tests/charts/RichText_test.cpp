// The label renderer: where each run, script and Symbol character goes and how big a label is,
// measured with the window layer's own text metrics.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "charts/LineTypes.h"
#include "charts/RichText.h"
#include "ChartsFixture.h"

namespace {

using RichText = ChartsGuiTest;
namespace TA = plat::TextAlign;

struct Drawn {
    RichFont font;
    int x;
    int y;
    std::string text;
};

struct SampleCall {
    int type, width, style, x0, x1, y;
};

// Measures through a real device context and records what is drawn.
class Recorder final : public RichTextTarget {
public:
    Recorder() : m_image(400, 200), m_dc(m_image) { label.height = -20; }

    plat::Size Extent(RichFont font, std::string_view text) override
    {
        m_dc.SelectFont(DerivedRichFont(label, font));
        return m_dc.GetTextExtent(std::string(text));
    }
    void Text(RichFont font, int x, int y, std::string_view text) override
    {
        drawn.push_back({font, x, y, std::string(text)});
    }
    void SetAlign(unsigned a) override { align = a; }
    void Sample(int type, int width, int style, int x0, int x1, int y) override
    {
        samples.push_back({type, width, style, x0, x1, y});
    }

    plat::LogFont label;
    std::vector<Drawn> drawn;
    std::vector<SampleCall> samples;
    unsigned align = 99;

private:
    plat::Image m_image;
    plat::DC m_dc;
};

plat::Size Draw(Recorder& r, std::string_view text, unsigned h = TA::Left, unsigned v = TA::Top,
                bool bw = false)
{
    return RenderRichText(r, 100, 50, text, h, v, false, bw);
}

TEST_F(RichText, DerivedFontsKeepEverythingButHeightAndFace)
{
    plat::LogFont f;
    f.height = -25;
    f.weight = 700;
    f.italic = true;
    f.escapement = 900;
    const plat::LogFont script = DerivedRichFont(f, RichFont::Script);
    const plat::LogFont symbol = DerivedRichFont(f, RichFont::Symbol);
    EXPECT_EQ(script.height, -20);
    EXPECT_EQ(symbol.height, -30);
    EXPECT_EQ(symbol.face, "Symbol");
    EXPECT_EQ(script.face, f.face);
    EXPECT_TRUE(symbol.italic);
    EXPECT_EQ(script.weight, 700);
    EXPECT_EQ(symbol.escapement, 900);
}

TEST_F(RichText, GreekLetterWithSubscript)
{
    Recorder r;
    const plat::Size size = Draw(r, "|e_x");
    const plat::Size m = r.Extent(RichFont::Label, "M");
    const plat::Size eps = r.Extent(RichFont::Symbol, "e");
    const plat::Size sub = r.Extent(RichFont::Script, "x");
    ASSERT_EQ(r.drawn.size(), 2u);
    EXPECT_EQ(r.align, TA::Left | TA::Top);
    // The Symbol letter sits on the line's bottom; the subscript drops by 0.35 of its height.
    EXPECT_EQ(r.drawn[0].font, RichFont::Symbol);
    EXPECT_EQ(r.drawn[0].x, 100);
    EXPECT_EQ(r.drawn[0].y, 50 + m.cy - eps.cy);
    EXPECT_EQ(r.drawn[1].font, RichFont::Script);
    EXPECT_EQ(r.drawn[1].x, 100 + eps.cx);
    EXPECT_EQ(r.drawn[1].y, static_cast<int>(50 + 0.35 * sub.cy));
    EXPECT_EQ(size.cx, eps.cx + sub.cx);
    EXPECT_EQ(size.cy, m.cy + static_cast<int>(0.35 * sub.cy));
}

TEST_F(RichText, SuperscriptRaisesAndBottomAlignmentKeepsItAbove)
{
    Recorder r;
    const plat::Size size = Draw(r, "x^2", TA::Left, TA::Bottom);
    const plat::Size sup = r.Extent(RichFont::Script, "2");
    const int raise = static_cast<int>(0.35 * sup.cy);
    EXPECT_EQ(r.align, TA::Left | TA::Bottom);
    ASSERT_EQ(r.drawn.size(), 2u);
    EXPECT_EQ(r.drawn[0].y, 50); // bottom aligned: the drop (0) is the offset
    EXPECT_EQ(r.drawn[1].y, static_cast<int>(50 - 0.35 * sup.cy));
    EXPECT_EQ(size.cy, r.Extent(RichFont::Label, "M").cy + raise);

    // Top alignment moves everything down by the raise, so the superscript stays below y.
    Recorder t;
    Draw(t, "x^2");
    EXPECT_EQ(t.drawn[0].y, 50 + raise);
}

TEST_F(RichText, CleanUpAndBlanks)
{
    struct Case {
        const char* text;
        const char* measuredAs; // a plain label of the same width
    };
    const Case cases[] = {
        {"ab^", "ab"},      {"ab_", "ab"},     {"ab|", "ab"},   {"ab^\n", "ab"},
        {"ab\rcd", "ab"},   {"ab\ncd", "ab"},  {"  a  ", "  a  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Recorder r;
        EXPECT_EQ(Draw(r, c.text).cx, r.Extent(RichFont::Label, c.measuredAs).cx);
    }
    // A marked-up label loses its outer blanks.
    Recorder r;
    const int w = Draw(r, "  a^2  ").cx;
    EXPECT_EQ(w, r.Extent(RichFont::Label, "a").cx + r.Extent(RichFont::Script, "2").cx);
    EXPECT_EQ(r.drawn[0].text, "a");
}

TEST_F(RichText, HorizontalAlignmentOfMarkup)
{
    Recorder c;
    const int w = Draw(c, "a_1", TA::Center).cx;
    EXPECT_EQ(c.drawn[0].x, 100 + static_cast<int>(-0.5 * w));
    Recorder r;
    Draw(r, "a_1", TA::Right);
    EXPECT_EQ(r.drawn[0].x, 100 - w);
    // Baseline alignment: a plain label keeps it, a marked-up one is placed by its bottom.
    Recorder p;
    Draw(p, "plain", TA::Left, TA::Baseline);
    EXPECT_EQ(p.align, TA::Left | TA::Baseline);
    Recorder m;
    Draw(m, "a_1", TA::Left, TA::Baseline);
    EXPECT_EQ(m.align, TA::Left | TA::Bottom);
}

TEST_F(RichText, InlineSampleAdvancesTheText)
{
    const std::string text = std::string("\1") + char(20) + char(101) + char(2) + "a";
    Recorder measure;
    const int w = RenderRichText(measure, 0, 0, text, 0, 0, true, false).cx;
    EXPECT_EQ(w, 20 + measure.Extent(RichFont::Label, "a").cx);
    EXPECT_TRUE(measure.samples.empty());

    Recorder r;
    Draw(r, text);
    ASSERT_EQ(r.samples.size(), 1u);
    const int lineHeight = r.Extent(RichFont::Label, "M").cy;
    EXPECT_EQ(r.samples[0].type, 101);
    EXPECT_EQ(r.samples[0].width, 2);
    EXPECT_EQ(r.samples[0].style, 0);
    EXPECT_EQ(r.samples[0].x0, 100);
    EXPECT_EQ(r.samples[0].x1, 120);
    EXPECT_EQ(r.samples[0].y, 50 + lineHeight / 2);
    EXPECT_EQ(r.drawn.back().x, 120);

    // The legend symbol: byte 1, "@", a line type, byte 2.
    Recorder legend;
    Draw(legend, std::string("\1@e\2x"), TA::Left, TA::Top, true);
    ASSERT_EQ(legend.samples.size(), 1u);
    EXPECT_EQ(legend.samples[0].x1 - legend.samples[0].x0, '@');
    EXPECT_EQ(legend.samples[0].style, 'e' - 99);
}

TEST_F(RichText, MarkupRunningPastTheEndStops)
{
    // Byte 1 with too few bytes after it, and a run far beyond 511 characters.
    Recorder r;
    EXPECT_EQ(Draw(r, std::string("ab\1\5\1")).cx, r.Extent(RichFont::Label, "ab").cx);
    const std::string longRun = std::string(2000, 'w') + "^2";
    Recorder l;
    EXPECT_GT(Draw(l, longRun).cx, l.Extent(RichFont::Label, std::string(511, 'w')).cx);
    Recorder e;
    EXPECT_EQ(Draw(e, "").cx, 0);
}

TEST_F(RichText, LinesStackDownward)
{
    Recorder r;
    int lines = 0;
    const plat::Size s = RenderRichTextLines(r, 10, 20, "a\nb\nc", TA::Left, TA::Top, lines, false,
                                             false);
    const int ha = r.Extent(RichFont::Label, "a").cy;
    EXPECT_EQ(lines, 3);
    EXPECT_EQ(s.cy, 3 * ha + 4);
    ASSERT_EQ(r.drawn.size(), 3u);
    EXPECT_EQ(r.drawn[1].y, 20 + ha + 2);
    EXPECT_EQ(r.drawn[2].y, 20 + 2 * (ha + 2));
    int one = 0;
    RenderRichTextLines(r, 0, 0, "single", 0, 0, one, true, false);
    EXPECT_EQ(one, 1);
}

TEST(LineTypes, ColoursAndBlackAndWhiteStyles)
{
    using namespace plat::Colors;
    const plat::Color own(1, 2, 3);
    const plat::Color expected[] = {own,     LtRed,   LtGreen, LtMagenta,          LtGray,
                                    LtCyan,  LtYellow, Black,  plat::Color(128, 0, 0),
                                    plat::Color(0, 128, 0), Gray};
    for (int t = 0; t <= 10; ++t) {
        EXPECT_EQ(LineTypeColour(t, own), expected[t]) << t;
        EXPECT_EQ(LineTypeColour(t + 99, own), expected[t]) << t + 99;
    }
    EXPECT_EQ(LineTypeColour(11, own), LtRed);
    EXPECT_EQ(LineTypeColour(-3, own), LtRed);

    // Colour: width and style as given.
    EXPECT_EQ(ResolveLineTypePen(2, 3, false, 0, own), (LineTypePen{LtGreen, 3, 0}));
    // Black and white: type 0 with style 0 keeps the width; samples of types 100-103 get the
    // dash styles 1-4; types 5-10 go round the five visible styles instead of vanishing.
    EXPECT_EQ(ResolveLineTypePen(0, 3, true, 0, own), (LineTypePen{Black, 3, 0}));
    for (int t = 100; t <= 103; ++t)
        EXPECT_EQ(ResolveLineTypePen(t, 2, true, t - 99, own), (LineTypePen{Black, 1, t - 99}));
    for (int t = 1; t <= 10; ++t) {
        const LineTypePen p = ResolveLineTypePen(t, 2, true, 0, own);
        EXPECT_EQ(p.style, t % 5) << t;
        EXPECT_EQ(p.width, 1);
    }
    EXPECT_EQ(ResolveLineTypePen(3, 2, true, 4, own).style, 2);
}

} // namespace
