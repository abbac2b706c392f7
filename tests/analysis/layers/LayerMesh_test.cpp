#include "analysis/layers/LayerMesh.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/TStructure.h"
#include "support/TestSupport.h"

namespace {

constexpr double kDepthTolerance = 1e-12;

struct RegionSpec {
    double top, bottom, topWidth, bottomWidth;
    int type;
};

void AddRegions(TStructure& structure, const std::vector<RegionSpec>& regions)
{
    for (const RegionSpec& r : regions)
        ASSERT_EQ(structure.AddRegion(r.top, r.bottom, r.topWidth, r.bottomWidth, r.type, 1), 1);
}

// count regions 0.01 m thick stacked down from top, 0.3 m wide, their concrete types
// alternating 0, 1, 0, ... when alternate is set.
void AddStackedRegions(TStructure& structure, int count, double top, bool alternate)
{
    for (int i = 0; i < count; ++i)
        AddRegions(structure,
                   {{top - i * 0.01, top - (i + 1) * 0.01, 0.3, 0.3, alternate ? i % 2 : 0}});
}

void AddBar(TStructure& structure, double z, double diameter)
{
    LongLayerRec bar;
    bar.z = z, bar.db = diameter, bar.num = 2, bar.Ai = 0.0003, bar.A = 0.0006;
    ASSERT_EQ(structure.AddLongLayer(bar, 0), 1);
}

// Checks the layer tops and the invariants every finished mesh keeps: node ids 2i, 2i+1,
// 2i+2, faces chained from the first layer's top down to the section bottom, mid and
// thickness from the faces, unsettled.
void ExpectMesh(const LayerMesh& mesh, const std::vector<double>& tops, double sectionBottom)
{
    ASSERT_EQ(mesh.LayerCount, tops.empty() ? mesh.LayerCount : static_cast<int>(tops.size()));
    ASSERT_GT(mesh.LayerCount, 0);
    for (int i = 0; i < mesh.LayerCount; ++i) {
        SCOPED_TRACE("layer " + std::to_string(i));
        const auto k = static_cast<std::size_t>(i);
        const LayerDefRec& layer = mesh.Layers[k];
        EXPECT_NEAR(layer.Top, tops.empty() ? layer.Top : tops[k], kDepthTolerance);
        EXPECT_EQ(layer.NodeTop, 2 * k);
        EXPECT_EQ(layer.NodeMid, 2 * k + 1);
        EXPECT_EQ(layer.NodeBottom, 2 * k + 2);
        EXPECT_EQ(layer.Settled, 0u);
        EXPECT_DOUBLE_EQ(layer.Bottom,
                         i + 1 < mesh.LayerCount ? mesh.Layers[k + 1].Top : sectionBottom);
        EXPECT_NEAR(layer.Thickness, layer.Top - layer.Bottom, kDepthTolerance);
        EXPECT_NEAR(layer.Mid, (layer.Top + layer.Bottom) / 2.0, kDepthTolerance);
        EXPECT_GT(layer.Thickness, 0.0);
    }
}

// count equal layers of the given thickness from top down, after the tops in front.
std::vector<double> Tops(std::vector<double> front, double top, double thickness, int count)
{
    for (int j = 0; j < count; ++j)
        front.push_back(top - j * thickness);
    return front;
}

// Divisions per region: m = trunc(8 d / (H + 0.0001) + 0.99), m - 1 layers, one when m < 2.
// A change of concrete type, or a width jump over 0.01 m, puts a 0.0001-thick layer of the
// upper region's type across the boundary at 0. A 0.875 m rectangle has seven layers of
// 0.125 m with tops 0.4375, 0.3125, ..., -0.3125 (all exact in binary); bars are placed around
// the layers [-0.1875, -0.3125] and [-0.3125, -0.4375]. H / 2048 = 0.000427 m.
TEST(LayerMesh, LayersFollowTheRegionsAndTheBars)
{
    struct Case {
        const char* name;
        std::vector<RegionSpec> regions;
        std::vector<double> tops;
        std::vector<int> types = {}; // of each layer, when given
        double barZ = 0.0, barDiameter = 0.0;
    };
    const std::vector<double> halves = Tops(Tops({}, 0.4, 0.4 / 3.0, 3), 0.0, 0.4 / 3.0, 3);
    // Each half: H = 0.6, m = trunc(0.3 x 8 / 0.6001 + 0.99) = 4, three layers of 0.1.
    const std::vector<double> thin = {0.3, 0.2, 0.1, 0.00005, -0.00005, -0.1, -0.2};
    const RegionSpec deep = {0.4375, -0.4375, 0.3, 0.3, 0};
    const auto withBar = [](std::vector<double> lower) {
        std::vector<double> tops = {0.4375, 0.3125, 0.1875, 0.0625, -0.0625, -0.1875};
        tops.insert(tops.end(), lower.begin(), lower.end());
        return tops;
    };
    const Case cases[] = {
        // The whole height: m = 8, seven layers.
        {"one rectangle", {{0.4, -0.4, 0.3, 0.3, 0}}, Tops({}, 0.4, 0.8 / 7.0, 7)},
        // Thinner than H / 800: m = 0, still exactly one layer.
        {"sliver",
         {{0.4, 0.3995, 0.3, 0.3, 0}, {0.3995, -0.4, 0.3, 0.3, 0}},
         Tops({0.4}, 0.3995, 0.7995 / 7.0, 7)},
        // Same type, touching widths 0.005 apart: no thin layer; each half m = 4, three layers.
        {"small width step", {{0.4, 0.0, 0.3, 0.305, 0}, {0.0, -0.4, 0.31, 0.31, 0}}, halves},
        {"type change",
         {{0.3, 0.0, 0.3, 0.3, 0}, {0.0, -0.3, 0.3, 0.3, 1}},
         thin,
         {0, 0, 0, 0, 1, 1, 1}},
        {"width jump",
         {{0.3, 0.0, 1.0, 1.0, 0}, {0.0, -0.3, 0.3, 0.3, 0}},
         thin,
         {0, 0, 0, 0, 0, 0, 0}},
        {"bar inside one layer", {deep}, withBar({-0.3125, -0.34, -0.36}), {}, -0.35, 0.02},
        {"bar on a boundary", {deep}, withBar({-0.3025, -0.3125, -0.3225}), {}, -0.3125, 0.02},
        {"bar parts no thicker than H/2048", {deep}, withBar({-0.3125}), {}, -0.375, 0.1242},
        {"bar outside the section", {deep}, withBar({-0.3125}), {}, 0.5, 0.02},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingReporter reporter;
        TStructure section;
        AddRegions(section, c.regions);
        if (c.barDiameter > 0.0)
            AddBar(section, c.barZ, c.barDiameter);
        LayerMesh mesh;
        ASSERT_EQ(BuildLayerMesh(section, mesh), 1);
        EXPECT_EQ(mesh.Layers.size(), static_cast<std::size_t>(kMaxBeamLayerCount));
        ExpectMesh(mesh, c.tops, c.regions.back().bottom);
        for (std::size_t i = 0; i < c.types.size(); ++i)
            EXPECT_EQ(mesh.Layers[i].ConcreteType, c.types[i]) << "layer " << i;
        EXPECT_TRUE(reporter.messages.empty());
    }
}

// Sixty regions 0.01 m thick with alternating concrete types need 60 + 59 thin = 119 layers,
// which with the sentinel fill the 120 entries exactly; one more region needs 121.
TEST(LayerMesh, RegionsThatOverflowTheArrayAreRefused)
{
    struct Case {
        const char* name;
        int regions;
        bool alternate;
        int layers; // 0: refused
    } cases[] = {
        {"alternating types, exactly full", 60, true, 119},
        {"alternating types, one too many", 61, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingReporter reporter;
        TStructure section;
        AddStackedRegions(section, c.regions, 0.5, c.alternate);
        AddBar(section, 0.495, 0.002); // the bar pass adds nothing to a full mesh
        LayerMesh mesh;
        mesh.LayerCount = 7; // left by an earlier build
        EXPECT_EQ(BuildLayerMesh(section, mesh), c.layers > 0 ? 1 : 0);
        EXPECT_EQ(mesh.Layers.size(), static_cast<std::size_t>(kMaxBeamLayerCount));
        EXPECT_EQ(mesh.LayerCount, c.layers);
        if (c.layers > 0) {
            ExpectMesh(mesh, {}, 0.5 - c.regions * 0.01);
            EXPECT_TRUE(reporter.messages.empty());
        } else {
            ASSERT_EQ(reporter.messages.size(), 1u);
            EXPECT_EQ(reporter.messages[0].text, "Error in number of layers");
            EXPECT_EQ(mesh.Layers[0], LayerDefRec{});
        }
    }
}

// A working array too small for the unsplit mesh is grown.
TEST(LayerMesh, CopyToStateTakesTheUnsplitMesh)
{
    TStructure rectangle;
    AddRegions(rectangle, {{0.3, -0.3, 0.3, 0.3, 0}});
    LayerMesh mesh;
    ASSERT_EQ(BuildLayerMesh(rectangle, mesh), 1);
    const std::vector<LayerDefRec> expected(mesh.Layers.begin(), mesh.Layers.begin() + 7);

    int count = 99;
    std::vector<LayerDefRec> tooSmall;
    EXPECT_EQ(CopyLayerMeshToState(mesh, tooSmall, count), 1);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(tooSmall, expected);
}

} // namespace
