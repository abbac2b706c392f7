// The "Section Information" report, the panel's material lines and the time-dependent block
// of a simple beam, line by line against hand-computed values.

#include <sstream>

#include "DocumentTestSupport.h"
#include "analysis/codes/CodeStrength.h"
#include "analysis/codes/CodeStrengthReport.h"
#include "files/report/SectionReport.h"
#include "foundation/Diagnostics.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "model/StructureFixtures.h"

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class SectionReport : public DocumentTest {
protected:
    // A 300 x 500 mm rectangle of 35 MPa concrete with four catalogue bars 50 mm above the
    // bottom and two 200 mm^2 bars 40 mm below the top, all of one 400 MPa steel.
    SectionReport()
    {
        beam.SetName("Simple");
        beam.AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
        LongLayerRec bottom = fixtures::LayerOfArea(0.05, 4, g_RebarList.GetArea(kEntry), "bottom");
        bottom.barIndex = kEntry;
        bottom.bartitle = g_RebarList.GetName(kEntry);
        beam.AddLongLayer(bottom, 0);
        beam.AddLongLayer(fixtures::LayerOfArea(0.46, 2, 200e-6, "top"), 0);
        beam.Validate();
    }
    static constexpr int kEntry = 5;
    TBeam beam;
};

TEST_F(SectionReport, SimpleBeamLineByLine)
{
    TTextBuffer text("previous text");
    ASSERT_EQ(WriteSectionInformationReport(beam, text), 1);
    const double as = 4 * g_RebarList.GetArea(kEntry) * 1e6; // mm^2
    const double total = as + 400.0;
    const std::vector<std::string> expected = {
        "Quarvish-2000 Section Information",
        "=============================",
        "",
        "Section Name: Simple",
        "Section Type: " + beam.GetShapeName(),
        "",
        "Longitudinal Reinforcement",
        "-------------------------------------",
        "As' (Area above mid-depth): 400.0 mm^2",
        StrPrintf("As (Area below mid-depth):  %5.1f mm^2", as),
        StrPrintf("Total Area of Steel:        %5.1f mm^2", total),
        "",
        "Lever Arm",
        "-----------------",
        "Distance from top of section to centroid",
        "of bottom reinforcement (d): 450.0 mm",
        "Distance from bottom of section to centroid",
        " of top reinforcement (d'): 460.0 mm",
        "",
        "Bar listing",
        "-----------------",
        " 4 - " + g_RebarList.GetName(kEntry),
        " 2 bars defined by area",
        "",
        StrPrintf("Gross Percentage of steel: %5.3f %%", total / 150000.0 * 100.0),
        "",
        "Maximum Transverse Reinforcement",
        "------------------------------------",
        "Unreinforced in Transverse Direction",
        "",
        "AASHTO-2000 Shear Strength",
        "----------------------------",
        "",
    };
    // The two code blocks are the design-code summaries as that calculation writes them.
    std::string aashto;
    std::string csa;
    WriteCodeStrengthReport(&beam, aashto, kAashto2000);
    WriteCodeStrengthReport(&beam, csa, kCsa2014);
    ASSERT_FALSE(aashto.empty());
    const std::string tail = aashto + "\r\nCSA-2014 Shear Strength\r\n-----------------------\r\n\r\n" +
                             csa + "\r\n";
    const std::string& report = text.GetString();
    const std::size_t head = report.size() - tail.size();
    ASSERT_GT(report.size(), tail.size());
    EXPECT_EQ(report.substr(head), tail);
    std::vector<std::string> lines = Lines(report.substr(0, head));
    EXPECT_EQ(lines, expected);
}

TEST_F(SectionReport, UsCustomaryAreasHaveThreeDecimals)
{
    g_UnitSystem = kUnitUS;
    TTextBuffer text("");
    WriteSectionInformationReport(beam, text);
    const std::vector<std::string> lines = Lines(text.GetString());
    EXPECT_EQ(lines[7], std::string(44, '-'));
    EXPECT_EQ(lines[8], StrPrintf("As' (Area above mid-depth): %5.3f  in^2", 400e-6 * 1550.003));
    EXPECT_EQ(lines[15], StrPrintf("of bottom reinforcement (d): %5.2f in", 0.45 * 39.37008));
}

TEST_F(SectionReport, UnreinforcedSectionHasNoLeverArms)
{
    TBeam plain;
    plain.AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
    plain.Validate();
    TTextBuffer text("");
    WriteSectionInformationReport(plain, text);
    const std::vector<std::string> lines = Lines(text.GetString());
    ASSERT_GT(lines.size(), 17u);
    EXPECT_EQ(lines[12], "Lever Arm");
    EXPECT_EQ(lines[13], "-----------------");
    EXPECT_EQ(lines[14], "");
    EXPECT_EQ(lines[15], "Unreinforced");
}

TEST_F(SectionReport, MaterialLines)
{
    std::string text;
    ASSERT_EQ(WriteMaterialReport(beam, text), 1);
    EXPECT_EQ(text, "Simple\r\nf_c' =  35.0 MPa\r\nf_y =   400 MPa\r\n");

    SteelTypeRec strand;
    InitSteelTypeRec(strand);
    strand.kind = SteelKind::Prestressing;
    strand.fu = 1860e6;
    strand.name = "Strand";
    beam.AddSteelType(strand);
    beam.SetLongLayerSteelType(1, beam.GetSteelTypeCount() - 1, 0);
    WriteMaterialReport(beam, text);
    EXPECT_EQ(text, "Simple\r\nf_c' =  35.0 MPa\r\nf_y (Steel 1)=   400 MPa\r\n"
                    "f_p_u (Strand)=  1860 MPa\r\n");
}

TEST_F(SectionReport, TimeDependentBlock)
{
    const TimeDependentStrains v{-0.0004, 2.0, 0.001, -0.0002, 0.0015, -0.0003, 0.1, 1.1, 1.2, 1.3};
    SetDebugLevel(0);
    std::string text;
    WriteTimeDependentReport(beam, text, v);
    EXPECT_EQ(Lines(text), (std::vector<std::string>{
                               "Time Dependent Effects Results",
                               "-------------------------",
                               "Shrinkage Strain: -0.400 mm/m",
                               "v/s 100.000 mm    ks = 1.300",
                               "Creep factor: 2.000",
                               "v/s 100.000 mm    kf = 1.200   kc = 1.100",
                           }));
    SetDebugLevel(1);
    WriteTimeDependentReport(beam, text, v);
    SetDebugLevel(0);
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 6u + 2u + 4u);
    // Layer "bottom" lies 0.05 m above the bottom, 0.2 m below the datum of a 0.5 m
    // rectangle: relax strain = (z phi2 + ex2) - (z phi1 + ex1) = -0.2 (0.0005) - 0.0001;
    // without prestrain the relaxation factor is capped at 1.
    EXPECT_EQ(lines[6].substr(0, 34), "Relax factor bar type bottom: 1.00");
    EXPECT_NE(lines[6].find("relax strain -0.200 mm/m"), std::string::npos);
    EXPECT_EQ(lines[9], "Initial strain solution: phi=-1.000 mrad/m ex=-0.200 mm/m");
}

} // namespace
