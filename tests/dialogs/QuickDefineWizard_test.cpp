// The quick-define wizard worked page by page from a script: titles and buttons, what each
// page writes into the record, the bar-count suggestions that follow the shape, the stirrup
// kind preselected for round shapes, and from Finish to a sectional response's end; answers that
// are no number, lie past their range or count past the record's limit keep their page.

#include <cmath>
#include <limits>
#include <sstream>

#include <gtest/gtest.h>

#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "dialogs/QuickDefine.h"
#include "dialogs/QuickDefineWizard.h"
#include "foundation/Units.h"
#include "model/QuickDefineFlag.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "model/shapes/ShapeLibrary.h"
#include "platform/Application.h"
#include "platform/PropertySheet.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"
#include "tests/dialogs/TypedInputSupport.h"

namespace {

namespace Q = QuickId;
using plat::SheetButton::BackId;
using plat::SheetButton::FinishId;
using plat::SheetButton::NextId;

// Rows of the shape list: the library's RECT, CIRCLE, TBEAM, IBEAM, then a two-ring column,
// then the one catalogue category.
constexpr int kRect = 0, kCircle = 1, kTwoRings = 4, kGirders = 5;

struct Wizard : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    void SetUp() override
    {
        g_RebarList.Clear();
        std::istringstream listing(DefaultRebarListing());
        g_RebarList.ReadListing(listing);
        ReadShapeLibraryText(0, DefaultShapeFileText() +
                                    "\nTYPE RCOL\n\tRound Column, Two Rings\nPARAMS d\n\tDiameter\nSECTION\n"
                                    "\td 0\n\tUP\n\td*0.5 d\n\tDOWN\n\t0 0\nREBAR BIPOLAR\nENDTYPE\n");
        ReadShapeLibraryText(1, "TYPE G900\nCATEGORY GIRDERS\nSECTION\n900 400\n0 400\nENDTYPE\n");
        SetQuickDefineNew(1);
    }
    void TearDown() override
    {
        ShapeTable = {};
        StandardTable = {};
        g_RebarList = savedList;
        g_QuickDefData = TQuickDefData{};
    }

    TRebarList savedList = g_RebarList;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    RecordingReporter reporter;
    ScriptedUi ui;
    TBeam beam;
};

