#include "upvarro/core/download_engine.h"

#include <algorithm>

#include "upvarro/core/platform/files.h"

namespace upvarro {

int usedWorkers(std::int32_t n) {
    return std::clamp<std::int32_t>(n, 1, kPoolSize);
}

DownloadEngine::DownloadEngine(UpdateSession& session, EngineTimings timings)
    : session_(session), timings_(timings) {}

DownloadEngine::~DownloadEngine() {
    stop();
}

void DownloadEngine::start() {
    if (scheduler_.joinable())
        return;
    scheduler_ = std::thread([this] { schedule(); });
}

void DownloadEngine::wait() {
    if (scheduler_.joinable())
        scheduler_.join();
}

void DownloadEngine::stop() {
    stopPool();
    wait();
}

void DownloadEngine::stopPool() {
    std::lock_guard pool(poolLock_);
    stopping_ = true;
    stop_.set();
    if (poolStopped_)
        return;
    poolStopped_ = true;
    {
        std::lock_guard guard(session_.lock);
        for (auto& w : workers_) {
            UpdateEntry* e = w->current();
            if (e && (e->state == kStateWaiting || e->state == kStateDownloading)) {
                e->state = kStatePaused;
                e->allowed = 0;
            }
        }
    }
    // Handlers of the workers' events run on their threads meanwhile, so joining here
    // does not hold them up.
    for (auto& w : workers_)
        w->quit();
}

void DownloadEngine::schedule() {
    {
        std::lock_guard pool(poolLock_);
        for (int i = 0; i < kPoolSize; ++i)
            workers_.push_back(std::make_unique<DownloadWorker>(session_, i, timings_.worker));
    }
    int used = 0;
    {
        std::lock_guard guard(session_.lock);
        used = usedWorkers(session_.settings.downloadThreadNumber);
    }
    std::chrono::milliseconds period = timings_.firstPeriod;
    while (!stop_.waitFor(period) && !stopping_) {
        int active = 0;
        std::int64_t total = 0;
        DownloadWorker* idle = nullptr;
        for (int i = 0; i < used; ++i) {
            std::int32_t speed = 0;
            if (workers_[i]->busy(&speed)) {
                ++active;
                total += speed;
            } else if (!idle) {
                idle = workers_[i].get();
            }
        }
        bool allDone = false;
        {
            std::lock_guard guard(session_.lock);
            allDone = session_.finishedCount + session_.failedCount >= session_.downloadCount;
            session_.activeCount = active;
            session_.totalSpeed = total;
        }
        period = (!idle || allDone) ? timings_.busyPeriod : timings_.idlePeriod;
        session_.raise(Event::SpeedChanged);
        if (allDone) {
            session_.raise(Event::DownloadsDone);
            stopPool();
            break;
        }
        if (!idle)
            continue;
        UpdateEntry* next = nullptr;
        {
            std::lock_guard guard(session_.lock);
            for (UpdateEntry* e : session_.actionList) {
                if (e->state == kStateWaiting && e->allowed == 1 && e->has(kActionDownload)) {
                    e->state = kStateDownloading;
                    next = e;
                    break;
                }
            }
        }
        if (next)
            idle->start(next);
    }
}

bool checkDownloadedSizes(UpdateSession& s) {
    bool ok = true;
    const auto temporary = s.temporaryFolder();
    for (const UpdateEntry* e : s.actionList) {
        if (platform::fileSizeAt(*temporary, e->name).value_or(0) != e->listSize.load()) {
            s.log("===" + e->name + " 下载出错,文件大小与服务器上的不一致!==");
            ok = false;
        }
    }
    std::lock_guard guard(s.lock);
    return ok && s.failedCount == 0;
}

}  // namespace upvarro
