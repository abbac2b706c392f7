// A bar of its own size under a catalogue title (an older file's "20M" of 500 mm^2 and 25.2 mm
// where the catalogue's 20M is 300 mm^2 and 19.5 mm) stays that bar on the reinforcement pages:
// Define > Longitudinal Reinforcement and Define > Transverse Reinforcement show it by its area,
// and Modify, with no edit or with another height, keeps its title, area and diameter in the
// session, in the document Save As writes and in a later run that opens it. A catalogue bar
// typed on the page still gives the catalogue's size. Each road through the main window, on the
// 0.8 file and on the document the program saved from it.

#include <algorithm>
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
#include "model/ReinfPatterns.h"
#include "model/TBeam.h"
#include "model/TStructure.h"
#include "model/catalogues/TRebarList.h"
#include "tests/app/ShellFixture.h"
#include "tests/files/LegacyFileBuilders.h"
#include "tests/model/StructureFixtures.h"

namespace {

constexpr const char* kLongSheet = "Define Longitudinal Reinforcement";
constexpr const char* kTransSheet = "Define Transverse Reinforcement";

// The version 0.8 file whose bar layer "bottom" (two bars, 550 mm above the bottom) names "20M"
// with its own size, 500 mm^2 and 25.2 mm across, and whose stirrup "stirrup A" (two legs from
// 50 to 550 mm) names "10M" with its own, 201.1 mm^2 and 16 mm across: an area the page's field
// shows as 201.
std::string OwnSizeV08()
{
    std::vector<std::uint8_t> bytes = MakeV08File(8).bytes;
    std::string text(bytes.begin(), bytes.end());
    text.replace(text.find("ZZ9"), 3, "20M");
    // The first stirrup's total area, leg area and diameter stand before its title.
    const std::size_t title = text.find("10M");
    const auto put = [&text](std::size_t at, double value) { std::memcpy(text.data() + at, &value, sizeof value); };
    put(title - 36, 402.2e-6);
    put(title - 16, 201.1e-6);
    put(title - 8, 0.016);
    return text;
}

struct Size {
    const char* title;
    int count;
    double Ai;
    double db;
};
constexpr Size kOwnBar = {"20M", 2, 500e-6, 0.0252};
constexpr Size kOwnStirrup = {"10M", 2, 201.1e-6, 0.016};
constexpr Size kCatalogueBar = {"20M", 2, 300e-6, 0.0195};
constexpr Size kCatalogueStirrup = {"10M", 2, 100e-6, 0.0113};

// What a user does on the pages before OK.
enum class Edit { OkAlone, Modify, ModifyHeight, TypeCatalogueBar };

const char* Name(Edit edit)
{
    switch (edit) {
    case Edit::OkAlone:
        return "OK alone";
    case Edit::Modify:
        return "Modify";
    case Edit::ModifyHeight:
        return "Modify, 540 mm";
    case Edit::TypeCatalogueBar:
        return "catalogue bar typed";
    }
    return "";
}

class OwnSizeBarsOnPages : public ShellTest {
protected:
    OwnSizeBarsOnPages() : m_previous(&GetInputDialogs()), m_engine(SetDocumentEngine(nullptr))
    {
        InstallSectionDialogs();
        InstallMaterialReinforcementDialogs();
        InstallMemberDialogs();
    }
    ~OwnSizeBarsOnPages() override
    {
        SetInputDialogs(m_previous);
        SetDocumentEngine(m_engine);
    }

