// What the reinforcement pages let into a section, File > Save writes and a new session of the
// program opens again as the same section: a circular pattern that would take the section past
// the layers a document keeps is refused at Add with a message, one that fits is kept; a stirrup
// renamed with a NUL (as pasted text can bring one) keeps its name as a blank, and so do a title
// typed with a delete and an old binary file's titles.

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "dialogs/ListPage.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/ValueListDialog.h"
#include "model/LayerLimits.h"
#include "model/TBeam.h"
#include "tests/dialogs/SectionDialogShell.h"
#include "tests/files/LegacyFileBuilders.h"
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

    // Define > Material Properties, the detail page of that title, the type of that name
    // selected, Modify, and Define Data worked by `work`; then OK. The refusals Define Data is
    // to give are answered OK.
    void ModifyCurve(const std::string& page, const std::string& type, std::function<void(plat::DialogDriver&)> work,
                     const std::vector<std::string>& refusals = {}) {
        ui.Dialog("Materials Page", [page, type](plat::DialogDriver& d) {
            for (int p = 1; d.PageTitle() != page && p < 4; ++p)
                d.SwitchPage(p);
            ASSERT_EQ(d.PageTitle(), page);
            d.SelectString(DetailsId::List, type);
            d.Click(DetailsId::Modify);
            d.Click(plat::DialogResult::Ok);
        });
        ui.Dialog("Define Data", std::move(work));
        for (const std::string& refusal : refusals)
            ui.Message(refusal, MsgAnswer::Ok);
        EXPECT_TRUE(Window().EvCommand(CmId::MaterialProperties, 0, 0));
        EXPECT_TRUE(ui.Done());
    }
    // The curve typed into Define Data, then OK.
    void TypeCurve(const std::string& page, const std::string& type, const std::string& text) {
        ModifyCurve(page, type, [text](plat::DialogDriver& d) {
            d.Type(DefineDataId::Text, text);
            d.Click(plat::DialogResult::Ok);
        });
    }
    // What Define Data shows for the type's curve (left with Cancel).
    std::string ShownCurve(const std::string& page, const std::string& type) {
        std::string shown;
        ModifyCurve(page, type, [&shown](plat::DialogDriver& d) {
            shown = d.Text(DefineDataId::Text);
            d.Click(plat::DialogResult::Cancel);
        });
        return shown;
    }

    // File > Save: the document's bytes.
    std::string Save() {
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
        std::ifstream in(app->GetFileName(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The material type of that name in the open section.
    template <class Rec, class Get> static const Rec& ByName(const std::string& name, int count, Get get) {
        for (int i = 0; i < count; ++i)
            if (get(i)->name == name)
                return *get(i);
        ADD_FAILURE() << name;
        return *get(0);
    }
    const SteelTypeRec& Steel(const std::string& name) {
        const TStructure& s = *Window().GetCurrentStructure();
        return ByName<SteelTypeRec>(name, s.GetSteelTypeCount(), [&s](int i) { return s.GetSteelType(i); });
    }
    const ConcreteTypeRec& Concrete(const std::string& name) {
        const TStructure& s = *Window().GetCurrentStructure();
        return ByName<ConcreteTypeRec>(name, s.GetConcreteTypeCount(), [&s](int i) { return s.GetConcreteType(i); });
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

// The same with a delete (0x7F) typed in the title, a control character too: the section keeps
// a blank in its place, and the title stays the same across Save and a new session's Open.
TEST_F(EnteredSectionsOpenAgain, ATitleTypedWithADeleteKeepsTheSameNameAcrossSaveAndOpen) {
    OpenMade("titled.qvh", fixtures::BeamWithBottomBars(500e-6));
    constexpr int kNameField = 5032;  // "General  Definitions"
    ui.Dialog("General  Definitions", [](plat::DialogDriver& d) {
        d.Type(kNameField, "Girder\x7f" "two");
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::EditGeneral, 0, 0));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "Girder two");

    SaveAndOpenInANewSession();
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "Girder two");
}

// A version 0.8 file whose title and author hold an escape and a delete, opened by File > Open:
// the section's names have blanks in their places, and so has the document Save As writes from
// it when a new session opens it.
TEST_F(EnteredSectionsOpenAgain, AnOldBinaryFilesTitlesOpenWithBlanksForControlCharacters) {
    std::vector<std::uint8_t> bytes = MakeV08File(8).bytes;
    std::string text(bytes.begin(), bytes.end());
    text.replace(text.find("ZZ9"), 3, "20M");
    text.replace(text.find("Beam B"), 6, "Beam\x1b" "B");
    text.replace(text.find("Tester"), 6, "Tes\x7f" "er");
    dir.Write("old.q2k", text);
    OpenByMenu(dir.File("old.q2k"));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "Beam B");
    EXPECT_EQ(Window().GetCurrentStructure()->GetDoneBy(), "Tes er");

    ui.File(plat::FileDialogKind::Save, dir.File("old.qvh"));
    EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
    app.reset();
    Start();
    OpenByMenu(dir.File("old.qvh"));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "Beam B");
    EXPECT_EQ(Window().GetCurrentStructure()->GetDoneBy(), "Tes er");
}

