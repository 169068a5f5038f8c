#pragma once
// The folders the updater works in, all derived from its own path.

#include <string>

namespace upvarro {

struct Folders {
    std::string module;        // folder of the running updater
    std::string installation;  // the module folder without a last component "/update"
    std::string temporary;     // installation folder + "/temp"

    static Folders fromExecutable(const std::string& executablePath);

    std::string configurationFile() const { return module + "/upvarro.ini"; }
    std::string localListFile() const { return module + "/localList.dat"; }
    std::string failListFile() const { return module + "/faillist.dat"; }
    std::string logFile() const { return module + "/update.log"; }
    std::string lockFile() const { return module + "/upvarro.lock"; }
};

// Last path component (after the last "/" or "\"), the whole text when there is none.
std::string fileNamePart(const std::string& path);

// Creates every folder named by the text before each "/" of path (the last component is not
// created). Existing folders are fine; false when one cannot be made.
bool makeParentFolders(const std::string& path);

}  // namespace upvarro
