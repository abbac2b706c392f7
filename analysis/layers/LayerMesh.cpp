#include "analysis/layers/LayerMesh.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <initializer_list>

#include "foundation/Reporter.h"
#include "model/TStructure.h"

namespace {

// Region pass: divisions per section height, the guard against a zero height, and the
// round-up that makes a region of exactly an eighth of the height one layer.
constexpr double kDivisionsPerHeight = 8.0;
constexpr double kHeightGuard = 0.0001;
constexpr double kRoundUp = 0.99;
// Half the thickness of the thin layer at a change of concrete type or width.
constexpr double kThinLayerHalf = 0.00005;
// Width jump (m) between touching regions that calls for a thin layer.
constexpr double kWidthJump = 0.01;

// Bar pass tolerances (m): a bar centre this close above a layer's bottom, or this close
// below its top, still belongs to that layer; a bar edge this close to a face reaches it.
constexpr double kCentreBelowTolerance = 0.0001;
constexpr double kCentreAboveTolerance = 0.001;
constexpr double kEdgeTolerance = 0.0002;
// Thinnest part a bar boundary may leave, as a fraction of the height (1/2048).
constexpr double kThinnestPartFraction = 0.00048828125;
// Layers the bar pass keeps free below the capacity.
constexpr int kBarPassReserve = 3;

// Layers the region pass gives a region: m - 1 for m >= 2 divisions, else 1. Counted in
// double so that odd region data cannot overflow; NaN counts as a single layer.
double RegionLayers(const ConcreteRegionRec& region, double divisionsPerMetre)
{
    const double m = std::trunc((region.top - region.bottom) * divisionsPerMetre + kRoundUp);
    return m >= 2.0 ? m - 1.0 : 1.0;
}

bool NeedsThinLayer(const ConcreteRegionRec& region, const ConcreteRegionRec& next)
{
    return next.concreteType != region.concreteType ||
           std::fabs(region.bottomWidth - next.topWidth) > kWidthJump;
}

std::vector<ConcreteRegionRec> CollectRegions(const TStructure& structure)
{
    std::vector<ConcreteRegionRec> regions;
    const int count = structure.GetRegionCount();
    regions.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        if (const ConcreteRegionRec* region = structure.GetRegion(i))
            regions.push_back(*region);
    return regions;
}

// Layers the region pass appends, thin layers included.
double RegionPassLayerCount(const std::vector<ConcreteRegionRec>& regions, double divisionsPerMetre)
{
    double count = 0.0;
    for (std::size_t r = 0; r < regions.size(); ++r) {
        count += RegionLayers(regions[r], divisionsPerMetre);
        if (r + 1 < regions.size() && NeedsThinLayer(regions[r], regions[r + 1]))
            count += 1.0;
    }
    return count;
}

class MeshWriter {
public:
    explicit MeshWriter(std::vector<LayerDefRec>& layers) : m_layers(layers) {}

    int Count() const { return m_count; }

    void Append(double top, int concreteType)
    {
        assert(static_cast<std::size_t>(m_count) < m_layers.size());
        m_layers[static_cast<std::size_t>(m_count++)] = NewEntry(top, concreteType);
    }

    // The entry past the last layer: its top is the last layer's bottom.
    void WriteSentinel(double bottom, int concreteType)
    {
        assert(static_cast<std::size_t>(m_count) < m_layers.size());
        m_layers[static_cast<std::size_t>(m_count)] = NewEntry(bottom, concreteType);
    }

    double Top(int k) const { return m_layers[static_cast<std::size_t>(k)].Top; }

    // Inserts layer boundaries after layer k, in the order given (top down): the entries from
    // k + 1 to the sentinel move down and the new entries take layer k's concrete type.
    void InsertBoundaries(int k, std::initializer_list<double> tops)
    {
        const int added = static_cast<int>(tops.size());
        assert(static_cast<std::size_t>(m_count + added) < m_layers.size());
        for (int j = m_count; j > k; --j)
            m_layers[static_cast<std::size_t>(j + added)] = m_layers[static_cast<std::size_t>(j)];
        const int type = m_layers[static_cast<std::size_t>(k)].ConcreteType;
        int index = k + 1;
        for (double top : tops)
            m_layers[static_cast<std::size_t>(index++)] = NewEntry(top, type);
        m_count += added;
    }

    // Node ids, faces, thickness and settled flag of every layer.
    void Finish(double sectionBottom)
    {
        for (int i = 0; i < m_count; ++i) {
            LayerDefRec& layer = m_layers[static_cast<std::size_t>(i)];
            layer.NodeTop = static_cast<std::uint32_t>(2 * i);
            layer.NodeMid = static_cast<std::uint32_t>(2 * i + 1);
            layer.NodeBottom = static_cast<std::uint32_t>(2 * i + 2);
            layer.Bottom = i + 1 < m_count ? Top(i + 1) : sectionBottom;
            layer.Thickness = layer.Top - layer.Bottom;
            layer.Mid = (layer.Top + layer.Bottom) / 2.0;
            layer.Settled = 0;
        }
    }

private:
    static LayerDefRec NewEntry(double top, int concreteType)
    {
        LayerDefRec entry;
        entry.Top = top;
        entry.ConcreteType = concreteType;
        return entry;
    }

