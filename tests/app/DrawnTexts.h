#pragma once
// Where a chart's texts land as it draws them, for tests of what is laid over a chart (its
// legends): each upright text (numbers, title, x title, note) with the box it covers.

#include <string>
#include <utility>
#include <vector>

#include "charts/BoxGeometry.h"
#include "charts/Tchart.h"
#include "support/RecordingDC.h"

// The box an upright text run covers, as drawn.
inline plat::Rect DrawnBox(const DrawCall& c)
{
    const plat::Point at = c.state.mapping.ToDevice(c.run.at);
    const int left = at.x + c.run.x0;
    const int baseline = at.y + c.run.baseline;
    return plat::Rect{left, baseline - c.run.ascent, left + c.run.width, baseline + c.run.descent};
}

inline bool Meet(const plat::Rect& a, const plat::Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

inline plat::Rect RectOf(const BoxPlace& b) { return plat::Rect{b.x, b.y, b.x + b.w, b.y + b.h}; }

// The upright texts the chart draws, each with its box.
inline std::vector<std::pair<std::string, plat::Rect>> DrawnTexts(Tchart& chart)
{
    RecordingDC dc;
    chart.Paint(dc, true, plat::Rect{0, 0, chart.Place().w, chart.Place().h});
    std::vector<std::pair<std::string, plat::Rect>> texts;
    for (const DrawCall& c : dc.CallsOf("Text"))
        if (!c.text.empty() && c.text != " " && c.state.font.escapement == 0)
            texts.emplace_back(c.text, DrawnBox(c));
    return texts;
}

// The drawn texts of the chart that the rectangle meets, as "text (left, top - right, bottom)".
inline std::vector<std::string> TextsUnder(Tchart& chart, const plat::Rect& r)
{
    std::vector<std::string> under;
    for (const auto& [text, box] : DrawnTexts(chart))
        if (Meet(r, box))
            under.push_back("\"" + text + "\" (" + std::to_string(box.left) + ", " + std::to_string(box.top) +
                            " - " + std::to_string(box.right) + ", " + std::to_string(box.bottom) + ")");
    return under;
}
