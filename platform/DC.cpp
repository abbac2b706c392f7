#include "platform/DC.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>
#include <QPolygon>
#include <QScreen>
#include <QStringDecoder>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/Clip.h"
#include "platform/qt/PainterDevice.h"
#include "platform/qt/QtConvert.h"

namespace plat {

// ---- Image -------------------------------------------------------------------------------

Image::Image() : m_impl(std::make_unique<Impl>()) {}

Image::Image(int width, int height, Color fill, int scale) : m_impl(std::make_unique<Impl>()) {
    scale = std::clamp(scale, 1, 4);
    // Bitmaps larger than this are refused (a null image) rather than allocated.
    constexpr int kMaxSide = 32767;
    if (width > 0 && height > 0 && width <= kMaxSide / scale && height <= kMaxSide / scale) {
        m_impl->image = QImage(width * scale, height * scale, QImage::Format_RGB32);
        m_impl->image.setDevicePixelRatio(scale);
        m_impl->image.fill(ToQ(fill));
        m_impl->scale = scale;
    }
}

Image::~Image() = default;
Image::Image(const Image& other) : m_impl(std::make_unique<Impl>()) { *this = other; }
Image& Image::operator=(const Image& other) {
    if (this != &other) {
        m_impl->image = other.m_impl->image.copy();
        m_impl->image.setDevicePixelRatio(other.m_impl->scale);
        m_impl->scale = other.m_impl->scale;
    }
    return *this;
}
Image::Image(Image&&) noexcept = default;
Image& Image::operator=(Image&&) noexcept = default;

int Image::Width() const { return m_impl->image.width() / m_impl->scale; }
int Image::Height() const { return m_impl->image.height() / m_impl->scale; }
int Image::Scale() const { return m_impl->scale; }
bool Image::IsNull() const { return m_impl->image.isNull(); }

Color Image::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return Colors::Black;
    return DevicePixel(x * m_impl->scale, y * m_impl->scale);
}

Color Image::DevicePixel(int x, int y) const {
    if (!m_impl->image.valid(x, y))
        return Colors::Black;
    return FromQ(QColor(m_impl->image.pixel(x, y)));
}

bool Image::SamePixels(const Image& other) const {
    const QImage& a = m_impl->image;
    const QImage& b = other.m_impl->image;
    if (m_impl->scale != other.m_impl->scale || a.size() != b.size())
        return false;
    // Compared as 32-bit words whatever the formats the pictures were made in.
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

std::pair<int, int> Image::RowsNotOf(Color background) const {
    const QImage& image = m_impl->image;
    if (image.isNull())
        return {0, 0};
    // Read as 32-bit words whatever the format the picture was made or loaded in.
    const QImage rgb = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32 ||
                               image.format() == QImage::Format_ARGB32_Premultiplied
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    const QRgb bg = ToQ(background).rgb() & 0xFFFFFFu;
    int first = -1, last = -1;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if ((row[x] & 0xFFFFFFu) != bg) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
    }
    if (first < 0)
        return {0, 0};
    const int scale = std::max(1, m_impl->scale);
    return {first / scale, last / scale + 1};
}

void Image::Fill(Color color) {
    if (!m_impl->image.isNull())
        m_impl->image.fill(ToQ(ResolveColor(color, DefaultPalette())));
}

bool Image::SavePng(const std::string& path) const {
    return !m_impl->image.isNull() && m_impl->image.save(ToQ(path), "PNG");
}

Image Image::FromResource(int id) {
    Image result;
    QImage loaded(QStringLiteral(":/bitmaps/%1.png").arg(id));
    // Tool-bar pictures keep their transparency.
    if (!loaded.isNull())
        result.m_impl->image = loaded.convertToFormat(loaded.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                               : QImage::Format_RGB32);
    return result;
}

// ---- Colours -----------------------------------------------------------------------------

const Palette& DefaultPalette() {
    static const Palette palette{
        Color(0, 0, 0),       Color(128, 0, 0),     Color(0, 128, 0),     Color(128, 128, 0),
        Color(0, 0, 128),     Color(128, 0, 128),   Color(0, 128, 128),   Color(192, 192, 192),
        Color(128, 128, 128), Color(255, 0, 0),     Color(0, 255, 0),     Color(255, 255, 0),
        Color(0, 0, 255),     Color(255, 0, 255),   Color(0, 255, 255),   Color(255, 255, 255),
        Color(255, 128, 0),   Color(128, 64, 0),    Color(128, 192, 255), Color(255, 160, 192)};
    return palette;
}

