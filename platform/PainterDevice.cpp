#include "platform/qt/PainterDevice.h"

#include <QPainterPath>
#include <QPicture>
#include <QPolygon>
#include <QPolygonF>

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/qt/QtConvert.h"

namespace plat {

namespace {

// Every point's device position, whole.
std::vector<PixelPoint> DevicePoints(const DrawState& s, const Point* points, std::size_t count) {
    std::vector<PixelPoint> out(count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = DevicePixel(s.mapping, points[i]);
    return out;
}

PointF Real(PixelPoint p) { return PointF{static_cast<double>(p.x), static_cast<double>(p.y)}; }
QPointF ToQ(PointF p) { return QPointF(p.x, p.y); }

bool AllWithin(const PixelPoint* points, std::size_t count, const BoxF& box) {
    return std::all_of(points, points + count, [&](PixelPoint p) { return box.Contains(Real(p)); });
}

// Points that lie within a guard box fit in int.
QPolygon IntPolygon(const std::vector<PixelPoint>& points) {
    QPolygon poly;
    poly.reserve(static_cast<qsizetype>(points.size()));
    for (const PixelPoint& p : points)
        poly.append(ToQ(SaturatedPoint(p)));
    return poly;
}

// The box of a logical rectangle in device pixels, corners in order.
PixelBox DeviceBox(const DrawState& s, const Rect& r) {
    const PixelPoint a = DevicePixel(s.mapping, Point{r.left, r.top});
    const PixelPoint b = DevicePixel(s.mapping, Point{r.right, r.bottom});
    return PixelBox{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// The box cut to another (empty when they do not meet).
PixelBox Cut(const PixelBox& b, const PixelBox& to) {
    return PixelBox{std::max(b.left, to.left), std::max(b.top, to.top), std::min(b.right, to.right),
                    std::min(b.bottom, to.bottom)};
}

PixelBox Grown(const PixelBox& b, std::int64_t by) {
    return PixelBox{b.left - by, b.top - by, b.right + by, b.bottom + by};
}

// Device positions handed to the painter stay within +-2^29, so that no width or sum overflows.
constexpr std::int64_t kHeldPixel = std::int64_t{1} << 29;

// A box within int's range as a Qt rectangle.
QRect ToQ(const PixelBox& b) {
    const auto held = [](std::int64_t v) { return static_cast<int>(std::clamp(v, -kHeldPixel, kHeldPixel)); };
    const int l = held(b.left), t = held(b.top);
    return QRect(l, t, std::max(0, held(b.right) - l), std::max(0, held(b.bottom) - t));
}

// The pixels a painter's device has, in its coordinates at this moment (a picture has no
// size of its own: it takes the capabilities' page).
PixelBox PaintedArea(const QPainter& painter, const DeviceCaps& caps) {
    QRectF surface(0, 0, std::max(1, caps.horzRes), std::max(1, caps.vertRes));
    QPaintDevice* device = painter.device();
    if (device && !dynamic_cast<QPicture*>(device) && device->width() > 0 && device->height() > 0)
        surface = QRectF(0, 0, device->width(), device->height());
    bool invertible = false;
    const QTransform back = painter.combinedTransform().inverted(&invertible);
    QRectF area = invertible ? back.mapRect(surface) : surface;
    if (painter.hasClipping())
        area &= painter.clipBoundingRect();
    const auto held = [](double v) {
        return static_cast<std::int64_t>(
            std::clamp(v, -static_cast<double>(kHeldPixel), static_cast<double>(kHeldPixel)));
    };
    return PixelBox{held(std::floor(area.left())), held(std::floor(area.top())), held(std::ceil(area.right())),
                    held(std::ceil(area.bottom()))};
}

// The dash offset (in pen widths, as Qt counts it) of a piece that starts `along` pixels into
// the outline; solid pens have none.
void DashFrom(QPen& pen, double along) {
    if (pen.style() == Qt::SolidLine || pen.style() == Qt::NoPen)
        return;
    double period = 0;
    for (const qreal d : pen.dashPattern())
        period += d;
    const double unit = std::max<double>(1.0, pen.widthF());
    pen.setDashOffset(period > 0 ? std::fmod(along / unit, period) : 0.0);
}

// The arc in pieces of at most 5 degrees, each approximated to well under a pixel even on the
// largest ellipse a box can hold.
void AppendArc(QPainterPath& path, const QRectF& ellipse, double from, double span) {
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(span) / 5.0)));
    const double step = span / pieces;
    for (int i = 0; i < pieces; ++i)
        path.arcTo(ellipse, from + i * step, step);
}

QRegion RegionOf(const Region& r) {
    QPolygon poly;
    for (const Point& p : r.polygon)
        poly.append(ToQ(p));
    return QRegion(poly, r.mode == FillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
}

// The pixels of a rectangle's one-pixel frame, each once.
void FramePixels(const QRect& r, QPolygon& out) {
    const int l = r.left(), t = r.top(), rt = r.left() + r.width() - 1, b = r.top() + r.height() - 1;
    for (int x = l; x <= rt; ++x) {
        out.append(QPoint(x, t));
        if (b > t)
            out.append(QPoint(x, b));
    }
    for (int y = t + 1; y < b; ++y) {
        out.append(QPoint(l, y));
        if (rt > l)
            out.append(QPoint(rt, y));
    }
}

// The parametric angle (degrees, counter-clockwise with y up) of the ellipse point on the ray
// from the box centre through p.
double ParametricAngle(const QRectF& box, QPointF p) {
    const double a = std::max(box.width() / 2, 1e-9), b = std::max(box.height() / 2, 1e-9);
    const double dx = p.x() - box.center().x(), dy = box.center().y() - p.y();
    if (dx == 0 && dy == 0)
        return 0;
    return std::atan2(dy / b, dx / a) * 180.0 / M_PI;
}

} // namespace

void LinePixels(PixelPoint a, PixelPoint b, const PixelBox& box, QPolygon& out) {
    WalkClippedLine(a, b, box, [&](int x, int y) { out.append(QPoint(x, y)); });
}

// ---- PainterDevice -----------------------------------------------------------------------

PainterDevice::PainterDevice(QPainter& painter, const DeviceCaps& caps, bool raster)
    : m_caps(caps), m_raster(raster) {
    if (painter.isActive()) {
        painter.save();
        m_restore = true;
    }
    Attach(painter);
}

PainterDevice::~PainterDevice() {
    if (m_restore && m_painter->isActive())
        m_painter->restore();
}

PainterDevice::PainterDevice(const DeviceCaps& caps, bool raster) : m_caps(caps), m_raster(raster) {}

void PainterDevice::Attach(QPainter& painter) {
    m_painter = &painter;
    if (!painter.isActive())
        return;
    // Pixels follow the pixel rules; printers and pictures keep whatever their painter does
    // (a preview smooths the page it shows scaled down).
    if (m_raster) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_base = painter.worldTransform();
    m_baseClipping = painter.hasClipping();
    if (m_baseClipping)
        m_baseClip = painter.clipRegion();
    m_area = PaintedArea(painter, m_caps);
}

void PainterDevice::Begin(const DrawState& s) {
    QPainter& p = *m_painter;
    p.setWorldTransform(m_base);
    if (s.clip != m_applied) {
        if (s.clip.IsEmpty()) {
            if (m_baseClipping)
                p.setClipRegion(m_baseClip);
            else
                p.setClipping(false);
        } else {
            QRegion r = RegionOf(s.clip.regions.front());
            for (std::size_t i = 1; i < s.clip.regions.size(); ++i)
                r &= RegionOf(s.clip.regions[i]);
            if (m_baseClipping)
                r &= m_baseClip;
            p.setClipRegion(r);
        }
        m_applied = s.clip;
    }
    p.setCompositionMode(m_raster && s.rop == Rop::NotXorPen ? QPainter::RasterOp_NotSourceXorDestination
                                                           : QPainter::CompositionMode_SourceOver);
}

QRect PainterDevice::DeviceRect(const DrawState& s, const Rect& r) const { return ToQ(DeviceBox(s, r)); }

BoxF PainterDevice::Guard(const QPen& pen) const {
    // Wide enough for a pen's half width, its square caps and its miter joins (Qt cuts a miter
    // at twice the half width).
    constexpr double kMargin = 16;
    const double reach = pen.style() == Qt::NoPen ? 0.0 : 2.0 * std::max<double>(1.0, pen.widthF());
    return BoxF{static_cast<double>(m_area.left), static_cast<double>(m_area.top), static_cast<double>(m_area.right),
                static_cast<double>(m_area.bottom)}
        .Grown(kMargin + reach);
}

bool PainterDevice::ThinSolid(const DrawState& s) const {
    const Pen& pen = s.pen;
    if (pen.style != PenStyle::Solid && pen.style != PenStyle::InsideFrame)
        return false;
    const double scale = (std::abs(s.mapping.ScaleX()) + std::abs(s.mapping.ScaleY())) / 2;
    return pen.width <= 1 || pen.width * scale < 1.5;
}

QPen PainterDevice::PenOf(const DrawState& s) const {
    const Pen& pen = s.pen;
    if (pen.style == PenStyle::Null)
        return QPen(Qt::NoPen);
    QPen p(ToQ(pen.color));
    // On pixels, dashed styles draw only one pixel wide, as classic drawing code expects, and
    // wider pens scale with the mapping. On printers and pictures every pen scales with the
    // mapping, so a page mapped from a window keeps the window's proportions of line widths
    // and dashes.
    const bool dashed = pen.style != PenStyle::Solid && pen.style != PenStyle::InsideFrame;
    const double scale = (std::abs(s.mapping.ScaleX()) + std::abs(s.mapping.ScaleY())) / 2;
    const int scaled = std::max(1, static_cast<int>(std::lround(std::max(1, pen.width) * scale)));
    if (m_raster)
        p.setWidth(dashed || pen.width <= 1 ? 1 : scaled);
    else
        p.setWidth(dashed ? std::max(1, static_cast<int>(std::lround(scale))) : scaled);
    switch (pen.style) {
    case PenStyle::Dash: p.setStyle(Qt::DashLine); break;
    case PenStyle::Dot: p.setStyle(Qt::DotLine); break;
    case PenStyle::DashDot: p.setStyle(Qt::DashDotLine); break;
    case PenStyle::DashDotDot: p.setStyle(Qt::DashDotDotLine); break;
    default: p.setStyle(Qt::SolidLine); break;
    }
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

void PainterDevice::PlotPixels(const DrawState&, const QPolygon& pixels, Color color) {
    const QColor c = ToQ(color);
    for (const QPoint& p : pixels)
        m_painter->fillRect(QRect(p, QSize(1, 1)), c);
}

void PainterDevice::Line(const DrawState& s, Point a, Point b) {
    if (!m_painter->isActive() || s.pen.style == PenStyle::Null)
        return;
    Begin(s);
    const PixelPoint da = DevicePixel(s.mapping, a), db = DevicePixel(s.mapping, b);
    if (m_raster && ThinSolid(s)) {
        QPolygon pixels;
        LinePixels(da, db, m_area, pixels);
        PlotPixels(s, pixels, s.pen.color);
        return;
    }
    const QPen pen = PenOf(s);
    const PixelPoint ends[2] = {da, db};
    if (AllWithin(ends, 2, Guard(pen))) {
        m_painter->setPen(pen);
        m_painter->drawLine(ToQ(SaturatedPoint(da)), ToQ(SaturatedPoint(db)));
    } else {
        StrokeClipped(pen, ends, 2, false);
    }
}

void PainterDevice::Polyline(const DrawState& s, const Point* points, std::size_t count) {
    if (!m_painter->isActive() || s.pen.style == PenStyle::Null || count == 0)
        return;
    Begin(s);
    const std::vector<PixelPoint> dev = DevicePoints(s, points, count);
    if (m_raster && ThinSolid(s)) {
        QPolygon pixels;
        for (std::size_t i = 1; i < count; ++i)
            LinePixels(dev[i - 1], dev[i], m_area, pixels);
        if (count > 1 && m_area.Contains(dev.back()))
            pixels.append(ToQ(SaturatedPoint(dev.back())));
        PlotPixels(s, pixels, s.pen.color);
        return;
    }
    if (count < 2)
        return;
    const QPen pen = PenOf(s);
    if (AllWithin(dev.data(), count, Guard(pen))) {
        m_painter->setPen(pen);
        m_painter->drawPolyline(IntPolygon(dev));
    } else {
        StrokeClipped(pen, dev.data(), count, false);
    }
}

void PainterDevice::StrokeClipped(const QPen& pen, const PixelPoint* points, std::size_t count, bool closed) {
    struct Run {
        QPolygonF points;
        double along = 0;  // where it starts along the whole path
    };
    const BoxF guard = Guard(pen);
    // Where the painter's single-pixel stroker counts its dashes: only along what lies on the
    // device (it starts a line that comes from outside at the device's edge), so a piece
    // starts as far into the pattern as the parts of the path before it shown there.
    const bool cosmetic = Cosmetic(pen);
    const BoxF shown = BoxF{static_cast<double>(m_area.left), static_cast<double>(m_area.top),
                            static_cast<double>(m_area.right), static_cast<double>(m_area.bottom)}
                           .Grown(1);
    std::vector<Run> runs;
    Run run;
    bool open = false;
    double along = 0;
    const std::size_t segments = closed ? count : count - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        PointF a = Real(points[i]), b = Real(points[(i + 1) % count]);
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        PointF sa = a, sb = b;
        double t0 = 0, t1 = 0;
        const double onDevice = ClipSegment(sa, sb, shown, t0, t1) ? (t1 - t0) * length : 0.0;
        if (ClipSegment(a, b, guard, t0, t1)) {
            // A segment whose start was not cut goes on from the run before it.
            if (!open || t0 > 0) {
                if (open)
                    runs.push_back(run);
                run = Run{QPolygonF{ToQ(a)}, cosmetic ? along : along + t0 * length};
                open = true;
            }
            run.points.append(ToQ(b));
            if (t1 < 1) {
                runs.push_back(run);
                open = false;
            }
        } else if (open) {
            runs.push_back(run);
            open = false;
        }
        along += cosmetic ? onDevice : length;
    }
    if (open) {
        // A closed outline whose first run starts at its first point goes on into it, so the
        // joint there is drawn as one.
        if (closed && !runs.empty() && runs.front().along == 0 && runs.front().points.front() == run.points.back()) {
            run.points.append(runs.front().points.mid(1));
            runs.front() = run;
        } else {
            runs.push_back(run);
        }
    }
    m_painter->setBrush(Qt::NoBrush);
    for (const Run& r : runs) {
        QPen dashed = pen;
        DashFrom(dashed, r.along);
        m_painter->setPen(dashed);
        m_painter->drawPolyline(r.points);
    }
}

bool PainterDevice::Cosmetic(const QPen& pen) const { return m_raster && pen.widthF() <= 1; }

double PainterDevice::StrokeSegment(const QPen& pen, PointF a, PointF b, double along) {
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    double t0 = 0, t1 = 0;
    if (!ClipSegment(a, b, Guard(pen), t0, t1))
        return 0.0;
    QPen dashed = pen;
    DashFrom(dashed, Cosmetic(pen) ? along : along + t0 * length);
    m_painter->setPen(dashed);
    m_painter->drawLine(QLineF(ToQ(a), ToQ(b)));
    return (t1 - t0) * length;
}

void PainterDevice::DrawCurve(const DrawState& s, const QPen& pen, Curve kind, const PixelBox& box, double from,
                              double span) {
    const BoxF guard = Guard(pen);
    // The ellipse through the box's first and last pixels, as the painter draws it.
    const QRectF ellipse(static_cast<double>(box.left), static_cast<double>(box.top),
                         static_cast<double>(box.right - box.left - 1), static_cast<double>(box.bottom - box.top - 1));
    const EllipseF e{ellipse.center().x(), ellipse.center().y(), ellipse.width() / 2, ellipse.height() / 2};
    const PointF centre{e.cx, e.cy}, start = e.At(from), end = e.At(from + span);
    if (kind != Curve::Arc && !s.brush.hollow) {
        QPainterPath outline;
        if (kind == Curve::Pie)
            outline.moveTo(ToQ(centre));
        else
            outline.arcMoveTo(ellipse, from);
        AppendArc(outline, ellipse, from, span);
        outline.closeSubpath();
        QPainterPath within;
        within.addRect(QRectF(QPointF(guard.left, guard.top), QPointF(guard.right, guard.bottom)));
        m_painter->setPen(Qt::NoPen);
        m_painter->setBrush(ToQ(s.brush.color));
        m_painter->drawPath(outline.intersected(within));
    }
    if (pen.style() == Qt::NoPen)
        return;
    // The outline in the painter's order: the first radius of a pie, the arc, then the
    // second radius or the chord. Dashes run on along the whole outline, or for a pen the
    // painter strokes pixel by pixel, along what it draws (as StrokeClipped counts them).
    m_painter->setBrush(Qt::NoBrush);
    const bool cosmetic = Cosmetic(pen);
    double along = 0, drawn = 0;
    if (kind == Curve::Pie) {
        drawn += StrokeSegment(pen, centre, start, cosmetic ? drawn : along);
        along += std::hypot(start.x - centre.x, start.y - centre.y);
    }
    std::vector<std::pair<double, double>> visible = VisibleArcs(e, from, span, guard);
    // An ellipse is closed: a piece through its starting angle is one piece.
    if (kind == Curve::Ellipse && visible.size() > 1 && visible.front().first == from &&
        visible.back().second == from + span) {
        visible.front().first = visible.back().first - span;
        visible.pop_back();
    }
    for (const auto& [t0, t1] : visible) {
        QPainterPath piece;
        piece.arcMoveTo(ellipse, t0);
        AppendArc(piece, ellipse, t0, t1 - t0);
        QPen dashed = pen;
        DashFrom(dashed, cosmetic ? drawn : along + e.ArcLength(from, t0 < from ? t0 + span : t0));
        m_painter->setPen(dashed);
        m_painter->drawPath(piece);
        drawn += e.ArcLength(t0, t1);
    }
    along += e.ArcLength(from, from + span);
    if (kind == Curve::Pie)
        StrokeSegment(pen, end, centre, cosmetic ? drawn : along);
    else if (kind == Curve::Chord)
        StrokeSegment(pen, end, start, cosmetic ? drawn : along);
}

void PainterDevice::Rectangle(const DrawState& s, const Rect& r) {
    if (!m_painter->isActive())
        return;
    Begin(s);
    // Edges past the guard box move to it, out of sight.
    const BoxF guard = Guard(PenOf(s));
    const QRect box = ToQ(Cut(DeviceBox(s, r), PixelBox{static_cast<std::int64_t>(guard.left),
                                                         static_cast<std::int64_t>(guard.top),
                                                         static_cast<std::int64_t>(guard.right),
                                                         static_cast<std::int64_t>(guard.bottom)}));
    if (box.isEmpty())
        return;
    const bool outlined = s.pen.style != PenStyle::Null;
    const int inset = outlined ? 1 : 0;
    if (!s.brush.hollow && box.width() > 2 * inset && box.height() > 2 * inset)
        m_painter->fillRect(box.adjusted(inset, inset, -inset, -inset), ToQ(s.brush.color));
    if (!outlined)
        return;
    if (m_raster && ThinSolid(s)) {
        QPolygon pixels;
        FramePixels(box, pixels);
        PlotPixels(s, pixels, s.pen.color);
    } else {
        m_painter->setPen(PenOf(s));
        m_painter->setBrush(Qt::NoBrush);
        m_painter->drawRect(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1));
    }
}

void PainterDevice::Ellipse(const DrawState& s, const Rect& r) {
    if (!m_painter->isActive())
        return;
    Begin(s);
    const PixelBox b = DeviceBox(s, r);
    if (b.right - b.left < 1 || b.bottom - b.top < 1)
        return;
    const QPen pen = PenOf(s);
    // The painter rasterises an ellipse of its own (by the midpoint rule for a thin solid pen)
    // at a cost that grows with its size; one that reaches no further past the device than the
    // device's own extent is left to it whole, so that an ellipse just past the guard box lands
    // on the pixels it does inside it. Only a larger one is cut.
    const double reach = static_cast<double>(std::max(m_area.right - m_area.left, m_area.bottom - m_area.top));
    if (!Guard(pen).Grown(reach).Contains(BoxF{static_cast<double>(b.left), static_cast<double>(b.top),
                                                static_cast<double>(b.right), static_cast<double>(b.bottom)})) {
        DrawCurve(s, pen, Curve::Ellipse, b, 0, 360);
        return;
    }
    const QRect box = ToQ(b);
    m_painter->setPen(pen);
    m_painter->setBrush(s.brush.hollow ? QBrush(Qt::NoBrush) : QBrush(ToQ(s.brush.color)));
    m_painter->drawEllipse(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1));
}

