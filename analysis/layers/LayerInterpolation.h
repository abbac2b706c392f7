#pragma once
// A node quantity of a solved state at any depth.

struct SectionState;

// The quantity of the code (9876 ... 9888, LayerQuantity) at depth y: the parabola through
// the values at the top, middle and bottom node of the first layer, from the top, that holds
// y. Depths within 1e-4 of the ends of the mesh snap to them; 0.0 outside the mesh. A missing
// state answers -1.0, and a state without layers, a depth that no layer holds or an unknown
// code answers 0.0, each after a message.
double InterpolateLayerValue(const SectionState* state, int code, double y);

// The same without messages, for the section integration: 0.0 for anything the above reports.
double LayerValueAtDepth(const SectionState& state, int code, double y);
