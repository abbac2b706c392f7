// The save question, writing the document, and reading documents through the shell.

#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/CommandIds.h"
#include "foundation/ReportText.h"
#include "model/DefaultAuthor.h"
#include "model/QuickDefineFlag.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "app/FileSaving.h"
#include "platform/Dialog.h"
#include "tests/app/ShellFixture.h"

namespace fs = std::filesystem;

namespace {
void MarkModified() {
    for (auto& s : g_Structures)
        if (s)
            s->SetModified(1);
}
} // namespace

TEST_F(StartedShellTest, SaveQuestionGoesOnOnlyWhenTheChangesAreSafe) {
    EXPECT_TRUE(Window().CanClose());  // nothing changed: no question
    EXPECT_TRUE(ui.requests.empty());

    MarkModified();
    app->SetFileName(dir.File("beam.qvh"));
    ui.Message("Save Changes in '" + dir.File("beam.qvh") + "'?", MsgAnswer::Cancel);
    EXPECT_FALSE(Window().CanClose());
    ui.Message("Save Changes in", MsgAnswer::No);
    EXPECT_TRUE(Window().CanClose());
    EXPECT_FALSE(fs::exists(dir.File("beam.qvh")));

    // Yes and a successful save: the file is written and the flags cleared.
    ui.Message("Save Changes in", MsgAnswer::Yes);
    EXPECT_TRUE(Window().CanClose());
    EXPECT_TRUE(fs::exists(dir.File("beam.qvh")));
    EXPECT_EQ(Window().IsModified(), 0);
    EXPECT_EQ(ui.requests.back().caption, "Quarvish-2000");
}

TEST_F(StartedShellTest, YesToTheSaveQuestionKeepsTheDocumentWhenTheSaveDoesNotHappen) {
    MarkModified();
    // A new document: Save As is offered and cancelled.
    ui.Message("Save Changes in 'Newbeam'?", MsgAnswer::Yes).File(plat::FileDialogKind::Save, std::nullopt);
    EXPECT_FALSE(Window().CanClose());
    EXPECT_EQ(app->GetFileName(), "Newbeam");

    // A named document whose save fails.
    app->SetFileName(dir.File("missing-folder/beam.qvh"));
    ui.Message("Save Changes in", MsgAnswer::Yes).Message("Could not save file", MsgAnswer::Ok);
    const TStructure* before = Window().GetCurrentStructure();
    EXPECT_TRUE(Frame().Dispatch(CmId::FileNew));
    EXPECT_EQ(Window().GetCurrentStructure(), before);  // nothing was thrown away
    EXPECT_EQ(Window().IsModified(), 1);
    EXPECT_EQ(Frame().GetCaption(), "Quarvish  -  Newbeam");
}

TEST_F(StartedShellTest, AFailedWriteLeavesTheFileFlagsCaptionAndRecentListAlone) {
    const std::string file = dir.File("kept.qvh");
    dir.Write("kept.qvh", "earlier document");
    app->SetFileName(file);
    MarkModified();
    engine.refuseWrite = true;
    ui.Message("Could not save file", MsgAnswer::Ok);
    EXPECT_FALSE(app->CmFileSave());
    EXPECT_EQ(dir.Read("kept.qvh"), "earlier document");
    EXPECT_EQ(Window().IsModified(), 1);
    EXPECT_EQ(Frame().GetCaption(), "Quarvish  -  Newbeam");
    EXPECT_TRUE(app->GetRecentFiles().Entries().empty());

    engine.refuseWrite = false;
    EXPECT_TRUE(app->CmFileSave());
    EXPECT_EQ(dir.Read("oldfile.bak"), "earlier document");  // the backup of the earlier version
    EXPECT_NE(dir.Read("kept.qvh").find("<q3g_beam"), std::string::npos);
    EXPECT_EQ(Window().IsModified(), 0);
    EXPECT_EQ(app->GetRecentFiles().Entries().front(), file);
}

// A document file marked read-only (mode 444) in a writable folder is not replaced: the
// same refusal as a read-only folder. It holds for every user, root included, who would be
// let through by the system but not by the file's own permissions.
TEST_F(StartedShellTest, SavingOverAReadOnlyFileIsRefusedAndKeepsEverything) {
    const std::string file = dir.File("locked.qvh");
    dir.Write("locked.qvh", "earlier document");
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(file, readOnly);
    app->SetFileName(file);
    MarkModified();
    const TStructure* before = Window().GetCurrentStructure();
    ui.Message("Save Changes in", MsgAnswer::Yes).Message("Could not save file", MsgAnswer::Ok);
    EXPECT_FALSE(Window().CanClose());
    EXPECT_EQ(dir.Read("locked.qvh"), "earlier document");
    EXPECT_EQ(fs::status(file).permissions(), readOnly);
    EXPECT_EQ(Window().GetCurrentStructure(), before);
    EXPECT_EQ(Window().IsModified(), 1);
    EXPECT_EQ(app->GetFileName(), file);
}

