#include "charts/ContourGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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
                    std::snprintf(buf, sizeof buf, "%5.1f\t", v);
                    text += buf;
                }
            }
            text += "\r\n";
        }
    }
    text += "\r\n";
    return text;
}
