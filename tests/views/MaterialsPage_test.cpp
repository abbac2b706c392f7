// The material charts and the membrane-state charts as the view manager makes them: the
// materials page of a prestressed section in the real main window, its double click that
// opens the material sheet at the type, and the factory's classes for the Mohr, panel and
// vital-signs graph ids.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "app/views/DiagramMakers.h"
#include "app/views/TViewm.h"
#include "dialogs/QuickDefine.h"
#include "foundation/Units.h"
#include "platform/DC.h"
#include "tests/app/ShellFixture.h"
#include "tests/member/fire/FireTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/views/PlanLabels.h"
#include "tests/views/PrestressedSection.h"
#include "tests/views/StateDiagramsGuard.h"
#include "views/BeamModeInstall.h"
#include "views/StateDiagramsInstall.h"
#include "views/TMaterDiagram.h"
#include "views/TMohr.h"
#include "views/TVitalSigns.h"
#include "views/Tpanel.h"

namespace {

// Records the material sheet's arguments and answers the post-fire parameters with OK; every
// other dialog is cancelled.
class SheetRecorder final : public TCancelInputDialogs {
public:
    std::vector<std::string> calls;
    int Fire(T_2kWindow&, TStructure&) override { return DialogResult::Ok; }
    int MaterialsSheet(T_2kWindow&, TStructure&, int c, int s, int p, int flag) override
    {
        calls.push_back(std::to_string(c) + " " + std::to_string(s) + " " + std::to_string(p) + " " +
                        std::to_string(flag));
        return DialogResult::Cancel;
    }
};

struct MaterialsPage : StartedShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    SheetRecorder sheets;
    TInputDialogs* previousDialogs = SetInputDialogs(&sheets);
    const StateDiagramsGuard diagrams;  // the member crack view goes with them
    ~MaterialsPage() override
    {
        SetInputDialogs(previousDialogs);
        SetBeamLogicFactory(std::move(previous));
    }
};

TEST_F(MaterialsPage, PrestressedSectionShowsItsThreeMaterialCharts)
{
    Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
    g_Structures[0] = MakePrestressedGirder();
    Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
    Frame().Dispatch(CmId::CrossSection);
    TViewm_2k& view = Window().GetViewManager();
    const int kinds[] = {7, 8, 9};
    const int curves[] = {2, 1, 2};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        auto* chart = dynamic_cast<TMaterDiagram*>(view.GetChart(i));
        ASSERT_NE(chart, nullptr);
        EXPECT_EQ(chart->MaterialKind(), kinds[i]);
        EXPECT_EQ(chart->Curves().Count(kinds[i]), curves[i]);
        EXPECT_FALSE(chart->IsDataEmpty());
    }
    // A double click on the second strand's curve, past its softer knee, opens the sheet at
    // that strand (the family's second type).
    auto* strands = dynamic_cast<TMaterDiagram*>(view.GetChart(2));
    const MaterialFrame f = strands->Frame();
    const MaterialScale s = ScaleMaterialChart(f.W, f.H, f.top, f.axis);
    const std::vector<double>& data = strands->Curves().data;
    const std::size_t second = 2 * 25 + 2; // after 25 points and the separator
    const std::size_t knee = second + 2 * 12;
    ASSERT_GT(data[knee - 2 * 25 - 2 + 1] - data[knee + 1], 20.0); // clearly below the first
    strands->EvLButtonDblClk(0, s.At(data[knee], data[knee + 1]));
    EXPECT_EQ(sheets.calls, (std::vector<std::string>{"-1 -1 1 0"}));
}

