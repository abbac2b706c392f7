#pragma once
// The membrane element panel: the framed sheet with the element's identification over the
// left 85 % of the panel, the catalogue strip of every membrane element in memory in the
// rest, and, for an element with a thickness, its properties table, its sketch and its
// reinforcement listings. Positions are device units from the panel origin (x, y).

#include <string>
#include <vector>

#include "platform/Types.h"
#include "views/DisplayContext.h"

namespace plat {
class DC;
}
class TStructure;

// Lines of the reinforcement patterns, plain layers and transverse layers of an element.
std::string DescribePatterns(const TStructure* element, int direction, const DisplayContext& u);
std::string DescribeLongLayers(const TStructure* element, int direction, const DisplayContext& u);
std::string DescribeTransLayers(const TStructure* element, const DisplayContext& u);

void PaintMembranePanel(plat::DC& dc, const TStructure* element, int x, int y, int w, int h, int flag,
                        const DisplayContext& u);
// The panel's texts are no smaller than the least text the program writes; a low panel writes
// them smaller (down to that) to stand in their rows, sets a line lower where even that is too
// tall, and leaves out whole what still finds no room.
void DrawElementProperties(plat::DC& dc, const TStructure& element, int x, int y, int W, int h, int m,
                           const DisplayContext& u);
// The listings end above the title block's notes (their boxes) where they stand over them,
// else above the title block (its top blockTop).
void DrawReinforcementLists(plat::DC& dc, const TStructure& element, int x, int y, int W, int h, int m,
                            const DisplayContext& u, int blockTop, const std::vector<plat::Rect>& notes);
// The strip: heading, count of every occupied structure slot, one row per membrane element
// with its thumbnail and name, the bound element's row marked.
void DrawElementCatalog(plat::DC& dc, const TStructure* element, int x, int y, int W, int w, int h, int m);
// The caption counting the experimental measurements is CountExperimentalPoints of the
// summary pages (app/summary/CrossSection.h).
