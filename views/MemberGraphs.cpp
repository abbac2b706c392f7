// Member-response graphs (3000-4199), the fire charts (2110-2115) and the interaction
// surfaces (4700-4759).

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "analysis/TSectionalAnalysis.h"
#include "app/GlobalTables.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "foundation/Units.h"
#include "member/TFullMemberResponse.h"
#include "member/fire/TFireAnalysis.h"
#include "member/fire/ThermalAnalysis.h"
#include "views/BeamViewRules.h"
#include "views/GraphTables.h"
#include "views/TQ2k_Logic.h"

namespace {

// The graph of result curve 11, the average longitudinal strain.
constexpr int kStrainGraph = 4014;

const MemberGraphRecord* MemberRecord(int id)
{
    if (id < BeamGraphId::MemberRecordFirst || id > BeamGraphId::MemberRecordLast)
        return nullptr;
    return &g_MemberGraphRecords[id - BeamGraphId::MemberRecordFirst];
}

// The points of one drawn curve (display units).
using CurvePoints = std::vector<std::pair<double, double>>;

// Harmonic mean of y over curves drawn over one span: (x_last - x_first) over the trapezoid
// integral of 1/y along every curve, so that two curves give 1 / (1/a + 1/c) of their own
// means a and c. 0 when undefined.
double HarmonicMeanOverSpan(const std::vector<CurvePoints>& curves)
{
    double integral = 0.0;
    double first = 0.0;
    double last = 0.0;
    bool any = false;
    for (const CurvePoints& c : curves) {
        for (std::size_t i = 0; i < c.size(); ++i) {
            if (!any)
                first = c[i].first;
            any = true;
            last = c[i].first;
            if (i > 0 && c[i].second != 0.0 && c[i - 1].second != 0.0)
                integral += 0.5 * (1.0 / c[i - 1].second + 1.0 / c[i].second) * (c[i].first - c[i - 1].first);
        }
    }
    return any && integral != 0.0 ? (last - first) / integral : 0.0;
}

} // namespace

int TQ2k_Logic::FillMemberGraph(ViewChart* chart, int id, int lineType)
{
    if (id >= 4000 && id <= 4003) {
        const bool member = m_analysis && m_analysis->GetAnalysisKind() == AnalysisKind::Member;
        chart->AttachAnalysis(member ? m_analysis : nullptr);
        return 1;
    }
    const MemberGraphRecord* r = MemberRecord(id);
    const bool undefined = !r || r->curve < 0;
    if (undefined) {
        ShowMessage("error! undefined graph type", "Error Trap", MsgStyle::IconExclamation);
        r = MemberRecord(kStrainGraph);
    }
    const double fx = m_display.Factor(6);
    // The curves drawn, for the stiffness graphs' note.
    std::vector<CurvePoints> drawn;
    // One result curve after its separator.
    const auto drawCurve = [&](int curve, int kind, int type) {
        drawn.emplace_back();
        if (!m_analysis || !m_analysis->BeginCurve(curve))
            return;
        chart->AddSeparator(type);
        const double fy = m_display.Factor(kind);
        double x = 0.0, y = 0.0;
        while (m_analysis->GetCurvePoint(curve, x, y)) {
            // A break in the curve stays a break in display units.
            if (IsUndefined(x)) {
                chart->AddPoint(kChartSeparator, kChartSeparator);
            } else {
                chart->AddPoint(x * fx, y * fy);
                drawn.back().emplace_back(x * fx, y * fy);
            }
        }
    };
    // A member id draws its own result curve in its own unit kind.
    const auto drawEntry = [&](int entry, int kind, int type) {
        if (const MemberGraphRecord* own = MemberRecord(entry))
            drawCurve(own->curve, own->yKind, type);
        else
            drawCurve(entry, kind, type);
    };

    if (undefined) {
        // Result curve 11 alone (the average longitudinal strain, in its own unit kind),
        // without the curves its own graph adds.
        drawCurve(r->curve, r->yKind, lineType);
        chart->AutoScale();
        return 1;
    }
    if (id == 4007)
        chart->SetNote("AverageY");
    if (id == 4008) {
        chart->AddSeparator(kChartMarkers);
        const double x = m_analysis ? m_display.Show(m_analysis->Probe_analysis(13, 0.0), 6) : -1.0;
        const double y =
            m_analysis ? m_analysis->Probe_analysis(12, 0.0) * m_display.Factor(r->yKind) : -1.0;
        chart->AddPoint(x, y);
    }
    drawCurve(r->curve, r->yKind, lineType);
    const bool stiffness = id == 4012 || id == 4013;
    int type = lineType;
    for (std::size_t k = 0; k < r->added.size() && r->added[k] != 0; ++k) {
        chart->AddSeparator(kUndefined);
        type = (id == 4019 || id == 4029) ? lineType + 2 : type + 1;
        drawEntry(r->added[k], r->addedKind[k], type);
    }
    if (stiffness) {
        // The uncracked curve's mean a, and that of both curves over the span b; the chart's
        // own mean weighs the two curves by their lengths instead, which is no sum of both.
        const double a = HarmonicMeanOverSpan({drawn.front()});
        const double b = HarmonicMeanOverSpan(drawn);
        chart->SetNote(StiffnessNote(id, a, b));
        chart->SetTextShown(1);
    }
    chart->AutoScale();
    return 1;
}

