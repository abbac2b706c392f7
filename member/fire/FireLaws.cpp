#include "member/fire/FireLaws.h"

#include <algorithm>

#include "foundation/ReportText.h"
#include "foundation/StrFormat.h"

namespace {

int KnownType(int type)
{
    return type >= 0 && type < kRebarFireTypeCount ? type : kMildSteel;
}

} // namespace

double ConcretePeakStrainFactor(double T)
{
    const double d = T - 20.0;
    return std::min((d * d * 0.04 + 6.0 * d + 2500.0) / 2500.0, 20.0);
}

double ConcreteStrengthFactor(double T)
{
    if (T < 100.0)
        return 1.0;
    if (T <= 400.0)
        return 1.067 - 0.00067 * T;
    if (T < 900.0)
        return std::max(0.05, 1.44 - 0.0016 * T);
    return 0.05;
}

double ConcreteStiffnessFactor(double T)
{
    if (T < 100.0)
        return 1.0;
    if (T < 450.0)
        return 1.2 - 0.0021 * T;
    if (T < 900.0)
        return std::max(0.05, 0.424 - 0.00385 * T);
    return 0.05;
}

double SteelStiffnessFactor(double T, int type)
{
    if (T < 100.0)
        return 1.0;
    switch (KnownType(type)) {
    case kGFRP:
    case kCFRP:
        if (T < 300.0)
            return 1.25 - 0.0025 * T;
        return T < 400.0 ? 2.0 - 0.005 * T : 0.0;
    case kAFRP:
        if (T < 300.0)
            return 1.175 - 0.00175 * T;
        return T < 500.0 ? 1.625 - 0.00325 * T : 0.0;
    default:
        if (T < 500.0)
            return 1.1 - 0.001 * T;
        if (T < 600.0)
            return 2.05 - 0.0029 * T;
        if (T < 700.0)
            return 1.39 - 0.0018 * T;
        if (T < 800.0)
            return 0.41 - 0.0004 * T;
        return T < 1200.0 ? 0.27 - 0.000225 * T : 0.0;
    }
}

double SteelStrengthFactor(double T, int type)
{
    switch (KnownType(type)) {
    case kGFRP:
        if (T < 100.0)
            return 1.0;
        return T < 400.0 ? 1.333 - 0.00333 * T : 0.0;
    case kCFRP:
        return T < 400.0 ? 1.0 - 0.0025 * T : 0.0;
    case kAFRP:
        if (T < 100.0)
            return 1.0;
        // The line crosses zero at 474.5 degrees, just short of its end.
        return T < 475.0 ? std::max(0.0, 1.267 - 0.00267 * T) : 0.0;
    default:
        if (T < 350.0)
            return 1.0;
        if (T < 700.0)
            return 1.899 - 0.00257 * T;
        return T < 1200.0 ? 0.24 - 0.0002 * T : 0.0;
    }
}

int CheckRebarFireType(int type, const char* structureName)
{
    if (type == KnownType(type))
        return type;
    AddLoadError(StrPrintf("Unknown reinforcement fire type %d in \"%s\": taken as "
                           "mild or prestressed steel",
                           type,
                           structureName));
    return kMildSteel;
}
