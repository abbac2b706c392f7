// OK on the reinforcement sheets without an edit gives back the same layers and the same answer,
// through the program's own roads: a document opened, the strain dialog, Define > Longitudinal
// Reinforcement and Define Tendons from the main window. A pattern's layers keep what the pages
// do not show (their own thermal strain, prestrain and names); layers that their pattern record
// would give back otherwise (other bars or areas per layer) are shown and kept as they are.

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "dialogs/ListPage.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/ReinforcementPages.h"
#include "dialogs/SectionInputDialogs.h"
#include "dialogs/TShrink.h"
#include "model/ReinfPatterns.h"
#include "model/TBeam.h"
#include "tests/app/ShellFixture.h"
#include "tests/dialogs/DialogFixtures.h"
#include "tests/dialogs/Pv19Ring.h"
#include "tests/dialogs/SavedAndRead.h"
#include "tests/membrane/HeldShearAnswer.h"
#include "tests/membrane/Pv19Panel.h"
#include "tests/model/StructureFixtures.h"

namespace {

constexpr const char* kSheet = "Define Longitudinal Reinforcement";

using fixtures::Bars;

// A beam 600 mm deep and 400 mm wide with three 500 mm^2 bars 50 mm above its bottom.
std::unique_ptr<TBeam> Beam() { return fixtures::BeamWithBottomBars(500e-6); }

// The ring of four aligned 500 mm^2 bars about 300 mm, 200 mm across: one bar at 400 mm, two at
// 300 mm and one at 200 mm, named as a document from elsewhere may name them.
void AddRing(TBeam& beam) {
    const double bottom = beam.GetBottom();
    beam.AddLongLayer(Bars("North", bottom + 0.4, 1, 500e-6, kCircularPattern, 0, 4, 1), 0);
    beam.AddLongLayer(Bars("Middle", bottom + 0.3, 2, 500e-6, kCircularPattern, 0, 4, 1), 0);
    beam.AddLongLayer(Bars("South", bottom + 0.2, 1, 500e-6, kCircularPattern, 0, 4, 1), 0);
}

// Every stage's results of the sectional response, run to its end.
std::vector<double> Answer(TBeam& beam) {
    TBeam copy;
    copy.CopyFrom(beam);
    TFullSectionalResponse response(&copy);
    RunToFinish(response, 5000);
    EXPECT_EQ(response.IsRunning(), 0);
    EXPECT_GT(response.GetLastStageIndex(), 5);
    std::vector<double> out;
    for (int i = 0; i <= response.GetLastStageIndex(); ++i)
        if (const SectionState* stage = response.GetStage(i))
            out.insert(out.end(), stage->Results.begin(), stage->Results.end());
    return out;
}

void ExpectSameAnswer(const std::vector<double>& before, const std::vector<double>& after) {
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_NEAR(after[i], before[i], 1e-9 * (1.0 + std::fabs(before[i]))) << i;
}

// The layers as the sheet may leave them: every value but the pattern code and its fields.
void ExpectSameBars(const TStructure& was, const TStructure& now, bool asPlainLayers) {
    ASSERT_EQ(now.GetLongLayerCount(0), was.GetLongLayerCount(0));
    for (int i = 0; i < was.GetLongLayerCount(0); ++i) {
        SCOPED_TRACE(i);
        LongLayerRec expected = *was.GetLongLayer(i, 0);
        if (asPlainLayers) {
            const LongLayerRec& layer = *now.GetLongLayer(i, 0);
            EXPECT_EQ(layer.pattern, kPlainLayer);
            expected.pattern = layer.pattern;
            expected.nround = layer.nround;
            expected.aligned = layer.aligned;
            expected.index = layer.index;
        }
        EXPECT_TRUE(*now.GetLongLayer(i, 0) == expected)
            << now.GetLongLayer(i, 0)->name << " at " << now.GetLongLayer(i, 0)->z << " with "
            << now.GetLongLayer(i, 0)->num << " bars of " << now.GetLongLayer(i, 0)->Ai << ", thermal strain "
            << now.GetLongLayer(i, 0)->thermStrain << "; was " << expected.name << " at " << expected.z << " with "
            << expected.num << " bars of " << expected.Ai << ", thermal strain " << expected.thermStrain;
    }
}

class SheetOkSameLayers : public StartedShellTest {
protected:
    SheetOkSameLayers() : m_previous(&GetInputDialogs()) {
        InstallSectionDialogs();
        InstallMaterialReinforcementDialogs();
        InstallMemberDialogs();
    }
    ~SheetOkSameLayers() override { SetInputDialogs(m_previous); }

