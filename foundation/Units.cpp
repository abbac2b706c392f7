#include "foundation/Units.h"

#include "foundation/Reporter.h"

int g_UnitSystem = kUnitSI;
int g_FileOverride = 0;

const std::array<const char*, kUnitSystemCount> g_UnitSystemNames = {
    "metric", "US", "oldmetric", "roman"};

// clang-format off
const std::array<std::array<const char*, kUnitSystemCount>, kUnitKindCount> g_UnitLabels = {{
    /*  0 */ {"", "", "", ""},
    /*  1 */ {"kN", "kips", "ton", "talents"},
    /*  2 */ {"kNm", "kip-ft", "ton-m", "tal-pedes"},
    /*  3 */ {"mm/m", "ms", "mm/m", "unc/unc"},
    /*  4 */ {"percent", "percent", "percent", "per centum"},
    /*  5 */ {"mrad/m", "rad/10^3inch", "mrad/m", "rad/mille p."},
    /*  6 */ {"mm", "in", "cm", "unciae"},
    /*  7 */ {"m", "ft", "m", "pedes"},
    /*  8 */ {"mm^2", "in^2", "cm^2", "unc^2"},
    /*  9 */ {"m^2", "ft^2", "m^2", "pedes^2"},
    /* 10 */ {"MPa", "psi", "kg/cm^2", "lb/unc^2"},
    /* 11 */ {"MPa", "ksi", "t/cm^2", "tal/unc^2"},
    /* 12 */ {"deg.", "deg", "deg", "deg"},
    /* 13 */ {"mm^4", "in^4", "cm^4", "unciae^4"},
    /* 14 */ {"mm^3", "in^3", "cm^3", "unciae^3"},
    /* 15 */ {"kN/m", "kips/ft", "t/m", "talent/pedes"},
    /* 16 */ {"kNm/m", "kips-ft/ft", "ton*m/m", "tal-ped/ped"},
    /* 17 */ {"m^2/s", "m^2/s", "m^2/s", "pedes^2/s"},
    /* 18 */ {"day", "day", "day", "diem"},
    /* 19 */ {"years", "years", "years", "annus"},
    /* 20 */ {"J/mol", "J/mol", "J/mol", "J/mol"},
    /* 21 */ {"Kelvin", "Rankine", "Kelvin", "Kelvin"},
    /* 22 */ {"m/s", "ft/s", "m/s", "pedes/s"},
    /* 23 */ {"kg/m^3", "lb/ft^3", "kg/m^3", "tal/pedes^3"},
    /* 24 */ {"m/s^0.5", "in/s^0.5", "m/s^0.5", "pedes/s^0.5"},
    /* 25 */ {"$/m^2", "$/ft^2", "$/m^2", "aureus/ped^2"},
    /* 26 */ {"$/m^3", "$/yd^3", "$/m^3", "aureus/ped^3"},
    /* 27 */ {"%wt conc", "%wt conc", "%wt conc", "%wt conc"},
    /* 28 */ {"$/kg", "$/lb", "$/kg", "aureus/tal"},
    /* 29 */ {"Joules/m", "ft.lbs/in", "Joules/m", "Joules/m"},
    /* 30 */ {"MN.m^2", "10^6kip.in^2", "Mtonne.cm^2", "libra.unc^2"},
}};

