#include "charts/ChartAxes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/DC.h"

namespace {

constexpr int kMaxXTicks = 101;
constexpr int kMaxYTicks = 31;
constexpr int kMaxWidthLabels = 51;
constexpr int kLabelGap = 5;
// Numbers side by side keep this many blank pixels between their cells (a cell's advance holds
// hardly a pixel of blank at each end): the x numbers along their axis keep more.
constexpr int kNumberGap = 4;
// A y range number stands this many pixels off the axis column.
constexpr int kRangeLabelOffset = 2;
constexpr double kScaleLimit = 100000.0;
// A full chart's range narrower than this has no extent: its axis stands in the middle of the
// plot. Any wider one, however small (the shear strain of a section carrying no shear, a few
// hundred-millionths), is spread over the plot, and the room for the y numbers beside the axis
// is worked out on the same test.
constexpr double kNoExtent = 1e-20;

// True when the range lies wholly on one side of zero.
bool OneSided(double lo, double hi) { return (lo > 0 && hi > 0) || (lo < 0 && hi < 0); }

} // namespace

int TickLength(int W) { return std::max(W / 100, 4); }

int IconChartInset(int W) { return static_cast<int>(0.05 * W); }

namespace {

// The room of the full chart's plot: left column x0 and width A of the x range, bottom row b
// and height of the y range.
struct BigChartRoom {
    double x0 = 0.0;
    double width = 0.0;
    double bottom = 0.0;
    double height = 0.0;
};

BigChartRoom BigChartPlotRoom(ChartData& data, int W, int H, const ChartMargins& margins, int dh,
                              const LabelMeasure& measure)
{
    const ChartBounds& axis = data.AxisRange();
    int bottomExtra = 0;
    int topExtra = 0;
    int leftExtra = 0;
    int rightExtra = 0;
    if (std::fabs(axis.yMin) < 1e-10)
        bottomExtra = dh;
    else if (std::fabs(axis.yMax) < 1e-6)
        topExtra = dh;

    // The widest y label; a y range of no extent has one label, that of its value.
    int wy = 0;
    double v = axis.yMin;
    for (int n = 0; n < kMaxWidthLabels && (v < axis.yMax || n == 0); ++n) {
        wy = std::max(wy, measure(FormatAxisLabelText(data.YFormat(), v)).cx);
        v = axis.yMin + (n + 1) * data.YStep();
    }

    data.UpdateClippedRange();
    const double xs = data.XStart();
    const double xe = data.XEnd();
    const double r = xe - xs;
    if (std::fabs(r) > kNoExtent && W - margins.left > 0) {
        const double q = static_cast<double>(wy) / (W - margins.left);
        if (xe / r < q)
            rightExtra = wy;
        if (std::fabs(xs) < std::fabs(xe) && xe > 0.75 * r)
            leftExtra = wy;
        if (-xs / r < q)
            leftExtra = wy;
        if (std::fabs(xe) < std::fabs(xs) && xe < 0.25 * r)
            rightExtra = wy;
    }

    const int pad = std::max({W / 40, H / 40, 5});
    rightExtra += pad;
    bottomExtra += pad;
    topExtra += pad;
    const int leftTotal = leftExtra + pad + 2 * TickLength(W);

    BigChartRoom room;
    room.bottom = H - margins.bottom - bottomExtra;
    room.height = room.bottom - margins.top - topExtra;
    room.x0 = margins.left + leftTotal;
    room.width = W - margins.right - margins.left - rightExtra - leftTotal;
    return room;
}

} // namespace

ChartTransform ScaleBigChart(ChartData& data, int W, int H, const ChartMargins& margins, int dh,
                             const LabelMeasure& measure)
{
    const BigChartRoom room = BigChartPlotRoom(data, W, H, margins, dh, measure);
    const ChartBounds& axis = data.AxisRange();
    ChartTransform t;
    const double dyRange = axis.yMax - axis.yMin;
    if (std::fabs(dyRange) > kNoExtent) {
        t.yScale = room.height / dyRange;
        t.yOffset = room.bottom + room.height * axis.yMin / dyRange;
    } else {
        t.yOffset = room.bottom;
    }
    const double xs = data.XStart();
    const double r = data.XEnd() - xs;
    if (std::fabs(r) > kNoExtent) {
        t.xScale = room.width / r;
        t.xOffset = room.x0 - room.width * xs / r;
    } else {
        t.xOffset = room.x0 + room.width / 2;
    }
    return t;
}

