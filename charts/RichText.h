#pragma once
// Label markup: the one renderer that measures and draws every chart, page and panel label.
//
//   ^c   c as a superscript (0.8 of the label height, raised by 0.35 of its own height)
//   _c   c as a subscript (0.8 of the height, lowered by 0.35 of its own height)
//   |c   c in the Symbol face at 1.2 of the height (Latin letters give Greek ones)
//   LF   a line break (the multi-line form; the single-line form stops there, as at CR)
//   \1 L T W   an inline line sample: L pixels of chart line type T with pen width W
//              (signed bytes)
//
// A label is measured with the same calls that draw it. Alignments are the plat::TextAlign
// values; any vertical value with the bottom bit (8) aligns a marked-up label by its bottom.

#include <string>
#include <string_view>

#include "platform/DC.h"

// The three fonts of a label.
enum class RichFont { Label, Script, Symbol };

// What the renderer draws on. Text positions are left/top or left/bottom as set by SetAlign.
class RichTextTarget {
public:
    virtual ~RichTextTarget() = default;
    virtual plat::Size Extent(RichFont font, std::string_view text) = 0;
    virtual void Text(RichFont font, int x, int y, std::string_view text) = 0;
    virtual void SetAlign(unsigned align) = 0;
    // An inline sample: the pen of line type T with width and style, from (x0, y) to (x1, y).
    virtual void Sample(int lineType, int width, int style, int x0, int x1, int y) = 0;
    // Pixels added before a raised or lowered character that follows the run before: none
    // where the text is drawn as measured. A mapping that enlarges the text draws a run in the
    // enlarged font, wider than its measure at the logical size, and the character would run
    // into the run's last letter.
    virtual int ScriptGap(std::string_view before)
    {
        (void)before;
        return 0;
    }
};

// One line of markup at (x, y); draws unless measureOnly; returns its extent.
plat::Size RenderRichText(RichTextTarget& target, int x, int y, std::string_view text,
                          unsigned hAlign, unsigned vAlign, bool measureOnly, bool blackAndWhite);
// Several lines separated by line feeds, stacked downward 2 pixels apart (a line under another
// set lower by as much as its Greek letters rise over its top), each aligned on its own; lines
// receives the number of lines.
plat::Size RenderRichTextLines(RichTextTarget& target, int x, int y, std::string_view text,
                               unsigned hAlign, unsigned vAlign, int& lines, bool measureOnly,
                               bool blackAndWhite);

// The same on a device context in a label font. After a marked-up label the label font and
// its alignment stay selected, and after an inline sample its pen.
plat::Size RenderRichText(plat::DC& dc, int x, int y, std::string_view text,
                          const plat::LogFont& font, unsigned hAlign, unsigned vAlign,
                          bool measureOnly, bool blackAndWhite);
plat::Size RenderRichTextLines(plat::DC& dc, int x, int y, std::string_view text,
                               const plat::LogFont& font, unsigned hAlign, unsigned vAlign,
                               int& lines, bool measureOnly, bool blackAndWhite);
plat::Size DrawRichText(plat::DC& dc, int x, int y, std::string_view text,
                        const plat::LogFont& font, unsigned hAlign, unsigned vAlign,
                        bool blackAndWhite = false);
plat::Size MeasureRichText(plat::DC& dc, std::string_view text, const plat::LogFont& font);
// How far the Greek letters of one line (in the taller Symbol face, standing on the line's foot)
// may rise over the top of the extent MeasureRichText gives it: 0 for a line without them.
int MeasureRichTextRise(plat::DC& dc, std::string_view text, const plat::LogFont& font);
plat::Size DrawRichTextLines(plat::DC& dc, int x, int y, std::string_view text,
                             const plat::LogFont& font, int& lines, unsigned hAlign,
                             unsigned vAlign, bool blackAndWhite = false);
plat::Size MeasureRichTextLines(plat::DC& dc, std::string_view text, const plat::LogFont& font,
                                int& lines);

// The font at its own height, or lowered as far as the one-line label needs to be at most room
// pixels wide: a label that must stay whole between two edges (a chart's note, a pane's line).
// The height keeps its sign (character or cell height) and never drops below 1.
plat::LogFont FitRichTextFont(plat::DC& dc, std::string_view text, plat::LogFont font, int room);

// One line of markup reading upward, its start at (x, y) and its top edge along x (the
// y-axis title of a chart); the font is turned by a quarter. Returns the unturned extent.
plat::Size DrawRichTextUpward(plat::DC& dc, int x, int y, std::string_view text,
                              const plat::LogFont& font);

// The pen style of a visible line style 0..4 (solid, dash, dot, dash-dot, dash-dot-dot),
// other numbers taken round them.
plat::PenStyle VisiblePenStyle(int style);
// Selects the pen of a chart line type (see LineTypes.h) into the context.
void SelectLineTypePen(plat::DC& dc, int lineType, int width, bool blackAndWhite, int style,
                       plat::Color colour);

// The fonts derived from a label font: superscripts and subscripts at 0.8 of its height,
// Symbol characters at 1.2 in the "Symbol" face; everything else copied.
plat::LogFont DerivedRichFont(const plat::LogFont& label, RichFont font);

// A single-byte label as the UTF-8 the device takes (bytes from 0x80 are Latin-1).
std::string LabelToUtf8(std::string_view text);
