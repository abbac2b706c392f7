// The definition dialogs' models called on their own, without their windows: each Apply
// refuses exactly what its Check refuses (texts that are no finite number, values past the
// field's range in every unit system) and then stores nothing at all; and the general page of
// a validated element with automatic crack spacing shows "Automatic".

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "dialogs/DefinitionFields.h"
#include "dialogs/FireFields.h"
#include "foundation/Units.h"
#include "model/StructureFixtures.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "model/materials/MaterialTypes.h"
#include "support/TestSupport.h"

namespace {

const std::vector<std::string> kNoFiniteNumber = {"nan", "inf", "-inf", "1e999", "-1e999"};
// The unit tables' factors are kept to a few parts in 10^4 (1 kg/cm^2 is 98066.5 Pa, the table
// takes 98100.8).
constexpr double kUnitTableRounding = 5e-4;

struct CheckedApplyTest : ::testing::Test {
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<int> fileOverride{g_FileOverride, 1};
    ValueGuard<ResistanceFactors> factors{g_ResistanceFactors, ResistanceFactors{0.65, 0.85, 0.9}};
    RecordingReporter reporter;
    TBeam beam;

    std::array<double, 6> Loads() const
    {
        std::array<double, 6> v{};
        beam.GetConstantLoads(v.data(), 3);
        beam.GetIncrementLoads(v.data() + 3, 3);
        return v;
    }
};

// ---- Loads ----------------------------------------------------------------------------------

// Loads reach 1e9 N and 1e9 N m: 1e6 kN or kN m, 224808.9 kips, 737562 kip-ft, 102040.8 ton.
TEST_F(CheckedApplyTest, LoadsApplyRefusesWhatCheckRefusesInEveryUnitSystemAndStoresNothing)
{
    const double constant[3] = {-150e3, 2e3, 10e3}, increment[3] = {1e3, -4e3, 5e3};
    beam.SetConstantLoads(constant, 3);
    beam.SetIncrementLoads(increment, 3);
    beam.SetModified(0);
    const std::array<double, 6> stored = Loads();

    struct Bound {
        int system;
        const char *force, *moment;  // just past the range
    };
    for (const Bound& b : {Bound{kUnitSI, "1000001", "-1000001"}, Bound{kUnitUS, "224810", "737563"},
                           Bound{kUnitOldMetric, "-102041", "102041"}}) {
        g_UnitSystem = b.system;
        for (int i = 0; i < 6; ++i) {
            std::vector<std::string> refused = kNoFiniteNumber;
            refused.push_back(i % 3 == 1 ? b.moment : b.force);
            for (const std::string& text : refused) {
                std::array<std::string, 6> typed = ShowLoads(beam).values;
                typed[static_cast<std::size_t>(i)] = text;
                EXPECT_EQ(CheckLoads(typed).field, i) << b.system << " field " << i << ": " << text;
                EXPECT_EQ(ApplyLoads(beam, typed), 0) << text;
                EXPECT_EQ(Loads(), stored) << b.system << " field " << i << ": " << text;
                EXPECT_EQ(beam.IsModified(), 0) << text;
            }
        }
    }

    // The ends of the range are taken: one million kN and kN m in SI (the moment's sign turned).
    g_UnitSystem = kUnitSI;
    std::array<std::string, 6> typed = {"-1000000", "1000000", "0", "0", "0", "0"};
    EXPECT_FALSE(CheckLoads(typed));
    EXPECT_EQ(ApplyLoads(beam, typed), 1);
    EXPECT_DOUBLE_EQ(Loads()[0], -1e9);
    EXPECT_DOUBLE_EQ(Loads()[1], -1e9);
    // 224800 kips = 224800 / 0.0002248089 N.
    g_UnitSystem = kUnitUS;
    typed = {"224800", "0", "0", "0", "0", "0"};
    EXPECT_FALSE(CheckLoads(typed));
    ApplyLoads(beam, typed);
    EXPECT_NEAR(Loads()[0], 224800.0 / 0.0002248089, 1e-3);
}

// ---- General definitions --------------------------------------------------------------------

TEST_F(CheckedApplyTest, GeneralApplyRefusesWhatCheckRefusesAndKeepsTheTitleBlockToo)
{
    beam.SetName("Kept");
    beam.SetDoneBy("EB");
    beam.SetCrackSpacing(0.2, 0);
    beam.SetCrackSpacing(0.3, 2);
    beam.SetMomentAxis(0.1);
    beam.SetModified(0);
    for (int system : {kUnitSI, kUnitUS, kUnitOldMetric}) {
        g_UnitSystem = system;
        for (int field : {3, 4, 5}) {
            for (const std::string& text : kNoFiniteNumber) {
                GeneralFields typed = ShowGeneral(beam);
                typed.name = "Changed";
                typed.author = "XY";
                (field == 3 ? typed.longitudinal : field == 4 ? typed.transverse : typed.axis) = text;
                EXPECT_EQ(CheckGeneral(typed).field, field) << text;
                EXPECT_EQ(ApplyGeneral(beam, typed), 0) << field << ": " << text;
                EXPECT_EQ(beam.GetName(), "Kept");
                EXPECT_EQ(beam.GetDoneBy(), "EB");
                EXPECT_EQ(beam.GetCrackSpacing(0), 0.2);
                EXPECT_EQ(beam.GetCrackSpacing(2), 0.3);
                EXPECT_EQ(beam.GetMomentAxis(), 0.1);
                EXPECT_EQ(beam.IsModified(), 0);
            }
        }
    }

    // A ticked box does not read its text: Check passes and Apply stores automatic spacing and
    // the centroidal axis.
    g_UnitSystem = kUnitSI;
    GeneralFields typed = ShowGeneral(beam);
    typed.longitudinalAuto = typed.transverseAuto = typed.centroidal = true;
    typed.longitudinal = typed.transverse = typed.axis = "nan";
    EXPECT_FALSE(CheckGeneral(typed));
    EXPECT_EQ(ApplyGeneral(beam, typed), 1);
    EXPECT_LT(beam.GetCrackSpacing(0), 0.0);
    EXPECT_LT(beam.GetCrackSpacing(2), 0.0);
    EXPECT_GT(beam.GetMomentAxis(), 1e30);
}

// ---- Long-term settings ---------------------------------------------------------------------

TEST_F(CheckedApplyTest, TimeApplyRefusesWhatCheckRefusesAndLeavesTheFlagAsItWas)
{
    beam.SetTimeData(0, 3650.0, 1e3, 2e3);
    beam.SetModified(0);
    const auto stored = [this] {
        int flag = 0;
        double days = 0, moment = 0, axial = 0;
        beam.GetTimeData(flag, days, moment, axial);
        return std::array<double, 4>{double(flag), days, moment, axial};
    };
    const std::array<double, 4> before = stored();
    struct Case {
        int system, field;
        std::string text;
    };
    std::vector<Case> cases;
    for (int field = 0; field < 3; ++field)
        for (const std::string& text : kNoFiniteNumber)
            cases.push_back({kUnitSI, field, text});
    // Ages from 0 to 1000 years; loads to 1e9 N m and 1e9 N in each system's units.
    for (const char* age : {"-1", "-0.01", "1000.01", "1e6"})
        cases.push_back({kUnitSI, 0, age});
    cases.push_back({kUnitSI, 1, "1000001"});
    cases.push_back({kUnitSI, 2, "-1000001"});
    cases.push_back({kUnitUS, 1, "-737563"});
    cases.push_back({kUnitUS, 2, "224810"});
    cases.push_back({kUnitOldMetric, 2, "102041"});
    for (const Case& c : cases) {
        g_UnitSystem = c.system;
        TimeFields typed = ShowTime(&beam);
        typed.consider = true;
        (c.field == 0 ? typed.years : c.field == 1 ? typed.moment : typed.axial) = c.text;
        EXPECT_EQ(CheckTime(typed).field, c.field) << c.system << ": " << c.text;
        EXPECT_EQ(ApplyTime(beam, typed), 0) << c.text;
        EXPECT_EQ(stored(), before) << c.system << " field " << c.field << ": " << c.text;
        EXPECT_EQ(beam.IsModified(), 0);
    }

    // A thousand years is taken: 365000 days.
    g_UnitSystem = kUnitSI;
    TimeFields typed = ShowTime(&beam);
    typed.years = "1000";
    EXPECT_FALSE(CheckTime(typed));
    EXPECT_EQ(ApplyTime(beam, typed), 1);
    EXPECT_DOUBLE_EQ(stored()[1], 365000.0);
}

// ---- Preferences ----------------------------------------------------------------------------

TEST_F(CheckedApplyTest, PreferencesApplyRefusesWhatCheckRefusesAndKeepsUnitsAndOverride)
{
    for (int field = 0; field < 3; ++field) {
        for (const std::string& text : kNoFiniteNumber) {
            PreferenceFields typed = ShowPreferences();
            typed.factors = {"0.5", "0.6", "0.7"};
            typed.factors[static_cast<std::size_t>(field)] = text;
            typed.unitRadio = 1;
            typed.unitPressed = true;
            typed.fileOverride = false;
            EXPECT_EQ(CheckPreferences(typed).field, field) << text;
            EXPECT_FALSE(ApplyPreferences(typed)) << field << ": " << text;
            EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{0.65, 0.85, 0.9})) << field << ": " << text;
            EXPECT_EQ(g_UnitSystem, kUnitSI) << text;
            EXPECT_EQ(g_FileOverride, 1) << text;
        }
    }
    // Finite factors past 0.01 .. 10 are taken and held there (the message says so).
    PreferenceFields typed = ShowPreferences();
    typed.factors = {"-3", "1e300", "0.7"};
    EXPECT_FALSE(CheckPreferences(typed));
    EXPECT_TRUE(ApplyPreferences(typed));
    EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{0.01, 10.0, 0.7}));
}

