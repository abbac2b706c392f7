// The checked reading of typed values where each refusal happens, without the dialogs that
// refuse first: the basic material strengths held to 10 000 MPa in every unit system, a moment
// point left for another row, the quick-define record field by field, value lists that meet a
// token that is no finite number, an existing layer's bar count or bar edited alone, and the
// names Explode gives when the numbered ones are taken. Expected values are worked by hand.

#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dialogs/BarSelector.h"
#include "dialogs/MaterialLists.h"
#include "dialogs/MemberPages.h"
#include "dialogs/OutlineEditor.h"
#include "dialogs/QuickDefine.h"
#include "dialogs/ReinforcementPages.h"
#include "dialogs/ValueList.h"
#include "model/StructureRecords.h"
#include "model/TBeam.h"
#include "model/shapes/SectionDefinitionRecord.h"
#include "tests/dialogs/DialogFixtures.h"

namespace {

class CheckedReadingTest : public DialogModelTest {
protected:
    TBeam beam;
};

// ---- Basic material strengths -----------------------------------------------------------------

// A strength typed on the basic page changes nothing past 1e10 Pa (10 000 MPa): 20 000 MPa is
// 2 900 754 psi or 2900.75 ksi (US), 203 872 kg/cm^2 or 204.08 t/cm^2 (kg/cm units).
TEST_F(CheckedReadingTest, BasicStrengthsPastTenThousandMegapascalsChangeNothingInEveryUnitSystem)
{
    struct Case {
        int system, material;
        const char *refused, *taken;
        double takenPa;  // the taken text in Pa, by hand
    };
    const Case cases[] = {
        {kUnitSI, kConcreteMaterial, "20000", "9000", 9e9},
        {kUnitUS, kConcreteMaterial, "2900754", "1305000", 1305000.0 / 0.0001450377},
        {kUnitOldMetric, kConcreteMaterial, "203872", "91000", 91000.0 / 1.01936e-05},
        {kUnitSI, kRebarMaterial, "20000", "9000", 9e9},
        {kUnitUS, kRebarMaterial, "2900.8", "1305", 1305.0 / 1.450377e-07},
        {kUnitOldMetric, kRebarMaterial, "204.1", "91", 91.0 / 1.0204e-08},
        {kUnitSI, kPrestressingMaterial, "20000", "9000", 9e9},
        {kUnitUS, kPrestressingMaterial, "2900.8", "1305", 1305.0 / 1.450377e-07},
        {kUnitOldMetric, kPrestressingMaterial, "204.1", "91", 91.0 / 1.0204e-08},
    };
    for (const Case& c : cases) {
        g_UnitSystem = c.system;
        TMaterialLists lists;
        FillMaterialLists(beam, lists);
        TTypeList& list = lists.Of(c.material);
        ASSERT_EQ(list.GetCount(), 1);
        const TypeListRec before = list.Entry(0);
        TMaterials page(lists, c.material);
        page.ShowValues();
        page.ready = true;
        const auto k = static_cast<std::size_t>(c.material);
        for (const std::string& text : {std::string(c.refused), std::string("nan"), std::string("inf")}) {
            page.fields[k] = text;
            page.FieldEdited(c.material);
            EXPECT_FALSE(page.modified) << c.system << "/" << c.material << ": " << text;
            ASSERT_EQ(list.GetCount(), 1);
            EXPECT_EQ(list.Entry(0).values, before.values) << c.system << "/" << c.material << ": " << text;
            EXPECT_EQ(list.Entry(0).codes, before.codes);
        }
        EXPECT_TRUE(reporter.messages.empty());
        // Below the bound the strength is taken as a new entry.
        page.fields[k] = c.taken;
        page.FieldEdited(c.material);
        EXPECT_TRUE(page.modified) << c.system << "/" << c.material;
        ASSERT_EQ(list.GetCount(), 1);
        EXPECT_EQ(list.Entry(0).codes[3], -1);
        if (c.material != kPrestressingMaterial) {
            const double stored = list.Entry(0).values[c.material == kConcreteMaterial ? 0 : 1];
            EXPECT_NEAR(stored, c.takenPa, 1e-6 * c.takenPa) << c.system;
        }
    }
}

// ---- Moment points ------------------------------------------------------------------------------

TEST_F(CheckedReadingTest, LeavingAMomentPointChecksTheTextsOfTheRowLeft)
{
    TMemberDefinition d;
    d.length = 4.0;
    d.leftPlateLocation = 0.0;
    d.rightPlateLocation = 4.0;
    TMomentPointEditor e(d, DeadDiagram);
    e.Add({"1000", "10"});
    e.Add({"2000", "20"});
    e.SetPrompting(true);
    e.Select(0, e.SelectedTexts());
    ASSERT_EQ(e.Selected(), 0);
    const MomentPoint kept = d.diagrams[DeadDiagram][0];
    ASSERT_DOUBLE_EQ(kept.moment, -10000.0);

    // Moments reach 1e9 N m (1e6 kN m); positions must be finite. Each refused text leaves the
    // point as it was, the answer Yes notwithstanding, and the selection moves on.
    const PointTexts refused[] = {{"1000", "1e12"}, {"1000", "-1000001"}, {"1000", "nan"},
                                  {"nan", "10"},    {"inf", "10"},        {"1000", "-inf"}};
    for (const PointTexts& typed : refused) {
        reporter.Answer(MsgAnswer::Yes);
        e.Select(1, typed);
        EXPECT_EQ(e.Selected(), 1) << typed.x << " " << typed.moment;
        ASSERT_EQ(d.pointCount[DeadDiagram], 2);
        EXPECT_EQ(d.diagrams[DeadDiagram][0].x, kept.x) << typed.x << " " << typed.moment;
        EXPECT_EQ(d.diagrams[DeadDiagram][0].moment, kept.moment) << typed.x << " " << typed.moment;
        EXPECT_DOUBLE_EQ(d.diagrams[DeadDiagram][1].moment, -20000.0);
        e.Select(0, e.SelectedTexts());
    }
    EXPECT_EQ(reporter.Count("Changes not saved"), 0);

    // A change that is a number is still asked for and saved on Yes.
    reporter.Answer(MsgAnswer::Yes);
    e.Select(1, {"1000", "1000000"});
    EXPECT_EQ(reporter.Count("Changes not saved"), 1);
    EXPECT_DOUBLE_EQ(d.diagrams[DeadDiagram][0].moment, -1e9);
}

// ---- Quick define ---------------------------------------------------------------------------------

double& QuickValue(TQuickDefData& q, int field)
{
    using namespace QuickField;
    switch (field) {
    case Fc: return q.fc;
    case FyLong: return q.fyLong;
    case FyTrans: return q.fyTrans;
    case Cover: return q.cover;
    case Spacing: return q.stirrupSpacing;
    case Prestrain: return q.strandPrestrain;
    case TopArea: return q.topArea;
    case BottomArea: return q.bottomArea;
    case StirrupArea: return q.stirrupArea;
    default: return q.dim[static_cast<std::size_t>(field - Dim0)];
    }
}

// The record's ranges (stored units): strengths 200 MPa and 5000 MPa, the six dimensions 0 to
// 100 m, cover 1 m, stirrup spacing 10 m, prestrain +-0.1, bar areas 1 m^2; strengths, cover,
// spacing and areas by magnitude.
TEST_F(CheckedReadingTest, TheQuickDefineRecordRefusesEveryFieldItHoldsTheStirrupAreaIncluded)
{
    using namespace QuickField;
    struct Range {
        int field;
        double high;
        bool magnitude;
    };
    const Range ranges[] = {{Fc, 2e8, true},          {FyLong, 5e9, true},        {FyTrans, 5e9, true},
                            {Dim0, 100.0, false},     {Dim0 + 1, 100.0, false},   {Dim0 + 2, 100.0, false},
                            {Dim0 + 3, 100.0, false}, {Dim0 + 4, 100.0, false},   {Dim0 + 5, 100.0, false},
                            {Cover, 1.0, true},       {Spacing, 10.0, true},      {Prestrain, 0.1, false},
                            {TopArea, 1.0, true},     {BottomArea, 1.0, true},    {StirrupArea, 1.0, true}};
    const double inf = std::numeric_limits<double>::infinity();
    ValueGuard<TQuickDefData> record(g_QuickDefData, TQuickDefData{});
    const TQuickDefData defaults = QuickDefineDefaults(kUnitSI);
    ASSERT_FALSE(CheckQuickDefine(defaults));
    for (const Range& r : ranges) {
        const double low = r.field == Prestrain ? -r.high : 0.0;
        std::vector<double> outside = {std::nan(""), inf, -inf, r.high * 1.001, r.magnitude ? -r.high * 1.001 : low - 0.001};
        for (double v : outside) {
            g_QuickDefData = defaults;
            QuickValue(g_QuickDefData, r.field) = v;
            const TypedRefusal refusal = CheckQuickDefine(g_QuickDefData);
            EXPECT_EQ(refusal.field, r.field) << QuickFieldName(r.field) << " = " << v;
            EXPECT_NE(refusal.message.find(QuickFieldName(r.field)), std::string::npos) << refusal.message;
            beam.SetName("Untouched");
            EXPECT_EQ(BuildQuickDefineSection(beam), 0) << QuickFieldName(r.field) << " = " << v;
            EXPECT_EQ(beam.GetName(), "Untouched");
        }
        // Both ends are taken (a magnitude with either sign).
        for (double v : {r.high, r.magnitude ? -r.high : low}) {
            TQuickDefData q = defaults;
            QuickValue(q, r.field) = v;
            EXPECT_FALSE(CheckQuickDefine(q)) << QuickFieldName(r.field) << " = " << v;
        }
    }
    // The three counts: 0 to 999 bars or strands.
    for (int which = 0; which < 3; ++which) {
        for (int n : {-1, 1000, std::numeric_limits<int>::max()}) {
            TQuickDefData q = defaults;
            (which == 0 ? q.topCount : which == 1 ? q.bottomCount : q.strandCount) = n;
            EXPECT_EQ(CheckQuickDefine(q).field, Counts) << which << ": " << n;
        }
        TQuickDefData q = defaults;
        (which == 0 ? q.topCount : which == 1 ? q.bottomCount : q.strandCount) = 999;
        EXPECT_FALSE(CheckQuickDefine(q)) << which;
    }
}

// ---- Value lists ----------------------------------------------------------------------------------

TEST_F(CheckedReadingTest, AValueListEndsAtATokenThatIsNoFiniteNumber)
{
    for (const char* bad : {"nan", "inf", "-inf", "1e999", "NAN(1)", "-nan"}) {
        const std::string text = std::string("1 2 ") + bad + " 3 4";
        // A concrete curve: one pair, 1 mm/m at 2 MPa, with the origin.
        TDepthTable curve;
        TValueList concrete(nullptr, 0, &curve);
        concrete.ReadText(text);
        EXPECT_EQ(concrete.ShowList(), "0.000 ,  0.00\r\n1.000 ,  2.00\r\n") << text;
        const TDepthTable& w = concrete.WorkingCurve();
        for (int i = 0; i < w.GetCount(); ++i)
            EXPECT_TRUE(std::isfinite(w.GetDepth(i)) && std::isfinite(w.GetValue(i))) << text;
        // A structure's list of loads: 1 and 2 kN.
        TValueList loads(&beam, 3, nullptr);
        loads.selection = 2;
        loads.ReadText(text);
        ASSERT_EQ(loads.WorkingList(2).GetCount(), 2) << text;
        EXPECT_DOUBLE_EQ(loads.WorkingList(2).At(0), 1000.0);
        EXPECT_DOUBLE_EQ(loads.WorkingList(2).At(1), 2000.0);
    }
    // Nothing before it: an empty list (the curve keeps only the origin).
    TValueList loads(&beam, 3, nullptr);
    loads.selection = 0;
    loads.ReadText("inf 5 6");
    EXPECT_EQ(loads.WorkingList(0).GetCount(), 0);
}

// ---- Text that is no number ------------------------------------------------------------------

// Where the form reads a field itself: the outline's elevation and width (its words "UP" and
// "DOWN" still ask for a rounded part), a bar typed by area (a catalogue designation is still
// taken as one) and a value list. Each refusal names its field; nothing is stored.
TEST_F(CheckedReadingTest, TextThatHoldsNoNumberIsRefusedWhereTheFormReadsItsFields)
{
    TDepthTable outline{"outline"}, types{"types"};
    ValueGuard<SectionDefinition> definition{g_SectionDefinition, SectionDefinition{}};
    TOutlineEditor editor{outline, types, 150, [](int, double) { return 1; }};
    editor.Add("500", "300");
    editor.Add("0", "300");
    const std::vector<std::string> rows = editor.Rows();
    struct Typed {
        const char *elevation, *width;
        int field;
        const char* message;
    };
    const Typed refused[] = {
        {"250", "abc", TOutlineEditor::kWidthField, "Width must be a number from -100000 to 100000 mm."},
        {"250", "300mm", TOutlineEditor::kWidthField, "Width must be a number"},
        {"2,5", "300", TOutlineEditor::kElevationField, "Elevation must be a number from -100000 to 100000 mm."},
        {"top", "300", TOutlineEditor::kElevationField, "Elevation must be a number"},
    };
    for (const Typed& t : refused) {
        for (bool modify : {false, true}) {
            modify ? editor.Modify(t.elevation, t.width) : editor.Add(t.elevation, t.width);
            EXPECT_EQ(editor.RefusedField(), t.field) << t.elevation << " " << t.width;
            ASSERT_FALSE(reporter.messages.empty());
            EXPECT_EQ(reporter.messages.back().text.rfind(t.message, 0), 0u) << reporter.messages.back().text;
            EXPECT_EQ(editor.Rows(), rows);
        }
    }
    editor.Add("250", " up ");
    EXPECT_EQ(editor.RefusedField(), -1);
    EXPECT_EQ(editor.Rows().size(), rows.size() + 5);

    BarSelectorView view;
    TBarSelector bar(view, TBarSelector::LongitudinalBars);
    bar.Init(-1, 300e-6, 0);
    for (const char* text : {"abc", "500mm2", "5,5"}) {
        view.text = text;
        EXPECT_EQ(CheckTypedBarArea(view), "Bar Area must be a number from 0 to 1000000 mm^2.") << text;
    }
    view.text = " 25m ";
    EXPECT_EQ(CheckTypedBarArea(view), "");
    int index = -2;
    double area = 0.0;
    bar.Read(index, area);
    EXPECT_EQ(view.byArea, 0);
    EXPECT_EQ(index, 1);
    EXPECT_DOUBLE_EQ(area, 500e-6);

    TValueList list(&beam, 3, nullptr);
    EXPECT_EQ(list.CheckText("1, 2\r\n3.5"), "");
    EXPECT_EQ(list.CheckText("1 2 8mm 4"), "Value 3 of the list, \"8mm\", must be a number.");
    EXPECT_EQ(list.CheckText("abc"), "Value 1 of the list, \"abc\", must be a number.");
}

// ---- An existing layer's bars -------------------------------------------------------------------

class LayerEditTest : public CheckedReadingTest {
protected:
    // A 400 x 600 mm section with one layer of three 25M bars (500 mm^2) 50 mm up, stored as
    // the program stores it, and the individual layers' page open on it.
    LayerEditTest()
    {
        beam.AddRegion(0.6, 0.0, 0.4, 0.4, 0, 1);
        LongLayerRec layer;
        InitLongLayerRec(layer);
        layer.z = beam.GetBottom() + 0.05;
        layer.num = 3;
        layer.Ai = 500e-6;
        layer.A = 3 * 500e-6;
        layer.db = 0.0252;
        layer.barIndex = 1;
        layer.bartitle = "25M";
        layer.name = "Bottom";
        beam.AddLongLayer(layer, 0);
        lists = BuildLongLists(beam, 0);
        page = std::make_unique<TGen_Lon>(lists, *lists.individual, beam, 0, 0);
        page->Setup();
    }
    const LongLayerRec& WrittenBack()
    {
        WriteBackLongLists(beam, lists, 0);
        EXPECT_EQ(beam.GetLongLayerCount(0), 1);
        return *beam.GetLongLayer(0, 0);
    }

