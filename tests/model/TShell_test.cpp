#include "model/TShell.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "foundation/DateTime.h"
#include "foundation/Units.h"
#include "model/DefaultAuthor.h"
#include "support/TestSupport.h"

namespace {

constexpr double kTight = 1e-12;
constexpr double kRatioTol = 1e-9;
constexpr const char* kFrozen = "Attempt to write to frozen beam!";
constexpr double kPi = 3.141592653589;

ScopedLocalTimeSource FixedDate()
{
    return ScopedLocalTimeSource([] { return LocalDateTime{2024, 3, 15, 10, 30}; });
}

// One bar of area area at spacing s and height z (panel coordinates).
LongLayerRec BarLayer(double z, double area, double s, int steelType = 0)
{
    LongLayerRec layer;
    InitLongLayerRec(layer);
    layer.z = z;
    layer.num = 1;
    layer.Ai = area;
    layer.A = area;
    layer.db = std::sqrt(4.0 * area / kPi);
    layer.space = s;
    layer.type = steelType;
    layer.name = "bars";
    return layer;
}

SteelTypeRec Steel(double fy, double fu, const std::string& name)
{
    SteelTypeRec steel;
    InitSteelTypeRec(steel);
    steel.fy = fy;
    steel.fu = fu;
    steel.name = name;
    return steel;
}

// A panel of thickness t whose region lies between bottom and bottom + t (not yet on its
// mid-plane), with concrete and one steel type.
void MakePanel(TShell& shell, double t, double bottom)
{
    double strength = 30e6;
    shell.AddConcreteTypeFromStrength(strength, "C30");
    shell.AddSteelType(Steel(400e6, 600e6, "Bars"));
    shell.DeleteRegions();
    shell.AddRegion(bottom + t, bottom, 1.0, 1.0, 0, 1);
}

double IncrementLoad(const TStructure& s, int i)
{
    LoadVector loads{};
    s.GetIncrementLoads(loads.data(), kLoadCount);
    return loads[static_cast<std::size_t>(i)];
}

// ---- A new element ----------------------------------------------------------------------

TEST(ShellDefaults, NewElementHasTheDefaultMembraneValues)
{
    const auto date = FixedDate();
    std::string author = "J. Engineer";
    ValueGuard<std::string> doneBy(g_DefaultDoneBy, author);
    ValueGuard<int> units(g_UnitSystem, kUnitSI);
    TShell shell;

    EXPECT_EQ(shell.GetKind(), kKindShell);
    EXPECT_EQ(shell.GetName(), "New Membrane");
    EXPECT_EQ(shell.GetUniversity(), "");
    EXPECT_EQ(shell.GetDoneBy(), "J. Engineer");
    EXPECT_EQ(shell.GetDate(), "2024/3/15");
    EXPECT_EQ(shell.GetFileVersionCode(), 31159);
    EXPECT_EQ(shell.IsModified(), 0);
    std::string root;
    EXPECT_EQ(shell.GetRootElementName(root), 1);
    EXPECT_EQ(root, "p3g_shell");

    EXPECT_DOUBLE_EQ(shell.GetHeight(), 0.07);
    EXPECT_DOUBLE_EQ(shell.GetBottom(), -0.035);
    EXPECT_DOUBLE_EQ(shell.GetTop(), 0.035);
    for (int d = 0; d < 3; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(shell.GetCrackSpacing(d), -1.0);
        EXPECT_EQ(shell.IsCrackSpacingAuto(d), 1);
    }

    // Loads: only the shear increment, one displayed stress unit (1 MPa).
    LoadVector increments{}, constants{};
    shell.GetIncrementLoads(increments.data(), kLoadCount);
    shell.GetConstantLoads(constants.data(), kLoadCount);
    for (int i = 0; i < kLoadCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(increments[static_cast<std::size_t>(i)], i == 2 ? 1e6 : 0.0);
        EXPECT_EQ(constants[static_cast<std::size_t>(i)], 0.0);
    }

    // No materials or layers; one region across the thickness, widths per unit length.
    EXPECT_EQ(shell.GetConcreteTypeCount() + shell.GetSteelTypeCount(), 0);
    EXPECT_EQ(shell.GetLongLayerCount(0) + shell.GetLongLayerCount(1), 0);
    ASSERT_EQ(shell.GetRegionCount(), 1);
    EXPECT_DOUBLE_EQ(shell.GetRegion(0)->top, 0.035);
    EXPECT_DOUBLE_EQ(shell.GetRegion(0)->bottom, -0.035);
    EXPECT_EQ(shell.GetWidthAt(0.0), 1.0);
    EXPECT_EQ(shell.GetLongDirectionCount(), 2);
    EXPECT_EQ(shell.GetMaxRegions(), 1);
}

TEST(ShellDefaults, NewElementKeepsItsThicknessThroughValidation)
{
    RecordingReporter rec;
    TShell shell;
    EXPECT_EQ(shell.Validate(), 1);
    EXPECT_DOUBLE_EQ(shell.GetHeight(), 0.07);
    EXPECT_DOUBLE_EQ(shell.GetTop(), 0.035);
}

// ---- Texts and crack spacings -----------------------------------------------------------

TEST(ShellTexts, TextFieldsKeepWhatTheirFixedFieldsHold)
{
    RecordingReporter rec;
    TShell shell;
    const std::string longText(150, 'x');
    const struct {
        const char* field;
        int (TShell::*set)(const std::string&);
        std::string (TShell::*get)() const;
        std::size_t kept;
    } rows[] = {
        {"name", &TShell::SetName, &TShell::GetName, 99},
        {"university", &TShell::SetUniversity, &TShell::GetUniversity, 99},
        {"doneBy", &TShell::SetDoneBy, &TShell::GetDoneBy, 99},
        {"date", &TShell::SetDate, &TShell::GetDate, 10},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.field);
        shell.SetModified(0);
        EXPECT_EQ((shell.*row.set)(longText), 1);
        EXPECT_EQ((shell.*row.get)(), std::string(row.kept, 'x'));
        EXPECT_EQ(shell.IsModified(), 1);
        // The same text again is no change.
        shell.SetModified(0);
        EXPECT_EQ((shell.*row.set)(longText), 0);
        EXPECT_EQ(shell.IsModified(), 0);
    }
    EXPECT_TRUE(rec.messages.empty());
}

