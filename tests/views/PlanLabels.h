#pragma once
// Where the texts of a planned picture lie and what runs through them: the first drawn
// stretch through a box, and the box of a text from its extent and alignment.

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "foundation/StrFormat.h"
#include "views/DiagramPlan.h"

// The first drawn stretch (a line, or two neighbouring points of a polyline) that passes
// through the pixels of the box and shows there, as text; "" when none does. A stretch drawn
// before a fill that covers the whole box is hidden by it. Each stretch is followed in steps
// of a hundredth of its length.
inline std::string LineThrough(const DiagramPlan& plan, const plat::Rect& box)
{
    std::vector<std::pair<plat::Point, plat::Point>> stretches;
    for (const PlanStep& s : plan.Steps()) {
        if (s.op == PlanOp::Fill && s.rect.left <= box.left && s.rect.top <= box.top && s.rect.right >= box.right &&
            s.rect.bottom >= box.bottom)
            stretches.clear();
        if (s.op == PlanOp::Line || s.op == PlanOp::Polyline)
            for (std::size_t i = 1; i < s.points.size(); ++i)
                stretches.emplace_back(s.points[i - 1], s.points[i]);
    }
    for (const auto& [a, b] : stretches)
        for (int k = 0; k <= 100; ++k) {
            const double x = a.x + (b.x - a.x) * k / 100.0, y = a.y + (b.y - a.y) * k / 100.0;
            if (x >= box.left && x < box.right && y >= box.top && y < box.bottom)
                return StrPrintf("(%d, %d) - (%d, %d)", a.x, a.y, b.x, b.y);
        }
    return "";
}

// The pixels a text of the given extent covers, placed as its step aligns it.
inline plat::Rect TextBox(const PlanStep& text, plat::Size extent)
{
    namespace TA = plat::TextAlign;
    const plat::Point at = text.points.at(0);
    const int left = text.hAlign == TA::Right ? at.x - extent.cx
                     : text.hAlign == TA::Center ? at.x - extent.cx / 2
                                                 : at.x;
    const int top = text.vAlign == TA::Bottom ? at.y - extent.cy : at.y;
    return plat::Rect{left, top, left + extent.cx, top + extent.cy};
}

// The first fault of the texts of a planned picture but its title, measured as drawn: two
// texts that overlap, or a drawn stretch through a text; "" when there is none. The lines of
// one label of several (block) are stacked as the label sets them.
inline std::string LabelClash(const DiagramPlan& plan, const PlanMeasure& measure, const std::string& title,
                              const std::vector<std::string>& block = {})
{
    const auto inBlock = [&](const std::string& text) {
        return std::find(block.begin(), block.end(), text) != block.end();
    };
    std::vector<std::pair<std::string, plat::Rect>> boxes;
    for (const PlanStep& text : plan.Of(PlanOp::Text)) {
        if (text.text == title)
            continue;
        const plat::Rect box = TextBox(text, measure(text.text, text.font));
        if (const std::string line = LineThrough(plan, box); !line.empty())
            return "\"" + text.text + "\" crossed by " + line;
        for (const auto& [other, at] : boxes)
            if (at.right > box.left && box.right > at.left && at.bottom > box.top && box.bottom > at.top &&
                !(inBlock(text.text) && inBlock(other)))
                return "\"" + text.text + "\" over \"" + other + "\"";
        boxes.emplace_back(text.text, box);
    }
    return "";
}
