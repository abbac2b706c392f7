#include "model/ValueLimits.h"

#include "foundation/Units.h"

double LargestSectionValue(int kind)
{
    switch (kind) {
    case ukSectionLength:
    case ukLength:
        return 1000.0;
    case ukArea:
        return 1.0;
    case ukStrain:
    case ukPercent:
        return 10.0;
    case ukStress:
    case ukLargeStress:
        return 1e12;
    default:
        return 1e9;
    }
}
