// The dialogs that a double click on the summary page opens, closed by the keyboard in the shown
// main window: the window repaints behind and after them without a second painter ever starting
// on a picture that another holds (Qt warns "QPainter::begin: A paint device can only be
// painted by one painter at a time." and that paint is lost).

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/InputDialogs.h"
#include "app/summary/CrossSection.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/SectionInputDialogs.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "platform/Application.h"
#include "platform/FrameDriver.h"
#include "platform/Ui.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"
#include "tests/dialogs/DialogFixtures.h"
#include "tests/membrane/Pv19Panel.h"

namespace {

constexpr int kDefineDataLine = 18;  // the page's line of experimental measurements

class PageDialogsPaint : public StartedShellTest {
protected:
    PageDialogsPaint() : m_previous(&GetInputDialogs())
    {
        InstallSectionDialogs();
        InstallMaterialReinforcementDialogs();
        InstallMemberDialogs();
    }
    ~PageDialogsPaint() override { SetInputDialogs(m_previous); }

    void SetUp() override
    {
        StartedShellTest::SetUp();
        ShowFrameAt(1024, 768);
    }

    // The element on the summary page, painted.
    void ShowOnPage(std::unique_ptr<TStructure> element)
    {
        g_Structures[static_cast<std::size_t>(g_CurrentStructure)] = std::move(element);
        Window().RefreshStructureViews(1);
        Window().CmCrossSection();
        plat::Application::SettleEvents();
    }

    // The first point of a coarse grid where the page shows the item.
    plat::Point PointOf(int hit)
    {
        const plat::Rect r = Window().GetClientRect();
        plat::Point found{-1, -1};
        plat::ClientDC dc(Window());
        for (int y = 4; y < r.Height() && found.x < 0; y += 4)
            for (int x = 4; x < r.Width() && found.x < 0; x += 4) {
                int index = -1;
                if (HitTestSummaryPage(dc, Window().GetCurrentStructure(), x, y, index, 0, 0, r.Width(), r.Height(),
                                       0) == hit)
                    found = plat::Point{x, y};
            }
        return found;
    }

    // A double click at the item, the dialog with the caption closed by the key; every message
    // that Qt logged meanwhile, the repaints after the dialog included.
    std::vector<std::string> DoubleClickAndClose(int hit, const std::string& caption, int key)
    {
        const plat::Point at = PointOf(hit);
        EXPECT_GE(at.x, 0) << "the page shows no item " << hit;
        if (at.x < 0)
            return {};
        plat::QtMessageLog log;
        ui.Dialog(caption, [key](plat::DialogDriver& d) {
            // Up on the screen, over the window it was opened from, before it is answered.
            plat::Application::SettleEvents();
            d.Key(key);
            EXPECT_TRUE(d.Ended());
        });
        plat::FrameDriver::DoubleClickWindow(Window(), at);
        plat::Application::SettleEvents();
        EXPECT_TRUE(ui.Done()) << caption;
        return log.messages;
    }

    static void ExpectNoPainterWarning(const std::vector<std::string>& messages, const char* road)
    {
        for (const std::string& m : messages)
            EXPECT_EQ(m.find("QPainter"), std::string::npos) << road << ": " << m;
    }

    CatalogueGuard catalogue;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};

private:
    TInputDialogs* m_previous;
};

TEST_F(PageDialogsPaint, BeamPageLoadingAndConcreteDialogsCloseWithoutAPaintInsideAnother)
{
    ShowOnPage(TestSection::MakeBeam());
    ExpectNoPainterWarning(DoubleClickAndClose(PageHit::Loading, "Define Loading", plat::VKey::Escape),
                           "loading, Escape");
    ExpectNoPainterWarning(DoubleClickAndClose(PageHit::Loading, "Define Loading", plat::VKey::Return),
                           "loading, Return");
    ExpectNoPainterWarning(
        DoubleClickAndClose(PageHit::GeometricProperties, "Define Concrete Cross Section", plat::VKey::Return),
        "concrete section, Return");
}

TEST_F(PageDialogsPaint, MembranePageDefineDataClosesWithOkWithoutAPaintInsideAnother)
{
    auto panel = MakePv19();
    const double values[] = {1.0, 2.0, 3.0};
    panel->SetValueList(3, values, 3);
    ShowOnPage(std::move(panel));
    ExpectNoPainterWarning(DoubleClickAndClose(kDefineDataLine, "Define Data", plat::VKey::Return),
                           "define data, OK");
}

} // namespace
