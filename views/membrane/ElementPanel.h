#pragma once
// The membrane element panel: the framed sheet with the element's identification over the
// left 85 % of the panel, the catalogue strip of every membrane element in memory in the
// rest, and, for an element with a thickness, its properties table, its sketch and its
// reinforcement listings. Positions are device units from the panel origin (x, y).

#include <string>

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
void DrawElementProperties(plat::DC& dc, const TStructure& element, int x, int y, int W, int h, int m,
                           const DisplayContext& u);
void DrawReinforcementLists(plat::DC& dc, const TStructure& element, int x, int y, int W, int h, int m,
                            const DisplayContext& u);
// The strip: heading, count of every occupied structure slot, one row per membrane element
// with its thumbnail and name, the bound element's row marked.
void DrawElementCatalog(plat::DC& dc, const TStructure* element, int x, int y, int W, int w, int h, int m);
// The caption counting the experimental measurements is CountExperimentalPoints of the
// summary pages (app/summary/CrossSection.h).
