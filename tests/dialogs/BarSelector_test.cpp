// The bar selector: designations in any case, areas, zero areas, an empty catalogue, and a
// designation read before the field is left.

#include "dialogs/BarSelector.h"
#include "tests/dialogs/DialogFixtures.h"

namespace {

class BarSelectorTest : public DialogModelTest {
protected:
    BarSelectorView view;
};

TEST_F(BarSelectorTest, DesignationInAnyCaseWithBlanksSelectsTheCatalogueBar) {
    TBarSelector bar(view, TBarSelector::LongitudinalBars);
    view.text = "  25m  ";
    int index = -2;
    double area = 0.0;
    // Read right after typing, without the field being left first.
    bar.Read(index, area);
    EXPECT_EQ(index, 1);
    EXPECT_DOUBLE_EQ(area, 500e-6);
    EXPECT_EQ(view.text, "25M");
    EXPECT_EQ(view.label, "Bar Designation");
    EXPECT_EQ(view.example, "(eg: 25M)");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(BarSelectorTest, AreaModeReadsTheAreaAndFindsTheBarWithinTwoPerMille) {
    TBarSelector bar(view, TBarSelector::LongitudinalBars);
    bar.Init(-1, 300e-6, 0);
    EXPECT_EQ(view.byArea, 1);
    EXPECT_EQ(view.text, "  300");
    EXPECT_EQ(view.label, "Bar Area");
    EXPECT_EQ(view.example, "(eg:   500 mm^2)");
    EXPECT_EQ(view.unit, "mm^2");

    // 500.9 mm^2 lies within 0.2 % of 25M's 500 mm^2; by area the index given out is -1.
    view.text = "500.9";
    int index = 0;
    double area = 0.0;
    bar.Read(index, area);
    EXPECT_EQ(index, -1);
    EXPECT_NEAR(area, 500.9e-6, 1e-12);
    EXPECT_EQ(bar.GetBarIndex(), 1);
    // Unticking shows that bar's name; an area matching no bar shows "None".
    view.byArea = 0;
    bar.ToggleByArea(0);
    EXPECT_EQ(view.text, "25M");
    view.byArea = 1;
    bar.ToggleByArea(0);
    view.text = "700";
    view.byArea = 0;
    bar.ToggleByArea(0);
    EXPECT_EQ(view.text, "None");
}

TEST_F(BarSelectorTest, ZeroAreaGivesOneHundredSquareMillimetresWithAMessage) {
    TBarSelector bar(view, TBarSelector::TransverseBars);
    bar.Init(-1, 0.0, 0);
    view.text = "0";
    bar.Check();
    EXPECT_DOUBLE_EQ(bar.GetArea(), 1e-4);
    EXPECT_EQ(bar.GetBarIndex(), 0);  // 10M has 100 mm^2
    EXPECT_EQ(view.text, "  100");
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Area specified as zero.  100 square millimetres selected");
    EXPECT_EQ(reporter.messages[0].caption, "Rebar Problem");

    // A designation typed into the area field is taken as a designation.
    view.text = "#8";
    bar.Check();
    EXPECT_EQ(view.byArea, 0);
    EXPECT_DOUBLE_EQ(bar.GetArea(), 510e-6);
    EXPECT_EQ(reporter.messages.size(), 1u);
}

TEST_F(BarSelectorTest, UnknownDesignationIsChosenFromTheCatalogueList) {
    TBarSelector bar(view, TBarSelector::Strands);
    view.text = "S15";
    ui.List(3);
    int index = -1;
    double area = 0.0;
    bar.Read(index, area);
    EXPECT_EQ(index, 3);
    EXPECT_EQ(view.text, "S13");
    EXPECT_DOUBLE_EQ(area, 99e-6);
    // A cancelled list takes the first bar.
    view.text = "X";
    ui.List(std::nullopt);
    bar.Read(index, area);
    EXPECT_EQ(index, 0);
}

TEST_F(BarSelectorTest, EmptyCatalogueSwitchesToAreaWithAMessage) {
    g_RebarList.Clear();
    TBarSelector bar(view, TBarSelector::LongitudinalBars);
    view.text = "25M";
    int index = 0;
    double area = 0.0;
    bar.Read(index, area);
    EXPECT_EQ(index, -1);
    EXPECT_DOUBLE_EQ(area, 1e-4);
    EXPECT_EQ(view.byArea, 1);
    EXPECT_EQ(view.text, "  100");
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "No bar types currently loaded.  Bars must be selected by area.");
}

TEST_F(BarSelectorTest, LabelsFollowTheModeAndUnitSystem) {
    ValueGuard<int> us(g_UnitSystem, kUnitUS);
    TBarSelector strands(view, TBarSelector::Strands);
    EXPECT_EQ(view.label, "Strand Designation");
    EXPECT_EQ(view.example, "(eg: S.5)");
    strands.Init(-1, 0.153 / 1550.0031, 0);
    EXPECT_EQ(view.label, "Strand Area");
    EXPECT_EQ(view.example, "(eg: 0.153 in^2)");
    EXPECT_EQ(view.text, "0.153");
    ValueGuard<int> metric(g_UnitSystem, kUnitOldMetric);
    TBarSelector stirrups(view, TBarSelector::TransverseBars);
    EXPECT_EQ(view.example, "(eg: D10)");
}

} // namespace
