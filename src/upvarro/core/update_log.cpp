#include "upvarro/core/update_log.h"

#include <fcntl.h>
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

void UpdateLog::write(const std::string& message) {
    if (level_ == 0)
        return;
    std::lock_guard lock(mutex_);
    if (!file_) {
        // Appended to, never written through a link planted in its place.
        int fd =
            ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
        file_ = fd < 0 ? nullptr : ::fdopen(fd, "ab");
        if (!file_ && fd >= 0)
            ::close(fd);
    }
    if (!file_) {
        if (errorHandler_)
            errorHandler_("Open update.log file error");
        return;
    }
    std::string text = logHeader(std::time(nullptr)) + common::utf8ToGbk(message);
    std::fwrite(text.data(), 1, text.size(), file_);
    std::fflush(file_);
}

}  // namespace upvarro
