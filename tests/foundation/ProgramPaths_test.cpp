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
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~EnvGuard()
    {
        if (m_saved)
            ::setenv(m_name, m_saved->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
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
    std::string Log() const { return g_ReportText ? *g_ReportText : std::string(); }

    TempDir tmp;
    fs::path programDir;
    fs::path userDir;
    ValueGuard<std::string> programPath{g_ProgramPath, g_ProgramPath};
};

TEST_F(DataFileTest, ProgramPathAlwaysEndsWithSlash)
{
    SetProgramPath("/opt/quarvish");
    EXPECT_EQ(g_ProgramPath, "/opt/quarvish/");
    SetProgramPath("/opt/quarvish/");
    EXPECT_EQ(g_ProgramPath, "/opt/quarvish/");
    EXPECT_EQ(ProgramFilePath("rebar.dat"), "/opt/quarvish/rebar.dat");
    SetProgramPath("");
    EXPECT_EQ(ProgramFilePath("rebar.dat"), "rebar.dat");
}

TEST_F(DataFileTest, UserDataDirFollowsXdgThenHomeUnlessOverridden)
{
    SetUserDataDir("");
    {
        EnvGuard xdg("XDG_DATA_HOME", "/xdg/data");
        EnvGuard home("HOME", "/home/eng");
        EXPECT_EQ(UserDataDir(), "/xdg/data/quarvish/");
    }
    {
        EnvGuard xdg("XDG_DATA_HOME", nullptr);
        EnvGuard home("HOME", "/home/eng");
        EXPECT_EQ(UserDataDir(), "/home/eng/.local/share/quarvish/");
    }
    {
        // A relative XDG_DATA_HOME is invalid and ignored.
        EnvGuard xdg("XDG_DATA_HOME", "relative/data");
        EnvGuard home("HOME", "/home/eng/");
        EXPECT_EQ(UserDataDir(), "/home/eng/.local/share/quarvish/");
    }
    {
        EnvGuard xdg("XDG_DATA_HOME", nullptr);
        EnvGuard home("HOME", nullptr);
        EXPECT_EQ(UserDataDir(), "");
    }
    EnvGuard xdg("XDG_DATA_HOME", "/xdg/data");
    SetUserDataDir("/tmp/chosen");
    EXPECT_EQ(UserDataDir(), "/tmp/chosen/");
}

TEST_F(DataFileTest, HomeComesFirstInTheCandidates)
{
    const DataFileLocation location(ProgramFile());
    EXPECT_EQ(location.Candidates(), (std::vector<std::string>{ProgramFile(), UserFile()}));
    ProgramDirReadOnly();
    EXPECT_EQ(location.Candidates(), (std::vector<std::string>{UserFile(), ProgramFile()}));

    SetUserDataDir("");
    EnvGuard xdg("XDG_DATA_HOME", nullptr);
    EnvGuard home("HOME", nullptr);
    EXPECT_EQ(location.Candidates(), (std::vector<std::string>{ProgramFile()}));
}

TEST_F(DataFileTest, ReadsFromHomeFirstThenTheOtherPlace)
{
    const DataFileLocation location(ProgramFile());
    EXPECT_EQ(location.FindReadable(), "");

    fs::create_directories(userDir);
    tmp.Write("user/quarvish/data.dat", "user");
    EXPECT_EQ(location.FindReadable(), UserFile());

    tmp.Write("program/data.dat", "program");
    EXPECT_EQ(location.FindReadable(), ProgramFile());

    ProgramDirReadOnly();
    EXPECT_EQ(location.FindReadable(), UserFile());
    fs::remove(UserFile());
    // A file shipped in a read-only program directory is still read.
    EXPECT_EQ(location.FindReadable(), ProgramFile());
    EXPECT_FALSE(HasReportText());
}

TEST_F(DataFileTest, DefaultGoesIntoAWritableProgramDirectory)
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
    EXPECT_FALSE(HasReportText());
}

