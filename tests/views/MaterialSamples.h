#pragma once
// Material types the material chart tests draw with.

#include <string>

#include "model/materials/ConcreteLaws.h"

namespace material_samples {

// A prepared concrete type of cylinder strength fcMPa (MPa) peaking at strain ec (kept, not
// derived from the strength).
inline ConcreteTypeRec Concrete(const std::string& name, double fcMPa, double ec)
{
    ConcreteTypeRec r;
    r.name = name;
    r.fc = -fcMPa * 1e6;
    r.ec = ec;
    r.ecAuto = 0;
    PrepareConcreteType(r);
    return r;
}

} // namespace material_samples
