// The labelled text input format: sections, the prompt, keys and units.

#include "files/legacy/LabelledTextFile.h"

#include <cctype>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LegacyFileBuilders.h"
#include "files/legacy/BeamFileLoad.h"
#include "files/legacy/SectionDefinition.h"
#include "foundation/ProgramPaths.h"
#include "foundation/ReportText.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/shapes/ShapeLibrary.h"
#include "support/TestSupport.h"

namespace {

constexpr double kTol = 1e-12;

const std::string kThreeSections = R"(// Quarvish input Ver_0.8
INPUT-LABEL first
TITLE First section
INPUT-LABEL second
TITLE Second section
UNITS Metric
CRACKX 300
MATERIAL CONCRETE C35
FT 2
FCP 35
FT 3
ENDMAT
MATERIAL REBAR
FY 400
endmat
SECTION SOLID
500 300 C35
0 300 C35
ENDSECTION
LONGTAB
50 500 0 rebar2
450 0
ENDLONG
TRANSREINF stirrups
A 200
PATTERN 1
BART 10M
LOADING
CONSTANT 100 50 20
ENDLOAD
MEMBINFO
TYPE 1
L 2000
ENDMEMB
INPUT-LABEL third
TITLE Third section
SECTION SOLID
400 200
0 200
ENDSECTION
)";

// A 500 x 300 mm rectangle: a file without a section is refused.
const std::string kSection = "SECTION SOLID\n500 300\n0 300\nENDSECTION\n";

struct PromptRecord {
    std::string title;
    std::string prompt;
    std::string offered;
    std::string answer;
    bool answered = true;
    bool acceptOffered = false;  // OK on the label offered, as it stands
};
PromptRecord g_prompt;

bool RecordingPrompt(const std::string& title, const std::string& prompt, std::string& label)
{
    g_prompt.title = title;
    g_prompt.prompt = prompt;
    g_prompt.offered = label;
    if (g_prompt.answered && !g_prompt.acceptOffered)
        label = g_prompt.answer;
    return g_prompt.answered;
}

struct LabelledTextTest : ::testing::Test {
    RecordingReporter reporter;
    DefaultCatalogue catalogue;
    TempDir dir;
    std::string savedPath = g_ProgramPath;
    SectionLabelPrompt savedPrompt = SetSectionLabelPrompt(RecordingPrompt);
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<int> fileOverride{g_FileOverride, 0};
    TBeam beam;

    LabelledTextTest()
    {
        SetProgramPath(dir.path().string());
        LoadShapeLibrary(0);
        g_SectionDefinition = SectionDefinition{};
        g_prompt = PromptRecord{};
        beam.ClearAll();
    }
    ~LabelledTextTest() override
    {
        for (auto& slot : ShapeTable)
            slot.reset();
        SetProgramPath(savedPath);
        SetSectionLabelPrompt(savedPrompt);
        ClearReportText();
    }
    LegacyReadResult Load(const std::string& text) { return LoadBeamBytes(beam, Bytes(text)); }
};