// The same refusal for an unprivileged user, in a child process that gives up root first (when
// the tests run as root): over the user's own read-only file, and over root's file whose mode
// bits allow writing but which the user may not write. The folder is writable for the user, so
// a save could rename over either file: only the checks refuse.
TEST(FileSaving, AnUnprivilegedUserReplacesNoFileTheyMayNotWrite) {
    constexpr uid_t kNobody = 65534;
    const bool root = ::geteuid() == 0;
    struct Row {
        const char* name;
        mode_t mode;
        bool own;
    };
    for (const Row& row : {Row{"own read-only file", 0444, true}, Row{"root's file", 0644, false}}) {
        SCOPED_TRACE(row.name);
        if (!row.own && !root)
            continue; // another user's file can only be set up as root
        TempDir dir;
        const std::string file = dir.File("target.qvh");
        dir.Write("target.qvh", "earlier document");
        if (root) {
            fs::permissions(dir.path(), fs::perms::all);
            if (row.own) {
                ASSERT_EQ(::chown(file.c_str(), kNobody, kNobody), 0);
            }
        }
        ASSERT_EQ(::chmod(file.c_str(), row.mode), 0);
        enum : int { kRefused = 0, kReplaced = 1, kNoUser = 2, kNoFolder = 3 };
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (root && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0 || ::geteuid() == 0))
                ::_exit(kNoUser);
            // The user must see the file and be able to write the folder, or nothing is tested.
            if (::access(file.c_str(), F_OK) != 0 || ::access(dir.path().c_str(), W_OK) != 0)
                ::_exit(kNoFolder);
            ::_exit(WriteFileReplacing(file, "new document") ? kReplaced : kRefused);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == kNoUser)
            GTEST_SKIP() << "no unprivileged user to run as";
        if (WEXITSTATUS(status) == kNoFolder)
            GTEST_SKIP() << "the temporary folder is out of the unprivileged user's reach";
        EXPECT_EQ(WEXITSTATUS(status), kRefused);
        EXPECT_EQ(dir.Read("target.qvh"), "earlier document");
    }
}

TEST_F(StartedShellTest, SaveAsAddsTheExtensionWhenTheNameHasNone) {
    struct Row {
        const char* typed;
        const char* saved;
    };
    for (const Row& row : {Row{"test.q2t", "test.q2t"}, Row{"mysection.long", "mysection.long.QVH"}}) {
        SCOPED_TRACE(row.typed);
        ui.File(plat::FileDialogKind::Save, dir.File(row.typed));
        EXPECT_TRUE(app->CmFileSaveAs());
        EXPECT_EQ(app->GetFileName(), dir.File(row.saved));
        EXPECT_TRUE(fs::exists(dir.File(row.saved)));
    }
}

TEST_F(StartedShellTest, DocumentsAreWrittenWithoutEmptySlotsAndReadBackInOrder) {
    g_Structures[0]->SetName("First");
    g_Structures[3] = std::make_unique<TShell>(0);
    g_Structures[3]->SetName("Panel");
    const std::string file = dir.File("two.qvh");
    ASSERT_TRUE(Window().WriteDocument(file));
    const std::string text = dir.Read("two.qvh");
    EXPECT_NE(text.find("<q3g_beam First/>"), std::string::npos);
    EXPECT_NE(text.find("<p3g_shell Panel/>"), std::string::npos);

    app->OpenFile(file);
    ASSERT_NE(StructureAt(0), nullptr);
    ASSERT_NE(StructureAt(1), nullptr);
    EXPECT_EQ(StructureAt(3), nullptr);
    EXPECT_EQ(StructureAt(0)->GetName(), "First");
    EXPECT_EQ(StructureAt(1)->GetKind(), kKindShell);
    EXPECT_EQ(StructureAt(1)->GetName(), "Panel");
}

TEST_F(StartedShellTest, LoadingFillsTheSlotOfEachComponentAndReportsUnknownOnes) {
    const std::string file = WriteDocument("mixed.qvh", {"<q3g_beam A/>", "<q3g_bean B/>", "<q3g_beam C/>"});
    ui.Message("Definition type q3g_bean not loaded.  XML File Component 2 ignored.", MsgAnswer::Ok);
    app->OpenFile(file);
    EXPECT_EQ(StructureAt(0)->GetName(), "A");
    EXPECT_EQ(StructureAt(1), nullptr);
    EXPECT_EQ(StructureAt(2)->GetName(), "C");
    EXPECT_EQ(ui.requests.back().caption, "Load Error");

    // A rejected component refuses the whole load: the document open before stays.
    app->OpenFile(WriteDocument("bad.qvh", {"<q3g_beam A/>", "<q3g_beam !bad/>"}));
    EXPECT_EQ(Frame().GetCaption(), "Quarvish  -  mixed  -  A");
    EXPECT_EQ(app->GetFileName(), file);
    ASSERT_NE(StructureAt(0), nullptr);
    EXPECT_EQ(StructureAt(1), nullptr);
    ASSERT_NE(StructureAt(2), nullptr);
    EXPECT_EQ(StructureAt(2)->GetName(), "C");
}

