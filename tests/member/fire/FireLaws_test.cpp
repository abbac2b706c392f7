// The temperature laws of concrete and reinforcement at their breakpoints.

#include "member/fire/FireLaws.h"

#include <gtest/gtest.h>

#include "foundation/ReportText.h"
#include "model/FireDefaults.h"

namespace {

constexpr double kTol = 1e-9;
// One side of a breakpoint: laws that switch at T are read at T and just below it.
constexpr double kBelow = 1e-9;

struct LawRow {
    const char* name;
    double (*law)(double, int);
    int type;
    double T;
    double below; // the value just below T
    double at;    // the value at T
};

TEST(FireLaws, ConcreteFactorsAtTheirBreakpoints)
{
    // Strength: 1 below 100; 1.067 - 0.00067 T to 400 inclusive; max(0.05, 1.44 - 0.0016 T).
    EXPECT_NEAR(ConcreteStrengthFactor(100.0 - kBelow), 1.0, kTol);
    EXPECT_NEAR(ConcreteStrengthFactor(100.0), 1.0, 1e-6);
    EXPECT_NEAR(ConcreteStrengthFactor(400.0), 0.799, kTol);
    EXPECT_NEAR(ConcreteStrengthFactor(400.0 + 1e-6), 0.8, 1e-6);
    EXPECT_NEAR(ConcreteStrengthFactor(600.0), 0.48, kTol);
    EXPECT_NEAR(ConcreteStrengthFactor(880.0), 0.05, kTol) << "floored at 5 %";
    EXPECT_NEAR(ConcreteStrengthFactor(1200.0), 0.05, kTol);
    // Stiffness: 1.2 - 0.0021 T below 450 (0.255 just below), 0.05 from 450.
    EXPECT_NEAR(ConcreteStiffnessFactor(99.0), 1.0, kTol);
    EXPECT_NEAR(ConcreteStiffnessFactor(100.0), 0.99, kTol);
    EXPECT_NEAR(ConcreteStiffnessFactor(450.0 - kBelow), 0.255, 1e-6);
    EXPECT_NEAR(ConcreteStiffnessFactor(450.0), 0.05, kTol);
    EXPECT_NEAR(ConcreteStiffnessFactor(950.0), 0.05, kTol);
    // Peak strain: 1 at 20 degrees, (80^2 0.04 + 480 + 2500) / 2500 at 100, at most 20.
    EXPECT_NEAR(ConcretePeakStrainFactor(20.0), 1.0, kTol);
    EXPECT_NEAR(ConcretePeakStrainFactor(100.0), 1.2944, kTol);
    EXPECT_NEAR(ConcretePeakStrainFactor(1200.0), 20.0, kTol);
}

TEST(FireLaws, ReinforcementFactorsAreContinuousAtTheirBreakpoints)
{
    const LawRow rows[] = {
        {"steel E 500", SteelStiffnessFactor, kMildSteel, 500.0, 0.6, 0.6},
        {"steel E 600", SteelStiffnessFactor, kMildSteel, 600.0, 0.31, 0.31},
        {"steel E 700", SteelStiffnessFactor, kMildSteel, 700.0, 0.13, 0.13},
        {"steel E 800", SteelStiffnessFactor, kMildSteel, 800.0, 0.09, 0.09},
        {"steel E 1200", SteelStiffnessFactor, kMildSteel, 1200.0, 0.0, 0.0},
        {"steel fy 350", SteelStrengthFactor, kMildSteel, 350.0, 1.0, 0.9995},
        {"steel fy 700", SteelStrengthFactor, kMildSteel, 700.0, 0.1, 0.1},
        {"steel fy 1200", SteelStrengthFactor, kMildSteel, 1200.0, 0.0, 0.0},
        {"GFRP E 300", SteelStiffnessFactor, kGFRP, 300.0, 0.5, 0.5},
        {"CFRP E 400", SteelStiffnessFactor, kCFRP, 400.0, 0.0, 0.0},
        {"AFRP E 300", SteelStiffnessFactor, kAFRP, 300.0, 0.65, 0.65},
        {"AFRP E 500", SteelStiffnessFactor, kAFRP, 500.0, 0.0, 0.0},
        {"GFRP fy 100", SteelStrengthFactor, kGFRP, 100.0, 1.0, 1.0},
        {"GFRP fy 400", SteelStrengthFactor, kGFRP, 400.0, 0.001, 0.0},
        {"CFRP fy 400", SteelStrengthFactor, kCFRP, 400.0, 0.0, 0.0},
        {"AFRP fy 475, never negative", SteelStrengthFactor, kAFRP, 475.0, 0.0, 0.0},
        {"AFRP fy 400", SteelStrengthFactor, kAFRP, 400.0, 0.199, 0.199},
    };
    for (const LawRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(row.law(row.T - kBelow, row.type), row.below, 1e-6);
        EXPECT_NEAR(row.law(row.T, row.type), row.at, 1e-6);
    }
    // Every kind keeps its full stiffness below 100 degrees; CFRP 95 % of its strength at 20.
    for (int type = 0; type < kRebarFireTypeCount; ++type)
        EXPECT_EQ(SteelStiffnessFactor(99.0, type), 1.0) << type;
    EXPECT_NEAR(SteelStrengthFactor(20.0, kCFRP), 0.95, kTol);
}

TEST(FireLaws, UnknownReinforcementTypeIsSteelWithALoadErrorLine)
{
    ClearReportText();
    // The laws never answer a negative factor, whatever the type.
    EXPECT_EQ(SteelStrengthFactor(600.0, 7), SteelStrengthFactor(600.0, kMildSteel));
    EXPECT_EQ(SteelStiffnessFactor(600.0, -1), SteelStiffnessFactor(600.0, kMildSteel));

    EXPECT_EQ(CheckRebarFireType(kAFRP, "B"), kAFRP);
    EXPECT_FALSE(HasReportText()) << "a known type is no complaint";
    EXPECT_EQ(CheckRebarFireType(9, "Girder"), kMildSteel);
    ASSERT_TRUE(HasReportText());
    EXPECT_NE(g_ReportText->find("fire type 9 in \"Girder\""), std::string::npos);
    ClearReportText();
}

TEST(FireLaws, DefaultFireSettingsAndTheirTolerances)
{
    int e = 0;
    int t = 0;
    int r = 0;
    double time = 0.0;
    double temperature = 0.0;
    GetDefaultFireData(e, t, r, time, temperature);
    EXPECT_EQ(IsDefaultFireData(e, t, r, time, temperature), 1);
    EXPECT_EQ(IsDefaultFireData(7, 0, 0, 1860.0, 999.0), 1);
    EXPECT_EQ(IsDefaultFireData(7, 0, 0, 1861.0, 1000.0), 0);
    EXPECT_EQ(IsDefaultFireData(7, 0, 0, 1800.0, 1001.5), 0);
    EXPECT_EQ(IsDefaultFireData(1, 0, 0, 1800.0, 1000.0), 0);
    EXPECT_EQ(IsDefaultFireData(7, 0, 2, 1800.0, 1000.0), 0);
}

} // namespace