plat::Rect BigChartPlotBox(ChartData& data, int W, int H, const ChartMargins& margins, int dh,
                           const LabelMeasure& measure)
{
    const BigChartRoom room = BigChartPlotRoom(data, W, H, margins, dh, measure);
    return plat::Rect{ChartPixel(room.x0), ChartPixel(room.bottom - room.height), ChartPixel(room.x0 + room.width),
                      ChartPixel(room.bottom)};
}

ChartTransform ScaleIconChart(ChartData& data, int W, int H, ChartMargins& margins, int noteHeight,
                              double xa, double xb, double ya, double yb)
{
    data.UpdateClippedRange();
    const int inset = IconChartInset(W);
    margins.left = margins.right = inset;
    margins.bottom = inset + std::max(noteHeight, 0);
    const ChartBounds& axis = data.AxisRange();
    const double x0 = xa == -1 ? data.XStart() : xa;
    const double x1 = xb == 1 ? data.XEnd() : xb;
    const double y0 = ya == -1 ? axis.yMin : ya;
    const double y1 = yb == 1 ? axis.yMax : yb;

    ChartTransform t;
    const double aw = W - margins.left - margins.right;
    if (std::fabs(x1 - x0) > 1e-6) {
        t.xScale = aw / (x1 - x0);
        t.xOffset = margins.left - aw * x0 / (x1 - x0);
    } else {
        t.xOffset = margins.left + aw / 2;
    }
    t.xScale = std::min(t.xScale, kScaleLimit);
    const double b = H - margins.bottom;
    const double ah = b - margins.top;
    if (std::fabs(y1 - y0) > 1e-6) {
        t.yScale = ah / (y1 - y0);
        t.yOffset = b + ah * y0 / (y1 - y0);
    } else {
        t.yOffset = b;
    }
    t.yScale = std::min(t.yScale, kScaleLimit);
    return t;
}

AxisPlan PlanXAxisTicks(const ChartData& data, const ChartTransform& t, int W, bool labels,
                        const LabelMeasure& measure)
{
    using namespace plat::TextAlign;
    AxisPlan plan;
    const int tick = TickLength(W);
    const ChartBounds& axis = data.AxisRange();
    const double xs = data.XStart();
    const double xe = data.XEnd();
    const double step = data.XStep();

    const bool oneSided = OneSided(axis.yMin, axis.yMax);
    const int axisRow = ChartPixel(t.yOffset);
    const int labelRow = oneSided ? ChartPixel(t.yOffset - axis.yMin * t.yScale) : axisRow;
    // A y range of no extent (every value 0) has its x axis on the plot's bottom row, with the
    // room for the numbers below it.
    const bool flat = !(std::fabs(axis.yMax - axis.yMin) > 1e-20);
    const bool above = !flat && std::fabs(axis.yMax) <= std::fabs(axis.yMin);
    const unsigned vAlign = above ? Bottom : Top;
    const int labelY = above ? labelRow - tick : labelRow + tick;

    const auto px = [&](double v) { return ChartPixel(t.xOffset + v * t.xScale); };
    const auto addTick = [&](double v) {
        plan.ticks.push_back({{px(v), axisRow - tick / 2}, {px(v), axisRow + tick / 2}});
    };
    const bool containsZero = xs <= 0 && xe >= 0;

    // Downward from zero (or from the right end), each label left of the last one. Zero's
    // label, drawn by the upward pass, is the first neighbour of the negative ones.
    int lastLeft = W;
    if (containsZero && labels) {
        const int w0 = measure(FormatAxisLabelText(data.XFormat(), 0.0)).cx;
        const int left0 = std::max(px(0.0) - w0 / 2, 0);
        if (left0 > kLabelGap)
            lastLeft = left0;
    }
    const double start = containsZero ? 0.0 : xe;
    for (int n = 0; n < kMaxXTicks; ++n) {
        const double v = start - n * step;
        if (!(v >= xs))
            break;
        if (v <= xe)
            addTick(v);
        if (labels && n > 0 && v <= xe) {
            AxisLabel label{FormatAxisLabelText(data.XFormat(), v), {px(v), labelY}, Center, vAlign};
            const int w = measure(label.text).cx;
            int left = label.at.x - w / 2;
            if (label.at.x + w / 2 < lastLeft - kLabelGap) {
                if (left < 0) {
                    left = 0;
                    label.at.x = 0;
                    label.hAlign = Left;
                }
                lastLeft = left;
                plan.labels.push_back(label);
            }
        }
    }

    // Upward from zero, each label right of the last one; zero's label comes from here.
    if (containsZero) {
        int lastRight = 0;
        for (int n = 0; n < kMaxXTicks; ++n) {
            const double v = n * step;
            if (!(v <= xe))
                break;
            if (v >= xs)
                addTick(v);
            if (labels && v >= xs) {
                AxisLabel label{FormatAxisLabelText(data.XFormat(), v), {px(v), labelY}, Center,
                                vAlign};
                const int w = measure(label.text).cx;
                int right = label.at.x + w / 2;
                if (label.at.x - w / 2 > lastRight + kLabelGap) {
                    if (right > W) {
                        right = W;
                        label.at.x = W;
                        label.hAlign = Right;
                    }
                    lastRight = right;
                    plan.labels.push_back(label);
                }
            }
        }
    }
    return plan;
}

