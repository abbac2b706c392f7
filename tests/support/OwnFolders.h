#pragma once
// The surroundings every test process gives itself before it starts, however it is started
// (ctest, the program itself, a script), as the program's user would not: its settings, data,
// cache and state folders ($XDG_CONFIG_HOME, $XDG_DATA_HOME, $XDG_CACHE_HOME, $XDG_STATE_HOME)
// in a fresh folder of its own, removed when it ends, and Qt's offscreen platform when no
// platform is named. What a run of the program left in the home folder (a catalogue,
// "Quarvish.ini") cannot change what a test sees, nothing a test starts (Qt's shader cache,
// fontconfig's, the GL driver's) writes into the home folder, and no test needs a display.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <stdlib.h>

namespace own_folders {

// Makes the fresh folder and points the variables into it; its path, empty when none could be
// made (nothing is changed then).
inline std::string Enter()
{
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    std::string root = (ec ? std::filesystem::path("/tmp") : base) / "quarvish-home-XXXXXX";
    if (::mkdtemp(root.data()) == nullptr)
        return std::string();
    ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (root + "/cache").c_str(), 1);
    ::setenv("XDG_STATE_HOME", (root + "/state").c_str(), 1);
    // A platform the caller names (xcb under a virtual X server) is kept.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return root;
}

// Removes the folder made by Enter, whatever a test left in it (a folder it made read-only
// included).
inline void Leave(const std::string& root)
{
    if (root.empty())
        return;
    std::error_code ec;
    std::filesystem::permissions(root, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(root, ec);
}

} // namespace own_folders
