// A catalogue bar's name typed into the bar area box of the layer pages (Define > Longitudinal
// Reinforcement, Individual Layers, and Define > Transverse Reinforcement) with "Select bar by
// area" ticked is taken as that bar, the catalogue's first name as well as any later one: no
// box, and the layer has the catalogue's bar.

#include <memory>
#include <string>

#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "dialogs/ListPage.h"
#include "dialogs/MaterialReinforcementDialogs.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/SectionInputDialogs.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "tests/app/ShellFixture.h"

namespace {

// A 600 x 300 mm rectangle of one concrete, without reinforcement.
const char* const kPlainSection = R"(<?xml version="1.0"?>
<document>
<q3g_beam name="Plain" units="metric">
<concrete fcp="30" maxagg="19" />
<rebar fy="400" E="200000" fu="600" esh="7.0" eu="100.0" />
<sectionSOLID>
 600 300
 0 300 "Concrete 1"
</sectionSOLID>
<sectloading MM="1" />
</q3g_beam>
</document>
)";

// A catalogue bar as "rebar.dat" lists it.
struct ListedBar {
    const char* name;
    double area;      // m^2
    double diameter;  // m
};

class BarNamesByArea : public ShellTest {
protected:
    BarNamesByArea() : m_previous(&GetInputDialogs()), m_engine(SetDocumentEngine(nullptr))
    {
        InstallSectionDialogs();
        InstallMaterialReinforcementDialogs();
        InstallMemberDialogs();
    }
    ~BarNamesByArea() override
    {
        SetInputDialogs(m_previous);
        SetDocumentEngine(m_engine);
    }

    void SetUp() override
    {
        Start();
        dir.Write("plain.qvh", kPlainSection);
        OpenByMenu(dir.File("plain.qvh"));
        ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Plain");
    }

    // The layer page's definition: its name, "Select bar by area" ticked, the name typed into
    // the bar area box, then Add and OK.
    static void TypeByArea(plat::DialogDriver& d, const std::string& layer, const std::string& bar)
    {
        d.Type(DetailsId::Name, layer);
        if (!d.Checked(DetailsId::ByArea))
            d.Click(DetailsId::ByArea);
        ASSERT_TRUE(d.Checked(DetailsId::ByArea));
        ASSERT_EQ(d.Text(DetailsId::Labels[2]), "Bar Area");
        d.Type(DetailsId::Field0 + 2, bar);
    }

    const TStructure& Shown() { return *Window().GetCurrentStructure(); }

private:
    TInputDialogs* m_previous;
    TDocumentEngine* m_engine;
};

} // namespace

// "10M", the catalogue's first bar, and "25M" typed by area on the Individual Layers page (two
// layers of three bars 50 and 100 mm over the bottom) and on the stirrup page (closed stirrups
// at 150 mm): each layer has the catalogue's bar, its area and its diameter, and no box asks
// anything.
TEST_F(BarNamesByArea, ACatalogueNameTypedByAreaIsTakenAsThatBarOnTheLayerPages)
{
    const ListedBar bars[] = {{"10M", 100e-6, 0.0113}, {"25M", 500e-6, 0.0252}};
    ASSERT_EQ(g_RebarList.GetName(0), "10M");
    for (const ListedBar& bar : bars) {
        const int listed = g_RebarList.FindByName(bar.name);
        ASSERT_GE(listed, 0);
        ASSERT_NEAR(g_RebarList.GetArea(listed), bar.area, 1e-12);
        ASSERT_NEAR(g_RebarList.GetDiameter(listed), bar.diameter, 1e-12);
    }

    const long before = Boxes();
    ui.Dialog("Define Longitudinal Reinforcement", [this, &bars](plat::DialogDriver& d) {
        d.SwitchPage(0);
        const char* heights[] = {"50", "100"};
        for (int i = 0; i < 2; ++i) {
            d.Type(DetailsId::Field0, "3");
            d.Type(DetailsId::Field0 + 3, heights[i]);
            TypeByArea(d, std::string("bars ") + bars[i].name, bars[i].name);
            d.Click(DetailsId::Add);
        }
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::LongitudinalReinforcement, 0, 0));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Boxes(), before) << ui.requests.back().text;

    ui.Dialog("Define Transverse Reinforcement", [this, &bars](plat::DialogDriver& d) {
        for (const ListedBar& bar : bars) {
            d.Type(DetailsId::Field0, "150");
            d.Type(DetailsId::Field0 + 3, "550");
            d.Type(DetailsId::Field0 + 4, "50");
            TypeByArea(d, std::string("stirrups ") + bar.name, bar.name);
            d.Click(DetailsId::Add);
        }
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::TransverseReinforcement, 0, 0));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Boxes(), before) << ui.requests.back().text;

    const TStructure& s = Shown();
    ASSERT_EQ(s.GetLongLayerCount(0), 2);
    ASSERT_EQ(s.GetTransLayerCount(2), 2);
    for (const ListedBar& bar : bars) {
        SCOPED_TRACE(bar.name);
        int found = 0;
        for (int i = 0; i < s.GetLongLayerCount(0); ++i) {
            const LongLayerRec& l = *s.GetLongLayer(i, 0);
            if (l.name != std::string("bars ") + bar.name)
                continue;
            ++found;
            EXPECT_EQ(l.bartitle, bar.name);
            EXPECT_EQ(l.num, 3);
            EXPECT_NEAR(l.Ai, bar.area, 1e-12);
            EXPECT_NEAR(l.A, 3 * bar.area, 1e-12);
            EXPECT_NEAR(l.db, bar.diameter, 1e-12);
        }
        for (int i = 0; i < s.GetTransLayerCount(2); ++i) {
            const TransLayerRec& l = *s.GetTransLayer(i, 2);
            if (l.name != std::string("stirrups ") + bar.name)
                continue;
            ++found;
            EXPECT_EQ(l.bartitle, bar.name);
            EXPECT_NEAR(l.Ai, bar.area, 1e-12);
            // A closed stirrup: two legs.
            EXPECT_NEAR(l.A, 2 * bar.area, 1e-12);
            EXPECT_NEAR(l.db, bar.diameter, 1e-12);
            EXPECT_NEAR(l.space, 0.15, 1e-12);
        }
        EXPECT_EQ(found, 2);
    }
}
