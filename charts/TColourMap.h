#pragma once
// The colour map (kind 23): a plane finite-element mesh of quadrilaterals, triangles and
// two-node line elements, one value per element sorted into up to 24 coloured bins, with a
// title band, the mesh picture and a legend band; the 3-D views draw the mesh as slabs through
// the 3-D child window. The mesh comes from its supplier as two structures the map only reads;
// the values through the chart data contract, after a header pair (above 1e30, data kind).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "charts/ColourMapBins.h"
#include "charts/Tchart.h"

class TFauxGLWindow;

inline constexpr int kColourMapKind = 23;
// Data kinds of the header pair.
inline constexpr int kMapValues = 987654;
inline constexpr int kMapElementNumbers = 987655;
inline constexpr int kMapNodeNumbers = 987656;
inline constexpr int kMapSupports = 987657;
inline constexpr int kMapLineElements = 987658;
inline constexpr int kMapLineSelection = 987659;
inline constexpr int kMapDeformed = 987660;
inline constexpr int kMapCracks = 987661;
inline constexpr int kMapGlyphs = 987662;
inline constexpr int kMapVectors = 987663;
inline constexpr int kMapDeformedCracks = 987664;
inline constexpr int kMapExternal = 987665;
// "Toggle Original": outside the box commands 3000-3011 and the map's 3900-3906.
inline constexpr int CM_TOGGLEORIGINAL = 3910;

// The integer mesh: header (entry 2 nodes, 3 quadrilaterals, 4 triangles, 5 line elements),
// node list (4, 3 or 2 node indices per element, quadrilaterals first), neighbour table (the
// element across each edge, -1 on the outline) and face table (-1: the edge's side face is
// drawn in the slab view), both laid out like the node list.
struct MapIntMesh {
    std::vector<int> header;
    std::vector<int> nodes;
    std::vector<int> neighbours;
    std::vector<int> faces;
};
// Node x and y (model units) and element thickness.
struct MapFloatMesh {
    std::vector<float> x, y, thickness;
};

// Writes the owning mode's report on an element (data kind, element) for the "View Data" dialog;
// the views install it. Without one the report reads "No data to report".
using MapElementReporter = std::function<std::string(int kind, int element)>;
MapElementReporter SetMapElementReporter(MapElementReporter reporter);

// The owning mode's selection by a line drawn on the map (data kind 987659): the element nearest
// the press when the release lies within 4 pixels of it, else the elements along the line from
// the press to the release (model coordinates). The views install them; without them a line
// selects nothing.
struct MapSelectionHooks {
    std::function<void(int element)> selectElementAt;
    std::function<void(double x0, double y0, double x1, double y1)> selectElementsOnLine;
};
MapSelectionHooks SetMapSelectionHooks(MapSelectionHooks hooks);

// The popup items of a data kind after "Change 3D Mode".
std::vector<plat::MenuItem> ColourMapMenuItems(int kind);

class TColourMap : public Tchart {
public:
    TColourMap(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int dataKind,
               double magnification);
    ~TColourMap() override;

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    void CmPopup3000() override;
    void CmPopup3001() override {}
    void CmPopup3002() override {}
    void CmPopup3003() override { ExportData(0); }
    void CmPopup3004() override;
    void CmPopup3007() override { CycleViewMode(); }
    // Links the mesh (null detaches); the map is fitted to it at the next scaling. A mesh
    // whose tables do not match its counts, or that names nodes it lacks, is not linked.
    bool LinkArrays(const MapIntMesh* mesh, const MapFloatMesh* coords);
    void SetShownIndex(int n) override;
    void SetOption(int n) override { SetViewMode(n); }
    void UpdateScaling(double xMin, double xMax, double yMin, double yMax) override;
    void AutoScale() override;
    bool EvCommand(int id, int control, int notifyCode) override;
    void EvSize(plat::Size size) override;
    // Mouse mode 0: a click reports on the nearest element (value, mesh and deformation kinds);
    // mode 1 zooms to the rectangle dragged, mode 2 pans by the drag.
    void EvLButtonDown(unsigned flags, plat::Point p) override;
    void EvMouseMove(unsigned flags, plat::Point p) override;
    void EvLButtonUp(unsigned flags, plat::Point p) override;

    void CmSetBinRange();
    void CmFreezeBins();
    void CmSetMagnification();
    void CmSetCriticalCrackWidth();
    void CmSetCharacteristicStrain();
    void CmToggleStyle();
    void CmToggleOriginal();
    void SetViewMode(int mode);
    void CycleViewMode();
    void RebuildMenu();

