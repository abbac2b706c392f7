#include "model/TStructure.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/StructureFixtures.h"
#include "support/TestSupport.h"

namespace {

using fixtures::Layer;
using fixtures::Rectangle;
using fixtures::Stirrup;

constexpr const char* kFrozen = "Attempt to write to frozen beam!";

// A structure with a little of everything, for the guard and copy tests.
void Populate(TStructure& s)
{
    Rectangle(s, 0.3, 0.5);
    s.AddLongLayer(Layer(0.05, 3, 0.02, "bottom"), 0);
    s.AddTransLayer(Stirrup(0.03, 0.47, 0.01, 0.2, 2 * fixtures::BarArea(0.01)), 2);
    const double loads[3] = {-1000.0, 2.0, 300.0};
    s.SetConstantLoads(loads, 3);
    const double values[2] = {0.1, 0.2};
    s.SetValueList(4, values, 2);
    s.SetModified(0);
}

// The parts Populate sets, compared between two structures.
void ExpectSameStructure(TStructure& a, TStructure& b)
{
    EXPECT_EQ(a.GetTitle(), b.GetTitle());
    EXPECT_EQ(a.GetConcreteTypeCount() + a.GetSteelTypeCount(),
              b.GetConcreteTypeCount() + b.GetSteelTypeCount());
    ASSERT_EQ(a.GetRegionCount() + a.GetLongLayerCount(0) + a.GetTransLayerCount(2), 3);
    ASSERT_EQ(b.GetRegionCount() + b.GetLongLayerCount(0) + b.GetTransLayerCount(2), 3);
    EXPECT_EQ(*a.GetRegion(0), *b.GetRegion(0));
    EXPECT_EQ(*a.GetLongLayer(0, 0), *b.GetLongLayer(0, 0));
    EXPECT_EQ(*a.GetTransLayer(0, 2), *b.GetTransLayer(0, 2));
    LoadVector loadsA{}, loadsB{};
    a.GetConstantLoads(loadsA.data(), 3);
    b.GetConstantLoads(loadsB.data(), 3);
    EXPECT_EQ(loadsA, loadsB);
    ASSERT_NE(a.GetValueList(4), nullptr);
    EXPECT_EQ(a.GetValueList(4)->GetCount(), b.GetValueList(4)->GetCount());
}

TEST(StructureGuard, FrozenStructureRefusesItsWritersAndChangesNothing)
{
    RecordingReporter rec;
    TStructure s;
    Populate(s);
    s.SetFrozen(1);
    const double loads[3] = {1.0, 1.0, 1.0};
    // A representative writer of each kind of data.
    const std::vector<std::pair<const char*, std::function<int()>>> writers = {
        {"DeleteRegions", [&] { return s.DeleteRegions(); }},
        {"SetLongLayerDepth", [&] { return s.SetLongLayerDepth(0, 0.2, 0); }},
        {"SetConstantLoads", [&] { return s.SetConstantLoads(loads, 3); }},
        {"SetValueList", [&] { return s.SetValueList(4, loads, 1); }},
        {"Validate", [&] { return s.Validate(); }},
    };
    for (const auto& [name, write] : writers) {
        rec.Clear();
        EXPECT_EQ(write(), 0) << name;
        EXPECT_EQ(rec.Count(kFrozen), 1) << name;
    }
    // Nothing changed: the structure still equals one built the same way.
    TStructure reference;
    Populate(reference);
    ExpectSameStructure(s, reference);
    EXPECT_EQ(s.IsModified(), 0);

    // The long-term analysis may still write its strains into the frozen copy.
    rec.Clear();
    EXPECT_EQ(s.SetLongLayerTimeStrain(0, 1e-4, 0), 1);
    EXPECT_EQ(s.GetLongLayer(0, 0)->timeStrain, 1e-4);
    EXPECT_TRUE(rec.messages.empty());

    // An analysis's own copy takes every write while it stays frozen; a copy of it is a
    // structure like any other.
    s.SetEngineCopy(1);
    EXPECT_EQ(s.SetConstantLoads(loads, 3), 1);
    EXPECT_EQ(s.DeleteRegions(), 1);
    EXPECT_EQ(s.IsFrozen(), 1);
    EXPECT_TRUE(rec.messages.empty());
    TStructure copy;
    copy.CopyFrom(s);
    EXPECT_EQ(copy.IsEngineCopy(), 0);
    EXPECT_EQ(copy.SetConstantLoads(loads, 3), 0);
    EXPECT_EQ(rec.Count(kFrozen), 1);
}

TEST(StructureModifiedRule, ChangesMarkModifiedFromOneTenThousandthOn)
{
    TStructure s;
    s.AddLongLayer(Layer(0.1, 2, 0.02), 0);
    const double start[1] = {2.0};
    s.SetIncrementLoads(start, 1);
    s.SetModified(0);
    const double tiny[1] = {2.00005};
    EXPECT_EQ(s.SetIncrementLoads(tiny, 1), 1);
    double stored = 0;
    s.GetIncrementLoads(&stored, 1);
    EXPECT_EQ(stored, 2.00005); // stored, but no change
    EXPECT_EQ(s.IsModified(), 0);
    // Fire data reports its changes without marking the structure modified.
    EXPECT_EQ(s.SetFireData(7, 0, 0, 1800.00005, 1000.0), 0);
    EXPECT_EQ(s.SetFireData(6, 0, 0, 1800.0, 1000.5), 1);
    EXPECT_EQ(s.IsModified(), 0);

    const double real[1] = {2.0002};
    s.SetIncrementLoads(real, 1);
    EXPECT_EQ(s.IsModified(), 1);
}

TEST(StructureRegions, InsertMovesTheLaterRegionsUpAndTheTableHoldsAtMost150)
{
    RecordingReporter rec;
    TStructure s;
    s.AddRegion(1.0, 0.5, 0.2, 0.2, 0, 1);
    s.AddRegion(0.2, 0.0, 0.4, 0.4, 0, 1);
    EXPECT_EQ(s.InsertRegion(ConcreteRegionRec{0.5, 0.2, 0.3, 0.3, 0}, 1, 1), 1);
    EXPECT_EQ(s.InsertRegion(ConcreteRegionRec{}, 4, 1), 0);
    EXPECT_EQ(s.GetRegion(1)->topWidth, 0.3);
    EXPECT_EQ(s.GetRegion(2)->topWidth, 0.4);

    ASSERT_EQ(s.GetMaxRegions(), 150);
    for (int i = 3; i < 149; ++i)
        ASSERT_EQ(s.AddRegion(-i * 0.01, -(i + 1) * 0.01, 0.3, 0.3, 0, 0), 1);
    // Inserting needs room for one more than the count.
    EXPECT_EQ(s.InsertRegion(ConcreteRegionRec{}, 0, 1), 0);
    EXPECT_EQ(s.AddRegion(-1.49, -1.5, 0.3, 0.3, 0, 1), 1);
    EXPECT_EQ(s.AddRegion(-1.5, -1.6, 0.3, 0.3, 0, 1), 0);
    EXPECT_EQ(rec.Count("Can't add section"), 1);
    EXPECT_EQ(s.GetRegionCount(), 150);
    EXPECT_DOUBLE_EQ(s.GetBottom(), -1.5);
}

// A T: flange 1.0 wide from 0.5 to 0.6 on a web 0.2 wide down to 0. At the joint side 0
// takes the region above, side 1 the one below; outside the section the widths are 0.1 mm
// and the width 0.001 mm.
TEST(StructureRegions, WidthsAtBoundariesTakeTheChosenSide)
{
    TStructure s;
    s.AddRegion(0.6, 0.5, 1.0, 1.0, 0, 1);
    s.AddRegion(0.5, 0.0, 0.2, 0.2, 0, 1);
    EXPECT_DOUBLE_EQ(s.GetWidthAtSide(0.5, 0), 1.0);
    EXPECT_DOUBLE_EQ(s.GetWidthAtSide(0.5, 1), 0.2);
    EXPECT_DOUBLE_EQ(s.GetWidthAt(0.5), 0.2);
    EXPECT_DOUBLE_EQ(s.GetWidthAtSide(0.601, 0), 0.0001);
    EXPECT_DOUBLE_EQ(s.GetWidthAt(0.601), 1e-6);
    // A tapered region interpolates linearly.
    s.AddRegion(0.0, -1.0, 0.2, 0.6, 0, 1);
    EXPECT_DOUBLE_EQ(s.GetWidthAt(-0.75), 0.5);
}

TEST(StructureTexts, TitleFieldsNamesOf99CharactersAndLayerTexts)
{
    TStructure s;
    s.SetUniversity("Uni");
    s.SetDoneBy("Me");
    s.SetName("Beam A");
    EXPECT_EQ(s.GetTitle(),
              "Uni" + std::string(97, ' ') + "Me" + std::string(98, ' ') + "Beam A" +
                  std::string(94, ' '));
    // A 100-character field keeps 99 characters and its terminator.
    s.SetName(std::string(150, 'n'));
    EXPECT_EQ(s.GetName(), std::string(99, 'n'));
    EXPECT_EQ(s.GetTitle().size(), 300u);

    s.AddLongLayer(Layer(0.1, 2, 0.02, std::string(40, 'x')), 0);
    EXPECT_EQ(s.GetLongLayer(0, 0)->name.size(), kLayerNameChars);
    s.SetLongLayerTitle(0, "a very long bar title", 0);
    EXPECT_EQ(s.GetLongLayer(0, 0)->bartitle, "a very long ba");

    // A legacy bar title is renamed once.
    s.SetLongLayerTitle(0, "D10", 0);
    EXPECT_EQ(s.RenameLegacyBarTitles(0), 1);
    EXPECT_EQ(s.GetLongLayer(0, 0)->bartitle, "oD10");
    EXPECT_EQ(s.RenameLegacyBarTitles(0), 0);
}

TEST(StructureLayers, BadIndicesAndDirectionsAreRefusedWithTheirDefaults)
{
    RecordingReporter rec;
    TStructure s;
    s.AddLongLayer(Layer(0.1, 2, 0.02), 0);
    EXPECT_EQ(s.GetLongLayer(1, 0), nullptr);
    EXPECT_EQ(s.GetLongLayer(-1, 0), nullptr);
    EXPECT_EQ(s.GetTransLayer(0, 3), nullptr);
    EXPECT_EQ(rec.messages.size(), 3u);
    EXPECT_EQ(s.GetLongLayerCount(3), 0);
    EXPECT_TRUE(rec.Saw("No such direction"));
    // A beam-like structure has no y layers and no x or y stirrups.
    EXPECT_EQ(s.AddLongLayer(Layer(0.1, 2, 0.02), 1), 0);
    EXPECT_EQ(s.AddTransLayer(TransLayerRec{}, 0), 0);
    // Profile look-ups of unknown directions answer neutral values.
    EXPECT_EQ(s.GetCrackSpacingAt(0.1, 5), 1.0);
    EXPECT_EQ(s.GetTensionStiffFactorAt(0.1, -1), 500.0);

    // Value lists live in bins 0 to 29.
    const double values[3] = {1.0, 2.0, 3.0};
    EXPECT_EQ(s.SetValueList(30, values, 3), 0);
    EXPECT_EQ(s.SetValueList(-1, values, 3), 0);
    EXPECT_EQ(ValueListIndexFromBin("30"), -1);
    EXPECT_EQ(s.NextValue(0), 0.0) << "no list yet";
}

TEST(StructureCopy, CopyIsDeepAndCarriesTheFlags)
{
    TStructure original;
    Populate(original);
    original.SetModified(1);
    ReinfPatternRec pattern;
    pattern.inUse = 1;
    pattern.radius = 0.2;
    original.StorePattern(pattern, 0);
    original.SetFrozen(1);

    TStructure copy;
    ASSERT_EQ(copy.CopyFrom(original), 1);
    EXPECT_EQ(copy.IsFrozen(), 1);
    EXPECT_EQ(copy.IsModified(), 1);
    ExpectSameStructure(copy, original);
    EXPECT_EQ(*copy.GetPattern(0, 0), *original.GetPattern(0, 0));

    // The copy owns its own lists.
    copy.SetFrozen(0);
    const double other[1] = {9.0};
    copy.SetValueList(4, other, 1);
    EXPECT_EQ(original.GetValueList(4)->GetCount(), 2);
    copy.GetLongLayer(0, 0)->z = 0.3;
    EXPECT_EQ(original.GetLongLayer(0, 0)->z, 0.05);
}

} // namespace
