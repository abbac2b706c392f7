// The thermal analysis: the run with its progress, the post-fire beam in the structure table,
// the strain profile and the messages.

#include "member/fire/ThermalAnalysis.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "FireTestSupport.h"
#include "member/fire/FireLaws.h"
#include "support/TestSupport.h"

namespace {

using firetest::FireBeam;
using firetest::TestSlots;

struct ThermalAnalysisTest : ::testing::Test {
    RecordingReporter reporter;
    firetest::FireStateGuard guard;
    TestSlots slots;
};

bool Finite(const SteelTypeRec& s)
{
    for (double v : {s.Es, s.fy, s.fu, s.esh, s.eu, s.er, s.A, s.B, s.C}) {
        if (!std::isfinite(v))
            return false;
    }
    if (s.userCurve) {
        for (const DepthPair& p : s.userCurve->Pairs()) {
            if (!std::isfinite(p.z) || !std::isfinite(p.v))
                return false;
        }
    }
    return true;
}

double LargestStress(const SteelTypeRec& s)
{
    int index = -1;
    return s.userCurve->MaxValue(index);
}

TEST_F(ThermalAnalysisTest, PostFireBeamTakesTheFirstFreeSlotWithItsBandsAndTypes)
{
    // 300 wide, 600 deep, four bottom bars and stirrups, all faces, standard fire, 60.5 min.
    const FireData fire{7, kISO834Fire, kMildSteel, 3630.0, 1000.0};
    TBeam* source = slots.Put(0, FireBeam(0.3, 0.6, fire, 4, true));
    slots.slots[1] = std::make_unique<TBeam>(); // taken: the beam goes to slot 2
    std::vector<double> progress;
    const int s = ThermalAnalysis(source, slots, [&](double f) { progress.push_back(f); });
    ASSERT_EQ(s, 2);
    ASSERT_EQ(HasThermalModel(), 1);
    EXPECT_TRUE(reporter.messages.empty());

    // 61 steps counted against 60 minutes: the progress starts at 0 and never passes 1.
    ASSERT_EQ(progress.size(), 62u);
    EXPECT_EQ(progress.front(), 0.0);
    EXPECT_NEAR(progress[30], 0.5, 1e-12);
    EXPECT_EQ(progress[60], 1.0);
    EXPECT_EQ(progress.back(), 1.0);
    EXPECT_NEAR(GetFireSurfaceTemperature(), 20.0 + 345.0 * std::log10(8.0 * 60.5 + 1.0), 1e-9);

    const TBeam& after = *slots.Beam(s);
    EXPECT_EQ(after.GetName(), "Z Beam - After Fire");
    EXPECT_EQ(after.IsFrozen(), 0);
    ASSERT_EQ(after.GetRegionCount(), 24);
    ASSERT_EQ(after.GetConcreteTypeCount(), 24);
    const double h = 0.6 / 24.0;
    for (int r = 0; r < 24; ++r) {
        SCOPED_TRACE(r);
        const ConcreteRegionRec& region = *after.GetRegion(r);
        // Listed from the top band down; band k (from the bottom) uses type k.
        const int k = 23 - r;
        EXPECT_NEAR(region.bottom - after.GetBottom(), k * h, 1e-9);
        EXPECT_NEAR(region.top - region.bottom, h, 1e-9);
        EXPECT_NEAR(region.topWidth, 0.3, 1e-9);
        EXPECT_EQ(region.concreteType, k);
        EXPECT_EQ(after.GetConcreteType(k)->name, "Lay: " + std::to_string(k + 1));
        EXPECT_EQ(after.GetConcreteType(k)->baseCurve, BaseCurveCode::UserDefined);
    }
    // Burnt faces: the bottom band keeps less strength than the middle of the section, which
    // keeps nearly all of it (the banded curve averages 15 strips across the half-width).
    const double fcSource = source->GetConcreteType(0)->fc;
    const double fcBottom = after.GetConcreteType(0)->fc;
    const double fcMiddle = after.GetConcreteType(12)->fc;
    EXPECT_GT(fcBottom, fcMiddle) << "compression negative";
    EXPECT_LT(fcMiddle, 0.6 * fcSource);

    ASSERT_EQ(after.GetSteelTypeCount(), 2);
    EXPECT_EQ(after.GetSteelType(0)->name, "Lay: 1");
    EXPECT_EQ(after.GetSteelType(0)->kind, SteelKind::UserCurve);
    EXPECT_EQ(after.GetLongLayer(0, 0)->type, 0);
    EXPECT_EQ(after.GetSteelType(1)->name, "Stirrup: 1");
    EXPECT_EQ(after.GetTransLayer(0, 2)->type, 1);
    // The bars at 50 mm are hot after an hour but keep part of their strength.
    const double fyBars = LargestStress(*after.GetSteelType(0));
    EXPECT_GT(fyBars, 0.1 * source->GetSteelType(0)->fu);
    EXPECT_LT(fyBars, source->GetSteelType(0)->fu);
    EXPECT_LE(after.GetSteelType(1)->fy, source->GetSteelType(0)->fy);
}

TEST_F(ThermalAnalysisTest, FibreReinforcedBeamAfterTwoHoursHasFiniteCurves)
{
    // GFRP loses all stiffness and strength at 400 degrees, which bars 50 mm from the face of
    // a beam in a two-hour standard fire pass.
    const FireData fire{7, kISO834Fire, kGFRP, 7200.0, 1000.0};
    TBeam* source = slots.Put(0, FireBeam(0.3, 0.6, fire, 4, true));
    const int s = ThermalAnalysis(source, slots);
    ASSERT_EQ(s, 1);
    for (int b = 0; b < 4; ++b) {
        double x = 0.0;
        double z = 0.0;
        source->GetLongBarPosition(0, b, x, z);
        EXPECT_GE(g_ThermalModel->GetTemperature(z - source->GetBottom(), std::fabs(x)), 400.0);
    }
    const TBeam& after = *slots.Beam(s);
    ASSERT_EQ(after.GetSteelTypeCount(), 2);
    for (int t = 0; t < 2; ++t)
        EXPECT_TRUE(Finite(*after.GetSteelType(t))) << t;
    EXPECT_EQ(LargestStress(*after.GetSteelType(0)), 0.0) << "the hot bars carry nothing";
    // The stirrup keeps a valid, practically strengthless type.
    const SteelTypeRec& stirrup = *after.GetSteelType(1);
    EXPECT_GT(stirrup.fy, 0.0);
    EXPECT_LE(stirrup.fy, kMinStirrupFireFactor * source->GetSteelType(0)->fy * 1.0001);
    for (int k = 0; k < after.GetConcreteTypeCount(); ++k)
        EXPECT_TRUE(std::isfinite(after.GetConcreteType(k)->fc)) << k;
}

TEST_F(ThermalAnalysisTest, NoFreeSlotIsReportedAndKeepsTheModel)
{
    // A section about twice as wide as deep: its rows are cut at the grid edge.
    const FireData fire{kExposeBottom, kConstantFire, kMildSteel, 300.0, 800.0};
    TestSlots full(2);
    TBeam* source = full.Put(0, FireBeam(1.21, 0.6, fire));
    full.Put(1, std::make_unique<TBeam>());
    full.current = 1;
    EXPECT_EQ(ThermalAnalysis(source, full), 1);
    EXPECT_EQ(reporter.Count("No space left for thermal analysis: too many beams.  Fire ignored."),
              1);
    EXPECT_EQ(reporter.messages.back().caption, "Thermal Analysis Error");
    ASSERT_EQ(HasThermalModel(), 1) << "the charts keep the model";
    EXPECT_EQ(g_ThermalModel->ClassifyPoint(50, 100), kFireSideFace);
    EXPECT_DOUBLE_EQ(GetFireSurfaceTemperature(), 800.0);
    // A model that made no beam is no reason to skip a new run.
    EXPECT_EQ(ThermalAnalysis(source, full), 1);
    EXPECT_EQ(reporter.Count("No space left"), 2);

    // Nothing to run: no beam, no height, not a beam.
    EXPECT_EQ(ThermalAnalysis(nullptr, full), 1);
    TBeam empty;
    EXPECT_EQ(ThermalAnalysis(&empty, full), 1);
    TStructure bare;
    bare.AddRegion(0.3, 0.0, 0.3, 0.3, 0, 1);
    EXPECT_EQ(ThermalAnalysis(&bare, full), 1);
    EXPECT_EQ(reporter.Count("beam section"), 1);
    EXPECT_EQ(DeleteThermalModel(), 1);
    EXPECT_EQ(DeleteThermalModel(), 0);
    EXPECT_DOUBLE_EQ(GetFireSurfaceTemperature(), FireStartTemperature);
}

TEST_F(ThermalAnalysisTest, StoredSettingsBeyondTheDialogsRangeAreMendedWithALoadErrorLine)
{
    TBeam beam;
    beam.SetName("Slab");
    beam.SetFireData(3, kNPDFire, 4, 1e9, 900.0);
    const FireData fire = FireRunSettings(beam);
    EXPECT_EQ(fire, (FireData{3, kNPDFire, kMildSteel, kMaxFireExposure, 900.0}));
    ASSERT_TRUE(HasReportText());
    EXPECT_NE(g_ReportText->find("fire type 4 in \"Slab\""), std::string::npos);
    EXPECT_NE(g_ReportText->find("cut to 10 hours"), std::string::npos);

    ClearReportText();
    beam.SetFireData(1, kISO834Fire, kAFRP, 36000.0, 1000.0);
    EXPECT_EQ(FireRunSettings(beam), (FireData{1, kISO834Fire, kAFRP, 36000.0, 1000.0}));
    EXPECT_FALSE(HasReportText()) << "ten hours are allowed";
}

TEST_F(ThermalAnalysisTest, UnknownReinforcementTypeRunsAsSteelAndStrainProfileTracesTheHeight)
{
    // A fire type no dialog offers, as a document may carry it; bottom exposure for 5 min.
    const FireData fire{kExposeBottom, kISO834Fire, 6, 300.0, 1000.0};
    TBeam* source = slots.Put(0, FireBeam(0.3, 0.6, fire, 2));
    double first = 0.0;
    double second = 0.0;
    EXPECT_EQ(ResetThermalPlotIterator(kFireStrainQuantity), 0) << "no model";
    EXPECT_EQ(GetNextThermalPlotPoint(kFireStrainQuantity, first, second), 0);

    const int s = ThermalAnalysis(source, slots);
    ASSERT_EQ(s, 1);
    ASSERT_TRUE(HasReportText());
    EXPECT_NE(g_ReportText->find("fire type 6"), std::string::npos);
    EXPECT_TRUE(Finite(*slots.Beam(s)->GetSteelType(0)));
    EXPECT_GT(LargestStress(*slots.Beam(s)->GetSteelType(0)), 0.0) << "cool bars as steel";

    // 50 (strain, height) pairs from the bottom (hot) to the top (still at 20 degrees).
    ASSERT_EQ(ResetThermalPlotIterator(kFireStrainQuantity), 1);
    std::vector<std::pair<double, double>> points;
    while (GetNextThermalPlotPoint(kFireStrainQuantity, first, second))
        points.emplace_back(first, second);
    ASSERT_EQ(points.size(), 50u);
    EXPECT_NEAR(points.front().second, source->GetBottom(), 1e-12);
    EXPECT_NEAR(points[1].second, points[2].second, 1e-12) << "inner heights come twice";
    EXPECT_NEAR(points.back().second, source->GetTop(), 1e-12);
    EXPECT_GT(points.front().first, 1e-3) << "the exposed face, several hundred degrees up";
    EXPECT_NEAR(points.back().first, 0.0, 1e-15) << "20 degrees: no thermal strain";

    // Other quantities come from the model's grid series.
    ASSERT_EQ(ResetThermalPlotIterator(2110), 1);
    ASSERT_EQ(GetNextThermalPlotPoint(2110, first, second), 1);
    EXPECT_DOUBLE_EQ(first, 0.6);
    EXPECT_DOUBLE_EQ(second, 51.0);
}

} // namespace
