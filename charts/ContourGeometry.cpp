#include "charts/ContourGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "foundation/DecimalPoint.h"

namespace {

int Trunc(double v) { return static_cast<int>(v); }

} // namespace

bool IsContourNoValue(double v) { return std::fabs(v - kContourNoValue) <= 1e-31; }

ContourGrid ReadContourGrid(const std::vector<double>& data)
{
    ContourGrid g;
    const std::size_t pairs = data.size() / 2;
    if (pairs < 1)
        return g;
    const double extent = data[0];
    const double n = data[1];
    // n below 2 would divide by n - 1; more points than the data holds would read past it.
    if (!std::isfinite(extent) || !(n >= 2.0) || n * n + 1.0 > static_cast<double>(pairs))
        return g;
    g.extent = extent;
    g.n = Trunc(n);
    g.pairs = data.data();
    return g;
}

std::vector<GridSegment> ContourMeshSegments(const ContourGrid& grid)
{
    std::vector<GridSegment> out;
    if (!grid.Valid())
        return out;
    const int n = grid.n;
    const auto has = [&](int i, int j) { return !IsContourNoValue(grid.Value(i, j)); };
    out.reserve(static_cast<std::size_t>(2 * n * (n - 1)));
    for (int j = 0; j < n; ++j)
        for (int i = 0; i + 1 < n; ++i)
            if (has(i, j) && has(i + 1, j))
                out.push_back({i, j, i + 1, j});
    for (int i = 0; i < n; ++i)
        for (int j = 0; j + 1 < n; ++j)
            if (has(i, j) && has(i, j + 1))
                out.push_back({i, j, i, j + 1});
    return out;
}

plat::Point MeshPoint(const MeshProjection& p, int n, int i, int j, double z)
{
    const double sa = std::sin(p.angle), ca = std::cos(p.angle);
    const double u = i * p.d / (n - 1), v = j * p.d / (n - 1);
    return {Trunc(p.x0 + p.d * ca - u * ca + v * ca), Trunc(p.y0 - p.d * sa + u * sa + v * sa - z * p.k)};
}

ValueAxis MakeValueAxis(double yMin, double yMax, bool logarithmic, int foot, int span)
{
    ValueAxis a;
    a.log = logarithmic && yMin > 0.0 && yMax > 0.0;
    const double lo = a.log ? std::log10(yMin) : yMin, hi = a.log ? std::log10(yMax) : yMax;
    const double range = hi - lo;
    a.k = range > 1e-20 ? span / range : 0.0;
    a.y0 = Trunc(foot + lo * a.k);
    return a;
}

double AxisMeasure(const ValueAxis& axis, double v)
{
    if (!axis.log)
        return v;
    // Values at or below 0 have no logarithm: they sit far below the axis foot.
    return v > 0.0 ? std::log10(v) : -300.0;
}

int AxisY(const ValueAxis& axis, double v)
{
    const double y = axis.y0 - AxisMeasure(axis, v) * axis.k;
    return Trunc(std::clamp(y, -1e9, 1e9));
}

std::vector<double> LogDecadeTicks(double yMin, double yMax)
{
    std::vector<double> ticks;
    if (!(yMin > 0.0) || !(yMax >= yMin))
        return ticks;
    // The first decade at or above the minimum (a hair of rounding allowed).
    const int first = static_cast<int>(std::ceil(std::log10(yMin) - 1e-9));
    for (int d = first; ticks.size() < 10; ++d) {
        const double v = std::pow(10.0, d);
        if (v > yMax * (1.0 + 1e-9))
            break;
        ticks.push_back(v);
    }
    return ticks;
}

int ContourColourIndex(double value, double yMin, double yMax, int steps)
{
    if (yMax - yMin <= 0.001 || IsContourNoValue(value))
        return steps + 2;
    int k = 0;
    if (value < 1e30) {
        const double f = value / (yMax - yMin) * steps + 1.0;
        k = f >= steps ? steps : Trunc(f);
    }
    return k <= 0 ? 1 : k;
}

plat::Color ContourPaletteColour(int k, bool grey)
{
    if (k <= 0 || k > kContourSteps)
        return k == kContourWhite ? plat::Color(255, 255, 255) : plat::Color(0, 0, 0);
    if (grey)
        return {2 * k, 2 * k, 2 * k};
    if (k <= 44)
        return {5 * k, 0, (251 * k) % 256};
    return {255 - 5 * (k - 45), Trunc(500.0 * (k - 45) / 90.0), 0};
}

int FirstUsedContourColumn(const ContourGrid& grid)
{
    if (!grid.Valid())
        return 0;
    for (int j = 0; j < grid.n; ++j)
        for (int i = 0; i < grid.n; ++i)
            if (!IsContourNoValue(grid.Value(i, j)))
                return j;
    return grid.n;
}

std::vector<ContourCell> ContourImageCells(const ContourGrid& grid, int S, double yMin, double yMax)
{
    std::vector<ContourCell> out;
    if (!grid.Valid())
        return out;
    const int n = grid.n;
    const int first = FirstUsedContourColumn(grid);
    const int r = n - first;
    const double S1 = S + 1;
    const double q = (grid.extent / n) * S1 / (grid.extent + 0.0001);
    const double t = Trunc((r - n) * q);
    out.reserve(static_cast<std::size_t>(2 * r * n));
    for (int j = first; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const int colour = ContourColourIndex(grid.Value(i, j), yMin, yMax);
            const int top = Trunc(i * q + 0.5), bottom = Trunc((i + 1) * q + 0.5);
            out.push_back({{Trunc(j * q + 0.5 + t), top, Trunc((j + 1) * q + 0.5 + t), bottom}, colour});
            out.push_back(
                {{Trunc(2 * S1 - (j + 1) * q + 0.5 + t), top, Trunc(2 * S1 - j * q + 0.5 + t), bottom}, colour});
        }
    return out;
}

std::string ContourExportText(const ContourGrid& grid)
{
    std::string text = "Data Profile\r\nOne data point in four is shown in this output\r\n"
                       "so the edges may appear slightly off\r\n";
    if (grid.Valid()) {
        char buf[64];
        for (int i = 0; i < grid.n; ++i) {
            for (int j = 0; j < grid.n; ++j) {
                const double v = grid.Value(i, j);
                if (IsContourNoValue(v))
                    text += "N/A\t";
                else {
                    DecimalSnprintf(buf, sizeof buf, "%5.1f\t", v);
                    text += buf;
                }
            }
            text += "\r\n";
        }
    }
    text += "\r\n";
    return text;
}
