#pragma once
// Circular and distributed reinforcement patterns.
//
// The input pages store a pattern as layers that carry a pattern code (1 circular, 2
// distributed), the pattern's slot ("index"), the total number of bars ("nround") and an
// alignment flag. Validation collects these layers into the structure's pattern records and
// works out each circle; the input pages expand the records back into layers.
//
// A circular pattern of n bars lies on a circle of radius R about the elevation C. Aligned,
// bars sit at the angles a = 2 pi k / n from the top; not aligned, at 2 pi (k + 1/2) / n.
// A bar at z = C + R cos a stands for itself at a = 0 and a = pi, and for a pair mirrored
// about the vertical axis at any other angle.

#include <vector>

#include "model/StructureRecords.h"

class TStructure;

// The pattern slots of direction d (0 for a direction without patterns).
int PatternSlotCount(const TStructure& structure, int direction);

// A pattern layer naming a slot past the pattern array (damaged or foreign data) belongs to no
// pattern: it becomes a plain layer of its own bars, which is what the analysis takes from it,
// and the structure is told once, naming it, the layer and the slot. Validation runs it before
// the patterns are collected.
int RepairPatternSlots(TStructure& structure);

// Collects the circular patterns of direction x into its pattern records (not cleared
// first), works out their circles and turns the layers of incomplete patterns into plain
// layers. More patterns than slots: "Too many circular rebar patterns. Will continue with
// limited list" and the collection stops; a pattern it had begun still takes in the rest of its
// own layers, so that it is not taken for incomplete.
int BuildCircularPatterns(TStructure& structure);

// Rebuilds the distributed patterns of a direction from scratch, drops incomplete ones and
// sorts the layers of both directions. More patterns than slots: "Too many distributed rebar
// patterns. Will continue with limited list" and the build stops (the layers unsorted).
int BuildDistributedPatterns(TStructure& structure, int direction);

// The layers a pattern record in use gives back (slotIndex its slot), as ExpandPatterns adds
// them, at most `most` of them: a circle from its top down, a distributed pattern from its
// lowest layer up; each takes the bar data, prestrain and spacing of the record's layer.
std::vector<LongLayerRec> PatternRecordLayers(const ReinfPatternRec& slot, int slotIndex, int most);

// Appends to direction d the layers of the circular patterns of direction x and of the
// distributed patterns of direction d.
int ExpandPatterns(int direction, TStructure& structure);

// Replaces the layers of direction d that patterns generated (pattern code 1 or 2) by those
// the pattern records give now (ExpandPatterns); the plain layers stay. The input pages call
// it after writing the pattern records back.
int ResetDefaultLongLayers(int direction, TStructure& structure);

// The collected record of the pattern a layer of direction d belongs to (a circle's is kept with
// direction x, a distributed pattern's with d), without a message:
// null for a plain layer and for a pattern layer whose pattern has no record (a slot past the
// array, an incomplete or uncollected pattern). Such a layer is shown as the plain layer the
// analysis takes.
const ReinfPatternRec*
PatternRecordOf(const TStructure& structure, const LongLayerRec& layer, int direction);
