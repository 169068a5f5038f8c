#include "upvarro/core/folders.h"

#include <sys/stat.h>

#include <cerrno>

namespace upvarro {

Folders Folders::fromExecutable(const std::string& executablePath) {
    Folders f;
    std::size_t slash = executablePath.rfind('/');
    f.module = slash == std::string::npos ? std::string(".") : executablePath.substr(0, slash);
    std::size_t last = f.module.rfind('/');
    bool inUpdate =
        last != std::string::npos && f.module.compare(last, std::string::npos, "/update") == 0;
    f.installation = inUpdate ? f.module.substr(0, last) : f.module;
    f.temporary = f.installation + "/temp";
    return f;
}

std::string fileNamePart(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool makeParentFolders(const std::string& path) {
    for (std::size_t i = path.find('/', 1); i != std::string::npos; i = path.find('/', i + 1)) {
        std::string folder = path.substr(0, i);
        if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

}  // namespace upvarro
