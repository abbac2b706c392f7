#include "charts/TContour.h"

#include <algorithm>
#include <cmath>

#include "charts/ChartAxes.h"
#include "charts/ChartExport.h"
#include "charts/RichText.h"
#include "platform/DC.h"
#include "platform/Ui.h"

namespace TA = plat::TextAlign;

namespace {

int Trunc(double v) { return static_cast<int>(v); }

ContourOutlineDrawer& OutlineDrawer()
{
    static ContourOutlineDrawer drawer;
    return drawer;
}

// The value range of the grid's defined values below 1e30, zero included; false when none.
bool GridValueRange(const ContourGrid& g, double& lo, double& hi)
{
    if (!g.Valid())
        return false;
    lo = 0.0;
    hi = 0.0;
    for (int j = 0; j < g.n; ++j)
        for (int i = 0; i < g.n; ++i) {
            const double v = g.Value(i, j);
            if (IsContourNoValue(v) || !(std::fabs(v) < 1e30))
                continue;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    return true;
}

} // namespace

ContourOutlineDrawer SetContourOutlineDrawer(ContourOutlineDrawer drawer)
{
    ContourOutlineDrawer previous = std::move(OutlineDrawer());
    OutlineDrawer() = std::move(drawer);
    return previous;
}

TContourBase::TContourBase(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                           int xPrecision, int yPrecision, int drawMode, int kind)
    : Tchart(parent, title, x, y, w, h, xPrecision, yPrecision, drawMode)
{
    m_kind = kind;
    const int text = Trunc(-40.0 * w / 800.0);
    SetFontHeights(static_cast<int>(TitleHeight()), text);
    RefreshFontHeights();
    TruncatePopup(0);
    AppendPopupItem(0, CM_COPYCHARTPICTURE, "Copy Picture");
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, CM_VIEWDATA, "View Data");
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, CM_COPYCHARTDATA, "Select Font");
    AppendPopupItem(0, CM_POPUP3002, "Edit Title");
}

void TContourBase::AutoScale()
{
    const bool autoMin = m_data.IsAutoEnd(ChartEnd::YMin), autoMax = m_data.IsAutoEnd(ChartEnd::YMax);
    Tchart::AutoScale();
    double lo = 0.0, hi = 0.0;
    if (!GridValueRange(ReadContourGrid(m_data.Data()), lo, hi) || m_data.GetMaxRange())
        return;
    // The header pair (extent, n) is no value: the scale and its ticks follow the values.
    if (autoMin)
        m_data.SetAxisEnd(ChartEnd::YMin, lo, false);
    if (autoMax)
        m_data.SetAxisEnd(ChartEnd::YMax, hi, false);
    m_data.AutoScale();
    m_data.SetAxisEnd(ChartEnd::YMin, m_data.AxisRange().yMin, autoMin);
    m_data.SetAxisEnd(ChartEnd::YMax, m_data.AxisRange().yMax, autoMax);
}

void TContourBase::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    RefreshFontHeights();
    const ContourGrid grid = ReadContourGrid(m_data.Data());
    if (!m_data.IsShown() || !grid.Valid()) {
        DrawNoData(dc);
        return;
    }
    m_extent = grid.extent;
    m_n = grid.n;
    DrawField(dc, grid);
    if (IsSelected() && !m_blackAndWhite)
        DrawSelectionOn(dc);
}