// The US factor of kind 24 is 39.3 (not 39.37) as documents have always shown it. The US
// factors of kinds 29 and 30 follow their labels: 1 J/m = 0.7375621 ft.lbf / 39.37008 in, and
// 1 N m^2 = 2.2480894e-4 kip x 1550.0031 in^2 = 0.34845456 kip.in^2.
const std::array<std::array<double, kUnitSystemCount>, kUnitKindCount> g_UnitFactors = {{
    /*  0 */ {1, 1, 1, 1},
    /*  1 */ {0.001, 0.0002248089, 0.0001020408, 0.002497},
    /*  2 */ {-0.001, -0.000737562, -0.0001020408, -0.008447361},
    /*  3 */ {1000, 1000, 1000, 1000},
    /*  4 */ {100, 100, 100, 100},
    /*  5 */ {-1000, -25.4, -1000, -1478},
    /*  6 */ {1000, 39.37008, 100, 40.6504},
    /*  7 */ {1, 3.28084, 1, 3.38295},
    /*  8 */ {1000000, 1550.003, 10000, 1652.45},
    /*  9 */ {1, 10.76391, 1, 11.4444},
    /* 10 */ {1e-06, 0.0001450377, 1.01936e-05, 0.000188889},
    /* 11 */ {1e-06, 1.450377e-07, 1.0204e-08, 1.5111e-06},
    /* 12 */ {57.295779, 57.295779, 57.295779, 57.295779},
    /* 13 */ {1000000000000, 2402509, 100000000, 2730610},
    /* 14 */ {1000000000, 61023.74, 1000000, 67173},
    /* 15 */ {0.001, 6.852176e-05, 0.0001020408, 0.000738125},
    /* 16 */ {-0.001, -0.0002248089, -0.0001020408, -0.002497},
    /* 17 */ {1, 1, 1, 11.444},
    /* 18 */ {1.157407e-05, 1.157407e-05, 1.157407e-05, 1.157407e-05},
    /* 19 */ {3.1688088e-08, 3.1688088e-08, 3.1688088e-08, 3.1688088e-08},
    /* 20 */ {1, 1, 1, 1},
    /* 21 */ {1, 1.8, 1, 1},
    /* 22 */ {1, 3.2808399, 1, 3.3829499},
    /* 23 */ {1, 0.06242796, 1, 0.0790623},
    /* 24 */ {1, 39.3, 1, 40.6504},
    /* 25 */ {1, 0.09290304, 1, 0.087379},
    /* 26 */ {1, 0.7645548, 1, 0.025829339},
    /* 27 */ {1, 1, 1, 1},
    /* 28 */ {1, 0.4535923, 1, 0.3265844},
    /* 29 */ {1, 0.01873407859, 1, 1},
    /* 30 */ {1e-06, 3.484545587e-07, 1.01936799e-06, 5331.792},
}};
// clang-format on

namespace {

int CheckedKind(int kind)
{
    return kind >= 0 && kind < kUnitKindCount ? kind : ukNone;
}
int CheckedSystem(int system)
{
    return system >= 0 && system < kUnitSystemCount ? system : kUnitSI;
}

char DigitCharacter(int digit)
{
    if (digit >= 0 && digit <= 9)
        return static_cast<char>('0' + digit);
    if (digit >= '0' && digit <= '9')
        return static_cast<char>(digit);
    return '1';
}

} // namespace

double UnitFactor(int kind, int system)
{
    return g_UnitFactors[static_cast<std::size_t>(CheckedKind(kind))]
                        [static_cast<std::size_t>(CheckedSystem(system))];
}

double UnitFactor(int kind)
{
    return UnitFactor(kind, g_UnitSystem);
}

const char* UnitLabel(int kind, int system)
{
    return g_UnitLabels[static_cast<std::size_t>(CheckedKind(kind))]
                       [static_cast<std::size_t>(CheckedSystem(system))];
}

const char* UnitLabel(int kind)
{
    return UnitLabel(kind, g_UnitSystem);
}

double ToDisplayUnits(double value, int kind, int system)
{
    return value * UnitFactor(kind, system);
}

double ToDisplayUnits(double value, int kind)
{
    return ToDisplayUnits(value, kind, g_UnitSystem);
}

// No factor in the tables is 0, so the division is always defined.
double FromDisplayUnits(double value, int kind, int system)
{
    return value / UnitFactor(kind, system);
}

double FromDisplayUnits(double value, int kind)
{
    return FromDisplayUnits(value, kind, g_UnitSystem);
}

std::string
setup_units(std::string_view format, int digitSI, int digitUS, int digitMetric, int system)
{
    std::string out(format);
    if (out.empty()) {
        ShowMessage("Warning in setup_units", "Error Trap");
        return out;
    }
    char digit = '1';
    if (system == kUnitSI)
        digit = DigitCharacter(digitSI);
    else if (system == kUnitUS)
        digit = DigitCharacter(digitUS);
    else if (system == kUnitOldMetric)
        digit = DigitCharacter(digitMetric);
    bool found = false;
    for (char& c : out) {
        if (c == '~') {
            c = digit;
            found = true;
        }
    }
    if (!found)
        ShowMessage("Warning in setup_units", "Error Trap");
    return out;
}
