#include "upvarro/core/platform/files.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <system_error>

#include "common/file_io.h"
#include "common/hex_digest.h"

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

// Hashes bytes as they are read and tells whether they had the expected sums.
class SumCheck {
  public:
    explicit SumCheck(const ExpectedSums& expected) : expected_(expected) {}
    void update(const void* data, std::size_t length) {
        if (!expected_.md5.empty())
            md5_.update(data, length);
        if (!expected_.sha256.empty())
            sha256_.update(data, length);
    }
    bool matches() {
        return (expected_.md5.empty() || common::sameHexDigest(md5_.finish(), expected_.md5)) &&
               (expected_.sha256.empty() ||
                common::sameHexDigest(sha256_.finish(), expected_.sha256));
    }

  private:
    const ExpectedSums& expected_;
    common::HexDigest md5_{common::DigestKind::Md5};
    common::HexDigest sha256_{common::DigestKind::Sha256};
};

bool isElf(const char* head, std::size_t n) {
    return n >= 4 && std::memcmp(head,
                                 "\x7f"
                                 "ELF",
                                 4) == 0;
}

bool looksExecutable(const char* head, std::size_t n) {
    return isElf(head, n) || (n >= 2 && head[0] == '#' && head[1] == '!');
}

std::string folderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// Makes a rename durable.
void syncFolder(const std::string& path) {
    Fd dir(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

// Opens a regular file for reading; a FIFO or device is never waited on, a link at the last
// component is refused.
int openRegular(const std::string& path, bool followLink, struct stat& st) {
    int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    int fd = ::open(path.c_str(), flags);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    // Regular files ignore O_NONBLOCK for reading; cleared all the same.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// What the target (name in dir) may be replaced with and which permission bits the new file
// gets. False when the target is something other than a regular file or a link (a folder, a
// FIFO).
bool targetMode(int dir, const std::string& name, mode_t& mode, bool& known) {
    struct stat target {};
    known = false;
    if (::fstatat(dir, name.c_str(), &target, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    if (S_ISLNK(target.st_mode)) {
        // The link itself is replaced, never written through.
        struct stat through {};
        if (::fstatat(dir, name.c_str(), &through, 0) == 0 && S_ISREG(through.st_mode)) {
            mode = through.st_mode & 0777;
            known = true;
        }
        return true;
    }
    if (!S_ISREG(target.st_mode))
        return false;
    // A server never makes a set-user-id or set-group-id file, nor keeps one.
    mode = target.st_mode & 0777;
    known = true;
    return true;
}

// A new file beside name in dir, created here and now: never a file or link planted under
// that name.
int createBeside(int dir, const std::string& name, std::string& tmp) {
    tmp = name + kReplacementSuffix;
    for (int tries = 0; tries < 2; ++tries) {
        int fd =
            ::openat(dir, tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
        // A leftover of a replacement that was broken off: removing it removes the name only.
        ::unlinkat(dir, tmp.c_str(), 0);
    }
    return -1;
}

// Copies the open file to a new file beside name in dir and renames it into place. The bytes
// copied must have the expected sums.
InstallResult copyInto(int in, int dir, const std::string& name, const ExpectedSums& expected) {
    mode_t mode = 0644;
    bool known = false;
    if (!targetMode(dir, name, mode, known))
        return InstallResult::Failed;
    std::string tmp;
    Fd out(createBeside(dir, name, tmp));
    if (out.get() < 0)
        return InstallResult::Failed;
    SumCheck sums(expected);
    bool ok = ::lseek(in, 0, SEEK_SET) == 0;
    char buf[65536];
    char head[4] = {0, 0, 0, 0};
    std::size_t headSize = 0;
    for (bool first = true; ok;) {
        ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ok = false;
        if (n <= 0)
            break;
        if (first) {
            headSize = std::min(sizeof head, static_cast<std::size_t>(n));
            std::memcpy(head, buf, headSize);
            first = false;
        }
        sums.update(buf, static_cast<std::size_t>(n));
        ok = common::writeAll(out.get(), std::string_view(buf, static_cast<std::size_t>(n)));
    }
    if (!known)
        mode = looksExecutable(head, headSize) ? 0755 : 0644;
    bool right = sums.matches();
    ok = ok && right && ::fchmod(out.get(), mode) == 0 && ::fsync(out.get()) == 0;
    ok = ::close(out.release()) == 0 && ok;
    if (ok && ::renameat(dir, tmp.c_str(), dir, name.c_str()) == 0) {
        ::fsync(dir);
        return InstallResult::Installed;
    }
    ::unlinkat(dir, tmp.c_str(), 0);
    return right ? InstallResult::Failed : InstallResult::WrongChecksum;
}

// Opens name in dir as a regular file for reading: a link is not followed, a FIFO or device
// never waited on.
int openRegularAt(int dir, const std::string& name, struct stat& st) {
    int fd = ::openat(dir, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// The installation of one file, name to name between two open folders.
InstallResult installAt(int fromDir, const std::string& fromName, int toDir,
                        const std::string& toName, const ExpectedSums& expected,
                        const FileStamp& verified) {
    struct stat source {};
    Fd in(openRegularAt(fromDir, fromName, source));
    if (in.get() < 0)
        return InstallResult::Failed;
    struct stat folder {};
    if (::fstat(toDir, &folder) != 0 || folder.st_dev != source.st_dev)
        return copyInto(in.get(), toDir, toName, expected);

    mode_t mode = 0644;
    bool known = false;
    if (!targetMode(toDir, toName, mode, known))
        return InstallResult::Failed;
    // Unchanged since its checksum was taken as it was written: reading it again would only
    // repeat that; otherwise every byte is checked now.
    const bool unchanged = verified.valid() && stampOf(in.get()) == verified;
    SumCheck sums(expected);
    char buf[65536];
    char head[4] = {0, 0, 0, 0};
    std::size_t headSize = 0;
    for (bool first = true;;) {
        ssize_t n = ::read(in.get(), buf, unchanged ? sizeof head : sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return InstallResult::Failed;
        if (n == 0)
            break;
        if (first) {
            headSize = std::min(sizeof head, static_cast<std::size_t>(n));
            std::memcpy(head, buf, headSize);
            first = false;
        }
        if (unchanged)
            break;
        sums.update(buf, static_cast<std::size_t>(n));
    }
    if (!unchanged && !sums.matches())
        return InstallResult::WrongChecksum;
    if (!known)
        mode = looksExecutable(head, headSize) ? 0755 : 0644;
    // The name must still be the file whose bytes were checked.
    struct stat now {};
    if (::fstatat(fromDir, fromName.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 ||
        now.st_ino != source.st_ino || now.st_dev != source.st_dev)
        return InstallResult::Failed;
    if (::fchmod(in.get(), mode) != 0 || ::fsync(in.get()) != 0)
        return InstallResult::Failed;
    if (::renameat(fromDir, fromName.c_str(), toDir, toName.c_str()) != 0)
        return errno == EXDEV ? copyInto(in.get(), toDir, toName, expected) : InstallResult::Failed;
    ::fsync(toDir);
    ::fsync(fromDir);
    return InstallResult::Installed;
}

std::string fileNameOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int openFolder(const std::string& path, bool followLast = true) {
    return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLast ? 0 : O_NOFOLLOW));
}

}  // namespace

bool isProgramFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if ((st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0)
        return true;
    // Non-blocking: a FIFO swapped in meanwhile is not waited on.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        return false;
    char head[4];
    ssize_t n = ::read(fd.get(), head, sizeof head);
    return n > 0 && isElf(head, static_cast<std::size_t>(n));
}

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

namespace {

// Reads fd to its end in large pieces; false on a read error or when piece says stop.
bool readPieces(int fd, const std::function<bool(const char*, std::size_t)>& piece) {
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (!piece(buf, static_cast<std::size_t>(n)))
            return false;
    }
}

std::optional<std::string> digestOfRegularFile(common::DigestKind kind, const std::string& path,
                                               bool followLink) {
    struct stat st {};
    Fd in(openRegular(path, followLink, st));
    if (in.get() < 0)
        return std::nullopt;
    common::HexDigest digest(kind);
    if (!readPieces(in.get(), [&](const char* piece, std::size_t size) {
            digest.update(piece, size);
            return true;
        }))
        return std::nullopt;
    return digest.finish();
}

}  // namespace

std::optional<std::string> md5OfRegularFile(const std::string& path, bool followLink) {
    return digestOfRegularFile(common::DigestKind::Md5, path, followLink);
}

std::optional<std::string> sha256OfRegularFile(const std::string& path, bool followLink) {
    return digestOfRegularFile(common::DigestKind::Sha256, path, followLink);
}

FileStamp stampOf(int fd) {
    struct stat st {};
    FileStamp stamp;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return stamp;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modifiedNs =
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.changedNs =
        static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return stamp;
}

bool replaceFile(const std::string& from, const std::string& to) {
    struct stat source {};
    Fd in(openRegular(from, true, source));
    Fd dir(openFolder(folderOf(to)));
    if (in.get() < 0 || dir.get() < 0)
        return false;
    return copyInto(in.get(), dir.get(), fileNameOf(to), {}) == InstallResult::Installed;
}

InstallResult installFile(const std::string& from, const std::string& to,
                          const std::string& checksum) {
    return installFile(from, to, ExpectedSums{checksum, {}}, FileStamp{});
}

InstallResult installFile(const std::string& from, const std::string& to,
                          const ExpectedSums& expected, const FileStamp& verified) {
    Fd fromDir(openFolder(folderOf(from)));
    Fd toDir(openFolder(folderOf(to)));
    if (fromDir.get() < 0 || toDir.get() < 0)
        return InstallResult::Failed;
    return installAt(fromDir.get(), fileNameOf(from), toDir.get(), fileNameOf(to), expected,
                     verified);
}

FolderHandle::FolderHandle(const std::string& path, LastLink last)
    : fd_(openFolder(path, last == LastLink::Follow)) {}

FolderHandle::~FolderHandle() {
    if (fd_ >= 0)
        ::close(fd_);
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

int FolderHandle::openParent(const std::string& relative, bool make) const {
    if (fd_ < 0)
        return -1;
    int dir = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    std::size_t start = 0;
    for (std::size_t slash = relative.find('/'); dir >= 0 && slash != std::string::npos;
         start = slash + 1, slash = relative.find('/', start)) {
        const std::string part = relative.substr(start, slash - start);
        if (part.empty() || part == ".")
            continue;
        int next = -1;
        // Never "..", and never a link: each step stays below the folder opened first.
        if (part != "..") {
            if (make && ::mkdirat(dir, part.c_str(), 0755) != 0 && errno != EEXIST)
                next = -1;
            else
                next = ::openat(dir, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        }
        ::close(dir);
        dir = next;
    }
    return dir;
}

InstallResult installFileAt(const FolderHandle& from, const FolderHandle& to,
                            const std::string& relative, const ExpectedSums& expected,
                            const FileStamp& verified) {
    Fd fromDir(from.openParent(relative, false));
    Fd toDir(to.openParent(relative, true));
    if (fromDir.get() < 0 || toDir.get() < 0)
        return InstallResult::Failed;
    const std::string name = fileNameOf(relative);
    return installAt(fromDir.get(), name, toDir.get(), name, expected, verified);
}

bool removeFileAt(const FolderHandle& folder, const std::string& relative) {
    Fd dir(folder.openParent(relative, false));
    return dir.get() >= 0 && ::unlinkat(dir.get(), fileNameOf(relative).c_str(), 0) == 0;
}

int openRegularFileAt(const FolderHandle& folder, const std::string& relative) {
    Fd dir(folder.openParent(relative, false));
    struct stat st {};
    return dir.get() < 0 ? -1 : openRegularAt(dir.get(), fileNameOf(relative), st);
}

std::optional<std::int64_t> fileSizeAt(const FolderHandle& folder, const std::string& relative) {
    Fd dir(folder.openParent(relative, false));
    struct stat st {};
    if (dir.get() < 0 ||
        ::fstatat(dir.get(), fileNameOf(relative).c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(st.st_mode))
        return std::nullopt;
    return static_cast<std::int64_t>(st.st_size);
}

DownloadTarget openDownloadTarget(const FolderHandle& folder, const std::string& relative) {
    DownloadTarget target;
    Fd dir(folder.openParent(relative, true));
    if (dir.get() < 0)
        return target;
    const std::string name = fileNameOf(relative);
    struct stat planted {};
    if (::fstatat(dir.get(), name.c_str(), &planted, AT_SYMLINK_NOFOLLOW) == 0 &&
        !S_ISREG(planted.st_mode) && !S_ISDIR(planted.st_mode)) {
        target.removedPlanted = true;
        ::unlinkat(dir.get(), name.c_str(), 0);
    }
    // Whatever is put at the name meanwhile: a link is not followed (ELOOP), a FIFO without
    // a reader refuses the open at once (ENXIO) and one with a reader is refused below.
    Fd fd(::openat(dir.get(), name.c_str(),
                   O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                   0600));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        ::fchmod(fd.get(), 0600) != 0)
        return target;
    target.fd = fd.release();
    return target;
}

std::optional<std::string> digestOfOpenFile(int fd, bool sha256) {
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return std::nullopt;
    common::HexDigest digest(sha256 ? common::DigestKind::Sha256 : common::DigestKind::Md5);
    if (!readPieces(fd, [&](const char* piece, std::size_t size) {
            digest.update(piece, size);
            return true;
        }))
        return std::nullopt;
    return digest.finish();
}

namespace {

// The rest of a read whose open gave fd (and, when it failed, openError).
FileRead readOpened(int fd, int openError, std::int64_t limit, bool cut) {
    FileRead read;
    if (fd < 0) {
        // ELOOP: a link at the last component.
        read.status = openError == ENOENT                        ? ReadStatus::Missing
                      : openError == ELOOP || openError == ENXIO ? ReadStatus::NotRegular
                                                                 : ReadStatus::Failed;
        return read;
    }
    Fd in(fd);
    struct stat st {};
    if (::fstat(in.get(), &st) != 0) {
        read.status = ReadStatus::Failed;
        return read;
    }
    if (!S_ISREG(st.st_mode)) {
        read.status = ReadStatus::NotRegular;
        return read;
    }
    if (st.st_size > limit && !cut) {
        read.status = ReadStatus::TooLarge;
        return read;
    }
    // The file may have grown since it was measured.
    bool over = false;
    bool ok = readPieces(in.get(), [&](const char* piece, std::size_t size) {
        const auto room = static_cast<std::size_t>(limit) - read.bytes.size();
        read.bytes.append(piece, std::min(size, room));
        over = size > room;
        return !over;
    });
    if (over) {
        read.status = cut ? ReadStatus::Read : ReadStatus::TooLarge;
        if (!cut)
            read.bytes.clear();
        return read;
    }
    read.status = ok ? ReadStatus::Read : ReadStatus::Failed;
    if (!ok)
        read.bytes.clear();
    return read;
}

}  // namespace

FileRead readRegularFile(const std::string& path, std::int64_t limit, bool cut) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW);
    return readOpened(fd, errno, limit, cut);
}

FileRead readRegularFileAt(const FolderHandle& folder, const std::string& relative,
                           std::int64_t limit) {
    Fd dir(folder.openParent(relative, false));
    if (dir.get() < 0)
        return readOpened(-1, ENOENT, limit, false);
    int fd = ::openat(dir.get(), fileNameOf(relative).c_str(),
                      O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW);
    return readOpened(fd, errno, limit, false);
}

std::string readRefusal(const std::string& path, const FileRead& read) {
    switch (read.status) {
        case ReadStatus::Read:
            return {};
        case ReadStatus::Missing:
            return path + " 不存在";
        case ReadStatus::NotRegular:
            return path + " 不是普通文件，未读取";
        case ReadStatus::TooLarge:
            return path + " 过大，未读取";
        case ReadStatus::Failed:
            break;
    }
    return "读取 " + path + " 失败";
}

std::optional<std::string> readWholeFile(const std::string& path, std::int64_t limit) {
    FileRead read = readRegularFile(path, limit);
    if (!read.ok())
        return std::nullopt;
    return std::move(read.bytes);
}

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
    std::string tmp = path + ".XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        return false;
    Fd out(fd);
    struct stat old {};
    mode_t mode =
        ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode) ? (old.st_mode & 0777) : 0644;
    bool ok = ::fchmod(out.get(), mode) == 0 && common::writeAll(out.get(), bytes) &&
              ::fsync(out.get()) == 0;
    ok = ::close(out.release()) == 0 && ok;
    if (ok && ::rename(tmp.c_str(), path.c_str()) == 0) {
        syncFolder(path);
        return true;
    }
    ::unlink(tmp.c_str());
    return false;
}

bool staysInside(const std::string& folder, const std::string& relative) {
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::weakly_canonical(folder, ec);
    if (ec)
        return false;
    std::string path = folder;
    std::size_t start = 0;
    for (std::size_t slash = relative.find('/'); slash != std::string::npos;
         start = slash + 1, slash = relative.find('/', start)) {
        path += '/';
        path.append(relative, start, slash - start);
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0)
            return errno == ENOENT;  // made later as a plain folder
        if (!S_ISLNK(st.st_mode))
            continue;
        std::filesystem::path target = std::filesystem::canonical(path, ec);
        if (ec)
            return false;
        auto rel = target.lexically_relative(base);
        if (rel.empty() || *rel.begin() == "..")
            return false;
    }
    return true;
}

namespace {

// path, or the nearest folder above it that exists.
std::string existingAncestor(std::string path) {
    struct stat st {};
    while (!path.empty() && ::stat(path.c_str(), &st) != 0) {
        const std::string parent = folderOf(path);
        if (parent == path)
            break;
        path = parent;
    }
    return path;
}

}  // namespace

std::optional<std::int64_t> freeBytes(const std::string& path) {
    struct statvfs vfs {};
    if (::statvfs(existingAncestor(path).c_str(), &vfs) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(vfs.f_bavail) * static_cast<std::int64_t>(vfs.f_frsize);
}

bool sameFileSystem(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(existingAncestor(a).c_str(), &sa) == 0 &&
           ::stat(existingAncestor(b).c_str(), &sb) == 0 && sa.st_dev == sb.st_dev;
}

int removeLeftovers(const std::string& folder, const std::string& suffix) {
    namespace fs = std::filesystem;
    int removed = 0;
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    // A bounded walk: an installation folder holds a few hundred files, not a disk.
    int seen = 0;
    for (; !ec && it != fs::recursive_directory_iterator() && seen < 200000; it.increment(ec)) {
        ++seen;
        const std::string name = it->path().filename().string();
        if (name.size() <= suffix.size() ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !(S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)))
            continue;
        if (::unlink(it->path().c_str()) == 0)
            ++removed;
    }
    return removed;
}

}  // namespace upvarro::platform
