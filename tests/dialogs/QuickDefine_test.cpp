// The quick-define builder, headless: the record's defaults, the section it builds checked
// against hand values from the build's rules, and a section of every shape family validating
// and carrying a sectional response to its own finish.

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "dialogs/QuickDefine.h"
#include "foundation/Units.h"
#include "model/QuickDefineFlag.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "model/shapes/ShapeLibrary.h"
#include "support/TestSupport.h"

namespace {

// The library's four shapes, a round column with two rings and a square with a round void.
const char* const kExtraShapes = "TYPE RCOL\n\tRound column\nPARAMS d\n\tDiameter\nSECTION\n"
                                 "\td 0\n\tUP\n\td*0.5 d\n\tDOWN\n\t0 0\nREBAR BIPOLAR\nENDTYPE\n"
                                 "TYPE HOLLOW\n\tHollow square\nPARAMS h d\n\tSide\n\tVoid\n"
                                 "SECTION\n\th h\n\th*0.5 h\n\t0 h\nREBAR RECT\nENDTYPE\n";
// Two catalogue girders of one category: 900 mm deep, 400 mm flanges, 150 mm web.
const char* const kGirders = "TYPE G900\nCATEGORY GIRDERS\nSECTION\n900 400\n800 400\n800 150\n"
                             "150 150\n150 400\n0 400\nENDTYPE\n"
                             "TYPE G600\nCATEGORY GIRDERS\nSECTION\n600 300\n0 300\nENDTYPE\n";

struct QuickDefine : ::testing::Test {
    void SetUp() override
    {
        g_RebarList.Clear();
        std::istringstream listing(DefaultRebarListing());
        g_RebarList.ReadListing(listing);
        ReadShapeLibraryText(0, DefaultShapeFileText() + "\n" + kExtraShapes);
        ReadShapeLibraryText(1, kGirders);
        SetQuickDefineNew(1);
        ResetQuickDefine(beam);
    }
    void TearDown() override
    {
        ShapeTable = {};
        StandardTable = {};
        g_RebarList = savedList;
        g_QuickDefData = TQuickDefData{};
    }

    const LongLayerRec* Layer(const std::string& name) const
    {
        for (int i = 0; i < beam.GetLongLayerCount(0); ++i)
            if (beam.GetLongLayer(i, 0)->name == name)
                return beam.GetLongLayer(i, 0);
        return nullptr;
    }
    // Height above the section bottom (the build's own datum before validation moves it).
    double Up(double z) const { return z - beam.GetBottom(); }
    int Shape(const char* name) const { return FindShapeIndex(name); }

