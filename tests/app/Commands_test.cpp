// The XML editor, the element catalogue, load-stage stepping and the small prompts.

#include <optional>
#include <string>
#include <utility>

#include "app/CommandIds.h"
#include "foundation/Diagnostics.h"
#include "model/TBeam.h"
#include "platform/DC.h"
#include "platform/Services.h"
#include "tests/analysis/AnalysisBaseFakes.h"
#include "tests/app/ShellFixture.h"

namespace {

// An analysis with stages 0..4 that counts how often it was finished.
class SteppedAnalysis : public FakeAnalysis {
public:
    SteppedAnalysis(TStructure* s, int* finished) : FakeAnalysis(s), m_finished(finished) { SetRunning(1); }
    int GetNextStageIndex(int index) const override { return std::min(index + 1, 4); }
    int GetPreviousStageIndex(int index) const override { return std::max(index - 1, 0); }
    int SelectLoadStage(int index) override {
        selected.push_back(index);
        return 1;
    }
    int Finish() override {
        ++*m_finished;
        return FakeAnalysis::Finish();
    }
    std::vector<int> selected;

private:
    int* m_finished;
};

// Three beams A, B, C in slots 0..2 with a running analysis in slot 1, slot 1 current.
void FillThreeBeams(int* finished) {
    for (int i = 0; i < 3; ++i) {
        g_Structures[static_cast<std::size_t>(i)] = std::make_unique<TBeam>();
        g_Structures[static_cast<std::size_t>(i)]->SetName(std::string(1, static_cast<char>('A' + i)));
    }
    g_Analyses[1] = std::make_unique<SteppedAnalysis>(g_Structures[1].get(), finished);
    g_CurrentStructure = g_CurrentAnalysis = 1;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

TEST_F(StartedShellTest, XmlEditorCancelChangesNothing) {
    TStructure* before = Window().GetCurrentStructure();
    ui.DataView([](std::string& text) { return text.find("<q3g_beam") == std::string::npos && false; });
    Frame().Dispatch(CmId::ViewXml);
    EXPECT_EQ(Window().GetCurrentStructure(), before);
    EXPECT_EQ(engine.commits, 0);
}

TEST_F(StartedShellTest, XmlEditorReopensUntilEveryComponentIsAcceptedThenReplacesTheTables) {
    int finished = 0;
    FillThreeBeams(&finished);
    std::string shown;
    ui.DataView([&](std::string& text) {
          shown = text;
          text = Replace(Replace(text, "<q3g_beam A/>", "<q3g_beam !bad/>"), "<Q2010_Analysis/>", "<Q2010_Analysis !bad/>");
          return true;
      })
        .DataView([&](std::string& text) {
            EXPECT_NE(text.find("!bad"), std::string::npos);  // the edit is shown again as it was
            text = Replace(Replace(text, "<q3g_beam !bad/>", "<q3g_beam A2/>"), "<Q2010_Analysis !bad/>",
                           "<Q2010_Analysis/>");
            return true;
        });
    Frame().Dispatch(CmId::ViewXml);
    EXPECT_TRUE(ui.Done());
    EXPECT_NE(shown.find("<q3g_beam B/>"), std::string::npos);
    EXPECT_EQ(StructureAt(0)->GetName(), "A2");
    EXPECT_EQ(StructureAt(2)->GetName(), "C");
    EXPECT_EQ(Window().IsModified(), 1);
    EXPECT_EQ(engine.commits, 1);  // settings committed once, with the structures
    // The running analysis was stopped and removed; both indices name the same slot.
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(AnalysisAt(1), nullptr);
    EXPECT_EQ(g_CurrentStructure, 1);
    EXPECT_EQ(g_CurrentAnalysis, 1);
}

TEST_F(StartedShellTest, XmlEditorLeavesOutAMisspeltComponentButNotALastOne) {
    ui.DataView([](std::string& text) {
          text = Replace(text, "<document>", "<document>\r\n<q3g_bean Z/>");
          return true;
      })
        .Message("Definition type q3g_bean Not understood.  Structural Element 1 ignored", MsgAnswer::Ok);
    Frame().Dispatch(CmId::ViewXml);
    EXPECT_EQ(StructureAt(0), nullptr);
    EXPECT_NE(Window().GetCurrentStructure(), nullptr);  // the first filled slot is current
    EXPECT_EQ(g_CurrentStructure, 1);
    EXPECT_EQ(g_CurrentAnalysis, 1);

    ui.DataView([](std::string& text) {
          text = Replace(text, "</document>", "<q3g_bean Z/>\r\n</document>");
          return true;
      })
        .Message("Definition type q3g_bean Not understood.  Structural Element 3 ignored", MsgAnswer::Ok)
        .DataView([](std::string&) { return false; });
    Frame().Dispatch(CmId::ViewXml);
    EXPECT_TRUE(ui.Done());
}

// The caption names the current section as the edited text has it: renamed, and after a
// resize; an edit that removes the current section names the one made current instead.
TEST_F(StartedShellTest, XmlEditorNamesTheCurrentSectionInTheCaption) {
    int finished = 0;
    FillThreeBeams(&finished);
    Window().RefreshStructureViews(1);
    ASSERT_EQ(Frame().GetCaption(), "Quarvish  -  newbeam  -  B");
    ui.DataView([](std::string& text) {
        text = Replace(text, "<q3g_beam B/>", "<q3g_beam Bravo/>");
        return true;
    });
    Frame().Dispatch(CmId::ViewXml);
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "Bravo");
    EXPECT_EQ(Frame().GetCaption(), "Quarvish  -  newbeam  -  Bravo");
    Window().MoveWindow(plat::Rect{0, 0, 700, 500});
    EXPECT_EQ(Frame().GetCaption(), "Quarvish  -  newbeam  -  Bravo");

    // Bravo taken out: C moves up into the current slot, and the caption names it.
    ui.DataView([](std::string& text) {
        text = Replace(text, "<q3g_beam Bravo/>", "");
        return true;
    });
    Frame().Dispatch(CmId::ViewXml);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(g_CurrentStructure, 1);
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "C");
    EXPECT_EQ(Frame().GetCaption(), "Quarvish  -  newbeam  -  C");
}

