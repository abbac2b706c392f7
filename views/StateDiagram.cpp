#include "views/StateDiagram.h"

#include "analysis/state/SectionState.h"

TStateDiagram::~TStateDiagram() = default;

void TStateDiagram::AttachStructure(TStructure* structure)
{
    if (m_awaitingStructure) {
        m_structure = structure;
        StructureAttached();
        TBoxItem::AttachStructure(structure);
        m_awaitingStructure = 0;
        return;
    }
    // The state's turn, handed no state.
    AttachState(nullptr);
}

void TStateDiagram::AttachState(const SectionState* state)
{
    m_state.reset();
    SetShownState(state);
    m_awaitingStructure = 1;
    if (state)
        m_state = CopyOf(*state);
}

void TStateDiagram::AutoScale()
{
    m_awaitingStructure = 1;
    if (IsCreated())
        Invalidate(true);
}

bool TStateDiagram::PaintPicture(plat::DC& dc, const DiagramPicture& picture)
{
    if (picture.noData) {
        DrawNoData(dc);
        return false;
    }
    ReplayPicture(dc, picture, m_blackAndWhite != 0);
    if (IsSelected() && !m_blackAndWhite)
        DrawSelectionOn(dc);
    return true;
}
