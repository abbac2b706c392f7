// The sheets and dialogs worked through their controls (object names are the control ids)
// under the scripted gateway, offscreen.

#include <cmath>

#include "dialogs/ListPage.h"
#include "dialogs/MaterialSheet.h"
#include "dialogs/ReinforcementPages.h"
#include "dialogs/ReinforcementSheets.h"
#include "dialogs/ValueListDialog.h"
#include "model/TBeam.h"
#include "membrane/MembraneState.h"
#include "tests/membrane/HeldShearAnswer.h"
#include "tests/membrane/MembraneFixtures.h"
#include "platform/Controls.h"
#include "platform/Services.h"
#include "tests/dialogs/DialogFixtures.h"
#include "tests/platform/PlatformFixture.h"
#include "support/HelpRecorder.h"

namespace {

class DialogWindowsTest : public GuiTest {
protected:
    DialogWindowsTest() { beam.AddRegion(0.6, 0.0, 0.4, 0.4, 0, 1); }
    std::function<void()> Marker() {
        return [this] { ++marked; };
    }

    CatalogueGuard catalogue;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    RecordingReporter reporter;
    ScriptedUi ui;
    TBeam beam;
    int marked = 0;
};

TEST_F(DialogWindowsTest, CircularPatternTypedAddedAndExplodedIntoLayers) {
    std::vector<std::string> lines;
    ui.Dialog("Define Longitudinal Reinforcement", [&lines](plat::DialogDriver& d) {
        d.SwitchPage(1);
        EXPECT_EQ(d.Text(DetailsId::Labels[5]), "Orientation");
        EXPECT_EQ(d.Text(DetailsId::Examples[3]), "(eg:   500)");
        EXPECT_TRUE(d.Visible(DetailsId::Explode));
        EXPECT_FALSE(d.Visible(DetailsId::Field0 + 1));
        d.Type(DetailsId::Name, "Ring");
        d.Type(DetailsId::Field0, "8");
        // The bar's designation is read on Add, without leaving the field.
        d.Type(DetailsId::Field0 + 2, "#8");
        d.Type(DetailsId::Field0 + 3, "300");
        d.Type(DetailsId::Field0 + 4, "200");
        d.Select(DetailsId::Combo0, 0);
        d.Click(DetailsId::Add);
        EXPECT_EQ(d.Items(DetailsId::List), (std::vector<std::string>{"Ring"}));
        EXPECT_EQ(d.Text(DetailsId::Field0 + 2), "#8");
        d.Click(DetailsId::Explode);
        EXPECT_EQ(d.CurrentPage(), 0);
        lines = d.Items(DetailsId::List);
        d.Click(plat::DialogResult::Ok);
    });
    reporter.Answer(MsgAnswer::Yes);
    EXPECT_EQ(RunLongitudinalSheet(nullptr, beam, 0, 0, -1, -1, -1, Marker()), plat::DialogResult::Ok);
    EXPECT_EQ(lines, (std::vector<std::string>{"Ring", "Ring1", "Ring2", "Ring3", "Ring4"}));
    ASSERT_EQ(beam.GetLongLayerCount(0), 5);
    // Sorted by height: 200, 229.3, 300, 370.7, 400 mm above the bottom.
    const double bottom = beam.GetBottom();
    EXPECT_NEAR(beam.GetLongLayer(0, 0)->z - bottom, 0.2, 1e-9);
    EXPECT_NEAR(beam.GetLongLayer(1, 0)->z - bottom, 0.3 - 0.1 * std::sqrt(0.5), 1e-9);
    EXPECT_NEAR(beam.GetLongLayer(4, 0)->z - bottom, 0.4, 1e-9);
    EXPECT_EQ(beam.GetLongLayer(1, 0)->num, 2);
    EXPECT_DOUBLE_EQ(beam.GetLongLayer(1, 0)->A, 2 * 510e-6);
    EXPECT_EQ(beam.GetLongLayer(1, 0)->bartitle, "#8");
    EXPECT_GE(marked, 1);
}

// A plain layer whose unshown data (position across the section, spacing, time-dependent
// strain) differ from a blank layer's, as the first layer of the section.
LongLayerRec FirstLayerWithUnshownData(double bottom) {
    LongLayerRec layer;
    InitLongLayerRec(layer);
    layer.name = "Bottom";
    layer.z = bottom + 0.05;
    layer.num = 2;
    layer.Ai = 500e-6;
    layer.A = 1000e-6;
    layer.barX = 0.05;
    layer.space = 0.123;
    layer.timeStrain = 0.0007;
    return layer;
}

// A ring of 4 aligned #8 bars (catalogue index 2) on a 200 mm circle about a centre
// centreHeight above the bottom: layers of 1, 2 and 1 bars at centre + 100, centre, centre - 100.
void AddRing(TStructure& s, double centreHeight, double diameter) {
    TLongLists lists = BuildLongLists(s, 0);
    (void)lists.circular->AddFull({4, 510e-6, 0, centreHeight, diameter, 0, 0, 0, 0, 0}, {0, 0, 2, -1}, "Ring");
    ASSERT_EQ(WriteBackLongLists(s, lists, 0), 1);
}

// Explode, OK: the ring's layers are the layers Add gives for the same bars, not copies of the
// first layer of the section; that layer keeps its own data.
TEST_F(DialogWindowsTest, ExplodedLayersAreTheLayersAddGivesForTheSameBars) {
    const double bottom = beam.GetBottom();
    TBeam added;
    added.AddRegion(0.6, 0.0, 0.4, 0.4, 0, 1);
    beam.AddLongLayer(FirstLayerWithUnshownData(bottom), 0);
    added.AddLongLayer(FirstLayerWithUnshownData(bottom), 0);
    AddRing(beam, 0.3, 0.2);
    ASSERT_EQ(beam.GetLongLayerCount(0), 4);

    ui.Dialog("Define Longitudinal Reinforcement", [](plat::DialogDriver& d) {
        d.SwitchPage(1);
        d.Click(DetailsId::Explode);
        d.Click(plat::DialogResult::Ok);
    });
    reporter.Answer(MsgAnswer::Yes);
    EXPECT_EQ(RunLongitudinalSheet(nullptr, beam, 1, 0, -1, -1, 0, Marker()), plat::DialogResult::Ok);

    ui.Dialog("Define Longitudinal Reinforcement", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.CurrentPage(), 0);
        const char* names[3] = {"Ring", "Ring1", "Ring2"};
        const char* bars[3] = {"1", "2", "1"};
        const char* heights[3] = {"400", "300", "200"};
        for (int k = 0; k < 3; ++k) {
            d.Type(DetailsId::Name, names[k]);
            d.Type(DetailsId::Field0, bars[k]);
            d.Type(DetailsId::Field0 + 2, "#8");
            d.Type(DetailsId::Field0 + 3, heights[k]);
            d.Click(DetailsId::Add);
        }
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_EQ(RunLongitudinalSheet(nullptr, added, 0, 0, -1, -1, -1, Marker()), plat::DialogResult::Ok);

    ASSERT_EQ(beam.GetLongLayerCount(0), 4);
    ASSERT_EQ(added.GetLongLayerCount(0), 4);
    for (int i = 0; i < 4; ++i) {
        const LongLayerRec& exploded = *beam.GetLongLayer(i, 0);
        const LongLayerRec& typed = *added.GetLongLayer(i, 0);
        EXPECT_EQ(exploded.name, typed.name) << i;
        EXPECT_NEAR(exploded.z, typed.z, 1e-9) << exploded.name;
        EXPECT_EQ(exploded.num, typed.num) << exploded.name;
        EXPECT_DOUBLE_EQ(exploded.A, typed.A) << exploded.name;
        EXPECT_EQ(exploded.barX, typed.barX) << exploded.name;
        EXPECT_EQ(exploded.space, typed.space) << exploded.name;
        EXPECT_EQ(exploded.timeStrain, typed.timeStrain) << exploded.name;
        EXPECT_EQ(exploded.pattern, kPlainLayer) << exploded.name;
    }
    const LongLayerRec& first = *beam.GetLongLayer(0, 0);
    EXPECT_EQ(first.name, "Bottom");
    EXPECT_EQ(first.barX, 0.05);
    EXPECT_EQ(first.space, 0.123);
    EXPECT_EQ(first.timeStrain, 0.0007);
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(beam.GetLongLayer(i, 0)->barX, 0.0);
        EXPECT_EQ(beam.GetLongLayer(i, 0)->space, 0.0);
        EXPECT_EQ(beam.GetLongLayer(i, 0)->timeStrain, 0.0);
    }
}

