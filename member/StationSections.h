#pragma once
// The section of each member station: a copy of the zone's section loaded with the dead
// (constant) and live (increment) axial load, moment and shear that the member diagrams give
// at the station, its draped tendons moved to their height there, its stirrups averaged over
// one section height, and its bar strengths reduced near ends anchored by straight bars.

#include <memory>

#include "member/MemberStations.h"

class TBeam;

// The analysis's own stations with the operations that give each station its section.
class TStationSections : public TMemberStations {
public:
    using TMemberStations::TMemberStations;

    // Load case k (1 dead, 0 live) at x: its axial load, the moment of diagram k and the
    // shear of the given (adjusted) shear diagram.
    void GetMemberLoadsAt(double x, int k, const ShearDiagram& shear, int count, double& N, double& M, double& V) const;
    // Moves the longitudinal layers by drape x (distance from the zone's middle), kept inside
    // the section; one message per member (warned is the caller's flag, 0 at first).
    void DrapeStationTendons(TBeam& section, double x, int& warned) const;
    // Scales the stirrups to the capacity averaged over one section height around x (adding
    // an "AutoGen" layer where the section has none but its neighbourhood has).
    void SetStationStirrups(TBeam& section, double x) const;
    // Reduces the yield and ultimate strengths of bars near an end anchored by straight bars
    // (development length 50 bar diameters). 1 when strengths were changed, else 0.
    int ReduceAnchorageStrength(TBeam& section, double x) const;

    // The loaded section of station i; null (after a message) when the zone has no beam
    // section. Every station after the first no longer asks the tension-stiffening question.
    std::unique_ptr<TBeam> BuildStationSection(int i, int& warned) const;

    // Stirrup capacity per unit length of a section: web width x largest rho fy (N/m).
    static double StirrupCapacity(const TBeam& section);

private:
    const TBeam* ZoneBeam(double x) const;
};
