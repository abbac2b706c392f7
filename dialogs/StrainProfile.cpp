#include "dialogs/StrainProfile.h"

#include <cmath>
#include <cstdlib>

#include "foundation/ChartPointSink.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/StructureRecords.h"
#include "model/TBeam.h"
#include "model/shapes/SectionOutline.h"

namespace {

constexpr double kEndTolerance = 4e-5;  // m
constexpr double kStrainFactor = 1000.0;  // mm/m
constexpr int kChartSteps = 100;
// Minimum spacing of discontinuity points: 0.1 in in US units, 1 mm otherwise.
constexpr double kDiscontinuitySpacingUS = 0.00254, kDiscontinuitySpacing = 0.001;
constexpr int kTransverseDirection = 2;

double Typed(const std::string& text) { return TypedNumber(text); }

// An elevation or strain that is not a finite number within its range is refused with a
// message: the field refused (TStrainProfile::kElevationField or kStrainField), or -1.
int RefusedTypedField(const std::string* elevation, const std::string& strain)
{
    double v = 0.0;
    int field = TStrainProfile::kElevationField;
    std::string message;
    if (elevation)
        message = ReadTypedValue(*elevation, "Elevation", {-100.0, 100.0, ukSectionLength}, v);
    if (message.empty()) {
        field = TStrainProfile::kStrainField;
        message = ReadTypedValue(strain, "Strain", {-1.0, 1.0, ukStrain}, v);
    }
    if (message.empty())
        return -1;
    ShowMessage(message, "Input Error", MsgStyle::Ok | MsgStyle::IconExclamation);
    return field;
}

// Decimals of an elevation: 0 in SI on a whole millimetre, 1 in SI otherwise and in kg/cm on
// a whole millimetre, 2 otherwise.
int ElevationDecimals(double z)
{
    const bool whole = std::fabs(z - RoundSectionLength(z, 3)) < kEndTolerance;
    if (g_UnitSystem == kUnitUS)
        return 2;
    if (g_UnitSystem == kUnitOldMetric)
        return whole ? 1 : 2;
    return whole ? 0 : 1;
}

} // namespace

TStrainProfile::TStrainProfile(TBeam& beam, int mode) : m_beam(beam), m_mode(mode)
{
    const double bottom = beam.GetBottom();
    const TDepthTable& source = mode == 0 ? beam.GetPositionVariable(kShrinkTherm) : beam.GetStrainDiscontinuityTable();
    for (int i = 0; i < source.GetCount(); ++i)
        m_profile.Add(RoundSectionLength(source.GetDepth(i) - bottom, 4), source.GetValue(i));
    if (mode == 0) {
        m_longCount = beam.GetLongLayerCount(0);
        for (int k = 0; k < m_longCount; ++k)
            m_reinforcement.Add(k, beam.GetLongLayer(k, 0)->thermStrain);
        for (int j = 0; j < beam.GetTransLayerCount(kTransverseDirection); ++j)
            m_reinforcement.Add(m_longCount + j, beam.GetTransLayer(j, kTransverseDirection)->thermStrain);
    }
    m_profile.Sort(1);
    if (!m_profile.IsEmpty()) {
        m_profile.SetDepth(0, RoundSectionLength(Height(), 4));
        m_profile.SetDepth(m_profile.GetCount() - 1, 0.0);
        m_profile.Sort(1);
    }
}

double TStrainProfile::Height() const { return m_beam.GetHeight(); }

void TStrainProfile::EnsureEnds()
{
    const double top = RoundSectionLength(Height(), 4);
    if (m_profile.IsEmpty() || std::fabs(m_profile.GetDepth(0) - top) > kEndTolerance) {
        m_profile.Add(top, 0.0);
        m_profile.Sort(1);
    }
    if (std::fabs(m_profile.GetDepth(m_profile.GetCount() - 1)) > kEndTolerance) {
        m_profile.Add(0.0, 0.0);
        m_profile.Sort(1);
    }
}

std::vector<std::string> TStrainProfile::Rows()
{
    EnsureEnds();
    SelectRow(m_selected);
    std::vector<std::string> rows;
    const double f = UnitFactor(ukSectionLength);
    for (int i = 0; i < m_profile.GetCount(); ++i) {
        const double z = m_profile.GetDepth(i);
        rows.push_back(StrPrintf("%6.*f      %6.3f", ElevationDecimals(z), z * f, m_profile.GetValue(i) * kStrainFactor));
    }
    return rows;
}