    TRebarList savedList = g_RebarList;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    RecordingReporter reporter;
    TBeam beam;
};

TEST_F(QuickDefine, DefaultsFollowTheUnitSystemAndTheCatalogue)
{
    const TQuickDefData si = QuickDefineDefaults(kUnitSI);
    EXPECT_EQ(si.title, "New Cross Section");
    EXPECT_DOUBLE_EQ(si.fc, -35e6);
    EXPECT_DOUBLE_EQ(si.fyLong, 400e6);
    EXPECT_EQ(g_RebarList.GetName(si.topBar), "20M");
    EXPECT_EQ(g_RebarList.GetName(si.bottomBar), "25M");
    EXPECT_EQ(g_RebarList.GetName(si.stirrupBar), "10M");
    EXPECT_EQ(si.strandKind, 1);
    EXPECT_EQ(si.stirrupKind, QuickStirrup::THeaded);

    const TQuickDefData us = QuickDefineDefaults(kUnitUS);
    EXPECT_NEAR(us.fc, -34.474e6, 1e3);   // 5000 psi
    EXPECT_NEAR(us.fyLong, 413.69e6, 1e4); // 60 ksi
    EXPECT_DOUBLE_EQ(us.dim[0], 0.254);
    EXPECT_DOUBLE_EQ(us.dim[1], 0.6096);
    EXPECT_DOUBLE_EQ(us.stirrupSpacing, 0.254);
    EXPECT_EQ(g_RebarList.GetName(us.topBar), "#6");
    EXPECT_EQ(g_RebarList.GetName(us.bottomBar), "#8");
    EXPECT_EQ(g_RebarList.GetName(us.stirrupBar), "#4");

    // The kg/cm system starts with the first catalogue entry on top; an empty catalogue
    // leaves every bar to its area.
    EXPECT_EQ(QuickDefineDefaults(kUnitOldMetric).topBar, 0);
    g_RebarList.Clear();
    const TQuickDefData empty = QuickDefineDefaults(kUnitSI);
    EXPECT_EQ(empty.topBar, -1);
    EXPECT_EQ(empty.bottomBar, -1);
    EXPECT_EQ(empty.stirrupBar, -1);
}

// The default record, 250 x 600 mm, by hand: 10M T-headed stirrup (11.3 mm, 100 mm^2) inside
// 40 mm cover, one 20M (19.5 mm) on top, three 25M (25.2 mm) at the bottom.
TEST_F(QuickDefine, DefaultRecordBuildsTheHandSection)
{
    ASSERT_EQ(BuildQuickDefineSection(beam), 1);
    EXPECT_EQ(beam.GetName(), "New Cross Section");
    EXPECT_EQ(beam.GetShapeName(), "RECT");
    EXPECT_NEAR(beam.GetHeight(), 0.6, 1e-9);
    ASSERT_EQ(beam.GetConcreteTypeCount(), 1);
    EXPECT_EQ(beam.GetConcreteType(0)->name, "Concrete 1");
    EXPECT_DOUBLE_EQ(beam.GetConcreteType(0)->fc, -35e6);
    ASSERT_EQ(beam.GetSteelTypeCount(), 3);
    EXPECT_EQ(beam.GetSteelType(0)->name, "Steel 1");
    EXPECT_EQ(beam.GetSteelType(1)->name, "Trans");
    EXPECT_EQ(beam.GetSteelType(2)->name, "Low Relax");
    EXPECT_DOUBLE_EQ(beam.GetSteelType(0)->fy, 400e6);
    EXPECT_EQ(beam.GetSteelType(2)->kind, SteelKind::Prestressing);

    // Stirrup lines: 40 + 11.3/2 = 45.65 mm from either face.
    ASSERT_EQ(beam.GetTransLayerCount(2), 1);
    const TransLayerRec& s = *beam.GetTransLayer(0, 2);
    EXPECT_EQ(s.name, "stirrup");
    EXPECT_EQ(s.bartitle, "10M");
    EXPECT_EQ(s.legs, 1);
    EXPECT_EQ(s.pattern, QuickStirrup::THeaded);
    EXPECT_EQ(s.type, 1);
    EXPECT_NEAR(s.db, 0.0113, 1e-9);
    EXPECT_NEAR(s.A, 100e-6, 1e-12);
    EXPECT_NEAR(s.space, 0.25, 1e-12);
    EXPECT_NEAR(Up(s.distbot), 0.04565, 1e-7);
    EXPECT_NEAR(Up(s.disttop), 0.55435, 1e-7);

    // Top: inside the stirrup, 600 - 40 - 11.3 - 19.5/2 = 538.95 mm; the row could take
    // int(((250 - 80 - 22.6)/19.5 + 1)/2) = 4 bars, one is asked for.
    ASSERT_EQ(beam.GetLongLayerCount(0), 2);
    const LongLayerRec* top = Layer("top");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->num, 1);
    EXPECT_EQ(top->bartitle, "20M");
    EXPECT_NEAR(top->db, 0.0195, 1e-9);
    EXPECT_NEAR(Up(top->z), 0.53895, 1e-7);
    // Bottom: 40 + 11.3 + 25.2/2 = 63.9 mm; int(((147.4)/25.2 + 1)/2) = 3 bars fit in a row.
    const LongLayerRec* bot = Layer("bot");
    ASSERT_NE(bot, nullptr);
    EXPECT_EQ(bot->num, 3);
    EXPECT_NEAR(bot->A, 1.5e-3, 1e-12);
    EXPECT_NEAR(Up(bot->z), 0.0639, 1e-7);
    EXPECT_EQ(bot->type, 0);

