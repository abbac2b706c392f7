// The summary page's drawing-sheet calls, answered by the chart library's sheet helpers and
// label renderer.

#include "app/summary/SheetHelpers.h"

#include "charts/DrawingSheet.h"
#include "charts/RichText.h"

plat::Size SheetMeasureRichText(plat::DC& dc, std::string_view text, const plat::LogFont& font)
{
    return MeasureRichText(dc, text, font);
}

plat::Size SheetRichText(plat::DC& dc, int x, int y, std::string_view text,
                         const plat::LogFont& font, unsigned hAlign, unsigned vAlign)
{
    return DrawRichText(dc, x, y, text, font, hAlign, vAlign);
}

int SheetTitleBlock(plat::DC& dc, int x, int y, int w, int h, const SheetTexts& texts,
                    int reservedColumns, int largeEmblem, int smallEmblem, int unitSystem,
                    int margin, int& field, plat::Point point, int drawFlag)
{
    const TitleBlockTexts block{texts.title, texts.leftLabel, texts.rightLabel,
                                texts.note1, texts.note2,     texts.note3};
    return DrawTitleBlock(dc, x, y, w, h, block, reservedColumns, largeEmblem, smallEmblem,
                          unitSystem, margin, field, point, drawFlag);
}

int SheetDimension(plat::DC& dc, int x1, int y1, int x2, int y2, int gap, double value, int side,
                   int size, int unitSystem)
{
    return DrawDimension(dc, x1, y1, x2, y2, gap, std::string(), value, side, size, unitSystem);
}

int SheetVerticalDimension(plat::DC& dc, int x1, int y1, int x2, int y2, int offset, int gap,
                           double value, int unitSystem, int size)
{
    return DrawVerticalDimension(dc, x1, y1, x2, y2, offset, gap, std::string(), value,
                                 unitSystem, size);
}

void SheetEtchedFrame(plat::DC& dc, int x, int y, int w, int h) { DrawEtchedFrame(dc, x, y, w, h); }