void PainterDevice::Arc(const DrawState& s, ArcKind kind, const Rect& r, Point start, Point end) {
    if (!m_painter->isActive())
        return;
    Begin(s);
    const PixelBox b = DeviceBox(s, r);
    if (b.right - b.left < 1 || b.bottom - b.top < 1)
        return;
    const BoxF real{static_cast<double>(b.left), static_cast<double>(b.top), static_cast<double>(b.right),
                    static_cast<double>(b.bottom)};
    const QRectF geometry(QPointF(real.left, real.top), QPointF(real.right, real.bottom));
    const double a0 = ParametricAngle(geometry, ToQ(Real(DevicePixel(s.mapping, start))));
    const double a1 = ParametricAngle(geometry, ToQ(Real(DevicePixel(s.mapping, end))));
    double span = a1 - a0;
    while (span <= 0)
        span += 360;
    const QPen pen = PenOf(s);
    if (!Guard(pen).Contains(real)) {
        DrawCurve(s, pen, kind == ArcKind::Pie ? Curve::Pie : kind == ArcKind::Chord ? Curve::Chord : Curve::Arc, b,
                  a0, span);
        return;
    }
    const QRect box = ToQ(b);
    const QRect drawn(box.left(), box.top(), box.width() - 1, box.height() - 1);
    const int from16 = static_cast<int>(std::lround(a0 * 16));
    const int span16 = static_cast<int>(std::lround(span * 16));
    m_painter->setPen(pen);
    m_painter->setBrush(s.brush.hollow ? QBrush(Qt::NoBrush) : QBrush(ToQ(s.brush.color)));
    switch (kind) {
    case ArcKind::Arc: m_painter->drawArc(drawn, from16, span16); break;
    case ArcKind::Pie: m_painter->drawPie(drawn, from16, span16); break;
    case ArcKind::Chord: m_painter->drawChord(drawn, from16, span16); break;
    }
}

