// TShell's document callbacks: the root p3g_shell, the shell loading, the analysis options
// (resistance factors only), the shrinkage and thermal strain profile and the end of the
// solid outline. Every other element is the structure's.

#include <cmath>

#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/Units.h"
#include "model/ElementText.h"
#include "model/StructureElements.h"
#include "model/TShell.h"
#include "model/materials/MaterialTypes.h"

namespace {

constexpr std::array<const char*, 3> kSpacingAttributes = {"smx", "smy", "smz"};
constexpr std::array<const char*, kLoadCount> kLoadNames = {
    "Nxx", "Nyy", "Nxy", "Mxx", "Myy", "Mxy", "Vx", "Vy"};

bool IsOwnElement(const std::string& element)
{
    return element == "p3g_shell" || element == "sectloading_shell" ||
           element == "analysisoptions";
}

// The load of a B (constant) or M (increment) attribute, or -1.
int LoadIndex(const std::string& attribute, bool& increment)
{
    if (attribute.size() < 2 || (attribute[0] != 'B' && attribute[0] != 'M'))
        return -1;
    increment = attribute[0] == 'M';
    for (int i = 0; i < kLoadCount; ++i) {
        if (attribute.compare(1, std::string::npos, kLoadNames[static_cast<std::size_t>(i)]) == 0)
            return i;
    }
    return -1;
}

bool IsMoment(int i)
{
    return i >= 3 && i <= 5;
}

} // namespace

void TShell::ApplyRootSpacing(int d, const int* unit)
{
    if (!m_rootSpacingRead[static_cast<std::size_t>(d)])
        return;
    const std::string& text = m_rootSpacingTexts[static_cast<std::size_t>(d)];
    if (ReadDocumentNumber(text) < 0.0)
        SetCrackSpacing(-1.0, d);
    else
        SetCrackSpacing(FromDocument(text, ukSectionLength, unit), d);
}

int TShell::SetRootAttribute(const std::string& attribute, const std::string& value, int* unit)
{
    return structure_elements::SetRootAttribute(
        *this,
        "p3g_shell",
        attribute,
        value,
        unit,
        {kSpacingAttributes, m_rootSpacingTexts, m_rootSpacingRead},
        true,
        [this, unit](int d) { ApplyRootSpacing(d, unit); });
}

int TShell::GetAttributeText(const std::string& element,
                             const std::string& attribute,
                             int instance,
                             std::string& text,
                             int* unitSystem)
{
    if (!IsOwnElement(element))
        return TStructure::GetAttributeText(element, attribute, instance, text, unitSystem);
    text = kNoDefinitionOwnText;
    if (instance > 1)
        return 0;
    std::optional<std::string> value;
    if (element == "p3g_shell") {
        value = structure_elements::RootTitleText(*this, attribute, true, unitSystem);
        for (int d = 0; d < 3; ++d) {
            if (attribute == kSpacingAttributes[static_cast<std::size_t>(d)])
                value = IsCrackSpacingAuto(d) != 0
                            ? std::string("-1")
                            : FormatValue("%3.1f",
                                          ToDocument(GetCrackSpacing(d), ukSectionLength, unitSystem));
        }
    } else if (element == "analysisoptions") {
        value = structure_elements::ResistanceFactorText(attribute);
        if (attribute == "clamp" || attribute == "longterm")
            value = "0";
        else if (attribute == "sustainM" || attribute == "sustainN")
            value = "0.0";
        else if (attribute == "age")
            value = "10.0";
    } else {
        bool increment = false;
        const int i = LoadIndex(attribute, increment);
        if (i >= 0) {
            double load =
                structure_elements::StoredLoads(*this, increment)[static_cast<std::size_t>(i)];
            // A zero moment times the negative moment factor must not print as "-0.0".
            if (IsMoment(i) && load == 0.0)
                load = -0.0;
            value = FormatValue(increment ? "%3.3f" : "%3.1f",
                                ToDocument(load,
                                           IsMoment(i) ? ukMomentPerLength : ukForcePerLength,
                                           unitSystem));
        }
    }
    return structure_elements::AnswerAttributeText(value, element, attribute, text);
}

int TShell::GetElementText(const std::string& element,
                           int instance,
                           TTextBuffer& text,
                           int* unitSystem)
{
    if (element != "shrinktherm")
        return TStructure::GetElementText(element, instance, text, unitSystem);
    text.Assign("");
    if (instance > 1)
        return 0;
    AppendProfileRows(text,
                      GetPositionVariable(kShrinkTherm),
                      GetBottom(),
                      "%5.1f",
                      "%5.2f",
                      unitSystem);
    return 1;
}

int TShell::GetElementCount(const std::string& element)
{
    if (element == "p3g_shell" || element == "sectloading_shell")
        return 1;
    if (element == "analysisoptions")
        return structure_elements::ResistanceFactorsChanged() ? 1 : 0;
    if (element == "shrinktherm") {
        // Written whenever any value is non-zero: a gradient through the thickness is zero at
        // the mid-plane and must not be lost.
        const TDepthTable& curve = GetPositionVariable(kShrinkTherm);
        for (int i = 0; i < curve.GetCount(); ++i) {
            if (curve.GetValue(i) != 0.0)
                return 1;
        }
        return 0;
    }
    return TStructure::GetElementCount(element);
}

int TShell::BeginElement(const std::string& element)
{
    if (element == "p3g_shell") {
        StampDate();
        m_rootSpacingRead = {};
        m_incrementsRead = false;
    }
    if (element == "sectloading_shell")
        m_incrementsRead = true;
    return TStructure::BeginElement(element);
}

int TShell::SetAttribute(const std::string& element,
                         const std::string& attribute,
                         const std::string& value,
                         int* unitSystem)
{
    if (!IsOwnElement(element))
        return TStructure::SetAttribute(element, attribute, value, unitSystem);
    if (element == "p3g_shell")
        return SetRootAttribute(attribute, value, unitSystem);
    if (element == "analysisoptions") {
        if (!structure_elements::SetResistanceFactor(attribute, value) && attribute != "clamp" &&
            attribute != "longterm" && attribute != "sustainM" && attribute != "sustainN" &&
            attribute != "age") {
            ReportUnknownAttribute(element, attribute);
            return 0;
        }
        return 1;
    }
    bool increment = false;
    const int i = LoadIndex(attribute, increment);
    if (i < 0) {
        ReportUnknownAttribute(element, attribute);
        return 0;
    }
    structure_elements::SetStoredLoad(
        *this,
        increment,
        i,
        FromDocument(value, IsMoment(i) ? ukMomentPerLength : ukForcePerLength, unitSystem));
    return 1;
}

int TShell::SetElementText(const std::string& element, TTextBuffer& text, int* unitSystem)
{
    if (element != "shrinktherm")
        return TStructure::SetElementText(element, text, unitSystem);
    SetShrinkThermCurve(ReadProfileRows(text, PositionVariableName(kShrinkTherm), unitSystem));
    return 1;
}

int TShell::EndElement(const std::string& element)
{
    // The thickness spans the outline; without a region it stays as it was and validation
    // reports the element.
    if (element == "sectionSOLID" && GetRegionCount() > 0)
        UpdateExtents();
    return TStructure::EndElement(element);
}
