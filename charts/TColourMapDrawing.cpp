// The colour map's drawing: the composed picture, legend, fills, glyphs, arrows, slab and outlines.

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

// ---- Drawing ------------------------------------------------------------------------------

void TColourMap::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    if (!m_mesh || !m_coords)
        return;
    RefreshFontHeights();
    const int W = Width(), H = Height();
    if (W <= 0 || H <= 0)
        return;
    plat::MemoryDC mem(W, H, plat::Colors::White);
    ComposeOn(mem);
    const plat::Rect gl = m_gl ? m_gl->Placement() : plat::Rect{};
    if (gl.IsEmpty()) {
        dc.DrawImage({0, 0, W, H}, mem.Bitmap());
    } else {
        // The title and legend strips; the 3-D window covers the middle.
        dc.DrawImage({0, 0, W, gl.top}, mem.Bitmap(), {0, 0, W, gl.top});
        dc.DrawImage({0, gl.bottom, W, H}, mem.Bitmap(), {0, gl.bottom, W, H});
        if (!m_gl->IsCreated())
            m_gl->Replay(dc, gl.left, gl.top);
    }
    if (IsSelected() && !m_blackAndWhite)
        DrawSelectionOn(dc);
}

void TColourMap::ComposeOn(plat::DC& dc)
{
    const int W = Width(), H = Height();
    if (!m_frozen)
        dc.FillRect({0, H - m_legendBand, W, H}, plat::Colors::White);
    dc.FillRect({0, 0, W, Trunc(0.05 * H)}, plat::Colors::White);
    DrawLegend(dc);
    // The external picture of the owning mode is empty in this system: neither title nor
    // contents for that kind.
    if (m_dataKind != kMapExternal) {
        dc.SetBkMode(plat::BkMode::Transparent);
        m_titleBand = Trunc(1.1 * MeasureRichText(dc, "(M_M", TitleFont()).cy);
        DrawRichText(dc, W / 2, 0, m_data.Title(), TitleFont(), TA::Center, TA::Top);
        DrawContents(dc);
    }
    DrawLegend(dc);
}

