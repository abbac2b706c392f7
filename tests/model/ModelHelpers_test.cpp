#include "model/ModelHelpers.h"

#include <gtest/gtest.h>

#include "foundation/Units.h"
#include "model/StructureFixtures.h"
#include "support/TestSupport.h"

namespace {

using fixtures::Layer;
using fixtures::Rectangle;
using fixtures::Stirrup;

TEST(CoverText, SentenceNamesWhatGovernsInTheLengthUnit)
{
    ValueGuard<int> units(g_UnitSystem, kUnitSI);
    std::string text = "old";
    FormatCoverText(text, nullptr);
    EXPECT_EQ(text, "");
    TStructure s;
    Rectangle(s, 0.3, 0.6);

    // Stirrup 30 mm above the bottom with 10 mm bars: 25 mm.
    s.AddTransLayer(Stirrup(0.03, 0.57, 0.01, 0.2, 1e-4), 2);
    s.ComputeMinCover();
    FormatCoverText(text, &s);
    EXPECT_EQ(text, "Clear cover to transverse reinforcement =    25 mm");

    // A 20 mm bar 30 mm up: 20 mm to the bar, shown in inches with two decimals.
    s.AddLongLayer(Layer(0.03, 2, 0.02), 0);
    s.ComputeMinCover();
    g_UnitSystem = kUnitUS;
    FormatCoverText(text, &s);
    EXPECT_EQ(text, "Clear cover to reinforcement =  0.79 in");

    // A bar far outside the section: the cover is shown as 9999.999999 m.
    TStructure far;
    Rectangle(far, 0.3, 0.6);
    far.AddLongLayer(Layer(5.0, 2, 0.02), 0);
    far.ComputeMinCover();
    g_UnitSystem = kUnitSI;
    FormatCoverText(text, &far);
    EXPECT_EQ(text, "Clear cover to reinforcement = 10000000 mm");
}

TEST(AreaUnits, SuffixFollowsTheUnitSystem)
{
    ValueGuard<int> units(g_UnitSystem, kUnitSI);
    std::string out;
    AreaUnitSuffix(out, "As", ukArea, 3);
    EXPECT_EQ(out, std::string("As (") + UnitLabel(ukArea) + ") x 10^3");
    const char* perLength[] = {"rho (mm^2/m)", "rho (in^2/ft)", "rho (cm^2/m)"};
    for (int system = 0; system < 3; ++system) {
        g_UnitSystem = system;
        AreaUnitSuffix(out, "rho", kAreaPerLengthKind, 0);
        EXPECT_EQ(out, perLength[system]);
    }
}

} // namespace
