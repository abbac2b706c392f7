#include "foundation/ProgramPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "foundation/ReportText.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

// Sets an environment variable (or removes it) for the lifetime of the guard.
class EnvGuard {
public:
    EnvGuard(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_saved = old;
        Set(name, value);
    }
    ~EnvGuard() { Set(m_name, m_saved ? m_saved->c_str() : nullptr); }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
    static void Set(const char* name, const char* value)
    {
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    const char* m_name;
    std::optional<std::string> m_saved;
};

// A program directory and a user data directory of their own, with every setting restored.
struct DataFileTest : ::testing::Test {
    void SetUp() override
    {
        ClearReportText();
        programDir = tmp.path() / "program";
        userDir = tmp.path() / "user" / "quarvish";
        fs::create_directories(programDir);
        SetUserDataDir(userDir.string());
    }
    void TearDown() override
    {
        SetUserDataDir("");
        SetDirWritableTest(nullptr);
        ClearReportText();
    }
    std::string ProgramFile() const { return (programDir / "data.dat").string(); }
    std::string UserFile() const { return (userDir / "data.dat").string(); }
    // Makes the program directory unwritable for the code under test.
    void ProgramDirReadOnly()
    {
        const std::string dir = programDir.string();
        SetDirWritableTest(
            [dir](const std::string& d) { return d != dir && ::access(d.c_str(), W_OK) == 0; });
    }
    static bool Logged(const std::string& part)
    {
        return g_ReportText && g_ReportText->find(part) != std::string::npos;
    }