// Four pages with their titles and buttons; what is typed reaches the section Finish builds.
TEST_F(Wizard, PagesButtonsAndTheSectionFinishBuilds)
{
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.PageTitle(), "Quick Define - Step 1 of 4");
        EXPECT_FALSE(d.IsButtonEnabled(BackId));
        EXPECT_TRUE(d.IsButtonEnabled(NextId));
        EXPECT_EQ(d.Text(Q::Title), "New Cross Section");
        EXPECT_EQ(d.Text(Q::Fc), " 35.0");
        EXPECT_EQ(d.Text(Q::FcUnit), "MPa");
        EXPECT_EQ(d.Selection(Q::Strand), 1);
        EXPECT_EQ(d.Items(Q::Strand).at(4), "1860 MPa Stress Relieved 15 mm strands");
        d.Type(Q::Title, "Lintel L1");
        d.Type(Q::Fc, "40");
        d.Type(Q::FyTrans, "500");
        d.Next();
        EXPECT_EQ(d.PageTitle(), "Quick Define - Step 2 of 4");
        EXPECT_TRUE(d.IsButtonEnabled(BackId));
        EXPECT_EQ(d.Items(Q::ShapeList).size(), 6u);
        EXPECT_EQ(d.Selection(Q::ShapeList), kRect);
        EXPECT_EQ(d.Text(Q::DimNames[0]), "b");
        EXPECT_FALSE(d.Visible(Q::Dims[2]));
        d.Type(Q::Dims[0], "300");
        d.Type(Q::Dims[1], "500");
        d.Next();
        EXPECT_EQ(d.PageTitle(), "Quick Define - Step 3 of 4");
        EXPECT_EQ(d.Text(Q::TopGroup), "Top Non-Prestressed Reinforcement");
        EXPECT_EQ(d.Text(Q::TopCount), " 1");
        EXPECT_EQ(d.Text(Q::TopBar), "20M");
        EXPECT_EQ(d.Text(Q::BottomCount), " 3");
        EXPECT_EQ(d.Text(Q::BottomBar), "25M");
        d.Type(Q::BottomCount, "4");
        d.Next();
        EXPECT_EQ(d.PageTitle(), "Quick Define - Step 4 of 4");
        EXPECT_TRUE(d.IsButtonEnabled(FinishId));
        EXPECT_EQ(d.Selection(Q::StirrupKind), QuickStirrup::THeaded);
        EXPECT_EQ(d.Text(Q::StirrupBar), "10M");
        EXPECT_EQ(d.Text(Q::StrandLabel), "Number of 13 mm strands");
        EXPECT_EQ(d.Text(Q::Prestrain), "6.500");
        d.Select(Q::StirrupKind, QuickStirrup::Closed);
        d.Type(Q::Cover, "30");
        d.Finish();
    });
    ASSERT_EQ(RunQuickDefineWizard(nullptr, beam), plat::DialogResult::Ok);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(beam.GetName(), "Lintel L1");
    EXPECT_NEAR(beam.GetHeight(), 0.5, 1e-9);
    EXPECT_NEAR(beam.GetWidthAt(beam.GetBottom() + 0.25), 0.3, 1e-9);
    EXPECT_DOUBLE_EQ(beam.GetConcreteType(0)->fc, -40e6);
    EXPECT_EQ(beam.GetSteelType(0)->name, "Long");
    EXPECT_DOUBLE_EQ(beam.GetSteelType(1)->fy, 500e6);
    const TransLayerRec& s = *beam.GetTransLayer(0, 2);
    EXPECT_EQ(s.legs, 2);
    // 30 mm cover and half a 10M: the stirrup's bottom line 35.65 mm up.
    EXPECT_NEAR(s.distbot - beam.GetBottom(), 0.03565, 1e-7);
    int bottomBars = 0;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i)
        if (beam.GetLongLayer(i, 0)->bartitle == "25M")
            bottomBars += beam.GetLongLayer(i, 0)->num;
    EXPECT_EQ(bottomBars, 4);

    // From the finished wizard to an answer.
    TFullSectionalResponse response(&beam);
    RunToFinish(response, 5000);
    EXPECT_EQ(response.IsRunning(), 0);
    ASSERT_NE(response.GetPeakState(), nullptr);
}

// Counts follow the shape while none was typed: a ring of 16 for a round column, 16 and 16
// for two rings, with the group titles of the layout; in two rings the bottom count follows
// the top as it is typed, and once typed, the counts stay.
TEST_F(Wizard, BarCountSuggestionsFollowTheLayoutUntilACountIsTyped)
{
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
        d.Next();
        d.ClickItem(Q::ShapeList, kCircle);  // with the mouse
        EXPECT_EQ(d.Text(Q::Status), "Circular Section");
        EXPECT_EQ(d.Text(Q::DimNames[0]), "d");
        EXPECT_FALSE(d.Visible(Q::Dims[1]));
        d.Next();
        EXPECT_EQ(d.Text(Q::TopGroup), "Outer Non-Prestressed Reinforcement Ring");
        EXPECT_EQ(d.Text(Q::BottomGroup), "Inner Non-Prestressed Reinforcement Ring");
        EXPECT_EQ(d.Text(Q::TopCount), "16");
        EXPECT_EQ(d.Text(Q::TopBar), "25M");
        EXPECT_EQ(d.Text(Q::BottomCount), " 0");
        EXPECT_EQ(d.Text(Q::BottomBar), "");
        d.Back();
        d.Select(Q::ShapeList, kTwoRings);
        d.Next();
        EXPECT_EQ(d.Text(Q::TopGroup), "Top Non-Prestressed Reinforcement Ring");
        EXPECT_EQ(d.Text(Q::TopCount), "16");
        EXPECT_EQ(d.Text(Q::BottomCount), "16");
        d.Type(Q::TopCount, "8");
        EXPECT_EQ(d.Text(Q::BottomCount), "8");
        d.Back();
        d.Select(Q::ShapeList, kCircle);
        d.Next();
        EXPECT_EQ(d.Text(Q::TopCount), "8");
        // The layout was worked out while the counts were untouched: still two rings, so the
        // bottom follows the top down to 0.
        d.Type(Q::TopCount, "0");
        EXPECT_EQ(d.Text(Q::TopBar), "");
        EXPECT_EQ(d.Text(Q::BottomCount), "0");
        d.Next();
        // A round column gets a hoop.
        EXPECT_EQ(d.Selection(Q::StirrupKind), QuickStirrup::Hoop);
        d.Click(2); // Cancel
    });
    EXPECT_EQ(RunQuickDefineWizard(nullptr, beam), plat::DialogResult::Cancel);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(g_QuickDefData.topCount, 0);
    EXPECT_EQ(g_QuickDefData.bottomCount, 0);
}

