#pragma once
// The start the screenshot tools share:
//
//   qv_<tool> <program folder> <output folder> [the tool's own arguments]
//
// brings up the GUI runtime and keeps the user's settings in the output folder, so that a walk
// never reads or changes the engineer's own. Each tool then installs the program parts it shows.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "foundation/ProgramPaths.h"
#include "platform/Application.h"

struct ToolFolders {
    std::string program;  // ending with '/'
    std::string out;      // the shots and the settings
};

// Nothing (the tool ends with 2) when the command line holds fewer than `least` arguments,
// counting the program's name.
inline std::optional<ToolFolders> StartTool(int argc, char** argv, int least = 3)
{
    if (argc < least || argc < 3)
        return std::nullopt;
    ToolFolders folders{std::string(argv[1]) + "/", argv[2]};
    plat::EnsureGuiRuntime(argc, argv);
    SetUserConfigDir(folders.out);
    return folders;
}

// A picture of the whole screen in `file`, taken once the events of a moment have run.
inline void ScreenShot(const std::string& file)
{
    plat::Application::PumpEvents(700);
    std::system(("import -window root '" + file + "'").c_str());
    std::printf("shot %s\n", file.c_str());
    std::fflush(stdout);
}

// Names of the shots of a walk, numbered in the order taken: "<folder>/NN-<name>.png".
class ShotNames {
public:
    void SetFolder(const std::string& folder) { m_folder = folder; }
    std::string Next(const std::string& name)
    {
        char number[8];
        std::snprintf(number, sizeof number, "%02d", ++m_count);
        return m_folder + "/" + number + "-" + name + ".png";
    }

private:
    std::string m_folder;
    int m_count = 0;
};
