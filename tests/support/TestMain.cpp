// The main of every test program. Before any test runs, the program's settings, data and cache
// folders are pointed into a fresh folder of this process, removed when the tests end, and Qt's
// offscreen platform is chosen when none is named (support/OwnFolders.h): what a run of the
// program left in the home folder cannot change what a test sees, no test writes into the home
// folder, and the window tests run without a display, however the tests are started (ctest,
// the test program itself, a script).

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/OwnFolders.h"

int main(int argc, char** argv)
{
    const std::string home = own_folders::Enter();
    if (home.empty()) {
        std::fprintf(stderr, "no folder for the tests' settings and data could be made\n");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    own_folders::Leave(home);
    return result;
}
