#pragma once
// The single-file transfer over libcurl's easy interface: one easy handle per object, made
// when the object is made and reused for every file it fetches.

#include <cstdint>
#include <memory>
#include <string>

#include "upvarro/core/platform/files.h"
#include "upvarro/core/update_entry.h"

typedef void CURL;

namespace common {
class CMD5;
class HexDigest;
}  // namespace common

namespace upvarro {

struct TransferOptions {
    long connectTimeout = 30;  // seconds
    // Seconds for the whole transfer; 0: no limit. A large file on a slow line takes as long as
    // it takes; a stalled one is ended by the low-speed limit instead.
    long timeout = 0;
    // libcurl's own trace on stderr; off unless asked for, since a start from the toolbox
    // has a terminal that the trace would fill.
    bool verbose = false;
    // A transfer slower than lowSpeedLimit bytes per second for lowSpeedTime seconds is a
    // failed attempt: a trickling server cannot hold a worker for the whole timeout.
    long lowSpeedLimit = 1;
    long lowSpeedTime = 60;
    // The certificate authorities HTTPS servers are checked against; empty: the system's
    // store. Only tests name a file of their own. Verification itself is never switched off.
    std::string caFile;
};

// Largest update list and change log accepted; a larger answer is refused.
inline constexpr std::int64_t kListFetchLimit = 8 * 1024 * 1024;
inline constexpr std::int64_t kChangelogFetchLimit = 64 * 1024;

// Only plain web addresses are fetched: http:// and https:// (letter case ignored), without
// blanks or control characters. Other
// schemes libcurl knows (file://, ftp://, smb:// ...) would read or reach whatever the list
// names.
bool isWebUrl(const std::string& url);
// An https:// address (letter case ignored).
bool isHttpsUrl(const std::string& url);

enum TransferResult : int {
    kTransferFailed = 0,
    kTransferDone = 1,
    kTransferSizeMismatch = 2,
};

// Once per process, before any thread makes a transfer.
void initialiseTransfers();

// "%s/%s" of the folder URL and the name. Gbk: the name's GBK bytes, blanks and the
// characters that would end a URL path are percent-encoded. Utf8: every byte of the UTF-8
// name but the unreserved characters of RFC 3986 and the "/" between folders is.
std::string fileUrl(const std::string& folderUrl, const std::string& name,
                    NameSpelling spelling = NameSpelling::Gbk);

class Transfer {
  public:
    explicit Transfer(TransferOptions options = {});
    ~Transfer();
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    // Fetches the entry into its name below the temporary folder (a new file, mode 0600, made
    // and checked relative to that folder): 1 done, 0 failed, 2 the file on disk differs from
    // the list size. A body that grows beyond the list size
    // is 2 as soon as it does. With verifyChecksum, a file of the right size whose MD5 (taken
    // from the bytes as they are written) differs from the list's checksum is also 2: it is
    // never installed; so is one whose SHA-256 differs, when the list gives one. A file that
    // is done has been flushed to disk.
    int download(UpdateEntry& entry, const platform::FolderHandle& temporary, bool verifyChecksum);
    // Fetches url into name below folder (the list and the change log): true only when the
    // server answered with a success status and, unless limit is negative, with at most limit
    // bytes; an error page or a refused answer is removed, not kept as the file.
    bool fetch(const std::string& url, const platform::FolderHandle& folder,
               const std::string& name, std::int64_t limit);
    // The same into path, whose folders are made when missing.
    bool fetch(const std::string& url, const std::string& path);
    bool fetch(const std::string& url, const std::string& path, std::int64_t limit);

    long lastHttpStatus() const { return httpStatus_; }
    // The last transfer was broken off because its body outgrew its limit.
    bool lastOversized() const { return oversized_; }
    // The last transfer named a scheme other than http or https.
    bool lastRefusedScheme() const { return refusedScheme_; }
    // What the last transfer found amiss and mended on its own (a FIFO at the file's name),
    // for the log; empty when nothing.
    const std::string& lastNotice() const { return notice_; }
    // MD5 of the bytes the last transfer wrote.
    const std::string& lastChecksum() const { return checksum_; }

  private:
    // shown: how lastNotice names the file.
    int perform(const std::string& url, const platform::FolderHandle& folder,
                const std::string& relative, const std::string& shown, UpdateEntry& entry,
                std::int64_t limit);
    static std::size_t write(char* data, std::size_t size, std::size_t count, void* self);
    static int progress(void* self, long long, long long, long long, long long);

    TransferOptions options_;
    CURL* curl_ = nullptr;
    int fd_ = -1;
    bool writeFailed_ = false;
    std::unique_ptr<common::CMD5> md5_;
    std::unique_ptr<common::HexDigest> sha256_;
    bool hashSha256_ = false;  // the entry being fetched has a SHA-256 to check
    UpdateEntry* entry_ = nullptr;
    std::int64_t limit_ = 0;
    std::int64_t written_ = 0;   // bytes whose writeback has been started
    std::int64_t unsynced_ = 0;  // bytes written since
    long httpStatus_ = 0;
    bool oversized_ = false;
    bool refusedScheme_ = false;
    std::string notice_;
    std::string checksum_;
    std::string sha256Text_;
    platform::FileStamp stamp_;
};

}  // namespace upvarro
