// The material detail pages: concrete model corrections and their messages, automatic
// values from f'c, predefined grades and strands, and the refusal to delete a type in use.

#include <cmath>

#include "dialogs/MaterialLists.h"
#include "dialogs/MaterialPages.h"
#include "model/TBeam.h"
#include "tests/dialogs/DialogFixtures.h"

namespace {

class MaterialPagesTest : public DialogModelTest {
protected:
    MaterialPagesTest() {
        beam.AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
        FillMaterialLists(beam, lists);
    }
    // Stores a concrete type with the models at the list positions given.
    void StoreConcrete(TGen_Conc& page, int base, int softening, int stiffening) {
        page.form.name = "Test" + std::to_string(++stored);
        page.form.fields = {"40", "", "", "19", "1.0", ""};
        page.form.comboSel = {base, softening, stiffening};
        page.Add();
    }
    const TypeListRec& Last(const TTypeList& list) { return list.Entry(list.GetCount() - 1); }

    TBeam beam;
    TMaterialLists lists;
    int stored = 0;
};

// List positions of the models (the drop-downs' order).
constexpr int kLinear = 0, kParabolic = 1, kElastoPlastic = 3;
constexpr int kMaekawa = 6, kBelarbiHsu = 8, kHawmere1978 = 10, kZhuHsuLee = 15, kZhangHsuNoEta = 16,
              kHawmereKelst = 17;
constexpr int kTsNone = 0, kKelst1999 = 6;

TEST_F(MaterialPagesTest, IncompatibleModelsAreCorrectedAfterTheirMessages) {
    TGen_Conc page(beam, lists.concrete, 0, 0);
    page.Setup();
    StoreConcrete(page, kLinear, kMaekawa, kKelst1999);
    EXPECT_EQ(Last(lists.concrete).codes[0], kParabolic);
    EXPECT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.Count("The Maekwawa et al compression softening model is only defined for the parabolic"), 1);

    reporter.Clear();
    StoreConcrete(page, kElastoPlastic, kZhangHsuNoEta, kKelst1999);
    ASSERT_EQ(reporter.messages.size(), 3u);
    EXPECT_NE(reporter.messages[0].text.find("The Houston models"), std::string::npos);
    EXPECT_NE(reporter.messages[1].text.find("only defined for the parabolic base curve"), std::string::npos);
    EXPECT_NE(reporter.messages[2].text.find("Program will continue with Belarbi-Hsu 1995."), std::string::npos);
    EXPECT_EQ(Last(lists.concrete).codes[0], kParabolic);
    EXPECT_EQ(Last(lists.concrete).codes[1], kBelarbiHsu);

    reporter.Clear();
    StoreConcrete(page, kParabolic, kHawmere1978, kKelst1999);
    EXPECT_EQ(Last(lists.concrete).codes[0], kLinear);
    EXPECT_EQ(reporter.Count("The Compression Field theory was defined with linear stress strain response."), 1);
    reporter.Clear();
    StoreConcrete(page, kLinear, kHawmere1978, kKelst1999);
    EXPECT_TRUE(reporter.messages.empty());

    StoreConcrete(page, kParabolic, kZhuHsuLee, kKelst1999);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].text.find("The Houston models"), std::string::npos);
}

TEST_F(MaterialPagesTest, TurningTensionStiffeningOffIsQuestioned) {
    TGen_Conc page(beam, lists.concrete, 0, 0);
    page.Setup();
    reporter.Answer(MsgAnswer::No);
    StoreConcrete(page, 2, kHawmereKelst, kTsNone);
    EXPECT_EQ(Last(lists.concrete).codes[2], kKelst1999);
    reporter.Answer(MsgAnswer::Yes);
    StoreConcrete(page, 2, kHawmereKelst, kTsNone);
    EXPECT_EQ(Last(lists.concrete).codes[2], kTsNone);
    EXPECT_EQ(reporter.Count("there is no need to turn off tension stiffening"), 2);
}

TEST_F(MaterialPagesTest, LeavingFcFillsTheEmptyFieldsFromIt) {
    TGen_Conc page(beam, lists.concrete, 0, 0);
    page.Setup();
    page.form.fields = {"40", "", "", "", "", ""};
    page.form.comboSel = {0, 0, 0};
    page.FieldZeroLeft();
    // f't = min(1.4 (1 + 40/100), 0.15 x 40) = 1.96 MPa; e'c = f'c/Ec n/(n-1) with
    // Ec = 3320 sqrt(40) + 6900 = 27898 MPa and n = 0.8 + 40/17 = 3.153: 2.10 mm/m.
    EXPECT_EQ(page.form.fields[1], "Auto  1.96");
    EXPECT_EQ(page.form.fields[2], " 2.10");
    EXPECT_EQ(page.form.fields[3], "   19");
    EXPECT_EQ(page.form.fields[4], "  1.0");
    EXPECT_EQ(page.form.comboSel, (std::array<int, 3>{2, 17, 6}));

    // Stored, the automatic values are recomputed whenever the entry is shown.
    page.form.name = "C40";
    page.Add();
    const TypeListRec& e = Last(lists.concrete);
    EXPECT_EQ(e.unset[1], 1);
    EXPECT_EQ(e.unset[2], 0);
    EXPECT_NEAR(e.values[1], 1.96e6, 1.0);
    EXPECT_NEAR(e.values[2], 0.0021, 0.00001);
}

