#pragma once
// Shared pieces of the member tests: a structure table with rectangular beams and the
// default member around a section.

#include <memory>
#include <string>

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

} // namespace membertest
