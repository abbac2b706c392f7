#include "support/RecordingDC.h"

using namespace plat;

DrawCall& RecordingDevice::Add(const char* op, const DrawState& s) {
    DrawCall& call = calls.emplace_back();
    call.op = op;
    call.state = s;
    return call;
}

void RecordingDevice::Line(const DrawState& s, Point a, Point b) { Add("Line", s).points = {a, b}; }

void RecordingDevice::Polyline(const DrawState& s, const Point* points, std::size_t count) {
    Add("Polyline", s).points.assign(points, points + count);
}

void RecordingDevice::Rectangle(const DrawState& s, const Rect& r) { Add("Rectangle", s).rect = r; }
void RecordingDevice::Ellipse(const DrawState& s, const Rect& r) { Add("Ellipse", s).rect = r; }

void RecordingDevice::Arc(const DrawState& s, ArcKind kind, const Rect& box, Point start, Point end) {
    DrawCall& call = Add(kind == ArcKind::Arc ? "Arc" : kind == ArcKind::Pie ? "Pie" : "Chord", s);
    call.rect = box;
    call.points = {start, end};
}

void RecordingDevice::Polygon(const DrawState& s, const Point* points, std::size_t count, FillMode) {
    Add("Polygon", s).points.assign(points, points + count);
}

void RecordingDevice::FillRect(const DrawState& s, const Rect& r, Color color) {
    DrawCall& call = Add("FillRect", s);
    call.rect = r;
    call.color = color;
}

void RecordingDevice::FillRegion(const DrawState& s, const Region& region, Color color) {
    DrawCall& call = Add("FillRegion", s);
    call.points = region.polygon;
    call.color = color;
}

void RecordingDevice::SetPixel(const DrawState& s, Point p, Color color) {
    DrawCall& call = Add("SetPixel", s);
    call.points = {p};
    call.color = color;
}

Color RecordingDevice::GetPixel(const DrawState&, Point) const { return Colors::White; }

void RecordingDevice::Text(const DrawState& s, const TextRun& run) {
    DrawCall& call = Add("Text", s);
    call.points = {run.at};
    call.text = run.text;
    call.run = run;
}

void RecordingDevice::DrawImage(const DrawState& s, const Rect& dest, const Image&, const Rect& source) {
    DrawCall& call = Add("DrawImage", s);
    call.rect = dest;
    call.points = {{source.left, source.top}, {source.right, source.bottom}};
}

void RecordingDevice::FocusRect(const DrawState& s, const Rect& r) { Add("FocusRect", s).rect = r; }

std::vector<DrawCall> RecordingDC::CallsOf(const std::string& op) const {
    std::vector<DrawCall> out;
    for (const DrawCall& c : Calls())
        if (c.op == op)
            out.push_back(c);
    return out;
}

std::vector<std::string> RecordingDC::Texts() const {
    std::vector<std::string> out;
    for (const DrawCall& c : Calls())
        if (c.op == "Text")
            out.push_back(c.text);
    return out;
}
