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

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <variant>
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

// What the command line asks for. The toolbox starts the updater with argv = {"RUN_UPDATE@..."}
// and the updater itself with {"COPY_FILE@..."}: those are argv[0], which no parser looks at.
struct Request {
    bool unattended = false;
    bool listOnly = false;
    std::string answer;             // the wizard's --answer, checked here
    std::vector<std::string> rest;  // RUN_UPDATE@... or COPY_FILE@... given as arguments
};

// Or the status to end with: 0 after --help and --version, 2 for a wrong command line.
std::variant<Request, int> parseRequest(int argc, char** argv) {
    Request r;
    CLI::App app(
        "upvarro: the updater of a Kalvix folder installation. Started by hand it shows "
        "its wizard from the start; the toolbox starts it hidden with "
        "RUN_UPDATE@0@host@port@path.",
        "upvarro");
    app.set_version_flag("-v,--version", std::string("upvarro ") + UPVARRO_VERSION);
    app.add_flag("--unattended", r.unattended, "Run the update without a window");
    app.add_flag("--list-only", r.listOnly,
                 "With --unattended: print what would be done, change nothing");
    app.add_option("--answer", r.answer, "Answer the update prompt without showing it")
        ->check(CLI::IsMember({"now", "later"}));
    app.add_option("COMMAND", r.rest, "RUN_UPDATE@show@host@port@path or COPY_FILE@old@new");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? 0 : 2;
    }
    if (r.listOnly && !r.unattended) {
        std::cerr << "upvarro: --list-only goes with --unattended\n";
        return 2;
    }
    return r;
}

int unattended(const Request& r, const std::string& self, const std::string& key) {
    upvarro::UnattendedOptions options;
    options.updateKey = key;
    options.listOnly = r.listOnly;
    return upvarro::runUnattended(self, upvarro::joinArguments(r.rest), std::cout, std::cerr,
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
    std::variant<Request, int> parsed = parseRequest(argc, argv);
    if (const int* status = std::get_if<int>(&parsed))
        return *status;
    const Request& request = std::get<Request>(parsed);
    std::vector<std::string> args(argv, argv + argc);
    const std::string self = common::executablePath();
    const std::optional<std::string> key = upvarro::compiledUpdateKey();
    if (!key) {
        std::cerr << "upvarro: the update key this program was built with is not base64 of 32 "
                     "bytes\n";
        return 2;
    }
    if (request.unattended)
        return unattended(request, self, *key);
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
