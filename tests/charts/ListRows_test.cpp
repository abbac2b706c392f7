// Rows of the owner-drawn type lists per kind and unit system, and the dialog texts.

#include <gtest/gtest.h>

#include "charts/ListRows.h"
#include "foundation/Units.h"

namespace {

TEST(ListRows, TextsPerKind)
{
    EXPECT_EQ(ListTexts(kListLineTypes).caption, "Line Types");
    EXPECT_EQ(ListTexts(kListConcreteTypes).prompt, "Select a concrete type from the following list");
    EXPECT_EQ(ListTexts(kListBeamSections).caption, "Beam Sections");
    EXPECT_EQ(ListTexts(9).caption, "Select");
    EXPECT_EQ(LineTypeRows().size(), 5u);
    EXPECT_EQ(LineTypeRows()[3], "Dash-Dot Line");
    EXPECT_EQ(SampleWidth(25), 16);
    EXPECT_EQ(SampleWidth(20), 20);
}

TEST(ListRows, ConcreteAndReinforcementRowsInEachUnitSystem)
{
    // 35 MPa = 5076 psi.
    const std::vector<ConcreteRowSource> types{{"Normal", -35e6}, {"High", -80e6}};
    EXPECT_EQ(ConcreteTypeRows(types, kUnitSI),
              (std::vector<std::string>{"Normal  35.0 MPa", "High  80.0 MPa"}));
    EXPECT_EQ(ConcreteTypeRows(types, kUnitUS)[0], "Normal  5076 psi");
    // 60 rows: the list keeps them all.
    EXPECT_EQ(ConcreteTypeRows(std::vector<ConcreteRowSource>(60, {"c", -30e6}), kUnitSI).size(),
              60u);

    // A 25M bar: 500 mm^2, 25.2 mm; in inches 0.775 in^2 and 0.992 in.
    const RebarRowTexts si = RebarRow("25M", 500e-6, 0.0252, kUnitSI);
    EXPECT_EQ(si.area, "  500 mm^2");
    EXPECT_EQ(si.diameter, " 25.2 mm");
    const RebarRowTexts us = RebarRow("25M", 500e-6, 0.0252, kUnitUS);
    EXPECT_EQ(us.area, "0.775 in^2");
    EXPECT_EQ(us.diameter, "0.992 in");
}

TEST(ListRows, StandardTypesOfOneFamily)
{
    std::vector<StandardTypeEntry> table{{"W", "W310x39", 0.310}, {"W", "W360x45", 0.352},
                                         {"C", "C200x17", 0.203}};
    EXPECT_EQ(StandardTypeRows(table, 0, kUnitSI),
              (std::vector<std::string>{"W W310x39   310 mm", "W W360x45   352 mm"}));
    EXPECT_EQ(StandardTypeRows(table, 2, kUnitSI).size(), 1u);
    // A start index past the table lists nothing.
    EXPECT_TRUE(StandardTypeRows(table, 200, kUnitSI).empty());
    EXPECT_TRUE(StandardTypeRows(table, -1, kUnitSI).empty());
    // At most 50 of one family.
    std::vector<StandardTypeEntry> big(120, {"HSS", "x", 0.1});
    EXPECT_EQ(StandardTypeRows(big, 10, kUnitSI).size(), 50u);
}

} // namespace
