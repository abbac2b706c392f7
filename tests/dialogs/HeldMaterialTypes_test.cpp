// What the material detail pages store, File > Save writes and a new session opens again as the
// same section: a steel modulus below the least a steel keeps, or one so small against the
// strength that checking the type would make its strains more than a section holds, is refused
// on the page with its field selected; the values the pages take open again as they were stored.

#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "dialogs/ListPage.h"
#include "dialogs/MaterialLists.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/MaterialSheet.h"
#include "model/TBeam.h"
#include "tests/dialogs/SectionDialogShell.h"
#include "tests/model/StructureFixtures.h"

namespace {

// Relative agreement of a value opened again with the one saved (a document keeps ten digits).
constexpr double kKeptDigits = 1e-9;

// One typing on a detail page: the fields (0-5) and their texts, then Modify; refusal is the text
// of the page's message, empty for none, and refused the field it selects for retyping.
struct Typing {
    std::vector<std::pair<int, std::string>> fields;
    std::string refusal;
    int refused = -1;
};

class HeldMaterialTypes : public SectionDialogShellTest {
protected:
    // The material sheet, installed over the section dialogs as the program installs it.
    HeldMaterialTypes() { InstallMaterialReinforcementDialogs(); }

    // Define > Materials, the detail page of the material (kRebarMaterial or
    // kPrestressingMaterial), its first type retyped and Modified as each typing says, then OK.
    // Each refusal is answered OK.
    void TypeOnDetailPage(int material, const std::vector<Typing>& typings) {
        const std::string page = material == kConcreteMaterial ? "Concrete Details"
                                 : material == kRebarMaterial  ? "Rebar Details"
                                                               : "Prestressing Steel Details";
        ui.Dialog("Materials Page", [material, &page, &typings](plat::DialogDriver& d) {
            d.Click(material == kConcreteMaterial ? BasicPropertiesId::DetailedConcrete
                    : material == kRebarMaterial  ? BasicPropertiesId::DetailedRebar
                                                  : BasicPropertiesId::DetailedPrestressing);
            ASSERT_EQ(d.PageTitle(), page);
            for (const Typing& t : typings) {
                for (const auto& [field, text] : t.fields)
                    d.Type(DetailsId::Field0 + field, text);
                d.Click(DetailsId::Modify);
                if (!t.refusal.empty()) {
                    EXPECT_EQ(d.FocusedId(), DetailsId::Field0 + t.refused) << t.refusal;
                }
            }
            d.Click(plat::DialogResult::Ok);
        });
        for (const Typing& t : typings)
            if (!t.refusal.empty())
                ui.Message(t.refusal, MsgAnswer::Ok);
        const std::size_t before = ui.requests.size();
        EXPECT_TRUE(Window().EvCommand(CmId::MaterialProperties, 0, 0));
        EXPECT_TRUE(ui.Done());
        std::vector<std::string> told;
        for (std::size_t i = before; i < ui.requests.size(); ++i)
            if (ui.requests[i].kind == "message") {
                told.push_back(ui.requests[i].text);
                EXPECT_EQ(ui.requests[i].caption, page);
            }
        std::vector<std::string> refusals;
        for (const Typing& t : typings)
            if (!t.refusal.empty())
                refusals.push_back(t.refusal);
        EXPECT_EQ(told, refusals);
    }

    // File > Save, then a new session opens the file by File > Open without a word.
    const TStructure& SavedAndOpenedAgain() {
        const std::string path = app->GetFileName();
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
        app.reset();
        Start();
        OpenByMenu(path);
        EXPECT_TRUE(ui.Done());
        EXPECT_EQ(app->GetFileName(), path);
        return *Window().GetCurrentStructure();
    }

    const SteelTypeRec& Steel(int kind) {
        const TStructure& s = *Window().GetCurrentStructure();
        for (int i = 0; i < s.GetSteelTypeCount(); ++i)
            if (s.GetSteelType(i)->kind == kind)
                return *s.GetSteelType(i);
        ADD_FAILURE() << "no steel of kind " << kind;
        return *s.GetSteelType(0);
    }
};

void ExpectSameSteel(const SteelTypeRec& saved, const SteelTypeRec& read) {
    EXPECT_EQ(read.name, saved.name);
    EXPECT_NEAR(read.Es, saved.Es, kKeptDigits * saved.Es);
    EXPECT_NEAR(read.fy, saved.fy, kKeptDigits * saved.fy);
    EXPECT_NEAR(read.fu, saved.fu, kKeptDigits * saved.fu);
    EXPECT_NEAR(read.esh, saved.esh, kKeptDigits * saved.esh);
    EXPECT_NEAR(read.eu, saved.eu, kKeptDigits * saved.eu);
}

} // namespace

