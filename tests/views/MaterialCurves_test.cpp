// The material chart's computation: curve points and end points, their shapes with and
// without resistance factors in force, the labelled concrete type, the type values of the
// stiffness and stress tools, and the text dump.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "foundation/Sentinel.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "tests/support/TestSupport.h"
#include "tests/views/MaterialSamples.h"
#include "views/MaterialCurves.h"

namespace {

constexpr double kMPa = 1e6;
// Display values are compared to a hundredth of a unit (mm/m, MPa).
constexpr double kShown = 0.01;

using material_samples::Concrete;

// A reinforcing bar, 200 GPa, with the given yield, hardening and rupture strains.
SteelTypeRec Bar(const std::string& name, double fyMPa, double esh, double eu, double er)
{
    SteelTypeRec r;
    r.name = name;
    r.kind = SteelKind::Reinforcing;
    r.Es = 2e11;
    r.fy = fyMPa * kMPa;
    r.fu = 1.5 * r.fy;
    r.esh = esh;
    r.eu = eu;
    r.er = er;
    return r;
}

// A 1860 MPa strand with the usual Ramberg-Osgood constants, rupture at 0.043.
SteelTypeRec Strand(const std::string& name)
{
    SteelTypeRec r;
    r.name = name;
    r.kind = SteelKind::Prestressing;
    r.fy = 1860 * kMPa;
    CheckSteelType(r, true);
    r.name = name;
    return r;
}

MaterialTypeCopies ConcreteCopies(std::vector<ConcreteTypeRec> types, std::vector<int> used, int main)
{
    MaterialTypeCopies t;
    t.kind = MaterialChart::Concrete;
    t.concrete = std::move(types);
    t.concreteUsed = std::move(used);
    t.mainConcrete = main;
    return t;
}

MaterialTypeCopies SteelCopies(int kind, std::vector<SteelTypeRec> types, std::vector<int> used, int main)
{
    MaterialTypeCopies t;
    t.kind = kind;
    t.steel = std::move(types);
    t.steelUsed = std::move(used);
    t.mainSteel = main;
    return t;
}

struct Pt {
    double x, y;
};
// The polylines of the data.
std::vector<std::vector<Pt>> Lines(const std::vector<double>& data)
{
    std::vector<std::vector<Pt>> lines(1);
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        if (data[i] > 1e30)
            lines.emplace_back();
        else
            lines.back().push_back({data[i], data[i + 1]});
    }
    return lines;
}

const ResistanceFactors kNone{1.0, 1.0, 1.0};
const ResistanceFactors kDesign{0.65, 0.85, 0.9};

struct Curves : ::testing::Test {
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<ResistanceFactors> factors{g_ResistanceFactors, kNone};
    RecordingReporter reporter;
};

// e'c = -0.002: 24 steps of |e'c|/24 reach the peak, 36 steps lie just below 1.5 |e'c|, so
// 37 points end at 3.0 mm/m; the peak is f'c, unfactored whatever the factors in force.
TEST_F(Curves, ConcreteCurveHas37PointsToOneAndAHalfPeakStrains)
{
    const auto types = ConcreteCopies({Concrete("C35", 35, -0.002)}, {1}, 0);
    for (const ResistanceFactors& inForce : {kNone, kDesign}) {
        const MaterialCurves c = BuildMaterialCurves(types, inForce, kUnitSI);
        const auto lines = Lines(c.data);
        ASSERT_EQ(lines.size(), 1u);
        ASSERT_EQ(lines[0].size(), 37u);
        EXPECT_EQ(lines[0].front().x, 0.0);
        EXPECT_EQ(lines[0].front().y, 0.0);
        EXPECT_NEAR(lines[0].back().x, 3.0, 1e-9);
        EXPECT_NEAR(lines[0][24].x, 2.0, 1e-9);
        EXPECT_NEAR(lines[0][24].y, 35.0, kShown); // compression plotted positive
        EXPECT_LT(lines[0].back().y, 35.0);
        EXPECT_EQ(c.concreteCurves, 1);
    }
}

