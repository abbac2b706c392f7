// A fuzz target built as a plain program: every file of the folders named on the command line
// is fed once to the target's entry point, in name order, so that the properties the target
// checks (it aborts where one fails) are checked on its seeds and kept findings by every test
// run, under the normal compiler and without the fuzzing engine. A folder that does not exist
// is passed over (findings are kept only for the targets that have any); a run that found no
// input at all fails, so that a misnamed folder does not pass unseen. As every test program, it
// gives itself settings, data and cache folders of its own (tests/support/OwnFolders.h).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "support/OwnFolders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// The engine's set-up hook, called once before the first input where the target has one.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace {

std::vector<std::filesystem::path> InputsIn(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return files;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_regular_file(error))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

bool Replay(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // Copied into storage of exactly the input's size (never a null pointer, also for an empty
    // input), as the engine hands it over, so that a read past its end is seen by the address
    // checker.
    const std::unique_ptr<std::uint8_t[]> data(new std::uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), data.get());
    LLVMFuzzerTestOneInput(data.get(), bytes.size());
    return true;
}

// Every input of the folders named, once; the exit code of the run.
int ReplayAll(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& file : InputsIn(argv[i])) {
            // Named before it runs: a property that fails aborts inside the target.
            std::fprintf(stderr, "%s\n", file.string().c_str());
            if (!Replay(file)) {
                std::fprintf(stderr, "cannot read %s\n", file.string().c_str());
                return 1;
            }
            ++replayed;
        }
    }
    std::fprintf(stderr, "%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER...\n", argc > 0 ? argv[0] : "replay");
        return 2;
    }
    const std::string home = own_folders::Enter();
    if (home.empty()) {
        std::fprintf(stderr, "no folder for the replay's settings and data could be made\n");
        return 1;
    }
    const int result = ReplayAll(argc, argv);
    own_folders::Leave(home);
    return result;
}
