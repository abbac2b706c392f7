// Documents read from files of the older formats, saved through the window's commands with the
// program's own XML engine: the older file is never replaced, and the member the section
// carries comes back whole from the saved document.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "member/TMemberDefinition.h"
#include "model/TBeam.h"
#include "support/TestSupport.h"
#include "tests/app/ShellFixture.h"
#include "tests/files/LegacyFileBuilders.h"

namespace {

// Two sections: a 300 x 500 girder and a 400 x 400 column, the last one offered.
const std::string& kTwoSections = kTwoLabelledSections;
// One 300 x 500 section without member information.
const std::string kOneSection = "// Quarvish input Ver_0.8\nINPUT-LABEL only\nTITLE Old girder\nUNITS Metric\n"
                                "SECTION SOLID\n500 300\n0 300\nENDSECTION\n";

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// The version 0.8 file with a member length of 0 stored (a section whose member was never
// defined): its other member values are the file's own.
std::string V08WithoutMemberLength() {
    std::vector<std::uint8_t> bytes = MakeV08File().bytes;
    ByteWriter member;
    member.F32(1.5f).F32(0.0f).F32(0.0f).F32(0.022f);
    const auto at = std::search(bytes.begin(), bytes.end(), member.bytes.begin(), member.bytes.end());
    EXPECT_NE(at, bytes.end());
    if (at != bytes.end())
        std::fill(at, at + 4, std::uint8_t{0});
    return Text(bytes);
}

// An older file: its name, its bytes, what opening it asks and tells, the section shown and
// the member the section carries (length and left support, m).
struct OlderFile {
    std::string name;
    std::string bytes;
    std::optional<std::string> label;   // the section chosen in the prompt of several
    std::vector<std::string> notices;   // boxes the read shows, answered with OK
    std::string section;
    double memberLength;
    double leftSupport;
};

std::vector<OlderFile> OlderFiles() {
    // A new section's member over a section of height h: the left support at h/3, a shear
    // span of 3h and a constant-moment zone of h, so 13h/3 long.
    return {
        {"two.q2t", kTwoSections, "girder", {}, "Girder", 13.0 * 0.5 / 3.0, 0.5 / 3.0},
        {"one.q2t", kOneSection, std::nullopt, {}, "Old girder", 13.0 * 0.5 / 3.0, 0.5 / 3.0},
        // Version 0.5 stores no member: 2.7 h for a section without increment shear.
        {"beam05.q2k", Text(MakeV05File().bytes), std::nullopt, {}, "Beam A", 0.5 / 3.0 + 2.7 * 0.5, 0.5 / 3.0},
        // Versions 0.7 and 0.8 store theirs: a shear span of 1.5 m, no constant-moment zone.
        {"beam07.q2k", Text(MakeV08File(7).bytes), std::nullopt, {}, "Beam B", 0.2 + 1.5, 0.2},
        // Without a stored length the span is a new section's 3h, the rest the file's own.
        {"beam08.qvh", V08WithoutMemberLength(), std::nullopt, {}, "Beam B", 0.2 + 3.0 * 0.6, 0.2},
        {"sheet.dat",
         Text(MakeTwoTypeSheet()),
         std::nullopt,
         {"Importing Quarvish-90 File.", "more than one material type"},
         "Two types",
         0.5 / 3.0 + 2.7 * 0.5,
         0.5 / 3.0},
    };
}

class OlderFileSavingTest : public StartedShellTest {
protected:
    OlderFileSavingTest() : m_previous(SetDocumentEngine(nullptr)) {}
    ~OlderFileSavingTest() override { SetDocumentEngine(m_previous); }

