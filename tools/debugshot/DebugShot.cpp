// The debug displays in the real main window, for looking at: the sample beam opened, solved and
// shown in nine graphs, then solved again at debug level 1 or 2 from the tool bar's level. Each
// display (level 1: the state and "Debug On: ... Leave on?"; level 2: the state and the "Dual
// Section results" text) is pictured by a helper started in the background, which then answers
// it: at level 1 Yes to the first question and No to the second, at level 2 the first text is
// closed and the tool's gateway ends debug mode after it. The screen is pictured before the run
// and once the run has ended.
//
//   qv_debugshot <program folder> <output folder> <level 1 or 2> [traces]
//
// With a number of traces, the level-1 questions before that many convergence traces were drawn
// are answered Yes by the tool without being shown (the traces of the shear loop begin late in
// the run).
//
// Needs an X display (run under xvfb-run or a running Xvfb), "import" and "xdotool".

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "foundation/Diagnostics.h"
#include "foundation/Reporter.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "platform/Ui.h"
#include "tools/ShearBeam.h"
#include "tools/RunToEnd.h"
#include "tools/ToolStart.h"
#include "views/BeamModeInstall.h"
#include "views/StateDiagramsInstall.h"

namespace {

const double kIncrement[3] = {0, -150e3, 100e3};

std::string g_out;

// Convergence traces drawn since the start.
int g_traced = 0;
// The level-1 questions are answered Yes by the tool, unseen, until this many traces were drawn.
int g_tracesBeforeShown = 0;

// Everything goes to the live gateway, but for the level-1 questions answered unseen; after the
// first "Dual Section results" text debug mode ends, as a user entering 0 would.
class OneDumpUi final : public plat::Ui {
public:
    explicit OneDumpUi(plat::Ui& live) : m_live(live) {}
    int MessageBox(const std::string& text, const std::string& caption, unsigned style) override {
        if (text.rfind("Debug On:", 0) == 0 && g_traced < g_tracesBeforeShown)
            return MsgAnswer::Yes;
        return m_live.MessageBox(text, caption, style);
    }
    bool InputText(const std::string& caption, const std::string& prompt, std::string& text) override {
        return m_live.InputText(caption, prompt, text);
    }
    bool EditText(const std::string& caption, std::string& text, bool editable) override {
        const bool dump = text.rfind("Dual Section results", 0) == 0;
        const bool answer = m_live.EditText(caption, text, editable);
        if (dump)
            SetDebugLevel(0);
        return answer;
    }
    bool ChooseFile(plat::FileDialogKind kind, plat::FileDialogData& data) override {
        return m_live.ChooseFile(kind, data);
    }
    bool ChooseFromList(const std::string& caption, const std::vector<std::string>& items, int& index) override {
        return m_live.ChooseFromList(caption, items, index);
    }
    int TrackPopupMenu(const std::vector<plat::MenuItem>& items, plat::Point screen) override {
        return m_live.TrackPopupMenu(items, screen);
    }
    bool ChooseFont(plat::FontDialogData& data) override { return m_live.ChooseFont(data); }
    bool ChooseColor(plat::ColorDialogData& data) override { return m_live.ChooseColor(data); }
    int RunDialog(plat::Dialog& dialog) override { return m_live.RunDialog(dialog); }

private:
    plat::Ui& m_live;
};

void Shot(const std::string& name) { ScreenShot(g_out + "/" + name + ".png"); }

} // namespace

int main(int argc, char** argv) {
    const std::optional<ToolFolders> folders = StartTool(argc, argv, 4);
    if (!folders)
        return 2;
    g_out = folders->out;
    const int level = std::atoi(argv[3]);
    if (level != 1 && level != 2)
        return 2;
    g_tracesBeforeShown = argc >= 5 ? std::atoi(argv[4]) : 0;
    InstallBeamMode();
    InstallStateDiagrams();
    plat::UiReporterScope reporter;
    OneDumpUi ui(plat::GetUi());
    plat::ScopedUi scoped(ui);
    TQuarvishApp app(folders->program);
    app.InitMainWindow();
    plat::Frame& frame = *app.GetMainWindow();
    TQuarvishWindow& window = app.GetClient();
    frame.SetFrameRect(plat::Rect{0, 0, 1280, 1000});

    g_Structures[0] = ShearBeam(kIncrement);
    const std::string file = g_out + "/beam.qvh";
    window.WriteDocument(file);
    app.OpenFile(file);
    frame.Dispatch(CmId::SectionalResponse);
    RunToEnd(window);
    frame.Dispatch(CmId::NineGraphs);
    Shot("debug" + std::to_string(level) + "-0-solved");

    DebugLineHook draw = SetDebugLineHook({});
    SetDebugLineHook([&draw](int x1, int y1, int x2, int y2) {
        ++g_traced;
        draw(x1, y1, x2, y2);
    });
    SetDebugLevel(level);
    const std::string prefix = g_out + "/debug" + std::to_string(level);
    // The helper: each display pictured after a while, then answered.
    const std::string script =
        level == 1 ? "(sleep 4; import -window root '" + prefix + "-1-first.png'; xdotool key Return; "
                     "sleep 4; import -window root '" + prefix + "-2-second.png'; xdotool key Escape) &"
                   : "(sleep 4; import -window root '" + prefix + "-1-first.png'; xdotool key Escape) &";
    std::system(script.c_str());
    frame.Dispatch(CmId::SectionalResponse);
    RunToEnd(window);
    Shot("debug" + std::to_string(level) + "-3-after");
    std::printf("debug level at the end %d, %d traces\n", GetDebugLevel(), g_traced);
    SetDebugLineHook(std::move(draw));
    return 0;
}
