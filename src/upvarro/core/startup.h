#pragma once
// Start-up in its order: configuration, lists, the re-copy of last run's failed copies, the
// command line's mode.

#include <chrono>
#include <ctime>
#include <string>

#include "upvarro/core/command_line.h"
#include "upvarro/core/session.h"

namespace upvarro {

inline constexpr const char* kConfigurationError = "对不起，读取upvarro.ini配置文件出错！";

enum class StartupOutcome {
    ConfigurationError,  // show kConfigurationError and end
    Ended,               // COPY_FILE handled: end without showing anything
    Continue,            // go on to the wizard (or the unattended run)
};

struct StartupOptions {
    std::chrono::milliseconds copyWait{3000};  // COPY_FILE waits for the old updater to end
};

StartupOutcome startUp(UpdateSession& session, const CommandLine& line, std::time_t now,
                       StartupOptions options = {});

// Copies every fail-list entry from the temporary folder into place again; a successful copy
// deletes its temporary file. Then faillist.dat is deleted.
void recopyFailList(UpdateSession& session);

// The second half of the self-replacement: copy the new updater over the old one.
void copySelf(UpdateSession& session, const CommandLine& line, std::chrono::milliseconds wait);

}  // namespace upvarro