TEST_F(LabelledTextTest, ThreeSectionsPromptAndTheChosenOneLoads)
{
    g_prompt.answer = " second";
    ASSERT_TRUE(Load(kThreeSections).IsRead());
    EXPECT_EQ(g_prompt.title, "Select Section to Load");
    EXPECT_EQ(g_prompt.prompt, "File contains 3 sections.  Enter label to load");
    EXPECT_EQ(g_prompt.offered, "THIRD");
    EXPECT_EQ(beam.GetName(), "Second section");
    EXPECT_NEAR(beam.GetCrackSpacing(0), 0.3, kTol);

    // FT before FCP is lost to the reset; after it, 3 MPa and no longer automatic.
    ASSERT_EQ(beam.GetConcreteTypeCount(), 2);
    const ConcreteTypeRec& c35 = *beam.GetConcreteType(1);
    EXPECT_EQ(c35.name, "C35");
    EXPECT_NEAR(c35.fc, -35e6, 1e-3);
    EXPECT_NEAR(c35.ft, 3e6, 1e-3);
    EXPECT_EQ(c35.ftAuto, 0);
    ASSERT_EQ(beam.GetSteelTypeCount(), 3);
    EXPECT_EQ(beam.GetSteelType(2)->name, "rebar2");

    // The outline 500 x 300 mm of C35 is one region; the rectangle is recognised.
    ASSERT_EQ(beam.GetRegionCount(), 1);
    EXPECT_NEAR(beam.GetHeight(), 0.5, kTol);
    EXPECT_NEAR(beam.GetRegion(0)->topWidth, 0.3, kTol);
    EXPECT_EQ(beam.GetRegion(0)->concreteType, 1);
    EXPECT_EQ(beam.GetShapeName(), "RECT");

    // The table row 50 mm above the bottom, 500 mm^2 of rebar2; the row of area 0 is none.
    ASSERT_EQ(beam.GetLongLayerCount(0), 1);
    const LongLayerRec& bar = *beam.GetLongLayer(0, 0);
    EXPECT_NEAR(bar.z - beam.GetBottom(), 0.05, 1e-9);
    EXPECT_NEAR(bar.A, 500e-6, kTol);
    EXPECT_NEAR(bar.db, 2.0 * std::sqrt(500e-6 / 3.141592653589), 1e-12);
    EXPECT_EQ(bar.type, 2);
    EXPECT_EQ(bar.name.substr(0, 4), "long");

    // BART of twice the stirrup area after PATTERN 1: two legs, pattern 3.
    ASSERT_EQ(beam.GetTransLayerCount(2), 1);
    EXPECT_EQ(beam.GetTransLayer(0, 2)->legs, 2);
    EXPECT_EQ(beam.GetTransLayer(0, 2)->pattern, 3);
    EXPECT_EQ(beam.GetTransLayer(0, 2)->bartitle, "10M");

    double constants[3] = {};
    beam.GetConstantLoads(constants, 3);
    EXPECT_NEAR(constants[0], 100000.0, 1e-6);
    EXPECT_NEAR(constants[1], -50000.0, 1e-6);
    EXPECT_NEAR(constants[2], 20000.0, 1e-6);

    TMemberQuickDef info;
    beam.GetStoredValues(info);
    EXPECT_EQ(info.type, 0);
    EXPECT_FLOAT_EQ(info.L, 2.0f);
    EXPECT_FLOAT_EQ(info.lplate, 0.1f);
}

TEST_F(LabelledTextTest, CancelKeepsTheLastSection)
{
    g_prompt.answered = false;
    ASSERT_TRUE(Load(kThreeSections).IsRead());
    EXPECT_EQ(beam.GetName(), "Third section");
    // One section: no prompt.
    g_prompt = PromptRecord{};
    ASSERT_TRUE(Load("// Ver_0.8\nINPUT-LABEL only\nTITLE Only one\n" + kSection).IsRead());
    EXPECT_TRUE(g_prompt.prompt.empty());
    EXPECT_EQ(beam.GetName(), "Only one");
}

// Labels of 49, 50 and 80 characters that share their first 49: each loads alone, offered
// among the three, and typed in lower case with blanks around it.
TEST_F(LabelledTextTest, LongLabelsLoadAloneOfferedAndTyped)
{
    const std::string stem(49, 'L');
    struct Labelled {
        std::string label;
        std::string title;
        int heightMm;
    };
    const std::vector<Labelled> all = {
        {stem, "Forty-nine", 400}, {stem + "5", "Fifty", 500}, {stem + std::string(31, 'e'), "Eighty", 800}};
    const auto section = [](const Labelled& s) {
        const std::string h = std::to_string(s.heightMm);
        return "INPUT-LABEL " + s.label + "\nTITLE " + s.title + "\nUNITS Metric\nSECTION SOLID\n" + h +
               " 300\n0 300\nENDSECTION\n";
    };
    // Each file is read into a beam of its own, as the program reads it.
    std::unique_ptr<TBeam> read;
    const auto load = [&read](const std::string& text) {
        read = std::make_unique<TBeam>();
        return LoadBeamBytes(*read, Bytes(text));
    };
    std::string several = "// Ver_0.8\n";
    for (const Labelled& s : all) {
        ASSERT_EQ(s.label.size(), s.title == "Forty-nine" ? 49u : s.title == "Fifty" ? 50u : 80u);
        several += section(s);
        g_prompt = PromptRecord{};
        const LegacyReadResult alone = load("// Ver_0.8\n" + section(s));
        EXPECT_TRUE(alone.IsRead()) << s.title << " alone: " << alone.message;
        EXPECT_TRUE(g_prompt.prompt.empty());
        if (!alone.IsRead())
            continue;
        EXPECT_EQ(read->GetName(), s.title) << "alone";
        EXPECT_NEAR(read->GetHeight(), s.heightMm / 1000.0, 1e-9) << s.title;
    }

    g_prompt = PromptRecord{};
    g_prompt.acceptOffered = true;
    const LegacyReadResult offered = load(several);
    EXPECT_TRUE(offered.IsRead()) << "offered: " << offered.message;
    std::string upper = all[2].label;
    TrimInputLine(upper, 1);
    EXPECT_EQ(g_prompt.offered, upper);
    EXPECT_EQ(read->GetName(), "Eighty") << "offered";
    EXPECT_NEAR(read->GetHeight(), 0.8, 1e-9);
    EXPECT_EQ(reporter.Count("holds no section"), 0);

    for (const Labelled& s : all) {
        g_prompt = PromptRecord{};
        std::string typed = s.label;
        for (char& c : typed)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        g_prompt.answer = "  " + typed;
        const LegacyReadResult typedRead = load(several);
        EXPECT_TRUE(typedRead.IsRead()) << s.title << " typed: " << typedRead.message;
        EXPECT_EQ(read->GetName(), s.title) << "typed";
        EXPECT_NEAR(read->GetHeight(), s.heightMm / 1000.0, 1e-9) << s.title;
    }
    EXPECT_EQ(reporter.Count("holds no section"), 0);
}

