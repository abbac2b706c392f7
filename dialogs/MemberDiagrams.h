#pragma once
// The pictures of the member sheet's pages, drawn through the layer's device context into a
// box given in that context's coordinates (a group box's rectangle): the quick page's
// schematic moment diagram, the materials page's member sketch, and the loading pages'
// moment and shear diagrams drawn to scale along the member.

#include "dialogs/MemberPages.h"

namespace plat {
class DC;
}

// From the quick page's fields as typed: axis, moment line and the centre-line mark.
void DrawQuickDiagram(plat::DC& dc, const QuickFields& typed, const DiagramBox& box);
// The zones coloured by section, the selected boundary in red, the supports under the member.
void DrawMemberSketch(plat::DC& dc, const TMemberDefinition& d, int selectedZone, const DiagramBox& box);
// Diagram k with the selected point j marked (j outside the diagram: no mark, title 0.00).
void DrawMomentDiagram(plat::DC& dc, const TMemberDefinition& d, int k, int j, const DiagramBox& box);
void DrawShearDiagram(plat::DC& dc, const TMemberDefinition& d, int k, int j, const DiagramBox& box);
