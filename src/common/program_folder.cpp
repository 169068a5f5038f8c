#include "common/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace common {
namespace {

bool isRegularFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isFolder(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// $XDG_DATA_HOME, or ~/.local/share when it is unset or not absolute (as the XDG base
// directory rules say); empty when neither can be had.
std::string userDataFolder(const std::function<const char*(const char*)>& getEnv) {
    const char* xdg = getEnv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/')
        return xdg;
    const char* home = getEnv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.local/share";
    return {};
}

}  // namespace

std::string executablePath() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return {};
    return std::string(buf, static_cast<std::size_t>(n));
}

std::string programFolder() {
    std::string path = executablePath();
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    return path.substr(0, slash == 0 ? 1 : slash);
}

std::string dataFilePath(const std::string& name, const std::string& folder,
                         const std::function<const char*(const char*)>& getEnv) {
    const std::string user = userDataFolder(getEnv);
    if (!user.empty() && isRegularFile(user + "/kalvix/" + name))
        return user + "/kalvix/" + name;
    const std::string beside = folder + "/" + name;
    if (isRegularFile(beside))
        return beside;
    const std::string bin = "/bin";
    if (folder.size() > bin.size() &&
        folder.compare(folder.size() - bin.size(), bin.size(), bin) == 0) {
        const std::string shared = folder.substr(0, folder.size() - bin.size()) + "/share/kalvix";
        if (isFolder(shared))
            return shared + "/" + name;
    }
    return beside;
}

std::string dataFilePath(const std::string& name) {
    return dataFilePath(name, programFolder(),
                        [](const char* variable) { return std::getenv(variable); });
}

}  // namespace common
