// The layer solution of a beam-section analysis, checked against hand calculations of elastic
// sections and against the physics a cracked, sheared section must keep.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "analysis/AnalysisBaseFakes.h"
#include "analysis/layers/LayerDriver.h"
#include "analysis/layers/LayerMesh.h"
#include "analysis/layers/LayerTestSection.h"
#include "support/AllocationCounter.h"
#include "support/TestSupport.h"

namespace {

constexpr double kRelTol = 1e-5;   // linear-elastic sums: Simpson's rule is exact
constexpr double kForceTol = 1e-6; // N, for identities between sums of the same terms
constexpr double kWidth = 0.3;     // 300 x 600 mm, top 0.3 m, bottom -0.3 m
constexpr double kHeight = 0.6;
constexpr double kEs = 2e11;
constexpr double kBarArea = 1e-3;  // each bar layer
constexpr double kBarDepth = 0.25; // bars at +-0.25 m

// Linear concrete (f'c / e'c = 30 GPa both ways, f't 2 MPa), so every uncracked stress is
// Ec times the strain; bars of reinforcing steel at +-kBarDepth when asked.
std::unique_ptr<TBeam> ElasticRectangle(bool bars)
{
    auto beam = TestSection::MakeBeam();
    beam->ClearAll();
    ConcreteTypeRec concrete;
    concrete.name = "Linear", concrete.fc = -30e6, concrete.ec = -0.001, concrete.ft = 2e6;
    concrete.ftAuto = concrete.ecAuto = 0;
    concrete.baseCurve = BaseCurveCode::Linear, concrete.softening = SofteningCode::None;
    beam->AddConcreteType(concrete);
    SteelTypeRec steel;
    steel.name = "Bars", steel.Es = kEs, steel.fy = 4e8;
    beam->AddSteelType(steel);
    for (double z : {kBarDepth, -kBarDepth})
        if (bars)
            beam->AddLongLayer(layertest::Bars(z, 2, kBarArea / 2, 0.025), 0);
    return beam;
}

bool Cracked(const TStructure& s, const LayerNodeStateRec& node)
{
    return node.Strain1 - node.FreeStrain1 >
           s.GetConcreteStrainRatio(node.ConcreteType, node.LocalTensileStrength);
}

// The test section's beam under a beam analysis of its own.
struct LayerDriver : ::testing::Test {
    RecordingReporter reporter;
    std::unique_ptr<TBeam> beam = TestSection::MakeBeam();
    FakeBeamAnalysis analysis{beam.get(), 1};
    SectionStateHolder holder;
};

} // namespace