void PainterDevice::Polygon(const DrawState& s, const Point* points, std::size_t count, FillMode mode) {
    if (!m_painter->isActive() || count == 0)
        return;
    Begin(s);
    const std::vector<PixelPoint> dev = DevicePoints(s, points, count);
    const QPen pen = PenOf(s);
    const Qt::FillRule rule = mode == FillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill;
    const BoxF guard = Guard(pen);
    if (AllWithin(dev.data(), count, guard)) {
        m_painter->setPen(pen);
        m_painter->setBrush(s.brush.hollow ? QBrush(Qt::NoBrush) : QBrush(ToQ(s.brush.color)));
        m_painter->drawPolygon(IntPolygon(dev), rule);
        return;
    }
    // The fill cut to the guard box, then the outline over it (the order the painter keeps).
    if (!s.brush.hollow) {
        std::vector<PointF> real(count);
        std::transform(dev.begin(), dev.end(), real.begin(), Real);
        const std::vector<PointF> cut = ClipPolygon(real, guard);
        if (cut.size() >= 3) {
            QPolygonF poly;
            for (const PointF& p : cut)
                poly.append(ToQ(p));
            m_painter->setPen(Qt::NoPen);
            m_painter->setBrush(ToQ(s.brush.color));
            m_painter->drawPolygon(poly, rule);
        }
    }
    if (pen.style() != Qt::NoPen && count >= 2)
        StrokeClipped(pen, dev.data(), count, true);
}

