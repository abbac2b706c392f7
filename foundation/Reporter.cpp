#include "foundation/Reporter.h"

#include <cstdio>

#include "foundation/WorkerPool.h"

namespace {
HeadlessReporter g_headless;
Reporter* g_reporter = nullptr;
} // namespace

int DefaultAnswer(unsigned style)
{
    const unsigned buttons = style & MsgStyle::ButtonMask;
    int index = 0;
    if (style & MsgStyle::DefButton2)
        index = 1;
    else if (style & MsgStyle::DefButton3)
        index = 2;
    switch (buttons) {
    case MsgStyle::OkCancel: {
        const int answers[] = {MsgAnswer::Ok, MsgAnswer::Cancel, MsgAnswer::Cancel};
        return answers[index];
    }
    case MsgStyle::AbortRetryIgnore: {
        const int answers[] = {MsgAnswer::Abort, MsgAnswer::Retry, MsgAnswer::Ignore};
        return answers[index];
    }
    case MsgStyle::YesNoCancel: {
        const int answers[] = {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel};
        return answers[index];
    }
    case MsgStyle::YesNo: {
        const int answers[] = {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::No};
        return answers[index];
    }
    case MsgStyle::RetryCancel: {
        const int answers[] = {MsgAnswer::Retry, MsgAnswer::Cancel, MsgAnswer::Cancel};
        return answers[index];
    }
    default:
        return MsgAnswer::Ok;
    }
}

int HeadlessReporter::Message(const std::string& text, const std::string& caption, unsigned style)
{
    std::fputs(("[" + caption + "] " + text + "\n").c_str(), stderr);
    return DefaultAnswer(style);
}

void HeadlessReporter::ShowData(const std::string& text)
{
    std::fputs((text + "\n").c_str(), stderr);
}

Reporter& GetReporter()
{
    return g_reporter ? *g_reporter : g_headless;
}

Reporter* SetReporter(Reporter* reporter)
{
    Reporter* previous = g_reporter;
    g_reporter = reporter;
    return previous;
}

// Boxes raised inside a parallel task are shown by the main thread.
int ShowMessage(const std::string& text, const std::string& caption, unsigned style)
{
    int answer = MsgAnswer::Ok;
    RunOnMainThread([&] { answer = GetReporter().Message(text, caption, style); });
    return answer;
}

void ShowDataText(const std::string& text)
{
    RunOnMainThread([&] { GetReporter().ShowData(text); });
}
