#pragma once
// The layer definitions of a mesh state for the diagram tests and benchmarks.

#include <cstdint>

#include "analysis/state/SectionState.h"

// Appends the n layers whose top, middle and bottom nodes are 2i, 2i + 1 and 2i + 2 of the
// state's node states (which must hold 2n + 1), each with the depths of its end nodes.
inline void AddMeshLayerDefs(SectionState& s, int n)
{
    for (int i = 0; i < n; ++i) {
        LayerDefRec d;
        d.NodeTop = static_cast<std::uint32_t>(2 * i);
        d.NodeMid = d.NodeTop + 1;
        d.NodeBottom = d.NodeTop + 2;
        d.Top = s.NodeStates[d.NodeTop].Depth;
        d.Bottom = s.NodeStates[d.NodeBottom].Depth;
        s.LayerDefs.push_back(d);
    }
}