// ---- Fire -----------------------------------------------------------------------------------

TEST_F(CheckedApplyTest, FireApplyRefusesWhatCheckRefusesWithoutCorrectingAnything)
{
    beam.SetFireData(5, 1, 2, 1800.0, 800.0);
    beam.SetModified(0);
    const auto stored = [this] {
        FireData f;
        beam.GetFireData(f.exposure, f.type, f.rebarperform, f.time, f.constanttemp);
        return f;
    };
    const FireData before = stored();
    struct Case {
        int system, field;
        std::string text;
    };
    std::vector<Case> cases;
    for (int field = 0; field < 2; ++field)
        for (const std::string& text : kNoFiniteNumber)
            cases.push_back({kUnitSI, field, text});
    // 0 to 2000 degrees C; 32 to 3632 degrees F (1.8 x 2000 + 32) in US units.
    for (const char* t : {"-1", "2001", "1e6"})
        cases.push_back({kUnitSI, 1, t});
    cases.push_back({kUnitOldMetric, 1, "2000.5"});
    cases.push_back({kUnitUS, 1, "3633"});
    cases.push_back({kUnitUS, 1, "31"});
    for (const Case& c : cases) {
        g_UnitSystem = c.system;
        FireFields typed = ShowFireFields(beam);
        // No face ticked, another curve and bar kind, a time past 10 h: all corrected or taken
        // when the entry is taken, none when it is refused.
        typed.bottom = typed.sides = typed.top = false;
        typed.curve = 2;
        typed.rebarType = 3;
        typed.minutes = "900";
        (c.field == 0 ? typed.minutes : typed.temperature) = c.text;
        EXPECT_EQ(CheckFireFields(typed).field, c.field) << c.system << ": " << c.text;
        EXPECT_EQ(ApplyFireFields(beam, typed), 0) << c.text;
        EXPECT_EQ(stored(), before) << c.system << " field " << c.field << ": " << c.text;
        EXPECT_EQ(beam.IsModified(), 0);
        EXPECT_TRUE(reporter.messages.empty()) << reporter.messages.front().text;
        reporter.Clear();
    }

    // The ends are taken: 3632 degrees F is 2000 degrees C.
    g_UnitSystem = kUnitUS;
    FireFields typed = ShowFireFields(beam);
    typed.temperature = "3632";
    EXPECT_FALSE(CheckFireFields(typed));
    EXPECT_EQ(ApplyFireFields(beam, typed), 1);
    EXPECT_NEAR(stored().constanttemp, 2000.0, 1e-9);
    g_UnitSystem = kUnitSI;
    typed = ShowFireFields(beam);
    typed.temperature = "0";
    ApplyFireFields(beam, typed);
    EXPECT_EQ(stored().constanttemp, 0.0);
}

