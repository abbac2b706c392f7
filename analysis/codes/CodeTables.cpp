#include "analysis/codes/CodeTables.h"

#include <algorithm>
#include <cmath>

#include "analysis/codes/CodeMath.h"

CodeTableSet g_CodeTables;

namespace {

// clang-format off

// AASHTO-94, at least minimum transverse reinforcement.
const CodeTableSet kAashto94WithMinimum = {
    11, 9, kRowsShearRatio,
    {-0.2, -0.15, -0.1, 0, 0.125, 0.25, 0.5, 0.75, 1, 1.5, 2},
    {0.05, 0.075, 0.1, 0.125, 0.15, 0.175, 0.2, 0.225, 0.25},
    {{
        {27, 27, 27, 27, 27, 28.5, 29, 33, 36, 41, 43},
        {27, 27, 27, 27, 27, 27.5, 30, 33.5, 36, 40, 42},
        {23.5, 23.5, 23.5, 23.5, 24, 26.5, 30.5, 34, 36, 38, 39},
        {20, 21, 22, 23.5, 26, 28, 31.5, 34, 36, 37, 38},
        {22, 22.5, 23.5, 25, 27, 29, 32, 34, 36, 36.5, 37},
        {23.5, 24, 25, 26.5, 28, 30, 32.5, 34, 35, 35.5, 36},
        {25, 25.5, 26.5, 27.5, 29, 31, 33, 34, 34.5, 35, 36},
        {26.5, 27, 27.5, 29, 30.5, 32, 33, 34, 34.5, 36.5, 39},
        {28, 28.5, 29, 30, 31, 32, 33, 34, 35.5, 38.5, 41.5},
    }},
    {{
        {6.78, 6.17, 5.63, 4.88, 3.99, 3.49, 2.51, 2.37, 2.23, 1.95, 1.72},
        {6.78, 6.17, 5.63, 4.88, 3.65, 3.01, 2.47, 2.33, 2.16, 1.9, 1.65},
        {6.5, 5.87, 5.31, 3.26, 2.61, 2.54, 2.41, 2.28, 2.09, 1.72, 1.45},
        {2.71, 2.71, 2.71, 2.6, 2.57, 2.5, 2.37, 2.18, 2.01, 1.6, 1.35},
        {2.66, 2.61, 2.61, 2.55, 2.5, 2.45, 2.28, 2.06, 1.93, 1.5, 1.24},
        {2.59, 2.58, 2.54, 2.5, 2.41, 2.39, 2.2, 1.95, 1.74, 1.35, 1.11},
        {2.55, 2.49, 2.48, 2.45, 2.37, 2.33, 2.1, 1.82, 1.58, 1.21, 1},
        {2.45, 2.38, 2.43, 2.37, 2.33, 2.27, 1.92, 1.67, 1.43, 1.18, 1.14},
        {2.36, 2.32, 2.36, 2.3, 2.28, 2.01, 1.64, 1.52, 1.4, 1.3, 1.25},
    }},
    1.0,
};

// AASHTO-94, less than minimum transverse reinforcement.
const CodeTableSet kAashto94WithoutMinimum = {
    9, 7, kRowsCrackSpacing,
    {-0.2, -0.1, 0, 0.25, 0.5, 0.75, 1, 1.5, 2},
    {0.13, 0.25, 0.38, 0.63, 1.27, 2.5, 5},
    {{
        {26, 26, 27, 29, 31, 33, 34, 36, 38},
        {27, 28, 30, 34, 37, 39, 40, 43, 45},
        {27, 30, 32, 37, 40, 43, 45, 48, 50},
        {28, 31, 35, 41, 45, 48, 51, 54, 57},
        {31, 33, 38, 48, 53, 57, 59, 63, 66},
        {35, 35, 42, 55, 62, 66, 69, 72, 75},
        {42, 42, 47, 64, 71, 74, 77, 80, 82},
    }},
    {{
        {6.9, 5.7, 4.94, 3.78, 3.19, 2.82, 2.56, 2.19, 1.93},
        {6.77, 5.53, 4.65, 3.45, 2.83, 2.46, 2.19, 1.87, 1.65},
        {6.57, 5.42, 4.47, 3.21, 2.59, 2.23, 1.98, 1.65, 1.45},
        {6.24, 5.36, 4.19, 2.85, 2.26, 1.92, 1.69, 1.4, 1.18},
        {5.62, 5.24, 3.83, 2.39, 1.82, 1.5, 1.27, 1, 0.83},
        {4.78, 4.78, 3.47, 1.88, 1.35, 1.06, 0.87, 0.65, 0.52},
        {3.83, 3.83, 3.11, 1.39, 0.9, 0.66, 0.53, 0.37, 0.28},
    }},
    1.0,
};

// AASHTO-2000, at least minimum transverse reinforcement.
const CodeTableSet kAashto2000WithMinimum = {
    11, 8, kRowsShearRatio,
    {-0.2, -0.15, -0.1, 0, 0.125, 0.25, 0.5, 0.75, 1, 1.5, 2},
    {0.075, 0.1, 0.125, 0.15, 0.175, 0.2, 0.225, 0.25},
    {{
        {22.3, 20.4, 21, 21.8, 24.3, 26.6, 30.5, 33.7, 36.4, 40.8, 43.9},
        {18.1, 20.4, 21.4, 22.5, 24.9, 27.1, 30.8, 34, 36.7, 40.8, 43.1},
        {19.9, 21.9, 22.8, 23.7, 25.9, 27.9, 31.4, 34.4, 37, 41, 43.2},
        {21.6, 23.3, 24.2, 25, 26.9, 28.8, 32.1, 34.9, 37.3, 40.5, 42.8},
        {23.2, 24.7, 25.5, 26.2, 28, 29.7, 32.7, 35.2, 36.8, 39.7, 42.2},
        {24.7, 26.1, 26.7, 27.4, 29, 30.6, 32.8, 34.5, 36.1, 39.2, 41.7},
        {26.1, 27.3, 27.9, 28.5, 30, 30.8, 32.3, 34, 35.7, 38.8, 41.4},
        {27.5, 28.6, 29.1, 29.7, 30.6, 31.3, 32.8, 34.3, 35.8, 38.6, 41.2},
    }},
    {{
        {6.32, 4.75, 4.1, 3.75, 3.24, 2.94, 2.59, 2.38, 2.23, 1.95, 1.67},
        {3.79, 3.38, 3.24, 3.14, 2.91, 2.75, 2.5, 2.32, 2.18, 1.93, 1.69},
        {3.18, 2.99, 2.94, 2.87, 2.74, 2.62, 2.42, 2.26, 2.13, 1.9, 1.67},
        {2.88, 2.79, 2.78, 2.72, 2.6, 2.52, 2.36, 2.21, 2.08, 1.82, 1.61},
        {2.73, 2.66, 2.65, 2.6, 2.52, 2.44, 2.28, 2.14, 1.96, 1.71, 1.54},
        {2.63, 2.59, 2.52, 2.51, 2.43, 2.37, 2.14, 1.94, 1.79, 1.61, 1.47},
        {2.53, 2.45, 2.42, 2.4, 2.34, 2.14, 1.86, 1.73, 1.64, 1.51, 1.39},
        {2.39, 2.39, 2.33, 2.33, 2.12, 1.93, 1.7, 1.58, 1.5, 1.38, 1.29},
    }},
    2.0,
};

// AASHTO-2000, less than minimum transverse reinforcement.
const CodeTableSet kAashto2000WithoutMinimum = {
    11, 8, kRowsCrackSpacing,
    {-0.2, -0.1, -0.05, 0, 0.125, 0.25, 0.5, 0.75, 1, 1.5, 2},
    {0.13, 0.25, 0.38, 0.5, 0.75, 1, 1.5, 2},
    {{
        {25.387, 25.464, 25.867, 26.386, 27.713, 28.931, 30.903, 32.422, 33.664, 35.638, 37.188},
        {27.596, 27.594, 28.273, 29.291, 31.595, 33.463, 36.308, 38.415, 40.091, 42.693, 44.7},
        {29.5, 29.5, 29.653, 31.06, 34.112, 36.473, 39.914, 42.41, 44.368, 47.37, 49.657},
        {31.187, 31.187, 31.19, 32.348, 36.028, 38.786, 42.694, 45.479, 47.644, 50.931, 53.409},
        {34.12, 34.12, 34.12, 34.203, 38.929, 42.312, 46.936, 50.137, 52.592, 56.254, 58.959},
        {36.627, 36.627, 36.627, 36.627, 41.15, 45.026, 50.18, 53.673, 56.315, 60.194, 63.002},
        {40.813, 40.813, 40.813, 40.813, 44.533, 49.159, 55.059, 58.921, 61.766, 65.811, 68.625},
        {44.258, 44.258, 44.258, 44.258, 47.134, 52.323, 58.716, 62.772, 65.685, 69.698, 72.389},
    }},
    {{
        {6.362, 6.058, 5.556, 5.152, 4.414, 3.905, 3.26, 2.862, 2.584, 2.209, 1.961},
        {5.776, 5.777, 5.376, 4.892, 4.053, 3.524, 2.882, 2.498, 2.234, 1.884, 1.654},
        {5.337, 5.337, 5.27, 4.728, 3.821, 3.275, 2.639, 2.265, 2.011, 1.676, 1.458},
        {4.988, 4.988, 4.987, 4.608, 3.647, 3.089, 2.458, 2.093, 1.846, 1.523, 1.313},
        {4.456, 4.456, 4.456, 4.434, 3.389, 2.817, 2.193, 1.841, 1.605, 1.3, 1.103},
        {4.062, 4.062, 4.062, 4.062, 3.197, 2.616, 1.999, 1.657, 1.431, 1.139, 0.954},
        {3.496, 3.496, 3.496, 3.496, 2.915, 2.323, 1.721, 1.396, 1.183, 0.916, 0.75},
        {3.099, 3.099, 3.099, 3.099, 2.706, 2.11, 1.522, 1.21, 1.011, 0.764, 0.616},
    }},
    1.0,
};

// clang-format on

// beta of the tables is in the US-unit form: 1 psi^0.5 = sqrt(145) in MPa^0.5 per 1e6.
const double kSqrt145 = std::sqrt(145.0);

int LastColumn()
{
    return std::max(g_CodeTables.columns - 1, 0);
}

} // namespace