TEST_F(DataFileTest, ReadOnlyProgramDirectorySendsTheDefaultToTheUserDirectory)
{
    ProgramDirReadOnly();
    const DataFileLocation location(ProgramFile());
    EXPECT_EQ(location.CreateWithDefault("content\n", "failed"), UserFile());
    EXPECT_EQ(tmp.Read("user/quarvish/data.dat"), "content\n");
    EXPECT_FALSE(fs::exists(ProgramFile()));
    EXPECT_EQ(location.FindReadable(), UserFile());
}

TEST_F(DataFileTest, PermissionsOfARealReadOnlyDirectoryAreHonoured)
{
    fs::permissions(programDir, fs::perms(0555));
    const DataFileLocation location(ProgramFile());
    const std::string written = location.CreateWithDefault("content\n", "failed");
    fs::permissions(programDir, fs::perms::owner_all, fs::perm_options::add);
    if (::geteuid() == 0) {
        // Permissions do not bind root; the injected test above covers the fallback.
        EXPECT_FALSE(written.empty());
    } else {
        EXPECT_EQ(written, UserFile());
        EXPECT_FALSE(fs::exists(ProgramFile()));
    }
}

TEST_F(DataFileTest, ProgramDirectoryThatCannotHoldFilesFallsBackEvenForRoot)
{
    // A directory below a plain file can never be created or written, whoever runs.
    tmp.Write("plain", "x");
    const std::string program = (tmp.path() / "plain" / "data.dat").string();
    const DataFileLocation location(program);
    EXPECT_EQ(location.CreateWithDefault("content\n", "failed"), UserFile());

    // A directory that claims to be writable but is not is skipped in the same way.
    SetDirWritableTest([](const std::string&) { return true; });
    fs::remove(UserFile());
    EXPECT_EQ(location.CreateWithDefault("again\n", "failed"), UserFile());
    EXPECT_EQ(tmp.Read("user/quarvish/data.dat"), "again\n");
}

TEST_F(DataFileTest, NowhereToWriteIsLoggedWithEveryPlaceTried)
{
    SetDirWritableTest([](const std::string&) { return false; });
    const DataFileLocation location(ProgramFile());
    EXPECT_EQ(location.CreateWithDefault("content\n", "Automatic creation failed"), "");
    const std::string log = Log();
    EXPECT_NE(log.find("Automatic creation failed\r\n"), std::string::npos);
    EXPECT_NE(log.find("could not be created in the program directory nor in the user data "
                       "directory"),
              std::string::npos);
    EXPECT_NE(log.find(ProgramFile()), std::string::npos);
    EXPECT_NE(log.find(UserFile()), std::string::npos);
    EXPECT_FALSE(fs::exists(ProgramFile()));
    EXPECT_FALSE(fs::exists(UserFile()));

    ClearReportText();
    SetUserDataDir("");
    EnvGuard xdg("XDG_DATA_HOME", nullptr);
    EnvGuard home("HOME", nullptr);
    EXPECT_EQ(location.CreateWithDefault("content\n", "Automatic creation failed"), "");
    EXPECT_NE(Log().find("data.dat could not be created in the program directory, and there is "
                         "no user data directory"),
              std::string::npos);
}

TEST_F(DataFileTest, UserDirectoryThatCannotBeCreatedIsLogged)
{
    ProgramDirReadOnly();
    tmp.Write("blocker", "x");
    SetUserDataDir((tmp.path() / "blocker" / "quarvish").string());
    const DataFileLocation location(ProgramFile());
    EXPECT_EQ(location.CreateWithDefault("content\n", "failed"), "");
    EXPECT_NE(Log().find("failed\r\n"), std::string::npos);
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
    EXPECT_NE(Log().find(ProgramFile() + " exists but cannot be read"), std::string::npos);
    EXPECT_EQ(location.CreateWithDefault("default", "failed"), UserFile());
    EXPECT_TRUE(fs::is_directory(ProgramFile()));
    EXPECT_EQ(std::distance(fs::directory_iterator(programDir), fs::directory_iterator()), 1);
}

} // namespace
