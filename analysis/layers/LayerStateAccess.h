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

// The node quantity of a code (LayerQuantity, 9876 ... 9888) of a solved state at depth y:
// the parabola through the top, middle and bottom node of the first layer, from the top,
// that holds y. Depths within 1e-4 of the mesh's bottom or top count as on it; outside the
// mesh the answer is 0.0. A missing state answers -1.0, a state without layers, a depth in
// no layer and an unknown code answer 0.0, each after a message.
double InterpolateLayerValue(const SectionState* state, int code, double y);
