#include "charts/T3DPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "charts/ChartExport.h"
#include "charts/RichText.h"
#include "charts/TFauxGLWindow.h"
#include "charts/TMixinChartOwner.h"
#include "foundation/DecimalPoint.h"
#include "platform/DC.h"

namespace TA = plat::TextAlign;

namespace {

constexpr double kBig = 1e30;
constexpr double kMark = 3.1415626e31;

constexpr std::array<plat::Color, 25> kPlotColours{{
    {0, 0, 0},       {158, 0, 0},     {0, 158, 0},     {0, 0, 158},     {158, 158, 0},
    {158, 0, 158},   {0, 158, 158},   {255, 0, 0},     {0, 255, 0},     {0, 0, 255},
    {255, 255, 0},   {255, 0, 255},   {0, 255, 255},   {64, 64, 64},    {128, 128, 128},
    {192, 192, 192}, {255, 128, 128}, {128, 255, 128}, {150, 150, 255}, {255, 255, 150},
    {255, 150, 255}, {180, 255, 255}, {255, 128, 0},   {255, 255, 225}, {225, 255, 225},
}};

std::string Format(const char* format, double a, double b, double c)
{
    char buf[256];
    DecimalSnprintf(buf, sizeof buf, format, a, b, c);
    return buf;
}

} // namespace

plat::Color PlotColour(int code)
{
    if (code >= 0 && code <= 24)
        return kPlotColours[static_cast<std::size_t>(code)];
    if (code == 26)
        return {255, 255, 255};
    if (code == 27)
        return {192, 192, 192};
    return {0, 0, 0}; // 25, and codes outside the table
}

std::string PlotExportText(const std::string& title, const std::vector<PlotLabel>& labels,
                           const std::vector<PlotPrimitive>& primitives)
{
    std::string t = "  Data from 3D Graph\r\n  ==============\r\n\r\n  Title\t\t: " + title + "\r\n\r\n";
    t += "\r\n  Text In Graph\r\n  ==============\r\n\r\n";
    for (const PlotLabel& l : labels)
        t += Format("At (X,Y,Z): ,%5.2f,%5.2f,%5.2f, Text: \"", l.x, l.y, l.z) + l.text + "\"\r\n";
    t += "\r\n  Line Segments In Graph\r\n  ==============\r\n\r\n";
    for (const PlotPrimitive& p : primitives)
        t += Format("Line from (X,Y,Z)=,%5.2f,%5.2f,%5.2f, to ", p.x[0], p.y[0], p.z[0]) +
             Format(",%5.2f,%5.2f,%5.2f,\r\n", p.x[1], p.y[1], p.z[1]);
    return t;
}

T3DPlot::T3DPlot(plat::Window* parent, const std::string& title, int x, int y, int w, int h)
    : Tchart(parent, title, x, y, w, h, 1, 1, 0)
{
    m_kind = k3DPlotKind;
    SetFontHeights(-32 * w / 1000, -8 * w / 1000);
    RefreshFontHeights();
    std::memset(&m_current, 0, sizeof m_current);
    m_current.width[0] = m_current.width[1] = m_current.width[2] = 1.0;
    plat::ScreenDC screen;
    m_band = MeasureBand(screen);
    m_gl = std::make_unique<TFauxGLWindow>(this, "GL Window for 3D View", 0, m_band, w,
                                           std::max(0, h - m_margins.bottom - m_band), 0.0f, 0.0f, 0.0f, 0.0f);
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, 3900, "Set Bin Range");
    AppendPopupItem(0, 3901, "Freeze/Thaw Bins");
}

T3DPlot::~T3DPlot() = default;

int T3DPlot::MeasureBand(plat::DC& dc)
{
    const plat::Size s = MeasureRichText(dc, "(MM_M", TitleFont());
    return static_cast<int>(1.1 * s.cy);
}

void T3DPlot::SetupWindow()
{
    Tchart::SetupWindow();
    if (m_gl && !m_gl->IsCreated())
        m_gl->Create(this);
}

