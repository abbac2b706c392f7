#pragma once
// The messages of one run of a computation (an analysis from its set-up to its last step).
//
// While a scope of the set lives, every message goes through it to the reporter installed
// before. Each message is shown once; the same message again, the same caption and the same
// text apart from the numbers in it (a message naming a depth, a node or a stage), is not shown
// but marks the run as to be stopped with it, so that no run gives boxes without end. Questions
// (boxes with more than an OK button) are asked each time: their answer steers the run.

#include <string>
#include <vector>

#include "foundation/Reporter.h"

class RunMessages final : public Reporter {
public:
    // Forgets the messages of the last run and its owner.
    void Reset(const void* owner = nullptr);
    // The run is the owner's: one begun without an owner (a set-up) becomes its run; the run of
    // another owner (an analysis that replaced the last) is forgotten first.
    void Claim(const void* owner);

    // The message that came again (its text as first shown), or empty while none did.
    const std::string& Repeated() const { return m_repeated; }

    int Message(const std::string& text, const std::string& caption, unsigned style) override;
    void ShowData(const std::string& text) override;

    class Scope {
    public:
        explicit Scope(RunMessages& messages);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        RunMessages* m_installed = nullptr;
        Reporter* m_previous = nullptr;
    };

    // The text with each number in it (digits with their sign, point and exponent) as '#'.
    static std::string Pattern(const std::string& text);

private:
    struct Shown {
        std::string key;
        std::string text;
    };
    Reporter* m_next = nullptr;
    const void* m_owner = nullptr;
    std::vector<Shown> m_shown;
    std::string m_repeated;
};
