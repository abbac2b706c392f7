#include "views/membrane/TNodeData.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "charts/ChartExport.h"
#include "charts/RichText.h"
#include "foundation/Units.h"
#include "platform/DC.h"
#include "views/DisplayContext.h"
#include "views/MaterialPicture.h"

namespace {

constexpr int kNodeDataKind = 16;
constexpr int kStrain = 3;
constexpr int kLength = 6;
constexpr int kStress = 10;
constexpr int kSteelStress = 11;
constexpr int kAngle = 12;

// Reads value i of the flat sequence; missing values read 0.
double At(const std::vector<double>& v, std::size_t i)
{
    return i < v.size() ? v[i] : 0.0;
}

// The pane's font: the text font, lowered as far as the widest line needs to stand whole
// between the pane's rules (m in from each edge) about its column's centre; one height for
// every line. Units with long labels (kg/cm^2) make the right column's lines the widest.
plat::LogFont PaneFont(plat::DC& dc, const NodeDataLayout& layout, const plat::LogFont& font, int W)
{
    plat::LogFont fitted = font;
    for (const NodeDataLine& l : layout.lines) {
        const int room = 2 * std::min(l.x - layout.m, W - layout.m - l.x);
        const plat::LogFont f = FitRichTextFont(dc, l.text, font, room);
        if (std::abs(f.height) < std::abs(fitted.height))
            fitted = f;
    }
    const int least = LeastTextHeight(fitted);
    if (std::abs(fitted.height) < least)
        fitted.height = fitted.height < 0 ? -least : least;
    return fitted;
}

// The layout's lines and rules set where they stand on the pane in the font: each row at its
// place, or lower where the row above (its letters as tall as the font's tallest line, a Greek
// letter rising over the line's top) would reach it, a blank row, the rule and a blank row more
// where a rule lies between; each rule where the layout and the letters put it, or midway
// between the rows beside it where that would run through letters. fits: the last row ends
// inside the pane; moved: a row had to go lower.
struct PlacedNodeData {
    std::vector<NodeDataLine> lines;
    std::vector<int> rules;
    bool fits = true;
    bool moved = false; // a row stands lower than its place
};

PlacedNodeData PlaceNodeData(plat::DC& dc, const NodeDataLayout& layout, const PlanLetters& letters,
                             const plat::LogFont& font, int H)
{
    PlacedNodeData out;
    int tall = 0;
    for (const NodeDataLine& l : layout.lines)
        tall = std::max(tall, MeasureRichText(dc, l.text, font).cy);
    // How far a Greek letter's cell (drawn larger, on its line's foot) rises over its line's
    // top, a pixel spare.
    const plat::LogFont before = dc.SelectFont(DerivedRichFont(font, RichFont::Symbol));
    const int greek = dc.GetTextExtent("q").cy;
    dc.SelectFont(font);
    const int rise = std::max(0, greek - dc.GetTextExtent("A").cy) + 1;
    dc.SelectFont(before);
    // A row rises over its top only where a Greek letter stands in it.
    const auto riseOf = [&](int row) {
        for (const NodeDataLine& l : layout.lines)
            if (l.y == row && l.text.find('|') != std::string::npos)
                return rise;
        return 0;
    };
    std::vector<int> rows;
    for (const NodeDataLine& l : layout.lines)
        if (std::find(rows.begin(), rows.end(), l.y) == rows.end())
            rows.push_back(l.y);
    std::sort(rows.begin(), rows.end());
    const std::vector<int> lettered = RulesClearOfLetters(layout, letters, font);
    std::vector<int> placed;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        int y = std::max(rows[k], rise + 1);
        if (k > 0) {
            bool ruled = false;
            for (const int rule : layout.rules)
                ruled = ruled || (rule > rows[k - 1] && rule <= rows[k]);
            y = std::max(y, placed[k - 1] + tall + rise + (ruled ? 3 : 1));
        }
        out.moved = out.moved || y != rows[k];
        placed.push_back(y);
    }
    for (const NodeDataLine& l : layout.lines) {
        const std::size_t k = static_cast<std::size_t>(std::find(rows.begin(), rows.end(), l.y) - rows.begin());
        out.lines.push_back({l.text, l.x, placed[k]});
    }
    for (std::size_t r = 0; r < layout.rules.size(); ++r) {
        const int rule = layout.rules[r];
        // The rows above and below the rule as placed: the rule keeps to the gap between.
        int above = INT_MIN, below = INT_MAX;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            if (rows[k] < rule)
                above = std::max(above, placed[k] + tall);
            else
                below = std::min(below, placed[k] - riseOf(rows[k]));
        }
        int y = r < lettered.size() ? lettered[r] : rule;
        // A rule along the first or last row of a line's box runs through no letters.
        if ((above != INT_MIN && y < above - 1) || (below != INT_MAX && y > below))
            y = above == INT_MIN ? below - 2 : below == INT_MAX ? above + 1 : (above + below - 1) / 2;
        out.rules.push_back(y);
    }
    out.fits = placed.empty() || placed.back() + tall <= H - 1;
    return out;
}

