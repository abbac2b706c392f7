#include "charts/RichText.h"

#include <algorithm>
#include <cmath>

#include "charts/LineTypes.h"

namespace {

using plat::Size;
namespace TA = plat::TextAlign;

bool IsMarkupChar(char c) { return c == '^' || c == '_' || c == '|'; }
bool EndsRun(char c) { return IsMarkupChar(c) || c == '\r' || c == '\n' || c == '\1'; }

// The trailing clean-up: a dangling markup character goes, and a line feed after one.
void CleanTail(std::string& s)
{
    const auto dangling = [](char c) { return IsMarkupChar(c) || c == '\1' || c == '\r'; };
    if (s.empty())
        return;
    if (dangling(s.back()))
        s.pop_back();
    if (s.size() >= 2 && s.back() == '\n' && dangling(s[s.size() - 2]))
        s.resize(s.size() - 2);
}

// Labels are single-byte text; the device takes UTF-8.
std::string Latin1ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (u >> 6)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return out;
}

// The renderer's view of a device context in one label font.
class DCTarget final : public RichTextTarget {
public:
    DCTarget(plat::DC& dc, const plat::LogFont& font) : m_dc(dc), m_font(font)
    {
        m_dc.SelectFont(font);
    }
    // Positions turned a quarter upward about (x, y): the renderer's offsets along the line
    // go up the device and its offsets across the line go right.
    void TurnUpwardAbout(int x, int y)
    {
        m_upward = true;
        m_origin = {x, y};
    }

    Size Extent(RichFont font, std::string_view text) override
    {
        Use(font);
        const Size s = m_dc.GetTextExtent(LabelToUtf8(text));
        Use(RichFont::Label);
        return s;
    }
    void Text(RichFont font, int x, int y, std::string_view text) override
    {
        Use(font);
        const plat::Point p = Place(x, y);
        m_dc.TextOut(p.x, p.y, LabelToUtf8(text));
        Use(RichFont::Label);
    }
    void SetAlign(unsigned align) override { m_dc.SetTextAlign(align); }
    int ScriptGap(std::string_view before) override
    {
        const plat::Mapping& map = m_dc.State().mapping;
        const double scale = std::max(map.ScaleX(), map.ScaleY());
        if (!(scale > 1.0) || before.empty())
            return 0;
        // The run as the device draws it: measured in the font at the device's size, and
        // brought back to logical pixels, rounded up.
        const std::string text = LabelToUtf8(before);
        const int logical = m_dc.GetTextExtent(text).cx;
        plat::LogFont enlarged = m_font;
        enlarged.height = static_cast<int>(std::lround(m_font.height * scale));
        m_dc.SelectFont(enlarged);
        const int device = m_dc.GetTextExtent(text).cx;
        m_dc.SelectFont(DerivedRichFont(m_font, m_current));
        return std::max(static_cast<int>(std::ceil(device / scale)) - logical, 0);
    }
    void Sample(int lineType, int width, int style, int x0, int x1, int y) override
    {
        SelectLineTypePen(m_dc, lineType, width, m_blackAndWhite, style, plat::Colors::LtBlue);
        m_dc.MoveTo(Place(x0, y));
        m_dc.LineTo(Place(x1, y));
    }
    bool m_blackAndWhite = false;

private:
    plat::Point Place(int x, int y) const
    {
        if (!m_upward)
            return {x, y};
        return {m_origin.x + (y - m_origin.y), m_origin.y - (x - m_origin.x)};
    }

    void Use(RichFont font)
    {
        if (font != m_current)
            m_dc.SelectFont(DerivedRichFont(m_font, font));
        m_current = font;
    }

    plat::DC& m_dc;
    plat::LogFont m_font;
    RichFont m_current = RichFont::Label;
    bool m_upward = false;
    plat::Point m_origin;
};

} // namespace

std::string LabelToUtf8(std::string_view text) { return Latin1ToUtf8(text); }

plat::LogFont DerivedRichFont(const plat::LogFont& label, RichFont font)
{
    plat::LogFont f = label;
    if (font == RichFont::Script)
        f.height = static_cast<int>(label.height * 0.8);
    else if (font == RichFont::Symbol) {
        f.height = static_cast<int>(label.height * 1.2);
        f.face = "Symbol";
    }
    return f;
}

