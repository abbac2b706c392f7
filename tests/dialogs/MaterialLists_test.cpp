// The materials sheet's working lists: write-back keeps regions and layers on their own
// types, renumbers steel (reinforcing first), fills empty lists, and the basic page's
// "Detailed" question.

#include "dialogs/MaterialLists.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/ReinfPatterns.h"
#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "tests/dialogs/DialogFixtures.h"
#include "tests/dialogs/SavedAndRead.h"

namespace {

class MaterialListsTest : public DialogModelTest {
protected:
    // A composite section: a slab of "Slab" (type 1) over a girder of "Girder" (type 0); a
    // strand "P" (type 0 of the steel) before a bar "S" (type 1).
    MaterialListsTest() {
        beam.DeleteConcreteTypes();
        double girder = 50e6, slab = 30e6;
        beam.AddConcreteTypeFromStrength(girder, "Girder");
        beam.AddConcreteTypeFromStrength(slab, "Slab");
        beam.AddRegion(1.0, 0.8, 2.0, 2.0, 1, 1);
        beam.AddRegion(0.8, 0.0, 0.3, 0.3, 0, 1);
        beam.DeleteSteelTypes();
        SteelTypeRec strand;
        InitSteelTypeRec(strand);
        strand.kind = SteelKind::Prestressing;
        strand.fy = 1.86e9;
        strand.name = "P";
        CheckSteelType(strand, true);
        beam.AddSteelType(strand);
        SteelTypeRec bar;
        InitSteelTypeRec(bar);
        bar.name = "S";
        CheckSteelType(bar, true);
        beam.AddSteelType(bar);
        LongLayerRec layer;
        InitLongLayerRec(layer);
        layer.type = 1;
        layer.name = "Bars";
        layer.z = 0.05;
        beam.AddLongLayer(layer, 0);
        layer.type = 0;
        layer.dep = 0.006;
        layer.name = "Tendon";
        layer.z = 0.1;
        beam.AddLongLayer(layer, 0);
        TransLayerRec stirrup;
        InitTransLayerRec(stirrup);
        stirrup.type = 1;
        stirrup.name = "Stirrups";
        beam.AddTransLayer(stirrup, 2);
    }
    int LayerType(const std::string& name) {
        for (int i = 0; i < beam.GetLongLayerCount(0); ++i)
            if (beam.GetLongLayer(i, 0)->name == name)
                return beam.GetLongLayer(i, 0)->type;
        return -99;
    }
    TBeam beam;
    TMaterialLists lists;
};

TEST_F(MaterialListsTest, ListsHoldMagnitudesModelPositionsAndSourceIndices) {
    FillMaterialLists(beam, lists);
    ASSERT_EQ(lists.concrete.GetCount(), 2);
    EXPECT_DOUBLE_EQ(lists.concrete.Entry(1).values[0], 30e6);
    EXPECT_EQ(lists.concrete.Entry(1).codes[3], 1);
    EXPECT_EQ(lists.concrete.Entry(1).codes[1], 17);  // Hawmere-Kelst 2011
    EXPECT_EQ(lists.concrete.Entry(1).unset[1], 1);
    EXPECT_EQ(lists.concrete.Curve(0).GetName(), "Segmental Concrete");
    ASSERT_EQ(lists.rebar.GetCount(), 1);
    EXPECT_EQ(lists.rebar.Entry(0).codes[3], 1);
    ASSERT_EQ(lists.prestressing.GetCount(), 1);
    EXPECT_EQ(lists.prestressing.Entry(0).codes[3], 0);
    EXPECT_TRUE(lists.detailed[kConcreteMaterial]);
}

TEST_F(MaterialListsTest, UnchangedListsWriteBackTheSameSection) {
    FillMaterialLists(beam, lists);
    ASSERT_EQ(WriteBackMaterials(beam, lists), 1);
    EXPECT_EQ(beam.GetConcreteType(0)->name, "Girder");
    EXPECT_EQ(beam.GetRegion(0)->concreteType, 1);
    EXPECT_EQ(beam.GetRegion(1)->concreteType, 0);
    EXPECT_DOUBLE_EQ(beam.GetConcreteType(1)->fc, -30e6);
    EXPECT_EQ(beam.GetConcreteType(1)->ftAuto, 1);
    EXPECT_NEAR(beam.GetConcreteType(1)->ft, AutoTensileStrength(*beam.GetConcreteType(1)), 1.0);
    // Reinforcing steel first, then strand; every layer follows its type.
    ASSERT_EQ(beam.GetSteelTypeCount(), 2);
    EXPECT_EQ(beam.GetSteelType(0)->name, "S");
    EXPECT_EQ(beam.GetSteelType(1)->name, "P");
    EXPECT_EQ(LayerType("Bars"), 0);
    EXPECT_EQ(LayerType("Tendon"), 1);
    EXPECT_EQ(beam.GetTransLayer(0, 2)->type, 0);
    EXPECT_TRUE(reporter.messages.empty());
}

// The main steel is the type of the largest sum of area x Es over the bars: the bars "S" of
// 2000 mm2 at 200 GPa (400 MN) against the strand "P" of 140 mm2 (some 27 MN). OK with nothing
// edited puts "S" first; the main steel is "S" still, at its new place, as the document of the
// section opens with it, and so is the modular ratio Es / Ec of the main types.
TEST_F(MaterialListsTest, OkWithNothingEditedKeepsTheMainSteelOnItsType)
{
    beam.GetLongLayer(0, 0)->A = 2000e-6;
    beam.GetLongLayer(1, 0)->A = 140e-6;
    beam.Validate();
    ASSERT_EQ(beam.GetSteelType(beam.GetMainSteelType())->name, "S");
    ASSERT_EQ(beam.GetMainSteelType(), 1);
    const double ratio = beam.GetSteelType(1)->Es / beam.GetConcreteType(0)->Ec;

    FillMaterialLists(beam, lists);
    ASSERT_EQ(WriteBackMaterials(beam, lists), 1);
    ASSERT_EQ(beam.GetSteelType(0)->name, "S");
    EXPECT_EQ(beam.GetMainSteelType(), 0);
    EXPECT_EQ(beam.GetMainConcreteType(), 0);
    EXPECT_EQ(beam.GetSteelType(beam.GetMainSteelType())->Es /
                  beam.GetConcreteType(beam.GetMainConcreteType())->Ec,
              ratio);
    const auto opened = SavedAndRead(beam);
    EXPECT_EQ(opened->GetMainSteelType(), beam.GetMainSteelType());
    EXPECT_EQ(opened->GetMainConcreteType(), beam.GetMainConcreteType());
}

// The main concrete is the type of the tallest regions: the girder's 800 mm against the slab's
// 200. Named "Web" and sorted by name on the page, the girder's type comes second; the main
// concrete follows it there, and the transformed section, weighted by the main concrete's Ec, is
// the one the section's document opens with.
TEST_F(MaterialListsTest, TheMainConcreteFollowsItsTypeToItsNewPlace)
{
    beam.Validate();
    ASSERT_EQ(beam.GetMainConcreteType(), 0);
    FillMaterialLists(beam, lists);
    lists.concrete.Entry(0).name = "Web";
    lists.concrete.SortByName();
    ASSERT_EQ(lists.concrete.Entry(1).name, "Web");
    ASSERT_EQ(WriteBackMaterials(beam, lists), 1);
    ASSERT_EQ(beam.GetConcreteType(1)->name, "Web");
    EXPECT_EQ(beam.GetMainConcreteType(), 1);
    const auto opened = SavedAndRead(beam);
    EXPECT_EQ(opened->GetMainConcreteType(), 1);
    // 2.0 x 0.2 of slab at Ec(30 MPa) / Ec(50 MPa) and 0.3 x 0.8 of girder.
    const double slab = beam.GetConcreteType(0)->Ec / beam.GetConcreteType(1)->Ec;
    EXPECT_NEAR(beam.GetTransformedProperties().area, 0.4 * slab + 0.24, 0.01);
    EXPECT_DOUBLE_EQ(beam.GetTransformedProperties().area, opened->GetTransformedProperties().area);
}

TEST_F(MaterialListsTest, PatternBarsFollowTheirSteelTypeWhenRegenerated) {
    ReinfPatternRec ring;
    ring.kind = kCircularPatternKind;
    ring.inUse = 1;
    InitLongLayerRec(ring.layer);
    ring.layer.type = 1;  // "S"
    ring.layer.Ai = 100e-6;
    ring.layer.nround = 4;
    ring.layer.aligned = 1;
    ring.layer.name = "Ring";
    ring.radius = 0.1;
    ring.centre = 0.4;
    beam.StorePattern(ring, 0);
    FillMaterialLists(beam, lists);
    WriteBackMaterials(beam, lists);
    ResetDefaultLongLayers(0, beam);
    int ringLayers = 0;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i)
        if (beam.GetLongLayer(i, 0)->pattern == kCircularPattern) {
            ++ringLayers;
            EXPECT_EQ(beam.GetLongLayer(i, 0)->type, 0);
        }
    EXPECT_EQ(ringLayers, 3);
}

