// A stress-strain curve row exactly at the 10000 mm/m a section holds, given in a document, is
// taken: it opens without a word, keeps its point, and is saved and opened again in a new session
// the same; a row past the bound is refused naming the row's own strain, in as many digits as
// tell it from the bound.

#include <string>

#include "app/CommandIds.h"
#include "tests/app/UnheldLayerFixture.h"

using namespace unheld_layers;

namespace {

// A section of one concrete "Web" and one bar steel "Bar", each by its own curve (the concrete
// 20 MPa at 1 mm/m and 30 MPa at 2 mm/m, the steel 400 MPa from 2 to 50 mm/m), with the rows
// given added to the curves'.
std::string CurvesDocument(const std::string& concreteRows, const std::string& steelRows)
{
    return "<?xml version=\"1.0\"?>\r\n<document>\r\n<q3g_beam name=\"Curves\">\r\n"
           "<concrete fcp=\"30.0\" c_mod=\"4\" name=\"Web\">\r\n 0.000 0.00\r\n 1.000 20.00\r\n "
           "2.000 30.00\r\n" +
           concreteRows +
           "</concrete>\r\n<rebar fy=\"400\" name=\"Bar\">\r\n 0.000 0.00\r\n 2.000 400.00\r\n" +
           " 50.000 400.00\r\n" + steelRows +
           "</rebar>\r\n<sectionSOLID>\r\n 600.0 300.0\r\n 0.0 300.0 \"Web\"\r\n</sectionSOLID>\r\n"
           "</q3g_beam>\r\n</document>\r\n";
}

class CurveRowAtTheBound : public UnheldLayerTest {
protected:
    const TStructure& Shown() { return *Window().GetCurrentStructure(); }

    // File > Save As under the name: the bytes written.
    std::string SaveAs(const std::string& name)
    {
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        EXPECT_TRUE(ui.Done());
        return dir.Read(name);
    }
};

// Every pair of the curve, strain and stress, the same to the last bit.
void ExpectSameCurve(const TDepthTable& a, const TDepthTable& b)
{
    ASSERT_EQ(b.GetCount(), a.GetCount());
    for (int i = 0; i < a.GetCount(); ++i) {
        EXPECT_EQ(b.GetDepth(i), a.GetDepth(i)) << "point " << i;
        EXPECT_EQ(b.GetValue(i), a.GetValue(i)) << "point " << i;
    }
}

} // namespace

// The steel falling from 400 MPa at 50 mm/m to 300 MPa at 10000 mm/m, the concrete to 5 MPa at
// 10000 mm/m on its falling branch: both rows are at the bound, so the document opens without a
// box with the rows kept (10 as a strain). Saved, opened in a new session, the curves are the
// same to the last bit and the second save writes the first's bytes.
TEST_F(CurveRowAtTheBound, ARowAtTheStrainBoundOpensAndIsSavedAndReopenedTheSame)
{
    EXPECT_TRUE(
        Open("bound.qvh", CurvesDocument(" 10000.000 5.00\r\n", " 10000.000 300.00\r\n")).empty());
    EXPECT_TRUE(ui.Done());
    ASSERT_EQ(Shown().GetName(), "Curves");
    ASSERT_TRUE(Shown().GetSteelType(0)->userCurve);
    ASSERT_TRUE(Shown().GetConcreteType(0)->userCurve);
    const TDepthTable steel = *Shown().GetSteelType(0)->userCurve;
    const TDepthTable concrete = *Shown().GetConcreteType(0)->userCurve;
    const int s = steel.IndexOfDepth(10.0), c = concrete.IndexOfDepth(-10.0);
    ASSERT_GE(s, 0);
    ASSERT_GE(c, 0);
    EXPECT_NEAR(steel.GetDepth(s), 10.0, 1e-12);
    EXPECT_NEAR(steel.GetValue(s), 300e6, 1.0);
    EXPECT_NEAR(concrete.GetDepth(c), -10.0, 1e-12);
    EXPECT_NEAR(concrete.GetValue(c), -5e6, 1.0);

    const std::string saved = SaveAs("saved.qvh");
    app.reset();
    Start();
    EXPECT_TRUE(Open("saved.qvh", saved).empty());
    EXPECT_TRUE(ui.Done());
    ASSERT_EQ(Shown().GetName(), "Curves");
    ExpectSameCurve(steel, *Shown().GetSteelType(0)->userCurve);
    ExpectSameCurve(concrete, *Shown().GetConcreteType(0)->userCurve);
    EXPECT_EQ(SaveAs("again.qvh"), saved);
}

// A row half a mm/m past the bound (10000.5 mm/m), of the steel or of the concrete, is refused
// naming that strain, not the bound's own figure; the section open before stays.
TEST_F(CurveRowAtTheBound, ARowJustPastTheStrainBoundIsRefusedNamingItsOwnStrain)
{
    const std::string past = ": a section takes at most 10000 mm/m. The file cannot be read.";
    ExpectRefusedKeepingTheOpenSection(
        "steel.qvh",
        CurvesDocument("", " 10000.500 300.00\r\n"),
        "Steel type 1 (\"Bar\") has a stress-strain point with a strain of 10000.5 mm/m" + past,
        "Load Error");
    ExpectRefusedKeepingTheOpenSection(
        "concrete.qvh",
        CurvesDocument(" 10000.500 5.00\r\n", ""),
        "Concrete type 1 (\"Web\") has a stress-strain point with a strain of 10000.5 mm/m" + past,
        "Load Error");
}