    std::vector<LayerDefRec>& m_layers;
    int m_count = 0;
};

void RegionPass(const std::vector<ConcreteRegionRec>& regions,
                double divisionsPerMetre,
                MeshWriter& mesh)
{
    // Offset of the next region's first layer top: the region below a thin layer starts
    // just below it.
    double carry = 0.0;
    for (std::size_t r = 0; r < regions.size(); ++r) {
        const ConcreteRegionRec& region = regions[r];
        const double t = region.top;
        const double b = region.bottom;
        const int type = region.concreteType;
        const double layers = RegionLayers(region, divisionsPerMetre);
        if (layers < 2.0) {
            mesh.Append(t + carry, type);
        } else {
            const int count = static_cast<int>(layers);
            for (int j = 0; j < count; ++j)
                mesh.Append(t + j * (b - t) / count + (j == 0 ? carry : 0.0), type);
        }
        carry = 0.0;
        if (r + 1 < regions.size() && NeedsThinLayer(region, regions[r + 1])) {
            mesh.Append(b + kThinLayerHalf, type);
            carry = -kThinLayerHalf;
        }
    }
}

// First layer k (top T, bottom B) that holds a bar centred at z. Pass 0 takes a centre on a
// boundary into the layer above it, pass 1 into the layer below; -1 when none holds it.
int FindLayerHolding(const MeshWriter& mesh, double z, int pass)
{
    for (int k = 0; k < mesh.Count(); ++k) {
        const double top = mesh.Top(k);
        const double bottom = mesh.Top(k + 1);
        const bool holds =
            pass == 0 ? z < top && (z > bottom || std::fabs(bottom - z) < kCentreBelowTolerance)
                      : z > bottom && (z <= top || std::fabs(top - z) < kCentreAboveTolerance);
        if (holds)
            return k;
    }
    return -1;
}

void RefineForBar(MeshWriter& mesh, double z, double diameter, double thinnest, int capacity)
{
    for (int pass = 0; pass < 2; ++pass) {
        const int k = FindLayerHolding(mesh, z, pass);
        if (k < 0)
            continue;
        const double top = mesh.Top(k);
        const double bottom = mesh.Top(k + 1);
        const double upper = std::min(top, z + diameter / 2.0);
        const double lower = std::max(bottom, z - diameter / 2.0);
        if (mesh.Count() >= capacity - kBarPassReserve)
            continue;
        auto thick = [thinnest](double a, double b) { return std::fabs(a - b) > thinnest; };
        if (std::fabs(upper - top) < kEdgeTolerance) {
            // The bar reaches the layer's top.
            if (std::fabs(lower - bottom) >= kEdgeTolerance && thick(bottom, lower) &&
                thick(top, lower))
                mesh.InsertBoundaries(k, {lower});
        } else if (lower > bottom) {
            // Both edges inside the layer.
            if (thick(bottom, lower) && thick(top, upper))
                mesh.InsertBoundaries(k, {upper, lower});
        } else if (thick(bottom, upper) && thick(top, upper)) {
            // The bar reaches or passes the layer's bottom.
            mesh.InsertBoundaries(k, {upper});
        }
    }
}

void BarPass(const TStructure& structure, double height, int capacity, MeshWriter& mesh)
{
    const double thinnest = height * kThinnestPartFraction;
    const int directions = structure.GetLongDirectionCount();
    for (int d = 0; d < directions; ++d) {
        const int count = structure.GetLongLayerCount(d);
        for (int j = 0; j < count; ++j) {
            const LongLayerRec* bar = structure.GetLongLayer(j, d);
            // A bar without a diameter occupies no depth: boundaries at its two edges would
            // make a layer of zero thickness.
            if (bar == nullptr || !(bar->db > 0.0))
                continue;
            RefineForBar(mesh, bar->z, bar->db, thinnest, capacity);
        }
    }
}

} // namespace

int BuildLayerMesh(const TStructure& structure, LayerMesh& mesh, int maxLayerCount)
{
    const std::size_t capacity = static_cast<std::size_t>(std::max(maxLayerCount, 0));
    if (mesh.Layers.size() != capacity)
        mesh.Layers.assign(capacity, LayerDefRec{});

    const std::vector<ConcreteRegionRec> regions = CollectRegions(structure);
    const double height = structure.GetHeight();
    const double divisionsPerMetre = kDivisionsPerHeight / (height + kHeightGuard);

    // The region pass and its sentinel must fit the array; counted before anything is written.
    const double needed = RegionPassLayerCount(regions, divisionsPerMetre) + 1.0;
    if (!(needed <= static_cast<double>(capacity))) {
        ShowMessage(kLayerCountErrorText, kLayerCountErrorCaption);
        mesh.LayerCount = 0;
        return 0;
    }

    MeshWriter writer(mesh.Layers);
    RegionPass(regions, divisionsPerMetre, writer);
    writer.WriteSentinel(structure.GetBottom(), regions.empty() ? 0 : regions.back().concreteType);
    BarPass(structure, height, static_cast<int>(capacity), writer);
    writer.Finish(structure.GetBottom());
    mesh.LayerCount = writer.Count();
    return 1;
}

int CopyLayerMeshToState(const LayerMesh& mesh,
                         std::vector<LayerDefRec>& stateLayers,
                         int& stateLayerCount)
{
    const std::size_t count =
        std::min(static_cast<std::size_t>(std::max(mesh.LayerCount, 0)), mesh.Layers.size());
    if (stateLayers.size() < count)
        stateLayers.resize(count);
    std::copy_n(mesh.Layers.begin(), count, stateLayers.begin());
    stateLayerCount = static_cast<int>(count);
    return 1;
}
