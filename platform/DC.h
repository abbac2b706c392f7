#pragma once
// Device contexts: a drawing state (pen, brush, font, palette, text alignment, colours,
// raster operation, current position, mapping, clip) over a device (Device.h), with the
// pixel conventions the drawing code relies on:
//  - LineTo draws from the current position up to, but not including, the end point, and
//    moves the current position there.
//  - Rectangle, Ellipse and FillRect cover left..right-1 and top..bottom-1; Rectangle and
//    Ellipse outline with the pen and fill the inside with the brush.
//  - A fresh context has a black 1-pixel pen, a white brush, the system font, text aligned
//    left/top, black text on an opaque white background, and the copy raster operation.
//  - With RopNotXor every pixel drawn becomes NOT(pen XOR screen), so drawing the same
//    figure twice restores what was there (rubber bands and markers).
//  - Positions are logical units, turned into device pixels by the mapping (the text mode
//    by default: one unit is one pixel); clip rectangles are given in logical units and kept
//    in device pixels, as is the clip region.
// No antialiasing anywhere: coordinates are whole pixels.
//
// Drawing operations are virtual, so a context may alter positions before drawing (a
// rotating context) or a test may record them.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Device.h"
#include "platform/Types.h"

namespace plat {

// An off-screen 32-bit RGB picture (a window's backing store or a memory bitmap). Its size
// is in logical pixels; it may hold more device pixels per logical pixel (scale 2 on a
// double-density screen), and everything drawn on it is drawn at that density.
class Image {
public:
    Image();
    Image(int width, int height, Color fill = Colors::White, int scale = 1);
    ~Image();
    // Copies are deep: a copy never shares pixels with the original.
    Image(const Image& other);
    Image& operator=(const Image& other);
    Image(Image&&) noexcept;
    Image& operator=(Image&&) noexcept;

    int Width() const;
    int Height() const;
    // Device pixels per logical pixel.
    int Scale() const;
    bool IsNull() const;
    // The colour of a logical pixel (its top left device pixel).
    Color Pixel(int x, int y) const;
    // The colour of a device pixel.
    Color DevicePixel(int x, int y) const;
    // Whether the other picture has the same size, scale and device pixels.
    bool SamePixels(const Image& other) const;
    void Fill(Color color);
    // The logical rows that hold a pixel of another colour than background: the first and one
    // past the last; {0, 0} when every pixel is the background.
    std::pair<int, int> RowsNotOf(Color background) const;
    // Writes the picture as a PNG file; false when it could not be written.
    bool SavePng(const std::string& path) const;
    // A bitmap of the program's own resources by its id (a null image when there is none);
    // transparent parts stay transparent when it is drawn.
    static Image FromResource(int id);

    struct Impl;
    Impl& impl() const { return *m_impl; }

private:
    std::unique_ptr<Impl> m_impl;
};

// A logical palette: palette-index colours pick its entries.
using Palette = std::vector<Color>;
// The palette of a fresh DC: 20 fixed entries, in this order:
//   0 black, 1 dark red (128,0,0), 2 dark green (0,128,0), 3 olive (128,128,0),
//   4 navy (0,0,128), 5 purple (128,0,128), 6 teal (0,128,128), 7 light grey (192,192,192),
//   8 grey (128,128,128), 9 red, 10 green, 11 yellow, 12 blue, 13 magenta, 14 cyan
//   (9 to 14 at full intensity), 15 white, 16 orange (255,128,0), 17 brown (128,64,0),
//   18 sky blue (128,192,255), 19 pink (255,160,192).
// An index past the end of a palette gives its first entry.
const Palette& DefaultPalette();
Color ResolveColor(Color color, const Palette& palette);

// System colours (of the pinned application style).
enum class SysColor { Window, WindowText, Face3D, Shadow3D, Highlight3D, Highlight, HighlightText,
                      AppWorkspace, GrayText };
Color GetSysColor(SysColor which);

class DC {
public:
    // Draws into the image; the image must outlive the context.
    explicit DC(Image& target);
    // Draws on the device; the device must outlive the context.
    explicit DC(Device& device);
    virtual ~DC();
    DC(const DC&) = delete;
    DC& operator=(const DC&) = delete;

    // Selection returns the previous object.
    virtual Pen SelectPen(const Pen& pen);
    virtual Brush SelectBrush(const Brush& brush);
    virtual LogFont SelectFont(const LogFont& font);
    virtual Palette SelectPalette(const Palette& palette);
    const Pen& GetPen() const;
    const Brush& GetBrush() const;
    const LogFont& GetFont() const;
    const Palette& GetPalette() const;

