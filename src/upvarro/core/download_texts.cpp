#include "upvarro/core/download_texts.h"

#include <cstdio>

#include "upvarro/core/update_entry.h"

namespace upvarro {

std::string speedLine(int a, std::int64_t t) {
    char buf[160];
    if (t / 1000000 > 0)
        std::snprintf(buf, sizeof buf, "%2d个文件正在下载, 下载速度：%3d.%02d MB/s", a,
                      static_cast<int>(t / 1000000), static_cast<int>((t / 1000 % 1000) / 10));
    else if (t / 1000 % 1000 > 0)
        std::snprintf(buf, sizeof buf, "%2d个文件正在下载, 下载速度：%3d.%02d KB/s", a,
                      static_cast<int>(t / 1000 % 1000), static_cast<int>((t % 1000) / 10));
    else if (t > 0)
        std::snprintf(buf, sizeof buf, "%2d个文件正在下载, 下载速度：%3d.%02d KB/s", a, 0,
                      static_cast<int>(t / 10));
    else
        std::snprintf(buf, sizeof buf, "%2d个文件正在下载, 下载速度：%3d  KB/s", a,
                      static_cast<int>(t % 1000));
    return buf;
}

std::string countLine(int downloadCount, int finishedCount) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "需下载[%d]，已完成[%d]个文件", downloadCount, finishedCount);
    return buf;
}

std::string sizeText(std::int64_t bytes) {
    char buf[32];
    if (bytes <= 1024)
        std::snprintf(buf, sizeof buf, " %4d B", static_cast<int>(bytes));
    else if (bytes <= 1048576)
        std::snprintf(buf, sizeof buf, " %4d KB", static_cast<int>(bytes / 1024));
    else
        std::snprintf(buf, sizeof buf, " %4d MB", static_cast<int>(bytes / 1048576));
    return buf;
}

std::string stateText(std::int32_t state) {
    switch (state) {
        case kStateWaiting:
            return " 等待下载";
        case kStatePaused:
            return " 暂停下载";
        case kStateDownloaded:
            return " 下载成功";
        case kStateFailed:
            return " 下载出错";
        default:
            return {};
    }
}

std::string progressText(std::int64_t downloaded, std::int64_t listSize) {
    double ratio =
        listSize > 0 ? static_cast<double>(downloaded) / static_cast<double>(listSize) : 1.0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%3.02f%%", ratio * 100);
    return buf;
}

std::string clockText(std::int64_t seconds) {
    if (seconds < 0)
        seconds = 0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", static_cast<int>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return buf;
}

}  // namespace upvarro