// A catalogue category: the girder's labels and type, slab bars suggested.
TEST_F(Wizard, CatalogueCategoryShowsTheGirderAndItsSlab)
{
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
          d.Next();
          d.Select(Q::ShapeList, kGirders);
          EXPECT_EQ(d.Text(Q::Status), "Standard Type: G900");
          EXPECT_EQ(d.Text(Q::DimNames[0]), "Type");
          EXPECT_EQ(d.Text(Q::DimNames[3]), "Slab W");
          EXPECT_EQ(d.Text(Q::Dims[0]), "G900");
          EXPECT_FALSE(d.Visible(Q::Dims[4]));
          d.Focus(Q::Dims[2]);
          EXPECT_EQ(d.Text(Q::Status), "Depth of slab on girder");
          d.Type(Q::Dims[1], "0"); // no haunch
          d.Type(Q::Dims[2], "200");
          d.Type(Q::Dims[3], "1200");
          d.Type(Q::Dims[0], "G"); // opens the list of the category's types
          d.Next();
          EXPECT_EQ(d.Text(Q::TopGroup), "Total Slab Reinforcement");
          EXPECT_EQ(d.Text(Q::TopCount), "20");
          EXPECT_EQ(d.Text(Q::TopBar), "10M");
          d.Next();
          d.Finish();
      }).List(0);
    ASSERT_EQ(RunQuickDefineWizard(nullptr, beam), plat::DialogResult::Ok);
    EXPECT_EQ(beam.GetShapeName(), "G900");
    EXPECT_NEAR(beam.GetHeight(), 1.1, 1e-9);
}

// A catalogue without "10M": the girder's slab bars are the catalogue's first entry, as every
// bar of the record missing from the catalogue is, and the section is built with it.
TEST_F(Wizard, GirderSlabBarsOfACatalogueWithoutTenMAreItsFirstEntry)
{
    g_RebarList.Clear();
    std::istringstream listing("15M  16.0  200\n20M  19.5  300\n25M  25.2  500\n");
    g_RebarList.ReadListing(listing);
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
          d.Next();
          d.Select(Q::ShapeList, kGirders);
          d.Type(Q::Dims[2], "200");
          d.Type(Q::Dims[3], "1200");
          d.Next();
          EXPECT_EQ(d.Text(Q::TopCount), "20");
          EXPECT_EQ(d.Text(Q::TopBar), "15M");
          d.Next();
          d.Finish();
      });
    ASSERT_EQ(RunQuickDefineWizard(nullptr, beam), plat::DialogResult::Ok);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(g_QuickDefData.topBar, 0);
    int slabBars = 0;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        const LongLayerRec& layer = *beam.GetLongLayer(i, 0);
        if (layer.name.rfind("top", 0) != 0)
            continue;
        EXPECT_EQ(layer.bartitle, "15M");
        EXPECT_DOUBLE_EQ(layer.A / layer.num, 200e-6);
        slabBars += layer.num;
    }
    EXPECT_EQ(slabBars, 20);
}

