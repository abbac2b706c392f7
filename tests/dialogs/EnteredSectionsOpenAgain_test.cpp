// What the reinforcement pages let into a section, File > Save writes and a new session of the
// program opens again as the same section: a circular pattern that would take the section past
// the layers a document keeps is refused at Add with a message, one that fits is kept; a stirrup
// renamed with a NUL (as pasted text can bring one) keeps its name as a blank.

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "dialogs/ListPage.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "model/LayerLimits.h"
#include "model/TBeam.h"
#include "tests/dialogs/SectionDialogShell.h"
#include "tests/model/StructureFixtures.h"

namespace {

constexpr int kStirrups = 2;  // a beam's transverse layers lie in z

struct LayerSummary {
    std::string name;
    int bars;
    double z;
    double A;
    bool operator==(const LayerSummary&) const = default;
};

std::vector<LayerSummary> LongLayers(const TStructure& s) {
    std::vector<LayerSummary> layers;
    for (int i = 0; i < s.GetLongLayerCount(0); ++i) {
        const LongLayerRec& l = *s.GetLongLayer(i, 0);
        layers.push_back({l.name, l.num, l.z, l.A});
    }
    return layers;
}

void ExpectSameLayers(const std::vector<LayerSummary>& a, const std::vector<LayerSummary>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].name, b[i].name) << i;
        EXPECT_EQ(a[i].bars, b[i].bars) << i;
        EXPECT_NEAR(a[i].z, b[i].z, 1e-9) << i;
        EXPECT_NEAR(a[i].A, b[i].A, 1e-12) << i;
    }
}

class EnteredSectionsOpenAgain : public SectionDialogShellTest {
protected:
    // The reinforcement sheets, installed over the section dialogs as the program installs them.
    EnteredSectionsOpenAgain() { InstallMaterialReinforcementDialogs(); }

    // The sample beam of the fuzzing corpus (three bar layers), opened by File > Open.
    void OpenSample() {
        std::ifstream in(std::string(QV_SOURCE_DIR) + "/fuzz/corpus/XmlDocument/full_beam_0.xml", std::ios::binary);
        ASSERT_TRUE(in);
        dir.Write("full_beam_0.xml", std::string(std::istreambuf_iterator<char>(in), {}));
        OpenByMenu(dir.File("full_beam_0.xml"));
        ASSERT_EQ(Window().GetCurrentStructure()->GetLongLayerCount(0), 3);
    }

    // Define > Longitudinal Reinforcement > Circular Patterns: a ring of that many 25M bars
    // (500 mm^2), centre 300 mm, 300 mm across, added, then OK. A refusal at Add (its text given)
    // is answered OK, and OK's question whether to keep the edit that was not added, No.
    void AddRing(const std::string& bars, const std::string& refusal = "") {
        ui.Dialog("Define Longitudinal Reinforcement", [&bars](plat::DialogDriver& d) {
            d.SwitchPage(1);
            d.Type(DetailsId::Name, "Ring");
            d.Type(DetailsId::Field0, bars);
            d.Type(DetailsId::Field0 + 2, "25M");
            d.Type(DetailsId::Field0 + 3, "300");
            d.Type(DetailsId::Field0 + 4, "300");
            d.Click(DetailsId::Add);
            d.Click(plat::DialogResult::Ok);
        });
        if (!refusal.empty()) {
            ui.Message(refusal, MsgAnswer::Ok);
            ui.Message("Keep Changes?", MsgAnswer::No);
        }
        const std::size_t before = ui.requests.size();
        EXPECT_TRUE(Window().EvCommand(CmId::LongitudinalReinforcement, 0, 0));
        EXPECT_TRUE(ui.Done());
        int refused = 0;
        for (std::size_t i = before; i < ui.requests.size(); ++i) {
            if (ui.requests[i].kind == "message" && ui.requests[i].text == refusal) {
                EXPECT_EQ(ui.requests[i].caption, "Circular Patterns");
                ++refused;
            }
        }
        EXPECT_EQ(refused, refusal.empty() ? 0 : 1);
    }

