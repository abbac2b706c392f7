#pragma once
// Shared helpers for the tests: a reporter that records messages and answers from a
// script, guards that restore globals, and temporary folders.

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/Reporter.h"

struct RecordedMessage {
    std::string text;
    std::string caption;
    unsigned style = 0;
};

// Records every message and every "View Data" text. Answers come from the script in
// order; when the script is empty the box's default answer is taken.
class RecordingReporter final : public Reporter {
public:
    RecordingReporter();
    ~RecordingReporter() override;
    RecordingReporter(const RecordingReporter&) = delete;
    RecordingReporter& operator=(const RecordingReporter&) = delete;

    int Message(const std::string& text, const std::string& caption, unsigned style) override;
    void ShowData(const std::string& text) override;

    void Answer(int answer) { m_script.push_back(answer); }
    void Clear();

    // Number of recorded messages whose text contains the fragment.
    int Count(const std::string& fragment) const;
    bool Saw(const std::string& fragment) const { return Count(fragment) > 0; }

    std::vector<RecordedMessage> messages;
    std::vector<std::string> dataTexts;

private:
    std::deque<int> m_script;
    Reporter* m_previous;
};

// A fresh folder under the system's temporary folder, removed with its contents.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    void Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;

private:
    std::filesystem::path m_path;
};

// A temporary program directory ("program", which g_ProgramPath names) and a user data
// directory (userSubdir, not created) in a fresh folder, with an empty report text. The
// report text, the user data directory, the writability test and the program path are
// restored afterwards. Fixtures of the data-file tests derive from it.
class TempProgramDir {
public:
    explicit TempProgramDir(const std::string& userSubdir = "user");
    ~TempProgramDir();
    TempProgramDir(const TempProgramDir&) = delete;
    TempProgramDir& operator=(const TempProgramDir&) = delete;

    // Makes the program directory unwritable for the code under test (every other directory
    // counts as writable).
    void ProgramDirReadOnly() const;

    TempDir tmp;
    std::filesystem::path programDir;
    std::filesystem::path userDir;

private:
    std::string m_savedProgramPath;
};

// Sets a global for the lifetime of the guard and restores it afterwards.
template <typename T> class ValueGuard {
public:
    ValueGuard(T& target, T value) : m_target(target), m_saved(target) { m_target = value; }
    ~ValueGuard() { m_target = m_saved; }
    ValueGuard(const ValueGuard&) = delete;
    ValueGuard& operator=(const ValueGuard&) = delete;

private:
    T& m_target;
    T m_saved;
};
