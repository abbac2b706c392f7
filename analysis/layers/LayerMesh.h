#pragma once
// The layer mesh of a beam-section analysis.
//
// The section's depth is cut into horizontal layers, from the top of the first concrete
// region down to the section bottom:
//
//  - Region pass: a region of depth d in a section of height H gets
//    m = trunc(8 d / (H + 0.0001) + 0.99) divisions, that is m - 1 layers of equal thickness,
//    or a single layer when m < 2 (so a full-height region gets 7 layers, an eighth of the
//    height 1). Where the concrete type changes between neighbouring regions, or the width
//    jumps by more than 0.01 m, a thin layer 0.0001 m thick (with the upper region's type) is
//    centred on the boundary, so that no layer straddles the change.
//  - Bar pass: each longitudinal bar is given a layer of its own by boundaries at the edges
//    of its diameter, where these edges lie inside a layer and leave parts thicker than
//    H / 2048 on both sides.
//
// Layer i of a finished mesh has node ids 2i, 2i + 1 and 2i + 2 (2n + 1 nodes for n layers),
// its bottom at the next layer's top, and the last bottom at the section bottom. Layers split
// later by the layer solution live only in the state that was solved.
//
// The layer array holds `capacity` entries (120 for beam-section analyses); while the mesh is
// built it also holds one entry past the last layer, whose top is the section bottom, so at
// most capacity - 1 layers fit. The bar pass stops refining once the mesh has capacity - 3
// layers. A section whose regions alone need more layers than that is refused.

#include <vector>

#include "analysis/state/LayerDefRec.h"

class TStructure;

// Capacity of the layer array of a beam-section analysis.
inline constexpr int kMaxBeamLayerCount = 120;

// Message shown when the regions need more layers than the array holds.
inline constexpr const char* kLayerCountErrorText = "Error in number of layers";
inline constexpr const char* kLayerCountErrorCaption = "Concrete Analaysis";

struct LayerMesh {
    // Sized to the capacity by the first build; the first LayerCount entries are the mesh.
    std::vector<LayerDefRec> Layers;
    int LayerCount = 0;
};

// Builds the mesh of the structure's concrete regions and longitudinal bars into mesh, with a
// layer array of maxLayerCount entries. Returns 1. When the regions need more layers than fit
// (more than maxLayerCount - 1), shows kLayerCountErrorText, writes no layer, sets LayerCount
// to 0 and returns 0: the analysis must not run on that section.
[[nodiscard]] int BuildLayerMesh(const TStructure& structure,
                                 LayerMesh& mesh,
                                 int maxLayerCount = kMaxBeamLayerCount);

// Copies the mesh's LayerCount layers into a state's layer array and sets the state's count;
// the array grows when it is too small for them. Returns 1.
int CopyLayerMeshToState(const LayerMesh& mesh,
                         std::vector<LayerDefRec>& stateLayers,
                         int& stateLayerCount);
