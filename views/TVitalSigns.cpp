#include "views/TVitalSigns.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "charts/ChartExport.h"
#include "foundation/StrFormat.h"
#include "platform/DC.h"
#include "views/MaterialPicture.h"

namespace {

namespace TA = plat::TextAlign;

constexpr int kVitalSignsKind = 26;
// Below this the x steel stress stands for "no value" and its bar is left out.
constexpr double kNoSteelStress = -3.1101469740000006e30;

// Colours of the shear and cracking bars.
plat::Color LimitColour(double r)
{
    if (r > 0.995)
        return kVitalPink;
    return r > 0.9 ? kVitalRed : kVitalGreen;
}

VitalBar SteelBar(double stress, double atCrack, double yield, double ultimate, int code)
{
    VitalBar b;
    if (ultimate > 0.0) {
        b.fill = stress / ultimate;
        b.ratio = yield != 0.0 ? stress / yield : 0.0;
        b.marker1 = yield / ultimate;
        b.marker2 = atCrack / ultimate;
    } else {
        b.marker1 = b.marker2 = -1.0;
    }
    if (b.fill > 0.99 * b.marker1)
        b.colour = kVitalPink;
    if (b.fill > 0.95)
        b.colour = kVitalRed;
    if (code != 0)
        b.fill = b.ratio = b.marker2 = 0.0;
    b.labelMode = code;
    return b;
}

// The bottom row of a bar's percentage, centred at x: on the bar's base b where no line drawn
// across the bar (marks: their pixels, above the base) runs through its cell or the pixel round
// it; else just above the lowest such line, a blank row between, and above each next line it
// then meets. On the base when it would rise out of the bar's top t.
int PercentBottom(const std::vector<plat::Rect>& marks, plat::Size size, int x, int t, int b)
{
    const int left = x - size.cx / 2;
    int bottom = b;
    for (std::size_t n = 0; n <= marks.size(); ++n) {
        const plat::Rect grown{left - 1, bottom - size.cy - 1, left + size.cx + 1, bottom + 1};
        const plat::Rect* hit = nullptr;
        for (const plat::Rect& m : marks)
            if (m.top < b && m.left < grown.right && grown.left < m.right && m.top < grown.bottom &&
                grown.top < m.bottom && (!hit || m.top < hit->top))
                hit = &m;
        if (!hit)
            return bottom - size.cy > t ? bottom : b;
        bottom = hit->top - 1;
    }
    return b;
}

// The font at a height of that size, its sign (character or cell height) kept.
plat::LogFont Sized(plat::LogFont f, int size)
{
    f.height = f.height < 0 ? -size : size;
    return f;
}

// The font from its own height (the least text at the smallest) down to the least text, the
// largest whose line of captions (subscripts and all) stands in room pixels; false, the font
// at the least text, where none does.
bool FitFont(plat::LogFont& f, int room, const PlanMeasure& measure)
{
    int size = std::max(std::abs(f.height), LeastTextHeight(f));
    while (size > LeastTextHeight(f) && measure("Ag_y", Sized(f, size)).cy > room)
        --size;
    f = Sized(f, size);
    return measure("Ag_y", f).cy <= room;
}

} // namespace

std::vector<VitalBar> VitalBars(const std::vector<double>& r)
{
    std::vector<VitalBar> bars(5);
    VitalBar& crush = bars[0];
    crush.fill = crush.ratio = r[5] != 0.0 ? std::fabs(r[4] / r[5]) : 0.0;
    crush.labelMode = static_cast<int>(r[3]);
    crush.colour = r[3] != 0.0 ? kVitalPink : (crush.ratio > 0.9 ? kVitalRed : kVitalGreen);

    VitalBar& shear = bars[1];
    shear.fill = shear.ratio = r[7] > 0.0 ? std::fabs(r[6] / r[7]) : 0.0;
    shear.colour = LimitColour(shear.ratio);
    shear.labelMode = shear.ratio > 0.995 ? 1 : 0;

    VitalBar& crack = bars[2];
    crack.fill = crack.ratio = r[1] > 0.0 ? r[0] / r[1] : 0.0;
    crack.colour = LimitColour(crack.ratio);
    crack.labelMode = crack.ratio > 0.995 ? 1 : 0;

    bars[3] = SteelBar(r[8], r[9], r[10], r[11], static_cast<int>(r[16]));
    bars[3].drawn = r[8] > kNoSteelStress;
    bars[4] = SteelBar(r[12], r[13], r[14], r[15], static_cast<int>(r[17]));
    return bars;
}

std::string VitalSignsHeading(int elementType)
{
    switch (elementType) {
    case 0: return "Membrane Vital Signs\r\n\r\n";
    case 1: return "Trumbel Vital Signs\r\n\r\n";
    case 2: return "Shell Vital Signs\r\n\r\n";
    default: return " OOPS! unknown caller";
    }
}