int TQ2k_Logic::FillFireChart(ViewChart* chart, int id)
{
    // The outline over the field is the table's current section (the post-fire beam the fire
    // analysis stored), not the one this mode was bound to; the field is that of the last fire
    // run, shown only for the beams of that run.
    TStructure* current = StructureAt(g_CurrentStructure);
    TStructure* shown = current ? current : m_structure;
    if (ThermalModelBelongsTo(current ? g_CurrentStructure : -1, shown)) {
        chart->AttachStructure(shown);
        if (ResetThermalPlotIterator(id)) {
            const bool temperature = id == 2110 || id == 2111;
            // The model delivers temperatures scaled by the temperature factor of the
            // program's unit system; shown here as degrees F or C of the context.
            const double scale = UnitFactor(ukTemperature, g_UnitSystem);
            double x = 0.0, v = 0.0;
            for (int p = 0; GetNextThermalPlotPoint(id, x, v); ++p) {
                if (temperature && p > 0 && v != TFireAnalysis_2Ds::kPlotOutside && scale != 0.0)
                    v = FireTemperatureForDisplay(v / scale, m_display);
                chart->AddPoint(x, v);
            }
        }
    }
    chart->AutoScale();
    return 1;
}

namespace {

// One segment of a 3-D picture: (x1, x2), (y1, y2), (z1, z2), then its line type.
void AddSegment(ViewChart* chart, double x1, double y1, double z1, double x2, double y2, double z2)
{
    chart->AddPoint(x1, x2);
    chart->AddPoint(y1, y2);
    chart->AddPoint(z1, z2);
    chart->AddSeparator(1000.0);
}

void AddLabel(ViewChart* chart, double x, double y, double z, const std::string& text)
{
    chart->AddText("X", x);
    chart->AddText("Y", y);
    chart->AddText("Z", z);
    chart->AddText(text.c_str(), -1.0); // -1.0 completes the label
}

} // namespace

