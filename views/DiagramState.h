#pragma once
// What the result diagrams keep of the state they show, and the display settings they draw
// with. A diagram never points into an analysis's states: it keeps a copy that it owns, so a
// stepping or deleted analysis cannot leave it reading freed data.

#include <memory>

#include "views/DisplayContext.h"

struct SectionState;
class TStructure;

// The state record alone: every array and table of the copy is empty.
std::unique_ptr<SectionState> CopyStateRecord(const SectionState& state);

// The record with the arrays a section picture reads: the four per-bar arrays (each as long as
// the state's, at most the sum of the layer counts of directions 1 and 0, at most 1 without a
// structure; an empty one holds kUndefined, "no value"), the node states (2n + 1) and layer definitions (n) of the state's n layers, and
// the transverse flags (the structure's transverse layers of direction 2, when the state has
// flags). Every other array and table is empty.
std::unique_ptr<SectionState> CopyDrawnState(const SectionState& state, const TStructure* structure);

// The display settings of a diagram: the program's at each paint, unless fixed (tests).
class DiagramDisplay {
public:
    DisplayContext Get() const { return m_fixed ? m_display : DisplayContext::FromSettings(); }
    void Fix(const DisplayContext& display)
    {
        m_display = display;
        m_fixed = true;
    }

private:
    DisplayContext m_display;
    bool m_fixed = false;
};
