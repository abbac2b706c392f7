// A page left as it shows the section keeps the section's values to the last bit, in every
// unit system; and Quick Define builds no section of dimensions that give it no concrete.

#include <gtest/gtest.h>

#include <sstream>

#include "dialogs/DefinitionFields.h"
#include "dialogs/OutlineEditor.h"
#include "dialogs/QuickDefine.h"
#include "dialogs/SectionSheet.h"
#include "dialogs/StrainProfile.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "model/shapes/ShapeLibrary.h"
#include "support/TestSupport.h"

namespace {

// The same points, to the last bit.
void ExpectSameTable(const TDepthTable& was, const TDepthTable& is)
{
    ASSERT_EQ(is.GetCount(), was.GetCount());
    for (int i = 0; i < was.GetCount(); ++i) {
        EXPECT_EQ(is.GetDepth(i), was.GetDepth(i)) << i;
        EXPECT_EQ(is.GetValue(i), was.GetValue(i)) << i;
    }
}

struct PagesKeepWhatTheyShow : ::testing::Test {
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    RecordingReporter reporter;
    TBeam beam;

    PagesKeepWhatTheyShow()
    {
        beam.DeleteRegions();
        beam.AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
        beam.Validate();
    }
};

TEST_F(PagesKeepWhatTheyShow, TimeDependentEffectsLeftAsShownKeepTheSustainedLoads)
{
    // Typed in US units: 100 kip.ft and -50 kips sustained, 5 years.
    g_UnitSystem = kUnitUS;
    TimeFields typed = ShowTime(&beam);
    typed.consider = true;
    typed.years = "5";
    typed.moment = "100";
    typed.axial = "-50";
    ASSERT_FALSE(CheckTime(typed));
    ApplyTime(beam, typed);
    int flag = 0;
    double days = 0, moment = 0, axial = 0;
    beam.GetTimeData(flag, days, moment, axial);
    // Shown in each unit system (kN.m, t.m with one decimal) and left with OK.
    for (int system : {kUnitSI, kUnitUS, kUnitOldMetric, kUnitRoman}) {
        SCOPED_TRACE(system);
        g_UnitSystem = system;
        ApplyTime(beam, ShowTime(&beam));
        int f = 0;
        double d = 0, m = 0, n = 0;
        beam.GetTimeData(f, d, m, n);
        EXPECT_EQ(f, flag);
        EXPECT_EQ(d, days);
        EXPECT_EQ(m, moment);
        EXPECT_EQ(n, axial);
    }
    // A value typed anew is taken as typed.
    g_UnitSystem = kUnitOldMetric;
    typed = ShowTime(&beam);
    typed.moment = "10";
    ApplyTime(beam, typed);
    beam.GetTimeData(flag, days, moment, axial);
    EXPECT_DOUBLE_EQ(moment, 10.0 / UnitFactor(ukMoment, kUnitOldMetric));
}

TEST_F(PagesKeepWhatTheyShow, StrainDiscontinuityLeftAsShownMovesNoPoint)
{
    // A step 400 mm above the bottom: 0.1 m above the moment axis, which the page shows as an
    // elevation above the bottom (-0.3 m) and would write back as 0.10000000000000003.
    ASSERT_DOUBLE_EQ(beam.GetBottom(), -0.3);
    ASSERT_NE((0.1 - beam.GetBottom()) + beam.GetBottom(), 0.1);
    TDepthTable steps("discontinuity");
    steps.Add(0.3, 0.0);
    steps.Add(0.1, 0.001);
    steps.Add(-0.3, 0.0);
    beam.SetStrainDiscontinuity(steps);
    beam.Validate();
    const TDepthTable before = beam.GetStrainDiscontinuityTable();
    for (int mode : {0, 1}) {
        const TDepthTable shrinkage = beam.GetPositionVariable(kShrinkTherm);
        TStrainProfile page(beam, mode);
        page.Rows();
        page.Write();
        ExpectSameTable(shrinkage, beam.GetPositionVariable(kShrinkTherm));
    }
    ExpectSameTable(before, beam.GetStrainDiscontinuityTable());
}

struct QuickDefineOfNoConcrete : ::testing::Test {
    void SetUp() override
    {
        g_RebarList.Clear();
        std::istringstream listing(DefaultRebarListing());
        g_RebarList.ReadListing(listing);
        ReadShapeLibraryText(0, DefaultShapeFileText());
        g_QuickDefData = QuickDefineDefaults(kUnitSI);
    }
    void TearDown() override
    {
        ShapeTable = {};
        g_RebarList = savedList;
        g_QuickDefData = TQuickDefData{};
    }

    TRebarList savedList = g_RebarList;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    RecordingReporter reporter;
};

TEST_F(QuickDefineOfNoConcrete, AWidthOrAHeightOfZeroIsRefusedAndTheSectionStays)
{
    TBeam beam;
    beam.DeleteRegions();
    beam.AddRegion(0.5, 0.0, 0.25, 0.25, 0, 1);
    beam.SetName("Before");
    beam.Validate();
    ASSERT_FALSE(CheckQuickDefine(g_QuickDefData));
    for (int k : {0, 1}) {
        SCOPED_TRACE(k);
        TQuickDefData& q = g_QuickDefData;
        q = QuickDefineDefaults(kUnitSI);
        ASSERT_EQ(ShapeTable[static_cast<std::size_t>(q.shapeCode)]->name, "RECT");
        q.dim[static_cast<std::size_t>(k)] = 0.0;
        const TypedRefusal refused = CheckQuickDefine(q);
        EXPECT_EQ(refused.field, QuickField::Dim0);
        EXPECT_NE(refused.message.find("needs concrete"), std::string::npos) << refused.message;
        EXPECT_EQ(BuildQuickDefineSection(beam), 0);
        EXPECT_EQ(beam.GetName(), "Before");
        ASSERT_EQ(beam.GetRegionCount(), 1);
        EXPECT_DOUBLE_EQ(beam.GetHeight(), 0.5);
    }
    // The defaults build.
    g_QuickDefData = QuickDefineDefaults(kUnitSI);
    EXPECT_EQ(BuildQuickDefineSection(beam), 1);
    EXPECT_GT(beam.GetHeight(), 0.0);
}

} // namespace

namespace {

TEST_F(PagesKeepWhatTheyShow, ConcreteSectionLeftAsShownInUsUnitsMovesNothing)
{
    // A 600 mm section shown on the grid of inches (23.62 in) and left with OK.
    g_UnitSystem = kUnitUS;
    const double top = beam.GetTop(), bottom = beam.GetBottom();
    TDepthTable outline, types;
    const SectionSheetStart start = StartSectionSheet(beam, outline, types);
    EXPECT_EQ(FinishSectionSheet(beam, outline, types, start), 0);
    EXPECT_EQ(beam.GetTop(), top);
    EXPECT_EQ(beam.GetBottom(), bottom);
    EXPECT_EQ(beam.GetRegion(0)->top, top);
    // An edited outline is built as shown.
    TOutlineEditor editor(outline, types, beam.GetMaxRegions(), [](int, double) { return 1; });
    editor.SelectRow(0);
    editor.Modify("30", "12");
    ASSERT_EQ(editor.RefusedField(), -1);
    EXPECT_EQ(FinishSectionSheet(beam, outline, types, start), 1);
    beam.Validate();
    EXPECT_NEAR(beam.GetHeight(), 30.0 / UnitFactor(ukSectionLength, kUnitUS), 1e-6);
}

} // namespace