TEST_F(StartedShellTest, CatalogueStopsAnalysesAndSelectsTheChosenSlotForBoth) {
    int finished = 0;
    FillThreeBeams(&finished);
    ui.List(2);
    Frame().Dispatch(CmId::Catalog);
    EXPECT_EQ(g_CurrentStructure, 2);
    EXPECT_EQ(g_CurrentAnalysis, 2);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(AnalysisAt(1), nullptr);
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "C");
    EXPECT_EQ(Frame().GetCaption(), "Quarvish  -  newbeam  -  C");

    TStructure* kept = StructureAt(0);
    ui.List(std::nullopt);
    Frame().Dispatch(CmId::Catalog);
    EXPECT_EQ(StructureAt(0), kept);  // cancelled: the tables stay as they were
}

TEST_F(StartedShellTest, LoadStagesStepFromTheStageShown) {
    int finished = 0;
    FillThreeBeams(&finished);
    auto* analysis = static_cast<SteppedAnalysis*>(AnalysisAt(1));
    Frame().Dispatch(CmId::NextLoadStage);
    Frame().Dispatch(CmId::NextLoadStage);
    Frame().Dispatch(CmId::PrevLoadStage);
    EXPECT_EQ(analysis->selected, (std::vector<int>{0, 1, 0}));
    g_Analyses[1].reset();
    Frame().Dispatch(CmId::NextLoadStage);  // no analysis: nothing happens
}

