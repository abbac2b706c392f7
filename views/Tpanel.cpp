#include "views/Tpanel.h"

#include <algorithm>
#include <cmath>

#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/TShell.h"
#include "platform/DC.h"
#include "platform/Ui.h"

namespace {

namespace TA = plat::TextAlign;

constexpr int kPanelKind = 11;
constexpr double kBig = 1e30;
// Every drawing loop stops after this many steps, whatever the spacing.
constexpr int kMaxSteps = 100;
constexpr double kHalfPi = 1.5707963267945;

// Positions to the nearest pixel: a crack at 90 degrees stays on its column.
plat::Point Px(double x, double y) { return plat::Point{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))}; }

} // namespace

plat::Color PanelBarColour(int code)
{
    switch (code) {
    case -1: return plat::Color(0, 128, 0);
    case 2: return plat::Colors::LtRed;
    case -2: return plat::Colors::LtGreen;
    case 10: return plat::Colors::White;
    default: return plat::Color(128, 0, 0);
    }
}

DiagramPlan PlanPanel(const PanelFrame& f, const std::vector<double>& r, int* margin)
{
    DiagramPlan plan;
    plan.Text(f.title, {f.W / 2, 0}, f.titleFont, TA::Center, TA::Top);
    const double size = 5.0 * f.thickness;
    const int m = static_cast<int>(0.05 * f.W);
    if (margin)
        *margin = m;
    const double k = size > 0.0 ? std::min(f.W - 2 * m, f.H - f.top - m) / size : 0.0;
    const double cx = f.W / 2;
    const double cy = (f.H - m) - 0.5 * (f.H - f.top - m);
    const double h = 0.5 * size * k;

    // The bars: lines at 0, s, 2s ... from the centre on both sides.
    const auto bars = [&](const PanelBars& b, bool horizontal) {
        if (!b.present)
            return;
        plan.Pen(std::max(1, static_cast<int>(k * b.diameter)), plat::Colors::LtGray);
        double p = 0.0;
        for (int n = 0; p < size / 2.0 && n < kMaxSteps; ++n, p += b.spacing) {
            for (const double side : {1.0, -1.0}) {
                if (horizontal)
                    plan.Line(Px(cx - h, cy + side * p * k), Px(cx + h, cy + side * p * k));
                else
                    plan.Line(Px(cx + side * p * k, cy - h), Px(cx + side * p * k, cy + h));
                if (p == 0.0)
                    break;
            }
        }
    };
    if (f.barsShown) {
        bars(f.x, true);
        bars(f.y, false);
    }
    plan.Pen(1, plat::Colors::Black);
    plan.Polyline({Px(cx - h, cy - h), Px(cx + h, cy - h), Px(cx + h, cy + h), Px(cx - h, cy + h),
                   Px(cx - h, cy - h)});
    if (!(r[0] > kBig))
        return plan;

    const double s = r[1], theta = r[2], w = r[3];
    plan.Clip(RectOf(Px(cx - h, cy - h), Px(cx + h, cy + h)));
    // Yield zones on the centre row (x bars) and the centre column (y bars).
    if (f.barsShown && f.x.present) {
        if (f.blackAndWhite)
            plan.Pen(f.lineWidth, plat::Colors::Black);
        else
            plan.Pen(std::max(3, f.lineWidth), PanelBarColour(static_cast<int>(r[10])));
        if (r[8] > kBig) {
            plan.Line(Px(cx - h, cy), Px(cx + h, cy));
        } else if (r[4] > kBig) {
            const double fx = std::fabs(theta) <= 1e-6 ? 500.0 : s / std::sin(theta);
            const double half = 0.5 * r[6] * fx * k;
            double o = 0.0;
            for (int n = 0; o < 0.7 * size && n < kMaxSteps; ++n, o += fx)
                for (const double side : {1.0, -1.0}) {
                    const double x = cx + side * o * k;
                    plan.Line(Px(x - half, cy), Px(x + half, cy));
                }
        }
    }
    if (f.barsShown && f.y.present) {
        if (!f.blackAndWhite)
            plan.Pen(std::max(3, f.lineWidth), PanelBarColour(static_cast<int>(r[11])));
        if (r[9] > kBig) {
            plan.Line(Px(cx, cy - h), Px(cx, cy + h));
        } else if (r[5] > kBig) {
            const double fy = std::fabs(theta - kHalfPi) <= 1e-6 ? 500.0 : s / std::cos(theta);
            const double half = 0.5 * r[7] * fy * k;
            double o = -fy;
            for (int n = 0; o < 0.7 * size && n < kMaxSteps; ++n, o += fy)
                for (const double side : {-1.0, 1.0}) {
                    const double y = cy + side * o * k;
                    plan.Line(Px(cx, y - half), Px(cx, y + half));
                }
        }
    }
    // The cracks: lines along (cos, sin) in screen axes, centres j s apart along the normal.
    plan.Pen(1, plat::Colors::Black);
    const double c = std::cos(theta), sn = std::sin(theta);
    const double reach = size * k;
    for (int j = 0; j * s < 0.707 * size && j < kMaxSteps; ++j)
        for (const int side : {1, -1}) {
            const double ox = cx + side * j * s * k * sn;
            const double oy = cy - side * j * s * k * c;
            plan.Line(Px(ox - reach * c, oy - reach * sn), Px(ox + reach * c, oy + reach * sn));
            if (j == 0)
                break;
        }
    const char* format = f.unitSystem == kUnitSI ? "%5.2f" : "%5.3f";
    plan.Text(StrPrintf(format, w * UnitFactor(ukSectionLength, f.unitSystem)), Px(cx, cy), f.textFont,
              TA::Left, TA::Bottom);
    plan.Unclip();
    return plan;
}

