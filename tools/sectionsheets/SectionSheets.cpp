// Shows the section definition dialogs on a T-section for a while, so they can be looked at
// (and photographed) under a virtual X server:
//   qv_sectionsheets basic|shapes|standard|user|contin|shrink|discontinuity|general|loads|time|prefs [seconds]
// "shapes" shows the Basic Shapes page untouched, for clicks of a real mouse (xdotool).

#include <cstdlib>
#include <string>

#include "dialogs/SectionSheet.h"
#include "dialogs/SmallDialogs.h"
#include "dialogs/TContin.h"
#include "dialogs/TShrink.h"
#include "foundation/TDepthTable.h"
#include "model/StructureRecords.h"
#include "model/TBeam.h"
#include "model/shapes/ShapeLibrary.h"
#include "platform/Application.h"
#include "support/ScriptedUi.h"

namespace {

const char* kCatalogue =
    "TYPE Type-II\nCATEGORY AASHTO\nSECTION\n900 300\n750 300\n650 150\n250 150\n100 450\n0 450\nENDTYPE\n"
    "TYPE Type-III\nCATEGORY AASHTO\nSECTION\n1140 400\n1000 400\n880 180\n300 180\n200 560\n0 560\nENDTYPE\n"
    "TYPE BT-54\nCATEGORY Bulb-Tees\nSECTION\n1370 1070\n1300 1070\n1250 150\n150 150\n0 650\nENDTYPE\n";

// A tee 600 mm deep: a 1000 x 100 mm flange of a second concrete over a 300 mm web, with
// two layers of bars and a stirrup.
void MakeTee(TBeam& beam)
{
    double strength = 50e6;
    beam.AddConcreteTypeFromStrength(strength, "Flange concrete");
    beam.DeleteRegions();
    beam.AddRegion(0.6, 0.5, 1.0, 1.0, 1, 0);
    beam.AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
    beam.SetShapeType(kUserShapeCode);
    beam.DeleteLongLayers(0);
    LongLayerRec bars;
    InitLongLayerRec(bars);
    bars.z = beam.GetBottom() + 0.05;
    bars.A = 0.0015;
    bars.thermStrain = -0.0002;
    bars.name = "Bottom bars";
    beam.AddLongLayer(bars, 0);
    bars.z = beam.GetBottom() + 0.55;
    bars.A = 0.0006;
    bars.thermStrain = -0.0003;
    bars.name = "Top bars";
    beam.AddLongLayer(bars, 0);
    TDepthTable shrink("shrink");
    shrink.Add(beam.GetBottom() + 0.6, -0.0004);
    shrink.Add(beam.GetBottom() + 0.5, -0.0003);
    shrink.Add(beam.GetBottom(), -0.0001);
    beam.SetShrinkThermCurve(shrink);
}

} // namespace

int main(int argc, char** argv)
{
    plat::EnsureGuiRuntime(argc, argv);
    const std::string what = argc > 1 ? argv[1] : "user";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 4;
    ReadShapeLibraryText(0, DefaultShapeFileText());
    ReadShapeLibraryText(1, kCatalogue);
    TBeam beam;
    MakeTee(beam);
    ScriptedUi ui;
    const auto look = [seconds, what](plat::DialogDriver& d) {
        if (what == "basic") {
            d.SwitchPage(0);
            d.Select(SectionPageId::ShapeList, 2);
            d.Type(5060, "1000");
            d.Type(5061, "600");
            d.Type(5062, "300");
            d.Type(5123, "100");
        }
        else if (what == "standard") {
            d.SwitchPage(1);
            d.SelectTreeItem(SectionPageId::Tree, "Type-III");
            d.Click(SectionPageId::IncludeSlab);
            d.Type(SectionPageId::SlabDepth, "200");
            d.Type(SectionPageId::SlabWidth, "2000");
        }
        else if (what == "user")
            d.Select(SectionPageId::Rows, 2);
        else if (what == "shapes")
            d.SwitchPage(0);
        plat::Application::PumpEvents(seconds * 1000);
        d.PressEscape();
    };
    if (what == "basic" || what == "shapes" || what == "standard" || what == "user") {
        ui.Dialog("Define Concrete Cross Section", look);
        RunSectionSheet(nullptr, beam, 0);
    } else if (what == "contin") {
        TDepthTable outline("o"), types("t");
        for (auto [z, w] : {std::pair{0.6, 1.0}, {0.5, 1.0}, {0.0, 0.3}}) {
            outline.Add(z, w);
            types.Add(z, 0);
        }
        int answer = 1;
        ui.Dialog("Continuity Selector", look);
        TContin(nullptr, &answer, 1, 0.3, outline, types).Execute();
    } else if (what == "shrink" || what == "discontinuity") {
        ui.Dialog(what == "shrink" ? "Shrinkage" : "Discontinuity", look);
        TShrink(nullptr, &beam, what == "shrink" ? 0 : 1, 306).Execute();
    } else if (what == "general") {
        ui.Dialog("General", look);
        TGeneral(nullptr, &beam, 0).Execute();
    } else if (what == "loads") {
        ui.Dialog("Define Loading", look);
        Tloads(nullptr, &beam).Execute();
    } else if (what == "time") {
        ui.Dialog("Time Dependent", look);
        TTime2(nullptr, &beam).Execute();
    } else {
        bool applied = false;
        ui.Dialog("Preferences", look);
        RunPreferences(nullptr, applied);
    }
    return 0;
}
