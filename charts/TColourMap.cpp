#include "charts/TColourMap.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "charts/ColourMapDetail.h"
#include "charts/ChartExport.h"
#include "charts/DrawingSheet.h"
#include "charts/RichText.h"
#include "charts/TFauxGLWindow.h"
#include "charts/TMixinChartOwner.h"
#include "foundation/DecimalPoint.h"
#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "platform/DC.h"
#include "platform/Ui.h"

namespace TA = plat::TextAlign;
using namespace colourmap_detail;

namespace {

MapElementReporter& ElementReporter()
{
    static MapElementReporter reporter;
    return reporter;
}

MapSelectionHooks& SelectionHooks()
{
    static MapSelectionHooks hooks;
    return hooks;
}

} // namespace

MapSelectionHooks SetMapSelectionHooks(MapSelectionHooks hooks)
{
    MapSelectionHooks previous = std::move(SelectionHooks());
    SelectionHooks() = std::move(hooks);
    return previous;
}

MapElementReporter SetMapElementReporter(MapElementReporter reporter)
{
    MapElementReporter previous = std::move(ElementReporter());
    ElementReporter() = std::move(reporter);
    return previous;
}

std::vector<plat::MenuItem> ColourMapMenuItems(int kind)
{
    using M = plat::MenuItem;
    const M copy("Copy Chart Picture", CM_COPYCHARTPICTURE);
    const M data("Copy Chart Data ", CM_COPYCHARTDATA), view("View Data", CM_VIEWDATA), sep = M::Separator();
    const M rate("Set Animation Rate", 3009);
    switch (kind) {
    case kMapValues:
        return {M("Select value for white lines", CM_AUTOMAXRANGE), copy, data, view, sep, rate,
                M("Set Bin Range", 3900), M("Freeze/Thaw Bins", 3901)};
    case kMapElementNumbers:
    case kMapNodeNumbers: return {copy, sep, M("Select Font", 3902)};
    case kMapSupports:
    case kMapLineElements:
    case kMapVectors: return {copy};
    case kMapDeformed: return {copy, data, view, sep, rate, M("Set Magnification", 3903), M("Toggle Original", CM_TOGGLEORIGINAL)};
    case kMapCracks: return {copy, data, view, sep, rate, M("Set Critical Crack Width", 3904)};
    case kMapGlyphs: return {copy, data, view, sep, rate, M("Set Characteristic Strain", 3905), M("Toggle Style", 3906)};
    case kMapDeformedCracks:
        return {copy, data, view, sep, rate, M("Set Magnification", 3903), M("Toggle Original", CM_TOGGLEORIGINAL),
                M("Set Critical Crack Width", 3904)};
    case kMapExternal: return {M("Copy Picture", CM_COPYCHARTPICTURE), M("Save Quarvish File", 3008)};
    default: return {};
    }
}

TColourMap::TColourMap(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int dataKind,
                       double magnification)
    : Tchart(parent, title, x, y, w, h, 0, 0, 0), m_magnification(magnification), m_dataKind(dataKind)
{
    m_kind = kColourMapKind;
    SetFontHeights(-32 * w / 1000, -8 * w / 1000);
    RefreshFontHeights();
    plat::MemoryDC mem;
    m_titleBand = Trunc(1.1 * MeasureRichText(mem, "(MM_M", TitleFont()).cy);
    m_legendBand = Trunc(0.1 * h) + mem.GetTextExtent("(M_").cy;
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, 3900, "Set Bin Range");
    AppendPopupItem(0, 3901, "Freeze/Thaw Bins");
}

TColourMap::~TColourMap() = default;

bool TColourMap::LinkArrays(const MapIntMesh* mesh, const MapFloatMesh* coords)
{
    m_mesh = nullptr;
    m_coords = nullptr;
    m_xScale = 9999.0;
    if (!mesh || !coords || mesh->header.size() < 6)
        return false;
    const int n = mesh->header[2], q = mesh->header[3], t = mesh->header[4], l = mesh->header[5];
    if (n < 0 || q < 0 || t < 0 || l < 0 || n > 10000000 || q + t + l > 10000000)
        return false;
    const std::size_t slots = 4u * q + 3u * t + 2u * l;
    if (mesh->nodes.size() < slots || mesh->neighbours.size() < slots || mesh->faces.size() < slots ||
        coords->x.size() < static_cast<std::size_t>(n) || coords->y.size() < static_cast<std::size_t>(n) ||
        coords->thickness.size() < static_cast<std::size_t>(q + t + l))
        return false;
    for (std::size_t k = 0; k < slots; ++k)
        if (mesh->nodes[k] < 0 || mesh->nodes[k] >= n || mesh->neighbours[k] < -1 ||
            mesh->neighbours[k] >= q + t + l)
            return false;
    m_mesh = mesh;
    m_coords = coords;
    return true;
}

