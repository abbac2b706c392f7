#pragma once
// A chart's title as the chart paints it on the screen, and its width in the least text.

#include <optional>

#include "charts/RichText.h"
#include "charts/Tchart.h"
#include "platform/DC.h"
#include "support/RecordingDC.h"

// The call that writes the chart's title when the chart paints itself as on the screen; none
// where the title is left out.
inline std::optional<DrawCall> PaintedTitle(Tchart& chart)
{
    RecordingDC screen;
    chart.Paint(screen, true, chart.GetClientRect());
    std::optional<DrawCall> drawn;
    for (const DrawCall& c : screen.Calls())
        if (c.op == "Text" && c.text == chart.Data().Title())
            drawn = c;
    return drawn;
}

// The width of the chart's title in its title font at the least text height (pixels).
inline int TitleWidthInTheLeastText(Tchart& chart)
{
    plat::Image scratch(1, 1);
    plat::DC measuring(scratch);
    plat::LogFont least = chart.TitleFont();
    least.height = least.height < 0 ? -kLeastTextCharHeight : kLeastTextCellHeight;
    return MeasureRichText(measuring, chart.Data().Title(), least).cx;
}
