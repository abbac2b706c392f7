#include "dialogs/OutlineEditor.h"

#include <cmath>
#include <cstdlib>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TDepthTable.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/shapes/SectionOutline.h"
#include "model/shapes/SectionShape.h"

namespace {

constexpr double kQuarterTurn = 1.5707963267945;
constexpr double kRowMatch = 1e-6;
// Between points further apart than this a rounded part is rounded to 1 mm, else to 0.1 mm.
constexpr double kFineRoundingHeight = 0.025;  // m
constexpr int kRoundedPoints = 5;

void Complain(const std::string& text, const char* caption)
{
    ShowMessage(text, caption, MsgStyle::Ok | MsgStyle::IconExclamation);
}

// The farthest a typed outline point may lie from the section's origin (m).
constexpr double kLongestOutline = 100.0;

bool OnWholeMillimetre(double z) { return std::fabs(z - RoundSectionLength(z, 3)) < kSameElevation; }

// Decimals of a row: 0, 1 or 2 by unit system and whole-millimetre test.
int RowDecimals(double z, int wholeMm, int otherwise)
{
    if (g_UnitSystem == kUnitUS)
        return 2;
    return OnWholeMillimetre(z) ? wholeMm : otherwise;
}

// A width of "UP" or "DOWN" (any case, blanks around) asks for a rounded part.
bool IsRoundedPartWord(const std::string& width)
{
    std::string text = width;
    return ClassifyWidthEntry(text) != 2;
}

// A length read after RefusedLength took it: "UP" and "DOWN" read as 0.
double Length(const std::string& text)
{
    const double v = TypedNumber(text);
    return std::isnan(v) ? 0.0 : v / UnitFactor(ukSectionLength);
}

// An elevation or width that is not a finite number within a hundred metres is refused with a
// message: the field refused (TOutlineEditor::kElevationField or kWidthField), or -1. A width
// of "UP" or "DOWN" passes.
int RefusedLength(const std::string& elevation, const std::string& width)
{
    const TypedRange range{-kLongestOutline, kLongestOutline, ukSectionLength};
    double v = 0.0;
    int field = TOutlineEditor::kElevationField;
    std::string message = ReadTypedValue(elevation, "Elevation", range, v);
    if (message.empty() && !IsRoundedPartWord(width)) {
        field = TOutlineEditor::kWidthField;
        message = ReadTypedValue(width, "Width", range, v);
    }
    if (message.empty())
        return -1;
    Complain(message, "Input Error");
    return field;
}

void SetDepthBoth(TDepthTable& outline, TDepthTable& types, int i, double z)
{
    outline.SetDepth(i, z);
    if (i < types.GetCount())
        types.SetDepth(i, z);
}

} // namespace

std::string OutlineRowText(double z, double w)
{
    const bool oldMetric = g_UnitSystem == kUnitOldMetric;
    const int d = RowDecimals(z, oldMetric ? 1 : 0, oldMetric ? 2 : 1);
    const double f = UnitFactor(ukSectionLength);
    return StrPrintf("%6.*f      %6.*f", d, z * f, d, w * f);
}

void OutlineFieldTexts(double z, double w, std::string& elevation, std::string& width)
{
    const bool oldMetric = g_UnitSystem == kUnitOldMetric;
    const int d = RowDecimals(z, oldMetric ? 1 : 0, oldMetric ? 2 : 1);
    const double f = UnitFactor(ukSectionLength);
    elevation = StrPrintf("%5.*f", d, z * f);
    width = StrPrintf("%5.*f", d, w * f);
}

TOutlineEditor::TOutlineEditor(TDepthTable& outline, TDepthTable& types, int maxRegions, ContinuityQuestion ask)
    : m_outline(outline), m_types(types), m_maxRegions(maxRegions), m_ask(std::move(ask))
{
}

std::vector<std::string> TOutlineEditor::Rows() const
{
    std::vector<std::string> rows;
    for (int i = 0; i < m_outline.GetCount(); ++i)
        rows.push_back(OutlineRowText(m_outline.GetDepth(i), m_outline.GetValue(i)));
    return rows;
}

void TOutlineEditor::RowFields(int row, std::string& elevation, std::string& width) const
{
    elevation.clear();
    width.clear();
    if (row >= 0 && row < m_outline.GetCount())
        OutlineFieldTexts(m_outline.GetDepth(row), m_outline.GetValue(row), elevation, width);
}

void TOutlineEditor::SelectRow(int row)
{
    const int n = m_outline.GetCount();
    if (row < 0)
        row = 0;
    if (row >= n)
        row = n - 1;
    m_selected = row;
}

void TOutlineEditor::SortAndNormalise()
{
    m_outline.Sort(1);
    m_types.Sort(1);
    NormaliseOutline(m_outline, m_types);
}

void TOutlineEditor::SelectElevation(double z)
{
    m_selected = 0;
    for (int i = 0; i < m_outline.GetCount(); ++i)
        if (std::fabs(m_outline.GetDepth(i) - z) < kRowMatch) {
            m_selected = i;
            return;
        }
}

void TOutlineEditor::Add(const std::string& elevation, std::string width)
{
    m_refusedField = RefusedLength(elevation, width);
    if (m_refusedField >= 0)
        return;
    g_SectionDefinition.ShapeCode = kUserShapeCode;
    const double e = RoundSectionLength(Length(elevation), 4);
    const double w = RoundSectionLength(std::fabs(Length(width)), 4);
    const int kind = ClassifyWidthEntry(width);
    if (kind == 2)
        AddPoint(e, w);
    else
        AddRoundedPart(e, kind == 1);
}

