// The chart factory on the real main window: classes, kinds, panels, titles, reuse by kind,
// legends, inserted boxes and "Add to Graph".

#include <functional>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "app/views/ModeStandIns.h"
#include "app/views/TViewm.h"
#include "charts/TTextBox.h"
#include "charts/Teditchart.h"
#include "charts/Tchart.h"
#include "charts/Tcontrolchart.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "platform/Controls.h"
#include "platform/Frame.h"
#include "tests/app/DrawnTexts.h"
#include "tests/app/ShellFixture.h"

namespace {

// A beam mode object whose sets show graph 3000 + 10 set + panel, described by id, with a legend
// for ids it is told.
class TableLogic final : public TBeamStandIn_Logic {
public:
    TableLogic() : TBeamStandIn_Logic(nullptr, nullptr) {}
    int GetChoiceId(int category, int set, int panel, int) override {
        if (category == ChoiceCategory::NineGraphs)
            return set == 9 ? 2000 + panel : 1000 + 10 * set + panel;
        return 4004 + panel;
    }
    void GetChartDescription(int id, ChartDescription& d, int kind) override {
        TBase_Logic::GetChartDescription(id, d, kind);
        d.title = titleStem + std::to_string(id);
        d.xLabel = "x of " + std::to_string(id);
    }
    void GetLegendText(std::string& text, int& position) override {
        if (const auto code = legendCodes.find(position); code != legendCodes.end()) {
            text = legendText;
            position = code->second;
            return;
        }
        text = position == legendId ? legendText : "";
        position = legendCode;
    }
    void FillChart(Tchart* chart, int id, int, int) override {
        ++fills;
        if (chart)
            for (int k = 0; k < 500; ++k)
                chart->AddPoint(leftIds.count(id) != 0 ? -k : k,
                                spike && (k < 240 || k > 260)
                                    ? 0.0
                                    : yScale * (below || belowIds.count(id) != 0 ? -(id + k) : id + k));
        if (chart)
            chart->AutoScale();
    }
    // With readouts set: the values of a stage are (0.001 id + stage, 2 stage + 1), none for
    // graph noReadoutId.
    int GetStageValues(double& x, double& y, int stage, int id) override {
        if (!readouts)
            return TBeamStandIn_Logic::GetStageValues(x, y, stage, id);
        if (id == noReadoutId)
            return 0;
        x = 0.001 * id + stage;
        y = 2.0 * stage + 1.0;
        return 1;
    }
    int GetMaterialCounts(int& r, int& p) override {
        r = reinforcing;
        p = prestressing;
        return 1;
    }
    int legendId = -1;
    int legendCode = -1;
    // Graphs with a legend each, at the position code given.
    std::map<int, int> legendCodes;
    // Curves below the x axis: the x numbers stand above it, at the top of the chart.
    bool below = false;
    std::set<int> belowIds;  // graphs drawn below the x axis whatever below says
    std::set<int> leftIds;   // graphs drawn left of the y axis, numbered along the right
    double yScale = 1.0;     // of the curves' values
    // Only the middle of each curve leaves the x axis: a spike half way along, clear of the
    // legends' own places (a legend keeps off the data as well as the texts).
    bool spike = false;
    std::string titleStem = "Graph ";
    std::string legendText = "legend";
    int fills = 0;
    bool readouts = false;
    int noReadoutId = -1;
    int reinforcing = 0;
    int prestressing = 0;
};

class ChartFactoryTest : public ShellTest {
protected:
    void SetUp() override {
        Start();
        Window().MoveWindow(plat::Rect{0, 0, 1280, 1024});
        auto l = std::make_unique<TableLogic>();
        logic = l.get();
        View().InstallLogic(std::move(l));
    }
    TViewm_2k& View() { return Window().GetViewManager(); }
    TableLogic* logic = nullptr;
};

} // namespace

