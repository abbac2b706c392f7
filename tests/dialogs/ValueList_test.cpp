// The value-list text: separators, strain-stress pairs and their units, odd counts, the
// curve's shown range, and the structure's value lists.

#include <memory>

#include "dialogs/ValueList.h"
#include "foundation/ReportText.h"
#include "model/TBeam.h"
#include "tests/dialogs/DialogFixtures.h"

namespace {

class ValueListTest : public DialogModelTest {
protected:
    TBeam beam;
    TDepthTable curve;
};

TEST_F(ValueListTest, CommasBlanksTabsAndLineEndsSeparateAlike) {
    TValueList a(nullptr, 0, &curve);
    a.ReadText("0.5, 10");
    TValueList b(nullptr, 0, &curve);
    b.ReadText("0.5\r\n10\r\n");
    TValueList c(nullptr, 0, &curve);
    c.ReadText("0.5\t10");
    ASSERT_EQ(a.WorkingCurve().GetCount(), b.WorkingCurve().GetCount());
    for (int i = 0; i < a.WorkingCurve().GetCount(); ++i) {
        EXPECT_EQ(a.WorkingCurve().GetDepth(i), b.WorkingCurve().GetDepth(i));
        EXPECT_EQ(a.WorkingCurve().GetValue(i), c.WorkingCurve().GetValue(i));
    }
}

TEST_F(ValueListTest, ConcretePairsAreStoredNegativeInSiWithTheOriginAdded) {
    TValueList list(nullptr, 0, &curve);
    list.ReadText("2 30\r\n4 20");
    const TDepthTable& w = list.WorkingCurve();
    // (0, 0), (-0.002, -30 MPa), (-0.004, -20 MPa) and the four closing pairs.
    ASSERT_EQ(w.GetCount(), 7);
    EXPECT_GE(w.IndexOfDepth(0.0), 0);
    const int peak = w.IndexOfDepth(-0.002);
    ASSERT_GE(peak, 0);
    EXPECT_DOUBLE_EQ(w.GetValue(peak), -3e7);
    // Shown: the given pairs only, strains in mm/m and stresses in MPa.
    EXPECT_EQ(list.ShowList(), "0.000 ,  0.00\r\n2.000 , 30.00\r\n4.000 , 20.00\r\n");
    // The given curve changes on OK only.
    EXPECT_EQ(curve.GetCount(), 0);
    list.Commit();
    EXPECT_EQ(curve.GetCount(), 7);
}

TEST_F(ValueListTest, OddTokenCountEndsWithAZeroStressAndSteelIsPositive) {
    TValueList list(nullptr, 2, &curve);
    list.ReadText("0 0 2 400 10");
    const TDepthTable& w = list.WorkingCurve();
    const int last = w.IndexOfDepth(0.010);
    ASSERT_GE(last, 0);
    EXPECT_EQ(w.GetValue(last), 0.0);
    EXPECT_DOUBLE_EQ(w.GetValue(w.IndexOfDepth(0.002)), 4e8);
    // Steel curves are shown in ascending strain.
    EXPECT_EQ(list.ShowList(), "0.000 ,  0.00\r\n2.000 , 400.00\r\n10.000 ,  0.00\r\n");
    ValueGuard<int> us(g_UnitSystem, kUnitUS);
    EXPECT_EQ(list.ShowList(), "0.000 ,     0\r\n2.000 , 58015\r\n10.000 ,     0\r\n");
}

TEST_F(ValueListTest, StructureListsInDisplayUnitsAndEmptyTextEmptiesTheList) {
    beam.SetValueList(2, std::array<double, 2>{1000.0, 2000.0}.data(), 2);
    TValueList list(&beam, 3, nullptr);
    const std::vector<std::string> items = list.ComboItems();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0], "Moment values for Moment-Curvature (kNm)");
    EXPECT_EQ(items[3], "Measured Deltas for point load-deflection (mm)");
    list.selection = 2;
    EXPECT_EQ(list.ShowList(), "   1.0000\r\n   2.0000\r\n");
    list.selection = 3;
    list.ReadText("1.5\r\n3");
    EXPECT_DOUBLE_EQ(list.WorkingList(3).At(1), 0.003);
    list.selection = 2;
    list.ReadText("");
    list.Commit();
    ASSERT_NE(beam.GetValueList(2), nullptr);
    EXPECT_EQ(beam.GetValueList(2)->GetCount(), 0);
    EXPECT_EQ(beam.GetValueList(3)->GetCount(), 2);
}

TEST_F(ValueListTest, AnOpenReportIsLeftAlone) {
    g_ReportText = std::make_unique<std::string>("Section Information");
    TValueList list(nullptr, 0, &curve);
    list.ReadText("1 10");
    ASSERT_TRUE(g_ReportText);
    EXPECT_EQ(*g_ReportText, "Section Information");
    ClearReportText();
}

} // namespace
