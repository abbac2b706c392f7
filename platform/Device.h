#pragma once
// Drawing objects and the device interface under every device context.
//
// A DC keeps the drawing state (what is selected, the mapping, the clip) and hands each
// drawing call to its device together with that state. Positions reach the device in
// logical units as the caller gave them; the device applies the state's mapping and clip.
// The same calls therefore draw on a window's backing image, a memory bitmap, a printer page,
// a picture or a test recorder.

#include <cstddef>
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
// metric-compatible sans serif face; text in the "Symbol" face is drawn as the Unicode
// characters its code points stand for (see SymbolToUnicode). escapement is in tenths of a
// degree, counter-clockwise (900 writes upwards).
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

// The capabilities a device reports.
struct DeviceCaps {
    int horzSizeMm = 0;
    int vertSizeMm = 0;
    int horzRes = 0;
    int vertRes = 0;
    int logPixelsX = 96;
    int logPixelsY = 96;
    int Get(int index) const;
};

// Mapping modes (logical units to device pixels).
namespace MapMode {
inline constexpr int Text = 1;         // one logical unit is one pixel
inline constexpr int Isotropic = 7;    // extents, with equal scales on both axes
inline constexpr int Anisotropic = 8;  // extents, each axis scaled on its own
} // namespace MapMode

// device = (logical - windowOrg) * viewportExt / windowExt + viewportOrg; in the text mode
// the extents are 1.
struct Mapping {
    int mode = MapMode::Text;
    Point windowOrg;
    Point viewportOrg;
    Size windowExt{1, 1};
    Size viewportExt{1, 1};

    double ScaleX() const;
    double ScaleY() const;
    bool IsIdentity() const;
    // A device position past int's range is held to it (DevicePixel in Clip.h gives it whole).
    Point ToDevice(Point logical) const;
    Point ToLogical(Point device) const;
    bool operator==(const Mapping&) const = default;
};

// A region: a polygon with its fill rule (a rectangle is a four-corner polygon).
struct Region {
    std::vector<Point> polygon;
    FillMode mode = FillMode::Alternate;
    static Region FromRect(const Rect& r);
    bool Contains(Point p) const;
    bool operator==(const Region&) const = default;
};

// The clip of a DC in device pixels: the intersection of its regions (no region: no clip).
struct Clip {
    std::vector<Region> regions;
    bool IsEmpty() const { return regions.empty(); }
    bool operator==(const Clip&) const = default;
};

// Everything a device needs to know about the DC at a drawing call. Colours are resolved
// (palette-index colours already turned into RGB).
struct DrawState {
    Pen pen;
    Brush brush;
    LogFont font;
    unsigned textAlign = TextAlign::Left | TextAlign::Top;
    Color textColor = Colors::Black;
    Color bkColor = Colors::White;
    BkMode bkMode = BkMode::Opaque;
    Rop rop = Rop::CopyPen;
    Mapping mapping;
    Clip clip;
};

// A line of text placed by the DC: the reference point (logical) it was drawn at, the text
// as drawn (UTF-8, Symbol code points already mapped), and its box relative to the reference
// point before rotation: the left end x0, the baseline, the width and the ascent and descent
// the DC measured it with.
struct TextRun {
    Point at;
    std::string text;
    int x0 = 0;
    int baseline = 0;
    int width = 0;
    int ascent = 0;
    int descent = 0;
};

enum class ArcKind { Arc, Pie, Chord };

class Image;

// Where drawing goes. Every call carries the DC's state; positions are logical.
class Device {
public:
    virtual ~Device() = default;
    // From a up to, not including, b.
    virtual void Line(const DrawState& s, Point a, Point b) = 0;
    // Every segment without its end point, then the last point.
    virtual void Polyline(const DrawState& s, const Point* points, std::size_t count) = 0;
    virtual void Rectangle(const DrawState& s, const Rect& r) = 0;
    virtual void Ellipse(const DrawState& s, const Rect& r) = 0;
    // Counter-clockwise from the ray through start to the ray through end, on the ellipse of
    // the box.
    virtual void Arc(const DrawState& s, ArcKind kind, const Rect& box, Point start, Point end) = 0;
    virtual void Polygon(const DrawState& s, const Point* points, std::size_t count, FillMode mode) = 0;
    virtual void FillRect(const DrawState& s, const Rect& r, Color color) = 0;
    virtual void FillRegion(const DrawState& s, const Region& region, Color color) = 0;
    virtual void SetPixel(const DrawState& s, Point p, Color color) = 0;
    // The colour at a logical point (white where the device keeps no pixels).
    virtual Color GetPixel(const DrawState& s, Point p) const = 0;
    virtual void Text(const DrawState& s, const TextRun& run) = 0;
    // Copies the source part of the image onto the destination box, stretched when the sizes
    // differ, without smoothing.
    virtual void DrawImage(const DrawState& s, const Rect& dest, const Image& image, const Rect& source) = 0;
    // A dotted frame that a second call with the same box removes.
    virtual void FocusRect(const DrawState& s, const Rect& r) = 0;
    virtual DeviceCaps Caps() const = 0;
};

// The Unicode text that a text in the "Symbol" face stands for. Bytes that do not form UTF-8
// are single code points (0xB9 is "not equal"); Latin letters become Greek ones.
std::string SymbolToUnicode(const std::string& text);
// The Unicode character of one Symbol code point.
char32_t SymbolCodePoint(unsigned char c);

} // namespace plat
