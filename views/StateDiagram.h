#pragma once
// Base of the result diagrams that are handed the structure and then the state through
// AttachStructure, in that order (AttachState delivers the state; a second AttachStructure in a
// row stands for "no state", as when the view manager detaches every chart). Each keeps its own
// copy of the state, never the state itself.

#include <memory>

#include "charts/Tchart.h"
#include "views/DiagramPicture.h"

struct SectionState;

class TStateDiagram : public Tchart {
public:
    using Tchart::Tchart;
    ~TStateDiagram() override;

    void AttachStructure(TStructure* structure) override;
    void AttachState(const SectionState* state) override;
    // Re-arms the protocol (the structure comes next) and redraws.
    void AutoScale() override;

    const SectionState* GetStateCopy() const { return m_state.get(); }

protected:
    // The structure was stored; the state comes next.
    virtual void StructureAttached() {}
    // The copy the diagram keeps of a state handed to it.
    virtual std::unique_ptr<SectionState> CopyOf(const SectionState& state) = 0;
    // Replays a computed picture with the selection frame, or draws "no data"; false then.
    bool PaintPicture(plat::DC& dc, const DiagramPicture& picture);

    TStructure* m_structure = nullptr;
    std::unique_ptr<SectionState> m_state;
    int m_awaitingStructure = 1;
};