TEST_F(Curves, StrandCurveHas25PointsBelowTheRuptureStrain)
{
    const auto types = SteelCopies(MaterialChart::PSteel, {Bar("B", 400, 0.007, 0.1, 0.15), Strand("P")},
                                   {1, 1}, 1);
    const MaterialCurves c = BuildMaterialCurves(types, kDesign, kUnitSI);
    const auto lines = Lines(c.data);
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 25u);
    EXPECT_NEAR(lines[0][1].x, 43.0 / 24.0, 1e-9);
    EXPECT_LT(lines[0].back().x, 43.0);
    EXPECT_GT(lines[0].back().x, 43.0 - 1e-6);
    // Elastic at first: Es e.
    EXPECT_NEAR(lines[0][1].y, 200e3 * 0.043 / 24.0, 15.0);
    EXPECT_LE(lines[0].back().y, 1860.0 + kShown);
    EXPECT_EQ(c.prestressCurves, 1);
    EXPECT_EQ(c.rebarCurves, 0);
}

// fy 400 MPa, Es 200 GPa, hardening from 7 to 100 mm/m up to fu = 600 MPa, rupture at 150:
// fu + (fy - fu) ((e - eu) / (esh - eu))^2 gives 550 MPa at 146.5 mm/m.
TEST_F(Curves, RebarCurveHardensWithoutFactorsAndIsFlatWithThem)
{
    const auto types = SteelCopies(MaterialChart::Rebar, {Bar("B", 400, 0.007, 0.1, 0.15)}, {1}, 0);
    const auto unfactored = Lines(BuildMaterialCurves(types, kNone, kUnitSI).data)[0];
    ASSERT_EQ(unfactored.size(), 3u + 16u);
    EXPECT_NEAR(unfactored[1].x, 2.0, 1e-9);
    EXPECT_NEAR(unfactored[1].y, 400.0, 1e-9);
    EXPECT_NEAR(unfactored[2].x, 7.0, 1e-9);
    EXPECT_NEAR(unfactored[13].x, 100.0, 1e-6);
    EXPECT_NEAR(unfactored[13].y, 600.0, kShown);
    EXPECT_NEAR(unfactored.back().x, 146.5, 1e-6);
    EXPECT_NEAR(unfactored.back().y, 550.0, kShown);

    // Factors in force: elastic, perfectly plastic to e_u, stresses unfactored.
    const auto flat = Lines(BuildMaterialCurves(types, kDesign, kUnitSI).data)[0];
    ASSERT_EQ(flat.size(), 4u);
    EXPECT_NEAR(flat[3].x, 100.0, 1e-9);
    EXPECT_NEAR(flat[3].y, 400.0, 1e-9);
    // Within 0.05 of a sum of 3 counts as unfactored.
    EXPECT_EQ(Lines(BuildMaterialCurves(types, {0.98, 0.99, 1.0}, kUnitSI).data)[0].size(), 19u);
}

// A hardening strain at or beyond the strain at f_u gave a step that never advanced.
TEST_F(Curves, RebarWithoutHardeningRangeEndsOnThePlateau)
{
    const auto types = SteelCopies(MaterialChart::Rebar, {Bar("B", 400, 0.01, 0.01, 0.05),
                                                          Bar("C", 400, 0.02, 0.012, 0.05)},
                                   {1, 1}, 0);
    const MaterialCurves c = BuildMaterialCurves(types, kNone, kUnitSI);
    const auto lines = Lines(c.data);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 3u);
    EXPECT_NEAR(lines[0].back().x, 10.0, 1e-9);
    EXPECT_EQ(lines[1].size(), 3u);
    EXPECT_NEAR(lines[1].back().x, 20.0, 1e-9);
    EXPECT_EQ(c.polylineType, (std::vector<int>{0, 1}));
}

TEST_F(Curves, TypesWithoutCurvesCountButDrawNothing)
{
    // A user concrete curve of 4 points draws nothing; the next type still starts its own line.
    ConcreteTypeRec user = Concrete("U", 30, -0.002);
    user.baseCurve = BaseCurveCode::UserDefined;
    user.userCurve = UserCurvePtr(std::make_unique<TDepthTable>());
    for (double e : {0.0, -0.001, -0.002, -0.003})
        user.userCurve->Add(e, e * 1.5e10);
    const auto concrete =
        ConcreteCopies({Concrete("A", 35, -0.002), user, Concrete("B", 50, -0.0025)}, {1, 1, 1}, 0);
    const MaterialCurves cc = BuildMaterialCurves(concrete, kNone, kUnitSI);
    EXPECT_EQ(cc.concreteCurves, 3);
    const auto lines = Lines(cc.data);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[1].empty());
    EXPECT_EQ(cc.polylineType, (std::vector<int>{0, 1, 2}));

    // A user-curve steel without its curve is reported and counts as a curve.
    SteelTypeRec segmental = Bar("S", 400, 0.007, 0.1, 0.15);
    segmental.kind = SteelKind::UserCurve;
    const auto steel = SteelCopies(MaterialChart::Rebar, {segmental}, {1}, 0);
    const MaterialCurves sc = BuildMaterialCurves(steel, kNone, kUnitSI);
    EXPECT_EQ(sc.rebarCurves, 1);
    EXPECT_TRUE(sc.data.empty());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Error in segmental rebar");
    EXPECT_EQ(reporter.messages[0].caption, "Materials Error");
}

