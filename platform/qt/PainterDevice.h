#pragma once
// Devices over a Qt painter: a window's backing image or a memory bitmap, a foreign painter
// (owner-drawn items of list and combo controls), a printer page and a picture. Only the
// layer's own .cpp files see this header.

#include <QPainter>
#include <QRegion>
#include <QTransform>

#include <memory>
#include <vector>

#include "platform/Clip.h"
#include "platform/DC.h"

namespace plat {

class PainterDevice : public Device {
public:
    // raster: keep the pixel rules (single-pixel lines drawn pixel by pixel, raster
    // operations); otherwise draw geometric figures (printers, pictures). The painter's
    // transform and clip at this moment are the device's own and stay under everything drawn.
    // The painter's state is saved here and restored when the device goes, so the painter's
    // owner finds it as it left it.
    PainterDevice(QPainter& painter, const DeviceCaps& caps, bool raster);
    ~PainterDevice() override;

    void Line(const DrawState& s, Point a, Point b) override;
    void Polyline(const DrawState& s, const Point* points, std::size_t count) override;
    void Rectangle(const DrawState& s, const Rect& r) override;
    void Ellipse(const DrawState& s, const Rect& r) override;
    void Arc(const DrawState& s, ArcKind kind, const Rect& box, Point start, Point end) override;
    void Polygon(const DrawState& s, const Point* points, std::size_t count, FillMode mode) override;
    void FillRect(const DrawState& s, const Rect& r, Color color) override;
    void FillRegion(const DrawState& s, const Region& region, Color color) override;
    void SetPixel(const DrawState& s, Point p, Color color) override;
    Color GetPixel(const DrawState& s, Point p) const override;
    void Text(const DrawState& s, const TextRun& run) override;
    void DrawImage(const DrawState& s, const Rect& dest, const Image& image, const Rect& source) override;
    void FocusRect(const DrawState& s, const Rect& r) override;
    DeviceCaps Caps() const override { return m_caps; }

    bool Raster() const { return m_raster; }

protected:
    PainterDevice(const DeviceCaps& caps, bool raster);
    // Takes the painter (begun) as the device's own; its state now is the base.
    void Attach(QPainter& painter);
    // Sets up the painter for a call: raster operation, clip, base transform.
    void Begin(const DrawState& s);
    // Single device pixels in the pen colour (honouring the raster operation).
    virtual void PlotPixels(const DrawState& s, const QPolygon& pixels, Color color);
    // A rectangle in device pixels, held to int's range.
    QRect DeviceRect(const DrawState& s, const Rect& r) const;
    QPen PenOf(const DrawState& s) const;
    bool ThinSolid(const DrawState& s) const;
    QPainter& Painter() { return *m_painter; }
    // The pixels the device has, in the positions drawing calls are mapped to (before the
    // painter's own transform); found when the painter is attached.
    const PixelBox& Area() const { return m_area; }
    void SetArea(const PixelBox& area) { m_area = area; }
    // Where figures drawn with the pen are cut: the area grown by a margin that the pen, its
    // joins and its caps cannot cross.
    BoxF Guard(const QPen& pen) const;
    // A pen the painter strokes pixel by pixel (one pixel wide on pixels), counting its dashes
    // only along what it shows.
    bool Cosmetic(const QPen& pen) const;

    QPainter* m_painter = nullptr;
    DeviceCaps m_caps;
    bool m_raster;

private:
    enum class Curve { Arc, Pie, Chord, Ellipse };
    // The open (or closed) path through the device points, cut to the pen's guard box: the
    // pieces inside it, each with the dash offset of its start along the whole path.
    void StrokeClipped(const QPen& pen, const PixelPoint* points, std::size_t count, bool closed);
    // A segment cut to the guard box, dashed from `along` the figure's outline; the length
    // drawn.
    double StrokeSegment(const QPen& pen, PointF a, PointF b, double along);
    // An arc, pie, chord or ellipse whose box reaches past the guard box: the fill cut to the
    // guard box, and the outline's pieces inside it.
    void DrawCurve(const DrawState& s, const QPen& pen, Curve kind, const PixelBox& box, double from, double span);

    PixelBox m_area;
    QTransform m_base;
    bool m_restore = false;
    bool m_baseClipping = false;
    QRegion m_baseClip;
    Clip m_applied;
};

// The device of an image (its own painter); single-pixel lines are written straight into the
// pixels, at the image's scale.
class ImageDevice : public PainterDevice {
public:
    explicit ImageDevice(Image& image);
    // An image of its own (memory contexts).
    ImageDevice(int width, int height, Color fill);
    ~ImageDevice() override;

    Color GetPixel(const DrawState& s, Point p) const override;
    void Polyline(const DrawState& s, const Point* points, std::size_t count) override;
    Image& Target() { return *m_image; }

protected:
    void PlotPixels(const DrawState& s, const QPolygon& pixels, Color color) override;

private:
    void Open();
    std::unique_ptr<Image> m_owned;
    Image* m_image;
    QPainter m_ownPainter;
    uchar* m_bits = nullptr;
    qsizetype m_bytesPerLine = 0;
};

// Draws nothing and answers with the capabilities it was given (the screen's for screen
// contexts, the printer's for printer contexts made outside a job).
class CapsDevice final : public Device {
public:
    explicit CapsDevice(const DeviceCaps& caps) : m_caps(caps) {}
    void Line(const DrawState&, Point, Point) override {}
    void Polyline(const DrawState&, const Point*, std::size_t) override {}
    void Rectangle(const DrawState&, const Rect&) override {}
    void Ellipse(const DrawState&, const Rect&) override {}
    void Arc(const DrawState&, ArcKind, const Rect&, Point, Point) override {}
    void Polygon(const DrawState&, const Point*, std::size_t, FillMode) override {}
    void FillRect(const DrawState&, const Rect&, Color) override {}
    void FillRegion(const DrawState&, const Region&, Color) override {}
    void SetPixel(const DrawState&, Point, Color) override {}
    Color GetPixel(const DrawState&, Point) const override { return Colors::White; }
    void Text(const DrawState&, const TextRun&) override {}
    void DrawImage(const DrawState&, const Rect&, const Image&, const Rect&) override {}
    void FocusRect(const DrawState&, const Rect&) override {}
    DeviceCaps Caps() const override { return m_caps; }

private:
    DeviceCaps m_caps;
};

// The pixels of a 1-pixel line from a up to but not including b (Bresenham) that lie in the
// box, appended.
void LinePixels(PixelPoint a, PixelPoint b, const PixelBox& box, QPolygon& out);

// A context over a painter that belongs to someone else (owner-drawn items); the painter
// must stay active while the context lives.
std::unique_ptr<DC> MakePainterDC(QPainter& painter, const DeviceCaps& caps, bool raster = true);
// The same with the screen's capabilities (items of controls on the screen).
std::unique_ptr<DC> MakePainterDC(QPainter& painter);

} // namespace plat
