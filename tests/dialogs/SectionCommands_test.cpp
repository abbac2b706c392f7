// The program's section dialogs behind the shell's commands: the preferences from the menu
// and from the summary page, the loads, and the cross-section sheet with its warning about
// steel outside the concrete.

#include <sstream>

#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/ShellFixture.h"
#include "dialogs/SectionInputDialogs.h"
#include "dialogs/SectionSheet.h"
#include "foundation/Units.h"
#include "model/StructureRecords.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"
#include "model/shapes/SectionOutline.h"
#include "model/shapes/ShapeLibrary.h"

namespace {

class SectionCommandsTest : public StartedShellTest {
protected:
    SectionCommandsTest() : m_dialogs(GetInputDialogs()), m_previous(SetInputDialogs(&m_dialogs)) {}
    ~SectionCommandsTest() override { SetInputDialogs(m_previous); }

    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<ResistanceFactors> factors{g_ResistanceFactors, ResistanceFactors{}};
    ValueGuard<SectionDefinition> definition{g_SectionDefinition, SectionDefinition{}};

private:
    TSectionInputDialogs m_dialogs;
    TInputDialogs* m_previous;
};

TEST_F(SectionCommandsTest, PreferencesFromTheMenuAndTheSummaryPageMarkTheStructureWhenAFactorIsTaken)
{
    TStructure* s = Window().GetCurrentStructure();
    ASSERT_NE(s, nullptr);
    s->SetModified(0);
    ui.Dialog("Quarvish Preferences", [](plat::DialogDriver& d) {
        d.Click(5046);  // "CSA"
        d.Click(1);
    });
    Frame().Dispatch(CmId::Preferences);
    EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{0.65, 0.85, 0.9}));
    EXPECT_EQ(s->IsModified(), 1);

    ui.Dialog("Quarvish Preferences", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.Text(5041), "0.65");
        d.Click(5029);  // "US Customary"
        d.Click(1);
    });
    Window().PageHitAction(2, 0);
    EXPECT_EQ(g_UnitSystem, kUnitUS);
    EXPECT_TRUE(ui.Done());
}

TEST_F(SectionCommandsTest, LoadsCommandOpensDefineLoading)
{
    ui.Dialog("Define Loading", [](plat::DialogDriver& d) {
        d.Type(5052, "100");
        d.Click(1);
    });
    Frame().Dispatch(CmId::SectionalLoads);
    double constant[3];
    Window().GetCurrentStructure()->GetConstantLoads(constant, 3);
    EXPECT_DOUBLE_EQ(constant[1], -100000.0);
}

TEST_F(SectionCommandsTest, TheSheetWarnsOnceAboutSteelOutsideTheConcrete)
{
    ShapeTable = {};
    StandardTable = {};
    auto* beam = dynamic_cast<TBeam*>(Window().GetCurrentStructure());
    ASSERT_NE(beam, nullptr);
    beam->DeleteRegions();
    beam->AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
    beam->SetShapeType(kUserShapeCode);
    beam->DeleteLongLayers(0);
    for (const double z : {0.45, 0.05}) {
        LongLayerRec layer;
        InitLongLayerRec(layer);
        layer.z = beam->GetBottom() + z;
        layer.num = 2;
        layer.Ai = 0.0005;
        layer.A = 0.001;
        layer.db = 0.025;
        layer.name = "Bars";
        beam->AddLongLayer(layer, 0);
    }
    // The section is cut down to 300 mm: the upper layer then lies above it.
    ui.Dialog("Define Concrete Cross Section", [](plat::DialogDriver& d) {
          d.Select(SectionPageId::Rows, 0);
          d.Type(SectionPageId::Elevation, "300");
          d.Click(SectionPageId::Modify);
          d.Click(1);
      }).Message("Longitudinal steel defined outside of concrete cross section.  Shear analyses will be incorrect.",
                 MsgAnswer::Ok);
    Frame().Dispatch(CmId::ConcreteSection);
    EXPECT_TRUE(ui.Done());
    beam = dynamic_cast<TBeam*>(Window().GetCurrentStructure());
    ASSERT_NE(beam, nullptr);
    EXPECT_NEAR(beam->GetHeight(), 0.3, 1e-9);
}

// A T whose flange (1000 mm wide, 100 mm deep) stands 100 mm above its 400 mm web. Solving it
// is refused with a message that names the place without concrete by the elevations the
// section's outline table shows: the flange's underside at 500, the web's top at 400, and not
// a depth about the centroid (41 mm) that the user sees nowhere.
TEST_F(SectionCommandsTest, TheRefusalOfASectionWithAGapNamesItAsTheOutlineTableShowsIt)
{
    ShapeTable = {};
    StandardTable = {};
    auto* beam = dynamic_cast<TBeam*>(Window().GetCurrentStructure());
    ASSERT_NE(beam, nullptr);
    beam->SetName("Gapped");
    beam->DeleteRegions();
    beam->AddRegion(0.6, 0.5, 1.0, 1.0, 0, 1);
    beam->AddRegion(0.4, 0.0, 0.3, 0.3, 0, 1);
    beam->SetShapeType(kUserShapeCode);
    beam->Validate();  // depth 0 at the gross centroid, 359 mm above the bottom
    ASSERT_NEAR(beam->GetBottom(), -0.079 / 0.22, 1e-9);

    std::vector<std::string> elevations;
    ui.Dialog("Define Concrete Cross Section", [&elevations](plat::DialogDriver& d) {
        for (const std::string& row : d.Items(SectionPageId::Rows)) {
            std::istringstream words(row);
            std::string elevation;
            words >> elevation;
            elevations.push_back(elevation);
        }
        d.Click(2);
    });
    Frame().Dispatch(CmId::ConcreteSection);
    EXPECT_EQ(elevations, (std::vector<std::string>{"600", "500", "400", "0"}));

    const std::string refusal = "Section \"Gapped\": No concrete region between elevations 400 and 500 mm.  Its "
                                "concrete does not span the whole height, so it cannot be analysed.";
    ui.Message(refusal, MsgAnswer::Ok);
    Frame().Dispatch(CmId::SectionalResponse);
    EXPECT_TRUE(ui.Done());
    ASSERT_EQ(ui.Count("No concrete region"), 1);
    for (const UiRequest& r : ui.requests) {
        if (r.kind == "message") {
            EXPECT_EQ(r.text, refusal);
        }
    }
    ASSERT_NE(Window().GetCurrentAnalysis(), nullptr);
    EXPECT_EQ(Window().GetCurrentAnalysis()->IsRunning(), 0);
}

} // namespace