// ---- The general page of a validated element ---------------------------------------------------

// A 200 mm membrane element with bars both ways, its crack spacings automatic unless given.
void MakePanel(TShell& shell)
{
    double strength = 30e6;
    shell.AddConcreteTypeFromStrength(strength, "C30");
    shell.AddSteelType(fixtures::Steel(400e6, 600e6));
    shell.DeleteRegions();
    shell.AddRegion(0.1, -0.1, 1.0, 1.0, 0, 1);
    for (int d = 0; d < 2; ++d) {
        LongLayerRec layer = fixtures::LayerOfArea(0.0, 1, 200e-6);
        layer.space = 0.15;
        shell.AddLongLayer(layer, d);
    }
}

TEST_F(CheckedApplyTest, AValidatedElementWithAutomaticSpacingShowsAutomaticNotTheWorkedOutValue)
{
    TShell shell;
    MakePanel(shell);
    shell.SetCrackSpacing(-1.0, 0);
    shell.SetCrackSpacing(0.3, 2);
    shell.Validate();
    // Validation put the worked-out mean spacing in place of the automatic mark.
    ASSERT_EQ(shell.IsCrackSpacingAuto(0), 1);
    ASSERT_GT(shell.GetCrackSpacing(0), 0.0);
    for (int system : {kUnitSI, kUnitUS, kUnitOldMetric}) {
        g_UnitSystem = system;
        const GeneralFields f = ShowGeneral(shell);
        EXPECT_TRUE(f.longitudinalAuto) << system;
        EXPECT_EQ(f.longitudinal, "Automatic") << system;
        EXPECT_FALSE(f.transverseAuto) << system;
    }
    g_UnitSystem = kUnitSI;
    EXPECT_EQ(ShowGeneral(shell).transverse, " 300.0");

    // The page taken as shown leaves the spacing automatic: the next validation works it out
    // afresh.
    shell.SetModified(0);
    EXPECT_EQ(ApplyGeneral(shell, ShowGeneral(shell)), 0);
    EXPECT_EQ(shell.IsCrackSpacingAuto(0), 1);
    EXPECT_EQ(shell.GetCrackSpacing(2), 0.3);
}

} // namespace

