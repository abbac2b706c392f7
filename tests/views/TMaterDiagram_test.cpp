// The material chart on a section: the chart attached (private copies, program factors never
// touched), its labels kept clear in its own fonts, the double click that asks for the
// material sheet, the stiffness and stress tools and the dump through the scripted gateway.
// Its picture by hand is in MaterialPicture_test.cpp.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "charts/TMixinChartOwner.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "model/materials/UserCurves.h"
#include "member/fire/PostFireBeam.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "tests/support/RecordingDC.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestSupport.h"
#include "tests/views/MaterialSamples.h"
#include "tests/views/PlanLabels.h"
#include "views/TMaterDiagram.h"

namespace {

namespace TA = plat::TextAlign;
using namespace material_samples;

// ---- The chart on a section ------------------------------------------------------------------

// A page that owns the chart and records the clicks it passes on.
class Page final : public plat::Window, public TMixinChartOwner {
public:
    void OnPageClick(unsigned, int x, int y, int kind, int index) override
    {
        clicks.push_back({x, y, kind, index});
    }
    std::vector<std::array<int, 4>> clicks;
};

// Records the program's factors at every message (one comes in the middle of the curves).
class FactorProbe final : public Reporter {
public:
    FactorProbe() : m_previous(SetReporter(this)) {}
    ~FactorProbe() override { SetReporter(m_previous); }
    int Message(const std::string& text, const std::string&, unsigned) override
    {
        seen.push_back({text, g_ResistanceFactors});
        return MsgAnswer::Ok;
    }
    void ShowData(const std::string&) override {}
    std::vector<std::pair<std::string, ResistanceFactors>> seen;

private:
    Reporter* m_previous;
};

struct MaterialChartTest : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<ResistanceFactors> factors{g_ResistanceFactors, ResistanceFactors{}};
    Page page;

    // The steel chart of a section of three steels at each size, measured in its own fonts: the
    // title, the strain, the top label and a label a curve, none over a curve, a leader or
    // another label, none written smaller than the least text, and no search cut short. At
    // the sizes crowded, where no text size leaves every curve label a clear place, those
    // that find none are left out; no label hides a curve behind a background anywhere.
    void ExpectSteelLabelsClear(TBeam& beam, std::initializer_list<std::pair<int, int>> sizes,
                                const std::vector<std::pair<int, int>>& crowded = {})
    {
        for (const auto& [w, h] : sizes) {
            SCOPED_TRACE(StrPrintf("%d x %d", w, h));
            TMaterDiagram chart(&page, "Rebar", 0, 0, w, h, MaterialChart::Rebar, 2, 1, 0);
            chart.AttachStructure(&beam);
            ASSERT_EQ(chart.Curves().rebarCurves, 3);
            const MaterialFrame frame = chart.Frame();
            plat::Image image(frame.W, frame.H);
            plat::DC dc(image);
            const PlanMeasure measure = MeasureOn(dc);
            LabelWork work;
            const DiagramPlan plan = PlanMaterialChart(frame, chart.Types(), chart.Curves(), measure, &work);
            if (std::find(crowded.begin(), crowded.end(), std::pair{w, h}) == crowded.end()) {
                EXPECT_EQ(plan.Of(PlanOp::Text).size(), 6u);
            } else {
                EXPECT_NE(plan.FindText(StrPrintf("|e_s = %5.1f mm/m", frame.axis.xMax)), nullptr);
                EXPECT_NE(plan.FindText(StrPrintf("f_u = %4.0f MPa", frame.axis.yMax)), nullptr);
                EXPECT_LT(plan.Of(PlanOp::Text).size(), 6u);
            }
            EXPECT_TRUE(plan.Of(PlanOp::Fill).empty());
            EXPECT_EQ(LabelClash(plan, measure, frame.title), "");
            EXPECT_EQ(work.cutShort, 0);
            for (const PlanStep& text : plan.Of(PlanOp::Text)) {
                if (text.text == frame.title)
                    continue;
                EXPECT_GE(std::abs(text.font.height), LeastTextHeight(text.font)) << text.text;
            }
        }
    }
};

