// The fire model's curve, exposure settings and clock.

#include <algorithm>
#include <cmath>

#include "foundation/StrFormat.h"
#include "member/fire/FireLaws.h"
#include "member/fire/TFireAnalysis.h"

namespace {

// Time of the last point of the tabulated curves, far beyond any exposure (s).
constexpr double kCurveEnd = 1000000.0;
// Longest source title kept.
constexpr std::size_t kSourceNameChars = 511;

struct CurvePoint {
    double t;
    double T;
};
constexpr CurvePoint kNPDCurve[] = {
    {0, 0}, {150, 800}, {225, 900}, {700, 1000}, {1700, 1100}, {kCurveEnd, 1200}};

// The standard fire curve: t in s, the formula's time in minutes.
double StandardFireTemperature(double t)
{
    return 20.0 + 345.0 * std::log10(8.0 * std::max(t, 0.0) / 60.0 + 1.0);
}

} // namespace

double ThermalDiffusivity(double T)
{
    return T < 420.0 ? 9e-7 - 1.2e-9 * T : 4e-7;
}

TFireAnalysis_Base::TFireAnalysis_Base(double depth,
                                       int exposureMask,
                                       int curveType,
                                       double constantTemperature)
    : m_fireCurve("Surface Fire Temperatures"),
      m_depth(depth),
      m_exposureMask(exposureMask),
      m_curveType(curveType),
      m_constantTemperature(constantTemperature)
{
}

int TFireAnalysis_Base::Start(double endTime)
{
    if (!(endTime >= 0.0))
        endTime = 10.0;
    m_endTime = std::max(endTime, kDefaultTimeStep);
    SetupFireCurve();
    InitGrid();
    m_time = 0.0;
    m_timeStep = std::min(kDefaultTimeStep, m_endTime / 10.0);
    m_started = 1;
    return 1;
}

int TFireAnalysis_Base::IsRunning() const
{
    return m_time != m_endTime ? 1 : 0;
}

int TFireAnalysis_Base::SetupFireCurve()
{
    m_fireCurve.Clear();
    switch (m_curveType) {
    case kISO834Fire: {
        const int minutes = static_cast<int>(std::ceil(m_endTime / kDefaultTimeStep));
        for (int k = 0; k < minutes; ++k) {
            const double t = k * kDefaultTimeStep;
            m_fireCurve.Add(t, StandardFireTemperature(t));
        }
        m_fireCurve.Add(m_endTime, StandardFireTemperature(m_endTime));
        break;
    }
    case kNPDFire:
        for (const CurvePoint& p : kNPDCurve)
            m_fireCurve.Add(p.t, p.T);
        break;
    case kConstantFire:
        m_fireCurve.Add(0.0, m_constantTemperature);
        m_fireCurve.Add(kCurveEnd, m_constantTemperature);
        break;
    default:
        break;
    }
    m_fireCurve.Sort(1);
    return 1;
}

double TFireAnalysis_Base::FireTemperatureAt(double t) const
{
    if (m_curveType == kISO834Fire)
        return StandardFireTemperature(t);
    return m_fireCurve.InterpolateAtDepth(t);
}

double TFireAnalysis_Base::GetMaxFireTemperature() const
{
    if (m_fireCurve.IsEmpty())
        return FireStartTemperature;
    int index = -1;
    return m_fireCurve.MaxValue(index);
}

void TFireAnalysis_Base::SetSource(int slot, const std::string& name)
{
    m_sourceSlot = slot;
    m_sourceName = BoundedCopy(name, kSourceNameChars);
}

void TFireAnalysis_Base::GetSource(int& slot, std::string& name) const
{
    slot = m_sourceSlot;
    name = m_sourceName;
}
