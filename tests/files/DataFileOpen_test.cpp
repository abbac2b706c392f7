// Opening a data file: XML documents through the document engine, older files through the
// beam's reader, and membrane elements from XML documents only.

#include "files/DataFileOpen.h"

#include <gtest/gtest.h>

#include "DocumentTestSupport.h"
#include "LegacyFileBuilders.h"
#include "files/legacy/BeamFileLoad.h"

namespace {

struct DataFileOpenTest : DocumentTest {
    BeamFileReader savedBeamReader = SetBeamFileReader(LoadBeamFile);
    ~DataFileOpenTest() override { SetBeamFileReader(savedBeamReader); }
};

TEST_F(DataFileOpenTest, EachKindOfFileByItsHead)
{
    TBeam beam;
    beam.SetName("Document beam");
    TShell shell;
    shell.SetName("Document shell");
    dir.Write("both.xml", Write({&beam, &shell}));
    const std::vector<std::uint8_t> old = MakeV05File().bytes;
    dir.Write("old.qvh", std::string(old.begin(), old.end()));

    std::vector<std::unique_ptr<TStructure>> structures;
    EXPECT_EQ(OpenDataFile(dir.File("both.xml"), structures), 1);
    ASSERT_EQ(structures.size(), 2u);
    EXPECT_EQ(structures[0]->GetName(), "Document beam");
    EXPECT_EQ(structures[1]->GetKind(), kKindShell);

    structures.clear();
    EXPECT_EQ(OpenDataFile(dir.File("old.qvh"), structures), 1);
    ASSERT_EQ(structures.size(), 1u);
    EXPECT_EQ(structures[0]->GetName(), "Beam A");

    // A membrane element comes from its component of a document; an old file is refused.
    const ShellFileReader savedShellReader = SetShellFileReader(LoadShellFile);
    int success = 0;
    TShell read(dir.File("both.xml"), success);
    EXPECT_EQ(success, 1);
    EXPECT_EQ(read.GetName(), "Document shell") << "element 1 is the first shell";
    TShell refused(dir.File("old.qvh"), success);
    EXPECT_EQ(success, 0);
    EXPECT_TRUE(reporter.Saw("Not a valid file format"));
    SetShellFileReader(savedShellReader);
}

} // namespace