    TLongLists lists;
    std::unique_ptr<TGen_Lon> page;
};

TEST_F(LayerEditTest, OnlyTheBarCountEditedIsKeptAndTheTotalAreaFollows)
{
    ASSERT_EQ(page->form.name, "Bottom");
    page->form.fields[0] = "5";
    page->Modify();
    ASSERT_EQ(lists.individual->GetCount(), 1);
    EXPECT_EQ(lists.individual->Entry(0).values[0], 5.0);
    const LongLayerRec& layer = WrittenBack();
    EXPECT_EQ(layer.num, 5);
    EXPECT_DOUBLE_EQ(layer.Ai, 500e-6);
    EXPECT_DOUBLE_EQ(layer.A, 5 * 500e-6);
    EXPECT_EQ(layer.bartitle, "25M");
    EXPECT_NEAR(layer.z, beam.GetBottom() + 0.05, 1e-12);
}

TEST_F(LayerEditTest, OnlyTheBarEditedIsKeptAndTheTotalAreaFollows)
{
    // Another bar by designation: three #8 bars of 510 mm^2.
    page->form.bar.text = "#8";
    page->BarFieldLeft();
    page->Modify();
    const LongLayerRec& bars = WrittenBack();
    EXPECT_EQ(bars.num, 3);
    EXPECT_DOUBLE_EQ(bars.Ai, 510e-6);
    EXPECT_DOUBLE_EQ(bars.A, 3 * 510e-6);
    EXPECT_EQ(bars.bartitle, "#8");

    // A bar by its area, 700 mm^2: three of them.
    lists = BuildLongLists(beam, 0);
    page = std::make_unique<TGen_Lon>(lists, *lists.individual, beam, 0, 0);
    page->Setup();
    page->form.bar.byArea = 1;
    page->form.bar.text = "700";
    page->BarFieldLeft();
    page->Modify();
    const LongLayerRec& area = WrittenBack();
    EXPECT_EQ(area.num, 3);
    EXPECT_DOUBLE_EQ(area.Ai, 700e-6);
    EXPECT_DOUBLE_EQ(area.A, 3 * 700e-6);
    EXPECT_EQ(area.barIndex, -1);
    EXPECT_NEAR(area.db, 2.0 * std::sqrt(700e-6 / 3.141592653589), 1e-12);
}

TEST_F(LayerEditTest, AnUneditedLayerKeepsItsStoredTotalArea)
{
    // A total area that is not bars x bar area (as an older file may hold it) stays while
    // neither is edited.
    LongLayerRec layer = *beam.GetLongLayer(0, 0);
    layer.A = 0.0016;
    beam.DeleteLongLayers(0);
    beam.AddLongLayer(layer, 0);
    lists = BuildLongLists(beam, 0);
    page = std::make_unique<TGen_Lon>(lists, *lists.individual, beam, 0, 0);
    page->Setup();
    page->form.fields[3] = "60";  // only the height
    page->Modify();
    const LongLayerRec& written = WrittenBack();
    EXPECT_EQ(written.num, 3);
    EXPECT_DOUBLE_EQ(written.A, 0.0016);
    EXPECT_NEAR(written.z, beam.GetBottom() + 0.06, 1e-12);
}

// ---- Names of exploded layers ---------------------------------------------------------------------

std::set<std::string> Names(const TTypeList& list)
{
    std::set<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i)
        names.insert(list.Entry(i).name);
    return names;
}