void PainterDevice::FillRect(const DrawState& s, const Rect& r, Color color) {
    if (!m_painter->isActive())
        return;
    Begin(s);
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter->fillRect(ToQ(Cut(DeviceBox(s, r), Grown(m_area, 1))), ToQ(color));
}

void PainterDevice::FillRegion(const DrawState& s, const Region& region, Color color) {
    if (!m_painter->isActive() || region.polygon.empty())
        return;
    Begin(s);
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter->setPen(Qt::NoPen);
    m_painter->setBrush(ToQ(color));
    const Qt::FillRule rule = region.mode == FillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill;
    const std::vector<PixelPoint> dev = DevicePoints(s, region.polygon.data(), region.polygon.size());
    const BoxF guard = Guard(QPen(Qt::NoPen));
    if (AllWithin(dev.data(), dev.size(), guard)) {
        m_painter->drawPolygon(IntPolygon(dev), rule);
        return;
    }
    std::vector<PointF> real(dev.size());
    std::transform(dev.begin(), dev.end(), real.begin(), Real);
    QPolygonF poly;
    for (const PointF& p : ClipPolygon(real, guard))
        poly.append(ToQ(p));
    if (poly.size() >= 3)
        m_painter->drawPolygon(poly, rule);
}

void PainterDevice::SetPixel(const DrawState& s, Point p, Color color) {
    if (!m_painter->isActive())
        return;
    DrawState copy = s;
    copy.rop = Rop::CopyPen;
    Begin(copy);
    PlotPixels(copy, QPolygon({ToQ(s.mapping.ToDevice(p))}), color);
}

