#include "charts/Tcontrolchart.h"

#include <cmath>
#include <vector>

#include "charts/ControlChartGeometry.h"
#include "charts/RichText.h"
#include "charts/TMixinChartOwner.h"
#include "foundation/Sentinel.h"

namespace {
constexpr int kKindControlChart = 3;
constexpr int kLowerFineRange = 3008;
constexpr int kUpperFineRange = 3009;
constexpr int kClearFineRange = 3010;
constexpr double kNotComputed = -1.0;

bool IsSet(double v) { return v <= 1e30; }
} // namespace

Tcontrolchart::Tcontrolchart(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                             int xPrecision, int yPrecision)
    : Ticonchart(parent, title, x, y, w, h, xPrecision, yPrecision) {
    m_kind = kKindControlChart;
    m_lineWidth = 1;
    m_tags.reserve(20);
    m_transform.xScale = kNotComputed;
    // The pointer picks a stage: the cross-hair.
    SetCursor(plat::Cursor::Cross);
    SetBackgroundColour(plat::GetSysColor(plat::SysColor::Face3D));
    TruncatePopup(0);
    AppendPopupItem(0, CM_COPYCHARTPICTURE, "Copy Chart Picture");
    AppendPopupItem(0, CM_COPYCHARTDATA, "Copy Chart Data ");
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, CM_VIEWDATA, "View Data");
}

void Tcontrolchart::ClearMarkers() {
    for (Marker& m : m_markers)
        m = Marker{};
}

void Tcontrolchart::AddTaggedPoint(double x, double y, int tag) {
    if (m_data.IsShown()) {
        ClearMarkers();
        m_transform.xScale = kNotComputed;
        ClearData();
    }
    // Tag i goes with pair i: data emptied by a new title (another control pair) take their
    // tags along, or each point of the new curve would answer a pick with an old stage.
    if (m_data.PairCount() == 0)
        m_tags.clear();
    m_data.AddPoint(ControlChartValue(x), ControlChartValue(y));
    m_tags.push_back(tag);
}

void Tcontrolchart::ClearData() {
    Tchart::ClearData();
    m_tags.clear();
}

void Tcontrolchart::SetSubMode(int mode) {
    if (mode == SubMode())
        return;
    Ticonchart::SetSubMode(mode);
    if (mode != kFineRangeMode) {
        TruncatePopup(4);
    } else if (PopupItems().size() == 4) {
        AppendPopupItem(kPopupSeparator, 0, "");
        AppendPopupItem(0, kLowerFineRange, "Lower Fine Range");
        AppendPopupItem(0, kUpperFineRange, "Upper Fine Range");
        AppendPopupItem(0, kClearFineRange, "Clear Fine Range");
    }
}

bool Tcontrolchart::EvCommand(int id, int control, int notifyCode) {
    switch (id) {
    case kLowerFineRange: CmLowerFineRange(); return true;
    case kUpperFineRange: CmUpperFineRange(); return true;
    case kClearFineRange: CmClearFineRange(); return true;
    default: return Ticonchart::EvCommand(id, control, notifyCode);
    }
}

void Tcontrolchart::CmLowerFineRange() { DrawMarker(m_markers[0].x, m_markers[0].y, 1); }
void Tcontrolchart::CmUpperFineRange() { DrawMarker(m_markers[0].x, m_markers[0].y, 2); }

void Tcontrolchart::CmClearFineRange() {
    DrawMarker(m_markers[1].x, m_markers[1].y, 1);
    DrawMarker(m_markers[2].x, m_markers[2].y, 2);
    m_markers[1] = Marker{};
    m_markers[2] = Marker{};
}

// ---- Picking ----------------------------------------------------------------------------