TEST_F(MaterialListsTest, FrozenSectionIsNotWritten) {
    FillMaterialLists(beam, lists);
    lists.concrete.Delete(0);
    beam.SetFrozen(1);
    EXPECT_EQ(WriteBackMaterials(beam, lists), 0);
    beam.SetFrozen(0);
    EXPECT_EQ(reporter.Count("Attempt to write to frozen beam!"), 1);
    EXPECT_EQ(beam.GetConcreteTypeCount(), 2);
}

TEST_F(MaterialListsTest, ConcreteNamesKeepWhatThePageAcceptsAndLongerOnesAreCut) {
    FillMaterialLists(beam, lists);
    lists.concrete.Entry(0).name = "High Strength Mix 1";  // 19 characters, as the page keeps
    lists.concrete.Entry(1).name = "Topping slab concrete";
    WriteBackMaterials(beam, lists);
    EXPECT_EQ(beam.GetConcreteType(0)->name, "High Strength Mix 1");
    EXPECT_EQ(beam.GetConcreteType(1)->name, "Topping slab concre");
}

TEST_F(MaterialListsTest, ANewConcreteTypeLeavesTheRegionsOnTheirTypes) {
    FillMaterialLists(beam, lists);
    ConcreteTypeRec third;
    InitConcreteTypeRec(third);
    third.name = "Topping";
    CheckConcreteType(third, true);
    AddConcreteEntry(lists.concrete, third, -1);
    WriteBackMaterials(beam, lists);
    ASSERT_EQ(beam.GetConcreteTypeCount(), 3);
    EXPECT_EQ(beam.GetRegion(0)->concreteType, 1);
    EXPECT_EQ(beam.GetRegion(1)->concreteType, 0);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(MaterialListsTest, RegionsOfADeletedTypeTakeTypeZeroWithAMessage) {
    FillMaterialLists(beam, lists);
    lists.concrete.Delete(1);  // the slab's type
    ConcreteTypeRec other;
    InitConcreteTypeRec(other);
    other.name = "Other";
    CheckConcreteType(other, true);
    AddConcreteEntry(lists.concrete, other, -1);
    WriteBackMaterials(beam, lists);
    EXPECT_EQ(beam.GetRegion(0)->concreteType, 0);
    EXPECT_EQ(beam.GetRegion(1)->concreteType, 0);
    EXPECT_EQ(reporter.Count("was deleted"), 1);
}

TEST_F(MaterialListsTest, RegionTypeEqualToTheCountIsReportedAndReadAsTypeZero) {
    beam.SetRegionConcreteType(0, 2);
    FillMaterialLists(beam, lists);
    reporter.Clear();
    WriteBackMaterials(beam, lists);
    EXPECT_EQ(beam.GetRegion(0)->concreteType, 0);
    EXPECT_GE(reporter.messages.size(), 1u);
}

TEST_F(MaterialListsTest, EmptyListsGetDefaultTypes) {
    FillMaterialLists(beam, lists);
    lists.prestressing.Delete(0);
    lists.concrete.Delete(0);
    lists.concrete.Delete(0);
    WriteBackMaterials(beam, lists);
    ASSERT_EQ(beam.GetConcreteTypeCount(), 1);
    EXPECT_EQ(beam.GetConcreteType(0)->name, "Concrete 1");
    ASSERT_EQ(beam.GetSteelTypeCount(), 2);
    EXPECT_EQ(beam.GetSteelType(1)->name, "PSteel 1");
    EXPECT_EQ(beam.GetSteelType(1)->kind, SteelKind::Prestressing);
    // The tendon's strand went: it takes the first strand type.
    EXPECT_EQ(LayerType("Tendon"), 1);
}

TEST_F(MaterialListsTest, BasicStrengthReplacesADetailedListOnlyAfterYes) {
    FillMaterialLists(beam, lists);
    TMaterials page(lists, kConcreteMaterial);
    page.ShowValues();
    page.ready = true;
    EXPECT_EQ(page.fields[0], "Detailed");
    EXPECT_EQ(page.fields[1], "  400");
    EXPECT_EQ(page.fields[2], " 1860");
    EXPECT_EQ(page.TakeFocusRequest(), 104);
    EXPECT_EQ(page.TakeFocusRequest(), -1);

    page.fields[0] = "45";
    reporter.Answer(MsgAnswer::No);
    page.FieldEdited(kConcreteMaterial);
    EXPECT_EQ(page.fields[0], "Detailed");
    EXPECT_EQ(lists.concrete.GetCount(), 2);
    EXPECT_EQ(reporter.Count("Changing this value will overwrite the detailed parameters."), 1);

    page.fields[0] = "45";
    reporter.Answer(MsgAnswer::Yes);
    page.FieldEdited(kConcreteMaterial);
    ASSERT_EQ(lists.concrete.GetCount(), 1);
    EXPECT_DOUBLE_EQ(lists.concrete.Entry(0).values[0], 45e6);
    EXPECT_EQ(lists.concrete.Entry(0).name, "Concrete 1");
    // Typing on asks no more.
    page.fields[0] = "46";
    page.FieldEdited(kConcreteMaterial);
    EXPECT_EQ(reporter.Count("Changing this value"), 2);
    int marked = 0;
    page.markStructuresChanged = [&marked] { ++marked; };
    page.Leave();
    EXPECT_EQ(marked, 1);

    WriteBackMaterials(beam, lists);
    ASSERT_EQ(beam.GetConcreteTypeCount(), 1);
    EXPECT_DOUBLE_EQ(beam.GetConcreteType(0)->fc, -46e6);
    EXPECT_EQ(beam.GetRegion(0)->concreteType, 0);
    EXPECT_EQ(beam.GetRegion(1)->concreteType, 0);
}


// A type typed on the pages is the type its document gives back: the strand's fu capped by its
// law at rupture, the bar's strain hardening raised to its yield strain and every number typed in
// display units are derived in the session from the values the document keeps, so the section
// saved, opened in a new session and saved again writes the same text, in every unit system.
TEST_F(MaterialListsTest, TypedTypesAreTheTypesTheirDocumentGivesBack) {
    unsigned seed = 12345;
    const auto pick = [&seed](double low, double high) {
        seed = seed * 1103515245u + 12345u;
        const double shown = low + (high - low) * ((seed >> 8) % 100000) / 100000.0;
        // As typed: six significant digits.
        return std::stod(StrPrintf("%.6g", shown));
    };
    for (int system = 0; system < kUnitSystemCount; ++system) {
        g_UnitSystem = system;
        // The fixture's section as a document holds it (its layers by their bars).
        auto opened = SavedAndRead(*SavedAndRead(beam));
        TBeam& section = *opened;
        ASSERT_EQ(SavedText(*SavedAndRead(section)), SavedText(section));
        for (int run = 0; run < 40; ++run) {
            FillMaterialLists(section, lists);
            TypeListRec& strand = lists.prestressing.Entry(0);
            strand.values[2] = pick(4.0, 12.0);
            strand.values[3] = FromDisplayUnits(pick(0.9, 1.1) * ToDisplayUnits(2e11, ukLargeStress, system),
                                                ukLargeStress, system);
            strand.values[4] = FromDisplayUnits(pick(0.5, 1.2) * ToDisplayUnits(1.86e9, ukLargeStress, system),
                                                ukLargeStress, system);
            strand.values[5] = FromDisplayUnits(pick(5.0, 60.0), ukStrain, system);
            TypeListRec& bar = lists.rebar.Entry(0);
            const double fy = pick(0.5, 1.5) * ToDisplayUnits(400e6, ukLargeStress, system);
            bar.values[0] = FromDisplayUnits(pick(0.8, 1.2) * ToDisplayUnits(2e11, ukLargeStress, system),
                                             ukLargeStress, system);
            bar.values[1] = FromDisplayUnits(fy, ukLargeStress, system);
            bar.values[2] = FromDisplayUnits(pick(0.5, 5.0), ukStrain, system);
            bar.values[3] = FromDisplayUnits(pick(20.0, 200.0), ukStrain, system);
            bar.values[4] = FromDisplayUnits(fy * pick(1.0, 1.5), ukLargeStress, system);
            ASSERT_EQ(WriteBackMaterials(section, lists), 1);
            const std::string first = SavedText(section);
            auto reopened = SavedAndRead(section);
            ASSERT_EQ(SavedText(*reopened), first) << "units " << system << ", run " << run;
            ASSERT_EQ(reopened->GetSteelTypeCount(), section.GetSteelTypeCount());
            for (int i = 0; i < section.GetSteelTypeCount(); ++i) {
                const SteelTypeRec& held = *section.GetSteelType(i);
                const SteelTypeRec& read = *reopened->GetSteelType(i);
                EXPECT_EQ(held.fy, read.fy) << held.name;
                EXPECT_EQ(held.fu, read.fu) << held.name;
                EXPECT_EQ(held.eu, read.eu) << held.name;
                EXPECT_EQ(held.esh, read.esh) << held.name;
                EXPECT_EQ(held.Es, read.Es) << held.name;
            }
            lists = TMaterialLists();
        }
    }
}

} // namespace