void TColourMap::DrawLegend(plat::DC& dc)
{
    if (m_dataKind == kMapExternal)
        return;
    const int W = Width(), H = Height();
    const plat::Pen black{plat::PenStyle::Solid, 1, plat::Colors::Black};
    dc.SelectPen(black);
    dc.SetBkMode(plat::BkMode::Transparent);
    const int L = Trunc(0.1 * H), T = H - L;
    const plat::LogFont font = Arial(H / 45);
    dc.SelectFont(font);
    m_margins.bottom = L + dc.GetTextExtent("888").cy;
    // The box's two text fields and the pan-mode mark, in the row above the band.
    const int textRow = H - m_margins.bottom;
    DrawRichText(dc, 0, textRow, BoxText(0), font, TA::Left, TA::Top);
    DrawRichText(dc, W, textRow, BoxText(1), font, TA::Right, TA::Top);
    if (MouseMode() == 2)
        DrawRichText(dc, W / 2, textRow, "PAN MODE", font, TA::Center, TA::Top);
    dc.SelectPen(black); // a line sample in a text field leaves its own pen
    if (m_dataKind == kMapDeformed || m_dataKind == kMapDeformedCracks) {
        dc.SetTextAlign(TA::Right | TA::Baseline);
        dc.TextOut(Trunc(0.95 * W), Trunc(H - 0.67 * L), Fmt("Displacement Magnification: %5.2f x", m_magnification));
    }
    if (m_dataKind == kMapLineSelection) {
        dc.SetTextAlign(TA::Center | TA::Top);
        dc.TextOut(W / 2, H - L / 2, "Draw line on mesh to select elements");
    }
    if (m_dataKind == kMapVectors) {
        dc.SetTextAlign(TA::Center | TA::Top);
        if (m_data.Data().size() > 3u * static_cast<std::size_t>(m_nodes)) {
            const double r = VectorScale();
            const int h = dc.GetTextExtent("888").cy;
            const char* texts[2] = {"Force: %5.2f %s", "Displacement: %5.2f %s"};
            const char* units[2] = {UnitLabel(ukForce), UnitLabel(ukSectionLength)};
            const int xs[2] = {Trunc(0.33 * W), Trunc(0.67 * W)};
            for (int i = 0; i < 2; ++i) {
                char buf[160];
                DecimalSnprintf(buf, sizeof buf, texts[i], r, units[i]);
                dc.TextOut(xs[i], H - L / 2, buf);
                // A sample of the arrow line one text height above the text.
                dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 3, GetBinColour(m_bins, i + 1, Grey())});
                const int y = H - L / 2 - h, half = (W / 15) / 2;
                dc.MoveTo(xs[i] - half, y);
                dc.LineTo(xs[i] - half + W / 15, y);
            }
            dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
        } else {
            dc.TextOut(W / 2, H - L / 2, "Unused Load Type");
        }
    }
    if (m_dataKind == kMapCracks || m_dataKind == kMapDeformedCracks) {
        const char* unit = UnitLabel(ukSectionLength);
        char buf[200];
        DecimalSnprintf(buf, sizeof buf, "Crack Widths: thin < %4.2f %s, mid, thick > %4.2f %s", m_crackWidth, unit,
                      2.0 * m_crackWidth, unit);
        dc.SetTextAlign(TA::Right | TA::Baseline);
        dc.TextOut(Trunc(0.95 * W), Trunc(H - 0.33 * L), buf);
    }
    dc.MoveTo(0, T);
    dc.LineTo(W, T);
    const bool binLegend = m_dataKind != kMapSupports && (m_dataKind < kMapLineSelection || m_dataKind > kMapExternal);
    if (!binLegend || m_bins.count == 0)
        return;
    if (m_frozen) {
        if (!Grey())
            dc.FillRect({-1, T, W + 1, H + 1}, plat::Color(200, 200, 255));
        plat::LogFont up = font;
        up.escapement = 900;
        dc.SelectFont(up);
        dc.SetTextColor(GetBinColour(m_bins, 4, Grey()));
        dc.SetTextAlign(TA::Left | TA::Top);
        dc.TextOut(0, H - 2, "Frozen");
        dc.SetTextAlign(TA::Left | TA::Bottom);
        dc.TextOut(W - 2, H - 2, "Frozen");
        dc.SetTextColor(plat::Colors::Black);
        dc.SelectFont(font);
        dc.MoveTo(0, T);
        dc.LineTo(W, T);
    }
    dc.SetTextAlign(TA::Left | TA::Top);
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 4; ++r) {
            const int k = 4 * c + r;
            if (m_bins.limit[static_cast<std::size_t>(k)] == kBinEnd)
                return;
            const plat::Rect box{Trunc(W * (0.16 * c + 0.02)), Trunc(T + L * (0.25 * r + 0.04)),
                                 Trunc(W * (0.16 * c + 0.06)), Trunc(T + L * (0.25 * r + 0.23))};
            dc.SelectBrush(plat::Brush{true, plat::Colors::White});
            dc.Rectangle(box);
            dc.FillRect({box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, GetBinColour(m_bins, k + 1, Grey()));
            const double lim = m_bins.limit[static_cast<std::size_t>(k)];
            std::string text;
            if (m_bins.count == 24) {
                if (c == 0 && r < 2) {
                    char buf[96];
                    DecimalSnprintf(buf, sizeof buf, "%4.2f to %4.2f",
                                  lim - (m_bins.limit[1] - m_bins.limit[0]) + 0.005, lim + 0.005);
                    text = buf;
                } else {
                    text = Fmt("to %6.2f", lim + 0.005);
                }
            } else {
                text = Fmt("%6.2f", lim);
            }
            dc.TextOut(Trunc(W * (0.16 * c + 0.07)), Trunc(T + 0.25 * r * L), text);
        }
}

