// Typed answers of the quick-define wizard that are not finite numbers, lie outside their
// range or count past the record's limit: each page keeps its place with a message naming the
// field and the field selected, and a record holding such an answer builds nothing.

#include <sstream>

#include <gtest/gtest.h>

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

struct TypedQuickDefine : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    void SetUp() override
    {
        g_RebarList.Clear();
        std::istringstream listing(DefaultRebarListing());
        g_RebarList.ReadListing(listing);
        ReadShapeLibraryText(0, DefaultShapeFileText());
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

TEST_F(TypedQuickDefine, EveryPageRefusesAnswersOutsideTheirRangeAndCancelBuildsNothing)
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

TEST_F(TypedQuickDefine, ARecordOutsideItsRangesBuildsNothingAndTheRowsStayBounded)
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
