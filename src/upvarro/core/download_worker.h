#pragma once
// One download worker: its own transfer (one reused easy handle), a busy flag under its own
// lock, a download thread woken by work and quit events, and an idle-priority statistics
// thread. Threads are made on the worker's first job.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "upvarro/core/session.h"
#include "upvarro/core/transfer.h"

namespace upvarro {

inline constexpr int kMaxAttempts = 6;

enum class AttemptOutcome { Done, Retry, Failed, Paused };

// An automatically resetting event.
class AutoEvent {
  public:
    void set();
    // True when the event was set (and is now reset), false on timeout.
    bool waitFor(std::chrono::milliseconds timeout);

  private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool set_ = false;
};

struct WorkerTimings {
    std::chrono::milliseconds statisticsPeriod{1500};
    std::chrono::milliseconds afterDone{1000};  // pause after a finished file
};

class DownloadWorker {
  public:
    DownloadWorker(UpdateSession& session, int index, WorkerTimings timings);
    ~DownloadWorker();
    DownloadWorker(const DownloadWorker&) = delete;
    DownloadWorker& operator=(const DownloadWorker&) = delete;

    int index() const { return index_; }
    // Under the worker's lock: busy, and the speed of its entry when busy.
    bool busy(std::int32_t* speed = nullptr);
    // Hands the entry over: marks the worker busy, makes its threads when it has none and
    // signals its work event.
    void start(UpdateEntry* entry);
    UpdateEntry* current() const { return current_.load(); }
    // Signals both threads to end and waits for them.
    void quit();

    // One attempt at the entry (exposed for tests).
    AttemptOutcome attempt(UpdateEntry& entry, bool first);

  private:
    void downloadLoop();
    void statisticsLoop();
    void waitWork(bool& quit);

    UpdateSession& session_;
    const int index_;
    const WorkerTimings timings_;
    Transfer transfer_;
    std::atomic<UpdateEntry*> current_{nullptr};
    std::mutex busyLock_;
    bool busy_ = false;

    std::mutex eventLock_;
    std::condition_variable eventCv_;
    bool work_ = false;
    bool quit_ = false;
    AutoEvent statisticsStop_;
    AutoEvent pausedNotice_;
    std::atomic<std::int64_t> attemptStartMs_{0};
    std::thread downloadThread_;
    std::thread statisticsThread_;
};

}  // namespace upvarro