// The sample's web concrete and its steel "Curve" given curves that start at a stress other than
// 0: File > Save writes the rows as typed, a new session opens them, Define Data shows them again
// as typed, and File > Save of the opened document writes the same bytes. The curves' derived
// values are those of the typed curve rising from the origin to its first stress within 1e-6
// of strain, and stay so.
TEST_F(EnteredSectionsOpenAgain, CurvesStartingAtAStressSaveOpenAndShowAsTyped) {
    OpenSample();
    const std::string concrete = "0.000 ,  1.00\r\n1.000 , 20.00\r\n2.000 , 30.00\r\n3.500 , 25.00\r\n";
    const std::string steel = "0.000 , 50.00\r\n2.500 , 500.00\r\n50.000 , 550.00\r\n";
    TypeCurve("Concrete Details", "Web", concrete);
    TypeCurve("Rebar Details", "Curve", steel);

    // f'c and e'c at the least stress; Ec the secant to -0.1 mm/m: 1 MPa at 0.001 mm/m rising
    // to 20 MPa at 1 mm/m gives 1 + 19 x 0.099 / 0.999 = 2.8829 MPa there.
    const auto expectConcrete = [this] {
        const ConcreteTypeRec& web = Concrete("Web");
        EXPECT_DOUBLE_EQ(web.fc, -30e6);
        EXPECT_DOUBLE_EQ(web.ec, -0.002);
        EXPECT_NEAR(web.Ec, 2.8829e6 / 1e-4, 1e6);
    };
    // Es the secant from the origin to 0.5 mm/m: 50 + 450 x 0.499 / 2.499 = 139.856 MPa, so
    // 279.71 GPa; the 0.2 % offset line meets the hardening branch (500 MPa at 2.5 mm/m rising
    // 1052.63 MPa per unit strain) at 3.7924 mm/m, 501.360 MPa, and 1.001 times that is reached
    // 1.8618 / 1052.63 past 2.5 mm/m: at 4.2687 mm/m.
    const auto expectSteel = [this] {
        const SteelTypeRec& curve = Steel("Curve");
        EXPECT_NEAR(curve.Es, 279.71e9, 0.01e9);
        EXPECT_NEAR(curve.fy, 501.36e6, 0.01e6);
        EXPECT_NEAR(curve.esh, 0.0042687, 1e-7);
        EXPECT_DOUBLE_EQ(curve.fu, 550e6);
        EXPECT_DOUBLE_EQ(curve.eu, 0.05);
    };
    expectConcrete();
    expectSteel();
    const SteelTypeRec typedSteel = Steel("Curve");
    const double typedEc = Concrete("Web").Ec;

    const std::string saved = Save();
    EXPECT_NE(saved.find("\"Web\"\t>\r\n\t\t\t\t\t0.000  1.00\r\n\t\t\t\t\t1.000 20.00\r\n"
                         "\t\t\t\t\t2.000 30.00\r\n\t\t\t\t\t3.500 25.00\r\n\t\t\t</concrete>"),
              std::string::npos);
    EXPECT_NE(saved.find("\"Curve\"\t>\r\n\t\t\t\t\t0.000 50.00\r\n\t\t\t\t\t2.500 500.00\r\n"
                         "\t\t\t\t\t50.000 550.00\r\n\t\t\t</rebar>"),
              std::string::npos);

    SaveAndOpenInANewSession();
    EXPECT_TRUE(ui.Done());
    expectConcrete();
    expectSteel();
    EXPECT_DOUBLE_EQ(Concrete("Web").Ec, typedEc);
    EXPECT_DOUBLE_EQ(Steel("Curve").Es, typedSteel.Es);
    EXPECT_DOUBLE_EQ(Steel("Curve").esh, typedSteel.esh);
    EXPECT_EQ(ShownCurve("Concrete Details", "Web"), concrete);
    EXPECT_EQ(ShownCurve("Rebar Details", "Curve"), steel);
    EXPECT_EQ(Save(), saved);
}

