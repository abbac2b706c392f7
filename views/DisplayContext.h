#pragma once
// What the beam views need to know of the user's display settings: the unit system, the three
// material resistance factors and the debug level. The mode object holds one; the program
// fills it from its settings before the views draw, tests set it directly.

#include <array>
#include <string>

struct DisplayContext {
    int unitSystem = 0;
    // phi_c, phi_s, phi_p.
    std::array<double, 3> resistanceFactors{1.0, 1.0, 1.0};
    int debugLevel = 0;

    // The program's current settings.
    static DisplayContext FromSettings();

    double Factor(int kind) const;
    const char* Label(int kind) const;
    double Show(double stored, int kind) const { return stored * Factor(kind); }

    // Any factor other than 1.0: axis labels of forces read " (factored)".
    bool AnyFactorApplied() const;
    // |phi_c + phi_s + phi_p - 3|.
    double FactorSumOffset() const;
    // " (factored)" or "".
    const char* FactoredSuffix() const { return AnyFactorApplied() ? " (factored)" : ""; }
};

// The format with its "%s" filled by the label of a unit kind.
std::string FormatUnitLabel(const char* format, const DisplayContext& display, int kind);
// printf into a std::string (bounded, never overflows); a number that rounds to zero shows
// without a minus sign.
std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