    // Writes the file into the folder; its path.
    std::string Put(const OlderFile& f) {
        dir.Write(f.name, f.bytes);
        return dir.File(f.name);
    }
    // Scripts what reading the file asks and tells.
    void ExpectRead(const OlderFile& f) {
        if (f.label)
            ui.Input("File contains 2 sections.  Enter label to load", *f.label);
        for (const std::string& notice : f.notices)
            ui.Message(notice, MsgAnswer::Ok);
    }
    // File > Open of the file; changes of the open document are not saved.
    void OpenByMenu(const std::string& path, const OlderFile* f = nullptr) {
        if (Window().IsModified())
            ui.Message("Save Changes", MsgAnswer::No);
        ui.File(plat::FileDialogKind::Open, path);
        if (f)
            ExpectRead(*f);
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    }
    std::string Shown() const { return app->GetClient().GetCurrentStructure()->GetName(); }
    bool IsXml(const std::string& name) const {
        return std::filesystem::exists(dir.File(name)) && dir.Read(name).rfind("<?xml version=\"1.0\"", 0) == 0;
    }

private:
    TDocumentEngine* m_previous;
    ValueGuard<TMemberDefinition> m_member{g_MemberDefinition, TMemberDefinition{}};
};

// The stem of a file name with the program's extension, in the test folder.
std::string Beside(const OlderFile& f, const std::string& suffix = "") {
    return f.name.substr(0, f.name.find('.')) + suffix + ".qvh";
}

} // namespace

// File > Save, and Yes to the save question, on the document of every older format: the Save
// dialog offers the file's own name with the program's extension (none for an old file that
// already has it), the XML document goes where the user chose, and the older file keeps every
// byte. Cancel in that dialog writes nothing and keeps the document open.
TEST_F(OlderFileSavingTest, SaveAndTheSaveQuestionWriteWhereChosenAndLeaveTheOlderFile) {
    for (const OlderFile& f : OlderFiles()) {
        SCOPED_TRACE(f.name);
        const std::string path = Put(f);

        // File > Save.
        OpenByMenu(path, &f);
        ASSERT_EQ(Shown(), f.section);
        EXPECT_TRUE(app->IsOlderFormatFile());
        const bool ownExtension = f.name.ends_with(".qvh");
        const std::string saved = ownExtension ? Beside(f, "-saved") : Beside(f);
        ui.File(plat::FileDialogKind::Save, dir.File(saved));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
        EXPECT_EQ(ui.lastProposedFile, ownExtension ? "" : dir.File(saved));
        EXPECT_EQ(dir.Read(f.name), f.bytes);
        EXPECT_TRUE(IsXml(saved));
        EXPECT_EQ(app->GetFileName(), dir.File(saved));
        EXPECT_EQ(Window().IsModified(), 0);
        // The document is now that file's: a second save writes it without asking.
        Window().MarkDocumentModified();
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
        EXPECT_TRUE(IsXml(saved));
        EXPECT_EQ(dir.Read(f.name), f.bytes);

        // Yes to the save question of File > Open, the older file's document modified.
        OpenByMenu(path, &f);
        Window().MarkDocumentModified();
        const std::string answered = Beside(f, "-answered");
        ui.Message("Save Changes in '" + path + "'?", MsgAnswer::Yes)
            .File(plat::FileDialogKind::Save, dir.File(answered))
            .File(plat::FileDialogKind::Open, dir.File(saved));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
        EXPECT_EQ(dir.Read(f.name), f.bytes);
        EXPECT_TRUE(IsXml(answered));
        EXPECT_EQ(Shown(), f.section) << "the saved document is open";
        EXPECT_FALSE(app->IsOlderFormatFile());
        EXPECT_TRUE(ui.Done());
    }

    // Cancel in the Save dialog after Yes: nothing is written, the older file's document stays.
    const OlderFile f = OlderFiles().front();
    const std::string path = Put(f);
    OpenByMenu(path, &f);
    Window().MarkDocumentModified();
    std::filesystem::remove(dir.File("two.qvh"));
    ui.Message("Save Changes in '" + path + "'?", MsgAnswer::Yes).File(plat::FileDialogKind::Save, std::nullopt);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    EXPECT_EQ(Shown(), "Girder");
    EXPECT_EQ(app->GetFileName(), path);
    EXPECT_TRUE(app->IsOlderFormatFile());
    EXPECT_EQ(dir.Read(f.name), f.bytes);
    EXPECT_FALSE(std::filesystem::exists(dir.File("two.qvh")));
    EXPECT_TRUE(ui.Done());
}

