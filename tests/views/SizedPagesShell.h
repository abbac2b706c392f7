#pragma once
// A started shell with both modes whose window is sized as a user sizes it, its page painted
// as the screen shows it and printed while its preview stands, for the tests that a page reads
// at every window size (tests/views/PageClashes.h tells what stands wrong).

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "foundation/Units.h"
#include "support/RecordingDC.h"
#include "tests/membrane/Pv19Panel.h"
#include "tests/views/BothModesShell.h"
#include "tests/views/PrintedPage.h"

// A wide low window, a small one, a large one, and two lower than the common screens.
inline constexpr plat::Size kReadableSizes[] = {{1600, 500}, {713, 517}, {1280, 1024}, {1250, 380}, {960, 420}};

struct SizedPagesTest : BothModesShellTest {
    // The client sized by its frame, as a user's window (or a fixed client size) has it: a
    // printout stretches it to the page through the frame's size limits.
    void Size(plat::Size s) { ShowClientAt(s.cx, s.cy); }

    // The window's own paint (the summary page) as the screen shows it.
    std::vector<DrawCall> Screen()
    {
        RecordingDC dc;
        View().Paint(dc, 0, 0);
        return dc.Calls();
    }

    // The page printed while its preview stands.
    std::vector<DrawCall> Printed()
    {
        RecordingDC paper;
        PrintLetterPageFromPreview(*app, paper);
        return paper.Calls();
    }

    // The sample T-beam of the fuzzing corpus (two concretes, bars and a tendon) in inches,
    // opened as the user opens it; sourceDir is the source tree's folder.
    void OpenSampleTBeam(const std::string& sourceDir)
    {
        std::ifstream in(sourceDir + "/fuzz/corpus/XmlDocument/full_beam_1.xml", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        ASSERT_FALSE(text.str().empty());
        g_UnitSystem = kUnitUS;
        dir.Write("full_beam_1.xml", text.str());
        app->OpenFile(dir.File("full_beam_1.xml"));
        ASSERT_NE(Window().GetCurrentStructure(), nullptr);
    }

    // A document of the four membrane elements PV19 to PV22, opened on PV19.
    void OpenPanels()
    {
        std::vector<std::unique_ptr<TStructure>> panels;
        for (const char* name : {"PV19", "PV20", "PV21", "PV22"}) {
            panels.push_back(MakePv19());
            panels.back()->SetName(name);
        }
        app->OpenFile(WriteStructures("panels.qvh", std::move(panels)));
        ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "PV19");
    }

    // File > Save As under the name, in the test's folder.
    void SaveAs(const std::string& name)
    {
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
    }

    // A later run of the program, in a window of 1024 x 768, opening the document by File > Open.
    void RestartWith(const std::string& name)
    {
        app.reset();
        Start();
        Window().MoveWindow(plat::Rect{0, 0, 1024, 768});
        OpenByMenu(dir.File(name));
    }
};
