#pragma once
// Display units. Every value is stored and computed in SI base units (N, m, Pa, s, K, strain as
// a ratio) and converted only where it is shown or typed: shown = stored x factor, stored =
// typed / factor, with the factor and label of the value's UnitKind in the active unit system.
// A negative factor turns the sign: moments, curvatures and moments per length are shown with
// the sign opposite to the stored one.
//
// Number formats use "~" for the number of decimals, which depends on the unit system
// ("%5.~f"); setup_units completes them.

#include <array>
#include <string>
#include <string_view>

// Unit systems: 0 SI metric, 1 US customary, 2 metric with kg and cm, 3 Latin unit names.
inline constexpr int kUnitSystemCount = 4;
inline constexpr int kUnitSI = 0;
inline constexpr int kUnitUS = 1;
inline constexpr int kUnitOldMetric = 2;
inline constexpr int kUnitRoman = 3;

// The active unit system; 0 at start. Set by the preferences, the file readers and the main
// window; tests set it through a ValueGuard.
extern int g_UnitSystem;

// The "File Override" preference: while set, the unit system that a file being read names
// also becomes g_UnitSystem; while clear (at start) reading leaves g_UnitSystem alone.
extern int g_FileOverride;

// The names by which documents name the unit systems: "metric", "US", "oldmetric", "roman".
extern const std::array<const char*, kUnitSystemCount> g_UnitSystemNames;

// Kinds of quantity: the row index of the label and factor tables.
enum UnitKind : int {
    ukNone = 0,               // plain number
    ukForce = 1,              // N
    ukMoment = 2,             // N m
    ukStrain = 3,             // ratio, shown in thousandths
    ukPercent = 4,            // ratio
    ukCurvature = 5,          // rad/m
    ukSectionLength = 6,      // m, shown in mm / in / cm
    ukLength = 7,             // m
    ukArea = 8,               // m^2, shown in mm^2 / in^2 / cm^2
    ukLargeArea = 9,          // m^2
    ukStress = 10,            // Pa
    ukLargeStress = 11,       // Pa, shown in MPa / ksi / t/cm^2
    ukAngle = 12,             // rad
    ukSecondMoment = 13,      // m^4
    ukFirstMoment = 14,       // m^3
    ukForcePerLength = 15,    // N/m
    ukMomentPerLength = 16,   // N m/m
    ukDiffusion = 17,         // m^2/s
    ukDays = 18,              // s
    ukYears = 19,             // s
    ukActivationEnergy = 20,  // J/mol
    ukTemperature = 21,       // K
    ukVelocity = 22,          // m/s
    ukDensity = 23,           // kg/m^3
    ukRootTimeRate = 24,      // m/s^0.5
    ukCostPerArea = 25,       // $/m^2
    ukCostPerVolume = 26,     // $/m^3
    ukConcreteContent = 27,   // percent of concrete weight
    ukCostPerMass = 28,       // $/kg
    ukEnergyPerLength = 29,   // J/m
    ukFlexuralStiffness = 30, // N m^2
};
inline constexpr int kUnitKindCount = 31;

// The tables, indexed [kind][system]. Labels have at most 12 characters.
extern const std::array<std::array<const char*, kUnitSystemCount>, kUnitKindCount> g_UnitLabels;
extern const std::array<std::array<double, kUnitSystemCount>, kUnitKindCount> g_UnitFactors;

// Checked look-ups: a kind outside 0-30 reads as kind 0 (plain number, factor 1, no label) and a
// system outside 0-3 as system 0 (SI), so a bad index from data never leaves the tables.
double UnitFactor(int kind, int system);
double UnitFactor(int kind); // in g_UnitSystem
const char* UnitLabel(int kind, int system);
const char* UnitLabel(int kind); // in g_UnitSystem

// Stored SI value -> shown value, and typed value -> stored SI value.
double ToDisplayUnits(double value, int kind, int system);
double ToDisplayUnits(double value, int kind); // in g_UnitSystem
double FromDisplayUnits(double value, int kind, int system);
double FromDisplayUnits(double value, int kind); // in g_UnitSystem

// Completes a number format: every "~" becomes the digit for the given system (digitSI for 0,
// digitUS for 1, digitMetric for 2, '1' for any other). A digit is given as a number 0-9 or as
// its character '0'-'9'; anything else counts as '1', so the result is always a valid format.
// An empty format, or one without "~", shows "Warning in setup_units" (caption "Error Trap")
// and comes back unchanged. Callers pass g_UnitSystem as the system.
std::string
setup_units(std::string_view format, int digitSI, int digitUS, int digitMetric, int system);
