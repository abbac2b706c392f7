#pragma once
// Shared pieces of the member tests: a structure table with rectangular beams and the
// default member around a section.

#include <memory>
#include <string>
#include <utility>

#include "analysis/PointSections.h"
#include "member/TMemberDefinition.h"
#include "member/fire/FireTestSupport.h"
#include "model/StructureFixtures.h"
#include "model/TBeam.h"

namespace membertest {

using firetest::TestSlots;

// A validated rectangular beam, width x height, f'c 35 MPa, steel type 0 of fy 400 MPa, with
// optional bottom bars
// (num bars of diameter db, 50 mm above the bottom) and stirrups.
inline std::unique_ptr<TBeam> RectBeam(const std::string& name,
                                       double width,
                                       double height,
                                       int bars = 0,
                                       double db = 0.025,
                                       bool stirrups = false)
{
    auto beam = PointSections::Empty();
    beam->SetName(name);
    beam->AddRegion(height, 0.0, width, width, 0, 1);
    if (bars > 0)
        beam->AddLongLayer(fixtures::Layer(0.05, bars, db), 0);
    if (stirrups)
        beam->AddTransLayer(fixtures::Stirrup(0.03, height - 0.03, 0.01, 0.2, 2.0 * fixtures::BarArea(0.01)), 2);
    beam->Validate();
    return beam;
}

// A table whose slot 0 (current) holds a 300 x 600 mm beam "Beam".
struct DefaultMember {
    DefaultMember()
    {
        beam = slots.Put(0, RectBeam("Beam", 0.3, 0.6));
        SetMemberDefinitionFromSection(slots, d, *beam);
    }
    TestSlots slots;
    TBeam* beam = nullptr;
    TMemberDefinition d;
};

// A simply supported 1.2 m member of a 200 x 300 mm section with two 12 mm bottom bars and no
// stirrups, under a uniform dead load of 4 kN/m and a uniform live load of 10 kN/m per unit
// load factor (parabolic moment diagrams, M = -w x (L - x) / 2). The shear in equilibrium with
// them is V(x) = (w_d + lambda w_l) (L/2 - x).
struct NoStirrupMember {
    NoStirrupMember()
    {
        beam = slots.Put(0, RectBeam("Beam", kWidth, kHeight, 2, 0.012));
        d.length = kSpan;
        d.leftPlateSize = d.rightPlateSize = 0.05;
        d.leftPlateLocation = 0.0;
        d.rightPlateLocation = kSpan;
        d.leftSupport = d.rightSupport = SupportType::Roller;
        for (const auto& [diagram, w] : {std::pair{LiveDiagram, kLive}, std::pair{DeadDiagram, kDead}}) {
            d.diagrams[diagram][0] = {0.0, 0.0, 1};
            d.diagrams[diagram][1] = {kSpan / 2, -w * kSpan * kSpan / 8, 1};
            d.diagrams[diagram][2] = {kSpan, 0.0, 1};
            d.pointCount[diagram] = 3;
        }
    }
    static constexpr double kSpan = 1.2;
    static constexpr double kWidth = 0.2;
    static constexpr double kHeight = 0.3;
    static constexpr double kLive = 10e3;
    static constexpr double kDead = 4e3;
    TestSlots slots;
    TBeam* beam = nullptr;
    TMemberDefinition d;
};

} // namespace membertest
