#include "upvarro/publish/release_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

#include "common/hex_digest.h"
#include "upvarro/core/list_signature.h"
#include "upvarro/core/platform/files.h"

namespace upvarro::publish {
namespace {

using FileId = std::pair<dev_t, ino_t>;

std::string systemError() {
    return std::strerror(errno);
}

bool endsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// PEM and OpenSSH private keys both say so in their first line.
bool holdsPrivateKey(std::string_view head) {
    return head.find("PRIVATE KEY-----") != std::string_view::npos;
}

// The canonical path, empty when it cannot be made.
std::string realPath(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return {};
    std::string out = real;
    std::free(real);
    return out;
}

struct Scanner {
    const ScanOptions& options;
    std::string root;  // the release folder's canonical path
    std::optional<FileId> key;
    std::set<FileId> skipped;
    std::vector<ReleaseEntry> entries;
    std::string error;

    bool fail(const std::string& path, const std::string& why) {
        error = path + ": " + why;
        return false;
    }

    static bool topLevelOutput(const std::string& name) {
        return name == kListFileName || name == kSignatureFileName || name == kChangeLogFileName ||
               name.rfind(kTemporaryPrefix, 0) == 0;
    }

    // Reads the file once for both sums, so they and the size describe the same bytes.
    bool hashFile(const std::string& path, ReleaseEntry& entry) {
        // Non-blocking and checked after opening: a FIFO swapped in meanwhile is not waited on.
        int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return fail(path, "cannot be read: " + systemError());
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return fail(path, "is not a regular file");
        }
        common::HexDigest md5(common::DigestKind::Md5);
        common::HexDigest sha256(common::DigestKind::Sha256);
        std::int64_t total = 0;
        char buffer[65536];
        for (;;) {
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                std::string why = systemError();
                ::close(fd);
                return fail(path, "cannot be read: " + why);
            }
            if (n == 0)
                break;
            total += n;
            if (total > INT32_MAX) {
                ::close(fd);
                return fail(path, "is larger than the 2147483647 bytes a list entry can give");
            }
            md5.update(buffer, static_cast<std::size_t>(n));
            sha256.update(buffer, static_cast<std::size_t>(n));
        }
        ::close(fd);
        entry.size = total;
        entry.md5 = md5.finish();
        entry.sha256 = sha256.finish();
        if (entry.md5.empty() || entry.sha256.empty())
            return fail(path, "its checksums could not be made");
        return true;
    }

    // The folder is served as it is, listed or not: a key in it is a key given away, under
    // whatever name it lies.
    bool holdsNoKey(const std::string& path) {
        int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return fail(path, "cannot be read: " + systemError());
        char head[65536];
        ssize_t n = ::read(fd, head, sizeof head);
        ::close(fd);
        if (n > 0 && holdsPrivateKey(std::string_view(head, static_cast<std::size_t>(n))))
            return fail(path, "holds a private key; keep keys outside the release folder");
        return true;
    }

    bool addFile(const std::string& path, const std::string& name, const struct stat& st) {
        if (std::string why = nameRefusal(name); !why.empty())
            return fail(path, why);
        if (!holdsNoKey(path))
            return false;
        ReleaseEntry entry;
        entry.name = name;
        entry.action = options.rules ? options.rules->actionFor(name) : FileAction::Copy;
        if (entry.action == FileAction::Delete) {
            // Removed from installations: nothing of it is offered for download. Its sums are
            // those of no bytes, as its size is 0: a signed list gives every entry both.
            entry.md5 = common::HexDigest::ofBytes(common::DigestKind::Md5, "");
            entry.sha256 = common::HexDigest::ofBytes(common::DigestKind::Sha256, "");
            entries.push_back(std::move(entry));
            return true;
        }
        if (st.st_size > INT32_MAX)
            return fail(path, "is larger than the 2147483647 bytes a list entry can give");
        if (!hashFile(path, entry))
            return false;
        entries.push_back(std::move(entry));
        return true;
    }