AxisPlan PlanYAxisTicks(const ChartData& data, const ChartTransform& t, int W, bool labels, int h2)
{
    using namespace plat::TextAlign;
    AxisPlan plan;
    const int tick = TickLength(W);
    const ChartBounds& axis = data.AxisRange();
    const double xs = data.XStart();
    const double xe = data.XEnd();
    const double step = data.YStep();

    unsigned hAlign = Right;
    double offset = -tick;
    if (std::fabs(xe) < std::fabs(xs)) {
        hAlign = Left;
        offset = xe < 0.25 * (xe - xs) ? xe * t.xScale + tick : tick;
    } else if (xe > 0.75 * (xe - xs)) {
        offset = xs * t.xScale - tick;
    }
    if (OneSided(xs, xe))
        offset = xs * t.xScale;

    const int column = ChartPixel(t.xOffset);
    const int labelX = ChartPixel(t.xOffset + offset);
    const auto row = [&](double v) { return ChartPixel(t.yOffset - v * t.yScale); };
    const auto addTick = [&](double v) {
        plan.ticks.push_back({{column - tick / 2, row(v)}, {column + tick / 2, row(v)}});
    };
    const auto addLabel = [&](double v) {
        plan.labels.push_back(
            {FormatAxisLabelText(data.YFormat(), v), {labelX, row(v) - h2}, hAlign, Top});
    };

    const bool oneSided = OneSided(axis.yMin, axis.yMax);
    const double start = oneSided ? axis.yMax : 0.0;
    for (int n = 0; n < kMaxYTicks; ++n) {
        const double v = start - n * step;
        if (!(v >= axis.yMin))
            break;
        if (v <= axis.yMax)
            addTick(v);
        if (labels && n > 0)
            addLabel(v);
    }
    // Upward from zero; zero's label comes from here.
    if (!oneSided) {
        for (int n = 0; n < kMaxYTicks; ++n) {
            const double v = n * step;
            if (!(v <= axis.yMax))
                break;
            if (n > 0 && v >= axis.yMin)
                addTick(v);
            if (labels && v >= axis.yMin)
                addLabel(v);
        }
    }
    return plan;
}

