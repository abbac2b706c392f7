// Draws the section summary page of a T-beam (two concrete types, bottom and top bars, closed
// stirrups) and the start picture at 1280 x 1024, for looking at.
//
//   qv_summarypage <output folder>
//
// Writes summary.png and start.png into the folder. With QV_NOSTEEL set, the page is that of a
// plain concrete rectangle without bars or steel types. With QT_SCALE_FACTOR set (2), the pages are
// drawn as a window at that scale factor draws them: on images of that many pixels per unit.

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/GlobalTables.h"
#include "app/summary/ControlPanel.h"
#include "app/summary/CrossSection.h"
#include "app/summary/SummarySections.h"
#include "platform/Application.h"
#include "platform/DC.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: qv_summarypage <output folder>\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    plat::EnsureGuiRuntime();
    const std::string folder = argv[1];
    constexpr int W = 1280;
    constexpr int H = 1024;
    const char* factor = std::getenv("QT_SCALE_FACTOR");
    const int scale = std::clamp(factor ? std::atoi(factor) : 1, 1, 4);

    g_Structures[0] = SummarySections::TBeamSection("T-beam 1000 x 600");
    g_Structures[1] = SummarySections::Rectangle("Rectangle 300 x 600");
    g_Structures[2] = SummarySections::ManyLayers();
    if (std::getenv("QV_NOSTEEL")) {
        // A plain concrete section: no bars and no steel types (the transformed column's n
        // reads 1000).
        auto plain = SummarySections::Rectangle("Plain 300 x 600");
        plain->DeleteLongLayers(0);
        plain->DeleteTransLayers(0);
        plain->DeleteSteelTypes();
        plain->Validate();
        g_Structures[0] = std::move(plain);
    }
    g_CurrentStructure = 0;
    plat::Image page(W, H, plat::Colors::White, scale);
    {
        plat::DC dc(page);
        PaintCrossSection(dc, g_Structures[0].get(), 0, 0, W, H, 0);
    }
    bool ok = page.SavePng(folder + "/summary.png");

    plat::Image start(W, H, plat::Colors::White, scale);
    {
        plat::DC dc(start);
        PaintControlPanel(dc, 0, W, H, 0.25, 0, 0, 0, {});
        const std::array<std::string, 8> texts = {"Quarvish-2000",
                                                  "Reinforced Concrete Sectional Analysis",
                                                  "using the Modified Compression Field Theory",
                                                  "Version 0.1",
                                                  kStartPictureCredits[0],
                                                  kStartPictureCredits[1],
                                                  kStartPictureCredits[2],
                                                  kStartPictureCredits[3]};
        PaintStartPicture(dc, W, H, texts);
    }
    ok = start.SavePng(folder + "/start.png") && ok;
    for (auto& slot : g_Structures)
        slot.reset();
    return ok ? 0 : 1;
}