    double loads[3] = {1, 1, 1};
    beam.GetConstantLoads(loads, 3);
    EXPECT_EQ(loads[0], 0.0);
    EXPECT_EQ(loads[1], 0.0);
    EXPECT_EQ(loads[2], 0.0);
    beam.GetIncrementLoads(loads, 3);
    EXPECT_EQ(loads[0], 0.0);
    EXPECT_DOUBLE_EQ(loads[1], -1000.0);
    EXPECT_EQ(loads[2], 0.0);
    EXPECT_EQ(GetQuickDefineNew(), 0);
    EXPECT_EQ(g_QuickDefData.countsUntouched, 0);
}

// The same record in US units with six #6 on top: 10 x 24 in, #4 stirrup (12.7 mm), #8
// (25.4 mm) at the bottom; a top row takes int(((254 - 80 - 25.4)/19.05 + 1)/2) = 4 bars.
TEST_F(QuickDefine, UsRecordBuildsTwoTopRows)
{
    g_UnitSystem = kUnitUS;
    ResetQuickDefine(beam);
    g_QuickDefData.topCount = 6;
    g_QuickDefData.stirrupKind = QuickStirrup::Closed;
    ASSERT_EQ(BuildQuickDefineSection(beam), 1);
    EXPECT_NEAR(beam.GetHeight(), 0.6096, 1e-9);
    EXPECT_NEAR(beam.GetConcreteType(0)->fc, -34.474e6, 1e3);
    EXPECT_NEAR(beam.GetSteelType(0)->fy, 413.69e6, 1e4);

    const TransLayerRec& s = *beam.GetTransLayer(0, 2);
    EXPECT_EQ(s.legs, 2);
    EXPECT_EQ(s.bartitle, "#4");
    EXPECT_NEAR(s.A, 2 * 129.032e-6, 1e-9);
    EXPECT_NEAR(Up(s.distbot), 0.04635, 1e-7);
    EXPECT_NEAR(Up(s.disttop), 0.56325, 1e-7);
    EXPECT_NEAR(s.space, 0.254, 1e-12);

    const LongLayerRec* top = Layer("top");
    const LongLayerRec* top2 = Layer("top2");
    const LongLayerRec* bot = Layer("bot4"); // named by the layer count after two top rows
    ASSERT_NE(top, nullptr);
    ASSERT_NE(top2, nullptr);
    EXPECT_EQ(top->num, 4);
    EXPECT_EQ(top2->num, 2);
    EXPECT_NEAR(Up(top->z), 0.6096 - 0.04 - 0.0127 - 0.009525, 1e-7);
    EXPECT_NEAR(top->z - top2->z, 2 * 0.01905, 1e-7);
    EXPECT_EQ(bot, nullptr);
    const LongLayerRec* bottom = Layer("bot");
    ASSERT_NE(bottom, nullptr);
    EXPECT_EQ(bottom->num, 3);
    EXPECT_EQ(bottom->bartitle, "#8");
    EXPECT_NEAR(Up(bottom->z), 0.04 + 0.0127 + 0.0127, 1e-7);
}

// The default record (250 x 600 mm) with five 25M at the bottom: a row takes
// int(((250 - 80 - 22.6) / 25.2 + 1) / 2) = 3 bars, so three sit 40 + 11.3 + 25.2 / 2 =
// 63.9 mm above the bottom and the other two a row higher, two diameters up: 63.9 + 50.4 =
// 114.3 mm. Their areas are the bars' own.
TEST_F(QuickDefine, FiveBottomBarsTakeTwoRowsTwoDiametersApart)
{
    g_QuickDefData.bottomCount = 5;
    ASSERT_EQ(BuildQuickDefineSection(beam), 1);
    std::vector<const LongLayerRec*> rows;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i)
        if (beam.GetLongLayer(i, 0)->name.rfind("bot", 0) == 0)
            rows.push_back(beam.GetLongLayer(i, 0));
    ASSERT_EQ(rows.size(), 2u);
    std::sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->z < b->z; });
    EXPECT_EQ(rows[0]->name, "bot");
    EXPECT_EQ(rows[0]->num, 3);
    EXPECT_NEAR(Up(rows[0]->z), 0.0639, 1e-7);
    EXPECT_NEAR(rows[0]->A, 1.5e-3, 1e-12);
    EXPECT_EQ(rows[1]->num, 2);
    EXPECT_NEAR(Up(rows[1]->z), 0.1143, 1e-7);
    EXPECT_NEAR(rows[1]->A, 1.0e-3, 1e-12);
    EXPECT_EQ(rows[1]->bartitle, "25M");
    EXPECT_NEAR(rows[1]->db, 0.0252, 1e-9);
}

