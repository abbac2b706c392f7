// The design-code strength report: its lines, their formats and its notes.

#include "analysis/codes/CodeStrengthReport.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/codes/CodeStrength.h"
#include "analysis/codes/CodeTestBeam.h"
#include "foundation/Units.h"
#include "support/TestSupport.h"

namespace {

using namespace codetest;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

struct CodeReportTest : ::testing::Test {
    RecordingReporter reporter;
    TBeam beam;
    std::string text = "left over";

    std::vector<std::string> Report(const BeamSpec& spec, int variant, const char* name)
    {
        MakeBeam(beam, spec);
        beam.SetName(name);
        WriteCodeStrengthReport(&beam, text, variant);
        return Lines(text);
    }
};

TEST_F(CodeReportTest, CsaReportGivesResistancesParametersAndFactorsLineByLine)
{
    const std::vector<std::string> lines = Report(Path(1.0), kCsa2014, "Test beam");
    ASSERT_EQ(lines.size(), 8u) << text;
    EXPECT_EQ(lines[0], "Test beam");

    // The resistances are the strength along the load path (hand-checked in the strength
    // tests); here they must be shown in kNm and kN with M_r = 1 m x V_r.
    double mr = 0.0;
    double vr = 0.0;
    ASSERT_EQ(std::sscanf(lines[1].c_str(), "M_r = %lf kNm  V_r = %lf kN", &mr, &vr), 2)
        << lines[1];
    EXPECT_NEAR(mr, vr, 0.1);
    EXPECT_GT(vr, 100.0);
    double ex = 0.0;
    char rest[64] = {};
    ASSERT_EQ(std::sscanf(lines[2].c_str(), "|e_x = %lf mm/m  %63[^\n]", &ex, rest), 2) << lines[2];
    EXPECT_GT(ex, 0.0);
    EXPECT_STREQ(rest, "s_z_e =   380 mm");
    double vc = 0.0;
    ASSERT_EQ(std::sscanf(lines[3].c_str(), "V_c = %lf kN   V_s =   0.0 kN", &vc), 1) << lines[3];
    EXPECT_NEAR(vc, vr, 0.1) << "without stirrups the concrete carries it all";
    EXPECT_EQ(lines[4], "") << "no tendons: no V_p";
    EXPECT_EQ(lines[5], "d_v =   380 mm  b_w =   300 mm");
    EXPECT_EQ(lines[6], "|f_c = 1.00  |f_s = 1.00  |f_p = 1.00");
    EXPECT_EQ(lines[7], "") << "no notes";
}

TEST_F(CodeReportTest, CsaReportNotesAndOtherUnits)
{
    {
        SCOPED_TRACE("untitled, US units, axial increment, constant shear, few stirrups");
        ValueGuard<int> units(g_UnitSystem, kUnitUS);
        BeamSpec spec = Path(1.0, 0.2e6);
        spec.loads[0] = -0.5;
        spec.constants[2] = 10e3;
        const std::vector<std::string> lines = Report(spec, kCsa2014, "Enter Title Here");
        ASSERT_GE(lines.size(), 8u) << text;
        EXPECT_EQ(lines[0].rfind("N_r = ", 0), 0u) << "no name line; N_r first";
        EXPECT_NE(lines[1].find("s_z_e =  15.0 in"), std::string::npos) << lines[1];
        EXPECT_EQ(lines[4], "d_v =  15.0 in  b_w =  11.8 in");
        EXPECT_EQ(lines[6], "Loading neglects constant portion of shear.");
        EXPECT_EQ(lines[7],
                  "Stirrups neglected as minimum not providedM/V Diagram drawn for "
                  "constant axial load");
    }
    {
        SCOPED_TRACE("heavy bars under pure moment: compression limit");
        BeamSpec spec = Path(1.0);
        spec.loads[2] = 0.0;
        spec.barArea = 0.02;
        Report(spec, kCsa2014, "Test beam");
        EXPECT_NE(text.find("\r\nTop flange compression force limit in effect\r\n"),
                  std::string::npos)
            << text;
    }
    WriteCodeStrengthReport(nullptr, text, kCsa2014);
    EXPECT_EQ(text, "") << "no section, no text";
}

TEST_F(CodeReportTest, AashtoReportPrintsOnlyTheLoadsOfThePathAndTheTableNotes)
{
    {
        SCOPED_TRACE("shear only, no stirrups");
        const std::vector<std::string> lines = Report(Path(0.0), kAashto94, "Test beam");
        ASSERT_EQ(lines.size(), 5u) << text;
        double vu = 0.0;
        ASSERT_EQ(std::sscanf(lines[0].c_str(), "V_u = %lf kN", &vu), 1) << lines[0];
        EXPECT_EQ(lines[0], std::string("V_u = ") + lines[0].substr(6, 5) + " kN") << "%5.0f";
        EXPECT_NEAR(vu, CodeShearStrength(beam, kAashto94) / 1000.0, 0.5);
        EXPECT_EQ(lines[1], "d_v =   380 mm  b_v =   300 mm");
        EXPECT_EQ(lines[2], "Phi = 1.00");
        EXPECT_EQ(lines[3], "s_x =   380 mm") << "less than minimum: the spacing tables";
        EXPECT_EQ(lines[4], "");
    }
    {
        SCOPED_TRACE("moment and shear, stirrups below the minimum");
        const std::vector<std::string> lines =
            Report(Path(1.0, 0.5 * AashtoMinimum()), kAashto2000, "Test beam");
        ASSERT_EQ(lines.size(), 8u) << text;
        EXPECT_EQ(lines[0].rfind("M_u = ", 0), 0u);
        EXPECT_NE(lines[0].find(" kNm  V_u = "), std::string::npos);
        EXPECT_EQ(lines[3], "s_x =   380 mm");
        EXPECT_EQ(lines[4], "Less than minimum reinforcement");
        EXPECT_EQ(lines[5], "Strength interpolated as in ACI paper by");
        EXPECT_EQ(lines[6].substr(lines[6].size() - 10), ", ACI 2001");
    }
}

TEST_F(CodeReportTest, TendonsAddTheirDrapeShearAndTheStrainFactorLines)
{
    BeamSpec spec = Path(1.0);
    spec.prestrain = 0.001;
    spec.drape = 0.1;
    std::vector<std::string> lines = Report(spec, kCsa2014, "Test beam");
    ASSERT_GE(lines.size(), 5u) << text;
    EXPECT_EQ(lines[4], "V_p =  39.8 kN") << "200 MPa x 2000 mm^2 x sin(atan 0.1)";

    lines = Report(spec, kAashto94, "Test beam");
    ASSERT_GE(lines.size(), 4u) << text;
    // F_e = E_s A_ps / (E_s A_ps + E_c A_ct) with the lower half of the concrete in tension.
    const double ec = beam.GetConcreteType(0)->Ec;
    const double fe = kEs * 0.002 / (kEs * 0.002 + ec * kWidth * kHeight / 2.0);
    char expected[32];
    std::snprintf(expected, sizeof expected, "Code F_e = %5.3f", fe);
    EXPECT_EQ(lines[lines.size() - 2], expected);
}

TEST_F(CodeReportTest, AashtoConstantLoadBeyondTheStrengthHasNoLoadFactor)
{
    // The constant shear lies between the strengths without and with minimum stirrups: the
    // interpolation between them has no load factor to interpolate.
    BeamSpec spec = Path(1.0, 0.5 * AashtoMinimum());
    spec.constants[2] = 200e3;
    MakeBeam(beam, spec);
    EXPECT_TRUE(IsUndefined(CodeShearStrength(beam, kAashto94)));
    const std::vector<std::string> lines = Report(spec, kAashto94, "Test beam");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Negative Load Factor! Lower initial loads");
    EXPECT_EQ(lines[1], "d_v =   380 mm  b_v =   300 mm");
}

} // namespace