Color PainterDevice::GetPixel(const DrawState&, Point) const { return Colors::White; }

void PainterDevice::Text(const DrawState& s, const TextRun& run) {
    if (!m_painter->isActive() || run.text.empty())
        return;
    Begin(s);
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    const std::shared_ptr<const FontEntry> font = FontFor(s.font);
    const Point at = s.mapping.ToDevice(run.at);
    m_painter->translate(at.x, at.y);
    if (!s.mapping.IsIdentity())
        m_painter->scale(std::abs(s.mapping.ScaleX()), std::abs(s.mapping.ScaleY()));
    if (s.font.escapement != 0)
        m_painter->rotate(-s.font.escapement / 10.0);
    if (s.bkMode == BkMode::Opaque)
        m_painter->fillRect(QRect(run.x0, run.baseline - run.ascent, run.width, run.ascent + run.descent),
                            ToQ(s.bkColor));
    m_painter->setPen(ToQ(s.textColor));
    const TextShape& shape = font->Shape(run.text);
    if (m_raster) {
        for (const QGlyphRun& glyphs : shape.runs)
            m_painter->drawGlyphRun(QPointF(run.x0, run.baseline - shape.ascent), glyphs);
    } else {
        // Pictures and printers keep text as text, smoothed where they are shown on pixels.
        QFont smooth = font->font;
        smooth.setStyleStrategy(QFont::PreferDefault);
        smooth.setUnderline(false);
        smooth.setStrikeOut(false);
        m_painter->setFont(smooth);
        m_painter->drawText(QPoint(run.x0, run.baseline), ToQText(run.text));
    }
    // The underline along the text's whole width: one line of the font's line width at its
    // underline position below the baseline (at least 1 pixel, so that it never touches the
    // baseline).
    if (s.font.underline) {
        const int thickness = std::max(1, font->metrics.lineWidth());
        const int below = std::max(1, font->metrics.underlinePos());
        m_painter->fillRect(QRect(run.x0, run.baseline + below, run.width, thickness), ToQ(s.textColor));
    }
}

