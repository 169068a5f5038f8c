#pragma once
// Starting another program without waiting for it: the program runs in its own session with
// its standard streams on /dev/null, and is never left as a zombie of the caller.

#include <string>
#include <vector>

namespace common {

// argv is the program's whole argument vector, argv[0] included (a caller may pass a command
// line there, as the updater and the toolbox do). False when the program could not be
// started.
bool startDetached(const std::string& program, const std::vector<std::string>& argv,
                   const std::string& workingFolder = {});
// The same for the program open as programFd: what runs is the file that was opened (and
// checked), whatever its name leads to by now.
bool startDetached(int programFd, const std::vector<std::string>& argv,
                   const std::string& workingFolder = {});

}  // namespace common
