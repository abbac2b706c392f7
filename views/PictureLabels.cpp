#include "views/PictureLabels.h"

#include <cmath>
#include <variant>
#include <vector>

#include "charts/ChartAxes.h"
#include "charts/DrawingSheet.h"
#include "views/LabelClearance.h"

namespace {

// Segments an arc's stroke is traced by.
constexpr int kArcSegments = 48;

constexpr double kPi = 3.14159265358979323846;

void AddLine(std::vector<LabelStretch>& out, plat::Point a, plat::Point b, int width)
{
    out.push_back({a, b});
    if (width <= 1)
        return;
    // A wide pen covers the pixels beside the line too: its two edges.
    const bool flat = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
    const int half = (width + 1) / 2;
    const plat::Point d = flat ? plat::Point{0, half} : plat::Point{half, 0};
    out.push_back({{a.x - d.x, a.y - d.y}, {b.x - d.x, b.y - d.y}});
    out.push_back({{a.x + d.x, a.y + d.y}, {b.x + d.x, b.y + d.y}});
}

// The stroke of an arc of the ellipse in box, counter-clockwise on screen from the ray through
// start to the ray through end, as joined segments.
void AddArc(std::vector<LabelStretch>& out, const picture::Arc& arc)
{
    const double cx = 0.5 * (arc.box.left + arc.box.right), cy = 0.5 * (arc.box.top + arc.box.bottom);
    const double rx = 0.5 * (arc.box.right - arc.box.left), ry = 0.5 * (arc.box.bottom - arc.box.top);
    if (!(rx > 0.0) || !(ry > 0.0))
        return;
    const double a0 = std::atan2(cy - arc.start.y, arc.start.x - cx);
    double a1 = std::atan2(cy - arc.end.y, arc.end.x - cx);
    if (a1 <= a0)
        a1 += 2.0 * kPi;
    auto at = [&](double a) {
        return plat::Point{static_cast<int>(std::lround(cx + rx * std::cos(a))),
                           static_cast<int>(std::lround(cy - ry * std::sin(a)))};
    };
    plat::Point previous = at(a0);
    for (int i = 1; i <= kArcSegments; ++i) {
        const plat::Point p = at(a0 + (a1 - a0) * i / kArcSegments);
        AddLine(out, previous, p, arc.width);
        previous = p;
    }
}

void AddHead(std::vector<LabelStretch>& out, const picture::ArrowHead& h)
{
    const ArrowCorners c = ArrowHeadCorners(h.tip.x, h.tip.y, h.length, h.width, h.degrees);
    out.push_back({h.tip, c.p1});
    out.push_back({c.p1, c.p2});
    out.push_back({c.p2, h.tip});
    out.push_back({h.tip, {(c.p1.x + c.p2.x) / 2, (c.p1.y + c.p2.y) / 2}});
}

} // namespace

plat::Rect PictureLabelBox(const picture::Label& label, const LabelExtent& extent)
{
    const plat::Size size = extent(label.text, label.font);
    if (label.upward) // read from the bottom up: the text's top towards the left
        return plat::Rect{label.at.x, label.at.y - size.cx, label.at.x + size.cy, label.at.y};
    return AxisLabelBox(AxisLabel{"", label.at, label.hAlign, label.vAlign}, size);
}

void KeepPictureLabelsClear(DiagramPicture& picture, const LabelExtent& extent, const plat::Rect& area)
{
    std::vector<LabelStretch> lines;
    for (const picture::Item& item : picture.items) {
        if (const auto* l = std::get_if<picture::Line>(&item))
            AddLine(lines, l->a, l->b, l->width);
        else if (const auto* a = std::get_if<picture::Arc>(&item))
            AddArc(lines, *a);
        else if (const auto* h = std::get_if<picture::ArrowHead>(&item))
            AddHead(lines, *h);
    }
    LabelClearance clearance(lines, area);
    using namespace LabelToward;
    for (picture::Item& item : picture.items) {
        auto* label = std::get_if<picture::Label>(&item);
        if (!label)
            continue;
        const plat::Rect box = PictureLabelBox(*label, extent);
        if (!label->upward) {
            const plat::Point home{box.left, box.top};
            const plat::Point to = clearance.Place(home, {box.Width(), box.Height()}, area,
                                                   RightDown | LeftDown | RightUp | LeftUp);
            if (clearance.Found() && (to.x != home.x || to.y != home.y)) {
                label->at.x += to.x - home.x;
                label->at.y += to.y - home.y;
                clearance.Add(plat::Rect{to.x, to.y, to.x + box.Width(), to.y + box.Height()});
                continue;
            }
        }
        clearance.Add(box);
    }
}