// A membrane element whose x bars are a plain layer at 123 mm spacing and a ring of #8 bars:
// exploding the ring leaves the element's ratios, crack spacing and a cracked state as they were.
TEST_F(DialogWindowsTest, ExplodingARingOfAMembraneElementLeavesItsAnswer) {
    auto panel = membrane_fixtures::MakePanel({});
    LongLayerRec& plain = *panel->GetLongLayer(0, 0);
    plain.z = panel->GetBottom() + 0.005; // below the ring: the first layer
    plain.space = 0.123;
    plain.barX = 0.05;
    AddRing(*panel, membrane_fixtures::kThickness / 2.0, 0.03);
    panel->Validate();
    ASSERT_EQ(panel->GetLongLayerCount(0), 4);

    // x ratios and a state at a shear strain of 2e-3, held.
    const auto answer = membrane_fixtures::HeldShearAnswer;
    const std::vector<double> before = answer(*panel);

    ui.Dialog("Define Longitudinal Reinforcement", [](plat::DialogDriver& d) {
        d.SwitchPage(1);
        d.Click(DetailsId::Explode);
        d.Click(plat::DialogResult::Ok);
    });
    reporter.Answer(MsgAnswer::Yes);
    EXPECT_EQ(RunLongitudinalSheet(nullptr, *panel, 1, 0, -1, -1, 0, Marker()), plat::DialogResult::Ok);
    panel->Validate();
    ASSERT_EQ(panel->GetLongLayerCount(0), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(panel->GetLongLayer(i, 0)->pattern, kPlainLayer) << i;
    const std::vector<double> after = answer(*panel);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_NEAR(after[i], before[i], 1e-9 * (1.0 + std::fabs(before[i]))) << i;
}

TEST_F(DialogWindowsTest, CancelLeavesTheLayersAsTheyWere) {
    LongLayerRec layer;
    InitLongLayerRec(layer);
    layer.name = "Bottom";
    layer.num = 3;
    beam.AddLongLayer(layer, 0);
    ui.Dialog("Define Longitudinal Reinforcement", [](plat::DialogDriver& d) {
        d.Click(DetailsId::Delete);
        d.Click(plat::DialogResult::Cancel);
    });
    EXPECT_EQ(RunLongitudinalSheet(nullptr, beam, -1, 0, -1, -1, -1, Marker()), plat::DialogResult::Cancel);
    ASSERT_EQ(beam.GetLongLayerCount(0), 1);
    EXPECT_EQ(beam.GetLongLayer(0, 0)->name, "Bottom");
}

TEST_F(DialogWindowsTest, SheetWithoutSelectionOpensOnIndividualLayersWhenPatternsTie) {
    // One plain layer, an aligned circle of 4 bars (3 layers) and a pattern of 3 layers.
    TLongLists lists = BuildLongLists(beam, 0);
    (void)lists.individual->AddFull({2, 500e-6, 0, 0.05, 0, 0, 0, 0, 0, 0}, {0, 0, 1, -1}, "Bottom");
    (void)lists.circular->AddFull({4, 500e-6, 0, 0.3, 0.2, 0, 0, 0, 0, 0}, {0, 0, 1, -1}, "Ring");
    (void)lists.distributed->AddFull({2, 500e-6, 0, 3, 0.1, 0.5, 0, 0, 0, 0}, {0, 0, 1, -1}, "Web");
    ASSERT_EQ(WriteBackLongLists(beam, lists, 0), 1);
    ASSERT_EQ(beam.GetLongLayerCount(0), 7);
    std::vector<int> pages;
    const auto look = [&pages](plat::DialogDriver& d) {
        pages.push_back(d.CurrentPage());
        d.Click(plat::DialogResult::Cancel);
    };
    ui.Dialog("Define Longitudinal Reinforcement", look);
    EXPECT_EQ(RunLongitudinalSheet(nullptr, beam, -1, 0, -1, -1, -1, Marker()), plat::DialogResult::Cancel);
    // A fourth distributed layer breaks the tie.
    lists = BuildLongLists(beam, 0);
    lists.distributed->Entry(0).values[3] = 4;
    ASSERT_EQ(WriteBackLongLists(beam, lists, 0), 1);
    ui.Dialog("Define Longitudinal Reinforcement", look);
    EXPECT_EQ(RunLongitudinalSheet(nullptr, beam, -1, 0, -1, -1, -1, Marker()), plat::DialogResult::Cancel);
    EXPECT_EQ(pages, (std::vector<int>{0, 2}));
}

TEST_F(DialogWindowsTest, BasicStrengthOverwritesDetailedConcreteAfterYes) {
    double second = 30e6;
    beam.AddConcreteTypeFromStrength(second, "Slab");
    ui.Dialog("Materials Page", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.Text(BasicPropertiesId::Concrete), "Detailed");
        EXPECT_EQ(d.Text(BasicPropertiesId::Rebar), "  400");
        d.Type(BasicPropertiesId::Concrete, "45");
        d.Click(plat::DialogResult::Ok);
    });
    reporter.Answer(MsgAnswer::Yes);
    EXPECT_EQ(RunMaterialsSheet(nullptr, beam, 0, 0, 1, 1, Marker()), plat::DialogResult::Ok);
    EXPECT_EQ(reporter.Count("Changing this value will overwrite the detailed parameters."), 1);
    ASSERT_EQ(beam.GetConcreteTypeCount(), 1);
    EXPECT_DOUBLE_EQ(beam.GetConcreteType(0)->fc, -45e6);
    EXPECT_EQ(marked, 1);
}