double AashtoMinimumStirrups(double fc)
{
    return RootMPa(fc) / kSqrt145;
}

void LoadCodeTables(CodeStrengthRecord rec, int variant)
{
    const bool belowMinimum = rec.rhoVFy < AashtoMinimumStirrups(rec.fc);
    if (variant == kAashto94)
        g_CodeTables = belowMinimum ? kAashto94WithoutMinimum : kAashto94WithMinimum;
    else if (variant == kAashto2000)
        g_CodeTables = belowMinimum ? kAashto2000WithoutMinimum : kAashto2000WithMinimum;
}

void LookupCodeTableColumn(int column, double& beta, double& theta, CodeStrengthRecord rec)
{
    const CodeTableSet& t = g_CodeTables;
    const int j = std::clamp(column, 0, LastColumn());
    const int rows = std::clamp(t.rows, 1, kCodeTableRows);

    // The key and the value of each row on its scale: the crack spacing, or the stirrup stress
    // that carries v_k f'c at that row's theta and beta.
    const bool spacingRows = t.rowKind == kRowsCrackSpacing;
    const double key = spacingRows ? rec.sxe : rec.rhoVFy;
    std::array<double, kCodeTableRows> rowValue{};
    for (int k = 0; k < rows; ++k) {
        rowValue[k] =
            spacingRows
                ? t.rowAxis[k]
                : TanDegrees(t.theta[k][j]) *
                      (t.rowAxis[k] * rec.fc - t.beta[k][j] * AashtoMinimumStirrups(rec.fc));
    }

    // Below the first row the first row counts, at or above the last row the last; a key
    // that falls in no interval and below neither end (only a NaN can) reads the first row.
    beta = t.beta[0][j];
    theta = t.theta[0][j];
    if (key < rowValue[0]) {
        beta /= kSqrt145;
        return;
    }
    for (int k = 0; k + 1 < rows; ++k) {
        if (rowValue[k] <= key && key < rowValue[k + 1]) {
            const double f = (key - rowValue[k]) / (rowValue[k + 1] - rowValue[k]);
            beta = (t.beta[k][j] + f * (t.beta[k + 1][j] - t.beta[k][j])) / kSqrt145;
            theta = t.theta[k][j] + f * (t.theta[k + 1][j] - t.theta[k][j]);
            return;
        }
    }
    if (key >= rowValue[rows - 1]) {
        beta = t.beta[rows - 1][j];
        theta = t.theta[rows - 1][j];
    }
    beta /= kSqrt145;
}

void MaxTableThetaFrom(int column, double& theta, CodeStrengthRecord rec)
{
    const int first = std::clamp(column, 0, LastColumn());
    theta = 0.0;
    for (int j = first; j <= LastColumn(); ++j) {
        double beta = 0.0;
        double t = 0.0;
        LookupCodeTableColumn(j, beta, t, rec);
        theta = j == first ? t : std::max(theta, t);
    }
}