TEST_F(ChartFactoryTest, NineGraphsArePlainChartsAtTheirPanelsDescribedByTheModeObject) {
    View().SetNineGraphs(3001);
    for (int i = 0; i < 9; ++i) {
        Tchart* c = View().GetChart(i);
        ASSERT_NE(c, nullptr) << i;
        EXPECT_EQ(View().GetChartId(i), 1010 + i);
        EXPECT_EQ(c->Kind(), 1);  // graph ids 1000 to 1999 get full charts
        const PanelRect r = View().GetPanelRect(1 + i);
        EXPECT_EQ(c->Place(), (BoxPlace{r.x, r.y, r.width, r.height})) << i;
        EXPECT_EQ(c->Data().Title(), "Graph " + std::to_string(1010 + i));
        EXPECT_EQ(c->Data().XTitle(), "x of " + std::to_string(1010 + i));
    }
    EXPECT_EQ(logic->fills, 9);
    ASSERT_NE(View().GetControlChart(0), nullptr);  // the beam mode's controls of mode 5
    ASSERT_NE(View().GetControlChart(1), nullptr);

    // Another set of the same kinds reuses every chart; set 9 (codes 2000 on) replaces them.
    Tchart* first = View().GetChart(0);
    View().SetNineGraphs(3002);
    EXPECT_EQ(View().GetChart(0), first);
    EXPECT_EQ(View().GetChart(0)->Data().Title(), "Graph 1020");
    for (int id = 2004; id <= 2008; ++id)
        ui.Message("Graph " + std::to_string(id), MsgAnswer::Ok);
    View().SetNineGraphs(3009);
    EXPECT_EQ(View().GetChart(0)->Kind(), 6);   // TBeamDiagram's kind
    EXPECT_EQ(View().GetChart(0)->Data().Title(), "Crack Diagram ");
    EXPECT_EQ(View().GetChart(3)->Kind(), 13);
    // 2004 to 2008 have no description of their own: the index guard, one box each.
    EXPECT_EQ(ui.Count("cannot be shown"), 5);
}

TEST_F(ChartFactoryTest, PlotCodesBelow1000AreFullChartsOnlyInTheBigPanels) {
    std::unique_ptr<Tchart> big, small;
    View().CreatePanelChart(big, &Window(), 500, 0);
    View().CreatePanelChart(small, &Window(), 500, 5);
    EXPECT_EQ(big->Kind(), 1);
    EXPECT_EQ(small->Kind(), 2);
    // A chart that is kept keeps its data; a new one starts without. (Addresses tell nothing:
    // a new chart may take the place of the one just deleted.)
    small->AddPoint(1.0, 2.0);
    View().CreatePanelChart(small, &Window(), 1003, 5);  // a plain chart stays
    EXPECT_EQ(small->Kind(), 2);
    EXPECT_EQ(small->Data().PairCount(), 1);
    View().CreatePanelChart(small, &Window(), 2100, 5);  // Mohr's circles: always new
    EXPECT_EQ(small->Kind(), 10);
    EXPECT_TRUE(small->Data().IsDataEmpty());
    small->AddPoint(1.0, 2.0);
    View().CreatePanelChart(small, &Window(), 2101, 5);
    EXPECT_EQ(small->Kind(), 10);
    EXPECT_TRUE(small->Data().IsDataEmpty());
}

// Graph 2107 is a contour chart (kind 20) and is described like the other contour ids; the
// node-data ids 2104 to 2106 keep kind 16.
TEST_F(ChartFactoryTest, ContourGraph2107IsDescribedLikeTheOtherContourIds) {
    std::unique_ptr<Tchart> slot;
    View().CreatePanelChart(slot, &Window(), 2107, 5);
    EXPECT_EQ(slot->Kind(), 20);
    View().CreateChart(slot.get(), 2107, 0, 1);
    EXPECT_EQ(slot->Data().Title(), "Graph 2107");
    EXPECT_EQ(logic->fills, 1);
    View().CreatePanelChart(slot, &Window(), 2105, 5);
    EXPECT_EQ(slot->Kind(), 16);
    View().CreateChart(slot.get(), 2105, 0, 1);
    EXPECT_EQ(slot->Data().Title(), "Stress & Strain");
    EXPECT_EQ(ui.requests.size(), 0u);  // no index guard
}