TEST_F(MaterialChartTest, AttachCopiesTheTypesAndLeavesTheFactorsAlone)
{
    const ResistanceFactors design{0.65, 0.85, 0.9};
    g_ResistanceFactors = design;
    SteelTypeRec segmental = Bar("Seg", 400);
    segmental.kind = SteelKind::UserCurve; // without its curve: reported while the curves are built
    auto beam = Section({Concrete("C35", 35, -0.002)}, {Bar("B400", 400), segmental, Strand("P")});
    TMaterDiagram rebar(&page, "Rebar", 0, 0, 400, 300, MaterialChart::Rebar, 2, 1, 0);
    FactorProbe probe;
    rebar.AttachStructure(beam.get());
    ASSERT_EQ(probe.seen.size(), 1u);
    EXPECT_EQ(probe.seen[0].first, "Error in segmental rebar");
    EXPECT_EQ(probe.seen[0].second, design);
    EXPECT_EQ(g_ResistanceFactors, design);
    EXPECT_EQ(rebar.Curves().rebarCurves, 2);
    // Factored materials: elastic-plastic to e_u, unfactored; the segmental type adds only
    // its separator.
    ASSERT_EQ(rebar.Data().PairCount(), 4 + 1);
    EXPECT_DOUBLE_EQ(rebar.Data().Data()[7], 400.0);
    EXPECT_TRUE(rebar.Data().IsShown());

    TMaterDiagram concrete(&page, "Concrete", 0, 0, 400, 300, MaterialChart::Concrete, 2, 1, 0);
    TMaterDiagram strands(&page, "P-Steel", 0, 0, 400, 300, MaterialChart::PSteel, 2, 1, 0);
    concrete.AttachStructure(beam.get());
    strands.AttachStructure(beam.get());
    EXPECT_EQ(g_ResistanceFactors, design);
    EXPECT_EQ(concrete.Types().concrete.size(), 1u);
    EXPECT_TRUE(concrete.Types().steel.empty());
    EXPECT_EQ(strands.Curves().prestressCurves, 1);
    EXPECT_EQ(strands.Data().PairCount(), 25);

    // The copies outlive the section; a null structure changes nothing.
    beam.reset();
    concrete.AttachStructure(nullptr);
    EXPECT_EQ(concrete.Data().PairCount(), 37);
    RecordingDC dc;
    concrete.Paint(dc, true, {0, 0, 400, 300});
    EXPECT_EQ(dc.CallsOf("Polyline").size(), 1u);
}

// A structure whose main concrete type index equals the type count (the model's accessors
// take 0 <= i <= count): reported once, the details of the main type left out.
class CountAsMain final : public TStructure {
public:
    int GetMainConcreteType() const override { return GetConcreteTypeCount(); }
};

TEST_F(MaterialChartTest, MainTypeIndexAtTheCountIsReportedAndLeftOut)
{
    CountAsMain s;
    s.AddConcreteType(Concrete("C35", 35, -0.002));
    s.AddRegion(0.3, -0.3, 0.3, 0.3, 0, 1);
    RecordingReporter reporter;
    TMaterDiagram chart(&page, "Concrete", 0, 0, 400, 300, MaterialChart::Concrete, 2, 1, 0);
    chart.AttachStructure(&s);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Concrete type 1 is not one of the 1 types of the section.");
    EXPECT_EQ(chart.Types().mainConcrete, -1);
    EXPECT_EQ(chart.Curves().labelledConcrete, 0);
    const DiagramPlan plan = PlanMaterialChart(chart.Frame(), chart.Types(), chart.Curves(), kFixed);
    EXPECT_NE(plan.FindText("f_c' =  35.0 MPa"), nullptr);
    for (const std::string& t : plan.Texts())
        EXPECT_EQ(t.rfind("a_g", 0), std::string::npos) << t;
}

TEST_F(MaterialChartTest, ConstructionAndEmptyPaint)
{
    TMaterDiagram chart(&page, "Concrete", 0, 0, 400, 300, MaterialChart::Concrete, 2, 1, 0);
    EXPECT_EQ(chart.Kind(), 7);
    EXPECT_EQ(chart.TitleHeight(), 40);
    EXPECT_EQ(chart.TextHeight(), 33);
    std::vector<std::string> items;
    for (const plat::MenuItem& i : chart.PopupItems())
        items.push_back(i.text);
    EXPECT_EQ(items, (std::vector<std::string>{"Copy Chart Picture", "Copy Chart Data ", "", "View Data", "",
                                               "Initial Stiffness", "Stress Calculator"}));
    RecordingDC dc;
    chart.Paint(dc, true, {0, 0, 400, 300});
    EXPECT_TRUE(dc.Calls().empty());
}

