// A stirrup's own thermal strain survives File > Save As and File > Open in a new session of the
// program: typed in Loads > Detailed Thermal and Shrinkage Strains, or brought by a version 0.8
// file, it comes back on its layer and the section answers as it did before the save. So does
// every layer's strain where layers share a name (renamed or copied layers, a predecessor
// sheet's bar and tendon lists, an older file's stirrups).

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "dialogs/TShrink.h"
#include "foundation/Units.h"
#include "model/ElementText.h"
#include "model/TBeam.h"
#include "tests/dialogs/SectionDialogShell.h"
#include "tests/files/LegacyFileBuilders.h"
#include "tests/model/StructureFixtures.h"

namespace {

constexpr int kStirrups = 2;  // a beam's transverse layers lie in z

// A 400 x 600 mm beam: three 500 mm^2 bars 50 mm above its bottom, stirrups "outer" and "inner"
// of two 10 mm legs at 200 mm from 30 to 570 mm, under a growing moment and shear.
std::unique_ptr<TBeam> BeamWithStirrups() {
    auto beam = fixtures::BeamWithBottomBars(500e-6);
    beam->SetName("Stirrups");
    for (const char* name : {"outer", "inner"}) {
        TransLayerRec stirrup = fixtures::Stirrup(0.03, 0.57, 0.0113, 0.2, 200e-6);
        stirrup.name = name;
        beam->AddTransLayer(stirrup, kStirrups);
    }
    std::array<double, kLoadCount> increments{};
    beam->GetIncrementLoads(increments.data(), kLoadCount);
    increments[2] = 2000.0;  // V, N a step
    beam->SetIncrementLoads(increments.data(), kLoadCount);
    beam->Validate();
    return beam;
}

std::vector<double> Strains(const TStructure& s) {
    std::vector<double> strains;
    for (int i = 0; i < s.GetTransLayerCount(kStirrups); ++i)
        strains.push_back(s.GetTransLayer(i, kStirrups)->thermStrain);
    return strains;
}

std::vector<double> BarStrains(const TStructure& s) {
    std::vector<double> strains;
    for (int i = 0; i < s.GetLongLayerCount(0); ++i)
        strains.push_back(s.GetLongLayer(i, 0)->thermStrain);
    return strains;
}

// That beam with two bar layers and two stirrup layers all named "same": its bottom bars, two
// 200 mm^2 bars at 550 mm and its stirrups.
std::unique_ptr<TBeam> BeamWithSameNames() {
    auto beam = BeamWithStirrups();
    beam->AddLongLayer(fixtures::Bars("same", beam->GetBottom() + 0.55, 2, 200e-6), 0);
    beam->GetLongLayer(0, 0)->name = "same";
    for (int i = 0; i < beam->GetTransLayerCount(kStirrups); ++i)
        beam->GetTransLayer(i, kStirrups)->name = "same";
    beam->Validate();
    return beam;
}

// A metric predecessor sheet: a 300 x 500 mm rectangle of 35 MPa concrete, one bar layer of
// 1500 mm^2 at 50 mm and one tendon of 500 mm^2 at 100 mm prestrained 6 mm/m, which the import
// names "type 1" both; the shrinkage block gives the bars 0.5 mm/m and the tendon -1.0 mm/m.
std::vector<std::uint8_t> BarAndTendonSheet() {
    SheetWriter w;
    w.Text(3, 2, "Bar and tendon").Text(3, 3, "Metric").Number(3, 4, 1);
    w.Number(1, 7, 35).Number(2, 7, 2).Number(3, 7, 2).Number(4, 7, 1);
    w.Number(3, 8, 1);  // one reinforcing steel, its record in row 11
    w.Number(1, 11, 200000).Number(2, 11, 400).Number(3, 11, 7).Number(4, 11, 100).Number(5, 11, 600);
    w.Number(3, 12, 1);  // one prestressing steel, its record in row 15
    w.Number(1, 15, 0.025).Number(2, 15, 118).Number(3, 15, 10).Number(4, 15, 200000).Number(5, 15, 1860);
    w.Number(6, 15, 40);
    w.Number(3, 17, 250).Text(3, 18, "N");  // moment axis; no crack block
    w.Number(3, 19, 1);                      // one region, in row 22
    w.Number(1, 22, 0).Number(2, 22, 300).Number(3, 22, 300).Number(4, 22, 500).Number(5, 22, 1);
    w.Number(3, 23, 1);  // one bar layer, in row 26
    w.Number(1, 26, 50).Number(2, 26, 1500).Number(3, 26, 1);
    w.Number(3, 27, 1);  // one tendon layer, in row 30
    w.Number(1, 30, 100).Number(2, 30, 500).Number(3, 30, 6).Number(4, 30, 1);
    w.Text(3, 31, "N");  // no layer table
    w.Text(3, 32, "Y");  // shrinkage: the region's row 35, the layers' rows 38 and 39
    w.Number(1, 35, 0).Number(2, 35, 0).Number(3, 35, 0);
    w.Number(1, 38, 0.5).Number(1, 39, -1.0);
    w.Text(3, 42, "N");  // no strain discontinuity
    return w.Bytes();
}

class StirrupStrainSaveTest : public SectionDialogShellTest {
protected:
    // File > Save As under the name, then a new session of the program opens it by File > Open.
    void SaveAndOpenInANewSession(const std::string& name) {
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        app.reset();
        Start();
        OpenByMenu(dir.File(name));
    }
    // The version 0.8 file, its second stirrup layer named as given, gives that layer a strain
    // of 0.5 mm/m and the first ("stirrup A") none: File > Open has them, and so has a new
    // session that opens the document Save As wrote.
    void ExpectOlderFilesStirrupStrainBack(const std::string& secondName) {
        const std::vector<std::uint8_t> bytes = MakeV08File().bytes;
        std::string text(bytes.begin(), bytes.end());
        text.replace(text.find("stirrup B"), 9, secondName);
        dir.Write("beam.q2k", text);
        OpenByMenu(dir.File("beam.q2k"));
        const TStructure& read = *Window().GetCurrentStructure();
        ASSERT_EQ(read.GetTransLayerCount(kStirrups), 2);
        EXPECT_EQ(read.GetTransLayer(1, kStirrups)->name, secondName);
        EXPECT_EQ(Strains(read), (std::vector<double>{0.0, 0.0005}));

        SaveAndOpenInANewSession("beam.qvh");
        const TStructure& reopened = *Window().GetCurrentStructure();
        ASSERT_EQ(reopened.GetName(), "Beam B");
        ASSERT_EQ(reopened.GetTransLayerCount(kStirrups), 2);
        EXPECT_EQ(reopened.GetTransLayer(1, kStirrups)->name, secondName);
        EXPECT_EQ(Strains(reopened), (std::vector<double>{0.0, 0.0005}));
        EXPECT_TRUE(ui.Done());
    }
};

} // namespace