    // The element saved and opened again as the current structure of the window, validated.
    template <class T> T& Opened(T& made) {
        auto read = SavedAndRead(made);
        read->Validate();
        T& element = *read;
        g_Structures[static_cast<std::size_t>(g_CurrentStructure)] = std::move(read);
        Window().RefreshStructureViews(1);
        return element;
    }

    // A sheet opened by its command and closed with OK at once; the items of the pages listed.
    void OkAtOnce(const char* caption, int command, std::vector<std::vector<std::string>>* pages = nullptr) {
        ui.Dialog(caption, [pages](plat::DialogDriver& d) {
            if (pages)
                for (int page = 0; page < 4; ++page) {
                    d.SwitchPage(page);
                    pages->push_back(d.Items(DetailsId::List));
                }
            d.Click(plat::DialogResult::Ok);
        });
        EXPECT_TRUE(Window().EvCommand(command, 0, 0));
        EXPECT_TRUE(ui.Done());
    }

    // OkAtOnce, after which the layers are those kept (as plain layers where asPlainLayers).
    void OkKeepsLayers(const char* caption, int command, TBeam& beam, const TBeam& kept, bool asPlainLayers,
                       std::vector<std::vector<std::string>>* pages = nullptr) {
        OkAtOnce(caption, command, pages);
        beam.Validate();
        ExpectSameBars(kept, beam, asPlainLayers);
    }

    // The circular page's first pattern edited, then Modify and OK; a question the edit raises
    // answered Yes.
    void EditRingAndOk(const std::function<void(plat::DialogDriver&)>& edit, const char* question = nullptr) {
        ui.Dialog(kSheet, [edit](plat::DialogDriver& d) {
            d.SwitchPage(1);
            edit(d);
            d.Click(DetailsId::Modify);
            d.Click(plat::DialogResult::Ok);
        });
        if (question)
            ui.Message(question, MsgAnswer::Yes);
        EXPECT_TRUE(Window().EvCommand(CmId::LongitudinalReinforcement, 0, 0));
        EXPECT_TRUE(ui.Done());
    }

    // The first pattern of a page exploded, then OK.
    void ExplodeAndOk(int page) {
        ui.Dialog(kSheet, [page](plat::DialogDriver& d) {
            d.SwitchPage(page);
            d.Click(DetailsId::Explode);
            d.Click(plat::DialogResult::Ok);
        });
        ui.Message("many individual bar layers", MsgAnswer::Yes);
        EXPECT_TRUE(Window().EvCommand(CmId::LongitudinalReinforcement, 0, 0));
        EXPECT_TRUE(ui.Done());
    }

    CatalogueGuard catalogue;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};

private:
    TInputDialogs* m_previous;
};

// The ring's layers carry a thermal strain of 2.0 mm/m of their own (written in the document by
// layer name): OK in either sheet keeps them, their names and the answer; so do Explode and OK.
TEST_F(SheetOkSameLayers, ARingWithItsOwnThermalStrainKeepsItAndTheAnswer) {
    auto made = Beam();
    AddRing(*made);
    for (int i = 1; i < 4; ++i)
        made->GetLongLayer(i, 0)->thermStrain = 2e-3;
    TBeam& beam = Opened(*made);
    int ringLayers = 0;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        const LongLayerRec& layer = *beam.GetLongLayer(i, 0);
        EXPECT_EQ(layer.thermStrain, layer.pattern == kCircularPattern ? 2e-3 : 0.0) << layer.name;
        ringLayers += layer.pattern == kCircularPattern ? 1 : 0;
    }
    ASSERT_EQ(ringLayers, 3);
    TBeam kept;
    kept.CopyFrom(beam);
    const std::vector<double> before = Answer(kept);
    // The strain is felt: the same beam without it answers otherwise.
    TBeam cold;
    cold.CopyFrom(beam);
    for (int i = 0; i < cold.GetLongLayerCount(0); ++i)
        cold.GetLongLayer(i, 0)->thermStrain = 0.0;
    EXPECT_NE(Answer(cold), before);

    std::vector<std::vector<std::string>> pages;
    OkKeepsLayers(kSheet, CmId::LongitudinalReinforcement, beam, kept, false, &pages);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[0], (std::vector<std::string>{"Bottom"}));
    EXPECT_EQ(pages[1].size(), 1u);
    ExpectSameAnswer(before, Answer(beam));

    OkKeepsLayers("Define Tendons", CmId::Tendons, beam, kept, false);

    ExplodeAndOk(1);
    beam.Validate();
    ASSERT_EQ(beam.GetLongLayerCount(0), 4);
    for (int i = 0; i < 4; ++i) {
        const LongLayerRec& layer = *beam.GetLongLayer(i, 0);
        EXPECT_EQ(layer.pattern, kPlainLayer) << i;
        EXPECT_EQ(layer.thermStrain, kept.GetLongLayer(i, 0)->thermStrain) << i;
        EXPECT_EQ(layer.z, kept.GetLongLayer(i, 0)->z) << i;
        EXPECT_EQ(layer.A, kept.GetLongLayer(i, 0)->A) << i;
    }
    ExpectSameAnswer(before, Answer(beam));
}