TEST_F(QuickDefine, SteelTypesStrandsAndTheirFallbacks)
{
    TQuickDefData& q = g_QuickDefData;
    q.fyTrans = 500e6;
    q.strandKind = 4;
    q.strandCount = 6;
    q.stirrupKind = QuickStirrup::None;
    BuildQuickDefineSection(beam);
    EXPECT_EQ(beam.GetSteelType(0)->name, "Long");
    EXPECT_EQ(beam.GetSteelType(1)->name, "Trans");
    EXPECT_DOUBLE_EQ(beam.GetSteelType(1)->fy, 500e6);
    const SteelTypeRec& relieved = *beam.GetSteelType(2);
    EXPECT_EQ(relieved.name, "Relieved");
    EXPECT_DOUBLE_EQ(relieved.A, 0.03);
    EXPECT_DOUBLE_EQ(relieved.B, 121.0);
    EXPECT_DOUBLE_EQ(relieved.C, 6.0);
    EXPECT_EQ(beam.GetTransLayerCount(2), 0);
    // Without stirrups the strands sit 40.05 mm + half an S15 (15.24 mm) up; a row takes
    // int((250 - 80 - 0.2)/50.8 + 1.5) = 4.
    const LongLayerRec* p = Layer("pbot");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->bartitle, "S15");
    EXPECT_EQ(p->num, 4);
    EXPECT_EQ(p->type, 2);
    EXPECT_DOUBLE_EQ(p->dep, 0.0065);
    EXPECT_NEAR(Up(p->z), 0.04005 + 0.00762, 1e-7);
    int strands = 0;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i)
        if (beam.GetLongLayer(i, 0)->type == 2)
            strands += beam.GetLongLayer(i, 0)->num;
    EXPECT_EQ(strands, 6);

    // A catalogue without the strand: the strand keeps the specified area, 140 mm^2.
    g_RebarList.Clear();
    g_RebarList.Add("10M", 100e-6, 0.0113);
    q.strandKind = 3;
    q.topBar = q.bottomBar = q.stirrupBar = 0;
    BuildQuickDefineSection(beam);
    p = Layer("pbot");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->barIndex, -1);
    EXPECT_NEAR(p->Ai, 140e-6, 1e-12);
    EXPECT_NEAR(p->db, std::sqrt(4 * 140e-6 / 3.141592653589), 1e-9);
    EXPECT_EQ(beam.GetSteelType(2)->name, "Low Relax");

    // No strands still adds the chosen strand material, and no strand layer.
    q.strandCount = 0;
    q.strandKind = 0;
    BuildQuickDefineSection(beam);
    EXPECT_EQ(beam.GetSteelType(2)->name, "Low Relax");
    EXPECT_EQ(Layer("pbot"), nullptr);
}

