#include "upvarro/core/transfer.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "common/ascii_text.h"
#include "common/gbk.h"
#include "common/hex_digest.h"
#include "common/md5.h"
#include "upvarro/core/folders.h"
#include "upvarro/core/platform/files.h"

namespace upvarro {
namespace {

constexpr std::int64_t kWritebackPiece = 8 * 1024 * 1024;

}  // namespace

void initialiseTransfers() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

namespace {

bool hasScheme(const std::string& url, std::string_view scheme) {
    return url.size() >= scheme.size() &&
           common::equalsNoCase(std::string_view(url).substr(0, scheme.size()), scheme);
}

}  // namespace

bool isHttpsUrl(const std::string& url) {
    return hasScheme(url, "https://");
}

bool isWebUrl(const std::string& url) {
    // Blanks and control characters have no place in an address; a line end in one would
    // reach the request itself.
    for (char c : url)
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F)
            return false;
    return hasScheme(url, "http://") || hasScheme(url, "https://");
}

std::string fileUrl(const std::string& folderUrl, const std::string& name, NameSpelling spelling) {
    static const char* hex = "0123456789ABCDEF";
    std::string path;
    if (spelling == NameSpelling::Utf8) {
        for (unsigned char c : name) {
            const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                    (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                    c == '~';
            if (unreserved || c == '/') {
                path += static_cast<char>(c);
            } else {
                path += '%';
                path += hex[c >> 4];
                path += hex[c & 15];
            }
        }
        return folderUrl + "/" + path;
    }
    // Folders are "/" in the name already. A GBK trail byte may be 0x5C ("\\"), which a
    // server would take for a folder separator: it is encoded like every other byte outside
    // printable ASCII.
    for (unsigned char c : common::utf8ToGbk(name)) {
        if (c <= 0x20 || c >= 0x7F || c == '%' || c == '#' || c == '?' || c == '"' || c == '\\') {
            path += '%';
            path += hex[c >> 4];
            path += hex[c & 15];
        } else {
            path += static_cast<char>(c);
        }
    }
    return folderUrl + "/" + path;
}

Transfer::Transfer(TransferOptions options)
    : options_(options),
      md5_(std::make_unique<common::CMD5>()),
      sha256_(std::make_unique<common::HexDigest>(common::DigestKind::Sha256)) {
    initialiseTransfers();
    curl_ = curl_easy_init();
}

Transfer::~Transfer() {
    if (curl_)
        curl_easy_cleanup(curl_);
}

std::size_t Transfer::write(char* data, std::size_t size, std::size_t count, void* self) {
    auto* t = static_cast<Transfer*>(self);
    const std::size_t bytes = size * count;
    // Returning less than given makes libcurl abort: this is how a stop reaches a transfer.
    if (t->entry_->allowed.load() == 0)
        return 0;
    // A body beyond its size is not the file the list names, however it ends.
    if (t->limit_ >= 0 && t->entry_->downloaded.load() + static_cast<std::int64_t>(bytes) -
                                  t->entry_->sizeAtStart.load() >
                              t->limit_) {
        t->oversized_ = true;
        return 0;
    }
    std::size_t done = 0;
    while (done < bytes) {
        ssize_t n = ::write(t->fd_, data + done, bytes - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            t->writeFailed_ = true;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    t->md5_->update(data, done);
    if (t->hashSha256_)
        t->sha256_->update(data, done);
    t->entry_->downloaded += static_cast<std::int32_t>(done);
    // Start writing back what has come so far, without waiting for it: the fsync at the end
    // then has only the tail left to wait for.
    t->unsynced_ += static_cast<std::int64_t>(done);
    if (t->unsynced_ >= kWritebackPiece) {
        ::sync_file_range(t->fd_, t->written_, t->unsynced_, SYNC_FILE_RANGE_WRITE);
        t->written_ += t->unsynced_;
        t->unsynced_ = 0;
    }
    return done;
}

int Transfer::progress(void* self, long long, long long, long long, long long) {
    // Also aborts a transfer that is waiting for data, which the write callback never sees.
    auto* t = static_cast<Transfer*>(self);
    return t->entry_->allowed.load() == 0 ? 1 : 0;
}

int Transfer::perform(const std::string& url, const platform::FolderHandle& folder,
                      const std::string& relative, const std::string& shown, UpdateEntry& entry,
                      std::int64_t limit) {
    httpStatus_ = 0;
    oversized_ = false;
    writeFailed_ = false;
    refusedScheme_ = false;
    notice_.clear();
    checksum_.clear();
    sha256Text_.clear();
    stamp_ = {};
    if (!isWebUrl(url)) {
        refusedScheme_ = true;
        return kTransferSizeMismatch;
    }
    // Only we read a download until it is installed. The temporary folder is the updater's
    // own: a FIFO, device or link found at a download's name was planted there, and only its
    // name is removed.
    const platform::DownloadTarget target = platform::openDownloadTarget(folder, relative);
    if (target.removedPlanted)
        notice_ = shown + " 不是普通文件，已删除后重新下载";
    fd_ = target.fd;
    if (fd_ < 0)
        return kTransferFailed;
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        ::close(fd_);
        fd_ = -1;
        return kTransferFailed;
    }
    entry.sizeAtStart = static_cast<std::int32_t>(st.st_size);
    // The file starts empty again, so does its count.
    entry.downloaded = entry.sizeAtStart.load();
    md5_->finish();  // starts over
    sha256_->finish();
    hashSha256_ = !entry.sha256.empty();
    limit_ = limit;
    written_ = 0;
    unsynced_ = 0;
    int result = kTransferFailed;
    if (!curl_) {
        std::fputs("curl_easy_init() error.\n", stderr);
    } else {
        entry_ = &entry;
        curl_easy_setopt(curl_, CURLOPT_VERBOSE, options_.verbose ? 1L : 0L);
        curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, options_.connectTimeout);
        curl_easy_setopt(curl_, CURLOPT_TIMEOUT, options_.timeout);
        curl_easy_setopt(curl_, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, &Transfer::write);
        // Worker threads: no signals for timeouts, and a stop is noticed while data stalls.
        curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl_, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(curl_, CURLOPT_XFERINFOFUNCTION, &Transfer::progress);
        curl_easy_setopt(curl_, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "http,https");
        // A redirect may keep its scheme or move from http to https, never from https back
        // to http: what came over a checked connection stays on one.
        curl_easy_setopt(curl_, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl_, CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(curl_, CURLOPT_REDIR_PROTOCOLS_STR,
                         isHttpsUrl(url) ? "https" : "http,https");
        curl_easy_setopt(curl_, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
        if (!options_.caFile.empty())
            curl_easy_setopt(curl_, CURLOPT_CAINFO, options_.caFile.c_str());
        curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, options_.lowSpeedLimit);
        curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, options_.lowSpeedTime);
        // Larger pieces: fewer calls of the write callback and fewer writes for big files.
        curl_easy_setopt(curl_, CURLOPT_BUFFERSIZE, 256L * 1024);
        // A declared length beyond the limit is refused before any byte is written.
        curl_easy_setopt(curl_, CURLOPT_MAXFILESIZE_LARGE,
                         static_cast<curl_off_t>(limit > 0 ? limit : 0));  // 0: none
        CURLcode code = curl_easy_perform(curl_);
        if (code == CURLE_OK && !writeFailed_)
            result = kTransferDone;
        else if (code == CURLE_FILESIZE_EXCEEDED)
            oversized_ = true;
        else if (code == CURLE_UNSUPPORTED_PROTOCOL)
            refusedScheme_ = true;
        curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &httpStatus_);
        entry_ = nullptr;
    }
    checksum_ = md5_->finish();
    if (hashSha256_)
        sha256Text_ = sha256_->finish();
    // Done means on disk: a crash after this leaves the whole file.
    if (result == kTransferDone && ::fsync(fd_) != 0)
        result = kTransferFailed;
    stamp_ = platform::stampOf(fd_);
    if (::close(fd_) != 0 && result == kTransferDone)
        result = kTransferFailed;
    fd_ = -1;
    if (oversized_ || refusedScheme_)
        result = kTransferSizeMismatch;
    return result;
}