    // File > Save, then a new session of the program opens the file by File > Open.
    void SaveAndOpenInANewSession() {
        const std::string path = app->GetFileName();
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
        app.reset();
        Start();
        OpenByMenu(path);
    }
};

} // namespace

// 1990 bars make 999 layers (one bar at the top, 2-bar layers down to the bottom bar and three
// past it by the page's 0.01 rad), which with the section's three are more than a document
// keeps: Add refuses the ring at once with the page's message, and the section saved and opened
// by a new session is the one opened. 1984 bars (996 layers, 999 in all) are kept, and a new
// session opens the section saved with them.
TEST_F(EnteredSectionsOpenAgain, ACircularPatternPastTheLayersADocumentKeepsIsRefusedAtAdd) {
    OpenSample();
    const std::vector<LayerSummary> opened = LongLayers(*Window().GetCurrentStructure());

    AddRing("1990", "This pattern needs 999 bar layers; the section has room for 997 more.");
    ExpectSameLayers(opened, LongLayers(*Window().GetCurrentStructure()));
    SaveAndOpenInANewSession();
    EXPECT_TRUE(ui.Done());
    ExpectSameLayers(opened, LongLayers(*Window().GetCurrentStructure()));

    AddRing("1984");
    const std::vector<LayerSummary> ringed = LongLayers(*Window().GetCurrentStructure());
    ASSERT_EQ(ringed.size(), 999u);
    EXPECT_LE(static_cast<int>(ringed.size()), kMaxLayersOfDirection);
    SaveAndOpenInANewSession();
    EXPECT_TRUE(ui.Done());
    ExpectSameLayers(ringed, LongLayers(*Window().GetCurrentStructure()));
}

// Define > Transverse Reinforcement: the stirrup renamed "legs", NUL, "minus", Modify (the
// stirrup overwritten), OK: the section keeps it as "legs minus", File > Save writes it, and a
// new session opens the section with that stirrup as it was (no "Error in XML Definition" and
// no new section).
TEST_F(EnteredSectionsOpenAgain, AStirrupRenamedWithANulOpensAgainWithABlankInItsName) {
    auto beam = fixtures::BeamWithBottomBars(500e-6);
    beam->SetName("Stirrups");
    TransLayerRec stirrup = fixtures::Stirrup(0.03, 0.57, 0.0113, 0.2, 200e-6);
    stirrup.name = "legs";
    beam->AddTransLayer(stirrup, kStirrups);
    beam->Validate();
    OpenMade("stirrups.qvh", std::move(beam));

    ui.Dialog("Define Transverse Reinforcement", [](plat::DialogDriver& d) {
        d.Type(DetailsId::Name, std::string("legs\0minus", 10));
        d.Click(DetailsId::Modify);
        d.Click(plat::DialogResult::Ok);
    });
    ui.Message("Modify a type with a new name", MsgAnswer::Yes);
    EXPECT_TRUE(Window().EvCommand(CmId::TransverseReinforcement, 0, 0));
    EXPECT_TRUE(ui.Done());
    const TStructure& renamed = *Window().GetCurrentStructure();
    ASSERT_EQ(renamed.GetTransLayerCount(kStirrups), 1);
    EXPECT_EQ(renamed.GetTransLayer(0, kStirrups)->name, "legs minus");
    const TransLayerRec kept = *renamed.GetTransLayer(0, kStirrups);

    SaveAndOpenInANewSession();
    EXPECT_TRUE(ui.Done());
    const TStructure& reopened = *Window().GetCurrentStructure();
    EXPECT_EQ(reopened.GetName(), "Stirrups");
    ASSERT_EQ(reopened.GetTransLayerCount(kStirrups), 1);
    const TransLayerRec& read = *reopened.GetTransLayer(0, kStirrups);
    EXPECT_EQ(read.name, "legs minus");
    EXPECT_NEAR(read.A, kept.A, 1e-12);
    EXPECT_NEAR(read.space, kept.space, 1e-9);
    EXPECT_NEAR(read.disttop, kept.disttop, 1e-9);
    EXPECT_NEAR(read.distbot, kept.distbot, 1e-9);
}