void TColourMap::DrawContents(plat::DC& dc)
{
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
    if (m_gl)
        m_gl->BeginFrame(&dc);
    if (m_data.IsShown() && !m_data.IsDataEmpty()) {
        if (m_dataKind == kMapValues || m_dataKind == kMapLineSelection)
            FillElements(dc, true);
        else if (m_dataKind == kMapLineElements)
            FillElements(dc, false);
    }
    const bool plane = m_viewMode == 0;
    if (m_data.IsShown() && !m_data.IsDataEmpty() && plane) {
        if (m_dataKind == kMapElementNumbers)
            DrawElementNumbers(dc);
        else if (m_dataKind == kMapNodeNumbers)
            DrawNodeNumbers(dc);
        else if (m_dataKind == kMapSupports || m_dataKind == kMapVectors)
            DrawNodeSupports(dc);
    }
    if (m_data.Data().size() <= 2) {
        dc.SetBkMode(plat::BkMode::Transparent);
        DrawRichText(dc, Width() / 2, Height() / 2, "No Data", TitleFont(), TA::Center, TA::Top);
    }
    const bool deformed = m_dataKind == kMapDeformed || m_dataKind == kMapDeformedCracks;
    if (m_showUndeformed && deformed)
        DrawMeshOutline(dc, 27);
    if (m_data.IsShown()) {
        if (m_dataKind == kMapCracks || m_dataKind == kMapGlyphs || (m_dataKind == kMapValues && m_viewMode != 2))
            DrawElementGlyphs(dc, false);
        else if (m_dataKind == kMapDeformedCracks)
            DrawElementGlyphs(dc, true);
    }
    if (m_viewMode == 1) {
        if (deformed)
            Draw3DMesh(true);
        else if (m_dataKind == kMapCracks || m_dataKind == kMapGlyphs)
            Draw3DMesh(false);
    }
    DrawMeshOutline(dc, 25, deformed ? m_magnification : 0.0);
    if (m_dataKind == kMapVectors)
        DrawNodeVectors(dc);
    if (m_gl)
        m_gl->EndFrame(&dc);
}

void TColourMap::DrawSegment(plat::DC& dc, int e, double x1, double y1, double x2, double y2, int width, int colour)
{
    const plat::Color c = GetBinColour(m_bins, colour, Grey());
    if (m_viewMode == 0) {
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, width, c});
        dc.MoveTo(ToPixel(x1, y1));
        dc.LineTo(ToPixel(x2, y2));
        return;
    }
    m_gl->SetColour(c.r, c.g, c.b, width);
    const double t = e >= 0 && static_cast<std::size_t>(e) < m_coords->thickness.size()
                         ? m_coords->thickness[static_cast<std::size_t>(e)]
                         : 0.0;
    // Lifted off the slab faces by 5 mm in the displayed length unit.
    const double lift = 0.005 * UnitFactor(ukSectionLength);
    const float z = m_viewMode == 1 ? static_cast<float>(t / 2 + lift) : 0.0f;
    m_gl->DrawLine(static_cast<float>(x1), static_cast<float>(y1), z, static_cast<float>(x2), static_cast<float>(y2), z,
                   width);
    if (m_viewMode == 1)
        m_gl->DrawLine(static_cast<float>(x1), static_cast<float>(y1), -z, static_cast<float>(x2),
                       static_cast<float>(y2), -z, width);
}

