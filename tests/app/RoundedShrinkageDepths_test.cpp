// A document whose shrinkage profile gives its top row at the top face as rounded in inches
// (23.6 in on a section 23.62 in high), as documents of earlier versions of the program hold
// it: File > Open, the imposed strain over the depth, and Solve > Sectional Response against
// the same document with the row at the face to the digit.

#include <string>

#include "app/CommandIds.h"
#include "model/TStructure.h"
#include "tests/app/SectionalAnswer.h"
#include "tests/app/ShellFixture.h"

namespace {

// The T-beam of two concretes in US units (a 39.37 x 3.93 in flange over an 11.81 x 19.69 in
// web), with a tendon, shrinkage of -0.3, -0.2 and -0.1 mm/m at the top, mid-height and
// bottom, a strain discontinuity at the flange and long-term settings, under constant loads
// and a growing moment and shear; the shrinkage profile's top row at `topRow` inches.
std::string TBeamDocument(const std::string& topRow)
{
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="no" ?>
<document>
	<q3g_beam	name="T-beam" doneby="A. Engineer" date="2026/12/6" smx="  2.0" smt="  7.9" units="US"	>
		<concrete fcp="5801.5" ft="362.59" tsfactor="0.8" maxagg="0.79" c_soft="9" t_stiff="3" name="Flange" />
		<concrete fcp="4351.1" maxagg="0.75" c_mod="4" t_stiff="2" name="Web" >
					0.000  0.00
					1.000 2900.75
					2.000 4351.13
					3.500 3625.94
			</concrete>
		<rebar fy="65.3" E="29008" fu="87.0" esh="8.0" eu="100.0" name="Bar" />
		<rebar fy="72.8" E="29008" fu="79.8" esh="5.0" eu="50.0" name="Curve" >
					0.000  0.00
					2.500 72518.85
					50.000 79770.74
			</rebar>
		<prestress fu="264.1" E="28282" name="Strand" />
		<sectionSOLID >
					23.62	39.37
					19.69	39.37	"Flange"
					19.69	11.81
					0.00	11.81	"Web"
			</sectionSOLID>
		<longreinfx z="1.97" type="Bar" num="4" A="1.860" bartitle="20" />
		<longreinfx z="3.94" type="Strand" drape="2.00" A="1.085" Ai="1.085" db="1.2" dep="6.00" name="tendon" />
		<longreinfx z="21.65" type="Curve" space="11.8" num="2" A="1.550" Ai="0.775" db="1.0" name="top" />
		<transreinfz A="0.310" type="Bar" pattern="2" space="5.91" disttop="22.4" distbot="1.2" bartitle="20" name="stirrups" />
		<shrinktherm >
					 )" + topRow + R"( -0.300
					 11.8 -0.200
					  0.0 -0.100
			</shrinktherm>
		<sectloading BN="-22.5" BM="-36.9" MM="0.738" MV="0.450" />
		<rebarthermx >
				"bot" 0.500
				"tendon" 0.000
				"top" 0.000
			</rebarthermx>
		<straindiscont >
					 23.6 0.000
					 19.7 0.400
					  0.0 0.000
			</straindiscont>
		<analysisoptions longterm="1" sustainM="14.8" sustainN="-11.2" age="0.076712328767123292" />
	</q3g_beam>
</document>
)";
}

class RoundedShrinkageDepthsTest : public StartedShellTest {
protected:
    RoundedShrinkageDepthsTest() : m_previous(SetDocumentEngine(nullptr)) {}
    ~RoundedShrinkageDepthsTest() override { SetDocumentEngine(m_previous); }

    // File > Open of the T-beam written with the top row of its shrinkage profile so.
    void Open(const std::string& topRow)
    {
        const std::string name = "tbeam-" + topRow + ".qvh";
        dir.Write(name, TBeamDocument(topRow));
        if (Window().IsModified())
            ui.Message("Save Changes", MsgAnswer::No);
        ui.File(plat::FileDialogKind::Open, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    }

private:
    TDocumentEngine* m_previous;
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
