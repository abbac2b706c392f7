// The pieces the beam's and the shell's own document elements share.

#include <cstddef>

#include "foundation/Units.h"
#include "model/ElementText.h"
#include "model/StructureElements.h"
#include "model/TStructure.h"
#include "model/materials/MaterialTypes.h"

namespace structure_elements {

int SetRootAttribute(TStructure& s,
                     const char* root,
                     const std::string& attribute,
                     const std::string& value,
                     int* unit,
                     const RootLengths& lengths,
                     bool university,
                     const std::function<void(int)>& applyLength)
{
    for (std::size_t k = 0; k < lengths.names.size(); ++k) {
        if (attribute == lengths.names[k]) {
            lengths.texts[k] = value;
            lengths.read[k] = true;
            applyLength(static_cast<int>(k));
            return 1;
        }
    }
    if (attribute == "name") {
        s.SetName(value);
    } else if (attribute == "doneby") {
        s.SetDoneBy(value);
    } else if (university && attribute == "univ") {
        s.SetUniversity(value);
    } else if (attribute == "date") {
        s.SetDate(value);
    } else if (attribute == "units") {
        ReadDocumentUnits(value, unit);
        for (int k = 0; k < 3; ++k)
            applyLength(k);
    } else if (attribute != "Version") {
        ReportUnknownAttribute(root, attribute);
        return 0;
    }
    return 1;
}

std::optional<std::string>
RootTitleText(const TStructure& s, const std::string& attribute, bool university, int* unitSystem)
{
    if (attribute == "name")
        return s.GetName();
    if (attribute == "doneby")
        return s.GetDoneBy();
    if (university && attribute == "univ")
        return s.GetUniversity();
    if (attribute == "date")
        return s.GetDate();
    if (attribute == "units") {
        if (unitSystem != nullptr)
            *unitSystem = g_UnitSystem;
        return std::string(
            g_UnitSystemNames[static_cast<std::size_t>(DocumentUnits(&g_UnitSystem))]);
    }
    if (attribute == "Version")
        return std::string("2.0");
    return std::nullopt;
}

namespace {

std::optional<std::string> FactorText(const ResistanceFactors& f, const std::string& attribute)
{
    if (attribute == "phic")
        return FormatValue("%3.2f", f.phi_c);
    if (attribute == "phis")
        return FormatValue("%3.2f", f.phi_s);
    if (attribute == "phip")
        return FormatValue("%3.2f", f.phi_p);
    return std::nullopt;
}

} // namespace

std::optional<std::string> ResistanceFactorText(const std::string& attribute)
{
    return FactorText(g_ResistanceFactors, attribute);
}

bool ResistanceFactorsChanged()
{
    const ResistanceFactors defaults{};
    const ExactDocumentNumbers asWritten(false);
    for (const char* attribute : {"phic", "phis", "phip"}) {
        if (FactorText(g_ResistanceFactors, attribute) != FactorText(defaults, attribute))
            return true;
    }
    return false;
}

bool SetResistanceFactor(const std::string& attribute, const std::string& value)
{
    if (attribute == "phic")
        g_ResistanceFactors.phi_c = ReadDocumentNumber(value);
    else if (attribute == "phis")
        g_ResistanceFactors.phi_s = ReadDocumentNumber(value);
    else if (attribute == "phip")
        g_ResistanceFactors.phi_p = ReadDocumentNumber(value);
    else
        return false;
    return true;
}

LoadVector StoredLoads(const TStructure& s, bool increment)
{
    LoadVector loads{};
    if (increment)
        s.GetIncrementLoads(loads.data(), kLoadCount);
    else
        s.GetConstantLoads(loads.data(), kLoadCount);
    return loads;
}

void SetStoredLoad(TStructure& s, bool increment, int i, double value)
{
    LoadVector loads = StoredLoads(s, increment);
    loads[static_cast<std::size_t>(i)] = value;
    if (increment)
        s.SetIncrementLoads(loads.data(), kLoadCount);
    else
        s.SetConstantLoads(loads.data(), kLoadCount);
}

int AnswerAttributeText(const std::optional<std::string>& value,
                        const std::string& element,
                        const std::string& attribute,
                        std::string& text)
{
    if (!value) {
        ReportUnknownAttribute(element, attribute);
        text = kIgnoreText;
        return 0;
    }
    text = *value;
    return 1;
}

} // namespace structure_elements
