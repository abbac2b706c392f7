#include "charts/ChartData.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "foundation/StrFormat.h"

namespace {

constexpr double kLargestFloat = 3.4028234663852886e38;
constexpr double kEmptyLow = 1e35;
constexpr double kBig = 1e30;

double Stored(double v)
{
    return (std::isnan(v) || std::fabs(v) >= kLargestFloat) ? -1.0 : v;
}

std::string Cut(const std::string& text)
{
    return text.size() > kChartTextLimit ? text.substr(0, kChartTextLimit) : text;
}

std::string TrimLeadingBlanks(const std::string& s)
{
    std::size_t i = s.find_first_not_of(' ');
    return i == std::string::npos ? std::string() : s.substr(i);
}

// Zero inclusion of one axis's bounds, then the least visible extent of its format.
void IncludeZero(double& lo, double& hi, int digit)
{
    if (lo < 0 && hi < 0)
        hi = 0;
    if (lo > 0 && hi > 0)
        lo = 0;
    const double u = TenToMinus(digit);
    if (hi < u && std::fabs(hi) > 1e-6)
        hi = u;
    if (lo > -u && std::fabs(lo) > 1e-6)
        lo = -u;
}

double AutoStep(double lo, double hi, int digit)
{
    const double a = std::fabs(lo) > 1e-6 ? NiceStep(std::fabs(lo)) : 0.0;
    const double b = std::fabs(hi) > 1e-6 ? NiceStep(std::fabs(hi)) : 0.0;
    const double g = std::fabs(hi - lo) > 1e-6 ? NiceStep(std::fabs(hi - lo)) : 1e20;
    double step = std::min(std::max(a, b), g);
    if (step == 0)
        step = 1.0;
    const double least = TenToMinus(digit);
    return step < least ? least : step;
}

} // namespace

int AxisFormat::Digit() const
{
    if (format.size() < 4)
        return 0;
    const int d = format[3] - '0';
    return std::clamp(d, 0, kMaxAxisDecimals);
}

AxisFormat MakeAxisFormat(int precision)
{
    AxisFormat f;
    f.exponent = precision < 0;
    const int d = std::min(std::abs(precision), kMaxAxisDecimals);
    f.format = StrPrintf(f.exponent ? "%%5.%de" : "%%5.%df", d);
    return f;
}

AxisFormat WithDecimals(const AxisFormat& format, int decimals)
{
    const int d = std::clamp(decimals, 0, kMaxAxisDecimals);
    return MakeAxisFormat(format.exponent ? -d : d);
}

double TenToMinus(int digit)
{
    static constexpr double kPowers[] = {1.0,  0.1,   0.01,   0.001,   0.0001,
                                         1e-5, 1e-6,  1e-7,   1e-8,    1e-9};
    return kPowers[std::clamp(digit, 0, kMaxAxisDecimals)];
}

double NiceStep(double v)
{
    const double s = v / 7.0;
    const double unit = std::pow(10.0, std::floor(std::log10(s)));
    // The small allowance keeps 0.7 / 0.1 = 7.000000000000001 at 7.
    return std::ceil(s / unit - 1e-9) * unit;
}

std::string FormatAxisValue(const AxisFormat& format, double value)
{
    // Formats are only ever built by MakeAxisFormat, so they hold one conversion of a double.
    const int d = format.Digit();
    return format.exponent ? StrPrintf("%5.*e", d, value) : StrPrintf("%5.*f", d, value);
}