TEST_F(ChartFactoryTest, LegendsSitInTheirCornerAndAnEmptyLegendLeavesNoBox) {
    logic->legendId = 4005;
    logic->below = true;  // nothing of the chart's in its bottom right corner
    logic->spike = true;
    View().SetPushover(4000);
    EXPECT_EQ(View().GetChart(0)->Kind(), 1);  // 4004: a full chart
    // One legend, for chart 1 (graph 4005), at the bottom right corner of its chart.
    int boxes = 0;
    for (int i = 0; i < TViewm_Base::kTextBoxes; ++i)
        if (TTextBox* t = View().GetTextBox(i)) {
            ++boxes;
            EXPECT_TRUE(t->IsLegend());
            const BoxPlace c = View().GetChart(1)->Place(), b = t->Place();
            EXPECT_EQ(b.x, c.w - b.w - 10);
            EXPECT_EQ(b.y, c.h - b.h - 10);
        }
    EXPECT_EQ(boxes, 1);
}

// A legend placed at 0.17 of the width with its bottom at 0.83 of the height less 10 pixels
// (code 2) lies over the chart's y numbers at the left and its x numbers along the bottom: it
// moves to the nearest place clear of every text and tick of the chart, inside the chart.
TEST_F(ChartFactoryTest, ALegendKeepsClearOfTheChartsNumbers) {
    logic->legendId = 4004;
    logic->legendCode = 2;
    logic->legendText = "\1 c\2 Provided\r\n\1 e\2 Demand";
    View().SetPushover(4000);
    Tchart* chart = View().GetChart(0);
    ASSERT_NE(chart, nullptr);
    TTextBox* legend = nullptr;
    for (int i = 0; i < TViewm_Base::kTextBoxes; ++i)
        if (TTextBox* t = View().GetTextBox(i))
            legend = t;
    ASSERT_NE(legend, nullptr);
    const BoxPlace c = chart->Place(), b = legend->Place();
    const std::vector<plat::Rect> texts = chart->TextBoxes();
    ASSERT_GE(texts.size(), 8u);
    // At its place it would have covered some of them.
    const plat::Rect home{static_cast<int>(0.17 * c.w), static_cast<int>(0.83 * c.h - b.h - 10),
                          static_cast<int>(0.17 * c.w) + b.w, static_cast<int>(0.83 * c.h - b.h - 10) + b.h};
    const auto meets = [](const plat::Rect& p, const plat::Rect& q) {
        return p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom;
    };
    int covered = 0;
    for (const plat::Rect& t : texts)
        covered += meets(home, t) ? 1 : 0;
    EXPECT_GT(covered, 0);
    const plat::Rect placed{b.x, b.y, b.x + b.w, b.y + b.h};
    for (const plat::Rect& t : texts)
        EXPECT_FALSE(meets(placed, t)) << "a text at " << t.left << ", " << t.top;
    EXPECT_GE(b.x, 0);
    EXPECT_GE(b.y, 0);
    EXPECT_LE(b.x + b.w, c.w);
    EXPECT_LE(b.y + b.h, c.h);
}

TEST_F(ChartFactoryTest, AddToGraphFillsTheFreeSlotsThenOnlyRedescribesChartZero) {
    View().SetSingleGraph(1003);
    ASSERT_NE(View().GetChart(0), nullptr);
    EXPECT_TRUE(View().CanInsertBox());
    for (int k = 2; k < 9; ++k)
        View().AddToGraph();
    for (int k = 2; k < 9; ++k) {
        ASSERT_NE(View().GetChart(k), nullptr);
        EXPECT_TRUE(View().GetChart(k)->IsChildPlacement());
        EXPECT_EQ(View().GetChart(k)->Data().Title(), "");  // a child chart's title is blank
    }
    const int fills = logic->fills;
    View().AddToGraph();
    EXPECT_EQ(logic->fills, fills + 1);  // chart 0 only
    View().ToggleAutoRange(1);
    for (int k = 0; k < 9; ++k) {
        if (k != 1) {  // no pasted chart in this layout
            EXPECT_EQ(View().GetChart(k)->GetMaxRange(), 1);
        }
    }
}

