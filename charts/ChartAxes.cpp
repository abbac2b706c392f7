#include "charts/ChartAxes.h"

#include <algorithm>
#include <cmath>

#include "platform/DC.h"

namespace {

constexpr int kMaxXTicks = 101;
constexpr int kMaxYTicks = 31;
constexpr int kMaxWidthLabels = 51;
constexpr int kLabelGap = 5;
constexpr double kScaleLimit = 100000.0;

// True when the range lies wholly on one side of zero.
bool OneSided(double lo, double hi) { return (lo > 0 && hi > 0) || (lo < 0 && hi < 0); }

} // namespace

int TickLength(int W) { return std::max(W / 100, 4); }

int IconChartInset(int W) { return static_cast<int>(0.05 * W); }

ChartTransform ScaleBigChart(ChartData& data, int W, int H, const ChartMargins& margins, int dh,
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

    int wy = 0;
    double v = axis.yMin;
    for (int n = 0; n < kMaxWidthLabels && v < axis.yMax; ++n) {
        wy = std::max(wy, measure(FormatAxisLabelText(data.YFormat(), v)).cx);
        v = axis.yMin + (n + 1) * data.YStep();
    }

    data.UpdateClippedRange();
    const double xs = data.XStart();
    const double xe = data.XEnd();
    const double r = xe - xs;
    if (std::fabs(r) > 1e-6 && W - margins.left > 0) {
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

    ChartTransform t;
    const double b = H - margins.bottom - bottomExtra;
    const double dyRange = axis.yMax - axis.yMin;
    if (std::fabs(dyRange) > 1e-20) {
        const double A = b - margins.top - topExtra;
        t.yScale = A / dyRange;
        t.yOffset = b + A * axis.yMin / dyRange;
    } else {
        t.yOffset = b;
    }
    const double x0 = margins.left + leftTotal;
    const double A = W - margins.right - margins.left - rightExtra - leftTotal;
    if (std::fabs(r) > 1e-20) {
        t.xScale = A / r;
        t.xOffset = x0 - A * xs / r;
    } else {
        t.xOffset = x0 + A / 2;
    }
    return t;
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
    const bool above = std::fabs(axis.yMax) <= std::fabs(axis.yMin);
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
