#include "member/TFullMemberResponse.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/StepTogether.h"
#include "analysis/layers/LayerStateAccess.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "member/fire/TStructureSlots.h"
#include "model/TBeam.h"
#include "model/materials/SteelLaws.h"

namespace {

constexpr std::array<const char*, MemberCurve::Count> kCurveNames{
    "pushover load-deflection",
    "pushover curvature",
    "pushover longitudinal strain",
    "pushover shear strain",
    "pushover slope along length",
    "Y displacement (at N.A.) with length",
    "Y displacement (at top) with length",
    "Y displacement (at bottom) with length",
    "X displacement with length",
    "X displacement with length",
    "X displacement with length"};

bool IsFixedOrSymmetry(int support)
{
    return support == SupportType::FixedEnd || support == SupportType::FixedVerticalRoller;
}

bool HoldsAxially(int support) { return IsFixedOrSymmetry(support) || support == SupportType::Pin; }

} // namespace

TFullMemberResponse::TFullMemberResponse(const TMemberDefinition& definition, const TStructureSlots& slots)
    : TQuarvish2000Analysis(nullptr, 0), m_definition(definition), m_slots(slots), m_stations(m_definition, slots)
{
    for (int i = 0; i < MemberCurve::Count; ++i)
        m_curves[static_cast<std::size_t>(i)].SetName(kCurveNames[static_cast<std::size_t>(i)]);
    BuildMemberStations();
}

TFullMemberResponse::~TFullMemberResponse() = default;

const TFullSectionalResponse* TFullMemberResponse::GetStationAnalysis(int i) const
{
    return i >= 0 && i < kMaxStations ? m_analyses[static_cast<std::size_t>(i)].get() : nullptr;
}

double TFullMemberResponse::GetShownStationPosition() const
{
    return m_shownStation >= 0 && m_shownStation < GetStationCount() ? m_stations.GetStation(m_shownStation) : 0.0;
}

int TFullMemberResponse::BuildMemberStations()
{
    m_stations.PlaceMemberStations();
    int warned = 0;
    for (int i = 0; i < m_stations.GetStationCount(); ++i) {
        std::unique_ptr<TBeam> section = m_stations.BuildStationSection(i, warned);
        if (!section) {
            Finish();
            return 0;
        }
        auto analysis = std::make_unique<TFullSectionalResponse>(section.get(), 1);
        section.reset();
        analysis->SetMemberLocation(m_stations.GetStation(i));
        bool deadLoadFailed = false;
        for (int e = 0; e < analysis->GetErrorCount(); ++e) {
            std::string text;
            std::string title;
            int code = 0;
            analysis->GetError(e, text, title, code);
            deadLoadFailed = deadLoadFailed || text == kInitialCaseFailedText;
        }
        m_analyses[static_cast<std::size_t>(i)] = std::move(analysis);
        if (deadLoadFailed) {
            ShowMessage(kDeadLoadFailedText, "Error in Analysis");
            Finish();
            return 0;
        }
    }
    m_currentStation = 0;
    m_shownStation = 0;
    m_shown = m_analyses[0] ? m_analyses[0]->GetCurrentState() : nullptr;
    Running = 1;
    return 1;
}

// ---- Stepping -----------------------------------------------------------------------------

