#pragma once
// Device contexts: a drawing state (pen, brush, font, text alignment, colours, raster
// operation, current position) over a painter, with the pixel conventions the drawing code
// relies on:
//  - LineTo draws from the current position up to, but not including, the end point, and
//    moves the current position there.
//  - Rectangle, Ellipse and FillRect cover left..right-1 and top..bottom-1; Rectangle and
//    Ellipse outline with the pen and fill the inside with the brush.
//  - A fresh context has a black 1-pixel pen, a white brush, the system font, text aligned
//    left/top, black text on an opaque white background, and the copy raster operation.
//  - With RopNotXor every pixel drawn becomes NOT(pen XOR screen), so drawing the same
//    figure twice restores what was there (rubber bands and markers).
// No antialiasing anywhere: coordinates are whole pixels.

#include <memory>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace plat {

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Null, InsideFrame };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    Color color = Colors::Black;
    bool operator==(const Pen&) const = default;
};

struct Brush {
    bool hollow = false;
    Color color = Colors::White;
    bool operator==(const Brush&) const = default;
};

// A logical font. height < 0: character height in pixels; height > 0: cell height
// (ascent + descent); 0: the default height. "Arial" and "MS Sans Serif" map to a
// metric-compatible sans serif face. escapement is in tenths of a degree,
// counter-clockwise (900 writes upwards).
struct LogFont {
    int height = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    int escapement = 0;
    std::string face = "Arial";
    bool operator==(const LogFont&) const = default;
};

struct TextMetrics {
    int height = 0;  // ascent + descent
    int ascent = 0;
    int descent = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
};

// Text alignment flags (combine one horizontal and one vertical).
namespace TextAlign {
inline constexpr unsigned Left = 0;
inline constexpr unsigned Right = 2;
inline constexpr unsigned Center = 6;
inline constexpr unsigned Top = 0;
inline constexpr unsigned Bottom = 8;
inline constexpr unsigned Baseline = 24;
inline constexpr unsigned HorizontalMask = 6;
inline constexpr unsigned VerticalMask = 24;
} // namespace TextAlign

enum class BkMode { Transparent = 1, Opaque = 2 };
enum class Rop { CopyPen, NotXorPen };
enum class FillMode { Alternate, Winding };

// Device capability indices.
namespace DevCap {
inline constexpr int HorzSize = 4;    // width in millimetres
inline constexpr int VertSize = 6;    // height in millimetres
inline constexpr int HorzRes = 8;     // width in pixels
inline constexpr int VertRes = 10;    // height in pixels
inline constexpr int LogPixelsX = 88;
inline constexpr int LogPixelsY = 90;
} // namespace DevCap

// An off-screen 32-bit RGB picture (a window's backing store or a memory bitmap).
class Image {
public:
    Image();
    Image(int width, int height, Color fill = Colors::White);
    ~Image();
    Image(const Image& other);
    Image& operator=(const Image& other);
    Image(Image&&) noexcept;
    Image& operator=(Image&&) noexcept;

    int Width() const;
    int Height() const;
    bool IsNull() const;
    Color Pixel(int x, int y) const;
    void Fill(Color color);
    // Writes the picture as a PNG file; false when it could not be written.
    bool SavePng(const std::string& path) const;

    struct Impl;
    Impl& impl() const { return *m_impl; }

private:
    std::unique_ptr<Impl> m_impl;
};

class DC {
public:
    // Draws into the image; the image must outlive the context.
    explicit DC(Image& target);
    virtual ~DC();
    DC(const DC&) = delete;
    DC& operator=(const DC&) = delete;

    // Selection returns the previous object.
    Pen SelectPen(const Pen& pen);
    Brush SelectBrush(const Brush& brush);
    LogFont SelectFont(const LogFont& font);
    const Pen& GetPen() const;
    const Brush& GetBrush() const;
    const LogFont& GetFont() const;

    unsigned SetTextAlign(unsigned align);
    Color SetTextColor(Color color);
    Color SetBkColor(Color color);
    BkMode SetBkMode(BkMode mode);
    Rop SetROP2(Rop rop);

    Point MoveTo(Point p);
    Point MoveTo(int x, int y) { return MoveTo(Point{x, y}); }
    void LineTo(Point p);
    void LineTo(int x, int y) { LineTo(Point{x, y}); }
    Point GetCurrentPosition() const;
    void Rectangle(const Rect& r);
    void Ellipse(const Rect& r);
    void FillRect(const Rect& r, Color color);
    void Polygon(const std::vector<Point>& points, FillMode mode = FillMode::Alternate);
    void Polyline(const std::vector<Point>& points);
    void SetPixel(Point p, Color color);
    Color GetPixel(Point p) const;

    void TextOut(Point p, const std::string& utf8);
    void TextOut(int x, int y, const std::string& utf8) { TextOut(Point{x, y}, utf8); }
    // Width and height (ascent + descent) of the text in the selected font.
    Size GetTextExtent(const std::string& utf8) const;
    TextMetrics GetTextMetrics() const;

    int GetDeviceCaps(int index) const;

    // Shifts every later drawing by (dx, dy) device pixels.
    void SetWindowOrigin(Point origin);

    struct Impl;

protected:
    std::unique_ptr<Impl> m_impl;
};

// True when a point lies inside the polygon (alternate or winding rule).
bool PolygonContains(const std::vector<Point>& polygon, Point p, FillMode mode = FillMode::Alternate);

} // namespace plat