    const ColourBins& Bins() const { return m_bins; }
    int DataKind() const { return m_dataKind; }
    int ViewMode() const { return m_viewMode; }
    int Frozen() const { return m_frozen; }
    double Magnification() const { return m_magnification; }
    double CriticalCrackWidth() const { return m_crackWidth; }
    double CharacteristicStrain() const { return m_strain; }
    double WhiteLineValue() const { return m_whiteLine; }
    int Style() const { return m_style; }
    int ShowUndeformed() const { return m_showUndeformed; }
    TFauxGLWindow* GLWindow() const { return m_gl.get(); }
    // Model point to pixel.
    plat::Point ToPixel(double x, double y) const;
    int TitleBand() const { return m_titleBand; }
    // The mesh linked (null: none).
    const MapIntMesh* LinkedMesh() const { return m_mesh; }
    int LegendBand() const { return m_legendBand; }
    // The whole picture (title, contents, legend) drawn on dc; Paint composes it off screen
    // and copies it.
    void ComposeOn(plat::DC& dc);
    // Element nearest a pixel (0 without elements).
    int FindNearestElement(int px, int py) const;

private:
    void MeasureMesh();
    int ElementCount() const { return m_quads + m_triangles + m_lines; }
    int NodesOf(int e, const int** nodes) const;
    double ElementValue(int e) const;
    void DrawLegend(plat::DC& dc);
    void DrawContents(plat::DC& dc);
    void FillElements(plat::DC& dc, bool fill);
    void DrawMeshOutline(plat::DC& dc, int colour, double magnification = 0.0);
    // Crack, direction and value glyphs across the quadrilaterals and triangles; deformed, at
    // the displaced corners, turned with the element.
    void DrawElementGlyphs(plat::DC& dc, bool deformed);
    // Force and displacement arrows at the nodes (the vector kind).
    void DrawNodeVectors(plat::DC& dc);
    // The slab view of the mesh, deformed by the magnification or plain.
    void Draw3DMesh(bool deformed);
    void DrawSlabQuad(int e, const double (&x)[4], const double (&y)[4], int colour);
    void DrawSlabTriangle(int e, const double (&x)[3], const double (&y)[3], int colour);
    // The largest magnitude among the data bounds (scale of the vector kind).
    double VectorScale() const;
    // The carpet of the 3-D value view: one cell between the centroids of a quadrilateral and
    // its neighbours across edges 1 and 2, at heights of their values.
    void DrawCarpetCell(int e);
    int NeighbourOf(int e, int edge) const;
    void DrawElementNumbers(plat::DC& dc);
    void DrawNodeNumbers(plat::DC& dc);
    void DrawNodeSupports(plat::DC& dc);
    // Pair k after the header (the data's first pair when it has none); (0, 0) past the end.
    std::pair<double, double> PairAfterHeader(int k) const;
    void DrawSegment(plat::DC& dc, int e, double x1, double y1, double x2, double y2, int width, int colour);
    bool Grey() const { return m_blackAndWhite != 0; }
    // Asks until the answer is taken (a refused one is told and offered again) or cancelled.
    bool AskValue(const char* caption, const char* prompt, double& value, MapValue which);
    void Reselect();

    const MapIntMesh* m_mesh = nullptr;
    const MapFloatMesh* m_coords = nullptr;
    ColourBins m_bins;
    int m_frozen = 0;
    double m_magnification = 1.0;
    double m_crackWidth = 1.0;
    int m_showUndeformed = 0;
    double m_strain = 1.0;
    double m_whiteLine = -1.0;
    int m_style = 1;
    int m_kindChanged = 1;
    int m_viewMode = 0;
    std::unique_ptr<TFauxGLWindow> m_gl;
    int m_dataKind = kMapValues;
    double m_valueScale = 1.0;
    double m_xScale = 9999.0, m_yScale = 9999.0, m_xOffset = 0.0, m_yOffset = 0.0;
    int m_equalAspect = 1;
    double m_xMin = 0.0, m_yMin = 0.0, m_xMax = 0.0, m_yMax = 0.0;
    int m_nodes = 0, m_quads = 0, m_triangles = 0, m_lines = 0;
    int m_legendBand = 0;
    int m_titleBand = 0;
    bool m_band = false;
    plat::Point m_start;
    plat::Point m_current;
    void DrawBand(plat::Point a, plat::Point b);
};
