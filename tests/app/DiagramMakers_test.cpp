// The chart factory's classes by kind: an installed maker makes the charts of its kind, and a
// kind without one gets the stand-in that carries the kind code.

#include <gtest/gtest.h>

#include "app/views/DiagramMakers.h"
#include "charts/Tchart.h"
#include "platform/Application.h"

namespace {

TEST(DiagramMakers, InstalledMakerElseStandIn)
{
    plat::EnsureGuiRuntime();
    int made = 0;
    DiagramMaker previous =
        SetDiagramMaker(6, [&made](plat::Window* parent, const std::string& title, int x, int y, int w, int h, int) {
            ++made;
            return std::unique_ptr<Tchart>(std::make_unique<Tbigchart>(parent, title, x, y, w, h, 1, 1, 0));
        });
    std::unique_ptr<Tchart> chart = MakeKindChart(nullptr, "", 10, 20, 300, 200, 6);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(chart->Kind(), 1); // what the maker made
    EXPECT_EQ(chart->Place().x, 10);
    EXPECT_EQ(chart->Place().w, 300);
    SetDiagramMaker(6, nullptr);
    chart = MakeKindChart(nullptr, "", 10, 20, 300, 200, 6);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(chart->Kind(), 6); // the stand-in
    SetDiagramMaker(6, std::move(previous));
}

} // namespace
