#include "upvarro/publish/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/file_io.h"
#include "upvarro/publish/release_folder.h"

namespace upvarro::publish {
namespace {

std::string systemError() {
    return std::strerror(errno);
}

void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

mode_t userFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool OutputFile::prepare(const std::string& folder, const std::string& name, std::string_view bytes,
                         std::string& error) {
    discard();
    std::string pattern = folder + "/" + kTemporaryPrefix + "XXXXXX";
    std::vector<char> path(pattern.begin(), pattern.end());
    path.push_back('\0');
    int fd = ::mkstemp(path.data());
    if (fd < 0) {
        error = folder + ": cannot write there: " + systemError();
        return false;
    }
    folder_ = folder;
    temporary_ = path.data();
    target_ = folder + "/" + name;
    // mkstemp makes the file private; the list is for a web server to read.
    bool ok = ::fchmod(fd, userFileMode()) == 0 && common::writeAll(fd, bytes) && ::fsync(fd) == 0;
    std::string why = systemError();
    if (::close(fd) != 0 && ok) {
        ok = false;
        why = systemError();
    }
    if (!ok) {
        error = target_ + ": cannot be written: " + why;
        discard();
        return false;
    }
    return true;
}

bool OutputFile::commit(std::string& error) {
    if (temporary_.empty()) {
        error = target_ + ": nothing prepared";
        return false;
    }
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        error = target_ + ": cannot be replaced: " + systemError();
        discard();
        return false;
    }
    temporary_.clear();
    syncFolder(folder_);
    return true;
}

void OutputFile::discard() {
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool createExclusive(const std::string& path, std::string_view bytes, unsigned mode,
                     std::string& error) {
    int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
    if (fd < 0) {
        error = path + ": " + systemError();
        return false;
    }
    bool ok = common::writeAll(fd, bytes) && ::fsync(fd) == 0;
    std::string why = systemError();
    if (::close(fd) != 0 && ok) {
        ok = false;
        why = systemError();
    }
    if (!ok) {
        ::unlink(path.c_str());
        error = path + ": cannot be written: " + why;
        return false;
    }
    std::size_t slash = path.rfind('/');
    syncFolder(slash == std::string::npos ? "." : path.substr(0, slash));
    return true;
}

}  // namespace upvarro::publish