    // File > Open; a changed document is not saved.
    void Open(const std::string& name)
    {
        if (Window().IsModified())
            ui.Message("Save Changes", MsgAnswer::No);
        ui.File(plat::FileDialogKind::Open, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
        EXPECT_TRUE(ui.Done()) << "no box";
    }
    void SaveAs(const std::string& name)
    {
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        EXPECT_TRUE(ui.Done());
    }
    // A later run of the program: its catalogue is "rebar.dat" alone.
    void Restart()
    {
        app.reset();
        Start();
    }

    const TStructure& Shown() { return *Window().GetCurrentStructure(); }
    const LongLayerRec& Bar() { return *Shown().GetLongLayer(0, 0); }
    const TransLayerRec& Stirrup()
    {
        for (int i = 0; i < Shown().GetTransLayerCount(2); ++i)
            if (Shown().GetTransLayer(i, 2)->name == "stirrup A")
                return *Shown().GetTransLayer(i, 2);
        ADD_FAILURE() << "no stirrup A";
        return *Shown().GetTransLayer(0, 2);
    }

    template <class Layer> static void ExpectBar(const Layer& layer, int count, const Size& size)
    {
        EXPECT_EQ(layer.bartitle, size.title);
        EXPECT_NEAR(layer.Ai, size.Ai, 1e-12);
        EXPECT_NEAR(layer.A, count * size.Ai, 1e-12);
        EXPECT_NEAR(layer.db, size.db, 1e-12);
    }
    // The bar layer "bottom" and the stirrup "stirrup A": their bars and heights.
    void ExpectLayers(const Size& bar, double barHeight, const Size& stirrup, double stirrupTop)
    {
        ASSERT_EQ(Shown().GetLongLayerCount(0), 1);
        EXPECT_EQ(Bar().name, "bottom");
        EXPECT_EQ(Bar().num, bar.count);
        ExpectBar(Bar(), Bar().num, bar);
        EXPECT_NEAR(Bar().z - Shown().GetBottom(), barHeight, 1e-12);
        {
            SCOPED_TRACE("stirrup A");
            ExpectBar(Stirrup(), Stirrup().legs, stirrup);
            EXPECT_EQ(Stirrup().legs, stirrup.count);
            EXPECT_NEAR(Stirrup().disttop - Shown().GetBottom(), stirrupTop, 1e-12);
        }
    }

    // The bar page's field, check box and label as a layer's bar of its own size shows them.
    static void ExpectShownByArea(plat::DialogDriver& d, const char* area)
    {
        EXPECT_TRUE(d.Checked(DetailsId::ByArea));
        EXPECT_EQ(d.ShownText(DetailsId::Labels[2]), "Bar Area");
        const std::string text = d.Text(DetailsId::Field0 + 2);
        EXPECT_EQ(text.substr(text.find_first_not_of(' ')), area);
    }

    // The sheet opened from the main window, its first entry (the layer or stirrup of its own
    // bar) worked as the edit says, then OK.
    void Work(const char* sheet, int command, Edit edit, const char* area, const char* height,
              const char* catalogueBar)
    {
        ui.Dialog(sheet, [=](plat::DialogDriver& d) {
            ExpectShownByArea(d, area);
            if (edit == Edit::ModifyHeight)
                d.Type(DetailsId::Field0 + 3, height);
            if (edit == Edit::TypeCatalogueBar) {
                d.Click(DetailsId::ByArea);
                d.Type(DetailsId::Field0 + 2, catalogueBar);
            }
            if (edit != Edit::OkAlone)
                d.Click(DetailsId::Modify);
            d.Click(plat::DialogResult::Ok);
        });
        EXPECT_TRUE(Window().EvCommand(command, 0, 0));
        EXPECT_TRUE(ui.Done());
    }

private:
    TInputDialogs* m_previous;
    TDocumentEngine* m_engine;
};

// Both documents, each edit: the layers after OK, after Save As, and in a later run that opens
// what Save As wrote.
TEST_F(OwnSizeBarsOnPages, ModifyKeepsABarOfItsOwnSizeUnlessTheUserTypesAnother)
{
    Start();
    ASSERT_NEAR(g_RebarList.GetArea(g_RebarList.FindByName("20M")), 300e-6, 1e-12);
    ASSERT_NEAR(g_RebarList.GetDiameter(g_RebarList.FindByName("20M")), 0.0195, 1e-12);
    dir.Write("beam08.q2k", OwnSizeV08());
    Open("beam08.q2k");
    ExpectLayers(kOwnBar, 0.55, kOwnStirrup, 0.55);
    SaveAs("saved.qvh");

    for (const char* document : {"beam08.q2k", "saved.qvh"})
        for (Edit edit : {Edit::OkAlone, Edit::Modify, Edit::ModifyHeight, Edit::TypeCatalogueBar}) {
            SCOPED_TRACE(std::string(document) + ", " + Name(edit));
            Restart();
            Open(document);
            ExpectLayers(kOwnBar, 0.55, kOwnStirrup, 0.55);
            Work(kLongSheet, CmId::LongitudinalReinforcement, edit, "500", "540", "20M");
            Work(kTransSheet, CmId::TransverseReinforcement, edit, "201", "540", "10M");
            const bool typed = edit == Edit::TypeCatalogueBar;
            const double height = edit == Edit::ModifyHeight ? 0.54 : 0.55;
            const Size& bar = typed ? kCatalogueBar : kOwnBar;
            const Size& stirrup = typed ? kCatalogueStirrup : kOwnStirrup;
            {
                SCOPED_TRACE("in the session");
                ExpectLayers(bar, height, stirrup, height);
            }
            SaveAs("after.qvh");
            Restart();
            Open("after.qvh");
            {
                SCOPED_TRACE("in a later run");
                ExpectLayers(bar, height, stirrup, height);
            }
        }
}

// A ring of four aligned bars "20M" of their own size about 300 mm, 200 mm across, in a
// document opened by File > Open: the Circular Patterns page shows its bar by its area; Modify,
// with no edit or with the ring's centre moved to 310 mm, and Explode keep the bars, in the
// session and in a later run.
TEST_F(OwnSizeBarsOnPages, ThePatternPagesKeepARingsBarOfItsOwnSize)
{
    Start();
    auto beam = fixtures::BeamWithBottomBars(300e-6);
    beam->SetName("Ring");
    const double bottom = beam->GetBottom();
    beam->AddLongLayer(fixtures::Bars("North", bottom + 0.4, 1, 500e-6, kCircularPattern, 0, 4, 1), 0);
    beam->AddLongLayer(fixtures::Bars("Middle", bottom + 0.3, 2, 500e-6, kCircularPattern, 0, 4, 1), 0);
    beam->AddLongLayer(fixtures::Bars("South", bottom + 0.2, 1, 500e-6, kCircularPattern, 0, 4, 1), 0);
    for (int i = 0; i < beam->GetLongLayerCount(0); ++i) {
        LongLayerRec& layer = *beam->GetLongLayer(i, 0);
        layer.barIndex = g_RebarList.FindByName("20M");
        layer.bartitle = "20M";
        layer.db = layer.name == "Bottom" ? 0.0195 : 0.0252;
    }
    std::vector<std::unique_ptr<TStructure>> structures;
    structures.push_back(std::move(beam));
    WriteStructures("ring.qvh", std::move(structures));

    // The ring's layers (every layer but "Bottom"): 1, 2 and 1 bars, 100 mm apart about the
    // centre, of the bar of their own size; of the pattern unless exploded.
    const auto expectRing = [this](double centre, bool exploded) {
        std::vector<double> heights;
        int bars = 0;
        for (int i = 0; i < Shown().GetLongLayerCount(0); ++i) {
            const LongLayerRec& layer = *Shown().GetLongLayer(i, 0);
            if (layer.name == "Bottom")
                continue;
            SCOPED_TRACE(layer.name);
            EXPECT_EQ(layer.pattern, exploded ? kPlainLayer : kCircularPattern);
            heights.push_back(layer.z - Shown().GetBottom() - centre);
            bars += layer.num;
            ExpectBar(layer, layer.num, kOwnBar);
        }
        std::sort(heights.begin(), heights.end());
        ASSERT_EQ(heights.size(), 3u);
        EXPECT_NEAR(heights[0], -0.1, 1e-9);
        EXPECT_NEAR(heights[1], 0.0, 1e-9);
        EXPECT_NEAR(heights[2], 0.1, 1e-9);
        EXPECT_EQ(bars, 4);
    };
    enum class RingEdit { Modify, MoveCentre, Explode };
    for (RingEdit edit : {RingEdit::Modify, RingEdit::MoveCentre, RingEdit::Explode}) {
        SCOPED_TRACE(static_cast<int>(edit));
        Restart();
        Open("ring.qvh");
        expectRing(0.3, false);
        ui.Dialog(kLongSheet, [edit](plat::DialogDriver& d) {
            d.SwitchPage(1);
            ExpectShownByArea(d, "500");
            if (edit == RingEdit::MoveCentre)
                d.Type(DetailsId::Field0 + 3, "310");
            d.Click(edit == RingEdit::Explode ? DetailsId::Explode : DetailsId::Modify);
            d.Click(plat::DialogResult::Ok);
        });
        if (edit == RingEdit::Explode)
            ui.Message("many individual bar layers", MsgAnswer::Yes);
        EXPECT_TRUE(Window().EvCommand(CmId::LongitudinalReinforcement, 0, 0));
        EXPECT_TRUE(ui.Done());
        const double centre = edit == RingEdit::MoveCentre ? 0.31 : 0.3;
        expectRing(centre, edit == RingEdit::Explode);
        SaveAs("after.qvh");
        Restart();
        Open("after.qvh");
        expectRing(centre, edit == RingEdit::Explode);
    }
}

// Three layers of three bars titled "20M" (the catalogue's 20M: 300 mm^2, 19.5 mm across), in a
// document opened by File > Open: "own area", bars of 500 mm^2 at the catalogue's diameter (a
// document giving the area alone is read so); "near", bars of 300.4 mm^2; and "catalogue", the
// catalogue's own bars. Individual Layers shows the first two by their areas and the third by its
// designation; Modify on each with no edit, then OK, leaves every bar as it was, in the session,
// after Save As and in a later run.
TEST_F(OwnSizeBarsOnPages, ModifyWithNoEditKeepsBarsOffTheCatalogueSizeByAreaOrDiameter)
{
    Start();
    const int bar20 = g_RebarList.FindByName("20M");
    ASSERT_NEAR(g_RebarList.GetArea(bar20), 300e-6, 1e-12);
    ASSERT_NEAR(g_RebarList.GetDiameter(bar20), 0.0195, 1e-12);
    struct Layer {
        const char* name;
        double height;  // above the bottom (m)
        Size bar;
        const char* shown;  // the bar field; by area unless the designation
    };
    const Layer layers[] = {{"own area", 0.05, {"20M", 3, 500e-6, 0.0195}, "500"},
                            {"near", 0.3, {"20M", 3, 300.4e-6, 0.0195}, "300"},
                            {"catalogue", 0.55, {"20M", 3, 300e-6, 0.0195}, "20M"}};
    auto beam = fixtures::BeamWithBottomBars(300e-6);
    beam->SetName("Twenties");
    beam->DeleteLongLayers(0);
    for (const Layer& l : layers) {
        LongLayerRec layer = fixtures::Bars(l.name, beam->GetBottom() + l.height, l.bar.count, l.bar.Ai);
        layer.barIndex = bar20;
        layer.bartitle = "20M";
        layer.db = l.bar.db;
        beam->AddLongLayer(layer, 0);
    }
    std::vector<std::unique_ptr<TStructure>> structures;
    structures.push_back(std::move(beam));
    WriteStructures("twenties.qvh", std::move(structures));

    const auto expectLayers = [&] {
        ASSERT_EQ(Shown().GetLongLayerCount(0), 3);
        for (const Layer& l : layers) {
            SCOPED_TRACE(l.name);
            const LongLayerRec* found = nullptr;
            for (int i = 0; i < 3; ++i)
                if (Shown().GetLongLayer(i, 0)->name == l.name)
                    found = Shown().GetLongLayer(i, 0);
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(found->num, 3);
            ExpectBar(*found, 3, l.bar);
            EXPECT_NEAR(found->z - Shown().GetBottom(), l.height, 1e-12);
        }
    };
    Open("twenties.qvh");
    expectLayers();

    ui.Dialog(kLongSheet, [&](plat::DialogDriver& d) {
        ASSERT_EQ(d.Items(DetailsId::List).size(), 3u);
        for (int row = 0; row < 3; ++row) {
            d.Select(DetailsId::List, row);
            const std::string name = d.Text(DetailsId::Name);
            SCOPED_TRACE("row " + std::to_string(row) + ", \"" + name + "\"");
            const Layer* l = nullptr;
            for (const Layer& each : layers)
                if (name == each.name)
                    l = &each;
            ASSERT_NE(l, nullptr);
            if (std::string(l->shown) == "20M") {
                EXPECT_FALSE(d.Checked(DetailsId::ByArea));
                EXPECT_EQ(d.ShownText(DetailsId::Labels[2]), "Bar Designation");
                const std::string text = d.Text(DetailsId::Field0 + 2);
                EXPECT_EQ(text.substr(text.find_first_not_of(' ')), "20M");
            } else {
                ExpectShownByArea(d, l->shown);
            }
            d.Click(DetailsId::Modify);
        }
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::LongitudinalReinforcement, 0, 0));
    EXPECT_TRUE(ui.Done());
    {
        SCOPED_TRACE("in the session");
        expectLayers();
    }
    SaveAs("after.qvh");
    Restart();
    Open("after.qvh");
    {
        SCOPED_TRACE("in a later run");
        expectLayers();
    }
}

} // namespace
