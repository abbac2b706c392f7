#include "model/LayerLimits.h"

#include <algorithm>
#include <cmath>

#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/TStructure.h"

namespace {

// Relative tolerance of the largest diameter.
constexpr double kDiameterTolerance = 1e-6;

double MaxBarDiameter()
{
    return 2.0 * std::sqrt(kMaxBarArea / kModelPi);
}

// A layer's diameter in the display units with their label.
std::string DiameterText(double db)
{
    return StrPrintf("%.1f %s", ToDisplayUnits(db, ukSectionLength), UnitLabel(ukSectionLength));
}

// The message of a layer (numbered from 1 in its direction) whose bars are larger than any
// held, kind its direction's word: "Longitudinal layer 3 ("top") has bars ... across: ...".
std::string UnheldDiameterText(const char* kind, int i, const std::string& name, double db)
{
    return StrPrintf("%s layer %d (\"%s\") has bars %s across: a bar is at most %s across.",
                     kind,
                     i + 1,
                     name.c_str(),
                     DiameterText(db).c_str(),
                     MaxBarDiameterText().c_str());
}

} // namespace

bool IsHeldBarDiameter(double db)
{
    // A bar of the largest area, its diameter passed through single precision (as older files
    // and the catalogue may keep it), is held.
    return std::fabs(db) <= MaxBarDiameter() * (1.0 + kDiameterTolerance);
}

std::string MaxBarDiameterText()
{
    return DiameterText(MaxBarDiameter());
}

std::string UnheldLayerText(const TStructure& s)
{
    const int longDirections = std::min(s.GetLongDirectionCount(), 2);
    for (int d = 0; d < longDirections; ++d) {
        for (int i = 0; i < s.GetLongLayerCount(d); ++i) {
            const LongLayerRec& layer = *s.GetLongLayer(i, d);
            if (layer.num > kMaxBarsPerPattern)
                return StrPrintf("Longitudinal layer %d (\"%s\") has %d bars: a layer holds at most %d bars.",
                                 i + 1,
                                 layer.name.c_str(),
                                 layer.num,
                                 kMaxBarsPerPattern);
            if (!IsHeldBarDiameter(layer.db))
                return UnheldDiameterText("Longitudinal", i, layer.name, layer.db);
        }
    }
    for (int d = std::max(3 - s.GetTransDirectionCount(), 0); d <= 2; ++d) {
        for (int i = 0; i < s.GetTransLayerCount(d); ++i) {
            const TransLayerRec& layer = *s.GetTransLayer(i, d);
            if (!IsHeldBarDiameter(layer.db))
                return UnheldDiameterText("Transverse", i, layer.name, layer.db);
        }
    }
    return std::string();
}
