#include "platform/DC.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/QtConvert.h"

namespace plat {

// ---- Image -------------------------------------------------------------------------------

Image::Image() : m_impl(std::make_unique<Impl>()) {}

Image::Image(int width, int height, Color fill) : m_impl(std::make_unique<Impl>()) {
    if (width > 0 && height > 0) {
        m_impl->image = QImage(width, height, QImage::Format_RGB32);
        m_impl->image.fill(ToQ(fill));
    }
}

Image::~Image() = default;
Image::Image(const Image& other) : m_impl(std::make_unique<Impl>(*other.m_impl)) {}
Image& Image::operator=(const Image& other) {
    *m_impl = *other.m_impl;
    return *this;
}
Image::Image(Image&&) noexcept = default;
Image& Image::operator=(Image&&) noexcept = default;

int Image::Width() const { return m_impl->image.width(); }
int Image::Height() const { return m_impl->image.height(); }
bool Image::IsNull() const { return m_impl->image.isNull(); }

Color Image::Pixel(int x, int y) const {
    if (!m_impl->image.valid(x, y))
        return Colors::Black;
    return FromQ(QColor(m_impl->image.pixel(x, y)));
}

void Image::Fill(Color color) {
    if (!m_impl->image.isNull())
        m_impl->image.fill(ToQ(color));
}

bool Image::SavePng(const std::string& path) const {
    return !m_impl->image.isNull() && m_impl->image.save(ToQ(path), "PNG");
}

// ---- Fonts -------------------------------------------------------------------------------

QString MapFontFace(const std::string& face) {
    if (face.empty() || face == "Arial" || face == "MS Sans Serif" || face == "Helvetica")
        return QStringLiteral("Liberation Sans");
    if (face == "Times New Roman")
        return QStringLiteral("Liberation Serif");
    if (face == "Courier New" || face == "Courier")
        return QStringLiteral("Liberation Mono");
    return ToQ(face);
}

namespace {
constexpr int kDefaultFontPixels = 13;
}

QFont ToQFont(const LogFont& font) {
    QFont f(MapFontFace(font.face));
    f.setStyleHint(QFont::SansSerif);
    f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::NoAntialias);
    if (font.height < 0) {
        f.setPixelSize(-font.height);
    } else if (font.height > 0) {
        // Cell height: pick the pixel size whose ascent + descent comes nearest.
        int size = font.height;
        for (int i = 0; i < 4 && size > 1; ++i) {
            f.setPixelSize(size);
            const QFontMetrics m(f);
            const int cell = m.ascent() + m.descent();
            if (cell <= font.height)
                break;
            size = std::max(1, size * font.height / cell);
            if (size == f.pixelSize())
                --size;
        }
        f.setPixelSize(std::max(1, size));
    } else {
        f.setPixelSize(kDefaultFontPixels);
    }
    return f;
}

// ---- DC ----------------------------------------------------------------------------------

struct DC::Impl {
    Image& target;
    QPainter painter;
    Pen pen;
    Brush brush;
    LogFont font;
    QFont qfont;
    unsigned textAlign = TextAlign::Left | TextAlign::Top;
    Color textColor = Colors::Black;
    Color bkColor = Colors::White;
    BkMode bkMode = BkMode::Opaque;
    Rop rop = Rop::CopyPen;
    Point position;
    Point origin;

    explicit Impl(Image& t) : target(t) {
        if (!target.impl().image.isNull()) {
            painter.begin(&target.impl().image);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setRenderHint(QPainter::TextAntialiasing, false);
        }
        qfont = ToQFont(font);
    }

    bool Active() const { return painter.isActive(); }

