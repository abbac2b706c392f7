// A document of membrane elements one of which cannot be analysed (its outline names no concrete
// type, or a concrete type the element does not define), opened in the real window by the
// user's roads: that element is named in one box and the others open; the file, which still
// holds it, is saved through Save As, so that it is replaced only when the user chooses it
// there. A document of nothing else leaves the document open before as it was.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "member/TMemberDefinition.h"
#include "model/TShell.h"
#include "tests/app/ShellFixture.h"

namespace {

const std::vector<std::string> kSound{"PV19", "PV20", "PV21", "PV22"};
constexpr const char* kBox = "Membrane element \"Empty\": its outline names no concrete type";

class PartlyReadDocument : public ShellTest {
protected:
    PartlyReadDocument() : m_previous(SetDocumentEngine(nullptr)) {}
    ~PartlyReadDocument() override { SetDocumentEngine(m_previous); }

    // An element of the built-in examples 1 to 3 under the name given.
    static std::unique_ptr<TStructure> Example(int example, const std::string& name) {
        auto shell = std::make_unique<TShell>(example);
        shell->SetName(name);
        return shell;
    }
    // An element whose outline names no concrete type: it defines none.
    static std::unique_ptr<TStructure> Empty() {
        auto shell = std::make_unique<TShell>();
        shell->SetName("Empty");
        return shell;
    }
    // PV19, PV20, "Empty", PV21 and PV22 (example 3 again) written as the document dir/name.
    std::string WritePanels(const std::string& name) {
        std::vector<std::unique_ptr<TStructure>> v;
        v.push_back(Example(1, "PV19"));
        v.push_back(Example(2, "PV20"));
        v.push_back(Empty());
        v.push_back(Example(3, "PV21"));
        v.push_back(Example(3, "PV22"));
        return WriteStructures(name, std::move(v));
    }
    // The same document with Empty's outline row naming concrete "Nothing", which it does not
    // define, as a hand-edited file or another program may give it.
    std::string WritePanelsNamingNothing(const std::string& name) {
        const std::string file = WritePanels(name);
        std::string text = dir.Read(name);
        const std::size_t row = text.find("\t\"\"", text.find("\"Empty\""));
        EXPECT_NE(row, std::string::npos);
        text.replace(row, 3, "\t\"Nothing\"");
        dir.Write(name, text);
        return file;
    }
    std::string WriteOne(const std::string& name, std::unique_ptr<TStructure> s) {
        std::vector<std::unique_ptr<TStructure>> v;
        v.push_back(std::move(s));
        return WriteStructures(name, std::move(v));
    }

    // On the changed document, File > Open of other: Yes to the save question opens the Save
    // dialog, which offers no name; the four panels go to four.qvh, which opens again without a
    // box, and the file keeps its bytes.
    void SaveByTheQuestion(const std::string& file, const std::string& other, const std::string& bytes) {
        Window().MarkDocumentModified();
        ui.Message("Save Changes in '" + file + "'?", MsgAnswer::Yes)
            .File(plat::FileDialogKind::Save, dir.File("four.qvh"))
            .File(plat::FileDialogKind::Open, other);
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
        EXPECT_TRUE(ui.Done());
        EXPECT_EQ(ui.lastProposedFile, "");
        EXPECT_EQ(dir.Read("panels.qvh"), bytes);
        const int boxes = Boxes();
        app->OpenFile(dir.File("four.qvh"));
        EXPECT_EQ(Open(), kSound);
        EXPECT_EQ(Boxes(), boxes) << "the saved document";
    }
    // The four sound panels are open as the examples they were written from, the document is
    // the file's, and the one box of the open named the element that was left out.
    void ExpectFourPanels(const std::string& file, int boxes) {
        ASSERT_TRUE(ui.Done());
        EXPECT_EQ(Boxes(), boxes);
        const UiRequest& box = ui.requests.back();
        EXPECT_EQ(box.caption, "Load Error");
        EXPECT_NE(box.text.find("It was not read."), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(file), std::string::npos) << box.text;
        ASSERT_EQ(Open(), kSound);
        const int examples[] = {1, 2, 3, 3};
        int k = 0;
        for (const auto& s : g_Structures) {
            if (!s)
                continue;
            const TShell example(examples[k++]);
            ASSERT_EQ(s->GetConcreteTypeCount(), example.GetConcreteTypeCount()) << s->GetName();
            EXPECT_NEAR(s->GetConcreteType(0)->fc, example.GetConcreteType(0)->fc, 1e3) << s->GetName();
            EXPECT_EQ(s->GetRegionCount(), example.GetRegionCount());
            EXPECT_NEAR(s->GetHeight(), example.GetHeight(), 1e-6);
        }
        EXPECT_EQ(app->GetFileName(), file);
        ASSERT_NE(Window().GetCurrentStructure(), nullptr);
        EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "PV19");
        EXPECT_EQ(Frame().GetCaption(), "Quarvish  -  panels  -  PV19");
        EXPECT_EQ(Window().IsModified(), 0);
        // The element after the gap is reached by the next-element command.
        Frame().Dispatch(CmId::NextElement);
        Frame().Dispatch(CmId::NextElement);
        EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "PV21");
        EXPECT_EQ(Boxes(), boxes);
    }

