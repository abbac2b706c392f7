// Documents written by hand or by other programs, opened by File > Open: a catalogue bar named
// with its area but not its diameter takes the catalogue bar's diameter, and so the crack
// spacing that follows from it; layers sharing a name with more strain rows of that name than
// layers take the last row, as layers of a name have always read their rows. Each survives
// Save As and File > Open in a later run.

#include <string>

#include "app/CommandIds.h"
#include "model/TStructure.h"
#include "model/catalogues/TRebarList.h"
#include "tests/app/RealDocumentShell.h"

namespace {

// A 600 x 300 mm rectangle of one concrete with the reinforcement and strain rows given.
std::string Section(const std::string& body)
{
    return R"(<?xml version="1.0"?>
<document>
<q3g_beam name="Hand written" units="metric">
<concrete fcp="30" maxagg="19" />
<rebar fy="400" E="200000" fu="600" esh="7.0" eu="100.0" />
<sectionSOLID>
 600 300
 0 300 "Concrete 1"
</sectionSOLID>
)" + body + R"(<sectloading MM="1" />
</q3g_beam>
</document>
)";
}

class DocumentLayerReading : public RealDocumentShellTest {
protected:
    const TStructure& Shown() { return *Window().GetCurrentStructure(); }

    // File > Save As under the name, then a later run of the program opens it.
    void SaveAndOpenInALaterRun(const std::string& name)
    {
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        app.reset();
        Start();
        OpenByMenu(dir.File(name));
        ASSERT_EQ(Shown().GetName(), "Hand written");
    }
};

} // namespace

// Three "25M" bars 50 mm over the bottom given as Ai="500.0" (the catalogue's 500 mm^2) and
// closed "15M" stirrups given as Ai="200.0" (the catalogue's 200 mm^2), neither with a diameter:
// the bars are 25.2 mm and the stirrups 16.0 mm across, the catalogue's. By their diameters,
// the crack spacing at the bars is their spacing 300 / 3 = 100 mm plus the bond term db x 0.1 x
// Ac / A, with Ac the concrete within 7.5 db of the bars (cut at the bottom), 300 x (50 + 7.5 x
// 25.2) = 71700 mm^2: 25.2 x 0.1 x 71700 / 1500 = 120.456 mm, so 220.456 mm; across the
// stirrups, 400 mm^2 at 150 mm in a 300 mm web, the ratio is 400 / 150 / 300 = 0.0088889 and
// the spacing sqrt((300 - 100)^2 + 150^2) + 0.1 x 16.0 / 0.0088889 = 250 + 180 = 430 mm.
TEST_F(DocumentLayerReading, ACatalogueBarGivenByItsAreaAloneTakesTheCataloguesDiameter)
{
    const int bars = g_RebarList.FindByName("25M");
    const int stirrups = g_RebarList.FindByName("15M");
    ASSERT_GE(bars, 0);
    ASSERT_GE(stirrups, 0);
    ASSERT_NEAR(g_RebarList.GetArea(bars), 500e-6, 1e-12);
    ASSERT_NEAR(g_RebarList.GetDiameter(bars), 0.0252, 1e-12);
    ASSERT_NEAR(g_RebarList.GetArea(stirrups), 200e-6, 1e-12);
    ASSERT_NEAR(g_RebarList.GetDiameter(stirrups), 0.016, 1e-12);

    OpenDocument("area.qvh",
                 Section("<longreinfx z=\"50\" type=\"Steel 1\" num=\"3\" Ai=\"500.0\" bartitle=\"25M\" "
                         "name=\"bottom\" />\n"
                         "<transreinfz A=\"400\" type=\"Steel 1\" pattern=\"3\" space=\"150\" disttop=\"550\" "
                         "distbot=\"50\" Ai=\"200.0\" bartitle=\"15M\" name=\"stirrups\" />\n"));
    ASSERT_EQ(Shown().GetName(), "Hand written");
    EXPECT_TRUE(ui.Done());
    for (const bool reopened : {false, true}) {
        SCOPED_TRACE(reopened ? "later run" : "opened");
        if (reopened)
            SaveAndOpenInALaterRun("saved.qvh");
        const TStructure& s = Shown();
        ASSERT_EQ(s.GetLongLayerCount(0), 1);
        ASSERT_EQ(s.GetTransLayerCount(2), 1);
        const LongLayerRec& bar = *s.GetLongLayer(0, 0);
        EXPECT_EQ(bar.bartitle, "25M");
        EXPECT_NEAR(bar.Ai, 500e-6, 1e-12);
        EXPECT_NEAR(bar.A, 1500e-6, 1e-12);
        EXPECT_NEAR(bar.db, 0.0252, 1e-12);
        const TransLayerRec& stirrup = *s.GetTransLayer(0, 2);
        EXPECT_EQ(stirrup.bartitle, "15M");
        EXPECT_NEAR(stirrup.Ai, 200e-6, 1e-12);
        EXPECT_NEAR(stirrup.A, 400e-6, 1e-12);
        EXPECT_NEAR(stirrup.db, 0.016, 1e-12);
        // Depths in the section's own co-ordinate: the bars' depth, and mid-depth.
        EXPECT_NEAR(s.GetCrackSpacingAt(bar.z, 0), 0.220456, 1e-6);
        EXPECT_NEAR(s.GetCrackSpacingAt(s.GetBottom() + 0.3, 2), 0.43, 1e-6);
    }
    EXPECT_TRUE(ui.Done());
}

