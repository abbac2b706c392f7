// TBeam: the strain discontinuity over the depth, imposed and long-term strains, and the
// critical reinforcement ratio for strain concentration.

#include <algorithm>
#include <cmath>

#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "model/ElementText.h"
#include "model/TBeam.h"

namespace {

// Strain values closer than this count as equal; smaller magnitudes count as no strain.
constexpr double kStrainTolerance = 1e-5;
// End points of the discontinuity within this of the section faces snap to them (m).
constexpr double kEndTolerance = 4e-5;
// A strain below this magnitude at an end point carries nothing.
constexpr double kNoStrain = 1e-6;
// Neighbouring points of the discontinuity closer than this are merged (m).
constexpr double kMinPointSpacing = 0.0001;
// Depths of the critical-ratio table.
constexpr int kCriticalRhoDepths = 100;

} // namespace

int TBeam::SetStrainDiscontinuity(TDepthTable table)
{
    if (CheckFrozen())
        return 0;
    m_strainDiscontinuity.Clear();
    for (const DepthPair& p : table.Pairs())
        m_strainDiscontinuity.Add(p.z, p.v);
    SetModified(1);
    return 1;
}

double TBeam::GetStrainStepAt(double z, int side) const
{
    if (side != 0 && side != 1) {
        ReportBadIndex("GetStrainStepAt", side);
        return 0.0;
    }
    const TDepthTable* tables[] = {&m_strainDiscontinuity, &GetPositionVariable(kShrinkTherm)};
    bool found = false;
    double nearest = side == 1 ? m_own.bottom : m_own.top;
    for (const TDepthTable* table : tables) {
        double v = 0.0;
        double zFound = 0.0;
        const int index =
            side == 1 ? table->FindPointBelow(z, v, zFound) : table->FindPointAbove(z, v, zFound);
        if (index < 0)
            continue;
        if (!found)
            nearest = zFound;
        else
            nearest = side == 1 ? std::max(nearest, zFound) : std::min(nearest, zFound);
        found = true;
    }
    return nearest;
}

int TBeam::ClassifyStrainProfile(int source, double& value, int d) const
{
    value = 0.0;
    std::vector<double> values;
    if (source == 0 || source == 1) {
        const TDepthTable& table =
            source == 0 ? GetPositionVariable(kShrinkTherm) : m_strainDiscontinuity;
        for (const DepthPair& p : table.Pairs())
            values.push_back(p.v);
    } else if (d == 0) {
        for (int i = 0; i < GetLongLayerCount(0); ++i)
            values.push_back(GetLongLayer(i, 0)->thermStrain);
    }
    if (values.empty())
        return 0;
    value = values.front();
    for (double v : values) {
        if (std::fabs(v - value) > kStrainTolerance)
            return 2;
    }
    return std::fabs(value) >= kStrainTolerance ? 1 : 0;
}

int TBeam::SetLongTermStrains(
    double dShrink, double e0, double k, std::span<const double> strains, int d)
{
    TDepthTable& shrink = GetPositionVariable(kShrinkTherm);
    for (int i = 0; i < shrink.GetCount(); ++i)
        shrink.SetValue(i, shrink.GetValue(i) + dShrink);
    if (d == 0 || d == 1) {
        TDepthTable& creep = GetPositionVariable(d == 0 ? kCreepX : kCreepY);
        creep.Clear();
        creep.Add(m_own.bottom, e0 + k * m_own.bottom);
        creep.Add(m_own.top, e0 + k * m_own.top);
        creep.Sort(1);
        const int n = std::min(GetLongLayerCount(d), static_cast<int>(strains.size()));
        for (int i = 0; i < n; ++i)
            SetLongLayerTimeStrain(i, strains[static_cast<std::size_t>(i)], d);
    } else {
        ShowMessage("Error Direction Long Term",
                    kProgramCaption,
                    MsgStyle::Ok | MsgStyle::IconExclamation);
    }
    return 1;
}

