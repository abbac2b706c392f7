// The one-layer view's life (under the sanitizers), the section report, and the summary page
// of the bound section, painted while the structure table holds it.

#include <gtest/gtest.h>

#include "analysis/TQuarvish2000Analysis.h"
#include "app/GlobalTables.h"
#include "app/summary/SummaryFixture.h"
#include "files/report/SectionReport.h"
#include "foundation/ReportText.h"
#include "foundation/TTextBuffer.h"
#include "membrane/TP2kQ2kHelper.h"
#include "model/TShell.h"
#include "platform/Application.h"
#include "support/RecordingDC.h"
#include "tests/support/TestSupport.h"
#include "tests/views/ViewTestSupport.h"

namespace {

// A nested view that reads its shell and layer states on every call, so a dangling pointer
// shows under the sanitizers.
class ProbingLayerView : public LayerViewLogic {
public:
    ProbingLayerView(const TShell* shell, TP2kQ2kHelper* states, std::vector<int>* log)
        : m_shell(shell), m_states(states), m_log(log)
    {
    }
    int FillChart(ViewChart* chart, int graphId, int, int) override
    {
        m_log->push_back(graphId);
        chart->AddPoint(m_shell->GetHeight(), m_states->GetLastStageIndex());
        return 1;
    }
    std::string GetGraphTitle(int graphId, int) override
    {
        return "layer graph " + std::to_string(graphId) + " " +
               std::to_string(m_states->GetDepthTable().GetCount());
    }

private:
    const TShell* m_shell;
    TP2kQ2kHelper* m_states;
    std::vector<int>* m_log;
};

struct LayerView : BeamViewTest {
    ScriptedHost host;
    std::vector<int> filled;
    LayerViewFactory previous = SetLayerViewFactory([this](const TShell* s, TP2kQ2kHelper* h) {
        return std::make_unique<ProbingLayerView>(s, h, &filled);
    });
    LayerView()
    {
        logic.SetHost(&host);
        for (int k = 1; k <= 3; ++k)
            analysis.stages.push_back(TwoLayerMeshState(-0.001 * k, -10e3 * k, k));
    }
    ~LayerView() override { SetLayerViewFactory(std::move(previous)); }
};

TEST_F(LayerView, OpensWithTheMohrSetAndClosesWithAnother)
{
    RecordingViewChart control;
    EXPECT_EQ(logic.OnControlChoice(&control, 5, 4), 1);
    ASSERT_NE(logic.GetProbeShell(), nullptr);
    ASSERT_NE(logic.GetLayerStates(), nullptr);
    ASSERT_NE(logic.GetLayerView(), nullptr);
    EXPECT_EQ(logic.GetProbeDepth(), 0.0);
    EXPECT_EQ(control.subMode, 500);
    EXPECT_EQ(control.title, "Control : Select Depth");
    EXPECT_EQ(control.yTitle, "Depth (mm)");
    EXPECT_EQ(logic.GetGraphTitle(204, 0).substr(0, 16), "layer graph 204 ");

    RecordingViewChart chart;
    EXPECT_EQ(logic.FillChart(&chart, 2116, 3, 0), 1);
    EXPECT_EQ(filled, (std::vector<int>{2116}));

    // Another set releases all three; the graphs and titles of the view go with them.
    EXPECT_EQ(logic.OnControlChoice(&control, 5, 0), 1);
    EXPECT_EQ(logic.GetProbeShell(), nullptr);
    EXPECT_EQ(logic.GetLayerStates(), nullptr);
    EXPECT_EQ(logic.GetLayerView(), nullptr);
    EXPECT_EQ(logic.GetGraphTitle(204, 0), "no such graph type!!!");
    EXPECT_EQ(logic.FillChart(&chart, 2116, 3, 0), 0);
    EXPECT_NE(control.subMode, 500);
    EXPECT_EQ(logic.OnControlChoice(kNoChart, 6, 1), 1); // other categories change nothing
}

TEST_F(LayerView, SwitchingSetsBackAndForthAndPickingDepths)
{
    RecordingViewChart chart;
    for (int round = 0; round < 3; ++round) {
        logic.OnControlChoice(kNoChart, 5, 4);
        logic.OnControlChoice(kNoChart, 5, 4); // chosen twice: rebuilt, depth 0 again
        EXPECT_EQ(logic.GetProbeDepth(), 0.0);
        // A pick on the depth curve at 150 mm rebuilds the shell at 0.15 m.
        host.pickY = 150.0;
        EXPECT_EQ(logic.FillChart(&chart, 204, 20001, 0), 1);
        EXPECT_DOUBLE_EQ(logic.GetProbeDepth(), 0.15);
        EXPECT_EQ(logic.GetSelectedStage(), 1);
        const TShell* shell = logic.GetProbeShell();
        // The same depth within 0.1 mm keeps the shell and only changes the stage.
        host.pickY = 150.05;
        EXPECT_EQ(logic.FillChart(&chart, 206, 20002, 0), 1);
        EXPECT_EQ(logic.GetProbeShell(), shell);
        EXPECT_EQ(logic.GetSelectedStage(), 2);
        EXPECT_EQ(logic.FillChart(&chart, 2102, 9001, 0), 1);
        logic.OnControlChoice(kNoChart, 5, 2);
    }
    EXPECT_EQ(filled.size(), 9u);
    logic.OnControlChoice(kNoChart, 5, 4); // left open: the destructor releases it
}

TEST_F(LayerView, WithoutAnAnalysisNothingIsNested)
{
    TQ2k_Logic bare(beam.get(), nullptr);
    EXPECT_EQ(bare.OnControlChoice(kNoChart, 5, 4), 1);
    EXPECT_EQ(bare.GetLayerView(), nullptr);
    RecordingViewChart chart;
    EXPECT_EQ(bare.FillChart(&chart, 2100, 0, 0), 0);
    EXPECT_EQ(bare.GetGraphTitle(212, 0), "no such graph type!!!");
    EXPECT_TRUE(filled.empty());
}

TEST_F(LayerView, BindKeepsTheView)
{
    logic.OnControlChoice(kNoChart, 5, 4);
    logic.Bind(beam.get(), &analysis);
    EXPECT_NE(logic.GetLayerView(), nullptr);
}

struct Report : BeamViewTest {
    std::string Information()
    {
        TTextBuffer text;
        WriteSectionInformationReport(*beam, text);
        return text.GetText();
    }
    ~Report() override { ClearReportText(); }
};

TEST_F(Report, SectionInformationAloneWithoutTimeData)
{
    EXPECT_EQ(logic.MakeReportText(0), 1);
    ASSERT_NE(g_ReportText, nullptr);
    EXPECT_EQ(*g_ReportText, Information());
    // Time data but no analysis: the same text.
    beam->SetTimeData(1, 28.0, -10e3, 0.0);
    TQ2k_Logic unbound(beam.get(), nullptr);
    unbound.MakeReportText(0); // replaces the text (the sanitizers see any leak)
    EXPECT_EQ(*g_ReportText, Information());
}

TEST_F(Report, TimeDependentBlockFollowsWithOneLineEnd)
{
    beam->SetTimeData(1, 28.0, -10e3, 0.0);
    logic.MakeReportText(0);
    const std::string info = Information();
    ASSERT_GT(g_ReportText->size(), info.size());
    EXPECT_EQ(g_ReportText->substr(0, info.size()), info);
    EXPECT_NE(g_ReportText->find("Time Dependent Effects Results"), std::string::npos);
    EXPECT_EQ(g_ReportText->substr(g_ReportText->size() - 4), "\r\n\r\n");
}

TEST_F(Report, InfoTextAndMaterialCounts)
{
    TQ2k_Logic unbound(beam.get(), nullptr);
    std::string text;
    unbound.GetInfoText(text);
    EXPECT_NE(text.find("f_c'"), std::string::npos);
    int r = -1, p = -1;
    EXPECT_EQ(unbound.GetMaterialCounts(r, p), 2); // reinforcing bars only
    EXPECT_EQ(r, 5); // three bar layers and two stirrup layers
    EXPECT_EQ(p, 0);
    TQ2k_Logic none(nullptr, nullptr);
    text.clear();
    none.GetInfoText(text);
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(none.GetMaterialCounts(r, p), 0);
    EXPECT_EQ(r + p, 0);
}

using BeamSummaryPage = SummaryTest;

TEST_F(BeamSummaryPage, PaintsTheBoundSectionWhileTheTableHoldsIt)
{
    TQ2k_Logic logic(Put(7, SummarySections::Rectangle("Held")), nullptr);
    RecordingDC page;
    logic.PaintSection(page, 0, 0, 1000, 800, 0);
    EXPECT_TRUE(HasText(page, "Geometric Properties"));

    auto gone = std::move(g_Structures[7]);
    RecordingDC none;
    logic.PaintSection(none, 0, 0, 1000, 800, 0);
    EXPECT_TRUE(none.Calls().empty());
}

} // namespace
