#include "charts/EditChartValues.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"

namespace {

// The fields are read as every typed number is (foundation/TypedNumber); a text the dialog
// refuses reads here as 0.
double ReadDouble(const std::string& text)
{
    const double v = TypedNumber(text);
    return std::isfinite(v) ? v : 0.0;
}

int ReadInt(const std::string& text)
{
    return std::clamp(ClampToInt(TypedNumber(text)), -1000000, 1000000);
}

// A whole number, however large (it is held to the field's range), or an empty field.
bool IsWholeNumber(const std::string& text)
{
    const double v = TypedNumber(text);
    return std::isfinite(v) && v == std::trunc(v);
}

// The word the dialog shows for no tick marks, in any case, with blanks around it.
bool IsNoneWord(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    if (first == std::string::npos || last - first + 1 != 4)
        return false;
    std::string word = text.substr(first, 4);
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return word == "none";
}

void ApplyEnd(ChartData& data, ChartEnd end, bool automatic, const std::string& text,
              double bound)
{
    if (automatic)
        data.SetAxisEnd(end, bound, true);
    else
        data.SetAxisEnd(end, ReadDouble(text), false);
}

// The value an axis end field stands for: the data bound when "Auto", else the number typed
// (not finite when it overflows or is no number).
double EndValue(bool automatic, const std::string& text, double bound)
{
    return automatic ? bound : TypedNumber(text);
}

} // namespace

std::string CheckAxisEnds(const EditChartFields& f, const ChartBounds& bounds)
{
    struct End {
        const char* name;
        double value;
    };
    const End ends[4] = {{"X Axis Min", EndValue(f.autoXMin, f.xMin, bounds.xMin)},
                         {"X Axis Max", EndValue(f.autoXMax, f.xMax, bounds.xMax)},
                         {"Y Axis Min", EndValue(f.autoYMin, f.yMin, bounds.yMin)},
                         {"Y Axis Max", EndValue(f.autoYMax, f.yMax, bounds.yMax)}};
    for (const End& e : ends)
        if (!(std::fabs(e.value) <= kMaxAxisEnd))
            return StrPrintf("%s must be a number between %g and %g.", e.name, -kMaxAxisEnd,
                             kMaxAxisEnd);
    for (int axis = 0; axis < 2; ++axis) {
        const End& lo = ends[2 * axis];
        const End& hi = ends[2 * axis + 1];
        if (lo.value > hi.value)
            return StrPrintf("%s (%g) is above %s (%g): enter a minimum below the maximum.",
                             lo.name, lo.value, hi.name, hi.value);
    }
    return {};
}

std::string CheckEditChartFields(const EditChartFields& f, const ChartBounds& bounds)
{
    std::string problem = CheckAxisEnds(f, bounds);
    if (!problem.empty())
        return problem;
    const struct {
        const char* name;
        const std::string& text;
    } ticks[2] = {{"X Tick Distance", f.xTick}, {"Y Tick Distance", f.yTick}};
    for (const auto& t : ticks)
        if (!IsNoneWord(t.text) && !std::isfinite(TypedNumber(t.text)))
            return StrPrintf("%s must be a number (0 or None for no tick marks).", t.name);
    const struct {
        const char* name;
        const std::string& text;
        int low, high;
    } counts[3] = {{"X Decimal Points", f.xDecimals, 0, kMaxAxisDecimals},
                   {"Y Decimal points", f.yDecimals, 0, kMaxAxisDecimals},
                   {"Thickness", f.thickness, 0, 1000000}};
    for (const auto& c : counts)
        if (!IsWholeNumber(c.text))
            return StrPrintf("%s must be a whole number (values are kept within %d to %d).", c.name, c.low, c.high);
    return {};
}

double TickStepFromText(const std::string& text)
{
    const double v = ReadDouble(text);
    return v > 0 ? v : kUndefined;
}

std::string TickStepText(const AxisFormat& format, double step)
{
    return step >= 1e30 ? std::string("None") : FormatAxisValue(format, step);
}

int DecimalsFromText(const std::string& text)
{
    return std::clamp(ReadInt(text), 0, kMaxAxisDecimals);
}

int LineWidthFromText(const std::string& text)
{
    return ReadInt(text);
}

bool AutoMatches(const std::string& fieldText, const AxisFormat& format, double bound)
{
    return fieldText == FormatAxisValue(format, bound);
}

int FontPointSize(int height, int logPixelsY)
{
    if (logPixelsY <= 0)
        return 0;
    const long long num = static_cast<long long>(std::abs(height)) * 72;
    return static_cast<int>((num + logPixelsY / 2) / logPixelsY);
}

std::string FontDescription(const std::string& face, int points)
{
    return StrPrintf("%s, %d points", face.c_str(), points);
}

EditChartFields ReadEditChartFields(const ChartData& data, int lineWidth)
{
    EditChartFields f;
    f.title = data.Title();
    f.xTitle = data.XTitle();
    f.yTitle = data.YTitle();
    const ChartBounds& axis = data.AxisRange();
    const ChartBounds& bounds = data.DataBounds();
    f.xMin = FormatAxisValue(data.XFormat(), axis.xMin);
    f.xMax = FormatAxisValue(data.XFormat(), axis.xMax);
    f.yMin = FormatAxisValue(data.YFormat(), axis.yMin);
    f.yMax = FormatAxisValue(data.YFormat(), axis.yMax);
    f.autoXMin = AutoMatches(f.xMin, data.XFormat(), bounds.xMin);
    f.autoXMax = AutoMatches(f.xMax, data.XFormat(), bounds.xMax);
    f.autoYMin = AutoMatches(f.yMin, data.YFormat(), bounds.yMin);
    f.autoYMax = AutoMatches(f.yMax, data.YFormat(), bounds.yMax);
    f.xTick = TickStepText(data.XFormat(), data.XStep());
    f.yTick = TickStepText(data.YFormat(), data.YStep());
    f.xDecimals = StrPrintf("%d", data.XFormat().Digit());
    f.yDecimals = StrPrintf("%d", data.YFormat().Digit());
    f.thickness = StrPrintf("%d", lineWidth);
    return f;
}

int ApplyEditChartFields(const EditChartFields& f, ChartData& data)
{
    data.SetTitle(f.title);
    data.SetXTitle(f.xTitle);
    data.SetYTitle(f.yTitle);
    const ChartBounds bounds = data.DataBounds();
    ApplyEnd(data, ChartEnd::XMin, f.autoXMin, f.xMin, bounds.xMin);
    ApplyEnd(data, ChartEnd::XMax, f.autoXMax, f.xMax, bounds.xMax);
    ApplyEnd(data, ChartEnd::YMin, f.autoYMin, f.yMin, bounds.yMin);
    ApplyEnd(data, ChartEnd::YMax, f.autoYMax, f.yMax, bounds.yMax);
    data.SetXFormat(WithDecimals(data.XFormat(), DecimalsFromText(f.xDecimals)));
    data.SetYFormat(WithDecimals(data.YFormat(), DecimalsFromText(f.yDecimals)));
    data.SetXTickStep(TickStepFromText(f.xTick));
    data.SetYTickStep(TickStepFromText(f.yTick));
    return LineWidthFromText(f.thickness);
}
