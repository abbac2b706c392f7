#pragma once
// The stations of a full-member analysis: the positions along the member at which one
// cross-section each is analysed, and the four shear-force diagrams (raw and with their
// direct steps spread over an effective depth) that the stations draw their shears from.
//
// Everything lives in fixed arrays; lists that would overflow them are cut, with one
// message per placement.

#include <array>

#include "member/TMemberDefinition.h"

class TStructureSlots;

inline constexpr int kMaxStations = 512;
// Subdivision never brings the station count above this.
inline constexpr int kMaxSubdividedStations = 511;

class TMemberStations {
public:
    TMemberStations(const TMemberDefinition& definition, const TStructureSlots& slots)
        : m_d(definition), m_slots(slots)
    {
    }

    // Fills the four shear diagrams and the station positions. Always succeeds.
    void PlaceMemberStations();

    // True when no entry of list[0..n) lies within 0.0001 m of x.
    static bool IsNewPosition(double x, const double* list, int n);
    // Copies a shear diagram and turns each direct step into slopes over the effective depth
    // of the section there (to its left, its right, or both).
    void SpreadDirectShearSteps(const ShearDiagram& in, int n, ShearDiagram& out, int& outCount);

    int GetStationCount() const { return m_count; }
    double GetStation(int i) const { return m_x[static_cast<std::size_t>(i)]; }
    const std::array<double, kMaxStations>& Stations() const { return m_x; }

    // Dead (k = 1) and live (k = 0) shear diagrams, raw and adjusted.
    const ShearDiagram& RawShear(int k) const { return m_raw[static_cast<std::size_t>(k)]; }
    int RawShearCount(int k) const { return m_rawCount[static_cast<std::size_t>(k)]; }
    const ShearDiagram& AdjustedShear(int k) const { return m_adjusted[static_cast<std::size_t>(k)]; }
    int AdjustedShearCount(int k) const { return m_adjustedCount[static_cast<std::size_t>(k)]; }

protected:
    const TMemberDefinition& m_d;
    const TStructureSlots& m_slots;

private:
    double EffectiveDepth(double x) const;
    void AppendNew(double x);
    void SortStations();
    void BuildJumpList();
    void SplitAtJumps();
    void Subdivide();
    void RemoveNearDuplicates();
    void ReportOverflow();

    int m_count = 0;
    std::array<double, kMaxStations> m_x{};
    int m_jumpCount = 0;
    std::array<double, kMaxStations> m_jumps{};
    std::array<int, 2> m_rawCount{};
    std::array<ShearDiagram, 2> m_raw{};
    std::array<int, 2> m_adjustedCount{};
    std::array<ShearDiagram, 2> m_adjusted{};
    bool m_overflowReported = false;
};