void TStrainProfile::SelectRow(int row)
{
    const int n = m_profile.GetCount();
    m_selected = row < 0 ? 0 : row >= n ? std::max(n - 1, 0) : row;
}

void TStrainProfile::RowFields(int row, std::string& elevation, std::string& strain) const
{
    elevation.clear();
    strain.clear();
    if (row < 0 || row >= m_profile.GetCount())
        return;
    const double z = m_profile.GetDepth(row);
    elevation = StrPrintf("%5.*f", ElevationDecimals(z), z * UnitFactor(ukSectionLength));
    strain = StrPrintf("%5.3f", m_profile.GetValue(row) * kStrainFactor);
}

int TStrainProfile::ReadoutIndex(int row) const
{
    if (m_mode == 1)
        return row;
    const double h = Height();
    if (!(h > 0.0) || row < 0 || row >= m_profile.GetCount())
        return 0;
    return static_cast<int>(m_profile.GetDepth(row) * kChartSteps / h);
}

bool TStrainProfile::CheckElevation(double e, int modifiedRow) const
{
    if (RoundSectionLength(e - Height(), 4) > kEndTolerance || e < 0.0) {
        ShowMessage("Value specified outside cross section.  Not added", "Information",
                    MsgStyle::Ok | MsgStyle::IconExclamation);
        return false;
    }
    const double spacing = m_mode == 0 ? Height() / 200.0
                                       : g_UnitSystem == kUnitUS ? kDiscontinuitySpacingUS : kDiscontinuitySpacing;
    if (modifiedRow >= 0 && modifiedRow < m_profile.GetCount() &&
        std::fabs(m_profile.GetDepth(modifiedRow) - e) < kEndTolerance)
        return true;
    for (int i = 0; i < m_profile.GetCount(); ++i) {
        if (std::fabs(m_profile.GetDepth(i) - e) < spacing) {
            ShowMessage(StrPrintf("Value less than %5.2f %s from another value.  Use modify button to change an "
                                  "existing value",
                                  ToDisplayUnits(spacing, ukSectionLength), UnitLabel(ukSectionLength)),
                        "Information", MsgStyle::Ok | MsgStyle::IconExclamation);
            return false;
        }
    }
    return true;
}

void TStrainProfile::Add(const std::string& elevation, const std::string& strain)
{
    m_refusedField = RefusedTypedField(&elevation, strain);
    if (m_refusedField >= 0)
        return;
    m_changed = true;
    const double e = RoundSectionLength(FromDisplayUnits(Typed(elevation), ukSectionLength), 4);
    if (!CheckElevation(e, -1))
        return;
    m_profile.Add(e, Typed(strain) / kStrainFactor);
    m_profile.Sort(1);
}

void TStrainProfile::Modify(const std::string& elevation, const std::string& strain)
{
    m_refusedField = RefusedTypedField(&elevation, strain);
    if (m_refusedField >= 0)
        return;
    m_changed = true;
    if (m_selected < 0 || m_selected >= m_profile.GetCount())
        return;
    const double e = RoundSectionLength(FromDisplayUnits(Typed(elevation), ukSectionLength), 4);
    if (!CheckElevation(e, m_selected))
        return;
    m_profile.SetDepth(m_selected, e);
    m_profile.SetValue(m_selected, Typed(strain) / kStrainFactor);
    m_profile.Sort(1);
}

void TStrainProfile::Delete()
{
    m_changed = true;
    if (m_selected < 0 || m_selected >= m_profile.GetCount())
        return;
    m_profile.RemoveAt(m_selected);
    if (m_selected >= m_profile.GetCount())
        m_selected = m_profile.GetCount() - 1;
}

bool TStrainProfile::IsPrestressed(int layer) const
{
    const LongLayerRec* l = m_beam.GetLongLayer(layer, 0);
    return l && l->dep != 0.0;
}

