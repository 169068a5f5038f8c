#include "upvarro/core/platform/run_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace upvarro::platform {

RunLock::~RunLock() {
    release();
}

bool RunLock::acquire(const std::string& path, std::chrono::milliseconds wait) {
    if (fd_ >= 0)
        return true;
    // Close-on-exec: a program started by this updater (the restarted toolbox, the new
    // updater) must not inherit the lock and hold it after this one has ended.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return true;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::close(fd);
    return false;
}

void RunLock::release() {
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
}

}  // namespace upvarro::platform