int TQ2k_Logic::FillInteractionSurface(ViewChart* chart, int id)
{
    chart->ClearData();
    chart->AddSeparator(-2.0);
    chart->AddSeparator(0.0);
    const int sub = id - BeamGraphId::SurfaceFirst;
    int count = 0, found = 0;
    std::vector<double> xs, ys, zs;
    std::vector<int> corners;
    if (!m_analysis || sub < 0 || sub > 2) {
        chart->AutoScale();
        return 1;
    }
    m_analysis->FindDiagramPoint(1, count, found, xs, ys, corners, zs, sub);
    if (count <= 0) {
        chart->AutoScale();
        return 1;
    }
    // The diagram appends its vertices: hand it empty lists.
    xs.clear(), ys.clear(), zs.clear(), corners.clear();
    m_analysis->FindDiagramPoint(0, count, found, xs, ys, corners, zs, sub);
    count = std::min<int>(count, static_cast<int>(std::min({xs.size(), ys.size(), zs.size(), corners.size()})));
    const auto range = [&](const std::vector<double>& v, double& lo, double& hi) {
        lo = hi = 0.0;
        for (int i = 0; i < count; ++i)
            lo = std::min(lo, v[i]), hi = std::max(hi, v[i]);
    };
    double x0, x1, y0, y1, z0, z1;
    range(xs, x0, x1);
    range(ys, y0, y1);
    range(zs, z0, z1);
    const double xr = x1 - x0, yr = y1 - y0, zr = z1 - z0;
    const double sx = xr > 0.0 ? 2500.0 / xr : 0.0;
    const double sy = yr > 0.0 ? xr * sx / yr : 0.0;
    const double sz = zr > 0.0 ? 0.4 * sx * xr / zr : 0.0;
    const double oz = -0.5 * zr * sz - sz * z0;

    std::string xName, yName;
    switch (m_analysis->GetAnalysisKind()) {
    case 1: xName = "Moment", yName = "Axial Load"; break;
    case 2: xName = "Moment", yName = "Shear"; break;
    case 3: xName = "Axial Load", yName = "Shear"; break;
    default:
        ShowMessage("Interaction surface of an analysis that is no diagram", "Index Guard",
                    MsgStyle::IconExclamation);
        break;
    }
    static const char* const kZNames[] = {"|e_x strain", "Curvature |f", "Shear Strain |g"};
    const std::string zName = kZNames[sub];

    // Axes through the origin with ticks every tenth of the largest magnitude.
    const double tick = 0.25 * (std::max(std::fabs(x0), std::fabs(x1)) / 10.0) * sx;
    const auto axis = [&](int which, double lo, double hi, double s, const std::string& name,
                          int labelEvery) {
        const auto at = [&](double v, double& px, double& py, double& pz) {
            px = which == 0 ? v * s : 0.0;
            py = which == 1 ? v * s : 0.0;
            pz = which == 2 ? v * s + oz : oz;
        };
        double ax, ay, az, bx, by, bz;
        at(lo, ax, ay, az);
        at(hi, bx, by, bz);
        AddSegment(chart, ax, ay, az, bx, by, bz);
        const double big = std::max(std::fabs(lo), std::fabs(hi));
        const double step = big / 10.0;
        if (step > 0.0) {
            for (int side = -1; side <= 1; side += 2) {
                for (int t = 1; t <= 10; ++t) {
                    const double v = side * t * step;
                    if (v < lo - 1e-12 * big || v > hi + 1e-12 * big)
                        continue;
                    double px, py, pz;
                    at(v, px, py, pz);
                    if (which == 0)
                        AddSegment(chart, px, -tick, pz, px, tick, pz);
                    else
                        AddSegment(chart, -tick, py, pz, tick, py, pz);
                    if (t % labelEvery == 0)
                        AddLabel(chart, px, py, pz, Printf("%5.1f", v));
                }
            }
        }
        AddLabel(chart, bx, by, bz, name);
    };
    axis(0, x0, x1, sx, xName, 2);
    axis(1, y0, y1, sy, yName, 2);
    axis(2, z0, z1, sz, zName, 3);

    chart->AddSeparator(kChartMarkers);
    chart->AddSeparator(2.0);
    const auto corner = [&](int position, double& px, double& py, double& pz) {
        const int c = corners[position];
        const bool ok = c >= 0 && c < count;
        px = ok ? xs[c] * sx : 0.0;
        py = ok ? ys[c] * sy : 0.0;
        pz = zs[position] * sz + oz;
    };
    for (int t = 0; 3 * t + 2 < count; ++t) {
        double p[3][3];
        for (int j = 0; j < 3; ++j)
            corner(3 * t + j, p[j][0], p[j][1], p[j][2]);
        if (corners[3 * t] == corners[3 * t + 2]) {
            chart->AddSeparator(-2.0);
            chart->AddSeparator(1.0);
            AddSegment(chart, p[0][0], p[0][1], p[0][2], p[1][0], p[1][1], p[1][2]);
        } else {
            chart->AddSeparator(kChartMarkers);
            chart->AddSeparator(2.0);
            for (int j = 0; j < 3; ++j) {
                const int k = (j + 1) % 3;
                AddSegment(chart, p[j][0], p[j][1], p[j][2], p[k][0], p[k][1], p[k][2]);
            }
        }
    }
    chart->AutoScale();
    return 1;
}