void TColourMap::MeasureMesh()
{
    m_nodes = m_mesh->header[2];
    m_quads = m_mesh->header[3];
    m_triangles = m_mesh->header[4];
    m_lines = m_mesh->header[5];
    m_xMin = m_yMin = FLT_MAX;
    m_xMax = m_yMax = -FLT_MAX;
    for (int i = 0; i < m_nodes; ++i) {
        m_xMin = std::min<double>(m_xMin, m_coords->x[static_cast<std::size_t>(i)]);
        m_xMax = std::max<double>(m_xMax, m_coords->x[static_cast<std::size_t>(i)]);
        m_yMin = std::min<double>(m_yMin, m_coords->y[static_cast<std::size_t>(i)]);
        m_yMax = std::max<double>(m_yMax, m_coords->y[static_cast<std::size_t>(i)]);
    }
    if (m_xScale == 9999.0)
        UpdateScaling(-1, 1, -1, 1);
}

void TColourMap::UpdateScaling(double xMin, double xMax, double yMin, double yMax)
{
    if (xMin == -1)
        xMin = m_xMin;
    if (xMax == 1)
        xMax = m_xMax;
    if (yMin == -1)
        yMin = m_yMin;
    if (yMax == 1)
        yMax = m_yMax;
    const int W = Width();
    const int H = Height() - m_legendBand - m_titleBand;
    const double fw = Trunc(0.95 * W), fh = Trunc(0.95 * H);
    m_xScale = xMax > xMin ? fw / (xMax - xMin) : 1.0;
    m_yScale = yMax > yMin ? fh / (yMax - yMin) : 1.0;
    if (m_equalAspect)
        m_xScale = m_yScale = std::min(m_xScale, m_yScale);
    m_xOffset = (W - (xMin + xMax) * m_xScale) / 2.0;
    m_yOffset = ((yMin + yMax) * m_yScale + fh) / 2.0 + m_titleBand;
}

plat::Point TColourMap::ToPixel(double x, double y) const
{
    return {Trunc(x * m_xScale + m_xOffset), Trunc(m_yOffset - y * m_yScale)};
}

void TColourMap::AutoScale()
{
    if (!m_mesh || !m_coords)
        return;
    MeasureMesh();
    double lo = 0.0, hi = 0.0;
    if (!m_frozen) {
        ComputeBins(m_bins, m_data.Data(), ElementCount(), lo, hi);
        const double m = std::max(std::fabs(lo), std::fabs(hi));
        m_valueScale = m > 1e-10 ? 0.5 * std::min(m_xMax - m_xMin, m_yMax - m_yMin) / m : 1.0;
    }
    const std::vector<double>& d = m_data.Data();
    if (d.size() >= 2 && d[0] > 1e30) {
        const int kind = Trunc(d[1]);
        if (kind != m_dataKind) {
            m_kindChanged = 1;
            m_dataKind = kind;
        }
    } else {
        plat::MessageBox("Colour map data without its header pair", "Index Guard", MsgStyle::IconExclamation);
    }
    RebuildMenu();
    m_data.AutoScale();
    m_kindChanged = 0;
    if (IsCreated())
        Invalidate(false);
}

void TColourMap::RebuildMenu()
{
    TruncatePopup(0);
    AppendPopupItem(0, CM_TOGGLETEXT, "Change 3D Mode");
    if (m_gl) {
        m_gl->ClearPopupMenu();
        m_gl->AppendPopupItem(0, CM_TOGGLETEXT, "Change 3D Mode");
    }
    for (const plat::MenuItem& i : ColourMapMenuItems(m_dataKind))
        AppendPopupItem(i.IsSeparator() ? kPopupSeparator : 0, i.id, i.text);
}

void TColourMap::SetShownIndex(int n)
{
    if (n == m_bins.continuous)
        return;
    m_bins.continuous = n;
    if (IsCreated())
        Invalidate(false);
}

void TColourMap::SetViewMode(int mode)
{
    if (mode == m_viewMode)
        return;
    m_viewMode = mode;
    if (mode == 0) {
        m_gl.reset();
    } else if (!m_gl) {
        m_gl = std::make_unique<TFauxGLWindow>(this, "GL Window for 3D View", 0, m_titleBand, Width(),
                                               std::max(0, Height() - m_legendBand - m_titleBand),
                                               static_cast<float>(m_xMin), static_cast<float>(m_yMin),
                                               static_cast<float>(m_xMax), static_cast<float>(m_yMax));
        if (IsCreated())
            m_gl->Create(this);
    }
    RebuildMenu();
    if (IsCreated())
        Invalidate(false);
}

void TColourMap::CycleViewMode() { SetViewMode(m_viewMode == 0 ? 1 : m_viewMode == 1 ? 2 : 0); }

