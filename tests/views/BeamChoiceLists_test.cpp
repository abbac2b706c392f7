// The control panel's layout list in the beam mode: filled as the layout is entered with the
// shown set selected, and a chosen title switches the layout to its graphs.

#include <gtest/gtest.h>

#include <vector>

#include "app/summary/ChoiceLists.h"
#include "app/views/TViewm.h"
#include "platform/Controls.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "views/BeamModeInstall.h"
#include "views/TQ2k_Logic.h"

namespace {

struct BeamChoiceLists : ShellTest {
    BeamLogicFactory previous = InstallBeamMode();
    ~BeamChoiceLists() override { SetBeamLogicFactory(std::move(previous)); }
};

TEST_F(BeamChoiceLists, NineGraphSetsListedAndChosen)
{
    Start();
    Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
    g_Structures[0] = TestSection::MakeBeam();
    TViewm_2k& view = Window().GetViewManager();
    view.CreateLogic(1, g_Structures[0].get(), nullptr);
    view.SetNineGraphs(-1);
    plat::ComboBox* combo = view.GetLayoutCombo();
    ASSERT_NE(combo, nullptr);
    const auto titles = ChoiceTitles(view.GetLogic(), 8, view.GetDefaultGraphId());
    ASSERT_GE(titles.size(), 2u);
    ASSERT_EQ(combo->GetCount(), static_cast<int>(titles.size()));
    const int shown = combo->GetSelIndex();
    ASSERT_GE(shown, 0);
    EXPECT_EQ(view.ChartIdFromTitle(combo->GetString(shown)) / 1000, 3); // a nine-graph set

    const int other = shown == 0 ? 1 : 0;
    auto ids = [&view] {
        std::vector<int> shownIds;
        for (int i = 0; i < TViewm_2k::kPanelCharts; ++i)
            shownIds.push_back(view.GetChartId(i));
        return shownIds;
    };
    const std::vector<int> before = ids();
    combo->SetSelIndex(other);
    EXPECT_TRUE(view.OnControlNotify(1101, plat::Notify::SelChange));
    EXPECT_EQ(combo->GetSelIndex(), other);
    EXPECT_EQ(view.GetLayoutMode(), LayoutMode::NineGraphs);
    EXPECT_NE(ids(), before);
}

} // namespace