// The member a section carries is whole: a new section's (shear span 3h, constant-moment zone
// h, 150 mm plates, penetration 0.022) without member information; with a block that gives no
// usable length, the span is 3h and the rest is the block's own.
TEST_F(LabelledTextTest, ASectionWithoutAMemberLengthCarriesAWholeMember)
{
    ASSERT_TRUE(Load("// Ver_0.8\nINPUT-LABEL a\n" + kSection).IsRead());
    TMemberQuickDef info;
    beam.GetStoredValues(info);
    EXPECT_FLOAT_EQ(info.L, 1.5f);
    EXPECT_FLOAT_EQ(info.mido2, 0.5f);
    EXPECT_FLOAT_EQ(info.lplate, 0.15f);
    EXPECT_FLOAT_EQ(info.rplate, 0.15f);
    EXPECT_FLOAT_EQ(info.penetrate, 0.022f);
    EXPECT_FLOAT_EQ(info.leftpercent, 0.0f);
    EXPECT_EQ(info.type, 0);

    for (const char* length : {"", "L 0\n", "L -300\n"}) {
        SCOPED_TRACE(length);
        TBeam fresh;  // as the program reads every file, into a beam of its own
        ASSERT_TRUE(LoadBeamBytes(fresh,
                                  Bytes("// Ver_0.8\nINPUT-LABEL a\n" + kSection + "MEMBINFO\n" + length +
                                        "MIDO2 250\nLEFT 2\nENDMEMB\n"))
                        .IsRead());
        fresh.GetStoredValues(info);
        EXPECT_FLOAT_EQ(info.L, 1.5f);
        EXPECT_FLOAT_EQ(info.mido2, 0.25f);
        EXPECT_FLOAT_EQ(info.lplate, 0.1f);
        EXPECT_FLOAT_EQ(info.penetrate, 0.0f);
        EXPECT_EQ(info.left, 1);
    }
}

TEST_F(LabelledTextTest, UnitsOfTheFileAndFileOverride)
{
    const std::string text = "// Ver_0.8\nINPUT-LABEL us\nUNITS US\nCRACKX 12\n" + kSection;
    ASSERT_TRUE(Load(text).IsRead());
    EXPECT_NEAR(beam.GetCrackSpacing(0), 12.0 / 39.37008, 1e-9);
    EXPECT_EQ(g_UnitSystem, kUnitSI);
    g_FileOverride = 1;
    ASSERT_TRUE(Load(text).IsRead());
    EXPECT_EQ(g_UnitSystem, kUnitUS);
}