TEST_F(ChartFactoryTest, DeletingTheSelectedChartTakesItsBoxesAndInnerChartsAlong) {
    View().SetSingleGraph(1003);
    View().InsertTextBox();
    View().InsertGraphicBox();
    View().AddToGraph();
    ASSERT_NE(View().GetTextBox(0), nullptr);
    EXPECT_TRUE(View().GetTextBox(0)->IsChildPlacement());
    View().SetActiveChart(View().GetChart(0), 1);
    ASSERT_TRUE(View().HasSelection());
    View().DeleteSelectedBox();
    EXPECT_EQ(View().GetChart(0), nullptr);
    EXPECT_EQ(View().GetChart(2), nullptr);
    EXPECT_EQ(View().GetTextBox(0), nullptr);
    EXPECT_EQ(View().GetGraphicBox(), nullptr);
    EXPECT_FALSE(View().HasSelection());
}

// The controls each layout's panel-menu record asks for, and the range button's caption.
TEST_F(ChartFactoryTest, TheControlPanelHasTheControlsOfTheLayoutsRecord) {
    View().SetNineGraphs(-1);
    ASSERT_NE(View().GetRangeButton(), nullptr);
    ASSERT_NE(View().GetLayoutCombo(), nullptr);
    EXPECT_EQ(View().GetPasteCombo(), nullptr);
    const PanelRect r = View().GetPanelRect(PanelId::RangeButton);
    EXPECT_EQ(View().GetRangeButton()->GetPlace(), (plat::Rect{r.x, r.y, r.x + r.width, r.y + r.height}));
    EXPECT_EQ(View().GetRangeButton()->GetText(), "Auto Range");
    View().ToggleAutoRange(1);
    EXPECT_EQ(View().GetRangeButton()->GetText(), "Max Range");
    Window().EvCommand(1000, 1000, 0);  // the button's click toggles every chart back
    EXPECT_EQ(View().GetRangeButton()->GetText(), "Auto Range");
    EXPECT_EQ(View().GetChart(4)->GetMaxRange(), 0);

    View().SetFourGraphs(-1);  // combo, no range button
    EXPECT_EQ(View().GetRangeButton(), nullptr);
    EXPECT_NE(View().GetLayoutCombo(), nullptr);
    View().SetLoadDeformation(1001);
    EXPECT_NE(View().GetPasteCombo(), nullptr);
    ASSERT_NE(View().GetAddButton(), nullptr);
    EXPECT_NE(View().GetChart(1), nullptr);  // the pasted chart
    EXPECT_EQ(View().GetChartId(1), 7);
    EXPECT_EQ(View().GetChart(2), nullptr);
    Window().EvCommand(1001, 1001, 0);  // "Add to Graph"
    EXPECT_NE(View().GetChart(2), nullptr);
}

namespace {

BoxPlace PlaceOf(const PanelRect& r) { return BoxPlace{r.x, r.y, r.width, r.height}; }

} // namespace