void TColourMap::FillElements(plat::DC& dc, bool fill)
{
    for (int e = 0; e < ElementCount(); ++e) {
        int colour = GetBinIndex(m_bins, ElementValue(e));
        if (colour < 0)
            colour = 26;
        const int* n = nullptr;
        const int count = NodesOf(e, &n);
        const auto X = [&](int k) { return static_cast<double>(m_coords->x[static_cast<std::size_t>(n[k])]); };
        const auto Y = [&](int k) { return static_cast<double>(m_coords->y[static_cast<std::size_t>(n[k])]); };
        const plat::Color c = GetBinColour(m_bins, colour, Grey());
        if (count == 4 && fill) {
            if (m_viewMode == 0) {
                const plat::Point a = ToPixel(X(0), Y(0)), b = ToPixel(X(2), Y(2));
                dc.FillRect({std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)}, c);
            } else if (m_viewMode == 2) {
                DrawCarpetCell(e);
            } else if (m_viewMode == 1) {
                // A slab of the element's thickness over the rectangle of nodes 0 and 2.
                const float t = m_coords->thickness[static_cast<std::size_t>(e)] / 2.0f;
                const float x0 = static_cast<float>(X(0)), y0 = static_cast<float>(Y(0));
                const float x2 = static_cast<float>(X(2)), y2 = static_cast<float>(Y(2));
                m_gl->SetColour(c.r, c.g, c.b, 1);
                m_gl->DrawQuad(x0, y0, t, x2, y0, t, x2, y2, t, x0, y2, t);
                m_gl->DrawQuad(x0, y0, -t, x0, y2, -t, x2, y2, -t, x2, y0, -t);
                const float xs[4] = {x0, x2, x2, x0}, ys[4] = {y0, y0, y2, y2};
                for (int k = 0; k < 4; ++k) {
                    if (m_mesh->faces[static_cast<std::size_t>(4 * e + k)] != -1)
                        continue;
                    const int j = (k + 1) % 4;
                    m_gl->DrawQuad(xs[k], ys[k], -t, xs[j], ys[j], -t, xs[j], ys[j], t, xs[k], ys[k], t);
                }
            }
        } else if (count == 3 && fill) {
            if (m_viewMode == 0) {
                dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, c});
                dc.SelectBrush(plat::Brush{false, c});
                dc.Polygon({ToPixel(X(0), Y(0)), ToPixel(X(1), Y(1)), ToPixel(X(2), Y(2))});
            } else if (m_viewMode == 1) {
                const float t = m_coords->thickness[static_cast<std::size_t>(e)] / 2.0f;
                m_gl->SetColour(c.r, c.g, c.b, 1);
                m_gl->DrawTriangle(static_cast<float>(X(0)), static_cast<float>(Y(0)), t, static_cast<float>(X(1)),
                                   static_cast<float>(Y(1)), t, static_cast<float>(X(2)), static_cast<float>(Y(2)), t);
                m_gl->DrawTriangle(static_cast<float>(X(0)), static_cast<float>(Y(0)), -t, static_cast<float>(X(2)),
                                   static_cast<float>(Y(2)), -t, static_cast<float>(X(1)), static_cast<float>(Y(1)), -t);
            }
        } else if (count == 2 && m_viewMode <= 1) {
            // Five parallel lines one pixel apart, across the element's direction.
            const double dx = X(1) - X(0), dy = Y(1) - Y(0);
            const bool flat = std::atan2(std::fabs(dy), std::fabs(dx)) < 0.7853981633974483;
            for (int s = -2; s <= 2; ++s) {
                const double ox = flat ? 0.0 : s / m_xScale, oy = flat ? s / m_yScale : 0.0;
                DrawSegment(dc, e, X(0) + ox, Y(0) + oy, X(1) + ox, Y(1) + oy, 1, colour);
            }
        }
    }
}

int TColourMap::NeighbourOf(int e, int edge) const
{
    if (e < 0 || e >= ElementCount())
        return -1;
    const int* n = nullptr;
    const int count = NodesOf(e, &n);
    if (edge >= count)
        return -1;
    return m_mesh->neighbours[static_cast<std::size_t>(n - m_mesh->nodes.data()) + static_cast<std::size_t>(edge)];
}

