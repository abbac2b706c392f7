#pragma once
// The one path by which computing code tells the user something or asks a question.
//
// Model, analysis and file code never open a window: they call ShowMessage, which hands
// text, caption and style to the installed Reporter. The GUI installs one that shows a
// message box; tests install a recorder that answers from a script; without either, the
// headless reporter writes to stderr and takes the default answer, so no run ever blocks.

#include <string>

// The program's name, the caption of its messages and the start of its window title.
inline constexpr const char* kProgramCaption = "Quarvish";

// Button sets, icons and default buttons, with the values of the classic message-box
// styles (stored error entries keep these codes).
namespace MsgStyle {
inline constexpr unsigned Ok = 0x0;
inline constexpr unsigned OkCancel = 0x1;
inline constexpr unsigned AbortRetryIgnore = 0x2;
inline constexpr unsigned YesNoCancel = 0x3;
inline constexpr unsigned YesNo = 0x4;
inline constexpr unsigned RetryCancel = 0x5;
inline constexpr unsigned ButtonMask = 0xF;
inline constexpr unsigned IconStop = 0x10;
inline constexpr unsigned IconQuestion = 0x20;
inline constexpr unsigned IconExclamation = 0x30;
inline constexpr unsigned IconInformation = 0x40;
inline constexpr unsigned IconMask = 0xF0;
inline constexpr unsigned DefButton2 = 0x100;
inline constexpr unsigned DefButton3 = 0x200;
inline constexpr unsigned DefButtonMask = 0xF00;
} // namespace MsgStyle

namespace MsgAnswer {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace MsgAnswer

// The answer a box of this style gives when its default button is taken.
int DefaultAnswer(unsigned style);

class Reporter {
public:
    virtual ~Reporter() = default;
    // Shows a message and returns the button chosen (a MsgAnswer value).
    virtual int Message(const std::string& text, const std::string& caption, unsigned style) = 0;
    // Shows a block of text in the "View Data" dialog; returns when it is closed.
    virtual void ShowData(const std::string& text) = 0;
};

// Writes messages to stderr and takes the default answer.
class HeadlessReporter final : public Reporter {
public:
    int Message(const std::string& text, const std::string& caption, unsigned style) override;
    void ShowData(const std::string& text) override;
};

// Shows nothing and takes the default answer: for benchmarks and fuzzing, where thousands
// of messages would only slow the run.
class SilentReporter final : public Reporter {
public:
    int Message(const std::string&, const std::string&, unsigned style) override
    {
        return DefaultAnswer(style);
    }
    void ShowData(const std::string&) override {}
};

// The installed reporter (the headless one unless another was installed).
Reporter& GetReporter();
// Installs a reporter (null restores the headless one); returns the previous one.
Reporter* SetReporter(Reporter* reporter);

// Shorthands for computing code. Called from a parallel task (foundation/WorkerPool.h), the
// main thread shows the message and the task waits for the answer.
int ShowMessage(const std::string& text, const std::string& caption, unsigned style = MsgStyle::Ok);
void ShowDataText(const std::string& text);

// Installs a reporter for the lifetime of the guard.
class ScopedReporter {
public:
    explicit ScopedReporter(Reporter& reporter) : m_previous(SetReporter(&reporter)) {}
    ~ScopedReporter() { SetReporter(m_previous); }
    ScopedReporter(const ScopedReporter&) = delete;
    ScopedReporter& operator=(const ScopedReporter&) = delete;

private:
    Reporter* m_previous;
};
