// A stirrup's own thermal strain survives File > Save As and File > Open in a new session of the
// program: typed in Loads > Detailed Thermal and Shrinkage Strains, or brought by a version 0.8
// file, it comes back on its layer and the section answers as it did before the save.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "dialogs/TShrink.h"
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
};

} // namespace

// 0.5 mm/m typed for stirrup "inner" in the strain dialog from the main window's command: the
// section saved and opened by a new session has it on "inner" (and none on "outer"), and solves
// to the same answer at every stage, which the strain changes (the same section without it
// answers otherwise).
TEST_F(StirrupStrainSaveTest, AStrainTypedForAStirrupComesBackWithTheSameAnswer) {
    std::vector<std::unique_ptr<TStructure>> made;
    made.push_back(BeamWithStirrups());
    OpenByMenu(WriteStructures("made.qvh", std::move(made)));
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
    const std::vector<std::uint8_t> bytes = MakeV08File().bytes;
    dir.Write("beam.q2k", std::string(bytes.begin(), bytes.end()));
    OpenByMenu(dir.File("beam.q2k"));
    const TStructure& read = *Window().GetCurrentStructure();
    ASSERT_EQ(read.GetTransLayerCount(kStirrups), 2);
    EXPECT_EQ(read.GetTransLayer(1, kStirrups)->name, "stirrup B");
    EXPECT_EQ(Strains(read), (std::vector<double>{0.0, 0.0005}));

    SaveAndOpenInANewSession("beam.qvh");
    const TStructure& reopened = *Window().GetCurrentStructure();
    ASSERT_EQ(reopened.GetName(), "Beam B");
    ASSERT_EQ(reopened.GetTransLayerCount(kStirrups), 2);
    EXPECT_EQ(reopened.GetTransLayer(1, kStirrups)->name, "stirrup B");
    EXPECT_EQ(Strains(reopened), (std::vector<double>{0.0, 0.0005}));
    EXPECT_TRUE(ui.Done());
}
