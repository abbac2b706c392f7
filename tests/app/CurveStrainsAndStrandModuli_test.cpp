// Documents with a material value no section holds where the tests of stresses and of bar moduli
// do not look, opened by File > Open: a stress-strain curve row past the strain bound (a steel's
// and a concrete's), and a strand whose modulus is 0, a ten-thousandth of a MPa or no number.
// Each is refused with one box naming the type by its own name and the value as the document
// gives it; the section open before stays.

#include <memory>
#include <string>
#include <vector>

#include "tests/app/UnheldLayerFixture.h"

using namespace unheld_layers;

// The strain bound a section holds is 10000 mm/m. A steel curve row at 20000 mm/m (the stress
// falling from 400 MPa at 50 mm/m to 300 MPa there: its peak within the bound, its rupture at
// twice it), or a concrete row at 20000 mm/m on its falling branch, is refused naming the row's
// strain; rows at half the bound open, with the moduli the curves give
// (400 MPa at 2 mm/m: 200 GPa; 20 MPa at 1 mm/m: 20 GPa) and the points kept.
TEST_F(UnheldLayerTest, ACurveRowPastTheStrainBoundIsRefusedNamingItsStrain)
{
    const std::string past = ": a section takes at most 10000 mm/m. The file cannot be read.";
    ExpectRefusedKeepingTheOpenSection(
        "steel.qvh",
        CurvesDocument("", " 20000.000 300.00\r\n"),
        "Steel type 1 (\"Bar\") has a stress-strain point with a strain of 2e+04 mm/m" + past,
        "Load Error");
    ExpectRefusedKeepingTheOpenSection(
        "concrete.qvh",
        CurvesDocument(" 20000.000 5.00\r\n", ""),
        "Concrete type 1 (\"Web\") has a stress-strain point with a strain of 2e+04 mm/m" + past,
        "Load Error");

    EXPECT_TRUE(
        Open("within.qvh", CurvesDocument(" 5000.000 5.00\r\n", " 5000.000 400.00\r\n")).empty());
    EXPECT_TRUE(ui.Done());
    const TStructure& s = *Window().GetCurrentStructure();
    ASSERT_EQ(s.GetName(), "Curves");
    EXPECT_NEAR(s.GetSteelType(0)->Es, 200e9, 1e6);
    EXPECT_NEAR(s.GetConcreteType(0)->Ec, 20e9, 1e6);
    ASSERT_TRUE(s.GetSteelType(0)->userCurve);
    ASSERT_TRUE(s.GetConcreteType(0)->userCurve);
    EXPECT_GE(s.GetSteelType(0)->userCurve->IndexOfDepth(5.0), 0);
    EXPECT_GE(s.GetConcreteType(0)->userCurve->IndexOfDepth(-5.0), 0);
}

// A strand keeps at least the modulus of 1 MPa a bar keeps: a document whose strand modulus is 0,
// 0.0001 MPa or no number (read as 0) is refused naming that modulus, as one of a bar is; the
// document as written (a strand of 190000 MPa) opens with its modulus.
TEST_F(UnheldLayerTest, AStrandModulusBelowTheLeastIsRefusedAsABarsIs)
{
    std::vector<std::unique_ptr<TStructure>> structures;
    structures.push_back(MakeOwnBarsBeam("Strand"));
    SteelTypeRec& strand = *structures[0]->GetSteelType(1);
    ASSERT_EQ(strand.kind, SteelKind::Prestressing);
    // A modulus off the default, so that the document writes it.
    strand.Es = 190e9;
    const std::string name = strand.name;
    WriteStructures("strand.qvh", std::move(structures));
    const std::string text = dir.Read("strand.qvh");

    const std::string type = "Steel type 2 (\"" + name + "\") has an elastic modulus of ";
    const std::string least = " MPa: a section takes at least 1 MPa. The file cannot be read.";
    struct Case {
        const char* value;
        const char* told;
    };
    for (const Case& c : {Case{"0", "0"}, Case{"0.0001", "0.0001"}, Case{"nan", "0"}}) {
        SCOPED_TRACE(c.value);
        ExpectRefusedKeepingTheOpenSection("e.qvh",
                                           WithElementValue(text, "prestress", "E", c.value),
                                           type + c.told + least,
                                           "Load Error");
    }

    EXPECT_TRUE(Open("strand.qvh", text).empty());
    EXPECT_TRUE(ui.Done());
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Strand");
    EXPECT_DOUBLE_EQ(Window().GetCurrentStructure()->GetSteelType(1)->Es, 190e9);
}
