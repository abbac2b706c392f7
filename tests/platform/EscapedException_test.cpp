// An exception that escapes a command or a paint ends the running program with one message
// that says it must close and why, and a non-zero exit code; the end of the session (the
// SIGTERM of a system shutdown, the SIGHUP of a log-off) ends it with 0 and no message.

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "foundation/Reporter.h"
#include "platform/Application.h"
#include "platform/Frame.h"
#include "support/ScriptedUi.h"
#include "tests/platform/PlatformFixture.h"

using namespace plat;

namespace {

constexpr int kThrowingCommand = 7;

class ThrowingClient : public Window {
public:
    ThrowingClient() {
        AddResponseTable({{kThrowingCommand, [] { throw std::runtime_error("the stage table is corrupt"); }, {}}});
    }
    void Paint(DC& dc, bool erase, const Rect& rect) override {
        ++paints;
        if (throwInPaint)
            throw std::logic_error("no pen for line type 12");
        Window::Paint(dc, erase, rect);
    }
    bool throwInPaint = false;
    int paints = 0;
};

class RunningApp : public Application {
public:
    explicit RunningApp(ThrowingClient& client) : Application("Quarvish"), m_client(client) {}
    void InitMainWindow() override {
        frame = std::make_unique<Frame>("Quarvish", m_client);
        frame->CreateFrame();
        SetMainWindow(frame.get());
        frame->AddToolButton(kThrowingCommand, "7");
        frame->UpdateToolBar();
        frame->ShowFrame(1);
    }
    std::unique_ptr<Frame> frame;

private:
    ThrowingClient& m_client;
};

class EscapedException : public GuiTest {
protected:
    ScriptedUi ui;
    ThrowingClient client;
    RunningApp app{client};
};

} // namespace

TEST_F(EscapedException, ACommandThatThrowsEndsTheProgramWithOneMessageAndANonZeroCode) {
    FrameDriver::WhenLoopRuns([this] { FrameDriver(*app.frame).ClickToolButton(kThrowingCommand); });
    ui.Message("Quarvish must close", MsgAnswer::Ok);
    const int code = app.Run();
    EXPECT_NE(code, 0);
    EXPECT_EQ(code, kExceptionExitCode);
    EXPECT_TRUE(ui.Done());
    ASSERT_EQ(ui.requests.size(), 1u);
    EXPECT_NE(ui.requests[0].text.find("the stage table is corrupt"), std::string::npos) << ui.requests[0].text;
}

// A paint that throws every time: one message, however often the window is painted again.
TEST_F(EscapedException, APaintThatThrowsEndsTheProgramWithOneMessage) {
    client.throwInPaint = true;
    FrameDriver::WhenLoopRuns([this] {
        client.Invalidate();
        client.UpdateWindow();
        client.Invalidate();
        client.UpdateWindow();
    });
    ui.Message("no pen for line type 12", MsgAnswer::Ok);
    EXPECT_EQ(app.Run(), kExceptionExitCode);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(ui.requests.size(), 1u);
    client.throwInPaint = false;
}

TEST_F(EscapedException, TheEndOfTheSessionEndsTheProgramWithZeroAndNoMessage) {
    for (const int signal : {SIGTERM, SIGHUP}) {
        ThrowingClient other;
        RunningApp session(other);
        FrameDriver::WhenLoopRuns([signal] { std::raise(signal); });
        EXPECT_EQ(session.Run(), 0) << signal;
        EXPECT_TRUE(ui.requests.empty());
    }
}

// A paint that throws while the program's own closing message is up (the live message box,
// running its loop): the second exception is dropped and the message stays until it is
// answered; the program then ends with the code.
TEST_F(EscapedException, APaintThatThrowsWhileTheClosingMessageIsUpLeavesTheMessageUp) {
    Ui* scripted = SetUi(nullptr);  // the live gateway: a real message box with its own loop
    // Shared with steps that may outlive the test when the message box is gone too early.
    struct Seen {
        int paintsBefore = -1;
        int depthDuring = -1;
        int upAfterPaint = -1;
        int waits = 0;
    };
    auto seen = std::make_shared<Seen>();
    // Once the window has painted again (and thrown), whether the message is still up; then it
    // is answered.
    std::shared_ptr<std::function<void()>> check = std::make_shared<std::function<void()>>();
    *check = [this, seen, weak = std::weak_ptr<std::function<void()>>(check)] {
        if (client.paints == seen->paintsBefore && ++seen->waits < 1000) {
            if (auto again = weak.lock())
                FrameDriver::WhenLoopRuns([again] { (*again)(); });
            return;
        }
        seen->upAfterPaint = ModalDepth();
        CloseNextLiveDialog(true);
    };
    FrameDriver::WhenLoopRuns([this, seen, check] {
        // Runs in the loop of the closing message once the command has thrown: the window is
        // to be painted again, by a paint that throws.
        FrameDriver::WhenLoopRuns([this, seen, check] {
            seen->depthDuring = ModalDepth();
            seen->paintsBefore = client.paints;
            client.throwInPaint = true;
            client.Invalidate();
            FrameDriver::WhenLoopRuns([check] { (*check)(); });
        });
        FrameDriver(*app.frame).ClickToolButton(kThrowingCommand);
    });
    const int code = app.Run();
    SetUi(scripted);
    client.throwInPaint = false;
    EXPECT_EQ(seen->depthDuring, 1) << "the step did not run while the message was up";
    EXPECT_GT(client.paints, seen->paintsBefore) << "the window was not painted again";
    EXPECT_EQ(seen->upAfterPaint, 1) << "the message was gone after the paint that threw";
    EXPECT_EQ(code, kExceptionExitCode);
}