void TContourBase::DrawFrame(plat::DC& dc, Frame& f, int verticalMargin, int floorRise)
{
    f.W = Width();
    f.H = Height();
    dc.SetBkMode(plat::BkMode::Transparent);
    dc.SetTextColor(plat::Colors::Black);
    const plat::Size title = DrawRichText(dc, f.W / 2, 0, m_data.Title(), TitleFont(), TA::Center, TA::Top);

    // The value axis title, reading upward; its height is the left margin.
    plat::LogFont upright = TextFont();
    upright.escapement = 900;
    dc.SelectFont(upright);
    const plat::Size yt = dc.GetTextExtent(m_data.YTitle());
    dc.SetTextAlign(TA::Left | TA::Top);
    if (!m_data.YTitle().empty())
        dc.TextOut(2, f.H / 2 + yt.cx / 2, m_data.YTitle());
    f.left = yt.cy;

    // Tick labels: at most 50 from the minimum by the tick step.
    const ChartBounds& a = m_data.AxisRange();
    const double step = m_data.YStep();
    std::vector<std::pair<double, std::string>> ticks;
    const bool logarithmic = m_logarithmic && a.yMin > 0.0 && a.yMax > 0.0;
    if (logarithmic) {
        if (step < 1e30)
            for (const double v : LogDecadeTicks(a.yMin, a.yMax))
                ticks.emplace_back(v, FormatAxisLabelText(m_data.YFormat(), v));
    } else if (step > 0.0 && step < 1e30 && a.yMax >= a.yMin)
        for (int t = 0; t < 50; ++t) {
            // Whole numbers on a whole-number step; a finer step (the factors 0 to 1) keeps
            // its fractions, which truncation would pile onto the axis foot.
            const double raw = a.yMin + t * step;
            const double v = step >= 1.0 ? Trunc(raw) : raw;
            if (a.yMin + t * step > a.yMax + 1e-9 * step)
                break;
            ticks.emplace_back(v, FormatAxisLabelText(m_data.YFormat(), v));
        }
    dc.SelectFont(TextFont());
    int widest = 0;
    for (const auto& t : ticks)
        widest = std::max(widest, MeasureRichText(dc, t.second, TextFont()).cx);
    const int column = widest + 2 * std::max(f.W / 100, 4);

    // The field starts below the title: the wire mesh's back posts rise to its top.
    f.top = std::max(verticalMargin, Trunc(1.1 * title.cy));
    f.bottom = verticalMargin;
    if (floorRise == 0)
        f.top = Trunc(1.1 * title.cy);
    const int span = f.H - f.top - f.bottom - 2 * floorRise;
    f.axis = MakeValueAxis(a.yMin, a.yMax, logarithmic, f.H - f.bottom - floorRise, span);
    f.k = f.axis.k;
    f.y0 = f.axis.y0;
    f.x0 = f.left + column;
    f.axisTop = f.top + floorRise;

    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
    BeforeTicks(dc, f);
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
    dc.MoveTo(f.x0, f.y0);
    dc.LineTo(f.x0, f.axisTop);
    const int tick = std::max(f.W / 100, 4);
    // Every tick is drawn; a number whose letters would meet those of a number drawn before it
    // (a fine step on a short axis) is left out.
    std::vector<plat::Rect> drawn;
    for (const auto& t : ticks) {
        const int y = AxisY(f.axis, t.first);
        dc.MoveTo(f.x0 - tick, y);
        dc.LineTo(f.x0, y);
        const AxisLabel label{t.second, {f.x0 - tick - 1, y - std::abs(TextFont().height) / 2}, TA::Right, TA::Top};
        const plat::Rect letters = NumberLettersBox(label, MeasureRichText(dc, t.second, TextFont()));
        const bool meets = std::any_of(drawn.begin(), drawn.end(), [&](const plat::Rect& b) {
            return letters.left < b.right && b.left < letters.right && letters.top < b.bottom && b.top < letters.bottom;
        });
        if (meets)
            continue;
        drawn.push_back(letters);
        DrawRichText(dc, label.at.x, label.at.y, t.second, TextFont(), TA::Right, TA::Top);
    }
}

void TContourBase::CmPopup3000()
{
    if (m_kind == kContourColourKind) {
        const ContourGrid g = ReadContourGrid(m_data.Data());
        if (g.Valid()) {
            m_extent = g.extent;
            m_n = g.n;
        }
    }
    ExportChartText(ExportText(), 1, this);
}

void TContourBase::CmPopup3002()
{
    std::string title = m_data.Title();
    if (plat::InputDialog("Edit Title", "Enter title of this drawing", title))
        SetTitle(title);
    Layout();
    if (IsCreated())
        Invalidate(true);
}

void TContourBase::CmPopup3003()
{
    SelectAxesFont();
    if (IsCreated())
        Invalidate(true);
}

// ---- The wire mesh ------------------------------------------------------------------------

TContour3D::TContour3D(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                       int xPrecision, int yPrecision, int drawMode)
    : TContourBase(parent, title, x, y, w, h, xPrecision, yPrecision, drawMode, kContour3DKind)
{
}

std::string TContour3D::ExportText() const
{
    // The n of the last paint, and only while the data still holds that grid.
    ContourGrid g = ReadContourGrid(m_data.Data());
    if (m_n < 2 || !g.Valid() || g.n != m_n)
        g = ContourGrid{};
    return ContourExportText(g);
}

