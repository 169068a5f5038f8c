#pragma once
// Whether a stand-in program was ever started, seen at once rather than by waiting for it.
// common::startDetached returns only after the program's exec, so from then on the program
// either still runs (a process names its file) or has ended, and a stand-in that leaves a
// note before it ends has left it by then.

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace test_support {

// A process whose command line names program: the program itself, or the interpreter of a
// script (which gets the script's path as an argument).
inline bool programRunning(const std::filesystem::path& program) {
    namespace fs = std::filesystem;
    std::error_code error;
    for (fs::directory_iterator it("/proc", error), end; !error && it != end; it.increment(error)) {
        const std::string pid = it->path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        // A process that ends meanwhile just reads as an empty command line.
        std::ifstream cmdline(it->path() / "cmdline", std::ios::binary);
        std::string arg;
        while (std::getline(cmdline, arg, '\0')) {
            std::error_code same;
            if (!arg.empty() && arg.front() == '/' && fs::equivalent(arg, program, same))
                return true;
        }
    }
    return false;
}

// The stand-in at program, which writes note before it ends, has been started.
inline bool standInStarted(const std::filesystem::path& program,
                           const std::filesystem::path& note) {
    // Running first: a stand-in that ends between the two looks has left its note.
    if (programRunning(program))
        return true;
    std::error_code error;
    return std::filesystem::exists(note, error);
}

}  // namespace test_support