void TColourMap::DrawCarpetCell(int e)
{
    const int a = NeighbourOf(e, 1), b = NeighbourOf(e, 2);
    if (a < 0 || b < 0 || NeighbourOf(a, 2) < 0)
        return;
    const int d = NeighbourOf(a, 2) == NeighbourOf(b, 1) ? NeighbourOf(a, 2) : e;
    const auto centroid = [&](int k) {
        const int* n = nullptr;
        const int count = NodesOf(k, &n);
        double x = 0.0, y = 0.0;
        for (int i = 0; i < count; ++i) {
            x += m_coords->x[static_cast<std::size_t>(n[i])] / count;
            y += m_coords->y[static_cast<std::size_t>(n[i])] / count;
        }
        return std::pair<double, double>{x, y};
    };
    const double ve = ElementValue(e), va = ElementValue(a), vb = ElementValue(b), vd = ElementValue(d);
    int colour = GetBinIndex(m_bins, (ve + va + vb + vd) / 4.0);
    if (colour < 0)
        colour = 26;
    const plat::Color c = GetBinColour(m_bins, colour, Grey());
    const auto [xe, ye] = centroid(e);
    const auto [xb, yb] = centroid(b);
    const auto [xd, yd] = centroid(d);
    (void)yd;
    const double s = m_valueScale;
    const auto F = [](double v) { return static_cast<float>(v); };
    m_gl->SetColour(c.r, c.g, c.b, 1);
    m_gl->DrawQuad(F(xe), F(ye), F(s * ve), F(xe), F(yb), F(s * vb), F(xd), F(yb), F(s * vd), F(xd), F(ye), F(s * va));
    m_gl->DrawQuad(F(xd), F(ye), F(s * va), F(xd), F(yb), F(s * vd), F(xe), F(yb), F(s * vb), F(xe), F(ye), F(s * ve));
    // The mesh outline of the element, just above the carpet.
    const plat::Color black = GetBinColour(m_bins, 25, Grey());
    m_gl->SetColour(black.r, black.g, black.b, 1);
    const int* n = nullptr;
    const int count = NodesOf(e, &n);
    for (int k = 0; k < count; ++k)
        if (NeighbourOf(e, k) == -1) {
            const std::size_t p = static_cast<std::size_t>(n[k]), q = static_cast<std::size_t>(n[(k + 1) % count]);
            const float z = F(1.03 * s * ve);
            m_gl->DrawLine(m_coords->x[p], m_coords->y[p], z, m_coords->x[q], m_coords->y[q], z, 1);
        }
}

std::pair<double, double> TColourMap::PairAfterHeader(int k) const
{
    const std::vector<double>& d = m_data.Data();
    const std::size_t start = d.size() >= 2 && d[0] > 1e30 ? 2 : 0;
    const std::size_t at = start + 2 * static_cast<std::size_t>(k);
    return at + 1 < d.size() ? std::pair<double, double>{d[at], d[at + 1]} : std::pair<double, double>{0.0, 0.0};
}