namespace {
// Stages 0..4 counted down without a floor, as a load-stage response does once it has stages:
// the stage before -1 (none shown yet) is -2, which the analysis refuses with a box.
class UnflooredStages : public SteppedAnalysis {
public:
    using SteppedAnalysis::SteppedAnalysis;
    int GetPreviousStageIndex(int index) const override { return index - 1; }
    int SelectLoadStage(int index) override {
        if (index < 0)
            plat::MessageBox("Error in loadstage selection!", "Quarvish", MsgStyle::Ok);
        return SteppedAnalysis::SelectLoadStage(index);
    }
};
} // namespace

// Before any stage is shown, and at stage 0, the stage before is no stage: nothing is asked of
// the analysis and no box appears.
TEST_F(StartedShellTest, ThePreviousLoadStageOfNoneOrOfStageZeroIsNoStage) {
    int finished = 0;
    FillThreeBeams(&finished);
    g_Analyses[1] = std::make_unique<UnflooredStages>(g_Structures[1].get(), &finished);
    auto* analysis = static_cast<UnflooredStages*>(AnalysisAt(1));
    Frame().Dispatch(CmId::PrevLoadStage);
    Frame().Dispatch(CmId::NextLoadStage);
    Frame().Dispatch(CmId::PrevLoadStage);
    EXPECT_EQ(analysis->selected, (std::vector<int>{0}));
    EXPECT_EQ(ui.Count("loadstage"), 0);
}

TEST_F(StartedShellTest, DebugLevelAndPrintInColourPrompts) {
    struct Row {
        std::optional<std::string> answer;
        int level;
    };
    for (const Row& row : {Row{"2", 2}, Row{std::nullopt, 2}, Row{" 3 ", 3}, Row{"", 0}, Row{"1", 1}}) {
        ui.Input("Enter Debug Mode (0,1,2,3)", row.answer);
        Frame().Dispatch(CmId::DebugMode);
        EXPECT_EQ(Window().GetDebugLevel(), row.level);
        EXPECT_EQ(GetDebugLevel(), row.level);
    }
    // The level is the whole number the answer begins with (blanks and a sign before its
    // digits, whatever follows them), 0 where it begins with none; nothing is refused, so every
    // level the program reads can be entered, and the prompt is asked once.
    const std::pair<const char*, int> typed[] = {
        {"10", 10},   {" 7x", 7},  {"  -1x", -1}, {"abc", 0},   {"0,5", 0},  {"5mm", 5},
        {"1.5", 1},   {"-1", -1},  {"+12", 12},   {"\t 9", 9}, {"- 3", 0},  {"nan", 0},
        {"4", 4},     {"x2", 0},   {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}};
    for (const auto& [answer, level] : typed) {
        ui.requests.clear();
        ui.Input("Enter Debug Mode (0,1,2,3)", std::string(answer));
        Frame().Dispatch(CmId::DebugMode);
        EXPECT_TRUE(ui.Done()) << answer;
        EXPECT_EQ(ui.requests.size(), 1u) << answer;
        EXPECT_EQ(GetDebugLevel(), level) << answer;
        EXPECT_EQ(Window().GetDebugLevel(), level) << answer;
    }
    // The prompt offers the level as it stands.
    SetDebugLevel(10);
    ui.Input("Enter Debug Mode (0,1,2,3)", std::nullopt);
    Frame().Dispatch(CmId::DebugMode);
    EXPECT_EQ(ui.lastOffered, "10");
    EXPECT_EQ(GetDebugLevel(), 10);
    SetDebugLevel(0);
    ui.Message("Do you wish to print in colour?", MsgAnswer::No);
    Frame().Dispatch(CmId::PrintInColour);
    EXPECT_EQ(g_PrintInColour, 0);
    ui.Message("Do you wish to print in colour?", MsgAnswer::Yes);
    Frame().Dispatch(CmId::PrintInColour);
    EXPECT_EQ(g_PrintInColour, 1);
    EXPECT_EQ(ui.requests.back().caption, "Quarvish");
}

