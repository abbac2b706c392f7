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
struct EnvGuard {
    EnvGuard(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_saved = old;
        Set(value);
    }
    ~EnvGuard() { Set(m_saved ? m_saved->c_str() : nullptr); }
    void Set(const char* value) { value ? ::setenv(m_name, value, 1) : ::unsetenv(m_name); }
    const char* m_name;
    std::optional<std::string> m_saved;
};

// A program directory and a user data directory of their own, with every setting restored.
struct DataFileTest : ::testing::Test, TempProgramDir {
    DataFileTest() : TempProgramDir("user/quarvish") {}
    std::string ProgramFile() const { return (programDir / "data.dat").string(); }
    std::string UserFile() const { return (userDir / "data.dat").string(); }
    static bool Logged(const std::string& part)
    {
        return g_ReportText && g_ReportText->find(part) != std::string::npos;
    }
    // Leaves no user data directory at all.
    void NoUserDir() { SetUserDataDir(""); }
};

TEST_F(DataFileTest, ProgramPathAndUserDataDirectory)
{
    SetProgramPath("/opt/quarvish");
    EXPECT_EQ(ProgramFilePath("rebar.dat"), "/opt/quarvish/rebar.dat");

    // The data folder follows XDG_DATA_HOME, the configuration folder ("Quarvish.ini")
    // XDG_CONFIG_HOME, each falling back to its folder under HOME.
    NoUserDir();
    const struct {
        const char *variable, *xdg, *home, *dir;
        std::string (*folder)();
    } rows[] = {
        {"XDG_DATA_HOME", "/xdg/data", "/home/eng", "/xdg/data/quarvish/", UserDataDir},
        {"XDG_DATA_HOME", "relative/data", "/home/eng/", "/home/eng/.local/share/quarvish/", UserDataDir},
        {"XDG_DATA_HOME", nullptr, nullptr, "", UserDataDir},
        {"XDG_CONFIG_HOME", "/xdg/config", "/home/eng", "/xdg/config/quarvish/", UserConfigDir},
        {"XDG_CONFIG_HOME", "relative/config", "/home/eng", "/home/eng/.config/quarvish/", UserConfigDir},
        {"XDG_CONFIG_HOME", nullptr, nullptr, "", UserConfigDir},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dir);
        EnvGuard xdg(row.variable, row.xdg);
        EnvGuard home("HOME", row.home);
        EXPECT_EQ(row.folder(), row.dir);
    }
    SetUserDataDir("/tmp/chosen");
    EXPECT_EQ(UserDataDir(), "/tmp/chosen/");
}

TEST_F(DataFileTest, TheWritableDirectoryIsSearchedFirst)
{
    const DataFileLocation location(ProgramFile());
    fs::create_directories(userDir);
    tmp.Write("user/quarvish/data.dat", "user");
    tmp.Write("program/data.dat", "program");
    EXPECT_EQ(location.FindReadable(), ProgramFile());

    ProgramDirReadOnly();
    EXPECT_EQ(location.FindReadable(), UserFile());
    fs::remove(UserFile());
    // A file shipped in a read-only program directory is still read.
    EXPECT_EQ(location.FindReadable(), ProgramFile());
    EXPECT_FALSE(HasReportText());

    NoUserDir();
    EnvGuard xdg("XDG_DATA_HOME", nullptr);
    EnvGuard home("HOME", nullptr);
    EXPECT_EQ(location.Candidates(), (std::vector<std::string>{ProgramFile()}));
}

TEST_F(DataFileTest, DefaultGoesIntoTheProgramDirectoryOrElseTheUserDirectory)
{
    const DataFileLocation location(ProgramFile());
    EXPECT_EQ(location.CreateWithDefault("content\n", "failed"), ProgramFile());
    EXPECT_EQ(tmp.Read("program/data.dat"), "content\n");
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
    EXPECT_FALSE(HasReportText());

    // A directory below a plain file can never be written, even when it claims to be.
    fs::remove(UserFile());
    tmp.Write("plain", "x");
    SetDirWritableTest([](const std::string&) { return true; });
    EXPECT_EQ(DataFileLocation(tmp.File("plain/data.dat")).CreateWithDefault("again\n", "failed"),
              UserFile());
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
    EXPECT_FALSE(fs::exists(ProgramFile()) || fs::exists(UserFile()));

    ClearReportText();
    NoUserDir();
    EnvGuard xdg("XDG_DATA_HOME", nullptr);
    EnvGuard home("HOME", nullptr);
    EXPECT_EQ(location.CreateWithDefault("content\n", "failed"), "");
    EXPECT_TRUE(Logged("data.dat could not be created in the program directory, and there is no "
                       "user data directory"));
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
}

} // namespace