// The running stations step together on the worker threads for one time slice (each at least
// once): each owns its section copy, states and layer level, so a station's stages are those
// it has when run alone.
void TFullMemberResponse::StepStations()
{
    std::vector<T1DAnalysis*> stations;
    for (int i = 0; i < GetStationCount(); ++i)
        stations.push_back(m_analyses[static_cast<std::size_t>(i)].get());
    const std::vector<int> station = StepTogether(stations, [&](int i) {
        TFullSectionalResponse& a = *m_analyses[static_cast<std::size_t>(i)];
        if (a.IsRunning() == 0)
            a.PrunePostPeakStages(3);
        a.SetMemberLocation(a.GetMemberLocation()); // the stages made by this step
    });
    if (station.empty())
        return;
    // Shown: the station stepped that is least far along; once every station has finished,
    // the one that sets the member's capacity (the least peak of all), however the steps fell
    // into calls.
    std::vector<int> among = station;
    if (std::none_of(m_analyses.begin(), m_analyses.end(), [](const auto& a) { return a && a->IsRunning() != 0; })) {
        among.clear();
        for (int i = 0; i < GetStationCount(); ++i)
            if (m_analyses[static_cast<std::size_t>(i)])
                among.push_back(i);
    }
    int least = among[0];
    for (int i : among)
        if (m_analyses[static_cast<std::size_t>(i)]->GetMaxLoadFactor() <
            m_analyses[static_cast<std::size_t>(least)]->GetMaxLoadFactor())
            least = i;
    m_currentStation = least;
    m_shownStation = least;
    m_shown = m_analyses[static_cast<std::size_t>(least)]->GetPeakState();
}

// Judged at the member's capacity as the stations have it now (the stored capacity is only
// refreshed when the curves are built).
void TFullMemberResponse::UpdateShearCritical()
{
    const double capacity = GetMemberCapacity();
    m_shearCritical = 1;
    for (int i = 0; i < GetStationCount(); ++i) {
        const TFullSectionalResponse* a = m_analyses[static_cast<std::size_t>(i)].get();
        if (a == nullptr || a->GetMaxLoadFactor() != capacity)
            continue;
        double c[3] = {};
        double d[3] = {};
        a->GetConstantLoads(c, 3);
        a->GetIncrementLoads(d, 3);
        const double M = c[kMoment] + capacity * d[kMoment];
        const double V = c[kShear] + capacity * d[kShear];
        const TBeam* beam = a->GetBeam();
        if (std::fabs(V) < 1000.0 * GetGrossConcreteArea(*beam))
            m_shearCritical = 0;
        else
            m_shearCritical = std::fabs(M / V) <= 5.0 * beam->GetHeight() ? 1 : 0;
    }
}

int TFullMemberResponse::Step()
{
    StepStations();
    bool running = false;
    for (int i = 0; i < GetStationCount() && !running; ++i) {
        const TFullSectionalResponse* a = m_analyses[static_cast<std::size_t>(i)].get();
        running = a != nullptr && a->IsRunning() != 0;
    }
    if (!running)
        Running = 0;
    UpdateShearCritical();
    return 1;
}

int TFullMemberResponse::Finish()
{
    TQuarvish2000Analysis::Finish();
    for (auto& a : m_analyses)
        if (a) {
            a->Finish();
            a->SetMemberLocation(a->GetMemberLocation());
        }
    return 1;
}

double TFullMemberResponse::GetMemberCapacity() const
{
    double least = kUndefined;
    bool any = false;
    for (int i = 0; i < GetStationCount(); ++i) {
        if (const TFullSectionalResponse* a = m_analyses[static_cast<std::size_t>(i)].get()) {
            least = std::min(least, a->GetMaxLoadFactor());
            any = true;
        }
    }
    return any ? least : 0.0;
}

// ---- Member curves ---------------------------------------------------------------------------