TEST_F(Curves, OnlyUsedTypesOfTheChartsFamilyAreDrawn)
{
    const auto types = SteelCopies(MaterialChart::Rebar,
                                   {Bar("A", 400, 0.007, 0.1, 0.15), Strand("P"), Bar("B", 500, 0.007, 0.1, 0.15),
                                    Bar("C", 300, 0.007, 0.1, 0.15)},
                                   {1, 1, 0, 1}, 0);
    const MaterialCurves c = BuildMaterialCurves(types, kNone, kUnitSI);
    EXPECT_EQ(c.rebarCurves, 2);
    EXPECT_EQ(c.prestressCurves, 0);
    EXPECT_EQ(c.polylineType, (std::vector<int>{0, 3}));
    EXPECT_NEAR(Lines(c.data)[1][1].y, 300.0, 1e-9);
}

TEST_F(Curves, LabelledConcreteType)
{
    struct Row {
        const char* name;
        std::vector<ConcreteTypeRec> types;
        std::vector<int> used;
        int main;
        int labelled;
        int flag;
    } rows[] = {
        {"one used type: the main one", {Concrete("A", 30, -0.002), Concrete("B", 60, -0.003)}, {0, 1}, 1, 1, 1},
        {"strongest has the lower peak strain",
         {Concrete("A", 30, -0.0025), Concrete("B", 60, -0.002)}, {1, 1}, 0, 1, 0},
        {"strongest also has the largest peak strain",
         {Concrete("A", 30, -0.002), Concrete("B", 60, -0.003)}, {1, 1}, 0, 1, 1},
        {"first of equals", {Concrete("A", 40, -0.002), Concrete("B", 40, -0.002)}, {1, 1}, 1, 0, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const MaterialCurves c = BuildMaterialCurves(ConcreteCopies(r.types, r.used, r.main), kNone, kUnitSI);
        EXPECT_EQ(c.labelledConcrete, r.labelled);
        EXPECT_EQ(c.peakStrainFlag, r.flag);
    }
}

TEST_F(Curves, CurvesInUsUnits)
{
    ValueGuard<int> us{g_UnitSystem, kUnitUS};
    const auto types = SteelCopies(MaterialChart::Rebar, {Bar("B", 400, 0.007, 0.1, 0.15)}, {1}, 0);
    const auto line = Lines(BuildMaterialCurves(types, kNone, kUnitUS).data)[0];
    EXPECT_NEAR(line[1].x, 2.0, 1e-9);                          // strain stays in thousandths
    EXPECT_NEAR(line[1].y, 400.0 / 6.894757, 0.01);             // 400 MPa in ksi
}

// ---- Type values -----------------------------------------------------------------------------

TEST_F(Curves, StiffnessAndStressTexts)
{
    const auto concrete = ConcreteCopies({Concrete("C35", 35, -0.002)}, {1}, 0);
    const double Ec = concrete.concrete[0].Ec;
    EXPECT_EQ(TypeValue(concrete, 0, 0, 0.0, kNone, kUnitSI).text,
              "Initial  Tangent Stiffness: " + std::string(StrPrintf("%5.0f", Ec / 1e6)) + " MPa");
    EXPECT_EQ(TypeValue(concrete, 0, 0, 0.0, kDesign, kUnitSI).text.rfind("Initial Factored Tangent", 0), 0u);
    EXPECT_EQ(TypeValue(concrete, 0, 0, 0.0, kNone, kUnitSI).caption, "Concrete Stiffness");
    // At the peak strain the stress is f'c; a strain typed negative is tension.
    EXPECT_EQ(TypeValue(concrete, 0, 1, 0.002, kNone, kUnitSI).text,
              "Concrete strain  2.00 mm/m, Stress = 35.00 MPa");
    const TypeValueText tension = TypeValue(concrete, 0, 1, -0.00005, kNone, kUnitSI);
    EXPECT_EQ(tension.text, StrPrintf("Concrete strain  0.05 mm/m, Stress =  %4.2f MPa", Ec * 0.00005 / 1e6));
    EXPECT_EQ(tension.caption, "Stress Calculator");

    const auto bars = SteelCopies(MaterialChart::Rebar, {Bar("B", 400, 0.007, 0.1, 0.15)}, {1}, 0);
    EXPECT_EQ(TypeValue(bars, 0, 0, 0.0, kNone, kUnitSI).text, "Initial  Tangent Stiffness: 200000 MPa");
    EXPECT_EQ(TypeValue(bars, 0, 0, 0.0, kNone, kUnitSI).caption, "Reinforcment Stiffness");
    EXPECT_EQ(TypeValue(bars, 0, 1, 0.001, kNone, kUnitSI).text,
              "Reinforcement strain  1.00 mm/m, Stress =   200 MPa");
    // Under the factors in force (0.85 on the bar) and beyond rupture.
    EXPECT_EQ(TypeValue(bars, 0, 1, 0.001, kDesign, kUnitSI).text,
              "Reinforcement strain  1.00 mm/m, Stress =   170 MPa");
    EXPECT_EQ(TypeValue(bars, 0, 1, 0.2, kNone, kUnitSI).text, "Reinforcement strain 200.00 mm/m, Rupture ");
    const auto strands = SteelCopies(MaterialChart::PSteel, {Strand("P")}, {1}, 0);
    EXPECT_EQ(TypeValue(strands, 0, 0, 0.0, kNone, kUnitSI).caption, "Prestressed Reinforcment Stiffness");
}

TEST_F(Curves, WhomTheToolsAnswer)
{
    using Shape = TypeValueTargets::Shape;
    const auto one = ConcreteCopies({Concrete("A", 30, -0.002), Concrete("B", 60, -0.003)}, {0, 1}, 1);
    const TypeValueTargets single = TypeValueTargetsOf(one, BuildMaterialCurves(one, kNone, kUnitSI));
    EXPECT_EQ(single.shape, Shape::Single);
    EXPECT_EQ(single.types, (std::vector<int>{1}));
    const auto none = ConcreteCopies({Concrete("A", 30, -0.002)}, {0}, 0);
    EXPECT_EQ(TypeValueTargetsOf(none, BuildMaterialCurves(none, kNone, kUnitSI)).shape, Shape::None);
    const auto headerOnly = ConcreteCopies({Concrete("A", 30, -0.002), Concrete("B", 60, -0.003)}, {0, 0}, 0);
    EXPECT_EQ(TypeValueTargetsOf(headerOnly, BuildMaterialCurves(headerOnly, kNone, kUnitSI)).shape, Shape::Report);

    // The one reinforcing type drawn, even when the main steel type is a strand.
    const auto mixed = SteelCopies(MaterialChart::Rebar, {Strand("P"), Bar("B", 400, 0.007, 0.1, 0.15)}, {1, 1}, 0);
    const TypeValueTargets bar = TypeValueTargetsOf(mixed, BuildMaterialCurves(mixed, kNone, kUnitSI));
    EXPECT_EQ(bar.shape, Shape::Single);
    EXPECT_EQ(bar.types, (std::vector<int>{1}));
}

// The report used to be written into a block of 10,000 characters.
TEST_F(Curves, ReportGrowsWithTheTypes)
{
    std::vector<SteelTypeRec> types;
    for (int i = 0; i < 300; ++i)
        types.push_back(Bar(StrPrintf("Bar %d", i), 400 + i, 0.007, 0.1, 0.15));
    const auto copies = SteelCopies(MaterialChart::Rebar, types, std::vector<int>(300, 1), 2);
    const std::string report = TypeValueReport(copies, copies.UsedTypes(), 1, 0.001, kNone, kUnitSI);
    EXPECT_GT(report.size(), 10000u);
    EXPECT_EQ(report.rfind("Stress Calculator:\r\n==================\r\n\r\nValues for each type listed below\r\n\r\n",
                           0),
              0u);
    EXPECT_NE(report.find("Type \"Bar 2\":\r\n Reinforcement strain  1.00 mm/m, Stress =   200 MPa (Base type)\r\n"),
              std::string::npos);
    const std::string last = "Type \"Bar 299\":\r\n Reinforcement strain  1.00 mm/m, Stress =   200 MPa \r\n";
    EXPECT_EQ(report.substr(report.size() - last.size()), last);
}

// ---- Dump ------------------------------------------------------------------------------------

TEST_F(Curves, DumpListsTypesModelsAndCurves)
{
    ConcreteTypeRec a = Concrete("Deck", 35, -0.002);
    a.softening = 15;
    a.tensionStiffening = TensionStiffeningCode::Tamai1987;
    ConcreteTypeRec b = Concrete("Girder", 60, -0.0025);
    b.baseCurve = BaseCurveCode::Parabolic;
    b.softening = 99; // outside the table: no line
    const auto types = ConcreteCopies({a, b}, {1, 1}, 0);
    const MaterialCurves c = BuildMaterialCurves(types, kNone, kUnitSI);
    const std::string dump = MaterialDump(types, c.data, "%5.2f", "%5.1f", kUnitSI);
    EXPECT_EQ(dump.rfind("  Concrete Material Type Information\r\n  ===========================\r\n"
                         "\r\nConcrete Type: Deck\r\n\r\nCylinder Strength:  35.0 MPa\r\n",
                         0),
              0u);
    for (const char* line :
         {"Concrete Base Curve: Popovics/Thorenfeldt/Hawmere\r\n", "Concrete Compression Softening: Hsu 1993\r\n",
          "Concrete Tension Stiffening: Tamai et al 1987\r\n",
          "Note that the Houston models are based on embedded steel relationships which have not been "
          "implemented.\r\n\r\n",
          "\r\nConcrete Type: Girder\r\n\r\nCylinder Strength:  60.0 MPa\r\n", "Concrete Base Curve: Parabolic\r\n",
          "Strain at peak stress:  2.50 mm/m\r\n", "Maximum aggregate size:    19 mm\r\n",
          "Stress Strain curves of each type in order below\r\n\r\n Strain (mm/m) Stress (MPa)\r\n\r\n"
          "   0.0000   \t   0.000\r\n"})
        EXPECT_NE(dump.find(line), std::string::npos) << line;
    EXPECT_EQ(dump.find("Concrete Compression Softening: Hawmere"), std::string::npos); // code 99
    // The second curve follows its separator; 37 + 37 points.
    EXPECT_NE(dump.find("\r\nNext type\r\n\r\n   0.0000   \t   0.000\r\n"), std::string::npos);
    std::size_t lines = 0;
    for (std::size_t at = dump.find("   \t   "); at != std::string::npos; at = dump.find("   \t   ", at + 1))
        ++lines;
    EXPECT_EQ(lines, 37u + 37u);
    // A precision of 5 or more is used as it is.
    EXPECT_NE(MaterialDump(types, c.data, "%5.6f", "%5.1f", kUnitSI).find("   0.000000   \t   0.000\r\n"),
              std::string::npos);

    const auto strands = SteelCopies(MaterialChart::PSteel, {Strand("Strand")}, {1}, 0);
    const std::string ps = MaterialDump(strands, {}, "%5.2f", "%5.1f", kUnitOldMetric);
    EXPECT_EQ(ps.rfind("  Prestressed Reinforcement Material Information\r\n  =====================================\r\n"
                       "\r\nReinforcement Type: Strand\r\n\r\nUltimate Strength: ",
                       0),
              0u);
    EXPECT_NE(ps.find(" t/cm^2\r\n"), std::string::npos);
    EXPECT_NE(ps.find("Ramberg-Osgood Parameter A: 0.025 \r\n"), std::string::npos);
    EXPECT_NE(ps.find("Ramberg-Osgood Parameter C:  10.0 \r\n\r\n"), std::string::npos);
    const auto bars = SteelCopies(MaterialChart::Rebar, {Bar("Grade 60", 413.7, 0.007, 0.1, 0.15)}, {1}, 0);
    const std::string rb = MaterialDump(bars, {}, "%5.2f", "%5.1f", kUnitUS);
    EXPECT_NE(rb.find("\r\nReinforcement Type: Grade 60\r\n\r\nYield Stress:  60.0 ksi\r\n"), std::string::npos);
    EXPECT_NE(rb.find("Maximum strain with significant stress: 150.0 ms\r\n"), std::string::npos);
}

} // namespace