Color ResolveColor(Color color, const Palette& palette) {
    if (!color.IsPaletteIndex())
        return color;
    const Palette& p = palette.empty() ? DefaultPalette() : palette;
    const std::size_t i = static_cast<std::size_t>(color.paletteIndex);
    Color c = i < p.size() ? p[i] : p.front();
    c.paletteIndex = -1;
    return c;
}

Color GetSysColor(SysColor which) {
    const QPalette pal = QGuiApplication::palette();
    auto of = [&](QPalette::ColorRole role) { return FromQ(pal.color(QPalette::Active, role)); };
    switch (which) {
    case SysColor::Window: return of(QPalette::Base);
    case SysColor::WindowText: return of(QPalette::Text);
    case SysColor::Face3D: return of(QPalette::Button);
    case SysColor::Shadow3D: return of(QPalette::Dark);
    case SysColor::Highlight3D: return of(QPalette::Light);
    case SysColor::Highlight: return of(QPalette::Highlight);
    case SysColor::HighlightText: return of(QPalette::HighlightedText);
    case SysColor::AppWorkspace: return of(QPalette::Mid);
    case SysColor::GrayText: return FromQ(pal.color(QPalette::Disabled, QPalette::Text));
    }
    return Colors::White;
}

// ---- Capabilities and mapping ------------------------------------------------------------

int DeviceCaps::Get(int index) const {
    switch (index) {
    case DevCap::HorzSize: return horzSizeMm;
    case DevCap::VertSize: return vertSizeMm;
    case DevCap::HorzRes: return horzRes;
    case DevCap::VertRes: return vertRes;
    case DevCap::LogPixelsX: return logPixelsX;
    case DevCap::LogPixelsY: return logPixelsY;
    default: return 0;
    }
}

DeviceCaps ScreenCaps() {
    DeviceCaps caps{270, 203, 1024, 768, 96, 96};
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        caps.horzRes = screen->geometry().width();
        caps.vertRes = screen->geometry().height();
        caps.horzSizeMm = static_cast<int>(std::lround(screen->physicalSize().width()));
        caps.vertSizeMm = static_cast<int>(std::lround(screen->physicalSize().height()));
        caps.logPixelsX = static_cast<int>(std::lround(screen->logicalDotsPerInchX()));
        caps.logPixelsY = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
        // A screen that does not know its size is taken at its logical density.
        if (caps.horzSizeMm <= 0 && caps.logPixelsX > 0)
            caps.horzSizeMm = caps.horzRes * 254 / (10 * caps.logPixelsX);
        if (caps.vertSizeMm <= 0 && caps.logPixelsY > 0)
            caps.vertSizeMm = caps.vertRes * 254 / (10 * caps.logPixelsY);
    }
    return caps;
}

namespace {
// The isotropic mode shrinks the larger viewport scale to the smaller one, keeping signs.
Size EffectiveViewportExt(const Mapping& m) {
    if (m.mode != MapMode::Isotropic || m.windowExt.cx == 0 || m.windowExt.cy == 0)
        return m.viewportExt;
    const double sx = std::abs(static_cast<double>(m.viewportExt.cx) / m.windowExt.cx);
    const double sy = std::abs(static_cast<double>(m.viewportExt.cy) / m.windowExt.cy);
    Size v = m.viewportExt;
    if (sx > sy)
        v.cx = static_cast<int>(std::lround((v.cx < 0 ? -1 : 1) * sy * std::abs(m.windowExt.cx)));
    else if (sy > sx)
        v.cy = static_cast<int>(std::lround((v.cy < 0 ? -1 : 1) * sx * std::abs(m.windowExt.cy)));
    return v;
}
bool Scaled(const Mapping& m) { return m.mode == MapMode::Isotropic || m.mode == MapMode::Anisotropic; }
} // namespace

double Mapping::ScaleX() const {
    if (!Scaled(*this) || windowExt.cx == 0)
        return 1.0;
    return static_cast<double>(EffectiveViewportExt(*this).cx) / windowExt.cx;
}

double Mapping::ScaleY() const {
    if (!Scaled(*this) || windowExt.cy == 0)
        return 1.0;
    return static_cast<double>(EffectiveViewportExt(*this).cy) / windowExt.cy;
}