// Made while its page had no size yet (a start with a document), then placed at its real size:
// the fonts are a tenth and a twelfth of the real width, not the placeholder's scaled by the
// larger of the two stretches (217 / 17 = 12.8 wide but 219 / 6 = 36.5 high). A page that
// changes shape keeps them following the width.
TEST_F(MaterialChartTest, FontsFollowTheWidthOfEveryPlacement)
{
    TMaterDiagram chart(&page, "Concrete", 0, 0, 17, 6, MaterialChart::Concrete, 2, 1, 0);
    chart.Reposition(10, 700, 217, 219, 0);
    EXPECT_EQ(chart.TitleHeight(), 21);
    EXPECT_EQ(chart.TextHeight(), 18);
    EXPECT_EQ(chart.TextFont().height, 18);
    chart.Reposition(10, 400, 120, 300, 0); // narrower and taller
    EXPECT_EQ(chart.TitleHeight(), 12);
    // The width asks for a cell of 10 pixels: raised to the least readable cell height.
    EXPECT_EQ(chart.TextHeight(), kLeastTextCellHeight);
}

TEST_F(MaterialChartTest, DoubleClickAsksForTheSheetAtTheType)
{
    // Steel types: a strand, then two bars; the second bar is the family's second type.
    auto beam = Section({Concrete("C35", 35, -0.002)}, {Strand("P"), Bar("B400", 400), Bar("B300", 300)});
    TMaterDiagram chart(&page, "Rebar", 0, 0, 400, 300, MaterialChart::Rebar, 2, 1, 0);
    chart.AttachStructure(beam.get());
    const MaterialFrame f = chart.Frame();
    const MaterialScale s = ScaleMaterialChart(f.W, f.H, f.top, f.axis);
    chart.EvLButtonDblClk(0, s.At(5.0, 300.0)); // on the 300 MPa plateau
    chart.EvLButtonDblClk(0, s.At(5.0, 400.0));
    ASSERT_EQ(page.clicks.size(), 2u);
    EXPECT_EQ(page.clicks[0], (std::array<int, 4>{0, 0, 8, 1}));
    EXPECT_EQ(page.clicks[1], (std::array<int, 4>{0, 0, 8, 0}));
    // Concrete: the type index itself, counting unused types.
    auto two = Section({Concrete("Unused", 25, -0.002), Concrete("C50", 50, -0.0025)}, {});
    two->SetRegionConcreteType(0, 1);
    TMaterDiagram concrete(&page, "Concrete", 0, 0, 400, 300, MaterialChart::Concrete, 2, 1, 0);
    concrete.AttachStructure(two.get());
    concrete.EvLButtonDblClk(0, {200, 150});
    ASSERT_EQ(page.clicks.size(), 3u);
    EXPECT_EQ(page.clicks[2], (std::array<int, 4>{0, 0, 7, 1}));
}

TEST_F(MaterialChartTest, StressCalculatorAndStiffnessThroughTheGateway)
{
    auto beam = Section({Concrete("C35", 35, -0.002)}, {Bar("B400", 400)});
    TMaterDiagram rebar(&page, "Rebar", 0, 0, 400, 300, MaterialChart::Rebar, 2, 1, 0);
    rebar.AttachStructure(beam.get());
    ScriptedUi ui;
    ui.Input("Enter strain (mm/m)", std::string("2"))
        .Message("Reinforcement strain  2.00 mm/m, Stress =   400 MPa", MsgAnswer::Ok)
        .Input("Enter strain (mm/m)", std::nullopt)
        .Message("Initial  Tangent Stiffness: 200000 MPa", MsgAnswer::Ok);
    rebar.CmPopup3004();
    rebar.CmPopup3004(); // cancelled: nothing more
    rebar.CmPopup3001();
    ASSERT_EQ(ui.requests.size(), 4u);
    EXPECT_EQ(ui.requests[0].caption, "Stress Calculator");
    EXPECT_EQ(ui.requests[1].caption, "Stress Calculator");
    EXPECT_EQ(ui.requests[3].caption, "Reinforcment Stiffness");
    EXPECT_TRUE(ui.Done());

    // A strain typed with a decimal comma or its unit is refused and asked for again; the stress
    // comes for the strain corrected.
    ui.Input("Enter strain (mm/m)", std::string("0,5"))
        .Message("Strain must be a number from -1000 to 1000 mm/m.", MsgAnswer::Ok)
        .Input("Enter strain (mm/m)", std::string("2 mm/m"))
        .Message("Strain must be a number from -1000 to 1000 mm/m.", MsgAnswer::Ok)
        .Input("Enter strain (mm/m)", std::string("2"))
        .Message("Reinforcement strain  2.00 mm/m, Stress =   400 MPa", MsgAnswer::Ok);
    rebar.CmPopup3004();
    EXPECT_TRUE(ui.Done());
}