namespace {

// An application whose set-up reads its settings with a step that throws.
class SettingsThrow : public Application {
public:
    SettingsThrow() : Application("Quarvish") { ReadSettings(); }
    static void ReadSettings() { throw std::runtime_error("the settings file is a folder"); }
};

// An application whose ending runs a handler of the layer (a window's notification as the
// windows go) that throws.
class EndingHandlerThrows : public RunningApp {
public:
    using RunningApp::RunningApp;
    ~EndingHandlerThrows() override {
        RunGuarded([] { throw std::logic_error("no pen for line type 12"); });
    }
};

constexpr const char* kClosing =
    "Quarvish must close because of an unexpected error:\n\nthe settings file is a folder\n\n"
    "Changes made since the document was last saved are lost.";

} // namespace

// The program's making and ending run under the guard of its loop: a set-up step that throws
// shows the one closing message, captioned with the program's name, and the code is 3, with no
// end through std::terminate.
TEST_F(EscapedException, ASetUpStepThatThrowsEndsTheProgramWithTheOneMessageAndCodeThree) {
    ui.Message("Quarvish must close", MsgAnswer::Ok);
    bool ran = false;
    const int code = RunGuardedProgram("Quarvish", [&ran] {
        SettingsThrow settings;
        ran = true;
        return settings.Run();
    });
    EXPECT_FALSE(ran);
    EXPECT_EQ(code, kExceptionExitCode);
    EXPECT_TRUE(ui.Done());
    ASSERT_EQ(ui.requests.size(), 1u);
    EXPECT_EQ(ui.requests[0].text, kClosing);
    EXPECT_EQ(ui.requests[0].caption, "Quarvish");
    EXPECT_EQ(ui.requests[0].style, MsgStyle::Ok | MsgStyle::IconStop);
    EXPECT_EQ(GetApplication(), nullptr);
    // A program that ends well keeps its own code.
    EXPECT_EQ(RunGuardedProgram("Quarvish", [] { return 0; }), 0);
    EXPECT_EQ(RunGuardedProgram("Quarvish", [] { return 7; }), 7);
    EXPECT_EQ(ui.requests.size(), 1u);
}

// An exception while the program ends (a handler run as its windows go) shows the message once
// and the code is 3; after a loop that ended with the message, nothing more is shown.
TEST_F(EscapedException, AnExceptionWhileTheProgramEndsShowsTheOneMessageAndCodeThree) {
    ui.Message("no pen for line type 12", MsgAnswer::Ok);
    const int closed = RunGuardedProgram("Quarvish", [] {
        ThrowingClient window;
        EndingHandlerThrows ending(window);
        FrameDriver::WhenLoopRuns([] { Application::Quit(0); });
        return ending.Run();
    });
    EXPECT_EQ(closed, kExceptionExitCode);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(ui.requests.size(), 1u);

    ui.Message("the stage table is corrupt", MsgAnswer::Ok);
    const int failed = RunGuardedProgram("Quarvish", [] {
        ThrowingClient commands;
        EndingHandlerThrows ending(commands);
        FrameDriver::WhenLoopRuns([&ending] { FrameDriver(*ending.frame).ClickToolButton(kThrowingCommand); });
        return ending.Run();
    });
    EXPECT_EQ(failed, kExceptionExitCode);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(ui.requests.size(), 2u);
}

namespace {

// A program whose window throws in the paint that shows it as the program starts, and that
// then asks for the label of a section (a file of several sections given on the command line)
// before its loop runs; the question is a live dialog, answered once it is up.
class ThrowsAtStartThenAsks : public Application {
public:
    explicit ThrowsAtStartThenAsks(ThrowingClient& client) : Application("Quarvish"), m_client(client) {}
    void InitMainWindow() override {
        frame = std::make_unique<Frame>("Quarvish", m_client);
        frame->CreateFrame();
        SetMainWindow(frame.get());
        frame->ShowFrame(1);
        m_client.throwInPaint = true;
        m_client.Invalidate();
        m_client.ShowNow();
        m_client.throwInPaint = false;
        depthAfterPaint = ModalDepth();

        Ui* scripted = SetUi(nullptr);
        CloseNextLiveDialog(true);
        label = "girder";
        answered = InputDialog("Quarvish", "File contains 2 sections.  Enter label to load", label);
        SetUi(scripted);
        // The loop runs once set-up is done; the user then closes the program.
        FrameDriver::WhenLoopRuns([this] {
            loopRan = true;
            Application::Quit(0);
        });
    }
    std::unique_ptr<Frame> frame;
    int depthAfterPaint = -1;
    std::string label;
    bool answered = false;
    bool loopRan = false;

private:
    ThrowingClient& m_client;
};

} // namespace

// An exception handled before the program's loop runs (a paint as the window is first shown)
// shows the one closing message; the question the program asks next, still before its loop,
// waits for its answer instead of closing at once with its cancel answer, and the loop then
// runs.
TEST_F(EscapedException, AQuestionAfterAnExceptionBeforeTheLoopWaitsForItsAnswer) {
    ui.Message("no pen for line type 12", MsgAnswer::Ok);
    ThrowingClient window;
    ThrowsAtStartThenAsks program(window);
    const int code = RunGuardedProgram("Quarvish", [&program] { return program.Run(); });
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(ui.requests.size(), 1u);
    EXPECT_GT(window.paints, 0);
    EXPECT_EQ(program.depthAfterPaint, 0);
    EXPECT_TRUE(program.answered) << "the question closed at once with its cancel answer";
    EXPECT_EQ(program.label, "girder");
    EXPECT_TRUE(program.loopRan);
    EXPECT_EQ(code, kExceptionExitCode);
}