// The lines and rules as they stand on a pane W x H: in the font fitted to the pane's width,
// made smaller (no smaller than the least text) until the rows stand at their places clear of
// each other and of the rules; in the least text, rows set lower where they must be; where
// even so they run past the pane's foot, the groups under the rules are left out whole from
// the last up, then rows from the foot.
PlacedNodeData FitNodeData(plat::DC& dc, NodeDataLayout layout, const PlanLetters& letters, plat::LogFont& font,
                           int H)
{
    PlacedNodeData placed = PlaceNodeData(dc, layout, letters, font, H);
    while ((placed.moved || !placed.fits) && std::abs(font.height) > LeastTextHeight(font)) {
        font.height += font.height < 0 ? 1 : -1;
        placed = PlaceNodeData(dc, layout, letters, font, H);
    }
    while (!placed.fits && !layout.lines.empty()) {
        const int cut = layout.rules.empty() ? layout.lines.back().y : layout.rules.back();
        if (!layout.rules.empty())
            layout.rules.pop_back();
        std::erase_if(layout.lines, [cut](const NodeDataLine& l) { return l.y >= cut; });
        placed = PlaceNodeData(dc, layout, letters, font, H);
    }
    return placed;
}

} // namespace

std::vector<int> RulesClearOfLetters(const NodeDataLayout& layout, const PlanLetters& letters,
                                     const plat::LogFont& font)
{
    std::vector<int> out;
    for (const int rule : layout.rules) {
        // The highest letter of the lines that start on the rule, and the lowest of the row of
        // lines just above it (one past its last row).
        int below = INT_MAX, above = INT_MIN, aboveRow = INT_MIN;
        for (const NodeDataLine& l : layout.lines)
            if (l.y < rule)
                aboveRow = std::max(aboveRow, l.y);
        for (const NodeDataLine& l : layout.lines) {
            if (l.y >= rule && l.y <= rule + 1)
                below = std::min(below, l.y + letters(l.text, font).first);
            else if (l.y == aboveRow)
                above = std::max(above, l.y + letters(l.text, font).second);
        }
        int y = rule;
        if (below != INT_MAX && below - rule < 2) {
            // A blank row over the letters below, and one under those above where there is
            // room for both; else midway.
            y = below - 2;
            if (above != INT_MIN && y <= above)
                y = (above + below - 1) / 2;
        }
        out.push_back(y);
    }
    return out;
}

