#include "common/program_folder.h"

#include <unistd.h>

#include <climits>

namespace common {

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

}  // namespace common
