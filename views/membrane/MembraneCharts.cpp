// The membrane mode's charts: the graphs 200-228 with their measured points and second
// curves, the element-state charts 2100-2104 and 2116, and the control chart.

#include <algorithm>
#include <cmath>

#include "analysis/TSectionalAnalysis.h"
#include "foundation/ChartPointSink.h"
#include "foundation/Sentinel.h"
#include "membrane/MembraneState.h"
#include "views/membrane/TP2k_Logic.h"
#include "model/TShell.h"
#include "model/materials/MaterialTypes.h"
#include "views/ViewChart.h"

namespace {

constexpr int kStrain = 3;
constexpr int kStress = 10;

// The element state of a stage by the names the membrane graphs use (SI).
struct ElementValues {
    double ex, ey, gxy, e1, e2, theta;
    double fcx, fcy, vxy, f1, f2, f2max, m;
    double fsy, fsycr, fsx, fsxcr, w, sTheta, vci, vciMax, f1max, ef;
    // Handed to the node-data pane unchanged: the crack spacings of x and y.
    double further1, further2;
};

ElementValues Read(const LayerNodeStateRec& n)
{
    return {n.StrainX,
            n.StrainZ,
            n.ShearStrain,
            n.Strain1,
            n.Strain2,
            n.CrackAngle,
            n.ConcStressX,
            n.ConcStressZ,
            n.ConcShearStress,
            n.ConcStress1,
            n.ConcStress2,
            n.ConcStress2Max,
            n.ShearStrainShape, // the membrane element stores no moment value: 0
            n.StirrupStress,
            n.StirrupStressAtCrack,
            n.SteelStressX,
            n.SteelStressXAtCrack,
            n.CrackWidth,
            n.CrackSpacingTheta,
            n.CrackShearStress,
            n.CrackShearLimit,
            n.TensionLimit,
            n.FreeStrain1,
            n.CrackSpacingX,
            n.CrackSpacingZ};
}

const LayerNodeStateRec* UsableNode(const SectionState* s)
{
    return s && s->Valid ? ElementNode(*s) : nullptr;
}

// The value lists (x, y) of the measured points of a graph; false when there are none.
bool MeasuredLists(int id, int& xList, int& yList)
{
    if ((id >= 200 && id <= 206) || (id >= 208 && id <= 211) || id == 217) {
        xList = id - 200, yList = 14;
        return true;
    }
    switch (id) {
    case 207: xList = 2, yList = 7; return true;
    case 212: xList = 2, yList = 12; return true;
    case 213: xList = 3, yList = 13; return true;
    case 216: xList = 3, yList = 16; return true;
    case 228: xList = 2, yList = 28; return true;
    default: break;
    }
    if (id >= 219 && id <= 227) {
        xList = 6, yList = 14;
        return true;
    }
    return false;
}

// The graphs drawn with a cap: 215 (v_ci,max), 216 (f_2max) and 228 (f_1max), the second
// curves of 207, 213 and 212.
bool IsCappedGraph(int id)
{
    return id == 215 || id == 216 || id == 228;
}

// Yield stress of the steel of a direction's first layer; 1.0 without layers.
double FirstLayerYield(const TStructure& s, int direction)
{
    if (s.GetLongLayerCount(direction) < 1)
        return 1.0;
    const LongLayerRec* layer = s.GetLongLayer(0, direction);
    const SteelTypeRec* steel = layer ? s.GetSteelType(layer->type) : nullptr;
    return steel && steel->fy != 0.0 ? steel->fy : 1.0;
}

bool IsCracked(const TStructure& s, const ElementValues& v)
{
    const ConcreteTypeRec* type = s.GetConcreteTypeCount() > 0 ? s.GetConcreteType(0) : nullptr;
    if (!type)
        return false;
    return v.e1 - v.ef > s.GetConcreteStrainRatio(0, type->ft);
}

// 2 when the direction's average steel stress is not available, 1 when the element has no
// longitudinal layers there, else 0; the x flag is 3 for a stress marked not available.
double SteelFlag(const TStructure& s, int direction, double fs, bool allowNotAvailable)
{
    if (allowNotAvailable && direction == 0 && std::fabs(fs - kNotAvailable) < 3.1415626e28)
        return 3.0;
    if (fs > 1e30)
        return 2.0;
    if (s.GetLongLayerCount(direction) < 1)
        return 1.0;
    return 0.0;
}

// The x flag of the vital signs. A stress marked not available is no rupture: a direction
// without bars shows "No Bar", one with bars "Not Avail.", neither with an alarm colour.
double VitalSteelFlag(const TStructure& s, double flagX)
{
    if (flagX != 3.0)
        return flagX;
    return s.GetLongLayerCount(0) < 1 ? 1.0 : 3.0;
}

int StateCode(double fs, double fy)
{
    const double t = 0.02 * fy;
    if (std::fabs(fs - fy) < t)
        return 1;
    if (std::fabs(fs) > 1e30)
        return 10;
    if (fs - fy > t)
        return 2;
    if (std::fabs(-fs - fy) < t)
        return -1;
    if (-fs - fy > t)
        return -2;
    return 0;
}

// Tracks the y extremes of the points added to a chart while it is filled.
class TrackingChart {
public:
    explicit TrackingChart(ViewChart& chart) : m_chart(chart) {}
    void Add(double x, double y)
    {
        m_chart.AddPoint(x, y);
        if (IsChartSeparator(x))
            return;
        m_maxY = std::max(m_maxY, y);
        m_minY = std::min(m_minY, y);
    }
    double MaxY() const { return m_maxY; }
    double MinY() const { return m_minY; }

private:
    ViewChart& m_chart;
    double m_maxY = 0.0;
    double m_minY = 0.0;
};

} // namespace

