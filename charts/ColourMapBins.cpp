#include "charts/ColourMapBins.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "charts/T3DPlot.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"

bool IsMapNoValue(double v) { return std::fabs(v - kMapNoValue) <= 0.1; }

void ComputeBins(ColourBins& bins, const std::vector<double>& data, int elements, double& minimum, double& maximum)
{
    bins.limit[0] = kBinEnd;
    bins.limit[24] = kBinEnd;
    bins.count = 0;
    minimum = FLT_MAX;
    maximum = -FLT_MAX;
    bool collecting = true;
    std::size_t pos = 0;
    if (data.size() >= 2 && data[0] > 1e30)
        pos = 2;
    for (int e = 0; e < elements && pos + 1 < data.size(); ++e, pos += 2) {
        const float v = static_cast<float>(data[pos]);
        if (IsMapNoValue(v))
            continue;
        minimum = std::min(minimum, static_cast<double>(v));
        maximum = std::max(maximum, static_cast<double>(v));
        if (!collecting)
            continue;
        int k = 0;
        while (k < 24 && bins.limit[static_cast<std::size_t>(k)] != v && bins.limit[static_cast<std::size_t>(k)] != kBinEnd)
            ++k;
        if (k == 24) {
            collecting = false; // more than 24 distinct values
            continue;
        }
        if (bins.limit[static_cast<std::size_t>(k)] == kBinEnd) {
            bins.limit[static_cast<std::size_t>(k)] = v;
            bins.limit[static_cast<std::size_t>(k + 1)] = kBinEnd;
            bins.count = k + 1;
        }
    }
    if (collecting) {
        std::sort(bins.limit.begin(), bins.limit.begin() + bins.count);
        bins.continuous = 0;
    } else {
        for (int i = 0; i < 24; ++i)
            bins.limit[static_cast<std::size_t>(i)] = static_cast<float>(minimum + (i + 1) * (maximum - minimum) / 24.0);
        bins.limit[24] = kBinEnd;
        bins.count = 24;
        bins.continuous = 1;
    }
}

int GetBinIndex(const ColourBins& bins, double v)
{
    if (std::fabs(v - kMapNoValue) < 0.1)
        return -1;
    if (bins.count < 2)
        return 1;
    if (v < bins.limit[0] - 1.1 * (bins.limit[1] - bins.limit[0]))
        return -1;
    for (int k = 0; k < 25; ++k) {
        const float l = bins.limit[static_cast<std::size_t>(k)];
        if (l == kBinEnd)
            return -1;
        if (l * (v >= 0.0 ? 1.0001 : 0.9999) >= v)
            return k + 1;
    }
    return -1;
}

plat::Color GetBinColour(const ColourBins& bins, int i, bool grey)
{
    switch (i) {
    case 25: return {0, 0, 0};
    case 26: return {255, 255, 255};
    case 27: return {192, 192, 192};
    case 28: return {236, 236, 236};
    default: break;
    }
    const int n = bins.count;
    if (n <= 0)
        return {0, 0, 0};
    const auto m = [](int v) { return ((v % 256) + 256) % 256; };
    if (grey) {
        const int g = m((250 / n) * i);
        return {g, g, g};
    }
    if (!bins.continuous)
        return PlotColour(i >= 0 && i <= 24 ? i : 0);
    const int half = (n + 1) / 2;
    if (i >= half)
        return {m(std::abs(255 - (500 / n) * (i - half))), m(((i - half) * 500) / n), 0};
    return {m((500 / n) * i), 0, m(256 - (500 / n) * i)};
}

std::string ParseBinRange(const std::string& text, double& minimum, double& maximum, int& count)
{
    std::string t = text;
    std::replace(t.begin(), t.end(), ',', ' ');
    std::replace(t.begin(), t.end(), '\t', ' ');
    std::istringstream in(t);
    std::string token;
    // Bin limits are kept in single precision.
    const TypedRange limit{-1e30, 1e30, ukNone};
    double lo = minimum, hi = maximum;
    int n = count;
    std::string message;
    if (in >> token)
        message = ReadTypedValue(token, "Minimum", limit, lo);
    if (message.empty() && in >> token)
        message = ReadTypedValue(token, "Maximum", limit, hi);
    if (!message.empty())
        return message;
    if (in >> token) {
        // A count is held to 1 .. kMaxBins; one that is no number is refused.
        const double typed = TypedNumber(token);
        if (std::isnan(typed))
            return StrPrintf("Number of bins must be a whole number from 1 to %d.", kMaxBins);
        n = ClampToInt(typed);
    }
    minimum = lo;
    maximum = hi;
    count = std::clamp(n, 1, kMaxBins);
    return {};
}

std::string ReadMapValue(MapValue which, const std::string& text, double& value)
{
    double v = value;
    std::string message;
    switch (which) {
    case MapValue::WhiteLine:
        message = ReadTypedValue(text, "Value for white lines", {-1e9, 1e9, ukNone}, v);
        break;
    case MapValue::Magnification:
        message = ReadTypedValue(text, "Magnification", {-1e4, 1e4, ukNone}, v);
        break;
    case MapValue::CrackWidth:
        message = ReadTypedValue(text, "Critical crack width", {0.0, 1e3, ukNone}, v);
        break;
    case MapValue::CharacteristicStrain:
        message = ReadTypedValue(text, "Characteristic strain", {-1e9, 1e9, ukNone}, v);
        v = v > 0.001 ? v : 0.001;
        break;
    }
    if (message.empty())
        value = v;
    return message;
}

void SetBinRange(ColourBins& bins, double minimum, double maximum, int count)
{
    count = std::clamp(count, 1, kMaxBins);
    for (int i = 0; i < count; ++i)
        bins.limit[static_cast<std::size_t>(i)] = static_cast<float>(minimum + (i + 1) * (maximum - minimum) / count);
    bins.limit[static_cast<std::size_t>(count)] = kBinEnd;
    bins.limit[24] = kBinEnd;
    bins.count = count;
    bins.continuous = 1;
}
