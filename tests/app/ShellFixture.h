#pragma once
// The shell under test: a temporary program directory, a scripted dialog gateway, a small
// document engine of its own, and the application set up as at start-up.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/DocumentEngine.h"
#include "app/GlobalTables.h"
#include "app/TQuarvishApp.h"
#include "app/TQuarvishWindow.h"
#include "foundation/ProgramPaths.h"
#include "analysis/TSectionalAnalysis.h"
#include "model/TStructure.h"
#include "platform/Application.h"
#include "platform/Ui.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"

// Documents of one line per component: "<q3g_beam NAME/>", "<p3g_shell NAME/>",
// "<Q2010_Analysis/>"; a component holding "!bad" is rejected by the reader.
class FakeDocumentEngine final : public TDocumentEngine {
public:
    bool WriteHeader(std::string& text) override {
        if (refuseWrite)
            return false;
        text = "<?xml version=\"1.0\"?>\r\n<document>\r\n";
        return true;
    }
    bool WriteStructure(std::string& text, TStructure& s) override {
        text += std::string("<") + (s.GetKind() == kKindShell ? "p3g_shell" : "q3g_beam") + " " + s.GetName() + "/>\r\n";
        return true;
    }
    bool WriteAnalysisSettings(std::string& text) override {
        text += "<Q2010_Analysis/>\r\n";
        return true;
    }
    bool WriteFooter(std::string& text) override {
        text += "</document>\r\n";
        return true;
    }
    bool IsDocument(const std::string& text) const override { return text.rfind("<?xml version=\"1.0\"", 0) == 0; }
    void BeginRead(std::string& text) override {
        for (char& c : text)
            if (c == '\r' || c == '\n' || c == '\t')
                c = ' ';
    }
    bool FindComponent(const std::string& text, int index, std::string& name) override {
        const std::size_t at = ComponentStart(text, index);
        if (at == std::string::npos)
            return false;
        name = text.substr(at, text.find_first_of(" />", at) - at);
        return true;
    }
    bool ReadStructure(const std::string& text, int index, TStructure& s) override {
        const std::string body = Component(text, index);
        const std::size_t space = body.find(' ');
        if (body.find("!bad") != std::string::npos)
            return false;
        s.SetName(space == std::string::npos ? "" : body.substr(space + 1));
        s.SetModified(0);  // a structure just read is unchanged
        return true;
    }
    bool ReadAnalysisSettings(const std::string& text, int index, const TStructureSlots&) override {
        pendingSettings = Component(text, index).find("!bad") == std::string::npos;
        return pendingSettings;
    }
    void CommitAnalysisSettings() override { ++commits; }

    // Where component n starts, after its '<'; npos past the last one.
    static std::size_t ComponentStart(const std::string& text, int index) {
        std::size_t at = text.find("<document>");
        for (int k = 0; k <= index && at != std::string::npos; ++k) {
            at = text.find('<', at + 1);
            if (at != std::string::npos && text.compare(at, 11, "</document>") == 0)
                return std::string::npos;
        }
        return at == std::string::npos ? at : at + 1;
    }
    // The text of component n between '<' and "/>".
    static std::string Component(const std::string& text, int index) {
        const std::size_t at = ComponentStart(text, index);
        return text.substr(at, text.find("/>", at) - at);
    }

    bool refuseWrite = false;
    bool pendingSettings = false;
    int commits = 0;
};

