// The control charts of the real main window when the "Mohr's Circles" set was open before:
// a member's pushover page shows the pair of its own analysis on its upper control chart, and a
// click there picks a load stage, as when the set was never opened; the set chosen again shows
// the depth it opens at.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "member/TFullMemberResponse.h"
#include "app/ShellServices.h"
#include "member/TMemberDefinition.h"
#include "platform/Controls.h"
#include "tests/views/LayerStageFixture.h"

namespace {

struct LayerThenMember : LayerStage {
    // The member of the section shown, run by "Member Response" to its end.
    TSectionalAnalysis* RunMember()
    {
        SetMemberDefinitionFromSection(Window().GetServices(), g_MemberDefinition, *g_Structures[0]);
        Frame().Dispatch(CmId::MemberResponse);
        auto* member = dynamic_cast<TFullMemberResponse*>(Window().GetCurrentAnalysis());
        EXPECT_NE(member, nullptr);
        if (!member)
            return nullptr;
        for (long pass = 0; pass < 400000 && member->IsRunning(); ++pass)
            Window().IdleAction(pass);
        for (int pass = 0; pass < 3; ++pass)
            app->IdleAction(pass);
        EXPECT_EQ(View().GetLayoutMode(), LayoutMode::Pushover);
        return member;
    }
    // The "Mohr's Circles" set over the solved section with a depth about 100 mm above the
    // middle picked on its depth chart.
    void OpenLayerViewAndPickADepth()
    {
        Frame().Dispatch(CmId::NineGraphs);
        Frame().Dispatch(CmId::MohrsCircles);
        Tcontrolchart* depths = View().GetControlChart(1);
        ASSERT_NE(depths, nullptr);
        ASSERT_EQ(depths->SubMode(), 500);
        const int nearest = DepthPointNear(*depths, 100.0);
        ASSERT_GE(nearest, 0);
        Click(*depths, nearest);
        ASSERT_NE(Logic(), nullptr);
        ASSERT_GT(Logic()->GetProbeDepth(), 0.05);
    }

    struct UpperChart {
        int id = 0;
        std::string title, x, y;
        bool operator==(const UpperChart&) const = default;
    };
    UpperChart Upper()
    {
        const Tcontrolchart* c = View().GetControlChart(1);
        EXPECT_NE(c, nullptr);
        if (!c)
            return {};
        return {c->SubMode(), c->Data().Title(), c->Data().XTitle(), c->Data().YTitle()};
    }

    // A click on a point of the upper chart away from the stage shown picks that stage: the
    // chart marks it and the member analysis and the status bar show it.
    void ExpectAClickPicksAStage(TSectionalAnalysis& member)
    {
        Tcontrolchart* c = View().GetControlChart(1);
        ASSERT_NE(c, nullptr);
        // A stage point in the middle of the member's path.
        int point = -1;
        int seen = 0;
        for (std::size_t i = 0; i < c->Tags().size(); ++i)
            if (c->Tags()[i] > 1 && c->Tags()[i] < TViewm_Base::kProbeCode && c->Data().Data()[2 * i] < 1e30)
                ++seen;
        for (std::size_t i = 0, k = 0; i < c->Tags().size() && point < 0; ++i)
            if (c->Tags()[i] > 1 && c->Tags()[i] < TViewm_Base::kProbeCode && c->Data().Data()[2 * i] < 1e30 &&
                ++k == static_cast<std::size_t>(seen / 2))
                point = static_cast<int>(i);
        ASSERT_GE(point, 0) << "no stage point on the chart";
        const int tag = c->Tags()[static_cast<std::size_t>(point)];
        ASSERT_NE(member.GetCurrentState(), member.GetStage(tag));
        Click(*c, point);
        EXPECT_EQ(c->SelectedTag(), tag);
        EXPECT_EQ(member.GetCurrentState(), member.GetStage(tag));
    }
};

} // namespace

