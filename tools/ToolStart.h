#pragma once
// The start the screenshot tools share:
//
//   qv_<tool> <program folder> <output folder> [the tool's own arguments]
//
// brings up the GUI runtime and keeps the user's settings in the output folder, so that a walk
// never reads or changes the engineer's own. Each tool then installs the program parts it shows.

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
