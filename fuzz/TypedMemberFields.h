#pragma once
// The member pages' fields as the Typed* targets type them, shared by the targets that reach
// the Quick Define and Geometry pages.

#include <string>
#include <vector>

#include "TypedFuzzSupport.h"
#include "dialogs/MemberPages.h"

// The Geometry page as shown, with nine typed fields: the length, the top plate, the
// displacement location, the yield penetration, the left plate and support location, the right
// plate and support location, and a field whose first four digits choose the two anchorages and
// the two supports.
inline GeometryFields TypedGeometryFields(GeometryFields typed, const std::vector<std::string>& f)
{
    typed.length = f[0];
    typed.topPlate = f[1];
    typed.displacement = f[2];
    typed.yieldPenetration = f[3];
    typed.leftPlate = f[4];
    typed.leftLocation = f[5];
    typed.rightPlate = f[6];
    typed.rightLocation = f[7];
    typed.leftAnchorage = Digit(f[8], 0) % 4 - 1;
    typed.rightAnchorage = Digit(f[8], 1) % 4 - 1;
    typed.leftSupport = Digit(f[8], 2) % 5 - 1;
    typed.rightSupport = Digit(f[8], 3) % 5 - 1;
    return typed;
}

// The Quick Define page as shown, with six typed fields: the shear span, the constant-moment
// zone, the moment ratio, the axial load, the yield penetration, and a field whose first three
// digits choose the loading type and the two end cases.
inline QuickFields TypedQuickFields(QuickFields typed, const std::vector<std::string>& f)
{
    typed.shearLength = f[0];
    typed.constantZone = f[1];
    typed.momentRatio = f[2];
    typed.axialLoad = f[3];
    typed.yieldPenetration = f[4];
    typed.loadingType = Digit(f[5], 0) % 3;
    typed.leftCase = Digit(f[5], 1) % 3;
    typed.rightCase = Digit(f[5], 2) % 3;
    return typed;
}
