#include "app/summary/SummaryLayout.h"

#include <algorithm>
#include <cmath>

#include "app/GlobalTables.h"
#include "app/summary/CrossSection.h"
#include "charts/DrawingSheet.h"
#include "charts/Tchart.h"
#include "foundation/StrFormat.h"
#include "foundation/TDepthTable.h"
#include "foundation/Units.h"
#include "model/ModelHelpers.h"
#include "model/TBeam.h"
#include "model/TStructure.h"

namespace {
constexpr double kHalfPi = 1.5707963267945;

plat::Rect CentredBox(double cx, double cy, int D)
{
    const int half = D / 2;
    return {PixelTrunc(cx) - half,
            PixelTrunc(cy) - half,
            PixelTrunc(cx) + half,
            PixelTrunc(cy) + half};
}
} // namespace

int PixelTrunc(double v)
{
    if (!(v > -kPixelLimit))
        return v != v ? 0 : -static_cast<int>(kPixelLimit);
    if (v > kPixelLimit)
        return static_cast<int>(kPixelLimit);
    return static_cast<int>(v);
}

double AxialLoadPosition(const TStructure& structure)
{
    if (const auto* beam = dynamic_cast<const TBeam*>(&structure))
        return beam->GetMomentAxis();
    return kUndefined;
}

SectionFit FitSectionToRect(const TStructure* structure, int w, int h, int u)
{
    SectionFit fit;
    fit.x0 = 0.62 * w + u;
    if (structure == nullptr)
        return fit;
    const double H = structure->GetHeight();
    if (!(H > 0.0)) {
        fit.y0 = h / 2;
        fit.s = 1.0;
        fit.widest = 0.0;
        return fit;
    }
    double B = 0.0;
    for (int i = 0; i < structure->GetRegionCount(); ++i) {
        const ConcreteRegionRec* r = structure->GetRegion(i);
        B = std::max({B, r->topWidth, r->bottomWidth});
    }
    fit.widest = B;
    const double top = structure->GetTop();
    const double A = 0.75 * (h - 2 * u);
    // A section without width is placed by its height alone (the cap below applies).
    double s = B > 0.0 ? (0.48 * (w - 2 * u) - 0.25 * h) / B : HUGE_VAL;
    const double yc = 0.5 * A + u;
    const double p = AxialLoadPosition(*structure);
    const bool positioned = p <= 1e30;
    double y0 = positioned ? yc + s * (0.5 * H - p) : yc - s * H * (0.5 - top / H);
    const double cap = (A - 0.3 * h) / H;
    if (s > cap) {
        s = cap;
        y0 = positioned ? yc + s * (0.5 * H - p) : (0.7 * top / H + 0.15) * A + u;
    }
    // The notes over the title block (the cover, "All dimensions in ...", the experimental points
    // and the axial load when given) stand in rows 2 u apart above its four lines, their fonts of
    // sw / 60 and sw / 50 (sw the width the sheet sizes them by) with a line of 1.2 times that:
    // on a wide, low page they reach up over the section. The section and its width dimension
    // below it (0.05 h and a tick and a half of h / 100) keep above them, the section's top
    // where it was.
    std::string points;
    const int rows = positioned ? 8 : CountExperimentalPoints(structure, points) > 0 ? 6 : 4;
    const int sw = SheetSizingWidth(w, h);
    const double notesTop = h - 4 * 1.2 * (sw / 50) - rows * u - 1.2 * (sw / 60);
    const double floor = notesTop - 0.065 * h - 0.5 * u;
    const double topY = y0 - top * s;
    if (topY + H * s > floor && floor - topY > 0.1 * H * s) {
        s = (floor - topY) / H;
        y0 = topY + top * s;
    }
    fit.s = std::fabs(s);
    fit.y0 = y0;
    return fit;
}

int StressStyleCode(double v, double limit)
{
    if (v > 0.0 && std::fabs(v - limit) < 0.01 * limit)
        return 1;
    if (v < 0.0 && std::fabs(v + limit) < 0.01 * limit)
        return 2;
    if (std::fabs(v) > 1e30)
        return 0;
    if (v > limit)
        return 3;
    if (v < -limit)
        return 4;
    return -1;
}

plat::Color StressStyleColor(int code)
{
    switch (code) {
    case 1:
        return {128, 0, 0};
    case 2:
        return {0, 128, 0};
    case 3:
        return plat::Colors::LtRed;
    case 4:
        return plat::Colors::LtGreen;
    default:
        return plat::Colors::Black;
    }
}