// Rebar Details, "Curve", Modify, Define Data: a curve rising to 550 MPa at 0.4 mm/m, and one
// rising there at zero strain, would give the steel an elastic modulus past what a document
// holds (550.1 MPa at 0.5 mm/m: 1.1 x 10^6 MPa; 550 MPa at 0.001 mm/m rising to 600 at 50 mm/m,
// 550.5 MPa there: 1.101 x 10^6 MPa): OK refuses each with the value and keeps the dialog;
// Cancel keeps the curve the type had. A concrete curve of 2 x 10^6 MPa is refused the
// same way. The section saved then opens in a new session without a word.
TEST_F(EnteredSectionsOpenAgain, ACurveGivingAValueNoDocumentHoldsIsRefusedInDefineData) {
    OpenSample();
    const SteelTypeRec before = Steel("Curve");
    const std::string modulus =
        "The curve gives the steel an elastic modulus of 1.1e+06 MPa: a section takes at most 1000000 MPa.";
    const std::string jump =
        "The curve gives the steel an elastic modulus of 1.101e+06 MPa: a section takes at most 1000000 MPa.";
    ModifyCurve("Rebar Details", "Curve", [](plat::DialogDriver& d) {
        d.Type(DefineDataId::Text, "0.000 , 0.00\r\n0.400 , 550.00\r\n50.000 , 600.00\r\n");
        d.Click(plat::DialogResult::Ok);
        EXPECT_EQ(d.FocusedId(), DefineDataId::Text);
        d.Type(DefineDataId::Text, "0.000 , 0.00\r\n0.000 , 550.00\r\n50.000 , 600.00\r\n");
        d.Click(plat::DialogResult::Ok);
        d.Click(plat::DialogResult::Cancel);
    }, {modulus, jump});
    EXPECT_DOUBLE_EQ(Steel("Curve").Es, before.Es);
    EXPECT_DOUBLE_EQ(Steel("Curve").fy, before.fy);

    const std::string strength =
        "The curve gives the concrete a strength f'c of 2e+06 MPa: a section takes at most 1000000 MPa.";
    ModifyCurve("Concrete Details", "Web", [](plat::DialogDriver& d) {
        d.Type(DefineDataId::Text, "0.000 , 0.00\r\n2.000 , 2000000\r\n");
        d.Click(plat::DialogResult::Ok);
        d.Click(plat::DialogResult::Cancel);
    }, {strength});
    EXPECT_DOUBLE_EQ(Concrete("Web").fc, -30e6);

    SaveAndOpenInANewSession();
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Boxes(), 2 + 1);
    EXPECT_DOUBLE_EQ(Steel("Curve").Es, before.Es);
    EXPECT_DOUBLE_EQ(Concrete("Web").fc, -30e6);
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
