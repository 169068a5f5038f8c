#pragma once
#include <functional>
#include <string>

namespace common {

// Full path of the running executable (/proc/self/exe), empty when it cannot be read.
std::string executablePath();

// Folder of the running executable, without a trailing slash.
std::string programFolder();

// Where a data file of the toolbox (Conversion.dat, xyq.ini) is read from: the user's own copy
// in $XDG_DATA_HOME/kalvix (~/.local/share/kalvix) when there is one, else the installed one:
// beside the program in a folder installation, in <prefix>/share/kalvix for a program in
// <prefix>/bin of a system installation.
std::string dataFilePath(const std::string& name);
// The same for a given program folder and environment.
std::string dataFilePath(const std::string& name, const std::string& programFolder,
                         const std::function<const char*(const char*)>& getEnv);

}  // namespace common
