// The chart kinds that draw nothing yet: the factory makes them for their graph ids, they keep
// their data, paint nothing and ignore their popup commands.

#include <gtest/gtest.h>

#include "app/views/DiagramMakers.h"
#include "platform/Application.h"
#include "support/RecordingDC.h"
#include "views/EmptyCharts.h"

namespace {

TEST(EmptyCharts, KeepDataPaintNothingAndIgnoreTheirMenu)
{
    plat::EnsureGuiRuntime();
    InstallEmptyCharts();
    struct Case {
        int kind;
        int graphId;
    };
    for (const Case c : {Case{19, 4100}, Case{18, 2201}, Case{22, 2109}, Case{24, 2202}, Case{15, 2200}}) {
        SCOPED_TRACE(c.kind);
        std::unique_ptr<Tchart> chart = MakeKindChart(nullptr, "", 0, 0, 300, 200, c.kind, c.graphId);
        ASSERT_NE(chart, nullptr);
        EXPECT_NE(dynamic_cast<TEmptyChart*>(chart.get()), nullptr);
        EXPECT_EQ(chart->Kind(), c.kind);
        chart->AddPoint(1.0, 2.0);
        chart->AddPoint(3.0, 5.0);
        chart->AutoScale();
        EXPECT_FALSE(chart->IsDataEmpty());
        RecordingDC dc;
        chart->Paint(dc, true, {0, 0, 300, 200});
        EXPECT_TRUE(dc.Calls().empty());
        const int range = chart->GetMaxRange();
        chart->CmPopup3000();
        chart->CmPopup3003();
        chart->CmPopup3004();
        EXPECT_EQ(chart->GetMaxRange(), range);
    }
    TBarchart bars(nullptr, "", 0, 0, 100, 100, 3, 4, 1);
    bars.AddText("ignored", 1.0);
    EXPECT_EQ(bars.Data().DrawMode(), 0);
    for (int kind : {15, 18, 19, 22, 24})
        SetDiagramMaker(kind, {});
}

} // namespace