// An imposed strain typed in the strain dialog for all longitudinal layers reaches the ring's
// layers; OK on the sheet keeps it and their names, and a save and reopen finds it by those
// names. Explode and OK keep it too.
TEST_F(SheetOkSameLayers, AnImposedStrainSetInTheStrainDialogStaysOnTheRing) {
    auto made = Beam();
    AddRing(*made);
    TBeam& beam = Opened(*made);
    ui.Dialog("Shrinkage and Thermal Strains", [](plat::DialogDriver& d) {
        d.Select(ShrinkId::Reinforcement, 0);  // All Longitudinal
        d.Type(ShrinkId::ReinforcementStrain, "-0.5");
        d.Click(ShrinkId::Set);
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::ThermalShrinkageStrains, 0, 0));
    EXPECT_TRUE(ui.Done());
    ASSERT_EQ(beam.GetLongLayerCount(0), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(beam.GetLongLayer(i, 0)->thermStrain, -0.5e-3, 1e-15) << i;
    beam.Validate();
    TBeam kept;
    kept.CopyFrom(beam);
    const std::vector<double> before = Answer(kept);

    OkKeepsLayers(kSheet, CmId::LongitudinalReinforcement, beam, kept, false);
    ExpectSameAnswer(before, Answer(beam));
    auto reopened = SavedAndRead(beam);
    reopened->Validate();
    ExpectSameBars(kept, *reopened, false);

    ExplodeAndOk(1);
    beam.Validate();
    ASSERT_EQ(beam.GetLongLayerCount(0), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(beam.GetLongLayer(i, 0)->thermStrain, -0.5e-3, 1e-15) << i;
    ExpectSameAnswer(before, Answer(beam));
}

// A distributed pattern of five bars (nround 5) whose layers hold 3 bars at 100 mm and 2 at
// 500 mm: its record would give back one layer of 3 bars. The two layers are shown and kept as
// they are, 2500 mm^2 between them.
TEST_F(SheetOkSameLayers, AnUnevenDistributedPatternIsShownAndKeptAsItsLayers) {
    auto made = Beam();
    const double bottom = made->GetBottom();
    made->AddLongLayer(Bars("Side", bottom + 0.1, 3, 500e-6, kDistributedPattern, 0, 5, 1), 0);
    made->AddLongLayer(Bars("Side1", bottom + 0.5, 2, 500e-6, kDistributedPattern, 0, 5, 1), 0);
    TBeam& beam = Opened(*made);
    ASSERT_EQ(beam.GetLongLayerCount(0), 3);
    TBeam kept;
    kept.CopyFrom(beam);
    const std::vector<double> before = Answer(kept);

    std::vector<std::vector<std::string>> pages;
    OkKeepsLayers(kSheet, CmId::LongitudinalReinforcement, beam, kept, true, &pages);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[0], (std::vector<std::string>{"Bottom", "Side", "Side1"}));
    EXPECT_TRUE(pages[2].empty());
    double area = 0.0;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i)
        area += beam.GetLongLayer(i, 0)->A;
    EXPECT_NEAR(area, (3 + 5) * 500e-6, 1e-12);
    ExpectSameAnswer(before, Answer(beam));

    OkKeepsLayers("Define Tendons", CmId::Tendons, beam, kept, true);
}

