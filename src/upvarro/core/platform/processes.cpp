#include "upvarro/core/platform/processes.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace upvarro::platform {
namespace {

std::vector<pid_t> processIds() {
    std::vector<pid_t> ids;
    DIR* dir = ::opendir("/proc");
    if (!dir)
        return ids;
    while (dirent* d = ::readdir(dir)) {
        char* end = nullptr;
        long id = std::strtol(d->d_name, &end, 10);
        if (end && *end == '\0' && id > 0)
            ids.push_back(static_cast<pid_t>(id));
    }
    ::closedir(dir);
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::string readLink(const std::string& path) {
    char buf[4096];
    ssize_t n = ::readlink(path.c_str(), buf, sizeof buf - 1);
    if (n <= 0)
        return {};
    std::string s(buf, static_cast<std::size_t>(n));
    const std::string deleted = " (deleted)";
    if (s.size() > deleted.size() &&
        s.compare(s.size() - deleted.size(), deleted.size(), deleted) == 0)
        s.resize(s.size() - deleted.size());
    return s;
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Gone, or a zombie waiting for its parent: either way it no longer runs.
bool running(pid_t pid) {
    if (::kill(pid, 0) != 0)
        return false;
    std::string stat = "/proc/" + std::to_string(pid) + "/stat";
    std::FILE* f = std::fopen(stat.c_str(), "r");
    if (!f)
        return false;
    char buf[512];
    std::size_t n = std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    buf[n] = '\0';
    const char* close = std::strrchr(buf, ')');
    return !(close && close[1] == ' ' && close[2] == 'Z');
}

bool insideFolder(const std::string& path, const std::string& folder) {
    if (folder.empty())
        return false;
    std::string prefix = folder.back() == '/' ? folder : folder + "/";
    return path.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::vector<ProcessInfo> runningProcesses() {
    std::vector<ProcessInfo> list;
    for (pid_t id : processIds()) {
        std::string exe = readLink("/proc/" + std::to_string(id) + "/exe");
        if (!exe.empty())
            list.push_back({id, exe});
    }
    return list;
}

OpenFiles OpenFiles::snapshot(pid_t except) {
    OpenFiles files;
    for (pid_t id : processIds()) {
        if (id == except)
            continue;
        std::string base = "/proc/" + std::to_string(id);
        if (DIR* dir = ::opendir((base + "/fd").c_str())) {
            while (dirent* d = ::readdir(dir)) {
                if (d->d_name[0] == '.')
                    continue;
                struct stat st {};
                if (::stat((base + "/fd/" + d->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
                    files.files_.insert({st.st_dev, st.st_ino});
            }
            ::closedir(dir);
        }
        if (std::FILE* maps = std::fopen((base + "/maps").c_str(), "r")) {
            char line[4096];
            while (std::fgets(line, sizeof line, maps)) {
                unsigned major = 0, minor = 0;
                unsigned long inode = 0;
                if (std::sscanf(line, "%*s %*s %*s %x:%x %lu", &major, &minor, &inode) == 3 &&
                    inode != 0)
                    files.files_.insert({makedev(major, minor), inode});
            }
            std::fclose(maps);
        }
    }
    return files;
}

bool OpenFiles::contains(const std::string& path) const {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    return files_.count({st.st_dev, st.st_ino}) > 0;
}

bool isLocked(const std::string& path, const OpenFiles& openFiles) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return true;
    int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return true;
    struct stat opened {};
    bool same = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_ino == st.st_ino;
    ::close(fd);
    return !same || openFiles.contains(path);
}

EndResult endProgramByName(const std::string& name, const std::string& folder, pid_t except,
                           int graceMs) {
    std::vector<ProcessInfo> processes = runningProcesses();
    return endProgramByName(name, folder, except, processes, graceMs);
}

EndResult endProgramByName(const std::string& name, const std::string& folder, pid_t except,
                           std::vector<ProcessInfo>& processes, int graceMs) {
    std::size_t slash = name.rfind('/');
    std::string wanted = lower(slash == std::string::npos ? name : name.substr(slash + 1));
    for (auto it = processes.begin(); it != processes.end(); ++it) {
        const ProcessInfo p = *it;
        if (p.pid == except)
            continue;
        std::size_t s = p.executable.rfind('/');
        if (lower(p.executable.substr(s == std::string::npos ? 0 : s + 1)) != wanted)
            continue;
        if (!insideFolder(p.executable, folder))
            continue;
        if (::kill(p.pid, SIGTERM) != 0) {
            // Gone since the list was taken: nothing left to end.
            if (errno == ESRCH) {
                processes.erase(it);
                return EndResult::NotRunning;
            }
            return EndResult::Failed;
        }
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(graceMs);
        while (running(p.pid) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (running(p.pid) && ::kill(p.pid, SIGKILL) != 0)
            return EndResult::Failed;
        processes.erase(it);
        return EndResult::Ended;
    }
    return EndResult::NotRunning;
}

}  // namespace upvarro::platform