void TP2k_Logic::GetGraphPoint(const SectionState* stage, double& x, double& y, int id,
                               double cap) const
{
    x = kUndefined;
    y = kUndefined;
    const LayerNodeStateRec* node = UsableNode(stage);
    const MembraneGraphUnitRec* units = FindMembraneGraphUnits(id);
    if (!node || !units || !m_structure)
        return;
    const ElementValues v = Read(*node);
    const double e0 = m_structure->GetInitialStrainAt(0.0, 3);
    const auto steel = [](double fs) { return fs > 1e30 ? 0.0 : fs; };
    const auto compressive = [&]() {
        const ConcreteTypeRec* type = m_structure->GetCurrentConcreteType();
        const double ec = type && type->ec < 0.0 ? type->ec : -0.002;
        const double e = v.e2 - e0;
        return e < 3.0 * ec ? 3.0 * ec + e0 : e;
    };
    y = v.vxy;
    switch (id) {
    case 200: x = v.theta; break;
    case 201: x = v.w; break;
    case 202: x = v.e1; break;
    case 203: x = v.e2; break;
    case 204: x = v.ex; break;
    case 205: x = v.ey; break;
    case 206: x = v.gxy; break;
    case 207: x = v.e1, y = std::fabs(v.vci); break;
    case 208: x = steel(v.fsx); break;
    case 209: x = steel(v.fsxcr); break;
    case 210: x = steel(v.fsy); break;
    case 211: x = steel(v.fsycr); break;
    case 212: x = v.e1 - e0, y = v.f1; break;
    case 213: x = compressive(), y = v.f2; break;
    case 214: x = v.vxy; break;
    case 215: x = v.e1, y = std::min(std::fabs(v.vciMax), cap); break;
    case 216: x = compressive(), y = std::max(v.f2max, cap); break;
    case 217: x = v.sTheta; break;
    case 218: x = v.m; break;
    case 228: x = v.e1 - e0, y = std::min(v.f1max, cap); break;
    default: x = v.gxy; break;
    }
    x *= m_display.Factor((*units)[0]);
    y *= m_display.Factor((*units)[1]);
}

int TP2k_Logic::FillMembraneChart(ViewChart* chart, int id, int level)
{
    if (!chart || !m_analysis || !m_structure || !m_analysis->GetCurrentState())
        return 0;
    if (id < kMembraneFirstGraph || id > kMembraneLastGraph) {
        const SectionState* s = m_analysis->GetCurrentState();
        if (s->Valid && ElementNode(*s))
            FillStateChart(chart, id, *s);
        return 1;
    }
    const MembraneGraphUnitRec& units = *FindMembraneGraphUnits(id);
    const double kx = m_display.Factor(units[0]);
    const double ky = m_display.Factor(units[1]);
    TrackingChart out(*chart);
    chart->SetTitleItalic(0);

    int xList = 0, yList = 0;
    if (level == 0 && MeasuredLists(id, xList, yList) && m_structure->RewindValueList(xList) &&
        m_structure->RewindValueList(yList)) {
        out.Add(kChartSeparator, -1.0);
        while (m_structure->HasMoreValues(xList) && m_structure->HasMoreValues(yList)) {
            const double x = m_structure->NextValue(xList);
            const double y = m_structure->NextValue(yList);
            out.Add(x * kx, y * ky);
        }
    }
    out.Add(kChartSeparator, level);
    if (level == 0)
        chart->SetLineStart(-1);
    const int pointId = id >= 219 && id <= 227 ? 206 : id;
    // A capped graph chosen on its own takes the cap of its own data, never one that another
    // chart left behind.
    const double cap = level == 0 && IsCappedGraph(id) ? OwnCurveCap(id) : g_CurveCap;
    for (int i = 0;; ++i) {
        const SectionState* stage = m_analysis->GetStage(i);
        if (!stage)
            break;
        double x = 0.0, y = 0.0;
        GetGraphPoint(stage, x, y, pointId, cap);
        if (!IsUndefined(x))
            out.Add(x, y);
    }

    const double stressFactor = m_display.Factor(kStress);
    switch (id) {
    case 207:
    case 212:
        out.Add(kChartSeparator, kChartSeparator);
        g_CurveCap = std::max(2.0 * out.MaxY() / stressFactor, 1e6);
        FillMembraneChart(chart, id == 207 ? 215 : 228, level + 1);
        break;
    case 213:
        out.Add(kChartSeparator, kChartSeparator);
        g_CurveCap = std::min(2.0 * out.MinY() / stressFactor, -1e6);
        FillMembraneChart(chart, 216, level + 1);
        break;
    default:
        if (id >= 219 && id <= 227) {
            chart->SetTitleItalic(1);
            AddSensitivityCurves(chart, id);
        }
        break;
    }
    chart->AutoScale();
    return 1;
}