void PainterDevice::DrawImage(const DrawState& s, const Rect& dest, const Image& image, const Rect& source) {
    if (!m_painter->isActive())
        return;
    Begin(s);
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    const int k = image.Scale();
    const QRect src(source.left * k, source.top * k, source.Width() * k, source.Height() * k);
    m_painter->drawImage(DeviceRect(s, dest), image.impl().image, src);
}

void PainterDevice::FocusRect(const DrawState& s, const Rect& r) {
    if (!m_painter->isActive())
        return;
    Begin(s);
    // Edges past the device move just outside it; the pattern keeps to whole positions.
    const QRect box = ToQ(Cut(DeviceBox(s, r), Grown(m_area, 1)));
    QPolygon frame;
    FramePixels(box, frame);
    if (m_raster) {
        // Every other pixel inverted; a second call inverts them back.
        m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        for (const QPoint& p : frame)
            if ((p.x() + p.y()) % 2 == 0)
                m_painter->fillRect(QRect(p, QSize(1, 1)), Qt::white);
    } else {
        QPen pen(Qt::black);
        pen.setStyle(Qt::DotLine);
        m_painter->setPen(pen);
        m_painter->setBrush(Qt::NoBrush);
        m_painter->drawRect(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1));
    }
}

// ---- ImageDevice -------------------------------------------------------------------------