void TColourMap::EvSize(plat::Size size)
{
    Tchart::EvSize(size);
    plat::MemoryDC mem;
    mem.SelectFont(Arial(size.cy / 45));
    m_legendBand = Trunc(0.1 * size.cy) + mem.GetTextExtent("(M_").cy;
    if (m_gl)
        m_gl->Place(0, m_titleBand, size.cx, std::max(0, size.cy - m_legendBand - m_titleBand));
}

bool TColourMap::EvCommand(int id, int control, int notifyCode)
{
    switch (id) {
    case 3900: CmSetBinRange(); return true;
    case 3901: CmFreezeBins(); return true;
    case 3903: CmSetMagnification(); return true;
    case 3904: CmSetCriticalCrackWidth(); return true;
    case 3905: CmSetCharacteristicStrain(); return true;
    case 3906: CmToggleStyle(); return true;
    case CM_TOGGLEORIGINAL: CmToggleOriginal(); return true;
    default: return Tchart::EvCommand(id, control, notifyCode);
    }
}

void TColourMap::CmPopup3000()
{
    if (MouseMode() != 0) {
        SetMouseMode(0);
        return;
    }
    ExportData(1);
}

void TColourMap::Reselect()
{
    if (Owner())
        Owner()->SelectLoadStage(0.0, 0.0, -1);
}

bool TColourMap::AskValue(const char* caption, const char* prompt, double& value, MapValue which)
{
    std::string text = Fmt("%5.3f", value);
    if (!plat::InputUntilTaken(caption, prompt, text,
                               [&](const std::string& t) { return ReadMapValue(which, t, value); }))
        return false;
    Reselect();
    return true;
}

void TColourMap::CmPopup3004()
{
    AskValue("Characteristic Strain", "Enter the characteristic value for white lines on the stress/strain plots",
             m_whiteLine, MapValue::WhiteLine);
}

void TColourMap::CmSetMagnification()
{
    AskValue("Displacement Magnification", "Enter deflection magnification", m_magnification, MapValue::Magnification);
}

void TColourMap::CmSetCriticalCrackWidth()
{
    AskValue("Critical Crack Width", "Enter critical crack width", m_crackWidth, MapValue::CrackWidth);
}

void TColourMap::CmSetCharacteristicStrain()
{
    AskValue("Characteristic Strain", "Enter the characteristic strain", m_strain, MapValue::CharacteristicStrain);
}

void TColourMap::CmSetBinRange()
{
    const int last = std::max(0, m_bins.count - 1);
    char buf[160];
    DecimalSnprintf(buf, sizeof buf, "%5.3f , %5.3f , %d", static_cast<double>(m_bins.limit[0]),
                  static_cast<double>(m_bins.limit[static_cast<std::size_t>(last)]), m_bins.count);
    std::string text = buf;
    double lo = m_bins.limit[0], hi = m_bins.limit[static_cast<std::size_t>(last)];
    int count = m_bins.count;
    if (!plat::InputUntilTaken("Bin Ranges", "Enter Minimum, maximum range values and number of bins", text,
                               [&](const std::string& t) { return ParseBinRange(t, lo, hi, count); }))
        return;
    SetBinRange(m_bins, lo, hi, count);
    if (IsCreated())
        Invalidate(false);
}

void TColourMap::CmFreezeBins()
{
    m_frozen = m_frozen ? 0 : 1;
    if (IsCreated())
        Invalidate(false);
}

void TColourMap::CmToggleStyle()
{
    m_style = m_style ? 0 : 1;
    Reselect();
}

void TColourMap::CmToggleOriginal()
{
    m_showUndeformed = m_showUndeformed ? 0 : 1;
    Reselect();
}

int TColourMap::NodesOf(int e, const int** nodes) const
{
    if (e < m_quads) {
        *nodes = &m_mesh->nodes[static_cast<std::size_t>(4 * e)];
        return 4;
    }
    if (e < m_quads + m_triangles) {
        *nodes = &m_mesh->nodes[static_cast<std::size_t>(4 * m_quads + 3 * (e - m_quads))];
        return 3;
    }
    *nodes = &m_mesh->nodes[static_cast<std::size_t>(4 * m_quads + 3 * m_triangles + 2 * (e - m_quads - m_triangles))];
    return 2;
}

double TColourMap::ElementValue(int e) const
{
    const std::vector<double>& d = m_data.Data();
    const std::size_t start = d.size() >= 2 && d[0] > 1e30 ? 2 : 0;
    const std::size_t at = start + 2 * static_cast<std::size_t>(e);
    return at < d.size() ? d[at] : kMapNoValue;
}