class ExplodeNamesTest : public CheckedReadingTest {
protected:
    ExplodeNamesTest()
    {
        beam.AddRegion(0.6, 0.0, 0.4, 0.4, 0, 1);
        lists = BuildLongLists(beam, 0);
    }
    // A distributed pattern of one bar a layer in n layers from 50 to 550 mm, exploded.
    void Explode(const std::string& name, int layers)
    {
        (void)lists.distributed->AddFull({1, 500e-6, 0, double(layers), 0.55, 0.05, 0, 0, 0, 0}, {0, 0, 1, -1},
                                         name);
        TGen_Distribute page(lists, *lists.distributed, beam, 0, 0);
        page.Setup();
        reporter.Answer(MsgAnswer::Yes);
        page.Explode();
        ASSERT_EQ(lists.distributed->GetCount(), 0);
    }
    // Every name of the individual list distinct, as the list holds it and as the section
    // keeps it after OK.
    void ExpectDistinctNames(int count)
    {
        ASSERT_EQ(lists.individual->GetCount(), count);
        EXPECT_EQ(Names(*lists.individual).size(), static_cast<std::size_t>(count));
        WriteBackLongLists(beam, lists, 0);
        ASSERT_EQ(beam.GetLongLayerCount(0), count);
        std::set<std::string> stored;
        for (int i = 0; i < count; ++i)
            stored.insert(beam.GetLongLayer(i, 0)->name);
        EXPECT_EQ(stored.size(), static_cast<std::size_t>(count));
    }

