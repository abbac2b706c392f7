#include "platform/qt/PainterDevice.h"

#include <QPolygon>

#include <algorithm>
#include <cmath>

#include "platform/qt/QtConvert.h"

namespace plat {

namespace {

QPolygon DevicePolygon(const DrawState& s, const Point* points, std::size_t count) {
    QPolygon poly;
    poly.reserve(static_cast<qsizetype>(count));
    const bool identity = s.mapping.IsIdentity();
    for (std::size_t i = 0; i < count; ++i)
        poly.append(ToQ(identity ? points[i] : s.mapping.ToDevice(points[i])));
    return poly;
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

// Walks the pixels of a line from a up to but not including b.
template <class Plot>
void WalkLine(Point a, Point b, Plot&& plot) {
    const int dx = std::abs(b.x - a.x), sx = a.x < b.x ? 1 : -1;
    const int dy = -std::abs(b.y - a.y), sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    int x = a.x, y = a.y;
    while (x != b.x || y != b.y) {
        plot(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
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

void LinePixels(Point a, Point b, QPolygon& out) {
    WalkLine(a, b, [&](int x, int y) { out.append(QPoint(x, y)); });
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

QRect PainterDevice::DeviceRect(const DrawState& s, const Rect& r) const {
    const Point a = s.mapping.ToDevice(Point{r.left, r.top});
    const Point b = s.mapping.ToDevice(Point{r.right, r.bottom});
    return QRect(QPoint(std::min(a.x, b.x), std::min(a.y, b.y)),
                 QSize(std::abs(b.x - a.x), std::abs(b.y - a.y)));
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
    const Point da = s.mapping.ToDevice(a), db = s.mapping.ToDevice(b);
    if (m_raster && ThinSolid(s)) {
        QPolygon pixels;
        LinePixels(da, db, pixels);
        PlotPixels(s, pixels, s.pen.color);
    } else {
        m_painter->setPen(PenOf(s));
        m_painter->drawLine(ToQ(da), ToQ(db));
    }
}

void PainterDevice::Polyline(const DrawState& s, const Point* points, std::size_t count) {
    if (!m_painter->isActive() || s.pen.style == PenStyle::Null || count == 0)
        return;
    Begin(s);
    const QPolygon poly = DevicePolygon(s, points, count);
    if (m_raster && ThinSolid(s)) {
        QPolygon pixels;
        for (qsizetype i = 1; i < poly.size(); ++i)
            LinePixels(FromQ(poly[i - 1]), FromQ(poly[i]), pixels);
        if (poly.size() > 1)
            pixels.append(poly.back());
        PlotPixels(s, pixels, s.pen.color);
    } else if (poly.size() > 1) {
        m_painter->setPen(PenOf(s));
        m_painter->drawPolyline(poly);
    }
}

void PainterDevice::Rectangle(const DrawState& s, const Rect& r) {
    if (!m_painter->isActive())
        return;
    Begin(s);
    const QRect box = DeviceRect(s, r);
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
    const QRect box = DeviceRect(s, r);
    if (box.width() < 1 || box.height() < 1)
        return;
    m_painter->setPen(PenOf(s));
    m_painter->setBrush(s.brush.hollow ? QBrush(Qt::NoBrush) : QBrush(ToQ(s.brush.color)));
    m_painter->drawEllipse(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1));
}

void PainterDevice::Arc(const DrawState& s, ArcKind kind, const Rect& r, Point start, Point end) {
    if (!m_painter->isActive())
        return;
    Begin(s);
    const QRect box = DeviceRect(s, r);
    if (box.width() < 1 || box.height() < 1)
        return;
    const QRect drawn(box.left(), box.top(), box.width() - 1, box.height() - 1);
    const QRectF geometry(box);
    const double a0 = ParametricAngle(geometry, ToQ(s.mapping.ToDevice(start)));
    const double a1 = ParametricAngle(geometry, ToQ(s.mapping.ToDevice(end)));
    double span = a1 - a0;
    while (span <= 0)
        span += 360;
    const int from16 = static_cast<int>(std::lround(a0 * 16));
    const int span16 = static_cast<int>(std::lround(span * 16));
    m_painter->setPen(PenOf(s));
    m_painter->setBrush(s.brush.hollow ? QBrush(Qt::NoBrush) : QBrush(ToQ(s.brush.color)));
    switch (kind) {
    case ArcKind::Arc: m_painter->drawArc(drawn, from16, span16); break;
    case ArcKind::Pie: m_painter->drawPie(drawn, from16, span16); break;
    case ArcKind::Chord: m_painter->drawChord(drawn, from16, span16); break;
    }
}

void PainterDevice::Polygon(const DrawState& s, const Point* points, std::size_t count, FillMode mode) {
    if (!m_painter->isActive())
        return;
    Begin(s);
    m_painter->setPen(PenOf(s));
    m_painter->setBrush(s.brush.hollow ? QBrush(Qt::NoBrush) : QBrush(ToQ(s.brush.color)));
    m_painter->drawPolygon(DevicePolygon(s, points, count),
                           mode == FillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
}

void PainterDevice::FillRect(const DrawState& s, const Rect& r, Color color) {
    if (!m_painter->isActive())
        return;
    Begin(s);
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter->fillRect(DeviceRect(s, r), ToQ(color));
}

void PainterDevice::FillRegion(const DrawState& s, const Region& region, Color color) {
    if (!m_painter->isActive())
        return;
    Begin(s);
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter->setPen(Qt::NoPen);
    m_painter->setBrush(ToQ(color));
    m_painter->drawPolygon(DevicePolygon(s, region.polygon.data(), region.polygon.size()),
                           region.mode == FillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
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
    const QRect box = DeviceRect(s, r);
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
    const bool identity = s.mapping.IsIdentity();
    Point prev = identity ? points[0] : s.mapping.ToDevice(points[0]);
    for (std::size_t i = 1; i < count; ++i) {
        const Point next = identity ? points[i] : s.mapping.ToDevice(points[i]);
        WalkLine(prev, next, write);
        prev = next;
    }
    if (count > 1)
        write(prev.x, prev.y);
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
