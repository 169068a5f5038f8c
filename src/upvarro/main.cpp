// upvarro: the updater. The wizard window is not part of this build yet; the unattended mode
// runs the same steps without it, and the COPY_FILE hand-over of a self-update works as is.

#include <cstddef>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "common/program_folder.h"
#include "upvarro/core/command_line.h"
#include "upvarro/core/unattended_run.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    std::string self = common::executablePath();
    if (args.size() >= 2 && args[1] == "--unattended") {
        upvarro::UnattendedOptions options;
        std::size_t first = 2;
        for (; first < args.size() && args[first].rfind("--", 0) == 0; ++first) {
            if (args[first] == "--list-only") {
                options.listOnly = true;
            } else {
                std::cerr << "upvarro: unknown option " << args[first] << "\n";
                return 2;
            }
        }
        std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(first),
                                      args.end());
        return upvarro::runUnattended(self, upvarro::joinArguments(rest), std::cout, std::cerr,
                                      options);
    }
    std::string whole = upvarro::joinArguments(args);
    if (upvarro::parseCommandLine(whole).mode == upvarro::RunMode::CopyFile)
        return upvarro::runUnattended(self, whole, std::cout, std::cerr);
    std::fputs(
        "upvarro: the update window is not available in this build yet; "
        "run \"upvarro --unattended [RUN_UPDATE@...]\" to update without it.\n",
        stderr);
    return 2;
}
