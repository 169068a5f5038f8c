#pragma once
// The list step: fetch soft_update.xml, parse it, compare it with the local list and derive
// the action list, the counts and the status text; fetch the change log when there is
// anything to do.

#include "upvarro/core/session.h"
#include "upvarro/core/transfer.h"

namespace upvarro {

inline constexpr const char* kListDownloadFailed = "正在下载文件列表失败！";
inline constexpr const char* kListInvalid = "下载的文件列表出错,本次升级失败!";
inline constexpr const char* kNothingToUpdate = "没有文件需要更新！";
inline constexpr const char* kChangelogFailed = "下载changelog.txt失败！";

enum class ListOutcome { DownloadFailed, Invalid, Ready };

std::string listFolderUrl(const Settings& settings);

// Runs on the caller's thread; raises *list failed*, or *status changed*, or *status
// changed* then *list ready*.
ListOutcome runListStep(UpdateSession& session, Transfer& transfer);

// Builds the local list from the installed files (MD5 and size of each update entry's local
// path), as a first run without localList.dat needs.
void buildLocalListFromInstalled(UpdateSession& session);
// The comparison, the self-detection and the counts.
void compareLists(UpdateSession& session);
std::string countStatus(int updateCount, int deleteCount);

}  // namespace upvarro
