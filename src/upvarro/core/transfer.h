#pragma once
// The single-file transfer over libcurl's easy interface: one easy handle per object, made
// when the object is made and reused for every file it fetches.

#include <cstdio>
#include <string>

#include "upvarro/core/update_entry.h"

typedef void CURL;

namespace upvarro {

struct TransferOptions {
    long connectTimeout = 1200;  // seconds
    long timeout = 1200;         // seconds, whole transfer
    // libcurl's own trace on stderr; off unless asked for, since a start from the toolbox
    // has a terminal that the trace would fill.
    bool verbose = false;
};

enum TransferResult : int {
    kTransferFailed = 0,
    kTransferDone = 1,
    kTransferSizeMismatch = 2,
};

// Once per process, before any thread makes a transfer.
void initialiseTransfers();

// "%s/%s" of the folder URL and the name; the name's GBK bytes, blanks and the characters
// that would end a URL path are percent-encoded.
std::string fileUrl(const std::string& folderUrl, const std::string& name);

class Transfer {
  public:
    explicit Transfer(TransferOptions options = {});
    ~Transfer();
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    // Fetches the entry into its temporary path: 1 done, 0 failed, 2 the file on disk differs
    // from the list size. With verifyChecksum, a file of the right size whose MD5 differs
    // from the list's checksum is also 2: it is never installed.
    int download(UpdateEntry& entry, bool verifyChecksum);
    // Fetches url into path (the list and the change log): true only when the server answered
    // with a success status; an error page is removed, not kept as the file.
    bool fetch(const std::string& url, const std::string& path);

    long lastHttpStatus() const { return httpStatus_; }

  private:
    int perform(const std::string& url, const std::string& path, UpdateEntry& entry);
    static std::size_t write(char* data, std::size_t size, std::size_t count, void* self);
    static int progress(void* self, long long, long long, long long, long long);

    TransferOptions options_;
    CURL* curl_ = nullptr;
    std::FILE* file_ = nullptr;
    UpdateEntry* entry_ = nullptr;
    long httpStatus_ = 0;
};

}  // namespace upvarro