int TColourMap::FindNearestElement(int px, int py) const
{
    if (!m_mesh || m_xScale == 0.0 || m_yScale == 0.0)
        return 0;
    const double x = (px - m_xOffset) / m_xScale, y = (m_yOffset - py) / m_yScale;
    int best = 0;
    double bestD = DBL_MAX;
    for (int e = 0; e < ElementCount(); ++e) {
        const int* n = nullptr;
        const int c = NodesOf(e, &n);
        double cx = 0.0, cy = 0.0;
        for (int k = 0; k < c; ++k) {
            cx += m_coords->x[static_cast<std::size_t>(n[k])] / c;
            cy += m_coords->y[static_cast<std::size_t>(n[k])] / c;
        }
        const double d = (cx - x) * (cx - x) + (cy - y) * (cy - y);
        if (d < bestD) {
            bestD = d;
            best = e;
        }
    }
    return best;
}

// ---- The mouse ----------------------------------------------------------------------------

void TColourMap::DrawBand(plat::Point a, plat::Point b)
{
    if (!IsCreated())
        return;
    plat::ClientDC dc(*this);
    dc.SetROP2(plat::Rop::NotXorPen);
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 2, plat::Colors::LtBlue});
    if (MouseMode() == 1) {
        dc.Polyline({a, {a.x, b.y}, b, {b.x, a.y}, a});
    } else {
        dc.MoveTo(a);
        dc.LineTo(b);
    }
}

void TColourMap::EvLButtonDown(unsigned flags, plat::Point p)
{
    const int mode = MouseMode();
    if (mode == 0) {
        const int k = m_dataKind;
        if (k == kMapLineSelection) {
            if (IsCreated())
                SetCapture();
            m_band = true;
            m_start = m_current = p;
            return;
        }
        if (m_mesh && (k == kMapValues || k == kMapElementNumbers || k == kMapNodeNumbers || k == kMapSupports ||
                       k == kMapDeformed || k == kMapCracks || k == kMapGlyphs || k == kMapDeformedCracks)) {
            const int element = FindNearestElement(p.x, p.y);
            ExportChartText(ElementReporter() ? ElementReporter()(k, element) : std::string("No data to report"), 1, this);
            return;
        }
        Tchart::EvLButtonDown(flags, p);
        return;
    }
    if (IsCreated())
        SetCapture();
    m_band = true;
    m_start = m_current = p;
}

void TColourMap::EvMouseMove(unsigned flags, plat::Point p)
{
    Tchart::EvMouseMove(flags, p);
    if (!m_band)
        return;
    if (MouseMode() == 2) {
        m_xOffset += p.x - m_current.x;
        m_yOffset += p.y - m_current.y;
        m_current = p;
        Reselect();
        return;
    }
    DrawBand(m_start, m_current); // erases the last one
    m_current = p;
    DrawBand(m_start, m_current);
}

void TColourMap::EvLButtonUp(unsigned flags, plat::Point p)
{
    Tchart::EvLButtonUp(flags, p);
    if (!m_band)
        return;
    if (IsCreated())
        ReleaseCapture();
    m_band = false;
    if (MouseMode() == 1) {
        double x0 = (m_start.x - m_xOffset) / m_xScale, x1 = (p.x - m_xOffset) / m_xScale;
        double y0 = (m_yOffset - m_start.y) / m_yScale, y1 = (m_yOffset - p.y) / m_yScale;
        if (x0 > x1)
            std::swap(x0, x1);
        if (y0 > y1)
            std::swap(y0, y1);
        if (x1 - x0 < 0.001)
            x1 = x0 + 0.001;
        if (y1 - y0 < 0.001)
            y1 = y0 + 0.001;
        // -1 and 1 stand for the mesh's own ends: keep a corner there off them.
        UpdateScaling(x0 == -1.0 ? std::nextafter(x0, 0.0) : x0, x1 == 1.0 ? std::nextafter(x1, 0.0) : x1,
                      y0 == -1.0 ? std::nextafter(y0, 0.0) : y0, y1 == 1.0 ? std::nextafter(y1, 0.0) : y1);
        SetMouseMode(3); // back to mode 0, keeping the zoom
    } else if (MouseMode() != 2 && m_dataKind == kMapLineSelection && m_mesh) {
        const MapSelectionHooks& hooks = SelectionHooks();
        const int dx = p.x - m_start.x, dy = p.y - m_start.y;
        if (dx * dx + dy * dy <= 16) {
            if (hooks.selectElementAt)
                hooks.selectElementAt(FindNearestElement(m_start.x, m_start.y));
        } else if (hooks.selectElementsOnLine) {
            hooks.selectElementsOnLine((m_start.x - m_xOffset) / m_xScale, (m_yOffset - m_start.y) / m_yScale,
                                       (p.x - m_xOffset) / m_xScale, (m_yOffset - p.y) / m_yScale);
        }
    }
    Reselect();
}