int TBeam::NormaliseStrainDiscontinuity()
{
    if (!(m_own.height > 0.0))
        return 1;
    TDepthTable& table = m_strainDiscontinuity;
    for (int i = table.GetCount() - 1; i >= 0; --i) {
        const double z = table.GetDepth(i);
        if (z > m_own.top + kEndTolerance || z < m_own.bottom - kEndTolerance)
            table.RemoveAt(i);
    }
    table.Sort(1);

    if (table.GetCount() == 0) {
        table.Add(m_own.top, 0.0);
    } else {
        const double z = table.GetDepth(0);
        const bool nearTop = std::fabs(z - m_own.top) < kEndTolerance || z > m_own.top;
        const bool carriesNothing =
            std::fabs(table.GetValue(0)) < kNoStrain && table.GetCount() > 1;
        if (nearTop || carriesNothing)
            table.SetDepth(0, m_own.top);
        else
            table.Add(m_own.top, 0.0);
    }
    table.Sort(1);

    const int last = table.GetCount() - 1;
    const double z = table.GetDepth(last);
    const bool clearOfBottom = z >= m_own.bottom + kEndTolerance;
    const bool carriesStrain =
        std::fabs(table.GetValue(last)) >= kNoStrain || table.GetCount() == 1;
    if (clearOfBottom && carriesStrain)
        table.Add(m_own.bottom, 0.0);
    else
        table.SetDepth(last, m_own.bottom);
    table.Sort(1);

    // Of two points closer than kMinPointSpacing the higher one stays. The spacing is that of
    // the heights a document keeps, to its digits, so that the document reopens with the
    // points the section holds.
    const auto kept = [](double length) {
        return AsDocumentKeepsIt(length, ukSectionLength, &g_UnitSystem);
    };
    const double bottom = m_own.bottom;
    const auto spacing = [&](int i) {
        return kept(kept(table.GetDepth(i) - bottom) - kept(table.GetDepth(i + 1) - bottom));
    };
    for (int i = 0; i + 1 < table.GetCount();) {
        if (spacing(i) < kMinPointSpacing)
            table.RemoveAt(i + 1);
        else
            ++i;
    }
    return 1;
}

// At each depth the larger of two ratios: the longitudinal ratio interpolated between the
// bottom layers' ratio (at the bottom) and the top layers' ratio (at the top), and the sum of
// A/(s b) of the stirrups crossing the depth (a hoop counts with the share sqrt(1 - u^2) of
// its width, u the distance from its centre over its radius).
int TBeam::BuildCriticalRhoTable()
{
    m_criticalRho.Clear();
    double rhoBelow = 0.0;
    double rhoAbove = 0.0;
    for (int i = 0; i < GetLongLayerCount(0); ++i) {
        const LongLayerRec& layer = *GetLongLayer(i, 0);
        if (layer.z < 0.0)
            rhoBelow = layer.ratio;
        else if (layer.z > 0.0)
            rhoAbove = layer.ratio;
    }
    const int transCount = TStructure::GetTransLayerCount(2);
    // Filled from the top down, so that the table keeps the descending order of depth tables.
    for (int i = kCriticalRhoDepths - 1; i >= 0; --i) {
        const double z = m_own.bottom + m_own.height * i / (kCriticalRhoDepths - 1);
        const double rhoLin = m_own.height > 0.0 ? rhoBelow + (rhoAbove - rhoBelow) *
                                                                  (z - m_own.bottom) / m_own.height
                                                 : rhoBelow;
        double rhoT = 0.0;
        for (int k = 0; k < transCount; ++k) {
            const TransLayerRec& layer = *GetTransLayer(k, 2);
            if (!(layer.distbot <= z && z <= layer.disttop && layer.space > 0.0))
                continue;
            double share = 1.0;
            if (layer.pattern == kCircularHoop) {
                const double mid = (layer.disttop + layer.distbot) / 2.0;
                const double span = layer.disttop - layer.distbot;
                const double u2 = (z - mid) * (z - mid) / (span * span / 4.0 + 0.0001);
                if (1.0 - u2 > 0.0)
                    share = std::sqrt(1.0 - u2);
            }
            rhoT += layer.A / layer.space / GetWidthAt(z) * share;
        }
        m_criticalRho.Add(z, std::max(rhoLin, rhoT));
    }
    m_criticalRho.SetSorted(true);
    return 1;
}
