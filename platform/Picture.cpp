#include "platform/Picture.h"

#include <QBuffer>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/qt/PainterDevice.h"
#include "platform/qt/QtConvert.h"

namespace plat {

namespace {
// Hands every call to each of its devices; pixels are read from the first.
class TeeDevice : public Device {
public:
    std::vector<Device*> devices;
    DeviceCaps caps;

    void Line(const DrawState& s, Point a, Point b) override {
        for (Device* d : devices)
            d->Line(s, a, b);
    }
    void Polyline(const DrawState& s, const Point* p, std::size_t n) override {
        for (Device* d : devices)
            d->Polyline(s, p, n);
    }
    void Rectangle(const DrawState& s, const Rect& r) override {
        for (Device* d : devices)
            d->Rectangle(s, r);
    }
    void Ellipse(const DrawState& s, const Rect& r) override {
        for (Device* d : devices)
            d->Ellipse(s, r);
    }
    void Arc(const DrawState& s, ArcKind k, const Rect& box, Point a, Point b) override {
        for (Device* d : devices)
            d->Arc(s, k, box, a, b);
    }
    void Polygon(const DrawState& s, const Point* p, std::size_t n, FillMode m) override {
        for (Device* d : devices)
            d->Polygon(s, p, n, m);
    }
    void FillRect(const DrawState& s, const Rect& r, Color c) override {
        for (Device* d : devices)
            d->FillRect(s, r, c);
    }
    void FillRegion(const DrawState& s, const Region& r, Color c) override {
        for (Device* d : devices)
            d->FillRegion(s, r, c);
    }
    void SetPixel(const DrawState& s, Point p, Color c) override {
        for (Device* d : devices)
            d->SetPixel(s, p, c);
    }
    Color GetPixel(const DrawState& s, Point p) const override {
        return devices.empty() ? Colors::White : devices.front()->GetPixel(s, p);
    }
    void Text(const DrawState& s, const TextRun& run) override {
        for (Device* d : devices)
            d->Text(s, run);
    }
    void DrawImage(const DrawState& s, const Rect& dest, const Image& img, const Rect& src) override {
        for (Device* d : devices)
            d->DrawImage(s, dest, img, src);
    }
    void FocusRect(const DrawState& s, const Rect& r) override {
        for (Device* d : devices)
            d->FocusRect(s, r);
    }
    DeviceCaps Caps() const override { return caps; }
};

constexpr int kMaxPictureSide = 10000;

Size PixelsOf(const DeviceCaps& caps, const Rect& frame) {
    auto convert = [](int hundredthsMm, int res, int mm) {
        if (mm <= 0 || res <= 0)
            return 1;
        const long long px = (static_cast<long long>(hundredthsMm) * res + mm * 50LL) / (mm * 100LL);
        return static_cast<int>(std::clamp<long long>(px, 1, kMaxPictureSide));
    };
    return Size{convert(std::abs(frame.Width()), caps.horzRes, caps.horzSizeMm),
                convert(std::abs(frame.Height()), caps.vertRes, caps.vertSizeMm)};
}

// Records into an SVG document and an image at once.
class PictureDevice final : public TeeDevice {
public:
    PictureDevice(const DeviceCaps& reference, const Rect& frame, const std::string& description)
        : m_frame(frame), m_description(description), m_pixels(PixelsOf(reference, frame)) {
        caps = reference;
        m_buffer.open(QIODevice::WriteOnly);
        m_generator.setOutputDevice(&m_buffer);
        m_generator.setSize(QSize(m_pixels.cx, m_pixels.cy));
        m_generator.setViewBox(QRect(0, 0, m_pixels.cx, m_pixels.cy));
        // The document's size in millimetres is the frame's.
        if (reference.horzSizeMm > 0 && reference.horzRes > 0)
            m_generator.setResolution(static_cast<int>(std::lround(25.4 * reference.horzRes / reference.horzSizeMm)));
        m_generator.setTitle(ToQ(description));
        m_generator.setDescription(ToQ(description));
        m_svgPainter.begin(&m_generator);
        m_svg = std::make_unique<PainterDevice>(m_svgPainter, reference, false);
        m_image = std::make_unique<ImageDevice>(m_pixels.cx, m_pixels.cy, Colors::White);
        devices = {m_image.get(), m_svg.get()};
    }

    Picture Close() {
        Picture picture;
        picture.frame = m_frame;
        picture.description = m_description;
        if (devices.empty())
            return picture;
        devices.clear();
        m_svg.reset();
        m_svgPainter.end();
        m_buffer.close();
        picture.svg = m_buffer.data().toStdString();
        picture.image = m_image->Target();
        m_image.reset();
        return picture;
    }

    Size Pixels() const { return m_pixels; }

private:
    Rect m_frame;
    std::string m_description;
    Size m_pixels;
    QBuffer m_buffer;
    QSvgGenerator m_generator;
    QPainter m_svgPainter;
    std::unique_ptr<PainterDevice> m_svg;
    std::unique_ptr<ImageDevice> m_image;
};
} // namespace

PictureDC::PictureDC(const DC& reference, const Rect& frame, const std::string& description)
    : DC(std::make_unique<PictureDevice>(reference.GetDevice().Caps(), frame, description)) {}

PictureDC::~PictureDC() { Close(); }

Picture PictureDC::Close() { return static_cast<PictureDevice&>(GetDevice()).Close(); }

Size PictureDC::PixelSize() const { return static_cast<PictureDevice&>(GetDevice()).Pixels(); }

} // namespace plat
