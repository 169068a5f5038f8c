#pragma once
// The list step: fetch soft_update.xml, parse it, compare it with the local list and derive
// the action list, the counts and the status text; fetch the change log when there is
// anything to do.

#include <cstdint>

#include "upvarro/core/session.h"
#include "upvarro/core/transfer.h"

namespace upvarro {

inline constexpr const char* kListDownloadFailed = "正在下载文件列表失败！";
inline constexpr const char* kListInvalid = "下载的文件列表出错,本次升级失败!";
inline constexpr const char* kNothingToUpdate = "没有文件需要更新！";
inline constexpr const char* kChangelogFailed = "下载changelog.txt失败！";
// Refusals of a build that takes only signed lists.
inline constexpr const char* kListUnsigned = "文件列表没有签名,本次升级失败!";
inline constexpr const char* kListBadSignature = "文件列表的签名不正确,本次升级失败!";
inline constexpr const char* kListOutdated = "文件列表比已安装的版本旧,本次升级失败!";
inline constexpr const char* kSignatureDownloadFailed = "下载文件列表的签名失败！";
inline constexpr const char* kListFromTheFuture =
    "文件列表的发布时间比本机时间晚一天以上,本次升级失败!";
// How far a list's publication time may lie ahead of the updater's clock: clocks and time
// zones differ by hours, not by days.
inline constexpr std::int64_t kPublishTimeSlack = 24 * 60 * 60;
inline constexpr std::int64_t kSignatureFetchLimit = 4096;
// Room kept free beyond the downloads themselves: the lists, the log and the file systems'
// own blocks.
inline constexpr std::int64_t kFreeSpaceMargin = 16 * 1024 * 1024;

enum class ListOutcome {
    DownloadFailed,
    Invalid,
    // a signed build found the list unsigned, badly signed, undated, older than installed or
    // dated more than a day ahead, or could not fetch its signature
    Refused,
    // the downloads would not fit on the disk
    NoSpace,
    Ready,
};

std::string listFolderUrl(const Settings& settings);

// Runs on the caller's thread; raises *list failed*, or *status changed*, or *status
// changed* then *list ready*. With an update key in the session, the list's signature is
// fetched and checked, and its publication time compared with the newest installed, before
// the list is used: a refused list changes no setting and leaves no file behind.
ListOutcome runListStep(UpdateSession& session, Transfer& transfer);

// Builds the local list from the installed files (MD5 and size of each update entry's local
// path), as a first run without localList.dat needs.
void buildLocalListFromInstalled(UpdateSession& session);
// The status text when the action list's downloads (and, on another file system, its copies)
// leave less than kFreeSpaceMargin free; empty when they fit.
std::string freeSpaceShortage(const UpdateSession& session);
// The comparison, the self-detection and the counts.
void compareLists(UpdateSession& session);
std::string countStatus(int updateCount, int deleteCount);

}  // namespace upvarro
