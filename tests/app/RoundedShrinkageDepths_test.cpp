// A document whose shrinkage profile gives its top row at the top face as rounded in inches
// (23.6 in on a section 23.62 in high), as documents of earlier versions of the program hold
// it: File > Open, the imposed strain over the depth, and Solve > Sectional Response against
// the same document with the row at the face to the digit.

#include <string>

#include "model/TStructure.h"
#include "tests/app/RealDocumentShell.h"
#include "tests/app/SectionalAnswer.h"
#include "tests/support/TwoConcreteTBeam.h"

namespace {

// The T-beam of two concretes in US units (a 39.37 x 3.93 in flange over an 11.81 x 19.69 in
// web), with shrinkage of -0.3, -0.2 and -0.1 mm/m at the top, mid-height and bottom, the
// document's strain discontinuity at the flange, bar strains and long-term settings; the
// shrinkage profile's top row at `topRow` inches.
std::string TBeamDocument(const std::string& topRow)
{
    const std::string shrinkage = "<shrinktherm>\n " + topRow + " -0.300\n 11.8 -0.200\n 0.0 -0.100\n</shrinktherm>\n";
    const std::string after = R"(<rebarthermx>
 "bot" 0.500
 "tendon" 0.000
 "top" 0.000
</rebarthermx>
<straindiscont>
 23.6 0.000
 19.7 0.400
 0.0 0.000
</straindiscont>
<analysisoptions longterm="1" sustainM="14.8" sustainN="-11.2" age="0.076712328767123292" />
)";
    return "<?xml version=\"1.0\"?>\r\n<document>\r\n" + TwoConcreteTBeamElement(shrinkage, after) + "\r\n</document>\r\n";
}

class RoundedShrinkageDepthsTest : public RealDocumentShellTest {
protected:
    // File > Open of the T-beam written with the top row of its shrinkage profile so.
    void Open(const std::string& topRow) { OpenDocument("tbeam-" + topRow + ".qvh", TBeamDocument(topRow)); }
};

} // namespace

// The profile the section imposes is the one the document gives, -0.3 mm/m at the top face to
// -0.1 mm/m at the bottom, nowhere beyond those (not a strain a hundred times larger below a
// zero at the face half a millimetre over the top row), and the section solves as the one
// whose row lies at the face to the digit: past its initial stage through the whole run,
// stage by stage alike, without a word.
TEST_F(RoundedShrinkageDepthsTest, ATopRowRoundedBelowTheFaceImposesTheDocumentsStrainAndSolvesAlike)
{
    Open("23.6");
    const TStructure& s = *Window().GetCurrentStructure();
    EXPECT_NEAR(s.GetInitialStrainAt(s.GetTop(), 2), -0.3e-3, 1e-9);
    EXPECT_NEAR(s.GetInitialStrainAt(s.GetBottom(), 2), -0.1e-3, 1e-9);
    for (int k = 0; k <= 100; ++k) {
        const double y = s.GetBottom() + s.GetHeight() * k / 100.0;
        const double strain = s.GetInitialStrainAt(y, 2);
        EXPECT_GE(strain, -0.3e-3 - 1e-9) << "at " << y << " m";
        EXPECT_LE(strain, -0.1e-3 + 1e-9) << "at " << y << " m";
    }
    const SectionalAnswer rounded = SolveSectionalResponse(Frame(), Window());

    Open("23.62");
    const SectionalAnswer exact = SolveSectionalResponse(Frame(), Window());
    EXPECT_GT(exact.lastStage, 10);
    ExpectSameSectionalAnswer(exact, rounded);
    EXPECT_TRUE(ui.Done());
}
