#pragma once
// The fields of a section state that the layer level reads and writes around a layer
// solution, in one place: the plane-section profile, the per-bar average stresses, stresses
// at cracks, bond stresses and unloading reference strains, and the node quantities over the
// depth.
//
// Per-bar arrays are read and written within their sizes only: a bar beyond them has no
// stress (0) and no unloading strain (0), and a write beyond them is dropped.

#include "analysis/layers/LayerEvaluation.h"

struct SectionState;

// The state's plane-section profile (reference strain e_x0 and curvature).
StrainProfile StateProfile(const SectionState& state);

// Average stress of bar i of list d (0 or 1); kRupturedStress or more marks a failed bar.
double BarAverageStress(const SectionState& state, int d, int i);
// Stores the stress at a crack of bar i of list d.
void SetBarCrackStress(SectionState& state, int d, int i, double value);
// Stores the bond stress of bar i of list 0.
void SetBarBondStress(SectionState& state, int i, double value);
// Unloading reference strain (plastic offset) of bar i of list d; a bar whose offset holds
// the "no value" mark unloads from 0.
double BarUnloadingStrain(const SectionState& state, int d, int i);

// The node quantity of a code (LayerQuantity) at depth y: quadratic through the top, middle
// and bottom node of the first layer holding y; depths within 1e-4 of the section's faces
// top and bottom count as on them; 0 outside the layers.
double
NodeQuantityAtDepth(const SectionState& state, int code, double y, double top, double bottom);
