// Shows the member sheet's pages and the post-fire parameters dialog for a while, so they can
// be looked at (and photographed) under a virtual X server: a member of two zones with live
// and self-weight dead diagrams.
//   qv_membersheets 0|1|2|3|4|fire [seconds]

#include <cstdlib>
#include <string>

#include "dialogs/MemberSheet.h"
#include "dialogs/TFire.h"
#include "member/MemberTestSupport.h"
#include "platform/Application.h"
#include "support/ScriptedUi.h"

int main(int argc, char** argv)
{
    plat::EnsureGuiRuntime(argc, argv);
    const std::string what = argc > 1 ? argv[1] : "0";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 4;
    membertest::DefaultMember m;
    m.slots.Put(1, membertest::RectBeam("Deep end", 0.3, 0.8, 4));
    QuickFields q;
    q.shearLength = "1800";
    q.constantZone = "500";
    q.momentRatio = "-30";
    q.axialLoad = "0";
    q.yieldPenetration = "0.022";
    int confirm = 0;
    ApplyQuickFields(m.slots, q, m.d, confirm);
    if (what != "0") {
        int selected = 0;
        AddZoneBoundary(m.d, "1200", selected);
        m.d.zones[1].structureIndex = 1;
        GenerateSelfWeightDiagram(m.slots, m.d, DeadDiagram);
    }
    ScriptedUi ui;
    const auto look = [seconds, what](plat::DialogDriver& d) {
        if (what != "fire" && what != "0")
            d.SwitchPage(std::atoi(what.c_str()));
        plat::Application::PumpEvents(seconds * 1000);
        d.PressEscape();
    };
    if (what == "fire") {
        ui.Dialog("Post-fire", look);
        TFire(nullptr, m.beam).Execute();
    } else {
        ui.Dialog("Full Member Properties", look);
        EditMemberProperties(nullptr, m.d, m.slots);
    }
    return 0;
}
