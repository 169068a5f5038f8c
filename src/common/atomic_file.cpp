#include "common/atomic_file.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>

#include "common/file_io.h"

namespace common {
namespace {

// The mode fopen would give a new file: 0666 under the process's umask, read where the
// kernel shows it, since umask() can only be read by changing it.
mode_t newFileMode() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(0666 & ~std::strtoul(line.c_str() + 6, nullptr, 8));
    return 0644;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

AtomicWrite writeFileAtomically(const std::string& path, std::string_view contents) {
    // A folder, a device or a pipe under the name is never replaced by a file.
    struct stat old {};
    const bool exists = ::lstat(path.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode))
        return AtomicWrite::WriteFailed;
    const mode_t mode = exists && S_ISREG(old.st_mode) ? (old.st_mode & 0777) : newFileMode();
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return AtomicWrite::CreateFailed;
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, contents);
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return AtomicWrite::WriteFailed;
    }
    // The new name itself reaches the disk with the folder.
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return AtomicWrite::Done;
}

}  // namespace common