int BarSizePixels(double db, double s)
{
    return std::max(5, PixelTrunc(db * s));
}

std::vector<plat::Rect> CircularBarBoxes(
    double z, double radius, double centre, int bars, int D, double x0, double y0, double s)
{
    const double R = radius < 0.0001 ? 0.01 : radius;
    const double r = (z - centre) / R;
    const double theta = std::fabs(r) <= 1.0 ? std::asin(r) - kHalfPi : 0.0;
    const double yc = y0 - (R * std::cos(theta) + centre) * s;
    const double dx = R * std::sin(theta) * s;
    const int half = D / 2;
    auto box = [&](double cx) {
        return plat::Rect{PixelTrunc(cx - half),
                          PixelTrunc(yc - half + 0.5),
                          PixelTrunc(cx + half),
                          PixelTrunc(yc + half + 0.5)};
    };
    std::vector<plat::Rect> boxes{box(x0 + 0.5 + dx)};
    if (bars > 1)
        boxes.push_back(box(x0 + 0.5 - dx));
    return boxes;
}

std::vector<plat::Rect> LayerBarBoxes(double z,
                                      int n,
                                      double db,
                                      double xb,
                                      double W,
                                      double E,
                                      int D,
                                      double x0,
                                      double y0,
                                      double s)
{
    std::vector<plat::Rect> boxes;
    const double yc = y0 - z * s;
    if (n <= 0)
        return boxes;
    if (n == 1) {
        boxes.push_back(CentredBox(x0 + xb * s, yc, D));
        return boxes;
    }
    boxes.reserve(static_cast<std::size_t>(n));
    const bool overWidth = E == -1.0 || E <= n * db || (W != 0.0 && E / W <= 0.3);
    if (overWidth) {
        for (int k = 1; k <= n; ++k)
            boxes.push_back(CentredBox(x0 + 0.5 - (W / 2 - k * W / (n + 1)) * s, yc, D));
        return boxes;
    }
    const int half = D / 2;
    for (int k = 0; k < n; ++k) {
        const int right = PixelTrunc(x0 + 0.5 + E * s / 2 - k * (E * s - D) / (n - 1));
        boxes.push_back({right - D, PixelTrunc(yc) - half, right, PixelTrunc(yc) + half});
    }
    return boxes;
}

double StirrupBendDiameter(double db)
{
    return std::max(4.0 * db, (166.7 * db + 2.5) * db);
}

double HookTailLength(double db)
{
    return std::max(6.0 * db, 0.06);
}

StirrupGeometry ComputeStirrupGeometry(double W, double cover, double db, double s)
{
    StirrupGeometry g;
    g.inset = W < 2 * cover + 2 * db ? (W - 2 * db) / 3 : cover;
    g.outer = PixelTrunc((W / 2 - g.inset) * s);
    g.inner = PixelTrunc((W / 2 - g.inset - db) * s + 0.5);
    g.bend = StirrupBendDiameter(db);
    g.bendRadius = PixelTrunc((g.bend + db) * s / 2 + 0.5);
    g.band = PixelTrunc(db * s + 0.5);
    return g;
}

namespace {
struct PropertyRowDef {
    const char* word;
    int kind;
    int exponents[4];
};
constexpr PropertyRowDef kPropertyRows[6] = {
    {"Area", ukArea, {3, 0, 0, 0}},
    {"Inertia", ukSecondMoment, {6, 0, 3, 0}},
    {"y_t", ukSectionLength, {0, 0, 0, 0}},
    {"y_b", ukSectionLength, {0, 0, 0, 0}},
    {"S_t", ukFirstMoment, {3, 0, 0, 0}},
    {"S_b", ukFirstMoment, {3, 0, 0, 0}},
};
const PropertyRowDef& RowDef(int row)
{
    return kPropertyRows[std::clamp(row, 1, 6) - 1];
}
int SystemColumn(int unitSystem)
{
    return unitSystem >= 0 && unitSystem < 4 ? unitSystem : 0;
}
} // namespace

int PropertyRowExponent(int row, int unitSystem)
{
    return RowDef(row).exponents[SystemColumn(unitSystem)];
}

std::string PropertyRowLabel(int row, int unitSystem)
{
    const int saved = g_UnitSystem;
    g_UnitSystem = unitSystem;
    std::string label;
    AreaUnitSuffix(label, RowDef(row).word, RowDef(row).kind, PropertyRowExponent(row, unitSystem));
    g_UnitSystem = saved;
    return label;
}

