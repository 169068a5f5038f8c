// upvarro: the updater. COPY_FILE finishes a self-update and --unattended runs the update for
// scripts, both without a window; a plain start and a RUN_UPDATE start run the update wizard.
//
// The wizard needs Qt, and loading Qt alone takes some 13 MiB, more than the rest of a
// download of hundreds of megabytes. So the wizard is a program of its own that this file
// carries and starts from memory in its place: the runs without a window never load Qt, and
// the updater stays the one file that replaces itself.

#include <fcntl.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/program_folder.h"
#include "upvarro/core/command_line.h"
#include "upvarro/core/unattended_run.h"
#include "upvarro/program.h"

// The wizard's program, linked in by the build (ld -b binary).
extern "C" const char _binary_upvarro_wizard_start[];
extern "C" const char _binary_upvarro_wizard_end[];

namespace {

int unattended(const std::vector<std::string>& args, const std::string& self,
               const std::string& key) {
    upvarro::UnattendedOptions options;
    options.updateKey = key;
    std::size_t first = 2;
    for (; first < args.size() && args[first].rfind("--", 0) == 0; ++first) {
        if (args[first] == "--list-only") {
            options.listOnly = true;
        } else {
            std::cerr << "upvarro: unknown option " << args[first] << "\n";
            return 2;
        }
    }
    std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(first), args.end());
    return upvarro::runUnattended(self, upvarro::joinArguments(rest), std::cout, std::cerr,
                                  options);
}

// Replaces this process with the wizard, which learns this file's path from the environment.
// Returns only when that failed.
void startWizard(char** argv, const std::string& self) {
    ::setenv(upvarro::kProgramVariable, self.c_str(), 1);
    ::unsetenv(upvarro::kWizardFileVariable);
    const char* image = _binary_upvarro_wizard_start;
    const auto size = static_cast<std::size_t>(_binary_upvarro_wizard_end - image);
    int fd = ::memfd_create("upvarro", MFD_CLOEXEC);
    if (fd >= 0 && common::writeAll(fd, std::string_view(image, size)))
        ::fexecve(fd, argv, environ);
    if (fd >= 0)
        ::close(fd);
    // Where programs may not run from memory: a private file beside the updater, removed
    // again as soon as the wizard runs.
    const std::string folder = self.substr(0, self.rfind('/') + 1);
    std::string path = folder + ".upvarro-wizard.XXXXXX";
    fd = ::mkstemp(path.data());
    if (fd < 0)
        return;
    const bool written =
        common::writeAll(fd, std::string_view(image, size)) && ::fchmod(fd, 0700) == 0;
    ::close(fd);
    if (written) {
        ::setenv(upvarro::kWizardFileVariable, path.c_str(), 1);
        ::execv(path.c_str(), argv);
    }
    ::unlink(path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    const std::string self = common::executablePath();
    const std::optional<std::string> key = upvarro::compiledUpdateKey();
    if (!key) {
        std::cerr << "upvarro: the update key this program was built with is not base64 of 32 "
                     "bytes\n";
        return 2;
    }
    if (args.size() >= 2 && args[1] == "--unattended")
        return unattended(args, self, *key);
    const std::string whole = upvarro::wholeCommandLine(args);
    if (upvarro::parseCommandLine(whole).mode == upvarro::RunMode::CopyFile) {
        upvarro::UnattendedOptions options;
        options.updateKey = *key;
        return upvarro::runUnattended(self, whole, std::cout, std::cerr, options);
    }
    startWizard(argv, self);
    std::cerr << "upvarro: the wizard could not be started: " << std::strerror(errno) << "\n";
    return 2;
}
