#include "model/ModelHelpers.h"

#include <cmath>
#include <fstream>

#include "foundation/ProgramPaths.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "foundation/XmlEntities.h"
#include "model/TStructure.h"

bool FileExists(const std::string& path)
{
    std::ifstream file(path);
    return file.is_open();
}

bool IsProgramDirFile(const std::string& path, const std::string& name)
{
    return path == g_ProgramPath + name;
}

void FormatCoverText(std::string& out, const TStructure* structure)
{
    out.clear();
    if (structure == nullptr || !(structure->GetHeight() > 0.0))
        return;
    int face = 0;
    double cover = structure->GetMinCover(face);
    if (std::fabs(cover) > structure->GetHeight())
        cover = 9999.999999;
    if (face == 0)
        return;
    const char* text = face == 2 ? "Clear cover to reinforcement = %5.~f %s"
                                 : "Clear cover to transverse reinforcement = %5.~f %s";
    const std::string format = setup_units(text, 0, 2, 2, g_UnitSystem);
    out = StrPrintf(format.c_str(),
                    ToDisplayUnits(cover, ukSectionLength),
                    UnitLabel(ukSectionLength));
}

void AreaUnitSuffix(std::string& out, const std::string& prefix, int kind, int power)
{
    std::string label;
    if (kind == kAreaPerLengthKind)
        label = g_UnitSystem == kUnitSI ? "mm^2/m" : g_UnitSystem == kUnitUS ? "in^2/ft" : "cm^2/m";
    else
        label = UnitLabel(kind);
    out = prefix + StrPrintf(" (%s)", label.c_str());
    if (power != 0)
        out += StrPrintf(" x 10^%d", power);
}

std::string DescribeUndefinedConcreteType(const TStructure& s)
{
    const bool membrane = s.GetKind() == kKindShell;
    const char* kind = membrane ? "Membrane element" : "Section";
    const char* noun = membrane ? "element" : "section";
    // An outline whose reading stopped at a row lost that row and every row after it.
    const TStructure::ElementReadState& read = s.ReadState();
    if (read.unreadRegion > 0 && read.unknownConcrete)
        return StrPrintf("%s \"%s\": concrete region %d of its outline names concrete type \"%s\", which the "
                         "%s does not define, so it cannot be analysed. It was not read.",
                         kind,
                         s.GetName().c_str(),
                         read.unreadRegion,
                         QuoteForMessage(*read.unknownConcrete).c_str(),
                         noun);
    if (read.unreadRegion > 0)
        return StrPrintf("%s \"%s\": its outline has more than %d concrete region%s, the most %s %s holds, so "
                         "it cannot be analysed. It was not read.",
                         kind,
                         s.GetName().c_str(),
                         read.unreadRegion - 1,
                         read.unreadRegion == 2 ? "" : "s",
                         membrane ? "an" : "a",
                         noun);
    const int types = s.GetConcreteTypeCount();
    for (int r = 0; r < s.GetRegionCount(); ++r) {
        const int type = s.GetRegion(r)->concreteType;
        if (type >= 0 && type < types)
            continue;
        if (types == 0)
            return StrPrintf("%s \"%s\": its outline names no concrete type, and the %s defines "
                             "none, so it cannot be analysed. It was not read.",
                             kind,
                             s.GetName().c_str(),
                             noun);
        return StrPrintf("%s \"%s\": concrete region %d names concrete type %d, which the %s "
                         "does not define, so it cannot be analysed. It was not read.",
                         kind,
                         s.GetName().c_str(),
                         r + 1,
                         type + 1,
                         noun);
    }
    return {};
}
