#pragma once
// PV19 with its x bars as a ring of four such bars about the mid-plane, 30 mm across, written
// through the longitudinal sheet's lists: layers of 1 bar at 50 mm, 2 bars at 35 mm and 1 bar at
// 20 mm.

#include <gtest/gtest.h>

#include <memory>

#include "dialogs/ReinforcementPages.h"
#include "model/TShell.h"
#include "tests/membrane/Pv19Panel.h"

inline std::unique_ptr<TShell> MakePv19Ring()
{
    auto panel = MakePv19();
    const double barArea = panel->GetLongLayer(0, 0)->A;
    panel->DeleteLongLayers(0);
    TLongLists lists = BuildLongLists(*panel, 0);
    EXPECT_TRUE(lists.circular->AddFull({4, barArea, 0, 0.035, 0.03, 0, 0, 0, 0, 0}, {0, 0, -1, -1}, "Ring"));
    EXPECT_EQ(WriteBackLongLists(*panel, lists, 0), 1);
    return panel;
}