    TLongLists lists;
};

TEST_F(ExplodeNamesTest, TakenNumberedNamesOfALongPatternNameStillGiveDistinctNames)
{
    // "LongPattern" and "LongPattern1" .. "LongPattern11" are taken: each exploded name is
    // taken, a long one becomes "New", and "New" grows "a" by "a" to ten characters.
    for (int k = 0; k < 12; ++k)
        (void)lists.individual->AddFull({1, 500e-6, 0, 0.3, 0, 0, 0, 0, 0, 0}, {0, 0, 1, -1},
                                        k == 0 ? std::string("LongPattern") : "LongPattern" + std::to_string(k));
    Explode("LongPattern", 12);
    ExpectDistinctNames(24);
    const std::set<std::string> names = Names(*lists.individual);
    EXPECT_EQ(names.count("New"), 1u);
    EXPECT_EQ(names.count("Newa"), 1u);
}

TEST_F(ExplodeNamesTest, NumberedNamesPastTheLengthANameKeepsStayDistinct)
{
    // 13 characters: "Distributed12" numbered 10 and 11 passes the 14 characters a layer's
    // name keeps.
    Explode("Distributed12", 12);
    ExpectDistinctNames(12);
    for (const std::string& name : Names(*lists.individual))
        EXPECT_LE(name.size(), kLayerNameChars) << name;
    EXPECT_EQ(lists.individual->Entry(0).name, "Distributed12");
    EXPECT_EQ(lists.individual->Entry(1).name, "Distributed121");
}

TEST_F(ExplodeNamesTest, ANameAsLongAsTheListKeepsStillGivesDistinctNames)
{
    Explode(std::string(kTypeNameMaxChars, 'P'), 5);
    ExpectDistinctNames(5);
}

} // namespace