std::vector<AxisLabel> PlanIconRangeLabels(const ChartData& data, const ChartTransform& t, int W)
{
    using namespace plat::TextAlign;
    std::vector<AxisLabel> labels;
    const int inset = IconChartInset(W);
    const ChartBounds& axis = data.AxisRange();
    const double xs = data.XStart();
    const double xe = data.XEnd();
    const int column = ChartPixel(t.xOffset);
    const int row = ChartPixel(t.yOffset);
    const unsigned xv = std::fabs(axis.yMax) < std::fabs(axis.yMin) ? Top : Bottom;
    if (std::fabs(xs) > 1e-6)
        labels.push_back({FormatAxisLabelText(data.XFormat(), xs), {inset, row}, Left, xv});
    if (std::fabs(xe) > 1e-6)
        labels.push_back({FormatAxisLabelText(data.XFormat(), xe), {W - inset, row}, Right, xv});
    const bool leftOfAxis = std::fabs(xe) <= std::fabs(xs);
    const int o = leftOfAxis ? -kRangeLabelOffset : kRangeLabelOffset;
    const unsigned yh = leftOfAxis ? Right : Left;
    const bool numbers = data.NumericRangeLabels() != 0;
    if (std::fabs(axis.yMax) > 1e-6)
        labels.push_back({numbers ? FormatAxisLabelText(data.YFormat(), axis.yMax) : "top",
                          {column + o, ChartPixel(t.yOffset - axis.yMax * t.yScale)}, yh, Top, true});
    if (std::fabs(axis.yMin) > 1e-6)
        labels.push_back({numbers ? FormatAxisLabelText(data.YFormat(), axis.yMin) : "bot",
                          {column + o, ChartPixel(t.yOffset - axis.yMin * t.yScale)}, yh, Bottom, true});
    return labels;
}

namespace {

class InkSink : public ChartTraceSink {
public:
    InkSink(ChartInk& ink, int half) : m_ink(ink), m_half(half) {}
    void LineType(int) override {}
    void CurvePen(bool) override {}
    void MoveTo(int x, int y) override { m_at = {x, y}; }
    void LineTo(int x, int y) override
    {
        m_ink.lines.push_back({m_at, {x, y}});
        m_at = {x, y};
    }
    void Marker(int x, int y) override
    {
        m_ink.boxes.push_back(plat::Rect{x - m_half, y - m_half, x + m_half + 1, y + m_half + 1});
    }

private:
    ChartInk& m_ink;
    int m_half;
    plat::Point m_at{0, 0};
};

} // namespace