std::string FormatAxisLabelText(const AxisFormat& format, double value)
{
    if (!format.exponent)
        return TrimLeadingBlanks(FormatAxisValue(format, value));
    if (value == 0)
        return "0.0";
    if (!(value > 0) || !std::isfinite(value))
        return TrimLeadingBlanks(FormatAxisValue(format, value));
    const int d = format.Digit();
    const int e = static_cast<int>(std::floor(std::log10(value)));
    const double m = value / std::pow(10.0, e);
    const int a = std::abs(e);
    std::string text;
    if (e >= 0 && e <= 9)
        text = StrPrintf("%5.*fx10^%i", d, m, e);
    else if (e < 0 && e >= -9)
        text = StrPrintf("%5.*fx10^-^%i", d, m, a);
    else if (e >= 10)
        text = StrPrintf("%5.*fx10^%i^%i", d, m, (a / 10) % 10, a % 10);
    else
        text = StrPrintf("%5.*fx10^-^%i^%i", d, m, (a / 10) % 10, a % 10);
    return TrimLeadingBlanks(text);
}

ChartData::ChartData(int xPrecision, int yPrecision, int drawMode)
    : m_xFormat(MakeAxisFormat(xPrecision)), m_yFormat(MakeAxisFormat(yPrecision)),
      m_drawMode(drawMode)
{
    ClearData();
    m_axis = ChartBounds{};
    m_bounds = ChartBounds{};
}

void ChartData::ResetBounds()
{
    m_bounds = ChartBounds{kEmptyLow, kEmptyLow, -kEmptyLow, -kEmptyLow};
}

void ChartData::ClearData()
{
    ResetBounds();
    m_shown = false;
    if (!m_maxRange) {
        if (m_auto[0])
            m_axis.xMin = kEmptyLow;
        if (m_auto[1])
            m_axis.xMax = -kEmptyLow;
        if (m_auto[2])
            m_axis.yMin = kEmptyLow;
        if (m_auto[3])
            m_axis.yMax = -kEmptyLow;
    }
    m_data.clear();
}

void ChartData::AddPoint(double x, double y)
{
    if (m_shown) {
        ClearData();
        m_pointCounter = 0;
    }
    m_data.push_back(Stored(x));
    m_data.push_back(Stored(y));
    if (std::fabs(x) < kBig && std::fabs(y) < kBig) {
        m_bounds.xMin = std::min(m_bounds.xMin, x);
        m_bounds.xMax = std::max(m_bounds.xMax, x);
        m_bounds.yMin = std::min(m_bounds.yMin, y);
        m_bounds.yMax = std::max(m_bounds.yMax, y);
        if (m_maxRange) {
            m_axis.xMin = std::min(m_axis.xMin, x);
            m_axis.xMax = std::max(m_axis.xMax, x);
            m_axis.yMin = std::min(m_axis.yMin, y);
            m_axis.yMax = std::max(m_axis.yMax, y);
        }
    }
    ++m_pointCounter;
}

void ChartData::UpdateClippedRange()
{
    m_xStart = std::max(m_axis.xMin, m_xLower);
    m_xEnd = std::min(m_axis.xMax, m_xUpper);
}

void ChartData::AutoScale()
{
    m_shown = true;
    IncludeZero(m_bounds.yMin, m_bounds.yMax, m_yFormat.Digit());
    IncludeZero(m_bounds.xMin, m_bounds.xMax, m_xFormat.Digit());
    if (!m_maxRange) {
        if (m_auto[0])
            m_axis.xMin = m_bounds.xMin;
        if (m_auto[1])
            m_axis.xMax = m_bounds.xMax;
        if (m_auto[2])
            m_axis.yMin = m_bounds.yMin;
        if (m_auto[3])
            m_axis.yMax = m_bounds.yMax;
    }
    UpdateClippedRange();
    if (m_data.empty())
        return;
    if (m_xStep < kBig)
        m_xStep = AutoStep(m_xStart, m_xEnd, m_xFormat.Digit());
    if (m_yStep < kBig)
        m_yStep = AutoStep(m_axis.yMin, m_axis.yMax, m_yFormat.Digit());
}