NodeDataLayout LayOutNodeData(int mode, const std::vector<double>& input, int W, int H,
                              int unitSystem)
{
    NodeDataLayout out;
    const int m = W / 40;
    const int s = (H - 2 * m) / 10;
    out.m = m;
    const bool us = unitSystem == 1;
    DisplayContext u;
    u.unitSystem = unitSystem;
    const auto row = [&](double k) { return static_cast<int>(m + k * s); };
    const int left = static_cast<int>(0.23 * W);
    const int right = static_cast<int>((mode == 0 ? 0.77 : 0.75) * W);
    const int middle = static_cast<int>(0.5 * W);
    const auto line = [&](int x, double r, const std::string& text) {
        out.lines.push_back({text, x, row(r)});
    };
    const auto value = [&](const char* format, double v, int kind) {
        return Printf(format, u.Show(v, kind), u.Label(kind));
    };
    const char* concrete = us ? "%5.0f %s" : "%5.2f %s";

    if (mode == 0) {
        std::vector<double> v = input;
        if (!v.empty() && v[0] > 1e30)
            v.erase(v.begin(), v.begin() + std::min<std::size_t>(2, v.size()));
        const auto V = [&](int n) { return At(v, static_cast<std::size_t>(n - 1)); };
        const char* strainLabels[] = {"|e_x: ", "|e_y: ", "|g_x_y: ", "|e_1: ", "|e_2: "};
        for (int k = 0; k < 5; ++k)
            line(left, k, strainLabels[k] + value("%5.2f %s", V(k + 1), kStrain));
        line(left, 5, "|q: " + value("%5.1f %s", V(6), kAngle));
        const char* concreteLabels[] = {"f_c_x: ", "f_c_y: ", "v_x_y: ", "f_1: "};
        for (int k = 0; k < 4; ++k)
            line(right, k, concreteLabels[k] + value(concrete, V(k + 7), kStress));
        line(right, 4, "f_2: " + value(us ? "%5.0f %s" : "%5.1f %s", V(11), kStress));
        line(right, 5, "f_2_m_a_x: " + value(us ? "%5.0f %s" : "%5.1f %s", V(12), kStress));
        out.rules.push_back(row(6.1));
        const double w = V(18);
        if (V(25) == 3.0) {
            line(middle, 6.1, "X-dir'n not available");
        } else if (V(25) == 2.0) {
            line(middle, 6.1, "Bar Rupture");
        } else {
            line(left, 6.1, "f_s_x: " + value("%5.1f %s", V(15), kSteelStress));
            if (w > 0.0)
                line(right, 6.1, "f_s_x_c_r: " + value("%5.1f %s", V(16), kSteelStress));
        }
        if (V(26) == 2.0) {
            line(middle, 7.1, "Bar Rupture");
        } else {
            line(left, 7.1, "f_s_y: " + value("%5.1f %s", V(13), kSteelStress));
            if (w > 0.0)
                line(right, 7.1, "f_s_y_c_r: " + value("%5.1f %s", V(14), kSteelStress));
        }
        out.rules.push_back(row(8.2));
        line(left, 8.2, "s_m-|q: " + value(us ? "%5.1f %s" : "%5.0f %s", V(19), kLength));
        line(right, 8.2, "w: " + value(us ? "%5.3f %s" : "%5.2f %s", w, kLength));
        line(left, 9.2, "v_c_i: " + value(concrete, V(22), kStress));
        line(right, 9.2, "v_c_i_m_a_x: " + value(concrete, V(23), kStress));
        return out;
    }
    const auto V = [&](int n) { return At(input, static_cast<std::size_t>(n - 1)); };
    if (mode == 1) {
        const char* strains[] = {"e_x: ", "e_y: ", "e_z: "};
        const char* shears[] = {"|g_x_y: ", "|g_y_z: ", "|g_x_z: "};
        const int shearIndex[] = {4, 6, 5};
        for (int k = 0; k < 3; ++k) {
            line(left, k, strains[k] + value("%5.2f %s", V(k + 1), kStrain));
            line(right, k, shears[k] + value("%5.2f %s", V(shearIndex[k]), kStrain));
        }
        out.rules.push_back(row(3));
        const char* fc[] = {"f_c_x: ", "f_c_y: ", "f_c_z: "};
        const char* vc[] = {"v_x_y: ", "v_y_z: ", "v_x_z: "};
        const int vIndex[] = {11, 13, 12};
        for (int k = 0; k < 3; ++k) {
            line(left, 3 + k, fc[k] + value(concrete, V(k + 7), kStress));
            line(right, 3 + k, vc[k] + value(concrete, V(vIndex[k]), kStress));
        }
        out.rules.push_back(row(6));
        const char* fs[] = {"f_s_x: ", "f_s_y: ", "f_s_z: "};
        const char* fscr[] = {"f_s_x_c_r: ", "f_s_y_c_r: ", "f_s_z_c_r: "};
        for (int k = 0; k < 3; ++k) {
            const double f = V(15 + 2 * k), fcr = V(16 + 2 * k);
            if (f < 1e30 && f > -3.110146974e31) {
                line(left, 6 + k, fs[k] + value("%5.1f %s", f, kSteelStress));
                if (fcr < 1e30)
                    line(right, 6 + k, fscr[k] + value("%5.1f %s", fcr, kSteelStress));
            }
        }
        return out;
    }
    if (mode == 2) {
        const char* e[] = {"e_1: ", "e_2: ", "e_3: "};
        for (int k = 0; k < 3; ++k)
            line(left, k, e[k] + value("%5.2f %s", V(k + 1), kStrain));
        const char* f[] = {"f_1: ", "f_2: ", "f_3: "};
        for (int k = 0; k < 3; ++k)
            line(right, k, f[k] + value(concrete, V(k + 4), kStress));
        line(right, 3, "f_3_m_a_x: " + value(us ? "%5.0f %s" : "%5.1f %s", V(7), kStress));
        out.rules.push_back(row(4));
        const char* crack = us ? "%5.3f %s" : "%5.2f %s";
        line(left, 4, "w_1: " + value(crack, V(8), kLength));
        line(left, 5, "w_2: " + value(crack, V(9), kLength));
        line(right, 4, "v_c_i_1: " + value(concrete, V(10), kStress));
        line(right, 5, "v_c_i_2: " + value(concrete, V(11), kStress));
        if (V(12) < 1e10)
            line(left, 6, "v_c_i_m_1:" + value(concrete, V(12), kStress));
        if (V(13) < 1e10)
            line(right, 6, "v_c_i_m_2:" + value(concrete, V(13), kStress));
        out.rules.push_back(row(7));
        for (int k = 0; k < 3; ++k)
            line(middle, 7 + k,
                 Printf("Dir'n Cos%d : %5.2f, %5.2f, %5.2f", k + 1, V(15 + 3 * k), V(16 + 3 * k),
                        V(17 + 3 * k)));
    }
    return out;
}