double TFullMemberResponse::ComputeMemberDeflection(double lambda, double p, bool capture)
{
    const TMemberDefinition& d = m_definition;
    const int n = GetStationCount();
    for (int i = 0; i < n; ++i)
        if (!m_analyses[static_cast<std::size_t>(i)])
            return 0.0;
    TDepthTable phi(kCurveNames[MemberCurve::Curvature]);
    TDepthTable e0(kCurveNames[MemberCurve::AxialStrain]);
    TDepthTable gamma(kCurveNames[MemberCurve::ShearStrain]);
    TDepthTable aTop("vertical elongation above");
    TDepthTable aBot("vertical elongation below");
    TDepthTable top("top face");
    TDepthTable bottom("bottom face");
    for (int i = 0; i < n; ++i) {
        const double x = m_stations.GetStation(i);
        const TFullSectionalResponse& a = *m_analyses[static_cast<std::size_t>(i)];
        StageResults r;
        a.ResultAtValue(lambda, r, 0);
        phi.Add(x, r.curvature);
        e0.Add(x, r.axialStrain);
        gamma.Add(x, r.shearStrain);
        aTop.Add(x, r.transverseAbove);
        aBot.Add(x, r.transverseBelow);
        top.Add(x, a.GetBeam()->GetTop());
        bottom.Add(x, a.GetBeam()->GetBottom());
    }

    // Slope: the integral of the curvature, zero at a fixed end or line of symmetry, plus the
    // shear deformation, less the rotation of bars pulling out of a fixed end.
    TDepthTable theta(kCurveNames[MemberCurve::Slope]);
    theta.SetToIntegralOf(phi);
    double x0 = -1.0;
    if (IsFixedOrSymmetry(d.leftSupport))
        x0 = d.leftPlateLocation;
    else if (IsFixedOrSymmetry(d.rightSupport))
        x0 = d.rightPlateLocation;
    if (x0 != -1.0)
        theta.AddLinear(0.0, -theta.InterpolateAtDepth(x0));
    for (int i = 0; i < n; ++i)
        theta.SetValue(i, theta.GetValue(i) + gamma.GetValue(i));
    double xp = -1.0;
    if (d.leftAnchorage == AnchorageType::YieldPenetrate && d.leftSupport == SupportType::FixedEnd)
        xp = 0.0001;
    else if (d.rightAnchorage == AnchorageType::YieldPenetrate && d.rightSupport == SupportType::FixedEnd)
        xp = d.length - 0.0001;
    if (xp >= 0.0) {
        const double curvature = phi.InterpolateAtDepth(xp);
        const double strain = e0.InterpolateAtDepth(xp);
        double m = 0.0;
        if (const TStructure* s = GetStructureAtPosition(m_slots, d, d.length)) {
            for (int i = 0; i < s->GetLongLayerCount(0); ++i) {
                const LongLayerRec* layer = s->GetLongLayer(i, 0);
                const SteelTypeRec* steel = layer != nullptr ? s->GetSteelType(layer->type) : nullptr;
                if (steel == nullptr)
                    continue;
                const double stress = SteelStress(*steel, strain + curvature * layer->z + layer->dep, 0.0);
                if (stress > 0.0)
                    m = std::max(m, layer->db * stress);
            }
        }
        theta.AddLinear(0.0, -d.yieldPenetrationConstant * m / 1e6 * curvature);
    }

    // Deflection: the integral of the slope, zero at the supports.
    TDepthTable w(kCurveNames[MemberCurve::Deflection]);
    w.SetToIntegralOf(theta);
    x0 = -1.0;
    if (d.leftSupport == SupportType::FixedEnd || d.rightSupport == SupportType::FixedVerticalRoller)
        x0 = d.leftPlateLocation;
    else if (d.rightSupport == SupportType::FixedEnd || d.leftSupport == SupportType::FixedVerticalRoller)
        x0 = d.rightPlateLocation;
    if (x0 != -1.0) {
        w.AddLinear(0.0, -w.InterpolateAtDepth(x0));
    } else {
        const double xL = d.leftPlateLocation;
        const double xR = d.rightPlateLocation;
        const double wL = w.InterpolateAtDepth(xL);
        const double s = xR != xL ? (w.InterpolateAtDepth(xR) - wL) / (xR - xL) : 0.0;
        w.AddLinear(-s, s * xL - wL);
        theta.AddLinear(0.0, -s);
    }
    w.ScaleValues(-1.0);
    TDepthTable wTop(kCurveNames[MemberCurve::DeflectionTop]);
    TDepthTable wBot(kCurveNames[MemberCurve::DeflectionBottom]);
    for (int i = 0; i < n; ++i) {
        wTop.Add(w.GetDepth(i), w.GetValue(i) + aTop.GetValue(i));
        wBot.Add(w.GetDepth(i), w.GetValue(i) - aBot.GetValue(i));
    }

    // Longitudinal displacements: the integral of the axial strain from a point held axially.
    TDepthTable u(kCurveNames[MemberCurve::AxialDisplacement]);
    u.SetToIntegralOf(e0);
    x0 = HoldsAxially(d.leftSupport)    ? d.leftPlateLocation
         : HoldsAxially(d.rightSupport) ? d.rightPlateLocation
                                        : d.length / 2.0;
    u.AddLinear(0.0, -u.InterpolateAtDepth(x0));
    TDepthTable uTop(kCurveNames[MemberCurve::AxialDisplacementTop]);
    TDepthTable uBot(kCurveNames[MemberCurve::AxialDisplacementBottom]);
    for (int i = 0; i < n; ++i) {
        const double psi = theta.GetValue(i) - gamma.GetValue(i);
        uTop.Add(u.GetDepth(i), u.GetValue(i) + psi * top.GetValue(i));
        uBot.Add(u.GetDepth(i), u.GetValue(i) + psi * bottom.GetValue(i));
    }
    double shift = 0.0;
    if (HoldsAxially(d.leftSupport)) {
        shift = d.leftDirect != 0 ? uBot.InterpolateAtDepth(d.leftPlateLocation) : 0.0;
    } else if (d.rightSupport == SupportType::FixedVerticalRoller || d.rightSupport == SupportType::Pin) {
        shift = d.rightDirect != 0 ? uBot.InterpolateAtDepth(d.rightPlateLocation) : 0.0;
    } else if (d.rightSupport == SupportType::FixedEnd) {
        if (d.rightAnchorage != AnchorageType::YieldPenetrate) {
            shift = uBot.InterpolateAtDepth(d.rightPlateLocation);
        } else {
            // The section rotates about its depth of zero strain; the strains come from this
            // computation's own tables.
            const double e = e0.InterpolateAtDepth(d.rightPlateLocation);
            const double c = phi.InterpolateAtDepth(d.rightPlateLocation);
            const double et = e + c * top.InterpolateAtDepth(p);
            const double eb = e + c * bottom.InterpolateAtDepth(p);
            const double wz = std::clamp(et / (et - eb + 1e-15), 0.0, 1.0);
            shift = uTop.InterpolateAtDepth(d.rightPlateLocation) * (1.0 - wz) +
                    uBot.InterpolateAtDepth(d.rightPlateLocation) * wz;
        }
    }
    u.AddLinear(0.0, -shift);
    uTop.AddLinear(0.0, -shift);
    uBot.AddLinear(0.0, -shift);

    if (capture) {
        const std::array<const TDepthTable*, 10> tables{&phi, &e0, &gamma, &theta, &w, &wTop, &wBot, &u, &uTop, &uBot};
        for (std::size_t i = 0; i < tables.size(); ++i)
            m_curves[i + 1].Assign(*tables[i]);
    }
    return wBot.InterpolateAtDepth(p);
}

void TFullMemberResponse::BuildResultCurves()
{
    TMemberDefinition& d = m_definition;
    if (d.displacementLocation < 0.0)
        d.displacementLocation = d.length / 2.0;
    if (d.displacementLocation > d.length)
        return;
    MaxLoadFactor = GetMemberCapacity();
    TDepthTable& curve = m_curves[MemberCurve::LoadDeflection];
    curve.Clear();
    for (int i = 0; i <= kLoadDeflectionSteps; ++i) {
        const double lambda = i * MaxLoadFactor / kLoadDeflectionSteps;
        curve.Add(ComputeMemberDeflection(lambda, d.displacementLocation, i == m_markedPoint), lambda);
    }
    curve.Add(1.05 * curve.GetDepth(kLoadDeflectionSteps), 0.95 * MaxLoadFactor);
}

int TFullMemberResponse::SetResultParameter(int id, double a, double b, int flag)
{
    if (id != 0)
        return TQuarvish2000Analysis::SetResultParameter(id, a, b, flag);
    m_definition.displacementLocation = a;
    BuildResultCurves();
    return 1;
}
