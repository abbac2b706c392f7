// Shows a page of the quick-define wizard, or the element catalogue with a few elements, for
// a while so it can be looked at (and photographed) under a virtual X server:
//   qv_quickdefineshots 1|2|3|4|catalog [seconds] [ring]
// Page 3 and 4 follow a round column when "ring" is given. Everything is cancelled at the
// end; nothing is written.

#include <cstdlib>
#include <sstream>
#include <string>

#include "dialogs/Catalog.h"
#include "dialogs/QuickDefine.h"
#include "dialogs/QuickDefineWizard.h"
#include "model/QuickDefineFlag.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "model/catalogues/TRebarList.h"
#include "model/shapes/ShapeLibrary.h"
#include "platform/Application.h"
#include "platform/Dialog.h"
#include "support/ScriptedUi.h"

int main(int argc, char** argv) {
    plat::EnsureGuiRuntime(argc, argv);
    const std::string what = argc > 1 ? argv[1] : "1";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 4;
    const bool ring = argc > 3 && std::string(argv[3]) == "ring";
    std::istringstream listing(DefaultRebarListing());
    g_RebarList.ReadListing(listing);
    ReadShapeLibraryText(0, DefaultShapeFileText());
    ReadShapeLibraryText(1, "TYPE CPCI-900\nCATEGORY CPCI Girders\nSECTION\n900 400\n800 400\n800 150\n150 150\n"
                            "150 400\n0 400\nENDTYPE\nTYPE NU-1200\nCATEGORY NU Girders\nSECTION\n1200 1225\n"
                            "1100 1225\n1100 150\n150 150\n150 975\n0 975\nENDTYPE\n");
    SetQuickDefineNew(1);
    ScriptedUi ui;
    if (what == "catalog") {
        StructureTable table;
        const auto beam = [&](int slot, const char* name, const char* author) {
            auto b = std::make_unique<TBeam>();
            b->SetName(name);
            b->SetDoneBy(author);
            table[static_cast<std::size_t>(slot)] = std::move(b);
        };
        beam(0, "Pier cap P2", "J. Hale");
        beam(1, "Girder G1 midspan", "J. Hale");
        beam(2, "Girder G1 support", "J. Hale");
        beam(3, "Column C4", "M. Ortiz");
        auto shell = std::make_unique<TShell>(1);
        shell->SetName("Wall panel W1");
        shell->SetDoneBy("M. Ortiz");
        table[4] = std::move(shell);
        int current = 1;
        ui.Dialog("Catalog of Elements", [seconds](plat::DialogDriver& d) {
            d.Show();
            plat::Application::PumpEvents(seconds * 1000);
            d.Click(2);
        });
        RunCatalog(nullptr, table, current, {});
        return 0;
    }
    const int page = std::atoi(what.c_str());
    ui.Dialog("Define Beam Section", [seconds, page, ring](plat::DialogDriver& d) {
        d.Show();
        for (int i = 1; i < page; ++i) {
            if (i == 2 && ring)
                d.Select(QuickId::ShapeList, 1);
            d.Next();
        }
        plat::Application::PumpEvents(seconds * 1000);
        d.Click(2);
    });
    TBeam beam;
    RunQuickDefineWizard(nullptr, beam);
    return 0;
}