TEST_F(MaterialChartTest, SeveralTypesGoToViewData)
{
    // Two concrete types; the typed strain is in mm/m, a negative one is tension.
    auto beam = Section({Concrete("Deck", 35, -0.002), Concrete("Web", 60, -0.0025)}, {Bar("B400", 400)});
    TMaterDiagram concrete(&page, "Concrete", 0, 0, 400, 300, MaterialChart::Concrete, 2, 1, 0);
    concrete.AttachStructure(beam.get());
    ScriptedUi ui;
    std::string report, dump;
    ui.Input("Enter strain", std::string("2")).Dialog("View Data", [&](plat::DialogDriver& d) {
        report = d.Text(4028);
        d.Click(2);
    });
    concrete.CmPopup3004();
    EXPECT_EQ(report.rfind("Stress Calculator:\r\n==================\r\n\r\nValues for each type listed below\r\n\r\n"
                           "Type \"Deck\":\r\n Concrete strain  2.00 mm/m, Stress = 35.00 MPa (Base type)\r\n"
                           "Type \"Web\":\r\n Concrete strain  2.00 mm/m, Stress = ",
                           0),
              0u);
    ui.Dialog("View Data", [&](plat::DialogDriver& d) {
        dump = d.Text(4028);
        d.Click(2);
    });
    concrete.CmPopup3000();
    EXPECT_EQ(dump, concrete.DumpText());
    EXPECT_NE(dump.find("\r\nConcrete Type: Web\r\n"), std::string::npos);
    EXPECT_NE(dump.find("\r\nNext type\r\n\r\n"), std::string::npos);
    EXPECT_TRUE(ui.Done());
}


// Concrete burnt for ten hours peaks at 39.8 mm/m; its label, centred on the peak two thirds
// along the axis (at W = 300, m = 15: 15 + 270 x 2 / 3 = 195), is the widest the concrete
// chart writes there, about 0.58 W in a text font of W / 12. Made on a page without a size and
// then placed in a panel, the chart measures it in its own font and the whole label, epsilon
// and subscript included, lies inside the chart.
TEST_F(MaterialChartTest, BurntConcretePeakLabelStaysInsideThePlacedChart)
{
    auto beam = Section({Concrete("Burnt", 5, -0.0398)}, {});
    for (const auto& [w, h] : {std::pair{300, 260}, std::pair{220, 300}, std::pair{400, 200}}) {
        TMaterDiagram chart(&page, "Damaged Concrete", 0, 0, 17, 6, MaterialChart::Concrete, 2, 1, 0);
        chart.Reposition(10, 600, w, h, 0);
        chart.AttachStructure(beam.get());
        RecordingDC dc;
        chart.Paint(dc, true, {0, 0, w, h});
        // The label is drawn in three runs: epsilon, the subscript, the rest.
        const std::vector<DrawCall> texts = dc.CallsOf("Text");
        std::size_t last = texts.size();
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (texts[i].run.text.find("39.80 mm/m") != std::string::npos)
                last = i;
        ASSERT_LT(last, texts.size()) << w;
        ASSERT_GE(last, 2u);
        const plat::TextRun& epsilon = texts[last - 2].run;
        const plat::TextRun& rest = texts[last].run;
        EXPECT_GE(epsilon.at.x + epsilon.x0, 0) << w << " x " << h;
        EXPECT_LE(rest.at.x + rest.x0 + rest.width, w) << w << " x " << h;
        // Centred on the peak.
        const int centre = (epsilon.at.x + epsilon.x0 + rest.at.x + rest.x0 + rest.width) / 2;
        EXPECT_NEAR(centre, w / 20 + (w - w / 10) * 2 / 3, 2) << w << " x " << h;
    }
}