TEST_F(DialogWindowsTest, DetailPageIsAddedWhileTheSheetRuns) {
    ui.Dialog("Materials Page", [](plat::DialogDriver& d) {
        d.Click(BasicPropertiesId::DetailedRebar);
        EXPECT_EQ(d.CurrentPage(), 1);
        EXPECT_EQ(d.PageTitle(), "Rebar Details");
        EXPECT_EQ(d.Items(DetailsId::List), (std::vector<std::string>{"Steel 1"}));
        EXPECT_EQ(d.Text(DetailsId::Field0 + 1), "  400");
        d.Type(DetailsId::Name, "Grade 60");
        d.Select(DetailsId::Combo1, 2);
        EXPECT_EQ(d.Text(DetailsId::Field0 + 1), "  414");
        d.Click(DetailsId::Add);
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_EQ(RunMaterialsSheet(nullptr, beam, -1, -1, -1, 1, Marker()), plat::DialogResult::Ok);
    ASSERT_EQ(beam.GetSteelTypeCount(), 3);
    EXPECT_EQ(beam.GetSteelType(1)->name, "Grade 60");
    // The grade's 413.8 MPa is shown, and so stored, as the field shows it.
    EXPECT_DOUBLE_EQ(beam.GetSteelType(1)->fy, 414e6);
    EXPECT_EQ(beam.GetSteelType(2)->name, "PSteel 1");
}

TEST_F(DialogWindowsTest, TransverseSheetStoresAClosedStirrup) {
    ui.Dialog("Define Transverse Reinforcement", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.Selection(DetailsId::Combo0), 2);
        EXPECT_EQ(d.Text(DetailsId::ByArea), "Select bar by area");
        d.Type(DetailsId::Name, "Stirrups");
        d.Type(DetailsId::Field0, "150");
        d.Type(DetailsId::Field0 + 2, "10m");
        d.Type(DetailsId::Field0 + 3, "550");
        d.Type(DetailsId::Field0 + 4, "50");
        d.Click(plat::DialogResult::Ok);
    });
    // OK with edits asks whether to keep them.
    reporter.Answer(MsgAnswer::Yes);
    EXPECT_EQ(RunTransverseSheet(nullptr, beam, -1, 2, Marker()), plat::DialogResult::Ok);
    EXPECT_EQ(reporter.Count("Changes were not saved.  Keep Changes?"), 1);
    ASSERT_EQ(beam.GetTransLayerCount(2), 1);
    const TransLayerRec& layer = *beam.GetTransLayer(0, 2);
    EXPECT_EQ(layer.pattern, 3);
    EXPECT_DOUBLE_EQ(layer.A, 2 * 100e-6);
    EXPECT_DOUBLE_EQ(layer.space, 0.15);
    EXPECT_EQ(layer.bartitle, "10M");
}

