#pragma once
// The imposed strains of a beam as the strain dialog edits them, without its window: mode 0
// the shrinkage and thermal strain over the depth with one strain per reinforcement layer,
// mode 1 the longitudinal strain discontinuity over the depth. Elevations are measured from
// the section bottom (m); strains are ratios, shown in mm/m. Complaints go through the
// reporter. Nothing reaches the beam before Write.

#include <functional>
#include <string>
#include <vector>

#include "foundation/TDepthTable.h"

class ChartPointSink;
class TBeam;

class TStrainProfile {
public:
    // Combo entries before the layers: all longitudinal, non-prestressed, prestressed layers.
    static constexpr int kGroupEntries = 3;

    TStrainProfile(TBeam& beam, int mode);

    int GetMode() const { return m_mode; }
    const TDepthTable& Profile() const { return m_profile; }
    const TDepthTable& Reinforcement() const { return m_reinforcement; }
    bool Changed() const { return m_changed; }

    // The profile reaches from the bottom to the top (points of zero strain are added), and
    // the list rows.
    std::vector<std::string> Rows();
    int GetSelectedRow() const { return m_selected; }
    void SelectRow(int row);
    void RowFields(int row, std::string& elevation, std::string& strain) const;
    // The chart readout point of a row: the row (mode 1) or the elevation in hundredths of
    // the height (mode 0; 0 for a section without height).
    int ReadoutIndex(int row) const;

    // Typed elevation (display units) and strain (mm/m).
    void Add(const std::string& elevation, const std::string& strain);
    void Modify(const std::string& elevation, const std::string& strain);
    void Delete();
    // The field whose typed value the last Add, Modify or Set refused (its text stays for
    // retyping), or -1.
    static constexpr int kElevationField = 0, kStrainField = 1;
    int RefusedField() const { return m_refusedField; }

    // Mode 0: the reinforcement choice (combo index), its strain shown, and "Set".
    std::vector<std::string> ReinforcementItems() const;
    std::string ReinforcementStrain(int item) const;
    void Set(int item, const std::string& strain);

    // The chart's points in display units (strain, elevation): mode 0 the layers' strains as
    // markers, then the profile as 101 points over the height; mode 1 the profile's points.
    // profileStarts runs just before the profile line's first point.
    void FillChart(ChartPointSink& sink, const std::function<void()>& profileStarts = {}) const;
    // OK: writes the profile (and the layer strains) to the beam; nothing when nothing was
    // edited.
    void Write();

private:
    bool CheckElevation(double e, int modifiedRow) const;
    void EnsureEnds();
    double Height() const;
    int LongCount() const { return m_longCount; }
    bool IsPrestressed(int layer) const;
    double Average(int group) const;

    TBeam& m_beam;
    int m_mode;
    int m_longCount = 0;
    int m_selected = 0;
    int m_refusedField = -1;
    bool m_changed = false;
    TDepthTable m_profile{"Local copy of concrete strains"};
    TDepthTable m_reinforcement{"Local copy of reinforce strains"};
};