// Steel given by its own curves beside a bar, as a user defines it: a mild steel hardening to
// 600 MPa at 90 mm/m and softening to 580 MPa at 120 mm/m, a stronger one hardening to 680 MPa
// at 80 mm/m, and a 400 MPa bar that runs on to 137 mm/m. At the sizes the panels of the commonest screens give the
// chart, and at a large single graph, measured in the chart's own fonts: no label lies over a
// curve, a leader or another label, and the searches stay within their tests.
TEST_F(MaterialChartTest, UserCurveSteelLabelsKeepClearAtEverySize)
{
    auto beam = Section({Concrete("C35", 35, -0.002)},
                        {UserCurveSteel("Seg 1",
                                        {{0, 0}, {0.002, 400}, {0.015, 400}, {0.05, 560}, {0.09, 600}, {0.12, 580}}),
                         UserCurveSteel("Seg 2", {{0, 0}, {0.0025, 500}, {0.02, 520}, {0.06, 650}, {0.08, 680}}),
                         Bar("B400", 400)});
    ExpectSteelLabelsClear(*beam, {{441, 319}, {314, 220}, {294, 302}, {235, 220},
                                   {552, 230}, {588, 486}, {326, 225}, {1200, 800}});
}

// A user curve that keeps its strength to 90 mm/m and then falls in a straight rupture line to
// the x axis at 100 mm/m, beside a second user curve and a bar: the line slants down through
// the zone the curve labels stand in. At the sizes the panels of the commonest screens give the
// chart, the smallest first, measured in the chart's own fonts: no label lies over a curve, a
// leader or another label (at the smallest, 235 x 220, where no text size leaves a clear place,
// the curve labels that find none are left out, the line drawn whole), and every label is
// written no smaller than the chart's least text.
TEST_F(MaterialChartTest, UserCurveWithARuptureLineKeepsItsLabelsClear)
{
    auto beam = Section({Concrete("C35", 35, -0.002)},
                        {UserCurveSteel("Seg 1",
                                        {{0, 0}, {0.002, 400}, {0.015, 400}, {0.05, 560}, {0.09, 600}, {0.1, 0}}),
                         UserCurveSteel("Seg 2", {{0, 0}, {0.0025, 500}, {0.02, 520}, {0.06, 650}, {0.08, 680}}),
                         Bar("B400", 400)});
    ExpectSteelLabelsClear(*beam, {{235, 220}, {294, 302}, {314, 220}, {441, 319}, {588, 486}}, {{235, 220}});
}

// The densest steel chart a section can be asked for: forty burnt layers, each with a curve of
// 3000 points (as many as a post-fire layer's) that zigzags between 600 MPa and near zero at
// every point, some 120 000 stretches over the whole plot, where no label has a clear place.
// All the searches of the chart (the strain, a label per curve and the top label, at each text
// size tried) together test a stretch or a label against a place no more than
// kLabelSearchTests times, and no label is drawn over the curves: each is left out.
TEST_F(MaterialChartTest, LabelsOfTheDensestCurvesAreSearchedWithBoundedWork)
{
    std::vector<SteelTypeRec> layers;
    for (int k = 0; k < 40; ++k) {
        SteelTypeRec r = Bar(StrPrintf("Lay: %d", k + 1), 400);
        r.kind = SteelKind::UserCurve;
        r.userCurve = UserCurvePtr(std::make_unique<TDepthTable>());
        for (int j = 0; j < kFireSteelPoints; ++j)
            r.userCurve->Add(1e-4 * j, (j % 2 ? 600.0 : 1.0 + k) * kMPa);
        FinishUserCurve(*r.userCurve);
        layers.push_back(std::move(r));
    }
    auto beam = Section({Concrete("C35", 35, -0.002)}, layers);
    TMaterDiagram chart(&page, "Damaged Steel", 0, 0, 294, 302, MaterialChart::Rebar, 2, 1, 0);
    chart.AttachStructure(beam.get());
    ASSERT_EQ(chart.Curves().rebarCurves, 40);
    ASSERT_GT(chart.Curves().data.size(), 2u * 40 * (kFireSteelPoints - 4));
    const MaterialFrame frame = chart.Frame();
    plat::Image image(frame.W, frame.H);
    plat::DC dc(image);
    LabelWork work;
    const DiagramPlan plan = PlanMaterialChart(frame, chart.Types(), chart.Curves(), MeasureOn(dc), &work);
    EXPECT_GE(work.searches, 2);
    EXPECT_LE(work.tests, kLabelSearchTests);
    EXPECT_GE(work.cutShort, 1);
    EXPECT_EQ(plan.Of(PlanOp::Polyline).size(), 40u);
    EXPECT_EQ(plan.Texts(), std::vector<std::string>{"Damaged Steel"}); // the title alone
    EXPECT_TRUE(plan.Of(PlanOp::Fill).empty());
}

} // namespace
