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
    // updater) must not inherit the lock and hold it after this one has ended. Read access is
    // all flock needs: in an installation a group shares, every member's updater can take the
    // lock on the file whoever made it, and nobody outside the group can hold it.
    const int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::open(path.c_str(), flags | O_CREAT | O_EXCL, kLockFileMode);
    if (fd >= 0)
        ::fchmod(fd, kLockFileMode);  // whatever the umask took away
    else if (errno == EEXIST)
        fd = ::open(path.c_str(), flags);
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
