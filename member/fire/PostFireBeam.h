#pragma once
// The post-fire beam: a copy of a beam whose concrete is re-divided into horizontal bands of
// temperature-reduced concrete averaged across the width, and whose every longitudinal layer
// and stirrup layer gets its own temperature-reduced steel, from the temperature field of a
// finished fire model. The beam carries no thermal strain.
//
// Temperatures are read at (height above the section bottom, distance from the centre line),
// the distance capped at the section height (the grid's horizontal extent). The curves are
// those of the materials, without the resistance factors, which the analysis applies.

#include <array>
#include <memory>
#include <string>

#include "model/materials/MaterialTypes.h"
#include "model/StructureRecords.h"

class TBeam;
class TFireAnalysis_Base;
class TStructureSlots;

// Strips across the half-width over which a band's concrete and the strain profile average.
inline constexpr int kFireStrips = 15;
// Points of a band's compression curve (strain 0 to -0.0398 by -0.0002) and of a layer's
// tension curve (0 to 0.2999 by 0.0001).
inline constexpr int kFireConcretePoints = 200;
inline constexpr int kFireSteelPoints = 3000;
// Least factor a stirrup steel keeps, so that a burnt-out stirrup stays a valid, practically
// strengthless material.
inline constexpr double kMinStirrupFireFactor = 0.001;
// Entries of the thermal strain profile: heights 0, 1/25 .. 24/25 (each twice) and 1.
inline constexpr int kFireStrainEntries = 50;
inline constexpr int kFireStrainHeights = 25;

using FireStrainProfile = std::array<double, kFireStrainEntries>;

// The band between yBottom and yTop with the section's widths just inside it, concrete type k.
ConcreteRegionRec
MakeFireBandRegion(const TBeam& beam, int k, double yTop, double yBottom);
// The band concrete "Lay: k+1" at height y: a user curve averaging the reduced compression
// curves of the strips, and the strips' reduced tensile strength.
ConcreteTypeRec
MakeFireLayerConcrete(const TBeam& beam, const TFireAnalysis_Base& model, int k, double y);
// The steel "Lay: i+1" of longitudinal layer i: a user curve averaging its bars' reduced
// curves. A bar whose strength or stiffness factor is 0 carries nothing.
SteelTypeRec
MakeFireLayerSteel(const TBeam& beam, const TFireAnalysis_Base& model, int i, int rebarFireType);
// The steel "Stirrup: i+1" of stirrup layer i, reduced for the hottest of ten points along its
// leg, its factors at least kMinStirrupFireFactor; its strains stretched by 1 / kE so far as its
// rupture strain stays within what a section holds (a strand's within what its check keeps).
SteelTypeRec
MakeFireStirrupSteel(const TBeam& beam, const TFireAnalysis_Base& model, int i, int rebarFireType);
// The mean temperature rise across the width times 1e-5 per degree at the profile's heights.
FireStrainProfile ComputeFireStrainProfile(const TBeam& beam, const TFireAnalysis_Base& model);

// "Z <name> - After Fire", with " Next" appended while a structure of the table has that name;
// the source name is shortened so that the result fits a beam's name field.
std::string PostFireBeamName(const std::string& sourceName, const TStructureSlots& slots);

// The post-fire copy of the beam with bandCount - 1 bands (24 for a beam), named for the
// structure table, with the fire settings of the run: a general outline of its bands. It is the
// beam its document, saved in the active unit system, opens as: every value, those the fire
// gives it and those it keeps from the source, is the one that document gives back.
std::unique_ptr<TBeam> BuildPostFireBeam(const TBeam& beam,
                                         const TFireAnalysis_Base& model,
                                         int bandCount,
                                         const FireData& fire,
                                         const TStructureSlots& slots);