DiagramPlan PlanVitalSigns(const VitalSignsFrame& f, const std::vector<double>& r, const PlanMeasure& measure)
{
    DiagramPlan plan;
    const double W = f.W, H = f.H;
    const auto I = [](double v) { return static_cast<int>(v); };
    plan.Text(f.title, {f.W / 2, 0}, f.titleFont, TA::Center, TA::Top);
    // The groups' names under the rule at 0.92 H, clear of it and of the box's foot; left out
    // where even the least text is taller than that.
    plat::LogFont group = f.textFont;
    if (FitFont(group, f.H - I(0.92 * H) - 2, measure)) {
        plan.Text("Concrete", {I(0.3 * W), f.H - 1}, group, TA::Center, TA::Bottom);
        plan.Text("Steel", {I(0.8 * W), f.H - 1}, group, TA::Center, TA::Bottom);
    }
    // The smaller text of the percentages, the marks and the captions, no smaller than the
    // least text.
    plat::LogFont small = Sized(
        f.textFont,
        std::max(std::abs(static_cast<int>(f.textFont.height * 0.8)), LeastTextHeight(f.textFont)));
    plan.Pen(1, plat::Colors::Black);

    // The bars stand from 0.15 H to their base at 0.7 H; where the title's cell reaches down to
    // that row, their tops stand lower, a blank row under it, and their scale is shorter by as
    // much. Where "f_u", centred on the tops over the steel group, comes under the title, the
    // tops are lower by half its height too.
    const int hy = measure("f_y", small).cy / 2;
    const int b = I(0.7 * H);
    int t = I(0.15 * H);
    if (!f.title.empty()) {
        const plat::Size title = measure(f.title, f.titleFont), fu = measure("f_u", small);
        const bool fuUnderTitle = std::abs(I(0.8 * W) - f.W / 2) < (title.cx + fu.cx) / 2 + 1;
        t = std::min(b, std::max(t, title.cy + 1 + (fuUnderTitle ? hy : 0)));
    }
    const int lowered = t - I(0.15 * H);
    const double span = 0.55 * H - lowered;
    const auto row = [&](double v) { return I(span * (1.0 - v) + t); };
    const std::vector<VitalBar> bars = VitalBars(r);
    for (int i = 0; i < 5; ++i) {
        const VitalBar& bar = bars[static_cast<std::size_t>(i)];
        if (!bar.drawn)
            continue;
        plan.Pen(1, plat::Colors::Black);
        const int x0 = I(0.2 * W * i + 0.03 * W), x1 = I(0.14 * W + x0);
        const int level = row(std::fabs(bar.fill));
        plan.Fill(RectOf({x0, b}, {x1, level}), bar.colour);
        plan.Line({x0, level}, {x1, level});
        plan.Polyline({{x0, b}, {x1, b}, {x1, t}, {x0, t}, {x0, b}});
        // The pixels of the lines drawn across the bar above its base: the fill's top, the
        // yield mark (three wide where it is the crack stress too), the crack-stress mark and
        // the stroke between it and the fill.
        std::vector<plat::Rect> marks{{x0, level, x1, level + 1}};
        const bool wideYield = bar.marker2 > 0.0 && std::fabs(bar.marker2 - bar.marker1) < 0.01;
        if (bar.marker1 > 0.0) {
            const int y = row(bar.marker1), half = wideYield ? 1 : 0;
            marks.push_back({x0, y - half, x1, y + half + 1});
        }
        if (bar.marker2 > 0.0) {
            const int y = row(std::fabs(bar.marker2)), mid = (x0 + x1) / 2;
            marks.push_back({x0, y, x1, y + 1});
            marks.push_back({mid, std::min(y, level), mid + 1, std::max(y, level) + 1});
        }
        // The percentage inside its bar, or left out where it is wider than the bar or taller
        // than the room between its base and top.
        const std::string percent = StrPrintf("%2.0f%%", bar.ratio * 100.0);
        if (bar.labelMode == 0 && measure(percent, small).cx <= x1 - x0 - 2 &&
            measure(percent, small).cy < b - t) {
            const int centre = I(0.2 * W * i + 0.1 * W);
            plan.Text(percent, {centre, PercentBottom(marks, measure(percent, small), centre, t, b)}, small,
                      TA::Center, TA::Bottom);
        }
        if (bar.marker1 > 0.0) {
            if (wideYield)
                plan.Pen(3, plat::Colors::LtRed);
            else
                plan.Pen(1, plat::Colors::Black);
            plan.Line({x0, row(bar.marker1)}, {x1, row(bar.marker1)});
        }
        if (bar.marker2 > 0.0) {
            const int mid = (x0 + x1) / 2;
            plan.Line({mid, level}, {mid, row(std::fabs(bar.marker2))});
            plan.Line({x0, row(std::fabs(bar.marker2))}, {x1, row(std::fabs(bar.marker2))});
        }
        if (bar.labelMode == 2)
            plan.Fill(RectOf({I(0.2 * W * i), b}, {I(0.2 * W * (i + 1)), I(0.92 * H)}), kVitalPink);
    }
    plan.Pen(1, plat::Colors::Black);

    // The yield mark of the steel group: the mean yield fraction of the directions that have one.
    const bool xYield = r[10] < 1e30, yYield = r[14] < 1e30;
    double yr = 0.5;
    if (xYield && yYield)
        yr = (bars[3].marker1 + bars[4].marker1) / 2.0;
    else if (xYield)
        yr = bars[3].marker1;
    else if (yYield)
        yr = bars[4].marker1;
    // "f_y" is left out where the yield mark stands so near the tops that it would reach "f_u".
    const int fuTop = I(0.15 * H + lowered - hy);
    const int fyTop = I((1.0 - std::fabs(yr)) * span + 0.15 * H + lowered - hy);
    plan.Text("f_u", {I(0.8 * W), fuTop}, small, TA::Center, TA::Top);
    if (fyTop >= fuTop + measure("f_u", small).cy)
        plan.Text("f_y", {I(0.8 * W), fyTop}, small, TA::Center, TA::Top);

    // The line between the groups rises to 0.1 H, or to a row under the title where that
    // reaches lower across it.
    const int titleWidth = measure(f.title, f.titleFont).cx;
    const bool underTitle = std::abs(I(0.6 * W) - f.W / 2) <= titleWidth / 2 + 1;
    const int divide = underTitle ? std::max(I(0.1 * H), measure(f.title, f.titleFont).cy + 1) : I(0.1 * H);
    plan.Line({I(0.6 * W), f.H}, {I(0.6 * W), divide});
    plan.Line({0, I(0.7 * H)}, {f.W, I(0.7 * H)});
    plan.Line({0, I(0.7 * H)}, {0, f.H});
    plan.Line({f.W - 1, I(0.7 * H)}, {f.W - 1, f.H});
    for (const double x : {0.2, 0.4, 0.6, 0.8})
        plan.Line({I(x * W), I(0.7 * H)}, {I(x * W), I(0.92 * H)});
    plan.Line({0, I(0.92 * H)}, {f.W, I(0.92 * H)});
    plan.Line({0, f.H - 1}, {f.W, f.H - 1});

    // The cells' captions: a name over a fraction (its two terms over and under a bar) at their
    // places while the captions stand in their rows; in a low box three rows packed between the
    // rules in a smaller text; then the fraction written in one row ("f_2/f_2_M_A_X"); then the
    // names alone; where even those find no room in the least text, no captions.
    const int top = I(0.7 * H), foot = I(0.92 * H);
    const bool cracked = r[2] != 0.0;
    plat::LogFont caption = small;
    int names = I(0.77 * H), over = I(0.83 * H), under = I(0.91 * H), middle = I(0.87 * H);
    int rows = 3;
    const int cell = measure("Ag_y", small).cy;
    const bool atPlaces = std::abs(small.height) >= LeastTextHeight(small) && names - cell > top &&
                          over - cell >= names && under - cell > over && under < foot;
    if (!atPlaces) {
        rows = 0;
        for (int n = 3; n >= 1 && rows == 0; --n) {
            plat::LogFont fitted = small;
            if (FitFont(fitted, (foot - top - 1) / n - 1, measure))
                caption = fitted, rows = n;
        }
        const int c = measure("Ag_y", caption).cy;
        names = top + 1 + c;
        over = names + 1 + c;
        under = over + 1 + c;
        middle = rows == 3 ? over + (c + 1) / 2 : over;
    }
    // A row whose texts are wider than their cells (0.2 W less a pixel each side) is written
    // smaller, every caption with it, down to the least text; then it is left out.
    const int cellWidth = I(0.2 * W) - 2;
    const auto fitsAt = [&](std::initializer_list<std::string> texts, const plat::LogFont& font) {
        for (const std::string& words : texts)
            if (measure(words, font).cx > cellWidth)
                return false;
        return true;
    };
    const auto fits = [&](std::initializer_list<std::string> texts) {
        for (plat::LogFont font = caption;; font = Sized(font, std::abs(font.height) - 1)) {
            if (fitsAt(texts, font)) {
                caption = font;
                return true;
            }
            if (std::abs(font.height) <= LeastTextHeight(font))
                return false;
        }
    };
    const bool named = rows >= 1 && fits({"Crush", "Shear", cracked ? "Tension" : "Crack", "X Steel", "Y Steel"});
    if (rows == 3 && !fits({"f_2_M_A_X", "v_c_i_M_A_X", "f_1_M_A_X", "f_c_r_a_c_k", "Not Avail.", "Rupture"}))
        rows = 1;
    if (rows == 2 && !fits({"f_2/f_2_M_A_X", "v_c_i/v_c_i_M_A_X", "f_1/f_1_M_A_X", "f_1/f_c_r_a_c_k",
                            "f_s_x/Yield", "Not Avail.", "Rupture"}))
        rows = 1;
    const auto text = [&](const std::string& words, double x, int y) {
        plan.Text(words, {I(x * W), y}, caption, TA::Center, TA::Bottom);
    };
    const auto bar = [&](double from, double to) {
        if (rows == 3)
            plan.Line({I(from * W), over}, {I(to * W), over});
    };
    // A fraction: its terms over and under a bar, or in one row.
    const auto fraction = [&](const std::string& upper, const std::string& lower, double x) {
        if (rows == 3) {
            text(upper, x, over);
            text(lower, x, under);
        } else if (rows == 2) {
            text(upper + "/" + lower, x, over);
        }
    };
    if (named) {
        text("Crush", 0.1, names);
        text("Shear", 0.3, names);
        text(cracked ? "Tension" : "Crack", 0.5, names);
        text("X Steel", 0.7, names);
        text("Y Steel", 0.9, names);
    }
    fraction("f_2", "f_2_M_A_X", 0.1);
    bar(0.03, 0.17);
    fraction("v_c_i", "v_c_i_M_A_X", 0.3);
    bar(0.23, 0.37);
    fraction("f_1", cracked ? "f_1_M_A_X" : "f_c_r_a_c_k", 0.5);
    bar(0.43, 0.57);
    const auto state = [&](const char* words, double x) {
        if (rows >= 2)
            text(words, x, middle);
    };
    switch (static_cast<int>(r[16])) {
    case 2: state("Rupture", 0.7); break;
    case 1: state("No Bar", 0.7); break;
    case 3:
        if (rows == 3) {
            text("Not Avail.", 0.7, over);
            text("in Q2K", 0.7, under);
        } else {
            state("Not Avail.", 0.7);
        }
        break;
    default:
        fraction("f_s_x", "Yield", 0.7);
        bar(0.63, 0.77);
        break;
    }
    switch (static_cast<int>(r[17])) {
    case 2: state("Rupture", 0.9); break;
    case 1: state("No Bar", 0.9); break;
    default:
        fraction("f_s_y", "Yield", 0.9);
        bar(0.83, 0.97);
        break;
    }
    return plan;
}

