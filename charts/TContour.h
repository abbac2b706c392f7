#pragma once
// The contour charts of a scalar field on a square grid over a section (the fire analysis's
// temperatures and strength factors): TContour3D, a wire mesh over a rhombic floor with a
// vertical value axis (kind 21), and TContourColour, a colour image mirrored about the
// section's centre line with a 90-step colour scale and the section outline over it (kind 20).
// Both take the grid through the chart data contract (see ContourGeometry.h).

#include <functional>
#include <string>

#include "charts/ContourGeometry.h"
#include "charts/Tchart.h"

inline constexpr int kContourColourKind = 20;
inline constexpr int kContour3DKind = 21;

// Draws a section's outline on dc centred at x, its bottom at yRef, at scale pixels per
// metre. The views install it; without one no outline is drawn.
using ContourOutlineDrawer =
    std::function<void(plat::DC& dc, const TStructure& structure, double x, double yRef, double scale)>;
ContourOutlineDrawer SetContourOutlineDrawer(ContourOutlineDrawer drawer);

class TContourBase : public Tchart {
public:
    TContourBase(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int xPrecision,
                 int yPrecision, int drawMode, int kind);

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    // The value scale spans the grid's values (and zero), not the header pair.
    void AutoScale() override;
    void CmPopup3000() override;
    void CmPopup3001() override {}
    void CmPopup3002() override;
    void CmPopup3003() override;
    void CmPopup3004() override {}
    // The "View Data" text.
    virtual std::string ExportText() const = 0;
    // A logarithmic value axis: ticks by decades, the scale over the decimal logarithms of
    // the range ends (both ends must be above 0, else the axis stays linear).
    void SetLogarithmic(bool on) { m_logarithmic = on; }
    bool Logarithmic() const { return m_logarithmic; }

protected:
    // What the frame leaves to the field.
    struct Frame {
        int W = 0, H = 0;
        int left = 0, top = 0, bottom = 0;
        double k = 0.0; // pixels per value unit (per decade on a logarithmic axis)
        int x0 = 0, y0 = 0;
        ValueAxis axis;
        int axisTop = 0;
    };
    // Title, axis title, tick labels and value axis; the field's own parts by the hooks.
    void DrawFrame(plat::DC& dc, Frame& f, int verticalMargin, int floorRise);
    virtual void DrawField(plat::DC& dc, const ContourGrid& grid) = 0;
    virtual void BeforeTicks(plat::DC&, Frame&) {}
    double m_extent = 1.0;
    int m_n = 0;
    bool m_logarithmic = false;
};

class TContour3D : public TContourBase {
public:
    TContour3D(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int xPrecision = 1,
               int yPrecision = 1, int drawMode = 0);
    std::string ExportText() const override;
    // The projection of the last paint.
    const MeshProjection& Projection() const { return m_projection; }

protected:
    void DrawField(plat::DC& dc, const ContourGrid& grid) override;

private:
    MeshProjection m_projection;
};

class TContourColour : public TContourBase {
public:
    TContourColour(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                   int xPrecision = 1, int yPrecision = 1, int drawMode = 0);
    std::string ExportText() const override;

protected:
    void DrawField(plat::DC& dc, const ContourGrid& grid) override;
    void BeforeTicks(plat::DC& dc, Frame& f) override;

private:
    bool Grey() const;
    Frame m_frame;
};
