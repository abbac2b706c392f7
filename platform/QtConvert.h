#pragma once
// Conversions between the layer's value types and Qt's; included only by the layer's
// own .cpp files, never by a public header.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <string>

#include "platform/DC.h"

namespace plat {

inline QString ToQ(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
inline std::string FromQ(const QString& text) { return text.toUtf8().toStdString(); }
inline QColor ToQ(Color c) { return QColor(c.r, c.g, c.b); }
inline Color FromQ(const QColor& c) { return Color(c.red(), c.green(), c.blue()); }
inline QPoint ToQ(Point p) { return QPoint(p.x, p.y); }
inline Point FromQ(const QPoint& p) { return Point{p.x(), p.y()}; }
// A rectangle whose right and bottom are one past the last pixel.
inline QRect ToQ(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
inline Rect FromQ(const QRect& r) { return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// The face that stands in for a requested one.
QString MapFontFace(const std::string& face);
// The Qt font of a logical font, sized so that its pixel heights follow the logical font.
QFont ToQFont(const LogFont& font);

struct Image::Impl {
    QImage image;
};

} // namespace plat