void Tcontrolchart::EvLButtonDown(unsigned, plat::Point p) {
    if (m_data.IsDataEmpty() || m_tags.empty())
        return;
    if (IsCreated())
        SetCapture();
    m_dragging = 1;
    if (m_transform.xScale < 1e-5)
        m_transform.xScale = 1.0;
    if (m_transform.yScale < 1e-5)
        m_transform.yScale = 1.0;
    const double x = (p.x - m_transform.xOffset) / m_transform.xScale;
    const double y = (m_transform.yOffset - p.y) / m_transform.yScale;
    const TaggedData data(m_data.Data(), m_tags);
    const Pick pick = PickNearest(data, x, y, m_transform.yScale / m_transform.xScale, m_selectedTag);
    if (pick.index < 0)
        return;
    m_selectedX = data.X(pick.index);
    m_selectedY = data.Y(pick.index);
    m_lastMouse = p;
    if (!pick.keep)
        m_selectedTag = data.Tag(pick.index);
    if (TMixinChartOwner* owner = Owner())
        owner->SelectLoadStage(m_selectedX, m_selectedY, data.Tag(pick.index));
}

void Tcontrolchart::EvMouseMove(unsigned keyFlags, plat::Point p) {
    if (m_dragging)
        EvLButtonDown(keyFlags, p);
}

void Tcontrolchart::EvLButtonUp(unsigned, plat::Point) {
    if (!m_dragging)
        return;
    if (IsCreated() && HasCapture())
        ReleaseCapture();
    m_dragging = 0;
}

bool Tcontrolchart::GetPointBeforeSelected(double& x, double& y, int k) const {
    return PointBeforeSelected(TaggedData(m_data.Data(), m_tags), m_selectedTag, k, x, y);
}

void Tcontrolchart::GetMarkedRange(double& xLow, int& tagLow, double& xHigh, int& tagHigh) {
    if (m_transform.xScale < 1e-5)
        m_transform.xScale = 1.0;
    if (m_transform.yScale < 1e-5)
        m_transform.yScale = 1.0;
    const MarkedRange r = ::GetMarkedRange(TaggedData(m_data.Data(), m_tags), m_markers[1].x, m_markers[1].y,
                                           m_markers[2].x, m_markers[2].y,
                                           m_transform.yScale / m_transform.xScale);
    xLow = r.xLow;
    tagLow = r.tagLow;
    xHigh = r.xHigh;
    tagHigh = r.tagHigh;
}

void Tcontrolchart::ForgetFineRange() {
    m_markers[1] = Marker{kUndefined, kUndefined};
    m_markers[2] = Marker{kUndefined, kUndefined};
}

bool Tcontrolchart::HasMarkers() {
    if (SubMode() != kFineRangeMode)
        ForgetFineRange();
    return m_markers[1].y < 1e30 && m_markers[2].y < 1e30;
}

// ---- Markers ----------------------------------------------------------------------------

void Tcontrolchart::DrawMarker(double x, double y, int which) {
    if (!IsCreated()) {
        DrawMarkerOn(nullptr, x, y, which);  // no window: the marker moves all the same
        return;
    }
    plat::ClientDC dc(*this);
    DrawMarkerOn(&dc, x, y, which);
}

void Tcontrolchart::DrawMarkerOn(plat::DC* dc, double x, double y, int which) {
    if (which < 0 || which > 2)
        return;
    Marker& m = m_markers[static_cast<std::size_t>(which)];
    const bool same = x == m.x && y == m.y;
    const bool redraw = !same || which < 1;
    if (dc)
        DrawCrossHair(*dc, which);
    m = Marker{x, y};
    if (dc && redraw)
        DrawCrossHair(*dc, which);
    const TaggedData data(m_data.Data(), m_tags);
    const Pick nearest = NearestForMarker(data, x, y, m_selectedTag);
    if (!nearest.keep)
        m_selectedTag = nearest.index < 0 ? 0 : data.Tag(nearest.index);
}

int Tcontrolchart::TitleBand(plat::DC& dc) const {
    const plat::LogFont old = dc.SelectFont(TitleFont());
    const int band = dc.GetTextExtent(m_data.Title().empty() ? std::string("X") : m_data.Title()).cy + 2;
    dc.SelectFont(old);
    return band;
}

void Tcontrolchart::EnsureTransform(plat::DC& dc) {
    if (m_transform.xScale != kNotComputed)
        return;
    const int band = TitleBand(dc);
    const ChartBounds a = m_data.AxisRange();
    const MarkerTransform t = ComputeMarkerTransform(Width(), Height(), band, a.xMin, a.xMax, a.yMin, a.yMax);
    m_transform = ChartTransform{t.xOffset, t.yOffset, t.xScale, t.yScale};
}