void T3DPlot::EvSize(plat::Size size)
{
    Tchart::EvSize(size);
    m_margins.bottom = 1;
    if (m_gl)
        m_gl->Place(0, m_band, size.cx, std::max(0, size.cy - m_band - 1));
}

void T3DPlot::DrawRubberRect()
{
    if (!IsCreated())
        return;
    plat::ClientDC dc(*this);
    dc.SetROP2(plat::Rop::NotXorPen);
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 2, plat::Colors::LtBlue});
    dc.Polyline({m_press, {m_press.x, m_point.y}, m_point, {m_point.x, m_press.y}, m_press});
}

void T3DPlot::EvLButtonDown(unsigned flags, plat::Point p)
{
    if (MouseMode() == 0) {
        Tchart::EvLButtonDown(flags, p);
        return;
    }
    if (IsCreated())
        SetCapture();
    m_rubber = true;
    m_press = m_point = p;
}

void T3DPlot::EvMouseMove(unsigned flags, plat::Point p)
{
    Tchart::EvMouseMove(flags, p);
    if (!m_rubber)
        return;
    if (MouseMode() == 1) {
        DrawRubberRect(); // erases the last one
        m_point = p;
        DrawRubberRect();
    } else if (MouseMode() == 2) {
        m_transform.xOffset += p.x - m_point.x;
        m_transform.yOffset += p.y - m_point.y;
        m_point = p;
        if (Owner())
            Owner()->SelectLoadStage(0.0, 0.0, -1);
    }
}

void T3DPlot::EvLButtonUp(unsigned flags, plat::Point p)
{
    Tchart::EvLButtonUp(flags, p);
    if (!m_rubber)
        return;
    if (IsCreated())
        ReleaseCapture();
    m_rubber = false;
    m_release = p;
    if (MouseMode() == 1)
        SetMouseMode(3); // back to mode 0
    if (Owner())
        Owner()->SelectLoadStage(0.0, 0.0, -1);
}

void T3DPlot::SetShownIndex(int index)
{
    const bool changed = index != m_shownIndex;
    m_shownIndex = index;
    if (changed && IsCreated())
        Invalidate(true);
}

void T3DPlot::ClearData()
{
    Tchart::ClearData();
    m_primitives.clear();
    m_labels.clear();
    m_labelOpen = false;
}

void T3DPlot::AddText(const char* name, double value)
{
    const std::string n = name ? name : "";
    if (n == "X") {
        m_pending = PlotLabel{value, 0.0, 0.0, "Not set"};
        m_labelOpen = true;
    } else if (n == "Y") {
        m_pending.y = value;
    } else if (n == "Z") {
        m_pending.z = value;
    } else if (value == -1.0) {
        if (static_cast<int>(m_labels.size()) >= k3DPlotMaxLabels)
            return; // the table is full: refused
        m_pending.text = n.substr(0, k3DPlotLabelLength);
        m_labels.push_back(m_pending);
        m_labelOpen = false;
    }
}

void T3DPlot::AddPoint(double x, double y)
{
    Tchart::AddPoint(x, y);
    PlotPrimitive& r = m_current;
    if (x > kBig) {
        if (y < 0.0) {
            r.width[0] = r.width[1] = r.width[2] = -y;
            return;
        }
        if (y < 100.0) {
            r.colour[0] = r.colour[1] = r.colour[2] = y;
            return;
        }
        if (y > 900.0) {
            r.x[2] = kMark;
            r.y[2] = y;
            Complete();
            return;
        }
    }
    switch (m_counter) {
    case 0: r.x[0] = x; r.x[1] = y; break;
    case 1: r.y[0] = x; r.y[1] = y; break;
    case 2: r.z[0] = x; r.z[1] = y; break;
    case 3: r.x[2] = x; r.y[2] = y; break;
    default:
        r.z[2] = x;
        Complete();
        return;
    }
    ++m_counter;
}