bool Mapping::IsIdentity() const {
    return windowOrg == viewportOrg && (!Scaled(*this) || (ScaleX() == 1.0 && ScaleY() == 1.0));
}

Point Mapping::ToDevice(Point p) const { return SaturatedPoint(DevicePixel(*this, p)); }

Point Mapping::ToLogical(Point p) const {
    if (!Scaled(*this))
        return Point{p.x - viewportOrg.x + windowOrg.x, p.y - viewportOrg.y + windowOrg.y};
    const double sx = ScaleX(), sy = ScaleY();
    return Point{static_cast<int>(std::lround((p.x - viewportOrg.x) / (sx != 0 ? sx : 1))) + windowOrg.x,
                 static_cast<int>(std::lround((p.y - viewportOrg.y) / (sy != 0 ? sy : 1))) + windowOrg.y};
}

Region Region::FromRect(const Rect& r) {
    return Region{{{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}},
                  FillMode::Alternate};
}

bool Region::Contains(Point p) const { return PolygonContains(polygon, p, mode); }

bool PolygonContains(const std::vector<Point>& polygon, Point p, FillMode mode) {
    QPolygon poly;
    poly.reserve(static_cast<qsizetype>(polygon.size()));
    for (const Point& q : polygon)
        poly.append(ToQ(q));
    return poly.containsPoint(ToQ(p), mode == FillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
}

// ---- Text --------------------------------------------------------------------------------

QString ToQText(const std::string& text) {
    bool ascii = true;
    for (const char c : text)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString s = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (utf8.hasError())
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    return s;
}

char32_t SymbolCodePoint(unsigned char c) {
    // Latin letters in the order of their Greek counterparts.
    static const char32_t upper[26] = {0x391, 0x392, 0x3A7, 0x394, 0x395, 0x3A6, 0x393, 0x397, 0x399,
                                       0x3D1, 0x39A, 0x39B, 0x39C, 0x39D, 0x39F, 0x3A0, 0x398, 0x3A1,
                                       0x3A3, 0x3A4, 0x3A5, 0x3C2, 0x3A9, 0x39E, 0x3A8, 0x396};
    static const char32_t lower[26] = {0x3B1, 0x3B2, 0x3C7, 0x3B4, 0x3B5, 0x3C6, 0x3B3, 0x3B7, 0x3B9,
                                       0x3D5, 0x3BA, 0x3BB, 0x3BC, 0x3BD, 0x3BF, 0x3C0, 0x3B8, 0x3C1,
                                       0x3C3, 0x3C4, 0x3C5, 0x3D6, 0x3C9, 0x3BE, 0x3C8, 0x3B6};
    if (c >= 'A' && c <= 'Z')
        return upper[c - 'A'];
    if (c >= 'a' && c <= 'z')
        return lower[c - 'a'];
    switch (c) {
    case 0x22: return 0x2200;  // for all
    case 0x24: return 0x2203;  // there exists
    case 0x27: return 0x220B;  // contains as member
    case 0x2A: return 0x2217;  // asterisk operator
    case 0x2D: return 0x2212;  // minus
    case 0x40: return 0x2245;  // approximately equal
    case 0x5C: return 0x2234;  // therefore
    case 0x5E: return 0x22A5;  // perpendicular
    case 0x7E: return 0x223C;  // tilde operator
    case 0xA1: return 0x3D2;
    case 0xA2: return 0x2032;  // prime
    case 0xA3: return 0x2264;  // less or equal
    case 0xA4: return 0x2044;  // fraction slash
    case 0xA5: return 0x221E;  // infinity
    case 0xA6: return 0x192;
    case 0xA7: return 0x2663;
    case 0xA8: return 0x2666;
    case 0xA9: return 0x2665;
    case 0xAA: return 0x2660;
    case 0xAB: return 0x2194;
    case 0xAC: return 0x2190;
    case 0xAD: return 0x2191;
    case 0xAE: return 0x2192;
    case 0xAF: return 0x2193;
    case 0xB0: return 0xB0;    // degree
    case 0xB1: return 0xB1;    // plus-minus
    case 0xB2: return 0x2033;  // double prime
    case 0xB3: return 0x2265;  // greater or equal
    case 0xB4: return 0xD7;    // times
    case 0xB5: return 0x221D;  // proportional
    case 0xB6: return 0x2202;  // partial
    case 0xB7: return 0x2022;  // bullet
    case 0xB8: return 0xF7;    // divide
    case 0xB9: return 0x2260;  // not equal
    case 0xBA: return 0x2261;  // identical
    case 0xBB: return 0x2248;  // almost equal
    case 0xBC: return 0x2026;  // ellipsis
    case 0xC0: return 0x2135;
    case 0xC4: return 0x2297;
    case 0xC5: return 0x2295;
    case 0xC6: return 0x2205;  // empty set
    case 0xC7: return 0x2229;
    case 0xC8: return 0x222A;
    case 0xC9: return 0x2283;
    case 0xCA: return 0x2287;
    case 0xCB: return 0x2284;
    case 0xCC: return 0x2282;
    case 0xCD: return 0x2286;
    case 0xCE: return 0x2208;
    case 0xCF: return 0x2209;
    case 0xD0: return 0x2220;  // angle
    case 0xD1: return 0x2207;  // nabla
    case 0xD2: return 0xAE;
    case 0xD3: return 0xA9;
    case 0xD4: return 0x2122;
    case 0xD5: return 0x220F;  // product
    case 0xD6: return 0x221A;  // square root
    case 0xD7: return 0x22C5;  // dot operator
    case 0xD8: return 0xAC;    // not
    case 0xD9: return 0x2227;
    case 0xDA: return 0x2228;
    case 0xDB: return 0x21D4;
    case 0xDC: return 0x21D0;
    case 0xDD: return 0x21D1;
    case 0xDE: return 0x21D2;
    case 0xDF: return 0x21D3;
    case 0xE0: return 0x25CA;
    case 0xE5: return 0x2211;  // sum
    case 0xF2: return 0x222B;  // integral
    default: return c;
    }
}

std::string SymbolToUnicode(const std::string& text) {
    const QString decoded = ToQText(text);
    QString out;
    out.reserve(decoded.size());
    for (const QChar ch : decoded) {
        if (ch.unicode() < 256) {
            const char32_t cp = SymbolCodePoint(static_cast<unsigned char>(ch.unicode()));
            out += QString::fromUcs4(&cp, 1);
        } else {
            out += ch;
        }
    }
    return FromQ(out);
}

// ---- Fonts -------------------------------------------------------------------------------

QString MapFontFace(const std::string& face) {
    if (face.empty() || face == "Arial" || face == "MS Sans Serif" || face == "Helvetica" ||
        face == "Symbol")
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
        f.setPixelSize(std::min(-font.height, 4000));
    } else if (font.height > 0) {
        // Cell height: pick the pixel size whose ascent + descent comes nearest.
        const int wanted = std::min(font.height, 4000);
        int size = wanted;
        for (int i = 0; i < 4 && size > 1; ++i) {
            f.setPixelSize(size);
            const QFontMetrics m(f);
            const int cell = m.ascent() + m.descent();
            if (cell <= wanted)
                break;
            size = std::max(1, size * wanted / cell);
            if (size == f.pixelSize())
                --size;
        }
        f.setPixelSize(std::max(1, size));
    } else {
        f.setPixelSize(kDefaultFontPixels);
    }
    return f;
}

