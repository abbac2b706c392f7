// A section whose concrete shrinks against its bars and against a strain discontinuity
// imposed below its top, under a moment increment alone: File > Open and Solve > Sectional
// Response find its initial state (self-equilibrated stresses at zero load) and trace its
// response, without a box.

#include <algorithm>
#include <cmath>
#include <string>

#include "tests/app/RealDocumentShell.h"
#include "tests/app/SectionalAnswer.h"

namespace {

// A 300 x 600 mm rectangle (11.81 x 23.62 in) of one 30 MPa concrete with three #8 bars
// 65 mm over its bottom, a uniform shrinkage of -0.43 mm/m, and a strain discontinuity of
// 0.4 mm/m at 500 mm (19.69 in) that runs to nothing at the top and at the bottom; the
// long-term settings of a user's T-beam when asked.
std::string RestrainedSection(bool longTerm)
{
    const std::string options =
        longTerm ? "<analysisoptions longterm=\"1\" sustainM=\"14.75\" sustainN=\"-11.24\" "
                   "age=\"0.0767\" />\n"
                 : "";
    return R"(<?xml version="1.0"?>
<document>
<q3g_beam name="Restrained" units="US">
<concrete fcp="4351.131" maxagg="0.748" />
<rebar fy="65.27" E="29007.54" fu="97.9" esh="7.0" eu="100.0" />
<sectionSOLID>
 23.622048 11.811024
 19.68504 11.811024 "Concrete 1"
 19.68504 11.811024
 0.00 11.811024 "Concrete 1"
</sectionSOLID>
<longreinfx z="2.574803" type="Steel 1" num="3" A="2.37" bartitle="#8" />
<shrinktherm>
 23.622048 -0.430
 0.0 -0.430
</shrinktherm>
<sectloading MM="0.737562" />
<straindiscont>
 23.622048 0.000
 19.68504 0.400
 0.0 0.000
</straindiscont>
)" + options + "</q3g_beam>\n</document>\n";
}

// The section as a user typed it in millimetres: a 300 x 600 mm rectangle of 30 MPa concrete,
// three bars of 510 mm^2 (25.4 mm) at 65.4 mm, a uniform shrinkage of -0.3 mm/m, and a strain
// discontinuity of 0 at 600 mm, 0.3 mm/m at 500 mm and 0 at the bottom; a moment increment of
// 1 kN m that puts the top in compression.
const char* const kMetricSection = R"(<?xml version="1.0"?>
<document>
<q3g_beam name="Restrained" units="metric">
<concrete fcp="30" maxagg="19" />
<rebar fy="450" E="200000" fu="675" esh="7.0" eu="100.0" />
<sectionSOLID>
 600 300
 0 300 "Concrete 1"
</sectionSOLID>
<longreinfx z="65.4" type="Steel 1" num="3" A="510" db="25.4" bartitle="#8" />
<shrinktherm>
 600 -0.300
 0 -0.300
</shrinktherm>
<sectloading MM="1" />
<straindiscont>
 600 0.000
 500 0.300
 0 0.000
</straindiscont>
</q3g_beam>
</document>
)";

class RestrainedShrinkageStartTest : public RealDocumentShellTest {
protected:
    void Open(bool longTerm)
    {
        OpenDocument(longTerm ? "restrained-lt.qvh" : "restrained.qvh", RestrainedSection(longTerm));
    }
    // The largest moment of any stage, either sign.
    static double LargestMoment(const SectionalAnswer& a)
    {
        double largest = 0.0;
        for (std::size_t i = StateResult::Moment; i < a.values.size(); i += StateResult::Count)
            largest = std::max(largest, std::fabs(a.values[i]));
        return largest;
    }
};

} // namespace