// Rebar Details of Steel 1 (400 MPa): a modulus of 0 is refused by its range; 10 MPa would give
// a yield strain 400 / 10 = 40 (40000 mm/m), and a strain-hardening strain of 10000 mm/m a strain
// at peak 1e-6 past it, past the 10000 mm/m a section holds: both refused, the strain at peak
// told in the digits that tell it from the bound. 41 MPa (yield strain
// 400 / 41 = 9756 mm/m) with e_sh 9999 mm/m is stored as typed, the strain at peak raised to
// 9999.001 mm/m, and a new session opens that bar as it was saved.
TEST_F(HeldMaterialTypes, ABarIsRefusedOnThePageWhenItsStrainsWouldPassWhatASectionHolds) {
    OpenMade("bars.qvh", fixtures::BeamWithBottomBars(500e-6));
    ASSERT_DOUBLE_EQ(Steel(SteelKind::Reinforcing).fy, 400e6);
    TypeOnDetailPage(kRebarMaterial, {{{{0, "0"}}, "Elastic Modulus must be a number from 1 to 1000000 MPa.", 0},
                         {{{0, "10"}},
                          "These values give the type a strain-hardening strain of 4e+04 mm/m: a section takes "
                          "at most 10000 mm/m.",
                          0},
                         {{{0, "200000"}, {2, "10000"}},
                          "These values give the type a strain at peak of 10000.001 mm/m: a section takes at "
                          "most 10000 mm/m.",
                          2},
                         {{{0, "41"}, {2, "9999"}}, ""}});
    const SteelTypeRec stored = Steel(SteelKind::Reinforcing);
    EXPECT_DOUBLE_EQ(stored.Es, 41e6);
    EXPECT_DOUBLE_EQ(stored.fy, 400e6);
    EXPECT_DOUBLE_EQ(stored.esh, 9.999);
    EXPECT_DOUBLE_EQ(stored.eu, 9.999 + 1e-6);

    SavedAndOpenedAgain();
    ExpectSameSteel(stored, Steel(SteelKind::Reinforcing));
}

// Prestressing Steel Details of the section's strand (f_pu 1860 MPa): a modulus of 0.5 MPa is
// refused by its range. 200 MPa is stored, and a new session opens the strand without a word, with
// the modulus and strength saved (its strains are derived again from them on opening).
TEST_F(HeldMaterialTypes, AStrandIsRefusedOnThePageBelowTheLeastModulusAndOpensAgainAsStored) {
    OpenMade("strands.qvh", fixtures::BeamWithBottomBars(500e-6));
    ASSERT_DOUBLE_EQ(Steel(SteelKind::Prestressing).fu, 1860e6);
    TypeOnDetailPage(kPrestressingMaterial,
                     {{{{3, "0.5"}}, "Elastic Modulus must be a number from 1 to 1000000 MPa.", 3},
                      {{{3, "200"}}, ""}});
    const SteelTypeRec stored = Steel(SteelKind::Prestressing);
    EXPECT_DOUBLE_EQ(stored.Es, 200e6);

    SavedAndOpenedAgain();
    const SteelTypeRec& read = Steel(SteelKind::Prestressing);
    EXPECT_NEAR(read.Es, stored.Es, kKeptDigits * stored.Es);
    EXPECT_NEAR(read.fu, stored.fu, kKeptDigits * stored.fu);
}

// Concrete Details of Concrete 1, every value at the largest the page takes: f'c and f't 1000000
// MPa, e'c 10000 mm/m, an aggregate of 1000 m and a tension-stiffening factor of 1e9, which
// checking the type holds to 1. Nothing derived passes what a section holds: the type is stored,
// and a new session opens it as it was saved.
TEST_F(HeldMaterialTypes, AConcreteAtTheLargestValuesOfItsPageOpensAgain) {
    OpenMade("concrete.qvh", fixtures::BeamWithBottomBars(500e-6));
    TypeOnDetailPage(kConcreteMaterial,
                     {{{{0, "1000000"}, {1, "1000000"}, {2, "10000"}, {3, "1000000"}, {4, "1000000000"}}, ""}});
    const ConcreteTypeRec stored = *Window().GetCurrentStructure()->GetConcreteType(0);
    EXPECT_DOUBLE_EQ(stored.fc, -1e12);
    EXPECT_DOUBLE_EQ(stored.ft, 1e12);
    EXPECT_DOUBLE_EQ(stored.ec, -10.0);
    EXPECT_DOUBLE_EQ(stored.aggregate, 1000.0);
    EXPECT_DOUBLE_EQ(stored.tsFactor, 1.0);

    const ConcreteTypeRec& read = *SavedAndOpenedAgain().GetConcreteType(0);
    EXPECT_NEAR(read.fc, stored.fc, kKeptDigits * 1e12);
    EXPECT_NEAR(read.ft, stored.ft, kKeptDigits * 1e12);
    EXPECT_NEAR(read.ec, stored.ec, kKeptDigits * 10.0);
    EXPECT_NEAR(read.aggregate, stored.aggregate, kKeptDigits * 1000.0);
    EXPECT_DOUBLE_EQ(read.tsFactor, 1.0);
}