void TContour3D::DrawField(plat::DC& dc, const ContourGrid& grid)
{
    MeshProjection& p = m_projection;
    p.d = Width() / 2.5;
    const double sa = std::sin(p.angle), ca = std::cos(p.angle);
    Frame f;
    DrawFrame(dc, f, Trunc(0.05 * Height()), Trunc(p.d * sa));
    p.x0 = f.x0;
    p.y0 = f.y0;
    p.k = f.k;
    const double d = p.d;
    const int x0 = f.x0, y0 = f.H - f.bottom - Trunc(d * sa);
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
    dc.Polyline({{x0, y0},
                 {Trunc(x0 + d * ca), Trunc(y0 + d * sa)},
                 {Trunc(x0 + 2 * d * ca), y0},
                 {Trunc(x0 + d * ca), Trunc(y0 - d * sa)},
                 {x0, y0}});
    const int rise = y0 - f.axisTop;
    dc.MoveTo(Trunc(x0 + 2 * d * ca), y0);
    dc.LineTo(Trunc(x0 + 2 * d * ca), y0 - rise);
    dc.MoveTo(Trunc(x0 + d * ca), Trunc(y0 - d * sa));
    dc.LineTo(Trunc(x0 + d * ca), Trunc(y0 - d * sa) - rise);

    const plat::Color mesh = m_blackAndWhite ? plat::Colors::Black : plat::Colors::LtBlue;
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, mesh});
    for (const GridSegment& s : ContourMeshSegments(grid)) {
        dc.MoveTo(MeshPoint(p, grid.n, s.i0, s.j0, AxisMeasure(f.axis, grid.Value(s.i0, s.j0))));
        dc.LineTo(MeshPoint(p, grid.n, s.i1, s.j1, AxisMeasure(f.axis, grid.Value(s.i1, s.j1))));
    }
}

// ---- The colour image ---------------------------------------------------------------------

TContourColour::TContourColour(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                               int xPrecision, int yPrecision, int drawMode)
    : TContourBase(parent, title, x, y, w, h, xPrecision, yPrecision, drawMode, kContourColourKind)
{
}

bool TContourColour::Grey() const { return m_blackAndWhite != 0; }

std::string TContourColour::ExportText() const { return ContourExportText(ReadContourGrid(m_data.Data())); }

void TContourColour::BeforeTicks(plat::DC& dc, Frame& f)
{
    // The colour scale: N equal bands from the axis foot to the top margin, band k in
    // palette colour k + 1, outlined.
    const int bar = f.W / 24;
    const int foot = f.H - f.bottom;
    const double band = static_cast<double>(foot - f.top) / kContourSteps;
    for (int k = 0; k < kContourSteps; ++k) {
        const int lo = Trunc(foot - k * band), hi = Trunc(foot - (k + 1) * band);
        dc.FillRect({f.x0, hi, f.x0 + bar, lo}, ContourPaletteColour(k + 1, Grey()));
    }
    dc.Polyline({{f.x0, foot}, {f.x0 + bar, foot}, {f.x0 + bar, f.top}, {f.x0, f.top}, {f.x0, foot}});
    m_frame = f;
    m_frame.left = f.x0 + bar + 3;
}

void TContourColour::DrawField(plat::DC& dc, const ContourGrid& grid)
{
    Frame f;
    DrawFrame(dc, f, Trunc(0.1 * Height()), 0);
    const int left = m_frame.left;
    const int right = Trunc(0.05 * f.W), bottom = Trunc(0.05 * f.H);
    const int aw = f.W - left - right, ah = f.H - f.top - bottom;
    const int r = grid.n - FirstUsedContourColumn(grid);
    if (r <= 0 || aw <= 0 || ah <= 0)
        return;
    const int S = std::min(Trunc(aw / (2.0 * r / grid.n)), ah);
    const int iw = Trunc(2.0 * S * r / grid.n);
    if (S <= 0 || iw <= 0)
        return;
    const ChartBounds& a = m_data.AxisRange();
    plat::MemoryDC image(iw, S, plat::Colors::White);
    for (const ContourCell& c : ContourImageCells(grid, S, a.yMin, a.yMax))
        image.FillRect(c.rect, ContourPaletteColour(c.colour, Grey()));
    const double S1 = S + 1;
    if (const TStructure* s = GetStructure(); s && OutlineDrawer())
        OutlineDrawer()(image, *s, iw / 2.0, S1, S1 / (grid.extent + 0.0001));
    const int cx = aw / 2 + left, cy = (f.top - bottom + f.H) / 2;
    dc.DrawImage({cx - iw / 2, cy - S / 2, cx - iw / 2 + iw, cy - S / 2 + S}, image.Bitmap());
}
