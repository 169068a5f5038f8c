#pragma once
// The process list (/proc): which programs have a file open or mapped, and ending a program
// by its file name.

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

// Ends the first process whose program's file name equals the text after the last "/" of
// name (letter case ignored), but only a program inside folder and never the process
// `except`: an unrelated program of the same name is not ours to end. Asks first (SIGTERM);
// one still running after the grace period is killed.
EndResult endProgramByName(const std::string& name, const std::string& folder, pid_t except,
                           int graceMs = 1000);
// The same against a list taken once for many names (an install step ends one program per
// entry); an ended process is taken off the list.
EndResult endProgramByName(const std::string& name, const std::string& folder, pid_t except,
                           std::vector<ProcessInfo>& processes, int graceMs = 1000);

}  // namespace upvarro::platform
