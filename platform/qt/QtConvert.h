#pragma once
// Conversions between the layer's value types and Qt's; included only by the layer's
// own .cpp files, never by a public header.

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QList>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <memory>
#include <string>
#include <unordered_map>

#include "platform/DC.h"

namespace plat {

inline QString ToQ(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
inline std::string FromQ(const QString& text) { return text.toUtf8().toStdString(); }
inline QColor ToQ(Color c) { return QColor(c.r, c.g, c.b); }
inline Color FromQ(const QColor& c) { return Color(c.red(), c.green(), c.blue()); }
inline QPoint ToQ(Point p) { return QPoint(p.x, p.y); }
inline Point FromQ(const QPoint& p) { return Point{p.x(), p.y()}; }
// The key of a virtual key code; digits and capitals share their codes.
inline int QtKeyOf(int vkey) {
    switch (vkey) {
    case VKey::PageUp: return Qt::Key_PageUp;
    case VKey::PageDown: return Qt::Key_PageDown;
    case VKey::End: return Qt::Key_End;
    case VKey::Home: return Qt::Key_Home;
    case VKey::Up: return Qt::Key_Up;
    case VKey::Down: return Qt::Key_Down;
    case VKey::Delete: return Qt::Key_Delete;
    case VKey::Escape: return Qt::Key_Escape;
    case VKey::Return: return Qt::Key_Return;
    case VKey::F1: return Qt::Key_F1;
    default: return vkey;
    }
}
// A rectangle whose right and bottom are one past the last pixel.
inline QRect ToQ(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
inline Rect FromQ(const QRect& r) { return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// Text for drawing: UTF-8 when the bytes form it, otherwise one character per byte
// (Latin-1), so that single-byte texts of old files keep their degree signs.
QString ToQText(const std::string& text);

// The face that stands in for a requested one.
QString MapFontFace(const std::string& face);
// The Qt font of a logical font, sized so that its pixel heights follow the logical font.
QFont ToQFont(const LogFont& font);

// A text laid out in a font once: its glyphs (possibly from several faces) and its width.
struct TextShape {
    QList<QGlyphRun> runs;
    int width = 0;
    qreal ascent = 0;  // of the laid-out line: the glyphs' baseline below its top
};

// A logical font made once and kept with its metrics and the texts recently laid out in it;
// text is measured and drawn from the same layout.
struct FontEntry {
    LogFont logFont;
    QFont font;
    QFontMetrics metrics;
    const TextShape& Shape(const std::string& text) const;
    mutable std::unordered_map<std::string, TextShape> shapes;
};
std::shared_ptr<const FontEntry> FontFor(const LogFont& font);

struct Image::Impl {
    QImage image;  // device pixels; its device pixel ratio is the image's scale
    int scale = 1;
};

// The capabilities of the primary screen (window, memory and screen contexts answer with
// them).
DeviceCaps ScreenCaps();

} // namespace plat
