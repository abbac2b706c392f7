#include "files/legacy/HeldLayers.h"

#include <string>

#include "model/LayerLimits.h"
#include "model/ValueLimits.h"

LegacyReadResult CheckHeldLayers(const TStructure& s, std::size_t offset)
{
    std::string problem = UnheldLayerText(s);
    if (problem.empty())
        problem = UnheldValueText(s);
    if (problem.empty())
        return LegacyRead(offset);
    return LegacyRefused(offset, problem + " The file cannot be read.");
}
