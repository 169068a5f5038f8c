#include "upvarro/core/platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace upvarro::platform {
namespace {

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool looksExecutable(const char* head, std::size_t n) {
    return (n >= 4 && std::memcmp(head,
                                  "\x7f"
                                  "ELF",
                                  4) == 0) ||
           (n >= 2 && head[0] == '#' && head[1] == '!');
}

}  // namespace

std::optional<std::int64_t> fileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return static_cast<std::int64_t>(st.st_size);
}

bool fileExists(const std::string& path) {
    return fileSize(path).has_value();
}

bool removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
    Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return false;
    struct stat source {};
    if (::fstat(in.get(), &source) != 0 || !S_ISREG(source.st_mode))
        return false;

    struct stat target {};
    bool hadTarget = ::stat(to.c_str(), &target) == 0;
    if (hadTarget && !S_ISREG(target.st_mode))
        return false;

    std::string tmp = to + ".upvarro-new";
    Fd out(::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (out.get() < 0)
        return false;
    bool ok = true;
    char buf[65536];
    char head[4] = {0, 0, 0, 0};
    std::size_t headSize = 0;
    for (;;) {
        ssize_t n = ::read(in.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ok = false;
        if (n <= 0)
            break;
        if (headSize == 0) {
            headSize = std::min(sizeof head, static_cast<std::size_t>(n));
            std::memcpy(head, buf, headSize);
        }
        if (!writeAll(out.get(), buf, static_cast<std::size_t>(n))) {
            ok = false;
            break;
        }
    }
    mode_t mode =
        hadTarget ? (target.st_mode & 07777) : (looksExecutable(head, headSize) ? 0755 : 0644);
    ok = ok && ::fchmod(out.get(), mode) == 0 && ::fsync(out.get()) == 0;
    ok = ::close(out.release()) == 0 && ok;
    if (ok && ::rename(tmp.c_str(), to.c_str()) == 0) {
        // Make the rename itself durable.
        std::string folder = to.substr(0, to.rfind('/') == std::string::npos ? 0 : to.rfind('/'));
        Fd dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.get() >= 0)
            ::fsync(dir.get());
        return true;
    }
    ::unlink(tmp.c_str());
    return false;
}

}  // namespace upvarro::platform
