#include "support/TestSupport.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "foundation/ProgramPaths.h"
#include "foundation/ReportText.h"

RecordingReporter::RecordingReporter() : m_previous(SetReporter(this))
{
}

RecordingReporter::~RecordingReporter()
{
    SetReporter(m_previous);
}

int RecordingReporter::Message(const std::string& text, const std::string& caption, unsigned style)
{
    messages.push_back({text, caption, style});
    if (m_script.empty())
        return DefaultAnswer(style);
    const int answer = m_script.front();
    m_script.pop_front();
    return answer;
}

void RecordingReporter::ShowData(const std::string& text)
{
    dataTexts.push_back(text);
}

void RecordingReporter::Clear()
{
    messages.clear();
    dataTexts.clear();
    m_script.clear();
}

int RecordingReporter::Count(const std::string& fragment) const
{
    int n = 0;
    for (const auto& m : messages)
        if (m.text.find(fragment) != std::string::npos ||
            m.caption.find(fragment) != std::string::npos)
            ++n;
    return n;
}

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    std::ostringstream name;
    name << "quarvish-test-" << ::getpid() << "-" << counter++;
    m_path = std::filesystem::temp_directory_path() / name.str();
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::permissions(m_path,
                                 std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(m_path, ec);
}

void TempDir::Write(const std::string& name, const std::string& content) const
{
    std::ofstream out(m_path / name, std::ios::binary);
    out << content;
}

std::string TempDir::Read(const std::string& name) const
{
    std::ifstream in(m_path / name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TempProgramDir::TempProgramDir(const std::string& userSubdir)
    : programDir(tmp.path() / "program"), userDir(tmp.path() / userSubdir),
      m_savedProgramPath(g_ProgramPath)
{
    ClearReportText();
    std::filesystem::create_directories(programDir);
    SetProgramPath(programDir.string());
    SetUserDataDir(userDir.string());
}

TempProgramDir::~TempProgramDir()
{
    SetUserDataDir("");
    SetDirWritableTest(nullptr);
    ClearReportText();
    g_ProgramPath = m_savedProgramPath;
}

void TempProgramDir::ProgramDirReadOnly() const
{
    SetDirWritableTest([dir = programDir.lexically_normal()](const std::string& d) {
        return std::filesystem::path(d).lexically_normal() != dir;
    });
}
