// The bar catalogue holds only bars a section holds, whatever "rebar.dat" lists and whatever a
// refused file brought: a bar the catalogue refused or lost is unknown to the documents and to
// the bar designation typed on the Individual Layers page, which then asks for a bar of the
// catalogue. Each through the program's own roads: start-up, File > Open and Define >
// Longitudinal Reinforcement.

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "dialogs/ListPage.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/SectionInputDialogs.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "tests/app/ShellFixture.h"
#include "tests/files/LegacyFileBuilders.h"
#include "tests/model/StructureFixtures.h"

namespace {

constexpr const char* kSheet = "Define Longitudinal Reinforcement";

class HeldCatalogueBars : public ShellTest {
protected:
    HeldCatalogueBars() : m_previous(&GetInputDialogs()), m_engine(SetDocumentEngine(nullptr))
    {
        // Installed as every shell test of the dialogs installs them: each set wraps the one
        // before it the first time.
        InstallSectionDialogs();
        InstallMaterialReinforcementDialogs();
        InstallMemberDialogs();
    }
    ~HeldCatalogueBars() override
    {
        SetInputDialogs(m_previous);
        SetDocumentEngine(m_engine);
    }

    // The program started with the default listing and one more line; what the load-error log
    // showed at start-up.
    std::string StartWithListing(const std::string& line)
    {
        dir.Write("rebar.dat", DefaultRebarListing() + line + "\n");
        std::string shown;
        ui.Dialog("View Data", [&shown](plat::DialogDriver& d) {
            shown = d.Text(4028);
            d.Click(1);
        });
        Start();
        EXPECT_TRUE(ui.Done());
        return shown;
    }

    // A layer of three bars of the designation typed, 50 mm above the section's bottom, added on
    // the Individual Layers page and kept with OK; the bar list the page then shows is answered
    // with its first bar (Cancel), and the depth warning of a section lower than that with OK.
    // The layer added.
    LongLayerRec TypedLayer(const std::string& designation)
    {
        const std::string height = StrPrintf("%g", ToDisplayUnits(0.05, ukSectionLength));
        ui.Dialog(kSheet, [&designation, &height](plat::DialogDriver& d) {
            d.SwitchPage(0);
            d.Type(DetailsId::Name, "Typed");
            d.Type(DetailsId::Field0, "3");
            d.Type(DetailsId::Field0 + 2, designation);
            d.Type(DetailsId::Field0 + 3, height);
            d.Click(DetailsId::Add);
            d.Click(plat::DialogResult::Ok);
        });
        ui.List(std::nullopt);
        if (Window().GetCurrentStructure()->GetHeight() < 0.05)
            ui.Message("Selected Depth is Outside Cross Section!", MsgAnswer::Ok);
        EXPECT_TRUE(Window().EvCommand(CmId::LongitudinalReinforcement, 0, 0));
        EXPECT_TRUE(ui.Done());
        const TStructure& s = *Window().GetCurrentStructure();
        for (int i = 0; i < s.GetLongLayerCount(0); ++i)
            if (s.GetLongLayer(i, 0)->name == "Typed")
                return *s.GetLongLayer(i, 0);
        ADD_FAILURE() << "no layer \"Typed\"";
        return LongLayerRec{};
    }

private:
    TInputDialogs* m_previous;
    TDocumentEngine* m_engine;
};

// "BIG 1600 2000000" (a bar of 2 m^2) is refused at start-up with a message naming it; a
// document naming "BIG" is then refused as naming a bar the run does not know, and "BIG" typed
// on the page asks for a bar: the layer gets the catalogue's first, 10M of 100 mm^2.
TEST_F(HeldCatalogueBars, ABarLargerThanASectionHoldsIsRefusedFromRebarDat)
{
    const std::string shown = StartWithListing("BIG 1600 2000000");
    EXPECT_NE(shown.find("REBAR: bar listed larger than a bar can be : BIG (1600 mm, 2000000 mm^2; "
                         "a bar is at most "
                         "1128.4 mm across and 1000000.0 mm^2)"),
              std::string::npos)
        << shown;
    EXPECT_LT(g_RebarList.FindByName("BIG"), 0);
    EXPECT_EQ(g_RebarList.Count(), 125);

    // A document of three 25M bars, the title then made "BIG".
    auto beam = fixtures::BeamWithBottomBars(500e-6);
    beam->SetName("Named bars");
    LongLayerRec& bars = *beam->GetLongLayer(0, 0);
    // Of the catalogue's own size, so the document names the bar by its title alone.
    bars.barIndex = g_RebarList.FindByName("25M");
    bars.bartitle = "25M";
    bars.Ai = g_RebarList.GetArea(bars.barIndex);
    bars.db = g_RebarList.GetDiameter(bars.barIndex);
    std::vector<std::unique_ptr<TStructure>> structures;
    structures.push_back(std::move(beam));
    WriteStructures("big.qvh", std::move(structures));
    std::string text = dir.Read("big.qvh");
    const std::size_t title = text.find("=\"25M\"");
    ASSERT_NE(title, std::string::npos) << text.substr(text.find("<longreinfx"), 600);
    text.replace(title, 6, "=\"BIG\"");
    dir.Write("big.qvh", text);
    const std::string open = app->GetFileName();
    const std::string name = Window().GetCurrentStructure()->GetName();
    ui.File(plat::FileDialogKind::Open, dir.File("big.qvh"))
        .Message("Unknown Bar type \"BIG\"", MsgAnswer::Ok);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(app->GetFileName(), open);
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), name);

    const LongLayerRec typed = TypedLayer("BIG");
    EXPECT_EQ(typed.bartitle, "10M");
    EXPECT_EQ(typed.num, 3);
    EXPECT_NEAR(typed.Ai, 100e-6, 1e-12);
    EXPECT_NEAR(typed.A, 300e-6, 1e-12);
}

// A 0.8 file refused for its bar "ZZ9" of 2 m^2 leaves nothing in the catalogue: "ZZ9" typed on
// the page afterwards asks for a bar, as any name the catalogue lacks does.
TEST_F(HeldCatalogueBars, AFileRefusedForItsBarLeavesNoBarThePageTakes)
{
    Start();
    std::vector<std::uint8_t> v08 = MakeV08File(8).bytes;
    // The layer's bar area (byte 28 of the layer record, after the header, the section, two
    // concretes and a steel).
    const std::size_t barArea = 45 + 409 + 2 * 194 + 111 + 28;
    double area = 0.0;
    std::memcpy(&area, v08.data() + barArea, sizeof area);
    ASSERT_EQ(area, 500e-6);
    area = 2.0;
    std::memcpy(v08.data() + barArea, &area, sizeof area);
    dir.Write("zz9.q2k", std::string(v08.begin(), v08.end()));
    ui.File(plat::FileDialogKind::Open, dir.File("zz9.q2k"))
        .Message("Longitudinal layer 1 (\"bottom\") has bars of 2000000.0 mm^2", MsgAnswer::Ok);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    EXPECT_TRUE(ui.Done());
    EXPECT_LT(g_RebarList.FindByName("ZZ9"), 0);

    const LongLayerRec typed = TypedLayer("ZZ9");
    EXPECT_EQ(typed.bartitle, "10M");
    EXPECT_NEAR(typed.Ai, 100e-6, 1e-12);
}

} // namespace
