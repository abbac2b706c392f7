#include "charts/TMixinChartOwner.h"

#include "platform/DC.h"

void TMixinChartOwner::DrawStructurePicture(plat::DC& dc, int, int, int, int, double)
{
    dc.TextOut(0, 0, "you need to implement the draw functions!");
}
