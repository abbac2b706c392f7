// Shows one of the material and reinforcement sheets over a sample section for a while, so
// it can be looked at (and photographed) under a virtual X server:
//   qv_dialogshots concrete|materials|longitudinal|transverse|tendons|data [seconds]
// The sheet is cancelled at the end; nothing is written.

#include <cstdlib>
#include <sstream>
#include <string>

#include "dialogs/MaterialSheet.h"
#include "dialogs/ReinforcementPages.h"
#include "dialogs/ReinforcementSheets.h"
#include "dialogs/ValueListDialog.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "model/materials/UserCurves.h"
#include "platform/Application.h"
#include "platform/Dialog.h"
#include "platform/Ui.h"
#include "support/ScriptedUi.h"

namespace {

// A 400 x 600 mm column-like section with a second concrete type, bars, a ring of 8 bars,
// a tendon and closed stirrups.
void BuildSample(TBeam& beam) {
    beam.AddRegion(0.6, 0.0, 0.4, 0.4, 0, 1);
    double slab = 30e6;
    beam.AddConcreteTypeFromStrength(slab, "Topping");
    TLongLists lists = BuildLongLists(beam, 0);
    (void)lists.individual->AddFull({3, 500e-6, 0, 0.05, 0, 0, 0, 0, 0, 0}, {0, 0, 1, -1}, "Bottom");
    (void)lists.circular->AddFull({8, 300e-6, 0, 0.3, 0.2, 0, 0, 0, 0, 0}, {0, 0, -1, -1}, "Ring");
    (void)lists.tendons->AddFull({4, 99e-6, 0, 0.0065, 0.1, 0.02, 0, 0, 0, 0}, {0, 1, -1, -1}, "Tendon");
    WriteBackLongLists(beam, lists, 0);
    TTypeList stirrups(10);
    (void)stirrups.AddFull({0.2, 100e-6, 0, 0.55, 0.05, 0, 0, 0, 0, 0}, {2, 0, 0, -1}, "Stirrups");
    WriteBackTransList(beam, stirrups, 2);
}

} // namespace

int main(int argc, char** argv) {
    plat::EnsureGuiRuntime(argc, argv);
    const std::string what = argc > 1 ? argv[1] : "concrete";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 4;
    std::istringstream listing(DefaultRebarListing());
    g_RebarList.ReadListing(listing);
    TBeam beam;
    BuildSample(beam);

    ScriptedUi ui;
    const auto look = [seconds](int page) {
        return [seconds, page](plat::DialogDriver& d) {
            d.Show();
            if (page >= 0)
                d.SwitchPage(page);
            plat::Application::PumpEvents(seconds * 1000);
            d.Click(2);
        };
    };
    const auto none = [] {};
    if (what == "materials" || what == "concrete") {
        ui.Dialog("Materials Page", look(what == "concrete" ? 1 : 0));
        RunMaterialsSheet(nullptr, beam, 0, -1, -1, 0, none);
    } else if (what == "longitudinal") {
        ui.Dialog("Define Longitudinal Reinforcement", look(1));
        RunLongitudinalSheet(nullptr, beam, 0, 0, -1, -1, -1, none);
    } else if (what == "tendons") {
        ui.Dialog("Define Tendons", look(-1));
        RunTendonSheet(nullptr, beam, 0, none);
    } else if (what == "transverse") {
        ui.Dialog("Define Transverse Reinforcement", look(-1));
        RunTransverseSheet(nullptr, beam, 0, 2, none);
    } else {
        TDepthTable curve;
        curve.Add(0, 0);
        curve.Add(-0.001, -20e6);
        curve.Add(-0.002, -30e6);
        curve.Add(-0.0035, -25e6);
        FinishUserCurve(curve);
        TPage6 curveDialog(nullptr, nullptr, 0, &curve, none);
        ui.Dialog("Define Data", look(-1));
        curveDialog.Execute();
    }
    return 0;
}