ImageDevice::ImageDevice(Image& image) : PainterDevice(ScreenCaps(), true), m_image(&image) { Open(); }

ImageDevice::ImageDevice(int width, int height, Color fill)
    : PainterDevice(ScreenCaps(), true), m_owned(std::make_unique<Image>(width, height, fill)),
      m_image(m_owned.get()) {
    Open();
}

ImageDevice::~ImageDevice() {
    if (m_ownPainter.isActive())
        m_ownPainter.end();
}

void ImageDevice::Open() {
    QImage& img = m_image->impl().image;
    if (!img.isNull()) {
        // The painter and the direct pixel writes below share this one buffer.
        m_bits = img.bits();
        m_bytesPerLine = img.bytesPerLine();
        m_ownPainter.begin(&img);
    }
    Attach(m_ownPainter);
    SetArea(PixelBox{0, 0, m_image->Width(), m_image->Height()});
}

Color ImageDevice::GetPixel(const DrawState& s, Point p) const {
    const Point d = s.mapping.ToDevice(p);
    return m_image->Pixel(d.x, d.y);
}

namespace {
// Writes single logical pixels of the pen into an RGB32 buffer at an integer scale, inside
// a clip box of logical pixels.
struct PixelWriter {
    uchar* bits;
    qsizetype bytesPerLine;
    int scale;
    int left, top, right, bottom;  // the clip box, right and bottom excluded
    quint32 color;
    bool notXor;