// 0.5 mm/m typed for stirrup "inner" in the strain dialog from the main window's command: the
// section saved and opened by a new session has it on "inner" (and none on "outer"), and solves
// to the same answer at every stage, which the strain changes (the same section without it
// answers otherwise).
TEST_F(StirrupStrainSaveTest, AStrainTypedForAStirrupComesBackWithTheSameAnswer) {
    OpenMade("made.qvh", BeamWithStirrups());
    const SectionalAnswer cold = Solve();

    ui.Dialog("Shrinkage and Thermal Strains", [](plat::DialogDriver& d) {
        const std::vector<std::string> items = d.Items(ShrinkId::Reinforcement);
        const auto inner = std::find(items.begin(), items.end(), "S - inner");
        ASSERT_NE(inner, items.end());
        d.Select(ShrinkId::Reinforcement, static_cast<int>(inner - items.begin()));
        d.Type(ShrinkId::ReinforcementStrain, "0.5");
        d.Click(ShrinkId::Set);
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::ThermalShrinkageStrains, 0, 0));
    EXPECT_TRUE(ui.Done());
    const std::vector<double> typed = Strains(*Window().GetCurrentStructure());
    ASSERT_EQ(typed.size(), 2u);
    EXPECT_EQ(typed[0], 0.0);
    EXPECT_NEAR(typed[1], 0.5e-3, 1e-15);
    const SectionalAnswer before = Solve();
    EXPECT_NE(before.values, cold.values);

    SaveAndOpenInANewSession("typed.qvh");
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Stirrups");
    EXPECT_EQ(Strains(*Window().GetCurrentStructure()), typed);
    ExpectSameSectionalAnswer(before, Solve());
    EXPECT_TRUE(ui.Done());
}

// The version 0.8 file gives its stirrup "stirrup B" a strain of 0.5 mm/m (version 0.7 has no
// strain tables): its saved document, opened by a new session, gives it again ("stirrup A" none).
TEST_F(StirrupStrainSaveTest, AnOlderFilesStirrupStrainComesBackFromItsSavedDocument) {
    ExpectOlderFilesStirrupStrainBack("stirrup B");
}

