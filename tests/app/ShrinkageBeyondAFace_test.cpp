// A document whose shrinkage profile gives rows a little below the section's bottom (within the
// 3 mm a profile may reach beyond a face): File > Open puts every such row at the face, so that
// File > Save As writes what a new session opens again and saves to the same bytes.

#include <fstream>
#include <iterator>
#include <string>

#include "app/CommandIds.h"
#include "model/TStructure.h"
#include "tests/app/RealDocumentShell.h"

namespace {

std::string SampleWithShrinkageRows(const std::string& rows)
{
    std::ifstream in(std::string(QV_SOURCE_DIR) + "/fuzz/corpus/XmlDocument/full_beam_0.xml",
                     std::ios::binary);
    EXPECT_TRUE(in);
    std::string text(std::istreambuf_iterator<char>(in), {});
    const std::size_t from = text.find("<shrinktherm");
    const std::size_t to = text.find("</shrinktherm>");
    EXPECT_NE(from, std::string::npos);
    EXPECT_NE(to, std::string::npos);
    if (from != std::string::npos && to != std::string::npos)
        text.replace(from, to - from, "<shrinktherm>\n" + rows);
    return text;
}

class ShrinkageBeyondAFace : public RealDocumentShellTest {
protected:
    // File > Save As under the name; the file's text.
    std::string SaveAs(const std::string& name)
    {
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        return dir.Read(name);
    }
};

TEST_F(ShrinkageBeyondAFace, RowsBelowTheBottomOpenAtItAndSaveTheSameAfterReopening)
{
    OpenDocument(
        "rows.qvh",
        SampleWithShrinkageRows(" 600.0 -0.300\n 300.0 -0.200\n -1.0 -0.100\n -2.0 -0.050\n"));
    const TStructure& s = *Window().GetCurrentStructure();
    const TDepthTable& rows = s.GetPositionVariable(kShrinkTherm);
    for (int i = 0; i < rows.GetCount(); ++i)
        EXPECT_GE(rows.GetDepth(i), s.GetBottom()) << "row " << i;
    const std::string first = SaveAs("first.qvh");

    app.reset();
    Start();
    OpenByMenu(dir.File("first.qvh"));
    EXPECT_EQ(SaveAs("second.qvh"), first);
    EXPECT_TRUE(ui.Done());
}

} // namespace
