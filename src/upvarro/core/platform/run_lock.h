#pragma once
// One updater at a time per installation: an exclusive lock (flock) on a file in the module
// folder, held until the process ends or the lock is destroyed.

#include <chrono>
#include <string>

namespace upvarro::platform {

// Owner and group may take the lock.
inline constexpr int kLockFileMode = 0640;

class RunLock {
  public:
    RunLock() = default;
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    // Takes the lock on path, waiting at most wait for another holder to let go (zero: do
    // not wait). False when it is held elsewhere or the file cannot be opened.
    bool acquire(const std::string& path, std::chrono::milliseconds wait);
    bool held() const { return fd_ >= 0; }
    void release();

  private:
    int fd_ = -1;
};

}  // namespace upvarro::platform
