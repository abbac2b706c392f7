// Damaged files for every reader: cut at every length up to the header and at random points,
// texts without NUL and 500-character lines. Each ends with a message or a partial result; the
// sanitizers watch every access. Damaged counts are the readers' own tests; the fuzz targets
// cover the breadth.

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LegacyFileBuilders.h"
#include "files/legacy/BeamFileLoad.h"
#include "files/legacy/SectionDefinition.h"
#include "foundation/ReportText.h"
#include "model/TBeam.h"
#include "model/shapes/SectionShape.h"
#include "support/TestSupport.h"

namespace {

constexpr int kRandomCuts = 40;

struct DamageTest : ::testing::Test {
    RecordingReporter reporter;
    DefaultCatalogue catalogue;
    std::mt19937 random{20240607};

    ~DamageTest() override { ClearReportText(); }

    void ExpectAnswer(const std::vector<std::uint8_t>& bytes, const std::string& what)
    {
        TBeam beam;
        const LegacyReadResult result = LoadBeamBytes(beam, bytes);
        EXPECT_TRUE(result.IsRead() || !result.message.empty()) << what;
        reporter.Clear();
        ClearReportText();
    }

    // Every cut up to headerEnd, then random cuts beyond it.
    void Cuts(const std::vector<std::uint8_t>& bytes, std::size_t headerEnd, const char* name)
    {
        for (std::size_t n = 0; n <= std::min(headerEnd, bytes.size()); ++n)
            ExpectAnswer(Cut(bytes, n), std::string(name) + " cut at " + std::to_string(n));
        std::uniform_int_distribution<std::size_t> at(headerEnd, bytes.size());
        for (int i = 0; i < kRandomCuts; ++i) {
            const std::size_t n = at(random);
            ExpectAnswer(Cut(bytes, n), std::string(name) + " cut at " + std::to_string(n));
        }
    }
};

TEST_F(DamageTest, NativeVersion05)
{
    const V05File file = MakeV05File();
    Cuts(file.bytes, 45 + 143 + 76, "0.5");
    // Texts without NUL and bytes that are no numbers in every field of the section block.
    std::vector<std::uint8_t> noNul = file.bytes;
    std::fill(noNul.begin() + 45, noNul.begin() + 45 + 131, 'A');
    std::fill(noNul.begin() + 45 + 143, noNul.begin() + 45 + 143 + 34, 0xFF);
    ExpectAnswer(noNul, "0.5 without NULs");
}

TEST_F(DamageTest, NativeVersions07And08)
{
    for (int version : {7, 8}) {
        const V08File file = MakeV08File(version);
        Cuts(file.bytes, 45 + 409, version == 7 ? "0.7" : "0.8");
    }
    const V08File file = MakeV08File();
    std::vector<std::uint8_t> noNul = file.bytes;
    std::fill(noNul.begin() + 45, noNul.begin() + 45 + 131, 'A');
    std::fill(noNul.begin() + 45 + 173, noNul.begin() + 45 + 193, 'B');
    ExpectAnswer(noNul, "0.8 without NULs");
}

TEST_F(DamageTest, LabelledText)
{
    std::string text = "// Quarvish input Ver_0.8\nINPUT-LABEL a\nTITLE t\nMATERIAL CONCRETE c\n"
                       "FCP 35\nMATERIAL REBAR r\nFY 400\nSECTION SOLID\nSECTTYPE RECT\n"
                       "PARAMS 300 500\nENDSECTION\nLONGTAB\n50 500 0 r\nTRANSREINF s\nA 100\n"
                       "BART 10M\nLOADING\nCONSTANT 1 2 3\nSHRINKTHERM\n0 0.1\nDISCONT\n10 1\n"
                       "MEMBINFO\nTYPE 0\nLEFT 300\nENDMEMB\n";
    const std::vector<std::uint8_t> bytes = Bytes(text);
    Cuts(bytes, 40, "labelled");
    const std::vector<std::string> damaged = {
        text + std::string(500, 'Q') + "\n" + "TITLE " + std::string(500, 'T') + "\n",
        text + "INPUT-LABEL " + std::string(500, 'L') + "\n",
        text + "C_MOD 1e999\nNUM nan\nNUM 99999999999\nL -inf\nDB 32767\nPATTERN -32768\n",
        text + "SECTION SOLID\n" + std::string(5000, '1') + " 5\nENDSECTION\n",
        std::string("// Ver_0.8\n") + std::string(100000, '\0') + "INPUT-LABEL z\n",
        "// Ver_0.8\nINPUT-LABEL",
    };
    for (std::size_t i = 0; i < damaged.size(); ++i)
        ExpectAnswer(Bytes(damaged[i]), "labelled damage " + std::to_string(i));
    // Many outline rows: more regions than a section holds.
    std::string rows = "// Ver_0.8\nINPUT-LABEL a\nSECTION SOLID\n";
    for (int h = 400; h > 0; --h)
        rows += std::to_string(h) + " " + std::to_string(100 + h % 7) + "\n";
    ExpectAnswer(Bytes(rows + "ENDSECTION\n"), "labelled with 400 outline rows");
}

TEST_F(DamageTest, PredecessorSheet)
{
    const std::vector<std::uint8_t> bytes = MakeTwoTypeSheet();
    Cuts(bytes, 33 + 40, "predecessor");
    for (double count : {32767.0, -1.0, 2e9, -2e9, 1e300}) {
        for (int row : {4, 9, 13, 17, 22}) {
            SheetWriter w = MakeTwoTypeSheetWriter();
            w.Number(3, row, count);
            ExpectAnswer(w.Bytes(), "predecessor count in row " + std::to_string(row));
        }
    }
    SheetWriter huge = MakeTwoTypeSheetWriter();
    huge.Number(4, 20, 1e200).Number(1, 21, -1e300).Number(3, 12, 1e308);
    ExpectAnswer(huge.Bytes(), "predecessor with huge values");
}

// A file that its reader gets through but that yields no concrete section is refused with
// one message, before anything of it is validated or announced.
TEST_F(DamageTest, AFileThatYieldsNoSectionIsRefused)
{
    // The outline the dialogs left is a user outline, which ENDSECTION alone leaves empty.
    ValueGuard<SectionDefinition> section{g_SectionDefinition, SectionDefinition{kUserShapeCode, 0, {}}};
    SheetWriter huge = MakeTwoTypeSheetWriter();
    // Two billion concrete types and a negative steel count: every later row is past the
    // sheet, and only absent cells are read.
    huge.Number(3, 4, 2e9).Number(3, 9, -32767);
    const std::pair<const char*, std::vector<std::uint8_t>> files[] = {
        {"ENDSECTION without SECTION",
         Bytes("// Quarvish input Ver_0.8\nINPUT-LABEL only\nTITLE Nothing\nENDSECTION\n")},
        {"labelled text without INPUT-LABEL", Bytes("// Ver_0.8\nTITLE nothing\n")},
        {"predecessor sheet", huge.Bytes()},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        TBeam beam;
        EXPECT_FALSE(LoadBeamBytes(beam, bytes).IsRead());
        ASSERT_EQ(reporter.messages.size(), 1u) << reporter.messages[0].text;
        EXPECT_EQ(reporter.messages[0].text, "File Does not contain any sections!");
        reporter.Clear();
    }
}

} // namespace
