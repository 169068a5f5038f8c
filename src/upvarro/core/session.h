#pragma once
// Everything one run of the updater shares between its steps and threads: the settings
// record under its one lock, the folders, the lists, the counts and flags, the log, and the
// events an owner (the wizard, the unattended runner, a test) subscribes to.

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "upvarro/core/build_time.h"
#include "upvarro/core/folders.h"
#include "upvarro/core/platform/files.h"
#include "upvarro/core/platform/run_lock.h"
#include "upvarro/core/settings.h"
#include "upvarro/core/transfer.h"
#include "upvarro/core/update_entry.h"
#include "upvarro/core/update_log.h"

namespace upvarro {

enum class Event {
    StatusChanged,
    ListFailed,
    ListReady,
    SpeedChanged,
    DownloadsDone,
    RowChanged,
    Copied,
    Deleted,
    Registered,
    Ran,
    InstallDone,
};

// index: position in the action list for row and install events, -1 otherwise.
using EventHandler = std::function<void(Event event, int index)>;

class UpdateSession {
  public:
    UpdateSession(Folders folders, std::string selfPath);

    // Handlers run on the thread that raises the event, before that thread goes on (like a
    // sent window message); an owner with a user-interface thread forwards them itself.
    void subscribe(EventHandler handler);
    void raise(Event event, int index = -1);

    std::string status() const;
    void setStatus(std::string text);

    // Applies the log settings held in the settings record.
    void configureLog();
    void log(const std::string& message) { log_.write(message); }
    UpdateLog& updateLog() { return log_; }

    int actionIndex(const UpdateEntry* entry) const;
    // True when the list name is the updater's own file: its path relative to the
    // installation folder ("update/upvarro"), which no step ends, copies or runs. Only the
    // whole path counts: "docs/upvarro" is an ordinary file of the set.
    bool isUpdaterName(const std::string& name) const;
    // The updater's own path relative to the installation folder.
    std::string updaterName() const;

    // The temporary folder, made when missing and opened on first use, then kept for the run:
    // every download is written, measured, installed and removed relative to it, so a link
    // swapped in later for it or for a folder below it cannot lead a byte elsewhere. Invalid
    // (and tried again by the next call) when it cannot be made or opened.
    std::shared_ptr<const platform::FolderHandle> temporaryFolder();

    // The process-wide lock: settings, entry states and texts, the hand-out, the counters.
    mutable std::mutex lock;
    Settings settings;
    const Folders folders;
    const std::string selfPath;  // the running updater's own file
    TransferOptions transferOptions;
    // The raw Ed25519 public key lists must be signed with; empty: lists are taken unsigned,
    // as they always were.
    std::string updateKey;
    // Signed lists published before this are refused (seconds since 1970): the time this
    // updater was built, so that an old signed list cannot be replayed onto a new installation.
    std::int64_t buildTime = kBuildTime;
    // The publication time of the list this run verified with updateKey (0 when none was).
    std::int64_t verifiedPublishTime = 0;
    // The updater's clock, seconds since 1970; a test sets its own.
    std::function<std::int64_t()> clock = [] {
        return static_cast<std::int64_t>(std::time(nullptr));
    };

    std::vector<std::unique_ptr<UpdateEntry>> updateList;
    std::vector<LocalRecord> localList;
    std::vector<UpdateEntry> failList;
    std::vector<UpdateEntry*> actionList;
    int updateCount = 0;
    int downloadCount = 0;
    int deleteCount = 0;

    // Download counters.
    int finishedCount = 0;
    int failedCount = 0;
    int activeCount = 0;
    std::int64_t totalSpeed = 0;

    // Lines of the install step, guarded by lock.
    std::vector<std::string> checkLines;
    std::vector<std::string> operationLines;

    std::atomic<bool> cancel{false};
    std::atomic<bool> restart{false};
    std::atomic<bool> selfUpdate{false};
    std::atomic<bool> writeLists{false};
    std::string newUpdaterPath;

    // Held from start-up to the end of the run: one updater per installation at a time.
    platform::RunLock runLock;

  private:
    std::mutex temporaryLock_;
    std::shared_ptr<const platform::FolderHandle> temporary_;
    UpdateLog log_;
    std::string status_;
    std::mutex handlersLock_;
    std::vector<EventHandler> handlers_;
};

}  // namespace upvarro
