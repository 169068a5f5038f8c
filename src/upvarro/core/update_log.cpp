#include "upvarro/core/update_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "common/gbk.h"

namespace upvarro {

std::string logHeader(std::time_t now) {
    std::tm t{};
    localtime_r(&now, &t);
    char buf[128];
    std::snprintf(buf, sizeof buf,
                  "\r\n====================================\r\n[%d-%d-%d %d:%d:%d  ]",
                  t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

UpdateLog::~UpdateLog() {
    if (file_)
        std::fclose(file_);
}

void UpdateLog::setPath(std::string path) {
    std::lock_guard lock(mutex_);
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    path_ = std::move(path);
}

namespace {

// Appended to, never written through a link planted in its place, never waited on when a
// FIFO or device stands there.
std::FILE* openForAppend(const std::string& path, std::int64_t& size) {
    int fd = ::open(path.c_str(),
                    O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                    0644);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    size = st.st_size;
    std::FILE* file = ::fdopen(fd, "ab");
    if (!file)
        ::close(fd);
    return file;
}

}  // namespace

void UpdateLog::write(const std::string& message) {
    if (level_ == 0)
        return;
    std::lock_guard lock(mutex_);
    std::string text = logHeader(std::time(nullptr)) + common::utf8ToGbk(message);
    if (!file_)
        file_ = openForAppend(path_, size_);
    // One old file is kept: a log that grew past the limit becomes update.log.1.
    if (file_ && size_ > 0 && size_ + static_cast<std::int64_t>(text.size()) > kLogRotateSize) {
        std::fclose(file_);
        file_ = nullptr;
        ::rename(path_.c_str(), (path_ + kOldLogSuffix).c_str());
        file_ = openForAppend(path_, size_);
    }
    if (!file_) {
        if (errorHandler_)
            errorHandler_("Open update.log file error");
        return;
    }
    std::fwrite(text.data(), 1, text.size(), file_);
    std::fflush(file_);
    size_ += static_cast<std::int64_t>(text.size());
}

}  // namespace upvarro