TVitalSigns::TVitalSigns(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                         int elementType)
    : Tchart(parent, title, x, y, w, h, 1, 1, 0), m_elementType(elementType)
{
    m_kind = kVitalSignsKind;
    ScaleFonts(1.0, 0.95);
    TruncatePopup(0);
    AppendPopupItem(0, CM_COPYCHARTPICTURE, "Copy Picture");
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, CM_COPYCHARTDATA, "Copy Text");
    AppendPopupItem(0, CM_AUTOMAXRANGE, "Select Font");
}

bool TVitalSigns::HasRecord() const { return m_data.IsShown() && !m_data.IsDataEmpty(); }

VitalSignsFrame TVitalSigns::Frame()
{
    RefreshFontHeights();
    VitalSignsFrame f;
    f.W = Width();
    f.H = Height();
    f.title = m_data.Title();
    f.titleFont = TitleFont();
    f.textFont = TextFont();
    return f;
}

void TVitalSigns::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    RefreshFontHeights();
    if (m_elementType != 0)
        return;
    dc.SetBkMode(plat::BkMode::Transparent);
    if (!HasRecord()) {
        DrawNoData(dc);
        return;
    }
    PlanVitalSigns(Frame(), ReadDiagramRecord(m_data.Data(), 9, true), MeasureOn(dc))
        .Replay(dc, m_blackAndWhite != 0);
}

std::string TVitalSigns::ExportText()
{
    std::string text = VitalSignsHeading(m_elementType);
    if (m_elementType != 0 || !HasRecord())
        return text;
    plat::MemoryDC dc;
    const DiagramPlan plan =
        PlanVitalSigns(Frame(), ReadDiagramRecord(m_data.Data(), 9, true), MeasureOn(dc));
    for (const std::string& line : plan.Texts())
        text += line + "\r\n";
    return text;
}

void TVitalSigns::ExportData(int show) { ExportChartText(ExportText(), show, this); }

void TVitalSigns::CmPopup3004()
{
    SelectAxesFont();
    if (IsCreated())
        Invalidate(true);
}