std::shared_ptr<const FontEntry> FontFor(const LogFont& font) {
    // A few recent fonts, the latest first; drawing code switches among a handful.
    static std::vector<std::shared_ptr<const FontEntry>> cache;
    for (std::size_t i = 0; i < cache.size(); ++i)
        if (cache[i]->logFont == font) {
            std::rotate(cache.begin(), cache.begin() + static_cast<std::ptrdiff_t>(i),
                        cache.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            return cache.front();
        }
    QFont qfont = ToQFont(font);
    auto entry = std::make_shared<const FontEntry>(FontEntry{font, qfont, QFontMetrics(qfont), {}});
    constexpr std::size_t kKept = 24;
    if (cache.size() >= kKept)
        cache.pop_back();
    cache.insert(cache.begin(), entry);
    return entry;
}

const TextShape& FontEntry::Shape(const std::string& text) const {
    const auto found = shapes.find(text);
    if (found != shapes.end())
        return found->second;
    // Labels repeat from paint to paint; a font keeps the latest few hundred.
    constexpr std::size_t kKeptShapes = 512;
    if (shapes.size() >= kKeptShapes)
        shapes.clear();
    const QString qtext = ToQText(text);
    TextShape shape;
    shape.width = metrics.horizontalAdvance(qtext);
    QTextLayout layout(qtext, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (line.isValid()) {
        shape.runs = layout.glyphRuns();
        shape.ascent = line.ascent();
        // Decorations of glyph runs land away from the text (offset twice by the run's
        // position, and off the image at a scale factor above 1): the devices draw underlines
        // themselves, attached to the text.
        for (QGlyphRun& run : shape.runs)
            run.setUnderline(false);
    }
    return shapes.emplace(text, std::move(shape)).first->second;
}

// ---- DC ----------------------------------------------------------------------------------

struct DC::Impl {
    std::unique_ptr<Device> owned;
    Device* device;
    // What the caller selected (colours possibly palette indices) and the resolved state.
    struct Selected {
        Pen pen;
        Brush brush;
        Color textColor = Colors::Black;
        Color bkColor = Colors::White;
        Palette palette;
        Point position;
        DrawState state;
    };
    Selected sel;
    std::vector<Selected> saved;
    std::shared_ptr<const FontEntry> font;

    explicit Impl(Device& d) : device(&d) { font = FontFor(sel.state.font); }
    explicit Impl(std::unique_ptr<Device> d) : owned(std::move(d)), device(owned.get()) {
        font = FontFor(sel.state.font);
    }

    const Palette& Pal() const { return sel.palette; }
    void Resolve() {
        sel.state.pen = sel.pen;
        sel.state.pen.color = ResolveColor(sel.pen.color, Pal());
        sel.state.brush = sel.brush;
        sel.state.brush.color = ResolveColor(sel.brush.color, Pal());
        sel.state.textColor = ResolveColor(sel.textColor, Pal());
        sel.state.bkColor = ResolveColor(sel.bkColor, Pal());
    }
    Color Res(Color c) const { return ResolveColor(c, Pal()); }
    const DrawState& S() const { return sel.state; }

    // The text as drawn and its run relative to the reference point.
    TextRun Place(Point p, const std::string& utf8) const {
        TextRun run;
        run.at = p;
        run.text = sel.state.font.face == "Symbol" ? SymbolToUnicode(utf8) : utf8;
        const QFontMetrics& m = font->metrics;
        run.width = font->Shape(run.text).width;
        run.ascent = m.ascent();
        run.descent = m.descent();
        const unsigned h = sel.state.textAlign & TextAlign::HorizontalMask;
        const unsigned v = sel.state.textAlign & TextAlign::VerticalMask;
        run.x0 = h == TextAlign::Right ? -run.width : h == TextAlign::Center ? -run.width / 2 : 0;
        run.baseline = v == TextAlign::Baseline ? 0 : v == TextAlign::Bottom ? -run.descent : run.ascent;
        return run;
    }
};

DC::DC(Image& target) : m_impl(std::make_unique<Impl>(std::make_unique<ImageDevice>(target))) {}
DC::DC(Device& device) : m_impl(std::make_unique<Impl>(device)) {}
DC::DC(std::unique_ptr<Device> device) : m_impl(std::make_unique<Impl>(std::move(device))) {}
DC::~DC() = default;

Pen DC::SelectPen(const Pen& pen) {
    Pen old = std::exchange(m_impl->sel.pen, pen);
    m_impl->sel.state.pen = pen;
    m_impl->sel.state.pen.color = m_impl->Res(pen.color);
    return old;
}
Brush DC::SelectBrush(const Brush& brush) {
    Brush old = std::exchange(m_impl->sel.brush, brush);
    m_impl->sel.state.brush = brush;
    m_impl->sel.state.brush.color = m_impl->Res(brush.color);
    return old;
}
LogFont DC::SelectFont(const LogFont& font) {
    m_impl->font = FontFor(font);
    return std::exchange(m_impl->sel.state.font, font);
}
Palette DC::SelectPalette(const Palette& palette) {
    Palette old = std::exchange(m_impl->sel.palette, palette);
    m_impl->Resolve();
    return old;
}
const Pen& DC::GetPen() const { return m_impl->sel.pen; }
const Brush& DC::GetBrush() const { return m_impl->sel.brush; }
const LogFont& DC::GetFont() const { return m_impl->sel.state.font; }
const Palette& DC::GetPalette() const { return m_impl->sel.palette; }
unsigned DC::SetTextAlign(unsigned align) { return std::exchange(m_impl->sel.state.textAlign, align); }
unsigned DC::GetTextAlign() const { return m_impl->sel.state.textAlign; }
Color DC::SetTextColor(Color color) {
    m_impl->sel.state.textColor = m_impl->Res(color);
    return std::exchange(m_impl->sel.textColor, color);
}
Color DC::SetBkColor(Color color) {
    m_impl->sel.state.bkColor = m_impl->Res(color);
    return std::exchange(m_impl->sel.bkColor, color);
}
BkMode DC::SetBkMode(BkMode mode) { return std::exchange(m_impl->sel.state.bkMode, mode); }
Rop DC::SetROP2(Rop rop) { return std::exchange(m_impl->sel.state.rop, rop); }
Point DC::MoveTo(Point p) { return std::exchange(m_impl->sel.position, p); }
Point DC::GetCurrentPosition() const { return m_impl->sel.position; }

void DC::LineTo(Point p) {
    m_impl->device->Line(m_impl->S(), m_impl->sel.position, p);
    m_impl->sel.position = p;
}

void DC::Polyline(const std::vector<Point>& points) {
    if (!points.empty())
        m_impl->device->Polyline(m_impl->S(), points.data(), points.size());
}

void DC::Rectangle(const Rect& r) {
    if (!r.IsEmpty())
        m_impl->device->Rectangle(m_impl->S(), r);
}

void DC::Ellipse(const Rect& r) {
    if (!r.IsEmpty())
        m_impl->device->Ellipse(m_impl->S(), r);
}

void DC::Arc(const Rect& box, Point start, Point end) {
    m_impl->device->Arc(m_impl->S(), ArcKind::Arc, box, start, end);
}
void DC::Pie(const Rect& box, Point start, Point end) {
    m_impl->device->Arc(m_impl->S(), ArcKind::Pie, box, start, end);
}
void DC::Chord(const Rect& box, Point start, Point end) {
    m_impl->device->Arc(m_impl->S(), ArcKind::Chord, box, start, end);
}

void DC::FillRect(const Rect& r, Color color) {
    if (!r.IsEmpty())
        m_impl->device->FillRect(m_impl->S(), r, m_impl->Res(color));
}

void DC::Polygon(const std::vector<Point>& points, FillMode mode) {
    if (points.size() >= 2)
        m_impl->device->Polygon(m_impl->S(), points.data(), points.size(), mode);
}

void DC::FillRegion(const Region& region, Color color) {
    if (region.polygon.size() >= 3)
        m_impl->device->FillRegion(m_impl->S(), region, m_impl->Res(color));
}

void DC::SetPixel(Point p, Color color) { m_impl->device->SetPixel(m_impl->S(), p, m_impl->Res(color)); }
Color DC::GetPixel(Point p) const { return m_impl->device->GetPixel(m_impl->S(), p); }
void DC::DrawFocusRect(const Rect& r) {
    if (!r.IsEmpty())
        m_impl->device->FocusRect(m_impl->S(), r);
}

void DC::DrawImage(const Rect& dest, const Image& image) {
    DrawImage(dest, image, Rect{0, 0, image.Width(), image.Height()});
}

void DC::DrawImage(const Rect& dest, const Image& image, const Rect& source) {
    if (!image.IsNull() && !dest.IsEmpty() && !source.IsEmpty())
        m_impl->device->DrawImage(m_impl->S(), dest, image, source);
}

void DC::BitBlt(Point p, const Image& image) {
    DrawImage(Rect{p.x, p.y, p.x + image.Width(), p.y + image.Height()}, image);
}

void DC::TextOut(Point p, const std::string& utf8) {
    if (!utf8.empty())
        m_impl->device->Text(m_impl->S(), m_impl->Place(p, utf8));
}

Size DC::GetTextExtent(const std::string& utf8) const {
    const TextRun run = m_impl->Place(Point{}, utf8);
    return Size{run.width, run.ascent + run.descent};
}

TextMetrics DC::GetTextMetrics() const {
    const QFontMetrics& m = m_impl->font->metrics;
    return TextMetrics{m.ascent() + m.descent(), m.ascent(), m.descent(), m.leading(), m.averageCharWidth()};
}

int DC::GetDeviceCaps(int index) const { return m_impl->device->Caps().Get(index); }

int DC::SaveDC() {
    m_impl->saved.push_back(m_impl->sel);
    return static_cast<int>(m_impl->saved.size());
}

bool DC::RestoreDC(int saved) {
    const int count = static_cast<int>(m_impl->saved.size());
    const int target = saved < 0 ? count + saved + 1 : saved;
    if (target < 1 || target > count)
        return false;
    m_impl->sel = m_impl->saved[static_cast<std::size_t>(target - 1)];
    m_impl->saved.resize(static_cast<std::size_t>(target - 1));
    m_impl->font = FontFor(m_impl->sel.state.font);
    return true;
}

void DC::IntersectClipRect(const Rect& r) {
    m_impl->sel.state.clip.regions.push_back(Region::FromRect(LPtoDP(r)));
}

void DC::SelectClipRect(const Rect& r) {
    m_impl->sel.state.clip.regions.assign(1, Region::FromRect(LPtoDP(r)));
}

void DC::SelectClipRegion(const Region* region) {
    m_impl->sel.state.clip.regions.clear();
    if (region)
        m_impl->sel.state.clip.regions.push_back(*region);
}

Rect DC::GetClipBox() const {
    const DeviceCaps caps = m_impl->device->Caps();
    QRegion clip(0, 0, std::max(0, caps.horzRes), std::max(0, caps.vertRes));
    const Clip& c = m_impl->sel.state.clip;
    if (!c.IsEmpty()) {
        clip = QRegion();
        bool first = true;
        for (const Region& r : c.regions) {
            QPolygon poly;
            for (const Point& p : r.polygon)
                poly.append(ToQ(p));
            const QRegion one(poly, r.mode == FillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
            clip = first ? one : clip.intersected(one);
            first = false;
        }
    }
    return DPtoLP(FromQ(clip.boundingRect()));
}

int DC::SetMapMode(int mode) { return std::exchange(m_impl->sel.state.mapping.mode, mode); }
int DC::GetMapMode() const { return m_impl->sel.state.mapping.mode; }
Point DC::SetWindowOrg(Point origin) { return std::exchange(m_impl->sel.state.mapping.windowOrg, origin); }
Point DC::SetViewportOrg(Point origin) { return std::exchange(m_impl->sel.state.mapping.viewportOrg, origin); }
Size DC::SetWindowExt(Size extent) {
    if (extent.cx == 0 || extent.cy == 0)
        return m_impl->sel.state.mapping.windowExt;
    return std::exchange(m_impl->sel.state.mapping.windowExt, extent);
}
Size DC::SetViewportExt(Size extent) {
    if (extent.cx == 0 || extent.cy == 0)
        return m_impl->sel.state.mapping.viewportExt;
    return std::exchange(m_impl->sel.state.mapping.viewportExt, extent);
}
Point DC::GetWindowOrg() const { return m_impl->sel.state.mapping.windowOrg; }
Point DC::GetViewportOrg() const { return m_impl->sel.state.mapping.viewportOrg; }
Size DC::GetWindowExt() const { return m_impl->sel.state.mapping.windowExt; }
Size DC::GetViewportExt() const { return m_impl->sel.state.mapping.viewportExt; }
Point DC::LPtoDP(Point p) const { return m_impl->sel.state.mapping.ToDevice(p); }
Point DC::DPtoLP(Point p) const { return m_impl->sel.state.mapping.ToLogical(p); }

namespace {
Rect Normalized(Point a, Point b) {
    return Rect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}
} // namespace

Rect DC::LPtoDP(const Rect& r) const {
    return Normalized(LPtoDP(Point{r.left, r.top}), LPtoDP(Point{r.right, r.bottom}));
}
Rect DC::DPtoLP(const Rect& r) const {
    return Normalized(DPtoLP(Point{r.left, r.top}), DPtoLP(Point{r.right, r.bottom}));
}

const DrawState& DC::State() const { return m_impl->S(); }
Device& DC::GetDevice() const { return *m_impl->device; }

MemoryDC::MemoryDC(int width, int height, Color fill)
    : DC(std::make_unique<ImageDevice>(std::max(1, width), std::max(1, height), fill)) {}

Image& MemoryDC::Bitmap() { return static_cast<ImageDevice&>(GetDevice()).Target(); }

ScreenDC::ScreenDC() : DC(std::make_unique<CapsDevice>(ScreenCaps())) {}

} // namespace plat
