// A stress-strain curve row exactly at the 10000 mm/m a section holds, given in a document, is
// taken: it opens without a word, keeps its point, and is saved and opened again in a new session
// the same; a row past the bound is refused naming the row's own strain, in as many digits as
// tell it from the bound.

#include <string>

#include "app/CommandIds.h"
#include "tests/app/UnheldLayerFixture.h"

using namespace unheld_layers;

namespace {

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