void TOutlineEditor::AddPoint(double e, double w)
{
    const int n = m_outline.GetCount();
    if (n + 2 >= m_maxRegions) {
        Complain(StrPrintf("This would increase number of sections above maximum of %d.  New sections not added",
                           m_maxRegions),
                 "Add Error");
        return;
    }
    int existing = -1;
    const int count = CountDefinitionsAt(m_outline, e, m_selected, existing);
    if (count >= 2) {
        Complain("This elevation already has 2 definitions.  Either modify or delete an existing one.", "Add Error");
        return;
    }
    double z = e;
    if (count == 1) {
        if (m_ask(existing, w) == 1)
            z = e + kWidthStepGap;
        else
            SetDepthBoth(m_outline, m_types, existing, e + kWidthStepGap);
    }
    m_outline.Add(z, w);
    m_types.Add(z, 0.0);
    SortAndNormalise();
    SelectElevation(z);
}

void TOutlineEditor::AddRoundedPart(double e, bool down)
{
    double wa = 0.0, za = 0.0, wb = 0.0, zb = 0.0;
    int above = -1, below = -1;
    // A point at e itself counts on both sides, so that it is caught as lying on top.
    for (int i = 0; i < m_outline.GetCount(); ++i) {
        const double z = m_outline.GetDepth(i);
        if (z >= e && (above < 0 || z < za)) {
            above = i;
            za = z;
        }
        if (z <= e && (below < 0 || z > zb)) {
            below = i;
            zb = z;
        }
    }
    if (above < 0) {
        Complain("Could not find a cross section above this point. Circle not added", "Circle Error");
        return;
    }
    if (below < 0) {
        Complain("Could not find a cross section below this point. Circle not added", "Circle Error");
        return;
    }
    if (std::fabs(e - za) < kSameElevation || std::fabs(e - zb) < kSameElevation) {
        Complain("Elevation selected is on top of an existing definition. Circle not added", "Circle Error");
        return;
    }
    if (m_outline.GetCount() + 6 >= m_maxRegions) {
        Complain(StrPrintf("This would increase number of sections above maximum of %d.  New sections not added",
                           m_maxRegions - 1),
                 "Circle Error");
        return;
    }
    wa = m_outline.GetValue(above);
    wb = m_outline.GetValue(below);
    const double type = GetTableValue(m_types, above);
    const double h = za - zb;
    const int digits = h > kFineRoundingHeight ? 3 : 4;
    for (int j = 1; j <= kRoundedPoints; ++j) {
        const int k = down ? kRoundedPoints + 1 - j : j;
        const double a = k * kQuarterTurn / 6.0;
        const double z = down ? za - h * std::cos(a) : za - h * (1.0 - std::cos(a));
        const double w = down ? wa + (1.0 - std::sin(a)) * (wb - wa) : wa + std::sin(a) * (wb - wa);
        const double zr = RoundSectionLength(z, digits);
        m_outline.Add(zr, RoundSectionLength(w, digits));
        m_types.Add(zr, type);
    }
    SortAndNormalise();
    SelectElevation(down ? zb : za);
}

void TOutlineEditor::Modify(const std::string& elevation, std::string width)
{
    m_refusedField = RefusedLength(elevation, width);
    if (m_refusedField >= 0)
        return;
    if (m_selected < 0 || m_selected >= m_outline.GetCount()) {
        Add(elevation, width);
        if (m_selected < 0 || m_selected >= m_outline.GetCount())
            return;
    }
    g_SectionDefinition.ShapeCode = kUserShapeCode;
    const double e = RoundSectionLength(Length(elevation), 4);
    const double w = RoundSectionLength(std::fabs(Length(width)), 4);
    if (ClassifyWidthEntry(width) != 2) {
        Complain("Circular sections may only be added with the add button. You pressed the Modify Button.",
                 "Circle Error");
        return;
    }
    int other = -1;
    const int count = CountDefinitionsAt(m_outline, e, m_selected, other);
    if (count == 2 && other != m_selected) {
        Complain("This new elevation already has 2 definitions.  Either modify or delete an existing one.",
                 "Add Error");
        return;
    }
    double z = e;
    const double old = m_outline.GetDepth(m_selected);
    if (count == 1 && other != m_selected && std::fabs(old - e) > kSameElevation) {
        if (m_ask(other, w) == 1)
            z = e + kWidthStepGap;
        else
            SetDepthBoth(m_outline, m_types, other, e + kWidthStepGap);
    }
    SetDepthBoth(m_outline, m_types, m_selected, z);
    m_outline.SetValue(m_selected, w);
    SortAndNormalise();
    SelectRow(m_selected);
}

void TOutlineEditor::Delete()
{
    if (m_selected < 0 || m_selected >= m_outline.GetCount())
        return;
    g_SectionDefinition.ShapeCode = kUserShapeCode;
    m_outline.RemoveAt(m_selected);
    if (m_selected < m_types.GetCount())
        m_types.RemoveAt(m_selected);
    NormaliseOutline(m_outline, m_types);
    SelectRow(m_selected);
}

void TOutlineEditor::SetBandType(int band, int type)
{
    if (band < 0 || band >= m_types.GetCount())
        return;
    m_types.SetValue(band, type);
    g_SectionDefinition.ShapeCode = kUserShapeCode;
}
