#pragma once
// What the summary page draws with the chart library's drawing-sheet helpers and label
// renderer: the title block (drawn or hit-tested), dimension lines and marked-up labels
// ("|" Greek letter, "_" subscript, "^" superscript). The page reaches them only through
// these calls.

#include <string>
#include <string_view>

#include "platform/DC.h"

struct SheetTexts {
    std::string title;
    std::string leftLabel;
    std::string rightLabel;
    std::string note1;
    std::string note2;
    std::string note3;
};

// Draw flag 1 draws the sheet frame and title block and answers the top of its notes area;
// draw flag 0 answers the hit code of the point (0 inside the frame on nothing, 9 outside),
// writing field for the title row and the axial-load note.
int SheetTitleBlock(plat::DC& dc, int x, int y, int w, int h, const SheetTexts& texts,
                    int reservedColumns, int largeEmblem, int smallEmblem, int unitSystem,
                    int margin, int& field, plat::Point point, int drawFlag);

// A horizontal dimension: side 0 above, 1 below, 2 on the line; for side 2 answers the
// distance from the centre line to the far end of its text.
int SheetDimension(plat::DC& dc, int x1, int y1, int x2, int y2, int gap, double value, int side,
                   int size, int unitSystem);
// A vertical dimension offset to the left of (x1, y1)-(x2, y2); answers the smallest x it
// occupies.
int SheetVerticalDimension(plat::DC& dc, int x1, int y1, int x2, int y2, int offset, int gap,
                           double value, int unitSystem, int size);

// One line of markup drawn at (x, y) in the font with the alignments; answers its extent.
plat::Size SheetRichText(plat::DC& dc, int x, int y, std::string_view text,
                         const plat::LogFont& font, unsigned hAlign, unsigned vAlign);
plat::Size SheetMeasureRichText(plat::DC& dc, std::string_view text, const plat::LogFont& font);

// A sunken frame in the 3-D colours.
void SheetEtchedFrame(plat::DC& dc, int x, int y, int w, int h);
