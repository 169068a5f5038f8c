#include "upvarro/core/platform/processes.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "common/ascii_text.h"

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

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The program at executable is the one installed at path: the same folder (the kernel names
// programs by their real path), the same file name with letter case ignored, as the
// installations this updater came from compare them.
bool isInstalledProgram(const std::string& executable, const std::string& realFolder,
                        const std::string& wantedName) {
    return folderOf(executable) == realFolder &&
           common::asciiLower(fileNameOf(executable)) == wantedName;
}

int pidfdOpen(pid_t pid) {
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

int pidfdSignal(int pidfd, int signal) {
    return static_cast<int>(::syscall(SYS_pidfd_send_signal, pidfd, signal, nullptr, 0));
}

// Waits at most ms for the process to end; a pidfd turns readable when it has.
bool endsWithin(int pidfd, int ms) {
    pollfd p{pidfd, POLLIN, 0};
    for (;;) {
        const int n = ::poll(&p, 1, ms);
        if (n < 0 && errno == EINTR)
            continue;
        return n > 0;
    }
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

EndResult endInstalledProgram(const std::string& path, pid_t except, int graceMs) {
    std::vector<ProcessInfo> processes = runningProcesses();
    return endInstalledProgram(path, except, processes, graceMs);
}

EndResult endInstalledProgram(const std::string& path, pid_t except,
                              std::vector<ProcessInfo>& processes, int graceMs) {
    std::error_code ec;
    const std::string realFolder =
        std::filesystem::weakly_canonical(folderOf(path).empty() ? "." : folderOf(path), ec);
    if (ec)
        return EndResult::NotRunning;
    const std::string wanted = common::asciiLower(fileNameOf(path));
    for (auto it = processes.begin(); it != processes.end(); ++it) {
        const pid_t pid = it->pid;
        if (pid == except || !isInstalledProgram(it->executable, realFolder, wanted))
            continue;
        // From here on the pidfd is this process, whatever happens to its id. Its program is
        // read again now: the list may be old, and the id another program's by now.
        const int pidfd = pidfdOpen(pid);
        if (pidfd < 0) {
            if (errno == ESRCH)
                continue;  // ended since the list was taken
            return EndResult::Failed;
        }
        struct Close {
            int fd;
            ~Close() { ::close(fd); }
        } closer{pidfd};
        const std::string now = readLink("/proc/" + std::to_string(pid) + "/exe");
        // Still alive after that read: the program read was this process's own.
        if (pidfdSignal(pidfd, 0) != 0 || !isInstalledProgram(now, realFolder, wanted))
            continue;
        if (pidfdSignal(pidfd, SIGTERM) != 0) {
            if (errno == ESRCH) {
                processes.erase(it);
                return EndResult::NotRunning;
            }
            return EndResult::Failed;
        }
        if (!endsWithin(pidfd, graceMs) &&
            (pidfdSignal(pidfd, SIGKILL) != 0 ? errno != ESRCH : !endsWithin(pidfd, graceMs)))
            return EndResult::Failed;
        processes.erase(it);
        return EndResult::Ended;
    }
    return EndResult::NotRunning;
}

}  // namespace upvarro::platform
