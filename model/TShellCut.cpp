// TShell: the membrane element cut from a beam section at a height.
//
// The slice at height z of a beam web is a panel whose thickness is the web width b there.
// Each stirrup crossing z runs through the panel's plane; its legs become y-direction bar
// layers spread evenly across the thickness, so that the panel's y reinforcement ratio is
// the beam's stirrup ratio Av / (b s).

#include <algorithm>

#include "model/TBeam.h"
#include "model/TShell.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"

namespace {

// Legs of a stirrup pattern that cross a horizontal cut: closed stirrups, hoops and their
// like have two; patterns without legs in the web (0, 6, 7) none; a single leg otherwise.
int CrossingLegs(int pattern)
{
    switch (pattern) {
    case 0:
    case 6:
    case 7:
        return 0;
    case 2:
    case 3:
    case 4:
        return 2;
    default:
        return 1;
    }
}

// The concrete of the first region of the beam that holds z; a default concrete when no
// region holds it or its type is missing, so that the panel's region always has one.
ConcreteTypeRec ConcreteAt(const TStructure& beam, double z)
{
    for (int i = 0; i < beam.GetRegionCount(); ++i) {
        const ConcreteRegionRec* region = beam.GetRegion(i);
        if (region == nullptr || z < region->bottom || z > region->top)
            continue;
        if (region->concreteType >= 0 && region->concreteType < beam.GetConcreteTypeCount()) {
            if (const ConcreteTypeRec* type = beam.GetConcreteType(region->concreteType))
                return *type;
        }
        break;
    }
    ConcreteTypeRec fallback;
    InitConcreteTypeRec(fallback);
    CheckConcreteType(fallback, 1);
    return fallback;
}

// The beam's steel type t, or a default reinforcing steel when it has none of that index.
SteelTypeRec SteelOf(const TStructure& beam, int t)
{
    if (t >= 0 && t < beam.GetSteelTypeCount()) {
        if (const SteelTypeRec* steel = beam.GetSteelType(t))
            return *steel;
    }
    SteelTypeRec fallback;
    InitSteelTypeRec(fallback);
    CheckSteelType(fallback, 1);
    return fallback;
}

} // namespace

void TShell::CutFromBeam(const TBeam& beam, double z)
{
    const TStructure& source = beam;
    SetName(source.GetName());
    SetDate(source.GetDate());
    SetDoneBy(source.GetDoneBy());
    SetUniversity("Automatically Generated");

    // A height outside the beam would give a slice without concrete.
    const double lowest = std::min(source.GetBottom(), source.GetTop());
    const double highest = std::max(source.GetBottom(), source.GetTop());
    z = std::clamp(z, lowest, highest);

    AddConcreteType(ConcreteAt(source, z));
    const double b = source.GetWidthAt(z);
    DeleteRegions();
    AddRegion(b / 2.0, -b / 2.0, 1.0, 1.0, 0, 1);

    for (int i = 0; i < source.GetTransLayerCount(2); ++i) {
        const TransLayerRec* stirrup = source.GetTransLayer(i, 2);
        if (stirrup == nullptr || z < stirrup->distbot || z > stirrup->disttop)
            continue;
        AddSteelType(SteelOf(source, stirrup->type));
        const int steelType = GetSteelTypeCount() - 1;
        const int legs = CrossingLegs(stirrup->pattern);
        for (int k = 1; k <= legs; ++k) {
            LongLayerRec leg;
            InitLongLayerRec(leg);
            // Evenly across the thickness, from the lower face of the panel.
            leg.z = -b / 2.0 + k * b / (legs + 1);
            // Each leg carries its share of the stirrup set's area.
            leg.num = 1;
            leg.Ai = stirrup->A / legs;
            leg.A = leg.Ai;
            leg.db = stirrup->db;
            leg.bartitle = stirrup->bartitle;
            leg.barIndex = stirrup->barIndex;
            leg.space = stirrup->space;
            leg.name = stirrup->name;
            leg.type = steelType;
            AddLongLayer(leg, 1);
        }
    }

    m_own.thickness = b;
    // The crack spacings follow from the reinforcement, as in a new element.
    m_own.crackSpacing = {-1.0, -1.0, -1.0};
    m_own.crackSpacingAuto = {1, 1, 1};
    TShell::Validate();
}