void TColourMap::DrawElementGlyphs(plat::DC& dc, bool deformed)
{
    // Element pairs (value, angle) follow the node pairs when the data holds both, else the
    // header directly. The angle is that of the principal direction; the glyph lies across it.
    const std::size_t size = m_data.Data().size();
    const bool afterNodes = size > 2u * static_cast<std::size_t>(m_nodes + m_quads + m_triangles);
    const int elementBase = afterNodes ? m_nodes : 0;
    const bool moved = m_dataKind == kMapDeformed || m_dataKind == kMapDeformedCracks;
    const bool cracks = m_dataKind == kMapCracks || m_dataKind == kMapDeformedCracks;
    const double m = deformed ? m_magnification : 0.0;
    const ChartBounds& b = m_data.DataBounds();
    const bool unscaled = b.xMin == 0.0 && b.xMax == 90.0;
    int colour = m_dataKind == kMapValues ? 26 : m_bins.continuous ? 13 : 7;
    if (Grey() && m_dataKind != kMapValues)
        colour = 0;
    for (int e = 0; e < m_quads + m_triangles; ++e) {
        const int* n = nullptr;
        const int count = NodesOf(e, &n);
        double px[4] = {}, py[4] = {}, dpx[4] = {}, dpy[4] = {};
        for (int k = 0; k < count; ++k) {
            px[k] = m_coords->x[static_cast<std::size_t>(n[k])];
            py[k] = m_coords->y[static_cast<std::size_t>(n[k])];
            if (moved) {
                const auto [dx, dy] = PairAfterHeader(n[k]);
                dpx[k] = px[k] + m * dx;
                dpy[k] = py[k] + m * dy;
            } else {
                dpx[k] = px[k];
                dpy[k] = py[k];
            }
        }
        double x0 = DBL_MAX, x1 = -DBL_MAX, y0 = DBL_MAX, y1 = -DBL_MAX;
        for (int k = 0; k < count; ++k) {
            x0 = std::min(x0, dpx[k]), x1 = std::max(x1, dpx[k]);
            y0 = std::min(y0, dpy[k]), y1 = std::max(y1, dpy[k]);
        }
        double len = std::min(std::fabs(x1 - x0), std::fabs(y1 - y0)) * (count == 4 ? 0.8 : 0.6);
        const double cx = (x0 + x1) / 2.0, cy = (y0 + y1) / 2.0;
        const auto [v, a] = PairAfterHeader(elementBase + e);
        double angle = a + 1.5707963267945;
        if (!afterNodes && IsMapNoValue(a))
            angle = kMapNoValue;
        if (m_style && !cracks) {
            if (!afterNodes) {
                if (!unscaled) {
                    double ref = m_whiteLine;
                    if (!(ref > 0.0)) {
                        ref = IsMapNoValue(b.xMin) && !IsMapNoValue(v) ? std::fabs(b.xMax)
                                                                        : std::max(std::fabs(b.xMin), std::fabs(b.xMax));
                        if (b.xMin == 0.0 && b.xMax == 0.0)
                            ref = 1.0;
                    }
                    if (ref != 0.0)
                        len = 2.0 * v / ref * len;
                }
            } else {
                len = len * v / m_strain;
            }
        }
        if (deformed && m > 0.0 && count >= 3 && !IsMapNoValue(angle)) {
            // Turned with the element: the change of direction of its diagonal from node 0 to 2.
            angle -= std::atan2(dpx[2] - dpx[0], dpy[2] - dpy[0]) - std::atan2(px[2] - px[0], py[2] - py[0]);
        }
        int width = 1;
        if (cracks)
            width = v >= 2.0 * m_crackWidth ? 3 : v >= m_crackWidth ? 2 : 1;
        else if (m_dataKind == kMapGlyphs)
            width = 2;
        // An element without a value has no direction to show (its length would be scaled by
        // the no-value mark).
        const bool draw = cracks                     ? v > 0.0
                          : m_dataKind == kMapGlyphs ? true
                                                     : !IsMapNoValue(angle) && !IsMapNoValue(v);
        if (!draw)
            continue;
        // A glyph scaled past the chart says no more than one across it; a longer one would
        // only cost time and memory to draw.
        const double longest = m_xScale > 0.0 ? kLongestGlyphWidths * Width() / m_xScale : 0.0;
        if (longest > 0.0 && std::fabs(len) > longest)
            len = std::copysign(longest, len);
        const double dx = len / 2.0 * std::cos(angle), dy = len / 2.0 * std::sin(angle);
        DrawSegment(dc, e, cx - dx, cy - dy, cx + dx, cy + dy, width, colour);
    }
}

double TColourMap::VectorScale() const
{
    const ChartBounds& b = m_data.DataBounds();
    return std::max(std::max(std::fabs(b.xMin), std::fabs(b.xMax)), std::max(std::fabs(b.yMin), std::fabs(b.yMax)));
}

void TColourMap::DrawNodeVectors(plat::DC& dc)
{
    // Pairs after the header: the support codes, then the forces, then the displacements of
    // every node. The longest vector is drawn client width / 15 pixels long.
    if (m_nodes <= 0 || m_data.Data().size() < 3u * static_cast<std::size_t>(m_nodes))
        return;
    const double r = std::max(VectorScale(), 0.01);
    const int W = Width();
    const double k = (W / 15) / r / m_xScale;
    for (int pass = 0; pass < 2; ++pass) {
        const int colour = pass + 1;
        const plat::Color c = GetBinColour(m_bins, colour, Grey());
        for (int i = 0; i < m_nodes; ++i) {
            const auto [fx, fy] = PairAfterHeader((pass + 1) * m_nodes + i);
            if (fx * fx + fy * fy <= 0.01)
                continue;
            const double x = m_coords->x[static_cast<std::size_t>(i)], y = m_coords->y[static_cast<std::size_t>(i)];
            DrawSegment(dc, -1, x, y, x + 0.9 * k * fx, y + 0.9 * k * fy, 3, colour);
            const plat::Point tip = ToPixel(x + k * fx, y + k * fy);
            const int length = Trunc(std::min(std::hypot(fx, fy) * k * m_xScale, W / 30.0));
            DrawArrowHead(dc, tip.x, tip.y, length, length / 2, 90.0 - 57.297 * std::atan2(fx, -fy), true, c);
        }
    }
}

