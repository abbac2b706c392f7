// The window shows the section the reinforcement sheet's OK leaves: where the OK rewrote the
// layers (without an edit of the pages), the page is drawn anew, as View > Cross Section draws
// it, and the analysis of the section as it was goes.

#include <string>
#include <vector>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "app/views/TViewm.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "model/TBeam.h"
#include "platform/DC.h"
#include "tests/app/ShellFixture.h"
#include "tests/dialogs/DialogFixtures.h"
#include "tests/dialogs/SavedAndRead.h"
#include "tests/model/StructureFixtures.h"

namespace {

class SheetOkShows : public StartedShellTest {
protected:
    SheetOkShows() : m_previous(&GetInputDialogs()) { InstallMaterialReinforcementDialogs(); }
    ~SheetOkShows() override { SetInputDialogs(m_previous); }

    // The window's picture as it stands once what waits to be painted is painted: what the
    // user sees.
    std::vector<plat::Color> Shown() {
        Window().UpdateWindow();
        const plat::Image& image = Window().BackingImage();
        std::vector<plat::Color> pixels;
        for (int y = 0; y < image.Height(); y += 2)
            for (int x = 0; x < image.Width(); x += 2)
                pixels.push_back(image.Pixel(x, y));
        return pixels;
    }
    int Different(const std::vector<plat::Color>& a, const std::vector<plat::Color>& b) {
        if (a.size() != b.size())
            return -1;
        int n = 0;
        for (std::size_t i = 0; i < a.size(); ++i)
            n += a[i] == b[i] ? 0 : 1;
        return n;
    }

    CatalogueGuard catalogue;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};

private:
    TInputDialogs* m_previous;
};

using fixtures::Bars;

// 400 x 600 mm with 3 bars at 50 mm and a distributed pattern of 5 bars (nround 5) whose layers
// hold 3 and 2 of them, at 200 and 400 mm: the sheet's OK gives the pattern back from its record
// as the pages show it, whatever it makes of the uneven layers; the page then shows what the OK
// left, as View > Cross Section shows it, and no answer of the section before stays.
TEST_F(SheetOkShows, ThePageAfterTheLongitudinalSheetsOkIsThePageOfTheSectionItLeaves) {
    Window().MoveWindow(plat::Rect{0, 0, 1280, 1024});
    auto made = fixtures::BeamWithBottomBars(100e-6);
    const double bottom = made->GetBottom();
    made->AddLongLayer(Bars("Side", bottom + 0.20, 3, 100e-6, kDistributedPattern, 0, 5), 0);
    made->AddLongLayer(Bars("Side1", bottom + 0.40, 2, 100e-6, kDistributedPattern, 0, 5), 0);
    made->Validate();
    const auto slot = static_cast<std::size_t>(g_CurrentStructure);
    g_Structures[slot] = SavedAndRead(*made);
    g_Structures[slot]->SetModified(0);
    Window().RefreshStructureViews(0);
    Frame().Dispatch(CmId::CrossSection);
    (void)Shown();
    ASSERT_EQ(g_Structures[slot]->GetLongLayerCount(0), 3);

    ui.Dialog("Define Longitudinal Reinforcement", [](plat::DialogDriver& d) { d.Click(plat::DialogResult::Ok); });
    EXPECT_TRUE(Window().EvCommand(CmId::LongitudinalReinforcement, 0, 0));
    EXPECT_TRUE(ui.Done());
    const std::vector<plat::Color> afterOk = Shown();
    Frame().Dispatch(CmId::CrossSection);
    const std::vector<plat::Color> shownAgain = Shown();
    EXPECT_EQ(Different(afterOk, shownAgain), 0);
}

} // namespace
