#pragma once
// Drawing-sheet helpers: the sheet frame with its title block (drawn, or hit-tested for the
// summary page), horizontal and vertical dimension lines, arrowheads and etched frames.

#include <string>
#include <vector>

#include "platform/DC.h"

// Page hit codes of the title block.
inline constexpr int kSheetHitNone = 0;
inline constexpr int kSheetHitTitleBlock = 1;
inline constexpr int kSheetHitUnitNote = 2;
inline constexpr int kSheetHitEmblem = 7;
inline constexpr int kSheetHitOutside = 9;
inline constexpr int kSheetHitNote2 = 16;
inline constexpr int kSheetHitNote3 = 18;
// Texts of the title block and dimensions hold at most this many characters.
inline constexpr std::size_t kSheetTextLimit = 1023;

// "All dimensions in ..." of a unit system; empty for an unknown one.
std::string UnitNote(int unitSystem);

// The text of a dimension: the label, or the value with its unit system's decimals (0 SI, 1 US,
// 1 kg/cm) without trailing blanks.
std::string DimensionText(const std::string& label, double value, int unitSystem);

// Where the title block's parts lie, from the measured title and label pair.
struct TitleBlockLayout {
    int lineHeight = 0;  // lh
    int textColumn = 0;  // cw
    std::size_t titleChars = 0; // characters of the title that fit
};
// tw, th: the larger width and height of the title and the label pair in the title font; mh the
// height of "M" in it; n the reserved column count.
TitleBlockLayout LayoutTitleBlock(int w, int m, int n, int tw, int th, int mh,
                                  std::size_t titleLength);

struct TitleBlockTexts {
    std::string title;
    std::string leftLabel;
    std::string rightLabel;
    std::string note1;
    std::string note2;
    std::string note3;
};

// The width a sheet's title block and its notes are sized by (their fonts of w / 50 and w / 60):
// the sheet's width, but no more than kSheetSizingAspect times its height h, so that on a sheet
// far wider than it is high the block and the notes keep within its height.
inline constexpr double kSheetSizingAspect = 4.2;
int SheetSizingWidth(int w, int h);

// The font of the title block's notes: "Arial" of SheetSizingWidth(w, h) / 60, smaller when the widest note would
// reach over the page's bottom-left charts (the materials charts of the summary page: n
// columns of 0.2 w from 0.015 w, one for the concrete and one per steel kind) to within m of
// them, but no smaller than the least text: a note still too wide there is broken into lines,
// its first line a row higher for each line more, and the notes over it with it. The notes
// stand right-aligned at w - 2 m.
plat::LogFont NoteFont(plat::DC& dc, int w, int h, int m, int n, const std::vector<std::string>& notes);

// Draw flag 1 draws the sheet and answers y + h - 5 lh - 6 m - 2 (the top of the notes area);
// draw flag 0 answers the hit code of the point, writing field for codes 1 and 16 only. The
// emblem is the bitmap resource largeEmblem, or smallEmblem when the block is under 80 pixels
// high.
int DrawTitleBlock(plat::DC& dc, int x, int y, int w, int h, const TitleBlockTexts& texts,
                   int reservedColumns, int largeEmblem, int smallEmblem, int unitSystem,
                   int margin, int& field, plat::Point point, int drawFlag);
// The framed panel sheet of the member and membrane views: the title block under the names
// those views give its fields (name, author, institution, cover text, extra text, caption).
inline int DrawDimensionedPicture(plat::DC& dc, int x, int y, int w, int h, const std::string& name,
                                  const std::string& author, const std::string& institution,
                                  const std::string& cover, const std::string& extra,
                                  const std::string& caption, int steelKinds, int bitmap,
                                  int smallBitmap, int unitSystem, int margin, int& result,
                                  plat::Point point, int mode)
{
    return DrawTitleBlock(dc, x, y, w, h, {name, author, institution, cover, extra, caption},
                          steelKinds, bitmap, smallBitmap, unitSystem, margin, result, point, mode);
}

// The emblem's box in its square cell of side s at (left, top): scaled to 0.95 of the cell,
// centred.
plat::Rect EmblemBox(int left, int top, int s, int bitmapWidth, int bitmapHeight);

// A horizontal dimension between (x1, y1) and (x2, y2): side 0 above, 1 below, 2-4 on the line;
// its text a cell of size / 3, no smaller than the least text (as the vertical one's).
// Answers, for sides 2-4, the distance from the centre line to the far end of its text.
int DrawDimension(plat::DC& dc, int x1, int y1, int x2, int y2, int gap, const std::string& label,
                  double value, int side, int size, int unitSystem);
// A vertical dimension to the left of (x1, y1)-(x2, y2); answers the smallest x it occupies.
int DrawVerticalDimension(plat::DC& dc, int x1, int y1, int x2, int y2, int offset, int gap,
                          const std::string& label, double value, int unitSystem, int size);

// The base corners of an arrowhead with its tip at (x, y) pointing along the angle (degrees,
// 0 right, 90 down).
struct ArrowCorners {
    plat::Point p1;
    plat::Point p2;
};
ArrowCorners ArrowHeadCorners(int x, int y, int length, int width, double angleDegrees);
void DrawArrowHead(plat::DC& dc, int x, int y, int length, int width, double angleDegrees,
                   bool filled, plat::Color colour);

bool DrawEtchedFrame(plat::DC& dc, int x, int y, int w, int h);

// ---- Texts of the summary pages ------------------------------------------------------------
// A page's texts are no smaller than the least text the program writes (kLeastTextCharHeight,
// a character height): where a block has no room, its texts are made smaller down to that, then
// set in fewer rows, then left out whole.

// "Arial" of normal weight of that character height (a positive number).
plat::LogFont SheetFont(int charHeight, bool underline = false);
// A character height a page calls for, no less than the least text.
int ReadableHeight(int charHeight);
// The cell (ascent and descent) of the sheet font of that character height.
int SheetCell(plat::DC& dc, int charHeight, bool underline = false);
// The largest character height from the one called for down to the least text whose cell
// stands in room pixels; the least where even its cell is taller.
int FitSheetHeight(plat::DC& dc, int charHeight, int room, bool underline = false);
// Heights for two texts stacked in a band, the first over the second with a blank row between:
// the taller made smaller a pixel at a time, neither below the least text. Answers whether both
// stand in the band.
bool FitSheetPair(plat::DC& dc, int band, int& first, bool firstUnderlined, int& second);

// The marked-up text broken at its blanks into the fewest lines, each as many words as stand in
// room pixels at the font (a word wider than that stands on a line of its own); a plain text
// (marked false) is measured as it stands, its characters taken as Latin-1.
std::vector<std::string> WrapSheetText(plat::DC& dc, const std::string& text, const plat::LogFont& font, int room,
                                       bool marked = true);

// The heading and the count of an element catalogue column between its frame's top (top) and
// the separator under them (separator), over the column from left to right, centred at cx: at
// their places (the heading's foot 2 m under the frame, the count's m over the separator) where
// those leave them room, else the heading under the frame and the count over the separator,
// made smaller; where even the least text leaves no room, or the count is wider than the
// column, the count is left out. heading and count are the character heights called for.
void DrawCatalogHeading(plat::DC& dc, int left, int right, int cx, int top, int separator, int m,
                        int heading, bool underlined, int count, const std::string& countText);
