// The mode-object interface's base answers, the stand-in mode objects and how the view
// manager chooses and keeps its mode object.

#include <gtest/gtest.h>

#include "app/GlobalTables.h"
#include "app/TBase_Logic.h"
#include "app/views/ModeStandIns.h"
#include "app/views/TViewm.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "support/ScriptedUi.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/MinimalLogic.h"

TEST(ModeObjectBase, AnswersOfAModeObjectWithOnlyThePureOperations) {
    MinimalLogic logic;
    for (int category : {1, 4, 5, 6, 7, 10, 11, 4700}) {
        EXPECT_EQ(logic.GetChoiceCount(category), 0) << category;
        EXPECT_EQ(logic.GetChoiceTitle(category, 3, 0), "no title") << category;
        EXPECT_EQ(logic.IsChoiceAvailable(category, 0), 1) << category;
    }
    // The base's ids are the placeholder's row of the stand-in table.
    EXPECT_EQ(logic.GetModeType(), 0);
    EXPECT_DOUBLE_EQ(logic.GetScaleValue(), 20.0);
    ChartDescription d;
    logic.GetChartDescription(1003, d, 1);
    EXPECT_EQ(d.title, "No title");
    EXPECT_EQ(d.axisLabels, 1);
    EXPECT_EQ(d.xPrecision, 2);
    EXPECT_EQ(d.yPrecision, 2);
    EXPECT_DOUBLE_EQ(d.lowerX, -kUndefined);
    EXPECT_DOUBLE_EQ(d.upperX, kUndefined);
}

TEST(ModeObjectBase, ProbeAndSetDataReportAFailedAttempt) {
    ScriptedUi ui;
    ui.Message("Error: failed Probe attempt!", MsgAnswer::Ok).Message("Error: failed Set data attempt!", MsgAnswer::Ok);
    MinimalLogic logic;
    EXPECT_EQ(logic.Probe(1, 2, 3), 0.0);
    EXPECT_EQ(logic.SetData(1, 2, 3, 4, 5), 0);
    ASSERT_EQ(ui.requests.size(), 2u);
    EXPECT_EQ(ui.requests[0].style, MsgStyle::Ok);
}