// A membrane element's loads are typed as the stresses the analysis applies, a thousand times
// the stored N/m, and reach the stored 1e9 N/m: 1e12 Pa, that is 1e6 MPa, 1.450377e8 psi or
// 1.01936e7 kg/cm^2. The message names that range in the stress unit.
TEST_F(CheckedApplyTest, MembraneLoadsAreTakenAndRefusedAsTheStressesTheyApply)
{
    TShell shell;
    MakePanel(shell);
    struct Range {
        int system;
        const char *inside, *past, *unit;
        double pascals; // one unit shown, in Pa
    };
    for (const Range& r : {Range{kUnitSI, "-999999", "1000001", "MPa", 1e6},
                           Range{kUnitUS, "-145037000", "145038000", "psi", 6894.757},
                           Range{kUnitOldMetric, "-10193000", "10194000", "kg/cm^2", 98066.5}}) {
        g_UnitSystem = r.system;
        for (int i = 0; i < 6; ++i) {
            std::array<std::string, 6> typed = ShowLoads(shell).values;
            typed[static_cast<std::size_t>(i)] = r.past;
            const TypedRefusal refused = CheckLoads(shell, typed);
            EXPECT_EQ(refused.field, i) << r.unit;
            EXPECT_NE(refused.message.find(std::string(" ") + r.unit + "."), std::string::npos)
                << refused.message;
            EXPECT_EQ(ApplyLoads(shell, typed), 0) << r.unit;

            typed[static_cast<std::size_t>(i)] = r.inside;
            EXPECT_FALSE(CheckLoads(shell, typed)) << r.unit << " field " << i;
        }
        const std::array<std::string, 6> typed = {r.inside, "0", "0", "0", "0", "-0.5"};
        ApplyLoads(shell, typed);
        double constant[3] = {}, increment[3] = {};
        shell.GetConstantLoads(constant, 3);
        shell.GetIncrementLoads(increment, 3);
        EXPECT_NEAR(constant[0] * 1000.0 / (TypedNumber(r.inside) * r.pascals),
                    1.0,
                    kUnitTableRounding)
            << r.unit;
        EXPECT_NEAR(increment[2] * 1000.0 / (-0.5 * r.pascals), 1.0, kUnitTableRounding) << r.unit;
    }
}