// The readout of a stage: in the pushover layout every chart takes (-x, y) of its graph's
// stage values (the load-deflection curve is drawn against -deflection), or none when the mode
// object has no values for its graph; in the load-deformation layout the main chart takes
// (x, y) as they are and the pasted chart none.
TEST_F(ChartFactoryTest, StageReadoutsAndTheirSignsInEachLayout) {
    logic->readouts = true;
    logic->noReadoutId = 4005;
    View().SetPushover(4000);
    View().RefreshAllPanels(7);
    int charts = 0;
    for (int i = 0; i < TViewm_Base::kPanelCharts; ++i) {
        const Tchart* chart = View().GetChart(i);
        if (!chart)
            continue;
        ++charts;
        const int id = View().GetChartId(i);
        SCOPED_TRACE(id);
        if (id == 4005) {
            EXPECT_EQ(chart->Data().ReadoutX(), kUndefined);
            EXPECT_EQ(chart->Data().ReadoutY(), kUndefined);
        } else {
            EXPECT_DOUBLE_EQ(chart->Data().ReadoutX(), -(0.001 * id + 7));
            EXPECT_DOUBLE_EQ(chart->Data().ReadoutY(), 15.0);
        }
    }
    EXPECT_GE(charts, 2);

    View().SetLoadDeformation(1001);
    View().RefreshAllPanels(4);
    const int main = View().GetChartId(0);
    EXPECT_DOUBLE_EQ(View().GetChart(0)->Data().ReadoutX(), 0.001 * main + 4);
    EXPECT_DOUBLE_EQ(View().GetChart(0)->Data().ReadoutY(), 9.0);
    ASSERT_NE(View().GetChart(1), nullptr);
    EXPECT_EQ(View().GetChart(1)->Data().ReadoutX(), kUndefined);
}