namespace {
// One line, and how far its Greek letters (in the taller Symbol face, standing on the line's
// foot) rise over the line's top.
Size RenderLine(RichTextTarget& target, int x, int y, std::string_view text, unsigned hAlign,
                unsigned vAlign, bool measureOnly, bool blackAndWhite, int& symbolRise)
{
    symbolRise = 0;
    std::string s(text);
    CleanTail(s);

    if (s.find_first_of(std::string_view("^_|\n\1", 5)) == std::string::npos) {
        // A plain label keeps its blanks; a carriage return ends it.
        const std::size_t cr = s.find('\r');
        if (cr != std::string::npos)
            s.resize(cr);
        if (!measureOnly) {
            target.SetAlign(hAlign | vAlign);
            target.Text(RichFont::Label, x, y, s);
        }
        return target.Extent(RichFont::Label, s);
    }

    const bool bottom = (vAlign & TA::Bottom) != 0;
    if (!measureOnly)
        target.SetAlign(TA::Left | (bottom ? TA::Bottom : TA::Top));
    const std::size_t last = s.find_last_not_of(' ');
    s.resize(last == std::string::npos ? 0 : last + 1);
    const std::size_t first = std::min(s.find_first_not_of(' '), s.size());
    const std::string_view body = std::string_view(s).substr(first);

    int lineHeight = target.Extent(RichFont::Label, "M").cy;
    int raise = 0;
    int drop = 0;
    int width = 0;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1 && measureOnly)
            break;
        const bool drawing = pass == 1;
        int xoff = 0;
        int yoff = 0;
        if (drawing) {
            if ((hAlign & TA::Center) == TA::Center)
                xoff = static_cast<int>(-0.5 * width);
            else if (hAlign & TA::Right)
                xoff = -width;
            yoff = bottom ? drop : raise;
        }
        std::size_t i = 0;
        while (true) {
            std::size_t j = i;
            while (j < body.size() && !EndsRun(body[j]))
                ++j;
            const std::string_view run = body.substr(i, j - i);
            if (drawing && !run.empty())
                target.Text(RichFont::Label, x + xoff, y + yoff, run);
            const Size r = target.Extent(RichFont::Label, run);
            xoff += r.cx;
            lineHeight = std::max(lineHeight, r.cy);
            if (j >= body.size() || body[j] == '\r' || body[j] == '\n')
                break;
            const char c = body[j];
            if (c == '\1') {
                if (j + 3 >= body.size())
                    break;
                const int len = static_cast<signed char>(body[j + 1]);
                const int type = static_cast<signed char>(body[j + 2]);
                const int penWidth = static_cast<signed char>(body[j + 3]);
                if (drawing)
                    target.Sample(type, penWidth, blackAndWhite ? type - 99 : 0, x + xoff,
                                  x + xoff + len, y + lineHeight / 2);
                xoff += len;
                i = j + 4;
                continue;
            }
            if (j + 1 >= body.size())
                break;
            const std::string_view ch = body.substr(j + 1, 1);
            if (c == '^' || c == '_')
                xoff += target.ScriptGap(run);
            if (c == '^') {
                const Size e = target.Extent(RichFont::Script, ch);
                if (drawing)
                    target.Text(RichFont::Script, x + xoff, static_cast<int>(y - 0.35 * e.cy + yoff),
                                ch);
                else
                    raise = std::max(raise, static_cast<int>(0.35 * e.cy));
                xoff += e.cx;
            } else if (c == '_') {
                const Size e = target.Extent(RichFont::Script, ch);
                if (drawing)
                    target.Text(RichFont::Script, x + xoff, static_cast<int>(y + 0.35 * e.cy + yoff),
                                ch);
                else
                    drop = std::min(drop, static_cast<int>(-0.35 * e.cy));
                xoff += e.cx;
            } else {
                const Size e = target.Extent(RichFont::Symbol, ch);
                if (drawing)
                    target.Text(RichFont::Symbol, x + xoff,
                                bottom ? y + yoff : y + yoff + lineHeight - e.cy, ch);
                symbolRise = std::max(symbolRise, e.cy - lineHeight);
                xoff += e.cx;
            }
            i = j + 2;
        }
        if (pass == 0)
            width = xoff;
    }
    return {width, lineHeight - drop + raise};
}
} // namespace

Size RenderRichText(RichTextTarget& target, int x, int y, std::string_view text, unsigned hAlign,
                    unsigned vAlign, bool measureOnly, bool blackAndWhite)
{
    int rise = 0;
    return RenderLine(target, x, y, text, hAlign, vAlign, measureOnly, blackAndWhite, rise);
}

Size RenderRichTextLines(RichTextTarget& target, int x, int y, std::string_view text,
                         unsigned hAlign, unsigned vAlign, int& lines, bool measureOnly,
                         bool blackAndWhite)
{
    lines = 1;
    int width = 0;
    int height = 0;
    int offset = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t lf = text.find('\n', start);
        const std::string_view line =
            text.substr(start, lf == std::string_view::npos ? std::string_view::npos : lf - start);
        // A line under another keeps its Greek letters, which rise over its top, clear of the
        // line above: measured first there, as the rise sets where it is drawn (the first line
        // is drawn straight away).
        int rise = 0;
        Size s{};
        if (measureOnly || lines > 1)
            s = RenderLine(target, 0, 0, line, 0, 0, true, blackAndWhite, rise);
        if (lines > 1) {
            offset += rise;
            height += rise;
        }
        if (!measureOnly)
            s = RenderLine(target, x, y + offset, line, hAlign, vAlign, false, blackAndWhite, rise);
        width = std::max(width, s.cx);
        if (lf == std::string_view::npos) {
            height += s.cy;
            break;
        }
        height += s.cy + 2;
        offset += s.cy + 2;
        ++lines;
        start = lf + 1;
    }
    return {width, height};
}