// A section whose shape parameter that its shape does not show (the fifth of a rectangle) lies
// past the 100 m the wizard takes: Finish builds the section with the new title, and the
// hidden parameter is brought into range.
TEST_F(Wizard, AHiddenShapeParameterOutOfRangeDoesNotKeepFinishFromBuilding)
{
    g_QuickDefData = QuickDefineDefaults(kUnitSI);
    ASSERT_EQ(BuildQuickDefineSection(beam), 1);
    beam.SetShapeParameter(150.0, 5);
    SetQuickDefineNew(0);
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
        d.Type(Q::Title, "Renamed");
        d.Next();
        EXPECT_FALSE(d.Visible(Q::Dims[4]));
        d.Next();
        d.Next();
        d.Finish();
        EXPECT_TRUE(d.Ended());
    });
    ASSERT_EQ(RunQuickDefineWizard(nullptr, beam), plat::DialogResult::Ok);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(beam.GetName(), "Renamed");
    EXPECT_DOUBLE_EQ(beam.GetShapeParameter(5), 0.0);
    EXPECT_NEAR(beam.GetHeight(), 0.6, 1e-9);
    EXPECT_EQ(reporter.Count("only limited capability"), 1);

    // What the build would still refuse keeps Finish on its page with the reason, and a
    // wizard that ends without a section built never answers OK.
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
          d.Next();
          g_QuickDefData.dim[0] = 150.0;  // shown, but typed past the page's own check
          d.Next();
          d.Next();
          d.Finish();
          EXPECT_FALSE(d.Ended());
          d.Click(2);
      }).Message("Dimension 1 must be a number from 0 to 100000 mm.", MsgAnswer::Ok);
    EXPECT_EQ(RunQuickDefineWizard(nullptr, beam), plat::DialogResult::Cancel);
    EXPECT_TRUE(ui.Done());
}

// A girder's first field holds its type's name, not a number: a number typed there for a
// rectangle before (150000 mm, past the 100 m the wizard takes) does not stop Finish, which
// builds the girder.
TEST_F(Wizard, ANumberLeftInTheFirstFieldByAnotherShapeDoesNotKeepAGirderFromBeingBuilt)
{
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
        d.Type(Q::Title, "Girder G1");
        d.Next();
        d.Select(Q::ShapeList, kRect);
        d.Type(Q::Dims[0], "150000");
        d.Select(Q::ShapeList, kGirders);
        EXPECT_EQ(d.Text(Q::Dims[0]), "G900");
        d.Type(Q::Dims[1], "0");  // no haunch; a slab 200 x 1200 mm
        d.Type(Q::Dims[2], "200");
        d.Type(Q::Dims[3], "1200");
        d.Next();
        d.Next();
        d.Finish();
        EXPECT_TRUE(d.Ended());
        if (!d.Ended())
            d.Click(2);
    });
    EXPECT_EQ(RunQuickDefineWizard(nullptr, beam), plat::DialogResult::Ok);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(reporter.Count("Dimension 1"), 0);
    EXPECT_EQ(ui.Count("Dimension 1"), 0);
    EXPECT_EQ(beam.GetName(), "Girder G1");
    EXPECT_EQ(beam.GetShapeName(), "G900");
    EXPECT_NEAR(beam.GetHeight(), 1.1, 1e-9);
    EXPECT_EQ(g_QuickDefData.dim[0], 0.0);
}

// Cancel leaves the section as it was.
TEST_F(Wizard, CancelLeavesTheSection)
{
    beam.SetName("Kept");
    const int regions = beam.GetRegionCount();
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
        d.Type(Q::Title, "Changed");
        d.Click(2);
    });
    EXPECT_EQ(RunQuickDefineWizard(nullptr, beam), plat::DialogResult::Cancel);
    EXPECT_EQ(beam.GetName(), "Kept");
    EXPECT_EQ(beam.GetRegionCount(), regions);
    EXPECT_EQ(g_QuickDefData.title, "Changed");
}

