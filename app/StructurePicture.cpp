// The picture of the current structure that boxes and the depth chart ask the main window for.

#include "app/TQuarvishWindow.h"
#include "app/summary/CrossSection.h"
#include "model/TStructure.h"

void TQuarvishWindow::DrawStructurePicture(plat::DC& dc, int mode, int width, int height, int fill,
                                           double textScale) {
    const TStructure* structure = GetCurrentStructure();
    if (!structure || structure->GetKind() != kKindBeam)
        return;
    if (mode != 0)
        DrawSectionWithCallouts(dc, structure, 0, 0, width, height, fill, textScale);
    else
        DrawSectionInRect(dc, *structure, 0, 0, width, height, fill, 1);
}