TEST(ShellCrackSpacing, SetterBoundsValuesAndKeepsTheAutomaticFlag)
{
    const struct {
        double value;
        int direction;
        int slot; // direction whose value is written
        double stored;
        int isAuto;
    } rows[] = {
        {0.00005, 1, 1, 0.0001, 0},
        {-1.0, 0, 0, -1.0, 1},
        {9000.0, 2, 2, 5000.0, 0},
        {0.25, 0, 0, 0.25, 0},
        {0.3, 7, 2, 0.3, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        TShell shell;
        shell.SetCrackSpacing(row.isAuto != 0 ? 0.5 : -1.0, row.slot);
        EXPECT_EQ(shell.SetCrackSpacing(row.value, row.direction), 1);
        EXPECT_DOUBLE_EQ(shell.GetCrackSpacing(row.slot), row.stored);
        EXPECT_EQ(shell.IsCrackSpacingAuto(row.slot), row.isAuto);
    }
}

TEST(ShellGuard, FrozenElementRefusesItsWritersAndChangesNothing)
{
    RecordingReporter rec;
    TShell shell;
    shell.SetFrozen(1);
    EXPECT_EQ(shell.SetName("Other"), 0);
    EXPECT_EQ(shell.SetDate("1/1/1"), 0);
    EXPECT_EQ(shell.SetCrackSpacing(0.3, 0), 0);
    EXPECT_EQ(shell.SetConcreteModelSet(8), 0);
    EXPECT_EQ(shell.Validate(), 0);
    EXPECT_EQ(shell.SetLayerRatios(), 0);
    EXPECT_EQ(rec.Count(kFrozen), 6);
    EXPECT_EQ(shell.GetName(), "New Membrane");
    EXPECT_EQ(shell.GetCrackSpacing(0), -1.0);

    shell.SetFrozen(0);
    EXPECT_EQ(shell.SetName("Other"), 1);
}

TEST(ShellModelSet, HoustonSetsFallBackToMcftWithAMessage)
{
    for (int code : {3, 8, 14}) {
        SCOPED_TRACE(code);
        RecordingReporter rec;
        TShell shell;
        EXPECT_EQ(shell.SetConcreteModelSet(code), 1);
        EXPECT_EQ(shell.GetConcreteModelSet(), 15);
        ASSERT_EQ(rec.messages.size(), 1u);
        EXPECT_EQ(rec.messages[0].text,
                  "Houston models use embedded steel relationships which have not been "
                  "implemented in this program. Continuing with MCFT.");
        EXPECT_EQ(rec.messages[0].caption, "Membrane");
    }
    RecordingReporter rec;
    TShell shell;
    EXPECT_EQ(shell.SetConcreteModelSet(2), 1);
    EXPECT_EQ(shell.GetConcreteModelSet(), 2);
    EXPECT_TRUE(rec.messages.empty());
}

// ---- Validation ---------------------------------------------------------------------------

TEST(ShellValidate, LayerSpacingRepairs)
{
    const struct {
        const char* what;
        double space;
        double oldSpace;
        double space2;
        double oldSpace2;
    } rows[] = {
        {"no spacing", 0.0, 0.0, 0.1, 0.0},
        {"older field over the default", 0.1, 0.2, 0.2, 0.0},
        {"older field over none", 0.0, 0.3, 0.3, 0.0},
        {"own spacing kept", 0.15, 0.2, 0.15, 0.2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        RecordingReporter rec;
        TShell shell;
        MakePanel(shell, 0.2, -0.1);
        for (int d = 0; d < 2; ++d) {
            LongLayerRec layer = BarLayer(0.05, 1e-4, row.space);
            layer.oldSpace = row.oldSpace;
            shell.AddLongLayer(layer, d);
        }
        shell.Validate();
        for (int d = 0; d < 2; ++d) {
            SCOPED_TRACE(d);
            EXPECT_DOUBLE_EQ(shell.GetLongLayer(0, d)->space, row.space2);
            EXPECT_DOUBLE_EQ(shell.GetLongLayer(0, d)->oldSpace, row.oldSpace2);
        }
    }
}

TEST(ShellValidate, DepthsAreMeasuredFromTheMidPlane)
{
    RecordingReporter rec;
    TShell shell;
    // A 200 mm panel lying between 0.1 and 0.3: its mid-plane is at 0.2.
    MakePanel(shell, 0.2, 0.1);
    shell.AddLongLayer(BarLayer(0.25, 1e-4, 0.1), 0);
    shell.AddLongLayer(BarLayer(0.14, 1e-4, 0.1), 1);
    TransLayerRec tie;
    InitTransLayerRec(tie);
    tie.distbot = 0.12;
    tie.disttop = 0.28;
    tie.A = 1e-4;
    tie.db = 0.01;
    tie.space = 0.2;
    tie.pattern = 1;
    shell.AddTransLayer(tie, 2);
    TDepthTable strains("shrinkage");
    strains.Add(0.3, -2e-4);
    strains.Add(0.1, -2e-4);
    shell.SetShrinkThermCurve(strains);

    EXPECT_EQ(shell.Validate(), 1);
    EXPECT_DOUBLE_EQ(shell.GetHeight(), 0.2);
    EXPECT_NEAR(shell.GetRegion(0)->top, 0.1, kTight);
    EXPECT_NEAR(shell.GetRegion(0)->bottom, -0.1, kTight);
    EXPECT_NEAR(shell.GetLongLayer(0, 0)->z, 0.05, kTight);
    EXPECT_NEAR(shell.GetLongLayer(0, 1)->z, -0.06, kTight);
    EXPECT_NEAR(shell.GetTransLayer(0, 2)->disttop, 0.08, kTight);
    EXPECT_NEAR(shell.GetTransLayer(0, 2)->distbot, -0.08, kTight);
    const TDepthTable& shifted = shell.GetPositionVariable(kShrinkTherm);
    ASSERT_GE(shifted.GetCount(), 2);
    EXPECT_NEAR(shifted.GetDepth(0), 0.1, kTight);
    EXPECT_NEAR(shifted.GetDepth(shifted.GetCount() - 1), -0.1, kTight);
    EXPECT_NEAR(shell.GetInitialStrainAt(0.0, 3), -2e-4, kTight);

    // Validating again finds the mid-plane already at 0.
    shell.Validate();
    EXPECT_NEAR(shell.GetLongLayer(0, 0)->z, 0.05, kTight);
}

TEST(ShellValidate, RatiosAndSteelTotalsFromBarAreaSpacingAndThickness)
{
    RecordingReporter rec;
    TShell shell;
    const double t = 0.2;
    MakePanel(shell, t, -0.1);
    shell.AddSteelType(Steel(500e6, 650e6, "Grade500"));
    // x: 15M at 150 mm on each face; y: 10M at 200 mm of the stronger steel.
    const double a15 = 200e-6, a10 = 100e-6;
    shell.AddLongLayer(BarLayer(-0.05, a15, 0.15, 0), 0);
    shell.AddLongLayer(BarLayer(0.05, a15, 0.15, 0), 0);
    shell.AddLongLayer(BarLayer(0.0, a10, 0.2, 1), 1);
    shell.Validate();

    const double rhoX = a15 / (t * 0.15); // 6.667e-3 per layer
    const double rhoY = a10 / (t * 0.2);  // 2.5e-3
    EXPECT_NEAR(shell.GetLongLayer(0, 0)->ratio, rhoX, kRatioTol);
    EXPECT_NEAR(shell.GetLongLayer(0, 1)->ratio, rhoY, kRatioTol);

    double sum = 0, sumF = 0;
    shell.GetSteelTotals(sum, sumF, 0, 0);
    EXPECT_NEAR(sum, 2 * rhoX, kRatioTol);
    EXPECT_NEAR(sumF, 2 * rhoX * 400e6, 1e-3);
    shell.GetSteelTotals(sum, sumF, 1, 1);
    EXPECT_NEAR(sum, rhoY, kRatioTol);
    EXPECT_NEAR(sumF, rhoY * 650e6, 1e-3);
    shell.GetSteelTotals(sum, sumF, 0, 2);
    EXPECT_EQ(sum + sumF, 0.0);
}

TEST(ShellValidate, ZeroThicknessGivesNoRatiosAndNoNumbersOutOfNothing)
{
    RecordingReporter rec;
    TShell shell;
    MakePanel(shell, 0.0, 0.0);
    shell.AddLongLayer(BarLayer(0.0, 1e-4, 0.1), 0);
    EXPECT_EQ(shell.Validate(), 1);
    EXPECT_EQ(shell.GetHeight(), 0.0);
    EXPECT_EQ(shell.GetLongLayer(0, 0)->ratio, 0.0);
    // Without a thickness there is nothing to average: the spacings stay automatic.
    EXPECT_EQ(shell.GetCrackSpacing(0), -1.0);
    EXPECT_EQ(shell.IsCrackSpacingAuto(0), 1);
}

TEST(ShellValidate, AutomaticCrackSpacingIsTheMeanOverTheThickness)
{
    RecordingReporter rec;
    TShell shell;
    MakePanel(shell, 0.2, -0.1);
    shell.AddLongLayer(BarLayer(-0.05, 200e-6, 0.15), 0);
    shell.AddLongLayer(BarLayer(0.05, 200e-6, 0.15), 0);
    shell.SetCrackSpacing(0.3, 1);
    shell.Validate();

    // x: automatic, a mean of the profile, so between its least and largest value inside
    // the thickness.
    const TDepthTable& profile = shell.GetPositionVariable(kCrackSpacingX);
    double least = 1e30, largest = -1e30;
    for (const auto& p : profile.Pairs()) {
        if (p.z >= -0.1 && p.z <= 0.1) {
            least = std::min(least, p.v);
            largest = std::max(largest, p.v);
        }
    }
    ASSERT_LT(least, largest);
    EXPECT_EQ(shell.IsCrackSpacingAuto(0), 1);
    EXPECT_GT(shell.GetCrackSpacing(0), least);
    EXPECT_LT(shell.GetCrackSpacing(0), largest);
    // y: given by the user, kept.
    EXPECT_EQ(shell.GetCrackSpacing(1), 0.3);
    EXPECT_EQ(shell.IsCrackSpacingAuto(1), 0);

    // The automatic flag makes the next validation work the mean out afresh.
    const double first = shell.GetCrackSpacing(0);
    shell.Validate();
    EXPECT_DOUBLE_EQ(shell.GetCrackSpacing(0), first);
}

TEST(ShellValidate, UnitShearIncrementsOfNewAndOfLoadFreeElements)
{
    // A new element: one displayed stress unit (1 MPa; 1 psi = 6894.757 Pa), which
    // validation keeps. A validated element without in-plane increments: one displayed
    // unit of shear flow (1 kN/m; 1 kip/ft = 4448.2216 N / 0.3048 m).
    const struct {
        int system;
        bool clearLoads;
        double nxx;
        double expectedNxy;
    } rows[] = {
        {kUnitSI, false, 0.0, 1e6},
        {kUnitUS, false, 0.0, 6894.757},
        {kUnitSI, true, 0.0, 1000.0},
        {kUnitUS, true, 0.0, 4448.2216 / 0.3048},
        {kUnitSI, true, 5.0, 0.5}, // a real Nxx keeps the small Nxy
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expectedNxy);
        RecordingReporter rec;
        ValueGuard<int> units(g_UnitSystem, row.system);
        TShell shell;
        if (row.clearLoads) {
            LoadVector loads{};
            loads[0] = row.nxx;
            loads[2] = row.nxx > 0.0 ? 0.5 : 0.0;
            shell.SetIncrementLoads(loads.data(), kLoadCount);
        }
        shell.Validate();
        EXPECT_NEAR(IncrementLoad(shell, 2), row.expectedNxy, 1e-6 * row.expectedNxy);
        EXPECT_EQ(IncrementLoad(shell, 0), row.nxx);
    }
}

// ---- Hsu concrete data -------------------------------------------------------------------

class HsuTest : public ::testing::Test {
protected:
    // A 200 mm panel with x bars of 400 MPa steel (rho_x = 2 x 6.667e-3) and y bars of
    // 500 MPa steel (rho_y = 2.5e-3), and one tie through the thickness.
    void Build(TShell& shell, int softening, int tensionStiffening)
    {
        MakePanel(shell, 0.2, -0.1);
        shell.AddSteelType(Steel(500e6, 650e6, "Grade500"));
        shell.AddLongLayer(BarLayer(-0.05, 200e-6, 0.15, 0), 0);
        shell.AddLongLayer(BarLayer(0.05, 200e-6, 0.15, 0), 0);
        shell.AddLongLayer(BarLayer(0.0, 100e-6, 0.2, 1), 1);
        shell.SetConcreteModelCodes(0, 2, tensionStiffening, softening);
    }

    static constexpr double kRhoX = 2 * 200e-6 / (0.2 * 0.15);
    static constexpr double kRhoY = 100e-6 / (0.2 * 0.2);

    RecordingReporter rec;
    ValueGuard<std::array<HsuDataEntry, 3>> table{HsuDataTable, {}};
    ValueGuard<int32_t> embedded{g_HsuEmbeddedSteel, 1};
};

TEST_F(HsuTest, HsuConcreteHandsRatiosAndStrengthRatioPerDirection)
{
    TShell shell;
    Build(shell, 15, 4);
    shell.Validate();
    EXPECT_EQ(g_HsuEmbeddedSteel, 0);
    // eta: the smaller over the larger of rho fy in y and x.
    const double eta = (kRhoY * 500e6) / (kRhoX * 400e6);
    ASSERT_LT(eta, 1.0);
    const double ft = shell.GetConcreteType(0)->ft;
    const struct {
        int d;
        double rho;
    } rows[] = {{0, kRhoX}, {1, kRhoY}, {2, 0.0001}}; // no ties: the least ratio
    for (const auto& row : rows) {
        SCOPED_TRACE(row.d);
        const HsuDataEntry& entry = HsuDataTable[static_cast<std::size_t>(row.d)];
        EXPECT_NEAR(entry.eta, eta, kRatioTol);
        EXPECT_EQ(entry.angle, 45.0);
        EXPECT_NEAR(entry.rho, row.rho, kRatioTol);
        EXPECT_EQ(entry.fcr, ft);
        EXPECT_EQ(entry.mode, 15.0);
    }
    EXPECT_FALSE(rec.Saw("Stand Back!"));

    // A second concrete type is warned about, once per direction.
    double strength = 40e6;
    shell.AddConcreteTypeFromStrength(strength, "C40");
    shell.Validate();
    EXPECT_EQ(rec.Count("Stand Back!  Hsu concrete gets into trouble with more than one "
                        "concrete type!"),
              3);
}

TEST_F(HsuTest, Code16NeedsAtLeastHalfAPercentAndOtherConcreteGetsNeutralData)
{
    TShell shell;
    Build(shell, 16, 4);
    shell.Validate();
    EXPECT_NEAR(HsuDataTable[1].rho, 0.005, kRatioTol); // 2.5e-3 raised
    EXPECT_NEAR(HsuDataTable[0].rho, kRhoX, kRatioTol);

    TShell plain;
    Build(plain, 18, 7);
    plain.Validate();
    for (const auto& entry : HsuDataTable) {
        EXPECT_EQ(entry.eta, 1.0);
        EXPECT_EQ(entry.rho, 0.01);
    }
}

// ---- Copies -------------------------------------------------------------------------------

TEST(ShellCopy, CopyIsDeepAndIndependent)
{
    RecordingReporter rec;
    TShell original;
    MakePanel(original, 0.2, -0.1);
    original.SetName("PV20");
    original.SetCrackSpacing(0.25, 0);
    original.AddLongLayer(BarLayer(0.0, 2e-4, 0.1), 1);
    const double constants[3] = {-1e5, 2e5, 3e5};
    original.SetConstantLoads(constants, 3);
    const double measured[2] = {0.5, 0.7};
    original.SetValueList(12, measured, 2);
    original.SetFileVersionCode(31164);
    original.Validate();

    TShell copy(original);
    EXPECT_EQ(copy.GetTitle(), original.GetTitle());
    EXPECT_EQ(copy.GetHeight(), 0.2);
    EXPECT_EQ(copy.GetCrackSpacing(0), 0.25);
    EXPECT_EQ(copy.GetFileVersionCode(), 31164);
    EXPECT_EQ(*copy.GetLongLayer(0, 1), *original.GetLongLayer(0, 1));
    EXPECT_EQ(*copy.GetSteelType(0), *original.GetSteelType(0));
    double loads[3] = {};
    copy.GetConstantLoads(loads, 3);
    EXPECT_EQ(loads[1], 2e5);
    ASSERT_NE(copy.GetValueList(12), nullptr);

    // Changing the copy leaves the original alone.
    copy.SetName("Copy");
    copy.SetCrackSpacing(0.4, 0);
    copy.GetLongLayer(0, 1)->A = 9e-4;
    const double other[1] = {9.0};
    copy.SetValueList(12, other, 1);
    EXPECT_EQ(original.GetName(), "PV20");
    EXPECT_EQ(original.GetCrackSpacing(0), 0.25);
    EXPECT_EQ(original.GetLongLayer(0, 1)->A, 2e-4);
    EXPECT_EQ(original.GetValueList(12)->GetCount(), 2);
}

TEST(ShellCopy, CopyOfAFrozenElementIsFrozenAndNotRevalidated)
{
    RecordingReporter rec;
    TShell original;
    original.SetFrozen(1);
    TShell copy(original);
    EXPECT_EQ(copy.IsFrozen(), 1);
    EXPECT_EQ(rec.Count(kFrozen), 0);
    EXPECT_EQ(copy.GetName(), "New Membrane");
}

// ---- Readers of the data-file subsystem -------------------------------------------------

// The readers the tests install; they record what they were asked for.
std::vector<std::string> g_examplesAsked;

int FakeExample(TShell& shell, int example)
{
    g_examplesAsked.push_back(shell.GetName() + " " + std::to_string(example));
    shell.SetName("Example");
    return 1;
}

int FakeFile(TShell& shell, const std::string& file, int element)
{
    shell.SetName(file + " #" + std::to_string(element));
    return 1;
}

TEST(ShellReaders, ExamplesAreFilledIntoADefaultElement)
{
    g_examplesAsked.clear();
    const ShellExampleReader saved = SetShellExampleReader(FakeExample);
    for (int example : {0, 1, 2, 3, 4, -1}) {
        SCOPED_TRACE(example);
        TShell shell(example);
        const bool filled = example >= 1 && example <= 3;
        EXPECT_EQ(shell.GetName(), filled ? "Example" : "New Membrane");
    }
    SetShellExampleReader(saved);
    EXPECT_EQ(g_examplesAsked,
              (std::vector<std::string>{"New Membrane 1", "New Membrane 2", "New Membrane 3"}));
}

TEST(ShellReaders, FileConstructorReportsTheReaderAndKeepsAnEmptyElementOnFailure)
{
    const ShellFileReader saved = SetShellFileReader(nullptr);
    int success = -1;
    TShell empty("panel.p2k", success);
    EXPECT_EQ(success, 0);
    EXPECT_EQ(empty.GetName(), "");
    EXPECT_EQ(empty.GetHeight(), 0.0);
    EXPECT_EQ(empty.GetRegionCount(), 1);

    SetShellFileReader(FakeFile);
    TShell shell("panel.p2k", success);
    SetShellFileReader(saved);
    EXPECT_EQ(success, 1);
    EXPECT_EQ(shell.GetName(), "panel.p2k #1");
}

} // namespace