void T3DPlot::Complete()
{
    const PlotPrimitive& r = m_current;
    m_counter = 0;
    if (static_cast<int>(m_primitives.size()) < k3DPlotMaxPrimitives) {
        for (int v = 0; v < 2; ++v) {
            m_bounds[0] = std::min(m_bounds[0], r.x[v]);
            m_bounds[1] = std::max(m_bounds[1], r.x[v]);
            m_bounds[2] = std::min(m_bounds[2], r.y[v]);
            m_bounds[3] = std::max(m_bounds[3], r.y[v]);
            m_bounds[4] = std::min(m_bounds[4], r.z[v]);
            m_bounds[5] = std::max(m_bounds[5], r.z[v]);
        }
        m_primitives.push_back(r);
    }
    // The next record keeps the width and colour of this one.
    PlotPrimitive next{};
    next.width[0] = next.width[1] = next.width[2] = r.width[0];
    next.colour[0] = next.colour[1] = next.colour[2] = r.colour[0];
    m_current = next;
}

void T3DPlot::SetPlotColour(int code, int width)
{
    const plat::Color c = PlotColour(code);
    if (m_gl)
        m_gl->SetColour(c.r, c.g, c.b, width);
}

void T3DPlot::ExportData(int show) { ExportChartText(PlotExportText(m_data.Title(), m_labels, m_primitives), show, this); }

void T3DPlot::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    RefreshFontHeights();
    const int W = Width(), H = Height();
    dc.FillRect({0, 0, W, H}, plat::Colors::White);
    dc.FillRect({0, 0, W, static_cast<int>(0.05 * H)}, plat::Colors::White);
    if (m_gl && !m_gl->IsCreated())
        m_gl->Place(0, m_band, W, std::max(0, H - m_band - 1));
    if (m_gl) {
        m_gl->SetBounds(m_bounds[0], m_bounds[1], m_bounds[2], m_bounds[3]);
        m_gl->BeginFrame(&dc);
        const auto trunc = [](double v) { return std::isfinite(v) && std::fabs(v) < 1e9 ? static_cast<int>(v) : -1; };
        for (const PlotPrimitive& p : m_primitives) {
            if (p.IsSegment()) {
                SetPlotColour(trunc(p.colour[0]), trunc(p.width[0]));
                m_gl->DrawLine(static_cast<float>(p.x[0]), static_cast<float>(p.y[0]), static_cast<float>(p.z[0]),
                               static_cast<float>(p.x[1]), static_cast<float>(p.y[1]), static_cast<float>(p.z[1]),
                               trunc(p.width[0]));
            } else {
                SetPlotColour(trunc(p.colour[0]), 1);
                m_gl->DrawTriangle(static_cast<float>(p.x[0]), static_cast<float>(p.y[0]), static_cast<float>(p.z[0]),
                                   static_cast<float>(p.x[1]), static_cast<float>(p.y[1]), static_cast<float>(p.z[1]),
                                   static_cast<float>(p.x[2]), static_cast<float>(p.y[2]), static_cast<float>(p.z[2]));
            }
        }
        SetPlotColour(25, 1);
        for (const PlotLabel& l : m_labels)
            m_gl->DrawText3D(static_cast<float>(l.x), static_cast<float>(l.y), static_cast<float>(l.z), l.text);
    }
    dc.SetBkMode(plat::BkMode::Transparent);
    m_band = MeasureBand(dc);
    m_margins.top = m_band;
    DrawRichText(dc, W / 2, 0, m_data.Title(), TitleFont(), TA::Center, TA::Top);
    if (m_gl) {
        m_gl->EndFrame(&dc);
        // A created 3-D window draws the frame itself; otherwise it goes below the band here.
        if (!m_gl->IsCreated())
            m_gl->Replay(dc, 0, m_band);
    }
    if (IsSelected() && !m_blackAndWhite)
        DrawSelectionOn(dc);
}