TEST_F(DialogWindowsTest, DefineDataReadsTheTextOnOk) {
    TPage6 dialog(nullptr, &beam, 3, nullptr, Marker());
    ui.Dialog("Define Data", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.Items(DefineDataId::List).size(), 4u);
        d.Select(DefineDataId::List, 3);
        d.Type(DefineDataId::Text, "1.5\r\n3");
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_EQ(dialog.Execute(), plat::DialogResult::Ok);
    ASSERT_NE(beam.GetValueList(3), nullptr);
    ASSERT_EQ(beam.GetValueList(3)->GetCount(), 2);
    EXPECT_DOUBLE_EQ(beam.GetValueList(3)->At(0), 0.0015);
    EXPECT_EQ(marked, 1);
}

// Paste works as in any edit box: the clipboard's text goes in at the caret or takes the
// place of the selection, and the text is then read into the list shown.
TEST_F(DialogWindowsTest, DefineDataPastesAtTheCaretInPlaceOfTheSelection) {
    struct Case {
        const char* what;
        int start, end;  // the selection, CR LF counted as two characters; -1: to the end
        std::vector<double> mm;
    };
    // The list shows "   1.0000\r\n   2.0000\r\n" (two lines of 11 characters each).
    const Case cases[] = {{"caret at the start", 0, 0, {5, 6, 1, 2}},
                          {"all selected", 0, -1, {5, 6}},
                          {"the second line selected", 11, 22, {1, 5, 6}}};
    for (const Case& c : cases) {
        const double before[2] = {0.001, 0.002};
        beam.SetValueList(3, before, 2);
        plat::Clipboard::SetText("5\r\n6");
        TPage6 dialog(nullptr, &beam, 3, nullptr, Marker());
        std::string pasted;
        ui.Dialog("Define Data", [&](plat::DialogDriver& d) {
            d.Select(DefineDataId::List, 3);
            ASSERT_EQ(d.Text(DefineDataId::Text), "   1.0000\r\n   2.0000\r\n");
            d.Focus(DefineDataId::Text);
            plat::Edit(d.GetWindow(), DefineDataId::Text).SetSelection(c.start, c.end);
            d.Click(DefineDataId::Paste);
            pasted = d.Text(DefineDataId::Text);
            d.Click(plat::DialogResult::Ok);
        });
        EXPECT_EQ(dialog.Execute(), plat::DialogResult::Ok) << c.what;
        ASSERT_NE(beam.GetValueList(3), nullptr) << c.what;
        std::vector<double> mm;
        for (int i = 0; i < beam.GetValueList(3)->GetCount(); ++i)
            mm.push_back(std::round(beam.GetValueList(3)->At(i) * 1e6) / 1e3);
        EXPECT_EQ(mm, c.mm) << c.what << ": " << pasted;
    }
}

TEST_F(DialogWindowsTest, DefineDataHelpOpensItsTopicInEveryModeAndTheDialogStays) {
    HelpRecorder help;
    TDepthTable curve("c");
    for (const int mode : {3, 0, 2}) {
        TPage6 dialog(nullptr, &beam, mode, mode == 3 ? nullptr : &curve, Marker());
        ui.Dialog("Define Data", [](plat::DialogDriver& d) {
            EXPECT_TRUE(d.Enabled(plat::DialogResult::Help));
            d.Click(plat::DialogResult::Help);
            EXPECT_FALSE(d.Ended());
            d.Click(plat::DialogResult::Cancel);
        });
        EXPECT_EQ(dialog.Execute(), plat::DialogResult::Cancel) << mode;
    }
    EXPECT_EQ(help.Anchors(), (std::vector<std::string>(3, "command-403")));
    EXPECT_EQ(marked, 0);
}

} // namespace
