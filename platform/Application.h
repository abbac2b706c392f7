#pragma once
// The application: the Qt runtime, the main frame, the message loop and the idle driver.
//
// Run calls InitInstance, then InitMainWindow, then runs the loop until the main frame
// closes. Whenever the loop has nothing left to do, IdleAction (idle count) is called, and
// again with the count raised while it returns true; input resets the count. Idle work never
// runs while a modal interaction (ModalScope) is open, nor while a Qt modal dialog or popup
// is up, so a step of idle work cannot re-enter itself.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Commands.h"

namespace plat {

class Frame;

// Makes the process-wide Qt runtime once (QApplication), its numbers and the C library's
// written and read with the decimal point whatever the language setting; later calls do
// nothing. An exception that escapes the handling of an event goes no further: it ends the
// running application (Application::ExceptionEscaped, then the loop ends with its code).
void EnsureGuiRuntime(int argc = 0, char** argv = nullptr);

// Runs a handler that the layer calls from Qt (a command, a control's notification): an
// exception that escapes it ends the program as one escaping an event does, caught before it
// reaches Qt's own code.
void RunGuarded(const std::function<void()>& handler);

// Exit codes of Run: the end of the session (a system shutdown or log-off, which the system
// announces with SIGTERM or SIGHUP) ends the program as a close does; an exception that
// escaped ends it with kExceptionExitCode.
inline constexpr int kExceptionExitCode = 3;

// The message the program shows once when it must close because an exception escaped.
std::string ClosingMessage(const std::string& name, const std::string& why);

// Runs the program (making its application object, running it, ending it) under the guard
// that Run gives the loop: an exception that escapes the making of the application, or an event
// handled while it ends, shows the closing message once, captioned with the name, and the
// result is kExceptionExitCode; otherwise the result is the program's own.
int RunGuardedProgram(const std::string& name, const std::function<int()>& program);

class Application : public CommandTarget {
public:
    explicit Application(std::string name);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    int Run();
    virtual void InitInstance() {}
    virtual void InitMainWindow() {}
    // The close question: asks the main frame (and through it the client).
    virtual bool CanClose();
    // Idle work: the main frame's (tool-bar states, then the client's).
    virtual bool IdleAction(long idleCount);
    // F1 (shift: context mode) and Escape in context mode; true when taken. Not asked while
    // a menu of a frame is open: the menu takes its keys.
    virtual bool ProcessHelpKey(int key, bool shift) { (void)key, (void)shift; return false; }
    // F1 pressed while a menu is open (a frame's menu or a popup menu); true when taken, and
    // the menu's highlighted item is then chosen as Return chooses it.
    virtual bool ProcessMenuHelpKey() { return false; }
    // A command on its way to its window, from any frame's menu, tool bar or accelerator key
    // or from a popup menu; true when taken (context help shows its topic instead), and the
    // command then goes no further.
    virtual bool PreProcessCommand(int id) { (void)id; return false; }
    // Whether context help is on: Escape is then the help keys' even where it is a frame's
    // accelerator key.
    virtual bool InContextHelp() const { return false; }

    // An exception escaped a command, a paint, a dialog, the idle work or the set-up: the
    // program cannot go on. Shows one message that says so, and why; the result is the exit
    // code Run returns (never 0).
    virtual int ExceptionEscaped(const std::string& why);

    const std::string& GetName() const { return m_name; }
    void SetMainWindow(Frame* frame);
    Frame* GetMainWindow() const { return m_mainWindow; }

    // Runs the loop for a while (tools); idle work runs when it empties.
    static void PumpEvents(int milliseconds);
    // Runs the loop until it has nothing left to do (tests), however fast the machine: every
    // event waiting is delivered, with those it brings, and the idle work runs as when the loop
    // empties, until it asks for no more. At most maxRounds rounds (a round delivers what is
    // waiting or runs the idle work once); the number of rounds run.
    static int SettleEvents(int maxRounds = kSettleRounds);
    static constexpr int kSettleRounds = 400000;
    // Ends Run with the code.
    static void Quit(int code = 0);
    static std::vector<std::string> Arguments();
    static std::string ProgramDirectory();
    // Restarts idle work that a modal interaction held back.
    void ResumeIdle();

    struct Impl;

private:
    std::string m_name;
    Frame* m_mainWindow = nullptr;
    std::unique_ptr<Impl> m_impl;
};

// The application being run or set up (null when none exists).
Application* GetApplication();

// Offers a command to the application before it is routed (PreProcessCommand); true when the
// application took it. The frames and popup menus call this for every command they send.
bool ApplicationTakesCommand(int id);

// Whether F1 is held down. Its release while another program has the keyboard is not seen,
// so leaving the program counts as a release.
bool IsHelpKeyDown();

// Shows the context-help cursor over the whole program, or the normal cursors again.
void SetHelpCursor(bool on);
// Whether a cursor is shown over the whole program in place of each window's own (the
// context-help cursor); false when every window shows its own again.
bool ProgramCursorShown();

} // namespace plat