// The fire road on the section quick-defined with the defaults: Loads > Create Fire Damaged
// Beam, OK in its parameters, and the "Thermal Conditions" set of the post-fire beam, whose
// damaged steel (two burnt bar layers with curves of thousands of points and a stirrup) is
// labelled in the chart's own fonts. Wherever the window leaves the chart room for them, no
// label lies over a curve, a leader or another label; at every size the curve labels keep
// their order, the weakest lowest, and the searches stay within their tests.
TEST_F(MaterialsPage, PostFireSteelLabelsKeepClearOfTheCurvesAndOfEachOther)
{
    ValueGuard<TQuickDefData> quick{g_QuickDefData, QuickDefineDefaults(kUnitSI)};
    firetest::FireStateGuard fire;
    ShowFrameAt(1280, 1024);
    ASSERT_EQ(BuildQuickDefineSection(*g_Structures[0]), 1);
    Window().GetViewManager().CreateLogic(1, g_Structures[0].get(), nullptr);
    Frame().Dispatch(CmId::FireDamagedBeam);
    struct Case {
        plat::Size window;
        bool room;
    };
    // At 1280 x 1000 and below, or wider at 1000 high, the chart's 29 px text leaves no place
    // clear of everything for all five labels.
    std::vector<Case> cases{{{1280, 1024}, true}, {{1280, 1100}, true}, {{1280, 1200}, true}, {{800, 1000}, true},
                            {{1000, 1000}, true}, {{1200, 1000}, true}};
    for (int h = 600; h <= 1000; h += 50)
        cases.push_back({{1280, h}, false});
    for (int w = 1300; w <= 1600; w += 100)
        cases.push_back({{w, 1000}, false});
    for (const Case& c : cases) {
        SCOPED_TRACE(StrPrintf("window %d x %d", c.window.cx, c.window.cy));
        ShowFrameAt(c.window.cx, c.window.cy);
        TViewm_2k& view = Window().GetViewManager();
        TMaterDiagram* steel = nullptr;
        for (int i = 0; i < 9 && !steel; ++i)
            if (auto* chart = dynamic_cast<TMaterDiagram*>(view.GetChart(i)); chart && chart->MaterialKind() == 8)
                steel = chart;
        ASSERT_NE(steel, nullptr);
        ASSERT_EQ(steel->Curves().rebarCurves, 3);
        const MaterialFrame frame = steel->Frame();
        EXPECT_EQ(frame.title, "Damaged Steel");
        plat::Image image(frame.W, frame.H);
        plat::DC dc(image);
        const PlanMeasure measure = MeasureOn(dc);
        LabelWork work;
        const DiagramPlan plan = PlanMaterialChart(frame, steel->Types(), steel->Curves(), measure, &work);
        std::vector<plat::Rect> boxes;
        for (const PlanStep& text : plan.Of(PlanOp::Text)) {
            if (text.text == frame.title)
                continue;
            const plat::Rect box = TextBox(text, measure(text.text, text.font));
            if (c.room) {
                EXPECT_EQ(LineThrough(plan, box), "") << text.text;
                for (const plat::Rect& other : boxes)
                    EXPECT_TRUE(other.right <= box.left || box.right <= other.left || other.bottom <= box.top ||
                                box.bottom <= other.top)
                        << text.text;
            }
            boxes.push_back(box);
        }
        // The strain, the top label and the curve labels, the weakest lowest and none over another.
        ASSERT_EQ(boxes.size(), 5u);
        EXPECT_GE(boxes[2].top, boxes[3].bottom);
        EXPECT_GE(boxes[3].top, boxes[4].bottom);
        EXPECT_EQ(work.searches, 4);
        EXPECT_EQ(work.cutShort, 0);
    }
}

TEST_F(MaterialsPage, FactoryMakesTheMembraneStateCharts)
{
    Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
    TViewm_2k& view = Window().GetViewManager();
    std::unique_ptr<Tchart> slot;
    view.CreatePanelChart(slot, &Window(), 2100, 1);
    EXPECT_NE(dynamic_cast<TMohr*>(slot.get()), nullptr);
    view.CreatePanelChart(slot, &Window(), 2103, 1);
    EXPECT_NE(dynamic_cast<Tpanel*>(slot.get()), nullptr);
    // Any chart is kept for 2117 to 2119; a fresh slot gets vital signs of element type 2.
    slot.reset();
    view.CreatePanelChart(slot, &Window(), 2118, 1);
    auto* signs = dynamic_cast<TVitalSigns*>(slot.get());
    ASSERT_NE(signs, nullptr);
    EXPECT_EQ(signs->ElementType(), 2);
    // Kept for another vital-signs id, replaced for a material chart.
    view.CreatePanelChart(slot, &Window(), 2116, 1);
    EXPECT_EQ(slot.get(), signs);
    view.CreatePanelChart(slot, &Window(), 2121, 1);
    EXPECT_NE(dynamic_cast<TMaterDiagram*>(slot.get()), nullptr);
    EXPECT_EQ(slot->Kind(), 8);
}

} // namespace