double TP2k_Logic::OwnCurveCap(int id)
{
    const int owner = id == 215 ? 207 : id == 228 ? 212 : 213;
    const double ky = m_display.Factor((*FindMembraneGraphUnits(owner))[1]);
    // As the two-curve chart tracks its points: from 0, over the measured points, then the
    // stages.
    double largest = 0.0, smallest = 0.0;
    const auto track = [&](double y) {
        largest = std::max(largest, y);
        smallest = std::min(smallest, y);
    };
    int xList = 0, yList = 0;
    if (MeasuredLists(owner, xList, yList) && m_structure->RewindValueList(xList) &&
        m_structure->RewindValueList(yList)) {
        while (m_structure->HasMoreValues(xList) && m_structure->HasMoreValues(yList)) {
            m_structure->NextValue(xList);
            track(m_structure->NextValue(yList) * ky);
        }
    }
    for (int i = 0;; ++i) {
        const SectionState* stage = m_analysis->GetStage(i);
        if (!stage)
            break;
        double x = 0.0, y = 0.0;
        GetGraphPoint(stage, x, y, owner, g_CurveCap); // the owners' points take no cap
        if (!IsUndefined(x))
            track(y);
    }
    const double stressFactor = m_display.Factor(kStress);
    return owner == 213 ? std::min(2.0 * smallest / stressFactor, -1e6)
                        : std::max(2.0 * largest / stressFactor, 1e6);
}