    virtual unsigned SetTextAlign(unsigned align);
    unsigned GetTextAlign() const;
    virtual Color SetTextColor(Color color);
    virtual Color SetBkColor(Color color);
    virtual BkMode SetBkMode(BkMode mode);
    virtual Rop SetROP2(Rop rop);

    virtual Point MoveTo(Point p);
    Point MoveTo(int x, int y) { return MoveTo(Point{x, y}); }
    virtual void LineTo(Point p);
    void LineTo(int x, int y) { LineTo(Point{x, y}); }
    Point GetCurrentPosition() const;
    virtual void Rectangle(const Rect& r);
    virtual void Ellipse(const Rect& r);
    // Arcs on the ellipse of the box, counter-clockwise from the ray through start to the ray
    // through end; a pie closes with two radii, a chord with the straight line, both filled
    // with the brush.
    virtual void Arc(const Rect& box, Point start, Point end);
    virtual void Pie(const Rect& box, Point start, Point end);
    virtual void Chord(const Rect& box, Point start, Point end);
    virtual void FillRect(const Rect& r, Color color);
    virtual void Polygon(const std::vector<Point>& points, FillMode mode = FillMode::Alternate);
    // Draws the run in one call: every segment without its end point, then the last point.
    // The current position is left alone.
    virtual void Polyline(const std::vector<Point>& points);
    virtual void FillRegion(const Region& region, Color color);
    virtual void SetPixel(Point p, Color color);
    virtual Color GetPixel(Point p) const;
    // A dotted frame; drawing it again at the same place removes it.
    virtual void DrawFocusRect(const Rect& r);

    // Copies the whole image onto the box (stretched when the sizes differ, no smoothing).
    virtual void DrawImage(const Rect& dest, const Image& image);
    // Copies part of the image onto the box.
    virtual void DrawImage(const Rect& dest, const Image& image, const Rect& source);
    // Copies the image unscaled with its top left corner at p.
    void BitBlt(Point p, const Image& image);

    virtual void TextOut(Point p, const std::string& utf8);
    void TextOut(int x, int y, const std::string& utf8) { TextOut(Point{x, y}, utf8); }
    // Width and height (ascent + descent) of the text in the selected font, measured as
    // TextOut draws it.
    virtual Size GetTextExtent(const std::string& utf8) const;
    virtual TextMetrics GetTextMetrics() const;

    virtual int GetDeviceCaps(int index) const;

    // Saves the state (objects, colours, modes, mapping, clip); RestoreDC(-1) returns to the
    // last saved one, RestoreDC(n) to the n-th (n from SaveDC), dropping later ones.
    int SaveDC();
    bool RestoreDC(int saved = -1);

    // Clip: a rectangle in logical units (kept in device pixels), intersected with the clip
    // there is, or set alone; a region in device pixels; null removes every clip.
    void IntersectClipRect(const Rect& r);
    void SelectClipRect(const Rect& r);
    void SelectClipRegion(const Region* region);
    // The bounding box of the clip in logical units (the device's area when not clipped).
    Rect GetClipBox() const;

    // Mapping: see Mapping in Device.h. Each setter returns the previous value.
    int SetMapMode(int mode);
    int GetMapMode() const;
    Point SetWindowOrg(Point origin);
    Point SetViewportOrg(Point origin);
    Size SetWindowExt(Size extent);
    Size SetViewportExt(Size extent);
    Point GetWindowOrg() const;
    Point GetViewportOrg() const;
    Size GetWindowExt() const;
    Size GetViewportExt() const;
    Point LPtoDP(Point p) const;
    Point DPtoLP(Point p) const;
    Rect LPtoDP(const Rect& r) const;
    Rect DPtoLP(const Rect& r) const;

    // The state the device is handed with every call.
    const DrawState& State() const;
    Device& GetDevice() const;

    struct Impl;

protected:
    // For contexts that own their device.
    explicit DC(std::unique_ptr<Device> device);

    std::unique_ptr<Impl> m_impl;
};

// A context drawing into a bitmap of its own.
class MemoryDC : public DC {
public:
    explicit MemoryDC(int width = 1, int height = 1, Color fill = Colors::White);
    Image& Bitmap();
};

// The screen: measuring and capabilities (logical pixels per inch, size); it draws nothing.
class ScreenDC : public DC {
public:
    ScreenDC();
};

// True when a point lies inside the polygon (alternate or winding rule).
bool PolygonContains(const std::vector<Point>& polygon, Point p, FillMode mode = FillMode::Alternate);

} // namespace plat
