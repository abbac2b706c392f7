#include "member/MemberEvents.h"

#include <gtest/gtest.h>

#include "MemberTestSupport.h"
#include "analysis/state/SectionState.h"
#include "model/materials/MaterialTypes.h"
#include "support/TestSupport.h"

using membertest::RectBeam;

namespace {

constexpr double kHeight = 0.6;
constexpr double kYieldStrain = 400e6 / 2e11;

// One layer over the whole depth of a section centred on depth 0: nodes 0 (top), 1
// (middle), 2 (bottom).
SectionState OneLayerState()
{
    const double top = kHeight / 2.0;
    SectionState state;
    state.LayerCount = 1;
    LayerDefRec layer;
    layer.NodeTop = 0;
    layer.NodeMid = 1;
    layer.NodeBottom = 2;
    layer.Top = top;
    layer.Mid = 0.0;
    layer.Bottom = -top;
    layer.Thickness = kHeight;
    state.LayerDefs = {layer};
    state.NodeStates.resize(3);
    state.NodeStates[0].Depth = top;
    state.NodeStates[1].Depth = 0.0;
    state.NodeStates[2].Depth = -top;
    return state;
}

class MemberEvents : public ::testing::Test {
protected:
    MemberEvents()
    {
        beam = RectBeam("Beam", 0.3, kHeight, 3, 0.025, true);
        beam->GetConcreteType(0)->ec = -0.002;
        EXPECT_NEAR(beam->GetTop(), kHeight / 2.0, 1e-12); // validated sections are centred
        EXPECT_EQ(beam->GetSteelType(0)->fy, 400e6);
        EXPECT_EQ(beam->GetSteelType(0)->Es, 2e11);
    }
    double Ratio(int code, int* event = nullptr)
    {
        double r = 0.0;
        const int e = GetMemberEventRatios(*beam, state, code, r);
        if (event != nullptr)
            *event = e;
        return r;
    }

    std::unique_ptr<TBeam> beam;
    SectionState state = OneLayerState();
};

} // namespace

TEST_F(MemberEvents, CrackWidthsAtTheirThresholds)
{
    int event = -1;
    state.NodeStates[2].CrackWidth = 0.0004;
    EXPECT_DOUBLE_EQ(Ratio(MemberEvent::Crack04, &event), 1.0);
    EXPECT_EQ(event, 0); // the event needs more than 1.0
    state.NodeStates[2].CrackWidth = 0.00041;
    Ratio(MemberEvent::Crack04, &event);
    EXPECT_EQ(event, 1);
    EXPECT_NEAR(Ratio(MemberEvent::Crack1, &event), 0.41, 1e-12);
    EXPECT_EQ(event, 0);
}

TEST_F(MemberEvents, CrackingAndPeakStrains)
{
    const double ecr = beam->GetConcreteStrainRatio(0, 0.0);
    state.NodeStates[2].Strain1 = 2.0 * (ecr + 1e-6);
    EXPECT_NEAR(Ratio(MemberEvent::Cracking), 2.0, 1e-9);

    // Top strain at e'c: ratio 1, no event; beyond it an event; tension: 0.
    int event = -1;
    state.NodeStates[0].StrainX = -0.002;
    EXPECT_NEAR(Ratio(MemberEvent::TopPeakStrain, &event), 1.0, 1e-12);
    EXPECT_EQ(event, 0);
    state.NodeStates[0].StrainX = -0.0021;
    Ratio(MemberEvent::TopPeakStrain, &event);
    EXPECT_EQ(event, 1);
    state.NodeStates[0].StrainX = 0.001;
    EXPECT_EQ(Ratio(MemberEvent::TopPeakStrain), 0.0);
    state.NodeStates[2].StrainX = -0.001;
    EXPECT_NEAR(Ratio(MemberEvent::BottomPeakStrain), 0.5, 1e-12);
}

TEST_F(MemberEvents, ReinforcementYield)
{
    // The bars: strain e0 + phi y at their depth, over fy / Es.
    state.Results[StateResult::ReferenceStrain] = 0.003;
    state.Results[StateResult::Curvature] = 0.0; // a uniform strain
    int event = -1;
    EXPECT_NEAR(Ratio(MemberEvent::LongitudinalYield, &event), 0.003 / kYieldStrain, 1e-9);
    EXPECT_EQ(event, 1);

    // Stirrups over the mid node: its transverse strain over their yield strain.
    state.NodeStates[1].StrainZ = 0.5 * kYieldStrain;
    EXPECT_NEAR(Ratio(MemberEvent::TransverseYield), 0.5, 1e-9);

    // Without longitudinal layers there is no yield.
    auto plain = RectBeam("Plain", 0.3, kHeight);
    double r = -1.0;
    EXPECT_EQ(GetMemberEventRatios(*plain, state, MemberEvent::LongitudinalYield, r), 0);
    EXPECT_EQ(r, 0.0);
}

TEST(MemberEventLegend, OneLinePerRecordedEvent)
{
    EXPECT_EQ(MemberEventLegend({}, false), "Legend\r\n\x01@c\x02 Strength Envelope");
    const std::string text = MemberEventLegend({0, 1, 5}, true);
    EXPECT_EQ(text, "Legend\r\n\x01@c\x02 Strength Envelope\r\n\x01@d\x02 Cracking\r\n\x01@e\x02 Longitudinal "
                    "Yield\r\n\x01@f\x02 |e_t_o_p = |e_c'");
    EXPECT_STREQ(MemberEventName(9), "");
    EXPECT_STREQ(MemberEventName(42), "");
}
