#include "views/PanelLines.h"

#include <algorithm>
#include <cstdlib>

#include "charts/RichText.h"
#include "views/MaterialPicture.h"

namespace {

// The block in rows of columns: the font each line may take (the lowest of them), or 0 when
// some line would be lower than the least readable text.
int FittedHeight(plat::DC& dc, const std::vector<std::string>& lines, plat::LogFont font, int rowPitch,
                 int columnWidth)
{
    const int least = font.height < 0 ? kLeastLabelCharHeight : kLeastLabelCellHeight;
    const int sign = font.height < 0 ? -1 : 1;
    int height = std::abs(font.height);
    for (const std::string& line : lines) {
        while (height >= least) {
            plat::LogFont f = font;
            f.height = sign * height;
            const plat::Size extent = MeasureRichText(dc, line, f);
            if (extent.cy <= rowPitch && extent.cx <= columnWidth)
                break;
            // Straight to about the height that fits, then down a pixel at a time.
            const double by = std::min(extent.cy > rowPitch ? static_cast<double>(rowPitch) / extent.cy : 1.0,
                                       extent.cx > columnWidth ? static_cast<double>(columnWidth) / extent.cx : 1.0);
            height = std::min(height - 1, std::max(least - 1, static_cast<int>(height * by)));
        }
        if (height < least)
            return 0;
    }
    return sign * height;
}

} // namespace

bool WritePanelLines(plat::DC& dc, const std::vector<std::string>& given, plat::LogFont font, const plat::Rect& room,
                     int pitch, bool upward)
{
    std::vector<std::string> lines;
    for (const std::string& line : given)
        if (line.find_first_not_of(' ') != std::string::npos)
            lines.push_back(line);
    if (lines.empty() || room.IsEmpty())
        return lines.empty();
    const int count = static_cast<int>(lines.size());
    for (int columns = 1; columns <= 2 && columns <= count; ++columns) {
        const int rows = (count + columns - 1) / columns;
        const int rowPitch = std::min(std::max(pitch, 1), room.Height() / rows);
        const int columnWidth = room.Width() / columns;
        if (rowPitch <= 0 || columnWidth <= 0)
            continue;
        const int height = FittedHeight(dc, lines, font, rowPitch, columnWidth);
        if (height == 0)
            continue;
        plat::LogFont f = font;
        f.height = height;
        const int first = upward ? room.bottom - rows * rowPitch : room.top;
        for (int i = 0; i < count; ++i) {
            const int x = room.left + (i / rows) * columnWidth;
            const int y = first + (i % rows) * rowPitch;
            DrawRichText(dc, x, y, lines[static_cast<std::size_t>(i)], f, plat::TextAlign::Left,
                         plat::TextAlign::Top);
        }
        return true;
    }
    return false;
}