// A 900 mm girder of 50 MPa concrete under a 200 x 1200 mm slab of the default 35 MPa:
// "Precast" and "Slab"; twenty slab bars in two rows of ten, 100 mm apart.
TEST_F(QuickDefine, CatalogueGirderWithSlab)
{
    TQuickDefData& q = g_QuickDefData;
    q.shapeCode = kStandardTypeCode;
    q.standardIndex = 0;
    q.fc = -50e6;
    q.dim = {0.0, 0.0, 0.2, 1.2, 0.0, 0.0};
    q.topCount = 20;
    q.topBar = QuickBarIndex("10M");
    BuildQuickDefineSection(beam);
    ASSERT_EQ(beam.GetConcreteTypeCount(), 2);
    EXPECT_EQ(beam.GetConcreteType(0)->name, "Precast");
    EXPECT_EQ(beam.GetConcreteType(1)->name, "Slab");
    EXPECT_DOUBLE_EQ(beam.GetConcreteType(1)->fc, -35e6);
    EXPECT_EQ(beam.GetShapeName(), "G900");
    EXPECT_EQ(beam.GetSectionKindCode(), kStandardTypeCode);
    EXPECT_NEAR(beam.GetHeight(), 1.1, 1e-9);
    EXPECT_NEAR(beam.GetWidthAt(beam.GetTop() - 0.1), 1.2, 1e-9);
    EXPECT_EQ(beam.GetConcreteTypeAt(beam.GetTop() - 0.1), beam.GetConcreteType(1));
    const LongLayerRec* top = Layer("top");
    const LongLayerRec* top2 = Layer("top2");
    ASSERT_NE(top, nullptr);
    ASSERT_NE(top2, nullptr);
    EXPECT_EQ(top->num, 10);
    EXPECT_EQ(top2->num, 10);
    EXPECT_NEAR(top->z - top2->z, 0.1, 1e-9);

    // A one-bar slab count still gives one row "top".
    q.topCount = 1;
    BuildQuickDefineSection(beam);
    ASSERT_NE(Layer("top"), nullptr);
    EXPECT_EQ(Layer("top")->num, 1);
    EXPECT_EQ(Layer("top2"), nullptr);
}

// One ring of sixteen in a 600 mm circle: layers of 1, 2 x 7 and 1 bars on the ring, all in
// pattern group 1 with sixteen bars; a hoop as wide as the section inside the cover.
TEST_F(QuickDefine, CircleTakesRingsAndAHoop)
{
    TQuickDefData& q = g_QuickDefData;
    q.shapeCode = Shape("CIRCLE");
    q.dim = {0.6, 0, 0, 0, 0, 0};
    q.topCount = 16;
    q.bottomCount = 0;
    q.stirrupKind = QuickStirrup::Hoop;
    BuildQuickDefineSection(beam);
    const TransLayerRec& hoop = *beam.GetTransLayer(0, 2);
    EXPECT_EQ(hoop.name, "hoop");
    // r = min(600/2 - 40 - 5.65, (600 - 2 x 45.65)/2) = 254.35 mm about mid-height.
    EXPECT_NEAR(hoop.disttop - hoop.distbot, 2 * 0.25435, 1e-6);
    EXPECT_NEAR(Up(hoop.distbot) + Up(hoop.disttop), 0.6, 1e-6);
    int bars = 0;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        const LongLayerRec& l = *beam.GetLongLayer(i, 0);
        bars += l.num;
        EXPECT_EQ(l.pattern, 1);
        EXPECT_EQ(l.nround, 16);
        EXPECT_EQ(l.index, 1);
        EXPECT_EQ(l.name.rfind("outer", 0), 0u);
    }
    EXPECT_EQ(bars, 16);
    EXPECT_EQ(beam.GetLongLayerCount(0), 9);
}

TEST_F(QuickDefine, HollowShapeLosesTheChordOfItsVoid)
{
    TQuickDefData& q = g_QuickDefData;
    q.shapeCode = Shape("HOLLOW");
    q.dim = {0.8, 0.4, 0, 0, 0, 0};
    q.topCount = q.bottomCount = 0;
    q.stirrupKind = QuickStirrup::None;
    BuildQuickDefineSection(beam);
    // The regions meet at mid-height, the void's centre: both lose its full diameter there,
    // and the faces, outside the void, keep the full 800 mm.
    ASSERT_EQ(beam.GetRegionCount(), 2);
    EXPECT_NEAR(beam.GetRegion(0)->topWidth, 0.8, 1e-9);
    EXPECT_NEAR(beam.GetRegion(0)->bottomWidth, 0.4, 1e-9);
    EXPECT_NEAR(beam.GetRegion(1)->topWidth, 0.4, 1e-9);
    EXPECT_NEAR(beam.GetRegion(1)->bottomWidth, 0.8, 1e-9);
}

