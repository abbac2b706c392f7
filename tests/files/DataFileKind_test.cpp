// Telling the kinds of data file apart by their first bytes, and loading by kind with the
// refusal messages.

#include "files/legacy/DataFileKind.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LegacyFileBuilders.h"
#include "files/legacy/BeamFileLoad.h"
#include "foundation/ProgramPaths.h"
#include "model/TBeam.h"
#include "support/TestSupport.h"

namespace {

std::vector<std::uint8_t> NativeHead(const std::string& version, const std::string& tag = "Q4W96")
{
    ByteWriter w;
    w.Text("title", 31).Zeros(4).Text(version, 4).Text(tag, 6);
    return w.bytes;
}

TEST(DataFileKind, HeadsOfEveryKind)
{
    struct Row {
        const char* name;
        std::vector<std::uint8_t> head;
        int kind;
    };
    const std::vector<Row> rows = {
        {"predecessor, whatever follows",
         Bytes("QUARVISH-DATA-FILE and then anything"),
         kKindPredecessor},
        {"labelled text", Bytes("// Quarvish input Ver_0.8 file\n"), kKindLabelledText},
        {"labelled text of 0.7 falls through",
         Bytes("// Quarvish input Ver_0.7 file\n rest of it"),
         kKindUnknown},
        {"the first V decides", Bytes("// Version Ver_0.8\n"), kKindUnknown},
        {"native 0.5", NativeHead("0.5"), kKindNativeV05},
        {"native 0.7", NativeHead("0.7"), kKindNativeV07},
        {"native 0.8", NativeHead("0.8"), kKindNativeV08},
        {"native 0.6 is unsupported", NativeHead("0.6"), 6},
        {"native 1.2 is unsupported", NativeHead("1.2"), 12},
        {"a version of 100 is unsupported too", NativeHead("100"), 999},
        {"a version that is no number", NativeHead("abc"), 0},
        {"wrong tag", NativeHead("0.5", "Q4W97"), kKindUnknown},
        // Heads cut short: bytes that are not there never match (every cut is read by the
        // damaged-file loops under the sanitizers).
        {"empty", {}, kKindUnknown},
        {"native head cut inside its tag", Cut(NativeHead("0.8"), 42), kKindUnknown},
        {"predecessor head cut", Bytes("QUARVISH-DATA-FIL"), kKindUnknown},
        {"labelled head cut", Bytes("// Ver_0."), kKindUnknown},
        {"XML is none of these", Bytes("<?xml version=\"1.0\"?>"), kKindUnknown},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DetectFileKind(row.head), row.kind);
    }
}

struct BeamLoadTest : ::testing::Test {
    RecordingReporter reporter;
    TempDir dir;
};

TEST_F(BeamLoadTest, RefusalsSayWhy)
{
    struct Row {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    std::vector<std::uint8_t> v06 = MakeV05File().bytes;
    v06[37] = '6';
    std::vector<std::uint8_t> v100 = MakeV05File().bytes;
    v100[35] = '1';
    v100[36] = '0';
    v100[37] = '0';
    const std::vector<Row> rows = {
        {"unknown", Bytes("just some text"), "Not a valid file format"},
        {"version 0.6", v06, "This version supports up to type 0.8 and this file is type 0.6"},
        {"version 100", v100, "this file is type 100.0"},
        {"native head cut before its tag", Cut(v06, 40), "Not a valid file format"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        reporter.Clear();
        TBeam beam;
        EXPECT_FALSE(LoadBeamBytes(beam, row.bytes).IsRead());
        EXPECT_TRUE(reporter.Saw(row.message));
    }
    // A valid 0.5 file cut inside its records is refused with the block named.
    reporter.Clear();
    TBeam beam;
    const std::vector<std::uint8_t> whole = MakeV05File().bytes;
    const LegacyReadResult cut = LoadBeamBytes(beam, Cut(whole, whole.size() - 10));
    EXPECT_FALSE(cut.IsRead());
    EXPECT_TRUE(reporter.Saw("it ends inside the loads block")) << cut.message;
}

TEST_F(BeamLoadTest, FilesOnDiskAndTheBeamsConstructor)
{
    const std::vector<std::uint8_t> bytes = MakeV05File().bytes;
    dir.Write("old.qvh", std::string(bytes.begin(), bytes.end()));
    const BeamFileReader previous = SetBeamFileReader(LoadBeamFile);
    int success = 0;
    TBeam beam(dir.File("old.qvh"), success);
    EXPECT_EQ(success, 1);
    EXPECT_EQ(beam.GetName(), "Beam A");
    EXPECT_NEAR(beam.GetTop(), 0.25, 1e-9) << "validated: the centroid of the rectangle at 0";
    EXPECT_NEAR(beam.GetBottom(), -0.25, 1e-9);

    // A missing file is reported with its backslash pairs reduced; the missing default file
    // beside the program is not reported, and both fall back to a new section.
    reporter.Clear();
    TBeam missing("C:\\\\data\\\\gone.qvh", success);
    EXPECT_EQ(success, 0);
    EXPECT_EQ(reporter.Count("Could not open file: C:\\data\\gone.qvh"), 1);
    EXPECT_EQ(missing.GetName(), "New Cross Section");

    reporter.Clear();
    const std::string savedPath = g_ProgramPath;
    SetProgramPath(dir.path().string());
    TBeam fallback(ProgramFilePath("q2k.q2k"), success);
    SetProgramPath(savedPath);
    EXPECT_EQ(success, 0);
    EXPECT_TRUE(reporter.messages.empty());
    SetBeamFileReader(previous);
}

} // namespace
