#include "analysis/codes/CodeCapacityCurves.h"

#include <algorithm>
#include <cmath>

#include "analysis/codes/CodeStrength.h"
#include "analysis/codes/CodeTables.h"
#include "foundation/ChartPointSink.h"
#include "foundation/Units.h"
#include "model/TBeam.h"

namespace {

// Shear increment of a load path without one, so that the d_v section has a shear (N).
constexpr double kDefaultShearIncrement = 1000.0;
// AASHTO-94 has no shear cap at the d_v section.
constexpr double kNoCap = 1e99;
// The CSA fan of moment-shear ratios: from 50 h, divided by 1.15 before each of 50 solutions.
constexpr double kFanStartHeights = 50.0;
constexpr double kFanDivisor = 1.15;
constexpr int kFanRatios = 50;

void AddMV(ChartPointSink& chart, double M, double V)
{
    chart.AddPoint(ToDisplayUnits(M, ukMoment), ToDisplayUnits(V, ukForce));
}

// The section's own failure point (or the origin when it has none) and the state shown, as
// markers, then the start of the curve's line.
void AddMarkers(ChartPointSink& chart,
                bool found,
                double M,
                double V,
                double stateMoment,
                double stateShear,
                int lineNumber)
{
    chart.AddSeparator(kChartMarkers);
    if (found)
        AddMV(chart, M, V);
    else
        chart.AddPoint(0.0, 0.0);
    if (!IsUndefined(stateMoment))
        AddMV(chart, stateMoment, stateShear);
    chart.AddSeparator(lineNumber);
}

} // namespace

void BuildCodeCapacityCurve(ChartPointSink& chart,
                            const TBeam* beam,
                            int /*graphId*/,
                            int lineNumber,
                            int variant,
                            double stateMoment,
                            double stateShear)
{
    if (beam == nullptr || !(beam->GetHeight() > 0.0))
        return;
    CodeStrengthRecord rec;
    BuildCodeStrengthRecord(*beam, variant, rec);
    // Leaves the tables that decided the strength loaded; the curve is drawn with them.
    const double lambda = CodeShearStrength(*beam, variant);
    AddMarkers(chart,
               !IsUndefined(lambda),
               rec.Mc + lambda * rec.Mi,
               rec.Vc0 + lambda * std::fabs(rec.Vi),
               stateMoment,
               stateShear,
               lineNumber);

    if (rec.Vi == 0.0)
        rec.Vi = kDefaultShearIncrement;
    const double s = g_CodeLoadPath.momentSign;
    // The shear strength of the section d_v from the support (where M = V d_v) caps the
    // AASHTO-2000 curve.
    double vDv = std::fabs(rec.Vi) * FindCodeLoadFactor(-s * rec.dv, rec);
    if (variant != kAashto2000)
        vDv = kNoCap;
    const double mDv = -s * rec.dv * vDv;

    double vPrev = 0.0;
    double mPrev = 0.0;
    CodeCurvePoint(0, vPrev, mPrev, rec);
    if (-s * mPrev >= 0.0)
        AddMV(chart, 0.0, vPrev);
    mPrev = -1.0;
    for (int k = 0; k <= g_CodeTables.columns + 2; ++k) {
        double vk = 0.0;
        double mk = 0.0;
        CodeCurvePoint(k, vk, mk, rec);
        // Where the curve crosses from the far side of zero moment: its pure-shear point.
        if (-s * mPrev < 0.0 && 0.0 < -s * mk) {
            const double vZero = vPrev + (vk - vPrev) * (0.0 - mPrev) / (mk - mPrev);
            AddMV(chart, 0.0, std::min(vZero, vDv));
        }
        if (vk > vDv) {
            mk *= vDv / vk;
            vk = vDv;
            // The corner at the d_v section, when it lies between the two points.
            if (-s * mPrev < -s * mDv && -s * mDv < -s * mk)
                AddMV(chart, mDv, vDv);
        }
        if (-s * mk >= 0.0)
            AddMV(chart, mk, vk);
        vPrev = vk;
        mPrev = mk;
    }
}

void BuildCodeShearCurve(ChartPointSink& chart,
                         const TBeam* beam,
                         int /*graphId*/,
                         int lineNumber,
                         int variant,
                         double stateMoment,
                         double stateShear)
{
    if (beam == nullptr || !(beam->GetHeight() > 0.0))
        return;
    CodeStrengthRecord rec;
    BuildCodeStrengthRecord(*beam, variant, rec);
    const double lambda = SolveCsaGeneralMethod(rec);
    const bool found = !IsUndefined(lambda);
    AddMarkers(chart, found, rec.Mf, rec.Vf, stateMoment, stateShear, lineNumber);

    // The curve holds the axial load at its value at the section's failure (at the constant
    // load when the section has no strength) and has no constant moment or shear.
    rec.Nc = found ? rec.Nf : rec.Nc;
    rec.Ni = rec.Mc = rec.Vc0 = 0.0;
    const double s = g_CodeLoadPath.momentSign;
    // A load ratio without a strength gives no point.
    auto solve = [&](double Mi, double Vi, double sign) {
        rec.Mi = Mi;
        rec.Vi = Vi;
        if (!IsUndefined(SolveCsaGeneralMethod(rec)))
            AddMV(chart, sign * rec.Mf, rec.Vf);
    };
    solve(-s, 0.0, 1.0);
    double ratio = kFanStartHeights * beam->GetHeight();
    for (int k = 0; k < kFanRatios; ++k) {
        ratio /= kFanDivisor;
        solve(-s * ratio, 1.0, 1.0);
    }
    solve(0.0, 1.0, -1.0);
}
