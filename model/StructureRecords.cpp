#include "model/StructureRecords.h"

#include <cstdlib>

namespace {

constexpr std::array<const char*, kPositionVariableCount> kPositionVariableNames = {
    "spacing of cracks perp. to x axis",
    "spacing of cracks perp. to y axis",
    "spacing of cracks perp. to z axis",
    "trumbel shrinkage and therm strains",
    "x-direction creep strains",
    "y-direction creep strains",
    "tension stiffening factor X",
    "tension stiffening factor Y",
    "tension stiffening factor Z",
};

// Lists 0 to 14 carry names; the rest are stored under their own number.
constexpr std::array<const char*, 15> kNamedBins = {
    "theta",
    "crackw",
    "eps1",
    "eps2",
    "epsx",
    "epsy",
    "gxy",
    "7",
    "fsx",
    "9",
    "fsy",
    "11",
    "f1",
    "f2",
    "shear",
};

} // namespace

const char* PositionVariableName(int k)
{
    if (k < 0 || k >= kPositionVariableCount)
        return "";
    return kPositionVariableNames[static_cast<std::size_t>(k)];
}

std::string ValueListBinName(int i)
{
    if (i < 0 || i >= kValueListCount)
        return std::string();
    if (i < static_cast<int>(kNamedBins.size()))
        return kNamedBins[static_cast<std::size_t>(i)];
    return std::to_string(i);
}

int ValueListIndexFromBin(const std::string& bin)
{
    for (int i = 0; i < kValueListCount; ++i) {
        if (bin == ValueListBinName(i))
            return i;
    }
    // A plain number names the list directly.
    if (bin.empty())
        return -1;
    char* end = nullptr;
    const long n = std::strtol(bin.c_str(), &end, 10);
    if (end == nullptr || *end != '\0' || n < 0 || n >= kValueListCount)
        return -1;
    return static_cast<int>(n);
}

int InitLongLayerRec(LongLayerRec& layer)
{
    // The sort flag belongs to whoever set it; a blank record keeps it.
    const int32_t sortLower = layer.sortLower;
    layer = LongLayerRec{};
    layer.sortLower = sortLower;
    return 1;
}

int InitTransLayerRec(TransLayerRec& layer)
{
    layer = TransLayerRec{};
    return 1;
}

int CompareLongLayers(const LongLayerRec& a, const LongLayerRec& b)
{
    const auto key = [](const LongLayerRec& layer) {
        return static_cast<int16_t>(layer.sortLower) != 0 ? layer.z - 1000.0 : layer.z;
    };
    const double ka = key(a);
    const double kb = key(b);
    if (kb > ka)
        return -1;
    if (ka > kb)
        return 1;
    return 0;
}