TEST_F(LabelledTextTest, FaultsOfOldReadersAreBounded)
{
    // A 500-character title is cut to the name field; the rest of the line is read as lines
    // of its own and ignored.
    ASSERT_TRUE(Load("// Ver_0.8\nINPUT-LABEL a\nTITLE " + std::string(500, 'x') + "\n" + kSection).IsRead());
    EXPECT_EQ(beam.GetName(), std::string(99, 'x'));

    // A shape code left over by the dialogs that names no shape: reported, and no section.
    g_SectionDefinition.ShapeCode = 57;
    reporter.Clear();
    ASSERT_FALSE(Load("// Ver_0.8\nINPUT-LABEL a\nENDSECTION\n").IsRead());
    EXPECT_EQ(reporter.Count("Could not find Section type"), 1);

    // Without any library shape, SECTTYPE falls back to a user outline.
    for (auto& slot : ShapeTable)
        slot.reset();
    ASSERT_TRUE(Load("// Ver_0.8\nINPUT-LABEL a\nSECTION SOLID\nSECTTYPE NONE\n500 300\n"
                     "1 300\nENDSECTION\n")
                    .IsRead());
    EXPECT_EQ(beam.GetRegionCount(), 1);

    // Rows before any section name a steel type that does not exist yet.
    reporter.Clear();
    ASSERT_TRUE(Load("// Ver_0.8\nLONGTAB\n50 500 0 nosuch\nINPUT-LABEL \n" + kSection).IsRead());
    EXPECT_EQ(reporter.Count("Reinforcement type \"nosuch\" not found. Using type 1"), 1);
    EXPECT_EQ(beam.GetName(), "New Cross Section") << "the last line's section is Number 1";

    // A catalogue bar of area 0 does not divide the layer's area.
    g_RebarList.Add("ZERO", 0.0, 0.01);
    ASSERT_TRUE(
        Load("// Ver_0.8\nINPUT-LABEL a\nLONGREINF bars\nA 500\nNUM 2\nBART ZERO\n" + kSection).IsRead());
    EXPECT_EQ(beam.GetLongLayer(0, 0)->bartitle, "ZERO");
}

// A BART line that names no bar of the catalogue (empty, or a title it does not list) leaves
// the layer's bar as it was: a stirrup of 10M (100 mm2, 11.3 mm) and a bar layer of 20M
// (300 mm2, 19.5 mm) stay linked to their catalogue bars, and so are saved with them.
TEST_F(LabelledTextTest, AnUnlistedBarTitleLeavesTheLayersBar)
{
    ASSERT_TRUE(Load("// Ver_0.8\nINPUT-LABEL a\nLONGREINF bars\nA 600\nBART 20M\nBART\nBART NOSUCH\n"
                     "TRANSREINF stirrups\nA 200\nBART 10M\nBART\nBART NOSUCH\n" + kSection)
                    .IsRead());
    const auto expectBar = [](const auto& layer, const char* title, double area, double diameter) {
        EXPECT_EQ(layer.bartitle, title);
        EXPECT_EQ(layer.barIndex, g_RebarList.FindByName(title));
        EXPECT_NEAR(layer.Ai, area, kTol);
        EXPECT_NEAR(layer.db, diameter, kTol);
    };
    ASSERT_EQ(beam.GetLongLayerCount(0), 1);
    expectBar(*beam.GetLongLayer(0, 0), "20M", 300e-6, 19.5e-3);
    EXPECT_EQ(beam.GetLongLayer(0, 0)->num, 2);
    ASSERT_EQ(beam.GetTransLayerCount(2), 1);
    expectBar(*beam.GetTransLayer(0, 2), "10M", 100e-6, 11.3e-3);
}

TEST_F(LabelledTextTest, NamesAreCutToTheirFieldsAndRowsInEitherOrderNameThem)
{
    // A concrete name keeps 19 characters and a steel name 14; an outline row or layer that
    // names the full text finds the type it was cut to. The rows of the tee run up the section.
    const std::string text = "// Ver_0.8\nINPUT-LABEL tee\n"
                             "MATERIAL CONCRETE PrecastGirderMix2024\nFCP 50\nENDMAT\n"
                             "MATERIAL CONCRETE CastInPlaceToppingMix\nFCP 30\nENDMAT\n"
                             "MATERIAL REBAR Grade420BarsOfMill\nFY 420\nENDMAT\n"
                             "SECTION SOLID\n0 300 PrecastGirderMix2024\n500 300 PrecastGirderMix2024\n"
                             "500 1000 CastInPlaceToppingMix\n600 1000 CastInPlaceToppingMix\nENDSECTION\n"
                             "LONGTAB\n50 500 0 Grade420BarsOfMill\nENDLONG\n";
    ASSERT_TRUE(Load(text).IsRead());
    EXPECT_EQ(reporter.Count("not found"), 0);
    ASSERT_EQ(beam.GetConcreteTypeCount(), 3);  // after the default type 0
    EXPECT_EQ(beam.GetConcreteType(1)->name, "PrecastGirderMix202");
    EXPECT_EQ(beam.GetConcreteType(2)->name, "CastInPlaceToppingM");
    EXPECT_EQ(beam.GetSteelType(beam.GetLongLayer(0, 0)->type)->name, "Grade420BarsOf");
    ASSERT_EQ(beam.GetRegionCount(), 2);
    const double b = beam.GetBottom();
    const ConcreteRegionRec& flange = *beam.GetRegion(0);
    const ConcreteRegionRec& web = *beam.GetRegion(1);
    EXPECT_NEAR(flange.top - b, 0.6, 1e-9);
    EXPECT_NEAR(flange.bottom - b, 0.5, 1e-9);
    EXPECT_NEAR(flange.bottomWidth, 1.0, 1e-9);
    EXPECT_EQ(flange.concreteType, 2);
    EXPECT_NEAR(web.top - b, 0.5, 1e-9);
    EXPECT_NEAR(web.topWidth, 0.3, 1e-9);
    EXPECT_EQ(web.concreteType, 1);
}