Size RenderRichText(plat::DC& dc, int x, int y, std::string_view text, const plat::LogFont& font,
                    unsigned hAlign, unsigned vAlign, bool measureOnly, bool blackAndWhite)
{
    DCTarget target(dc, font);
    target.m_blackAndWhite = blackAndWhite;
    return RenderRichText(target, x, y, text, hAlign, vAlign, measureOnly, blackAndWhite);
}

Size RenderRichTextLines(plat::DC& dc, int x, int y, std::string_view text,
                         const plat::LogFont& font, unsigned hAlign, unsigned vAlign, int& lines,
                         bool measureOnly, bool blackAndWhite)
{
    DCTarget target(dc, font);
    target.m_blackAndWhite = blackAndWhite;
    return RenderRichTextLines(target, x, y, text, hAlign, vAlign, lines, measureOnly,
                               blackAndWhite);
}

Size DrawRichText(plat::DC& dc, int x, int y, std::string_view text, const plat::LogFont& font,
                  unsigned hAlign, unsigned vAlign, bool blackAndWhite)
{
    return RenderRichText(dc, x, y, text, font, hAlign, vAlign, false, blackAndWhite);
}

Size MeasureRichText(plat::DC& dc, std::string_view text, const plat::LogFont& font)
{
    return RenderRichText(dc, 0, 0, text, font, 0, 0, true, false);
}

int MeasureRichTextRise(plat::DC& dc, std::string_view text, const plat::LogFont& font)
{
    DCTarget target(dc, font);
    int rise = 0;
    RenderLine(target, 0, 0, text, 0, 0, true, false, rise);
    return rise;
}

Size DrawRichTextLines(plat::DC& dc, int x, int y, std::string_view text,
                       const plat::LogFont& font, int& lines, unsigned hAlign, unsigned vAlign,
                       bool blackAndWhite)
{
    return RenderRichTextLines(dc, x, y, text, font, hAlign, vAlign, lines, false, blackAndWhite);
}

Size MeasureRichTextLines(plat::DC& dc, std::string_view text, const plat::LogFont& font,
                          int& lines)
{
    return RenderRichTextLines(dc, 0, 0, text, font, 0, 0, lines, true, false);
}

plat::PenStyle VisiblePenStyle(int style)
{
    static constexpr plat::PenStyle kStyles[kVisibleLineStyles] = {
        plat::PenStyle::Solid, plat::PenStyle::Dash, plat::PenStyle::Dot, plat::PenStyle::DashDot,
        plat::PenStyle::DashDotDot};
    const int s = style % kVisibleLineStyles;
    return kStyles[s < 0 ? s + kVisibleLineStyles : s];
}

void SelectLineTypePen(plat::DC& dc, int lineType, int width, bool blackAndWhite, int style,
                       plat::Color colour)
{
    const LineTypePen p = ResolveLineTypePen(lineType, width, blackAndWhite, style, colour);
    dc.SelectPen(plat::Pen{VisiblePenStyle(p.style), p.width, p.colour});
}

Size DrawRichTextUpward(plat::DC& dc, int x, int y, std::string_view text, const plat::LogFont& font)
{
    plat::LogFont turned = font;
    turned.escapement = 900;
    DCTarget target(dc, turned);
    target.TurnUpwardAbout(x, y);
    return RenderRichText(target, x, y, text, TA::Left, TA::Top, false, false);
}

plat::LogFont FitRichTextFont(plat::DC& dc, std::string_view text, plat::LogFont font, int room)
{
    const int width = MeasureRichText(dc, text, font).cx;
    const int size = font.height < 0 ? -font.height : font.height;
    if (width <= room || width <= 0 || size <= 1)
        return font;
    const int sign = font.height < 0 ? -1 : 1;
    int fitted = std::max(1, static_cast<int>(static_cast<double>(size) * std::max(room, 0) / width));
    font.height = sign * fitted;
    // Text does not narrow exactly in proportion to its height: step down until it fits, or up
    // while a pixel more still fits, so that the text keeps the largest height that fits.
    const auto fits = [&](int h) {
        plat::LogFont f = font;
        f.height = sign * h;
        return MeasureRichText(dc, text, f).cx <= room;
    };
    while (fitted > 1 && !fits(fitted))
        --fitted;
    while (fitted + 1 < size && fits(fitted + 1))
        ++fitted;
    font.height = sign * fitted;
    return font;
}
