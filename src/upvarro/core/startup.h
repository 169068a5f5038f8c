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
// Status and log line of an updater that found another one at work in its folder.
inline constexpr const char* kAnotherUpdaterRunning = "另一个升级程序正在运行，本次不升级。";

enum class StartupOutcome {
    ConfigurationError,  // show kConfigurationError and end
    // COPY_FILE handled, or another updater holds the installation (the status is then
    // kAnotherUpdaterRunning): end without showing anything
    Ended,
    Continue,  // go on to the wizard (or the unattended run)
};

struct StartupOptions {
    std::chrono::milliseconds copyWait{3000};  // COPY_FILE waits for the old updater to end
    // How long COPY_FILE waits for the old updater to let go of the installation; every other
    // mode ends at once when another updater holds it.
    std::chrono::milliseconds handOverLockWait{60000};
    // What COPY_FILE copies over the old updater: the program running, which its predecessor
    // checked and started from the file it checked, not whatever the new path names by now.
    std::string copySource = "/proc/self/exe";
};

StartupOutcome startUp(UpdateSession& session, const CommandLine& line, std::time_t now,
                       StartupOptions options = {});

// Copies every fail-list entry from the temporary folder into place again, when its bytes still
// have the entry's checksum; a successful copy deletes its temporary file. Then faillist.dat is
// deleted.
void recopyFailList(UpdateSession& session);

// Removes what replacements broken off by a crash left behind: the ".upvarro-new" files of the
// installation and the rewrites of the lists and the configuration in the module folder.
void removeLeftovers(const UpdateSession& session);

// The second half of the self-replacement: copy the new updater (source) over the old one.
void copySelf(UpdateSession& session, const CommandLine& line, std::chrono::milliseconds wait,
              const std::string& source);

}  // namespace upvarro