TEST_F(LabelledTextTest, LibraryShapesAreRoundedAndAHollowOneKeepsItsVoid)
{
    // A round pile 600 mm across with a void of 300 mm, as a library shape: a circle of d1 drawn
    // with quarter ellipses of 13 points, narrowed by the void's chord at every region edge.
    ReadShapeLibraryText(0, DefaultShapeFileText() +
                                "TYPE HOLLOW\n\tHollow Circular Section\nPARAMS dout dvoid\n\tOutside diameter\n"
                                "\tVoid diameter\nSECTION\n\tdout 0\n\tUP\n\tdout*0.5 dout\n\tDOWN\n\t0 0\n"
                                "REBAR POLAR\nENDTYPE\n");
    ASSERT_TRUE(Load("// Ver_0.8\nINPUT-LABEL pile\nSECTION SOLID\nSECTTYPE HOLLOW\nPARAMS 600 300\n"
                     "ENDSECTION\n")
                    .IsRead());
    EXPECT_EQ(beam.GetShapeName(), "HOLLOW");
    ASSERT_EQ(beam.GetRegionCount(), 24);
    EXPECT_NEAR(beam.GetHeight(), 0.6, 1e-9);
    const double b = beam.GetBottom();
    int voidEdges = 0;
    bool atMiddle = false;
    for (int i = 0; i < beam.GetRegionCount(); ++i) {
        const ConcreteRegionRec& r = *beam.GetRegion(i);
        for (const auto& [z, w] : {std::pair{r.top - b, r.topWidth}, std::pair{r.bottom - b, r.bottomWidth}}) {
            const double y = z - 0.3;  // from the centre
            if (std::fabs(y) >= 0.14)
                continue;
            // The circle's width there less the void's chord; both read at rounded points.
            ++voidEdges;
            EXPECT_NEAR(w, 2.0 * std::sqrt(0.09 - y * y) - std::sqrt(0.09 - 4.0 * y * y), 2e-4) << z;
            if (std::fabs(y) < 1e-9) {
                atMiddle = true;
                EXPECT_NEAR(w, 0.3, 1e-9);
            }
        }
    }
    EXPECT_GE(voidEdges, 8);
    EXPECT_TRUE(atMiddle);

    // The rectangle's sizes are rounded to 0.1 mm, as the section pages round them.
    ASSERT_TRUE(Load("// Ver_0.8\nINPUT-LABEL r\nSECTION SOLID\nSECTTYPE RECT\nPARAMS 300.04 600.06\n"
                     "ENDSECTION\n")
                    .IsRead());
    ASSERT_EQ(beam.GetRegionCount(), 1);
    EXPECT_NEAR(beam.GetRegion(0)->topWidth, 0.3, 1e-12);
    EXPECT_NEAR(beam.GetHeight(), 0.6001, 1e-12);
}

TEST_F(LabelledTextTest, KeysOfARecordThatWasNotAppendedAreIgnored)
{
    TBeam frozen;
    const double fc = frozen.GetConcreteType(0)->fc;
    frozen.SetFrozen(1);
    g_prompt.answer = "none of them";
    ReadLabelledText(frozen, "MATERIAL CONCRETE new\nFCP 80\nINPUT-LABEL a\nINPUT-LABEL b\n");
    EXPECT_EQ(frozen.GetConcreteTypeCount(), 1);
    EXPECT_DOUBLE_EQ(frozen.GetConcreteType(0)->fc, fc);
    frozen.SetFrozen(0);
}

TEST(TrimInputLine, EndsTabsLeadingBlanksAndCase)
{
    std::string text = "  \tab c\t\r\n";
    TrimInputLine(text, 0);
    EXPECT_EQ(text, "ab c");
    text = "  Metric \n";
    TrimInputLine(text, 1);
    EXPECT_EQ(text, "METRIC ") << "trailing blanks stay";
}

} // namespace
