// The main of every test program. Before any test runs, the program's settings and data folders
// ($XDG_CONFIG_HOME, $XDG_DATA_HOME) are pointed into a fresh folder of this process, removed
// when the tests end: what a run of the program left in the home folder (a catalogue,
// "Quarvish.ini") or in folders the caller named cannot change what a test sees, however the
// test is started (ctest, the test program itself, a script).

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

// A fresh folder under the system's temporary folder; empty when none could be made.
std::string FreshFolder()
{
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    std::string pattern = (ec ? std::filesystem::path("/tmp") : base) / "quarvish-home-XXXXXX";
    return ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

} // namespace

int main(int argc, char** argv)
{
    const std::string home = FreshFolder();
    if (home.empty()) {
        std::fprintf(stderr, "no folder for the tests' settings and data could be made\n");
        return 1;
    }
    ::setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::permissions(home, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(home, ec);
    return result;
}
