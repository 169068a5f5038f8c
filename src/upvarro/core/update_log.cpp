#include "upvarro/core/update_log.h"

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

void UpdateLog::write(const std::string& message) {
    if (level_ == 0)
        return;
    std::lock_guard lock(mutex_);
    std::FILE* f = std::fopen(path_.c_str(), "ab");
    if (!f) {
        if (errorHandler_)
            errorHandler_("Open update.log file error");
        return;
    }
    std::string text = logHeader(std::time(nullptr)) + common::utf8ToGbk(message);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

}  // namespace upvarro
