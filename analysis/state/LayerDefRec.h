#pragma once
// One layer of a section's layer mesh.
//
// The mesh cuts the section's depth into horizontal layers, ordered from the top down. Each
// layer has a top, a middle and a bottom node; the node ids index the node-state array of a
// section state, and neighbouring layers share their boundary node. Depths are section
// co-ordinates in m, a larger depth lying higher.

#include <cstdint>

struct LayerDefRec {
    std::uint32_t NodeTop = 0;     // node id at Top
    std::uint32_t NodeMid = 0;     // node id at Mid
    std::uint32_t NodeBottom = 0;  // node id at Bottom
    std::uint32_t Settled = 0;     // 1: refined enough for the current solution
    std::int32_t ConcreteType = 0; // concrete type index of the region the layer lies in
    double Top = 0.0;
    double Mid = 0.0; // (Top + Bottom) / 2
    double Bottom = 0.0;
    double Thickness = 0.0; // Top - Bottom

    bool operator==(const LayerDefRec&) const = default;
};