// Two bar layers and two stirrup layers named "same"; 0.9 mm/m typed for the first of each in
// the strain dialog: a new session has 0.9 on those and none on the others, and the section
// answers as it did before the save, which the bars' strain changes.
TEST_F(StirrupStrainSaveTest, LayersSharingANameKeepTheirOwnStrains) {
    OpenMade("same.qvh", BeamWithSameNames());
    const SectionalAnswer cold = Solve();

    ui.Dialog("Shrinkage and Thermal Strains", [](plat::DialogDriver& d) {
        const std::vector<std::string> items = d.Items(ShrinkId::Reinforcement);
        ASSERT_EQ(std::count(items.begin(), items.end(), "R - same"), 2);
        ASSERT_EQ(std::count(items.begin(), items.end(), "S - same"), 2);
        for (const char* first : {"R - same", "S - same"}) {
            d.Select(ShrinkId::Reinforcement, static_cast<int>(std::find(items.begin(), items.end(), first) - items.begin()));
            d.Type(ShrinkId::ReinforcementStrain, "0.9");
            d.Click(ShrinkId::Set);
        }
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::ThermalShrinkageStrains, 0, 0));
    EXPECT_TRUE(ui.Done());
    const TStructure& typed = *Window().GetCurrentStructure();
    ASSERT_EQ(BarStrains(typed).size(), 2u);
    EXPECT_NEAR(BarStrains(typed)[0], 0.9e-3, 1e-15);
    EXPECT_EQ(BarStrains(typed)[1], 0.0);
    ASSERT_EQ(Strains(typed).size(), 2u);
    EXPECT_NEAR(Strains(typed)[0], 0.9e-3, 1e-15);
    EXPECT_EQ(Strains(typed)[1], 0.0);
    const std::vector<double> bars = BarStrains(typed);
    const std::vector<double> stirrups = Strains(typed);
    const SectionalAnswer before = Solve();
    EXPECT_NE(before.values, cold.values);

    SaveAndOpenInANewSession("typed.qvh");
    const TStructure& reopened = *Window().GetCurrentStructure();
    ASSERT_EQ(reopened.GetName(), "Stirrups");
    EXPECT_EQ(BarStrains(reopened), bars);
    EXPECT_EQ(Strains(reopened), stirrups);
    ExpectSameSectionalAnswer(before, Solve());
    EXPECT_TRUE(ui.Done());
}

// The predecessor sheet names its bar layer and its tendon "type 1" both: the bars' 0.5 mm/m and
// the tendon's -1.0 mm/m come back each on its own layer in a new session.
TEST_F(StirrupStrainSaveTest, APredecessorSheetsBarAndTendonOfOneNameKeepTheirStrains) {
    const std::vector<std::uint8_t> sheet = BarAndTendonSheet();
    dir.Write("sheet.dat", std::string(sheet.begin(), sheet.end()));
    ui.File(plat::FileDialogKind::Open, dir.File("sheet.dat")).Message("Importing Quarvish-90 File.", MsgAnswer::Ok);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    const TStructure& read = *Window().GetCurrentStructure();
    ASSERT_EQ(read.GetLongLayerCount(0), 2);
    EXPECT_EQ(read.GetLongLayer(0, 0)->name, "type 1");
    EXPECT_EQ(read.GetLongLayer(1, 0)->name, "type 1");
    EXPECT_GT(read.GetLongLayer(1, 0)->dep, 0.0);  // the tendon
    // The sheet's single-precision strains, held as the section's document gives them back.
    const auto kept = [](float strain) {
        return AsDocumentKeepsIt(strain, ukStrain, &g_UnitSystem);
    };
    EXPECT_EQ(BarStrains(read), (std::vector<double>{kept(0.5e-3f), kept(-1.0e-3f)}));
    const std::vector<double> strains = BarStrains(read);

    SaveAndOpenInANewSession("sheet.qvh");
    const TStructure& reopened = *Window().GetCurrentStructure();
    ASSERT_EQ(reopened.GetName(), "Bar and tendon");
    ASSERT_EQ(reopened.GetLongLayerCount(0), 2);
    EXPECT_GT(reopened.GetLongLayer(1, 0)->dep, 0.0);
    ASSERT_EQ(BarStrains(reopened).size(), 2u);
    EXPECT_EQ(BarStrains(reopened), strains);
    EXPECT_TRUE(ui.Done());
}

// The version 0.8 file with both its stirrup layers named "stirrup A": the second one's 0.5 mm/m
// comes back on it alone in a new session.
TEST_F(StirrupStrainSaveTest, AnOlderFilesStirrupsOfOneNameKeepTheirStrains) {
    ExpectOlderFilesStirrupStrainBack("stirrup A");
}