void Tcontrolchart::DrawCrossHair(plat::DC& dc, int which) {
    const Marker& m = m_markers[static_cast<std::size_t>(which)];
    if (!IsSet(m.x) || m_data.IsDataEmpty() || !m_data.IsShown())
        return;
    plat::Pen pen{plat::PenStyle::Solid, 1, which == 0 ? plat::Color(0, 128, 0) : plat::Color(192, 0, 0)};
    if (BlackAndWhite())
        pen.color = plat::Colors::Black;
    const plat::Rop oldRop = dc.SetROP2(BlackAndWhite() ? plat::Rop::CopyPen : plat::Rop::NotXorPen);
    const plat::Pen oldPen = dc.SelectPen(pen);
    EnsureTransform(dc);
    const int W = Width(), H = Height();
    const int margin = static_cast<int>(0.05 * W);
    const int top = TitleBand(dc);
    const double px = m.x * m_transform.xScale + m_transform.xOffset;
    const double py = m_transform.yOffset - m.y * m_transform.yScale;
    // The lines pass round the chart's range numbers, title and note, which stay legible; the
    // same stretches are left out when the marker is drawn again to be erased.
    const std::vector<plat::Rect> texts = TextBoxes();
    // The window draws each line as two pixel rows side by side. A page maps them apart, and
    // two strokes of the scaled pen land a dot apart wherever the mapping rounds them so: there
    // each dash is one bar over both rows, clear of the texts on either.
    const plat::Mapping& map = dc.State().mapping;
    const bool page = map.ScaleX() != 1.0 || map.ScaleY() != 1.0;
    if (px > 0 && px < W) {
        const int x = static_cast<int>(px);
        const auto dashes = CrossHairDashes(top, H - margin - top);
        if (page) {
            for (auto [a, b] : DashesClearOf(DashesClearOf(dashes, x, true, texts), x + 1, true, texts))
                dc.FillRect(plat::Rect{x, a, x + 2, b}, pen.color);
        } else {
            for (int dx : {0, 1})
                for (auto [a, b] : DashesClearOf(dashes, x + dx, true, texts)) {
                    dc.MoveTo(x + dx, a);
                    dc.LineTo(x + dx, b);
                }
        }
    }
    if (py > 0 && py < H) {
        const int y = static_cast<int>(py);
        const auto dashes = CrossHairDashes(margin, W - 2 * margin);
        if (page) {
            for (auto [a, b] : DashesClearOf(DashesClearOf(dashes, y, false, texts), y + 1, false, texts))
                dc.FillRect(plat::Rect{a, y, b, y + 2}, pen.color);
        } else {
            for (int dy : {0, 1})
                for (auto [a, b] : DashesClearOf(dashes, y + dy, false, texts)) {
                    dc.MoveTo(a, y + dy);
                    dc.LineTo(b, y + dy);
                }
        }
    }
    dc.SelectPen(oldPen);
    dc.SetROP2(oldRop);
}

void Tcontrolchart::Paint(plat::DC& dc, bool erase, const plat::Rect& rect) {
    const int W = Width(), H = Height();
    dc.SetBkColor(plat::GetSysColor(plat::SysColor::Face3D));
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::GetSysColor(plat::SysColor::Shadow3D)});
    dc.MoveTo(W, 0);
    dc.LineTo(0, 0);
    dc.LineTo(0, H - 1);
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::GetSysColor(plat::SysColor::Highlight3D)});
    dc.LineTo(W - 1, H - 1);
    dc.LineTo(W - 1, 1);
    dc.SelectPen(plat::Pen{});
    if (SubMode() == kStructureMode) {
        m_markerMargin = static_cast<int>(0.05 * W);
        const int band = TitleBand(dc);
        const plat::Point old = dc.SetWindowOrg(plat::Point{0, -band});
        if (TMixinChartOwner* owner = Owner())
            owner->DrawStructurePicture(dc, 0, W, H - m_markerMargin - band, 1, 1.0);
        dc.SetWindowOrg(old);
    }
    Ticonchart::Paint(dc, erase, rect);
    if (m_data.IsShown() && !m_data.IsDataEmpty())
        for (int which = 0; which < 3; ++which)
            DrawCrossHair(dc, which);
}