double TStrainProfile::Average(int group) const
{
    double sum = 0.0;
    int count = 0;
    for (int k = 0; k < m_longCount; ++k) {
        const bool p = IsPrestressed(k);
        if (group == 0 || (group == 1 && !p) || (group == 2 && p)) {
            sum += m_reinforcement.GetValue(k);
            ++count;
        }
    }
    return count > 0 ? sum / count * kStrainFactor : 0.0;
}

std::vector<std::string> TStrainProfile::ReinforcementItems() const
{
    std::vector<std::string> items{"All Longitudinal", "All Non-Prestressed", "All Prestressed Reinforcement"};
    for (int k = 0; k < m_longCount; ++k)
        items.push_back(StrPrintf(IsPrestressed(k) ? "P - %s" : "R - %s", m_beam.GetLongLayer(k, 0)->name.c_str()));
    for (int j = 0; j < m_reinforcement.GetCount() - m_longCount; ++j)
        items.push_back(StrPrintf("S - %s", m_beam.GetTransLayer(j, kTransverseDirection)->name.c_str()));
    return items;
}

std::string TStrainProfile::ReinforcementStrain(int item) const
{
    const int chosen = item - kGroupEntries;
    if (chosen < 0)
        return StrPrintf("%5.3f", Average(item));
    if (chosen >= m_reinforcement.GetCount())
        return std::string();
    return StrPrintf("%5.3f", m_reinforcement.GetValue(chosen) * kStrainFactor);
}

void TStrainProfile::Set(int item, const std::string& strain)
{
    m_refusedField = RefusedTypedField(nullptr, strain);
    if (m_refusedField >= 0)
        return;
    m_changed = true;
    const double v = Typed(strain) / kStrainFactor;
    const int chosen = item - kGroupEntries;
    if (chosen >= 0) {
        if (chosen < m_reinforcement.GetCount())
            m_reinforcement.SetValue(chosen, v);
        return;
    }
    for (int k = 0; k < m_longCount; ++k) {
        const bool p = IsPrestressed(k);
        if (chosen == -3 || (chosen == -2 && !p) || (chosen == -1 && p))
            m_reinforcement.SetValue(k, v);
    }
}

void TStrainProfile::FillChart(ChartPointSink& sink, const std::function<void()>& profileStarts) const
{
    const double f = UnitFactor(ukSectionLength);
    if (m_mode == 1) {
        if (profileStarts)
            profileStarts();
        for (int i = 0; i < m_profile.GetCount(); ++i)
            sink.AddPoint(m_profile.GetValue(i) * kStrainFactor, m_profile.GetDepth(i) * f);
        return;
    }
    if (m_longCount > 0) {
        sink.AddSeparator(kChartMarkers);
        const double bottom = m_beam.GetBottom();
        for (int k = 0; k < m_longCount; ++k)
            sink.AddPoint(m_reinforcement.GetValue(k) * kStrainFactor, (m_beam.GetLongLayer(k, 0)->z - bottom) * f);
        sink.AddSeparator(kChartSeparator);
    }
    if (profileStarts)
        profileStarts();
    const double h = Height();
    for (int k = 0; k <= kChartSteps; ++k) {
        const double z = h * k / kChartSteps;
        sink.AddPoint(m_profile.InterpolateQuadraticWithinRows(z) * kStrainFactor, z * f);
    }
}

void TStrainProfile::Write()
{
    // OK with nothing edited changes nothing: the profile shown in elevations above the bottom
    // and written back in depths could move a point by its last bit.
    if (!m_changed)
        return;
    TDepthTable absolute(m_profile.GetName());
    const double bottom = m_beam.GetBottom();
    for (int i = 0; i < m_profile.GetCount(); ++i)
        absolute.Add(m_profile.GetDepth(i) + bottom, m_profile.GetValue(i));
    if (m_mode == 0) {
        m_beam.SetShrinkThermCurve(absolute);
        for (int k = 0; k < m_reinforcement.GetCount(); ++k) {
            if (k < m_longCount)
                m_beam.SetLongLayerThermStrain(k, m_reinforcement.GetValue(k), 0);
            else
                m_beam.SetTransLayerValue(k - m_longCount, m_reinforcement.GetValue(k), kTransverseDirection);
        }
    } else {
        m_beam.SetStrainDiscontinuity(absolute);
    }
}