TEST_F(StartedShellTest, ADocumentWithoutAStructureInSlotZeroShowsItsFirstOne) {
    ui.Message("Definition type other", MsgAnswer::Ok);
    app->OpenFile(WriteDocument("late.qvh", {"<other X/>", "<Q2010_Analysis/>", "<q3g_beam Third/>"}));
    EXPECT_EQ(g_CurrentStructure, 2);
    EXPECT_EQ(g_CurrentAnalysis, 2);
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "Third");
    EXPECT_EQ(Frame().GetCaption(), "Quarvish  -  late  -  Third");

    // No structure at all: the load failed and a default beam stands in slot 0.
    app->OpenFile(WriteDocument("empty.qvh", {"<Q2010_Analysis/>"}));
    EXPECT_EQ(g_CurrentStructure, 0);
    ASSERT_NE(Window().GetCurrentStructure(), nullptr);
    EXPECT_EQ(app->GetFileName(), "Newbeam");
}

TEST_F(StartedShellTest, ADocumentOfMoreThan300ComponentsStopsAtTheTable) {
    std::vector<std::string> components;
    for (int i = 0; i < 305; ++i)
        components.push_back("<q3g_beam B" + std::to_string(i) + "/>");
    ui.Dialog("View Data", [](plat::DialogDriver& d) {
        EXPECT_NE(d.Text(4028).find("more than 300 components"), std::string::npos);
        d.Click(1);
    });
    app->OpenFile(WriteDocument("many.qvh", components));
    EXPECT_EQ(StructureAt(299)->GetName(), "B299");
    EXPECT_EQ(StructureAt(300), nullptr);
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "B0");
}

// An older file that yields no section is a failed open: its message, and the document open
// before stays as it was, with its file name and caption.
TEST_F(StartedShellTest, AnOlderFileWithoutASectionLeavesTheOpenDocumentAlone) {
    app->OpenFile(WriteDocument("kept.qvh", {"<q3g_beam Kept/>", "<q3g_beam Other/>"}));
    const TStructure* kept = StructureAt(0);
    const std::string caption = Frame().GetCaption();
    dir.Write("empty.q2t", "// Quarvish input Ver_0.8\nINPUT-LABEL only\nTITLE Nothing\nENDSECTION\n");
    ui.Message("File Does not contain any sections!", MsgAnswer::Ok);
    app->OpenFile(dir.File("empty.q2t"));
    EXPECT_EQ(StructureAt(0), kept);
    EXPECT_EQ(StructureAt(0)->GetName(), "Kept");
    ASSERT_NE(StructureAt(1), nullptr);
    EXPECT_EQ(StructureAt(1)->GetName(), "Other");
    EXPECT_EQ(app->GetFileName(), dir.File("kept.qvh"));
    EXPECT_EQ(Frame().GetCaption(), caption);
    EXPECT_EQ(app->GetRecentFiles().Entries().front(), dir.File("kept.qvh"));
}

TEST_F(StartedShellTest, DroppedFilesOpenOnlyTheFirst) {
    const std::string a = WriteDocument("a.qvh", {"<q3g_beam DropA/>"});
    const std::string b = WriteDocument("b.qvh", {"<q3g_beam DropB/>"});
    Frame().DropFiles({a, b});
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "DropA");
    EXPECT_EQ(app->GetFileName(), a);
}

// The default document beside the program is the template of new sections; a copy of it
// elsewhere is an ordinary document.
TEST_F(StartedShellTest, OnlyTheDefaultFileBesideTheProgramSetsTheDefaultsOfNewSections) {
    const std::string inside = WriteDocument("q2k.q2k", {"<q3g_beam Template/>"});
    fs::create_directories(dir.path() / "elsewhere");
    const std::string outside = WriteDocument("elsewhere/q2k.q2k", {"<q3g_beam Template/>"});

    g_DefaultDoneBy = "someone else";
    SetQuickDefineNew(1);
    app->OpenFile(outside);
    EXPECT_EQ(g_DefaultDoneBy, "someone else");
    EXPECT_EQ(GetQuickDefineNew(), 0);
    EXPECT_EQ(app->GetRecentFiles().Entries().size(), 1u);

    Frame().Dispatch(CmId::FileNew);
    EXPECT_EQ(StructureAt(0)->GetName(), "Template");
    EXPECT_EQ(g_DefaultDoneBy, StructureAt(0)->GetDoneBy());
    EXPECT_EQ(Frame().GetCaption(), "Quarvish  -  Newbeam");
    EXPECT_EQ(app->GetFileName(), "Newbeam");
    EXPECT_EQ(app->GetRecentFiles().Entries().size(), 1u);  // the default file is not listed
    EXPECT_EQ(inside, dir.File("q2k.q2k"));
}