bool BoxesMeet(const plat::Rect& a, const plat::Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Whether the stretch from a to b passes through the box (its pixels, right and bottom edges
// excluded).
bool StretchMeetsBox(plat::Point a, plat::Point b, const plat::Rect& r)
{
    // Clip the stretch to the box's x range, then see whether its y range there meets the box.
    double x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y;
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const double left = r.left - 0.5, right = r.right - 0.5;
    if (x1 < left || x0 > right)
        return false;
    auto yAt = [&](double x) { return x1 == x0 ? y0 : y0 + (y1 - y0) * (x - x0) / (x1 - x0); };
    const double xa = std::max(x0, left), xb = std::min(x1, right);
    double ya = yAt(xa), yb = yAt(xb);
    if (x1 == x0) {
        ya = std::min(y0, y1);
        yb = std::max(y0, y1);
    }
    const double lo = std::min(ya, yb), hi = std::max(ya, yb);
    return hi >= r.top - 0.5 && lo <= r.bottom - 0.5;
}

namespace {

bool MeetsAny(const plat::Rect& box, const std::vector<plat::Rect>& boxes)
{
    for (const plat::Rect& b : boxes)
        if (BoxesMeet(box, b))
            return true;
    return false;
}

// Whether a number's box comes sideways within gap pixels of one of the other numbers' boxes
// on its rows: two numbers that only abut read as one ("-5.1-0.1").
bool CrowdsNumbers(const plat::Rect& box, const std::vector<plat::Rect>& numbers, int gap = kNumberGap)
{
    return MeetsAny(plat::Rect{box.left - gap, box.top, box.right + gap, box.bottom}, numbers);
}

} // namespace

ChartInk TraceChartInk(const ChartData& data, const ChartTransform& t, int markerHalf)
{
    ChartInk ink;
    InkSink sink(ink, markerHalf);
    TraceChartData(data.Data(), t, data.DrawMode(), 0, data.LineStart(), sink);
    return ink;
}

bool InkMeets(const ChartInk& ink, const plat::Rect& box, int margin)
{
    const plat::Rect grown{box.left - margin, box.top - margin, box.right + margin, box.bottom + margin};
    for (const plat::Rect& m : ink.boxes)
        if (BoxesMeet(grown, m))
            return true;
    for (const auto& [a, c] : ink.lines)
        if (StretchMeetsBox(a, c, grown))
            return true;
    return false;
}

namespace {

// The end of the axis a range number names: a y number's column beside its value's row, an x
// number's own point.
plat::Point RangeLabelEnd(const AxisLabel& label)
{
    using namespace plat::TextAlign;
    if (!label.ofY)
        return label.at;
    const unsigned h = label.hAlign & HorizontalMask;
    return plat::Point{label.at.x + (h == Right ? kRangeLabelOffset : -kRangeLabelOffset), label.at.y};
}

} // namespace

void KeepRangeLabelsClear(std::vector<AxisLabel>& labels, const ChartInk& ink, const plat::Rect& area,
                          const LabelMeasure& measure, const std::vector<plat::Rect>& lines)
{
    using namespace plat::TextAlign;
    std::vector<plat::Rect> placed;
    // The range numbers stand at the ends of the axes, few and far apart: two on the same rows
    // (the minima of x and y at a corner) keep a digit's width of blank between them, so that
    // they never read as one pair ("-5.1 -0.1").
    const int gap = std::max(kNumberGap, measure("0").cx);
    // What of the data a place must keep clear of besides the lines and the other numbers: all
    // of it, or its markers alone (the curve gives way round the number). A marker never gives
    // way: it is a point of the data, and a number over it hides both.
    enum class Of { Data, Markers };
    const auto clear = [&](const AxisLabel& l, plat::Size size, Of of) {
        const plat::Rect b = AxisLabelBox(l, size);
        if (b.left < area.left || b.right > area.right || b.top < area.top || b.bottom > area.bottom)
            return false;
        if (CrowdsNumbers(b, placed, gap))
            return false;
        if (MeetsAny(NumberLettersBox(l, size), lines))
            return false;
        if (of == Of::Data)
            return !InkMeets(ink, b, 1);
        return !MeetsAny(plat::Rect{b.left - 1, b.top - 1, b.right + 1, b.bottom + 1}, ink.boxes);
    };
    std::vector<AxisLabel> kept;
    for (const AxisLabel& home : labels) {
        const plat::Size size = measure(home.text);
        const plat::Point end = RangeLabelEnd(home);
        // The places where a corner of the number stands at its end: its own, across the axis
        // (an x number above or below its row, a y number left or right of the column), and
        // the two past the end (an x number beyond the axis's end, a y number above its top or
        // below its foot), where the chart leaves room there.
        std::vector<AxisLabel> places;
        const unsigned h = home.hAlign & HorizontalMask;
        const auto mirrored = [&](const AxisLabel& l, bool acrossAxis) {
            AxisLabel m = l;
            const bool sideways = home.ofY == acrossAxis;
            if (sideways) {
                const unsigned lh = l.hAlign & HorizontalMask;
                m.hAlign = lh == Right ? Left : Right;
                m.at.x = 2 * end.x - l.at.x;
            } else {
                m.vAlign = (l.vAlign & Bottom) != 0 ? Top : Bottom;
            }
            return m;
        };
        places.push_back(home);
        places.push_back(mirrored(home, true));
        if (h != Center) {
            places.push_back(mirrored(home, false));
            places.push_back(mirrored(places.back(), true));
        }
        // A line or tick through the number's letters at one of those places: the number may
        // go just across it where it still touches its end.
        const auto touches = [&](const AxisLabel& l) {
            const plat::Rect b = AxisLabelBox(l, size);
            return end.x >= b.left - kRangeLabelOffset && end.x <= b.right + kRangeLabelOffset &&
                   end.y >= b.top - kRangeLabelOffset && end.y <= b.bottom + kRangeLabelOffset;
        };
        const auto firstClear = [&](Of of, AxisLabel& out) {
            for (const AxisLabel& l : places) {
                if (clear(l, size, of)) {
                    out = l;
                    return true;
                }
                for (const AxisLabel& across : PlacesAcrossLines(l, size, lines))
                    if (touches(across) && clear(across, size, of)) {
                        out = across;
                        return true;
                    }
            }
            return false;
        };
        // Clear of the data where the chart leaves such a place; else clear of its markers, the
        // curve giving way round the number; where the markers, the lines and the other numbers
        // leave no place at its end, the number is left out rather than moved to where it reads
        // as another value or laid over the points it stands for.
        AxisLabel at = home;
        if (firstClear(Of::Data, at) || firstClear(Of::Markers, at)) {
            placed.push_back(AxisLabelBox(at, size));
            kept.push_back(at);
        }
    }
    labels = std::move(kept);
}

plat::Rect AxisLabelBox(const AxisLabel& label, plat::Size extent)
{
    using namespace plat::TextAlign;
    const unsigned h = label.hAlign & HorizontalMask;
    const int left = h == Center ? label.at.x - extent.cx / 2 : h == Right ? label.at.x - extent.cx : label.at.x;
    const int top = (label.vAlign & Bottom) != 0 ? label.at.y - extent.cy : label.at.y;
    return plat::Rect{left, top, left + extent.cx, top + extent.cy};
}

plat::Rect AxisTickBox(const AxisTick& tick)
{
    return plat::Rect{std::min(tick.from.x, tick.to.x), std::min(tick.from.y, tick.to.y),
                      std::max(tick.from.x, tick.to.x) + 1, std::max(tick.from.y, tick.to.y) + 1};
}

plat::Rect NumberLettersBox(const AxisLabel& label, plat::Size extent)
{
    plat::Rect b = AxisLabelBox(label, extent);
    const int h = b.bottom - b.top;
    b.top += h / 6;
    b.bottom -= h / 6;
    return b;
}

namespace {

// A number's ink where it meets another number: its cell without the leading above the digits
// and the descent below, so that neighbours at a corner that only touch cells both stay.
plat::Rect NumbersInk(const AxisLabel& label, plat::Size extent)
{
    plat::Rect b = AxisLabelBox(label, extent);
    const int h = b.bottom - b.top;
    b.top += h / 6;
    b.bottom -= h / 5;
    return b;
}

} // namespace

std::vector<AxisLabel> PlacesAcrossLines(const AxisLabel& label, plat::Size extent,
                                         const std::vector<plat::Rect>& lines)
{
    // A label crossed by one line and then by the next is moved over each in turn, a few at
    // most: past that the lines stand too close for a number between them.
    constexpr int kMaxLinesOver = 4;
    std::vector<std::pair<int, AxisLabel>> places;
    if (!MeetsAny(NumberLettersBox(label, extent), lines))
        return {};
    for (const int direction : {-1, 1}) {
        AxisLabel l = label;
        bool clear = false;
        for (int n = 0; n < kMaxLinesOver && !clear; ++n) {
            const plat::Rect b = NumberLettersBox(l, extent);
            clear = true;
            for (const plat::Rect& line : lines) {
                if (!BoxesMeet(b, line))
                    continue;
                // Sideways a blank pixel between the cell and the line; up or down the cell's
                // own leading and descent stand between the letters and the line.
                if (label.ofY)
                    l.at.y += direction < 0 ? line.top - b.bottom : line.bottom - b.top;
                else
                    l.at.x += direction < 0 ? line.left - 1 - b.right : line.right + 1 - b.left;
                clear = false;
                break;
            }
        }
        if (clear)
            places.push_back({std::abs(label.ofY ? l.at.y - label.at.y : l.at.x - label.at.x), l});
    }
    std::stable_sort(places.begin(), places.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<AxisLabel> out;
    for (auto& [d, l] : places)
        out.push_back(std::move(l));
    return out;
}

void KeepAxisNumbersClear(AxisPlan& plan, const std::vector<plat::Rect>& lines, const plat::Rect& area,
                          const LabelMeasure& measure)
{
    std::vector<plat::Size> sizes;
    for (const AxisLabel& l : plan.labels)
        sizes.push_back(measure(l.text));
    std::vector<plat::Rect> kept;
    std::vector<AxisLabel> out;
    const auto within = [&](const plat::Rect& b) {
        return b.left >= area.left && b.right <= area.right && b.top >= area.top && b.bottom <= area.bottom;
    };
    // Numbers one above the other keep a blank of a sixth of their height between their
    // letters (two rows of digits that touch read as one block): where the ticks stand closer,
    // every second number is left out.
    const auto crowds = [&](const plat::Rect& ink, const std::vector<plat::Rect>& others) {
        const int blank = std::max(2, (ink.bottom - ink.top) / 6);
        return CrowdsNumbers(plat::Rect{ink.left, ink.top - blank, ink.right, ink.bottom + blank}, others);
    };
    for (std::size_t i = 0; i < plan.labels.size(); ++i) {
        const AxisLabel& home = plan.labels[i];
        if (!MeetsAny(NumberLettersBox(home, sizes[i]), lines) && !crowds(NumbersInk(home, sizes[i]), kept)) {
            kept.push_back(NumbersInk(home, sizes[i]));
            out.push_back(home);
            continue;
        }
        // Across the line, clear of the numbers still to come as they stand too.
        std::vector<plat::Rect> others = kept;
        for (std::size_t j = i + 1; j < plan.labels.size(); ++j)
            others.push_back(NumbersInk(plan.labels[j], sizes[j]));
        for (const AxisLabel& l : PlacesAcrossLines(home, sizes[i], lines)) {
            const plat::Rect ink = NumbersInk(l, sizes[i]);
            if (within(AxisLabelBox(l, sizes[i])) && !MeetsAny(NumberLettersBox(l, sizes[i]), lines) &&
                !crowds(ink, others)) {
                kept.push_back(ink);
                out.push_back(l);
                break;
            }
        }
    }
    plan.labels = std::move(out);
}

void DropXLabelsOnYLabels(AxisPlan& x, const AxisPlan& y, const LabelMeasure& measure)
{
    const auto ink = [&](const AxisLabel& l) { return NumbersInk(l, measure(l.text)); };
    std::vector<plat::Rect> taken;
    for (const AxisLabel& l : y.labels)
        taken.push_back(ink(l));
    // An x number on the rows of a y number and nearer than the gap kept between numbers side
    // by side goes too: moved across the y axis it would stand beside the y number with only the
    // axis line between them, and read as one number with it ("200.0|0").
    const auto overlaps = [&](const AxisLabel& l) { return CrowdsNumbers(ink(l), taken); };
    x.labels.erase(std::remove_if(x.labels.begin(), x.labels.end(), overlaps), x.labels.end());
}

void MoveAxisNumbersOffTheInk(AxisPlan& plan, bool ofY, const AxisPlan& other, const ChartInk& ink, int reach,
                              int column, int tick, const std::vector<plat::Rect>& lines, const plat::Rect& area,
                              const LabelMeasure& measure)
{
    using namespace plat::TextAlign;
    const auto within = [&](const plat::Rect& b) {
        return b.left >= area.left && b.right <= area.right && b.top >= area.top && b.bottom <= area.bottom;
    };
    for (std::size_t i = 0; i < plan.labels.size(); ++i) {
        const AxisLabel& home = plan.labels[i];
        const plat::Size size = measure(home.text);
        if (!InkMeets(ink, AxisLabelBox(home, size), reach))
            continue;
        AxisLabel across = home;
        const unsigned h = home.hAlign & HorizontalMask;
        if (ofY) {
            // Only a number beside the axis column: one at the plot's edge has no data beside it.
            if (std::abs(home.at.x - column) > tick || h == Center)
                continue;
            across.hAlign = (home.hAlign & ~HorizontalMask) | (h == Right ? Left : Right);
            across.at.x = 2 * column - home.at.x;
        } else {
            const bool above = (home.vAlign & Bottom) != 0;
            across.vAlign = (home.vAlign & ~(Bottom | Top)) | (above ? Top : Bottom);
            across.at.y = home.at.y + (above ? 2 * tick : -2 * tick);
        }
        const plat::Rect box = AxisLabelBox(across, size);
        if (!within(box) || InkMeets(ink, box, reach) || MeetsAny(NumberLettersBox(across, size), lines))
            continue;
        std::vector<plat::Rect> numbers;
        for (std::size_t j = 0; j < plan.labels.size(); ++j)
            if (j != i)
                numbers.push_back(NumbersInk(plan.labels[j], measure(plan.labels[j].text)));
        for (const AxisLabel& l : other.labels)
            numbers.push_back(NumbersInk(l, measure(l.text)));
        if (!CrowdsNumbers(NumbersInk(across, size), numbers))
            plan.labels[i] = across;
    }
}