private:
    TDocumentEngine* m_previous;
};

} // namespace

// File > Open, the recent-files list and the command line each open the four sound panels
// with the one box; the document open before is replaced.
TEST_F(PartlyReadDocument, EveryRoadOpensTheSoundElementsWithOneBox) {
    Start();
    const std::string file = WritePanels("panels.qvh");
    const std::string before = WriteOne("before.qvh", Example(1, "Before"));
    app->OpenFile(before);
    ASSERT_EQ(Open(), std::vector<std::string>{"Before"});

    ui.File(plat::FileDialogKind::Open, file).Message(kBox, MsgAnswer::Ok);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    ExpectFourPanels(file, 1);

    app->OpenFile(before);
    ASSERT_EQ(app->GetRecentFiles().Entries().size(), 2u);
    EXPECT_EQ(app->GetRecentFiles().Entries()[1], file);
    ui.Message(kBox, MsgAnswer::Ok);
    EXPECT_TRUE(Frame().Dispatch(CmId::RecentFile0 + 1));
    ExpectFourPanels(file, 2);

    app.reset();
    ui.Message(kBox, MsgAnswer::Ok);
    Start(file);
    ExpectFourPanels(file, 3);
}

// Save and the save question go to the Save dialog, which offers no name: Cancel or No writes
// nothing; a name chosen there takes the four panels, the file keeping all five; choosing the
// file itself replaces it, and it then opens without a box.
TEST_F(PartlyReadDocument, SaveAsksForAFileAndWritesOnlyWhereTheUserChose) {
    Start();
    const std::string file = WritePanels("panels.qvh");
    const std::string bytes = dir.Read("panels.qvh");
    const std::string other = WriteOne("other.qvh", Example(2, "Other"));
    const auto reopen = [&] {
        ui.Message(kBox, MsgAnswer::Ok);
        app->OpenFile(file);
        ASSERT_EQ(Open(), kSound);
    };
    reopen();

    // File > Save, cancelled in the Save dialog.
    ui.File(plat::FileDialogKind::Save, std::nullopt);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(ui.lastProposedFile, "");
    EXPECT_EQ(dir.Read("panels.qvh"), bytes);
    EXPECT_EQ(app->GetFileName(), file);

    // The save question of File > Open on the changed document: No writes nothing.
    Window().MarkDocumentModified();
    ui.Message("Save Changes in '" + file + "'?", MsgAnswer::No).File(plat::FileDialogKind::Open, other);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Open(), std::vector<std::string>{"Other"});
    EXPECT_EQ(dir.Read("panels.qvh"), bytes);

    // Yes: the Save dialog; the four panels go to the file chosen, and the other file opens.
    reopen();
    SaveByTheQuestion(file, other, bytes);
    const int boxes = Boxes();

    // File > Save with the file itself chosen: the user's word replaces it.
    reopen();
    ui.File(plat::FileDialogKind::Save, file);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(dir.Read("panels.qvh"), dir.Read("four.qvh"));
    // The document is now that file's: a second save writes it without asking.
    Window().MarkDocumentModified();
    EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Window().IsModified(), 0);
    app->OpenFile(file);
    EXPECT_EQ(Open(), kSound);
    EXPECT_EQ(Boxes(), boxes + 1) << "the replaced file";
}