void TColourMap::DrawSlabQuad(int e, const double (&x)[4], const double (&y)[4], int colour)
{
    const plat::Color c = GetBinColour(m_bins, colour, Grey());
    const float t = m_coords->thickness[static_cast<std::size_t>(e)] / 2.0f;
    float fx[4], fy[4];
    for (int k = 0; k < 4; ++k)
        fx[k] = static_cast<float>(x[k]), fy[k] = static_cast<float>(y[k]);
    m_gl->SetColour(c.r, c.g, c.b, 1);
    m_gl->DrawQuad(fx[0], fy[0], t, fx[1], fy[1], t, fx[2], fy[2], t, fx[3], fy[3], t);
    m_gl->DrawQuad(fx[0], fy[0], -t, fx[3], fy[3], -t, fx[2], fy[2], -t, fx[1], fy[1], -t);
    for (int k = 0; k < 4; ++k) {
        if (m_mesh->faces[static_cast<std::size_t>(4 * e + k)] != -1)
            continue;
        const int j = (k + 1) % 4;
        m_gl->DrawQuad(fx[k], fy[k], -t, fx[j], fy[j], -t, fx[j], fy[j], t, fx[k], fy[k], t);
    }
}

void TColourMap::DrawSlabTriangle(int e, const double (&x)[3], const double (&y)[3], int colour)
{
    const plat::Color c = GetBinColour(m_bins, colour, Grey());
    const float t = m_coords->thickness[static_cast<std::size_t>(e)] / 2.0f;
    float fx[3], fy[3];
    for (int k = 0; k < 3; ++k)
        fx[k] = static_cast<float>(x[k]), fy[k] = static_cast<float>(y[k]);
    m_gl->SetColour(c.r, c.g, c.b, 1);
    m_gl->DrawTriangle(fx[0], fy[0], t, fx[1], fy[1], t, fx[2], fy[2], t);
    m_gl->DrawTriangle(fx[0], fy[0], -t, fx[2], fy[2], -t, fx[1], fy[1], -t);
    const std::size_t base = 4u * static_cast<std::size_t>(m_quads) + 3u * static_cast<std::size_t>(e - m_quads);
    for (int k = 0; k < 3; ++k) {
        if (m_mesh->faces[base + static_cast<std::size_t>(k)] != -1)
            continue;
        const int j = (k + 1) % 3;
        m_gl->DrawQuad(fx[k], fy[k], -t, fx[j], fy[j], -t, fx[j], fy[j], t, fx[k], fy[k], t);
    }
}

void TColourMap::Draw3DMesh(bool deformed)
{
    if (!m_gl)
        return;
    const double m = deformed ? m_magnification : 0.0;
    for (int e = 0; e < m_quads + m_triangles; ++e) {
        const int* n = nullptr;
        const int count = NodesOf(e, &n);
        double x[4] = {}, y[4] = {};
        for (int k = 0; k < count; ++k) {
            x[k] = m_coords->x[static_cast<std::size_t>(n[k])];
            y[k] = m_coords->y[static_cast<std::size_t>(n[k])];
            if (m != 0.0) {
                const auto [dx, dy] = PairAfterHeader(n[k]);
                x[k] += m * dx;
                y[k] += m * dy;
            }
        }
        if (count == 4) {
            DrawSlabQuad(e, x, y, 28);
        } else {
            const double tx[3] = {x[0], x[1], x[2]}, ty[3] = {y[0], y[1], y[2]};
            DrawSlabTriangle(e, tx, ty, 28);
        }
    }
}

