#include "kalvix/core/report/updater_launch.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "common/start_process.h"

namespace kalvix::report {

UpdateServer parseUpdateServer(const std::string& text) {
    UpdateServer server;
    std::size_t colon = text.rfind(':');
    if (colon == std::string::npos) {
        server.host = text;
        return server;
    }
    server.host = text.substr(0, colon);
    int port = 0;
    const char* first = text.data() + colon + 1;
    const char* last = text.data() + text.size();
    auto [end, error] = std::from_chars(first, last, port);
    if (error == std::errc() && end == last && port > 0 && port <= 65535)
        server.port = port;
    return server;
}

Endpoints resolveEndpoints(const std::string& statsBase, const std::string& updateHost,
                           const std::function<const char*(const char*)>& getEnv) {
    Endpoints e;
    const char* stats = getEnv ? getEnv("KALVIX_STATS_BASE") : nullptr;
    const char* host = getEnv ? getEnv("KALVIX_UPDATE_HOST") : nullptr;
    e.statsBase = stats ? stats : statsBase;
    e.update = parseUpdateServer(host ? host : updateHost);
    return e;
}

std::string updaterPath(const std::string& toolboxPath) {
    std::string folder = toolboxPath;
    std::size_t slash = folder.rfind('/');
    folder = slash == std::string::npos ? std::string() : folder.substr(0, slash);
    slash = folder.rfind('/');
    if (slash != std::string::npos && folder.compare(slash, std::string::npos, "/bin") == 0)
        folder.resize(slash);
    return folder + "/update/upvarro";
}

std::string updateCommandLine(const UpdateServer& server) {
    char line[260];
    std::snprintf(line, sizeof line, "RUN_UPDATE@%d@%s@%d@%s", 0, server.host.c_str(), server.port,
                  kUpdateListPath);
    return line;
}

bool updaterSuppressed(const std::string& wholeCommandLine) {
    return wholeCommandLine == kSuppressUpdater;
}

std::string ownCommandLine() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!raw.empty() && raw.back() == '\0')
        raw.pop_back();
    for (char& c : raw)
        if (c == '\0')
            c = ' ';
    return raw;
}

bool launchUpdater(const std::string& toolboxPath, const std::string& wholeCommandLine,
                   const UpdateServer& server) {
    // Without an update server there is nothing for the updater to ask.
    if (updaterSuppressed(wholeCommandLine) || server.host.empty())
        return false;
    // The updater inherits the toolbox's environment and working folder.
    return common::startDetached(updaterPath(toolboxPath), {updateCommandLine(server)});
}

}  // namespace kalvix::report