    QPen QtPen() const {
        if (pen.style == PenStyle::Null)
            return QPen(Qt::NoPen);
        QPen p(ToQ(pen.color));
        // Dashed styles draw only one pixel wide, as classic drawing code expects.
        const bool dashed = pen.style != PenStyle::Solid && pen.style != PenStyle::InsideFrame;
        p.setWidth(dashed ? 1 : std::max(1, pen.width));
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

    QBrush QtBrush() const { return brush.hollow ? QBrush(Qt::NoBrush) : QBrush(ToQ(brush.color)); }

    void Prepare() {
        painter.setCompositionMode(rop == Rop::NotXorPen ? QPainter::RasterOp_NotSourceXorDestination
                                                         : QPainter::CompositionMode_SourceOver);
        painter.setTransform(QTransform::fromTranslate(origin.x, origin.y));
    }

    bool ThinSolid() const {
        return pen.style != PenStyle::Null && pen.width <= 1 &&
               (pen.style == PenStyle::Solid || pen.style == PenStyle::InsideFrame);
    }

    // The pixels of a 1-pixel line from a up to but not including b (Bresenham).
    static void LinePixels(Point a, Point b, QPolygon& out) {
        int dx = std::abs(b.x - a.x), sx = a.x < b.x ? 1 : -1;
        int dy = -std::abs(b.y - a.y), sy = a.y < b.y ? 1 : -1;
        int err = dx + dy;
        int x = a.x, y = a.y;
        while (x != b.x || y != b.y) {
            out.append(QPoint(x, y));
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

    void Line(Point a, Point b) {
        if (ThinSolid()) {
            QPolygon pts;
            LinePixels(a, b, pts);
            painter.setPen(QPen(ToQ(pen.color), 1));
            painter.drawPoints(pts);
        } else if (pen.style != PenStyle::Null) {
            painter.setPen(QtPen());
            painter.drawLine(ToQ(a), ToQ(b));
        }
    }
};

DC::DC(Image& target) : m_impl(std::make_unique<Impl>(target)) {}
DC::~DC() {
    if (m_impl->Active())
        m_impl->painter.end();
}

Pen DC::SelectPen(const Pen& pen) { return std::exchange(m_impl->pen, pen); }
Brush DC::SelectBrush(const Brush& brush) { return std::exchange(m_impl->brush, brush); }
LogFont DC::SelectFont(const LogFont& font) {
    m_impl->qfont = ToQFont(font);
    return std::exchange(m_impl->font, font);
}
const Pen& DC::GetPen() const { return m_impl->pen; }
const Brush& DC::GetBrush() const { return m_impl->brush; }
const LogFont& DC::GetFont() const { return m_impl->font; }
unsigned DC::SetTextAlign(unsigned align) { return std::exchange(m_impl->textAlign, align); }
Color DC::SetTextColor(Color color) { return std::exchange(m_impl->textColor, color); }
Color DC::SetBkColor(Color color) { return std::exchange(m_impl->bkColor, color); }
BkMode DC::SetBkMode(BkMode mode) { return std::exchange(m_impl->bkMode, mode); }
Rop DC::SetROP2(Rop rop) { return std::exchange(m_impl->rop, rop); }
Point DC::MoveTo(Point p) { return std::exchange(m_impl->position, p); }
Point DC::GetCurrentPosition() const { return m_impl->position; }
void DC::SetWindowOrigin(Point origin) { m_impl->origin = origin; }

void DC::LineTo(Point p) {
    if (m_impl->Active()) {
        m_impl->Prepare();
        m_impl->Line(m_impl->position, p);
    }
    m_impl->position = p;
}

void DC::Polyline(const std::vector<Point>& points) {
    if (points.empty())
        return;
    const Point saved = m_impl->position;
    MoveTo(points.front());
    for (std::size_t i = 1; i < points.size(); ++i)
        LineTo(points[i]);
    // The last point is drawn too, and the current position is left alone.
    if (points.size() > 1 && m_impl->Active() && m_impl->ThinSolid())
        m_impl->painter.drawPoint(ToQ(points.back()));
    m_impl->position = saved;
}

void DC::Rectangle(const Rect& r) {
    if (!m_impl->Active() || r.IsEmpty())
        return;
    m_impl->Prepare();
    const bool outlined = m_impl->pen.style != PenStyle::Null;
    const int inset = outlined ? 1 : 0;
    if (!m_impl->brush.hollow && r.Width() > 2 * inset && r.Height() > 2 * inset)
        m_impl->painter.fillRect(QRect(r.left + inset, r.top + inset, r.Width() - 2 * inset,
                                       r.Height() - 2 * inset),
                                 ToQ(m_impl->brush.color));
    if (outlined) {
        m_impl->painter.setPen(m_impl->QtPen());
        m_impl->painter.setBrush(Qt::NoBrush);
        m_impl->painter.drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
    }
}

void DC::Ellipse(const Rect& r) {
    if (!m_impl->Active() || r.IsEmpty())
        return;
    m_impl->Prepare();
    m_impl->painter.setPen(m_impl->QtPen());
    m_impl->painter.setBrush(m_impl->QtBrush());
    m_impl->painter.drawEllipse(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
}

void DC::FillRect(const Rect& r, Color color) {
    if (!m_impl->Active() || r.IsEmpty())
        return;
    m_impl->Prepare();
    m_impl->painter.fillRect(ToQ(r), ToQ(color));
}

void DC::Polygon(const std::vector<Point>& points, FillMode mode) {
    if (!m_impl->Active() || points.size() < 2)
        return;
    m_impl->Prepare();
    QPolygon poly;
    for (const Point& p : points)
        poly.append(ToQ(p));
    m_impl->painter.setPen(m_impl->QtPen());
    m_impl->painter.setBrush(m_impl->QtBrush());
    m_impl->painter.drawPolygon(poly, mode == FillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
}

void DC::SetPixel(Point p, Color color) {
    if (!m_impl->Active())
        return;
    m_impl->Prepare();
    m_impl->painter.setPen(QPen(ToQ(color), 1));
    m_impl->painter.drawPoint(ToQ(p));
}

Color DC::GetPixel(Point p) const {
    return m_impl->target.Pixel(p.x + m_impl->origin.x, p.y + m_impl->origin.y);
}

void DC::TextOut(Point p, const std::string& utf8) {
    if (!m_impl->Active() || utf8.empty())
        return;
    m_impl->Prepare();
    QPainter& pt = m_impl->painter;
    pt.setFont(m_impl->qfont);
    const QFontMetrics m(m_impl->qfont);
    const QString text = ToQ(utf8);
    const int width = m.horizontalAdvance(text);
    const int h = m_impl->textAlign & TextAlign::HorizontalMask;
    const int v = m_impl->textAlign & TextAlign::VerticalMask;
    const int x0 = h == static_cast<int>(TextAlign::Right)    ? -width
                   : h == static_cast<int>(TextAlign::Center) ? -width / 2
                                                              : 0;
    const int baseline = v == static_cast<int>(TextAlign::Baseline) ? 0
                         : v == static_cast<int>(TextAlign::Bottom) ? -m.descent()
                                                                    : m.ascent();
    pt.translate(p.x, p.y);
    if (m_impl->font.escapement != 0)
        pt.rotate(-m_impl->font.escapement / 10.0);
    if (m_impl->bkMode == BkMode::Opaque)
        pt.fillRect(QRect(x0, baseline - m.ascent(), width, m.ascent() + m.descent()),
                    ToQ(m_impl->bkColor));
    pt.setPen(ToQ(m_impl->textColor));
    pt.drawText(QPoint(x0, baseline), text);
}

Size DC::GetTextExtent(const std::string& utf8) const {
    const QFontMetrics m(m_impl->qfont);
    return Size{m.horizontalAdvance(ToQ(utf8)), m.ascent() + m.descent()};
}

TextMetrics DC::GetTextMetrics() const {
    const QFontMetrics m(m_impl->qfont);
    return TextMetrics{m.ascent() + m.descent(), m.ascent(), m.descent(), m.leading(),
                       m.averageCharWidth()};
}

int DC::GetDeviceCaps(int index) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QImage& img = m_impl->target.impl().image;
    switch (index) {
    case DevCap::HorzRes: return screen ? screen->geometry().width() : img.width();
    case DevCap::VertRes: return screen ? screen->geometry().height() : img.height();
    case DevCap::HorzSize:
        return screen ? static_cast<int>(std::lround(screen->physicalSize().width())) : img.widthMM();
    case DevCap::VertSize:
        return screen ? static_cast<int>(std::lround(screen->physicalSize().height())) : img.heightMM();
    case DevCap::LogPixelsX: return screen ? static_cast<int>(screen->logicalDotsPerInchX()) : 96;
    case DevCap::LogPixelsY: return screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
    default: return 0;
    }
}

bool PolygonContains(const std::vector<Point>& polygon, Point p, FillMode mode) {
    QPolygon poly;
    for (const Point& q : polygon)
        poly.append(ToQ(q));
    return poly.containsPoint(ToQ(p), mode == FillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
}

} // namespace plat
