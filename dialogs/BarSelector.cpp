#include "dialogs/BarSelector.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/LayerLimits.h"
#include "model/catalogues/TRebarList.h"
#include "platform/Ui.h"

namespace {

// Area given when a zero area or an empty catalogue leaves nothing to take (m^2).
constexpr double kFallbackArea = 0.0001;
// Areas below this count as zero (m^2).
constexpr double kZeroArea = 1e-6;
// The largest area a bar may be typed with (m^2): the largest a layer's bar holds, which the
// readers keep to as well.
constexpr double kMaxTypedArea = kMaxBarArea;

// Example areas in display units, [mode][unit system SI, US, kg/cm].
constexpr double kExampleArea[3][3] = {{99.0, 0.153, 0.99}, {100.0, 0.2, 1.0}, {500.0, 0.79, 5.0}};

int SystemColumn() { return g_UnitSystem >= 0 && g_UnitSystem <= 2 ? g_UnitSystem : 0; }

} // namespace

std::string CleanDesignation(const std::string& text) {
    std::string out;
    for (char c : text)
        out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    while (!out.empty() && (out.back() == ' ' || out.back() == '\t'))
        out.pop_back();
    std::size_t start = 0;
    while (start < out.size() && (out[start] == ' ' || out[start] == '\t'))
        ++start;
    return out.substr(start);
}

TBarSelector::TBarSelector(BarSelectorView& view, int mode)
    : m_view(view), m_mode(mode < 0 || mode > 2 ? LongitudinalBars : mode),
      m_decimals(g_UnitSystem == kUnitSI ? 0 : (g_UnitSystem == kUnitUS ? 3 : 2)) {
    ShowDesignationLabels();
}

std::string TBarSelector::FormatArea(double area) const {
    const std::string format = StrPrintf("%%5.%df", m_decimals);
    return StrPrintf(format.c_str(), area * UnitFactor(ukArea));
}

void TBarSelector::ShowDesignationLabels() {
    const int u = g_UnitSystem;
    m_view.label = m_mode == Strands ? "Strand Designation" : "Bar Designation";
    if (m_mode == Strands)
        m_view.example = u == kUnitUS ? "(eg: S.5)" : "(eg: S13)";
    else if (m_mode == LongitudinalBars)
        m_view.example = u == kUnitUS ? "(eg: #8)" : (u == kUnitOldMetric ? "(eg: D25)" : "(eg: 25M)");
    else
        m_view.example = u == kUnitUS ? "(eg: #4)" : (u == kUnitOldMetric ? "(eg: D10)" : "(eg: 10M)");
    m_view.unit.clear();
}

void TBarSelector::ShowAreaLabels() {
    m_view.label = m_mode == Strands ? "Strand Area" : "Bar Area";
    const std::string format = StrPrintf("(eg: %%5.%df %%s)", m_decimals);
    m_view.example = StrPrintf(format.c_str(), kExampleArea[m_mode][SystemColumn()], UnitLabel(ukArea));
    m_view.unit = UnitLabel(ukArea);
}

void TBarSelector::Init(int index, double area, int empty) {
    m_barIndex = index;
    m_area = area;
    m_shownArea = -1.0;
    if (index >= 0 && index < g_RebarList.Count()) {
        m_view.byArea = 0;
        m_area = g_RebarList.GetArea(index);
        m_view.text = empty ? std::string() : g_RebarList.GetName(index);
        ShowDesignationLabels();
        return;
    }
    m_view.byArea = 1;
    m_view.text = FormatArea(area);
    m_barIndex = g_RebarList.FindByArea(area);
    ShowAreaLabels();
    m_shownArea = area;
    m_shownText = m_view.text;
}