// The ids each mode answers, and the rows where the beam and membrane panel menus differ.
TEST(ModeStandIns, IdsAndPanelMenusOfTheThreeModes) {
    TBeam beam;
    FakeAnalysis withShear(&beam, 1), withoutShear(&beam, 0);
    TBeamStandIn_Logic q2k(&beam, &withShear);
    TP2kStandIn_Logic p2k(&beam, nullptr);
    TSarnex_Logic sarnex(&beam, nullptr);
    struct Row {
        TBase_Logic* logic;
        int type, defaultGraph, firstGraph, firstControl, firstChoice, defaultControl;
    };
    const Row rows[] = {{&q2k, 1, 0, 1003, 3000, 6000, 6},
                        {&p2k, 2, 200, 0, 3000, 6000, 206},
                        {&sarnex, 4, 0, 1000, 3000, 6000, 0}};
    for (const Row& r : rows) {
        EXPECT_EQ(r.logic->GetModeType(), r.type);
        EXPECT_EQ(r.logic->GetDefaultGraphId(), r.defaultGraph) << r.type;
        EXPECT_EQ(r.logic->GetFirstGraphId(), r.firstGraph) << r.type;
        EXPECT_EQ(r.logic->GetFirstControlId(), r.firstControl) << r.type;
        EXPECT_EQ(r.logic->GetFirstChoiceId(), r.firstChoice) << r.type;
        EXPECT_EQ(r.logic->GetDefaultControlId(), r.defaultControl) << r.type;
    }
    EXPECT_EQ(q2k.GetModeCode() * 10 + p2k.GetModeCode() * 1000 + sarnex.GetModeCode(), 23 * 10 + 97 * 1000);
    EXPECT_EQ(sarnex.GetGraphTitle(1003, 0), "no such graph type!!!");
    // Without shear (or without an analysis) the beam mode starts at nine-graph set 3003.
    q2k.Bind(&beam, &withoutShear);
    EXPECT_EQ(q2k.GetFirstControlId(), 3003);
    q2k.Bind(&beam, nullptr);
    EXPECT_EQ(q2k.GetFirstControlId(), 3003);

    PanelMenuTable beamMenu{}, shellMenu{};
    q2k.InitPanelMenu(beamMenu);
    p2k.InitPanelMenu(shellMenu);
    // Alike in the load-deformation and member layouts; the beam mode has the second control
    // chart in modes 4 to 7, the membrane mode none, and no pushover controls at all.
    EXPECT_EQ(beamMenu[1], (PanelMenuRecord{1, 1, 0, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(shellMenu[1], beamMenu[1]);
    EXPECT_EQ(shellMenu[10], (PanelMenuRecord{0, 0, 0, 0, 1, 0, 0, 1, 1}));
    EXPECT_EQ(shellMenu[10], beamMenu[10]);
    EXPECT_EQ(beamMenu[5], (PanelMenuRecord{1, 0, 1, 0, 1, 1, 0, 0, 1}));
    EXPECT_EQ(shellMenu[5], (PanelMenuRecord{1, 0, 1, 0, 1, 0, 0, 0, 1}));
    EXPECT_EQ(shellMenu[6], (PanelMenuRecord{0, 0, 0, 0, 0, 0, 0, 0, 1}));
}

TEST(ViewManager, CreateLogicKeepsABeamModeObjectForABeamAndRenewsOthers) {
    TViewm_2k view(nullptr, nullptr);
    TBeam beam;
    TShell shell(0);
    FakeAnalysis first(&beam), second(&beam);

    view.CreateLogic(1, &beam, &first);
    auto* beamMode = dynamic_cast<TStandInLogic*>(view.GetLogic());
    ASSERT_NE(dynamic_cast<TBeamStandIn_Logic*>(view.GetLogic()), nullptr);
    EXPECT_EQ(view.GetPanelMenu()[5][PanelMenuByte::ControlChart2], 1);
    view.CreateLogic(1, &beam, &second);  // kept and re-bound
    EXPECT_EQ(view.GetLogic(), beamMode);
    EXPECT_EQ(beamMode->GetBoundAnalysis(), &second);

    view.CreateLogic(0, &beam, nullptr);  // no mode object answers type 0
    EXPECT_NE(dynamic_cast<TBeamStandIn_Logic*>(view.GetLogic()), nullptr);

    // Binding again keeps to the kind: the beam mode lets go rather than take a shell.
    beamMode = dynamic_cast<TStandInLogic*>(view.GetLogic());
    view.BindLogic(&beam, &first);
    EXPECT_EQ(beamMode->GetBoundAnalysis(), &first);
    view.BindLogic(&shell, nullptr);
    EXPECT_EQ(beamMode->GetBoundStructure(), nullptr);
    view.LetGoOfTables();
    EXPECT_EQ(beamMode->GetBoundAnalysis(), nullptr);
    // Type 1 asked for a shell: the beam mode object gives way to the membrane mode's.
    view.CreateLogic(1, &shell, nullptr);
    ASSERT_NE(dynamic_cast<TP2kStandIn_Logic*>(view.GetLogic()), nullptr);
    EXPECT_EQ(view.GetDefaultGraphId(), 200);
    EXPECT_EQ(view.GetPanelMenu()[5][PanelMenuByte::ControlChart2], 0);
    struct CountedMembrane : TP2kStandIn_Logic {
        CountedMembrane(TStructure* s, int* gone) : TP2kStandIn_Logic(s, nullptr), m_gone(gone) {}
        ~CountedMembrane() override { ++*m_gone; }
        int* m_gone;
    };
    int gone = 0;
    view.InstallLogic(std::make_unique<CountedMembrane>(&shell, &gone));
    view.CreateLogic(1, &shell, nullptr);  // the membrane mode answers 2: renewed at every solve
    EXPECT_EQ(gone, 1);
    EXPECT_EQ(dynamic_cast<CountedMembrane*>(view.GetLogic()), nullptr);

    view.CreateLogic(2, &shell, nullptr);
    EXPECT_NE(dynamic_cast<TP2kStandIn_Logic*>(view.GetLogic()), nullptr);  // kept: the type matches
    TStructure bare;
    view.CreateLogic(0, &bare, nullptr);
    EXPECT_NE(dynamic_cast<TSarnex_Logic*>(view.GetLogic()), nullptr);
    view.CreateLogic(1, nullptr, nullptr);  // no structure: nothing to create
    EXPECT_EQ(view.GetLogic(), nullptr);

    struct OddStructure : TStructure {
        OddStructure() { SetKind(7); }
    } odd;
    ScriptedUi ui;
    ui.Message("no view for a structure of kind 7", MsgAnswer::Ok);
    view.CreateLogic(1, &odd, nullptr);
    EXPECT_EQ(view.GetLogic(), nullptr);
}
