#pragma once
// The arithmetic of a chart's picture that does not need a device: margins from measured
// titles, the data-to-pixel transform of the two chart kinds, and where the ticks and number
// labels of each axis go. Text is measured by the caller's function, which must be the one
// that later draws it.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "charts/ChartTrace.h"
#include "platform/Types.h"

// Measures a marked-up label in the chart's text font.
using LabelMeasure = std::function<plat::Size(const std::string& markup)>;

struct ChartMargins {
    int top = 0;
    int left = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ChartMargins&) const = default;
};

// Scaling of the full chart. dh is the height of "0123456789" in the text font; W and H the
// chart's size.
ChartTransform ScaleBigChart(ChartData& data, int W, int H, const ChartMargins& margins, int dh,
                             const LabelMeasure& measure);

// The plot box of the full chart, its arguments as ScaleBigChart's: from the left end of the
// room for the x range to its right end, and from the top of the room for the y range down to
// its bottom row. An axis whose range has no extent is drawn across it.
plat::Rect BigChartPlotBox(ChartData& data, int W, int H, const ChartMargins& margins, int dh,
                           const LabelMeasure& measure);

// Scaling of the compact chart: -1 for a minimum and 1 for a maximum stand for the chart's own
// range. noteHeight > 0 when the note is drawn at the bottom. Sets the left, right and bottom
// margins.
ChartTransform ScaleIconChart(ChartData& data, int W, int H, ChartMargins& margins, int noteHeight,
                              double xa, double xb, double ya, double yb);

// The inset of a compact chart: 5 % of its width.
int IconChartInset(int W);

// Tick length of a chart W pixels wide.
int TickLength(int W);

struct AxisTick {
    plat::Point from;
    plat::Point to;
    bool operator==(const AxisTick&) const = default;
};

struct AxisLabel {
    std::string text;
    plat::Point at;
    unsigned hAlign = 0; // plat::TextAlign values
    unsigned vAlign = 0;
    // A range label of the y axis (beside the axis column at its value's row), else of x.
    bool ofY = false;
};

struct AxisPlan {
    std::vector<AxisTick> ticks;
    std::vector<AxisLabel> labels;
};

// Ticks of the x axis, laid out from zero in the x step, and the labels that do not crowd
// their neighbours (5 pixels apart at least).
AxisPlan PlanXAxisTicks(const ChartData& data, const ChartTransform& t, int W, bool labels,
                        const LabelMeasure& measure);
// Ticks of the y axis; h2 is half the height of "0123456789".
AxisPlan PlanYAxisTicks(const ChartData& data, const ChartTransform& t, int W, bool labels, int h2);

// The range labels of the compact chart under transform t: x start and x end at the axis
// row (inset from the ends), y max and y min (or "top" and "bot" without numeric range labels)
// beside the axis column; each only when its value is not zero.
std::vector<AxisLabel> PlanIconRangeLabels(const ChartData& data, const ChartTransform& t, int W);

// What a compact chart draws of its data, in pixels: the boxes of its markers and the
// stretches of its curves.
struct ChartInk {
    std::vector<plat::Rect> boxes;
    std::vector<std::pair<plat::Point, plat::Point>> lines;
};

// The ink of a chart's data under transform t, as TraceChartData draws it, with markers
// markerHalf pixels to each side of their point.
ChartInk TraceChartInk(const ChartData& data, const ChartTransform& t, int markerHalf);

// Whether a marker or a stretch of the ink comes within margin pixels of the box.
bool InkMeets(const ChartInk& ink, const plat::Rect& box, int margin);

// The range labels kept clear of the data's ink and of each other, within area. A range number
// stands at the end of the axis it names, a corner of its box at that end: at its own place,
// else across its axis (an x number above or below the row, a y number left or right of the
// column), else past the end (an x number beyond the axis's end, a y number above its top or
// below its foot), the first of these clear of the data, of the lines and of the numbers placed
// before it. Numbers side by side on the same rows keep a digit's width of blank between them
// (closer, two numbers read as one).
//
// lines are the boxes of the pixels of what the chart draws over the numbers' room besides its
// data (the axis lines and ticks): no number's letters ever meet one. A number whose letters a
// line crosses at one of those places also tries the places just across it (an x number
// sideways, a y number up or down) where its box still reaches its end.
//
// Where the data leave none of those places clear, the number takes the first clear of the
// data's markers, the lines and the numbers (the curve gives way round it); where there is none
// of those either, it is left out: a number is never moved along its axis to where it reads as
// another value, nor laid over the markers, the points of the data it would hide.
void KeepRangeLabelsClear(std::vector<AxisLabel>& labels, const ChartInk& ink, const plat::Rect& area,
                          const LabelMeasure& measure, const std::vector<plat::Rect>& lines = {});

// The box of a number's letters when drawn at its point with its alignment: its cell without
// the leading above the digits and the descent below. An axis line may run along the cell's
// edge rows; it never meets the letters.
plat::Rect NumberLettersBox(const AxisLabel& label, plat::Size extent);

// The places just across the lines (boxes of pixels) that meet a label's letters, nearest
// first: an x label moved sideways, a y label up or down, each until no line meets it, a pixel
// clear (at most a few lines over). Empty when no line meets the label.
std::vector<AxisLabel> PlacesAcrossLines(const AxisLabel& label, plat::Size extent,
                                         const std::vector<plat::Rect>& lines);

// The axis numbers of a full chart kept clear of the chart's lines (its axis lines and ticks)
// and of each other, within area: each number in turn, the y numbers first, stays where it is
// when its letters meet no line and come near no number kept before it (sideways, a few blank
// pixels stand between two numbers on the same rows); else it goes just across
// the line that crosses it where that place is clear of every line and number (and within
// area), and else it is left out.
void KeepAxisNumbersClear(AxisPlan& plan, const std::vector<plat::Rect>& lines, const plat::Rect& area,
                          const LabelMeasure& measure);

// The box a label of the given extent covers when drawn at its point with its alignment.
plat::Rect AxisLabelBox(const AxisLabel& label, plat::Size extent);
// The box of a tick, its end pixels included.
// Whether two boxes share a pixel (right and bottom edges excluded).
bool BoxesMeet(const plat::Rect& a, const plat::Rect& b);

// Whether the stretch from a to b passes through the box's pixels.
bool StretchMeetsBox(plat::Point a, plat::Point b, const plat::Rect& box);

plat::Rect AxisTickBox(const AxisTick& tick);

// The numbers of a full chart's axis plan whose boxes the data's ink comes near (within reach
// pixels) go to the other side of their axis where that place is clear: an x number above or
// below the row it stands at (tick pixels off it), a y number beside the axis column (the
// column's other side, as far off it). The place taken is clear of the ink, its letters meet
// none of the lines (axis lines and ticks), it keeps off every other number of both plans as
// they stand, and lies within area. ofY tells the plan of the y axis. A number with no such
// place stays where it is (the data give way round it there).
void MoveAxisNumbersOffTheInk(AxisPlan& plan, bool ofY, const AxisPlan& other, const ChartInk& ink, int reach,
                              int column, int tick, const std::vector<plat::Rect>& lines, const plat::Rect& area,
                              const LabelMeasure& measure);

// Leaves out the labels of the x plan whose boxes would overlap a label of the y plan, or
// stand on its rows nearer than numbers side by side keep (the two zeros where the axes cross
// at a corner, or at a chart of a single point).
void DropXLabelsOnYLabels(AxisPlan& x, const AxisPlan& y, const LabelMeasure& measure);