TEST_F(LayerDriver, ElasticStatesMatchHandCalculations)
{
    const double Ec = 30e9;
    const double area = kWidth * kHeight;
    const double inertia = kWidth * std::pow(kHeight, 3) / 12.0;
    const double barsI = 2.0 * kBarArea * kBarDepth * kBarDepth;
    struct Row {
        const char* name;
        bool bars;
        double e0, phi, N, M;
    } rows[] = {
        {"uniform compression", false, -2e-4, 0.0, Ec * -2e-4 * area, 0.0},
        // Extreme fibre strain 3e-5, below cracking (f't / Ec = 6.7e-5).
        {"pure curvature", false, 0.0, 1e-4, 0.0, Ec * inertia * 1e-4},
        {"curvature with bars", true, 0.0, 1e-4, 0.0, 1e-4 * (Ec * inertia + (kEs - Ec) * barsI)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto rectangle = ElasticRectangle(row.bars);
        FakeBeamAnalysis elastic(rectangle.get(), 1);
        SectionStateHolder state;
        const SectionState& s = SolveAtProfile(elastic, state, row.e0, row.phi, 0.0, 102);
        const double forceScale = Ec * 2e-4 * area;
        EXPECT_NEAR(s.Results[StateResult::AxialForce], row.N, kRelTol * forceScale);
        EXPECT_NEAR(s.Results[StateResult::Moment], row.M, kRelTol * forceScale * kHeight);
        EXPECT_TRUE(reporter.messages.empty());
    }
}

// One tapered layer from 0.2 m (0.1 m wide) down to 0 (0.5 m wide), b = 0.5 - 2 z, under the
// parabolic stress s = -1e9 z^2 (nodes -40, -10 and 0 MPa): by hand
//   N = -1e9 int (0.5 z^2 - 2 z^3) dz = -1e9 (0.008 / 6 - 0.0016 / 2) = -533333.3 N,
//   M = -1e9 int (0.5 z^3 - 2 z^4) dz = -1e9 (0.0016 / 8 - 0.00064 / 5) = -72000 N m,
// where Simpson's rule alone gives M = -66666.7 N m.
TEST_F(LayerDriver, IntegrationOfATaperedLayerIsExact)
{
    TBeam tapered;
    layertest::MakeRectangle(tapered);
    tapered.DeleteRegions();
    tapered.AddRegion(0.2, 0.0, 0.1, 0.5, 0, 1);
    LayerMesh mesh;
    FailedFlagLists flags;
    TLayerDriver driver(tapered,
                        mesh,
                        flags,
                        {},
                        TQuarvish2000Analysis::kMaxLayers,
                        TQuarvish2000Analysis::kMaxNodes,
                        nullptr);
    SectionState state;
    state.LayerDefs = {LayerDefRec{0, 1, 2, 0, 0, 0.2, 0.1, 0.0, 0.2}};
    state.LayerCount = 1;
    state.NodeStates.assign(3, LayerNodeStateRec{});
    const double stresses[3] = {-40e6, -10e6, 0.0};
    for (std::size_t i = 0; i < 3; ++i)
        state.NodeStates[i].ConcStressX = stresses[i];
    double N = 0.0, M = 0.0, V = 0.0, tendonShear = 0.0;
    driver.IntegrateSectionForces(state, N, M, V, tendonShear);
    EXPECT_NEAR(N, -1e9 * (0.008 / 6.0 - 0.0016 / 2.0), kForceTol);
    EXPECT_NEAR(M, -72000.0, kForceTol);
    driver.ComputeSignedResultants(state);
    EXPECT_NEAR(state.Results[StateResult::CompressiveForce] *
                    state.Results[StateResult::CompressiveDepth],
                -72000.0,
                kForceTol);
}

// The shear block and the N_v ratio of the 300 mm wide rectangle 0.25 ... -0.25 m in two
// layers, node shear stresses 0, 1.5, 2, 1.5, 0 MPa from the top down, every node at one crack
// angle theta. By hand each layer carries (0 + 4 x 1.5 + 2) MPa x 0.3 m x 0.25 m / 6 = 100 kN,
// so V = 200 kN over the depth 0.5 m and the width 0.3 m (mean stress 1.333 MPa), and the
// longitudinal tension is V cot(theta). The shear reversed with theta mirrored about pi/2 gives
// the reversed block and the same ratio; shear in the lower layer only (0, 0, 0, 1.5, 0 MPa)
// acts over that layer alone. With the resultants' lines of action at +-0.1 m only the middle
// node lies in the web between them: the nodes at +-0.125 m, at 5 and 85 degrees (a chord's
// flexural directions), do not count. A state without shear has neither.
TEST_F(LayerDriver, ShearBlockAndNvRatioOfLayersAtOneCrackAngle)
{
    TBeam rectangle;
    layertest::MakeRectangle(rectangle);
    LayerMesh mesh;
    FailedFlagLists flags;
    TLayerDriver driver(rectangle,
                        mesh,
                        flags,
                        {},
                        TQuarvish2000Analysis::kMaxLayers,
                        TQuarvish2000Analysis::kMaxNodes,
                        nullptr);
    const double pi = 3.14159265358979;
    const double deg = pi / 180.0;
    const std::array<double, 5> shear = {0.0, 1.5e6, 2e6, 1.5e6, 0.0};
    auto all = [](double theta) { return std::array<double, 5>{theta, theta, theta, theta, theta}; };
    struct Row {
        const char* name;
        double sign;
        std::array<double, 5> theta, v;
        double chord; // the resultants' lines of action at +-chord (0: none)
        double V, depth, cot;
    } rows[] = {
        {"30 degrees", 1.0, all(30 * deg), shear, 0.0, 200e3, 0.5, std::sqrt(3.0)},
        {"45 degrees", 1.0, all(45 * deg), shear, 0.2, 200e3, 0.5, 1.0},
        {"reversed at 150 degrees", -1.0, all(150 * deg), shear, 0.2, -200e3, 0.5, std::sqrt(3.0)},
        {"lower layer only", 1.0, all(30 * deg), {0.0, 0.0, 0.0, 1.5e6, 0.0}, 0.0, 75e3, 0.25,
         std::sqrt(3.0)},
        {"web between the chords", 1.0, {5 * deg, 5 * deg, 30 * deg, 85 * deg, 85 * deg}, shear, 0.1,
         200e3, 0.5, std::sqrt(3.0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SectionState state = layertest::TwoLayerState(rectangle, 0.0, 0.0, {});
        for (std::size_t id = 0; id < 5; ++id) {
            state.NodeStates[id].ConcShearStress = row.sign * row.v[id];
            state.NodeStates[id].CrackAngle = row.theta[id];
        }
        if (row.chord > 0.0) {
            state.Results[StateResult::CompressiveForce] = -1e5;
            state.Results[StateResult::CompressiveDepth] = row.chord;
            state.Results[StateResult::TensileForce] = 1e5;
            state.Results[StateResult::TensileDepth] = -row.chord;
        }
        driver.ComputeShearBlock(state);
        const auto& b = state.ShearBlock;
        EXPECT_NEAR(b[0] * b[1] * b[2] * b[3], row.V, 1e-6);
        EXPECT_NEAR(b[1], layertest::kWidth, 1e-12);
        EXPECT_NEAR(b[2], row.depth, 1e-12);
        EXPECT_NEAR(b[0], row.V / (layertest::kWidth * row.depth), 1e-6);
        EXPECT_NEAR(state.NvRatio, row.cot, 1e-9);
        // The block carries the shear that the section integration finds in the layers.
        double N = 0.0, M = 0.0, V = 0.0, tendonShear = 0.0;
        driver.IntegrateSectionForces(state, N, M, V, tendonShear);
        EXPECT_NEAR(V, row.V, 1e-6);

        TLayerDriver::ZeroSignedResultants(state); // a trial pass clears them
        EXPECT_EQ(state.ShearBlock, (std::array<double, 4>{}));
        EXPECT_EQ(state.NvRatio, 0.0);
    }

    SectionState still = layertest::TwoLayerState(rectangle, 0.0, 0.0, {});
    for (LayerNodeStateRec& node : still.NodeStates)
        node.CrackAngle = pi / 6;
    still.ShearBlock = {1.0, 1.0, 1.0, 1.0};
    still.NvRatio = 2.0;
    driver.ComputeShearBlock(still);
    EXPECT_EQ(still.ShearBlock, (std::array<double, 4>{}));
    EXPECT_EQ(still.NvRatio, 0.0);
}

// The block where the widths change over a layer, every node at 45 degrees:
// - a tapered web, one layer from 0.2 m (0.1 m wide) down to 0 (0.5 m wide), b = 0.5 - 2 z,
//   under v = 3 - 10 z MPa (nodes 1, 2, 3 MPa from the top down): by hand
//   V = int (3 - 10 z)(0.5 - 2 z) dz = 0.3 - 0.22 + 0.0533 = 0.13333 MN over the area
//   0.06 m^2: the block 0.3 m wide, 0.2 m deep, 2.2222 MPa;
// - the two halves of a diamond 0.4 m wide at mid-depth, b = 0.4 - 2 |z| over +-0.2 m, in two
//   layers under v = 2 - 50 z^2 MPa (nodes 0, 1.5, 2, 1.5, 0 MPa): by hand
//   V = 2 int_0^0.2 (2 - 50 z^2)(0.4 - 2 z) dz = 2 (0.16 - 0.08 - 0.05333 + 0.04) = 0.13333 MN
//   over the area 0.08 m^2: the block 0.2 m wide, 0.4 m deep, 1.6667 MPa.
// Each node weighs with the width where it stands (the lower node of a layer with its bottom
// width): only then does the block carry the V that the layers integrate to.
TEST_F(LayerDriver, TheShearBlockCarriesTheShearOfLayersWhoseWidthChanges)
{
    const double quarter = 0.78539816339745;
    struct Row {
        const char* name;
        std::vector<ConcreteRegionRec> regions;
        std::vector<LayerDefRec> layers;
        std::vector<double> v;
        double V, width, depth;
    };
    const Row rows[] = {
        {"tapered web", {{0.2, 0.0, 0.1, 0.5, 0}}, {LayerDefRec{0, 1, 2, 0, 0, 0.2, 0.1, 0.0, 0.2}},
         {1e6, 2e6, 3e6}, 0.3 - 0.22 + 20.0 * 0.008 / 3.0, 0.3, 0.2},
        {"diamond", {{0.2, 0.0, 0.0, 0.4, 0}, {0.0, -0.2, 0.4, 0.0, 0}},
         {LayerDefRec{0, 1, 2, 0, 0, 0.2, 0.1, 0.0, 0.2}, LayerDefRec{2, 3, 4, 0, 0, 0.0, -0.1, -0.2, 0.2}},
         {0.0, 1.5e6, 2e6, 1.5e6, 0.0}, 2.0 * (0.16 - 0.08 - 20.0 * 0.008 / 3.0 + 0.04), 0.2, 0.4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TBeam shape;
        layertest::MakeRectangle(shape);
        shape.DeleteRegions();
        for (const ConcreteRegionRec& r : row.regions)
            shape.AddRegion(r, 1);
        LayerMesh mesh;
        FailedFlagLists flags;
        TLayerDriver driver(shape,
                            mesh,
                            flags,
                            {},
                            TQuarvish2000Analysis::kMaxLayers,
                            TQuarvish2000Analysis::kMaxNodes,
                            nullptr);
        SectionState state;
        state.LayerDefs = row.layers;
        state.LayerCount = static_cast<int>(row.layers.size());
        state.NodeStates.assign(row.v.size(), LayerNodeStateRec{});
        for (std::size_t id = 0; id < row.v.size(); ++id) {
            state.NodeStates[id].ConcShearStress = row.v[id];
            state.NodeStates[id].CrackAngle = quarter;
        }
        const double V = row.V * 1e6;
        driver.ComputeShearBlock(state);
        const auto& b = state.ShearBlock;
        EXPECT_NEAR(b[0] * b[1] * b[2] * b[3], V, 1e-6);
        EXPECT_NEAR(b[1], row.width, 1e-12);
        EXPECT_NEAR(b[2], row.depth, 1e-12);
        EXPECT_NEAR(b[0], V / (row.width * row.depth), 1e-6);
        EXPECT_NEAR(state.NvRatio, 1.0, 1e-9);
        double N = 0.0, M = 0.0, sectionV = 0.0, tendonShear = 0.0;
        driver.IntegrateSectionForces(state, N, M, sectionV, tendonShear);
        EXPECT_NEAR(sectionV, V, 1e-6);
    }
}

TEST_F(LayerDriver, ACrackedSectionUnderShearIsRefinedWhereItCracksAndMirrors)
{
    const TStructure& section = *analysis.GetStructure();
    ASSERT_EQ(analysis.HasShear(), 0);
    // Bottom in tension (0.0013 at -0.3 m), top in compression, shear strain 0.045 % at mid-depth.
    const SectionState& s = SolveAtProfile(analysis, holder, 1e-4, -4e-3, 3e-4, 102);

    ASSERT_GT(s.LayerCount, analysis.GetLayerCount());
    for (int i = 0; i < s.LayerCount; ++i) {
        const LayerDefRec& layer = s.LayerDefs[static_cast<std::size_t>(i)];
        if (i + 1 < s.LayerCount) { // neighbours share their face and its node
            EXPECT_EQ(layer.Bottom, s.LayerDefs[static_cast<std::size_t>(i + 1)].Top);
            EXPECT_EQ(layer.NodeBottom, s.LayerDefs[static_cast<std::size_t>(i + 1)].NodeTop);
        }
        // Cracking never starts inside a layer that could still be halved.
        if (layer.Thickness / 2 > section.GetHeight() / 1024) {
            const bool top = Cracked(section, s.NodeStates[layer.NodeTop]);
            EXPECT_EQ(top, Cracked(section, s.NodeStates[layer.NodeMid])) << "layer " << i;
            EXPECT_EQ(top, Cracked(section, s.NodeStates[layer.NodeBottom])) << "layer " << i;
        }
    }
    EXPECT_EQ(analysis.HasShear(), 1);
    // The signed resultants split N, M and V and nothing else.
    const auto& r = s.Results;
    EXPECT_NEAR(r[StateResult::CompressiveForce] + r[StateResult::TensileForce],
                r[StateResult::AxialForce],
                kForceTol);
    EXPECT_NEAR(r[StateResult::CompressiveShear] + r[StateResult::TensileShear],
                r[StateResult::Shear],
                kForceTol);
    EXPECT_NEAR(r[StateResult::CompressiveForce] * r[StateResult::CompressiveDepth] +
                    r[StateResult::TensileForce] * r[StateResult::TensileDepth],
                r[StateResult::Moment],
                kForceTol);
    EXPECT_TRUE(reporter.messages.empty());

    // The section is symmetric about mid-depth: with the top in tension and the shear reversed
    // it carries the mirror image of the state above (same N, M and V reversed). Its crack
    // angles run from pi/2 towards pi, with the compressed bottom node at 0: after the wrap they
    // lie within one half-turn.
    const auto bottom = s.Results;
    const SectionState& m = SolveAtProfile(analysis, holder, 1e-4, 4e-3, -3e-4, 102);
    const auto& top = m.Results;
    const double forceTol = kRelTol * std::fabs(bottom[StateResult::AxialForce]) + kForceTol;
    EXPECT_NEAR(top[StateResult::AxialForce], bottom[StateResult::AxialForce], forceTol);
    EXPECT_NEAR(top[StateResult::Moment], -bottom[StateResult::Moment], forceTol);
    EXPECT_NEAR(top[StateResult::Shear], -bottom[StateResult::Shear], forceTol);
    double lowest = 1e9, highest = -1e9;
    for (int id = 0; id <= 2 * m.LayerCount; ++id) {
        const double angle = m.NodeStates[static_cast<std::size_t>(id)].CrackAngle;
        lowest = std::min(lowest, angle);
        highest = std::max(highest, angle);
    }
    // The wrap moves every angle into 0.45 pi ... 1.45 pi or into -0.45 pi ... 0.55 pi.
    const double pi = 3.14159265358979;
    EXPECT_TRUE((lowest >= 0.45 * pi && highest < 1.45 * pi) ||
                (lowest > -0.45 * pi && highest <= 0.55 * pi))
        << lowest / pi << " ... " << highest / pi << " pi";
    EXPECT_TRUE(reporter.messages.empty());
}

// The refinement stops splitting a layer once f1 and f2 at its quarter points lie within 0.2 %
// of the largest |f1| (|f2|) of the unrefined mesh of the parabola through its three nodes
// (f1 only where the layer's nodes agree on cracking). The quarter points are checked by
// solving again on a mesh of the refined layers' halves, whose middle nodes lie there.
TEST_F(LayerDriver, RefinedLayersFollowTheirParabolaWithinTheTolerance)
{
    const TStructure& section = *analysis.GetStructure();
    SectionStateHolder first;
    const SectionState& s = SolveAtProfile(analysis, first, 1e-4, -4e-3, 3e-4, 100);
    const int unrefined = analysis.GetLayerCount();
    ASSERT_GT(s.LayerCount, unrefined);
    ASSERT_LT(s.LayerCount, 50); // far from the capacity: every layer was free to split
    double F1 = 1.0, F2 = 1.0;
    for (int id = 0; id <= 2 * unrefined; ++id) {
        F1 = std::max(F1, std::fabs(s.NodeStates[static_cast<std::size_t>(id)].ConcStress1));
        F2 = std::max(F2, std::fabs(s.NodeStates[static_cast<std::size_t>(id)].ConcStress2));
    }

    LayerMesh halves;
    for (int i = 0; i < s.LayerCount; ++i) {
        const LayerDefRec& layer = s.LayerDefs[static_cast<std::size_t>(i)];
        for (const auto& [top, bottom] :
             {std::pair{layer.Top, layer.Mid}, std::pair{layer.Mid, layer.Bottom}}) {
            const auto node = static_cast<std::uint32_t>(2 * halves.Layers.size());
            LayerDefRec half = layer;
            half.NodeTop = node, half.NodeMid = node + 1, half.NodeBottom = node + 2;
            half.Top = top, half.Bottom = bottom, half.Mid = (top + bottom) / 2.0;
            half.Thickness = top - bottom;
            half.Settled = 0;
            halves.Layers.push_back(half);
        }
    }
    halves.LayerCount = static_cast<int>(halves.Layers.size());
    analysis.MutableMesh() = halves;
    SectionStateHolder second;
    const SectionState& q = SolveAtProfile(analysis, second, 1e-4, -4e-3, 3e-4, 100);

    // The node of the second solution at a depth (its mesh holds every quarter point).
    const auto nodeAt = [&q](double depth) -> const LayerNodeStateRec* {
        for (int j = 0; j < q.LayerCount; ++j) {
            const LayerDefRec& layer = q.LayerDefs[static_cast<std::size_t>(j)];
            if (layer.Mid == depth)
                return &q.NodeStates[layer.NodeMid];
            if (layer.Top == depth)
                return &q.NodeStates[layer.NodeTop];
        }
        return nullptr;
    };
    int eligible = 0, checked = 0;
    for (int i = 0; i < s.LayerCount; ++i) {
        const LayerDefRec& layer = s.LayerDefs[static_cast<std::size_t>(i)];
        if (layer.Thickness / 2.0 <= section.GetHeight() / 1024.0)
            continue; // too thin to be split further
        ++eligible;
        const auto& top = s.NodeStates[layer.NodeTop];
        const auto& mid = s.NodeStates[layer.NodeMid];
        const auto& bottom = s.NodeStates[layer.NodeBottom];
        const bool sameCracking = Cracked(section, top) == Cracked(section, mid) &&
                                  Cracked(section, mid) == Cracked(section, bottom);
        for (double depth : {(layer.Top + layer.Mid) / 2.0, (layer.Mid + layer.Bottom) / 2.0}) {
            SCOPED_TRACE(testing::Message() << "layer " << i << " quarter at " << depth);
            const LayerNodeStateRec* node = nodeAt(depth);
            ASSERT_NE(node, nullptr);
            // The parabola through (0, top), (h/2, mid), (h, bottom) at t h.
            const double t = (layer.Top - depth) / layer.Thickness;
            const auto parabola = [t](double a, double b, double c) {
                return a * (1 - t) * (1 - 2 * t) + 4 * b * t * (1 - t) + c * t * (2 * t - 1);
            };
            if (sameCracking) {
                EXPECT_LE(std::fabs(node->ConcStress1 -
                                    parabola(top.ConcStress1, mid.ConcStress1, bottom.ConcStress1)),
                          0.002 * F1 * (1 + kRelTol));
            }
            EXPECT_LE(std::fabs(node->ConcStress2 -
                                parabola(top.ConcStress2, mid.ConcStress2, bottom.ConcStress2)),
                      0.002 * F2 * (1 + kRelTol));
            ++checked;
        }
    }
    EXPECT_GT(eligible, unrefined);
    EXPECT_EQ(checked, 2 * eligible);
}

TEST_F(LayerDriver, RepeatedSolutionsAreIdenticalAndTrialPassesClearTheFinishingResults)
{
    SectionState first; // what the comparison needs of the first solution
    {
        const SectionState& s = SolveAtProfile(analysis, holder, 1e-4, -4e-3, 3e-4, 102);
        first.Results = s.Results;
        first.ShearBlock = s.ShearBlock;
        first.LayerCount = s.LayerCount;
        first.NodeStates.assign(s.NodeStates.begin(), s.NodeStates.begin() + 2 * s.LayerCount + 1);
        first.LayerDefs.assign(s.LayerDefs.begin(), s.LayerDefs.begin() + s.LayerCount);
        first.LongBarValues = s.LongBarValues;
    }
    SolveAtProfile(analysis, holder, -1e-4, 2e-3, 0.0, 102); // a different trial in between
    const bool counting = CanCountAllocations();
    const long allocations =
        CountAllocations([&] { SolveAtProfile(analysis, holder, 1e-4, -4e-3, 3e-4, 102); });
    if (counting) {
        EXPECT_EQ(allocations, 0); // scratch is kept for the life of the analysis
    }
    const SectionState& again = *holder;
    EXPECT_EQ(again.Results, first.Results);
    EXPECT_EQ(again.LayerCount, first.LayerCount);
    // Node ids in use are 0 ... 2n; the records beyond are the refinement's scratch.
    EXPECT_TRUE(
        std::equal(first.NodeStates.begin(), first.NodeStates.end(), again.NodeStates.begin()));
    EXPECT_TRUE(
        std::equal(first.LayerDefs.begin(), first.LayerDefs.end(), again.LayerDefs.begin()));
    EXPECT_EQ(again.LongBarValues, first.LongBarValues);

    // Mode 100: the same resultants, no signed resultants, tension bars' crack stress undefined.
    const SectionState& trial = SolveAtProfile(analysis, holder, 1e-4, -4e-3, 3e-4, 100);
    for (int k : {StateResult::AxialForce, StateResult::Moment, StateResult::Shear})
        EXPECT_EQ(trial.Results[static_cast<std::size_t>(k)],
                  first.Results[static_cast<std::size_t>(k)]);
    EXPECT_EQ(trial.Results[StateResult::CompressiveForce], 0.0);
    // The finishing pass's shear block carries the layers' V (no draped bars here); the trial
    // pass has none.
    const auto& b = first.ShearBlock;
    EXPECT_EQ(first.Results[StateResult::DrapedShear], 0.0);
    EXPECT_GT(b[1], 0.0);
    EXPECT_NEAR(b[0] * b[1] * b[2] * b[3], first.Results[StateResult::Shear],
                1e-9 * std::fabs(first.Results[StateResult::Shear]));
    EXPECT_EQ(trial.ShearBlock[1], 0.0);
    EXPECT_EQ(trial.NvRatio, 0.0);
    const TStructure& section = *analysis.GetStructure();
    for (int j = 0; j < section.GetLongLayerCount(0); ++j) {
        if (1e-4 - 4e-3 * section.GetLongLayer(j, 0)->z > 0.0) { // in tension
            EXPECT_EQ(trial.LongBarValues[BarArray::List0Second][static_cast<std::size_t>(j)],
                      kUndefined);
        }
    }
}

TEST_F(LayerDriver, SplitPastTheCapacityIsRefused)
{
    SectionState& s = SolveAtProfile(analysis, holder, 0.0, 0.0, 0.0, 100);
    EXPECT_EQ(
        analysis.GetLayerDriver()->SplitLayer(s, 0, TQuarvish2000Analysis::kMaxLayers, 300, 3),
        0);
    EXPECT_TRUE(reporter.Saw(kTooManyLayersText));
}
