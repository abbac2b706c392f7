// The pushover layout's status line at loaded points of the member: the marked point's load
// factor, deflection and axial load after the member has been stepped to its end, worked from
// the member's stations and its loads.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/CommandIds.h"
#include "app/ShellServices.h"
#include "app/views/TViewm.h"
#include "foundation/StrFormat.h"
#include "member/TFullMemberResponse.h"
#include "member/TMemberDefinition.h"
#include "support/TestSupport.h"
#include "tests/app/ShellFixture.h"
#include "tests/member/MemberTestSupport.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"

namespace {

struct PushoverStatus : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, TMemberDefinition{}};
    const StateDiagramsGuard diagrams;
    ~PushoverStatus() override { SetBeamLogicFactory(std::move(previous)); }

    std::string Gadget(int id) { return Frame().GetGadgetText(id); }
};

// A simply supported 1.2 m member of a 200 x 300 mm section with two 12 mm bottom bars under
// a constant sagging moment of 1 kN m per unit load factor, with 50 kN of constant
// compression and 1 kN more per unit load factor. Every station carries the same moment, so
// the member's capacity is its weakest station's largest load factor, lambda_u. Once the
// pushover has run to its end, the marked point is the curve's last (point 30, lambda_u): the
// status line reads lambda_u, the deflection there in mm and N = -50 - lambda_u kN. Marking
// point 15 reads half of lambda_u and -50 - lambda_u / 2 kN. The unloaded start's deflection
// of some -1e-6 m shows as 0.0 mm, with no minus sign.
TEST_F(PushoverStatus, TheMarkedPointsLoadFactorDeflectionAndAxialLoad)
{
    Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
    g_Structures[0] = membertest::RectBeam("Beam", 0.2, 0.3, 2, 0.012);
    Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
    ASSERT_EQ(SetMemberDefinitionFromSection(Window().GetServices(), g_MemberDefinition, *g_Structures[0]), 1);
    TMemberDefinition& d = g_MemberDefinition;
    d.length = 1.2;
    d.leftPlateSize = d.rightPlateSize = 0.05;
    d.leftPlateLocation = 0.0;
    d.rightPlateLocation = 1.2;
    d.rightSupport = SupportType::Roller;
    d.diagrams[LiveDiagram][0] = {0.0, -1000.0, 0};
    d.diagrams[LiveDiagram][1] = {1.2, -1000.0, 0};
    d.pointCount[LiveDiagram] = 2;
    d.axialLoad[DeadDiagram] = -50e3;
    d.axialLoad[LiveDiagram] = -1e3;
    Frame().Dispatch(CmId::MemberResponse);
    auto* a = dynamic_cast<TFullMemberResponse*>(Window().GetCurrentAnalysis());
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(Window().GetViewManager().GetLayoutMode(), LayoutMode::Pushover);
    EXPECT_EQ(Gadget(406), "Dy :   0.0 mm");
    EXPECT_EQ(Gadget(407), "Axial : -50.0 kN");

    for (int pass = 0; pass < 500 && a->IsRunning(); ++pass)
        Window().IdleAction(pass);
    ASSERT_EQ(a->IsRunning(), 0);
    double capacity = 1e30;
    for (int i = 0; i < a->GetStationCount(); ++i)
        if (const TFullSectionalResponse* s = a->GetStationAnalysis(i))
            capacity = std::min(capacity, s->GetMaxLoadFactor());
    ASSERT_GT(capacity, 20.0); // past yield of the bars: about 38 kN m
    ASSERT_LT(capacity, 60.0);
    const TDepthTable& curve = a->GetCurve(MemberCurve::LoadDeflection);
    ASSERT_EQ(a->GetMarkedPoint(), 30);
    const double end = curve.GetDepth(30);
    EXPECT_LT(end, -0.002); // sagging, some millimetres down
    EXPECT_EQ(Frame().GetMessageText(), "Full Member Analysis");
    EXPECT_EQ(Gadget(405), StrPrintf("Load Factor : %5.1f", capacity));
    EXPECT_EQ(Gadget(406), StrPrintf("Dy : %5.1f mm", 1000.0 * end));
    EXPECT_EQ(Gadget(407), StrPrintf("Axial : %5.1f kN", -50.0 - capacity));

    Window().SelectLoadStage(0, 0, kCurvePointStageBase + 15);
    ASSERT_EQ(a->GetMarkedPoint(), 15);
    EXPECT_EQ(Gadget(405), StrPrintf("Load Factor : %5.1f", capacity / 2.0));
    EXPECT_EQ(Gadget(406), StrPrintf("Dy : %5.1f mm", 1000.0 * curve.GetDepth(15)));
    EXPECT_EQ(Gadget(407), StrPrintf("Axial : %5.1f kN", -50.0 - capacity / 2.0));
}

} // namespace