std::string PropertyRowValue(int row, double quantity, int unitSystem)
{
    const double shown = ToDisplayUnits(quantity, RowDef(row).kind, unitSystem) /
                         std::pow(10.0, PropertyRowExponent(row, unitSystem));
    if (row == 3 || row == 4) {
        const std::string format = setup_units("%3.~f", 0, 1, 1, unitSystem);
        return StrPrintf(format.c_str(), shown);
    }
    return StrPrintf("%3.1f", shown);
}

void AppendSignificant(std::string& text, double value)
{
    const double v = value == 0.0 ? 0.0 : value;
    const double a = std::fabs(v);
    const double e = a > 0.0001 ? std::log10(a) : 0.0;
    const int k = std::clamp(PixelTrunc(3.5 - e), 0, 20);
    const std::string number =
        a >= 0.0001 ? StrPrintf(StrPrintf("%%5.%df", k).c_str(), v) : StrPrintf("%3.1f", v);
    text += number;
    if (v < 999 && k > 0) {
        while (text.size() >= 2 && text.back() == '0' && text[text.size() - 2] != '.')
            text.pop_back();
    }
}

int CatalogRowHeight(int cw)
{
    const int rh = PixelTrunc(0.75 * cw);
    return rh > 0 ? rh : 10;
}

std::vector<CatalogRow>
ListCatalogRows(const TStructure* current, int /*x*/, int y, int wp, int w, int h, int m)
{
    std::vector<CatalogRow> rows;
    const int t = PixelTrunc(0.1 * h);
    const int rh = CatalogRowHeight(w - wp - m);
    bool markedOne = false;
    for (int slot = 0; slot < kMaxStructures; ++slot) {
        const TStructure* st = StructureAt(slot);
        if (st == nullptr || st->GetKind() != kKindBeam)
            continue;
        CatalogRow row;
        row.slot = slot;
        row.top = y + t + static_cast<int>(rows.size()) * rh;
        row.bottom = row.top + rh - 1;
        if (!markedOne && current != nullptr && st->GetTitle() == current->GetTitle()) {
            row.marked = true;
            markedOne = true;
        }
        rows.push_back(row);
        if (h < row.bottom + 1 + rh)
            break;
    }
    return rows;
}

std::vector<LegendRun> ConcreteTypeRuns(const TStructure& structure)
{
    std::vector<LegendRun> runs;
    for (int i = 0; i < structure.GetRegionCount(); ++i) {
        const ConcreteRegionRec* r = structure.GetRegion(i);
        if (!runs.empty() && runs.back().type == r->concreteType) {
            runs.back().last = i;
            runs.back().bottom = r->bottom;
            continue;
        }
        runs.push_back({i, i, r->top, r->bottom, r->concreteType});
    }
    return runs;
}

int ConcreteTypeGrey(int type)
{
    return std::clamp(10 * (24 - type), 0, 255);
}

WebRegion FindWebRegion(const TStructure& structure)
{
    const int n = structure.GetRegionCount();
    WebRegion web;
    double vmin = 1e20;
    double vmax = -1.0;
    double tallest = -1e300;
    int widest = -1;
    for (int i = 0; i < n; ++i) {
        const ConcreteRegionRec* r = structure.GetRegion(i);
        const double v = r->topWidth + r->bottomWidth;
        if (v - vmin < 1e-5) {
            const double height = r->top - r->bottom;
            if (web.index < 0 || height > tallest || v < 0.95 * vmin)
                web.index = i;
            tallest = std::max(tallest, height);
            vmin = v;
        }
        if (v > vmax) {
            vmax = v;
            widest = i;
        }
    }
    if (web.index == 0 || web.index == n - 1)
        web.index = widest;
    else
        web.inner = web.index > 0;
    return web;
}

namespace {
// Widths closer than this (m) are one width.
constexpr double kSameWidth = 0.0001;
} // namespace

bool HasOneWidth(const TStructure& structure)
{
    const int n = structure.GetRegionCount();
    if (n == 0)
        return false;
    const double w = structure.GetRegion(0)->topWidth;
    for (int i = 0; i < n; ++i) {
        const ConcreteRegionRec* r = structure.GetRegion(i);
        if (std::fabs(r->topWidth - w) >= kSameWidth || std::fabs(r->bottomWidth - w) >= kSameWidth)
            return false;
    }
    return true;
}

