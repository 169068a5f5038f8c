#pragma once
// The install step (lock check, ending programs, copy / delete / register / run), its texts,
// the finish of a run and declining a forced update.

#include <string>

#include "upvarro/core/session.h"

namespace upvarro {

// Runs on the caller's thread; ends at once when the cancel flag is found set. Raises
// *copied*, *deleted*, *registered*, *ran* with the action-list index, then *install done*.
void runInstallStep(UpdateSession& session);

// Texts of the install page for the events.
std::string installEventText(Event event, const std::string& name);
std::string installDoneText(int updateCount, int deleteCount);

// The finish: write the lists and the configuration, restart the main program when the list
// asked for it, hand over to the new updater when the updater was updated (only to a copy
// with the list's checksum). False, with a log line for each file and the status text
// kFinishWriteFailed, when a list or the configuration could not be written.
bool finishUpdate(UpdateSession& session);

// Declining a forced update ends the programs of the update set.
void declineForcedUpdate(UpdateSession& session);

inline constexpr const char* kRestartCommandLine = "DONT_RUN_UPVARRO";
inline constexpr const char* kFinishWriteFailed = "升级完成，但保存升级记录失败！";
// Check and operation lines hold at most this many GBK bytes.
inline constexpr std::size_t kLineLimit = 255;

}  // namespace upvarro