void ChartData::SetTitles(const std::string& title, const std::string& xTitle,
                          const std::string& yTitle, int xPrecision, int yPrecision)
{
    m_title = Cut(title);
    m_xTitle = Cut(xTitle);
    m_yTitle = Cut(yTitle);
    ClearData();
    m_xFormat = MakeAxisFormat(xPrecision);
    m_yFormat = MakeAxisFormat(yPrecision);
    m_noteShown = 0;
    m_numericRangeLabels = 1;
}

void ChartData::SetTitle(const std::string& text) { m_title = Cut(text); }
void ChartData::SetXTitle(const std::string& text) { m_xTitle = Cut(text); }
void ChartData::SetYTitle(const std::string& text) { m_yTitle = Cut(text); }

void ChartData::SetNote(const std::string& text)
{
    if (text.size() <= kChartTextLimit)
        m_note = text;
}

void ChartData::SetXLimits(double lower, double upper)
{
    m_xLower = lower;
    m_xUpper = upper;
}

int ChartData::ToggleMaxRange()
{
    m_maxRange = m_maxRange ? 0 : 1;
    return m_maxRange;
}

void ChartData::SetXTickStep(double step)
{
    m_xStep = std::max(step, TenToMinus(m_xFormat.Digit()));
}

void ChartData::SetYTickStep(double step)
{
    m_yStep = std::max(step, TenToMinus(m_yFormat.Digit()));
}

void ChartData::SetAxisEnd(ChartEnd end, double value) { SetAxisEnd(end, value, false); }

void ChartData::SetAxisEnd(ChartEnd end, double value, bool automatic)
{
    switch (end) {
    case ChartEnd::XMin: m_axis.xMin = value; break;
    case ChartEnd::XMax: m_axis.xMax = value; break;
    case ChartEnd::YMin: m_axis.yMin = value; break;
    case ChartEnd::YMax: m_axis.yMax = value; break;
    }
    m_auto[static_cast<int>(end)] = automatic ? 1 : 0;
}

void ChartData::SelectPoint(int n)
{
    if (n < 0) {
        m_selectedPoint = kNoSelectedPoint;
        m_note.clear();
        return;
    }
    m_selectedPoint = n;
    m_readoutX = m_readoutY = kNoReadout;
    const long long k = static_cast<long long>(m_lineStart) + n;
    if (k >= 1 && static_cast<long long>(m_data.size()) > 2 * k - 1)
        m_note = StrPrintf("(%5.3f , %5.3f)", m_data[static_cast<std::size_t>(2 * k - 2)],
                           m_data[static_cast<std::size_t>(2 * k - 1)]);
    else
        m_note = "Invalid!";
}

void ChartData::SetReadoutPoint(double x, double y)
{
    m_selectedPoint = kNoSelectedPoint;
    m_readoutX = x;
    m_readoutY = y;
    if (x < kBig && y < kBig)
        m_note = StrPrintf("(%5.3f , %5.3f)", x, y);
}

void ChartData::SetLineStart(int n) { m_lineStart = n == -1 ? m_pointCounter + 1 : n; }

double ChartData::GetHarmonicMeanY() const
{
    const auto inverse = [](double y) { return y == 0 ? kUndefined : 1.0 / y; };
    double extents = 0.0;
    double integral = 0.0;
    bool inLine = false;
    double firstX = 0.0;
    double lastX = 0.0;
    double lastY = 0.0;
    const auto closeLine = [&] {
        if (inLine)
            extents += lastX - firstX;
        inLine = false;
    };
    for (std::size_t i = 0; i + 1 < m_data.size(); i += 2) {
        const double x = m_data[i];
        const double y = m_data[i + 1];
        if (IsChartSeparator(x)) {
            closeLine();
            continue;
        }
        if (!inLine) {
            inLine = true;
            firstX = x;
        } else {
            integral += (inverse(lastY) + inverse(y)) / 2.0 * (x - lastX);
        }
        lastX = x;
        lastY = y;
    }
    closeLine();
    if (m_data.empty() || integral == 0)
        return kUndefined;
    return extents / integral;
}