void TP2k_Logic::FillStateChart(ViewChart* chart, int id, const SectionState& s)
{
    const ElementValues v = Read(*ElementNode(s));
    const double ke = m_display.Factor(kStrain);
    const double ks = m_display.Factor(kStress);
    const TStructure& element = *m_structure;
    const auto circle = [&](double k, double a, double b, double px, double py, double qx) {
        chart->AddPoint(k * a, 0.0);
        chart->AddPoint(k * b, 0.0);
        chart->AddPoint(k * px, k * py);
        chart->AddPoint(k * qx, k * py);
        const double c = 0.5 * (a + b), r = 0.5 * (a - b);
        chart->AddPoint(k * c, k * r);
        chart->AddPoint(k * c, -k * r);
    };
    double rhoX = 0.0, rhoFyX = 0.0, rhoY = 0.0, rhoFyY = 0.0;
    if (const TShell* shell = GetShell()) {
        shell->GetSteelTotals(rhoX, rhoFyX, 0, 0);
        shell->GetSteelTotals(rhoY, rhoFyY, 0, 1);
    }
    const double flagX = SteelFlag(element, 0, v.fsx, true);
    const double flagY = SteelFlag(element, 1, v.fsy, false);

    switch (id) {
    case 2100:
        circle(ke, v.e1, v.e2, v.ex, 0.5 * v.gxy, v.ey);
        break;
    case 2102:
        circle(ks, v.f1, v.f2, v.fcx, v.vxy, v.fcy);
        break;
    case 2101: {
        double sx = 0.0, sy = 0.0, c = 0.0, R = 0.0;
        if (IsCracked(element, v)) {
            sx = s.Result(MembraneResult::AppliedX) - (v.fsxcr < 1e30 ? rhoX * v.fsxcr : 0.0);
            sy = s.Result(MembraneResult::AppliedY) - (v.fsycr < 1e30 ? rhoY * v.fsycr : 0.0);
            c = 0.5 * (sx + sy);
            R = std::sqrt(0.25 * (sx - sy) * (sx - sy) + v.vxy * v.vxy);
        }
        circle(ks, c + R, c - R, sx, v.vxy, sy);
        break;
    }
    case 2104: {
        const double pairs[][2] = {{v.ex, v.ey},       {v.gxy, v.e1},        {v.e2, v.theta},
                                   {v.fcx, v.fcy},     {v.vxy, v.f1},        {v.f2, v.f2max},
                                   {v.fsy, v.fsycr},   {v.fsx, v.fsxcr},     {v.m, v.w},
                                   {v.sTheta, v.further1}, {v.further2, v.vci}, {v.vciMax, 0.0},
                                   {flagX, flagY}};
        for (const auto& p : pairs)
            chart->AddPoint(p[0], p[1]);
        break;
    }
    case 2103: {
        const double fyX = FirstLayerYield(element, 0);
        const double fyY = FirstLayerYield(element, 1);
        const auto reached = [](double fs, double fy) {
            return std::fabs(fs) >= 0.995 * fy ? kUndefined : 0.0;
        };
        chart->AddPoint(IsCracked(element, v) ? kUndefined : 0.0, v.sTheta);
        chart->AddPoint(v.theta, v.w);
        chart->AddPoint(reached(v.fsxcr, fyX), reached(v.fsycr, fyY));
        chart->AddPoint(1.0 - std::sqrt(std::fabs(v.fsxcr - v.fsx) / fyX),
                        1.0 - std::sqrt(std::fabs(v.fsycr - v.fsy) / fyY));
        chart->AddPoint(reached(v.fsx, fyX), reached(v.fsy, fyY));
        chart->AddPoint(StateCode(v.fsx, fyX), StateCode(v.fsy, fyY));
        break;
    }
    case 2116: {
        const ConcreteTypeRec* type = element.FindMainConcreteType();
        const double ec = type ? type->ec : -0.002;
        const auto means = [&](int d, double rho) {
            double r = 0.0, fy = 0.0, fu = 0.0;
            if (const TShell* shell = GetShell()) {
                shell->GetSteelTotals(r, fy, 0, d);
                shell->GetSteelTotals(r, fu, 1, d);
            }
            if (rho <= 0.0)
                return std::pair<double, double>{kUndefined, kUndefined};
            return std::pair<double, double>{fy / rho, fu / rho};
        };
        chart->AddPoint(std::max(v.f1, 0.0), v.f1max);
        chart->AddPoint(v.w, std::fabs(v.e2) > std::fabs(ec) ? 1.0 : 0.0);
        chart->AddPoint(v.f2, v.f2max);
        chart->AddPoint(v.vci, v.vciMax);
        chart->AddPoint(v.fsx, v.fsxcr);
        const auto mx = means(0, rhoX);
        chart->AddPoint(mx.first, mx.second);
        chart->AddPoint(v.fsy, v.fsycr);
        const auto my = means(1, rhoY);
        chart->AddPoint(my.first, my.second);
        chart->AddPoint(VitalSteelFlag(element, flagX), flagY);
        break;
    }
    default:
        return;
    }
    chart->AutoScale();
    if (id == 2103)
        chart->AttachStructure(m_structure);
}

void TP2k_Logic::GetControlValues(double& x, double& y, int, const SectionState* stage) const
{
    const LayerNodeStateRec* node = UsableNode(stage);
    if (!node) {
        x = 0.0;
        y = 0.0;
        return;
    }
    x = m_display.Factor(kStrain) * node->ShearStrain;
    y = m_display.Factor(kStress) * node->ConcShearStress;
}

int TP2k_Logic::FillControlChart(ViewChart* chart, int, int)
{
    RefreshDisplay();
    if (!chart)
        return 0;
    chart->ClearData();
    const SectionState* current = m_analysis ? m_analysis->GetCurrentState() : nullptr;
    if (!current || !current->Valid)
        return 0;
    chart->SetTitles("Control: Shear - |g_x_y", "", "", 1, 1);
    chart->AddTaggedPoint(kUndefined, 0.0, 0);
    for (int i = 0;; ++i) {
        const SectionState* stage = m_analysis->GetStage(i);
        if (!stage)
            break;
        double x = 0.0, y = 0.0;
        GetControlValues(x, y, 0, stage);
        if (!IsUndefined(x))
            chart->AddTaggedPoint(x, y, i);
    }
    chart->SetSubMode(1);
    chart->AutoScale();
    return 1;
}

void TP2k_Logic::GetControlPoint(double& x, double& y, int)
{
    RefreshDisplay();
    if (!m_analysis) {
        x = kUndefined;
        y = kUndefined;
        return;
    }
    GetControlValues(x, y, 0, m_analysis->GetCurrentState());
}