// Runs the working directory somewhere else for the lifetime of the guard ("oldfile.bak"
// goes to the working directory).
class WorkingDirGuard {
public:
    explicit WorkingDirGuard(const std::filesystem::path& dir) : m_saved(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~WorkingDirGuard() { std::filesystem::current_path(m_saved); }

private:
    std::filesystem::path m_saved;
};

// The window's constructor empties the structure and analysis tables: the guard keeps what they
// held before and puts it back afterwards, with the current indices. What the test left in them
// goes with the guard, the analyses first.
class GlobalTablesGuard {
public:
    GlobalTablesGuard() : m_structure(g_CurrentStructure), m_analysis(g_CurrentAnalysis) {
        m_structures.swap(g_Structures);
        m_analyses.swap(g_Analyses);
    }
    ~GlobalTablesGuard() {
        m_structures.swap(g_Structures);
        m_analyses.swap(g_Analyses);
        g_CurrentStructure = m_structure;
        g_CurrentAnalysis = m_analysis;
    }
    GlobalTablesGuard(const GlobalTablesGuard&) = delete;
    GlobalTablesGuard& operator=(const GlobalTablesGuard&) = delete;

private:
    std::array<std::unique_ptr<TStructure>, kMaxStructures> m_structures;
    std::array<std::unique_ptr<TSectionalAnalysis>, kMaxStructures> m_analyses;
    int m_structure;
    int m_analysis;
};

class ShellTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }

    ShellTest() : m_engineScope(&engine), m_workDir(dir.path()) { SetUserConfigDir(dir.File("config")); }
    ~ShellTest() override {
        app.reset();
        SetUserConfigDir("");
        SetDocumentEngine(m_previousEngine);
        g_StartupFile.clear();
        SetProgramPath("");
    }

    // Starts the program in the temporary program directory, optionally with a start-up file.
    void Start(const std::string& startupFile = "") {
        g_StartupFile = startupFile;
        app = std::make_unique<TQuarvishApp>(dir.path().string() + "/");
        app->InitMainWindow();
    }

    TQuarvishWindow& Window() { return app->GetClient(); }
    // Shows the frame and then gives it its size, with the events of each step run: the
    // offscreen platform cuts a frame larger than its screen to the screen when it shows it,
    // not when it is placed afterwards.
    void ShowFrameAt(int w, int h) {
        Frame().ShowFrame(1);
        plat::Application::SettleEvents();
        Frame().SetFrameRect(plat::Rect{0, 0, w, h});
        plat::Application::SettleEvents();
    }
    // Shows the frame around a client of w x h fixed by the frame, as QUARVISH_CLIENT_SIZE
    // fixes it for the screenshots: the client keeps that size whatever moves it, except what
    // lifts its size limits (a printout).
    void ShowClientAt(int w, int h) {
        Frame().SetFixedClientSize(plat::Size{w, h});
        Frame().ShowFrame(1);
        plat::Application::SettleEvents();
        for (int pass = 0; pass < 2; ++pass)
            Window().IdleAction(pass);
    }
    plat::Frame& Frame() { return *app->GetMainWindow(); }

    // A document file of the given component lines.
    std::string WriteDocument(const std::string& name, const std::vector<std::string>& components) {
        std::string text = "<?xml version=\"1.0\"?>\r\n<document>\r\n";
        for (const std::string& c : components)
            text += c + "\r\n";
        text += "</document>\r\n";
        dir.Write(name, text);
        return dir.File(name);
    }

    // Writes the structures as one document through the window (with the member settings when
    // the member is defined), leaving the open ones as they were; the file's path.
    std::string WriteStructures(const std::string& name, std::vector<std::unique_ptr<TStructure>> structures) {
        std::array<std::unique_ptr<TStructure>, kMaxStructures> open;
        open.swap(g_Structures);
        for (std::size_t i = 0; i < structures.size(); ++i)
            g_Structures[i] = std::move(structures[i]);
        const std::string path = dir.File(name);
        EXPECT_TRUE(Window().WriteDocument(path));
        open.swap(g_Structures);
        return path;
    }

    // File > Open of the path through the menu, No to the save question of a changed document.
    void OpenByMenu(const std::string& path) {
        if (Window().IsModified())
            ui.Message("Save Changes", MsgAnswer::No);
        ui.File(plat::FileDialogKind::Open, path);
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
        EXPECT_EQ(app->GetFileName(), path);
    }

    // The message boxes asked for so far.
    int Boxes() const {
        return static_cast<int>(std::count_if(ui.requests.begin(), ui.requests.end(),
                                              [](const UiRequest& r) { return r.kind == "message"; }));
    }
    // The names of the open structures, in table order.
    static std::vector<std::string> Open() {
        std::vector<std::string> names;
        for (const auto& s : g_Structures)
            if (s)
                names.push_back(s->GetName());
        return names;
    }

    // The solve command on the current structure, run to its end: it asks for nothing but the
    // one box that says why, and leaves no stage solved.
    void ExpectOneBoxOnSolve(int command, const std::string& why) {
        SCOPED_TRACE(command);
        ui.requests.clear();
        ui.Message(why, MsgAnswer::Ok);
        Frame().Dispatch(command);
        TQuarvishWindow& window = Window();
        for (long pass = 0; pass < 200; ++pass) {
            const TSectionalAnalysis* running = window.GetCurrentAnalysis();
            if (running == nullptr || !running->IsRunning())
                break;
            window.IdleAction(pass);
        }
        EXPECT_TRUE(ui.Done());
        ASSERT_EQ(ui.requests.size(), 1u) << (ui.requests.empty() ? "no box" : ui.requests.back().text);
        EXPECT_EQ(ui.requests[0].text, why);
        if (const TSectionalAnalysis* a = window.GetCurrentAnalysis()) {
            EXPECT_EQ(a->IsRunning(), 0);
            EXPECT_EQ(a->GetPeakState(), nullptr);
        }
    }

    // Cuts the document dir/name three characters into the first occurrence of inside and
    // opens it: the read is refused with one box, which is returned, and the document open
    // before stays under its own name.
    UiRequest OpenCutInside(const std::string& name, const std::string& inside) {
        const std::string text = dir.Read(name);
        dir.Write(name, text.substr(0, text.find(inside) + 3));
        const std::size_t before = ui.requests.size();
        const std::string open = app->GetFileName();
        ui.Message(inside.substr(0, 3), MsgAnswer::Ok);
        app->OpenFile(dir.File(name));
        EXPECT_EQ(ui.requests.size(), before + 1);
        EXPECT_EQ(app->GetFileName(), open);
        return ui.requests.size() > before ? ui.requests[before] : UiRequest{};
    }

    TempDir dir;
    FakeDocumentEngine engine;
    ScriptedUi ui;

private:
    GlobalTablesGuard m_tables;
    struct EngineScope {
        explicit EngineScope(TDocumentEngine* e) : previous(SetDocumentEngine(e)) {}
        TDocumentEngine* previous;
    } m_engineScope;
    TDocumentEngine* m_previousEngine = m_engineScope.previous;
    WorkingDirGuard m_workDir;
    plat::UiReporterScope m_reporter;

protected:
    std::unique_ptr<TQuarvishApp> app;
};

// The shell started on a new section before each test.
class StartedShellTest : public ShellTest {
protected:
    void SetUp() override { Start(); }
};