TEST_F(QuickDefine, LoadingABeamWarnsAndRefillsTheRecord)
{
    g_QuickDefData.title = "Girder A";
    g_QuickDefData.fc = -45e6;
    g_QuickDefData.fyTrans = 300e6;
    g_QuickDefData.shapeCode = kStandardTypeCode;
    g_QuickDefData.standardIndex = 1;
    g_QuickDefData.dim = {0, 0, 0, 0, 0, 0};
    BuildQuickDefineSection(beam);
    g_QuickDefData = TQuickDefData{};
    SetQuickDefineNew(0);
    reporter.Clear();
    ASSERT_EQ(ResetQuickDefine(beam), 1);
    EXPECT_EQ(reporter.Count("only limited capability"), 1);
    EXPECT_EQ(reporter.messages.at(0).caption, "Potential Errors");
    EXPECT_EQ(g_QuickDefData.title, "Girder A");
    EXPECT_DOUBLE_EQ(g_QuickDefData.fc, -45e6);
    EXPECT_DOUBLE_EQ(g_QuickDefData.fyLong, 400e6);
    EXPECT_DOUBLE_EQ(g_QuickDefData.fyTrans, 300e6);
    EXPECT_EQ(g_QuickDefData.shapeCode, kStandardTypeCode);
    EXPECT_EQ(g_QuickDefData.standardIndex, 1);

    // A section without height is left alone, silently.
    TBeam empty{TBeam::Empty{}};
    reporter.Clear();
    EXPECT_EQ(LoadQuickDefineFromBeam(empty), 0);
    EXPECT_TRUE(reporter.messages.empty());
}

// From the record to an answer: every shape family builds a section that validates and
// carries a sectional response to its own finish.
TEST_F(QuickDefine, EveryShapeFamilyRunsToItsFinish)
{
    struct Case {
        const char* shape;
        std::array<double, 6> dim;
        int top, bottom, strands;
    };
    const Case cases[] = {
        {"RECT", {0.3, 0.5, 0, 0, 0, 0}, 2, 3, 0},
        {"CIRCLE", {0.5, 0, 0, 0, 0, 0}, 12, 0, 0},
        {"RCOL", {0.6, 0, 0, 0, 0, 0}, 8, 8, 0},
        {"TBEAM", {0.8, 0.6, 0.25, 0.12, 0, 0}, 4, 3, 0},
        {"IBEAM", {0.5, 0.9, 0.15, 0.12, 0.15, 0.4}, 2, 4, 4},
        {"G900", {0, 0, 0.2, 1.2, 0, 0}, 10, 2, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        SetQuickDefineNew(1);
        TBeam section;
        ResetQuickDefine(section);
        TQuickDefData& q = g_QuickDefData;
        if (std::string(c.shape) == "G900") {
            q.shapeCode = kStandardTypeCode;
            q.standardIndex = 0;
        } else {
            q.shapeCode = Shape(c.shape);
        }
        q.dim = c.dim;
        q.topCount = c.top;
        q.bottomCount = c.bottom;
        q.strandCount = c.strands;
        q.stirrupKind = QuickDefineLayout(q) == QuickLayout::OneRing ? QuickStirrup::Hoop
                        : QuickDefineLayout(q) == QuickLayout::TwoRings ? QuickStirrup::Interlocking
                                                                        : QuickStirrup::Closed;
        ASSERT_EQ(BuildQuickDefineSection(section), 1);
        EXPECT_GT(section.GetHeight(), 0.0);
        EXPECT_GT(section.GetLongLayerCount(0), 0);
        // Every bar lies inside the concrete.
        for (int i = 0; i < section.GetLongLayerCount(0); ++i) {
            const double z = section.GetLongLayer(i, 0)->z;
            EXPECT_GT(z, section.GetBottom());
            EXPECT_LT(z, section.GetTop());
        }
        TFullSectionalResponse response(&section);
        ASSERT_EQ(response.IsRunning(), 1);
        const int steps = RunToFinish(response, 5000);
        EXPECT_EQ(response.IsRunning(), 0);
        EXPECT_LT(steps, 5000);
        ASSERT_NE(response.GetPeakState(), nullptr);
        // The unit moment increment drives a sagging moment.
        EXPECT_GT(std::fabs(response.GetPeakState()->Results[StateResult::Moment]), 1000.0);
    }
}

} // namespace