TNodeData::TNodeData(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                     int mode)
    : Tchart(parent, title, x, y, w, h, 1, 1, 0), m_mode(mode)
{
    m_kind = kNodeDataKind;
    ScaleFonts(1.0, 0.95);
    TruncatePopup(0);
    AppendPopupItem(0, CM_COPYCHARTPICTURE, "Copy Picture");
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, CM_COPYCHARTDATA, "Copy Text");
    AppendPopupItem(0, CM_AUTOMAXRANGE, "Select Font");
}

bool TNodeData::HasData() const
{
    return m_data.IsShown() && !m_data.IsDataEmpty();
}

std::vector<double> TNodeData::Values() const
{
    return m_data.Data();
}

void TNodeData::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    RefreshFontHeights();
    dc.SetBkMode(plat::BkMode::Transparent);
    if (!HasData()) {
        DrawNoData(dc);
    } else if (m_mode >= 0 && m_mode <= 2) {
        const NodeDataLayout layout = LayOutNodeData(m_mode, Values(), Width(), Height(), g_UnitSystem);
        plat::LogFont font = PaneFont(dc, layout, TextFont(), Width());
        const PlacedNodeData placed = FitNodeData(dc, layout, LettersOn(dc, true), font, Height());
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
        for (int y : placed.rules) {
            dc.MoveTo(layout.m, y);
            dc.LineTo(Width() - layout.m, y);
        }
        for (const NodeDataLine& l : placed.lines)
            DrawRichText(dc, l.x, l.y, l.text, font, plat::TextAlign::Center, plat::TextAlign::Top,
                         m_blackAndWhite != 0);
    }
    if (IsSelected() && !m_blackAndWhite)
        DrawSelectionOn(dc);
}

std::string TNodeData::ExportText()
{
    static const char* headings[] = {"Membrane Node Information", "Trumbel-2000 Node Information A",
                                     "Trumbel-2000 Node Information B"};
    if (m_mode < 0 || m_mode > 2)
        return {};
    std::string text = std::string(headings[m_mode]) + "\r\n\r\n";
    if (!HasData())
        return text;
    for (const NodeDataLine& l : LayOutNodeData(m_mode, Values(), Width(), Height(), g_UnitSystem).lines)
        text += l.text + "\r\n";
    return text;
}

void TNodeData::ExportData(int show)
{
    ExportChartText(ExportText(), show, this);
}