Tpanel::Tpanel(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int xPrecision,
               int yPrecision, int drawMode)
    : Tchart(parent, title, x, y, w, h, xPrecision, yPrecision, drawMode)
{
    m_kind = kPanelKind;
    // The crack width and the title are written no smaller than a readable text.
    m_readableText = true;
    TruncatePopup(0);
    AppendPopupItem(0, CM_COPYCHARTPICTURE, "Copy Picture");
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, CM_AUTOMAXRANGE, "Toggle Bars");
    AppendPopupItem(0, CM_COPYCHARTDATA, "Select Font");
    AppendPopupItem(0, CM_POPUP3002, "Edit Title");
}

Tpanel::~Tpanel() = default;

void Tpanel::AttachStructure(TStructure* structure)
{
    m_element.reset();
    if (const auto* shell = dynamic_cast<const TShell*>(structure))
        m_element = std::make_unique<TShell>(*shell);
}

bool Tpanel::Frame(PanelFrame& f)
{
    RefreshFontHeights();
    if (!m_element)
        return false;
    f.W = Width();
    f.H = Height();
    f.top = m_margins.top;
    f.thickness = m_element->GetHeight();
    const int directions = m_element->GetLongDirectionCount();
    for (int d = 0; d < 2 && d < directions; ++d) {
        if (m_element->GetLongLayerCount(d) <= 0)
            continue;
        const LongLayerRec* layer = m_element->GetLongLayer(0, d);
        if (!layer)
            continue;
        PanelBars& b = d == 0 ? f.x : f.y;
        b.present = true;
        b.diameter = layer->db;
        b.spacing = layer->space;
    }
    f.barsShown = m_barsShown;
    f.blackAndWhite = m_blackAndWhite != 0;
    f.lineWidth = m_lineWidth;
    f.unitSystem = g_UnitSystem;
    f.title = TitleShown();
    f.titleFont = TitleFont();
    f.textFont = TextFont();
    return true;
}

void Tpanel::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    PanelFrame frame;
    if (!Frame(frame) || !m_data.IsShown() || m_data.IsDataEmpty()) {
        DrawNoData(dc);
        return;
    }
    dc.SetBkMode(plat::BkMode::Transparent);
    int m = 0;
    const DiagramPlan plan = PlanPanel(frame, ReadDiagramRecord(m_data.Data(), 6), &m);
    m_margins.left = m_margins.right = m_margins.bottom = m;
    plan.Replay(dc, m_blackAndWhite != 0);
    if (IsSelected() && !m_blackAndWhite)
        DrawSelectionOn(dc);
}

void Tpanel::Redraw()
{
    if (IsCreated())
        Invalidate(true);
}

void Tpanel::CmPopup3002()
{
    std::string title = m_data.Title();
    if (plat::InputDialog("Edit Title", "Enter title of this drawing", title))
        SetTitle(title);
    Layout();
    Redraw();
}

void Tpanel::CmPopup3003()
{
    SelectAxesFont();
    Redraw();
}

void Tpanel::CmPopup3004()
{
    m_barsShown = !m_barsShown;
    Redraw();
}
