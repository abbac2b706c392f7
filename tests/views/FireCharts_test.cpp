// The fire charts of the beam mode over a short fire run.

#include <gtest/gtest.h>

#include <array>

#include "app/GlobalTables.h"
#include "foundation/Units.h"
#include "member/fire/FireLaws.h"
#include "member/fire/TFireAnalysis.h"
#include "member/fire/ThermalAnalysis.h"
#include "tests/member/fire/FireTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/views/ViewTestSupport.h"

namespace {

TEST(FireCharts, TemperaturesInDegreesFahrenheitAreOffsetFromCelsius)
{
    RecordingReporter reporter;
    firetest::FireStateGuard guard;
    firetest::TestSlots slots;
    const FireData fire{7, kISO834Fire, kMildSteel, 600.0, 1000.0}; // ten minutes
    TBeam* beam = slots.Put(0, firetest::FireBeam(0.3, 0.4, fire, 2));
    ASSERT_GT(ThermalAnalysis(beam, slots, {}), 0);
    ASSERT_EQ(HasThermalModel(), 1);

    const auto fill = [&](int system) {
        ValueGuard<int> units(g_UnitSystem, system);
        TQ2k_Logic logic(beam, nullptr);
        DisplayContext d;
        d.unitSystem = system;
        logic.SetDisplayContext(d);
        RecordingViewChart chart;
        EXPECT_EQ(logic.FillChart(&chart, 2110, 0, 0), 1);
        EXPECT_EQ(chart.structure, beam);
        return chart.points;
    };
    const std::vector<RecordedPoint> si = fill(0), us = fill(1);
    ASSERT_EQ(si.size(), us.size());
    ASSERT_GT(si.size(), 100u);
    EXPECT_EQ(si[0].y, us[0].y); // the header is no temperature
    int compared = 0;
    for (std::size_t i = 1; i < si.size(); ++i) {
        if (si[i].y == TFireAnalysis_2Ds::kPlotOutside)
            continue; // outside the section
        EXPECT_NEAR(us[i].y, 1.8 * si[i].y + 32.0, 1e-9) << i;
        ++compared;
    }
    EXPECT_GT(compared, 100);
    // Twenty degrees C are 68 F, not 36.
    EXPECT_GT(us.back().y, 60.0);
}

TEST(FireCharts, TheOutlineIsTheTablesCurrentStructure)
{
    RecordingReporter reporter;
    firetest::FireStateGuard guard;
    firetest::TestSlots slots;
    const FireData fire{3, kISO834Fire, kMildSteel, 300.0, 1000.0};
    TBeam* bound = slots.Put(0, firetest::FireBeam(0.25, 0.4, fire, 2));
    const int postFire = ThermalAnalysis(bound, slots, {});
    ASSERT_GT(postFire, 0);
    // The table's current section (the run's post-fire beam) is another beam than the one the
    // mode was bound to.
    std::unique_ptr<TStructure> saved = std::move(g_Structures[static_cast<std::size_t>(postFire)]);
    ValueGuard<int> current(g_CurrentStructure, postFire);
    g_Structures[static_cast<std::size_t>(postFire)] = firetest::FireBeam(0.25, 0.4, fire, 3);
    TQ2k_Logic logic(bound, nullptr);
    RecordingViewChart chart;
    EXPECT_EQ(logic.FillChart(&chart, 2111, 0, 0), 1);
    EXPECT_EQ(chart.structure, g_Structures[static_cast<std::size_t>(postFire)].get());
    // An empty current slot: the bound one.
    g_Structures[static_cast<std::size_t>(postFire)].reset();
    RecordingViewChart other;
    logic.FillChart(&other, 2111, 0, 0);
    EXPECT_EQ(other.structure, bound);
    g_Structures[static_cast<std::size_t>(postFire)] = std::move(saved);
}

// After a second fire run the model is that run's: the post-fire beam of the first run shows
// neither its field nor its thermal strain profile (they are not its fire), while the second
// run's post-fire beam and the beam it was made for show them.
TEST(FireCharts, AnEarlierRunsBeamShowsNoOtherFire)
{
    RecordingReporter reporter;
    firetest::FireStateGuard guard;
    firetest::TestSlots slots;
    TBeam* first = slots.Put(0, firetest::FireBeam(0.25, 0.4, FireData{3, kISO834Fire, kMildSteel, 300.0, 1000.0}, 2));
    const int firstPostFire = ThermalAnalysis(first, slots, {});
    TBeam* second = slots.Put(5, firetest::FireBeam(0.25, 0.4, FireData{1, kISO834Fire, kMildSteel, 600.0, 1000.0}, 3));
    second->SetName("Second");
    const int secondPostFire = ThermalAnalysis(second, slots, {});
    ASSERT_GT(firstPostFire, 0);
    ASSERT_GT(secondPostFire, 0);
    ASSERT_NE(firstPostFire, secondPostFire);

    std::array<std::unique_ptr<TStructure>, 2> saved{std::move(g_Structures[static_cast<std::size_t>(firstPostFire)]),
                                                     std::move(g_Structures[static_cast<std::size_t>(secondPostFire)])};
    g_Structures[static_cast<std::size_t>(firstPostFire)] = std::make_unique<TBeam>(*slots.Beam(firstPostFire));
    g_Structures[static_cast<std::size_t>(secondPostFire)] = std::make_unique<TBeam>(*slots.Beam(secondPostFire));
    const auto shows = [&](int slot, int id) {
        ValueGuard<int> current(g_CurrentStructure, slot);
        TQ2k_Logic logic(static_cast<TBeam*>(g_Structures[static_cast<std::size_t>(slot)].get()), nullptr);
        RecordingViewChart chart;
        logic.FillChart(&chart, id, 0, 0);
        return chart.Data().size();
    };
    EXPECT_EQ(shows(firstPostFire, 2110), 0u);
    EXPECT_EQ(shows(firstPostFire, 30), 0u);
    EXPECT_GT(shows(secondPostFire, 2110), 100u);
    EXPECT_GT(shows(secondPostFire, 30), 10u);
    for (std::size_t i = 0; i < 2; ++i)
        g_Structures[static_cast<std::size_t>(i == 0 ? firstPostFire : secondPostFire)] = std::move(saved[i]);
}

TEST(FireCharts, WithoutAModelOnlyAutoScale)
{
    firetest::FireStateGuard guard;
    DeleteThermalModel();
    TQ2k_Logic logic(nullptr, nullptr);
    RecordingViewChart chart;
    EXPECT_EQ(logic.FillChart(&chart, 2113, 0, 0), 1);
    EXPECT_EQ(chart.calls, (std::vector<std::string>{"AutoScale"}));
}

} // namespace