// The section of every older format carries a whole member: no box when it is checked, and
// Save As and File > Open of the saved document bring back the same member without a box.
TEST_F(OlderFileSavingTest, EveryOlderFormatSavedAndReopenedKeepsAWholeMember) {
    for (const OlderFile& f : OlderFiles()) {
        SCOPED_TRACE(f.name);
        OpenByMenu(Put(f), &f);
        ASSERT_EQ(Shown(), f.section);
        const TMemberDefinition read = g_MemberDefinition;
        EXPECT_NEAR(read.length, f.memberLength, 1e-6);
        EXPECT_NEAR(read.leftPlateLocation, f.leftSupport, 1e-6);
        EXPECT_NEAR(read.rightPlateLocation, read.length, 1e-9);
        TMemberDefinition checked = read;
        CheckMemberGeometry(checked);  // a box here is unscripted and fails the test
        EXPECT_EQ(EqualMemberDefinitions(checked, read), 1);

        const std::string saved = Beside(f, "-member");
        ui.File(plat::FileDialogKind::Save, dir.File(saved));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        ResetMemberDefinition(g_MemberDefinition);
        OpenByMenu(dir.File(saved));
        EXPECT_EQ(Shown(), f.section);
        EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, read), 1)
            << g_MemberDefinition.length << " m long, left support at " << g_MemberDefinition.leftPlateLocation;
        EXPECT_TRUE(ui.Done());
    }
}

// File > Save As into a folder that does not exist, on the document of an older file: "Could not
// save file", and the document is still that older file's. File > Save then offers the Save
// dialog beside it rather than writing over it, and so does Yes to the save question of File >
// Exit after a second refused Save As; the older file keeps every byte throughout.
TEST_F(OlderFileSavingTest, ARefusedSaveAsLeavesTheDocumentAnOlderFilesDocument)
{
    const OlderFile f = OlderFiles()[1];
    const std::string path = Put(f);
    const auto refusedSaveAs = [&] {
        ui.File(plat::FileDialogKind::Save, dir.File("missing/" + Beside(f)));
        ui.Message("Could not save file", MsgAnswer::Ok);
        Frame().Dispatch(CmId::FileSaveAs);
        EXPECT_TRUE(ui.Done());
        EXPECT_EQ(app->GetFileName(), path);
        EXPECT_TRUE(app->IsOlderFormatFile());
    };
    OpenByMenu(path, &f);
    ASSERT_EQ(Shown(), f.section);
    Window().MarkDocumentModified();
    refusedSaveAs();

    // File > Save: the Save dialog, offering the older file's name with the program's extension.
    ui.File(plat::FileDialogKind::Save, dir.File(Beside(f, "-saved")));
    EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(ui.lastProposedFile, dir.File(Beside(f)));
    EXPECT_EQ(dir.Read(f.name), f.bytes);
    EXPECT_TRUE(IsXml(Beside(f, "-saved")));

    // File > Exit, Yes: the Save dialog again, and the program ends once the document is saved.
    OpenByMenu(path, &f);
    Window().MarkDocumentModified();
    refusedSaveAs();
    ui.Message("Save Changes in '" + path + "'?", MsgAnswer::Yes)
        .File(plat::FileDialogKind::Save, dir.File(Beside(f, "-exit")));
    Frame().Dispatch(CmId::Exit);
    EXPECT_TRUE(ui.Done());
    EXPECT_FALSE(Frame().IsOpen());
    EXPECT_EQ(dir.Read(f.name), f.bytes);
    EXPECT_TRUE(IsXml(Beside(f, "-exit")));
}
