#include "views/PanelLines.h"

#include <algorithm>
#include <cstdlib>

#include "charts/RichText.h"
#include "views/MaterialPicture.h"

namespace {

// A line's extent in the font: label markup, or the text as it stands (a name or a byline the
// user typed, whose "_" or "^" is a letter).
plat::Size Extent(plat::DC& dc, const std::string& line, const plat::LogFont& font, bool markup)
{
    if (markup)
        return MeasureRichText(dc, line, font);
    const plat::LogFont before = dc.SelectFont(font);
    const plat::Size extent = dc.GetTextExtent(line);
    dc.SelectFont(before);
    return extent;
}

void Write(plat::DC& dc, int x, int y, const std::string& line, const plat::LogFont& font, unsigned vAlign,
           bool markup)
{
    if (markup) {
        DrawRichText(dc, x, y, line, font, plat::TextAlign::Left, vAlign);
        return;
    }
    dc.SelectFont(font);
    dc.SetTextAlign(plat::TextAlign::Left | vAlign);
    dc.TextOut(x, y, line);
}

// The block in rows of columns: the font each line may take (the lowest of them), or 0 when
// some line would be lower than the least readable text.
int FittedHeight(plat::DC& dc, const std::vector<std::string>& lines, plat::LogFont font, int rowPitch,
                 int columnWidth, bool markup)
{
    const int least = LeastTextHeight(font);
    const int sign = font.height < 0 ? -1 : 1;
    int height = std::abs(font.height);
    // A row keeps an eighth of its pitch (at least 2 pixels) clear under its letters: a
    // script or a symbol of one row reaches no letter of the next.
    const int room = rowPitch - std::max(2, rowPitch / 8);
    for (const std::string& line : lines) {
        while (height >= least) {
            plat::LogFont f = font;
            f.height = sign * height;
            const plat::Size extent = Extent(dc, line, f, markup);
            if (extent.cy <= room && extent.cx <= columnWidth)
                break;
            // Straight to about the height that fits, then down a pixel at a time.
            const double by = std::min(extent.cy > room ? static_cast<double>(room) / extent.cy : 1.0,
                                       extent.cx > columnWidth ? static_cast<double>(columnWidth) / extent.cx : 1.0);
            height = std::min(height - 1, std::max(least - 1, static_cast<int>(height * by)));
        }
        if (height < least)
            return 0;
    }
    return sign * height;
}

// The line broken at its spaces into rows no wider than width in the font (a word wider than
// that stands on a row of its own).
std::vector<std::string> Wrapped(plat::DC& dc, const std::string& line, const plat::LogFont& font, int width,
                                 bool markup)
{
    if (Extent(dc, line, font, markup).cx <= width)
        return {line};
    std::vector<std::string> rows;
    std::string row;
    std::size_t from = 0;
    while (from < line.size()) {
        std::size_t space = line.find(' ', from);
        if (space == std::string::npos)
            space = line.size();
        const std::string word = line.substr(from, space - from);
        from = space + 1;
        if (word.empty())
            continue;
        const std::string longer = row.empty() ? word : row + " " + word;
        if (row.empty() || Extent(dc, longer, font, markup).cx <= width) {
            row = longer;
        } else {
            rows.push_back(row);
            row = word;
        }
    }
    if (!row.empty())
        rows.push_back(row);
    return rows;
}

} // namespace

bool WritePanelLines(plat::DC& dc, const std::vector<std::string>& given, plat::LogFont font, const plat::Rect& room,
                     int pitch, bool upward, bool markup)
{
    if (room.IsEmpty())
        return false;
    // A line with a word wider than the room even in the least readable text is left out.
    plat::LogFont least = font;
    least.height = font.height < 0 ? -kLeastTextCharHeight : kLeastTextCellHeight;
    std::vector<std::string> lines;
    for (const std::string& line : given) {
        if (line.find_first_not_of(' ') == std::string::npos)
            continue;
        bool fits = true;
        for (const std::string& word : Wrapped(dc, line, least, 1, markup))
            fits = fits && Extent(dc, word, least, markup).cx <= room.Width();
        if (fits)
            lines.push_back(line);
    }
    if (lines.empty())
        return false;
    // As given, in one column in a font as low as needed; else with the long lines going on
    // in the next rows; else in two columns of half as many rows.
    std::vector<std::string> wrapped;
    for (const std::string& line : lines)
        for (const std::string& row : Wrapped(dc, line, font, room.Width(), markup))
            wrapped.push_back(row);
    const struct {
        const std::vector<std::string>* lines;
        int columns;
    } layouts[] = {{&lines, 1}, {&wrapped, 1}, {&lines, 2}};
    for (const auto& layout : layouts) {
        const std::vector<std::string>& block = *layout.lines;
        const int count = static_cast<int>(block.size());
        if (layout.columns > count)
            continue;
        const int rows = (count + layout.columns - 1) / layout.columns;
        const int rowPitch = std::min(std::max(pitch, 1), room.Height() / rows);
        const int columnWidth = room.Width() / layout.columns;
        if (rowPitch <= 0 || columnWidth <= 0)
            continue;
        const int height = FittedHeight(dc, block, font, rowPitch, columnWidth, markup);
        if (height == 0)
            continue;
        plat::LogFont f = font;
        f.height = height;
        // Rows written downward hang from their tops; rows written upward stand on their feet.
        const int first = upward ? room.bottom - rows * rowPitch : room.top;
        for (int i = 0; i < count; ++i) {
            const int x = room.left + (i / rows) * columnWidth;
            const int y = first + (i % rows) * rowPitch;
            Write(dc, x, upward ? y + rowPitch : y, block[static_cast<std::size_t>(i)], f,
                  upward ? plat::TextAlign::Bottom : plat::TextAlign::Top, markup);
        }
        return true;
    }
    return false;
}