void TColourMap::DrawElementNumbers(plat::DC& dc)
{
    dc.SelectFont(TextFont());
    dc.SetBkMode(plat::BkMode::Transparent);
    dc.SetTextColor(plat::Colors::Black);
    dc.SetTextAlign(TA::Center | TA::Top);
    const int half = dc.GetTextExtent("888").cy / 2;
    for (int e = 0; e < ElementCount(); ++e) {
        const int* n = nullptr;
        const int count = NodesOf(e, &n);
        double cx = 0.0, cy = 0.0;
        for (int k = 0; k < count; ++k) {
            cx += m_coords->x[static_cast<std::size_t>(n[k])] / count;
            cy += m_coords->y[static_cast<std::size_t>(n[k])] / count;
        }
        const plat::Point p = ToPixel(cx, cy);
        dc.TextOut(p.x, p.y - half, std::to_string(e + 1));
    }
}

void TColourMap::DrawNodeNumbers(plat::DC& dc)
{
    dc.SelectFont(TextFont());
    dc.SetBkMode(plat::BkMode::Transparent);
    dc.SetTextColor(plat::Colors::Black);
    dc.SetTextAlign(TA::Left | TA::Top);
    for (int i = 0; i < m_nodes; ++i) {
        const plat::Point p = ToPixel(m_coords->x[static_cast<std::size_t>(i)], m_coords->y[static_cast<std::size_t>(i)]);
        dc.TextOut(p.x + 2, p.y + 2, std::to_string(i + 1));
    }
}

void TColourMap::DrawNodeSupports(plat::DC& dc)
{
    const int h = Trunc((Height() / 100) * 0.5);
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
    dc.SelectBrush(plat::Brush{false, plat::Colors::Black});
    for (int i = 0; i < m_nodes; ++i) {
        const auto [cx, cy] = PairAfterHeader(i);
        const int xc = Trunc(cx), yc = Trunc(cy);
        const plat::Point p = ToPixel(m_coords->x[static_cast<std::size_t>(i)], m_coords->y[static_cast<std::size_t>(i)]);
        const plat::Rect circle{p.x - h, p.y - h, p.x + h, p.y + h};
        if (xc == 1 && yc == 1) {
            dc.FillRect(circle, plat::Colors::Black);
        } else if (xc == 0 && yc == 1) {
            dc.FillRect({p.x - h, p.y + h, p.x + h, p.y + 2 * h}, plat::Colors::Black);
            dc.Ellipse(circle);
        } else if (xc == 1 && yc == 0) {
            dc.FillRect({p.x - 2 * h, p.y - h, p.x - h, p.y + h}, plat::Colors::Black);
            dc.Ellipse(circle);
        } else if (xc == 2 || yc == 2) {
            dc.Ellipse(circle);
        }
    }
}

void TColourMap::DrawMeshOutline(plat::DC& dc, int colour, double magnification)
{
    // Deformed: every node moved by the magnification times its displacement pair.
    const auto node = [&](int i) {
        double x = m_coords->x[static_cast<std::size_t>(i)], y = m_coords->y[static_cast<std::size_t>(i)];
        if (magnification != 0.0) {
            const auto [dx, dy] = PairAfterHeader(i);
            x += magnification * dx;
            y += magnification * dy;
        }
        return std::pair<double, double>{x, y};
    };
    for (int e = 0; e < ElementCount(); ++e) {
        const int* n = nullptr;
        const int count = NodesOf(e, &n);
        const std::size_t base = static_cast<std::size_t>(n - m_mesh->nodes.data());
        for (int k = 0; k < count; ++k) {
            if (m_mesh->neighbours[base + static_cast<std::size_t>(k)] != -1)
                continue;
            const auto [ax, ay] = node(n[k]);
            const auto [bx, by] = node(n[(k + 1) % count]);
            DrawSegment(dc, e, ax, ay, bx, by, 1, colour);
        }
    }
}
