#include "app/PictureExtent.h"

#include <algorithm>
#include <cmath>

namespace {

plat::Rect Union(const plat::Rect& a, const plat::Rect& b) {
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return plat::Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                      std::max(a.bottom, b.bottom)};
}

bool Meets(const plat::Rect& a, const plat::Rect& b) {
    return !a.IsEmpty() && !b.IsEmpty() && a.left < b.right && b.left < a.right && a.top < b.bottom &&
           b.top < a.bottom;
}

// The bounding box of the clip (device pixels): the intersection of its regions' boxes; empty
// when there is no clip.
plat::Rect ClipBounds(const plat::Clip& clip) {
    plat::Rect box;
    bool first = true;
    for (const plat::Region& region : clip.regions) {
        if (region.polygon.empty())
            return {};
        plat::Rect r{region.polygon[0].x, region.polygon[0].y, region.polygon[0].x, region.polygon[0].y};
        for (const plat::Point& p : region.polygon) {
            r.left = std::min(r.left, p.x);
            r.top = std::min(r.top, p.y);
            r.right = std::max(r.right, p.x);
            r.bottom = std::max(r.bottom, p.y);
        }
        box = first ? r
                    : plat::Rect{std::max(box.left, r.left), std::max(box.top, r.top), std::min(box.right, r.right),
                                 std::min(box.bottom, r.bottom)};
        first = false;
    }
    return box;
}

// Keeps the boxes of the texts; everything else is drawn nowhere.
class TextExtentDevice final : public plat::Device {
public:
    TextExtentDevice(const plat::DeviceCaps& caps, const plat::Rect& area) : m_caps(caps), m_area(area) {}

    void Line(const plat::DrawState&, plat::Point, plat::Point) override {}
    void Polyline(const plat::DrawState&, const plat::Point*, std::size_t) override {}
    void Rectangle(const plat::DrawState&, const plat::Rect&) override {}
    void Ellipse(const plat::DrawState&, const plat::Rect&) override {}
    void Arc(const plat::DrawState&, plat::ArcKind, const plat::Rect&, plat::Point, plat::Point) override {}
    void Polygon(const plat::DrawState&, const plat::Point*, std::size_t, plat::FillMode) override {}
    void FillRect(const plat::DrawState&, const plat::Rect&, plat::Color) override {}
    void FillRegion(const plat::DrawState&, const plat::Region&, plat::Color) override {}
    void SetPixel(const plat::DrawState&, plat::Point, plat::Color) override {}
    plat::Color GetPixel(const plat::DrawState&, plat::Point) const override { return plat::Colors::White; }
    void DrawImage(const plat::DrawState&, const plat::Rect&, const plat::Image&, const plat::Rect&) override {}
    void FocusRect(const plat::DrawState&, const plat::Rect&) override {}
    plat::DeviceCaps Caps() const override { return m_caps; }

    void Text(const plat::DrawState& s, const plat::TextRun& run) override {
        if (run.text.empty())
            return;
        const plat::Rect box = TextRunDeviceBox(s, run);
        if (!s.clip.IsEmpty() && !Meets(box, ClipBounds(s.clip)))
            return;
        if (Meets(box, m_area))
            extent = Union(extent, box);
    }

    plat::Rect extent;

private:
    plat::DeviceCaps m_caps;
    plat::Rect m_area;
};

} // namespace

plat::Rect TextRunDeviceBox(const plat::DrawState& s, const plat::TextRun& run) {
    const plat::Point at = s.mapping.ToDevice(run.at);
    const double sx = s.mapping.IsIdentity() ? 1.0 : std::abs(s.mapping.ScaleX());
    const double sy = s.mapping.IsIdentity() ? 1.0 : std::abs(s.mapping.ScaleY());
    // Counter-clockwise on the screen, where y grows downward: a turn by a takes (x, y) to
    // (x cos a + y sin a, y cos a - x sin a).
    const double a = s.font.escapement / 10.0 * 3.14159265358979323846 / 180.0;
    const double c = std::cos(a), sn = std::sin(a);
    const double xs[2] = {run.x0 * sx, (run.x0 + run.width) * sx};
    const double ys[2] = {(run.baseline - run.ascent) * sy, (run.baseline + run.descent) * sy};
    double left = 1e300, top = 1e300, right = -1e300, bottom = -1e300;
    for (const double x : xs)
        for (const double y : ys) {
            const double dx = x * c + y * sn, dy = y * c - x * sn;
            left = std::min(left, dx);
            right = std::max(right, dx);
            top = std::min(top, dy);
            bottom = std::max(bottom, dy);
        }
    const auto px = [](double v) { return static_cast<int>(std::clamp(std::round(v), -1e9, 1e9)); };
    return plat::Rect{at.x + px(left), at.y + px(top), at.x + px(right), at.y + px(bottom)};
}

plat::Rect MeasureTextExtent(const plat::DeviceCaps& caps, const plat::Rect& area,
                             const std::function<void(plat::DC&)>& paint) {
    TextExtentDevice device(caps, area);
    {
        plat::DC dc(device);
        paint(dc);
    }
    return device.extent;
}

plat::Rect GrowToHoldTexts(const plat::Rect& page, const plat::Rect& texts) {
    plat::Rect grown = page;
    if (texts.IsEmpty())
        return grown;
    if (texts.right > page.right)
        grown.right = texts.right + kPictureTextMargin;
    if (texts.bottom > page.bottom)
        grown.bottom = texts.bottom + kPictureTextMargin;
    return grown;
}