// The materials page: "Concrete" (material kind 7) at panel 14, then "Rebar" (kind 8) when
// reinforcing steel is used and "P-Steel" (kind 9) when prestressing steel is, at the panels
// that follow.
TEST_F(ChartFactoryTest, EachMaterialChartIsOfItsMaterialsKindAtItsPanel) {
    const struct {
        int reinforcing, prestressing;
        std::vector<std::tuple<const char*, int, int>> charts; // title, kind, panel
    } cases[] = {
        {2, 1, {{"Concrete", 7, 14}, {"Rebar", 8, 15}, {"P-Steel", 9, 16}}},
        {0, 1, {{"Concrete", 7, 14}, {"P-Steel", 9, 15}}},
        {1, 0, {{"Concrete", 7, 14}, {"Rebar", 8, 15}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reinforcing * 10 + c.prestressing);
        logic->reinforcing = c.reinforcing;
        logic->prestressing = c.prestressing;
        View().SetNineGraphs(-1); // another layout in between
        View().ShowMaterials();
        for (std::size_t i = 0; i < c.charts.size(); ++i) {
            const auto& [title, kind, panel] = c.charts[i];
            const Tchart* chart = View().GetChart(static_cast<int>(i));
            ASSERT_NE(chart, nullptr) << title;
            EXPECT_EQ(chart->Kind(), kind) << title;
            EXPECT_EQ(chart->Data().Title(), title);
            EXPECT_EQ(chart->Place(), PlaceOf(View().GetPanelRect(panel))) << title;
        }
        EXPECT_EQ(View().GetChart(static_cast<int>(c.charts.size())), nullptr);
    }
}

namespace {

// The legend inside the chart (null when it has none).
TTextBox* LegendOf(TViewm_2k& view, const Tchart* chart) {
    for (int i = 0; i < TViewm_Base::kTextBoxes; ++i)
        if (TTextBox* t = view.GetTextBox(i); t && t->IsLegend() && t->GetParent() == chart)
            return t;
    return nullptr;
}

} // namespace

// A legend whose place is clear of its chart's texts stands exactly at the place of its
// position code, worked by hand from the chart's size and the legend's (bw x bh): -1 bottom
// right and 0, 4 at the right edge, 10 px in; 0 at a tenth of the height, 4 that far above the
// bottom right; 2 and 3 at 0.17 of the width, 2 with its foot 10 px above 0.83 of the height, 3
// at 0.07 of it; any other code at (100, 100). Fractions of pixels are cut off. Every code is
// tried on the pushover's first chart (934 x 337 at 1280 x 1024) and on the others (454 x 327),
// when the layout is made, after a refill and after the window is resized there and back.
TEST_F(ChartFactoryTest, ALegendWhoseHomeIsClearStandsExactlyAtItsPositionCodesPlace) {
    logic->legendText = "\1 c\2 Mid";
    // Narrow numbers and titles: the legends' places are clear of them; the curves rise only
    // half way along.
    logic->yScale = 0.001;
    logic->titleStem = "G";
    logic->spike = true;
    // By hand for each chart size (fractions of pixels cut off): the left of codes 2 and 3
    // (0.17 w), the top of codes 0 (0.1 h) and 3 (0.07 h), the foot of codes 2 (0.83 h - 10) and
    // 4 (h - 10 - 0.1 h).
    struct Hand {
        int w, h;
        int left, top0, top3, foot2, foot4;
    };
    const std::vector<Hand> hands{
        {934, 337, 158, 33, 23, 269, 293},  // 158.78, 33.7, 23.59, 269.71, 293.3
        {454, 327, 77, 32, 22, 261, 284},   // 77.18, 32.7, 22.89, 261.41, 284.3
        {803, 264, 136, 26, 18, 209, 227},  // 0.73 x 1100, 0.33 x 800: 136.51, 26.4, 18.48, 209.12, 227.6
        {390, 256, 66, 25, 17, 202, 220},   // 0.355 x 1100, 0.32 x 800: 66.3, 25.6, 17.92, 202.48, 220.4
    };
    const auto byHand = [](const Hand& c, int code, int bw, int bh) -> plat::Point {
        switch (code) {
        case -1: return {c.w - bw - 10, c.h - bh - 10};
        case 0: return {c.w - bw - 10, c.top0};
        case 2: return {c.left, c.foot2 - bh};
        case 3: return {c.left, c.top3};
        case 4: return {c.w - bw - 10, c.foot4 - bh};
        default: return {100, 100};
        }
    };
    const auto expectAtHome = [&](const char* when, int chartsSized) {
        SCOPED_TRACE(when);
        for (int i = 0; i < 5; ++i) {
            Tchart* chart = View().GetChart(i);
            ASSERT_NE(chart, nullptr);
            const TTextBox* legend = LegendOf(View(), chart);
            ASSERT_NE(legend, nullptr) << "chart " << i;
            const BoxPlace c = chart->Place(), b = legend->Place();
            const Hand& expected = hands[(chartsSized == 1280 ? 0 : 2) + (i == 0 ? 0 : 1)];
            ASSERT_EQ(c.w, expected.w);
            ASSERT_EQ(c.h, expected.h);
            const int code = logic->legendCodes[View().GetChartId(i)];
            SCOPED_TRACE("chart " + std::to_string(i) + ", code " + std::to_string(code));
            const plat::Point home = byHand(expected, code, b.w, b.h);
            // The place is clear: nothing of the chart's is drawn there.
            const std::vector<std::string> under = TextsUnder(*chart, plat::Rect{home.x, home.y, home.x + b.w, home.y + b.h});
            ASSERT_TRUE(under.empty()) << under.front();
            ASSERT_EQ(PixelsInside(DrawnStrokesOf(*chart).data, plat::Rect{home.x, home.y, home.x + b.w, home.y + b.h}), 0);
            EXPECT_EQ(b.x, home.x);
            EXPECT_EQ(b.y, home.y);
        }
    };
    const std::vector<int> codes{-1, 0, 2, 3, 4, 7};
    for (std::size_t turn = 0; turn < codes.size(); ++turn) {
        logic->legendCodes.clear();
        logic->belowIds.clear();
        logic->leftIds.clear();
        for (int i = 0; i < 5; ++i) {
            const int code = codes[(turn + static_cast<std::size_t>(i)) % codes.size()];
            logic->legendCodes[4004 + i] = code;
            // A legend at the foot over a curve below the x axis, whose numbers run along the
            // top; one at the left over a curve left of the y axis, numbered along the right.
            if (code == -1 || code == 2 || code == 4)
                logic->belowIds.insert(4004 + i);
            if (code == 2 || code == 3 || code == 7)
                logic->leftIds.insert(4004 + i);
        }
        SCOPED_TRACE("the first chart's code " + std::to_string(codes[turn]));
        View().SetPushover(4000);
        expectAtHome("made", 1280);
        View().RefreshAllPanels(3);
        expectAtHome("refilled", 1280);
        Window().MoveWindow(plat::Rect{0, 0, 1100, 800});
        expectAtHome("in a smaller window", 1100);
        Window().MoveWindow(plat::Rect{0, 0, 1280, 1024});
        expectAtHome("back at the first size", 1280);
    }

    // A title whose foot ends a pixel or two above the legend's place (top left, 23 px down the
    // first chart) covers nothing of it: the legend stays at its place.
    logic->legendCodes = {{4004, 3}, {4005, 0}, {4006, 0}, {4007, 0}, {4008, 0}};
    logic->belowIds.clear();
    logic->leftIds = {4004};
    View().SetPushover(4000);
    Tchart& chart = *View().GetChart(0);
    const std::string title = "Deflection at midspan against the load applied at every stage of the run";
    chart.SetTitle(title);
    plat::LogFont font = chart.TitleFont();
    plat::Rect drawn;
    for (int h = 10; h < 40 && !(drawn.bottom >= 21 && drawn.bottom <= 22); ++h) {
        font.height = -h;
        chart.SetTitleFont(font);
        chart.Layout();
        for (const auto& [text, box] : DrawnTexts(chart))
            if (text == title)
                drawn = box;
    }
    ASSERT_GE(drawn.bottom, 21);
    ASSERT_LE(drawn.bottom, 22);
    ASSERT_LT(drawn.left, 158);  // over the legend's whole width
    ASSERT_GT(drawn.right, 300);
    View().RefreshAllPanels(3);
    const TTextBox* legend = LegendOf(View(), &chart);
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->Place().x, 158);
    EXPECT_EQ(legend->Place().y, 23);
    EXPECT_TRUE(TextsUnder(chart, RectOf(legend->Place())).empty());
}

