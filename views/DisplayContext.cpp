#include "views/DisplayContext.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "foundation/Diagnostics.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/materials/MaterialTypes.h"

DisplayContext DisplayContext::FromSettings()
{
    DisplayContext c;
    c.unitSystem = g_UnitSystem;
    c.resistanceFactors = {g_ResistanceFactors.phi_c, g_ResistanceFactors.phi_s,
                           g_ResistanceFactors.phi_p};
    c.debugLevel = GetDebugLevel();
    return c;
}

double DisplayContext::Factor(int kind) const
{
    return UnitFactor(kind, unitSystem);
}

const char* DisplayContext::Label(int kind) const
{
    return UnitLabel(kind, unitSystem);
}

bool DisplayContext::AnyFactorApplied() const
{
    for (double f : resistanceFactors)
        if (f != 1.0)
            return true;
    return false;
}

double DisplayContext::FactorSumOffset() const
{
    return std::fabs(resistanceFactors[0] + resistanceFactors[1] + resistanceFactors[2] - 3.0);
}

std::string Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    // A value that rounds to zero reads "0", never "-0", wherever the views show numbers.
    std::string text = StrVPrintfUnsignedZeros(format, args);
    va_end(args);
    // Bounded as before.
    if (text.size() > 1023)
        text.resize(1023);
    return text;
}

std::string FormatUnitLabel(const char* format, const DisplayContext& display, int kind)
{
    return Printf(format, display.Label(kind));
}
