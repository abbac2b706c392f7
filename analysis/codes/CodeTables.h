#pragma once
// The theta and beta tables of the AASHTO general method of shear design, and the active
// set that the strength curve reads.
//
// Columns are the longitudinal strain e_x (in thousandths). Rows are either shear-stress
// ratios v/f'c (sections with at least the minimum stirrups) or crack spacings s_xe in m
// (sections with less). theta is in degrees; beta is in the US-unit form of the code
// (V_c = beta sqrt(f'c psi) b_v d_v) and is divided by sqrt(145) when read, so that
// V_c = beta sqrt(f'c MPa) b_v d_v.

#include <array>

#include "analysis/codes/CodeStrength.h"

inline constexpr int kCodeTableColumns = 11;
inline constexpr int kCodeTableRows = 9;

// Row kinds of a table.
inline constexpr int kRowsCrackSpacing = 0;
inline constexpr int kRowsShearRatio = 1;

struct CodeTableSet {
    int columns = 0; // 9 or 11
    int rows = 0;    // 7, 8 or 9
    int rowKind = kRowsShearRatio;
    std::array<double, kCodeTableColumns> exAxis{}; // e_x x 1000
    std::array<double, kCodeTableRows> rowAxis{};   // v/f'c, or s_xe in m
    std::array<std::array<double, kCodeTableColumns>, kCodeTableRows> theta{};
    std::array<std::array<double, kCodeTableColumns>, kCodeTableRows> beta{};
    // Factor of the e_x denominator: 2.0 for AASHTO-2000 with at least minimum stirrups.
    double exFactor = 1.0;
};

// The tables the last LoadCodeTables chose.
extern CodeTableSet g_CodeTables;

// Chooses the table set of the variant by the record's stirrups (below v_min: the tables
// without minimum stirrups) and copies it into g_CodeTables. Another variant loads nothing.
void LoadCodeTables(CodeStrengthRecord rec, int variant);

// beta (divided by sqrt(145)) and theta (degrees) of e_x column j, interpolated between rows
// by the record's s_xe or, for v/f'c rows, by its stirrup stress against the stress each row
// needs. A column beyond the last reads the last.
void LookupCodeTableColumn(int column, double& beta, double& theta, CodeStrengthRecord rec);

// The largest theta of columns j to the last.
void MaxTableThetaFrom(int column, double& theta, CodeStrengthRecord rec);