std::string CheckTypedBarArea(const BarSelectorView& view) {
    if (!view.byArea)
        return {};
    // A text that is no number is taken as a bar designation when the catalogue names it.
    if (std::isnan(TypedNumber(view.text)) && g_RebarList.FindByName(CleanDesignation(view.text)) >= 0)
        return {};
    double area = 0.0;
    return ReadTypedMagnitude(view.text, view.label.empty() ? std::string("Bar Area") : view.label,
                              {0.0, kMaxTypedArea, ukArea}, area);
}

void TBarSelector::Check() {
    std::string message;
    if (m_view.byArea && !CheckTypedBarArea(m_view).empty())
        return;  // the owning page refuses it when it is stored
    if (m_view.byArea) {
        // A designation typed by area reads as no area (the catalogue's bar is looked for).
        const double typed = TypedNumber(m_view.text);
        m_area = std::isnan(typed) ? 0.0 : std::fabs(typed / UnitFactor(ukArea));
        m_barIndex = -1;
        if (m_area < kZeroArea) {
            const std::string name = CleanDesignation(m_view.text);
            const int found = g_RebarList.FindByName(name);
            if (found >= 0) {
                m_area = g_RebarList.GetArea(found);
                m_view.byArea = 0;
                m_view.text = name;
                ShowDesignationLabels();
            } else {
                m_area = kFallbackArea;
                message = "Area specified as zero.  100 square millimetres selected";
                m_view.text = FormatArea(m_area);
            }
        }
        m_barIndex = g_RebarList.FindByArea(m_area);
    } else {
        const std::string name = CleanDesignation(m_view.text);
        int found = g_RebarList.FindByName(name);
        if (found >= 0) {
            m_view.text = name;
        } else if (g_RebarList.Count() > 0) {
            std::vector<std::string> names;
            for (int i = 0; i < g_RebarList.Count(); ++i)
                names.push_back(g_RebarList.GetName(i));
            int chosen = 0;
            if (!plat::ListDialog(m_mode == Strands ? "Select Strand" : "Select Bar", names, chosen) ||
                chosen < 0 || chosen >= g_RebarList.Count())
                chosen = 0;
            found = chosen;
            m_view.text = g_RebarList.GetName(found);
        }
        if (found >= 0) {
            m_barIndex = found;
            m_area = g_RebarList.GetArea(found);
        } else {
            m_barIndex = -1;
            m_view.byArea = 1;
            m_area = kFallbackArea;
            m_view.text = FormatArea(m_area);
            ShowAreaLabels();
            message = "No bar types currently loaded.  Bars must be selected by area.";
        }
    }
    if (!message.empty())
        ShowMessage(message, "Rebar Problem", MsgStyle::Ok | MsgStyle::IconExclamation);
}

void TBarSelector::ToggleByArea(int empty) {
    if (!m_view.byArea) {
        if (empty) {
            m_view.text.clear();
        } else {
            double typed = std::fabs(TypedNumber(m_view.text) / UnitFactor(ukArea));
            if (!std::isfinite(typed) || typed > kMaxTypedArea)
                typed = 0.0;
            const int match = typed > 0.0 ? g_RebarList.FindByArea(typed) : -1;
            if (match >= 0) {
                m_barIndex = match;
                m_area = g_RebarList.GetArea(match);
                m_view.text = g_RebarList.GetName(match);
            } else {
                m_view.text = "None";
            }
        }
        ShowDesignationLabels();
        return;
    }
    m_view.text = empty ? std::string() : FormatArea(m_area);
    ShowAreaLabels();
}

void TBarSelector::Read(int& index, double& area) {
    Check();
    // The field shows the area to its few decimals only: while it stands as shown, the bar is
    // the one shown (500.4 mm^2 stays 500.4 mm^2, not the 500 its text reads as).
    if (m_view.byArea && m_shownArea >= kZeroArea && m_view.text == m_shownText) {
        m_area = m_shownArea;
        m_barIndex = g_RebarList.FindByArea(m_area);
    }
    index = m_view.byArea ? -1 : m_barIndex;
    area = m_area;
}
