#pragma once
// The 3-D plot (kind 25): triangles, line segments and labels in three dimensions, fed as
// chart pairs and drawn through its 3-D child window below a title band.
//
// Feeding a triangle: (x0, x1), (y0, y1), (z0, z1), (x2, y2), (z2, any). A segment: the first
// three pairs, then a separator (x > 1e30, y > 900). Separators (x > 1e30, -t) set the line
// width t and (x > 1e30, m), 0 <= m < 100, the colour code m of the primitive being fed; both
// carry over to the next ones. Labels: AddText ("X", x), ("Y", y), ("Z", z), (text, -1.0).
// The tables are bounded (64000 primitives, 1024 labels of at most 127 characters): what
// does not fit is refused.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "charts/Tchart.h"

class TFauxGLWindow;

inline constexpr int k3DPlotKind = 25;
inline constexpr int k3DPlotMaxPrimitives = 64000;
inline constexpr int k3DPlotMaxLabels = 1024;
inline constexpr std::size_t k3DPlotLabelLength = 127;

// Colour codes 0..24 of the 3-D plot and the colour map; 25 black, 26 white, 27 light grey;
// any other code black.
plat::Color PlotColour(int code);

struct PlotPrimitive {
    double x[3], y[3], z[3];
    double width[3];
    double colour[3];
    bool IsSegment() const { return x[2] > 1e30; }
};

struct PlotLabel {
    double x = 0.0, y = 0.0, z = 0.0;
    std::string text;
};

// The export text "Data from 3D Graph".
std::string PlotExportText(const std::string& title, const std::vector<PlotLabel>& labels,
                           const std::vector<PlotPrimitive>& primitives);

class T3DPlot : public Tchart {
public:
    T3DPlot(plat::Window* parent, const std::string& title, int x, int y, int w, int h);
    ~T3DPlot() override;

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    void CmPopup3000() override { ExportData(1); }
    void CmPopup3001() override {}
    void CmPopup3002() override {}
    void CmPopup3003() override { ExportData(0); }
    void CmPopup3004() override {}
    void CmPopup3007() override {}
    void SetShownIndex(int index) override;
    void AddText(const char* name, double value) override;
    void AddPoint(double x, double y) override;
    void ExportData(int show) override;
    void ClearData() override;
    void SetupWindow() override;
    void EvSize(plat::Size size) override;
    // Mouse mode 0 is the box's own (select, move, resize); modes 1 and 2 drag a rubber band
    // (1 a rectangle, 2 a pan of the chart's data-to-pixel offsets) and tell the owner.
    void EvLButtonDown(unsigned flags, plat::Point p) override;
    void EvMouseMove(unsigned flags, plat::Point p) override;
    void EvLButtonUp(unsigned flags, plat::Point p) override;
    plat::Point ReleasePoint() const { return m_release; }

    // Sets the 3-D window's colour and line width to those of a colour code.
    void SetPlotColour(int code, int width);

    const std::vector<PlotPrimitive>& Primitives() const { return m_primitives; }
    const std::vector<PlotLabel>& Labels() const { return m_labels; }
    TFauxGLWindow* GLWindow() const { return m_gl.get(); }
    int TitleBand() const { return m_band; }
    // Data bounds over vertices 0 and 1: x min, x max, y min, y max, z min, z max.
    const std::array<double, 6>& Bounds() const { return m_bounds; }

private:
    void Complete();
    int MeasureBand(plat::DC& dc);

    std::vector<PlotPrimitive> m_primitives;
    PlotPrimitive m_current{};
    int m_counter = 0;
    std::vector<PlotLabel> m_labels;
    PlotLabel m_pending;
    bool m_labelOpen = false;
    std::array<double, 6> m_bounds{3.1415626e31, -3.1415626e31, 3.1415626e31, -3.1415626e31, 3.1415626e31,
                                   -3.1415626e31};
    int m_shownIndex = 0;
    int m_band = 0;
    bool m_rubber = false;
    plat::Point m_press, m_point, m_release;
    void DrawRubberRect();
    std::unique_ptr<TFauxGLWindow> m_gl;
};
