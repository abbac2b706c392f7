#pragma once
// What a result diagram draws, as a list of steps: the diagram's computation fills one from
// its data and its box size, the window replays it onto a device context. Tests read the
// steps (where every line, mark and label lands) without drawing anything.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Device.h"
#include "platform/Types.h"

namespace plat {
class DC;
}

enum class PlanOp {
    Pen,      // selects pen
    Brush,    // selects a solid brush of colour
    Line,     // points[0] to points[1] (the end pixel left out, as LineTo)
    Polyline, // points, joined
    Arc,      // the full ellipse in rect, not filled
    Pie,      // the full ellipse in rect, filled with the brush
    Fill,     // rect filled with colour
    Text,     // text (label markup) at points[0] in font, aligned hAlign/vAlign
    Clip,     // clips to rect
    Unclip,   // removes the clip
};

struct PlanStep {
    PlanOp op = PlanOp::Line;
    std::vector<plat::Point> points;
    plat::Rect rect;
    plat::Pen pen;
    plat::Color colour;
    std::string text;
    plat::LogFont font;
    unsigned hAlign = 0;
    unsigned vAlign = 0;
};

// The extent of one line of label markup in a font.
using PlanMeasure = std::function<plat::Size(std::string_view text, const plat::LogFont& font)>;
// Measures as the label renderer draws on dc.
PlanMeasure MeasureOn(plat::DC& dc);

// The rows that the letters of one line of label markup cover within its extent: the first
// and one past the last, counted from the extent's top. A line's extent is as high as its
// font's ascent and descent (and its subscripts' drop); its letters are often half of that.
using LetterRows = std::pair<int, int>;
using PlanLetters = std::function<LetterRows(std::string_view text, const plat::LogFont& font)>;
// The letters as the label renderer draws them: drawn alone on white and read row by row,
// taken to the extent measured on dc. A letter drawn larger than its line's font (a Greek
// letter) may rise above the extent's top: its rows count from the top row, or, where
// aboveTop, as rows above it (negative, up to four).
PlanLetters LettersOn(plat::DC& dc, bool aboveTop = false);

class DiagramPlan {
public:
    void Pen(const plat::Pen& pen);
    void Pen(int width, plat::Color colour) { Pen(plat::Pen{plat::PenStyle::Solid, width, colour}); }
    void Brush(plat::Color colour);
    void Line(plat::Point a, plat::Point b);
    void Polyline(std::vector<plat::Point> points);
    void Arc(const plat::Rect& box);
    void Pie(const plat::Rect& box);
    void Fill(const plat::Rect& r, plat::Color colour);
    void Text(const std::string& text, plat::Point at, const plat::LogFont& font, unsigned hAlign,
              unsigned vAlign);
    void Clip(const plat::Rect& r);
    void Unclip();

    const std::vector<PlanStep>& Steps() const { return m_steps; }
    // The steps of one kind, in order.
    std::vector<PlanStep> Of(PlanOp op) const;
    // The texts in drawing order.
    std::vector<std::string> Texts() const;
    // The first text step whose text is exactly this; null when none.
    const PlanStep* FindText(const std::string& text) const;

    // Draws the steps in order; the context's pen, brush and clip are as the steps leave them.
    void Replay(plat::DC& dc, bool blackAndWhite) const;

private:
    std::vector<PlanStep> m_steps;
};

// A rectangle from two corners in any order.
plat::Rect RectOf(plat::Point a, plat::Point b);

// The first `pairs` (x, y) pairs of chart data as a flat record, read in order as the result
// diagrams read their input; values past the end of the data read as -1.0. With
// skipLeadingSeparator a first pair whose x is above 1e30 is passed over.
std::vector<double> ReadDiagramRecord(const std::vector<double>& data, int pairs,
                                      bool skipLeadingSeparator = false);
