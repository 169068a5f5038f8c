#pragma once
// Starting the updater at the end of the toolbox's start-up, and the endpoints both the report
// and the updater use.

#include <functional>
#include <string>

namespace kalvix::report {

inline constexpr const char* kSuppressUpdater = "DONT_RUN_UPVARRO";
inline constexpr const char* kUpdateListPath = "/softupdate/xyq";
inline constexpr int kUpdatePort = 80;

struct UpdateServer {
    std::string host;
    int port = kUpdatePort;
};

struct Endpoints {
    std::string statsBase;  // empty: no report is sent
    UpdateServer update;
};

// "host" or "host:port"; a port that is not a number from 1 to 65535 leaves the default.
UpdateServer parseUpdateServer(const std::string& text);

// The configured endpoints, overridden by KALVIX_STATS_BASE and KALVIX_UPDATE_HOST where the
// environment sets them (for tests and staging servers).
Endpoints resolveEndpoints(const std::string& statsBase, const std::string& updateHost,
                           const std::function<const char*(const char*)>& getEnv);

// The folder of the toolbox without a last folder named exactly "bin" (letter case counts),
// followed by "/update/upvarro".
std::string updaterPath(const std::string& toolboxPath);

// "RUN_UPDATE@0@<host>@<port>@/softupdate/xyq", at most 259 characters.
std::string updateCommandLine(const UpdateServer& server);

// True when the whole command line is exactly "DONT_RUN_UPVARRO": the updater started us.
bool updaterSuppressed(const std::string& wholeCommandLine);

// The process's own argument vector joined by blanks (/proc/self/cmdline), as the platform
// gives a program its whole command line.
std::string ownCommandLine();

// Starts the updater with argv = {update command line}, without waiting for it, unless the
// command line suppresses it or no update server is configured. True when it was started.
bool launchUpdater(const std::string& toolboxPath, const std::string& wholeCommandLine,
                   const UpdateServer& server);

}  // namespace kalvix::report