    bool walk(const std::string& folder, const std::string& prefix) {
        DIR* dir = ::opendir(folder.c_str());
        if (!dir)
            return fail(folder, "cannot be read: " + systemError());
        std::vector<std::string> names;
        errno = 0;
        while (const dirent* d = ::readdir(dir)) {
            std::string n = d->d_name;
            if (n != "." && n != "..")
                names.push_back(std::move(n));
            errno = 0;
        }
        bool readFailed = errno != 0;
        std::string why = systemError();
        ::closedir(dir);
        if (readFailed)
            return fail(folder, "cannot be read: " + why);
        std::sort(names.begin(), names.end());  // the first refusal is the same every run

        for (const std::string& n : names) {
            if (prefix.empty() && topLevelOutput(n))
                continue;
            std::string path = folder + "/" + n;
            std::string name = prefix.empty() ? n : prefix + "/" + n;
            if (isUpdaterState(name))
                continue;
            struct stat st {};
            if (::lstat(path.c_str(), &st) != 0)
                return fail(path, "cannot be read: " + systemError());
            if (S_ISLNK(st.st_mode)) {
                if (::stat(path.c_str(), &st) != 0)
                    return fail(path, "is a link that leads nowhere");
                // A linked folder could lead out of the release or round in a circle.
                if (S_ISDIR(st.st_mode))
                    return fail(path, "is a link to a folder; copy the folder in instead");
                // What it leads to would be published from wherever it lies.
                const std::string target = realPath(path);
                if (target.empty() || target.compare(0, root.size() + 1, root + "/") != 0)
                    return fail(path, "is a link to " + (target.empty() ? "?" : target) +
                                          ", outside the release folder");
            }
            if (key && *key == FileId{st.st_dev, st.st_ino})
                return fail(path, "is the signing key; keep it outside the release folder");
            if (skipped.count({st.st_dev, st.st_ino}))
                continue;
            if (S_ISDIR(st.st_mode)) {
                if (!walk(path, name))
                    return false;
            } else if (S_ISREG(st.st_mode)) {
                if (!addFile(path, name, st))
                    return false;
            } else {
                return fail(path, "is neither a regular file nor a folder");
            }
        }
        return true;
    }

    // A delete rule without wildcards removes its file from installations even when the
    // release no longer has it.
    bool addNamedDeletes() {
        if (!options.rules)
            return true;
        for (const PublishRule* rule : options.rules->namedDeletes()) {
            const std::string& name = rule->pattern;
            if (options.rules->ruleFor(name) != rule)
                continue;  // a later line decides this name
            bool listed = std::any_of(entries.begin(), entries.end(),
                                      [&name](const ReleaseEntry& e) { return e.name == name; });
            if (listed)
                continue;
            std::string where =
                options.rules->source() + ":" + std::to_string(rule->line) + ": " + name;
            if (std::string why = nameRefusal(name); !why.empty()) {
                error = where + ": " + why;
                return false;
            }
            struct stat st {};
            if (::stat((options.folder + "/" + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
                error = where + " is a folder of the release; delete its files with " + name + "/*";
                return false;
            }
            ReleaseEntry entry;
            entry.name = name;
            entry.action = FileAction::Delete;
            entry.md5 = common::HexDigest::ofBytes(common::DigestKind::Md5, "");
            entry.sha256 = common::HexDigest::ofBytes(common::DigestKind::Sha256, "");
            entries.push_back(std::move(entry));
        }
        return true;
    }
};

}  // namespace

bool isUpdaterState(const std::string& name) {
    static const char* const kState[] = {"update/upvarro.ini", "update/localList.dat",
                                         "update/faillist.dat", "update/update.log",
                                         "update/upvarro.lock"};
    for (const char* state : kState)
        if (name == state)
            return true;
    return name == "temp" || name.rfind("temp/", 0) == 0 ||
           endsWith(name, platform::kReplacementSuffix);
}

std::optional<std::vector<ReleaseEntry>> scanRelease(const ScanOptions& options,
                                                     std::string& error) {
    struct stat st {};
    if (::stat(options.folder.c_str(), &st) != 0) {
        error = options.folder + ": " + systemError();
        return std::nullopt;
    }
    if (!S_ISDIR(st.st_mode)) {
        error = options.folder + ": not a folder";
        return std::nullopt;
    }
    Scanner scanner{options, realPath(options.folder), {}, {}, {}, {}};
    if (scanner.root.empty()) {
        error = options.folder + ": " + systemError();
        return std::nullopt;
    }
    for (const std::string& path : options.skipped)
        if (::stat(path.c_str(), &st) == 0)
            scanner.skipped.insert({st.st_dev, st.st_ino});
    if (!options.keyPath.empty() && ::stat(options.keyPath.c_str(), &st) == 0)
        scanner.key = FileId{st.st_dev, st.st_ino};
    if (!scanner.walk(options.folder, "") || !scanner.addNamedDeletes()) {
        error = scanner.error;
        return std::nullopt;
    }
    return std::move(scanner.entries);
}

}  // namespace upvarro::publish