int Transfer::download(UpdateEntry& entry, const platform::FolderHandle& temporary,
                       bool verifyChecksum) {
    entry.verifiedStamp = {};
    int result = perform(fileUrl(entry.downUrl, entry.name, entry.spelling), temporary, entry.name,
                         entry.tempPath, entry, std::max<std::int64_t>(entry.listSize.load(), 0));
    // A transfer that broke off is worth another attempt; a complete answer of the wrong size
    // (an error page) or with the wrong content is not.
    if (result != kTransferDone)
        return result;
    if (platform::fileSizeAt(temporary, entry.name).value_or(-1) != entry.listSize.load())
        return kTransferSizeMismatch;
    if (verifyChecksum && !sameChecksum(checksum_, entry.checksum))
        return kTransferSizeMismatch;
    if (verifyChecksum && !entry.sha256.empty() &&
        !common::sameHexDigest(sha256Text_, entry.sha256))
        return kTransferSizeMismatch;
    if (verifyChecksum)
        entry.verifiedStamp = stamp_;
    return result;
}

bool Transfer::fetch(const std::string& url, const std::string& path) {
    return fetch(url, path, -1);
}

bool Transfer::fetch(const std::string& url, const std::string& path, std::int64_t limit) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    if (!makeParentFolders(path))
        return false;
    return fetch(url, platform::FolderHandle(folder), path.substr(slash + 1), limit);
}

bool Transfer::fetch(const std::string& url, const platform::FolderHandle& folder,
                     const std::string& name, std::int64_t limit) {
    UpdateEntry entry;
    entry.allowed = 1;
    int result = perform(url, folder, name, name, entry, limit);
    bool ok = result == kTransferDone && httpStatus_ >= 200 && httpStatus_ < 300;
    if (!ok)
        platform::removeFileAt(folder, name);
    return ok;
}

}  // namespace upvarro
