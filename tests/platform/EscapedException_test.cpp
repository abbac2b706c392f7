// An exception that escapes a command or a paint ends the running program with one message
// that says it must close and why, and a non-zero exit code; the end of the session (the
// SIGTERM of a system shutdown, the SIGHUP of a log-off) ends it with 0 and no message.

#include <gtest/gtest.h>

#include <csignal>
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
        if (throwInPaint)
            throw std::logic_error("no pen for line type 12");
        Window::Paint(dc, erase, rect);
    }
    bool throwInPaint = false;
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