TEST_F(StartedShellTest, ScreenPictureGoesToTheClipboardAndTheContextMenuRunsItsChoice) {
    Window().MoveWindow(plat::Rect{0, 0, 320, 240});
    ui.Popup(CmId::CopyPicture);
    Window().EvRButtonDown(0, plat::Point{10, 10});
    // A picture of the window's size, as SVG and as PNG.
    EXPECT_NE(plat::Clipboard::GetPictureSvg().find("<svg"), std::string::npos);
    EXPECT_EQ(plat::Clipboard::GetPicturePng().Width(), 320);
    // The start picture is not blank.
    const plat::Image& img = Window().BackingImage();
    int dark = 0;
    for (int y = 0; y < img.Height(); y += 2)
        for (int x = 0; x < img.Width(); x += 2)
            dark += img.Pixel(x, y).r < 128 ? 1 : 0;
    EXPECT_GT(dark, 10);
}

namespace {
// An analysis whose current results are N = 100 kN, M = 50 kNm, V = 20 kN (a stored moment
// shows with the opposite sign).
class ResultAnalysis : public FakeAnalysis {
public:
    using FakeAnalysis::FakeAnalysis;
    std::array<double, 6> loads{0.0, 0.0, 0.0, 100e3, -50e3, 20e3};
    int GetStateResults(const SectionState*, std::array<double, 6>& r, int mode) const override {
        r = loads;
        return mode == 2;
    }
};
} // namespace

TEST_F(StartedShellTest, AnalysisStatusShowsTheLoadsInDisplayUnitsWithTheFactoredTag) {
    Window().ShowAnalysisStatus(nullptr);  // no analysis: the tag alone
    EXPECT_EQ(Frame().GetMessageText(), "");
    g_Analyses[0] = std::make_unique<ResultAnalysis>(g_Structures[0].get());
    Window().ShowAnalysisStatus(nullptr);
    EXPECT_EQ(Frame().GetGadgetText(GadgetId::Status1), "N : 100.0 kN");
    EXPECT_EQ(Frame().GetGadgetText(GadgetId::Status2), "M :  50.0 kNm");
    EXPECT_EQ(Frame().GetGadgetText(GadgetId::Status3), "V :  20.0 kN");
    EXPECT_EQ(Frame().GetMessageText(), "Current Loads");
    g_ResistanceFactors.phi_c = 0.65;
    Window().ShowAnalysisStatus(nullptr);
    EXPECT_EQ(Frame().GetGadgetText(GadgetId::Status1), "Nf : 100.0 kN");
    EXPECT_EQ(Frame().GetMessageText(), "(FACTORED) Current Loads");
    g_ResistanceFactors = ResistanceFactors{};
    // -40 N is -0.04 kN: it rounds to zero and shows no minus sign; -60 N keeps its sign.
    auto* analysis = static_cast<ResultAnalysis*>(g_Analyses[0].get());
    analysis->loads = {0.0, 0.0, 0.0, -40.0, 30.0, -60.0};
    Window().ShowAnalysisStatus(nullptr);
    EXPECT_EQ(Frame().GetGadgetText(GadgetId::Status1), "N :   0.0 kN");
    EXPECT_EQ(Frame().GetGadgetText(GadgetId::Status2), "M :   0.0 kNm");
    EXPECT_EQ(Frame().GetGadgetText(GadgetId::Status3), "V :  -0.1 kN");
}

TEST_F(StartedShellTest, RecentFilesAppearInTheFileMenuAndReopen) {
    const std::string a = WriteDocument("recent-a.qvh", {"<q3g_beam RA/>"});
    const std::string b = WriteDocument("recent-b.qvh", {"<q3g_beam RB/>"});
    app->OpenFile(a);
    app->OpenFile(b);
    EXPECT_EQ(Frame().GetMenuItemText(CmId::RecentFile0).substr(0, 3), "&1 ");
    EXPECT_NE(Frame().GetMenuItemText(CmId::RecentFile0 + 1), "");
    EXPECT_TRUE(Frame().Dispatch(CmId::RecentFile0 + 1));  // the older one
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "RA");
}
