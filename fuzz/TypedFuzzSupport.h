#pragma once
// What the typed-input fuzz targets share: the input split into user actions, one a line (the
// first character names the action, the rest is the text typed), a reporter that answers the
// questions from the input, and the check that a stored value is finite.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "platform/Application.h"
#include "platform/Ui.h"

struct TypedAction {
    char op = 0;
    std::string text;
};

// At most this many actions an input: enough for any sequence a user could make at once.
inline constexpr std::size_t kMaxTypedActions = 64;

inline std::vector<TypedAction> SplitActions(const std::uint8_t* data, std::size_t size)
{
    std::vector<TypedAction> actions;
    std::string line;
    const auto flush = [&] {
        if (!line.empty() && actions.size() < kMaxTypedActions)
            actions.push_back({line[0], line.substr(1)});
        line.clear();
    };
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            flush();
        else
            line += static_cast<char>(data[i]);
    }
    flush();
    return actions;
}

// The fields of one action, '|' between them; missing ones empty.
inline std::vector<std::string> Fields(const std::string& text, std::size_t n)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (out.size() < n && start <= text.size()) {
        const std::size_t bar = text.find('|', start);
        out.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    out.resize(n);
    return out;
}

// A digit 0 to 9 from the character at i of a field (0 past its end).
inline int Digit(const std::string& s, std::size_t i)
{
    return i < s.size() ? (static_cast<unsigned char>(s[i]) + 2) % 10 : 0;
}

// Answers Yes and No in turn (from a seed the input sets), and keeps nothing.
class TypedFuzzReporter final : public Reporter {
public:
    int Message(const std::string&, const std::string&, unsigned style) override
    {
        m_turn = !m_turn;
        return (style & 0xF) == MsgStyle::YesNo ? (m_turn ? MsgAnswer::Yes : MsgAnswer::No) : DefaultAnswer(style);
    }
    void ShowData(const std::string&) override {}
    void Seed(bool yes) { m_turn = !yes; }

private:
    bool m_turn = false;
};

inline TypedFuzzReporter& FuzzAnswers()
{
    static TypedFuzzReporter reporter;
    SetReporter(&reporter);
    return reporter;
}

// A stored value that is not finite is the fault these targets look for.
inline void RequireFinite(double v)
{
    if (!std::isfinite(v))
        std::abort();
}

// The gateway of the targets that reach the window layer's modal dialogs: input dialogs are
// answered with the texts queued from the input (cancelled when none is left), message boxes
// with their default, list choices and everything else cancelled.
class TypedFuzzUi final : public plat::Ui {
public:
    int MessageBox(const std::string&, const std::string&, unsigned style) override { return DefaultAnswer(style); }
    bool InputText(const std::string&, const std::string&, std::string& text) override
    {
        if (answers.empty())
            return false;
        text = answers.front();
        answers.pop_front();
        return true;
    }
    bool EditText(const std::string&, std::string&, bool) override { return false; }
    bool ChooseFile(plat::FileDialogKind, plat::FileDialogData&) override { return false; }
    bool ChooseFromList(const std::string&, const std::vector<std::string>&, int&) override { return false; }
    int TrackPopupMenu(const std::vector<plat::MenuItem>&, plat::Point) override { return 0; }
    bool ChooseFont(plat::FontDialogData&) override { return false; }
    bool ChooseColor(plat::ColorDialogData&) override { return false; }
    int RunDialog(plat::Dialog&) override { return 2; }

    std::deque<std::string> answers;
};

inline TypedFuzzUi& FuzzUi()
{
    static TypedFuzzUi ui;
    plat::SetUi(&ui);
    ui.answers.clear();
    return ui;
}

// The window layer's runtime, once, on the offscreen platform: pictures that write text measure
// it with a font.
inline void EnsureFuzzGui()
{
    static const bool started = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        plat::EnsureGuiRuntime();
        return true;
    }();
    (void)started;
}