// Define > General: the section's title typed "Girder", NUL, "one", the author with an escape in
// it, OK: the section keeps blanks in their place, and a new session opens the saved section
// under those names.
TEST_F(EnteredSectionsOpenAgain, ATitleTypedWithAControlCharacterOpensAgainWithABlank) {
    OpenMade("titled.qvh", fixtures::BeamWithBottomBars(500e-6));
    constexpr int kNameField = 5032, kAuthorField = 5870;  // "General  Definitions"
    ui.Dialog("General  Definitions", [](plat::DialogDriver& d) {
        d.Type(kNameField, std::string("Girder\0one", 10));
        d.Type(kAuthorField, "A.\x1b" "Engineer");
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::EditGeneral, 0, 0));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "Girder one");
    EXPECT_EQ(Window().GetCurrentStructure()->GetDoneBy(), "A. Engineer");

    SaveAndOpenInANewSession();
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "Girder one");
    EXPECT_EQ(Window().GetCurrentStructure()->GetDoneBy(), "A. Engineer");
    EXPECT_EQ(Window().GetCurrentStructure()->GetLongLayerCount(0), 1);
}

// Define > Longitudinal Reinforcement > Circular Patterns on the sample beam (three layers):
// Add with the fields empty stores "Untitled", a circle of 0 bars (counted as 3 bars: 2
// layers). 2050 bars need 1029 layers (every 2 pi / 2050 from the top down to pi + 0.01 rad);
// the room is 1000 - 3 - 2 = 995, or 997 when Modify gives back Untitled's own 2. Add and
// Modify of 2050 are refused, and OK (the typed 2050 not kept) leaves the section that the
// same road without the refused values leaves: Untitled stored as a circle of no bars (one
// layer).
TEST_F(EnteredSectionsOpenAgain, ARefusedCircleLeavesTheEmptyPatternAsItWas) {
    const auto road = [this](bool refused) {
        OpenSample();
        ui.Dialog("Define Longitudinal Reinforcement", [refused](plat::DialogDriver& d) {
            d.SwitchPage(1);
            d.Click(DetailsId::Add);
            ASSERT_EQ(d.Items(DetailsId::List), std::vector<std::string>{"Untitled"});
            if (refused) {
                for (int button : {DetailsId::Add, DetailsId::Modify}) {
                    d.Type(DetailsId::Field0, "2050");
                    d.Click(button);
                    EXPECT_EQ(d.Items(DetailsId::List), std::vector<std::string>{"Untitled"});
                    EXPECT_EQ(d.Text(DetailsId::Field0), "2050");
                }
            }
            d.Click(plat::DialogResult::Ok);
        });
        // The empty bar designation left is looked for in the catalogue: its list is cancelled.
        ui.List(std::nullopt);
        if (refused) {
            ui.Message("This pattern needs 1029 bar layers; the section has room for 995 more.", MsgAnswer::Ok);
            ui.Message("This pattern needs 1029 bar layers; the section has room for 997 more.", MsgAnswer::Ok);
            ui.Message("Keep Changes?", MsgAnswer::No);
        }
        EXPECT_TRUE(Window().EvCommand(CmId::LongitudinalReinforcement, 0, 0));
        EXPECT_TRUE(ui.Done());
        return LongLayers(*Window().GetCurrentStructure());
    };
    const std::vector<LayerSummary> plain = road(false);
    EXPECT_EQ(plain.size(), 4u);
    app.reset();  // the refused road in a new session, on the sample as it was
    Start();
    ExpectSameLayers(plain, road(true));
}