TEST_F(MaterialPagesTest, ATypeInUseIsNotDeleted) {
    TGen_Conc page(beam, lists.concrete, 0, 0);
    page.Setup();
    page.Delete();
    EXPECT_EQ(lists.concrete.GetCount(), 1);
    EXPECT_EQ(reporter.Count("This type is currently being used in the section.  It may not be deleted."), 1);
    // A new type is not used and goes.
    page.form.name = "Spare";
    page.Add();
    page.Delete();
    EXPECT_EQ(lists.concrete.GetCount(), 1);

    LongLayerRec layer;
    InitLongLayerRec(layer);
    layer.type = 0;
    layer.name = "Bottom";
    beam.AddLongLayer(layer, 0);
    TGen_Steel steel(beam, lists.rebar, lists.prestressing, 0, 0);
    steel.Setup();
    reporter.Clear();
    steel.Delete();
    EXPECT_EQ(lists.rebar.GetCount(), 1);
    EXPECT_EQ(reporter.messages.size(), 1u);
    TGen_PSteel strand(beam, lists.prestressing, lists.rebar, 0, 0);
    strand.Setup();
    strand.Delete();
    EXPECT_EQ(lists.prestressing.GetCount(), 0);
}

TEST_F(MaterialPagesTest, PredefinedGradeIsRecognisedUntilAValueChanges) {
    TGen_Steel page(beam, lists.rebar, lists.prestressing, 0, 0);
    page.Setup();
    page.form.name = "G400";
    page.form.fields = {"200000", "400", "15", "80", "600", ""};
    page.Add();
    EXPECT_EQ(page.form.comboSel[1], 5);
    EXPECT_EQ(page.form.comboItems[1][5], "CSA G30.12 400 MPa");
    page.form.fields[1] = "404";
    page.Modify();
    EXPECT_EQ(page.form.comboSel[1], 0);
    EXPECT_EQ(page.form.comboItems[1][0], "Custom type");

    // Choosing a grade fills the fields and marks them edited.
    page.form.comboSel[1] = 1;
    page.ComboOneChanged();
    const std::array<std::string, 5> shown = {page.form.fields[0], page.form.fields[1], page.form.fields[2],
                                              page.form.fields[3], page.form.fields[4]};
    EXPECT_EQ(shown, (std::array<std::string, 5>{"200000", "  276", " 20.0", "  120", "  483"}));
    EXPECT_TRUE(page.IsEdited());
}

TEST_F(MaterialPagesTest, StrandNamesFollowTheUnitSystemAndCapacityIsShared) {
    {
        TGen_PSteel page(beam, lists.prestressing, lists.rebar, 0, 0);
        page.Setup();
        EXPECT_EQ(page.form.comboItems[1][1], "1860 MPa Low Relaxation");
        EXPECT_FALSE(page.form.comboShown[0]);
        EXPECT_FALSE(page.form.comboShown[2]);
        page.form.comboSel[1] = 2;
        page.ComboOneChanged();
        EXPECT_EQ(page.form.fields[1], "121.0");
        page.SetActive();
        // A section holds at most 1000 steel types, bars and strands together.
        EXPECT_EQ(lists.prestressing.GetMaximum(), 1000 - lists.rebar.GetCount());
    }
    ValueGuard<int> us(g_UnitSystem, kUnitUS);
    TGen_PSteel page(beam, lists.prestressing, lists.rebar, 0, 0);
    page.Setup();
    EXPECT_EQ(page.form.comboItems[1][1], "270 ksi Low Relaxation");
    EXPECT_EQ(page.form.comboItems[1][2], "270 ksi Stress Relieved");
    // The default strand of a new section is the low-relaxation strand.
    EXPECT_EQ(page.form.comboSel[1], 1);
}

TEST_F(MaterialPagesTest, UserDefinedCurveIsEditedWhenStored) {
    TGen_Steel page(beam, lists.rebar, lists.prestressing, 0, 0);
    int mode = -1;
    page.editCurve = [&mode](TDepthTable& curve, int m) {
        mode = m;
        curve.Clear();
        curve.Add(0.0, 0.0);
        curve.Add(0.01, 5e8);
        return true;
    };
    page.Setup();
    page.form.name = "Curve";
    page.form.comboSel[0] = 1;
    page.Add();
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(Last(lists.rebar).codes[0], 1);
    EXPECT_EQ(lists.rebar.Curve(lists.rebar.GetCount() - 1).GetCount(), 2);
}

} // namespace