// The keyboard alone: Return goes to the next page on every page but the last, where it
// finishes as Finish does, whether the keyboard is on a page's control or on the Next button
// (which gives way to Finish on the last page); the section is built.
TEST_F(Wizard, ReturnGoesOnAndFinishesOnTheLastPage)
{
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
        d.Type(Q::Title, "Keyed");
        d.Key(plat::VKey::Return);
        ASSERT_EQ(d.CurrentPage(), 1);
        d.Key(plat::VKey::Return);
        ASSERT_EQ(d.CurrentPage(), 2);
        d.Focus(NextId);
        d.Key(plat::VKey::Return);
        ASSERT_EQ(d.CurrentPage(), 3);
        EXPECT_FALSE(d.Ended());
        d.Key(plat::VKey::Return);
        EXPECT_TRUE(d.Ended());
    });
    ASSERT_EQ(RunQuickDefineWizard(nullptr, beam), plat::DialogResult::Ok);
    EXPECT_EQ(beam.GetName(), "Keyed");
    EXPECT_NEAR(beam.GetHeight(), 0.6, 1e-9);
    EXPECT_GT(beam.GetLongLayerCount(0), 0);
}

// Escape cancels from any page, as Cancel does, and leaves the section as it was.
TEST_F(Wizard, EscapeCancels)
{
    beam.SetName("Kept");
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
        d.Type(Q::Title, "Changed");
        d.Key(plat::VKey::Return);
        d.Key(plat::VKey::Escape);
        EXPECT_TRUE(d.Ended());
    });
    EXPECT_EQ(RunQuickDefineWizard(nullptr, beam), plat::DialogResult::Cancel);
    EXPECT_EQ(beam.GetName(), "Kept");
}

// ---- Typed answers refused ----------------------------------------------------------------

struct PageField {
    int id;
    std::vector<std::string> refused;
    std::string message;
};

// Types each refused text into the shown page and tries to leave it (Next, or Finish on the
// last page): the page stays, the field selected; then the field gets its text back.
void RefuseOnPage(plat::DialogDriver& d, const std::vector<PageField>& fields, bool finish)
{
    const int page = d.CurrentPage();
    for (const PageField& f : fields) {
        const std::string before = d.Text(f.id);
        for (const std::string& text : f.refused) {
            d.Type(f.id, text);
            finish ? d.Finish() : d.Next();
            EXPECT_FALSE(d.Ended()) << text;
            EXPECT_EQ(d.CurrentPage(), page) << text;
            EXPECT_EQ(d.FocusedId(), f.id) << text;
            EXPECT_EQ(d.SelectedText(f.id), text);
        }
        d.Type(f.id, before);
    }
}

void ScriptMessages(ScriptedUi& ui, const std::vector<PageField>& fields)
{
    for (const PageField& f : fields)
        for (std::size_t k = 0; k < f.refused.size(); ++k)
            ui.Message(f.message, MsgAnswer::Ok);
}