namespace {

// Each legend inside the chart: it lies inside the chart and covers none of the chart's drawn
// texts.
void ExpectLegendsClear(TViewm_2k& view, Tchart& chart) {
    SCOPED_TRACE(chart.Data().Title());
    int legends = 0;
    for (int i = 0; i < TViewm_Base::kTextBoxes; ++i) {
        const TTextBox* t = view.GetTextBox(i);
        if (!t || !t->IsLegend() || t->GetParent() != &chart)
            continue;
        ++legends;
        const plat::Rect legend = RectOf(t->Place());
        EXPECT_GE(legend.left, 0);
        EXPECT_GE(legend.top, 0);
        EXPECT_LE(legend.right, chart.Place().w);
        EXPECT_LE(legend.bottom, chart.Place().h);
        for (const std::string& text : TextsUnder(chart, legend))
            ADD_FAILURE() << text << " under the legend at " << legend.left << ", " << legend.top << " - "
                          << legend.right << ", " << legend.bottom;
    }
    EXPECT_EQ(legends, 1);
}

} // namespace

// The chart's "Properties" move its texts: a longer title, an x range that brings the y axis
// with its numbers into the plot, finer ticks, more decimals, a larger title font. After each
// (OK in "Edit Chart", nothing refilled in between) every legend of the chart stands clear of
// what the chart draws, on the pushover's first chart and on another one, and on the
// load-deformation plot's chart; on the first chart each of these changes draws texts where
// its legend stood. A change that takes the texts away again (the short title, coarse ticks)
// puts the legend back at its own place, 0.17 of the width and 0.07 of the height (158, 21 of
// the first chart's 934 x 311). The range button ("Max Range", "Auto Range") leaves every
// legend clear as it found it.
TEST_F(ChartFactoryTest, LegendsKeepClearOfWhatTheChartsPropertiesChange) {
    // Shown first: the dialogs open over a shown frame, which keeps its size.
    Frame().ShowFrame(1);
    plat::Application::SettleEvents();
    Frame().SetFrameRect(plat::Rect{0, 0, 1280, 1024});
    plat::Application::SettleEvents();
    logic->legendText = "\1 c\2 Mid";
    logic->yScale = 0.001;
    logic->titleStem = "G";
    logic->spike = true;
    const auto properties = [this](Tchart& chart, const std::function<void(plat::DialogDriver&)>& steps) {
        ui.Popup(CM_PROPERTIES).Dialog("Edit Chart", [steps](plat::DialogDriver& d) {
            steps(d);
            d.Click(1);
        });
        plat::FrameDriver::ClickWindow(chart, {chart.Place().w / 2, chart.Place().h / 2}, true);
        EXPECT_TRUE(ui.Done());
    };
    enum class OnFirst { Covers, Home };
    struct Change {
        const char* what;
        OnFirst first;
        std::function<void(plat::DialogDriver&)> steps;
    };
    const auto type = [](int id, const char* text) {
        return [id, text](plat::DialogDriver& d) { d.Type(id, text); };
    };
    const std::vector<Change> changes{
        {"a long title", OnFirst::Covers, type(EditChartId::Title, "Deflection at midspan against the load applied")},
        {"the short title again", OnFirst::Home, type(EditChartId::Title, "G")},
        {"an x range from -170", OnFirst::Covers, type(EditChartId::XMin, "-170")},
        {"coarse ticks on y", OnFirst::Home, type(EditChartId::YTick, "5")},
        {"finer ticks on y", OnFirst::Covers, type(EditChartId::YTick, "0.2")},
        {"six decimals on y", OnFirst::Covers, type(EditChartId::YDecimals, "6")},
        {"a larger title font", OnFirst::Covers,
         [this](plat::DialogDriver& d) {
             d.Type(EditChartId::Title, "Load and deflection");
             ui.Font([](plat::FontDialogData& f) {
                 f.font.height = -70;
                 return true;
             });
             d.Click(EditChartId::SelectTitleFont);
         }},
    };
    const auto everyChange = [&](Tchart& chart, bool first) {
        SCOPED_TRACE(chart.Data().Title());
        const TTextBox* legend = LegendOf(View(), &chart);
        ASSERT_NE(legend, nullptr);
        ExpectLegendsClear(View(), chart);
        for (const Change& c : changes) {
            SCOPED_TRACE(c.what);
            const plat::Rect before = RectOf(legend->Place());
            properties(chart, c.steps);
            if (first && c.first == OnFirst::Covers) {
                EXPECT_FALSE(TextsUnder(chart, before).empty()) << "nothing is drawn where the legend stood";
            }
            if (first && c.first == OnFirst::Home) {
                ASSERT_EQ(chart.Place().w, 934);
                ASSERT_EQ(chart.Place().h, 311);
                EXPECT_EQ(legend->Place().x, 158);
                EXPECT_EQ(legend->Place().y, 21);
            }
            ExpectLegendsClear(View(), chart);
        }
    };
    logic->legendCodes = {{4004, 3}, {4005, 2}, {4006, 3}, {4007, 0}, {4008, 4}};
    View().SetPushover(4000);
    everyChange(*View().GetChart(0), true);
    everyChange(*View().GetChart(2), false);
    ASSERT_NE(View().GetRangeButton(), nullptr);
    for (const char* caption : {"Max Range", "Auto Range"}) {
        SCOPED_TRACE(caption);
        std::vector<BoxPlace> places;
        for (int i = 0; i < 5; ++i)
            places.push_back(LegendOf(View(), View().GetChart(i))->Place());
        Window().EvCommand(1000, 1000, 0);
        EXPECT_EQ(View().GetRangeButton()->GetText(), caption);
        for (int i = 0; i < 5; ++i) {
            ExpectLegendsClear(View(), *View().GetChart(i));
            EXPECT_EQ(LegendOf(View(), View().GetChart(i))->Place(), places[static_cast<std::size_t>(i)]) << i;
        }
    }
    logic->legendCodes = {{1004, 3}};
    View().SetLoadDeformation(1004);
    everyChange(*View().GetChart(0), false);
}