DepthProfileLayout LayoutDepthProfile(int x, int y, int w, int h, const TDepthTable& profile)
{
    DepthProfileLayout L;
    const int n = profile.GetCount();
    L.z1 = profile.GetDepth(0);
    L.z2 = profile.GetDepth(n > 0 ? n - 1 : 0);
    double vmax = 0.0;
    for (int i = 0; i < n; ++i)
        vmax = std::max(vmax, profile.GetValue(i));
    const double span = L.z1 - L.z2;
    if (std::fabs(span) < 1e-5 || std::fabs(vmax) < 1e-5)
        return L;
    L.degenerate = false;
    const double sh = 0.9 * w / vmax;
    const double sv = 0.8 * h / span;
    L.xc = x + w / 2;
    auto centred = [&](double s) {
        return PixelTrunc(y + 0.5 * h - (0.5 - L.z1 / span) * span * s);
    };
    if (sh > sv) {
        L.s = sv;
        L.yr = PixelTrunc(y + h * (0.8 * L.z1 / span + 0.1));
    } else {
        L.s = sh;
        L.yr = centred(L.s);
        if (2.1 * sh < sv) {
            L.s = 2 * sh;
            L.half = true;
            L.xc = PixelTrunc(x + 0.95 * w);
            L.yr = centred(L.s);
        }
    }
    return L;
}

std::string ControlPanelTitle(int mode)
{
    switch (mode) {
    case 1:
        return "Load-Deformation";
    case 4:
        return "Single Graph";
    case 5:
        return "Nine Graphs";
    case 6:
        return "Pushover";
    case 7:
        return "Four Graphs";
    case 10:
        return "Six Graphs";
    case 11:
        return "Member Details";
    default:
        return std::string();
    }
}

double RangeButtonTop(int H)
{
    const double comboFoot = PixelTrunc(0.13 * H) + std::min<double>(PixelTrunc(0.25 * H), kComboHeight);
    return std::max(0.2 * H, comboFoot + 2.0);
}

double RangeButtonFoot(int H) { return RangeButtonTop(H) + 0.06 * H; }

int ControlPanelTitleFont(int W, int H)
{
    return std::max(std::min(W / 45, H / 25), kLeastTextCharHeight);
}

int PanelTextCell(int h)
{
    return static_cast<int>(std::lround(0.905 * h) + std::lround(0.212 * h));
}

namespace {
// The pieces of the load-deformation panel from the top down, with the labels asked for.
LoadDeformationPanel StackLoadDeformationPanel(int W, int H, double f, bool base, bool pasted, bool sample,
                                               bool chart, bool button)
{
    LoadDeformationPanel p;
    p.titleFont = ControlPanelTitleFont(W, H);
    p.labelFont = std::max(std::min(W / 67, H / 38), kLeastTextCharHeight);
    const int titleCell = PanelTextCell(p.titleFont);
    const int labelCell = PanelTextCell(p.labelFont);
    const int comboHeight = std::min(PixelTrunc(0.25 * H), kComboHeight);
    // The etched lines of a frame take two rows at its top and bottom (y, y + 1): a text starts
    // below them, a frame ends three rows below the foot of what it holds, and the next starts
    // four rows below that.
    const int left = PixelTrunc(0.01 * W);
    const int right = left + PixelTrunc((f - 0.02) * W);
    // A label at its share of the height, or just above the control it names where it would
    // reach it, never above floor; the control goes down below a label that reaches it still.
    const auto label = [&](bool shown, int floor, int at, int& control) {
        if (!shown) {
            control = std::max(control, floor);
            return -1;
        }
        const int top = std::max(floor, std::min(at, control - labelCell));
        control = std::max(control, top + labelCell);
        return top;
    };

    p.frames[0] = {left, left, right, 0};
    p.title = std::max(PixelTrunc(0.05 * H), p.frames[0].top + 2);
    p.layoutCombo = PixelTrunc(0.13 * H);
    p.baseLabel = label(base, p.title + titleCell, PixelTrunc(0.1 * H), p.layoutCombo);
    p.frames[0].bottom = std::max(left + PixelTrunc(0.22 * H - 0.02 * W), p.layoutCombo + comboHeight + 3);

    const int secondTop = PixelTrunc(0.23 * H);
    p.frames[1] = {left, std::max(secondTop, p.frames[0].bottom + 4), right, 0};
    p.pasteTitle = std::max(PixelTrunc(0.24 * H), p.frames[1].top + 2);
    p.pasteCombo = PixelTrunc(0.305 * H);
    p.pastedLabel = label(pasted, p.pasteTitle + titleCell, PixelTrunc(0.277 * H), p.pasteCombo);
    p.sampleChart = PixelTrunc(0.395 * H);
    p.sampleShown = chart;
    p.addShown = button;
    if (chart) {
        p.sampleLabel = label(sample, p.pasteCombo + comboHeight, PixelTrunc(0.355 * H), p.sampleChart);
    } else {
        // Without the chart its label goes too, and the button follows the paste list.
        p.sampleLabel = -1;
        p.sampleChart = std::max(p.sampleChart, p.pasteCombo + comboHeight);
    }
    // The chart, W / 6 high, ends a hundredth of the height above the button; the button goes
    // down only where the chart would have no height left.
    p.addButton = std::max(PixelTrunc(0.55 * H), p.sampleChart + H / 100);
    p.sampleHeight = chart ? std::max(0, std::min(W / 6, p.addButton - H / 100 - p.sampleChart)) : 0;
    const int foot = button ? p.addButton + PixelTrunc(0.05 * H) : p.pasteCombo + comboHeight;
    p.frames[1].bottom = std::max(secondTop + PixelTrunc(0.42 * H - 0.02 * W), foot + 3);
    return p;
}
} // namespace