// With and without the long-term settings: no box; a response past its initial stage; at zero
// load the stresses balance (N and M within 0.5 kN and 0.5 kN m of nothing, where the bars
// alone restrain some 130 kN of shrinkage); at every stage N is nothing, as applied, within
// 0.5 % of the force of the couple that holds the largest moment over a 0.5 m lever arm.
TEST_F(RestrainedShrinkageStartTest, TheInitialStateIsFoundAndEveryStageIsInEquilibrium)
{
    for (const bool longTerm : {false, true}) {
        SCOPED_TRACE(longTerm ? "long-term" : "short-term");
        Open(longTerm);
        const long before = Boxes();
        const SectionalAnswer a = SolveSectionalResponse(Frame(), Window());
        EXPECT_EQ(Boxes(), before);
        EXPECT_EQ(a.errors, 0);
        ASSERT_GT(a.lastStage, 10);

        constexpr std::size_t n = StateResult::Count;
        EXPECT_NEAR(a.values[StateResult::AxialForce], 0.0, 500.0);
        EXPECT_NEAR(a.values[StateResult::Moment], 0.0, 500.0);
        const double largest = LargestMoment(a);
        EXPECT_GT(largest, 50e3); // the section reaches the moment of its bars yielding
        const double couple = largest / 0.5;
        // No axial load is applied at any stage.
        for (std::size_t s = 0; s < a.values.size(); s += n)
            EXPECT_NEAR(a.values[s + StateResult::AxialForce], 0.0, 0.005 * couple) << "stage " << s / n;
    }
    EXPECT_TRUE(ui.Done());
}

// The section typed in millimetres, which no start from the estimate solves: Solve > Sectional
// Response finds its initial state through its imposed strains applied in steps, without a box:
// at zero load N and M within 0.5 kN and 0.5 kN m of nothing, and the response runs on to the
// flexural strength of its bars by the stress block, As fy (d - a/2) = 1530 mm^2 x 450 MPa x
// (534.6 - 45.0) mm = 337.1 kN m.
TEST_F(RestrainedShrinkageStartTest, TheSectionTypedInMillimetresStartsInEquilibrium)
{
    OpenDocument("restrained-mm.qvh", kMetricSection);
    const long before = Boxes();
    const SectionalAnswer a = SolveSectionalResponse(Frame(), Window());
    EXPECT_EQ(Boxes(), before);
    EXPECT_EQ(a.errors, 0);
    ASSERT_GT(a.lastStage, 10);
    EXPECT_NEAR(a.values[StateResult::AxialForce], 0.0, 500.0);
    EXPECT_NEAR(a.values[StateResult::Moment], 0.0, 500.0);
    EXPECT_GT(LargestMoment(a), 337.1e3);
    EXPECT_TRUE(ui.Done());
}

namespace {

// The section typed in millimetres with six bars of 500 mm^2 (25.2 mm) instead of three, a
// shrinkage of -3.0 mm/m and the discontinuity 0.8 mm/m at 500 mm.
std::string HeavilyRestrainedSection()
{
    std::string text = kMetricSection;
    const auto replace = [&text](const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    };
    replace("num=\"3\" A=\"510\" db=\"25.4\" bartitle=\"#8\"", "num=\"6\" A=\"3000\" db=\"25.2\" bartitle=\"25M\"");
    replace(" 600 -0.300\n 0 -0.300", " 600 -3.000\n 0 -3.000");
    replace(" 500 0.300", " 500 0.800");
    return text;
}

} // namespace

// A shrinkage of 3 mm/m against six bars: no start from the estimate solves the initial state,
// and the imposed strains applied in steps run out of solves part of the way (past half of the
// strains, short of the whole). The response cannot start from a state solved under part of the
// strains: Solve > Sectional Response says it could not solve the initial case, in one box, and
// solves no stage.
TEST_F(RestrainedShrinkageStartTest, AnInitialStateReachedUnderPartOfTheStrainsIsNotTakenAsFound)
{
    OpenDocument("restrained-heavy.qvh", HeavilyRestrainedSection());
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Restrained");
    const long before = Boxes();
    ui.Message("Could not Solve for initial case", MsgAnswer::Ok);
    const SectionalAnswer a = SolveSectionalResponse(Frame(), Window());
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Boxes(), before + 1);
    EXPECT_EQ(ui.requests.back().text.rfind("Could not Solve for initial case.", 0), 0u) << ui.requests.back().text;
    EXPECT_EQ(a.errors, 1);
    EXPECT_TRUE(a.values.empty());
}
