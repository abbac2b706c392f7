#pragma once
// One layer of the layer mesh that cuts a beam section's depth into horizontal layers.
//
// Each layer has a top, a middle and a bottom node; the node ids index the node-state array
// of a section state. A freshly built mesh gives layer i the ids 2i, 2i+1 and 2i+2, so that
// neighbouring layers share their boundary node; layers made later by splitting take other
// ids, so consumers go through the ids and never assume 2i.
//
// Depths are section co-ordinates in m (a larger depth lies higher); layers run from the top
// of the section down.

#include <cstdint>

struct LayerDefRec {
    std::uint32_t TopNode = 0;     // node id of the top face
    std::uint32_t MidNode = 0;     // node id of the middle
    std::uint32_t BottomNode = 0;  // node id of the bottom face
    std::uint32_t Flag = 0;        // settled flag: 1 once the layer needs no further refinement
    std::int32_t ConcreteType = 0; // index of the layer's concrete type in the structure
    double TopDepth = 0.0;
    double MidDepth = 0.0; // (top + bottom) / 2
    double BottomDepth = 0.0;
    double Thickness = 0.0; // top - bottom, positive

    bool operator==(const LayerDefRec&) const = default;
};
