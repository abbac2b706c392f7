#include "member/StationSections.h"

#include <algorithm>
#include <cmath>

#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "foundation/TDepthTable.h"
#include "member/fire/TStructureSlots.h"
#include "model/TBeam.h"
#include "model/materials/SteelLaws.h"

namespace {

bool Near(double a, double b) { return std::fabs(a - b) < kSamePosition; }

// Capacity table points sit this far inside a zone's ends.
constexpr double kZoneInset = 0.00005;
// Development length of a straight bar, in bar diameters.
constexpr double kDevelopmentDiameters = 50.0;
constexpr double kLeastAnchorageFactor = 0.01;

// The "AutoGen" stirrup set: 0.0001 m^2 bars of 11 mm at a quarter of the section height.
constexpr double kAutoStirrupArea = 0.0001;
constexpr double kAutoStirrupDiameter = 0.011;

} // namespace

const TBeam* TStationSections::ZoneBeam(double x) const
{
    const TStructure* s = GetStructureAtPosition(m_slots, m_d, x);
    const auto* beam = dynamic_cast<const TBeam*>(s);
    if (s != nullptr && beam == nullptr)
        ShowMessage("A member zone names a section that is not a beam section.", "Error in Member Definition",
                    MsgStyle::IconExclamation);
    return beam;
}

void TStationSections::GetMemberLoadsAt(double x,
                                        int k,
                                        const ShearDiagram& shear,
                                        int count,
                                        double& N,
                                        double& M,
                                        double& V) const
{
    N = m_d.axialLoad[static_cast<std::size_t>(k)];
    V = 0.0;
    for (int j = 0; j + 1 < std::min(count, kMaxShearPoints); ++j) {
        const ShearPoint& a = shear[static_cast<std::size_t>(j)];
        const ShearPoint& b = shear[static_cast<std::size_t>(j + 1)];
        if (std::fabs(b.x - a.x) > kSamePosition && a.x <= x && x < b.x) {
            V = LinearInterpolate(a.x, a.v, b.x, b.v, x);
            break;
        }
    }

    const auto& P = m_d.diagrams[static_cast<std::size_t>(k)];
    const int n = std::clamp(m_d.pointCount[static_cast<std::size_t>(k)], 0, kMaxDiagramPoints);
    const auto at = [&P](int i) -> const MomentPoint& { return P[static_cast<std::size_t>(i)]; };
    M = 0.0;
    if (n == 0)
        return;
    if (x < at(0).x) {
        M = at(0).moment;
        return;
    }
    if (x > at(n - 1).x) {
        M = at(n - 1).moment;
        return;
    }
    for (int i = 0; i < n; ++i) {
        if (Near(x, at(i).x)) {
            // At a jump, a position right of it takes the value after the jump.
            while (x > at(i).x && i + 1 < n && Near(at(i + 1).x, at(i).x))
                ++i;
            M = at(i).moment;
            return;
        }
        if (i + 1 >= n)
            break;
        if (Near(at(i).x, at(i + 1).x) && at(i).parabolic && at(i + 1).parabolic)
            continue;
        double a2 = 0.0;
        double a1 = 0.0;
        double a0 = 0.0;
        if (FitParabolicSegment(k, i, a2, a1, a0, m_d)) {
            if (at(i).x <= x && x <= at(i + 2).x) {
                M = (a2 * x + a1) * x + a0;
                return;
            }
            ++i; // the next segment starts at point i + 2
            continue;
        }
        if (at(i).x <= x && x <= at(i + 1).x) {
            M = LinearInterpolate(at(i).x, at(i).moment, at(i + 1).x, at(i + 1).moment, x);
            return;
        }
    }
    M = at(n - 1).moment;
}

void TStationSections::DrapeStationTendons(TBeam& section, double x, int& warned) const
{
    double u = -1.0;
    const int zone = FindMemberZone(m_d, x);
    if (zone >= 0) {
        const int nz = std::clamp(m_d.zoneCount, 0, kMaxMemberZones);
        const double s = m_d.zones[static_cast<std::size_t>(zone)].startX;
        const double e = zone + 1 < nz ? m_d.zones[static_cast<std::size_t>(zone + 1)].startX : m_d.length;
        u = x - (s + e) / 2.0;
    }
    for (int i = 0; i < section.GetLongLayerCount(0); ++i) {
        const LongLayerRec* layer = section.GetLongLayer(i, 0);
        if (layer == nullptr)
            continue;
        double z = layer->z - layer->drape * u;
        const auto warn = [&warned](const char* text) {
            if (warned == 0)
                ShowMessage(text, "Drape Tendon Geometry Error");
            warned = 1;
        };
        if (z < section.GetBottom()) {
            z = section.GetBottom();
            warn("Draped tendon extends out of member depth. Limited to bottom of section.");
        }
        if (z > section.GetTop()) {
            z = section.GetTop();
            warn("Draped tendon extends out of member depth. Limited to top of section");
        }
        section.SetLongLayerDepth(i, z, 0);
    }
}

double TStationSections::StirrupCapacity(const TBeam& section)
{
    double rho = 0.0;
    double rhoFy = 0.0;
    section.GetMaxTransverseRatio(rho, rhoFy);
    return section.GetShearDepthAndWidth(1).bv * rhoFy;
}

