#pragma once
// The download step: a scheduler thread that hands action-list entries to a pool of ten
// workers, of which the first DownloadThreadNumber are used, one entry per scheduling pass.

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "upvarro/core/download_worker.h"
#include "upvarro/core/session.h"

namespace upvarro {

inline constexpr int kPoolSize = 10;

struct EngineTimings {
    std::chrono::milliseconds firstPeriod{1000};
    std::chrono::milliseconds busyPeriod{1234};  // no worker idle, or every file finished
    std::chrono::milliseconds idlePeriod{100};
    WorkerTimings worker;
};

// DownloadThreadNumber above the pool's ten uses all ten; below one uses one, so a damaged
// configuration still downloads.
int usedWorkers(std::int32_t downloadThreadNumber);

class DownloadEngine {
  public:
    explicit DownloadEngine(UpdateSession& session, EngineTimings timings = {});
    // Stops the pool when downloads are still running.
    ~DownloadEngine();
    DownloadEngine(const DownloadEngine&) = delete;
    DownloadEngine& operator=(const DownloadEngine&) = delete;

    // Starts the scheduler thread. Raises *speed changed* after every pass and *downloads
    // done* once every file to download has finished or failed; then the pool stops.
    void start();
    // Stops the scheduler and the pool: entries waiting or downloading are paused and no
    // longer allowed, which aborts running transfers; all threads are joined.
    void stop();
    // Waits until the scheduler has ended (after *downloads done* or a stop).
    void wait();

  private:
    void schedule();
    void stopPool();

    UpdateSession& session_;
    const EngineTimings timings_;
    std::vector<std::unique_ptr<DownloadWorker>> workers_;
    AutoEvent stop_;
    std::atomic<bool> stopping_{false};
    std::mutex poolLock_;
    bool poolStopped_ = false;
    std::thread scheduler_;
};

// The size check after *downloads done*: every action-list entry's temporary file (0 when
// there is none) must have its list size; each that does not is logged. True when all pass
// and no download failed.
bool checkDownloadedSizes(UpdateSession& session);

}  // namespace upvarro
