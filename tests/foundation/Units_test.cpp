#include "foundation/Units.h"

#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "foundation/StrFormat.h"
#include "support/TestSupport.h"

namespace {

// The tables carry 7 significant digits.
constexpr double kTableRelTol = 1e-6;

// Exact definitions of the customary units in SI.
constexpr double kInch = 0.0254;
constexpr double kFoot = 0.3048;
constexpr double kYard = 0.9144;
constexpr double kPoundForce = 4.4482216152605;
constexpr double kPoundMass = 0.45359237;
constexpr double kKip = 1000 * kPoundForce;
constexpr double kJulianYear = 365.25 * 86400;

void ExpectRelNear(double actual, double expected, double relTol)
{
    EXPECT_NEAR(actual, expected, relTol * std::fabs(expected));
}

TEST(UnitsTest, StoredValuesShowInEveryUnitSystem)
{
    // Stored SI value, kind, then the shown value in systems 0..3 (value x tabled factor).
    const struct {
        const char* name;
        double stored;
        int kind;
        std::array<double, kUnitSystemCount> shown;
    } rows[] = {
        {"moment 10 kN m", 10000, ukMoment, {-10, -7.37562, -1.020408, -84.47361}},
        {"curvature 1 mrad/m", 0.001, ukCurvature, {-1, -0.0254, -1, -1.478}},
        {"stress 35 MPa", 35e6, ukStress, {35, 5076.3195, 356.776, 6611.115}},
        {"depth 300 mm", 0.3, ukSectionLength, {300, 11.811024, 30, 12.19512}},
        {"inertia 1e-3 m^4", 1e-3, ukSecondMoment, {1e9, 2402.509, 1e5, 2730.61}},
        {"temperature 300 K", 300, ukTemperature, {300, 540, 300, 300}},
    };
    for (const auto& row : rows) {
        for (int system = 0; system < kUnitSystemCount; ++system) {
            SCOPED_TRACE(StrPrintf("%s, system %d", row.name, system));
            const double shown = row.shown[static_cast<std::size_t>(system)];
            ExpectRelNear(ToDisplayUnits(row.stored, row.kind, system), shown, kTableRelTol);
            ValueGuard<int> units(g_UnitSystem, system);
            ExpectRelNear(FromDisplayUnits(shown, row.kind), row.stored, kTableRelTol);
        }
    }
}

TEST(UnitsTest, TablesFitTheirFieldsAndNoFactorIsZero)
{
    ValueGuard<int> units(g_UnitSystem, kUnitOldMetric);
    EXPECT_STREQ(UnitLabel(ukStress), "kg/cm^2");
    EXPECT_EQ(UnitFactor(ukSectionLength), 100.0);
    for (int kind = 0; kind < kUnitKindCount; ++kind) {
        for (int system = 0; system < kUnitSystemCount; ++system) {
            SCOPED_TRACE(StrPrintf("kind %d, system %d", kind, system));
            EXPECT_LE(std::strlen(UnitLabel(kind, system)), 12u);
            EXPECT_NE(UnitFactor(kind, system), 0.0);
        }
    }
}

// Factors of the shown-value rows above are checked there.
TEST(UnitsTest, UsFactorsAgreeWithTheirLabels)
{
    const std::pair<int, double> rows[] = {
        {ukLargeStress, kInch * kInch / kKip},                   // ksi
        {ukFirstMoment, 1 / std::pow(kInch, 3)},                 // in^3
        {ukMomentPerLength, -1 / kKip},                          // kips-ft/ft, sign turned
        {ukYears, 1 / kJulianYear},                              // years
        {ukDensity, std::pow(kFoot, 3) / kPoundMass},            // lb/ft^3
        {ukRootTimeRate, 39.3},                                  // in/s^0.5 by long usage
        {ukCostPerVolume, std::pow(kYard, 3)},                   // $/yd^3
        {ukEnergyPerLength, kInch / (kPoundForce * kFoot)},      // ft.lbs/in
        {ukFlexuralStiffness, 1 / (kKip * kInch * kInch) / 1e6}, // 10^6 kip.in^2
    };
    for (const auto& [kind, factor] : rows) {
        SCOPED_TRACE(UnitLabel(kind, kUnitUS));
        ExpectRelNear(UnitFactor(kind, kUnitUS), factor, kTableRelTol);
    }
}

TEST(UnitsTest, BadKindOrSystemReadsAsPlainSiNumber)
{
    EXPECT_EQ(UnitFactor(kUnitKindCount, kUnitUS), 1.0);
    EXPECT_STREQ(UnitLabel(-1, kUnitUS), "");
    EXPECT_EQ(UnitFactor(ukStress, kUnitSystemCount), 1e-6);
    EXPECT_STREQ(UnitLabel(ukStress, -1), "MPa");
}

TEST(UnitsTest, SetupUnitsPutsTheSystemsDigitInEveryTilde)
{
    RecordingReporter rec;
    const char* expected[] = {"%5.0f", "%5.2f", "%5.1f", "%5.1f"};
    for (int system = 0; system < kUnitSystemCount; ++system) {
        SCOPED_TRACE(system);
        EXPECT_EQ(setup_units("%5.~f", 0, 2, 1, system), expected[system]);
        EXPECT_EQ(setup_units("%5.~f", '0', '2', '1', system), expected[system]);
    }
    // Any other system, and any digit other than 0-9 or '0'-'9', gives 1.
    EXPECT_EQ(setup_units("%5.~f", 0, 2, 3, -1), "%5.1f");
    EXPECT_EQ(setup_units("%5.~f, %5.2f, %5.~f", 12, 2, 1, kUnitSI), "%5.1f, %5.2f, %5.1f");
    EXPECT_TRUE(rec.messages.empty());

    EXPECT_EQ(setup_units("%5.2f %s", 0, 2, 2, kUnitSI), "%5.2f %s");
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "Warning in setup_units");
    EXPECT_EQ(rec.messages[0].caption, "Error Trap");
}

} // namespace