    PixelWriter(uchar* b, qsizetype bpl, int s, const QRect& clip, quint32 c, bool x)
        : bits(b), bytesPerLine(bpl), scale(s), left(clip.left()), top(clip.top()),
          right(clip.left() + clip.width()), bottom(clip.top() + clip.height()), color(c), notXor(x) {}

    void operator()(int x, int y) const {
        if (x < left || x >= right || y < top || y >= bottom)
            return;
        if (scale == 1) {
            quint32* px = reinterpret_cast<quint32*>(bits + static_cast<qsizetype>(y) * bytesPerLine) + x;
            *px = notXor ? (~(color ^ *px) | 0xFF000000u) : color;
            return;
        }
        for (int dy = 0; dy < scale; ++dy) {
            quint32* row = reinterpret_cast<quint32*>(bits + (static_cast<qsizetype>(y) * scale + dy) * bytesPerLine);
            quint32* px = row + static_cast<qsizetype>(x) * scale;
            for (int dx = 0; dx < scale; ++dx)
                px[dx] = notXor ? (~(color ^ px[dx]) | 0xFF000000u) : color;
        }
    }
};

// The clip as one box, when it is one (no clip: the whole image).
bool ClipBox(const DrawState& s, const QRect& bounds, QRect& box) {
    box = bounds;
    for (const Region& r : s.clip.regions) {
        const QRegion region = RegionOf(r);
        if (region.rectCount() != 1)
            return false;
        box &= region.boundingRect();
    }
    return true;
}
} // namespace

void ImageDevice::PlotPixels(const DrawState& s, const QPolygon& pixels, Color color) {
    QRect box;
    if (!m_bits || !ClipBox(s, QRect(0, 0, m_image->Width(), m_image->Height()), box)) {
        PainterDevice::PlotPixels(s, pixels, color);
        return;
    }
    const PixelWriter write(m_bits, m_bytesPerLine, m_image->Scale(), box, ToQ(color).rgb(),
                            s.rop == Rop::NotXorPen);
    for (const QPoint& p : pixels)
        write(p.x(), p.y());
}

void ImageDevice::Polyline(const DrawState& s, const Point* points, std::size_t count) {
    QRect box;
    if (!m_bits || count == 0 || s.pen.style == PenStyle::Null || !ThinSolid(s) ||
        !ClipBox(s, QRect(0, 0, m_image->Width(), m_image->Height()), box)) {
        PainterDevice::Polyline(s, points, count);
        return;
    }
    const PixelWriter write(m_bits, m_bytesPerLine, m_image->Scale(), box, ToQ(s.pen.color).rgb(),
                            s.rop == Rop::NotXorPen);
    const PixelBox within{box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
    const bool identity = s.mapping.IsIdentity();
    const auto device = [&](Point p) { return identity ? PixelPoint{p.x, p.y} : DevicePixel(s.mapping, p); };
    PixelPoint prev = device(points[0]);
    for (std::size_t i = 1; i < count; ++i) {
        const PixelPoint next = device(points[i]);
        WalkClippedLine(prev, next, within, write);
        prev = next;
    }
    if (count > 1 && within.Contains(prev))
        write(static_cast<int>(prev.x), static_cast<int>(prev.y));
}

// ---- Contexts over foreign painters ------------------------------------------------------

namespace {
class PainterDC final : public DC {
public:
    explicit PainterDC(std::unique_ptr<Device> device) : DC(std::move(device)) {}
};
} // namespace

std::unique_ptr<DC> MakePainterDC(QPainter& painter, const DeviceCaps& caps, bool raster) {
    return std::make_unique<PainterDC>(std::make_unique<PainterDevice>(painter, caps, raster));
}

std::unique_ptr<DC> MakePainterDC(QPainter& painter) { return MakePainterDC(painter, ScreenCaps(), true); }

} // namespace plat
