#pragma once
// The lines of a printed information panel, written as a block in the room between its
// neighbours (the page's edges, the panel's rules, the graphs): one line a row at the row
// pitch asked for or as much closer as the room needs, in the font asked for or as much lower
// as rows of that pitch and the room's width need. A block that would need letters lower than
// the least readable text goes on in more rows where its room holds them, else in two columns
// of half as many rows, and where even that does not hold it, it is left out whole: no line
// stands on another or on a rule.

#include <string>
#include <vector>

#include "platform/DC.h"

// Writes the lines of label markup inside room, from its top down, or with upward so that the
// last row ends on its bottom. Empty lines are skipped, and a line with a word wider than the
// room even in the least readable text is left out. Returns false when the block is left out.
// Without markup the lines are written as they stand (names and bylines the user typed).
bool WritePanelLines(plat::DC& dc, const std::vector<std::string>& lines, plat::LogFont font,
                     const plat::Rect& room, int pitch, bool upward = false, bool markup = true);
