#include "charts/ListRows.h"

#include "foundation/StrFormat.h"
#include "foundation/Units.h"

namespace {

std::string Shown(double value, int kind, int unitSystem, bool si, const char* siFormat,
                  const char* otherFormat, const char* siLabel = nullptr)
{
    const double v = value * UnitFactor(kind, unitSystem);
    const std::string label = siLabel && si ? siLabel : UnitLabel(kind, unitSystem);
    return StrPrintf(si ? siFormat : otherFormat, v, label.c_str());
}

} // namespace

ListKindTexts ListTexts(int kind)
{
    switch (kind) {
    case kListLineTypes: return {"Line Types", "Select a linetype from the following list"};
    case kListConcreteTypes:
        return {"Concrete Types", "Select a concrete type from the following list"};
    case kListStandardTypes:
        return {"Standard Types", "Select a standard type from the following list"};
    case kListReinforcement:
        return {"Reinforcement Types", "Select a reinforcement type from the following list"};
    case kListBeamSections: return {"Beam Sections", "Select a beam section from the following list"};
    default: return {"Select", "Select from the following list"};
    }
}

std::vector<std::string> LineTypeRows()
{
    return {"Solid Line", "Dashed Line", "Dotted Line", "Dash-Dot Line", "Dash-Dot-Dot"};
}

int SampleWidth(int w) { return w >= 21 ? kMaxSampleWidth : w; }

std::vector<std::string> ConcreteTypeRows(const std::vector<ConcreteRowSource>& types,
                                          int unitSystem)
{
    std::vector<std::string> rows;
    const bool us = unitSystem == kUnitUS;
    for (const ConcreteRowSource& t : types) {
        const double v = -t.fc * UnitFactor(ukStress, unitSystem);
        rows.push_back(StrPrintf(us ? "%s %5.0f %s" : "%s %5.1f %s", t.name.c_str(), v,
                                 UnitLabel(ukStress, unitSystem)));
    }
    return rows;
}

std::vector<std::string> StandardTypeRows(const std::vector<StandardTypeEntry>& table, int start,
                                          int unitSystem)
{
    std::vector<std::string> rows;
    if (start < 0 || start >= static_cast<int>(table.size()))
        return rows;
    const std::string family = table[static_cast<std::size_t>(start)].family;
    for (std::size_t i = static_cast<std::size_t>(start);
         i < table.size() && table[i].family == family &&
         rows.size() < static_cast<std::size_t>(kMaxStandardFamilyRows);
         ++i)
        rows.push_back(StrPrintf("%s %s %5.0f %s", family.c_str(), table[i].designation.c_str(),
                                 table[i].height * UnitFactor(ukSectionLength, unitSystem),
                                 UnitLabel(ukSectionLength, unitSystem)));
    return rows;
}

RebarRowTexts RebarRow(const std::string& name, double area, double diameter, int unitSystem)
{
    const bool si = unitSystem == kUnitSI;
    return {name, Shown(area, ukArea, unitSystem, si, "%5.0f %s", "%5.3f %s", "mm^2"),
            Shown(diameter, ukSectionLength, unitSystem, si, "%5.1f %s", "%5.3f %s")};
}
