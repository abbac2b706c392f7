// Files of the older kinds opened through the shell: the section that a labelled text file of
// several sections loads, and what a new document leaves of the one before it.

#include <algorithm>
#include <optional>
#include <string>

#include "app/CommandIds.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/TBeam.h"
#include "tests/app/ShellFixture.h"
#include "tests/files/LegacyFileBuilders.h"

namespace {

// Two sections: a 300 x 500 girder and a 400 x 400 column, the last one offered.
const std::string& kTwoSections = kTwoLabelledSections;

class OlderDocumentTest : public StartedShellTest {
protected:
    // File > Open of the file; then answers the label prompt of a file of several sections
    // (nullopt: Cancel) when label is given. Changes of the open document are not saved.
    void OpenByMenu(const std::string& path, std::optional<std::optional<std::string>> label = std::nullopt) {
        if (Window().IsModified())
            ui.Message("Save Changes", MsgAnswer::No);
        ui.File(plat::FileDialogKind::Open, path);
        if (label)
            ui.Input("File contains 2 sections.  Enter label to load", *label);
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    }
    std::string Shown() const { return app->GetClient().GetCurrentStructure()->GetName(); }
    double ShownHeight() const { return app->GetClient().GetCurrentStructure()->GetHeight(); }
    // The fire model a fire analysis of the open document leaves behind.
    static void RunFire() { g_ThermalModel = std::make_unique<TFireAnalysis_2Ds>(0.5, 1, 0, 20.0); }
    std::string WriteBinary(const std::string& name) {
        const std::vector<std::uint8_t> bytes = MakeV05File().bytes;
        dir.Write(name, std::string(bytes.begin(), bytes.end()));
        return dir.File(name);
    }
};

} // namespace

TEST_F(OlderDocumentTest, AFileOfSeveralSectionsAsksWhichToLoadAndCancelKeepsTheLast) {
    dir.Write("two.q2t", kTwoSections);
    const std::string file = dir.File("two.q2t");

    OpenByMenu(file, std::string(" girder"));
    ASSERT_EQ(ui.Count("File contains 2 sections.  Enter label to load"), 1);
    const auto asked = *std::find_if(ui.requests.begin(), ui.requests.end(),
                                     [](const UiRequest& r) { return r.kind == "input"; });
    EXPECT_EQ(asked.caption, "Select Section to Load");
    EXPECT_EQ(ui.lastOffered, "COLUMN");
    EXPECT_EQ(Shown(), "Girder");
    EXPECT_NEAR(ShownHeight(), 0.5, 1e-9);

    OpenByMenu(file, std::optional<std::string>());
    EXPECT_EQ(Shown(), "Column");
    EXPECT_NEAR(ShownHeight(), 0.4, 1e-9);

    // A label the file does not hold: told, and the open document stays.
    OpenByMenu(file, std::string("Girder"));
    EXPECT_EQ(Shown(), "Girder");
    ui.Message("Save Changes", MsgAnswer::No)
        .File(plat::FileDialogKind::Open, file)
        .Input("File contains 2 sections.  Enter label to load", std::string("pier"))
        .Message("The file holds no section labelled \"PIER\".", MsgAnswer::Ok);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    EXPECT_EQ(Shown(), "Girder");
    EXPECT_TRUE(ui.Done());
}

TEST_F(OlderDocumentTest, EveryRoadToAnOlderFileDropsTheFireModelOfTheDocumentBefore) {
    dir.Write("one.q2t", "// Quarvish input Ver_0.8\nINPUT-LABEL only\nTITLE Old girder\nUNITS Metric\n"
                         "SECTION SOLID\n500 300\n0 300\nENDSECTION\n");
    const std::string text = dir.File("one.q2t");
    const std::string binary = WriteBinary("old.q2k");

    RunFire();
    OpenByMenu(text);
    EXPECT_EQ(Shown(), "Old girder");
    EXPECT_EQ(HasThermalModel(), 0) << "labelled text by File > Open";

    RunFire();
    OpenByMenu(binary);
    EXPECT_EQ(Shown(), "Beam A");
    EXPECT_EQ(HasThermalModel(), 0) << "old binary file by File > Open";

    // The recent-files list: the labelled text file is the older of the two.
    RunFire();
    if (Window().IsModified())
        ui.Message("Save Changes", MsgAnswer::No);
    EXPECT_TRUE(Frame().Dispatch(CmId::RecentFile0 + 1));
    EXPECT_EQ(Shown(), "Old girder");
    EXPECT_EQ(HasThermalModel(), 0) << "recent-files list";

    // A file that cannot be read replaces nothing: the document and its fire model stay.
    RunFire();
    dir.Write("empty.q2t", "// Quarvish input Ver_0.8\n");
    if (Window().IsModified())
        ui.Message("Save Changes", MsgAnswer::No);
    ui.File(plat::FileDialogKind::Open, dir.File("empty.q2t"))
        .Message("File Does not contain any sections!", MsgAnswer::Ok);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    EXPECT_EQ(Shown(), "Old girder");
    EXPECT_EQ(HasThermalModel(), 1);

    // The command line.
    app.reset();
    RunFire();
    Start(binary);
    EXPECT_EQ(Shown(), "Beam A");
    EXPECT_EQ(HasThermalModel(), 0) << "command line";
    EXPECT_TRUE(ui.Done());
}
