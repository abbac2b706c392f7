#pragma once
// A language setting that writes a half as "0,5" (German, de_DE.UTF-8), made for the test with
// localedef from the system's locale sources into a folder of its own, and this test program
// started again under it, as a user's desktop starts the program: LANG names the setting, and
// the C library finds it through LOCPATH.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace comma_decimal {

inline constexpr const char* kSetting = "de_DE.UTF-8";

// Makes the setting under folder/de_DE.UTF-8; empty when it was made, else why not.
inline std::string Make(const std::filesystem::path& folder)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path made = folder / kSetting;
    const std::string command = "localedef -i de_DE -f UTF-8 -c '" + made.string() + "' > '" +
                                (folder / "localedef.log").string() + "' 2>&1";
    const int status = std::system(command.c_str());
    const auto said = [&] {
        std::ifstream log(folder / "localedef.log");
        return std::string((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    };
    if (!std::filesystem::exists(made / "LC_NUMERIC", ec))
        return "localedef could not make " + std::string(kSetting) + " (status " + std::to_string(status) +
               "; the locales package gives its sources): " + said();
    // The setting made writes a half as "0,5".
    const std::string point = "LOCPATH='" + folder.string() + "' LC_ALL=" + kSetting + " locale decimal_point > '" +
                              (folder / "localedef.log").string() + "' 2>&1";
    if (std::system(point.c_str()) != 0 || said() != ",\n")
        return "the setting made writes no decimal comma: " + said();
    return {};
}

// What a run of this program again gave: its exit status and what it printed.
struct Run {
    int status = -1;
    std::string output;
};

// Starts this test program for the one test, with the environment but for the language
// variables (LANG, LANGUAGE, LC_*), which are those given ("NAME=value"), and waits for it.
// Its output goes to outputFile.
inline pid_t Start(const std::string& test, const std::vector<std::string>& variables,
                   const std::filesystem::path& outputFile)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.rfind("LANG=", 0) == 0 || v.rfind("LANGUAGE=", 0) == 0 || v.rfind("LC_", 0) == 0 ||
            v.rfind("LOCPATH=", 0) == 0)
            continue;
        env.push_back(v);
    }
    env.insert(env.end(), variables.begin(), variables.end());
    std::vector<char*> envp;
    for (std::string& v : env)
        envp.push_back(v.data());
    envp.push_back(nullptr);

    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string filter = "--gtest_filter=" + test;
    char* argv[] = {self.data(), filter.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string out = outputFile.string();
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    if (posix_spawn(&pid, self.c_str(), &actions, nullptr, argv, envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits for a run started by Start.
inline Run Wait(pid_t pid, const std::filesystem::path& outputFile)
{
    Run run;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid)
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::ifstream in(outputFile);
    run.output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return run;
}

} // namespace comma_decimal