// Member Response after the section's Mohr's set with a depth picked shows the member's own
// pair on the upper control chart (location against moment or shear), titled as the pair, and a
// click on it picks a load stage; the same run without the set before shows the same chart. The
// section solved again has its nine graphs without the set, which opens again when chosen.
TEST_F(LayerThenMember, TheMembersUpperControlChartIsTheSameWithOrWithoutTheMohrSetBefore)
{
    // The set opened with a depth picked, then the member.
    ASSERT_NE(Solve(), nullptr);
    OpenLayerViewAndPickADepth();
    TSectionalAnalysis* member = RunMember();
    ASSERT_NE(member, nullptr);
    const UpperChart afterSet = Upper();
    EXPECT_TRUE(afterSet.id == 501 || afterSet.id == 503) << afterSet.id;
    EXPECT_EQ(afterSet.title, afterSet.id == 501 ? "Control : Dist. - Shear" : "Control : Dist. - Moment");
    EXPECT_EQ(afterSet.x, "Location (mm)");
    EXPECT_EQ(Logic()->GetLayerStates(), nullptr);
    EXPECT_EQ(Logic()->GetProbeShell(), nullptr);
    ExpectAClickPicksAStage(*member);

    // The section solved again, its nine graphs, then the member without the set.
    ASSERT_NE(RunSolve(), nullptr);
    Frame().Dispatch(CmId::NineGraphs);
    EXPECT_NE(View().GetControlChart(1)->SubMode(), 500);
    TSectionalAnalysis* plain = RunMember();
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(Upper(), afterSet);
    ExpectAClickPicksAStage(*plain);

    // Back to the section: the set opens again when chosen.
    ASSERT_NE(RunSolve(), nullptr);
    Frame().Dispatch(CmId::NineGraphs);
    EXPECT_NE(View().GetControlChart(1)->SubMode(), 500);
    Frame().Dispatch(CmId::MohrsCircles);
    EXPECT_EQ(View().GetControlChart(1)->SubMode(), 500);
    EXPECT_NE(Logic()->GetLayerStates(), nullptr);
}

// The depth chart's marker stands at the depth the layer is shown at: the depth the menu's
// "Mohr's Circles" opens at, a depth picked, and depth 0 when the set is chosen again from the
// layout list after a depth was picked.
TEST_F(LayerStage, TheDepthMarkerStandsAtTheDepthShown)
{
    ASSERT_NE(Solve(), nullptr);
    Frame().Dispatch(CmId::NineGraphs);
    Frame().Dispatch(CmId::MohrsCircles);
    Tcontrolchart* depths = View().GetControlChart(1);
    ASSERT_NE(depths, nullptr);
    ASSERT_EQ(depths->SubMode(), 500);
    EXPECT_NEAR(depths->GetMarker(0).y, Logic()->GetProbeDepth() * 1000.0, 1e-9);

    const int nearest = DepthPointNear(*depths, 100.0);
    Click(*depths, nearest);
    const double picked = depths->Data().Data()[2 * static_cast<std::size_t>(nearest) + 1];
    ASSERT_GT(picked, 50.0);
    EXPECT_NEAR(Logic()->GetProbeDepth() * 1000.0, picked, 1e-9);
    EXPECT_NEAR(depths->GetMarker(0).y, picked, 1e-9);

    // "Mohr's Circles" chosen again from the layout list: the layer at depth 0, and its marker.
    plat::ComboBox* list = View().GetLayoutCombo();
    ASSERT_NE(list, nullptr);
    int mohr = -1;
    for (int i = 0; i < list->GetCount() && mohr < 0; ++i)
        if (list->GetString(i).rfind("Mohr", 0) == 0)
            mohr = i;
    ASSERT_GE(mohr, 0);
    list->SetSelIndex(mohr);
    ASSERT_TRUE(View().OnControlNotify(1101, plat::Notify::SelChange));
    depths = View().GetControlChart(1);
    ASSERT_NE(depths, nullptr);
    ASSERT_EQ(depths->SubMode(), 500);
    EXPECT_EQ(Logic()->GetProbeDepth(), 0.0);
    EXPECT_NEAR(depths->GetMarker(0).y, 0.0, 1e-9);
    const int zero = DepthPointNear(*depths, 0.0);
    ASSERT_NEAR(depths->Data().Data()[2 * static_cast<std::size_t>(zero) + 1], 0.0, 1e-9);
    EXPECT_EQ(depths->SelectedTag(), depths->Tags()[static_cast<std::size_t>(zero)]);

    // And the menu's "Mohr's Circles" once more.
    Frame().Dispatch(CmId::MohrsCircles);
    depths = View().GetControlChart(1);
    ASSERT_NE(depths, nullptr);
    EXPECT_NEAR(depths->GetMarker(0).y, Logic()->GetProbeDepth() * 1000.0, 1e-9);
}
