#pragma once
// A device context that draws nothing and records every drawing call in order, with its
// positions (logical, as the caller gave them) and what was selected at the time, so views
// are tested by what they draw.

#include <string>
#include <vector>

#include "platform/DC.h"

struct DrawCall {
    std::string op;                 // "Line", "Polyline", "Rectangle", "Ellipse", "Arc", "Pie",
                                    // "Chord", "Polygon", "FillRect", "FillRegion", "SetPixel",
                                    // "Text", "DrawImage", "FocusRect"
    std::vector<plat::Point> points;  // end points, vertices, or arc start and end
    plat::Rect rect;                // box of rectangles, ellipses, arcs, fills and images
    plat::Color color;              // fill or pixel colour
    std::string text;               // text as drawn (Symbol code points mapped)
    plat::TextRun run;              // where the text went, as measured
    plat::DrawState state;          // pen, brush, font, text colour, modes, mapping, clip
};

class RecordingDevice : public plat::Device {
public:
    void Line(const plat::DrawState& s, plat::Point a, plat::Point b) override;
    void Polyline(const plat::DrawState& s, const plat::Point* points, std::size_t count) override;
    void Rectangle(const plat::DrawState& s, const plat::Rect& r) override;
    void Ellipse(const plat::DrawState& s, const plat::Rect& r) override;
    void Arc(const plat::DrawState& s, plat::ArcKind kind, const plat::Rect& box, plat::Point start,
             plat::Point end) override;
    void Polygon(const plat::DrawState& s, const plat::Point* points, std::size_t count,
                 plat::FillMode mode) override;
    void FillRect(const plat::DrawState& s, const plat::Rect& r, plat::Color color) override;
    void FillRegion(const plat::DrawState& s, const plat::Region& region, plat::Color color) override;
    void SetPixel(const plat::DrawState& s, plat::Point p, plat::Color color) override;
    plat::Color GetPixel(const plat::DrawState& s, plat::Point p) const override;
    void Text(const plat::DrawState& s, const plat::TextRun& run) override;
    void DrawImage(const plat::DrawState& s, const plat::Rect& dest, const plat::Image& image,
                   const plat::Rect& source) override;
    void FocusRect(const plat::DrawState& s, const plat::Rect& r) override;
    plat::DeviceCaps Caps() const override { return caps; }

    std::vector<DrawCall> calls;
    // A screen of 1280 x 1024 pixels at 96 per inch unless a test sets others.
    plat::DeviceCaps caps{339, 271, 1280, 1024, 96, 96};

private:
    DrawCall& Add(const char* op, const plat::DrawState& s);
};

namespace recording_detail {
struct DeviceHolder {
    RecordingDevice device;
};
} // namespace recording_detail

class RecordingDC : private recording_detail::DeviceHolder, public plat::DC {
public:
    RecordingDC() : plat::DC(device) {}
    const std::vector<DrawCall>& Calls() const { return device.calls; }
    std::vector<DrawCall>& Calls() { return device.calls; }
    // The calls of one kind, in order.
    std::vector<DrawCall> CallsOf(const std::string& op) const;
    // The texts drawn, in order.
    std::vector<std::string> Texts() const;
    RecordingDevice& Recorder() { return device; }
};
