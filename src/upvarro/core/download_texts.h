#pragma once
// Texts of the download page.

#include <cstdint>
#include <string>

namespace upvarro {

inline constexpr const char* kDownloadFailedStatus = "下载出错，升级失败！";

// From the active count and the total speed in bytes per second. Below 1000 bytes per second
// the speed is shown as a fraction of a KB/s rather than the byte count under "KB/s".
std::string speedLine(int active, std::int64_t bytesPerSecond);
std::string countLine(int downloadCount, int finishedCount);
// " %4d B" up to 1024 bytes, " %4d KB" up to 1048576, " %4d MB" above.
std::string sizeText(std::int64_t bytes);
// " 等待下载", " 暂停下载", " 下载成功", " 下载出错"; empty for the other states.
std::string stateText(std::int32_t state);
// "%3.02f%%" of downloaded / listSize × 100; an empty file counts as complete.
std::string progressText(std::int64_t downloaded, std::int64_t listSize);
// "%02d:%02d:%02d" of hours, minutes and seconds.
std::string clockText(std::int64_t seconds);

}  // namespace upvarro