// File > Open of a document of nothing but such an element names it in one box and leaves the
// document open before as it was, with its file name and caption.
TEST_F(PartlyReadDocument, ADocumentOfNothingElseLeavesTheDocumentOpenBefore) {
    Start();
    const std::string file = WritePanels("panels.qvh");
    const std::string empty = WriteOne("empty.qvh", Empty());
    ui.Message(kBox, MsgAnswer::Ok);
    app->OpenFile(file);
    const TStructure* pv19 = g_Structures[0].get();
    const std::string caption = Frame().GetCaption();

    ui.File(plat::FileDialogKind::Open, empty).Message(kBox, MsgAnswer::Ok);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Boxes(), 2);
    EXPECT_EQ(g_Structures[0].get(), pv19);
    EXPECT_EQ(Open(), kSound);
    EXPECT_EQ(app->GetFileName(), file);
    EXPECT_EQ(Frame().GetCaption(), caption);
    ASSERT_FALSE(app->GetRecentFiles().Entries().empty());
    EXPECT_EQ(app->GetRecentFiles().Entries().front(), file);

    // The document kept is still its file's partly read one: Save asks for a file.
    ui.File(plat::FileDialogKind::Save, std::nullopt);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
    EXPECT_TRUE(ui.Done());
}

// The member settings of such a document whose zone names the element left out: no second box,
// and the zone takes the document's first panel.
TEST_F(PartlyReadDocument, AZoneNamingTheElementLeftOutTakesTheFirstPanelWithoutASecondBox) {
    Start();
    std::vector<std::unique_ptr<TStructure>> v;
    v.push_back(Empty());
    v.push_back(Example(1, "PV19"));
    ASSERT_EQ(g_MemberDefinition.zones[0].structureIndex, 0);
    const std::string file = WriteStructures("first.qvh", std::move(v));
    ASSERT_NE(dir.Read("first.qvh").find("\"Empty\""), std::string::npos);
    ASSERT_NE(dir.Read("first.qvh").find("Q2010_Analysis"), std::string::npos);

    ui.Message(kBox, MsgAnswer::Ok);
    app->OpenFile(file);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Boxes(), 1);
    EXPECT_EQ(Open(), std::vector<std::string>{"PV19"});
    EXPECT_EQ(g_CurrentStructure, 1);
    ASSERT_GE(g_MemberDefinition.zoneCount, 1);
    EXPECT_EQ(g_MemberDefinition.zones[0].structureIndex, 1);
}

// Empty's outline naming a concrete type "Nothing" that the element does not define: the same
// road as an outline naming none. One box says what was not read, the four sound panels open,
// and neither File > Save nor the save question's Yes writes over the file unasked.
TEST_F(PartlyReadDocument, AnOutlineNamingAConcreteTheElementLacksLeavesItOutTheSameWay) {
    Start();
    const std::string file = WritePanelsNamingNothing("panels.qvh");
    const std::string bytes = dir.Read("panels.qvh");
    ASSERT_NE(bytes.find("\"Nothing\""), std::string::npos);
    const std::string box = "Membrane element \"Empty\": concrete region 1 of its outline names concrete type "
                            "\"Nothing\", which the element does not define, so it cannot be analysed. It was not read.";
    ui.File(plat::FileDialogKind::Open, file).Message(box, MsgAnswer::Ok);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    ExpectFourPanels(file, 1);

    ui.File(plat::FileDialogKind::Save, std::nullopt);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(ui.lastProposedFile, "");
    EXPECT_EQ(dir.Read("panels.qvh"), bytes);

    SaveByTheQuestion(file, WriteOne("other.qvh", Example(2, "Other")), bytes);
}