TEST_F(Wizard, EveryPageRefusesAnswersOutsideTheirRangeAndCancelBuildsNothing)
{
    std::vector<std::string> lengths = kNotFinite;
    lengths.push_back("-10");
    std::vector<std::string> counts = kNotFinite;
    counts.push_back("1000");
    counts.push_back("");  // an empty count is 0 bars: taken
    counts.pop_back();
    const std::vector<PageField> page1 = {
        {Q::Fc, {"nan", "inf", "1e300", "201"}, "Concrete Strength must be a number from 0 to 200 MPa."},
        {Q::FyLong, kNotFinite, "Longitudinal Steel Yield must be a number from 0 to 5000 MPa."},
        {Q::FyTrans, kNotFinite, "Transverse Steel Yield must be a number from 0 to 5000 MPa."}};
    const std::vector<PageField> page2 = {
        {Q::Dims[0], lengths, "Dimension 1 must be a number from 0 to 100000 mm."},
        {Q::Dims[1], {"1e300", "100001"}, "Dimension 2 must be a number from 0 to 100000 mm."}};
    // (A count typed as no number reads 0 bars while it is typed, which empties the bar field;
    // these keep some bars.)
    const std::vector<PageField> page3 = {
        {Q::TopCount, {"1000", "1e300", "+7777777777777"}, "Number of Bars must be a whole number from 0 to 999."},
        {Q::BottomCount, {"2.5"}, "Number of Bars must be a whole number from 0 to 999."}};
    const std::vector<PageField> page4 = {
        {Q::Spacing, kNotFinite, "Stirrup Spacing must be a number from 0 to 10000 mm."},
        {Q::Cover, {"+7777777777777", "inf"}, "Clear Cover must be a number from 0 to 1000 mm."},
        {Q::StrandCount, counts, "Number of Bars must be a whole number from 0 to 999."},
        {Q::Prestrain, {"nan", "101"}, "Prestrain must be a number from -100 to 100 mm/m."}};
    ui.Dialog("Define Beam Section", [&](plat::DialogDriver& d) {
        RefuseOnPage(d, page1, false);
        d.Next();
        RefuseOnPage(d, page2, false);
        d.Next();
        RefuseOnPage(d, page3, false);
        d.Next();
        RefuseOnPage(d, page4, true);
        d.PressEscape();
    });
    for (const auto* page : {&page1, &page2, &page3, &page4})
        ScriptMessages(ui, *page);
    beam.SetName("Untouched");
    EXPECT_EQ(RunQuickDefineWizard(nullptr, beam), plat::DialogResult::Cancel);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(beam.GetName(), "Untouched");
}

TEST_F(Wizard, ARecordOutsideItsRangesBuildsNothingAndTheRowsStayBounded)
{
    const auto refused = [](void (*change)(TQuickDefData&), int field) {
        TQuickDefData q = QuickDefineDefaults(kUnitSI);
        change(q);
        EXPECT_EQ(CheckQuickDefine(q).field, field);
    };
    refused([](TQuickDefData& q) { q.dim[0] = 1e300; }, QuickField::Dim0);
    refused([](TQuickDefData& q) { q.cover = std::numeric_limits<double>::infinity(); }, QuickField::Cover);
    refused([](TQuickDefData& q) { q.stirrupSpacing = std::nan(""); }, QuickField::Spacing);
    refused([](TQuickDefData& q) { q.bottomArea = std::nan(""); }, QuickField::BottomArea);
    refused([](TQuickDefData& q) { q.strandCount = 100000; }, QuickField::Counts);
    EXPECT_FALSE(CheckQuickDefine(QuickDefineDefaults(kUnitSI)));

    g_QuickDefData = QuickDefineDefaults(kUnitSI);
    g_QuickDefData.dim[1] = 1e300;
    beam.SetName("Untouched");
    EXPECT_EQ(BuildQuickDefineSection(beam), 0);
    EXPECT_EQ(beam.GetName(), "Untouched");
    EXPECT_EQ(beam.GetLongLayerCount(0), 0);

    // The widest section the wizard takes with the smallest bar: a hundred metres across,
    // every bar in one row; 999 bars make one layer.
    g_QuickDefData.dim = {100.0, 0.6, 0.0, 0.0, 0.0, 0.0};
    g_QuickDefData.bottomCount = 999;
    g_QuickDefData.bottomBar = -1;
    g_QuickDefData.bottomArea = 1e-8;
    g_QuickDefData.topCount = 0;
    ASSERT_EQ(BuildQuickDefineSection(beam), 1);
    int layers = 0, bars = 0;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        ++layers;
        bars += beam.GetLongLayer(i, 0)->num;
    }
    EXPECT_EQ(layers, 1);
    EXPECT_EQ(bars, 999);
}

} // namespace
