// The beam mode paints the section summary page of its section, and nothing once the section
// has left the structure table.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/GlobalTables.h"
#include "app/summary/SummarySections.h"
#include "platform/Application.h"
#include "support/RecordingDC.h"
#include "views/TQ2k_Logic.h"

namespace {

TEST(BeamSummaryPage, PaintsTheBoundSectionWhileTheTableHoldsIt)
{
    plat::EnsureGuiRuntime();
    std::unique_ptr<TStructure> saved = std::move(g_Structures[7]);
    g_Structures[7] = SummarySections::Rectangle("Held");
    TQ2k_Logic logic(g_Structures[7].get(), nullptr);
    RecordingDC page;
    logic.PaintSection(page, 0, 0, 1000, 800, 0);
    const auto texts = page.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Geometric Properties"), texts.end());

    auto gone = std::move(g_Structures[7]);
    RecordingDC none;
    logic.PaintSection(none, 0, 0, 1000, 800, 0);
    EXPECT_TRUE(none.Calls().empty());
    g_Structures[7] = std::move(saved);
}

} // namespace
