#pragma once
// The process list (/proc): which programs have a file open or mapped, and ending the program
// an update replaces.

#include <sys/types.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace upvarro::platform {

struct ProcessInfo {
    pid_t pid = 0;
    std::string executable;  // full path of its program, without " (deleted)"
};

// Running processes in the order of the process list (ascending ids).
std::vector<ProcessInfo> runningProcesses();

// Device and inode of every file that another process has open or mapped.
class OpenFiles {
  public:
    static OpenFiles snapshot(pid_t except);
    bool contains(const std::string& path) const;

  private:
    std::set<std::pair<unsigned long, unsigned long>> files_;
};

// The counterpart of opening a file for full access with no sharing: a file is locked when
// it is missing, is not a regular file (a link, a FIFO, a device: never opened, so it can
// neither block nor wake anything), cannot be opened for writing, or another process has it
// open or mapped.
bool isLocked(const std::string& path, const OpenFiles& openFiles);

enum class EndResult { NotRunning, Ended, Failed };

// Ends the first process (other than `except`) that runs the program installed at path: its
// program lies in path's folder and has path's file name, letter case ignored. The process
// is held by a pidfd from the moment its program is checked, so a process that ended since
// the list was taken and whose id went to another program is never signalled. Asks first
// (SIGTERM); one still running after the grace period is killed. An ended process is taken
// off the list, which is taken once for many paths (an install step ends one program per
// entry).
EndResult endInstalledProgram(const std::string& path, pid_t except,
                              std::vector<ProcessInfo>& processes, int graceMs = 1000);
// The same against the processes running now.
EndResult endInstalledProgram(const std::string& path, pid_t except, int graceMs = 1000);

}  // namespace upvarro::platform