// A ring of four bars, offset, whose upper layer holds two 100 mm^2 bars and the lower two of
// 200 mm^2: its record would give back four bars of 100 mm^2. Shown and kept as its layers.
TEST_F(SheetOkSameLayers, ARingOfMixedBarsIsShownAndKeptAsItsLayers) {
    auto made = Beam();
    const double bottom = made->GetBottom();
    made->AddLongLayer(Bars("Ring", bottom + 0.35, 2, 100e-6, kCircularPattern, 0, 4, 0), 0);
    made->AddLongLayer(Bars("Ring1", bottom + 0.25, 2, 200e-6, kCircularPattern, 0, 4, 0), 0);
    TBeam& beam = Opened(*made);
    ASSERT_EQ(beam.GetLongLayerCount(0), 3);
    int ringLayers = 0;
    for (int i = 0; i < 3; ++i)
        ringLayers += beam.GetLongLayer(i, 0)->pattern == kCircularPattern ? 1 : 0;
    ASSERT_EQ(ringLayers, 2);  // the ring is complete: it has a record
    TBeam kept;
    kept.CopyFrom(beam);
    const std::vector<double> before = Answer(kept);

    std::vector<std::vector<std::string>> pages;
    OkKeepsLayers(kSheet, CmId::LongitudinalReinforcement, beam, kept, true, &pages);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[0], (std::vector<std::string>{"Bottom", "Ring", "Ring1"}));
    EXPECT_TRUE(pages[1].empty());
    EXPECT_NEAR(beam.GetLongLayer(1, 0)->A + beam.GetLongLayer(2, 0)->A, 600e-6, 1e-12);
    ExpectSameAnswer(before, Answer(beam));

    OkKeepsLayers("Define Tendons", CmId::Tendons, beam, kept, true);
}

// The x bars of PV19 as a ring of four such bars about the mid-plane, 30 mm across, its layers
// 50 mm apart along the element and prestressed 1.0 mm/m, in a document: Explode and OK keep
// each layer's spacing and prestrain, and so the ratios and the answer.
TEST_F(SheetOkSameLayers, AnExplodedPrestressedRingOfAMembraneKeepsItsSpacing) {
    auto made = MakePv19Ring();
    ASSERT_EQ(made->GetLongLayerCount(0), 3);
    for (int i = 0; i < 3; ++i) {
        made->GetLongLayer(i, 0)->space = 0.05;
        made->GetLongLayer(i, 0)->dep = 1e-3;
    }
    TShell& panel = Opened(*made);
    ASSERT_EQ(panel.GetLongLayerCount(0), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(panel.GetLongLayer(i, 0)->pattern, kCircularPattern) << i;
        EXPECT_EQ(panel.GetLongLayer(i, 0)->space, 0.05) << i;
        EXPECT_NEAR(panel.GetLongLayer(i, 0)->dep, 1e-3, 1e-12) << i;
    }
    // The 2-bar layer at mid-depth: two bars of 1.785 % at 50 mm each.
    EXPECT_NEAR(panel.GetLongLayer(1, 0)->ratio, 2 * 0.01785, 1e-12);
    const std::vector<double> before = membrane_fixtures::HeldShearAnswer(panel);

    ExplodeAndOk(1);
    panel.Validate();
    ASSERT_EQ(panel.GetLongLayerCount(0), 3);
    for (int i = 0; i < 3; ++i) {
        const LongLayerRec& layer = *panel.GetLongLayer(i, 0);
        EXPECT_EQ(layer.pattern, kPlainLayer) << i;
        EXPECT_EQ(layer.space, 0.05) << i;
        EXPECT_NEAR(layer.dep, 1e-3, 1e-12) << i;
    }
    EXPECT_NEAR(panel.GetLongLayer(1, 0)->ratio, 2 * 0.01785, 1e-12);
    ExpectSameAnswer(before, membrane_fixtures::HeldShearAnswer(panel));
}

// A ring moved by its centre keeps each layer's own thermal strain and name.
TEST_F(SheetOkSameLayers, AMovedRingKeepsEachLayersOwnStrainAndName) {
    auto made = Beam();
    AddRing(*made);
    for (int i = 1; i < 4; ++i)
        made->GetLongLayer(i, 0)->thermStrain = 1e-3 * i;  // North 1, Middle 2, South 3 mm/m
    TBeam& beam = Opened(*made);
    EditRingAndOk([](plat::DialogDriver& d) { d.Type(DetailsId::Field0 + 3, "310"); });
    beam.Validate();
    ASSERT_EQ(beam.GetLongLayerCount(0), 4);
    const double bottom = beam.GetBottom();
    const struct {
        const char* name;
        double height, strain;
    } ring[] = {{"South", 0.21, 3e-3}, {"Middle", 0.31, 2e-3}, {"North", 0.41, 1e-3}};
    for (int k = 0; k < 3; ++k) {
        const LongLayerRec& layer = *beam.GetLongLayer(k + 1, 0);
        EXPECT_EQ(layer.name, ring[k].name) << k;
        EXPECT_NEAR(layer.z - bottom, ring[k].height, 1e-9) << k;
        EXPECT_EQ(layer.thermStrain, ring[k].strain) << k;
        EXPECT_EQ(layer.pattern, kCircularPattern) << k;
    }
}