void TStationSections::SetStationStirrups(TBeam& section, double x) const
{
    const double L = m_d.length;
    TDepthTable capacity("stirrup capacity");
    capacity.Add(0.0, 0.0);
    const int nz = std::clamp(m_d.zoneCount, 0, kMaxMemberZones);
    for (int j = 0; j < nz; ++j) {
        const double start = m_d.zones[static_cast<std::size_t>(j)].startX;
        const double end = j + 1 < nz ? m_d.zones[static_cast<std::size_t>(j + 1)].startX : L;
        const TBeam* zone = dynamic_cast<const TBeam*>(m_slots.GetStructure(m_d.zones[static_cast<std::size_t>(j)].structureIndex));
        const double q = zone != nullptr ? StirrupCapacity(*zone) : 0.0;
        capacity.Add(start + kZoneInset, q);
        capacity.Add(end - kZoneInset, q);
    }
    capacity.Add(L, 0.0);

    const double h = section.GetHeight();
    double a = std::max(x - h / 2.0, 0.0);
    double b = std::min(x + h / 2.0, L);
    // The window stops where the live shear changes sign.
    const ShearDiagram& v = RawShear(LiveDiagram);
    const int n = RawShearCount(LiveDiagram);
    const auto V = [&v](int j) { return v[static_cast<std::size_t>(j)].v; };
    const auto X = [&v](int j) { return v[static_cast<std::size_t>(j)].x; };
    for (int j = 1; j <= n - 3; ++j) {
        if (!(X(j) < x && x < X(j + 1)))
            continue;
        if (V(j) * V(j - 1) < 0.0)
            a = std::max(a, X(j));
        if (V(j + 2) * V(j + 1) < 0.0)
            b = std::min(b, X(j + 1));
    }
    const double average = b > a ? capacity.Integrate(a, b) / (b - a) : 0.0;

    double rho = 0.0;
    double rhoFy = 0.0;
    section.GetMaxTransverseRatio(rho, rhoFy);
    if (rhoFy == 0.0 && average > 0.0) {
        SteelTypeRec steel;
        InitSteelTypeRec(steel);
        steel.kind = SteelKind::Reinforcing;
        CheckSteelType(steel, true);
        section.AddSteelType(steel);
        TransLayerRec layer;
        InitTransLayerRec(layer);
        layer.A = kAutoStirrupArea;
        layer.Ai = kAutoStirrupArea;
        layer.db = kAutoStirrupDiameter;
        layer.angle = kModelPi / 2.0;
        layer.disttop = section.GetTop();
        layer.distbot = section.GetBottom();
        layer.space = h / 4.0;
        layer.pattern = 1;
        layer.dep = 0.0;
        layer.type = section.GetSteelTypeCount() - 1;
        layer.bartitle.clear();
        layer.name = "AutoGen";
        section.AddTransLayer(layer, 2);
    }
    const double q = StirrupCapacity(section);
    if (q > 0.0)
        for (int i = 0; i < section.GetTransLayerCount(2); ++i)
            section.ScaleTransLayerArea(i, average / q, 2);
}

int TStationSections::ReduceAnchorageStrength(TBeam& section, double x) const
{
    const double L = m_d.length;
    const double m = m_d.rightSupport == SupportType::FixedEnd || m_d.rightSupport == SupportType::FixedVerticalRoller
                         ? L
                         : L / 2.0;
    double a = kUndefined;
    if (m_d.rightAnchorage == AnchorageType::StraightBar)
        a = std::min(x, std::max(L - x, 0.0));
    else if (m_d.leftAnchorage == AnchorageType::StraightBar)
        a = x;
    if (m_d.leftAnchorage == AnchorageType::Perfect && x <= m)
        return 0;
    if ((m_d.rightAnchorage == AnchorageType::Perfect || m_d.rightAnchorage == AnchorageType::YieldPenetrate) &&
        x >= m)
        return 0;
    for (int t = 0; t < section.GetSteelTypeCount(); ++t) {
        double area = 0.0;
        double areaDiameter = 0.0;
        for (int i = 0; i < section.GetLongLayerCount(0); ++i) {
            const LongLayerRec* layer = section.GetLongLayer(i, 0);
            if (layer != nullptr && layer->type == t && layer->dep == 0.0) {
                area += layer->A;
                areaDiameter += layer->A * layer->db;
            }
        }
        if (area <= 0.0)
            continue;
        const double development = kDevelopmentDiameters * areaDiameter / area;
        const double f = std::max(kLeastAnchorageFactor, std::min(1.0, a / development));
        const SteelTypeRec* steel = section.GetSteelType(t);
        section.SetSteelStrengths(t, f * steel->fy, f * steel->fu);
    }
    return 1;
}

std::unique_ptr<TBeam> TStationSections::BuildStationSection(int i, int& warned) const
{
    const double x = GetStation(i);
    const TBeam* zone = ZoneBeam(x);
    if (zone == nullptr)
        return nullptr;
    auto section = std::make_unique<TBeam>(*zone);
    if (i > 0)
        section->SetCheckTensionStiffening(0);
    double dead[3] = {};
    double live[3] = {};
    GetMemberLoadsAt(x, DeadDiagram, AdjustedShear(DeadDiagram), AdjustedShearCount(DeadDiagram), dead[0], dead[1],
                     dead[2]);
    GetMemberLoadsAt(x, LiveDiagram, AdjustedShear(LiveDiagram), AdjustedShearCount(LiveDiagram), live[0], live[1],
                     live[2]);
    if (m_d.deadLoadConstant == 0) {
        for (int j = 0; j < 3; ++j) {
            live[j] += dead[j];
            dead[j] = 0.0;
        }
    }
    section->SetConstantLoads(dead, 3);
    section->SetIncrementLoads(live, 3);
    DrapeStationTendons(*section, x, warned);
    SetStationStirrups(*section, x);
    ReduceAnchorageStrength(*section, x);
    return section;
}
