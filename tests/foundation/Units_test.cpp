#include "foundation/Units.h"

#include <cmath>
#include <cstring>
#include <numbers>

#include <gtest/gtest.h>

#include "foundation/StrFormat.h"
#include "support/TestSupport.h"

namespace {

// The tables carry 7 significant digits.
constexpr double kTableRelTol = 1e-6;
// The kg/cm system converts force with g = 9.8 or 9.81 m/s^2 instead of 9.80665.
constexpr double kGravityRelTol = 1e-3;

// Exact definitions of the customary units in SI.
constexpr double kInch = 0.0254;
constexpr double kFoot = 0.3048;
constexpr double kYard = 0.9144;
constexpr double kPoundForce = 4.4482216152605;
constexpr double kPoundMass = 0.45359237;
constexpr double kKip = 1000 * kPoundForce;
constexpr double kKgForce = 9.80665;
constexpr double kDay = 86400;
constexpr double kJulianYear = 365.25 * kDay;

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
        {"force 1 kN", 1000, ukForce, {1, 0.2248089, 0.1020408, 2.497}},
        {"depth 300 mm", 0.3, ukSectionLength, {300, 11.811024, 30, 12.19512}},
        {"bar area 500 mm^2", 5e-4, ukArea, {500, 0.7750015, 5, 0.826225}},
        {"strain 2 per mille", 0.002, ukStrain, {2, 2, 2, 2}},
        {"inertia 1e-3 m^4", 1e-3, ukSecondMoment, {1e9, 2402.509, 1e5, 2730.61}},
        {"line load 10 kN/m", 1e4, ukForcePerLength, {10, 0.6852176, 1.020408, 7.38125}},
        {"angle pi/4", 0.7853981634, ukAngle, {45, 45, 45, 45}},
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
    EXPECT_STREQ(UnitLabel(ukAngle, kUnitSI), "deg.");
    EXPECT_STREQ(UnitLabel(ukStrain, kUnitUS), "ms");
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

TEST(UnitsTest, UsFactorsAgreeWithTheirLabels)
{
    const double expected[kUnitKindCount] = {
        1,                                // plain
        1 / kKip,                         // kips
        -1 / (kKip * kFoot),              // kip-ft, sign turned
        1000,                             // ms
        100,                              // percent
        -1000 * kInch,                    // rad per 1000 in, sign turned
        1 / kInch,                        // in
        1 / kFoot,                        // ft
        1 / (kInch * kInch),              // in^2
        1 / (kFoot * kFoot),              // ft^2
        kInch * kInch / kPoundForce,      // psi
        kInch * kInch / kKip,             // ksi
        180 / std::numbers::pi,           // deg
        1 / std::pow(kInch, 4),           // in^4
        1 / std::pow(kInch, 3),           // in^3
        kFoot / kKip,                     // kips/ft
        -1 / kKip,                        // kips-ft/ft
        1,                                // m^2/s
        1 / kDay,                         // day
        1 / kJulianYear,                  // years
        1,                                // J/mol
        1.8,                              // Rankine
        1 / kFoot,                        // ft/s
        std::pow(kFoot, 3) / kPoundMass,  // lb/ft^3
        39.3,                             // in/s^0.5: shown with 39.3 by long usage
        kFoot * kFoot,                    // $/ft^2
        std::pow(kYard, 3),               // $/yd^3
        1,                                // %wt conc
        kPoundMass,                       // $/lb
        kInch / (kPoundForce * kFoot),    // ft.lbs/in
        1 / (kKip * kInch * kInch) / 1e6, // 10^6 kip.in^2
    };
    for (int kind = 0; kind < kUnitKindCount; ++kind) {
        SCOPED_TRACE(StrPrintf("kind %d (%s)", kind, UnitLabel(kind, kUnitUS)));
        ExpectRelNear(UnitFactor(kind, kUnitUS), expected[kind], kTableRelTol);
    }
}

TEST(UnitsTest, KgCmFactorsAgreeWithTheirLabels)
{
    const double ton = 1000 * kKgForce;
    const struct {
        int kind;
        double factor;
    } rows[] = {
        // Force, moment, stress, lengths and areas are checked by their shown values above.
        {ukLargeStress, 1e-4 / ton},
        {ukFirstMoment, 1e6},
        {ukMomentPerLength, -1 / ton},
        {ukFlexuralStiffness, 1e4 / ton / 1e6},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(StrPrintf("kind %d (%s)", row.kind, UnitLabel(row.kind, kUnitOldMetric)));
        ExpectRelNear(UnitFactor(row.kind, kUnitOldMetric), row.factor, kGravityRelTol);
    }
}

TEST(UnitsTest, BadKindOrSystemReadsAsPlainSiNumber)
{
    for (const int kind : {-1, 31, 100}) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(UnitFactor(kind, kUnitUS), 1.0);
        EXPECT_STREQ(UnitLabel(kind, kUnitUS), "");
    }
    for (const int system : {-1, 4, 99}) {
        SCOPED_TRACE(system);
        EXPECT_EQ(UnitFactor(ukStress, system), 1e-6);
        EXPECT_STREQ(UnitLabel(ukStress, system), "MPa");
    }
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
    EXPECT_EQ(setup_units("%5.~f, %5.2f, %5.~f", 3, 2, 1, kUnitSI), "%5.3f, %5.2f, %5.3f");
    for (const int digit : {12, -3, int{'a'}})
        EXPECT_EQ(setup_units("%5.~f", digit, 0, 0, kUnitSI), "%5.1f") << digit;
    EXPECT_TRUE(rec.messages.empty());

    EXPECT_EQ(setup_units("", 0, 2, 2, kUnitSI), "");
    EXPECT_EQ(setup_units("%5.2f %s", 0, 2, 2, kUnitSI), "%5.2f %s");
    ASSERT_EQ(rec.messages.size(), 2u);
    for (const auto& m : rec.messages) {
        EXPECT_EQ(m.text, "Warning in setup_units");
        EXPECT_EQ(m.caption, "Error Trap");
    }
}

} // namespace