LoadDeformationPanel LayOutLoadDeformationPanel(int W, int H, double f)
{
    const int controlChart = PixelTrunc(0.65 * H);
    // From the fullest panel down: all three labels with the chart, the chart without its label,
    // then without the chart the other two labels one by one, and last the button.
    struct Pieces {
        int labels;
        bool chart, button;
    };
    constexpr Pieces kTries[] = {{3, true, true},  {2, true, true},  {2, false, true},
                                 {1, false, true}, {0, false, true}, {0, false, false}};
    LoadDeformationPanel p;
    for (const Pieces& t : kTries) {
        p = StackLoadDeformationPanel(W, H, f, t.labels >= 1, t.labels >= 2, t.labels >= 3, t.chart, t.button);
        if (p.frames[1].bottom + 3 <= controlChart && (!t.chart || p.sampleHeight >= kLeastSampleChartHeight))
            break;
    }
    return p;
}

std::vector<plat::Rect> ControlPanelFrames(int mode, int byte4, int byte5, int W, int H, double f)
{
    auto frame = [](double x, double y, double w, double h) {
        const int left = PixelTrunc(x);
        const int top = PixelTrunc(y);
        return plat::Rect{left, top, left + PixelTrunc(w), top + PixelTrunc(h)};
    };
    if (mode == 1) {
        const LoadDeformationPanel panel = LayOutLoadDeformationPanel(W, H, f);
        return {panel.frames[0], panel.frames[1]};
    }
    double B = H;
    if (byte4 != 0 && byte5 == 0)
        B = 0.63 * H;
    else if (byte4 != 0 && byte5 != 0)
        B = 0.3 * H;
    else if (byte4 == 0 && byte5 != 0)
        return {};
    return {frame(0.01 * W, 0.01 * W, (f - 0.02) * W, std::max(B - 0.02 * W, RangeButtonFoot(H) + 3.0 - 0.01 * W))};
}

plat::Rect SplashBitmapBox(int W, int H, int bitmapWidth, int bitmapHeight)
{
    const int left = PixelTrunc(0.73 * W);
    const int top = PixelTrunc(0.21 * H);
    const int right = PixelTrunc(0.97 * W);
    const int bottom = PixelTrunc(0.77 * H);
    if (bitmapWidth <= 0 || bitmapHeight <= 0 || bottom <= top)
        return {left, top, left, top};
    const float a = static_cast<float>(bitmapWidth) / static_cast<float>(bitmapHeight);
    const double boxAspect = static_cast<double>(right - left) / (bottom - top);
    if (a <= boxAspect)
        return {left, top, left + PixelTrunc((bottom - top) * static_cast<double>(a)), bottom};
    return {left, top, right, top + PixelTrunc((right - left) / static_cast<double>(a))};
}

std::vector<MaterialChartPlan>
PlanMaterialsPage(bool hasModeObject, int reinforcing, int prestressing)
{
    std::vector<MaterialChartPlan> plan{{"Concrete", 7, 14, 2120}};
    if (!hasModeObject)
        return plan;
    if (reinforcing > 0)
        plan.push_back({"Rebar", 8, 15, 2121});
    if (prestressing > 0)
        plan.push_back({"P-Steel", 9, 14 + static_cast<int>(plan.size()), 2122});
    return plan;
}

plat::Point PrintBoxOrigin(plat::Point box, plat::Point parent, bool controlChart, int H)
{
    if (controlChart)
        return {box.x, 2 * box.y > H ? 2 * box.y / 3 : box.y / 3};
    return {box.x + parent.x, box.y + parent.y};
}