    TempDir tmp;
    fs::path programDir;
    fs::path userDir;
    ValueGuard<std::string> programPath{g_ProgramPath, g_ProgramPath};
};

TEST_F(DataFileTest, ProgramPathAndUserDataDirectory)
{
    SetProgramPath("/opt/quarvish");
    EXPECT_EQ(ProgramFilePath("rebar.dat"), "/opt/quarvish/rebar.dat");
    SetProgramPath("/opt/quarvish/");
    EXPECT_EQ(g_ProgramPath, "/opt/quarvish/");
    SetProgramPath("");
    EXPECT_EQ(ProgramFilePath("rebar.dat"), "rebar.dat");

    SetUserDataDir("");
    const struct {
        const char* xdg;
        const char* home;
        const char* dir;
    } rows[] = {
        {"/xdg/data", "/home/eng", "/xdg/data/quarvish/"},
        {nullptr, "/home/eng", "/home/eng/.local/share/quarvish/"},
        {"relative/data", "/home/eng/", "/home/eng/.local/share/quarvish/"}, // not absolute
        {nullptr, nullptr, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dir);
        EnvGuard xdg("XDG_DATA_HOME", row.xdg);
        EnvGuard home("HOME", row.home);
        EXPECT_EQ(UserDataDir(), row.dir);
    }
    SetUserDataDir("/tmp/chosen");
    EXPECT_EQ(UserDataDir(), "/tmp/chosen/");
}

TEST_F(DataFileTest, TheWritableDirectoryIsSearchedFirst)
{
    const DataFileLocation location(ProgramFile());
    EXPECT_EQ(location.Candidates(), (std::vector<std::string>{ProgramFile(), UserFile()}));
    EXPECT_EQ(location.FindReadable(), "");
    fs::create_directories(userDir);
    tmp.Write("user/quarvish/data.dat", "user");
    EXPECT_EQ(location.FindReadable(), UserFile());
    tmp.Write("program/data.dat", "program");
    EXPECT_EQ(location.FindReadable(), ProgramFile());

    ProgramDirReadOnly();
    EXPECT_EQ(location.Candidates(), (std::vector<std::string>{UserFile(), ProgramFile()}));
    EXPECT_EQ(location.FindReadable(), UserFile());
    fs::remove(UserFile());
    // A file shipped in a read-only program directory is still read.
    EXPECT_EQ(location.FindReadable(), ProgramFile());
    EXPECT_FALSE(HasReportText());

    SetUserDataDir("");
    EnvGuard xdg("XDG_DATA_HOME", nullptr);
    EnvGuard home("HOME", nullptr);
    EXPECT_EQ(location.Candidates(), (std::vector<std::string>{ProgramFile()}));
}

TEST_F(DataFileTest, DefaultGoesIntoTheProgramDirectoryOrElseTheUserDirectory)
{
    const DataFileLocation location(ProgramFile());
    EXPECT_EQ(location.CreateWithDefault("content\n", "failed"), ProgramFile());
    EXPECT_EQ(tmp.Read("program/data.dat"), "content\n");
    EXPECT_FALSE(fs::exists(userDir));
    // Nothing is left of the temporary file.
    EXPECT_EQ(std::distance(fs::directory_iterator(programDir), fs::directory_iterator()), 1);
    struct stat st {};
    ASSERT_EQ(::stat(ProgramFile().c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IRGRP, 0u) << "a data file is readable by others";

    fs::remove(ProgramFile());
    ProgramDirReadOnly();
    EXPECT_EQ(location.CreateWithDefault("content\n", "failed"), UserFile());
    EXPECT_EQ(tmp.Read("user/quarvish/data.dat"), "content\n");
    EXPECT_FALSE(fs::exists(ProgramFile()));
    EXPECT_EQ(location.FindReadable(), UserFile());
    EXPECT_FALSE(HasReportText());
}

TEST_F(DataFileTest, DirectoriesThatCannotHoldFilesFallBackEvenForRoot)
{
    fs::permissions(programDir, fs::perms(0555));
    const std::string written = DataFileLocation(ProgramFile()).CreateWithDefault("x\n", "failed");
    fs::permissions(programDir, fs::perms::owner_all, fs::perm_options::add);
    EXPECT_FALSE(written.empty());
    if (::geteuid() != 0) { // permissions do not bind root
        EXPECT_EQ(written, UserFile());
        EXPECT_FALSE(fs::exists(ProgramFile()));
    }

    // A directory below a plain file can never be written, whoever runs, even when it claims
    // to be writable.
    fs::remove_all(userDir);
    tmp.Write("plain", "x");
    SetDirWritableTest([](const std::string&) { return true; });
    const DataFileLocation location((tmp.path() / "plain" / "data.dat").string());
    EXPECT_EQ(location.CreateWithDefault("again\n", "failed"), UserFile());
    EXPECT_EQ(tmp.Read("user/quarvish/data.dat"), "again\n");
}

TEST_F(DataFileTest, NowhereToWriteIsLoggedWithEveryPlaceTried)
{
    SetDirWritableTest([](const std::string&) { return false; });
    const DataFileLocation location(ProgramFile());
    EXPECT_EQ(location.CreateWithDefault("content\n", "Automatic creation failed"), "");
    EXPECT_TRUE(Logged("Automatic creation failed\r\n"));
    EXPECT_TRUE(Logged("could not be created in the program directory nor in the user data "
                       "directory"));
    EXPECT_TRUE(Logged(ProgramFile()) && Logged(UserFile()));
    EXPECT_FALSE(fs::exists(ProgramFile()));
    EXPECT_FALSE(fs::exists(UserFile()));

    ClearReportText();
    SetUserDataDir("");
    EnvGuard xdg("XDG_DATA_HOME", nullptr);
    EnvGuard home("HOME", nullptr);
    EXPECT_EQ(location.CreateWithDefault("content\n", "Automatic creation failed"), "");
    EXPECT_TRUE(Logged("data.dat could not be created in the program directory, and there is no "
                       "user data directory"));

    // A user directory that cannot be created.
    ClearReportText();
    tmp.Write("blocker", "x");
    SetUserDataDir((tmp.path() / "blocker" / "quarvish").string());
    SetDirWritableTest(nullptr);
    ProgramDirReadOnly();
    EXPECT_EQ(location.CreateWithDefault("content\n", "failed"), "");
    EXPECT_TRUE(Logged("failed\r\n"));
}

TEST_F(DataFileTest, ExistingFileIsNeverReplaced)
{
    tmp.Write("program/data.dat", "mine");
    EXPECT_FALSE(WriteNewFileAtomically(ProgramFile(), "default"));
    EXPECT_EQ(tmp.Read("program/data.dat"), "mine");

    // Creating the default skips a place that holds the file, whatever it is.
    fs::remove(ProgramFile());
    fs::create_directory(ProgramFile());
    const DataFileLocation location(ProgramFile());
    EXPECT_EQ(location.FindReadable(), "");
    EXPECT_TRUE(Logged(ProgramFile() + " exists but cannot be read"));
    EXPECT_EQ(location.CreateWithDefault("default", "failed"), UserFile());
    EXPECT_TRUE(fs::is_directory(ProgramFile()));
    EXPECT_EQ(std::distance(fs::directory_iterator(programDir), fs::directory_iterator()), 1);
}

} // namespace
