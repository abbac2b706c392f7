// A section of concretes over bands of equal height: the first type keeps the lead as the
// section's main concrete, and what the user reads says so: the material report inserted into a
// graph, and the Stress Calculator of a post-fire beam's concrete chart.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "charts/TMixinChartOwner.h"
#include "charts/TTextBox.h"
#include "member/fire/FireLaws.h"
#include "member/fire/ThermalAnalysis.h"
#include "platform/Application.h"
#include "tests/analysis/PointSections.h"
#include "tests/member/fire/FireTestSupport.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestSupport.h"
#include "tests/views/BothModesShell.h"
#include "views/TMaterDiagram.h"

namespace {

struct EqualConcreteBands : BothModesShellTest {
    // A 300 x 600 mm section with 1500 mm^2 of 400 MPa bars 50 mm above the bottom, under a
    // growing moment, its depth in two bands of 300 mm: C30 (the first type) above, C50 below.
    std::unique_ptr<TStructure> TwoBands()
    {
        std::unique_ptr<TBeam> beam = PointSections::Empty(true, 30e6);
        beam->GetConcreteType(0)->name = "C30";
        double c50 = 50e6;
        beam->AddConcreteTypeFromStrength(c50, "C50");
        beam->AddRegion(0.6, 0.3, 0.3, 0.3, 0, 1);
        beam->AddRegion(0.3, 0.0, 0.3, 0.3, 1, 1);
        PointSections::AddBars(*beam, 0.05, PointSections::kBarArea);
        beam->SetName("Bands");
        beam->Validate();
        TestSection::SetLoads(*beam, 0, 0, 0, 0, -1000.0, 0);
        return beam;
    }

    // Solve > Sectional Response run to its end, View > Single Graph, Insert > Text Box: the text
    // of the box inserted.
    std::string InsertedReport()
    {
        Frame().Dispatch(CmId::SectionalResponse);
        TSectionalAnalysis* a = Window().GetCurrentAnalysis();
        EXPECT_NE(a, nullptr);
        for (long pass = 0; a != nullptr && a->IsRunning() != 0 && pass < 400000; ++pass)
            Window().IdleAction(pass);
        plat::Application::SettleEvents();
        Frame().Dispatch(CmId::SingleGraph);
        plat::Application::SettleEvents();
        Frame().Dispatch(CmId::InsertTextBox);
        for (int i = 0; i < TViewm_2k::kTextBoxes; ++i)
            if (TTextBox* box = View().GetTextBox(i); box != nullptr && !box->IsLegend())
                return box->GetText();
        ADD_FAILURE() << "no text box inserted";
        return std::string();
    }
};

// A page that owns a material chart.
class ChartPage final : public plat::Window, public TMixinChartOwner {
public:
    void OnPageClick(unsigned, int, int, int, int) override {}
};

} // namespace

// C30 and C50 each over half the depth: equal totals, so the first type, C30, is the main type;
// the report names it the base type and C50 the other, each with its strength.
TEST_F(EqualConcreteBands, TheFirstTypeIsTheBaseTypeOfTheMaterialReport)
{
    std::vector<std::unique_ptr<TStructure>> structures;
    structures.push_back(TwoBands());
    OpenByMenu(WriteStructures("bands.qvh", std::move(structures)));
    const TStructure& s = *Window().GetCurrentStructure();
    ASSERT_EQ(s.GetName(), "Bands");
    ASSERT_EQ(s.GetRegionCount(), 2);
    EXPECT_NEAR(s.GetRegion(0)->top - s.GetRegion(0)->bottom,
                s.GetRegion(1)->top - s.GetRegion(1)->bottom,
                1e-9);
    EXPECT_EQ(s.GetMainConcreteType(), 0);

    const std::string report = InsertedReport();
    EXPECT_EQ(report.substr(0, report.find("f_y")),
              "Bands\r\nf_c' (C30) =  30.0 MPa(Base type)\r\nf_c' (C50) =  50.0 MPa\r\n");
    EXPECT_TRUE(ui.Done());
}

// The post-fire beam of a 300 x 400 mm beam burnt from below for 30 minutes is cut into 24 bands
// of 400 / 24 = 16.7 mm, band k of its own concrete type k ("Lay: k+1", the bottom band first):
// equal heights, so the first, the bottom band, is the main type. The Stress Calculator of the
// beam's concrete chart lists every band at the strain typed and marks that one alone the base
// type.
TEST(PostFireBands, TheBottomBandIsTheBaseTypeOfTheStressCalculator)
{
    plat::EnsureGuiRuntime();
    RecordingReporter reporter;
    firetest::FireStateGuard guard;
    firetest::TestSlots slots;
    ValueGuard<int> units(g_UnitSystem, kUnitSI);
    const FireData fire{1, kISO834Fire, kMildSteel, 1800.0, 1000.0};
    TBeam* beam = slots.Put(0, firetest::FireBeam(0.3, 0.4, fire, 2));
    const int slot = ThermalAnalysis(beam, slots, {});
    ASSERT_GT(slot, 0);
    TStructure& post = *slots.GetStructure(slot);
    ASSERT_EQ(post.GetConcreteTypeCount(), 24);
    ASSERT_EQ(post.GetRegionCount(), 24);
    for (int r = 0; r < 24; ++r)
        EXPECT_NEAR(post.GetRegion(r)->top - post.GetRegion(r)->bottom, 0.4 / 24.0, 1e-9) << r;
    EXPECT_EQ(post.GetConcreteType(0)->name, "Lay: 1");
    EXPECT_EQ(post.GetMainConcreteType(), 0);

    ChartPage page;
    TMaterDiagram chart(&page, "Concrete", 0, 0, 400, 300, MaterialChart::Concrete, 2, 1, 0);
    chart.AttachStructure(&post);
    ScriptedUi ui;
    std::string report;
    ui.Input("Enter strain", std::string("1")).Dialog("View Data", [&](plat::DialogDriver& d) {
        report = d.Text(4028);
        d.Click(2);
    });
    chart.CmPopup3004();
    EXPECT_TRUE(ui.Done());
    const std::size_t base = report.find("(Base type)");
    ASSERT_NE(base, std::string::npos) << report;
    EXPECT_EQ(report.find("(Base type)", base + 1), std::string::npos) << report;
    const std::size_t first = report.find("Type \"Lay: 1\":");
    ASSERT_NE(first, std::string::npos) << report;
    EXPECT_LT(first, base);
    EXPECT_EQ(report.find("Type \"", first + 1), report.find("Type \"Lay: 2\":"));
    EXPECT_GT(report.find("Type \"Lay: 2\":"), base) << report;
}