// The ring of PV19's x bars as a membrane document gives it: each layer with a spacing of its own
// along the element, 50 mm (the top bar, 50 mm up), 60 mm (the two at mid-depth, 35 mm) and
// 70 mm (the bottom bar, 20 mm). Its bar area edited on the circular page from 62.5 to 100 mm^2:
// after OK each layer keeps its spacing, and so its ratio, bars x 100 mm^2 / (spacing x 70 mm):
// 1 / 3.5 = 2.857 %, 2 / 4.2 = 4.762 %, 1 / 4.9 = 2.041 %.
TEST_F(SheetOkSameLayers, ARingOfAMembraneEditedOnItsPageKeepsEachLayersSpacing) {
    auto made = MakePv19Ring();
    made->SortLongLayers();
    ASSERT_EQ(made->GetLongLayerCount(0), 3);
    const double spacings[] = {0.07, 0.06, 0.05};  // from the bottom up
    for (int i = 0; i < 3; ++i)
        made->GetLongLayer(i, 0)->space = spacings[i];
    TShell& panel = Opened(*made);
    ASSERT_EQ(panel.GetLongLayerCount(0), 3);
    const double bottom = panel.GetBottom();
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(panel.GetLongLayer(i, 0)->pattern, kCircularPattern) << i;
        ASSERT_EQ(panel.GetLongLayer(i, 0)->space, spacings[i]) << "as read, layer " << i;
    }

    EditRingAndOk([](plat::DialogDriver& d) {
        EXPECT_EQ(d.Items(DetailsId::List), (std::vector<std::string>{"Ring"}));
        d.Type(DetailsId::Field0 + 2, "100");
    });
    panel.Validate();
    ASSERT_EQ(panel.GetLongLayerCount(0), 3);
    const struct {
        double height, spacing, ratio;
    } ring[] = {{0.020, 0.07, 100e-6 / (0.07 * 0.07)},
                {0.035, 0.06, 2 * 100e-6 / (0.06 * 0.07)},
                {0.050, 0.05, 100e-6 / (0.05 * 0.07)}};
    for (int k = 0; k < 3; ++k) {
        const LongLayerRec& layer = *panel.GetLongLayer(k, 0);
        EXPECT_NEAR(layer.z - bottom, ring[k].height, 1e-9) << k;
        EXPECT_NEAR(layer.Ai, 100e-6, 1e-12) << k;
        EXPECT_EQ(layer.space, ring[k].spacing) << "layer " << k << " at " << layer.z - bottom;
        EXPECT_NEAR(layer.ratio, ring[k].ratio, 1e-9) << k;
        EXPECT_EQ(layer.pattern, kCircularPattern) << k;
    }
    // Saved and opened again, the spacings are the document's.
    auto reopened = SavedAndRead(panel);
    reopened->Validate();
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(reopened->GetLongLayer(k, 0)->space, ring[k].spacing) << k;
}

// The ring of North, Middle and South renamed "Ring" on the circular page: after OK its layers
// bear the new name, the sheet lists the ring as "Ring", and so does a document saved and opened
// again.
TEST_F(SheetOkSameLayers, ARingRenamedOnItsPageTakesTheNewName) {
    auto made = Beam();
    AddRing(*made);
    TBeam& beam = Opened(*made);
    std::vector<std::string> listed;
    EditRingAndOk(
        [&listed](plat::DialogDriver& d) {
            listed = d.Items(DetailsId::List);
            d.Type(DetailsId::Name, "Ring");
        },
        "Modify a type with a new name");
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_NE(listed[0], "Ring");
    beam.Validate();
    ASSERT_EQ(beam.GetLongLayerCount(0), 4);
    EXPECT_EQ(beam.GetLongLayer(0, 0)->name, "Bottom");
    for (int k = 1; k < 4; ++k) {
        const LongLayerRec& layer = *beam.GetLongLayer(k, 0);
        EXPECT_EQ(layer.pattern, kCircularPattern) << k;
        EXPECT_EQ(layer.name.rfind("Ring", 0), 0u) << "layer " << k << " named " << layer.name;
    }

    // The sheet opened again lists the ring by its new name; so does it over the document saved
    // and opened again.
    std::vector<std::vector<std::string>> pages;
    OkAtOnce(kSheet, CmId::LongitudinalReinforcement, &pages);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[1], (std::vector<std::string>{"Ring"}));
    Opened(beam);
    pages.clear();
    OkAtOnce(kSheet, CmId::LongitudinalReinforcement, &pages);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[1], (std::vector<std::string>{"Ring"}));
}

} // namespace
