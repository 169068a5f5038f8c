#include "upvarro/core/download_worker.h"

#include <pthread.h>
#include <sched.h>

#include "upvarro/core/download_texts.h"
#include "upvarro/core/platform/files.h"

namespace upvarro {
namespace {

std::int64_t nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

void AutoEvent::set() {
    {
        std::lock_guard guard(mutex_);
        set_ = true;
    }
    cv_.notify_all();
}

bool AutoEvent::waitFor(std::chrono::milliseconds timeout) {
    std::unique_lock guard(mutex_);
    bool was = cv_.wait_for(guard, timeout, [this] { return set_; });
    set_ = false;
    return was;
}

DownloadWorker::DownloadWorker(UpdateSession& session, int index, WorkerTimings timings)
    : session_(session), index_(index), timings_(timings), transfer_(session.transferOptions) {}

DownloadWorker::~DownloadWorker() {
    quit();
}

bool DownloadWorker::busy(std::int32_t* speed) {
    std::lock_guard guard(busyLock_);
    if (busy_ && speed) {
        UpdateEntry* e = current_.load();
        *speed = e ? e->speed.load() : 0;
    }
    return busy_;
}

void DownloadWorker::start(UpdateEntry* entry) {
    {
        std::lock_guard guard(busyLock_);
        busy_ = true;
    }
    entry->workerIndex = index_;
    current_ = entry;
    if (!downloadThread_.joinable()) {
        downloadThread_ = std::thread([this] { downloadLoop(); });
        statisticsThread_ = std::thread([this] { statisticsLoop(); });
    }
    {
        std::lock_guard guard(eventLock_);
        work_ = true;
    }
    eventCv_.notify_all();
}

void DownloadWorker::quit() {
    statisticsStop_.set();
    {
        std::lock_guard guard(eventLock_);
        quit_ = true;
    }
    eventCv_.notify_all();
    if (downloadThread_.joinable())
        downloadThread_.join();
    if (statisticsThread_.joinable())
        statisticsThread_.join();
}

void DownloadWorker::waitWork(bool& quit) {
    std::unique_lock guard(eventLock_);
    eventCv_.wait(guard, [this] { return work_ || quit_; });
    quit = quit_;
    work_ = false;
}

AttemptOutcome DownloadWorker::attempt(UpdateEntry& e, bool first) {
    {
        std::lock_guard guard(session_.lock);
        if (first)
            e.attempts = 0;
        // A repeated attempt shows as downloading again, not as the failure before it.
        if (e.allowed.load() != 0)
            e.state = kStateDownloading;
    }
    int result = transfer_.download(e, *session_.temporaryFolder(), true);
    if (!transfer_.lastNotice().empty())
        session_.log(transfer_.lastNotice());
    std::lock_guard guard(session_.lock);
    AttemptOutcome outcome = AttemptOutcome::Failed;
    if (result == kTransferDone) {
        e.state = kStateDownloaded;
        return AttemptOutcome::Done;
    }
    e.state = kStateFailed;
    outcome = result == kTransferFailed ? AttemptOutcome::Retry : AttemptOutcome::Failed;
    if (e.allowed.load() == 0) {
        e.state = kStatePaused;
        return AttemptOutcome::Paused;
    }
    int before = e.attempts.fetch_add(1);
    if (outcome == AttemptOutcome::Retry && before >= kMaxAttempts - 1)
        outcome = AttemptOutcome::Failed;
    return outcome;
}

void DownloadWorker::downloadLoop() {
    for (;;) {
        bool quit = false;
        waitWork(quit);
        if (quit)
            break;
        UpdateEntry* e = current_.load();
        if (!e)
            continue;
        AttemptOutcome outcome;
        bool first = true;
        do {
            attemptStartMs_ = nowMs();
            outcome = attempt(*e, first);
            first = false;
        } while (outcome == AttemptOutcome::Retry);
        if (outcome == AttemptOutcome::Done) {
            // A stop does not have to wait out the pause.
            std::unique_lock guard(eventLock_);
            eventCv_.wait_for(guard, timings_.afterDone, [this] { return quit_; });
            guard.unlock();
            std::lock_guard counters(session_.lock);
            ++session_.finishedCount;
        } else {
            if (outcome == AttemptOutcome::Paused) {
                e->earlierSeconds += static_cast<std::int32_t>((nowMs() - attemptStartMs_) / 1000);
                pausedNotice_.set();
            }
            // Whatever is left of it is not the list's file: an error page, a part, a body of
            // the wrong size. It must not stay for a later run to find.
            platform::removeFileAt(*session_.temporaryFolder(), e->name);
            std::lock_guard counters(session_.lock);
            ++session_.failedCount;
            e->resultFlags |= kResultDownloadFailed;
        }
        std::lock_guard guard(busyLock_);
        busy_ = false;
    }
    UpdateEntry* e = current_.load();
    session_.log(e ? "exit UploadFile thread====" + e->name + "\n"
                   : std::string("exit UploadFile thread==idle==\n"));
}

void DownloadWorker::statisticsLoop() {
    // Statistics only fill the page: they run when nothing else wants the processor.
    sched_param param{};
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &param);
    while (!statisticsStop_.waitFor(timings_.statisticsPeriod)) {
        UpdateEntry* e = current_.load();
        if (!e)
            continue;
        {
            std::lock_guard guard(session_.lock);
            std::int32_t state = e->state;
            if (state == kStatePaused || state == kStateFailed) {
                e->speed = 0;
                e->elapsedText.clear();
                e->remainingText.clear();
            } else if (state == kStateDownloading || state == kStateDownloaded) {
                std::int64_t s = (nowMs() - attemptStartMs_) / 1000;
                if (s > 0) {
                    std::int64_t speed = (e->downloaded - e->sizeAtStart) / s;
                    e->speed = static_cast<std::int32_t>(speed);
                    e->elapsedText = clockText(s + e->earlierSeconds);
                    e->remainingText =
                        speed <= 0 ? "--:--:--" : clockText((e->listSize - e->downloaded) / speed);
                }
            }
        }
        session_.raise(Event::RowChanged, session_.actionIndex(e));
    }
    UpdateEntry* e = current_.load();
    session_.log(e ? "exit 统计 thread====" + e->name + "\n"
                   : std::string("exit 统计 thread==idle==\n"));
}

}  // namespace upvarro
