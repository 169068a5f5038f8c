#pragma once
// The updater without a window, for scripts and tests: the same steps the wizard starts,
// the update prompt answered with 立即升级, every status text on the output.

#include <ostream>
#include <string>
#include <vector>

namespace upvarro {

struct UnattendedOptions {
    bool listOnly = false;  // stop after the list step and print the action list
    std::string updateKey;  // raw public key lists must be signed with; empty: unsigned lists
};

// Exit status: 0 when the run finished (also with nothing to update), 1 when it failed,
// 2 for a configuration error.
int runUnattended(const std::string& selfPath, const std::string& commandLine, std::ostream& out,
                  std::ostream& err, UnattendedOptions options = {});

}  // namespace upvarro
