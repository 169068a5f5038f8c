#pragma once
// update.log in the module folder: each message appended after a header line with the local
// time. LogLevel 0 writes nothing.

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <mutex>
#include <string>

namespace upvarro {

// A log that would grow past this is renamed to update.log.1 (replacing an older one) and
// started again.
inline constexpr std::int64_t kLogRotateSize = 1024 * 1024;
inline constexpr const char* kOldLogSuffix = ".1";

// The file is opened at the first message and stays open for the run (a run of many files
// logs several lines each); every message is flushed as it is written.
class UpdateLog {
  public:
    UpdateLog() = default;
    UpdateLog(std::string path, int level) : path_(std::move(path)), level_(level) {}
    ~UpdateLog();
    UpdateLog(const UpdateLog&) = delete;
    UpdateLog& operator=(const UpdateLog&) = delete;

    void setPath(std::string path);
    void setLevel(int level) { level_ = level; }
    // Told "Open update.log file error" when the file cannot be opened; the window shows it in
    // a box, the unattended mode on stderr.
    void setErrorHandler(std::function<void(const std::string&)> handler) {
        errorHandler_ = std::move(handler);
    }

    // The message is UTF-8; the file holds GBK.
    void write(const std::string& message);

  private:
    std::string path_;
    int level_ = 0;
    std::function<void(const std::string&)> errorHandler_;
    std::mutex mutex_;
    std::FILE* file_ = nullptr;
    std::int64_t size_ = 0;  // of the open file
};

// "\r\n====================================\r\n[%d-%d-%d %d:%d:%d  ]" of the local time.
std::string logHeader(std::time_t now);

}  // namespace upvarro
