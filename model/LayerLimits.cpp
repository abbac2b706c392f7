#include "model/LayerLimits.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/TStructure.h"

namespace {

// Relative tolerance of the largest diameter.
constexpr double kDiameterTolerance = 1e-6;
// The largest area held: that of the largest diameter held, so that a bar held by one measure
// is held by the other.
constexpr double kHeldAreaFactor = (1.0 + kDiameterTolerance) * (1.0 + kDiameterTolerance);
// Areas this large in the display units are told in exponent form.
constexpr double kLongestPlainArea = 1e9;

// A layer's diameter in the display units with their label.
std::string DiameterText(double db)
{
    return StrPrintf("%.1f %s", ToDisplayUnits(db, ukSectionLength), UnitLabel(ukSectionLength));
}

// The message of a layer (numbered from 1 in its direction) whose bars are larger than any
// held, kind its direction's word, the bars and the largest by the same measure:
// "Longitudinal layer 3 ("top") has bars 1500.0 mm across: a bar is at most 1128.4 mm across.",
// "... has bars of 2000000.0 mm^2: a bar is at most 1000000.0 mm^2.".
std::string UnheldBarText(const char* kind, int i, const std::string& name, const std::string& bars,
                          const std::string& largest)
{
    return StrPrintf("%s layer %d (\"%s\") has bars %s: a bar is at most %s.",
                     kind,
                     i + 1,
                     name.c_str(),
                     bars.c_str(),
                     largest.c_str());
}

std::string UnheldDiameterText(const char* kind, int i, const std::string& name, double db)
{
    return UnheldBarText(kind, i, name, DiameterText(db) + " across", MaxBarDiameterText() + " across");
}

// An area in the display units with their label ("1000000.0 mm^2"; one too long to read
// plainly in exponent form, "1e+306 mm^2").
std::string DisplayAreaText(double area)
{
    const double shown = ToDisplayUnits(area, ukArea);
    return StrPrintf(std::fabs(shown) < kLongestPlainArea ? "%.1f %s" : "%.4g %s", shown, UnitLabel(ukArea));
}

std::string UnheldAreaText(const char* kind, int i, const std::string& name, double area)
{
    return UnheldBarText(kind, i, name, "of " + DisplayAreaText(area), MaxBarAreaText());
}

// What a layer whose area is negative or no number has, by the area of its bars (the layer's
// total for a transverse layer): "bars of -100.0 mm^2", "bars whose area is no number".
std::string AreaValueHas(double area)
{
    return std::isfinite(area) ? "bars of " + DisplayAreaText(area)
                               : std::string("bars whose area is no number");
}

// The first area of the layer that is negative or no number, its bar's first (a total told
// shared among its bars); nothing when both are sound.
template <typename Layer> std::optional<double> BadAreaValue(const Layer& layer, int bars)
{
    if (!IsAreaValue(layer.Ai))
        return layer.Ai;
    if (!IsAreaValue(layer.A))
        return layer.A / std::max(bars, 1);
    return std::nullopt;
}

} // namespace

double MaxBarDiameter()
{
    return 2.0 * std::sqrt(kMaxBarArea / kModelPi);
}

bool IsAreaValue(double area)
{
    return std::isfinite(area) && area >= 0.0;
}

std::string AreaValueText(const char* kind, int n, const std::string& name, const std::string& has)
{
    return StrPrintf("%s layer %d (\"%s\") has %s: an area is a number of 0 or more.",
                     kind,
                     n,
                     name.c_str(),
                     has.c_str());
}

bool IsHeldBarArea(double area)
{
    return std::fabs(area) <= kMaxBarArea * kHeldAreaFactor;
}

bool IsHeldLayerArea(double A, int bars)
{
    return std::fabs(A) <= std::max(bars, 1) * kMaxBarArea * kHeldAreaFactor;
}

bool IsHeldTransArea(double A)
{
    return IsHeldLayerArea(A, kMaxBarsPerPattern);
}

std::string MaxBarAreaText()
{
    return DisplayAreaText(kMaxBarArea);
}

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

namespace {

const char* DirectionLetter(int d)
{
    return d == 0 ? "x" : d == 1 ? "y" : "z";
}

std::string TooManyLayersText(const char* kind, int count, int d)
{
    return StrPrintf("The section has %d %s layers in direction %s: a section holds at most %d.",
                     count,
                     kind,
                     DirectionLetter(d),
                     kMaxLayersOfDirection);
}

} // namespace

std::string UnheldLayerText(const TStructure& s)
{
    const int longDirections = std::min(s.GetLongDirectionCount(), 2);
    for (int d = 0; d < longDirections; ++d)
        if (s.GetLongLayerCount(d) > kMaxLayersOfDirection)
            return TooManyLayersText("longitudinal", s.GetLongLayerCount(d), d);
    for (int d = std::max(3 - s.GetTransDirectionCount(), 0); d <= 2; ++d)
        if (s.GetTransLayerCount(d) > kMaxLayersOfDirection)
            return TooManyLayersText("transverse", s.GetTransLayerCount(d), d);
    for (int d = 0; d < longDirections; ++d) {
        for (int i = 0; i < s.GetLongLayerCount(d); ++i) {
            const LongLayerRec& layer = *s.GetLongLayer(i, d);
            if (layer.num > kMaxBarsPerPattern)
                return StrPrintf("Longitudinal layer %d (\"%s\") has %d bars: a layer holds at most %d bars.",
                                 i + 1,
                                 layer.name.c_str(),
                                 layer.num,
                                 kMaxBarsPerPattern);
            if (const auto area = BadAreaValue(layer, layer.num))
                return AreaValueText("Longitudinal", i + 1, layer.name, AreaValueHas(*area));
            if (!IsHeldBarDiameter(layer.db))
                return UnheldDiameterText("Longitudinal", i, layer.name, layer.db);
            // The bar as the layer gives it, and as its total area shares out among its bars.
            if (!IsHeldBarArea(layer.Ai))
                return UnheldAreaText("Longitudinal", i, layer.name, layer.Ai);
            if (!IsHeldLayerArea(layer.A, layer.num))
                return UnheldAreaText("Longitudinal", i, layer.name, layer.A / std::max(layer.num, 1));
        }
    }
    for (int d = std::max(3 - s.GetTransDirectionCount(), 0); d <= 2; ++d) {
        for (int i = 0; i < s.GetTransLayerCount(d); ++i) {
            const TransLayerRec& layer = *s.GetTransLayer(i, d);
            if (const auto area = BadAreaValue(layer, 1))
                return AreaValueText("Transverse", i + 1, layer.name, AreaValueHas(*area));
            if (!IsHeldBarDiameter(layer.db))
                return UnheldDiameterText("Transverse", i, layer.name, layer.db);
            if (!IsHeldBarArea(layer.Ai))
                return UnheldAreaText("Transverse", i, layer.name, layer.Ai);
            if (!IsHeldTransArea(layer.A))
                return StrPrintf("Transverse layer %d (\"%s\") has an area of %s: a layer holds at most %d "
                                 "bars of %s.",
                                 i + 1,
                                 layer.name.c_str(),
                                 DisplayAreaText(layer.A).c_str(),
                                 kMaxBarsPerPattern,
                                 MaxBarAreaText().c_str());
        }
    }
    return std::string();
}
