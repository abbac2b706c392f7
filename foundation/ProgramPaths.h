#pragma once
// The program's directory and the text data files kept beside the program
// ("rebar.dat", "shape.dat", "standard.dat").
//
// A data file normally lives in the program directory. An installed program's directory is
// read-only, so there the user's data directory takes its place: $XDG_DATA_HOME/quarvish/, or
// ~/.local/share/quarvish/ when XDG_DATA_HOME is unset or not absolute. Whichever of the two
// directories can be written is the file's home; it is looked for there first, then in the other.
// A default file is only ever created where no file of that name exists, through a temporary
// file renamed into place, so an existing file is never replaced or lost.

#include <functional>
#include <string>
#include <vector>

// The program's directory, ending with '/'; empty until the program sets it (a file name
// alone then names a file in the working directory).
extern std::string g_ProgramPath;

// Sets g_ProgramPath, adding the closing '/' when it is missing (empty stays empty).
void SetProgramPath(const std::string& directory);

// g_ProgramPath followed by the file name.
std::string ProgramFilePath(const std::string& fileName);

// The user's data directory for the program, ending with '/': the override when one is set,
// else from XDG_DATA_HOME or HOME; empty when none of them gives an absolute directory.
// The directory is not created here.
std::string UserDataDir();

// Replaces the user data directory (tests, or a command-line choice); empty returns to the
// environment.
void SetUserDataDir(const std::string& directory);

// The user's configuration directory for the program, ending with '/': the override when
// one is set, else $XDG_CONFIG_HOME/quarvish/ or ~/.config/quarvish/ (when XDG_CONFIG_HOME is
// unset or not absolute); empty when neither gives an absolute directory. Not created here.
std::string UserConfigDir();
// Replaces the configuration directory (tests); empty returns to the environment.
void SetUserConfigDir(const std::string& directory);

// Whether new files can be created in a directory. The default asks the file system
// (access with W_OK and X_OK); tests install their own answer, since permissions do not
// stop a process running as root. Returns the previous test; an empty test restores the
// default.
using DirWritableTest = std::function<bool(const std::string& directory)>;
DirWritableTest SetDirWritableTest(DirWritableTest test);
bool IsDirWritable(const std::string& directory);

// One text data file beside the program, given by its full path in the program directory
// (usually ProgramFilePath(name)).
class DataFileLocation {
public:
    explicit DataFileLocation(std::string programDirPath);

    // The places the file may be, its home first: the program directory when it is writable,
    // else the user data directory. Without a user data directory only the program directory.
    std::vector<std::string> Candidates() const;

    // The first candidate that can be opened for reading; empty when there is none. A file
    // that exists but cannot be read is named in the load-error log and left alone.
    std::string FindReadable() const;

    // Creates the file with the content in the first candidate directory that is writable
    // and holds no file of that name, creating the user data directory when needed. Returns
    // the path written, or empty when the file could be created nowhere; then the failure
    // message and a line naming every place that was tried go to the load-error log.
    std::string CreateWithDefault(const std::string& content,
                                  const std::string& failureMessage) const;

    const std::string& ProgramDirPath() const { return m_programDirPath; }

private:
    std::string m_programDirPath;
};

// Writes content to path through a temporary file in the same directory that is flushed,
// closed and then renamed into place without replacing a file of that name. False when the
// file exists already or any step fails; a failed attempt leaves nothing behind.
bool WriteNewFileAtomically(const std::string& path, const std::string& content);
