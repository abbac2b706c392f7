#include <array>
#include <cmath>
#include <span>

#include <gtest/gtest.h>

#include "analysis/AnalysisBaseFakes.h"
#include "support/TestSupport.h"

namespace {

constexpr double kRel = 1e-9; // relative tolerance of the hand calculations
constexpr double kEc = 3e10, kEs = 2e11, kRho = 2e-4 / 0.2 / 0.3, kAxial = kEc * 0.18;

// 300 x 600 mm rectangle (top 0.3, bottom -0.3), Ec 30 GPa; bars at 0.25 (a tendon of drape
// 0.75, 1000 mm^2), 0 (1000 mm^2) and -0.25 (2000 mm^2); stirrups of 200 mm^2 at 200 mm from
// -0.26 to 0.26. The analysis's copy is not validated, so every value stays as given.
struct Analysis : FakeBeamAnalysis {
    static std::unique_ptr<TBeam> Section(bool stirrups = true)
    {
        auto beam = TestSection::MakeBeam();
        SteelTypeRec& steel = *beam->GetSteelType(0); // Es 200 GPa, fy 400 MPa
        steel.esh = 0.01, steel.eu = 0.1, steel.fu = 6e8, steel.er = 0.12;
        beam->GetLongLayer(0, 0)->drape = 0.75;
        beam->GetLongLayer(2, 0)->A = 2e-3;
        beam->SetTransLayerCount(stirrups ? 1 : 0, 2);
        beam->ComputeSectionProperties();
        beam->GetConcreteType(0)->Ec = kEc;
        return beam;
    }
    explicit Analysis(const TBeam& beam) : FakeBeamAnalysis(&beam, 0) {}
    // A state on the mesh, each node at its depth y; node work arrays 0 = Ec and 1 = y^2.
    SectionStateHolder MeshState()
    {
        SectionStateHolder s;
        CreateSectionState(s, nullptr);
        CopyLayerMeshToState(GetLayerMesh(), s->LayerDefs, s->LayerCount);
        for (const LayerDefRec& l : std::span(s->LayerDefs).first(std::size_t(s->LayerCount)))
            for (auto [id, y] :
                 {std::pair{l.NodeTop, l.Top}, {l.NodeMid, l.Mid}, {l.NodeBottom, l.Bottom}})
                s->NodeStates[id].Depth = y, NodeWork[0][id] = kEc, NodeWork[1][id] = y * y;
        return s;
    }
};

TEST(BeamSectionStiffness, UncrackedRectangleWithBarsByHand)
{
    Analysis a(*Analysis::Section());
    auto s = a.MeshState();
    s->LongBarValues[BarArray::List0Stress] = {0.0, 2e30, 0.0}; // the middle bar has ruptured
    // k_net = (Es - Ec) c: 136, -30 (ruptured) and 170 GPa, c = cos(atan(0.75)) = 0.8 for the
    // tendon; with the state's top at 0.2 the tendon counts -24 GPa. K00 = sum A k_net,
    // K01 = K10 = sum A k_net z, K11 = sum A k_net z^2.
    for (auto [top, n, m, mm] :
         {std::array{0.3, 4.46e8, -5.1e7, 2.975e7}, std::array{0.2, 2.86e8, -9.1e7, 1.975e7}}) {
        SCOPED_TRACE(top);
        s->Top = top;
        std::array<double, 9> K{};
        a.AddBarStiffness(*s, K);
        EXPECT_NEAR(K[0], n, kRel * n);
        EXPECT_NEAR(K[1], m, -kRel * m);
        EXPECT_NEAR(K[4], mm, kRel * mm);
        EXPECT_EQ(K[3] - K[1] + K[2] + K[5] + K[6] + K[7] + K[8], 0.0); // symmetric, no shear
        a.ComputeFlexuralStiffness(*s);
        const double ei = kEc * 0.3 * 0.6 * 0.6 * 0.6 / 12.0 + mm; // E b h^3 / 12 + bars
        EXPECT_NEAR(s->Results[StateResult::FlexuralStiffness], ei, kRel * ei);
    }
}

TEST(BeamSectionStiffness, StirrupsAtANodeByHand)
{
    const double f = std::sqrt(1.0 - 0.13 * 0.13 / (0.52 * 0.52 / 4.0 + 1e-4)); // hoop at 0.13
    struct Case {
        int stirrups, pattern, result;
        double depth, ratio, strainZ, modulus, strain;
    };
    for (const Case& c : {Case{0, 0, 0, 0.0, kRho, 1e-3, 1.0, 0.0}, // no stirrups at all
                          Case{1, 0, 1, 0.0, kRho, 1e-3, kEs, 1e-3},
                          Case{1, 0, 1, 0.28, 0.0, 1e-3, 1.0, 0.0}, // above the stirrups
                          Case{1, 4, 1, 0.13, kRho, 1e-3, kEs * f, 1e-3 * f * f * f}}) {
        SCOPED_TRACE(c.depth + 10 * c.pattern);
        auto beam = Analysis::Section(c.stirrups);
        if (c.stirrups)
            beam->GetTransLayer(0, 2)->pattern = c.pattern;
        Analysis a(*beam);
        LayerNodeStateRec node;
        node.Depth = c.depth, node.StirrupRatio = c.ratio, node.StrainZ = c.strainZ;
        double modulus = -1, strain = -1;
        EXPECT_EQ(a.StirrupStiffnessAt(node, modulus, strain), c.result);
        EXPECT_NEAR(modulus, c.modulus, kRel * c.modulus);
        EXPECT_NEAR(strain, c.strain, kRel);
    }
}

TEST(BeamSectionStiffness, PlasticOffsetsOfAnAcceptedStage)
{
    RecordingReporter reporter;
    Analysis a(*Analysis::Section());
    auto s = a.MeshState();
    s->Results[StateResult::ReferenceStrain] = 1e-3, s->Results[StateResult::Curvature] = 0.01;
    // Bar 0 yielded at 0.0035, bar 1 with a stress no unloading explains, bar 2 unsolved.
    s->LongBarValues[BarArray::List0Stress] = {4e8, 2e30, kUndefined};
    for (LayerNodeStateRec& node : s->NodeStates) {
        const bool crossed = std::fabs(node.Depth) <= 0.26;
        node.StirrupRatio = crossed ? kRho : 0.0, node.StirrupStress = crossed ? 4e8 : 0.0;
        node.StrainZ = 0.004, node.Strain1 = 0.002, node.ConcStress1 = 0.6e6;
        node.Strain2 = -0.003, node.ConcStress2 = -30e6;
    }
    LayerNodeStateRec& ruptured = s->NodeStates[s->LayerDefs[2].NodeMid]; // strained past er
    ruptured.StrainZ = 0.13, ruptured.StirrupStress = kUndefined;
    a.UpdatePlasticOffsets(*s);

    EXPECT_NEAR(s->DirectionValues[0][0], 0.0035 - 4e8 / kEs, kRel);
    EXPECT_EQ(s->DirectionValues[0][1], 0.0);
    EXPECT_EQ(s->DirectionValues[0][2], kUndefined);
    EXPECT_EQ(reporter.messages.size(), 1u); // bar 1's offset was reset
    EXPECT_EQ(a.GetFailedBarFlags(0), (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(s->TransLayerFlags, std::vector<int>{1});
    // Every node but the ruptured one, largest depth first: eps_z - f_z / Es where crossed.
    const TDepthTable& trans = *s->TransProfile;
    EXPECT_EQ(trans.GetCount(), 2 * s->LayerCount);
    EXPECT_EQ(trans.Pairs().front(), (DepthPair{0.3, 0.0}));
    EXPECT_NEAR(trans.InterpolateAtDepth(0.0), 0.004 - 4e8 / kEs, kRel);
    // Principal offsets: eps - f / Ec at every node.
    EXPECT_NEAR(s->DepthTableA->InterpolateAtDepth(-0.1), 0.002 - 0.6e6 / kEc, kRel);
    EXPECT_NEAR(s->DepthTableB->InterpolateAtDepth(0.1), -0.003 + 30e6 / kEc, kRel);
}

TEST(BeamSectionStiffness, InitialStrainEstimate)
{
    // Shrinkage from -0.2 mm/m at the top to -0.4 at the bottom; a strain step of 0.1 mm/m.
    const double slope = 2e-4 / 0.6;
    using Case = std::array<double, 6>; // shrinkage?, step?, dep, N0, e0, phi
    for (auto [shrinkage, steps, dep, N0, e0, phi] :
         {Case{0, 0, 0.0, -1.8e6, -1.8e6 / kAxial, 0.0},
          Case{1, 0, 0.0, 0.0, -3e-4, slope},
          Case{1, 1, 0.0, 0.0, (-3e-4 - 1e-4) / 2, slope / 2},
          Case{0, 0, 0.005, 0.0, -0.005 * 2e-3 * kEs / kAxial, 0.0}}) {
        SCOPED_TRACE(shrinkage + 10 * steps + dep);
        auto beam = Analysis::Section();
        TDepthTable shrink, step;
        if (shrinkage != 0)
            shrink.Add(0.3, -2e-4), shrink.Add(-0.3, -4e-4);
        if (steps != 0)
            step.Add(0.3, 1e-4), step.Add(-0.3, 1e-4);
        beam->SetShrinkThermCurve(shrink);
        beam->SetStrainDiscontinuity(step);
        beam->GetLongLayer(2, 0)->dep = dep;
        Analysis a(*beam);
        SectionState s;
        s.Results[StateResult::ShearStrain] = 1.0;
        a.EstimateInitialStrains(s, N0);
        EXPECT_NEAR(s.Results[StateResult::ReferenceStrain], e0, 1e-12);
        EXPECT_NEAR(s.Results[StateResult::Curvature], phi, 1e-12);
        EXPECT_EQ(s.Results[StateResult::ShearStrain], 0.0);
    }
}

TEST(BeamSectionStiffness, InitialStrainEstimateOnTheUncrackedSection)
{
    // The upper half of the rectangle keeps 30 GPa, the lower half has 3 GPa: by hand, the
    // halves (0.09 m^2 at +-0.15, 2.7e-3 m^4 about depth 0 each) and the bars (Es 200 GPa:
    // 1000 mm^2 at 0.25 and at 0, 2000 mm^2 at -0.25) give
    //   EA = 2.7e9 + 2.7e8 + 8e8, ES = 4.05e8 - 4.05e7 - 5e7, EI = 8.1e7 + 8.1e6 + 3.75e7.
    const double EA = 3.77e9, ES = 3.145e8, EI = 1.266e8;
    auto beam = Analysis::Section();
    ConcreteTypeRec soft = *beam->GetConcreteType(0);
    soft.Ec = kEc / 10.0;
    beam->AddConcreteType(soft);
    beam->DeleteRegions();
    beam->AddRegion(0.3, 0.0, 0.3, 0.3, 0, 1);
    beam->AddRegion(0.0, -0.3, 0.3, 0.3, 1, 1);
    // 5 mm/m in the bottom bars: P = 2 MN at -0.25.
    beam->GetLongLayer(2, 0)->dep = 0.005;
    const double P = 2e6, Pz = -0.25 * P;
    using Case = std::array<double, 3>; // shrinkage?, N, M
    for (auto [shrinkage, N, M] : {Case{0, -1e6, 2e5}, Case{0, 0.0, 0.0}, Case{1, -1e6, 2e5}}) {
        SCOPED_TRACE(shrinkage + N + M);
        TDepthTable shrink;
        if (shrinkage != 0)
            shrink.Add(0.3, -2e-4), shrink.Add(-0.3, -4e-4);
        beam->SetShrinkThermCurve(shrink);
        Analysis a(*beam);
        SectionState s;
        s.Results[StateResult::ShearStrain] = 1.0;
        ASSERT_TRUE(a.EstimateStrainsOnSection(s, N, M));
        // The shrinkage line (-0.3 mm/m at depth 0, rising to the top) comes first.
        const double e0 = s.Results[StateResult::ReferenceStrain] - (shrinkage != 0 ? -3e-4 : 0.0);
        const double phi = s.Results[StateResult::Curvature] - (shrinkage != 0 ? 2e-4 / 0.6 : 0.0);
        // On the uncracked section the profile carries N and M with the prestress.
        EXPECT_NEAR(EA * e0 + ES * phi + P, N, 1e-6 * P);
        EXPECT_NEAR(ES * e0 + EI * phi + Pz, M, 1e-6 * P);
        EXPECT_EQ(s.Results[StateResult::ShearStrain], 0.0);
    }

    // A section that has no stiffness gives no estimate.
    beam->GetConcreteType(0)->Ec = 0.0;
    beam->GetConcreteType(1)->Ec = 0.0;
    beam->SetLongLayerCount(0, 0);
    Analysis bare(*beam);
    SectionState s;
    EXPECT_FALSE(bare.EstimateStrainsOnSection(s, -1e6, 0.0));
}

} // namespace

// The strain rates of the dual section when the tangent stiffness is singular, on matrices
// made by hand (rows N, M, V; columns e0, phi, gamma), for a net shear R of 1 kN.
TEST(DualSectionRates, SingularStiffnessFallsBackRowByRow)
{
    const double R = 1000.0;
    std::array<double, 3> g{};
    // No shear stiffness at all (the V row and the gamma column are zero): gamma' = 0, and
    // the N and M rows 2e9 e0' + 1e8 phi' = 0, 1e8 e0' + 5e7 phi' = R (determinant 9e16) give
    // e0' = -1e11 / 9e16 and phi' = 2e12 / 9e16. The rows the fallback checks, N and V, are
    // then both 0.
    const std::array<double, 9> noShear{2e9, 1e8, 0.0, 1e8, 5e7, 0.0, 0.0, 0.0, 0.0};
    EXPECT_EQ(TQuarvish2000Analysis::SolveDualSectionRates(noShear, {0.0, 0.0, 0.0}, R, R, g), 1);
    EXPECT_NEAR(g[0], -1e11 / 9e16, kRel * 1e11 / 9e16);
    EXPECT_NEAR(g[1], 2e12 / 9e16, kRel * 2e12 / 9e16);
    EXPECT_EQ(g[2], 0.0);
    EXPECT_NEAR(1e8 * g[0] + 5e7 * g[1], R, kRel * R) << "the moment row holds";

    // An axial force rate r1 of 500 N in the N row: e0' and phi' balance it, but the N row's
    // product is then 500, beyond |R| / 1000 = 1: no rates.
    EXPECT_EQ(TQuarvish2000Analysis::SolveDualSectionRates(noShear, {500.0, 0.0, 0.0}, R, R, g), 0);
    EXPECT_NEAR(2e9 * g[0] + 1e8 * g[1], -500.0, 1e-6);
    EXPECT_NEAR(1e8 * g[0] + 5e7 * g[1], R, 1e-6);

    // No axial stiffness (the N row and the e0 column are zero): e0' = 0, and the M and V
    // rows 5e7 phi' + 1e6 gamma' = R, 1e6 phi' + 4e7 gamma' = 0 (determinant 1.999e15) give
    // phi' = 4e10 / 1.999e15 and gamma' = -1e9 / 1.999e15.
    const std::array<double, 9> noAxial{0.0, 0.0, 0.0, 0.0, 5e7, 1e6, 0.0, 1e6, 4e7};
    EXPECT_EQ(TQuarvish2000Analysis::SolveDualSectionRates(noAxial, {0.0, 0.0, 0.0}, R, R, g), 1);
    EXPECT_EQ(g[0], 0.0);
    EXPECT_NEAR(g[1], 4e10 / 1.999e15, kRel * 4e10 / 1.999e15);
    EXPECT_NEAR(g[2], -1e9 / 1.999e15, kRel * 1e9 / 1.999e15);
}
