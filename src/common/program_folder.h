#pragma once
#include <string>

namespace common {

// Full path of the running executable (/proc/self/exe), empty when it cannot be read.
std::string executablePath();

// Folder of the running executable, without a trailing slash.
std::string programFolder();

}  // namespace common