// Two bar layers and two stirrup layers named alike, with three strain rows of each name
// (0.1, 0.2 and 0.3 mm/m), and two top layers with one row (0.4 mm/m): the rows are not one
// per layer, so every layer of a name takes the last row of its name, 0.3 or 0.4 mm/m, as a
// document without repeated names has always been read. A later run opens what Save As wrote
// with the same strains.
TEST_F(DocumentLayerReading, MoreStrainRowsOfANameThanLayersGiveEachLayerTheLastRow)
{
    OpenDocument("rows.qvh",
                 Section("<longreinfx z=\"50\" type=\"Steel 1\" num=\"2\" A=\"1000\" Ai=\"500\" db=\"25.2\" "
                         "name=\"bars\" />\n"
                         "<longreinfx z=\"100\" type=\"Steel 1\" num=\"2\" A=\"1000\" Ai=\"500\" db=\"25.2\" "
                         "name=\"bars\" />\n"
                         "<longreinfx z=\"500\" type=\"Steel 1\" num=\"2\" A=\"200\" Ai=\"100\" db=\"11.3\" "
                         "name=\"top\" />\n"
                         "<longreinfx z=\"550\" type=\"Steel 1\" num=\"2\" A=\"200\" Ai=\"100\" db=\"11.3\" "
                         "name=\"top\" />\n"
                         "<transreinfz A=\"200\" type=\"Steel 1\" space=\"150\" disttop=\"550\" distbot=\"50\" "
                         "Ai=\"100\" db=\"11.3\" name=\"stirrups\" />\n"
                         "<transreinfz A=\"200\" type=\"Steel 1\" space=\"300\" disttop=\"500\" distbot=\"100\" "
                         "Ai=\"100\" db=\"11.3\" name=\"stirrups\" />\n"
                         "<rebarthermx>\n"
                         " \"bars\" 0.100\n \"bars\" 0.200\n \"top\" 0.400\n \"bars\" 0.300\n"
                         "</rebarthermx>\n"
                         "<transthermz>\n"
                         " \"stirrups\" 0.100\n \"stirrups\" 0.200\n \"stirrups\" 0.300\n"
                         "</transthermz>\n"));
    ASSERT_EQ(Shown().GetName(), "Hand written");
    EXPECT_TRUE(ui.Done());
    for (const bool reopened : {false, true}) {
        SCOPED_TRACE(reopened ? "later run" : "opened");
        if (reopened)
            SaveAndOpenInALaterRun("saved.qvh");
        const TStructure& s = Shown();
        ASSERT_EQ(s.GetLongLayerCount(0), 4);
        ASSERT_EQ(s.GetTransLayerCount(2), 2);
        for (int i = 0; i < s.GetLongLayerCount(0); ++i) {
            const LongLayerRec& layer = *s.GetLongLayer(i, 0);
            EXPECT_NEAR(layer.thermStrain, layer.name == "top" ? 0.4e-3 : 0.3e-3, 1e-12)
                << layer.name << " at " << layer.z;
        }
        for (int i = 0; i < s.GetTransLayerCount(2); ++i)
            EXPECT_NEAR(s.GetTransLayer(i, 2)->thermStrain, 0.3e-3, 1e-12) << "stirrup layer " << i;
    }
    EXPECT_TRUE(ui.Done());
}
