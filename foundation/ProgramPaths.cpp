#include "foundation/ProgramPaths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "foundation/ReportText.h"
#include "foundation/StrFormat.h"

std::string g_ProgramPath;

namespace {

const char kUserFolder[] = "quarvish";

std::string g_UserDataDirOverride;
std::string g_UserConfigDirOverride;
DirWritableTest g_DirWritableTest;

std::string WithClosingSlash(std::string directory)
{
    if (!directory.empty() && directory.back() != '/')
        directory += '/';
    return directory;
}

std::string AbsoluteEnv(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/')
        return std::string();
    return value;
}

// The directory part of a path, "." for a bare file name.
std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string FileNameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

bool CanOpenForReading(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    return in.good();
}

bool WriteAll(int fd, const std::string& content)
{
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Moves from onto to unless to exists. Falls back to a hard link where the file system
// does not offer an exclusive rename.
bool RenameNoReplace(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return false;
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
}

} // namespace

void SetProgramPath(const std::string& directory)
{
    g_ProgramPath = WithClosingSlash(directory);
}

std::string ProgramFilePath(const std::string& fileName)
{
    return g_ProgramPath + fileName;
}

// The program's folder under an XDG base directory: the variable's value when absolute,
// else the fallback under HOME; empty when neither gives an absolute directory.
static std::string UserDirUnder(const char* variable, const char* homeFallback)
{
    std::string base = AbsoluteEnv(variable);
    if (base.empty()) {
        const std::string home = AbsoluteEnv("HOME");
        if (home.empty())
            return std::string();
        base = WithClosingSlash(home) + homeFallback;
    }
    return WithClosingSlash(base) + kUserFolder + "/";
}

std::string UserDataDir()
{
    return g_UserDataDirOverride.empty() ? UserDirUnder("XDG_DATA_HOME", ".local/share") : g_UserDataDirOverride;
}

void SetUserDataDir(const std::string& directory)
{
    g_UserDataDirOverride = WithClosingSlash(directory);
}

std::string UserConfigDir()
{
    return g_UserConfigDirOverride.empty() ? UserDirUnder("XDG_CONFIG_HOME", ".config") : g_UserConfigDirOverride;
}

void SetUserConfigDir(const std::string& directory)
{
    g_UserConfigDirOverride = WithClosingSlash(directory);
}

DirWritableTest SetDirWritableTest(DirWritableTest test)
{
    DirWritableTest previous = std::move(g_DirWritableTest);
    g_DirWritableTest = std::move(test);
    return previous;
}

bool IsDirWritable(const std::string& directory)
{
    if (g_DirWritableTest)
        return g_DirWritableTest(directory);
    return ::access(directory.c_str(), W_OK | X_OK) == 0;
}

DataFileLocation::DataFileLocation(std::string programDirPath)
    : m_programDirPath(std::move(programDirPath))
{
}

std::vector<std::string> DataFileLocation::Candidates() const
{
    const std::string userDir = UserDataDir();
    if (userDir.empty())
        return {m_programDirPath};
    const std::string userPath = userDir + FileNameOf(m_programDirPath);
    if (userPath == m_programDirPath)
        return {m_programDirPath};
    if (IsDirWritable(DirectoryOf(m_programDirPath)))
        return {m_programDirPath, userPath};
    return {userPath, m_programDirPath};
}

std::string DataFileLocation::FindReadable() const
{
    for (const std::string& path : Candidates()) {
        if (CanOpenForReading(path))
            return path;
        if (Exists(path))
            AddLoadError(
                StrPrintf("%s exists but cannot be read; it was left unchanged", path.c_str()));
    }
    return std::string();
}

std::string DataFileLocation::CreateWithDefault(const std::string& content,
                                                const std::string& failureMessage) const
{
    const std::vector<std::string> candidates = Candidates();
    const std::string userDir = UserDataDir();
    std::string tried;
    for (const std::string& path : candidates) {
        if (!tried.empty())
            tried += ", ";
        tried += path;
        const std::string directory = DirectoryOf(path);
        if (!userDir.empty() && path.compare(0, userDir.size(), userDir) == 0) {
            std::error_code ec;
            std::filesystem::create_directories(directory, ec);
        }
        if (Exists(path) || !IsDirWritable(directory))
            continue;
        if (WriteNewFileAtomically(path, content))
            return path;
    }
    AddLoadError(failureMessage);
    const std::string name = FileNameOf(m_programDirPath);
    if (candidates.size() > 1)
        AddLoadError(StrPrintf("%s could not be created in the program directory nor in the "
                               "user data directory (tried %s)",
                               name.c_str(),
                               tried.c_str()));
    else
        AddLoadError(StrPrintf("%s could not be created in the program directory, and there is "
                               "no user data directory (HOME is not set) (tried %s)",
                               name.c_str(),
                               tried.c_str()));
    return std::string();
}

bool WriteNewFileAtomically(const std::string& path, const std::string& content)
{
    if (Exists(path))
        return false;
    std::string temp = DirectoryOf(path) + "/." + FileNameOf(path) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    // mkstemp makes the file private (0600); a data file is meant to be read by every user of
    // the program, so it gets 0644 less the umask, as a file the program opened itself would.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd, 0644 & ~mask) == 0 && WriteAll(fd, content) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = RenameNoReplace(temp, path);
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}
